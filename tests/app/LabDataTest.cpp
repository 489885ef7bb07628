// The laboratory data in the workstation: the frame on "Oil Input" (blank is "not measured"), its
// values through a case and a project, the oil table and its plots matched to them with the factors
// beside the outputs, the result grids naming their correlations, and Help -> User Guide.
#include "AppTestSupport.h"

#include "app/ResultPlots.h"
#include "app/frmUserGuide.h"
#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"
#include "ui/FlexGrid.h"
#include "ui/PlotView.h"

#include <QAction>
#include <QChart>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QXYSeries>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace q7::test {
namespace {

struct LabBoxes {
    InputBox* pb;
    InputBox* rsb;
    InputBox* bob;
    InputBox* muob;
};

LabBoxes Boxes(Workstation& w) {
    return {w.ui().oil->txtLabPb, w.ui().oil->txtLabRsb, w.ui().oil->txtLabBob, w.ui().oil->txtLabMuob};
}

// Types the four values (an empty text leaves the box empty) on "Oil Input".
void TypeLab(Workstation& w, const QString& pb, const QString& rsb, const QString& bob, const QString& muob) {
    w.SelectTab(kTabOil);
    const LabBoxes b = Boxes(w);
    for (auto [box, text] : {std::pair{b.pb, pb}, {b.rsb, rsb}, {b.bob, bob}, {b.muob, muob}})
        w.Type(box, text);
}

// "Calc Pbp", "Proceed", then "Fluid Properties" with the oil sub-tab in view (so its plots draw).
void ComputeOil(Workstation& w) {
    w.SelectTab(kTabOil);
    w.CompleteOilTab();
    w.SelectTab(kTabFluidProps);
    w.ui().sstFluid->setCurrentIndex(kFluidOil);
    QApplication::processEvents();
    QApplication::processEvents();
}

QXYSeries* LabSeries(PlotPane* pane, int chart) {
    for (QAbstractSeries* s : pane->View(chart)->chart()->series())
        if (s->name() == QLatin1String(kLaboratory)) return qobject_cast<QXYSeries*>(s);
    return nullptr;
}

// The grid row of the bubble point (1-based, as the schedule counts).
int BubbleRow(Workstation& w) {
    return w.Objects().Prs.BPPi();
}

TEST(LabFrame, FourLabelledBoxesThatStartEmptyAndSayNotMeasured) {
    Workstation w;
    auto* frame = Find<QGroupBox>(&w.Window(), QStringLiteral("fraLabData"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title().trimmed(), QStringLiteral("Laboratory data"));
    const LabBoxes b = Boxes(w);
    for (InputBox* box : {b.pb, b.rsb, b.bob, b.muob}) {
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(frame->isAncestorOf(box)) << box->objectName().toStdString();
        EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
        EXPECT_EQ(box->placeholderText(), QStringLiteral("not measured"));
        EXPECT_EQ(box->ValidationRule(), InputBox::Rule::Lenient);
    }
    EXPECT_EQ(b.pb->objectName(), QStringLiteral("txtLabPb"));
    EXPECT_EQ(b.muob->objectName(), QStringLiteral("txtLabMuob"));
    const OilLabData& lab = w.Objects().Oil.Lab();
    EXPECT_FALSE(lab.Pb || lab.Rsb || lab.Bob || lab.Muob);
}

TEST(LabFrame, TypedValuesReachTheObjectAndABlankBoxIsNotMeasured) {
    Workstation w;
    TypeLab(w, QStringLiteral("2650"), QStringLiteral("612.5"), QStringLiteral("1.318"),
            QStringLiteral("0.84"));
    const OilLabData& lab = w.Objects().Oil.Lab();
    ASSERT_TRUE(lab.Pb && lab.Rsb && lab.Bob && lab.Muob);
    EXPECT_EQ(*lab.Pb, 2650.0f);
    EXPECT_EQ(*lab.Rsb, 612.5f);
    EXPECT_EQ(*lab.Bob, 1.318f);
    EXPECT_EQ(*lab.Muob, 0.84f);

    // Emptied again: not measured, not zero.
    w.ui().oil->txtLabRsb->clear();
    w.Type(w.ui().oil->txtLabBob, QString());
    EXPECT_FALSE(lab.Rsb);
    EXPECT_FALSE(lab.Bob);
    EXPECT_TRUE(lab.Pb && lab.Muob);
    EXPECT_TRUE(w.Messages().All().empty());
}

TEST(LabFrame, EmptyPassesTheCheckAndTextIsRefusedUnderTheFieldsTitle) {
    Workstation w;
    w.SelectTab(kTabOil);
    // Leaving an empty box is fine.
    w.ui().oil->txtLabPb->setFocus();
    w.PressTab();
    EXPECT_TRUE(w.Messages().Errors().empty());
    EXPECT_EQ(QApplication::focusWidget(), w.ui().oil->txtLabRsb);

    w.Type(w.ui().oil->txtLabBob, QStringLiteral("1,3x"));
    w.PressTab();
    const auto errors = w.Messages().Errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].title, QStringLiteral("Invalid Laboratory Volume Factor"));
    EXPECT_EQ(errors[0].text, QStringLiteral("Please enter a numeric value!"));
    EXPECT_EQ(QApplication::focusWidget(), w.ui().oil->txtLabBob);
}

