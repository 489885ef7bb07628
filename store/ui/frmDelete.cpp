#include "store/ui/frmDelete.h"

#include "numeric/Errors.h"
#include "store/clsQ7IO.h"
#include "store/ui/ProjectHost.h"
#include "store/ui/ProjectSession.h"

#include <QPushButton>

namespace q7 {

frmDelete::frmDelete(ProjectHost& host, QWidget* parent)
    : ProjectListDialog(host, QStringLiteral("&Delete"), parent) {
    setObjectName(QStringLiteral("frmDelete"));
}

void frmDelete::Confirm() {
    ProjectSession& state = m_host.Session();
    if (ProjectCount() > 0 && state.AskYesNo(QStringLiteral("Delete project ") + state.CurPrjName +
                                                 QStringLiteral(".  Are you sure?"),
                                             QStringLiteral("Remove Project from Q7"))) {
        try {
            m_host.Database().DelProject(state.CurPrjID);
        } catch (const Error& e) {
            state.ShowError(QString::fromStdString(e.what()), QStringLiteral("Project Database Error"));
        }
    }
    // No project is open while Delete is available: the chosen one is not kept as current.
    RestoreCurrentProject();
    accept();
}

} // namespace q7
