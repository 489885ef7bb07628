#pragma once
// The controls of the main window: the menus, the project bar, the tab row, the result tabs' controls
// by the name the program knows them by (also their objectName), and the input tabs, which own
// their controls.
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
class QWidget;

namespace q7 {

class FlexGrid;
class InputBox;
class GasTab;
class OilTab;
class PhasesTab;
class PlotPane;
class PressureTab;
class RockInputTab;
class SpanHeading;
struct TabContext;
class WaterTab;

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

    // The input tabs, each owning its controls (app/tabs/).
    PhasesTab* phases = nullptr;
    PressureTab* pressure = nullptr;
    OilTab* oil = nullptr;
    GasTab* gas = nullptr;
    WaterTab* water = nullptr;
    RockInputTab* rockInput = nullptr;

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
    // The gas–oil table of a rock that holds both (RockType 2): shown only then.
    QWidget* fraRock2 = nullptr;
    QLabel* lblRockProp2 = nullptr;
    FlexGrid* fxgRock2 = nullptr;
    SpanHeading* hdgRock2 = nullptr;
    PlotPane* plotRock2 = nullptr;
};

// Creates the menus and every control on `window` in their design state; the input tabs reach the
// window's pieces through `context`.
void BuildMainControls(QMainWindow& window, MainControls& ui, const TabContext& context);

} // namespace q7