// The boxes through what a case or a project keeps: each value read back from the objects as its
// field describes it, given to fresh objects, and shown again; a blank box stays blank.
TEST(LabFrame, ValuesRoundTripThroughTheFieldsAndBlanksStayBlank) {
    const QString typed[4] = {QStringLiteral("2650.5"), QString(), QStringLiteral("1.2875"),
                              QStringLiteral("0.000123")};
    std::map<std::string, std::optional<std::string>> kept;
    {
        Workstation w;
        TypeLab(w, typed[0], typed[1], typed[2], typed[3]);
        for (const char* column : {"LabPb", "LabRsb", "LabBob", "LabMuob"}) {
            const ProjectField* field = FindField(column);
            ASSERT_NE(field, nullptr) << column;
            EXPECT_EQ(field->box, std::string("txt") + column);
            const bool held = !field->held || field->held(w.Objects());
            if (held)
                kept[column] = FieldText(*field, field->number(w.Objects()));
            else
                kept[column] = std::nullopt;
        }
    }
    EXPECT_EQ(kept["LabRsb"], std::nullopt);
    EXPECT_EQ(kept["LabBob"], std::optional<std::string>("1.2875"));

    Workstation w;
    for (const auto& [column, text] : kept)
        if (text) FindField(column)->set(w.Objects(), *text);
    w.Window().ShowObjectValues();
    const LabBoxes b = Boxes(w);
    EXPECT_EQ(b.pb->text(), typed[0]);
    EXPECT_TRUE(b.rsb->text().isEmpty());
    EXPECT_EQ(b.bob->text(), typed[2]);
    EXPECT_EQ(b.muob->text(), typed[3]);
    EXPECT_FALSE(w.Objects().Oil.Lab().Rsb);
}

TEST(LabFrame, SavedProjectGivesBackItsLaboratoryValuesAndBlanks) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    {
        Workstation w(database);
        TypeLab(w, QStringLiteral("2400"), QString(), QStringLiteral("1.31"), QString());
        WhenModal fill([](QWidget* dialog) {
            Find<QLineEdit>(dialog, QStringLiteral("txtPrjName"))->setText(QStringLiteral("Lab"));
            Find<QPushButton>(dialog, QStringLiteral("cmdSave"))->click();
        });
        w.ui().mnuNew->trigger();
        ASSERT_TRUE(fill.Ran());
        // An edit while the project is open is kept as well.
        w.SelectTab(kTabOil);
        w.Type(w.ui().oil->txtLabMuob, QStringLiteral("0.92"));
        EXPECT_TRUE(w.Messages().Errors().empty());
    }
    Workstation w(database);
    // Something typed before opening must not survive into the project.
    TypeLab(w, QStringLiteral("9999"), QStringLiteral("999"), QString(), QString());
    WhenModal open([](QWidget* dialog) { Find<QPushButton>(dialog, QStringLiteral("cmdOK"))->click(); });
    w.ui().mnuOpen->trigger();
    ASSERT_TRUE(open.Ran());
    ASSERT_TRUE(w.State().ProjectOpen);
    const LabBoxes b = Boxes(w);
    const OilLabData& lab = w.Objects().Oil.Lab();
    EXPECT_TRUE(b.rsb->text().isEmpty());
    EXPECT_FALSE(lab.Rsb);
    if (FindField("LabPb")->Stored()) {
        // The project database keeps the laboratory values.
        EXPECT_EQ(b.pb->text(), QStringLiteral("2400"));
        EXPECT_EQ(b.bob->text(), QStringLiteral("1.31"));
        EXPECT_EQ(b.muob->text(), QStringLiteral("0.92"));
        ASSERT_TRUE(lab.Pb && lab.Bob && lab.Muob);
        EXPECT_EQ(*lab.Bob, 1.31f);
    } else {
        // No table keeps them yet: the opened project holds none.
        EXPECT_TRUE(b.pb->text().isEmpty());
        EXPECT_TRUE(b.muob->text().isEmpty());
        EXPECT_FALSE(lab.Pb || lab.Bob || lab.Muob);
    }
}

