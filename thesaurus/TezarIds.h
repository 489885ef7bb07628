#pragma once
// What a container needs to know of the Tezar thesaurus control: class identifiers, ProgIDs, the
// dispatch identifiers of its properties, methods and events, and its constants.

#include "thesaurus/Com.h"
#include "thesaurus/Dispatch.h"

#include <cstdint>

namespace tezar {

inline constexpr Guid CLSID_TezarCtrl = {
    0x833abf47, 0xe01b, 0x4aa7, {0x93, 0x6b, 0xc9, 0x41, 0x03, 0x28, 0x53, 0x41}};
inline constexpr Guid CLSID_TezarPropPage = {
    0x860a9c4b, 0xd8b1, 0x4ec0, {0xa4, 0x4f, 0xe5, 0x92, 0xea, 0xaf, 0x21, 0xe7}};
inline constexpr Guid LIBID_Tezar = {
    0xd2ae61f2, 0xa3b9, 0x4a3d, {0xbb, 0xaa, 0x7e, 0x39, 0x05, 0x51, 0xe4, 0x93}};
inline constexpr Guid DIID_DTezar = {
    0xff4bd392, 0x3c65, 0x4bc7, {0x8e, 0xe1, 0x49, 0x2f, 0x83, 0xf0, 0x2e, 0xe0}};
inline constexpr Guid DIID_DTezarEvents = {
    0x249bc03a, 0x99a6, 0x451e, {0x9d, 0xd4, 0x9d, 0xbd, 0x19, 0x60, 0xce, 0x81}};

inline constexpr const char* kTezarCtrlProgId = "Lexo.LexoCtrl.1";
inline constexpr const char* kTezarPropPageProgId = "Lexo.LexoPropPage.1";
inline constexpr uint16_t kTezarTypeLibMajor = 1;
inline constexpr uint16_t kTezarTypeLibMinor = 0;
// Activate when visible, set client site first, inside-out, can't link inside, recompose on resize.
inline constexpr uint32_t kTezarMiscStatus = 0x20191;

// Properties and methods.
constexpr DispId DISPID_DialogTitle = 1;
constexpr DispId DISPID_OptionBtnCaption = 2;
constexpr DispId DISPID_OptionBtnVisible = 3;
constexpr DispId DISPID_HelpBtnVisible = 4;
constexpr DispId DISPID_AutomaticDialog = 5;
constexpr DispId DISPID_MainThesFile = 6;
constexpr DispId DISPID_SynonymCount = 7;
constexpr DispId DISPID_CheckWord = 8;
constexpr DispId DISPID_DialogTop = 9;
constexpr DispId DISPID_DialogLeft = 10;
constexpr DispId DISPID_LastThesError = 11;
constexpr DispId DISPID_ThesaurusLanguage = 12;
constexpr DispId DISPID_ChangedWord = 13;
constexpr DispId DISPID_Synonym = 14;

// Events; every parameter is a 16-bit integer passed by reference.
constexpr DispId DISPID_BadWord = 1;        // (Problem)
constexpr DispId DISPID_Changed = 2;        // ()
constexpr DispId DISPID_Complete = 3;       // (Cancelled)
constexpr DispId DISPID_HelpBtnClick = 4;   // ()
constexpr DispId DISPID_OptionBtnClick = 5; // ()
constexpr DispId DISPID_Suggestion = 6;     // (Problem, Cancel)

inline const char* TezarEventName(DispId id) {
    switch (id) {
    case DISPID_BadWord:
        return "BadWord";
    case DISPID_Changed:
        return "Changed";
    case DISPID_Complete:
        return "Complete";
    case DISPID_HelpBtnClick:
        return "HelpBtnClick";
    case DISPID_OptionBtnClick:
        return "OptionBtnClick";
    case DISPID_Suggestion:
        return "Suggestion";
    default:
        return "";
    }
}

// Parameter names of an event, in order; null after the last.
inline const char* TezarEventParameter(DispId id, int index) {
    if (id == DISPID_BadWord && index == 0) return "Problem";
    if (id == DISPID_Complete && index == 0) return "Cancelled";
    if (id == DISPID_Suggestion && index == 0) return "Problem";
    if (id == DISPID_Suggestion && index == 1) return "Cancel";
    return nullptr;
}

// AutomaticDialogConstants
enum AutomaticDialogConstants : int16_t {
    lexoNoDialog = 0,
    lexoEnglishDialog = 1,
    lexoSpanishDialog = 2,
    lexoGermanDialog = 3,
    lexoFrenchDialog = 4,
};

} // namespace tezar
