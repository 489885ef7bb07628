#pragma once
// The Thesaurus dialog as its dialog procedure sees it: messages in, operations on the dialog's
// controls by id out. The Qt dialog implements the window and forwards its events as messages; a
// test can implement it without any widget.

#include <cstdint>
#include <string>
#include <string_view>

namespace tezar {

// Messages.
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_INITDIALOG = 0x0110;
constexpr uint32_t WM_COMMAND = 0x0111;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;

// Notification codes carried in the high word of a WM_COMMAND wParam.
constexpr uint16_t BN_CLICKED = 0;
constexpr uint16_t LBN_SELCHANGE = 1;
constexpr uint16_t CBN_SELCHANGE = 1;
constexpr uint16_t CBN_DBLCLK = 2;

constexpr uintptr_t MakeWParam(uint16_t low, uint16_t high) {
    return uintptr_t(low) | uintptr_t(high) << 16;
}
constexpr uint16_t LowWord(uintptr_t v) {
    return static_cast<uint16_t>(v & 0xFFFF);
}
constexpr uint16_t HighWord(uintptr_t v) {
    return static_cast<uint16_t>((v >> 16) & 0xFFFF);
}

// Dialog results.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Controls of the Thesaurus dialog (template TZARDLG, 232 x 104 dialog units).
constexpr int kIdChangeTo = 1000;      // combo box: edit field over an always-open list
constexpr int kIdLookedUpList = 1003;  // one-line list holding the word looked up
constexpr int kIdOptions = 1004;       // "&Options..."
constexpr int kIdReplace = 1006;       // "&Replace", the default button
constexpr int kIdHelp = 1007;          // "&Help"
constexpr int kIdChangeToLabel = 1010; // "Change &To:"
constexpr int kIdSynonymsLabel = 1011; // "Synonyms:"
constexpr int kIdLookedUpLabel = 1012; // "Looked Up:"
constexpr int kIdCancel = IDCANCEL;    // "Cancel"
constexpr uint32_t kIdmAbout = 0x0010; // "About..." in the system menu

// Texts are single-byte Latin-1.
class IDialogWindow {
public:
    virtual void SetCaption(std::string_view text) = 0;
    virtual void SetItemText(int id, std::string_view text) = 0; // labels, buttons, the combo's edit field
    virtual std::string GetItemText(int id) const = 0;
    virtual void ShowItem(int id, bool show) = 0;
    virtual void SetFocusTo(int id) = 0;

    // Outer size in pixels, the desktop's size, and placing the dialog's top-left corner.
    virtual void GetSize(int& width, int& height) const = 0;
    virtual void GetDesktopSize(int& width, int& height) const = 0;
    virtual void MoveTo(int left, int top) = 0;

    // List boxes and the combo's list (ids 1003 and 1000).
    virtual void AddString(int id, std::string_view text) = 0;
    virtual int GetCount(int id) const = 0;
    virtual std::string GetString(int id, int index) const = 0;
    // -1 clears the selection; selecting in the combo also puts the item's text in its edit field.
    virtual void SetCurSel(int id, int index) = 0;
    virtual void LimitText(int id, int length) = 0;
    virtual void SelectAllText(int id) = 0;

    virtual void AppendSystemMenuSeparator() = 0;
    virtual void AppendSystemMenuItem(uint32_t command, std::string_view text) = 0;
    virtual void MessageBox(std::string_view text, std::string_view caption) = 0;
    virtual void EndDialog(int result) = 0;

protected:
    ~IDialogWindow() = default;
};

using DialogProc = intptr_t (*)(IDialogWindow* dialog, uint32_t message, uintptr_t wParam, intptr_t lParam);

} // namespace tezar
