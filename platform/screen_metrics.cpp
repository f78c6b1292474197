#include "platform/screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <optional>

namespace {

std::optional<ScreenMetrics> g_override;

ScreenMetrics realScreen()
{
    ScreenMetrics metrics;
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
        ? QGuiApplication::primaryScreen()
        : nullptr;
    if (screen) {
        metrics.widthPixels = screen->size().width();
        metrics.heightPixels = screen->size().height();
        metrics.bitsPerPixel = screen->depth();
    }
    return metrics;
}

} // namespace

ScreenMetrics screenMetrics()
{
    return g_override ? *g_override : realScreen();
}

float TwipsPerPixelX()
{
    return screenMetrics().twipsPerPixelX;
}

float TwipsPerPixelY()
{
    return screenMetrics().twipsPerPixelY;
}

int twipsToPixelsX(double twips)
{
    return int(std::lround(twips / TwipsPerPixelX()));
}

int twipsToPixelsY(double twips)
{
    return int(std::lround(twips / TwipsPerPixelY()));
}

QRect availableArea()
{
    if (g_override) {
        return { 0, 0, g_override->widthPixels, g_override->heightPixels };
    }
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
        ? QGuiApplication::primaryScreen()
        : nullptr;
    return screen ? screen->availableGeometry() : QRect();
}

float screenWidthTwips()
{
    const ScreenMetrics metrics = screenMetrics();
    return float(metrics.widthPixels) * metrics.twipsPerPixelX;
}

float screenHeightTwips()
{
    const ScreenMetrics metrics = screenMetrics();
    return float(metrics.heightPixels) * metrics.twipsPerPixelY;
}

void setScreenMetrics(const ScreenMetrics& metrics)
{
    g_override = metrics;
}

void resetScreenMetrics()
{
    g_override.reset();
}
