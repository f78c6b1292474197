#pragma once
// The runtime's number conversions, locale-free: numbers into the whole-number
// types (rounding a half to the even neighbour, as the runtime's CByte, CInt
// and CLng do: CByte(2.5) = 2, CInt(3.5) = 4, CInt(-2.5) = -2), the text
// reading of Val, IsNumeric and the conversions of text, and the runtime's
// general number-to-text form. Every text uses "." as the decimal point,
// whatever the user's locale, because our files and settings must read back
// the same on every machine. Only what the user types is read in the user's
// locale, through the typed-number reading below.
//
// Conversions that fail raise VbError 6 "Overflow" (a value outside the
// target's range) or 13 "Type mismatch" (a text that is no number), as the
// runtime did; each user operation catches them at its boundary.
#include <QString>
#include <QtGlobal>
#include <cmath>
#include <limits>
#include <optional>

// Whole numbers from numbers: half to even; 6 "Overflow" outside the range
// (and for NaN). Byte is 0..255, Integer 16-bit signed, Long 32-bit signed.
inline quint8 CByte(double value);
inline qint16 CInt(double value);
inline qint32 CLng(double value);
// The same conversions for callers that report a value beyond the range
// themselves: nothing where CInt and CLng raise 6 "Overflow".
inline std::optional<qint16> CIntInRange(double value);
inline std::optional<qint32> CLngInRange(double value);
// Their rounding alone, with no range: the nearest whole number, a half to
// the even neighbour, the sign kept on a zero (-0.4 gives -0); NaN and the
// infinities stay as they are.
inline double roundHalfEven(double value);
// Single precision; 6 "Overflow" when the value lies beyond its range.
float CSng(double value);

// Int: the greatest whole number not above the value; Fix: the value with its
// fraction cut off (toward zero). Int(-2.5) = -3, Fix(-2.5) = -2.
double Int(double value);
double Fix(double value);

// Returns the leading number of a text: blanks, tabs and line feeds are
// skipped anywhere ("1 2" gives 12), an optional sign, digits with "." as the
// decimal point and an exponent "E" or "D", or "&H" (hexadecimal) / "&O"
// (octal) digits; reading stops at the first other character; 0 when the text
// starts with no number. "&H" values of up to 16 bits are Integers ("&HFFFF"
// is -1), wider ones Longs. Raises 6 "Overflow" for a number beyond the Double
// range or a "&H"/"&O" value wider than 32 bits.
double Val(const QString& text);

// True when the whole text, blanks around it allowed, is one number: a sign,
// digits with at most one ".", an optional exponent ("E" or "D", a sign,
// digits), or "&H"/"&O" digits. No thousands separators, no currency, no
// locale; the empty text is no number.
bool IsNumeric(const QString& text);

// The number of a numeric text (IsNumeric) read as CDbl reads it; nothing
// for any other text and for a number beyond a Double. For checks that
// must refuse a bad text with their own message rather than raise.
std::optional<double> numericValue(const QString& text);

// What the user types into a number box, or answers to a number question,
// is read with the point and also with the decimal separator of the user's
// locale (QLocale's default) where that is another: "0,75" is 0.75 under a
// German or French locale. A thousands separator is never taken, in any
// locale: "1.000" is one, and "1.000,5" and "1,000,5" are no numbers. The
// rest (blanks around, a sign, an exponent) reads as IsNumeric and CDbl
// read. Files and settings never go through this: they hold the point.
//
// The typed text in the point's form: with the locale's separator put back
// as the point where that alone makes it a number ("0,75" gives "0.75"),
// else the text as it is. The text to keep or write of a typed value, and
// the one to hand to IsNumeric and the conversions.
QString typedNumberText(const QString& text);
// The number of a typed text; nothing where numericValue gives nothing.
std::optional<double> typedNumberValue(const QString& text);

// Text to Boolean: "True" or "False" in any letter case (blanks around
// allowed), or a number, where 0 is False; anything else raises 13.
bool CBool(const QString& text);

// Text to numbers: a numeric text (as IsNumeric) is rounded half to even for
// the whole-number types; anything else raises 13 "Type mismatch" and a value
// outside the type's range 6 "Overflow".
quint8 CByte(const QString& text);
qint16 CInt(const QString& text);
qint32 CLng(const QString& text);
float CSng(const QString& text);
double CDbl(const QString& text);

