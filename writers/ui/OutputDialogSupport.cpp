#include "writers/ui/OutputDialogSupport.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>

namespace q7 {

QGroupBox* IncludeFrame(QDialog* dialog, const std::array<const char*, 4>& captions,
                        std::array<QCheckBox*, 4>& boxes, const std::function<void(int)>& clicked) {
    auto* frame = new QGroupBox(QStringLiteral(" Include Properties "), dialog);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* row = new QHBoxLayout(frame);
    for (int k = 0; k < static_cast<int>(captions.size()); ++k) {
        auto* check = new QCheckBox(QString::fromLatin1(captions[static_cast<size_t>(k)]), frame);
        check->setObjectName(QStringLiteral("cbxInclude(%1)").arg(k));
        check->setChecked(false);
        check->setEnabled(false);
        QObject::connect(check, &QCheckBox::toggled, dialog, [clicked, k] { clicked(k); });
        boxes[static_cast<size_t>(k)] = check;
        row->addWidget(check);
    }
    row->addStretch(1);
    return frame;
}

} // namespace q7
