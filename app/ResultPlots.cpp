#include "app/ResultPlots.h"

#include "engine/clsGas.h"
#include "engine/clsOil.h"
#include "engine/clsPrs.h"
#include "engine/clsWater.h"
#include "rock/clsRock.h"
#include "ui/PlotView.h"
#include "ui/TextFormat.h"

#include <QChart>
#include <QCursor>
#include <QFontMetrics>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLineSeries>
#include <QScatterSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

namespace q7 {

namespace {

const QColor kReservoirColour(0x1f, 0x4e, 0x9a);
const QColor kSaturatedColour(0xd9, 0x5f, 0x02);
const QColor kSecondColour(0x2e, 0x8b, 0x57);
const QColor kMarkerColour(Qt::black);
const QColor kLabColour(0xc0, 0x10, 0x10);

// The rows 1..n as points; a value that is not a number (a row the calculation could not fill)
// is left out rather than drawn at a wild place.
QList<QPointF> Points(std::int16_t n, const std::function<float(std::int16_t)>& x,
                      const std::function<float(std::int16_t)>& y) {
    QList<QPointF> points;
    for (std::int16_t i = 1; i <= n; ++i) {
        const double xv = x(i);
        const double yv = y(i);
        if (std::isfinite(xv) && std::isfinite(yv)) points.append(QPointF(xv, yv));
    }
    return points;
}

QFont Scaled(QFont font, double scale, bool bold) {
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(bold);
    return font;
}

constexpr int kChartMinimumHeight = 120;

// The chart height that leaves the plot area as tall as the vertical axis title is long: the title
// and the horizontal axis's labels and title above and below it, and the margins.
int TitleRoom(const QChart& chart, const QValueAxis& yAxis) {
    const QFontMetrics title(yAxis.titleFont());
    const QFontMetrics labels(yAxis.labelsFont());
    const QFontMetrics chartTitle(chart.titleFont());
    return title.horizontalAdvance(yAxis.titleText()) + chartTitle.height() + labels.height() +
           title.height() + chart.margins().top() + chart.margins().bottom() + 2 * labels.height() + 16;
}

QValueAxis* NewAxis() {
    auto* axis = new QValueAxis;
    axis->setTitleFont(Scaled(axis->titleFont(), 0.85, false));
    axis->setLabelsFont(Scaled(axis->labelsFont(), 0.85, false));
    axis->setTickType(QValueAxis::TicksDynamic);
    return axis;
}

// An axis over the data, widened to round numbers with about `steps` steps between labels (few
// on the short vertical axes, so that their labels stay readable).
void SetAxis(QValueAxis* axis, const QString& title, double lo, double hi, double steps) {
    if (hi <= lo) {
        // A flat curve still gets a visible band around it.
        const double pad = std::max(std::abs(lo) * 0.05, 1e-6);
        lo -= pad;
        hi += pad;
    }
    const double rough = (hi - lo) / steps;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    double step = decade;
    for (double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        step = factor * decade;
        if (step >= rough) break;
    }
    const double first = std::floor(lo / step) * step;
    const double last = std::ceil(hi / step) * step;
    axis->setTitleText(title);
    axis->setRange(first, last);
    axis->setTickAnchor(first);
    axis->setTickInterval(step);
    // Enough decimals to show the step: 250 -> 0, 2.5 -> 1, 0.25 -> 2, 0.002 -> 3.
    const int decimals =
        std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)) + (step / decade == 2.5 ? 1 : 0));
    axis->setLabelFormat(QStringLiteral("%.") + QString::number(decimals) + QStringLiteral("f"));
    axis->setVisible(true);
}

// 0 to 1 in quarters, with a little room so that end points on the frame stay whole.
void SetUnitAxis(QValueAxis* axis, const QString& title) {
    axis->setTitleText(title);
    axis->setRange(-0.02, 1.02);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(0.25);
    axis->setLabelFormat(QStringLiteral("%.2f"));
    axis->setVisible(true);
}

