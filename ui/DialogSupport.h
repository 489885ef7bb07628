#pragma once
// What the program's dialogs share: selecting a box's text (on focus), the "…" button beside a
// name box, the run/Cancel row, the tab order, and running a writer with the report of a failure.
#include <QString>

#include <functional>
#include <vector>

class QDialog;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace q7 {

class FileDialogService;
class MessageService;

// Selects the whole text of the box.
void SelectAllText(QLineEdit* box);

// Selects the box's whole text whenever it receives the focus (also when the focus comes from a
// mouse click, which would otherwise place the cursor).
void SelectAllOnFocus(QWidget* box);

// The "…" button beside `box`: opens the save dialog at the box's name (relative names resolve
// against the current folder), passes the chosen path through `adjust` (when given) and puts it
// in the box. The box's own change rule then runs, also when the chosen path equals its text
// (`changeRule` is run directly in that case). A cancelled dialog changes nothing.
struct BrowseChoice {
    QString title;
    QString filter;
    bool confirmOverwrite = true;
    std::function<QString(const QString&)> adjust;
};
QPushButton* BrowseButton(QWidget* parent, QLineEdit* box, const QString& objectName,
                          FileDialogService& files, BrowseChoice choice, std::function<void()> changeRule);

// The row of the dialog's default button cmdReport (captioned `caption`, with its access key) and
// cmdCancel ("Cancel", key C), right-aligned; Cancel rejects the dialog. Enter anywhere runs the default
// button, except on a focused push button, which Enter presses; Escape cancels.
QHBoxLayout* RunCancelRow(QDialog* dialog, const QString& caption, QPushButton*& run, QPushButton*& cancel);

// Tab visits `widgets` in this order (the rest of the dialog's focus chain follows them).
void SetTabOrder(const std::vector<QWidget*>& widgets);

// The run button of an output dialog: runs the writer and closes the dialog; a write that fails
// shows the path and the system's reason under `title` in an error box, and the dialog stays open
// so the name can be corrected.
void RunWriter(QDialog& dialog, MessageService& messages, const QString& title,
               const std::function<void()>& execute);

} // namespace q7
