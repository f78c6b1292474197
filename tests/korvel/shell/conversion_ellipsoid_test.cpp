#include "korvel/shell/conversion_ellipsoid.h"

#include "platform/vb_error.h"
#include "tests/support/korvel_test.h"

#include <limits>

using ConversionEllipsoid = KorvelTest;

TEST_F(ConversionEllipsoid, OnlyAnEllipsoidWithAxisAndFlatteningConverts)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        EllipsoidRecord ellipsoid;
        const char* message; // its start; empty: it converts
    } rows[] = {
        { { "WGS84", 6378137.0, 298.257223563 }, "" },
        { { "Everest 1830", 0.0, 0.0 }, "The ellipsoid \"Everest 1830\" is not in \"ellipsoid.dat\", so no" },
        { { "", 0.0, 0.0 }, "No ellipsoid is selected, so no coordinates" },
        { { "Sphere", 6371000.0, 0.0 }, "The ellipsoid \"Sphere\" has no usable axis and flattening" },
        { { "Broken", nan, 298.0 }, "The ellipsoid \"Broken\" has no usable" },
        { { "Negative", -6378137.0, 298.0 }, "The ellipsoid \"Negative\" has no usable" },
    };
    for (const auto& row : rows) {
        const QString message = missingEllipsoidMessage(row.ellipsoid);
        EXPECT_EQ(canConvertWith(row.ellipsoid), *row.message == '\0') << row.ellipsoid.Name.toStdString();
        EXPECT_TRUE(message.isEmpty() ? *row.message == '\0' : message.startsWith(QLatin1String(row.message)))
            << message.toStdString();
        if (!message.isEmpty()) {
            EXPECT_TRUE(message.contains("the data stays as it is"));
            EXPECT_THROW(requireConversionEllipsoid(row.ellipsoid), VbError);
        }
    }
    globals().Ellipsoid = { "Lost", 0.0, 0.0 };
    EXPECT_TRUE(missingEllipsoidMessage().contains("\"Lost\""));
}
