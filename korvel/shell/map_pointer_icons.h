#pragma once
// The map's pointer pictures, loaded once from the program folder when the
// main window is created and kept for the whole run: the crosshair in black,
// red and yellow (chosen by the setting PointerColour) and the zoom-in and
// zoom-out magnifiers of the zoom box.
#include <QImage>
#include <QString>
#include <array>

enum class Crosshair { Black = 0, Red = 1, Yellow = 2 };

struct MapPointerIcons
{
    std::array<QImage, 3> CrosshairIcons; // indexed by Crosshair
    QImage ZoomInIcon;
    QImage ZoomOutIcon;
};

MapPointerIcons& mapPointerIcons();
void resetMapPointerIcons();

// Loads "crosshair_black.ico", "crosshair_red.ico", "crosshair_yellow.ico",
// "zoom_in.ico" and "zoom_out.ico" from the folder (ending in "/"), in that
// order. Returns "" when all five loaded, otherwise a text naming the first
// file that did not and why; the icons are then left as they were.
QString loadMapPointerIcons(const QString& folder);

// The crosshair of a pointer colour: 0 black, 12 red, any other value yellow.
Crosshair crosshairFor(int pointerColour);
