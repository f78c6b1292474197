#pragma once
// The runtime's Line control placed on a picture box: a straight line drawn
// above the picture's persistent image, never into it, so it can be moved,
// recoloured or hidden without a redraw of the map (zoom box edges, ruler,
// digitized segments, guidance previews). Its end points are in the
// picture's user units and stay at those places when the scale changes.
//
// The draw mode decides how it meets the picture: the copy pen paints its
// colour; the inverting and XOR pens combine with what lies beneath, so the
// line shows on any background. Lines stack in the order of their creation,
// the newest on top; ZOrder moves one to the front or the back.
#include <QObject>

#include "platform/control_array.h"

class PictureBox;

// DrawMode values.
inline constexpr int vbInvert = 6; // the inverse of what lies beneath
inline constexpr int vbXorPen = 7; // colour XOR what lies beneath
inline constexpr int vbNotXorPen = 10;
inline constexpr int vbCopyPen = 13; // the colour itself

// BorderStyle values.
inline constexpr int vbTransparent = 0;
inline constexpr int vbBSSolid = 1;
inline constexpr int vbBSDash = 2;
inline constexpr int vbBSDot = 3;
inline constexpr int vbBSDashDot = 4;
inline constexpr int vbBSDashDotDot = 5;

class LineControl final : public QObject
{
public:
    // A new line on the picture, on top of its other lines; the picture owns it.
    explicit LineControl(PictureBox& picture);
    ~LineControl() override;

    PictureBox& picture() const { return *m_picture; }

    double X1() const { return m_x1; }
    double Y1() const { return m_y1; }
    double X2() const { return m_x2; }
    double Y2() const { return m_y2; }
    void setX1(double value);
    void setY1(double value);
    void setX2(double value);
    void setY2(double value);
    void setEnds(double x1, double y1, double x2, double y2);

    qint32 BorderColor() const { return m_borderColor; } // 0x00BBGGRR
    void setBorderColor(qint32 color);
    int BorderWidth() const { return m_borderWidth; } // pixels
    void setBorderWidth(int pixels);
    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);
    int DrawMode() const { return m_drawMode; }
    void setDrawMode(int mode);
    bool Visible() const { return m_visible; }
    void setVisible(bool visible);

    // 0 brings the line to the front of the picture's lines, 1 sends it to the back.
    void ZOrder(int position = 0);

private:
    void changed();

    PictureBox* m_picture;
    double m_x1 = 0.0;
    double m_y1 = 0.0;
    double m_x2 = 0.0;
    double m_y2 = 0.0;
    qint32 m_borderColor = 0;
    int m_borderWidth = 1;
    int m_borderStyle = vbBSSolid;
    int m_drawMode = vbCopyPen;
    bool m_visible = true;
};

// Loads line array elements as the runtime did: a copy of the template's
// colour, width, style, mode and end points, hidden, on top of the others.
ControlArray<LineControl>::Loader lineControlLoader(const ControlArray<LineControl>& array);
