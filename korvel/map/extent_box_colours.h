#pragma once
// The colours of the four extent boxes. The design gives their backgrounds
// as system colours: highlighted text while they are open for typing, the
// 3-D light face while locked. A locked box is disabled, and a desktop's
// disabled text is a light grey that all but vanishes on that face, so the
// text takes a colour that stays readable on whatever background the
// desktop's palette gives: at least the contrast of 4.5:1 that WCAG 2.1
// (success criterion 1.4.3) asks of body text.
#include <QColor>

inline constexpr double ReadableContrast = 4.5;

// The contrast ratio of two colours, (L1 + 0.05) / (L2 + 0.05) with L1 the
// lighter one's relative luminance (WCAG 2.1, "contrast ratio" and "relative
// luminance"): 1 for equal colours, 21 for black on white.
double contrastRatio(const QColor& a, const QColor& b);

// The preferred text colour when it stands out enough on the background;
// otherwise black or white, whichever stands out more.
QColor readableTextColour(const QColor& background, const QColor& preferred);
