#include "platform/flex_grid.h"

#include "platform/vb_colors.h"

#include <QHeaderView>
#include <algorithm>

FlexGrid::FlexGrid(QWidget* parent)
    : QTableWidget(parent)
    , m_backColour(RGB(255, 255, 255))
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(m_rowHeight);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setWordWrap(false);
    connect(this, &QTableWidget::cellClicked, this, &FlexGrid::Click);
}

void FlexGrid::setRows(int rows)
{
    const int before = rowCount();
    setRowCount(std::max(0, rows));
    prepareRows(before);
}

void FlexGrid::setCols(int cols)
{
    setColumnCount(std::max(0, cols));
    prepareRows(0);
}

// Every cell has an item from the start, so a background shows even in a
// cell without text.
void FlexGrid::prepareRows(int first)
{
    for (int r = std::max(0, first); r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            cell(r, c);
        }
    }
}

QTableWidgetItem* FlexGrid::cell(int row, int col)
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount()) {
        return nullptr;
    }
    QTableWidgetItem* found = item(row, col);
    if (!found) {
        found = new QTableWidgetItem;
        found->setFlags(Qt::ItemIsEnabled);
        found->setBackground(toQColor(m_backColour));
        setItem(row, col, found);
    }
    return found;
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    const QTableWidgetItem* found = item(row, col);
    return found ? found->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    if (QTableWidgetItem* found = cell(row, col)) {
        found->setText(text);
    }
}

qint32 FlexGrid::CellBackColor(int row, int col) const
{
    const QTableWidgetItem* found = item(row, col);
    return found ? fromQColor(found->background().color()) : m_backColour;
}

void FlexGrid::setCellBackColor(int row, int col, qint32 colour)
{
    if (QTableWidgetItem* found = cell(row, col)) {
        found->setBackground(toQColor(colour));
    }
}

void FlexGrid::setRowHeight(int pixels)
{
    m_rowHeight = std::max(1, pixels);
    verticalHeader()->setDefaultSectionSize(m_rowHeight);
    for (int r = 0; r < rowCount(); ++r) {
        QTableWidget::setRowHeight(r, m_rowHeight);
    }
}

void FlexGrid::setTopRow(int row)
{
    if (row >= 0 && row < rowCount()) {
        scrollToItem(item(row, 0), QAbstractItemView::PositionAtTop);
    }
}

void FlexGrid::Clear()
{
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            if (QTableWidgetItem* found = cell(r, c)) {
                found->setText(QString());
                found->setBackground(toQColor(m_backColour));
            }
        }
    }
}

QRect FlexGrid::cellRect(int row, int col) const
{
    return visualRect(indexFromItem(item(row, col)));
}
