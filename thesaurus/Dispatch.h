#pragma once
// Late-bound calls by dispatch identifier, automation errors, and event connections.

#include "thesaurus/Com.h"
#include "thesaurus/Variant.h"

#include <string>
#include <string_view>
#include <vector>

namespace tezar {

using DispId = int32_t;

constexpr DispId DISPID_VALUE = 0;
constexpr DispId DISPID_UNKNOWN = -1;
constexpr DispId DISPID_HWND = -515;
constexpr DispId DISPID_ABOUTBOX = -552;
constexpr DispId DISPID_AMBIENT_USERMODE = -709;

constexpr HResult DISP_E_MEMBERNOTFOUND = static_cast<HResult>(0x80020003);
constexpr HResult DISP_E_UNKNOWNNAME = static_cast<HResult>(0x80020006);
constexpr HResult DISP_E_EXCEPTION = static_cast<HResult>(0x80020009);
constexpr HResult DISP_E_BADPARAMCOUNT = static_cast<HResult>(0x8002000E);

// Error numbers a container sees in an automation error (ExcepInfo::code).
constexpr uint16_t kErrInvalidPropertyArrayIndex = 381;
constexpr uint16_t kErrSetNotSupported = 383;
constexpr uint16_t kErrGetNotSupported = 394;

enum class InvokeKind { Method = 1, PropertyGet = 2, PropertyPut = 4 };

// Arguments in declaration order; a property put passes its indices first and the new value last.
struct DispParams {
    std::vector<Variant> args;
};

// An automation error: its number (as a script sees it), the full status code and the texts.
struct ExcepInfo {
    uint16_t code = 0;
    HResult scode = 0;
    std::string source;
    std::string description;
};

// The status code of a control's error number (facility "control").
constexpr HResult ControlErrorCode(uint16_t number) {
    return static_cast<HResult>(0x800A0000u | number);
}

inline constexpr Guid IID_IDispatch = {
    0xeb913322, 0xe5e7, 0x48fb, {0x9c, 0x8d, 0xcd, 0x89, 0x9a, 0xa4, 0xd1, 0x43}};
inline constexpr Guid IID_IConnectionPoint = {
    0xbda7ced2, 0xda21, 0x4e90, {0x95, 0xdf, 0xc4, 0x8a, 0x33, 0x1c, 0x34, 0x97}};

class IDispatch : public IUnknown {
public:
    // Names compare without regard to case.
    virtual HResult GetIDsOfNames(std::string_view name, DispId* id) = 0;
    // DISP_E_EXCEPTION with excep filled for an automation error.
    virtual HResult Invoke(DispId id, InvokeKind kind, DispParams& params, Variant* result,
                           ExcepInfo* excep) = 0;

protected:
    ~IDispatch() = default;
};

// The control's outgoing event interface: each event is an Invoke on the sink with the event's
// DISPID and InvokeKind::Method.
class IConnectionPoint : public IUnknown {
public:
    virtual HResult Advise(IDispatch* sink, uint32_t* cookie) = 0;
    virtual HResult Unadvise(uint32_t cookie) = 0;

protected:
    ~IConnectionPoint() = default;
};

} // namespace tezar
