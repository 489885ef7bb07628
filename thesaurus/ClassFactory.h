#pragma once
// Creates the library's objects for a container: one factory per creatable class.

#include "thesaurus/Com.h"

namespace tezar {

class ClassFactory final : public IClassFactory {
public:
    // Makes a new object and asks it for `iid`; the object starts with one reference that the call
    // hands on or releases.
    using Creator = HResult (*)(const Guid& iid, void** object);

    explicit ClassFactory(Creator create) : m_create(create) {}

    HResult QueryInterface(const Guid& iid, void** object) override;
    uint32_t AddRef() override;
    uint32_t Release() override;
    HResult CreateInstance(IUnknown* outer, const Guid& iid, void** object) override;
    HResult LockServer(bool lock) override;

    // The factory of a class of this library, or null.
    static ClassFactory* For(const Guid& clsid);

private:
    Creator m_create;
};

} // namespace tezar
