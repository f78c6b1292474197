#include "platform/flex_grid.h"
#include "platform/vb_colors.h"
#include "tests/support/korvel_test.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPoint>
#include <vector>

namespace {

using FlexGridTest = KorvelTest;

void click(QWidget& widget, QPoint at)
{
    const QPointF global = widget.mapToGlobal(QPointF(at));
    QMouseEvent press(
        QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &press);
    QMouseEvent release(
        QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &release);
}

} // namespace

TEST_F(FlexGridTest, CellsKeepTextAndBackgroundUntilClearedAndClicksNameTheirCell)
{
    FlexGrid grid;
    grid.resize(200, 120);
    grid.setCols(2);
    grid.setRows(4);
    grid.setRowHeight(20);
    grid.setColWidth(0, 20);
    grid.setTextMatrix(2, 1, "last");
    grid.setCellBackColor(2, 0, RGB(10, 20, 30));
    grid.setTextMatrix(4, 0, "beyond"); // outside: written nowhere
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextMatrix(2, 1), QStringLiteral("last"));
    EXPECT_EQ(grid.CellBackColor(2, 0), RGB(10, 20, 30));
    EXPECT_EQ(grid.CellBackColor(1, 0), grid.BackColor()) << "never coloured";

    grid.show();
    std::vector<QPoint> clicks;
    QObject::connect(&grid, &FlexGrid::Click, [&clicks](int row, int col) { clicks.emplace_back(row, col); });
    click(*grid.viewport(), grid.cellRect(2, 0).center());
    click(*grid.viewport(), grid.cellRect(1, 1).center());
    EXPECT_EQ(clicks, (std::vector<QPoint> { { 2, 0 }, { 1, 1 } }));

    grid.Clear();
    EXPECT_EQ(grid.Rows(), 4) << "Clear keeps the rows";
    EXPECT_EQ(grid.TextMatrix(2, 1), QString());
    EXPECT_EQ(grid.CellBackColor(2, 0), grid.BackColor());
}
