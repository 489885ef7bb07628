#include "thesaurus/TezarDialog.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace tezar {

namespace {

QString FromLatin1(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string ToLatin1(const QString& s) {
    const QByteArray b = s.toLatin1();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

// Sets a flag for the duration of a programmatic change, so that widget signals are not taken for
// user actions.
class Programmatic {
public:
    explicit Programmatic(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~Programmatic() { m_flag = m_old; }

private:
    bool& m_flag;
    bool m_old;
};

} // namespace

TezarDialog::TezarDialog(DialogProc proc, QWidget* owner) : QDialog(owner), m_proc(proc) {
    setWindowTitle(QStringLiteral("Thesaurus"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(true);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    setFont(font);
    // Dialog base units: the average width of the alphabet and the character height.
    const QFontMetrics fm(font);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = (fm.horizontalAdvance(alphabet) + 26) / 52;
    m_baseY = fm.height();
    const QRect client = DuToPixels(0, 0, kWidthDu, kHeightDu);
    setFixedSize(client.size());

    QLabel* lookedUpLabel = AddLabel(kIdLookedUpLabel, "Looked Up:", 3, 5, 41, 9);
    m_lookedUp = new QListWidget(this);
    m_lookedUp->setObjectName(QStringLiteral("ctl1003"));
    m_lookedUp->setGeometry(DuToPixels(45, 5, 111, 13));
    m_lookedUp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_lookedUp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_items.insert(kIdLookedUpList, m_lookedUp);
    lookedUpLabel->setBuddy(m_lookedUp);

    QLabel* changeToLabel = AddLabel(kIdChangeToLabel, "Change &To:", 2, 29, 39, 8);
    // The combo box: an edit field over a list that is always open.
    QWidget* combo = new QWidget(this);
    combo->setObjectName(QStringLiteral("ctl1000"));
    const QRect comboRect = DuToPixels(45, 27, 114, 74);
    combo->setGeometry(comboRect);
    const int editHeight = DuToPixels(0, 0, 0, 12).height();
    m_comboEdit = new QLineEdit(combo);
    m_comboEdit->setObjectName(QStringLiteral("ctl1000edit"));
    m_comboEdit->setGeometry(0, 0, comboRect.width(), editHeight);
    m_comboList = new QListWidget(combo);
    m_comboList->setObjectName(QStringLiteral("ctl1000list"));
    m_comboList->setGeometry(0, editHeight, comboRect.width(), comboRect.height() - editHeight);
    m_items.insert(kIdChangeTo, combo);
    changeToLabel->setBuddy(m_comboEdit);
    QLabel* synonymsLabel = AddLabel(kIdSynonymsLabel, "Synonyms:", 3, 40, 36, 10);
    synonymsLabel->setBuddy(m_comboList);

    QPushButton* replace = AddButton(kIdReplace, "&Replace", 180, 6, 44, 14);
    replace->setDefault(true);
    AddButton(kIdCancel, "Cancel", 180, 22, 44, 14);
    AddButton(kIdHelp, "&Help", 180, 39, 44, 14);
    AddButton(kIdOptions, "&Options...", 167, 80, 61, 15);

    // Tab order as in the template.
    setTabOrder(m_lookedUp, m_comboEdit);
    setTabOrder(m_comboEdit, m_comboList);
    setTabOrder(m_comboList, replace);

    connect(m_lookedUp, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_programmatic && m_lookedUp->currentRow() >= 0 && !m_lookedUp->selectedItems().isEmpty())
            Forward(WM_COMMAND, MakeWParam(kIdLookedUpList, LBN_SELCHANGE));
    });
    connect(m_comboList, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_programmatic || m_comboList->selectedItems().isEmpty()) return;
        {
            // The combo box shows the chosen item in its edit field before it tells the dialog.
            Programmatic guard(m_programmatic);
            m_comboEdit->setText(m_comboList->selectedItems().first()->text());
        }
        Forward(WM_COMMAND, MakeWParam(kIdChangeTo, CBN_SELCHANGE));
    });
    connect(m_comboList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem*) { Forward(WM_COMMAND, MakeWParam(kIdChangeTo, CBN_DBLCLK)); });
}

QRect TezarDialog::DuToPixels(int x, int y, int w, int h) const {
    return QRect(x * m_baseX / 4, y * m_baseY / 8, w * m_baseX / 4, h * m_baseY / 8);
}

QLabel* TezarDialog::AddLabel(int id, const char* text, int x, int y, int w, int h) {
    auto* label = new QLabel(QString::fromLatin1(text), this);
    label->setObjectName(QStringLiteral("ctl%1").arg(id));
    label->setGeometry(DuToPixels(x, y, w, h));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_items.insert(id, label);
    return label;
}

QPushButton* TezarDialog::AddButton(int id, const char* text, int x, int y, int w, int h) {
    auto* button = new QPushButton(QString::fromLatin1(text), this);
    button->setObjectName(QStringLiteral("ctl%1").arg(id));
    button->setGeometry(DuToPixels(x, y, w, h));
    button->setAutoDefault(false);
    m_items.insert(id, button);
    connect(button, &QPushButton::clicked, this,
            [this, id] { Forward(WM_COMMAND, MakeWParam(id, BN_CLICKED)); });
    return button;
}

intptr_t TezarDialog::Forward(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (m_proc == nullptr) return 0;
    return m_proc(this, message, wParam, lParam);
}

