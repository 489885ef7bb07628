// tezar-demo: a small container for the Tezar thesaurus control.
//
//   tezar-demo [--word W] [--language 0..4] [--options] [--help-button] [--file F] [--check]
//       shows the form; --check opens the thesaurus for the word at once
//   tezar-demo --lookup WORD [--file F]
//       checks the word without a dialog and prints each event as it is raised, then "--", then
//       the synonyms one per line; a file error prints its number and text and exits 1
//   tezar-demo --register | --unregister
//       registers or unregisters the control library installed beside this program

#include "thesaurus/Latin1.h"
#include "thesaurus/TezarExports.h"
#include "thesaurus/TezarIds.h"
#include "thesaurus/demo/ControlHost.h"
#include "thesaurus/demo/DemoForm.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <iostream>
#include <optional>
#include <string>

using namespace tezar;

namespace {

// Command-line text is UTF-8; the control takes Latin-1.
std::string ArgToLatin1(const char* arg) {
    std::string out;
    return Utf8ToLatin1(arg, out) ? out : std::string(arg);
}

int Lookup(const std::string& word, const std::optional<std::string>& file) {
    ControlHost host;
    std::string error;
    if (!host.Create(nullptr, error)) {
        std::cerr << "tezar-demo: " << error << "\n";
        return 2;
    }
    host.SetEventHandler([](DispId id, DispParams& params) {
        std::string line = TezarEventName(id);
        for (size_t i = 0; i < params.args.size(); ++i) {
            const char* name = TezarEventParameter(id, static_cast<int>(i));
            if (name != nullptr && params.args[i].Type() == VarType::RefI2)
                line += std::string(" ") + name + "=" + std::to_string(*params.args[i].AsRefI2());
        }
        std::cout << line << "\n";
    });
    if (file) host.Put(DISPID_MainThesFile, Variant::String(ArgToLatin1(file->c_str())));
    host.Put(DISPID_AutomaticDialog, Variant::I2(lexoNoDialog));
    ExcepInfo e;
    const HResult hr = host.Put(DISPID_CheckWord, Variant::String(word), &e);
    if (hr == DISP_E_EXCEPTION) {
        std::cout.flush();
        std::cerr << e.code << " " << Latin1ToUtf8(e.description) << "\n";
        return 1;
    }
    if (Failed(hr)) {
        std::cerr << "tezar-demo: the check failed (" << hr << ")\n";
        return 2;
    }
    std::cout << "--\n";
    Variant count;
    host.Get(DISPID_SynonymCount, count);
    for (int16_t i = 0; i < count.AsI2(); ++i) {
        Variant s;
        if (host.Get(DISPID_Synonym, s, nullptr, {Variant::I2(i)}) == S_OK)
            std::cout << Latin1ToUtf8(s.AsString()) << "\n";
    }
    return 0;
}

int Register(bool reg) {
    const std::string path = ControlHost::BundledLibrary();
    void* lib = path.empty() ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (lib == nullptr) {
        std::cerr << "tezar-demo: no control library beside this program\n";
        return 2;
    }
    auto fn =
        reinterpret_cast<DllRegisterServerFn>(dlsym(lib, reg ? "DllRegisterServer" : "DllUnregisterServer"));
    const HResult hr = fn != nullptr ? fn() : E_FAIL;
    std::cout << (reg ? "DllRegisterServer" : "DllUnregisterServer") << " in " << path << ": "
              << (hr == S_OK ? "succeeded" : "failed") << "\n";
    dlclose(lib);
    return hr == S_OK ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    std::optional<std::string> lookup, file, word;
    int language = lexoEnglishDialog;
    bool options = false, help = false, check = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "tezar-demo: " << a << " needs a value\n";
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--lookup")
            lookup = ArgToLatin1(next().c_str());
        else if (a == "--file")
            file = next();
        else if (a == "--word")
            word = next();
        else if (a == "--language")
            language = std::atoi(next().c_str());
        else if (a == "--options")
            options = true;
        else if (a == "--help-button")
            help = true;
        else if (a == "--check")
            check = true;
        else if (a == "--register")
            return Register(true);
        else if (a == "--unregister")
            return Register(false);
        else {
            std::cerr
                << "usage: tezar-demo [--word W] [--language 0..4] [--options] [--help-button] [--file F] "
                   "[--check]\n       tezar-demo --lookup WORD [--file F]\n       tezar-demo --register | "
                   "--unregister\n";
            return 2;
        }
    }
    if (lookup) return Lookup(*lookup, file);

    QApplication app(argc, argv);
    ControlHost host;
    std::string error;
    QWidget placeholder;
    if (!host.Create(&placeholder, error)) {
        std::cerr << "tezar-demo: " << error << "\n";
        return 2;
    }
    DemoForm form(host);
    if (file) form.SetThesaurusFile(QString::fromStdString(*file));
    if (word) form.SetWord(QString::fromStdString(*word));
    form.SetLanguage(language);
    form.SetButtons(options, help);
    form.show();
    if (check) QTimer::singleShot(300, &form, [&form] { form.Check(); });
    return app.exec();
}
