#pragma once
// The runtime's picture box: a control with a sunken 2-pixel border whose
// client area (the outer size less 2 pixels on each side) shows a persistent
// picture with a user coordinate system (picture_surface.h holds the scale,
// the drawing state and the drawing methods). What is drawn stays until Cls;
// the screen shows it after Refresh or when the program next waits for the
// user. Line controls (line_control.h) stand above the picture.
//
// Mouse events come in user units with the runtime's codes: Button 1 left,
// 2 right, 4 middle (MouseDown and MouseUp the button that changed,
// MouseMove every button held), Shift 1 Shift, 2 Ctrl, 4 Alt. The second
// press of a double click comes as DblClick alone, not as a MouseDown, so a
// quick double click is one press to whoever listens to MouseDown (Qt would
// otherwise hand it on as a second press); its release is a MouseUp. The
// pointer over the client area is the runtime's MousePointer, with a custom
// image in MouseIcon.
#include "platform/picture_surface.h"

#include <QImage>
#include <QWidget>
#include <vector>

class LineControl;

// MousePointer values of the runtime that the program uses.
inline constexpr int vbDefault = 0;
inline constexpr int vbArrow = 1;
inline constexpr int vbCrosshair = 2;
inline constexpr int vbHourglass = 11;
inline constexpr int vbCustom = 99;

class PictureBox : public QWidget, public PictureSurface
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    // The client area in pixels, from the control's present size.
    int clientWidth() const override;
    int clientHeight() const override;
    QRect clientRect() const;

    // Shows what was drawn now, without waiting for the event loop.
    void Refresh() override;

    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    // The custom pointer's image; the hot spot is its centre, as for an icon.
    const QImage& MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QImage& icon);

    // The picture's line controls, back to front.
    const std::vector<LineControl*>& lines() const { return m_lines; }
    // The client area as the screen shows it: the persistent picture with
    // the visible line controls over it.
    QImage composedImage();

signals:
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    void DblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void drawingStarted() override;

private:
    friend class LineControl;
    void addLine(LineControl* line);
    void removeLine(LineControl* line);
    void restackLine(LineControl* line, bool toFront);
    void linesChanged();
    void drawLines(QPainter& painter) const;

    void applyPointer();
    void drawPicture(QPainter& painter, const QImage& shown) const;
    void drawFrame(QPainter& painter) const;
    // Pointer position in user units, from a position in widget pixels.
    QPointF userPosition(const QPointF& widgetPosition) const;

    std::vector<LineControl*> m_lines;
    int m_mousePointer = vbDefault;
    QImage m_mouseIcon;
};
