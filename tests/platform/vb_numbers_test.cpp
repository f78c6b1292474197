#include "platform/vb_numbers.h"
#include "tests/platform/raised_error.h"
#include "tests/support/default_locale.h"
#include "tests/support/korvel_test.h"

#include <bit>
#include <cfenv>
#include <cmath>
#include <limits>
#include <vector>

using VbNumbers = KorvelTest;

TEST_F(VbNumbers, WholeNumberConversionsRoundHalfToEven)
{
    const struct {
        const char* name;
        double value;
        long expected;
    } rows[] = {
        { "2.5 down to even", 2.5, 2 },
        { "3.5 up to even", 3.5, 4 },
        { "-2.5 toward even", -2.5, -2 },
        { "-3.5 toward even", -3.5, -4 },
        { "0.5 to zero", 0.5, 0 },
        { "below half", 2.4999999, 2 },
        { "above half", 2.5000001, 3 },
        { "negative above half", -2.6, -3 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CLng(row.value), row.expected);
        EXPECT_EQ(CInt(row.value), row.expected);
    }
    EXPECT_EQ(CByte(2.5), 2);
    EXPECT_EQ(CByte(254.5), 254);
    EXPECT_EQ(CByte(-0.5), 0); // rounds to zero before the range test
    EXPECT_EQ(CLng(2147483646.5), 2147483646);
}

TEST_F(VbNumbers, WholeNumberConversionsOverflowAtTheirRangeEdges)
{
    EXPECT_EQ(CByte(255.0), 255);
    EXPECT_EQ(raisedError([] { CByte(255.5); }), 6); // 256 after rounding
    EXPECT_EQ(raisedError([] { CByte(-0.6); }), 6);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(raisedError([] { CInt(32767.5); }), 6);
    EXPECT_EQ(CInt(-32768.5), -32768); // the even neighbour is in range
    EXPECT_EQ(raisedError([] { CInt(-32769.0); }), 6);
    EXPECT_EQ(CLng(-2147483648.0), std::numeric_limits<qint32>::min());
    EXPECT_EQ(raisedError([] { CLng(2147483647.5); }), 6);
    EXPECT_EQ(raisedError([] { CLng(std::nan("")); }), 6);
    EXPECT_EQ(raisedError([] { CInt(std::numeric_limits<double>::infinity()); }), 6);
    EXPECT_EQ(raisedError([] { CSng(1e39); }), 6);
    EXPECT_FLOAT_EQ(CSng(1e38), 1e38f);
}

TEST_F(VbNumbers, InRangeConversionsGiveNothingWhereTheOthersOverflow)
{
    EXPECT_EQ(CIntInRange(-32768.5), std::optional<qint16>(-32768));
    EXPECT_EQ(CIntInRange(32767.5), std::nullopt);
    EXPECT_EQ(CLngInRange(2147483646.5), std::optional<qint32>(2147483646));
    EXPECT_EQ(CLngInRange(2147483647.5), std::nullopt);
    EXPECT_EQ(CLngInRange(std::nan("")), std::nullopt);
}

TEST_F(VbNumbers, RoundHalfEvenKeepsTheSignOfAZeroAndHasNoRange)
{
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_TRUE(std::signbit(roundHalfEven(-0.4)));
    EXPECT_FALSE(std::signbit(roundHalfEven(0.5)));
    EXPECT_EQ(roundHalfEven(1e300), 1e300);
    EXPECT_TRUE(std::isinf(roundHalfEven(-std::numeric_limits<double>::infinity())));
}

namespace {

// The rounding as it was computed out of line: floor, the exact fraction and
// fmod for the parity of a half's lower neighbour.
double floorFormulaRoundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below + 1.0;
    if (fraction < 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) == 0.0))
        rounded = below;
    return std::copysign(rounded, value);
}

} // namespace

