#pragma once
// The fonts the forms name: "MS Sans Serif", "Small Fonts", "Tahoma" and
// "Arial" were the Windows dialog faces, and the forms' sizes were drawn
// for their widths. Each becomes "Liberation Sans" (its widths are Arial's,
// which the README installs) at a whole number of pixels, so a text takes
// the room its form gives it whatever the desktop's own sans-serif face is.
#include <QFont>
#include <QString>

// The font for a face name of the forms at a point size (fractions kept:
// the layouts compute sizes like 6.4 points). The size is the whole pixel
// height those points make on a 96-dpi screen, given in points so that
// fonts derived from it keep a point size.
QFont vbFont(const QString& faceName, double pointSize);

// The forms' dialog font, 8 pt "MS Sans Serif", as every window's default:
// the windows that name no font of their own and the program's message
// boxes share the forms' widths.
void useDialogFontAsDefault();
