#pragma once
// Master points the job dialog makes, in both hemispheres and on both sides
// of 100 degrees west, and one with exponents, with record 17 as the job
// dialog's writer and the guidance save write it (heading 90): each value
// ends in its column, and a longitude that fills its field touches the
// latitude with its minus sign.
#include <QString>

struct MasterPointRow
{
    const char* name;
    bool utm;
    const char* masterX; // easting or longitude
    const char* masterY; // northing or latitude
    const char* record17;
};

inline const MasterPointRow MasterPointRows[] = {
    { "UTM, south of the equator in a northern zone", true, "500000.0", "-442.1",
        "17   500000.0     -442.1  90.00 MASTER POINT, HEADING" },
    { "UTM, north of the equator in a southern zone", true, "834000.0", "10000442.1",
        "17   834000.0 10000442.1  90.00 MASTER POINT, HEADING" },
    { "longitude -180, southern latitude", false, "-180.000000", "-45.500000",
        "17 -45.500000-180.000000  90.00 MASTER POINT, HEADING" },
    { "longitude -105.5", false, "-105.500000", "50.250000",
        "17  50.250000-105.500000  90.00 MASTER POINT, HEADING" },
    { "longitude -99.9", false, "-99.900000", "50.250000",
        "17  50.250000 -99.900000  90.00 MASTER POINT, HEADING" },
    { "longitude 0", false, "0.000000", "-0.500000",
        "17  -0.500000   0.000000  90.00 MASTER POINT, HEADING" },
    { "longitude 105.5, southern latitude", false, "105.500000", "-33.350000",
        "17 -33.350000 105.500000  90.00 MASTER POINT, HEADING" },
    { "longitude 180, the pole", false, "180.000000", "90.000000",
        "17  90.000000 180.000000  90.00 MASTER POINT, HEADING" },
    { "exponents, whose minus splits nothing", true, "5.006E+05", "4.8E-07",
        "17  5.006E+05    4.8E-07  90.00 MASTER POINT, HEADING" },
};