TEST_F(VbNumbers, InlineRoundingEqualsTheFloorFormulaBitForBitInEveryRoundingMode)
{
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> values = { 0.0, -0.0, -0.4, 0.49999999999999994, 5e-324, -1e-300, 0x1p52 - 1.5,
        0x1p52 - 0.5, -0x1p52 + 0.5, 0x1p52, 0x1p52 + 1.0, -0x1p53 - 2.0, 0x1p63, -0x1p63, 1e300, inf, -inf,
        2147483646.5, 2147483647.5, -2147483648.5, -2147483649.5, std::nan(""), -std::nan(""),
        std::numeric_limits<double>::signaling_NaN() };
    for (int k = -40; k <= 40; ++k) {
        const double half = k + 0.5;
        values.insert(values.end(), { half, std::nextafter(half, -inf), std::nextafter(half, inf), k + 0.3 });
    }
    for (const int mode : { FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO }) {
        std::fesetround(mode);
        for (const double value : values) {
            SCOPED_TRACE(testing::Message() << value << " in rounding mode " << mode);
            const double expected = floorFormulaRoundHalfEven(value);
            EXPECT_EQ(std::bit_cast<quint64>(roundHalfEven(value)), std::bit_cast<quint64>(expected));
            const bool inLong = expected >= -2147483648.0 && expected <= 2147483647.0;
            EXPECT_EQ(CLngInRange(value), inLong ? std::optional<qint32>(qint32(expected)) : std::nullopt);
        }
    }
    std::fesetround(FE_TONEAREST);
}

TEST_F(VbNumbers, IntFloorsAndFixTruncates)
{
    EXPECT_EQ(Int(2.7), 2.0);
    EXPECT_EQ(Int(-2.5), -3.0);
    EXPECT_EQ(Fix(-2.5), -2.0);
    EXPECT_EQ(Fix(2.9), 2.0);
    EXPECT_EQ(Int(-0.1), -1.0);
}

TEST_F(VbNumbers, ValReadsTheLeadingNumber)
{
    const struct {
        const char* text;
        double expected;
    } rows[] = {
        { "", 0 },
        { "abc", 0 },
        { "12abc", 12 },
        { "  42", 42 },
        { "1 2 3", 123 },
        { "\t-1 5", -15 },
        { "- 3", -3 },
        { "+7", 7 },
        { "1.5.3", 1.5 },
        { ".5", 0.5 },
        { "-.25", -0.25 },
        { "1,000", 1 },
        { "2.5E3", 2500 },
        { "2.5d-1", 0.25 },
        { "1 e 2", 100 },
        { "3e", 3 },
        { "3e+", 3 },
        { "3ex", 3 },
        { "&HFF", 255 },
        { "&hff", 255 },
        { "&HFFFF", -1 },
        { "&H8000", -32768 },
        { "&H10000", 65536 },
        { "&HFFFFFFFF", -1 },
        { "&O17", 15 },
        { "&O8", 0 },
        { "&H", 0 },
        { "&HG1", 0 },
        { "--5", 0 },
        { "1\r2", 1 }, // a carriage return is no blank to Val
        { "123456789012345678901234567890", 123456789012345678901234567890.0 },
        { "1e-400", 0 },
    };
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ(Val(QString::fromLatin1(row.text)), row.expected) << row.text;
}

TEST_F(VbNumbers, ValOverflowsBeyondDoubleAndLong)
{
    EXPECT_EQ(raisedError([] { Val("1E400"); }), 6);
    EXPECT_EQ(raisedError([] { Val("&H100000000"); }), 6);
}

TEST_F(VbNumbers, IsNumericFollowsTheRuntimeWithoutLocale)
{
    const char* numeric[] = { "0", " 12 ", "-3", "+3", "1.", ".5", "-.5", "1e5", "1E-5", "2.5D+2", "&HFF",
        "&O17", "\t7\t", "007" };
    for (const char* text : numeric)
        EXPECT_TRUE(IsNumeric(QString::fromLatin1(text))) << text;
    const char* notNumeric[] = { "", " ", ".", "-", "+", "1e", "1e+", "12abc", "1,000", "1 2", "$5", "- 5",
        "&H", "&O9", "1.2.3", "True", "1E400", "0x10" };
    for (const char* text : notNumeric)
        EXPECT_FALSE(IsNumeric(QString::fromLatin1(text))) << text;
}

TEST_F(VbNumbers, TextConversionsRoundOrRaise)
{
    EXPECT_EQ(CInt("2.5"), 2);
    EXPECT_EQ(CInt(" 3.5 "), 4);
    EXPECT_EQ(CByte("255"), 255);
    EXPECT_EQ(CLng("&HFFFF"), -1);
    EXPECT_DOUBLE_EQ(CDbl("6378137.0"), 6378137.0);
    EXPECT_FLOAT_EQ(CSng("298.257"), 298.257f);
    EXPECT_EQ(raisedError([] { CByte("256"); }), 6);
    EXPECT_EQ(raisedError([] { CInt("40000"); }), 6);
    EXPECT_EQ(raisedError([] { CDbl("1E400"); }), 6);
    EXPECT_EQ(raisedError([] { CSng("1E39"); }), 6);
    EXPECT_EQ(raisedError([] { CInt(""); }), 13);
    EXPECT_EQ(raisedError([] { CInt("12abc"); }), 13);
    EXPECT_EQ(raisedError([] { CDbl("1,5"); }), 13); // never the locale's comma
}

