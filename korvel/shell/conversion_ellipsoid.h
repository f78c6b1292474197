#pragma once
// The one rule every coordinate conversion obeys: no conversion without an
// ellipsoid. When the stored ellipsoid is not in "ellipsoid.dat" the program
// still starts (the preferences open on the ellipsoid page), with an axis of
// 0; a conversion with it would turn every vertex into NaN, silently and for
// good. So each entry point that converts (the coordinate-mode switch, a
// layer or block opened in the other system, a layer's zone change, a
// block's parts) asks first and refuses with this message, leaving the data
// as it was.
#include "korvel/workspace/program_globals.h"

#include <QString>

// True when the ellipsoid can convert: a finite axis and inverse flattening
// above 0.
bool canConvertWith(const EllipsoidRecord& ellipsoid);

// The message for the user when `ellipsoid` cannot convert: it names the
// ellipsoid and where to choose another. Empty when it can.
QString missingEllipsoidMessage(const EllipsoidRecord& ellipsoid);
// The same for the ellipsoid in use (ProgramGlobals::Ellipsoid).
QString missingEllipsoidMessage();

// Raises VbError 5 with that message when `ellipsoid` cannot convert; for
// conversions whose callers report errors at one boundary.
void requireConversionEllipsoid(const EllipsoidRecord& ellipsoid);
