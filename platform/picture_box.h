#pragma once
// The runtime's picture box: a control with a sunken 2-pixel border whose
// client area (the outer size less 2 pixels on each side) carries a user
// coordinate system. Scale(x1, y1, x2, y2) puts (x1, y1) at the client's top
// left corner and (x2, y2) at its bottom right; ScaleLeft, ScaleTop,
// ScaleWidth and ScaleHeight read it back (ScaleHeight is negative when y
// grows upwards, as on the map). The pointer over the client area is the
// runtime's MousePointer, with a custom image in MouseIcon.
//
// The drawing surface (persistent image, lines, fills, overlays) is added to
// this class by the map view; this part holds the frame and the scale.
#include <QImage>
#include <QWidget>

// MousePointer values of the runtime that the program uses.
inline constexpr int vbDefault = 0;
inline constexpr int vbArrow = 1;
inline constexpr int vbCrosshair = 2;
inline constexpr int vbHourglass = 11;
inline constexpr int vbCustom = 99;

class PictureBox : public QWidget
{
    Q_OBJECT
public:
    static constexpr int BorderWidth = 2; // pixels on each side

    explicit PictureBox(QWidget* parent = nullptr);

    // The client area in pixels.
    int clientWidth() const;
    int clientHeight() const;
    QRect clientRect() const;

    // The runtime's Scale method; the default scale is one unit per pixel
    // from (0, 0).
    void Scale(double x1, double y1, double x2, double y2);
    double ScaleLeft() const { return m_userScale ? m_scaleLeft : 0.0; }
    double ScaleTop() const { return m_userScale ? m_scaleTop : 0.0; }
    double ScaleWidth() const { return m_userScale ? m_scaleWidth : clientWidth(); }
    double ScaleHeight() const { return m_userScale ? m_scaleHeight : clientHeight(); }

    // A client pixel position in user units and back; positions inside the
    // client area, measured from its top left corner.
    double toUserX(double clientPixelX) const;
    double toUserY(double clientPixelY) const;
    double toClientX(double userX) const;
    double toClientY(double userY) const;

    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    // The custom pointer's image; the hot spot is its centre, as for an icon.
    const QImage& MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QImage& icon);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyPointer();

    double m_scaleLeft = 0.0;
    double m_scaleTop = 0.0;
    double m_scaleWidth = 0.0;
    double m_scaleHeight = 0.0;
    bool m_userScale = false;
    int m_mousePointer = vbDefault;
    QImage m_mouseIcon;
};
