#pragma once
// Times of meteorological records: the clock time of a record in seconds of
// its day, the whole days between two records, and the elapsed time of a
// record since the first one of its file.
//
// Days between records come from each record's full date where the file
// holds one: month, day and two-digit year for Kitoon data, day of the year
// and year for tall-tower data. A recording that runs past the end of a
// month or a year so keeps counting forwards. A record whose date is no
// calendar date (a month of 13, a day of 0) falls back to the difference of
// the day numbers alone.
#include "korvel/met/met_data.h"

// Hour x 3600 + minute x 60 + second.
qint32 clockSeconds(const MetRecord& record);

// Whole days from `first` to `record` of a source of kind `source`.
int metDayOffset(const MetRecord& first, const MetRecord& record, const QString& source);

// The record's seconds since the first record of its file, whose clock time
// is startSeconds:
//   T = hour x 360 + minute x 6 + second / 10  (tens of seconds)
//   ElapsedTime = round(10 x (T + 8640 x days - round(startSeconds / 10)))
// both roundings half to even, so the first record lies within 5 seconds of 0.
// hour x 360 + minute x 6 and round(startSeconds / 10) are 16-bit whole
// numbers: beyond 32767 (an hour of 92) they raise error 6 "Overflow", as
// does a time beyond the 32-bit range.
qint32 metElapsedTime(const MetRecord& record, int days, qint32 startSeconds);

// The calendar day a whole number of days after the first record, as a day
// number of the file's kind: the day of the month (Kitoon) or of the year
// (tall tower) where the date is known, else the first day number plus the offset.
int metDayNumberAfter(const MetRecord& first, int days, const QString& source);
