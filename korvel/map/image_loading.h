#pragma once
// What loading an image needs besides the window: the name of its
// geo-reference file, the reading of that file's head, and the picture's
// size in screen pixels. The map view's LoadImageLayer appends the record,
// fills it from these and adds the list row.
//
// The geo-reference file ("KORVEL Graphic Georeferencing File", written by
// the geo-referencing window) is plain text, one item group a line:
//   1 the header "KORVEL Graphic Georeferencing File", compared exactly
//   2 the image's name (not used; read as a whole line, since it may hold a comma)
//   3 X, Y of the image's top-left corner (32-bit integers, map units)
//   4 Width, Height (32-bit integers; Height negative: the image runs south)
//   5 the UTM zone (byte)
//   6 the separator "---"
//   7 the number of control points (byte)
// The loader reads these seven items and nothing after them: an image whose
// file stops after its count (with or without the line end) is placed all the
// same. The control points and the shift and stretch values that follow
// belong to the geo-referencing window, which reads them on from item 7 with
// the same reader (korvel/georef/geo_reference_file.h).
#include "platform/vb_error.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class SequentialReader;

inline constexpr char GeoReferenceHeader[] = "KORVEL Graphic Georeferencing File";

// The image's path with its last three characters replaced by "ref"
// (photo.jpeg gives photo.jref). Files copied from Windows may spell the
// extension in capitals: when that exact name is missing and the image has a
// three-letter extension, a "ref" file of the same name in any letter case
// is taken.
QString geoReferencePath(const QString& imagePath);

struct GeoReference
{
    qint32 X = 0;
    qint32 Y = 0;
    qint32 Width = 0;
    qint32 Height = 0;
    int Zone = 0;
    int ControlPointCount = 0;
};

// The runtime error a damaged file raises: its description names the file,
// the line and the fault, and the line is kept for whoever asks the user
// about the file.
class DamagedGeoReference : public VbError
{
public:
    DamagedGeoReference(long number, QString source, const QString& fileName, int line, const QString& fault);
    int line() const { return m_line; }

private:
    int m_line;
};

// Items 1 to 7 of the file. Nothing when the file does not exist, is empty
// or its first item is not the header (the image then has no
// geo-reference). A file with the header (or cut inside it) that ends before
// its count or inside a line before the count's, holds a value of the wrong
// kind, a width or height of 0 or a zone outside 1 to 60 raises
// DamagedGeoReference.
std::optional<GeoReference> readGeoReference(const QString& path);
// The same from the file's bytes; messages name `fileName`. `readRest`, when
// given, reads on after item 7 with the same reader (and the head read so
// far), and a fault there is reported like one in items 1 to 7; a file that
// ends inside any of its lines is then refused as cut off. Without it nothing
// after item 7 is read.
using GeoReferenceRestReader = std::function<void(SequentialReader& reader, const GeoReference& head)>;
std::optional<GeoReference> parseGeoReference(
    const QByteArray& bytes, const QString& fileName, const GeoReferenceRestReader& readRest = {});

// The picture's size in screen pixels from its size in 0.01 mm:
// 15 / twipsPerPixel x himetric / 26.46 (26.46 / 15 stands for 2540 / 1440),
// rounded to the nearest integer, a half to the even one.
int pixelsFromHimetric(qint64 himetric, float twipsPerPixel);
