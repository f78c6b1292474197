#pragma once
// Texts whole on screen. The forms place their controls in pixels, sized for
// the widths of their dialog face; a text that still needs more room (a
// longer value filled in at run time, a face a pixel wider, a 1.25 desktop
// scale that rounds glyphs differently) makes its control grow rather than
// be cut: a caption, check box, option button, push button or frame title
// grows to its text in the direction of its alignment (a right-aligned
// caption to the left, a centred one both ways), into free room of its
// container first. Nothing else moves.
//
// Text boxes show a value's start: a number too long for its box shows its
// sign and leading digits, not its last ones, when the program sets it and
// when the user leaves the box.
#include <Qt>

class QFontMetrics;
class QString;
class QWidget;

// The width of the blanks a one-line text has on the side its control's
// alignment leaves open: they carry no ink, so a right-aligned " 100%" needs
// only the width of "100%". A text of several lines gives 0: the blanks
// ending one of its lines say nothing of the width its widest line needs.
int openEndBlanksWidth(const QFontMetrics& metrics, const QString& text, Qt::Alignment alignment);

// Grows every control under `root` (itself included) whose text does not fit.
void fitTextsToControls(QWidget& root);

// From now on, for the whole application: each control is fitted when it is
// shown and again when its text changes while its container is shown, and
// every text box shows a value set by the program from its start.
void installTextFitting();