// The four measured values land in the bubble-point row as typed, the factors are shown beside the
// outputs and agree with the unmatched correlation values, and each measured value is a point of
// its plot.
TEST(LabMatch, BubblePointRowHoldsTheMeasuredValuesAndTheFactorsAreShown) {
    // The correlation's own values at the measured bubble point and GOR (no factor yet).
    double boCorr = 0, muCorr = 0, pbCorr = 0;
    {
        Workstation w;
        w.SelectTab(kTabOil);
        w.Type(w.ui().oil->txtRSI, QStringLiteral("640"));
        w.ui().oil->cmdCalcPbp->click();
        pbCorr = w.Objects().Oil.Pbp();
        TypeLab(w, QStringLiteral("2650"), QStringLiteral("640"), QString(), QString());
        ComputeOil(w);
        ASSERT_TRUE(w.Objects().Oil.GO());
        const int row = BubbleRow(w);
        EXPECT_EQ(w.ui().fxgUOil->TextMatrix(row, 1), QStringLiteral("2650.0"));
        EXPECT_EQ(w.ui().fxgUOil->TextMatrix(row, 3), QStringLiteral("640.0"));
        boCorr = w.Objects().Oil.GetBO(static_cast<std::int16_t>(row));
        muCorr = w.Objects().Oil.GetMUO(static_cast<std::int16_t>(row));
        EXPECT_TRUE(w.ui().fraOilMatch->isVisible());
    }
    ASSERT_GT(boCorr, 1.0);

    Workstation w;
    TypeLab(w, QStringLiteral("2650"), QStringLiteral("640"), QStringLiteral("1.3575"),
            QStringLiteral("0.812"));
    ComputeOil(w);
    EXPECT_TRUE(w.Messages().Errors().empty());
    ASSERT_TRUE(w.Objects().Oil.GO());
    const int row = BubbleRow(w);
    const FlexGrid* grid = w.ui().fxgUOil;
    EXPECT_EQ(grid->TextMatrix(row, 1), QStringLiteral("2650.0"));
    EXPECT_EQ(grid->TextMatrix(row, 2), QStringLiteral("1.3575"));
    EXPECT_EQ(grid->TextMatrix(row, 3), QStringLiteral("640.0"));
    EXPECT_EQ(grid->TextMatrix(row, 4), QStringLiteral("0.812"));
    EXPECT_EQ(w.ui().txtPBPout->text(), QStringLiteral("2650.0"));

    // The factors beside the outputs: k on Bo - 1, one factor on viscosity, the scale on pressure.
    ASSERT_TRUE(w.ui().fraOilMatch->isVisible());
    const double k = w.ui().txtMatchBoK->text().toDouble();
    const double muFactor = w.ui().txtMatchMuF->text().toDouble();
    const double scale = w.ui().txtMatchPScale->text().toDouble();
    EXPECT_NEAR(k, (1.3575 - 1.0) / (boCorr - 1.0), 1e-5 * k);
    EXPECT_NEAR(muFactor, 0.812 / muCorr, 1e-5 * muFactor);
    EXPECT_NEAR(scale, pbCorr / 2650.0, 1e-4 * scale);

    // The measured points over the curves, at the bubble point, with their own legend entry.
    const double expected[3] = {1.3575, 640.0, 0.812};
    for (int chart = 0; chart < 3; ++chart) {
        QXYSeries* lab = LabSeries(w.ui().plotOil, chart);
        ASSERT_NE(lab, nullptr) << chart;
        ASSERT_EQ(lab->count(), 1) << chart;
        EXPECT_FLOAT_EQ(static_cast<float>(lab->at(0).x()), 2650.0f) << chart;
        EXPECT_FLOAT_EQ(static_cast<float>(lab->at(0).y()), static_cast<float>(expected[chart])) << chart;
        // One legend for the pane (the same names on every chart), on the first chart.
        EXPECT_EQ(w.ui().plotOil->View(chart)->chart()->legend()->isVisible(), chart == 0) << chart;
    }
}

