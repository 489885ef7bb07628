#include "ui/DialogSupport.h"

#include "ui/FileDialogService.h"
#include "ui/MessageService.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <exception>

namespace q7 {

namespace {

void SelectAll(QWidget* box) {
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        SelectAllText(line);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
        plain->selectAll();
    }
}

class SelectAllFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::FocusIn) return false;
        auto* box = qobject_cast<QWidget*>(watched);
        if (!box) return false;
        // The box takes the focus first (a line edit drops its selection there), then the whole
        // text is selected. A mouse press goes on to place the cursor, so it is selected again once
        // the press has been handled.
        box->removeEventFilter(this);
        QCoreApplication::sendEvent(box, event);
        box->installEventFilter(this);
        SelectAll(box);
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            QTimer::singleShot(0, box, [box] { SelectAll(box); });
        return true;
    }
};

} // namespace

void SelectAllText(QLineEdit* box) {
    box->setSelection(0, static_cast<int>(box->text().size()));
}

void SelectAllOnFocus(QWidget* box) {
    box->installEventFilter(new SelectAllFilter(box));
}

QPushButton* BrowseButton(QWidget* parent, QLineEdit* box, const QString& objectName,
                          FileDialogService& files, BrowseChoice choice, std::function<void()> changeRule) {
    auto* button = new QPushButton(QStringLiteral("\u2026"), parent);
    button->setObjectName(objectName);
    button->setToolTip(QStringLiteral("Choose a folder and file name"));
    const int width = button->fontMetrics().horizontalAdvance(QStringLiteral("\u2026")) * 3 + 8;
    button->setFixedWidth(width);
    QObject::connect(button, &QPushButton::clicked, box,
                     [parent, box, &files, choice = std::move(choice), changeRule = std::move(changeRule)] {
                         const QString text = box->text();
                         const QString start =
                             text.isEmpty() ? QDir::currentPath() : QDir::current().absoluteFilePath(text);
                         QPointer<QLineEdit> guard(box);
                         QString chosen = files.SaveFileName(parent, choice.title, start, choice.filter,
                                                             choice.confirmOverwrite);
                         if (chosen.isEmpty() || !guard) return;
                         chosen = QDir::toNativeSeparators(chosen);
                         if (choice.adjust) chosen = choice.adjust(chosen);
                         if (chosen == box->text()) {
                             changeRule();
                         } else {
                             box->setText(chosen);
                         }
                     });
    return button;
}

QHBoxLayout* RunCancelRow(QDialog* dialog, const QString& caption, QPushButton*& run, QPushButton*& cancel) {
    run = new QPushButton(caption, dialog);
    run->setObjectName(QStringLiteral("cmdReport"));
    run->setAutoDefault(true);
    run->setDefault(true);
    cancel = new QPushButton(QStringLiteral("&Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(run);
    row->addWidget(cancel);
    return row;
}

void SetTabOrder(const std::vector<QWidget*>& widgets) {
    for (std::size_t i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

void RunWriter(QDialog& dialog, MessageService& messages, const QString& title,
               const std::function<void()>& execute) {
    try {
        execute();
    } catch (const std::exception& e) {
        messages.ShowError(QString::fromStdString(e.what()), title);
        return;
    }
    dialog.accept();
}

} // namespace q7