// The series' point nearest `at` along the horizontal axis, as "Curve\nX title: x\nY title: y".
QString RowTip(QXYSeries& series, const QPointF& at) {
    const QList<QPointF> points = series.points();
    const QList<QAbstractAxis*> axes = series.attachedAxes();
    if (points.isEmpty() || axes.size() != 2) return {};
    const QPointF nearest =
        *std::min_element(points.begin(), points.end(), [&at](const QPointF& a, const QPointF& b) {
            return std::abs(a.x() - at.x()) < std::abs(b.x() - at.x());
        });
    const bool xFirst = axes[0]->orientation() == Qt::Horizontal;
    const QString xTitle = axes[xFirst ? 0 : 1]->titleText(), yTitle = axes[xFirst ? 1 : 0]->titleText();
    return series.name() + QLatin1Char('\n') + xTitle + QStringLiteral(": ") +
           General(static_cast<float>(nearest.x())) + QLatin1Char('\n') + yTitle + QStringLiteral(": ") +
           General(static_cast<float>(nearest.y()));
}

QValueAxis* ChartAxis(QChart* chart, Qt::Orientation orientation) {
    const QList<QAbstractAxis*> axes = chart->axes(orientation);
    return axes.isEmpty() ? nullptr : static_cast<QValueAxis*>(axes.front());
}

// A chart's series and axes are made once and refilled on every draw: building graphics items
// anew each time cost more than the whole computation.
void Empty(QChart* chart) {
    for (QAbstractSeries* series : chart->series())
        static_cast<QXYSeries*>(series)->clear();
    for (QAbstractAxis* axis : chart->axes())
        axis->setVisible(false);
    chart->legend()->setVisible(false);
}

// The chart's lines, its marker series and its laboratory series (in this order, each when there
// is one), made when the chart does not hold that make-up yet.
std::vector<QXYSeries*> SeriesFor(PlotView& view, std::size_t lines, bool markers, bool lab) {
    QChart* chart = view.chart();
    QList<QAbstractSeries*> held = chart->series();
    const std::size_t scatters = (markers ? 1 : 0) + (lab ? 1 : 0);
    const std::size_t wanted = lines + scatters;
    bool fits = static_cast<std::size_t>(held.size()) == wanted;
    for (std::size_t i = 0; fits && i < wanted; ++i)
        fits = held[static_cast<int>(i)]->type() ==
               (i < lines ? QAbstractSeries::SeriesTypeLine : QAbstractSeries::SeriesTypeScatter);
    // The laboratory series is told from the bubble point's by its marker.
    if (fits && lab)
        fits =
            static_cast<QScatterSeries*>(held.back())->markerShape() == QScatterSeries::MarkerShapeRectangle;
    if (fits && markers && scatters == 1)
        fits = static_cast<QScatterSeries*>(held.back())->markerShape() == QScatterSeries::MarkerShapeCircle;
    if (!fits) {
        chart->removeAllSeries();
        QValueAxis* x = ChartAxis(chart, Qt::Horizontal);
        QValueAxis* y = ChartAxis(chart, Qt::Vertical);
        if (!x) {
            chart->addAxis(x = NewAxis(), Qt::AlignBottom);
            chart->addAxis(y = NewAxis(), Qt::AlignLeft);
        }
        for (std::size_t i = 0; i < wanted; ++i) {
            QXYSeries* series = nullptr;
            if (i < lines) {
                series = new QLineSeries;
            } else if (lab && i == wanted - 1) {
                // Measured values: filled squares, larger than the bubble point's ring, so that a
                // matched curve's ring shows inside its square.
                auto* scatter = new QScatterSeries;
                scatter->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
                scatter->setMarkerSize(11.0);
                scatter->setColor(kLabColour);
                scatter->setBorderColor(kLabColour.darker(150));
                series = scatter;
            } else {
                auto* scatter = new QScatterSeries;
                scatter->setMarkerShape(QScatterSeries::MarkerShapeCircle);
                scatter->setMarkerSize(9.0);
                scatter->setColor(Qt::white);
                scatter->setBorderColor(kMarkerColour);
                series = scatter;
            }
            chart->addSeries(series);
            series->attachAxis(x);
            series->attachAxis(y);
            // Hovering a curve shows the table row nearest the pointer.
            QObject::connect(series, &QXYSeries::hovered, &view, [series](const QPointF& at, bool entered) {
                if (entered)
                    QToolTip::showText(QCursor::pos(), RowTip(*series, at));
                else
                    QToolTip::hideText();
            });
        }
        held = chart->series();
    }
    std::vector<QXYSeries*> series;
    for (QAbstractSeries* s : held)
        series.push_back(static_cast<QXYSeries*>(s));
    return series;
}

