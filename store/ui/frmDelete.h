#pragma once
// Project -> Delete: picks a project and, when the user confirms, deletes it with all its data.
#include "store/ui/ProjectListDialog.h"

namespace q7 {

class frmDelete : public ProjectListDialog {
    Q_OBJECT
public:
    explicit frmDelete(ProjectHost& host, QWidget* parent = nullptr);

protected:
    void Confirm() override;
};

} // namespace q7