int TezarDialog::Run(DialogProc proc, QWidget* owner) {
    TezarDialog dialog(proc, owner);
    dialog.Forward(WM_INITDIALOG, 0, 0);
    if (dialog.m_ended) return dialog.m_result;
    dialog.exec();
    return dialog.m_result;
}

bool TezarDialog::CanShow() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

void TezarDialog::ShowAbout(QWidget* owner) {
    QMessageBox::about(owner, QStringLiteral("About Tezar"),
                       QStringLiteral("Tezar Thesaurus Control\nVersion 1.0\n\nLooks words up in a thesaurus "
                                      "data file and offers their synonyms."));
}

void TezarDialog::reject() {
    Forward(WM_COMMAND, MakeWParam(kIdCancel, BN_CLICKED));
}

void TezarDialog::contextMenuEvent(QContextMenuEvent* event) {
    PopupSystemMenu(event->globalPos());
}

void TezarDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::AltModifier) {
        PopupSystemMenu(mapToGlobal(QPoint(0, 0)));
        return;
    }
    QDialog::keyPressEvent(event);
}

void TezarDialog::PopupSystemMenu(const QPoint& at) {
    if (m_systemMenu.isEmpty()) return;
    QMenu menu(this);
    for (const auto& [command, text] : m_systemMenu) {
        if (command == 0) {
            menu.addSeparator();
            continue;
        }
        const uint32_t cmd = command;
        menu.addAction(text, this, [this, cmd] { ChooseSystemMenuItem(cmd); });
    }
    menu.exec(at);
}

void TezarDialog::ChooseSystemMenuItem(uint32_t command) {
    Forward(WM_SYSCOMMAND, command);
}

QListWidget* TezarDialog::List(int id) const {
    if (id == kIdChangeTo) return m_comboList;
    if (id == kIdLookedUpList) return m_lookedUp;
    return nullptr;
}

void TezarDialog::SetCaption(std::string_view text) {
    setWindowTitle(FromLatin1(text));
}

void TezarDialog::SetItemText(int id, std::string_view text) {
    Programmatic guard(m_programmatic);
    QWidget* w = Item(id);
    if (id == kIdChangeTo)
        m_comboEdit->setText(FromLatin1(text));
    else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(FromLatin1(text));
        // A translation longer than its field is clipped there; the whole text shows on hover.
        const QString plain = label->text().remove(QLatin1Char('&'));
        label->setToolTip(label->fontMetrics().horizontalAdvance(plain) > label->width() ? plain : QString());
    } else if (auto* button = qobject_cast<QPushButton*>(w))
        button->setText(FromLatin1(text));
}

std::string TezarDialog::GetItemText(int id) const {
    QWidget* w = Item(id);
    if (id == kIdChangeTo) return ToLatin1(m_comboEdit->text());
    if (auto* label = qobject_cast<QLabel*>(w)) return ToLatin1(label->text());
    if (auto* button = qobject_cast<QPushButton*>(w)) return ToLatin1(button->text());
    return {};
}

void TezarDialog::ShowItem(int id, bool show) {
    if (QWidget* w = Item(id)) w->setVisible(show);
}

void TezarDialog::SetFocusTo(int id) {
    if (id == kIdChangeTo)
        m_comboEdit->setFocus();
    else if (QWidget* w = Item(id))
        w->setFocus();
}

void TezarDialog::GetSize(int& width, int& height) const {
    const QSize s = isVisible() ? frameGeometry().size() : size();
    width = s.width();
    height = s.height();
}

void TezarDialog::GetDesktopSize(int& width, int& height) const {
    QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect r = screen != nullptr ? screen->geometry() : QRect(0, 0, 0, 0);
    width = r.width();
    height = r.height();
}

void TezarDialog::MoveTo(int left, int top) {
    move(left, top);
}

void TezarDialog::AddString(int id, std::string_view text) {
    Programmatic guard(m_programmatic);
    if (QListWidget* list = List(id)) list->addItem(FromLatin1(text));
}

int TezarDialog::GetCount(int id) const {
    const QListWidget* list = List(id);
    return list == nullptr ? 0 : list->count();
}

std::string TezarDialog::GetString(int id, int index) const {
    const QListWidget* list = List(id);
    if (list == nullptr || index < 0 || index >= list->count()) return {};
    return ToLatin1(list->item(index)->text());
}

void TezarDialog::SetCurSel(int id, int index) {
    Programmatic guard(m_programmatic);
    QListWidget* list = List(id);
    if (list == nullptr) return;
    if (index < 0 || index >= list->count()) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return;
    }
    list->setCurrentRow(index);
    if (id == kIdChangeTo) m_comboEdit->setText(list->item(index)->text());
}

void TezarDialog::LimitText(int id, int length) {
    if (id == kIdChangeTo) m_comboEdit->setMaxLength(length);
}

void TezarDialog::SelectAllText(int id) {
    if (id == kIdChangeTo) m_comboEdit->selectAll();
}

void TezarDialog::AppendSystemMenuSeparator() {
    m_systemMenu.append({0u, QString()});
}

void TezarDialog::AppendSystemMenuItem(uint32_t command, std::string_view text) {
    m_systemMenu.append({command, FromLatin1(text)});
}

void TezarDialog::MessageBox(std::string_view text, std::string_view caption) {
    QMessageBox box(QMessageBox::NoIcon, FromLatin1(caption), FromLatin1(text), QMessageBox::Ok, this);
    box.exec();
}

void TezarDialog::EndDialog(int result) {
    m_ended = true;
    m_result = result;
    QDialog::done(result);
}

} // namespace tezar
