// The plots beside the result grids: every series holds the table's own values, the plots are
// emptied with their grid, and a plot renders, saves and copies.
#include "AppTestSupport.h"

#include "app/ResultPlots.h"
#include "app/ResultWarnings.h"
#include "engine/Q7Objects.h"
#include "ui/FlexGrid.h"
#include "ui/PlotView.h"
#include "ui/TextFormat.h"

#include <QAbstractAxis>
#include <QAction>
#include <QChart>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSplitter>
#include <QTabWidget>
#include <QToolTip>
#include <QValueAxis>
#include <QXYSeries>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace q7::test {
namespace {

QXYSeries* Series(PlotPane* pane, int chart, const QString& name) {
    for (QAbstractSeries* s : pane->View(chart)->chart()->series())
        if (s->name() == name) return qobject_cast<QXYSeries*>(s);
    return nullptr;
}

int SeriesCount(PlotPane* pane) {
    int n = 0;
    for (int i = 0; i < pane->Count(); ++i)
        n += static_cast<int>(pane->View(i)->chart()->series().size());
    return n;
}

// Points on the pane's charts, and whether any axis shows.
int PointCount(PlotPane* pane) {
    int n = 0;
    for (int i = 0; i < pane->Count(); ++i)
        for (QAbstractSeries* s : pane->View(i)->chart()->series())
            n += static_cast<int>(qobject_cast<QXYSeries*>(s)->count());
    return n;
}

bool AxesShown(PlotPane* pane) {
    for (int i = 0; i < pane->Count(); ++i)
        for (QAbstractAxis* axis : pane->View(i)->chart()->axes())
            if (axis->isVisible()) return true;
    return false;
}

// Brings the pane into view as a user would, choosing every tab that holds it (choosing "Fluid
// Properties" computes again, as it does for a user), and lets the pane draw.
void Reveal(Workstation& w, PlotPane* pane) {
    std::vector<std::pair<QTabWidget*, int>> choices; // innermost first
    for (QWidget* page = pane; page->parentWidget(); page = page->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget()))
            if (const int index = tabs->indexOf(page); index >= 0) choices.emplace_back(tabs, index);
    for (auto it = choices.rbegin(); it != choices.rend(); ++it) {
        if (it->first == w.ui().sstMain)
            w.SelectTab(it->second);
        else
            it->first->setCurrentIndex(it->second);
    }
    QApplication::processEvents();
    ASSERT_TRUE(pane->isVisible());
}

using Row = std::function<double(const Q7Objects&, std::int16_t)>;

struct CurveCase {
    const char* label;
    PlotPane* MainControls::*pane;
    int chart;
    const char* series;
    Row x;
    Row y;
    std::int16_t (*rows)(const Q7Objects&);
};

std::int16_t PressureRows(const Q7Objects& o) {
    return o.Prs.NPRSo();
}
std::int16_t RockRows(const Q7Objects& o) {
    return o.Rock.NWet();
}
double Pressure(const Q7Objects& o, std::int16_t i) {
    return o.Prs.GetPRSo(i);
}

#define GETTER(expr) [](const Q7Objects& o, std::int16_t i) -> double { return expr; }

// Every phase and the oil–water rock with the construction defaults; the same values the grids show.
const CurveCase kCurves[] = {
    {"oil Bo", &MainControls::plotOil, 0, kReservoirOil, Pressure, GETTER(o.Oil.GetBO(i)), PressureRows},
    {"oil Bo saturated", &MainControls::plotOil, 0, kSaturatedOil, Pressure, GETTER(o.Oil.GetBOS(i)),
     PressureRows},
    {"oil Rs", &MainControls::plotOil, 1, kReservoirOil, Pressure, GETTER(o.Oil.GetRSO(i)), PressureRows},
    {"oil Rs saturated", &MainControls::plotOil, 1, kSaturatedOil, Pressure, GETTER(o.Oil.GetRSOS(i)),
     PressureRows},
    {"oil viscosity", &MainControls::plotOil, 2, kReservoirOil, Pressure, GETTER(o.Oil.GetMUO(i)),
     PressureRows},
    {"oil viscosity saturated", &MainControls::plotOil, 2, kSaturatedOil, Pressure, GETTER(o.Oil.GetMUOS(i)),
     PressureRows},
    {"gas Z", &MainControls::plotGas, 0, "Z Factor", Pressure, GETTER(o.Gas.GetZ(i)), PressureRows},
    {"gas Bg", &MainControls::plotGas, 1, "Gas Volume Factor", Pressure, GETTER(o.Gas.GetBG(i)),
     PressureRows},
    {"gas viscosity", &MainControls::plotGas, 2, "Gas Viscosity", Pressure, GETTER(o.Gas.GetMUG(i)),
     PressureRows},
    {"water Bw", &MainControls::plotWater, 0, "Water Volume Factor", Pressure, GETTER(o.Water.GetBW(i)),
     PressureRows},
    {"water viscosity", &MainControls::plotWater, 1, "Water Viscosity", Pressure, GETTER(o.Water.GetMUW(i)),
     PressureRows},
    {"rock krw", &MainControls::plotRock, 0, "Krw", GETTER(o.Rock.GetSWet(i)), GETTER(o.Rock.GetKRWat(i)),
     RockRows},
    {"rock kro", &MainControls::plotRock, 0, "Kro", GETTER(o.Rock.GetSWet(i)), GETTER(o.Rock.GetKROil(i)),
     RockRows},
};

