#pragma once
// The runtime's Screen object: the primary screen's size and colour depth and
// the twips per pixel that layouts written in twips convert with. The real
// values come from Qt; tests set their own screen.
#include <QRect>

struct ScreenMetrics
{
    int widthPixels = 0;
    int heightPixels = 0;
    int bitsPerPixel = 0;
    float twipsPerPixelX = 15.0f;
    float twipsPerPixelY = 15.0f;
};

// The screen in use: the one set by setScreenMetrics, or the primary screen
// (logical pixels) with 15 twips per pixel. All zero sizes when there is no
// screen at all.
ScreenMetrics screenMetrics();

// The runtime's Screen.TwipsPerPixelX / Y. A float, as the runtime's Single:
// 15 at 96 dots per inch, 12 at 120. Divide by it without integer truncation.
float TwipsPerPixelX();
float TwipsPerPixelY();
// A length in twips as the nearest whole number of screen pixels (a half
// away from zero), for placing controls from a design written in twips.
int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);

// The part of the screen that windows may take, the desktop's panels left
// out, in pixels: the primary screen's, or the whole of a screen set by
// setScreenMetrics.
QRect availableArea();

// The runtime's Screen.Width and Screen.Height, in twips.
float screenWidthTwips();
float screenHeightTwips();

// Replaces the real screen (tests, and a screen to lay out for).
void setScreenMetrics(const ScreenMetrics& metrics);
// Back to the real screen.
void resetScreenMetrics();
