#include "thesaurus/demo/DemoForm.h"

#include "thesaurus/PropertyPage.h"
#include "thesaurus/TezarExports.h"
#include "thesaurus/TezarIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <dlfcn.h>

namespace tezar {

namespace {

std::string ToLatin1(const QString& s) {
    const QByteArray b = s.toLatin1();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

QString FromLatin1(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

DemoForm::DemoForm(ControlHost& host) : m_host(host) {
    setWindowTitle(QStringLiteral("Tezar demo container"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* lblWord = new QLabel(QStringLiteral("&Word:"), this);
    m_txtWord = new QLineEdit(this);
    m_txtWord->setObjectName(QStringLiteral("txtWord"));
    lblWord->setBuddy(m_txtWord);
    m_cmdThesaurus = new QPushButton(QStringLiteral("&Thesaurus\u2026"), this);
    m_cmdThesaurus->setObjectName(QStringLiteral("cmdThesaurus"));
    m_cmdThesaurus->setDefault(true);
    row->addWidget(lblWord);
    row->addWidget(m_txtWord, 1);
    row->addWidget(m_cmdThesaurus);
    layout->addLayout(row);

    auto* grid = new QGridLayout;
    auto* lblDialog = new QLabel(QStringLiteral("&Dialog:"), this);
    m_cbxDialog = new QComboBox(this);
    m_cbxDialog->setObjectName(QStringLiteral("cbxDialog"));
    m_cbxDialog->addItems({QStringLiteral("0 - None"), QStringLiteral("1 - English Dialog"),
                           QStringLiteral("2 - Spanish Dialog"), QStringLiteral("3 - German Dialog"),
                           QStringLiteral("4 - French Dialog")});
    m_cbxDialog->setCurrentIndex(lexoEnglishDialog);
    lblDialog->setBuddy(m_cbxDialog);
    m_chkOptions = new QCheckBox(QStringLiteral("&Options button"), this);
    m_chkHelp = new QCheckBox(QStringLiteral("&Help button"), this);
    auto* cmdProperties = new QPushButton(QStringLiteral("&Properties\u2026"), this);
    grid->addWidget(lblDialog, 0, 0);
    grid->addWidget(m_cbxDialog, 0, 1);
    grid->addWidget(m_chkOptions, 0, 2);
    grid->addWidget(m_chkHelp, 0, 3);
    grid->addWidget(cmdProperties, 0, 4);
    layout->addLayout(grid);

    layout->addWidget(new QLabel(QStringLiteral("Events:"), this));
    m_lstEvents = new QListWidget(this);
    m_lstEvents->setObjectName(QStringLiteral("lstEvents"));
    layout->addWidget(m_lstEvents, 1);
    m_lblStatus = new QLabel(FromLatin1(host.LibraryPath()), this);
    layout->addWidget(m_lblStatus);
    resize(560, 320);

    connect(m_cmdThesaurus, &QPushButton::clicked, this, [this] { Check(); });
    connect(cmdProperties, &QPushButton::clicked, this, [this] { ShowProperties(); });
    m_host.SetEventHandler([this](DispId id, DispParams& params) { OnEvent(id, params); });
}

void DemoForm::SetWord(const QString& word) {
    m_txtWord->setText(word);
}
void DemoForm::SetLanguage(int automaticDialog) {
    m_cbxDialog->setCurrentIndex(automaticDialog);
}
void DemoForm::SetButtons(bool options, bool help) {
    m_chkOptions->setChecked(options);
    m_chkHelp->setChecked(help);
}
void DemoForm::SetThesaurusFile(const QString& path) {
    m_thesFile = path;
    m_host.Put(DISPID_MainThesFile, Variant::String(ToLatin1(path)));
}

void DemoForm::Log(const QString& line) {
    m_lstEvents->addItem(line);
    m_lstEvents->scrollToBottom();
}

void DemoForm::OnEvent(DispId id, DispParams& params) {
    QString line = QString::fromLatin1(TezarEventName(id));
    for (size_t i = 0; i < params.args.size(); ++i) {
        const char* name = TezarEventParameter(id, static_cast<int>(i));
        const Variant& v = params.args[i];
        if (name != nullptr && v.Type() == VarType::RefI2)
            line += QStringLiteral(" %1=%2").arg(QString::fromLatin1(name)).arg(*v.AsRefI2());
    }
    Log(line);
    if (id == DISPID_Changed) {
        Variant changed;
        if (m_host.Get(DISPID_ChangedWord, changed) == S_OK && changed.Type() == VarType::String) {
            QString text = m_txtWord->text();
            text.replace(m_replaceFrom, m_replaceLength, FromLatin1(changed.AsString()));
            m_txtWord->setText(text);
            m_txtWord->setSelection(m_replaceFrom, static_cast<int>(changed.AsString().size()));
        }
    }
}

void DemoForm::Check() {
    // The selected part of the text, or the whole text without its surrounding blanks.
    QString word;
    if (m_txtWord->hasSelectedText()) {
        m_replaceFrom = m_txtWord->selectionStart();
        word = m_txtWord->selectedText();
    } else {
        const QString text = m_txtWord->text();
        const QString trimmed = text.trimmed();
        m_replaceFrom = trimmed.isEmpty() ? 0 : static_cast<int>(text.indexOf(trimmed));
        word = trimmed;
    }
    m_replaceLength = static_cast<int>(word.size());
    m_host.Put(DISPID_AutomaticDialog, Variant::I2(static_cast<int16_t>(m_cbxDialog->currentIndex())));
    m_host.Put(DISPID_OptionBtnVisible, Variant::Bool(m_chkOptions->isChecked()));
    m_host.Put(DISPID_HelpBtnVisible, Variant::Bool(m_chkHelp->isChecked()));
    m_lstEvents->clear();
    ExcepInfo e;
    if (m_host.Put(DISPID_CheckWord, Variant::String(ToLatin1(word)), &e) == DISP_E_EXCEPTION) {
        Log(QStringLiteral("Error %1: %2").arg(e.code).arg(FromLatin1(e.description)));
        QMessageBox::warning(this, QStringLiteral("Thesaurus"), FromLatin1(e.description));
    }
}

void DemoForm::ShowProperties() {
    // The control names its page; the page comes from the same library's class factory.
    void* p = nullptr;
    if (m_host.Control()->QueryInterface(IID_ISpecifyPropertyPages, &p) != S_OK) return;
    auto* specify = static_cast<ISpecifyPropertyPages*>(p);
    std::vector<Guid> pages;
    specify->GetPages(&pages);
    specify->Release();
    if (pages.empty()) return;
    void* lib = dlopen(m_host.LibraryPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
    auto getClassObject =
        lib ? reinterpret_cast<DllGetClassObjectFn>(dlsym(lib, "DllGetClassObject")) : nullptr;
    IPropertyPage* page = nullptr;
    if (getClassObject != nullptr && getClassObject(&pages.front(), &IID_IClassFactory, &p) == S_OK) {
        auto* factory = static_cast<IClassFactory*>(p);
        if (factory->CreateInstance(nullptr, IID_IPropertyPage, &p) == S_OK)
            page = static_cast<IPropertyPage*>(p);
        factory->Release();
    }
    if (lib != nullptr) dlclose(lib);
    if (page == nullptr) return;
    QDialog dialog(this);
    std::string title;
    page->GetTitle(&title);
    dialog.setWindowTitle(QStringLiteral("Tezar Properties - %1").arg(FromLatin1(title)));
    auto* layout = new QVBoxLayout(&dialog);
    auto* host = new QWidget(&dialog);
    new QVBoxLayout(host);
    layout->addWidget(host, 1);
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, &dialog);
    layout->addWidget(buttons);
    page->SetObjects({m_host.Control()});
    page->Activate(host);
    for (QWidget* child : host->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        host->layout()->addWidget(child);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, &dialog,
            [page] { page->Apply(); });
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, page] {
        page->Apply();
        dialog.accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.exec();
    page->Deactivate();
    page->SetObjects({});
    page->Release();
    // Reflect what the page changed.
    Variant v;
    if (m_host.Get(DISPID_AutomaticDialog, v) == S_OK) m_cbxDialog->setCurrentIndex(v.AsI2());
    if (m_host.Get(DISPID_OptionBtnVisible, v) == S_OK) m_chkOptions->setChecked(v.AsBool());
    if (m_host.Get(DISPID_HelpBtnVisible, v) == S_OK) m_chkHelp->setChecked(v.AsBool());
}

} // namespace tezar
