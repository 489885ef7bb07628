// The main window as it opens: title, menus, available tabs, the controls with their names and
// captions, and the inputs filled from the calculation objects' defaults.
#include "AppTestSupport.h"

#include "app/AppVersion.h"
#include "app/frmAbout.h"
#include "ui/InputBox.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace q7::test {
namespace {

TEST(VersionText, MinorAndRevisionRunTogether) {
    EXPECT_EQ(VersionText(1, 0, 5), QStringLiteral("1.05"));
    EXPECT_EQ(VersionText(2, 1, 10), QStringLiteral("2.110"));
}

TEST(Startup, TitleMenusAndTabs) {
    Workstation w;
    const MainControls& ui = w.ui();
    EXPECT_EQ(w.Window().windowTitle(), QStringLiteral("Q7 Vers 1.00"));

    // Output menus wait for a computed result tab; no database: no Project menu.
    EXPECT_FALSE(ui.mnuPrint->isEnabled());
    EXPECT_FALSE(ui.mnuCSV->isEnabled());
    EXPECT_FALSE(ui.mnuEclipse->isEnabled());
    EXPECT_TRUE(ui.mnuExit->isEnabled());
    EXPECT_TRUE(ui.mnuAbout->isEnabled());
    EXPECT_FALSE(ui.mnuProj->menuAction()->isVisible());
    EXPECT_FALSE(ui.txtProject->isVisible());

    // Oil only: title, phases, pressure and oil input; rock input from the start.
    const bool expected[9] = {true, true, true, true, false, false, false, true, false};
    for (int tab = 0; tab < 9; ++tab)
        EXPECT_EQ(ui.sstMain->isTabEnabled(tab), expected[tab]) << "tab " << tab;
    EXPECT_EQ(ui.sstMain->currentIndex(), kTabTitle);

    EXPECT_TRUE(ui.phases->cbxFPP[0]->isChecked());
    EXPECT_FALSE(ui.phases->cbxFPP[1]->isChecked());
    EXPECT_FALSE(ui.phases->cbxFPP[2]->isChecked());
    EXPECT_FALSE(ui.gas->cmdNormal->isEnabled());
    EXPECT_FALSE(ui.oil->cmdCalcPbp->isHidden());
    EXPECT_TRUE(ui.oil->cmdCalcRsi->isHidden());
    EXPECT_FALSE(ui.oil->cmdProceed->isEnabled());
    EXPECT_TRUE(w.State().InputEventsOn);
    EXPECT_FALSE(w.State().SettingsInUse);
    EXPECT_FALSE(w.State().ProjectOpen);
}

TEST(Startup, ProjectMenuShownWithADatabase) {
    Workstation w(DatabaseChoice::Empty());
    const MainControls& ui = w.ui();
    EXPECT_TRUE(ui.mnuProj->menuAction()->isVisible());
    EXPECT_TRUE(ui.mnuOpen->isEnabled());
    EXPECT_TRUE(ui.mnuNew->isEnabled());
    EXPECT_TRUE(ui.mnuDelete->isEnabled());
    EXPECT_FALSE(ui.mnuEdit->isEnabled());
    EXPECT_FALSE(ui.mnuClose->isEnabled());
}

// A caption without its access key's '&' (a doubled "&&" is a shown '&' and stays).
QString WithoutAccessKey(QString caption) {
    const QChar kept(0x1);
    return caption.replace(QStringLiteral("&&"), kept)
        .remove(QLatin1Char('&'))
        .replace(kept, QStringLiteral("&&"));
}

TEST(Startup, MenusByNameAndCaption) {
    Workstation w;
    struct Item {
        const char* name;
        const char* caption;
    };
    const Item items[] = {{"mnuPrint", "Report"},    {"mnuCSV", "Comma Delimited (.csv)"},
                          {"mnuEclipse", "Eclipse"}, {"mnuExit", "Exit"},
                          {"mnuOpen", "Open"},       {"mnuEdit", "Edit"},
                          {"mnuNew", "New"},         {"mnuClose", "Close"},
                          {"mnuDelete", "Delete"},   {"mnuUserGuide", "User Guide"},
                          {"mnuAbout", "About"}};
    for (const Item& item : items) {
        auto* action = w.Window().findChild<QAction*>(QString::fromLatin1(item.name));
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(WithoutAccessKey(action->text()), QString::fromLatin1(item.caption)) << item.name;
    }
    for (const char* menu : {"muFile", "mnuExport", "mnuProj", "mnuHelp"})
        EXPECT_NE(w.Window().findChild<QMenu*>(QString::fromLatin1(menu)), nullptr) << menu;
}

TEST(Startup, TabCaptions) {
    Workstation w;
    const char* captions[9] = {"Corvanta",         "Phases Present", "Pressure Input",
                               "Oil Input",        "Gas Input",      "Water Input",
                               "Fluid Properties", "Rock Input",     "Rock Properties"};
    for (int tab = 0; tab < 9; ++tab)
        EXPECT_EQ(w.ui().sstMain->tabText(tab), QString::fromLatin1(captions[tab]));
    const char* sub[3] = {"Water", "Gas", "Oil"};
    for (int tab = 0; tab < 3; ++tab)
        EXPECT_EQ(w.ui().sstFluid->tabText(tab), QString::fromLatin1(sub[tab]));
}

// Buttons, option buttons, check boxes and frames by name with their captions (a doubled
// ampersand shows as one).
TEST(Startup, ControlCaptions) {
    Workstation w;
    struct Control {
        const char* name;
        const char* caption;
    };
    const Control buttons[] = {
        {"cbxFPP(0)", "Oil (with dissolved gas)"},
        {"cbxFPP(1)", "Gas Reservoir"},
        {"cbxFPP(2)", "Water"},
        {"optStdTU(0)", "F"},
        {"optStdTU(1)", "C"},
        {"optResTU(0)", "F"},
        {"optResTU(1)", "C"},
        {"optPRange(0)", "Specify Pressure Range"},
        {"optPRange(1)", "Enter discrete Values"},
        {"optSepTU(0)", "F"},
        {"optSepTU(1)", "C"},
        {"cmdCalcPbp", "Calc Pbp"},
        {"cmdCalcRsi", "Calc Rsi"},
        {"cmdProceed", "Proceed"},
        {"optGasEntry(0)", "Gravity && Inerts"},
        {"optGasEntry(1)", "Composition"},
        {"cmdNormal", "Normalize"},
        {"chkPLUS(1)", "Plus"},
        {"chkPLUS(12)", "Plus"},
        {"optRock(0)", "Oil - Water"},
        {"optRock(1)", "Gas - Oil"},
        {"optType(0)", "Drainage"},
        {"optType(1)", "Imbibition"},
        {"optLith(0)", "Sandstone - Conglomerate"},
        {"optLith(1)", "Limestone - Dolomite"},
        {"optWet(0)", "Water Wet"},
        {"optWet(1)", "Oil or Intermediate Wet"},
        {"optCorr(0)", "Corey"},
        {"optCorr(1)", "Honarpour"},
    };
    for (const Control& c : buttons) {
        auto* button = w.Window().findChild<QAbstractButton*>(QString::fromLatin1(c.name));
        ASSERT_NE(button, nullptr) << c.name;
        EXPECT_EQ(WithoutAccessKey(button->text()), QString::fromLatin1(c.caption)) << c.name;
    }
    EXPECT_EQ(w.ui().gas->cmdNormal->toolTip(), QStringLiteral("Normalize to 1.0"));
    EXPECT_EQ(w.ui().gas->fraPLUS->title(), QStringLiteral(" Plus Fraction Properties "));
    const char* frames[] = {" Fluid Phases Present ",
                            " Standard Pressure && Temperature ",
                            " Range ",
                            " Pressure Values ",
                            " Oil Gravity ",
                            " Separator ",
                            " Gas Gravity && Inerts",
                            " Gas Composition ",
                            " Water Description ",
                            " Fluids ",
                            " Displacement ",
                            " Lithology ",
                            " Wettability ",
                            " Correlation ",
                            " Saturations ",
                            " Corey Exponents ",
                            " Honarpour Cooefficients ",
                            " Relative Permeability Input "};
    QStringList titles;
    for (auto* frame : w.Window().findChildren<QGroupBox*>())
        titles << frame->title();
    for (const char* frame : frames)
        EXPECT_TRUE(titles.contains(QString::fromLatin1(frame))) << frame;
    EXPECT_EQ(w.ui().rockInput->lblK->text(), QStringLiteral("Kr wet [S^K(2-S)]  K ="));
    EXPECT_EQ(w.ui().rockInput->lblN->text(), QStringLiteral("Kr non-wet [(1-S)^N]  N ="));
}

// The inputs as the construction defaults fill them.
TEST(Startup, InputsShowTheObjectsDefaults) {
    Workstation w;
    struct Box {
        const char* name;
        const char* text;
    };
    const Box boxes[] = {
        {"txtStdP", "14.7"},      {"txtStdT", "60"},       {"txtResT", "150"},
        {"txtMinP", "1000"},      {"txtInitP", "0"},       {"txtMaxP", "5000"},
        {"txtAPI", "35.0000"},    {"txtGrav", "0.8498"},   {"txtSepGas", "0.9"},
        {"txtSepP", "50"},        {"txtSepT", "75"},       {"txtRSI", "683.9"},
        {"txtBPP", ""},           {"txtGasGrav", "0.7"},   {"txtMFN", "0"},
        {"txtMFCO2", "0"},        {"txtMFHS", "0"},        {"txtPLUSmw", "105.8"},
        {"txtPLUSgg", "0.7"},     {"txtPPM", "10000"},     {"txtPER", "1"},
        {"txtSWC", "0.2"},        {"txtSORW", "0.4"},      {"txtSORG", "0.4"},
        {"txtSGCrit", "0.3"},     {"txtK", "3"},           {"txtN", "4"},
        {"txtHRPoro", "0.25"},    {"txtHRAir", "50"},      {"txtHRKrg", "0.5"},
        {"txtGCTotal", "0.0000"}, {"txtP(1)", "0"},        {"txtP(18)", "0"},
        {"txtGC(1)", "0.0000"},   {"txtGC(15)", "0.0000"},
    };
    for (const Box& b : boxes) {
        auto* box = w.Window().findChild<QLineEdit*>(QString::fromLatin1(b.name));
        ASSERT_NE(box, nullptr) << b.name;
        EXPECT_EQ(box->text(), QString::fromLatin1(b.text)) << b.name;
    }
    const MainControls& ui = w.ui();
    for (const OptionPair* pair :
         {&ui.phases->optStdTU, &ui.phases->optResTU, &ui.pressure->optPRange, &ui.oil->optSepTU,
          &ui.gas->optGasEntry, &ui.rockInput->optRock, &ui.rockInput->optType, &ui.rockInput->optLith,
          &ui.rockInput->optWet, &ui.rockInput->optCorr}) {
        EXPECT_TRUE((*pair)[0]->isChecked()) << qPrintable((*pair)[0]->objectName());
        EXPECT_FALSE((*pair)[1]->isChecked()) << qPrintable((*pair)[1]->objectName());
    }
    // Range mode: the range boxes take input, the discrete boxes not.
    EXPECT_TRUE(ui.pressure->txtMinP->isEnabled());
    EXPECT_FALSE(ui.pressure->txtP[1]->isEnabled());
    // The gas tab in gravity-and-inerts entry.
    for (int k = 1; k <= 15; ++k)
        EXPECT_FALSE(OwnEnabled(ui.gas->txtGC[k])) << k;
    for (int k = 1; k <= 12; ++k)
        EXPECT_FALSE(OwnEnabled(ui.gas->chkPLUS[k])) << k;
    EXPECT_FALSE(ui.gas->fraPLUS->isVisibleTo(&w.Window()));
    EXPECT_TRUE(OwnEnabled(ui.gas->txtGasGrav));
    // Rock: oil-water drainage with Corey.
    EXPECT_FALSE(ui.rockInput->txtSORW->isEnabled());
    EXPECT_FALSE(ui.rockInput->txtSGCrit->isEnabled());
    EXPECT_TRUE(ui.rockInput->txtK->isEnabled());
    EXPECT_FALSE(ui.rockInput->txtHRPoro->isEnabled());
    EXPECT_FALSE(ui.rockInput->optCorr[1]->isEnabled());
    EXPECT_TRUE(w.Messages().All().empty());
}

// Each editable control carries its database column as its tag.
TEST(Startup, ControlsCarryTheirColumns) {
    Workstation w;
    const std::pair<const char*, const char*> tags[] = {
        {"txtStdP", "stdPressure"},  {"txtResT", "resTemp"},         {"txtP(7)", "p7"},
        {"txtAPI", "API"},           {"txtGrav", "SpecGrav"},        {"txtRSI", "InitGO"},
        {"txtBPP", "BPP"},           {"txtMFN", "mfNitrogen"},       {"txtGC(15)", "gc15"},
        {"txtPPM", "PPMSalinity"},   {"txtPER", "PERSalinity"},      {"txtHRKrg", "HRKrg"},
        {"cbxFPP(2)", "PhaseWater"}, {"optGasEntry(1)", "GasEntry"}, {"optCorr(0)", "CorrType"},
    };
    for (const auto& [name, column] : tags) {
        QObject* control = w.Window().findChild<QObject*>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        // Columns are matched without regard to case, as the database and the field list match them.
        EXPECT_EQ(
            control->property("tag").toString().compare(QString::fromLatin1(column), Qt::CaseInsensitive), 0)
            << name << " carries " << control->property("tag").toString().toStdString();
    }
}

TEST(About, TitleAndVersion) {
    App();
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Fluvarex"));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Fluvarex"));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version 1.00"));
    EXPECT_FALSE(about.findChild<QLabel*>(QStringLiteral("lblCopyright"))->text().isEmpty());
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("lblDist(0)"))->text(),
              QStringLiteral("Q7 Provided By:"));
}

TEST(About, OpensFromTheHelpMenuAndClosesWithOK) {
    Workstation w;
    QString title;
    {
        WhenModal ok([&title](QWidget* dialog) {
            title = dialog->windowTitle();
            dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        w.ui().mnuAbout->trigger();
        EXPECT_TRUE(ok.Ran());
    }
    EXPECT_EQ(title, QStringLiteral("About Fluvarex"));
}

TEST(Shutdown, ExitClosesTheWindow) {
    Workstation w(DatabaseChoice::Empty());
    w.ui().mnuExit->trigger();
    EXPECT_FALSE(w.Window().isVisible());
    EXPECT_EQ(w.Window().IO(), nullptr);
}

} // namespace
} // namespace q7::test
