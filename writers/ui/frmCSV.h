#pragma once
// File -> Export -> Comma Delimited (.csv): the CSV file's name and the property groups to write.
// Offers only the groups whose tables have been computed and passes every choice straight to its
// clsCSV.
#include "ui/MessageServiceSink.h"
#include "writers/ui/OutputDialogSupport.h"

#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace q7 {

class clsCSV;

class frmCSV : public QDialog {
    Q_OBJECT
public:
    static constexpr int kGroups = 4; // Oil, Gas, Water, Rock

    // Builds the dialog and loads it from the GO flags; the writer lives as long as the dialog.
    explicit frmCSV(const OutputDialogHost& host, QWidget* parent = nullptr);
    ~frmCSV() override;

    // Opens the dialog modally over `parent` (the comma-delimited export menu item).
    static void Show(const OutputDialogHost& host, QWidget* parent);

    const clsCSV& Writer() const { return *m_csv; }

private:
    void Load();
    void FileNameChanged();
    void IncludeClicked(int k);
    void ExportClick();

    OutputDialogHost m_host;
    MessageServiceSink m_sink;
    std::unique_ptr<clsCSV> m_csv;
    QLineEdit* m_txtFileName;
    std::array<QCheckBox*, kGroups> m_cbxInclude{};
    QPushButton* m_cmdReport;
    QPushButton* m_cmdCancel;
};

} // namespace q7
