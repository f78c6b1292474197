#include "platform/picture_box.h"

#include "platform/line_control.h"
#include "platform/vb_colors.h"
#include "tests/support/korvel_test.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>

#include <tuple>

TEST(PictureBox, ClientAreaIsTheOuterSizeLessTheBorder)
{
    PictureBox picture;
    picture.resize(300, 200);
    EXPECT_EQ(picture.clientWidth(), 296);
    EXPECT_EQ(picture.clientHeight(), 196);
    EXPECT_EQ(picture.clientRect(), QRect(2, 2, 296, 196));
    EXPECT_EQ(picture.ScaleWidth(), 296) << "one unit per pixel until a scale is set";
    picture.resize(3, 3);
    EXPECT_EQ(picture.clientWidth(), 0);
}

TEST(PictureBox, TheSunkenEdgeFramesTheWholeClientArea)
{
    PictureBox picture;
    picture.resize(20, 10);
    picture.setBackColor(RGB(255, 0, 0)); // the client area all red
    const QImage shown = picture.grab().toImage();
    const QPalette& colours = picture.palette();
    struct Case
    {
        const char* name;
        QPoint at;
        QColor colour;
    };
    const Case cases[] = {
        { "outer top left", { 0, 0 }, colours.mid().color() },
        { "inner top left", { 1, 1 }, colours.shadow().color() },
        { "first client pixel", { 2, 2 }, QColor(255, 0, 0) },
        { "last client column", { 17, 5 }, QColor(255, 0, 0) },
        { "last client row", { 10, 7 }, QColor(255, 0, 0) },
        { "inner right", { 18, 5 }, colours.button().color() },
        { "outer right, the last column", { 19, 5 }, colours.light().color() },
        { "outer bottom, the last row", { 10, 9 }, colours.light().color() },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shown.pixelColor(c.at).rgb(), c.colour.rgb()) << c.name;
    }
}

TEST(PictureBox, UserScaleRunsFromCornerToCorner)
{
    PictureBox picture;
    picture.resize(404, 204);
    picture.Scale(500000, 4200000, 504000, 4198000);
    EXPECT_EQ(picture.ScaleLeft(), 500000);
    EXPECT_EQ(picture.ScaleTop(), 4200000);
    EXPECT_EQ(picture.ScaleWidth(), 4000);
    EXPECT_EQ(picture.ScaleHeight(), -2000) << "north up";
    EXPECT_DOUBLE_EQ(picture.toUserX(100), 501000);
    EXPECT_DOUBLE_EQ(picture.toUserY(100), 4199000);
    EXPECT_DOUBLE_EQ(picture.toClientX(503000), 300);
    EXPECT_DOUBLE_EQ(picture.toClientY(4198000), 200);
    picture.resize(804, 404);
    EXPECT_EQ(picture.ScaleWidth(), 4000) << "a set scale stays with the window's size";
}

// The picture paints over all it covers (no background drawn beneath): its
// two-pixel frame runs to the last column and row whatever its size, and
// the client area holds the picture and nothing else. Stale screen pixels
// would otherwise stay beside the map after a mode switch.
TEST(PictureBox, ThePaintCoversTheFrameWholeAtEverySize)
{
    PictureBox picture;
    picture.setBackColor(RGB(0, 0, 255));
    const QColor stale(255, 0, 0);
    for (const QSize size : { QSize(300, 200), QSize(420, 200), QSize(180, 260), QSize(5, 5) }) {
        picture.resize(size);
        QImage screen(size, QImage::Format_RGB32);
        screen.fill(stale);
        picture.render(&screen, QPoint(), QRegion(), QWidget::DrawChildren);
        const QPalette& colours = picture.palette();
        const int right = size.width() - 1;
        const int bottom = size.height() - 1;
        struct Edge
        {
            const char* name;
            QPoint at;
            QColor colour;
        };
        const Edge edges[] = {
            { "outer top", { right / 2, 0 }, colours.mid().color() },
            { "outer left", { 0, bottom / 2 }, colours.mid().color() },
            { "outer right", { right, bottom / 2 }, colours.light().color() },
            { "outer bottom", { right / 2, bottom }, colours.light().color() },
            { "inner right", { right - 1, bottom / 2 }, colours.button().color() },
            { "inner bottom", { right / 2, bottom - 1 }, colours.button().color() },
            { "outer bottom-right corner", { right, bottom }, colours.light().color() },
        };
        for (const Edge& edge : edges) {
            EXPECT_EQ(screen.pixel(edge.at), edge.colour.rgb())
                << edge.name << " at " << size.width() << "x" << size.height();
        }
        int stalePixels = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                stalePixels += screen.pixelColor(x, y) == stale ? 1 : 0;
            }
        }
        EXPECT_EQ(stalePixels, 0) << size.width() << "x" << size.height();
        if (size.width() > 4) {
            EXPECT_EQ(screen.pixelColor(2, 2), QColor(0, 0, 255)) << "the client area shows the picture";
        }
    }
}

