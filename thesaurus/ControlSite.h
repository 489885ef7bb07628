#pragma once
// Between a control and the container that holds it: the container's site, and the control's side
// of the arrangement.

#include "thesaurus/Dispatch.h"

namespace tezar {

inline constexpr Guid IID_IControlSite = {
    0xcade3bdf, 0x25cd, 0x4c00, {0x82, 0x4f, 0x25, 0x6b, 0x0c, 0x78, 0x05, 0xa9}};
inline constexpr Guid IID_IOleControl = {
    0xfa53797c, 0xe4f1, 0x453e, {0x84, 0x0d, 0xe7, 0xe2, 0x99, 0x16, 0xe6, 0x9f}};

// Implemented by the container, one per control it holds.
class IControlSite : public IUnknown {
public:
    // An ambient property of the container, such as DISPID_AMBIENT_USERMODE (true at run time);
    // DISP_E_MEMBERNOTFOUND when the container does not supply it.
    virtual HResult GetAmbientProperty(DispId id, Variant* value) = 0;
    // A modal dialog of the control is about to open (true) or has closed (false).
    virtual void OnModalDialog(bool opening) = 0;
    // A bound property changed.
    virtual void OnPropertyChanged(DispId id) = 0;
    // The container's window (a QWidget*) for the control's own window, or null.
    virtual void* GetWindow() = 0;

protected:
    ~IControlSite() = default;
};

// Implemented by the control.
class IOleControl : public IUnknown {
public:
    virtual HResult SetClientSite(IControlSite* site) = 0;
    // The container changed an ambient property (DISPID_UNKNOWN: several of them).
    virtual HResult OnAmbientPropertyChange(DispId id) = 0;
    // Drops the site and the control's window; the container calls it before its last Release.
    virtual HResult Close() = 0;

protected:
    ~IOleControl() = default;
};

} // namespace tezar
