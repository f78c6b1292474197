#pragma once
// The job values of a block boundary file as the job dialog fills them and
// the boundary writer prints them. Every value is text, kept as typed or as
// listed, so that it is written exactly as the user saw it.
#include <QString>

// An ellipsoid as the job lists show it.
struct AGNAVEllipsoid
{
    QString EllipsoidName;
    QString EllipsoidAxis; // semi-major axis, metres
    QString EllipsoidFlattening; // inverse flattening
};

struct AGNAVJob
{
    QString AreaName;
    QString CoordLetter; // "U" (UTM) or "L" (latitude/longitude)
    QString UnitsCode; // "1" U.S., "2" metric
    QString UnitsText;
    QString MaxXTrack;
    QString NumAircraft;
    QString SpraySideLetter; // "L", "R" or "C"
    QString BoomsOnCode;
    QString BoomsOnText;
    QString RaceTrack;
    QString SkipTrack;
    QString MagVar;
    QString LagTime;
    QString RelayOn;
    QString RelayOff;
    QString EllipsoidIndex; // row of the job dialog's ellipsoid list
    AGNAVEllipsoid Ellipsoid;
    QString DeltaX;
    QString DeltaY;
    QString DeltaZ;
    QString CommIndex;
    QString CommFormat;
    QString MasterX;
    QString MasterY;
    QString Heading; // degrees
    QString SwathWidth;
    QString LineCount;
    QString OffsetCode; // "1" half a swath, "0" none
    QString OffsetText;
};
