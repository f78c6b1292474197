#pragma once
// The guidance save's rewrite of an existing AG-NAV boundary file: the four
// records that describe the guidance lines are replaced, every other line
// is kept byte for byte, so records KORVEL does not know survive.
//
//   "4"   the number of lines, ending in column 14; "NUMBER OF LINES" from 33
//   "17"  the master point (easting then northing in a UTM file, latitude
//         then longitude otherwise), ending in columns 13 and 24 (a value
//         that fills its field touches the one before with its minus sign);
//         the heading "0.00" ending in column 31; "MASTER POINT, HEADING"
//         from 33
//   "36"  the swath in whole metres ending in column 13, then the old line
//         from its 22nd character on (aircraft, booms-on code, comment),
//         counted in characters; a blank follows the swath even where the
//         old line holds no more
//   "37"  the offset code in column 13; its text from column 33
//
// A record is known by the number of the first item of its line, as the
// reader knows it (so "40" and "41" are not record 4, a record 170 is not 17,
// and "036" is 36). A record the file lacks stays absent; no line is added
// or removed. Every line written ends in CR LF; the file's DOS end mark, if
// it has one, follows the last line end as it was.
#include "korvel/workspace/agnav_outcome.h"

#include <QByteArray>
#include <QString>

struct GuidanceRecords
{
    QString lineCount; // record 4
    QString masterFirst; // record 17: MasterX in a UTM file, else MasterY
    QString masterSecond; // record 17: MasterY in a UTM file, else MasterX
    QString heading; // record 17: a number, written with two decimals
    QString swath; // record 36: whole metres
    int offsetCode = 0; // record 37: 0 none, 1 half a swath
};

// The text record 37 gives each offset code; empty for codes it has none for.
QString offsetCodeText(int offsetCode);

// The file's bytes with the four records rewritten. A file in UTF-8 keeps
// UTF-8, any other keeps Windows-1252. A value too wide for its columns
// refuses the rewrite, naming the value and the record.
AgnavOutcome rewriteGuidanceRecords(const QByteArray& bytes, const GuidanceRecords& records, QByteArray& rewritten);