// All three phases computed, then the rock table.
void ComputeEverything(Workstation& w) {
    w.SelectTab(kTabPhases);
    w.ui().phases->cbxFPP[1]->click();
    w.ui().phases->cbxFPP[2]->click();
    w.SelectTab(kTabOil);
    w.CompleteOilTab();
    w.SelectTab(kTabFluidProps);
    w.SelectTab(kTabRockInput);
    w.SelectTab(kTabRockProps);
}

TEST(Plots, EverySeriesHoldsTheTableValues) {
    Workstation w;
    ComputeEverything(w);
    ASSERT_TRUE(w.Messages().All().empty());
    const Q7Objects& o = w.Objects();
    for (const CurveCase& c : kCurves) {
        SCOPED_TRACE(c.label);
        Reveal(w, w.ui().*c.pane);
        QXYSeries* series = Series(w.ui().*c.pane, c.chart, QString::fromLatin1(c.series));
        ASSERT_NE(series, nullptr);
        const std::int16_t n = c.rows(o);
        ASSERT_GT(n, 2);
        ASSERT_EQ(series->count(), n);
        for (std::int16_t i = 1; i <= n; ++i) {
            EXPECT_EQ(series->at(i - 1).x(), c.x(o, i)) << "row " << i;
            EXPECT_EQ(series->at(i - 1).y(), c.y(o, i)) << "row " << i;
        }
        // Every point lies inside the axes' ranges.
        const auto axes = series->attachedAxes();
        ASSERT_EQ(axes.size(), 2);
        for (QAbstractAxis* axis : axes) {
            const auto* values = qobject_cast<QValueAxis*>(axis);
            ASSERT_NE(values, nullptr);
            for (const QPointF& p : series->points()) {
                const double v = axis->orientation() == Qt::Horizontal ? p.x() : p.y();
                EXPECT_LE(values->min(), v);
                EXPECT_GE(values->max(), v);
            }
        }
    }
    // Each chart renders offscreen at the size it has beside the grid.
    for (PlotPane* pane : {w.ui().plotOil, w.ui().plotGas, w.ui().plotWater, w.ui().plotRock})
        for (int i = 0; i < pane->Count(); ++i) {
            pane->View(i)->resize(360, 200);
            EXPECT_FALSE(pane->View(i)->grab().toImage().isNull());
        }
}

