#pragma once
// Project -> New and Project -> Edit: the project's name, author and description. In mode 1 Save
// creates the project from the inputs on screen and opens it; in mode 2 it rewrites the open
// project's header.
#include "store/Recordset.h"

#include <QDialog>

class QPushButton;

namespace q7 {

class InputBox;
class ProjectHost;

class frmProject : public QDialog {
    Q_OBJECT
public:
    // The mode is the host's ProjectDialogMode.
    explicit frmProject(ProjectHost& host, QWidget* parent = nullptr);
    // False when the project's row could not be read (the error has been shown).
    bool Ready() const { return m_ready; }

private:
    void BoxChanged(InputBox* box);
    void Save();

    ProjectHost& m_host;
    int m_mode;
    Recordset m_row;
    bool m_ready = false;
    InputBox* m_txtPrjName;
    InputBox* m_txtCreatedBy;
    InputBox* m_txtDesc;
    QPushButton* m_cmdSave;
    QPushButton* m_cmdCancel;
};

} // namespace q7
