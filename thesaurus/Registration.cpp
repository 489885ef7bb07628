#include "thesaurus/Registration.h"

#include "thesaurus/RegistryFile.h"
#include "thesaurus/TezarIds.h"

#include <filesystem>

namespace tezar {

namespace {

const std::string kCtrlKey = "CLSID\\" + GuidToString(CLSID_TezarCtrl);
const std::string kPageKey = "CLSID\\" + GuidToString(CLSID_TezarPropPage);
const std::string kTypeLibKey = "TypeLib\\" + GuidToString(LIBID_Tezar) + "\\" +
                                std::to_string(kTezarTypeLibMajor) + "." + std::to_string(kTezarTypeLibMinor);

} // namespace

HResult Registration::Register(const std::string& registryPath, const std::string& libraryPath) {
    if (libraryPath.empty()) return SELFREG_E_CLASS;
    RegistryFile reg;
    if (!reg.Load(registryPath)) return SELFREG_E_CLASS;
    const std::string version = std::to_string(kTezarTypeLibMajor) + "." + std::to_string(kTezarTypeLibMinor);
    const std::string ctrlName = "Tezar Thesaurus Control";
    const std::string pageName = "Tezar Thesaurus Property Page";

    reg.SetValue(kTypeLibKey, "@", "Tezar Thesaurus Control module");
    reg.SetValue(kTypeLibKey + "\\0\\linux", "@", libraryPath);
    reg.SetValue(kTypeLibKey + "\\FLAGS", "@", "0");
    reg.SetValue(kTypeLibKey + "\\HELPDIR", "@", std::filesystem::path(libraryPath).parent_path().string());

    reg.SetValue(kCtrlKey, "@", ctrlName);
    reg.SetValue(kCtrlKey + "\\InprocServer32", "@", libraryPath);
    reg.SetValue(kCtrlKey + "\\ProgID", "@", kTezarCtrlProgId);
    reg.SetValue(kCtrlKey + "\\Control", "@", "");
    reg.SetValue(kCtrlKey + "\\MiscStatus", "@", "0");
    reg.SetValue(kCtrlKey + "\\MiscStatus\\1", "@", std::to_string(kTezarMiscStatus));
    reg.SetValue(kCtrlKey + "\\ToolboxBitmap32", "@", libraryPath + ", 1");
    reg.SetValue(kCtrlKey + "\\TypeLib", "@", GuidToString(LIBID_Tezar));
    reg.SetValue(kCtrlKey + "\\Version", "@", version);
    reg.SetValue(kTezarCtrlProgId, "@", ctrlName);
    reg.SetValue(std::string(kTezarCtrlProgId) + "\\CLSID", "@", GuidToString(CLSID_TezarCtrl));

    reg.SetValue(kPageKey, "@", pageName);
    reg.SetValue(kPageKey + "\\InprocServer32", "@", libraryPath);
    reg.SetValue(kPageKey + "\\ProgID", "@", kTezarPropPageProgId);
    reg.SetValue(kTezarPropPageProgId, "@", pageName);
    reg.SetValue(std::string(kTezarPropPageProgId) + "\\CLSID", "@", GuidToString(CLSID_TezarPropPage));
    return reg.Save(registryPath) ? S_OK : SELFREG_E_CLASS;
}

HResult Registration::Unregister(const std::string& registryPath) {
    RegistryFile reg;
    if (!reg.Load(registryPath)) return SELFREG_E_CLASS;
    for (const std::string& key :
         {kCtrlKey, std::string(kTezarCtrlProgId), kPageKey, std::string(kTezarPropPageProgId), kTypeLibKey})
        reg.RemoveTree(key);
    return reg.Save(registryPath) ? S_OK : SELFREG_E_CLASS;
}

} // namespace tezar
