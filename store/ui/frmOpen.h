#pragma once
// Project -> Open: picks a project and loads it into the main window.
#include "store/ui/ProjectListDialog.h"

namespace q7 {

class frmOpen : public ProjectListDialog {
    Q_OBJECT
public:
    explicit frmOpen(ProjectHost& host, QWidget* parent = nullptr);

protected:
    void Confirm() override;
};

} // namespace q7
