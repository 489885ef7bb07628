#pragma once
// The desktop's save dialog (QFileDialog). The only place QFileDialog is used.
#include "ui/FileDialogService.h"

namespace q7 {

class QtFileDialogService final : public FileDialogService {
public:
    QString SaveFileName(QWidget* parent, const QString& title, const QString& start, const QString& filter,
                         bool confirmOverwrite) override;
};

} // namespace q7
