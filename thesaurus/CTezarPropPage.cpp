#include "thesaurus/CTezarPropPage.h"

#include "thesaurus/Module.h"
#include "thesaurus/TezarIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace tezar {

namespace {

QString FromLatin1(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string ToLatin1(const QString& s) {
    const QByteArray b = s.toLatin1();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

bool Get(IDispatch* d, DispId id, VarType type, Variant& out) {
    DispParams none;
    Variant v;
    return d->Invoke(id, InvokeKind::PropertyGet, none, &v, nullptr) == S_OK &&
           v.ChangeType(type, out) == S_OK;
}

HResult Put(IDispatch* d, DispId id, Variant value) {
    DispParams p{{std::move(value)}};
    ExcepInfo e;
    return d->Invoke(id, InvokeKind::PropertyPut, p, nullptr, &e);
}

} // namespace

HResult CTezarPropPage::Create(const Guid& iid, void** object) {
    auto* page = new CTezarPropPage();
    const HResult hr = page->QueryInterface(iid, object);
    page->Release();
    return hr;
}

CTezarPropPage::CTezarPropPage() {
    Module::ObjectCreated();
}

CTezarPropPage::~CTezarPropPage() {
    Deactivate();
    ReleaseObjects();
    Module::ObjectDestroyed();
}

HResult CTezarPropPage::QueryInterface(const Guid& iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!(iid == IID_IUnknown || iid == IID_IPropertyPage)) return E_NOINTERFACE;
    *object = static_cast<IPropertyPage*>(this);
    AddRef();
    return S_OK;
}

uint32_t CTezarPropPage::AddRef() {
    return ++m_refs;
}

uint32_t CTezarPropPage::Release() {
    const uint32_t left = --m_refs;
    if (left == 0) delete this;
    return left;
}

HResult CTezarPropPage::GetTitle(std::string* title) {
    if (title == nullptr) return E_POINTER;
    *title = "General";
    return S_OK;
}

void CTezarPropPage::ReleaseObjects() {
    for (IDispatch* d : m_objects)
        d->Release();
    m_objects.clear();
}

HResult CTezarPropPage::SetObjects(const std::vector<IDispatch*>& objects) {
    ReleaseObjects();
    for (IDispatch* d : objects) {
        if (d == nullptr) continue;
        d->AddRef();
        m_objects.push_back(d);
    }
    if (m_page) Load();
    return S_OK;
}

HResult CTezarPropPage::Activate(void* parent) {
    Deactivate();
    auto* page = new QWidget(static_cast<QWidget*>(parent));
    page->setObjectName(QStringLiteral("TezarPropPage"));
    auto* grid = new QGridLayout(page);
    auto addEdit = [&](int row, const char* caption, QLineEdit*& edit) {
        auto* label = new QLabel(QString::fromLatin1(caption), page);
        edit = new QLineEdit(page);
        edit->setObjectName(QString::fromLatin1(caption).remove(QLatin1Char('&')));
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        QObject::connect(edit, &QLineEdit::textEdited, page, [this] { m_dirty = true; });
    };
    addEdit(0, "&MainThesFile", m_mainThesFile);
    auto* dialogLabel = new QLabel(QStringLiteral("Automatic&Dialog"), page);
    m_automaticDialog = new QComboBox(page);
    m_automaticDialog->setObjectName(QStringLiteral("AutomaticDialog"));
    m_automaticDialog->addItems({QStringLiteral("0 - None"), QStringLiteral("1 - English Dialog"),
                                 QStringLiteral("2 - Spanish Dialog"), QStringLiteral("3 - German Dialog"),
                                 QStringLiteral("4 - French Dialog")});
    dialogLabel->setBuddy(m_automaticDialog);
    grid->addWidget(dialogLabel, 1, 0);
    grid->addWidget(m_automaticDialog, 1, 1);
    QObject::connect(m_automaticDialog, &QComboBox::currentIndexChanged, page, [this] {
        if (!m_loading) m_dirty = true;
    });
    addEdit(2, "Dialog&Title", m_dialogTitle);
    addEdit(3, "OptionBtn&Caption", m_optionBtnCaption);
    auto addCheck = [&](int row, const char* caption, QCheckBox*& box) {
        box = new QCheckBox(QString::fromLatin1(caption), page);
        box->setObjectName(QString::fromLatin1(caption).remove(QLatin1Char('&')));
        grid->addWidget(box, row, 1);
        QObject::connect(box, &QCheckBox::toggled, page, [this] {
            if (!m_loading) m_dirty = true;
        });
    };
    addCheck(4, "OptionBtn&Visible", m_optionBtnVisible);
    addCheck(5, "Help&BtnVisible", m_helpBtnVisible);
    grid->setRowStretch(6, 1);
    m_page = page;
    Load();
    page->show();
    return S_OK;
}

void CTezarPropPage::Load() {
    if (!m_page || m_objects.empty()) return;
    m_loading = true;
    IDispatch* d = m_objects.front();
    Variant v;
    if (Get(d, DISPID_MainThesFile, VarType::String, v)) m_mainThesFile->setText(FromLatin1(v.AsString()));
    if (Get(d, DISPID_AutomaticDialog, VarType::I2, v) && v.AsI2() >= 0 && v.AsI2() <= 4)
        m_automaticDialog->setCurrentIndex(v.AsI2());
    if (Get(d, DISPID_DialogTitle, VarType::String, v)) m_dialogTitle->setText(FromLatin1(v.AsString()));
    if (Get(d, DISPID_OptionBtnCaption, VarType::String, v))
        m_optionBtnCaption->setText(FromLatin1(v.AsString()));
    if (Get(d, DISPID_OptionBtnVisible, VarType::Bool, v)) m_optionBtnVisible->setChecked(v.AsBool());
    if (Get(d, DISPID_HelpBtnVisible, VarType::Bool, v)) m_helpBtnVisible->setChecked(v.AsBool());
    m_loading = false;
    m_dirty = false;
}

HResult CTezarPropPage::Deactivate() {
    if (m_page) delete m_page.data();
    m_mainThesFile = m_dialogTitle = m_optionBtnCaption = nullptr;
    m_automaticDialog = nullptr;
    m_optionBtnVisible = m_helpBtnVisible = nullptr;
    return S_OK;
}

HResult CTezarPropPage::IsPageDirty() {
    return m_dirty ? S_OK : S_FALSE;
}

HResult CTezarPropPage::Apply() {
    if (!m_page) return E_UNEXPECTED;
    HResult result = S_OK;
    for (IDispatch* d : m_objects) {
        const HResult results[] = {
            Put(d, DISPID_MainThesFile, Variant::String(ToLatin1(m_mainThesFile->text()))),
            Put(d, DISPID_AutomaticDialog,
                Variant::I2(static_cast<int16_t>(m_automaticDialog->currentIndex()))),
            Put(d, DISPID_DialogTitle, Variant::String(ToLatin1(m_dialogTitle->text()))),
            Put(d, DISPID_OptionBtnCaption, Variant::String(ToLatin1(m_optionBtnCaption->text()))),
            Put(d, DISPID_OptionBtnVisible, Variant::Bool(m_optionBtnVisible->isChecked())),
            Put(d, DISPID_HelpBtnVisible, Variant::Bool(m_helpBtnVisible->isChecked())),
        };
        for (HResult hr : results)
            if (Failed(hr) && result == S_OK) result = hr;
    }
    if (result == S_OK) m_dirty = false;
    return result;
}

} // namespace tezar
