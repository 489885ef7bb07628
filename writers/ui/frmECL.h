#pragma once
// File -> Export -> Eclipse: which Eclipse include files to write and under which names. Offers
// only the tables whose phase has been computed and passes every choice straight to its clsECL.
#include "engine/MessageSink.h"
#include "writers/EclipseUnits.h"
#include "writers/ui/OutputDialogSupport.h"

#include <QDialog>

#include <array>
#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace q7 {

class clsECL;

class frmECL : public QDialog {
    Q_OBJECT
public:
    // PVDO, PVTO, PVDG, PVTW, DENSITY, SWOF, SGOF, then the family II tables SWFN, SGFN, SOF3, SOF2
    // and the gas–water SGWFN (shown only when the rock's tables go out in family II, or the rock is
    // gas–water).
    static constexpr int kTables = 12;

    // Builds the dialog and loads it from the GO flags; the writer lives as long as the dialog.
    // `units`, when given, is the unit system chosen at the last opening: the dialog starts from it
    // and keeps the choice there (FIELD otherwise). `base`, when given, is the base name (with its
    // folder) of the last export: the dialog starts from it and keeps the one it exports to.
    explicit frmECL(const OutputDialogHost& host, QWidget* parent = nullptr, EclipseUnits* units = nullptr,
                    std::string* base = nullptr);
    ~frmECL() override;

    // Opens the dialog modally over `parent` (the Eclipse menu item).
    static void Show(const OutputDialogHost& host, QWidget* parent, EclipseUnits* units = nullptr,
                     std::string* base = nullptr);

    const clsECL& Writer() const { return *m_ecl; }

private:
    void Load();
    // Marks every offered table a simulator would refuse as written: the reasons on its check box's
    // tool tip, a warning icon on the box, and one line naming the tables under the frame.
    void CheckOfferedTables();
    void BaseNameChanged();
    void IncludeClicked(int k);
    void PathChanged(int k);
    // A path box and its "…" button are enabled together.
    void SetPathEnabled(int k, bool on);
    void ExportClick();
    void UnitsClicked();
    void ConsistentClicked();

    // The writer's messages to the message service; the completion also says where the files went.
    class WriterSink final : public MessageSink {
    public:
        explicit WriterSink(frmECL& dialog) : m_dialog(dialog) {}
        void ShowError(const std::string& message, const std::string& title) override;
        void ShowInfo(const std::string& message, const std::string& title) override;

    private:
        frmECL& m_dialog;
    };
    // Offers the rock's tables in the chosen saturation family (I or II).
    void OfferRockTables();
    void FamilyClicked();

    OutputDialogHost m_host;
    WriterSink m_sink;
    std::unique_ptr<clsECL> m_ecl;
    QLineEdit* m_txtFileName;
    std::array<QCheckBox*, kTables> m_cbxInclude{};
    std::array<QLineEdit*, kTables> m_path{};
    std::array<QPushButton*, kTables> m_browse{};
    EclipseUnits* m_rememberedUnits;
    std::string* m_rememberedBase;
    std::array<QRadioButton*, 2> m_optUnits{};  // Field, Metric
    std::array<QRadioButton*, 2> m_optFamily{}; // family I (SWOF, SGOF), family II
    QCheckBox* m_chkConsistent;                 // live-oil tables with a positive total compressibility
    QLabel* m_lblEclipseWarnings;
    QPushButton* m_cmdReport;
    QPushButton* m_cmdCancel;
};

} // namespace q7
