#include "korvel/map/zoom_box_tool.h"

#include "korvel/map/map_extent.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <QLineEdit>
#include <QtNumeric>
#include <cmath>

namespace {

double sgn(double value)
{
    return value > 0.0 ? 1.0 : (value < 0.0 ? -1.0 : 0.0);
}

// The line controls keep their ends as the runtime's Single did.
double single(double value)
{
    return double(float(value));
}

// The two texts of one axis in order.
void orderPair(QString& low, QString& high)
{
    const double lowValue = extentBoxNumber(low, qQNaN());
    const double highValue = extentBoxNumber(high, qQNaN());
    if (float(highValue) < float(lowValue)) {
        low = high;
        high = CStr(lowValue);
    }
}

} // namespace

MapPoint zoomBoxCorner(MapPoint start, MapPoint pointer, double outerWidth, double outerHeight)
{
    const double dx = pointer.x - start.x;
    const double dy = pointer.y - start.y;
    const double w = outerWidth;
    const double h = outerHeight;
    if (std::abs(w * dy) < std::abs(h * dx)) {
        return { pointer.x, start.y + (h / w) * dx * sgn(dy) * sgn(dx) };
    }
    // A horizontal pull of exactly 0 gives no width, whatever the vertical one.
    return { start.x + (w / h) * dy * sgn(dx) * sgn(dy), pointer.y };
}

ExtentTexts orderedExtentTexts(const ExtentTexts& texts)
{
    ExtentTexts ordered = texts;
    orderPair(ordered.west, ordered.east);
    orderPair(ordered.south, ordered.north);
    return ordered;
}

ZoomBoxTool::ZoomBoxTool(MainForm& form)
    : m_form(form)
{
}

void ZoomBoxTool::press(float x, float y)
{
    const QString& format = globals().CoordFormat;
    m_form.Text1->setText(Format(double(x), format));
    m_form.Text2->setText(Format(double(y), format));
    refreshZoomWindow();
    for (LineControl* edge :
        { m_form.SelLineBottom, m_form.SelLineLeft, m_form.SelLineTop, m_form.SelLineRight }) {
        edge->setEnds(x, y, x, y);
        edge->setVisible(true);
        edge->ZOrder(0);
    }
}

void ZoomBoxTool::drag(float x, float y)
{
    LineControl& left = *m_form.SelLineLeft;
    LineControl& bottom = *m_form.SelLineBottom;
    LineControl& right = *m_form.SelLineRight;
    LineControl& top = *m_form.SelLineTop;
    const MapPoint start { left.X1(), bottom.Y1() };
    const PictureBox& picture = *m_form.Picture1;
    const MapPoint corner = zoomBoxCorner(start, { x, y }, double(picture.Width()), double(picture.Height()));
    const double cornerX = single(corner.x);
    const double cornerY = single(corner.y);

    right.setEnds(cornerX, start.y, cornerX, cornerY);
    top.setEnds(start.x, cornerY, cornerX, cornerY);
    bottom.setX2(cornerX);
    left.setY2(cornerY);

    const QString& format = globals().CoordFormat;
    m_form.Text3->setText(Format(right.X1(), format));
    m_form.Text4->setText(Format(top.Y1(), format));
    refreshZoomWindow();
}

void ZoomBoxTool::release()
{
    mapState().ExtentEdited = true;
    const QString& format = globals().CoordFormat;
    const LineControl& top = *m_form.SelLineTop;
    m_form.Text3->setText(Format(top.X2(), format));
    m_form.Text4->setText(Format(top.Y2(), format));

    const ExtentTexts ordered = orderedExtentTexts(
        { m_form.Text1->text(), m_form.Text2->text(), m_form.Text3->text(), m_form.Text4->text() });
    // Only a box whose text changes is written, as only those changed then.
    const std::pair<QLineEdit*, const QString*> boxes[] = { { m_form.Text1, &ordered.west },
        { m_form.Text2, &ordered.south }, { m_form.Text3, &ordered.east }, { m_form.Text4, &ordered.north } };
    for (const auto& [box, text] : boxes) {
        if (box->text() != *text) {
            box->setText(*text);
        }
    }
    refreshZoomWindow();
}

void ZoomBoxTool::refreshZoomWindow() const
{
    if (!floatingWindowShown(FloatingTool::Zoom)) {
        return;
    }
    if (FloatingToolWindow* zoom = floatingToolWindow(FloatingTool::Zoom)) {
        zoom->refreshForm();
    }
}
