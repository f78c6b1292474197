#pragma once
// The drawing side of the runtime's picture box with AutoRedraw on: a
// persistent image the size of the client area that keeps what was drawn
// until Cls, a user coordinate system, and the drawing state the runtime's
// methods and gdi32 share (pen colour and width, fill style and colour).
// PictureBox (picture_box.h) shows one on the screen; drawing code takes a
// PictureSurface, so it runs in tests and benchmarks without a window.
//
// User scale: Scale(x1, y1, x2, y2) puts (x1, y1) at the client area's top
// left corner and (x2, y2) at its bottom right; ScaleLeft, ScaleTop,
// ScaleWidth and ScaleHeight read it back as the runtime's single-precision
// values (ScaleHeight is negative when y grows upwards, as on the map).
// ScaleMode 3 (pixels, the start state) makes one unit a pixel from (0, 0);
// setting any of the four values makes the scale a user scale again (mode 0).
//
// The runtime's methods (Line, Circle, PSet, PaintPicture) take user units;
// gdi32's Polyline, Polygon and PolyPolygon take device pixels of the client
// area (origin at its top left corner), fill with the alternate (even-odd)
// rule and draw with the current pen and brush. Wide pens have round ends and
// joins, as gdi32's geometric pens do; drawing is never antialiased.
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <memory>

class QPainter;
class QPainterPath;

// ScaleMode values, also the units of ScaleX and ScaleY.
inline constexpr int vbUser = 0;
inline constexpr int vbTwips = 1;
inline constexpr int vbPixels = 3;

// FillStyle values the program uses.
inline constexpr int vbFSSolid = 0;
inline constexpr int vbFSTransparent = 1;

// The picture's world-to-pixel transform, taken once from its current scale:
//   px = (X - ScaleLeft) / ScaleWidth x (Width / TwipsPerPixelX - 4)
//   py = (Y - ScaleTop) / ScaleHeight x (Height / TwipsPerPixelY - 4)
// (the client area's size in pixels), before rounding.
class PixelTransform
{
public:
    PixelTransform() = default;
    PixelTransform(
        double left, double top, double width, double height, double pixelWidth, double pixelHeight);

    double x(double worldX) const { return (worldX - m_left) / m_width * m_pixelWidth; }
    double y(double worldY) const { return (worldY - m_top) / m_height * m_pixelHeight; }

    // A pixel value as a 32-bit device coordinate: rounded to the nearest
    // integer, a half to the even neighbour (the runtime's CLng); values
    // beyond the 32-bit range stop at its ends instead of wrapping, NaN is 0.
    static int toDevice(double pixel);

private:
    double m_left = 0.0;
    double m_top = 0.0;
    double m_width = 1.0;
    double m_height = 1.0;
    double m_pixelWidth = 0.0;
    double m_pixelHeight = 0.0;
};

class PictureSurface
{
public:
    static constexpr int BorderWidth = 2; // pixels of frame on each side of the client area

    PictureSurface();
    PictureSurface(int clientWidth, int clientHeight);
    virtual ~PictureSurface();
    PictureSurface(const PictureSurface&) = delete;
    PictureSurface& operator=(const PictureSurface&) = delete;

    // The client area in pixels. A widget reports its own; a bare surface
    // keeps the size it was given.
    virtual int clientWidth() const { return m_clientWidth; }
    virtual int clientHeight() const { return m_clientHeight; }
    void setClientSize(int width, int height);

    // The outer size in twips (client area and frame), the runtime's Width and Height.
    float Width() const;
    float Height() const;

    // --- Scale ---
    void Scale(double x1, double y1, double x2, double y2);
    float ScaleLeft() const;
    float ScaleTop() const;
    float ScaleWidth() const;
    float ScaleHeight() const;
    void setScaleLeft(double value);
    void setScaleTop(double value);
    void setScaleWidth(double value);
    void setScaleHeight(double value);
    int ScaleMode() const { return m_scaleMode; }
    // 3 (pixels) resets the scale to one unit a pixel; 0 (user) keeps the values in force.
    void setScaleMode(int mode);
    // A width or height converted between vbUser, vbTwips and vbPixels, as
    // the runtime's ScaleX and ScaleY (signed like the scale).
    double ScaleX(double width, int fromScale, int toScale) const;
    double ScaleY(double height, int fromScale, int toScale) const;

