#pragma once
// The project list shared by frmOpen and frmDelete: every project by name in fxgProjects (Name,
// Created, By, Description, and the hidden PrjID), the chosen row highlighted, and the chosen
// project's number and name kept in CurPrjID and CurPrjName.
#include <QDialog>

#include <cstdint>

class QPushButton;

namespace q7 {

class FlexGrid;
class ProjectHost;

class ProjectListDialog : public QDialog {
    Q_OBJECT
public:
    // False when the list could not be read (the error has been shown); the dialog is then not shown.
    bool Ready() const { return m_ready; }
    int ProjectCount() const { return m_count; }

protected:
    // `okCaption` is the OK button's caption, with its access key when it has one.
    ProjectListDialog(ProjectHost& host, const QString& okCaption, QWidget* parent);

    // Cancel, Escape and the close box: the current project is put back as it was.
    void reject() override;

    // OK or a double click in the grid.
    virtual void Confirm() = 0;
    // Puts CurPrjID and CurPrjName back as they were when the dialog opened.
    void RestoreCurrentProject();

    ProjectHost& m_host;
    FlexGrid* m_grid = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;

private:
    void FillList();
    void RowChanged();

    int m_lastRow = 0;
    int m_count = 0;
    bool m_ready = false;
    std::int32_t m_entryPrjID = 0;
    QString m_entryPrjName;
};

} // namespace q7
