#pragma once
// Colours as the runtime keeps them: a 32-bit long 0x00BBGGRR (red in the low
// byte). Records and files hold these longs; a QColor is made only to draw.
#include <QColor>

// The 16 colours of the runtime's palette, 0 black to 15 bright white.
// Throws VbError 5 ("Invalid procedure call or argument") outside 0..15.
qint32 QBColor(int index);

// red + 256 * green + 65536 * blue. A component above 255 counts as 255, as
// in the runtime; a negative one throws VbError 5.
qint32 RGB(int red, int green, int blue);

// Only the colour bytes count: the high byte (the runtime's flag for system
// colours, which nothing here stores) is ignored.
QColor toQColor(qint32 vbColor);
qint32 fromQColor(const QColor& color);