void Draw(PlotView& view, const ChartContent& content) {
    QChart* chart = view.chart();

    double xLo = std::numeric_limits<double>::infinity(), xHi = -xLo, yLo = xLo, yHi = -xLo;
    auto extend = [&](const QList<QPointF>& points) {
        for (const QPointF& p : points) {
            xLo = std::min(xLo, p.x());
            xHi = std::max(xHi, p.x());
            yLo = std::min(yLo, p.y());
            yHi = std::max(yHi, p.y());
        }
    };
    for (const Curve& curve : content.curves)
        extend(curve.points);
    extend(content.markers);
    extend(content.lab);
    if (xLo > xHi) {
        Empty(chart); // nothing to draw: the chart keeps its title
        return;
    }
    chart->setTitle(content.title);

    const std::vector<QXYSeries*> series =
        SeriesFor(view, content.curves.size(), !content.markers.isEmpty(), !content.lab.isEmpty());
    for (std::size_t i = 0; i < content.curves.size(); ++i) {
        const Curve& curve = content.curves[i];
        QPen pen(curve.colour);
        pen.setWidthF(2.0);
        if (curve.dashed) pen.setStyle(Qt::DashLine);
        series[i]->setName(curve.name);
        series[i]->setPen(pen);
        series[i]->replace(curve.points);
    }
    std::size_t next = content.curves.size();
    if (!content.markers.isEmpty()) {
        series[next]->setName(content.markerName);
        series[next]->replace(content.markers);
        ++next;
    }
    if (!content.lab.isEmpty()) {
        series[next]->setName(content.labName);
        series[next]->replace(content.lab);
    }
    QValueAxis* xAxis = ChartAxis(chart, Qt::Horizontal);
    QValueAxis* yAxis = ChartAxis(chart, Qt::Vertical);
    if (content.unitAxes) {
        SetUnitAxis(xAxis, content.xTitle);
        SetUnitAxis(yAxis, content.yTitle);
    } else {
        SetAxis(xAxis, content.xTitle, xLo, xHi, 5.0);
        SetAxis(yAxis, content.yTitle, yLo, yHi, 3.5);
    }
    chart->legend()->setVisible(content.legend);
    // Room for the vertical axis title along the plot area, so that it is never cut short, and
    // below it for the legend (two rows when the pane is narrow).
    const int legendRoom = content.legend ? 2 * QFontMetrics(chart->legend()->font()).height() + 12 : 0;
    view.setMinimumHeight(std::max(kChartMinimumHeight, TitleRoom(*chart, *yAxis)) + legendRoom);
}

const QString kPressure = QStringLiteral("Pressure (psia)");

} // namespace

PlotPane::PlotPane(int charts, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (int i = 0; i < charts; ++i) {
        auto* view = new PlotView;
        QChart* chart = view->chart();
        chart->setMargins(QMargins(2, 2, 2, 2));
        chart->layout()->setContentsMargins(0, 0, 0, 0);
        chart->setBackgroundRoundness(0);
        chart->setTitleFont(Scaled(chart->titleFont(), 0.95, true));
        chart->legend()->setFont(Scaled(chart->legend()->font(), 0.85, false));
        chart->legend()->setAlignment(Qt::AlignBottom);
        chart->legend()->setContentsMargins(0, 0, 0, 0);
        chart->legend()->setVisible(false);
        view->setMinimumHeight(kChartMinimumHeight);
        layout->addWidget(view, i == 0 && charts > 1 ? 4 : 3);
        m_views.push_back(view);
    }
}

void PlotPane::SetContents(std::vector<ChartContent> contents) {
    contents.resize(m_views.size());
    m_pending = std::move(contents);
    // Drawn once the computation that set it is over: a computation empties a pane before it
    // fills it again.
    if (!m_dirty && isVisible())
        QMetaObject::invokeMethod(this, &PlotPane::DrawPending, Qt::QueuedConnection);
    m_dirty = true;
}

void PlotPane::Clear() {
    SetContents({});
}

void PlotPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_dirty) DrawPending();
}

void PlotPane::DrawPending() {
    if (!m_dirty) return;
    m_dirty = false;
    m_drawn.resize(m_views.size());
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        if (m_pending[i] == m_drawn[i]) continue;
        Draw(*m_views[i], m_pending[i]);
        // Only a chart with a legend takes the extra room for it; the others share alike, so
        // that the shortest still holds its axis title.
        if (auto* box = qobject_cast<QVBoxLayout*>(layout()))
            box->setStretch(static_cast<int>(i), m_pending[i].legend ? 4 : 3);
        m_drawn[i] = m_pending[i];
    }
}

