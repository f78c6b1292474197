#pragma once
// The session file ("*.korvel"): the whole workspace of the main window as a
// list of the files to open again and how each was shown. It holds no map
// data. Text lines ended by CR LF, in this order:
//
//     QZT                                   magic, plain, compared with its case
//     #TRUE#                                UTMMode
//     1                                     image count, then one line per image:
//     "/maps/photo.bmp"                       path, in list order
//     2                                     GIS count, then one line per layer:
//     "/maps/fields.shp",255,1                path, colour, thickness, in drawing order
//     1                                     block count, then per block:
//     "/jobs/north.no1",16711680,2            path, colour, thickness
//     1                                       guidance lines loaded (1) or not (0)
//     0                                       exclusion zones loaded
//     2                                       flight count, then one path a line
//     "/jobs/N0000001.T01"
//     "/jobs/N0000001.T02"
//     500000        4800000       502000        4802000      the four extent
//                                           boxes in print zones of 14 columns
//     17,#TRUE#,"WGS84"                     zone, northern hemisphere, ellipsoid
//     GIS zones                             when GIS layers are listed: the tag,
//     17                                      then the UTM zone of each layer,
//     10                                      in the order of their lines
//     ---
//     1                                     one tick state a line: images,
//     0                                     GIS layers, blocks, then the
//     ...                                   blocks' sub-rows in list order
//
// The counts are bytes (0 to 255); a block's sub-rows are its guidance row
// (when its flag is set), its exclusion row (likewise) and one row per flight.
//
// The layers' zones stand between the zone line and the separator, where
// every reader of the file passes over whole lines: files without them still
// read, their layers taking the session's zone, and readers that know nothing
// of them still read the files that hold them. Every line ends with its line
// end; a file whose last line has none was cut off and is refused.
#include "korvel/workspace/list_rows.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

struct SessionGISEntry
{
    QString Path;
    qint32 Colour = 0; // 0x00BBGGRR, the layer's first colour
    int Thickness = 1;
    int Zone = 17; // the UTM zone of the layer's coordinates

    bool operator==(const SessionGISEntry&) const = default;
};

struct SessionBlockEntry
{
    QString Path; // the block boundary file
    qint32 Colour = 0;
    int Thickness = 1;
    bool GuidanceLoaded = false;
    bool ExclusionLoaded = false;
    QStringList Flights; // in load order

    // The block's rows below its own in the layer list.
    int subRowCount() const { return blockSubRowCount(GuidanceLoaded, ExclusionLoaded, int(Flights.size())); }
    bool operator==(const SessionBlockEntry&) const = default;
};

struct SessionFile
{
    bool UTMMode = true;
    QStringList Images; // in list order
    std::vector<SessionGISEntry> GISLayers; // in drawing order
    std::vector<SessionBlockEntry> Blocks;
    // The extent boxes west, south, east, north: as texts when written, as
    // numbers when read.
    std::array<QString, 4> ExtentTexts;
    std::array<double, 4> Extent {};
    int Zone = 17;
    bool NorthZone = true;
    QString EllipsoidName;
    // One state a row (0 clear, 1 ticked, 2 greyed), in the order above.
    std::vector<int> CheckStates;

    // How many tick states the file holds for its own rows.
    int rowCount() const;
};

// The file's text. Refuses nothing: see sessionFileRefusal().
QByteArray sessionFileBytes(const SessionFile& session);

// Why a session cannot be written, or "" when it can: a path or the
// ellipsoid name holding a double quote or a line break would not read back
// as written; more than 255 entries of a kind (or flights of a block) do not
// fit their count; a zone outside 1 to 60 is no UTM zone. Whatever else
// parseSessionFile() would refuse in the written text refuses it too, so no
// session is saved that cannot be loaded.
QString sessionFileRefusal(const SessionFile& session);

struct SessionReadResult
{
    std::optional<SessionFile> session;
    bool notSessionFile = false; // the first field is not the magic
    QString error; // why the file could not be read, naming the line
};

// Reads a whole session file. All or nothing: a file that ends early or
// inside a line, holds a value of the wrong kind or a count, zone or state
// out of its range gives no session and the reason with its line.
SessionReadResult parseSessionFile(const QByteArray& bytes);

inline const QString SessionMagic = QStringLiteral("QZT");
inline const QString SessionSeparator = QStringLiteral("---");
