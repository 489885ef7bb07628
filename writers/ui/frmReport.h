#pragma once
// File -> Report: the identification printed at the head of the report, the report's file name and
// the property groups. Starts from the current project's fields and passes every edit straight to
// its clsReport; the project itself is never changed.
#include "ui/MessageServiceSink.h"
#include "writers/ui/OutputDialogSupport.h"

#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace q7 {

class clsProject;
class clsReport;

class frmReport : public QDialog {
    Q_OBJECT
public:
    static constexpr int kGroups = 4; // Oil, Gas, Water, Rock

    // Builds the dialog and loads it from the project's fields and the GO flags; the writer lives
    // as long as the dialog.
    frmReport(const OutputDialogHost& host, const clsProject& project, QWidget* parent = nullptr);
    ~frmReport() override;

    // Opens the dialog modally over `parent` (the Report menu item).
    static void Show(const OutputDialogHost& host, const clsProject& project, QWidget* parent);

    const clsReport& Writer() const { return *m_report; }
    // The writer, for setting what the dialog has no control for (the clock of the header line).
    clsReport& Writer() { return *m_report; }

private:
    void Load(const clsProject& project);
    void IncludeClicked(int k);
    void ReportClick();

    OutputDialogHost m_host;
    MessageServiceSink m_sink;
    std::unique_ptr<clsReport> m_report;
    QLineEdit* m_txtCompany;
    QLineEdit* m_txtField;
    QLineEdit* m_txtReservoir;
    QPlainTextEdit* m_txtDesc;
    QLineEdit* m_txtCreatedBy;
    QLineEdit* m_txtFileName;
    std::array<QCheckBox*, kGroups> m_cbxInclude{};
    // The section naming each correlation the case used (always written for a matched case).
    QCheckBox* m_cbxCorrelations;
    QPushButton* m_cmdReport;
    QPushButton* m_cmdCancel;
};

} // namespace q7
