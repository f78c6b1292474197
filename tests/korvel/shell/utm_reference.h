#pragma once
// The PROJ reference points of data/utm_reference.csv (made by
// data/make_utm_reference.sh) with their ellipsoids from the shipped
// "ellipsoid.dat".
#include <QString>
#include <vector>

struct UtmReferencePoint
{
    QString ellipsoid;
    double axis = 0.0;
    double inverseFlattening = 0.0;
    int zone = 0;
    double latitude = 0.0; // degrees
    double longitude = 0.0; // degrees
    double easting = 0.0; // metres
    double northing = 0.0; // metres, false northing included south of the equator

    // Degrees from the zone's central meridian.
    double offset() const { return longitude - (6.0 * zone - 183.0); }
};

// Reads the fixture; ellipsoidFile is the program folder's "ellipsoid.dat".
// Fails the calling test (empty result) when either file is unreadable.
std::vector<UtmReferencePoint> loadUtmReference(const QString& ellipsoidFile);