    // A client pixel position in user units and back.
    double toUserX(double clientPixelX) const;
    double toUserY(double clientPixelY) const;
    double toClientX(double userX) const;
    double toClientY(double userY) const;
    PixelTransform pixelTransform() const;

    // --- Drawing state (colours are 0x00BBGGRR longs) ---
    qint32 ForeColor() const { return m_foreColor; }
    void setForeColor(qint32 color) { m_foreColor = color; }
    int DrawWidth() const { return m_drawWidth; }
    // At least 1 pixel, as the runtime keeps it.
    void setDrawWidth(int pixels) { m_drawWidth = pixels < 1 ? 1 : pixels; }
    int FillStyle() const { return m_fillStyle; }
    void setFillStyle(int style) { m_fillStyle = style; }
    qint32 FillColor() const { return m_fillColor; }
    void setFillColor(qint32 color) { m_fillColor = color; }
    qint32 BackColor() const { return m_backColor; }
    // Clears the picture to the new colour, as the runtime does.
    void setBackColor(qint32 color);

    // --- The runtime's methods, in user units ---
    void Cls();
    // A line in the colour with the current pen width.
    void Line(double x1, double y1, double x2, double y2, qint32 color);
    // Line ... B: a box outlined in the colour, filled as FillStyle and FillColor say.
    void LineBox(double x1, double y1, double x2, double y2, qint32 color);
    // Line ... BF: a box filled with the colour.
    void LineBoxFilled(double x1, double y1, double x2, double y2, qint32 color);
    // A circle whose radius is measured along x, outlined in the colour and
    // filled as FillStyle and FillColor say.
    void Circle(double x, double y, double radius, qint32 color);
    void PSet(double x, double y, qint32 color);
    // The whole picture stretched onto the rectangle from (x, y) spanning
    // width by height user units; a rectangle whose pixel extent runs
    // backwards shows the picture mirrored along that axis.
    void PaintPicture(const QImage& picture, double x, double y, double width, double height);

    // --- gdi32, in device pixels of the client area ---
    bool Polyline(const QPoint* points, int count);
    bool Polygon(const QPoint* points, int count);
    bool PolyPolygon(const QPoint* points, const int* counts, int polygonCount);
    // The same in fractional pixels, for geometry clipped in floating point.
    bool Polyline(const QPointF* points, int count);
    bool PolyPolygon(const QPointF* points, const int* counts, int polygonCount);

    // Shows the picture now; a bare surface has nothing to show.
    virtual void Refresh() { }

    // The persistent image as drawn so far, the client area's size.
    const QImage& image();
    // The same image for drawing code that writes its pixels itself (one
    // pixel at a time costs a fraction of a painter call). Ends the drawing
    // of the picture's own methods and counts as drawing started; a pointer
    // taken from it stays good until the picture is resized or cleared.
    QImage& pixelsForWriting();

protected:
    // Called when drawing starts after the image was last shown or read:
    // a widget schedules its repaint here.
    virtual void drawingStarted() { }
    // Ends drawing so the image can be shown or read.
    void finishDrawing();

private:
    QPainter& painter();
    void ensureImageSize();
    void usePen(qint32 color);
    void useBrush();
    void useNoBrush();
    // Fills and outlines the rings of a PolyPolygon, alternate rule.
    bool fillRings(const QPainterPath& rings);
    QPointF toPixel(double x, double y) const;
    void takeCurrentScaleAsUser();

    int m_clientWidth = 0;
    int m_clientHeight = 0;
    QImage m_image;
    std::unique_ptr<QPainter> m_painter;

    int m_scaleMode = vbPixels;
    float m_scaleLeft = 0.0f;
    float m_scaleTop = 0.0f;
    float m_scaleWidth = 0.0f;
    float m_scaleHeight = 0.0f;

    qint32 m_foreColor = 0;
    int m_drawWidth = 1;
    int m_fillStyle = vbFSTransparent;
    qint32 m_fillColor = 0;
    qint32 m_backColor = 0xFFFFFF;
};