// On a desktop scaled by 1.25 a picture's edges fall inside device pixels.
// The picture and its frame cover every device pixel wholly inside it, and
// the device pixels just outside show its parent's background, never what
// was there before (the preferences' zone map and colour boxes kept a row
// and a column of stale pixels).
TEST(PictureBox, AtAScaleOfOneAndAQuarterNoStalePixelStaysAroundIt)
{
    constexpr double Scale = 1.25;
    const QColor background(0, 128, 0);
    const QColor stale(255, 0, 255);
    for (const QRect geometry : { QRect(62, 74, 182, 96), QRect(158, 116, 60, 30), QRect(3, 5, 61, 31) }) {
        QWidget parent;
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, background);
        parent.setPalette(palette);
        parent.setAutoFillBackground(true);
        parent.resize(geometry.right() + 8, geometry.bottom() + 8);
        PictureBox picture(&parent);
        picture.setGeometry(geometry);
        picture.setBackColor(RGB(0, 0, 255));
        parent.show(); // only a shown window leaves its opaque children out of its background
        QImage screen(parent.size() * Scale, QImage::Format_RGB32);
        screen.setDevicePixelRatio(Scale);
        screen.fill(stale);
        parent.render(&screen);

        // The picture's edges in device pixels, and a margin of 2 around it.
        const QRectF box(QPointF(geometry.topLeft()) * Scale, QSizeF(geometry.size()) * Scale);
        const QRectF near = box.adjusted(-2, -2, 2, 2);
        int stalePixels = 0, backgroundInside = 0, notBackgroundOutside = 0;
        for (int y = 0; y < screen.height(); ++y) {
            for (int x = 0; x < screen.width(); ++x) {
                const QRectF pixel(x, y, 1, 1);
                const QColor colour = screen.pixelColor(x, y);
                stalePixels += colour == stale;
                if (box.contains(pixel)) {
                    backgroundInside += colour == background;
                } else if (near.contains(pixel) && !box.intersects(pixel)) {
                    notBackgroundOutside += colour != background;
                }
            }
        }
        const QString at = QStringLiteral("%1,%2 %3x%4")
                               .arg(geometry.x())
                               .arg(geometry.y())
                               .arg(geometry.width())
                               .arg(geometry.height());
        EXPECT_EQ(std::tuple(stalePixels, backgroundInside, notBackgroundOutside), std::tuple(0, 0, 0))
            << "stale, background inside (gaps in the frame), other than background just outside, at "
            << geometry.x() << "," << geometry.y() << " " << geometry.width() << "x" << geometry.height();
    }
}

TEST(PictureBox, CustomPointerTakesItsPictureCentredOnTheHotSpot)
{
    PictureBox picture;
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::yellow);
    picture.setMouseIcon(icon);
    picture.setMousePointer(vbCustom);
    EXPECT_EQ(picture.cursor().hotSpot(), QPoint(16, 16));
    EXPECT_EQ(picture.cursor().pixmap().size(), QSize(32, 32));
    picture.setMousePointer(vbCrosshair);
    EXPECT_EQ(picture.cursor().shape(), Qt::CrossCursor);
}

namespace {

struct MouseRecord
{
    int button = -1;
    int shift = -1;
    float x = 0;
    float y = 0;
};

QMouseEvent mouseEvent(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
    Qt::KeyboardModifiers modifiers)
{
    return QMouseEvent(type, at, at, button, buttons, modifiers);
}

} // namespace

TEST(PictureBox, MouseEventsComeInUserUnitsWithTheRuntimesCodes)
{
    PictureBox picture;
    picture.resize(404, 304);
    picture.Scale(500000, 4800300, 500400, 4800000);
    MouseRecord down;
    MouseRecord move;
    MouseRecord up;
    QObject::connect(&picture, &PictureBox::MouseDown, [&down](int b, int s, float x, float y) {
        down = { b, s, x, y };
    });
    QObject::connect(&picture, &PictureBox::MouseMove, [&move](int b, int s, float x, float y) {
        move = { b, s, x, y };
    });
    QObject::connect(&picture, &PictureBox::MouseUp, [&up](int b, int s, float x, float y) {
        up = { b, s, x, y };
    });

    // Client pixel (100, 50) lies 2 pixels inside the frame.
    QMouseEvent press = mouseEvent(
        QEvent::MouseButtonPress, QPointF(102, 52), Qt::RightButton, Qt::RightButton, Qt::ControlModifier);
    QCoreApplication::sendEvent(&picture, &press);
    EXPECT_EQ(down.button, 2);
    EXPECT_EQ(down.shift, 2) << "Ctrl";
    EXPECT_FLOAT_EQ(down.x, 500100.0f);
    EXPECT_FLOAT_EQ(down.y, 4800250.0f) << "north up";

    QMouseEvent drag = mouseEvent(QEvent::MouseMove, QPointF(2, 302), Qt::NoButton,
        Qt::LeftButton | Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier);
    QCoreApplication::sendEvent(&picture, &drag);
    EXPECT_EQ(move.button, 3) << "every button held";
    EXPECT_EQ(move.shift, 5);
    EXPECT_FLOAT_EQ(move.x, 500000.0f);
    EXPECT_FLOAT_EQ(move.y, 4800000.0f);

    QMouseEvent release = mouseEvent(
        QEvent::MouseButtonRelease, QPointF(2, 2), Qt::MiddleButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&picture, &release);
    EXPECT_EQ(up.button, 4);
    EXPECT_EQ(up.shift, 0);
}

