#pragma once
// What the three output dialogs share beyond the program's dialog support (ui/DialogSupport.h):
// the program's pieces they reach, and the frame of properties the CSV export and the report include.
#include "ui/DialogSupport.h"

#include <array>
#include <functional>

class QCheckBox;
class QDialog;
class QGroupBox;

namespace q7 {

struct Q7Objects;
class FileDialogService;
class MessageService;

// The program-wide pieces an output dialog reads or uses for one opening.
struct OutputDialogHost {
    const Q7Objects& objects; // the calculation objects (GO flags, rock system, tables)
    MessageService& messages; // error and completion boxes
    FileDialogService& files; // the desktop's save dialog behind the "…" buttons
};

// The frame " Include Properties " (Frame1) with the group boxes cbxInclude(0)… of the CSV export and
// the report, unticked and disabled until the dialog loads; a toggle calls `clicked` with its index.
QGroupBox* IncludeFrame(QDialog* dialog, const std::array<const char*, 4>& captions,
                        std::array<QCheckBox*, 4>& boxes, const std::function<void(int)>& clicked);

} // namespace q7
