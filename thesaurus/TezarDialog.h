#pragma once
// The Thesaurus dialog in Qt: the controls of template TZARDLG placed by dialog units (converted
// through the dialog font's average character width and height), every user action forwarded to the
// dialog procedure as a message, and the procedure's requests carried out on the widgets.

#include "thesaurus/DialogWindow.h"

#include <QDialog>
#include <QFont>
#include <QList>
#include <QMap>
#include <QPair>
#include <QRect>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tezar {

class TezarDialog final : public QDialog, public IDialogWindow {
public:
    static constexpr int kWidthDu = 232;
    static constexpr int kHeightDu = 104;

    TezarDialog(DialogProc proc, QWidget* owner);

    // Sends WM_INITDIALOG, then runs the dialog modally; returns the value given to EndDialog.
    static int Run(DialogProc proc, QWidget* owner);
    // Whether this process can show widgets at all.
    static bool CanShow();
    static void ShowAbout(QWidget* owner);

    // Dialog units to pixels with this dialog's font.
    QRect DuToPixels(int x, int y, int w, int h) const;
    QWidget* Item(int id) const { return m_items.value(id, nullptr); }
    QLineEdit* ComboEdit() const { return m_comboEdit; }
    QListWidget* ComboList() const { return m_comboList; }
    // The system menu's added items, as (command, text).
    const QList<QPair<uint32_t, QString>>& SystemMenuItems() const { return m_systemMenu; }
    void ChooseSystemMenuItem(uint32_t command);
    intptr_t Forward(uint32_t message, uintptr_t wParam, intptr_t lParam = 0);

    // IDialogWindow
    void SetCaption(std::string_view text) override;
    void SetItemText(int id, std::string_view text) override;
    std::string GetItemText(int id) const override;
    void ShowItem(int id, bool show) override;
    void SetFocusTo(int id) override;
    void GetSize(int& width, int& height) const override;
    void GetDesktopSize(int& width, int& height) const override;
    void MoveTo(int left, int top) override;
    void AddString(int id, std::string_view text) override;
    int GetCount(int id) const override;
    std::string GetString(int id, int index) const override;
    void SetCurSel(int id, int index) override;
    void LimitText(int id, int length) override;
    void SelectAllText(int id) override;
    void AppendSystemMenuSeparator() override;
    void AppendSystemMenuItem(uint32_t command, std::string_view text) override;
    void MessageBox(std::string_view text, std::string_view caption) override;
    void EndDialog(int result) override;

    // Escape and the window's close button: the dialog's Cancel.
    void reject() override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QListWidget* List(int id) const;
    void PopupSystemMenu(const QPoint& at);
    QPushButton* AddButton(int id, const char* text, int x, int y, int w, int h);
    QLabel* AddLabel(int id, const char* text, int x, int y, int w, int h);

    DialogProc m_proc;
    int m_baseX = 6;
    int m_baseY = 13;
    bool m_programmatic = false;
    bool m_ended = false;
    int m_result = IDCANCEL;
    QMap<int, QWidget*> m_items;
    QLineEdit* m_comboEdit = nullptr;
    QListWidget* m_comboList = nullptr;
    QListWidget* m_lookedUp = nullptr;
    QList<QPair<uint32_t, QString>> m_systemMenu; // command 0: separator
};

} // namespace tezar
