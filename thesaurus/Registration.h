#pragma once
// What the library writes to the registration file about itself, and takes away again.

#include "thesaurus/Com.h"

#include <string>

namespace tezar {

class Registration {
public:
    // The control class (ProgID "Lexo.LexoCtrl.1"), its property page ("Lexo.LexoPropPage.1") and
    // the type library 1.0, all served by `libraryPath`.
    static HResult Register(const std::string& registryPath, const std::string& libraryPath);
    // Removes exactly the keys Register writes; other entries stay.
    static HResult Unregister(const std::string& registryPath);
};

} // namespace tezar