// The bubble point row on each oil chart; the end points of both kr curves.
TEST(Plots, BubblePointAndEndPointsMarked) {
    Workstation w;
    ComputeEverything(w);
    const Q7Objects& o = w.Objects();
    // The oil sub-tab was not in view: its plots are drawn when it is.
    EXPECT_EQ(PointCount(w.ui().plotOil), 0);
    Reveal(w, w.ui().plotOil);
    EXPECT_GT(PointCount(w.ui().plotOil), 0);
    const std::int16_t b = o.Prs.BPPi();
    const double reservoir[3] = {o.Oil.GetBO(b), o.Oil.GetRSO(b), o.Oil.GetMUO(b)};
    for (int chart = 0; chart < 3; ++chart) {
        QXYSeries* marker = Series(w.ui().plotOil, chart, QString::fromLatin1(kBubblePoint));
        ASSERT_NE(marker, nullptr) << chart;
        ASSERT_EQ(marker->count(), 1);
        EXPECT_EQ(marker->at(0), QPointF(o.Prs.GetPRSo(b), reservoir[chart])) << chart;
        EXPECT_EQ(Series(w.ui().plotOil, chart, QString::fromLatin1(kSaturatedOil))->pen().style(),
                  Qt::DashLine);
        EXPECT_EQ(Series(w.ui().plotOil, chart, QString::fromLatin1(kReservoirOil))->pen().style(),
                  Qt::SolidLine);
    }
    // Hovering a curve names the table row nearest the pointer.
    QXYSeries* bo = Series(w.ui().plotOil, 0, QString::fromLatin1(kReservoirOil));
    w.ui().sstFluid->setCurrentIndex(kFluidOil);
    emit bo->hovered(QPointF(o.Prs.GetPRSo(b) + 1.0, 0.0), true);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Reservoir oil\nPressure (psia): ") +
                                    General(o.Prs.GetPRSo(b)) + QStringLiteral("\nVol Fact (rb/stb): ") +
                                    General(o.Oil.GetBO(b)));
    emit bo->hovered(QPointF(), false);

    Reveal(w, w.ui().plotRock);
    QXYSeries* ends = Series(w.ui().plotRock, 0, QString::fromLatin1(kEndPoints));
    ASSERT_NE(ends, nullptr);
    const std::int16_t n = o.Rock.NWet();
    const QList<QPointF> expected = {{o.Rock.GetSWet(1), o.Rock.GetKRWat(1)},
                                     {o.Rock.GetSWet(n), o.Rock.GetKRWat(n)},
                                     {o.Rock.GetSWet(1), o.Rock.GetKROil(1)},
                                     {o.Rock.GetSWet(n), o.Rock.GetKROil(n)}};
    EXPECT_EQ(ends->points(), expected);

    // Gas–oil: kr against gas saturation.
    w.SelectTab(kTabRockInput);
    w.ui().rockInput->optRock[1]->click();
    w.SelectTab(kTabRockProps);
    QXYSeries* krg = Series(w.ui().plotRock, 0, QStringLiteral("Krg"));
    ASSERT_NE(krg, nullptr);
    ASSERT_EQ(krg->count(), o.Rock.NWet());
    for (std::int16_t i = 1; i <= o.Rock.NWet(); ++i)
        EXPECT_EQ(krg->at(i - 1), QPointF(o.Rock.GetSNWet(i), o.Rock.GetKRGas(i))) << i;
    EXPECT_EQ(Series(w.ui().plotRock, 0, QStringLiteral("Krw")), nullptr);
    EXPECT_EQ(w.ui().plotRock->View(0)->chart()->axes(Qt::Horizontal).at(0)->titleText(),
              QStringLiteral("Gas Saturation"));
}

// A raised error empties the grid and its plot; the next good computation draws it again, once.
TEST(Plots, EmptiedWithTheirGrid) {
    Workstation w;
    w.SelectTab(kTabPhases);
    w.ui().phases->cbxFPP[0]->click();
    w.ui().phases->cbxFPP[2]->click();
    w.SelectTab(kTabFluidProps);
    const int rows = w.Objects().Prs.NPRSo();
    ASSERT_EQ(PointCount(w.ui().plotWater), 2 * rows);
    w.SelectTab(kTabPhases);
    w.Type(w.ui().phases->txtResT, QStringLiteral("0"));
    w.SelectTab(kTabFluidProps);
    ASSERT_EQ(w.ui().fxgWater->Rows(), 1);
    EXPECT_EQ(PointCount(w.ui().plotWater), 0);
    EXPECT_FALSE(AxesShown(w.ui().plotWater));
    w.SelectTab(kTabPhases);
    w.Type(w.ui().phases->txtResT, QStringLiteral("150"));
    w.SelectTab(kTabFluidProps);
    w.SelectTab(kTabPhases);
    w.SelectTab(kTabFluidProps);
    EXPECT_EQ(SeriesCount(w.ui().plotWater), 2);
    EXPECT_EQ(PointCount(w.ui().plotWater), 2 * rows);
    EXPECT_TRUE(AxesShown(w.ui().plotWater));
}

