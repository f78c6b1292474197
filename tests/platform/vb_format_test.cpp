#include "platform/vb_format.h"
#include "tests/support/korvel_test.h"

using VbFormat = KorvelTest;

TEST_F(VbFormat, MasksOfTheProgram)
{
    const struct {
        const char* name;
        double value;
        const char* mask;
        const char* expected;
    } rows[] = {
        { "half away from zero", 2.5, "0", "3" },
        { "negative half away from zero", -2.5, "0", "-3" },
        { "negative rounding to zero keeps its sign", -0.4, "0", "-0" },
        { "negative zero is zero", -0.0, "0", "0" },
        { "UTM coordinate", 612345.5, "0", "612346" },
        { "one decimal", 4567890.25, "0.0", "4567890.3" },
        { "two decimals pad", 1.5, "0.00", "1.50" },
        { "decimal value, not binary", 2.675, "0.00", "2.68" },
        { "three decimals", -96.1234567, "0.000", "-96.123" },
        { "four decimals", 45.5, "0.0000", "45.5000" },
        { "six decimals", 45.123456789, "0.000000", "45.123457" },
        { "small negative keeps sign", -0.004, "0.00", "-0.00" },
        { "carry into a new digit", 9.999, "0.00", "10.00" },
        { "two zero placeholders", 5, "00", "05" },
        { "zero padded with decimal", 5.25, "00.0", "05.3" },
        { "more digits than placeholders", 12345, "00", "12345" },
        { "grouped", 1234567, "#,##0", "1,234,567" },
        { "grouped small", 12, "#,##0", "12" },
        { "grouped zero", 0, "#,##0", "0" },
        { "grouped bytes", 1234567, "###,###,###", "1,234,567" },
        { "grouped bytes of zero", 0, "###,###,###", "" },
        { "grouped beyond the placeholders", 1234567890123.0, "###,###,###", "1,234,567,890,123" },
        { "grouped negative", -1234.5, "#,##0", "-1,235" },
        { "hashes of zero", 0, "##0", "0" },
        { "hashes of fraction", 0.25, "##0.00", "0.25" },
        { "area", 1234567.891, "###,###,##0.00", "1,234,567.89" },
        { "area below one", 0.5, "###,###,##0.00", "0.50" },
        { "percent", 0.256, "0.0%", "25.6%" },
        { "percent whole", 1, "0.0%", "100.0%" },
        { "optional decimal kept", 66.66666, "0.0#", "66.67" },
        { "optional decimal dropped", 12.5, "0.0#", "12.5" },
        { "optional decimal of whole", 100, "0.0#", "100.0" },
        { "only hashes", 3, "#.##", "3." },
        { "only hashes below one", 0.5, "#.##", ".5" },
        { "no whole placeholders", 1.5, ".00", "1.50" },
        { "hash of zero", 0, "#", "" },
        { "scaled by thousands", 1234567, "0,", "1235" },
        { "scaled by millions", 1234567, "0,,.0", "1.2" },
        { "literal text", 25, "0 ha", "25 ha" },
        { "escaped and quoted literals", 7, "\\#0\" m\"", "#7 m" },
        { "literal between digits", 1234, "00-00", "12-34" },
        { "negative with literal prefix", -5, "$0", "-$5" },
        { "large value", 1e20, "0", "100000000000000000000" },
        { "tiny value", 1e-20, "0.00", "0.00" },
        { "rounding at the last kept digit", 0.045, "0.0", "0.0" },
        { "rounding up from five", 0.05, "0.0", "0.1" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(Format(row.value, QString::fromLatin1(row.mask)), row.expected) << row.name;
}

TEST_F(VbFormat, WholeNumbersAndTextLiteralsAreTakenAsTheyCome)
{
    EXPECT_EQ(Format(1234567, "#,##0"), "1,234,567");
    EXPECT_EQ(Format(qint16(5), "00"), "05");
    EXPECT_EQ(Format(2.5f, "0"), "3");
    EXPECT_EQ(Format("25.6", "0"), "26");
}

TEST_F(VbFormat, EmptyMaskGivesGeneralText)
{
    EXPECT_EQ(Format(2.50, ""), "2.5");
    EXPECT_EQ(Format(1e20, ""), "1E+20");
}

TEST_F(VbFormat, NumericTextIsFormattedAsItsNumber)
{
    EXPECT_EQ(Format(QStringLiteral("25.6"), "0"), "26");
    EXPECT_EQ(Format(QStringLiteral(" 30 "), "0"), "30");
    EXPECT_EQ(Format(QStringLiteral("2.5"), "0.00"), "2.50");
    EXPECT_EQ(Format(QStringLiteral("abc"), "0"), "abc");
    EXPECT_EQ(Format(QStringLiteral(""), "0"), "");
    EXPECT_EQ(Format(QStringLiteral("1,5"), "0"), "1,5");
    EXPECT_EQ(Format(QStringLiteral("25.60"), ""), "25.60");
}
