#pragma once
// What the guidance panels (the docked frame and the floating window) do
// with keys and typed values, decided without a window: the heading or edge
// spin steps and wraps, the swath spin steps within 1 to 5000 and never
// wraps, a typed value counts only when it lies within its spin's range, and
// the values a block or the settings store are brought into the spins'
// ranges and the display unit. No entry is refused with a message; a value
// outside a spin's range is never set.
//
// Typed values are read as typed (typedNumberValue: the point, or the
// decimal comma where the user's locale writes one); the texts a block or
// the settings store hold the point. Whole numbers are values rounded half
// to the even neighbour (12.5 gives 12, 13.5 gives 14).
#include "korvel/shell/length_units.h"
#include "platform/vb_input_codes.h"

#include <QString>
#include <optional>

// The spins' ranges: headings in whole degrees, swaths in the display unit.
inline constexpr int MaxHeading = 359;
inline constexpr int MinSwath = 1;
inline constexpr int MaxSwath = 5000;

// The swath in metres of a swath text in the display unit (feet unless
// metric); nothing when the text is no number.
std::optional<double> swathMetres(const QString& swathText, bool metric);

// True for the keys that step a spin (Up, Down, Page Up, Page Down and the
// numeric pad's + and -).
bool isSteppingKey(int keyCode);

// The heading or edge after a stepping key: +1, -1, +10 or -10, a result
// below bottom becoming top and one above top becoming bottom (355 + 10 is
// 0, not 5). Nothing for any other key.
std::optional<int> steppedDirection(int value, int keyCode, int bottom, int top);

// The swath after a stepping key, or nothing when the step would leave 1 to
// 5000 or the key steps nothing.
std::optional<int> steppedSwath(int value, int keyCode);

// A typed value as a whole number within bottom..top; nothing when the text
// is no number or its rounded value lies outside, however large it is. An
// edge number is one within 1..the vertex count.
std::optional<int> typedWholeNumber(const QString& text, int bottom, int top);

// A swath typed and left: within 1.0 to 5000.0 as typed (compared before
// rounding) it counts, rounded; otherwise nothing, and the panel falls back
// on the stored default.
std::optional<int> leftSwathEntry(const QString& text);

// A heading text as a whole number of degrees in 0..359: rounded half to
// even and taken modulo 360 (359.5 and 360 give 0, -90 gives 270); nothing
// when the text is no number.
std::optional<int> wholeHeading(const QString& text);

// The heading a block's work starts from: the block's stored heading when it
// is a number, else the stored default direction, else 0; rounded half to
// even and taken into 0..359 (359.5 and 360 give 0, -90 gives 270).
int startingHeading(const QString& blockHeading, const QString& defaultHeading);

// A swath stored in whole metres (record 36, the default setting) as a panel
// shows it: in feet (x 3.2808, rounded half to even) unless metric, and
// within 1 to 5000. Nothing when the text is no number above 0.
std::optional<int> displayedSwath(const QString& storedMetres, bool metric);

// The swath a panel starts from: the first of the stored texts that
// displayedSwath takes, else 30 m in the display unit.
int startingSwath(const QString& storedMetres, const QString& defaultMetres, bool metric);

// The swath in whole metres that record 36 and the block keep, for a swath
// text in the display unit (feet unless metric): rounded half to even.
// Nothing when the text is no number.
std::optional<int> storedSwathMetres(const QString& swathText, bool metric);