// Below this width the labels of the pressure axis crowd and the titles are cut: about seven tick
// labels of "0000", the vertical axis's labels and its title.
QSize PlotPane::minimumSizeHint() const {
    QFont axisFont = font();
    axisFont.setPointSizeF(axisFont.pointSizeF() * 0.85);
    const QFontMetrics fm(axisFont);
    int height = 0;
    for (const PlotView* view : m_views)
        if (!view->isHidden()) height += view->minimumHeight();
    return {fm.horizontalAdvance(QStringLiteral("0000")) * 7 +
                fm.horizontalAdvance(QStringLiteral("0.0000")) + 3 * fm.height(),
            height};
}

QSize PlotPane::sizeHint() const {
    return {fontMetrics().horizontalAdvance(QLatin1Char('0')) * 58, QWidget::sizeHint().height()};
}

void PlotOil(PlotPane& pane, const clsPrs& prs, const clsOil& oil) {
    const std::int16_t n = prs.NPRSo();
    const std::int16_t bubble = prs.BPPi();
    auto p = [&prs](std::int16_t i) { return prs.GetPRSo(i); };
    auto chart = [&](const QString& title, const QString& yTitle,
                     float (clsOil::*reservoir)(std::int16_t) const,
                     float (clsOil::*saturated)(std::int16_t) const, std::optional<float> measured) {
        ChartContent content;
        content.title = title;
        content.xTitle = kPressure;
        content.yTitle = yTitle;
        content.curves = {
            {QString::fromLatin1(kReservoirOil),
             Points(n, p, [&](std::int16_t i) { return (oil.*reservoir)(i); }), kReservoirColour, false},
            {QString::fromLatin1(kSaturatedOil),
             Points(n, p, [&](std::int16_t i) { return (oil.*saturated)(i); }), kSaturatedColour, true}};
        content.markerName = QString::fromLatin1(kBubblePoint);
        if (bubble >= 1 && bubble <= n) {
            const QPointF point(p(bubble), (oil.*reservoir)(bubble));
            if (std::isfinite(point.x()) && std::isfinite(point.y())) content.markers = {point};
        }
        content.labName = QString::fromLatin1(kLaboratory);
        if (bubble >= 1 && bubble <= n) {
            const OilLabData& lab = oil.Lab();
            const double x = lab.Pb ? *lab.Pb : oil.Pbp();
            if (measured)
                content.lab = {QPointF(x, *measured)};
            else if (lab.Pb)
                content.lab = {QPointF(x, (oil.*reservoir)(bubble))};
            if (!content.lab.isEmpty() &&
                !(std::isfinite(content.lab.front().x()) && std::isfinite(content.lab.front().y())))
                content.lab.clear();
        }
        return content;
    };
    std::vector<ChartContent> contents{
        chart(QStringLiteral("Oil Volume Factor"), QStringLiteral("Vol Fact (rb/stb)"), &clsOil::GetBO,
              &clsOil::GetBOS, oil.Lab().Bob),
        chart(QStringLiteral("Solution GOR"), QStringLiteral("GOR (scf/stb)"), &clsOil::GetRSO,
              &clsOil::GetRSOS, oil.Lab().Rsb),
        chart(QStringLiteral("Oil Viscosity"), QStringLiteral("Viscosity (cp)"), &clsOil::GetMUO,
              &clsOil::GetMUOS, oil.Lab().Muob)};
    // One legend for the pane, on the first chart that has every kind of series (the same names
    // and colours on every chart): a legend under each chart took the room of its ticks and titles.
    std::size_t legend = 0;
    while (legend + 1 < contents.size() && contents[legend].lab.isEmpty() &&
           std::any_of(contents.begin() + static_cast<std::ptrdiff_t>(legend) + 1, contents.end(),
                       [](const ChartContent& c) { return !c.lab.isEmpty(); }))
        ++legend;
    contents[legend].legend = true;
    pane.SetContents(std::move(contents));
}

