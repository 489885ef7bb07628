#include "thesaurus/ControlBase.h"

#include "thesaurus/ControlWindow.h"
#include "thesaurus/Module.h"

#include <QApplication>

#include <algorithm>
#include <cctype>
#include <new>

namespace tezar {

ControlBase::ControlBase(const Guid& dispatchIid, std::string errorSource, std::vector<Guid> pages)
    : m_dispatchIid(dispatchIid), m_errorSource(std::move(errorSource)), m_pages(std::move(pages)) {
    Module::ObjectCreated();
}

ControlBase::~ControlBase() {
    Close();
    Module::ObjectDestroyed();
}

HResult ControlBase::QueryInterface(const Guid& iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == m_dispatchIid)
        *object = static_cast<IDispatch*>(this);
    else if (iid == IID_IConnectionPoint)
        *object = static_cast<IConnectionPoint*>(this);
    else if (iid == IID_IOleControl)
        *object = static_cast<IOleControl*>(this);
    else if (iid == IID_IPersistPropertyBag)
        *object = static_cast<IPersistPropertyBag*>(this);
    else if (iid == IID_ISpecifyPropertyPages)
        *object = static_cast<ISpecifyPropertyPages*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

uint32_t ControlBase::AddRef() {
    return ++m_refs;
}

uint32_t ControlBase::Release() {
    const uint32_t left = --m_refs;
    if (left == 0) delete this;
    return left;
}

void ControlBase::AddProperty(DispId id, std::string name, Getter get, Putter put) {
    m_members.push_back({id, std::move(name), std::move(get), std::move(put), {}});
}

void ControlBase::AddMethod(DispId id, std::string name, Getter call) {
    m_members.push_back({id, std::move(name), {}, {}, std::move(call)});
}

const ControlBase::Member* ControlBase::FindMember(DispId id) const {
    for (const Member& m : m_members)
        if (m.id == id) return &m;
    return nullptr;
}

HResult ControlBase::GetIDsOfNames(std::string_view name, DispId* id) {
    if (id == nullptr) return E_POINTER;
    auto lower = [](std::string_view s) {
        std::string out(s);
        std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
        return out;
    };
    const std::string wanted = lower(name);
    for (const Member& m : m_members)
        if (!m.name.empty() && lower(m.name) == wanted) {
            *id = m.id;
            return S_OK;
        }
    *id = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HResult ControlBase::Invoke(DispId id, InvokeKind kind, DispParams& params, Variant* result,
                            ExcepInfo* excep) {
    const Member* m = FindMember(id);
    if (m == nullptr) return DISP_E_MEMBERNOTFOUND;
    // A handler may drop the container's last reference; keep the control alive until we return.
    AddRef();
    HResult hr = S_OK;
    try {
        Variant value;
        switch (kind) {
        case InvokeKind::PropertyGet:
            if (m->get)
                value = m->get(params);
            else if (m->call)
                hr = DISP_E_MEMBERNOTFOUND;
            else
                throw AutomationError::GetNotSupported();
            break;
        case InvokeKind::PropertyPut:
            if (m->put)
                m->put(params);
            else if (m->call)
                hr = DISP_E_MEMBERNOTFOUND;
            else
                throw AutomationError::SetNotSupported();
            break;
        case InvokeKind::Method:
            if (m->call)
                value = m->call(params);
            else if (m->get)
                value = m->get(params);
            else
                hr = DISP_E_MEMBERNOTFOUND;
            break;
        }
        if (hr == S_OK && result != nullptr) *result = std::move(value);
    } catch (const AutomationError& e) {
        if (excep != nullptr) {
            excep->code = e.Number();
            excep->scode = ControlErrorCode(e.Number());
            excep->source = m_errorSource;
            excep->description = e.what();
        }
        hr = DISP_E_EXCEPTION;
    } catch (const DispatchFailure& e) {
        hr = e.Code();
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
    } catch (...) {
        hr = E_FAIL;
    }
    Release();
    return hr;
}

HResult ControlBase::Advise(IDispatch* sink, uint32_t* cookie) {
    if (sink == nullptr || cookie == nullptr) return E_POINTER;
    sink->AddRef();
    *cookie = m_nextCookie++;
    m_sinks.push_back({*cookie, sink});
    return S_OK;
}

HResult ControlBase::Unadvise(uint32_t cookie) {
    for (auto it = m_sinks.begin(); it != m_sinks.end(); ++it)
        if (it->cookie == cookie) {
            IDispatch* sink = it->sink;
            m_sinks.erase(it);
            sink->Release();
            return S_OK;
        }
    return CONNECT_E_NOCONNECTION;
}

void ControlBase::FireEvent(DispId id, std::vector<Variant> args) {
    // Sinks may connect or disconnect while an event is being delivered.
    std::vector<IDispatch*> sinks;
    for (const Sink& s : m_sinks) {
        s.sink->AddRef();
        sinks.push_back(s.sink);
    }
    DispParams params{std::move(args)};
    for (IDispatch* sink : sinks) {
        sink->Invoke(id, InvokeKind::Method, params, nullptr, nullptr);
        sink->Release();
    }
}

HResult ControlBase::SetClientSite(IControlSite* site) {
    if (site != nullptr) site->AddRef();
    if (m_site != nullptr) m_site->Release();
    m_site = site;
    UpdateWindowVisibility();
    return S_OK;
}

HResult ControlBase::OnAmbientPropertyChange(DispId id) {
    if (id == DISPID_AMBIENT_USERMODE || id == DISPID_UNKNOWN) UpdateWindowVisibility();
    return S_OK;
}

HResult ControlBase::Close() {
    while (!m_sinks.empty())
        Unadvise(m_sinks.back().cookie);
    if (m_window) delete m_window.data();
    if (m_site != nullptr) {
        IControlSite* site = m_site;
        m_site = nullptr;
        site->Release();
    }
    return S_OK;
}

HResult ControlBase::InitNew() {
    PropertyBag empty;
    PropertyExchange px(empty, true);
    DoPropExchange(px);
    m_modified = false;
    return S_OK;
}

HResult ControlBase::Load(const PropertyBag& bag) {
    PropertyBag copy = bag;
    PropertyExchange px(copy, true);
    DoPropExchange(px);
    m_modified = false;
    return S_OK;
}

HResult ControlBase::Save(PropertyBag& bag, bool clearDirty) {
    PropertyExchange px(bag, false);
    DoPropExchange(px);
    if (clearDirty) m_modified = false;
    return S_OK;
}

HResult ControlBase::IsDirty() {
    return m_modified ? S_OK : S_FALSE;
}

HResult ControlBase::GetPages(std::vector<Guid>* pages) {
    if (pages == nullptr) return E_POINTER;
    *pages = m_pages;
    return S_OK;
}

bool ControlBase::AmbientUserMode() const {
    if (m_site == nullptr) return true;
    Variant v, b;
    if (m_site->GetAmbientProperty(DISPID_AMBIENT_USERMODE, &v) != S_OK) return true;
    if (v.ChangeType(VarType::Bool, b) != S_OK) return true;
    return b.AsBool();
}

void ControlBase::BoundPropertyChanged(DispId id) {
    if (m_site != nullptr) m_site->OnPropertyChanged(id);
}

void ControlBase::PreModalDialog() {
    if (m_site != nullptr) m_site->OnModalDialog(true);
}

void ControlBase::PostModalDialog() {
    if (m_site != nullptr) m_site->OnModalDialog(false);
}

QWidget* ControlBase::ParentWindow() const {
    if (m_site == nullptr) return nullptr;
    return static_cast<QWidget*>(m_site->GetWindow());
}

QWidget* ControlBase::ControlWindowWidget() {
    if (!m_window && qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        if (QWidget* parent = ParentWindow()) {
            m_window = new ControlWindow(parent);
            m_window->setVisible(!AmbientUserMode());
        }
    }
    return m_window.data();
}

void ControlBase::UpdateWindowVisibility() {
    if (QWidget* w = ControlWindowWidget()) w->setVisible(!AmbientUserMode());
}

std::string ControlBase::ArgString(const DispParams& p, size_t i) {
    if (i >= p.args.size()) throw DispatchFailure(DISP_E_BADPARAMCOUNT);
    Variant v;
    const HResult hr = p.args[i].ChangeType(VarType::String, v);
    if (hr != S_OK) throw DispatchFailure(hr);
    return v.AsString();
}

int16_t ControlBase::ArgI2(const DispParams& p, size_t i) {
    if (i >= p.args.size()) throw DispatchFailure(DISP_E_BADPARAMCOUNT);
    Variant v;
    const HResult hr = p.args[i].ChangeType(VarType::I2, v);
    if (hr != S_OK) throw DispatchFailure(hr);
    return v.AsI2();
}

bool ControlBase::ArgBool(const DispParams& p, size_t i) {
    if (i >= p.args.size()) throw DispatchFailure(DISP_E_BADPARAMCOUNT);
    Variant v;
    const HResult hr = p.args[i].ChangeType(VarType::Bool, v);
    if (hr != S_OK) throw DispatchFailure(hr);
    return v.AsBool();
}

void ControlBase::ExpectArgs(const DispParams& p, size_t n) {
    if (p.args.size() != n) throw DispatchFailure(DISP_E_BADPARAMCOUNT);
}

void ControlBase::ThrowError(uint16_t number, const std::string& text) const {
    throw AutomationError(number, text);
}

} // namespace tezar