TEST_F(VbNumbers, TextToBoolean)
{
    EXPECT_TRUE(CBool("True"));
    EXPECT_TRUE(CBool(" tRUE "));
    EXPECT_FALSE(CBool("FALSE"));
    EXPECT_FALSE(CBool("0"));
    EXPECT_TRUE(CBool("-1"));
    EXPECT_TRUE(CBool("0.5"));
    EXPECT_EQ(raisedError([] { CBool("yes"); }), 13);
    EXPECT_EQ(raisedError([] { CBool(""); }), 13);
}

TEST_F(VbNumbers, GeneralTextOfDoubles)
{
    const struct {
        double value;
        const char* expected;
    } rows[] = {
        { 0.5, "0.5" },
        { -0.5, "-0.5" },
        { 12, "12" },
        { -0.0, "0" },
        { 1e20, "1E+20" },
        { 1.5e-7, "1.5E-07" },
        { 0.00001, "0.00001" },
        { 0.0000099, "9.9E-06" },
        { 999999999999999.0, "999999999999999" },
        { 1e15, "1E+15" },
        { 0.1 + 0.2, "0.3" },
        { 1.0 / 3.0, "0.333333333333333" },
        { 123456.789, "123456.789" },
        { -96.12, "-96.12" },
        { 1e100, "1E+100" },
        { 2.5e-300, "2.5E-300" },
        { 6378137.0, "6378137" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(CStr(row.value), row.expected) << row.expected;
}

TEST_F(VbNumbers, GeneralTextOfSinglesKeepsSevenDigits)
{
    EXPECT_EQ(CStr(0.1f), "0.1");
    EXPECT_EQ(CStr(612345.7f), "612345.7");
    EXPECT_EQ(CStr(1234567.0f), "1234567");
    EXPECT_EQ(CStr(12345678.0f), "1.234568E+07");
    EXPECT_EQ(CStr(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(CStr(-2.5e-6f), "-2.5E-06");
}

TEST_F(VbNumbers, OtherTextForms)
{
    EXPECT_EQ(CStr(true), "True");
    EXPECT_EQ(CStr(false), "False");
    EXPECT_EQ(CStr(-17), "-17");
    EXPECT_EQ(Str(5), " 5");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(-5), "-5");
    EXPECT_EQ(Str(2.5), " 2.5");
    EXPECT_EQ(Str(0.5), " .5");
    EXPECT_EQ(Str(-0.25f), "-.25");
    EXPECT_EQ(Str(1e20), " 1E+20");
}

TEST_F(VbNumbers, NumericValueRefusesQuietly)
{
    EXPECT_EQ(numericValue(" 2.5 "), 2.5);
    EXPECT_EQ(numericValue("&H10"), 16.0);
    EXPECT_EQ(numericValue("1e400"), std::nullopt) << "beyond a Double";
    EXPECT_EQ(numericValue("12,5"), std::nullopt);
    EXPECT_EQ(numericValue(""), std::nullopt);
}

// Typed numbers take the locale's decimal comma besides the point, never a
// thousands separator; the locale-free reading of files stays as it is.
TEST_F(VbNumbers, TypedNumbersInTheUsersLocale)
{
    const std::optional<double> none;
    const struct {
        const char* text;
        std::optional<double> comma; // under German and French
        std::optional<double> point; // under C and US English
    } rows[] = { { "0,75", 0.75, none }, { "0.75", 0.75, 0.75 }, { "1.000", 1, 1 }, { "1.000,5", none, none },
        { "1,000,5", none, none }, { "1,000", 1, none }, { " -1,5 ", -1.5, none }, { "+2,5", 2.5, none },
        { "1,5E3", 1500, none }, { "1 000,5", none, none }, { "1,5x", none, none }, { "", none, none } };
    for (const QLocale& locale : { QLocale(QLocale::German), QLocale(QLocale::French), QLocale::c(),
             QLocale(QLocale::English, QLocale::UnitedStates) }) {
        const DefaultLocale typing(locale);
        const bool comma = locale.decimalPoint() == u",";
        for (const auto& row : rows)
            EXPECT_EQ(typedNumberValue(row.text), comma ? row.comma : row.point) << row.text << " " << comma;
        EXPECT_EQ(typedNumberText(" -1,5 "), comma ? " -1.5 " : " -1,5 ");
        EXPECT_FALSE(IsNumeric("0,75")) << "files keep the point";
    }
}
