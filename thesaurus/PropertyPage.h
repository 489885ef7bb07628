#pragma once
// Property pages: a control names the pages that edit it, and a container shows them.

#include "thesaurus/Dispatch.h"

#include <string>
#include <vector>

namespace tezar {

inline constexpr Guid IID_IPropertyPage = {
    0x2c0639ea, 0xa329, 0x40a3, {0x88, 0xfa, 0x02, 0x6e, 0xa6, 0x2f, 0x8d, 0x40}};
inline constexpr Guid IID_ISpecifyPropertyPages = {
    0x468bddb9, 0x4fcf, 0x4c8a, {0xaf, 0xd7, 0xbb, 0x93, 0x6e, 0x78, 0x1a, 0xa4}};

class ISpecifyPropertyPages : public IUnknown {
public:
    virtual HResult GetPages(std::vector<Guid>* pages) = 0;

protected:
    ~ISpecifyPropertyPages() = default;
};

class IPropertyPage : public IUnknown {
public:
    virtual HResult GetTitle(std::string* title) = 0;
    // The controls the page edits (their dispatch interfaces); an empty list releases them.
    virtual HResult SetObjects(const std::vector<IDispatch*>& objects) = 0;
    // Creates the page's widget inside `parent` (a QWidget*) and fills it from the first object.
    virtual HResult Activate(void* parent) = 0;
    virtual HResult Deactivate() = 0;
    // S_OK when a field was edited since the last Apply, else S_FALSE.
    virtual HResult IsPageDirty() = 0;
    // Writes every field to every object.
    virtual HResult Apply() = 0;

protected:
    ~IPropertyPage() = default;
};

} // namespace tezar