namespace {

// One property against pressure per chart.
template <class Object>
void PlotAgainstPressure(
    PlotPane& pane, const clsPrs& prs, const Object& object,
    std::initializer_list<std::tuple<const char*, const char*, float (Object::*)(std::int16_t) const>>
        charts) {
    std::vector<ChartContent> contents;
    for (const auto& [title, yTitle, getter] : charts) {
        ChartContent content;
        content.title = QString::fromLatin1(title);
        content.xTitle = kPressure;
        content.yTitle = QString::fromLatin1(yTitle);
        content.curves = {{QString::fromLatin1(title),
                           Points(
                               prs.NPRSo(), [&prs](std::int16_t i) { return prs.GetPRSo(i); },
                               [&object, getter = getter](std::int16_t i) { return (object.*getter)(i); }),
                           kReservoirColour, false}};
        contents.push_back(std::move(content));
    }
    pane.SetContents(std::move(contents));
}

} // namespace

void PlotGas(PlotPane& pane, const clsPrs& prs, const clsGas& gas) {
    PlotAgainstPressure<clsGas>(pane, prs, gas,
                                {{"Z Factor", "Z", &clsGas::GetZ},
                                 {"Gas Volume Factor", "Vol Fact (rcf/scf)", &clsGas::GetBG},
                                 {"Gas Viscosity", "Viscosity (cp)", &clsGas::GetMUG}});
}

void PlotWater(PlotPane& pane, const clsPrs& prs, const clsWater& water) {
    PlotAgainstPressure<clsWater>(pane, prs, water,
                                  {{"Water Volume Factor", "Vol Fact (rb/stb)", &clsWater::GetBW},
                                   {"Water Viscosity", "Viscosity (cp)", &clsWater::GetMUW}});
}

void PlotRock(PlotPane& pane, const clsRock& rock) {
    const std::int16_t n = rock.NWet();
    const bool gasOil = rock.Fluids() == 1;
    const bool gasWater = rock.Fluids() == 3;
    auto saturation = [&rock, gasOil](std::int16_t i) { return gasOil ? rock.GetSNWet(i) : rock.GetSWet(i); };
    ChartContent content;
    content.title = gasOil     ? QStringLiteral("Gas/Oil Relative Permeability")
                    : gasWater ? QStringLiteral("Gas/Water Relative Permeability")
                               : QStringLiteral("Oil/Water Relative Permeability");
    content.xTitle = gasOil ? QStringLiteral("Gas Saturation") : QStringLiteral("Water Saturation");
    content.yTitle = QStringLiteral("Relative Permeability");
    const Curve displacing =
        gasOil ? Curve{QStringLiteral("Krg"),
                       Points(n, saturation, [&rock](std::int16_t i) { return rock.GetKRGas(i); }),
                       kSaturatedColour, false}
               : Curve{QStringLiteral("Krw"),
                       Points(n, saturation, [&rock](std::int16_t i) { return rock.GetKRWat(i); }),
                       kReservoirColour, false};
    const Curve oil = gasWater
                          ? Curve{QStringLiteral("Krg"),
                                  Points(n, saturation, [&rock](std::int16_t i) { return rock.GetKRGas(i); }),
                                  kSaturatedColour, false}
                          : Curve{QStringLiteral("Kro"),
                                  Points(n, saturation, [&rock](std::int16_t i) { return rock.GetKROil(i); }),
                                  kSecondColour, false};
    content.curves = {displacing, oil};
    content.markerName = QString::fromLatin1(kEndPoints);
    for (const Curve& curve : content.curves)
        if (!curve.points.isEmpty()) content.markers << curve.points.front() << curve.points.back();
    content.legend = true;
    content.unitAxes = true;
    // A capillary-pressure model adds its curve, in a chart of its own under the kr (psi, not 0 to 1).
    ChartContent pc;
    if (rock.HasPc()) {
        pc.title = gasOil ? QStringLiteral("Gas/Oil Capillary Pressure")
                          : QStringLiteral("Oil/Water Capillary Pressure");
        pc.xTitle = content.xTitle;
        pc.yTitle = QStringLiteral("Pc (psi)");
        pc.curves = {Curve{gasOil ? QStringLiteral("Pcog") : QStringLiteral("Pcow"),
                           Points(n, saturation, [&rock](std::int16_t i) { return rock.GetPC(i); }),
                           kSaturatedColour, false}};
    }
    if (pane.Count() > 1) pane.View(1)->setVisible(rock.HasPc());
    pane.SetContents({std::move(content), std::move(pc)});
}

} // namespace q7