TEST(LabMatch, WithoutLaboratoryDataNoFactorsAndNoLaboratoryPoints) {
    Workstation w;
    ComputeOil(w);
    ASSERT_TRUE(w.Objects().Oil.GO());
    EXPECT_FALSE(w.ui().fraOilMatch->isVisible());
    EXPECT_TRUE(w.ui().txtMatchBoK->text().isEmpty());
    for (int chart = 0; chart < 3; ++chart)
        EXPECT_EQ(LabSeries(w.ui().plotOil, chart), nullptr) << chart;
    // The bubble point's own marker is still there.
    bool marker = false;
    for (QAbstractSeries* s : w.ui().plotOil->View(0)->chart()->series())
        marker = marker || s->name() == QLatin1String(kBubblePoint);
    EXPECT_TRUE(marker);
}

TEST(LabMatch, OnlyTheMeasuredValuesArePlottedAndAMatchIsUndoneWhenTheBoxesEmpty) {
    Workstation w;
    TypeLab(w, QString(), QString(), QString(), QStringLiteral("1.05"));
    ComputeOil(w);
    ASSERT_TRUE(w.Objects().Oil.GO());
    EXPECT_EQ(LabSeries(w.ui().plotOil, 0), nullptr);
    EXPECT_EQ(LabSeries(w.ui().plotOil, 1), nullptr);
    QXYSeries* mu = LabSeries(w.ui().plotOil, 2);
    ASSERT_NE(mu, nullptr);
    ASSERT_EQ(mu->count(), 1);
    // At the table's bubble point, which no measurement moved.
    EXPECT_FLOAT_EQ(static_cast<float>(mu->at(0).x()), w.Objects().Oil.Pbp());
    EXPECT_FLOAT_EQ(static_cast<float>(mu->at(0).y()), 1.05f);
    EXPECT_EQ(w.ui().fxgUOil->TextMatrix(BubbleRow(w), 4), QStringLiteral("1.050"));
    ASSERT_TRUE(w.ui().fraOilMatch->isVisible());
    EXPECT_EQ(w.ui().txtMatchPScale->text(), QStringLiteral("1"));
    EXPECT_EQ(w.ui().txtMatchBoK->text(), QStringLiteral("1"));

    TypeLab(w, QString(), QString(), QString(), QString());
    ComputeOil(w);
    EXPECT_FALSE(w.ui().fraOilMatch->isVisible());
    EXPECT_EQ(LabSeries(w.ui().plotOil, 2), nullptr);
}

TEST(LabMatch, ImpossibleLaboratoryValueGivesAMessageAndNoOilTable) {
    Workstation w;
    TypeLab(w, QString(), QString(), QStringLiteral("0.95"), QString());
    ComputeOil(w);
    EXPECT_FALSE(w.Objects().Oil.GO());
    EXPECT_FALSE(w.Messages().Errors().empty());
    EXPECT_EQ(w.ui().fxgUOil->rowCount(), 0);
    EXPECT_FALSE(w.ui().fraOilMatch->isVisible());
    EXPECT_FALSE(w.ui().mnuEclipse->isEnabled());
}

