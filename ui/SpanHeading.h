#pragma once
// Headings that stand above groups of a grid's columns ("UnderSaturated" over columns 1-5,
// "Saturated" over 7-10), following the columns' widths and the grid's scrolling.
#include <QString>
#include <QWidget>

#include <vector>

namespace q7 {

class FlexGrid;

class SpanHeading : public QWidget {
    Q_OBJECT
public:
    explicit SpanHeading(FlexGrid* grid, QWidget* parent = nullptr);

    // Replaces the headings; columns are grid columns, both ends included.
    void SetSpans(std::vector<std::pair<std::pair<int, int>, QString>> spans);
    // The heading standing over `col`, or empty.
    QString TextOver(int col) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FlexGrid* m_grid;
    std::vector<std::pair<std::pair<int, int>, QString>> m_spans;
};

} // namespace q7
