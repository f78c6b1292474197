#pragma once
// The fonts the forms name: "MS Sans Serif", "Small Fonts" and "Tahoma" were
// the Windows dialog faces; here each is the desktop's own sans-serif face at
// the point size the form asks for, so the program looks at home on the
// desktop while keeping the forms' sizes.
#include <QFont>
#include <QString>

// The font for a face name of the forms at a point size (fractions kept:
// the layouts compute sizes like 6.4 points).
QFont vbFont(const QString& faceName, double pointSize);
