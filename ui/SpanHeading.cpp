#include "ui/SpanHeading.h"

#include "ui/FlexGrid.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

namespace q7 {

SpanHeading::SpanHeading(FlexGrid* grid, QWidget* parent) : QWidget(parent), m_grid(grid) {
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, qOverload<>(&QWidget::update));
    connect(grid->horizontalHeader(), &QHeaderView::sectionCountChanged, this, qOverload<>(&QWidget::update));
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
}

void SpanHeading::SetSpans(std::vector<std::pair<std::pair<int, int>, QString>> spans) {
    m_spans = std::move(spans);
    update();
}

QString SpanHeading::TextOver(int col) const {
    for (const auto& [range, text] : m_spans) {
        if (col >= range.first && col <= range.second) return text;
    }
    return {};
}

QSize SpanHeading::sizeHint() const {
    return {100, fontMetrics().height() + 6};
}

void SpanHeading::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QHeaderView* header = m_grid->horizontalHeader();
    // Our left edge and the grid's viewport are offset by the grid's frame.
    const int origin = m_grid->mapTo(parentWidget(), m_grid->viewport()->pos()).x() - x();
    for (const auto& [range, text] : m_spans) {
        if (range.first >= header->count()) continue;
        const int last = std::min(range.second, header->count() - 1);
        const int left = origin + header->sectionViewportPosition(range.first);
        const int right = origin + header->sectionViewportPosition(last) + header->sectionSize(last);
        const QRect box(left, 0, right - left, height());
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(box, Qt::AlignCenter, text);
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(box.left() + 4, box.bottom(), box.right() - 4, box.bottom());
    }
}

} // namespace q7
