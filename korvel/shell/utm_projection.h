#pragma once
// The Universal Transverse Mercator projection of one zone on one ellipsoid:
// geographic degrees to grid metres and back. utm_conversion.h builds the
// program's conversion procedures on it.
#include "korvel/workspace/program_globals.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

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
// How far from its central meridian, in degrees of longitude, a zone's
// projection holds: its own half width, its two neighbours and half of the
// zones beyond. There the projection's series (utm_projection.cpp) stay
// within 6 cm of the exact projection and convert there and back within
// 16 cm; their error grows with the tenth power of the distance (1.6 m there
// and back at 15 degrees, 24 m at 20, a kilometre at 30), so the program
// refuses to convert farther points rather than move them.
inline constexpr double UtmReachDeg = 12.0;
// The latitude, in degrees, no point taken for a view's edge lies beyond.
inline constexpr double HeldLatitudeDeg = 89.9;

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
    // The same in the given hemisphere, whichever side of the equator the
    // point lies: the false northing is added for a southern grid only. A
    // set of points converted so keeps one hemisphere, the one toGeographic
    // reads it back with: across the equator a northern grid goes negative
    // and a southern one above 10 000 000 m.
    ProjectedMetres toUtm(GeographicDeg point, bool north) const;
    // Geographic coordinates of a grid point read in the given hemisphere;
    // the longitude comes back in (-180, 180].
    GeographicDeg toGeographic(double easting, double northing, bool north) const;

    // The forward projection with the northing as a signed distance from the
    // equator in metres (north positive, no false northing), so points on
    // both sides of the equator stay on one scale.
    void forward(double latitudeDeg, double longitudeDeg, double& easting, double& signedNorthing) const;
    // Its inverse; the longitude comes back in (-180, 180].
    void inverse(double easting, double signedNorthing, double& latitudeDeg, double& longitudeDeg) const;

    // Whether the projection holds at a geographic point: finite, strictly
    // between the poles, and within UtmReachDeg of the central meridian
    // (the longitude taken modulo 360 degrees, as toUtm takes it). Only
    // such points convert to a finite grid point that converts back.
    bool reaches(double latitudeDeg, double longitudeDeg) const
    {
        double offset = longitudeDeg - m_centralMeridianDeg;
        if (!(std::abs(offset) <= UtmReachDeg)) {
            offset = std::remainder(offset, 360.0); // a NaN or infinity stays refused
        }
        return std::abs(offset) <= UtmReachDeg && std::abs(latitudeDeg) < 90.0;
    }
    // Whether the projection holds at a grid point, its northing read in the
    // given hemisphere: it lies off the pole, within UtmReachDeg of the
    // central meridian. On the sphere the meridians at +-L from the central
    // one are, in the grid, sinh(|x| / (k0 a)) = cos(mu) tan L, where
    // x = easting - 500 000 and mu is the footpoint latitude of the
    // northing; the ellipsoid follows that within 0.2 %. Both sides are
    // taken by their series, sinh(u) >= u + u^3/6 and cos(mu) <= 1 - mu^2/2
    // + mu^4/24 - mu^6/720 + mu^8/40320, which err on the side of taking
    // the point, and L has 0.1 % to spare: every point that reaches() passes
    // is taken here too, however near the limit. No sine or cosine: the
    // check is one more pass over every point before a conversion.
    bool reachesGrid(double easting, double northing, bool north) const
    {
        const double u = std::abs(easting - UtmFalseEasting) * m_inverseGridRadius;
        const double mu = std::abs(north ? northing : northing - UtmFalseNorthing) * m_northingToMu;
        const double m2 = mu * mu;
        const double cosMu
            = 1.0 - 0.5 * m2 * (1.0 - m2 * (1.0 / 12) * (1.0 - m2 * (1.0 / 30) * (1.0 - m2 * (1.0 / 56))));
        // Not on or beyond the pole; a NaN fails both comparisons.
        return (mu < HalfPi) & (u * (1.0 + u * u * (1.0 / 6)) <= cosMu * m_reachTangent);
    }

    // The point itself when it reaches, else one that does: the longitude's
    // offset from the central meridian, taken modulo 360 degrees as
    // reaches() takes it, brought within UtmReachDeg, and the latitude
    // within HeldLatitudeDeg of the equator. For a point at the edge of a
    // view, which may lie anywhere, where a figure must still be worked out.
    GeographicDeg nearestReached(GeographicDeg point) const;

    // A view's west and east edges, in degrees of longitude, brought within
    // UtmReachDeg of the turn of the central meridian (itself plus a whole
    // number of 360 degrees) nearest the view's middle: the part of the view
    // the projection holds, its west edge still west of its east edge, for
    // a view across 180 degrees as for one around the whole earth. Edges
    // taken one by one could not keep that order: 160 E and 185 E are 23
    // degrees west and 2 degrees east of zone 1's meridian, while -180 and
    // 180, the same meridian, must become the zone's two sides.
    std::pair<double, double> reachedEdges(double westDeg, double eastDeg) const;

    // Whether every point of two lists reaches: longitudes and latitudes, or
    // eastings and northings in the given hemisphere. One pass without a
    // branch per point, for the check before a set is converted.
    bool allReach(std::span<const double> longitudes, std::span<const double> latitudes) const
    {
        const std::size_t n = std::min(longitudes.size(), latitudes.size());
        bool near = true;
        for (std::size_t i = 0; i < n; ++i) {
            near &= (std::abs(longitudes[i] - m_centralMeridianDeg) <= UtmReachDeg)
                & (std::abs(latitudes[i]) < 90.0);
        }
        // Longitudes beyond +-180 degrees are taken modulo 360, point by point.
        for (std::size_t i = 0; i < n && !near; ++i) {
            if (!reaches(latitudes[i], longitudes[i])) {
                return false;
            }
        }
        return true;
    }
    bool allReachGrid(std::span<const double> eastings, std::span<const double> northings, bool north) const
    {
        const std::size_t n = std::min(eastings.size(), northings.size());
        const double shift = north ? 0.0 : UtmFalseNorthing;
        bool within = true;
        for (std::size_t i = 0; i < n; ++i) {
            within &= reachesGrid(eastings[i], northings[i] - shift, true);
        }
        return within;
    }

private:
    static constexpr double HalfPi = 1.57079632679489661923;

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
    double m_inverseGridRadius; // 1 / (k0 a)
    double m_reachTangent; // tan(UtmReachDeg) with 0.1 % to spare
};

ProjectedMetres toUtm(GeographicDeg point, int zone, const EllipsoidRecord& ellipsoid);
GeographicDeg toGeographic(const ProjectedMetres& point, const EllipsoidRecord& ellipsoid);
