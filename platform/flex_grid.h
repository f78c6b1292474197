#pragma once
// The runtime's flex grid as dialogs used it for short lists: a grid of text
// cells without fixed rows or headers, rows and columns counted from 0. Each
// cell has its own text and background colour (0x00BBGGRR); columns have a
// width in pixels, all rows one height. Cells cannot be edited or selected:
// a click only reports the cell it landed on (Click(row, col)), so the
// background the code set is what the user sees.
//
// Clear() empties the texts and backgrounds and keeps the rows and columns,
// as the control's Clear did; fewer Rows drop the cells below.
#include <QTableWidget>

class FlexGrid final : public QTableWidget
{
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    int Rows() const { return rowCount(); }
    void setRows(int rows);
    int Cols() const { return columnCount(); }
    void setCols(int cols);

    // A cell outside the grid reads as empty text and the grid's background;
    // writing to one changes nothing.
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    qint32 CellBackColor(int row, int col) const;
    void setCellBackColor(int row, int col, qint32 colour);
    // The background of cells never coloured: white.
    qint32 BackColor() const { return m_backColour; }

    int ColWidth(int col) const { return columnWidth(col); }
    void setColWidth(int col, int pixels) { setColumnWidth(col, pixels); }
    int RowHeight() const { return m_rowHeight; }
    void setRowHeight(int pixels);

    // Scrolls so that `row` is the first one shown.
    void setTopRow(int row);
    void Clear();

    // Where a cell lies in the grid's viewport, in pixels (for a click).
    QRect cellRect(int row, int col) const;

signals:
    void Click(int row, int col);

private:
    QTableWidgetItem* cell(int row, int col);
    void prepareRows(int first);

    qint32 m_backColour;
    int m_rowHeight = 16;
};
