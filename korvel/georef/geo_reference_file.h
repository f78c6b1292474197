#pragma once
// The whole "KORVEL Graphic Georeferencing File" beside a geo-referenced
// image, as the geo-referencing window writes and reads it. Plain text, one
// item group a line, CR LF line ends:
//
//   1  KORVEL Graphic Georeferencing File
//   2  the image's file name, as it is (read back as a whole line)
//   3  OriginEasting,OriginNorthing       32-bit whole metres: the top-left pixel
//   4  GroundWidth,GroundHeight           32-bit whole metres, signed (negative
//                                         height: the image runs south)
//   5  the UTM zone
//   6  ---
//   7  n, the number of control points (at most 8)
//   8 .. 7+n   Northing,Easting,PixelY,PixelX   floats of 7 significant
//              digits and 16-bit pixels, northing and row first
//   8+n        ShiftX,ShiftY,StretchX,StretchY  metres; an unset ShiftX or
//              StretchX is an empty field (",0,,0" before any correction)
//
// The image loader reads items 1 to 7 (korvel/map/image_loading.h); the
// window's reader goes on from there with the same reader, so both read the
// head alike.
#include "korvel/georef/control_point.h"
#include "korvel/georef/georef_fit.h"
#include "korvel/georef/manual_corrections.h"

#include <QByteArray>
#include <QString>
#include <span>
#include <vector>

struct GeoReferenceContent
{
    QString ImageName;
    ImagePlacement Placement;
    int Zone = 0;
    std::span<const ControlPoint> Points; // complete points only
    ManualCorrections Corrections;
};

// A control point's coordinate as the file writes it: the float with at most
// 7 significant digits, rounded to the nearest and a half to the even digit,
// so a seven-digit northing is whole metres (4999000.5 gives "4999000").
QString coordinateText(float metres);
// The coordinate the file reads back from that text. The point list keeps
// every coordinate so from the start, so its rows and residuals are those a
// reopened file shows.
float coordinateAsWritten(float metres);

// The file's text as bytes.
QByteArray geoReferenceFileBytes(const GeoReferenceContent& content);

// Writes the file through a temporary file and a rename. A file that exists
// and is set read-only (no write permission) is refused and left as it is;
// false with the reason in `error` on any failure.
bool writeGeoReferenceFile(const QString& path, const GeoReferenceContent& content, QString* error = nullptr);

// What reading an existing file came to. The file's first line decides
// whose it is: without the header (compared whole, as the image loader does)
// it is some other program's file; with it, a fault further on makes it a
// damaged file of ours.
enum class GeoReferenceFileState {
    Missing, // no file by that name
    Read, // read to its last item
    Foreign, // empty, or its first line is not the header
    Damaged, // the header, then a fault at errorLine
    Unreadable, // there, but the system gives none of its bytes
};

// What the window takes from an existing file: its points and corrections.
struct GeoReferencePoints
{
    std::vector<ControlPoint> Points; // in file order; none unless the file was read whole
    ManualCorrections Corrections; // unset and 0 unless the file was read whole
    GeoReferenceFileState state = GeoReferenceFileState::Missing;
    bool complete = false; // the file was read to its last item
    QString error; // why not, naming the file, one sentence or more
    int errorLine = 0; // the line of a damaged file's fault; 0 for any other
};

// Reads the points of the file, all or nothing: a missing, foreign, damaged
// or cut-off file gives no points, and all but a missing one the reason,
// which names the file with its folder.
GeoReferencePoints readGeoReferencePoints(const QString& path);
GeoReferencePoints parseGeoReferencePoints(const QByteArray& bytes, const QString& fileName);
