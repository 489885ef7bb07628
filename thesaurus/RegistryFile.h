#pragma once
// The per-user registration file where controls record their classes, ProgIDs and type libraries,
// and where containers find them. Keys are sections, values are "name=value" lines ("@" is a key's
// own value); key names compare without regard to case:
//
//   [Lexo.LexoCtrl.1\CLSID]
//   @={833ABF47-E01B-4AA7-936B-C94103285341}
//   [CLSID\{833ABF47-E01B-4AA7-936B-C94103285341}\InprocServer32]
//   @=/usr/lib/x86_64-linux-gnu/fluvarex/libtezar.so

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tezar {

class RegistryFile {
public:
    // $XDG_DATA_HOME/tezar/registry.ini, with ~/.local/share when XDG_DATA_HOME is unset or relative.
    static std::string DefaultPath();

    // A missing file reads as empty; false when the file exists but cannot be read.
    bool Load(const std::string& path);
    // Writes beside the target and renames into place; creates the folder when needed.
    bool Save(const std::string& path) const;

    void SetValue(std::string_view key, std::string_view name, std::string_view value);
    std::optional<std::string> Value(std::string_view key, std::string_view name = "@") const;
    bool HasKey(std::string_view key) const;
    // Removes the key and every key below it.
    void RemoveTree(std::string_view key);
    std::vector<std::string> Keys() const;

    // The library registered for a ProgID (ProgID -> CLSID -> InprocServer32), or "".
    std::string ServerForProgId(std::string_view progId, std::string* clsid = nullptr) const;

private:
    struct Section {
        std::string key;
        std::vector<std::pair<std::string, std::string>> values;
    };
    Section* Find(std::string_view key);
    const Section* Find(std::string_view key) const;

    std::vector<Section> m_sections;
};

} // namespace tezar
