#pragma once
// A grid with a fixed header row 0 and a narrow fixed column 0, addressed as the program's grids
// are: row 0 is the header (the table's horizontal header), data rows are 1..Rows()-1, column 0 is
// an ordinary, empty, grey column. Widths and heights are in twips and scale with the screen.
#include <QColor>
#include <QString>
#include <QTableWidget>

#include <vector>

namespace q7 {

class FlexGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    // Twips (1/1440 inch) to pixels on this widget's screen.
    int TwipsToPixels(int twips) const;

    // Header row plus data rows.
    int Rows() const { return rowCount() + 1; }
    int Cols() const { return columnCount(); }
    void SetCols(int cols);

    // Removes every data row and all cell text and formatting; the header captions go too.
    void ClearCells();
    void SetHeaderHeight(int twips);
    void SetColWidth(int col, int twips);
    // The width last set, in twips.
    int ColWidthTwips(int col) const;
    // Header caption of `col`, centred, wrapping within the column width.
    void SetHeaderText(int col, const QString& text);
    QString HeaderText(int col) const;

    // Inserts a data row at `index` (1..Rows()) from tab-separated cells, the first for column 0.
    void AddItem(const QString& tabSeparated, int index);

    // Cell text; row 0 is the header.
    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);

    void SetCellBackColor(int row, int col, const QColor& color);
    QColor CellBackColor(int row, int col) const;
    void SetCellForeColor(int row, int col, const QColor& color);
    QColor CellForeColor(int row, int col) const;

    // Current cell in grid coordinates (data rows from 1); 0 when there is none.
    int Row() const { return currentRow() + 1; }
    int Col() const { return currentColumn(); }
    void SetCurrentCell(int row, int col);

signals:
    // The current data row or column changed (by the user or by code).
    void RowColChange();

private:
    QTableWidgetItem* CellItem(int row, int col);
    void PaintFixedColumn(int row);

    int m_headerTwips = 0;
    std::vector<int> m_widthTwips;
};

} // namespace q7