// Beside the grid in a splitter, the grid on the left.
TEST(Plots, BesideTheGrid) {
    Workstation w;
    for (auto [grid, plot] :
         {std::pair{w.ui().fxgUOil, w.ui().plotOil}, std::pair{w.ui().fxgGAS, w.ui().plotGas},
          std::pair{w.ui().fxgWater, w.ui().plotWater}, std::pair{w.ui().fxgRock, w.ui().plotRock}}) {
        // In a scroll area that keeps the charts' height (the window's does not grow for them).
        QWidget* charts = plot->parentWidget()->parentWidget();
        auto* splitter = qobject_cast<QSplitter*>(charts->parentWidget());
        ASSERT_NE(splitter, nullptr) << grid->objectName().toStdString();
        EXPECT_EQ(splitter->indexOf(charts), 1);
        EXPECT_TRUE(splitter->widget(0)->isAncestorOf(grid));
        EXPECT_GT(splitter->sizes().at(0), splitter->sizes().at(1));
    }
}

// At 1024x700 and at 1920x1080 every plot pane keeps a readable width beside its grid (before, it
// shrank to about 90 px at 1024 and its ticks became "...") and each chart's plot area is as long
// as its axis titles, so that no title is cut (before, the gas volume factor's was).
class PlotsAtWindowSize : public ::testing::TestWithParam<QSize> {};

TEST_P(PlotsAtWindowSize, ReadableAndTitlesWhole) {
    Workstation w;
    ComputeEverything(w);
    w.Window().resize(GetParam());
    QApplication::processEvents();
    for (PlotPane* pane : {w.ui().plotOil, w.ui().plotGas, w.ui().plotWater, w.ui().plotRock}) {
        Reveal(w, pane);
        QApplication::processEvents();
        SCOPED_TRACE(pane->parentWidget()->objectName().toStdString());
        EXPECT_LE(w.Window().height(), GetParam().height());
        EXPECT_GE(pane->width(), pane->minimumSizeHint().width());
        EXPECT_GE(pane->width(), 250);
        for (int i = 0; i < pane->Count(); ++i) {
            QChart* chart = pane->View(i)->chart();
            const QRectF area = chart->plotArea();
            for (QAbstractAxis* axis : chart->axes()) {
                if (!axis->isVisible()) continue;
                const int title = QFontMetrics(axis->titleFont()).horizontalAdvance(axis->titleText());
                const double room = axis->orientation() == Qt::Vertical ? area.height() : area.width();
                EXPECT_GE(room, title)
                    << chart->title().toStdString() << ": " << axis->titleText().toStdString();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Workstation, PlotsAtWindowSize,
                         ::testing::Values(QSize(1024, 700), QSize(1920, 1080)), [](const auto& info) {
                             return std::to_string(info.param.width()) + "x" +
                                    std::to_string(info.param.height());
                         });

// The same at 1024x700 as the real window has it: a title bar (about 32 px) and the project bar
// taking height, laboratory values at the bubble point (each measured chart shows its point), and
// a warning far longer than the window is wide. One legend for the pane (before, each measured
// chart repeated it and the titles and ticks of all three became "..."); the warning wraps and the
// window keeps its width (before, it grew to 1300 px).
TEST(Plots, LaboratoryDataAndAProjectAt1024x700) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    Workstation w(database);
    WhenModal fill([](QWidget* dialog) {
        Find<QLineEdit>(dialog, QStringLiteral("txtPrjName"))->setText(QStringLiteral("North Sea Well 7"));
        Find<QPushButton>(dialog, QStringLiteral("cmdSave"))->click();
    });
    w.ui().mnuNew->trigger();
    ASSERT_TRUE(fill.Ran());
    ASSERT_TRUE(w.ui().txtProject->isVisible());
    w.SelectTab(kTabOil);
    w.Type(w.ui().oil->txtLabPb, QStringLiteral("2400"));
    w.Type(w.ui().oil->txtLabRsb, QStringLiteral("880"));
    w.Type(w.ui().oil->txtLabBob, QStringLiteral("1.45"));
    w.Type(w.ui().oil->txtLabMuob, QStringLiteral("0.6"));
    w.CompleteOilTab();
    const QSize client(1024, 700 - 32);
    w.Window().resize(client);
    PlotPane* pane = w.ui().plotOil;
    Reveal(w, pane);
    QApplication::processEvents();
    // A warning as long as the oil inputs' line can be, three times over.
    QLabel* warning = w.ui().lblUOilWarn;
    TableFaults faults;
    faults.reasons
        << QStringLiteral("oil inputs (API 35, separator gas gravity 0.75, GOR 800 scf/STB, ").repeated(8);
    ShowFaults(warning, w.ui().fxgUOil, faults);
    QApplication::processEvents();
    ASSERT_TRUE(warning->isVisible());
    EXPECT_GT(QFontMetrics(warning->font()).horizontalAdvance(warning->text()), client.width());
    EXPECT_LE(w.Window().width(), client.width());
    EXPECT_LE(w.Window().height(), client.height());
    EXPECT_LE(warning->width(), client.width());
    EXPECT_GE(pane->width(), pane->minimumSizeHint().width());
    int legends = 0;
    for (int i = 0; i < pane->Count(); ++i) {
        QChart* chart = pane->View(i)->chart();
        SCOPED_TRACE(chart->title().toStdString());
        ASSERT_NE(Series(pane, i, QString::fromLatin1(kLaboratory)), nullptr);
        legends += chart->legend()->isVisible() ? 1 : 0;
        const QRectF area = chart->plotArea();
        for (QAbstractAxis* axis : chart->axes()) {
            if (!axis->isVisible()) continue;
            const QFontMetrics fm(axis->titleFont());
            const double room = axis->orientation() == Qt::Vertical ? area.height() : area.width();
            EXPECT_GE(room, fm.horizontalAdvance(axis->titleText())) << axis->titleText().toStdString();
            // Room for the tick labels too: at least three labels of "0000" along the axis.
            const QFontMetrics labels(axis->labelsFont());
            const double tick = axis->orientation() == Qt::Vertical
                                    ? 3 * labels.height()
                                    : 3 * labels.horizontalAdvance(QStringLiteral("0000"));
            EXPECT_GE(room, tick) << axis->titleText().toStdString();
        }
    }
    EXPECT_EQ(legends, 1);
}

class PlotFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        w.SelectTab(kTabRockInput);
        w.SelectTab(kTabRockProps);
        view = w.ui().plotRock->View(0);
        view->resize(400, 300);
    }
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    // Runs the context menu's action whose text starts with `caption`, answering the file question with
    // `path`.
    void Run(const QString& caption, const QString& path) {
        view->SetSavePathAsker([path](const QString&, const QString&) { return path; });
        std::unique_ptr<QMenu> menu(view->CreateContextMenu());
        for (QAction* a : menu->actions())
            if (a->text().remove(QLatin1Char('&')).startsWith(caption)) return a->trigger();
        FAIL() << "no action " << caption.toStdString();
    }

    Workstation w;
    PlotView* view = nullptr;
    QTemporaryDir m_dir;
};