// The runtime's general text of a number: Double with up to 15 significant
// digits, Single with up to 7, no trailing zeros, "0" before a leading point,
// exponent form ("1E+20", "1.5E-07") outside 1E-5 up to (not including) 1E15
// for Double and 1E7 for Single. Booleans give "True" and "False".
QString CStr(double value);
QString CStr(float value);
QString CStr(bool value);
QString CStr(int value);
QString CStr(unsigned int value);
QString CStr(long value);
QString CStr(long long value);

// The runtime's Str, the form of labels and of numbers printed to files: the
// general text with one leading blank when the value is not negative, and,
// as the runtime's BASIC formatting always did, no "0" before the point of a
// value below 1 (Str(5) is " 5", Str(-5) is "-5", Str(0.5) is " .5",
// Str(-0.25) is "-.25").
QString Str(double value);
QString Str(float value);
QString Str(int value);
QString Str(long value);
QString Str(long long value);

// The whole-number conversions are inline: readers and drawing round several
// values per sample or point, and a call for each (or a rounding that has to
// wait for the floating-point environment) costs more than the rounding
// itself. Only their rare overflow goes out of line.
//
// Raises 6 "Overflow" for a conversion whose value lies beyond its type. Out
// of line and cold, so that the inline conversions stay small.
[[noreturn]] Q_DECL_COLD_FUNCTION void raiseConversionOverflow();

namespace VbWholeNumber {
// From 2^52 on every double is a whole number already.
inline constexpr double wholeFrom = 0x1p52;

// What the part cut off a truncation must pass for the truncation to step
// away from zero: a half, or for an odd truncation a half exactly too (a tie
// goes to the even neighbour), where the largest double below a half stands
// in for "a half or more". Indexed by the truncation's lowest bit.
inline constexpr double stepsUpAbove[2] = { 0.5, 0.49999999999999994 };
inline constexpr double stepsDownBelow[2] = { -0.5, -0.49999999999999994 };

// A value of magnitude below 2^52 rounded half to even. Its truncation to 64
// bits is exact, and so is the part cut off, so no step depends on the
// rounding mode the floating-point environment happens to be in. The step is
// computed, not branched on: which way a sample's value rounds is as good as
// random.
inline qint64 roundedBelowWholeFrom(double value)
{
    const qint64 truncated = static_cast<qint64>(value);
    const double cut = value - static_cast<double>(truncated);
    const qint64 odd = truncated & 1;
    return truncated + qint64(cut > stepsUpAbove[odd]) - qint64(cut < stepsDownBelow[odd]);
}

// The value rounded half to even; qint64's largest, beyond every whole type
// of the runtime, for 2^52 or more, NaN and the infinities.
inline qint64 roundedOrBeyond(double value)
{
    return std::fabs(value) < wholeFrom ? roundedBelowWholeFrom(value) : std::numeric_limits<qint64>::max();
}

template <typename Whole> inline bool fits(qint64 whole)
{
    return whole >= std::numeric_limits<Whole>::min() && whole <= std::numeric_limits<Whole>::max();
}

template <typename Whole> inline std::optional<Whole> rounded(double value)
{
    const qint64 whole = roundedOrBeyond(value);
    if (!fits<Whole>(whole))
        return std::nullopt;
    return static_cast<Whole>(whole);
}

template <typename Whole> inline Whole roundedOrOverflow(double value)
{
    const qint64 whole = roundedOrBeyond(value);
    if (!fits<Whole>(whole)) [[unlikely]]
        raiseConversionOverflow();
    return static_cast<Whole>(whole);
}
} // namespace VbWholeNumber

inline double roundHalfEven(double value)
{
    if (!(std::fabs(value) < VbWholeNumber::wholeFrom))
        return value + 0.0; // quiets a signalling NaN, as any arithmetic on it does
    return std::copysign(static_cast<double>(VbWholeNumber::roundedBelowWholeFrom(value)), value);
}

inline quint8 CByte(double value) { return VbWholeNumber::roundedOrOverflow<quint8>(value); }
inline qint16 CInt(double value) { return VbWholeNumber::roundedOrOverflow<qint16>(value); }
inline qint32 CLng(double value) { return VbWholeNumber::roundedOrOverflow<qint32>(value); }
inline std::optional<qint16> CIntInRange(double value) { return VbWholeNumber::rounded<qint16>(value); }
inline std::optional<qint32> CLngInRange(double value) { return VbWholeNumber::rounded<qint32>(value); }
