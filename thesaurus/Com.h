#pragma once
// The component model the control is built on: result codes, class and interface identifiers,
// reference-counted interfaces and the class factory. Header-only, so that a container needs nothing
// of the control's library but its exported entry points.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace tezar {

using HResult = int32_t;

constexpr HResult S_OK = 0;
constexpr HResult S_FALSE = 1;
constexpr HResult E_NOTIMPL = static_cast<HResult>(0x80004001);
constexpr HResult E_NOINTERFACE = static_cast<HResult>(0x80004002);
constexpr HResult E_POINTER = static_cast<HResult>(0x80004003);
constexpr HResult E_FAIL = static_cast<HResult>(0x80004005);
constexpr HResult E_UNEXPECTED = static_cast<HResult>(0x8000FFFF);
constexpr HResult E_OUTOFMEMORY = static_cast<HResult>(0x8007000E);
constexpr HResult E_INVALIDARG = static_cast<HResult>(0x80070057);
constexpr HResult CLASS_E_NOAGGREGATION = static_cast<HResult>(0x80040110);
constexpr HResult CLASS_E_CLASSNOTAVAILABLE = static_cast<HResult>(0x80040111);
constexpr HResult SELFREG_E_CLASS = static_cast<HResult>(0x80040201);
constexpr HResult CONNECT_E_NOCONNECTION = static_cast<HResult>(0x80040200);

constexpr bool Succeeded(HResult hr) {
    return hr >= 0;
}
constexpr bool Failed(HResult hr) {
    return hr < 0;
}

struct Guid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];

    bool operator==(const Guid& o) const {
        if (data1 != o.data1 || data2 != o.data2 || data3 != o.data3) return false;
        for (int i = 0; i < 8; ++i)
            if (data4[i] != o.data4[i]) return false;
        return true;
    }
};

// "{833ABF47-E01B-4AA7-936B-C94103285341}"
inline std::string GuidToString(const Guid& g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.data1, g.data2,
                  g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4], g.data4[5], g.data4[6],
                  g.data4[7]);
    return buf;
}

inline bool GuidFromString(std::string_view text, Guid& g) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
    unsigned v[11] = {};
    const std::string s(text);
    int used = 0;
    if (std::sscanf(s.c_str(), "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}%n", &v[0], &v[1], &v[2], &v[3], &v[4],
                    &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &used) != 11 ||
        used != 38)
        return false;
    g.data1 = v[0];
    g.data2 = static_cast<uint16_t>(v[1]);
    g.data3 = static_cast<uint16_t>(v[2]);
    for (int i = 0; i < 8; ++i)
        g.data4[i] = static_cast<uint8_t>(v[3 + i]);
    return true;
}

inline constexpr Guid IID_IUnknown = {
    0x744e1688, 0xccc7, 0x42ba, {0xbc, 0x50, 0xed, 0x0e, 0x98, 0x90, 0x13, 0x84}};
inline constexpr Guid IID_IClassFactory = {
    0x4034ac08, 0x34e3, 0x471e, {0x87, 0x38, 0x39, 0xe9, 0x52, 0xb0, 0x8e, 0xd4}};

class IUnknown {
public:
    virtual HResult QueryInterface(const Guid& iid, void** object) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

protected:
    ~IUnknown() = default;
};

class IClassFactory : public IUnknown {
public:
    // Aggregation is not supported: outer must be null.
    virtual HResult CreateInstance(IUnknown* outer, const Guid& iid, void** object) = 0;
    virtual HResult LockServer(bool lock) = 0;

protected:
    ~IClassFactory() = default;
};

// Holds one reference and releases it; for containers and tests.
template <class T> class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(T* p) : m_p(p) {} // takes over a reference
    ComPtr(const ComPtr& o) : m_p(o.m_p) {
        if (m_p) m_p->AddRef();
    }
    ComPtr& operator=(const ComPtr& o) {
        if (o.m_p) o.m_p->AddRef();
        Reset();
        m_p = o.m_p;
        return *this;
    }
    ~ComPtr() { Reset(); }
    void Reset() {
        if (m_p) m_p->Release();
        m_p = nullptr;
    }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void** PutVoid() {
        Reset();
        return reinterpret_cast<void**>(&m_p);
    }

private:
    T* m_p = nullptr;
};

} // namespace tezar
