#pragma once
// Line segments written straight into the pixels of a picture, for the
// flight tracks of the map: a day's logs hold a million samples, each drawn
// as its own segment in its own colour, and the painter spends more than a
// microsecond on every call with a new pen (seconds for a day's flights)
// where writing the pixels costs a tenth of that.
//
// The segments look as gdi32 draws a line with the picture's pen: one pixel
// wide (a cosmetic pen, Bresenham's line from end to end) or `width` pixels
// wide with round ends (a geometric pen: every pixel whose centre lies
// within width / 2 of the segment; for an even width the segment runs
// through the corners of its end pixels, so a level line is exactly `width`
// pixels thick).
//
// Coordinates are device pixels of the picture's client area, as the
// picture's pixel transform gives them; the ends are rounded to whole pixels
// as the picture's Line rounds them, after the parts far outside the image
// are cut away (a track kilometres off a zoomed view gives pixel values in
// the millions).
#include <QtGlobal>
#include <vector>

class PictureSurface;
class QImage;

class TrackRaster
{
public:
    explicit TrackRaster(PictureSurface& picture);

    // A segment from (x1, y1) to (x2, y2) in the colour (0x00BBGGRR), with
    // a pen `width` pixels wide (below 1 counts as 1). A segment that starts
    // and ends on the pixel where the last one ended, with the same pen,
    // would change nothing and is passed over: at a small scale most samples
    // of a flight fall on the pixel of the sample before.
    void segment(double x1, double y1, double x2, double y2, int width, qint32 colour);

private:
    struct Span
    {
        int left = 0; // pixel offsets from the end's pixel, both included
        int right = -1;
    };

    void line(int x1, int y1, int x2, int y2, quint32 pixel);
    void capsule(int x1, int y1, int x2, int y2, quint32 pixel);
    void fillSpan(quint32* row, int left, int right, quint32 pixel) const;
    void usePenWidth(int width);

    QImage& m_image;
    int m_width = 0; // of the image, pixels
    int m_height = 0;

    // The pen in use and the disc of its round end: for each row from
    // m_discTop below the end's pixel, the pixels of that row it covers.
    int m_penWidth = 0;
    double m_radius = 0.0;
    double m_offset = 0.0; // 0.5 for an even width: the pen's centre lies on a pixel corner
    int m_discTop = 0;
    std::vector<Span> m_disc;

    // Where the last segment ended, and with which pen.
    bool m_drawn = false;
    int m_lastX = 0;
    int m_lastY = 0;
    int m_lastWidth = 0;
    qint32 m_lastColour = 0;
};
