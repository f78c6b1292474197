#pragma once
// The Universal Transverse Mercator projection of one zone on one ellipsoid:
// geographic degrees to grid metres and back. utm_conversion.h builds the
// program's conversion procedures on it.
#include "korvel/workspace/program_globals.h"

// Latitude and longitude in decimal degrees, north and east positive.
struct GeographicDeg
{
    double latitude = 0.0;
    double longitude = 0.0;
};

// UTM grid coordinates in metres. The easting carries the false easting of
// 500 000 m; a southern point (north False) carries the false northing of
// 10 000 000 m, so northings never go negative in their own hemisphere.
struct ProjectedMetres
{
    double easting = 0.0;
    double northing = 0.0;
    int zone = 0;
    bool north = true;
};

inline constexpr double UtmScaleFactor = 0.9996; // k0 on the central meridian
inline constexpr double UtmFalseEasting = 500000.0; // metres
inline constexpr double UtmFalseNorthing = 10000000.0; // metres, southern hemisphere
inline constexpr double UtmZoneWidth = 6.0; // degrees

class UtmProjection
{
public:
    // zone: 1 to 60, central meridian 6 x zone - 183 degrees (any other value
    // simply moves the meridian); the ellipsoid by its semi-major axis in
    // metres and its inverse flattening.
    UtmProjection(double zone, double semiMajorAxis, double inverseFlattening);

    double centralMeridian() const { return m_centralMeridianDeg; }

    // Grid coordinates of a point, its hemisphere decided by the sign of the
    // latitude. Longitudes are taken modulo 360 degrees.
    ProjectedMetres toUtm(GeographicDeg point) const;
    // Geographic coordinates of a grid point read in the given hemisphere;
    // the longitude comes back in (-180, 180].
    GeographicDeg toGeographic(double easting, double northing, bool north) const;

    // The forward projection with the northing as a signed distance from the
    // equator in metres (north positive, no false northing), so points on
    // both sides of the equator stay on one scale.
    void forward(double latitudeDeg, double longitudeDeg, double& easting, double& signedNorthing) const;
    // Its inverse; the longitude comes back in (-180, 180].
    void inverse(double easting, double signedNorthing, double& latitudeDeg, double& longitudeDeg) const;

private:
    double meridianArc(double phi, double s, double c) const;
    double footpointLatitude(double mu, double& sinPhi, double& cosPhi) const;

    double m_centralMeridianDeg;
    int m_zone; // the zone reported with grid coordinates
    double m_a; // semi-major axis, metres
    double m_e2; // first eccentricity squared
    double m_oneMinusE2;
    double m_inverseOneMinusE2;
    double m_inverseA;
    double m_k[7]; // meridian-arc coefficients K0..K6
    double m_arcScale; // a (1 - e^2), metres
    double m_northingToMu; // 1 / (k0 a (1 - e^2) K0): grid northing to rectifying latitude
    double m_footpoint[4]; // footpoint series as a cubic in cos 2mu, times sin 2mu
};

ProjectedMetres toUtm(GeographicDeg point, int zone, const EllipsoidRecord& ellipsoid);
GeographicDeg toGeographic(const ProjectedMetres& point, const EllipsoidRecord& ellipsoid);