TEST_F(PlotFiles, SavedAsPngAndSvgFromTheContextMenu) {
    Run(QStringLiteral("Save as PNG"), Path("rock.png"));
    const QImage png(Path("rock.png"));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), view->grab().size());
    // Not a blank picture: the curves put many colours on it.
    QSet<QRgb> colours;
    for (int y = 0; y < png.height(); y += 3)
        for (int x = 0; x < png.width(); x += 3)
            colours.insert(png.pixel(x, y));
    EXPECT_GT(colours.size(), 10);

    Run(QStringLiteral("Save as SVG"), Path("rock.svg"));
    QFile svg(Path("rock.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("Oil/Water Relative Permeability"));
    EXPECT_TRUE(w.Messages().All().empty());

    // Cancelling the question writes nothing.
    Run(QStringLiteral("Save as PNG"), QString());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(PlotFiles, UnwritableFileIsReported) {
    for (const char* caption : {"Save as PNG", "Save as SVG"}) {
        w.Messages().Clear();
        Run(QString::fromLatin1(caption), Path("missing-folder/plot.file"));
        const auto errors = w.Messages().Errors();
        ASSERT_EQ(errors.size(), 1u) << caption;
        EXPECT_TRUE(errors[0].text.contains(QStringLiteral("missing-folder"))) << caption;
    }
}

TEST_F(PlotFiles, CopiedToTheClipboard) {
    QApplication::clipboard()->clear();
    Run(QStringLiteral("Copy"), QString());
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), view->grab().size());
}

} // namespace
} // namespace q7::test
