#pragma once
// Every control of the main window, by the name the program knows it by (also its objectName;
// members of a control array are named with their index, "txtP(1)"). Arrays are indexed as the
// controls are: txtP[1..18], txtGC[1..15], chkPLUS[1..12], option pairs [0..1].
#include <array>

class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace q7 {

class FlexGrid;
class InputBox;
class PlotPane;
class SpanHeading;

// Tabs of sstMain.
enum MainTab : int {
    kTabTitle = 0,
    kTabPhases = 1,
    kTabPressure = 2,
    kTabOil = 3,
    kTabGas = 4,
    kTabWater = 5,
    kTabFluidProps = 6,
    kTabRockInput = 7,
    kTabRockProps = 8,
};
// Tabs of sstFluid.
enum FluidTab : int { kFluidWater = 0, kFluidGas = 1, kFluidOil = 2 };

using OptionPair = std::array<QRadioButton*, 2>;

struct MainControls {
    // Menus.
    QMenu* muFile = nullptr;
    QAction* mnuPrint = nullptr;
    QMenu* mnuExport = nullptr;
    QAction* mnuCSV = nullptr;
    QAction* mnuEclipse = nullptr;
    QAction* mnuEclipseProjects = nullptr; // shown with the project database
    QAction* mnuBar5 = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuProj = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuEdit = nullptr;
    QAction* mnuNew = nullptr;
    QAction* mnuClose = nullptr;
    QAction* mnuDelete = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuUserGuide = nullptr;
    QAction* mnuAbout = nullptr;

    QLineEdit* txtProject = nullptr;
    QTabWidget* sstMain = nullptr;

    // Phases Present.
    std::array<QCheckBox*, 3> cbxFPP{};
    InputBox* txtStdP = nullptr;
    InputBox* txtStdT = nullptr;
    OptionPair optStdTU{};
    InputBox* txtResT = nullptr;
    OptionPair optResTU{};

    // Pressure Input.
    OptionPair optPRange{};
    InputBox* txtMinP = nullptr;
    InputBox* txtInitP = nullptr;
    InputBox* txtMaxP = nullptr;
    std::array<InputBox*, 19> txtP{};

    // Oil Input.
    InputBox* txtAPI = nullptr;
    InputBox* txtGrav = nullptr;
    InputBox* txtSepGas = nullptr;
    InputBox* txtSepP = nullptr;
    InputBox* txtSepT = nullptr;
    OptionPair optSepTU{};
    InputBox* txtRSI = nullptr;
    InputBox* txtBPP = nullptr;
    QPushButton* cmdCalcPbp = nullptr;
    QPushButton* cmdCalcRsi = nullptr;
    QPushButton* cmdProceed = nullptr;
    // Laboratory data at the bubble point; an empty box is a value not measured.
    QGroupBox* fraLabData = nullptr;
    InputBox* txtLabPb = nullptr;
    InputBox* txtLabRsb = nullptr;
    InputBox* txtLabBob = nullptr;
    InputBox* txtLabMuob = nullptr;

    // Gas Input.
    OptionPair optGasEntry{};
    InputBox* txtGasGrav = nullptr;
    InputBox* txtMFN = nullptr;
    InputBox* txtMFCO2 = nullptr;
    InputBox* txtMFHS = nullptr;
    std::array<InputBox*, 16> txtGC{};
    std::array<QCheckBox*, 13> chkPLUS{};
    QLineEdit* txtGCTotal = nullptr;
    QPushButton* cmdNormal = nullptr;
    QGroupBox* fraPLUS = nullptr;
    InputBox* txtPLUSmw = nullptr;
    InputBox* txtPLUSgg = nullptr;

    // Water Input.
    InputBox* txtPPM = nullptr;
    InputBox* txtPER = nullptr;

    // Fluid Properties.
    QTabWidget* sstFluid = nullptr;
    FlexGrid* fxgUOil = nullptr;
    SpanHeading* hdgUOil = nullptr;
    QLineEdit* txtPBPout = nullptr;
    QLineEdit* txtCatPbp = nullptr;
    QLineEdit* txtSTDOout = nullptr;
    QLineEdit* txtRSISEPout = nullptr;
    QLineEdit* txtRSITANKout = nullptr;
    QLineEdit* txtRSIout = nullptr;
    // The laboratory match beside the oil outputs (hidden when no match was made).
    QGroupBox* fraOilMatch = nullptr;
    QLineEdit* txtMatchPScale = nullptr;
    QLineEdit* txtMatchBoK = nullptr;
    QLineEdit* txtMatchMuF = nullptr;
    FlexGrid* fxgGAS = nullptr;
    QLineEdit* txtGGout = nullptr;
    QLineEdit* txtResTout = nullptr;
    QLineEdit* txtPC = nullptr;
    QLineEdit* txtTC = nullptr;
    QLineEdit* txtPTRout = nullptr;
    QLineEdit* txtGSTDout = nullptr;
    FlexGrid* fxgWater = nullptr;
    QLineEdit* txtPERo = nullptr;
    QLineEdit* txtPPMo = nullptr;
    QLineEdit* txtSTDWout = nullptr;
    QLineEdit* txtResTfW = nullptr;
    // The warning line above each fluid grid (hidden while its table has no fault).
    QLabel* lblUOilWarn = nullptr;
    QLabel* lblGASWarn = nullptr;
    QLabel* lblWaterWarn = nullptr;
    // The plots beside the fluid grids.
    PlotPane* plotOil = nullptr;
    PlotPane* plotGas = nullptr;
    PlotPane* plotWater = nullptr;

    // Rock Input.
    OptionPair optRock{};
    OptionPair optType{};
    OptionPair optLith{};
    OptionPair optWet{};
    OptionPair optCorr{};
    InputBox* txtSWC = nullptr;
    InputBox* txtSORW = nullptr;
    QLabel* lblSORW = nullptr;
    InputBox* txtSORG = nullptr;
    QLabel* lblSORG = nullptr;
    InputBox* txtSGCrit = nullptr;
    QLabel* lblSGCrit = nullptr;
    InputBox* txtK = nullptr;
    QLabel* lblK = nullptr;
    InputBox* txtN = nullptr;
    QLabel* lblN = nullptr;
    InputBox* txtHRPoro = nullptr;
    QLabel* lblHRPoro = nullptr;
    InputBox* txtHRAir = nullptr;
    QLabel* lblHRAir = nullptr;
    QLabel* lblMD = nullptr;
    InputBox* txtHRKrg = nullptr;
    QLabel* lblHRKrg = nullptr;
    QLabel* lblSORGU = nullptr;

    // Rock Properties.
    QLineEdit* txtDispOut = nullptr;
    QLineEdit* txtLithOut = nullptr;
    QLineEdit* txtCORROut = nullptr;
    QLabel* lblRockProp = nullptr;
    QLabel* lblRockNote = nullptr; // beside the system's caption: why Honarpour gave no curves
    QLabel* lblRockWarn = nullptr;
    FlexGrid* fxgRock = nullptr;
    SpanHeading* hdgRock = nullptr;
    PlotPane* plotRock = nullptr;
};

// Creates the menus and every control on `window` in their design state.
void BuildMainControls(QMainWindow& window, MainControls& ui);

} // namespace q7
