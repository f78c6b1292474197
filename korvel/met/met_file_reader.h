#pragma once
// Readers of the two meteorological data files. Both are plain text without
// a header, numbers separated by commas, blanks or line ends, read item by
// item as the runtime's free-format input reads them; a record normally
// stands on one line.
//
// Met-Kitoon Data File, 8 items a record:
//   date MMDDYY (32-bit, e.g. 71599), hour, minute, second (bytes), wind
//   direction in degrees (16-bit), wind speed m/s, air temperature aloft and
//   ground air temperature in degrees F (singles).
//     71599, 9, 5, 30, 270, 3.5, 68.2, 70.1
// Tall Tower Data File, 9 items a record:
//   station (byte, not used), year (16-bit), day of the year (16-bit), time
//   HHMM (16-bit), wind speed m/s, not used, wind direction in degrees
//   (rounded half to even), not used, air temperature in degrees F (singles).
//     1, 1999, 196, 1430, 4.2, 0, 359.5, 0, 71.3
//
// A file is read whole or refused: an empty file, text where a number
// belongs, a value beyond its item's type (an hour of 300), a time of day
// beyond the 16-bit tens of seconds (an hour of 92) and a record cut short
// all refuse it. Blank lines after the last record end the file. A last
// line without its line end was cut off: it is left out, the records before
// it are kept, and leftOutLine tells the loader which line to name.
#include "korvel/met/met_data.h"

#include <QByteArray>

struct MetFileRead
{
    bool ok = false;
    MetFile file; // its Records; the caller names the file and its source
    qint32 startSeconds = 0; // clock time of the first record
    QString error; // why it was refused: the record and the reader's reason
    int leftOutLine = 0; // the cut-off last line left out, 0 when none
};

MetFileRead readKitoonFile(const QByteArray& bytes);
MetFileRead readTowerFile(const QByteArray& bytes);
