#pragma once
// The demo's side of hosting the thesaurus control: finds the control's library through the
// registration file, creates the control through the library's class factory, and gives it a site
// and an event sink.

#include "thesaurus/ControlSite.h"
#include "thesaurus/Dispatch.h"

#include <functional>
#include <string>

class QWidget;

namespace tezar {

class ControlHost {
public:
    using EventHandler = std::function<void(DispId id, DispParams& params)>;

    ControlHost();
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    // Loads the library registered for "Lexo.LexoCtrl.1", or failing that the one installed beside
    // this program, and creates the control. On failure returns false and says why.
    bool Create(QWidget* window, std::string& error);
    // The library the control came from.
    const std::string& LibraryPath() const { return m_libraryPath; }

    void SetEventHandler(EventHandler handler);

    HResult Get(DispId id, Variant& value, ExcepInfo* excep = nullptr, std::vector<Variant> args = {});
    HResult Put(DispId id, Variant value, ExcepInfo* excep = nullptr);
    HResult Call(DispId id, ExcepInfo* excep = nullptr);
    IDispatch* Control() const { return m_control; }

    // The library of this program's install (../lib/<multiarch>/fluvarex/libtezar.so), of its build
    // tree (../lib/libtezar.so) or beside it (./libtezar.so), or "".
    static std::string BundledLibrary();

private:
    class Site;
    class Sink;

    void* m_library = nullptr;
    std::string m_libraryPath;
    IDispatch* m_control = nullptr;
    Site* m_site;
    Sink* m_sink;
    uint32_t m_cookie = 0;
};

} // namespace tezar
