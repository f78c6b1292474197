#include "platform/line_control.h"

#include "platform/picture_box.h"

LineControl::LineControl(PictureBox& picture)
    : QObject(&picture)
    , m_picture(&picture)
{
    m_picture->addLine(this);
}

LineControl::~LineControl()
{
    m_picture->removeLine(this);
}

void LineControl::setX1(double value)
{
    m_x1 = value;
    changed();
}

void LineControl::setY1(double value)
{
    m_y1 = value;
    changed();
}

void LineControl::setX2(double value)
{
    m_x2 = value;
    changed();
}

void LineControl::setY2(double value)
{
    m_y2 = value;
    changed();
}

void LineControl::setEnds(double x1, double y1, double x2, double y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    changed();
}

void LineControl::setBorderColor(qint32 color)
{
    m_borderColor = color;
    changed();
}

void LineControl::setBorderWidth(int pixels)
{
    m_borderWidth = pixels < 1 ? 1 : pixels;
    changed();
}

void LineControl::setBorderStyle(int style)
{
    m_borderStyle = style;
    changed();
}

void LineControl::setDrawMode(int mode)
{
    m_drawMode = mode;
    changed();
}

void LineControl::setVisible(bool visible)
{
    if (m_visible != visible) {
        m_visible = visible;
        m_picture->linesChanged();
    }
}

void LineControl::ZOrder(int position)
{
    m_picture->restackLine(this, position == 0);
}

void LineControl::changed()
{
    // A hidden line changes nothing on the screen.
    if (m_visible) {
        m_picture->linesChanged();
    }
}

ControlArray<LineControl>::Loader lineControlLoader(const ControlArray<LineControl>& array)
{
    return [&array](LineControl& templateLine, int index) {
        auto* line = new LineControl(templateLine.picture());
        line->setObjectName(array.elementName(index));
        line->setVisible(false);
        line->setEnds(templateLine.X1(), templateLine.Y1(), templateLine.X2(), templateLine.Y2());
        line->setBorderColor(templateLine.BorderColor());
        line->setBorderWidth(templateLine.BorderWidth());
        line->setBorderStyle(templateLine.BorderStyle());
        line->setDrawMode(templateLine.DrawMode());
        return line;
    };
}
