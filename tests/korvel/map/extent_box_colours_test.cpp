#include "korvel/map/extent_box_colours.h"

#include <gtest/gtest.h>

TEST(ExtentBoxColours, ContrastRatiosFollowTheRelativeLuminance)
{
    struct Case
    {
        const char* name;
        QColor a;
        QColor b;
        double ratio;
    };
    const Case cases[] = {
        { "black on white", Qt::black, Qt::white, 21.0 },
        { "either way round", Qt::white, Qt::black, 21.0 },
        { "a colour on itself", QColor(0x80, 0x40, 0x20), QColor(0x80, 0x40, 0x20), 1.0 },
        { "light grey on the 3-D light face", QColor(0xbe, 0xbe, 0xbe), QColor(0xca, 0xca, 0xca), 1.13 },
        { "mid grey on white, just enough", QColor(0x76, 0x76, 0x76), Qt::white, 4.54 },
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(contrastRatio(c.a, c.b), c.ratio, 0.01) << c.name;
    }
}

TEST(ExtentBoxColours, TextKeepsItsColourOnlyWhileItStandsOut)
{
    struct Case
    {
        const char* name;
        QColor background;
        QColor preferred;
        QColor text;
    };
    const Case cases[] = {
        { "dark text on a light face stays", QColor(0xca, 0xca, 0xca), QColor(0x20, 0x20, 0x20),
            QColor(0x20, 0x20, 0x20) },
        { "disabled grey on a light face turns black", QColor(0xca, 0xca, 0xca), QColor(0xbe, 0xbe, 0xbe),
            Qt::black },
        { "dark text on a dark face turns white", QColor(0x30, 0x30, 0x30), QColor(0x50, 0x50, 0x50),
            Qt::white },
        { "white text on white turns black", Qt::white, Qt::white, Qt::black },
    };
    for (const Case& c : cases) {
        const QColor text = readableTextColour(c.background, c.preferred);
        EXPECT_EQ(text, c.text) << c.name;
        EXPECT_GE(contrastRatio(text, c.background), ReadableContrast) << c.name;
    }
}
