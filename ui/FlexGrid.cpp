#include "ui/FlexGrid.h"

#include <QHeaderView>
#include <QPalette>

#include <algorithm>

namespace q7 {

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent) {
    verticalHeader()->hide();
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setTextElideMode(Qt::ElideNone);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int, int, int, int) { emit RowColChange(); });
}

// Widths were laid out for an 8-point system font whose digits are 6 pixels wide at 96 dpi; a
// wider desktop font widens the grid in proportion, so numbers and captions still fit.
int FlexGrid::TwipsToPixels(int twips) const {
    const double fontScale =
        std::max(1.0, fontMetrics().horizontalAdvance(QStringLiteral("0123456789")) / 60.0);
    return static_cast<int>(twips * logicalDpiX() / 1440.0 * fontScale + 0.5);
}

void FlexGrid::SetCols(int cols) {
    setColumnCount(cols);
    for (int c = 0; c < cols; ++c) {
        if (!horizontalHeaderItem(c)) setHorizontalHeaderItem(c, new QTableWidgetItem(QString()));
    }
}

void FlexGrid::ClearCells() {
    clearContents();
    setRowCount(0);
    for (int c = 0; c < columnCount(); ++c) {
        if (auto* item = horizontalHeaderItem(c)) item->setText(QString());
    }
}

void FlexGrid::SetHeaderHeight(int twips) {
    m_headerTwips = twips;
    // Room for two lines of the header captions at the current font, whatever the screen scale.
    const int twoLines = 2 * horizontalHeader()->fontMetrics().lineSpacing() + 8;
    horizontalHeader()->setFixedHeight(std::max(TwipsToPixels(twips), twoLines));
}

void FlexGrid::SetColWidth(int col, int twips) {
    if (col < 0 || col >= columnCount()) return;
    if (static_cast<int>(m_widthTwips.size()) <= col)
        m_widthTwips.resize(static_cast<std::size_t>(col) + 1, 0);
    m_widthTwips[static_cast<std::size_t>(col)] = twips;
    if (twips <= 0) {
        setColumnHidden(col, true);
        return;
    }
    setColumnHidden(col, false);
    setColumnWidth(col, TwipsToPixels(twips));
}

int FlexGrid::ColWidthTwips(int col) const {
    if (col < 0 || col >= static_cast<int>(m_widthTwips.size())) return 0;
    return m_widthTwips[static_cast<std::size_t>(col)];
}

void FlexGrid::SetHeaderText(int col, const QString& text) {
    auto* item = horizontalHeaderItem(col);
    if (!item) {
        item = new QTableWidgetItem;
        setHorizontalHeaderItem(col, item);
    }
    item->setText(text);
    // Centred both ways, wrapping within the column under a two-line header.
    item->setData(Qt::TextAlignmentRole, static_cast<int>(Qt::AlignCenter | Qt::TextWordWrap));
}

QString FlexGrid::HeaderText(int col) const {
    const auto* item = horizontalHeaderItem(col);
    return item ? item->text() : QString();
}

void FlexGrid::AddItem(const QString& tabSeparated, int index) {
    const int row = std::clamp(index, 1, Rows()) - 1;
    insertRow(row);
    const QStringList cells = tabSeparated.split(QLatin1Char('\t'));
    for (int c = 0; c < columnCount(); ++c) {
        auto* item = new QTableWidgetItem(c < cells.size() ? cells[c] : QString());
        item->setTextAlignment(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        setItem(row, c, item);
    }
    PaintFixedColumn(row);
}

QTableWidgetItem* FlexGrid::CellItem(int row, int col) {
    if (row < 1 || row > rowCount() || col < 0 || col >= columnCount()) return nullptr;
    auto* cell = item(row - 1, col);
    if (!cell) {
        cell = new QTableWidgetItem;
        setItem(row - 1, col, cell);
    }
    return cell;
}

void FlexGrid::PaintFixedColumn(int row) {
    if (columnCount() == 0) return;
    if (auto* cell = item(row, 0)) cell->setBackground(palette().color(QPalette::Button));
}

QString FlexGrid::TextMatrix(int row, int col) const {
    if (row == 0) return HeaderText(col);
    const auto* cell = item(row - 1, col);
    return cell ? cell->text() : QString();
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (row == 0) {
        SetHeaderText(col, text);
        return;
    }
    if (auto* cell = CellItem(row, col)) cell->setText(text);
}

void FlexGrid::SetCellBackColor(int row, int col, const QColor& color) {
    if (auto* cell = CellItem(row, col)) cell->setBackground(color);
}

QColor FlexGrid::CellBackColor(int row, int col) const {
    const auto* cell = (row >= 1) ? item(row - 1, col) : nullptr;
    if (!cell || cell->background().style() == Qt::NoBrush) return palette().color(QPalette::Base);
    return cell->background().color();
}

void FlexGrid::SetCellForeColor(int row, int col, const QColor& color) {
    if (auto* cell = CellItem(row, col)) cell->setForeground(color);
}

QColor FlexGrid::CellForeColor(int row, int col) const {
    const auto* cell = (row >= 1) ? item(row - 1, col) : nullptr;
    if (!cell || cell->foreground().style() == Qt::NoBrush) return palette().color(QPalette::Text);
    return cell->foreground().color();
}

void FlexGrid::SetCurrentCell(int row, int col) {
    setCurrentCell(row - 1, col);
}

} // namespace q7