// Each result grid's tool tip names the correlations that computed it, as the case chose them.
TEST(ResultGrids, ToolTipsNameTheirCorrelations) {
    Workstation w;
    w.SelectTab(kTabPhases);
    w.ui().phases->cbxFPP[1]->click();
    w.ui().phases->cbxFPP[2]->click();
    ComputeOil(w);
    const QString oil = w.ui().fxgUOil->toolTip();
    for (const char* name : {"Standing", "Vazquez", "Beggs", "Robinson", "Egbogah", "Rollins"})
        EXPECT_TRUE(oil.contains(QString::fromLatin1(name))) << name << " in " << oil.toStdString();
    const QString gas = w.ui().fxgGAS->toolTip();
    for (const char* name : {"Dranchuk", "Lee", "Standing"})
        EXPECT_TRUE(gas.contains(QString::fromLatin1(name))) << name << " in " << gas.toStdString();
    EXPECT_FALSE(gas.contains(QStringLiteral("Kay"))) << gas.toStdString(); // a gravity, not a composition
    const QString water = w.ui().fxgWater->toolTip();
    for (const char* name : {"McCain", "Osif"})
        EXPECT_TRUE(water.contains(QString::fromLatin1(name))) << name << " in " << water.toStdString();

    // Rock: Corey by default; Honarpour once imbibition and Honarpour are chosen.
    w.SelectTab(kTabRockInput);
    w.SelectTab(kTabRockProps);
    EXPECT_TRUE(w.ui().fxgRock->toolTip().contains(QStringLiteral("Corey")));
    EXPECT_FALSE(w.ui().fxgRock->toolTip().contains(QStringLiteral("Honarpour")));
    w.SelectTab(kTabRockInput);
    w.ui().rockInput->optType[1]->click();
    w.ui().rockInput->optCorr[1]->click();
    w.SelectTab(kTabRockProps);
    EXPECT_TRUE(w.ui().fxgRock->toolTip().contains(QStringLiteral("Honarpour")));
    EXPECT_FALSE(w.ui().fxgRock->toolTip().contains(QStringLiteral("Corey")));
}

TEST(UserGuide, FoundInTheDataFolderBesideThePrograms) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString program = root.filePath(QStringLiteral("bin/q7"));
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("bin")));
    EXPECT_TRUE(UserGuidePath(program).isEmpty());
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("share/fluvarex")));
    QFile guide(root.filePath(QStringLiteral("share/fluvarex/user-guide.md")));
    ASSERT_TRUE(guide.open(QIODevice::WriteOnly));
    guide.write("# Guide\n");
    guide.close();
    EXPECT_EQ(QFileInfo(UserGuidePath(program)).canonicalFilePath(), QFileInfo(guide).canonicalFilePath());
    EXPECT_TRUE(UserGuidePath(QString()).isEmpty());
}

TEST(UserGuide, HelpMenuOpensTheGuideOnceAndItStaysBesideTheWindow) {
    Workstation w;
    ASSERT_NE(w.ui().mnuUserGuide, nullptr);
    EXPECT_EQ(w.ui().mnuUserGuide->text(), QStringLiteral("&User Guide"));
    EXPECT_EQ(w.ui().mnuHelp->actions().indexOf(w.ui().mnuUserGuide), 0);
    // The build tree's copy, found as the installed one is.
    w.ui().mnuUserGuide->trigger();
    EXPECT_TRUE(w.Messages().All().empty());
    frmUserGuide* guide = w.Window().UserGuide();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_FALSE(guide->isModal());
    const QString text = guide->Browser()->toPlainText();
    for (const char* part : {"Fluvarex user guide", "Laboratory data", "q7-batch", "LabBob", "Dranchuk",
                             "Rs(p) = Rs_corr(p · Pb_corr / LabPb)"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    // Markdown is rendered, not shown as source.
    EXPECT_FALSE(text.contains(QStringLiteral("## ")));
    // A second click brings the same window forward.
    w.ui().mnuUserGuide->trigger();
    EXPECT_EQ(w.Window().UserGuide(), guide);
    EXPECT_EQ(w.Window().findChildren<frmUserGuide*>().size(), 1);
    guide->close();
    QApplication::processEvents();
}

TEST(UserGuide, AMissingGuideIsReportedAndNoWindowOpens) {
    Workstation w;
    w.Window().SetUserGuidePath(QStringLiteral("/nonexistent/fluvarex/user-guide.md"));
    w.ui().mnuUserGuide->trigger();
    const auto errors = w.Messages().Errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].title, QStringLiteral("User Guide"));
    EXPECT_TRUE(errors[0].text.contains(QStringLiteral("/nonexistent/fluvarex/user-guide.md")));
    EXPECT_EQ(w.Window().UserGuide(), nullptr);
}

} // namespace
} // namespace q7::test
