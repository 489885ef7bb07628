#include "store/ui/frmOpen.h"

#include "store/ui/ProjectHost.h"
#include "store/ui/ProjectSession.h"

namespace q7 {

frmOpen::frmOpen(ProjectHost& host, QWidget* parent)
    : ProjectListDialog(host, QStringLiteral("&OK"), parent) {
    setObjectName(QStringLiteral("frmOpen"));
}

void frmOpen::Confirm() {
    if (ProjectCount() == 0) {
        // Nothing to open.
        reject();
        return;
    }
    m_host.LoadProjectIntoForm(m_host.Session().CurPrjID);
    accept();
}

} // namespace q7
