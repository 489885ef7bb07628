#pragma once
// The plots beside the result grids: a pane of charts per result table, drawn from the
// calculation objects whenever the grid beside it is filled and emptied with it.
#include <QSize>
#include <QWidget>

#include <vector>

namespace q7 {

class PlotView;
class clsGas;
class clsOil;
class clsPrs;
class clsRock;
class clsWater;

// Charts stacked top to bottom, one per property; the first carries the legend when there is one
// and is given the room for it.
class PlotPane : public QWidget {
    Q_OBJECT
public:
    explicit PlotPane(int charts, QWidget* parent = nullptr);

    int Count() const { return static_cast<int>(m_views.size()); }
    PlotView* View(int i) const { return m_views.at(static_cast<std::size_t>(i)); }
    // Removes every curve and axis; the charts keep their places, empty.
    void Clear();
    QSize sizeHint() const override;

private:
    std::vector<PlotView*> m_views;
};

// Series names, for the legend and for finding a curve.
inline constexpr const char* kReservoirOil = "Reservoir oil";
inline constexpr const char* kSaturatedOil = "Saturated oil";
inline constexpr const char* kBubblePoint = "Bubble point";
inline constexpr const char* kEndPoints = "End points";

// Oil (three charts): volume factor, solution GOR and viscosity against pressure; the reservoir
// oil solid, the saturated oil dashed, the bubble point row marked.
void PlotOil(PlotPane& pane, const clsPrs& prs, const clsOil& oil);
// Gas (three charts): Z-factor, volume factor and viscosity against pressure.
void PlotGas(PlotPane& pane, const clsPrs& prs, const clsGas& gas);
// Water (two charts): volume factor and viscosity against pressure.
void PlotWater(PlotPane& pane, const clsPrs& prs, const clsWater& water);
// Rock (one chart): kr against water saturation (oil–water) or gas saturation (gas–oil), the end
// points of every curve marked.
void PlotRock(PlotPane& pane, const clsRock& rock);

} // namespace q7
