#pragma once
// The framework every control of this library stands on: reference counting and interface lookup,
// dispatch by DISPID through a table of members, events to any number of sinks, persistence through
// one exchange routine, the container's site (ambient run mode, modal-dialog and property-change
// notifications), the modified flag, and the control's window.

#include "thesaurus/AutomationError.h"
#include "thesaurus/ControlSite.h"
#include "thesaurus/Dispatch.h"
#include "thesaurus/PropertyBag.h"
#include "thesaurus/PropertyExchange.h"
#include "thesaurus/PropertyPage.h"

#include <QPointer>
#include <QWidget>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace tezar {

class ControlBase : public IDispatch,
                    public IConnectionPoint,
                    public IOleControl,
                    public IPersistPropertyBag,
                    public ISpecifyPropertyPages {
public:
    // IUnknown
    HResult QueryInterface(const Guid& iid, void** object) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    // IDispatch
    HResult GetIDsOfNames(std::string_view name, DispId* id) override;
    HResult Invoke(DispId id, InvokeKind kind, DispParams& params, Variant* result,
                   ExcepInfo* excep) override;

    // IConnectionPoint
    HResult Advise(IDispatch* sink, uint32_t* cookie) override;
    HResult Unadvise(uint32_t cookie) override;

    // IOleControl
    HResult SetClientSite(IControlSite* site) override;
    HResult OnAmbientPropertyChange(DispId id) override;
    HResult Close() override;

    // IPersistPropertyBag
    HResult InitNew() override;
    HResult Load(const PropertyBag& bag) override;
    HResult Save(PropertyBag& bag, bool clearDirty) override;
    HResult IsDirty() override;

    // ISpecifyPropertyPages
    HResult GetPages(std::vector<Guid>* pages) override;

    // Run mode as the container reports it; true when it does not say.
    bool AmbientUserMode() const;
    bool IsModified() const { return m_modified; }

protected:
    using Getter = std::function<Variant(DispParams&)>;
    using Putter = std::function<void(DispParams&)>;

    ControlBase(const Guid& dispatchIid, std::string errorSource, std::vector<Guid> pages);
    virtual ~ControlBase();

    void AddProperty(DispId id, std::string name, Getter get, Putter put);
    void AddMethod(DispId id, std::string name, Getter call);

    // Reads or writes every persisted property in its order.
    virtual void DoPropExchange(PropertyExchange& px) = 0;

    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    void BoundPropertyChanged(DispId id);
    // Raises an event on every connected sink; arguments in declaration order.
    void FireEvent(DispId id, std::vector<Variant> args);
    void PreModalDialog();
    void PostModalDialog();

    // The control's window (created on first use when the container gives a window), or null.
    QWidget* ControlWindowWidget();
    // The container's window, or null.
    QWidget* ParentWindow() const;

    // Argument helpers for the member table; a missing or unconvertible argument fails the call.
    static std::string ArgString(const DispParams& p, size_t i);
    static int16_t ArgI2(const DispParams& p, size_t i);
    static bool ArgBool(const DispParams& p, size_t i);
    static void ExpectArgs(const DispParams& p, size_t n);

    [[noreturn]] void ThrowError(uint16_t number, const std::string& text) const;

private:
    struct Member {
        DispId id;
        std::string name;
        Getter get;
        Putter put;
        Getter call;
    };
    struct Sink {
        uint32_t cookie;
        IDispatch* sink;
    };

    const Member* FindMember(DispId id) const;
    void UpdateWindowVisibility();

    std::atomic<uint32_t> m_refs{1};
    Guid m_dispatchIid;
    std::string m_errorSource;
    std::vector<Guid> m_pages;
    std::vector<Member> m_members;
    std::vector<Sink> m_sinks;
    uint32_t m_nextCookie = 1;
    IControlSite* m_site = nullptr;
    bool m_modified = false;
    QPointer<QWidget> m_window;
};

} // namespace tezar
