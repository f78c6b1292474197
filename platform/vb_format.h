#pragma once
// The runtime's Format for numbers with digit-placeholder masks, in the C
// locale: "." is always the decimal point and "," the thousands separator.
//
//   "0"  a digit, a zero where the number has none ("00" of 5 is "05")
//   "#"  a digit where the number has one, nothing otherwise: leading zeros and
//        trailing decimal zeros drop ("##0" of 0 is "0", "###,###,###" of 0 is
//        "", "0.0#" of 100 is "100.0")
//   "."  the decimal point; the number is rounded to the placeholders after it,
//        a half away from zero (Format(2.5, "0") is "3", Format(-2.5, "0") "-3")
//   ","  between digit placeholders: thousands grouped by three; directly left
//        of the point (or after the last digit placeholder): the number is
//        divided by 1000 for each such comma
//   "%"  the number is multiplied by 100 and the "%" shown where it stands
//   "\x" and "text" in double quotes are shown as they are, like any other
//        character of the mask
//
// Digits beyond the placeholders before the point are never lost: they stand
// at the first one. A negative number keeps its "-" even when it rounds to
// zero (Format(-0.4, "0") is "-0"), as the runtime shows it. The number is
// taken with 15 significant digits before rounding, so 2.675 gives "2.68" with
// "0.00" as the user expects from the decimal value. An empty mask gives the
// general number text (CStr). Sections (";") and exponent masks ("0.00E+00")
// are not handled: no caller needs them.
#include <QString>

QString Format(double value, const QString& mask);

// A text argument that is numeric (IsNumeric) is formatted as its number
// (Format("25.6", "0") is "26"); any other text, and any text with an empty
// mask, is returned unchanged.
QString Format(const QString& value, const QString& mask);
