#include "platform/text_codec.h"
#include "tests/support/korvel_test.h"

using TextCodec = KorvelTest;

TEST_F(TextCodec, ValidUtf8IsReadAsUtf8)
{
    EXPECT_EQ(decodeText("Z\xC3\xBCrich \xE2\x82\xAC"), QStringLiteral(u"Zürich €"));
    EXPECT_EQ(decodeText("\xEF\xBB\xBFQZT"), "QZT"); // byte-order mark dropped
    EXPECT_EQ(decodeText(""), "");
}

TEST_F(TextCodec, OtherBytesAreWindows1252)
{
    EXPECT_EQ(decodeText("Z\xFCrich"), QStringLiteral(u"Zürich"));
    EXPECT_EQ(decodeText("\x80 \x85 \x91x\x92 \x99 \x9F"), QStringLiteral(u"€ … ‘x’ ™ Ÿ"));
    // A truncated UTF-8 sequence is no UTF-8: each byte is its own character.
    EXPECT_EQ(decodeText("caf\xC3"), QStringLiteral(u"cafÃ"));
}

TEST_F(TextCodec, AllBytesDecodeAndTheUndefinedOnesKeepTheirValue)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = decodeWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    for (const int undefined : { 0x81, 0x8D, 0x8F, 0x90, 0x9D })
        EXPECT_EQ(text[undefined].unicode(), undefined);
    EXPECT_EQ(text[0xE9], QChar(u'é'));
    EXPECT_EQ(encodeWindows1252(text), all);
}

TEST_F(TextCodec, WritesWindows1252WhenItCanAndUtf8Otherwise)
{
    EXPECT_EQ(encodeText("plain"), "plain");
    EXPECT_EQ(encodeText(QStringLiteral(u"Zürich €")), "Z\xFCrich \x80");
    EXPECT_EQ(encodeText(QStringLiteral(u"Αθήνα")), QStringLiteral(u"Αθήνα").toUtf8());
    EXPECT_EQ(encodeText(QStringLiteral(u"é and Ω")), QStringLiteral(u"é and Ω").toUtf8());
    EXPECT_FALSE(encodeWindows1252(QStringLiteral(u"Ω")).has_value());
}

TEST_F(TextCodec, EveryTextReadsBackAsWritten)
{
    const QString texts[] = {
        "",
        "C:/maps/block 7.no1",
        QStringLiteral(u"Zürich € ‘quoted’"),
        QStringLiteral(u"Ã©"), // 1252 bytes C3 A9 would read as UTF-8 "é"
        QStringLiteral(u"Αθήνα 東京"),
        QStringLiteral(u"\u0081\u009D"),
    };
    for (const QString& text : texts)
        EXPECT_EQ(decodeText(encodeText(text)), text) << text.toStdString();
}
