#pragma once
// The plots beside the result grids: a pane of charts per result table, drawn from the
// calculation objects whenever the grid beside it is filled and emptied with it.
#include <QColor>
#include <QList>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QWidget>

#include <vector>

namespace q7 {

class PlotView;
class clsGas;
class clsOil;
class clsPrs;
class clsRock;
class clsWater;

// One curve of a chart, drawn solid or dashed.
struct Curve {
    QString name;
    QList<QPointF> points;
    QColor colour;
    bool dashed = false;
    bool operator==(const Curve&) const = default;
};

// What one chart shows; with no points at all the chart is empty (its title stays).
struct ChartContent {
    QString title;
    QString xTitle;
    QString yTitle;
    std::vector<Curve> curves;
    QString markerName;
    QList<QPointF> markers;
    // Measured points, drawn over everything with a marker of their own.
    QString labName;
    QList<QPointF> lab;
    bool legend = false;
    // Both axes 0 to 1 (saturations and relative permeabilities).
    bool unitAxes = false;
    bool operator==(const ChartContent&) const = default;
};

// Charts stacked top to bottom, one per property; the first carries the legend when there is one
// and is given the room for it.
class PlotPane : public QWidget {
    Q_OBJECT
public:
    explicit PlotPane(int charts, QWidget* parent = nullptr);

    int Count() const { return static_cast<int>(m_views.size()); }
    PlotView* View(int i) const { return m_views.at(static_cast<std::size_t>(i)); }
    // What the charts show, in order (charts without an entry are emptied). Drawn when control
    // returns to the event loop if the pane shows, else the next time it is shown (laying out a
    // chart costs about as much hidden as shown, and most panes are on tabs the user is not
    // looking at); a chart whose content has not changed is left as it is.
    void SetContents(std::vector<ChartContent> contents);
    // Empties every chart; the charts keep their places and titles.
    void Clear();
    QSize sizeHint() const override;
    // The narrowest pane whose charts stay readable; the splitter never gives it less.
    QSize minimumSizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void DrawPending();

    std::vector<PlotView*> m_views;
    std::vector<ChartContent> m_pending;
    std::vector<ChartContent> m_drawn;
    bool m_dirty = false;
};

// Series names, for the legend and for finding a curve.
inline constexpr const char* kReservoirOil = "Reservoir oil";
inline constexpr const char* kSaturatedOil = "Saturated oil";
inline constexpr const char* kBubblePoint = "Bubble point";
inline constexpr const char* kEndPoints = "End points";
inline constexpr const char* kLaboratory = "Laboratory";

// Oil (three charts): volume factor, solution GOR and viscosity against pressure; the reservoir
// oil solid, the saturated oil dashed, the bubble point row marked. Laboratory values are drawn at
// the bubble point (the measured one when given): Bo, Rs and viscosity each on its chart; a
// measured bubble point alone marks the table's bubble-point row on every chart. A chart with
// laboratory points carries a legend.
void PlotOil(PlotPane& pane, const clsPrs& prs, const clsOil& oil);
// Gas (three charts): Z-factor, volume factor and viscosity against pressure.
void PlotGas(PlotPane& pane, const clsPrs& prs, const clsGas& gas);
// Water (two charts): volume factor and viscosity against pressure.
void PlotWater(PlotPane& pane, const clsPrs& prs, const clsWater& water);
// Rock (one chart): kr against water saturation (oil–water) or gas saturation (gas–oil), the end
// points of every curve marked.
void PlotRock(PlotPane& pane, const clsRock& rock);

} // namespace q7