TEST(PictureBox, TheSecondPressOfADoubleClickIsADblClickAndNoPress)
{
    PictureBox picture;
    std::vector<QString> heard;
    QObject::connect(&picture, &PictureBox::MouseDown, [&heard] { heard.push_back("down"); });
    QObject::connect(&picture, &PictureBox::DblClick, [&heard] { heard.push_back("double"); });
    // What a widget receives of a double click: press, release, double click, release.
    for (QEvent::Type type :
        { QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick }) {
        QMouseEvent event = mouseEvent(type, QPointF(50, 50), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&picture, &event);
    }
    EXPECT_EQ(heard, std::vector<QString>({ "down", "double" }));
}

TEST(PictureBox, LineControlsStandAboveThePictureInWorldUnits)
{
    PictureBox picture;
    picture.resize(104, 104);
    picture.Scale(0, 100, 100, 0);
    picture.setFillStyle(vbFSSolid);
    picture.setFillColor(RGB(0, 0, 255));
    picture.LineBox(0, 100, 50, 0, RGB(0, 0, 255));

    auto* line = new LineControl(picture);
    line->setEnds(10, 30, 90, 30);
    line->setBorderColor(RGB(255, 0, 0));
    const QImage composed = picture.composedImage();
    EXPECT_EQ(composed.pixelColor(60, 70), QColor(255, 0, 0)) << "the copy pen paints its colour";
    EXPECT_EQ(picture.image().pixelColor(60, 70), QColor(255, 255, 255)) << "never into the picture itself";

    line->setDrawMode(vbInvert);
    const QImage inverted = picture.composedImage();
    EXPECT_EQ(inverted.pixelColor(60, 70), QColor(0, 0, 0)) << "white inverted is black";
    EXPECT_EQ(inverted.pixelColor(20, 70), QColor(255, 255, 0)) << "blue inverted is yellow";

    // A new scale moves the line with the map.
    picture.Scale(0, 200, 200, 0);
    EXPECT_EQ(picture.composedImage().pixelColor(30, 85), QColor(255, 255, 0));
    line->setVisible(false);
    EXPECT_EQ(picture.composedImage(), picture.image());
}

TEST(PictureBox, LineArraysCopyTheirTemplateAndStackTheNewestOnTop)
{
    PictureBox picture;
    picture.resize(104, 104);
    picture.Scale(0, 100, 100, 0);
    ControlArray<LineControl> lines("DigitizeLine");
    auto* first = new LineControl(picture);
    first->setVisible(false);
    first->setBorderColor(RGB(0, 255, 0));
    first->setBorderWidth(3);
    lines.setElement(0, first);
    lines.setLoader(lineControlLoader(lines));

    LineControl& loaded = lines.load(1);
    EXPECT_EQ(loaded.objectName(), "DigitizeLine(1)");
    EXPECT_EQ(loaded.BorderColor(), RGB(0, 255, 0));
    EXPECT_EQ(loaded.BorderWidth(), 3);
    EXPECT_FALSE(loaded.Visible());
    EXPECT_EQ(picture.lines().back(), &loaded);

    LineControl& under = lines.load(2);
    under.setBorderColor(RGB(255, 0, 0));
    loaded.setEnds(0, 50, 100, 50);
    under.setEnds(0, 50, 100, 50);
    loaded.setVisible(true);
    under.setVisible(true);
    EXPECT_EQ(picture.composedImage().pixelColor(50, 50), QColor(255, 0, 0)) << "the newest lies on top";
    loaded.ZOrder(0);
    EXPECT_EQ(picture.composedImage().pixelColor(50, 50), QColor(0, 255, 0));
    lines.unload(1);
    EXPECT_EQ(picture.composedImage().pixelColor(50, 50), QColor(255, 0, 0));
}
