#pragma once
// The desktop's file dialog as the output dialogs use it: a name to save under. The workstation
// uses QtFileDialogService; tests install a fake that answers with a chosen path.
#include <QString>

class QWidget;

namespace q7 {

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // Asks for a file to save under, starting at `start` (a folder, or a folder and file name),
    // offering the file types of `filter` ("Text files (*.txt);;All files (*)"). Returns the chosen
    // path, or an empty text when the user cancelled. With `confirmOverwrite` the dialog asks
    // before an existing file is chosen.
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& start,
                                 const QString& filter, bool confirmOverwrite) = 0;
};

} // namespace q7
