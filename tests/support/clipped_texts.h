#pragma once
// Every text a window shows, measured against the room it gets: a caption,
// check box, option button, push button, frame title or tab whose text its
// control cuts off, a text that reaches past a container's edge, two texts
// that cover each other, a text box showing the end of a value instead of
// its start; and a title its title bar cuts. Each offender is one line naming
// the window, the control (its objectName) and the text.
#include <QStringList>

class QWidget;

// The offenders of `window`, each tab of its tab strips shown in turn (the
// strips are left on the tab they were on).
QStringList clippedTexts(QWidget& window);

// The offence of a window whose title its title bar (icon, title and
// buttons) would cut: empty when the title fits.
QString clippedTitle(const QWidget& window);
