#include "korvel/met/met_time.h"

#include "platform/vb_numbers.h"

#include <QDate>

#include <optional>

namespace {

// Two-digit years 50..99 are read as 19xx, 00..49 as 20xx; only differences
// of dates count, so the choice matters only where a recording crosses it.
std::optional<int> fullYear(const QString& twoDigits)
{
    bool ok = false;
    const int year = twoDigits.trimmed().toInt(&ok);
    if (!ok || year < 0 || year > 99) {
        return std::nullopt;
    }
    return year >= 50 ? 1900 + year : 2000 + year;
}

std::optional<QDate> calendarDate(const MetRecord& record, const QString& source)
{
    const std::optional<int> year = fullYear(record.Year);
    if (!year) {
        return std::nullopt;
    }
    if (source == MetSourceKitoon) {
        const QDate date(*year, record.Month, record.Day);
        return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
    }
    if (source == MetSourceTower && record.Day >= 1 && record.Day <= 366) {
        return QDate(*year, 1, 1).addDays(record.Day - 1);
    }
    return std::nullopt;
}

} // namespace

qint32 clockSeconds(const MetRecord& record)
{
    return qint32(record.Hour) * 3600 + qint32(record.Minute) * 60 + qint32(record.Second);
}

int metDayOffset(const MetRecord& first, const MetRecord& record, const QString& source)
{
    const std::optional<QDate> from = calendarDate(first, source);
    const std::optional<QDate> to = calendarDate(record, source);
    if (from && to) {
        return int(from->daysTo(*to));
    }
    return int(record.Day) - int(first.Day);
}

qint32 metElapsedTime(const MetRecord& record, int days, qint32 startSeconds)
{
    // The clock part and the start are 16-bit tens of seconds: an hour past
    // 91 (92 x 360 = 33120) overflows them, and CInt raises 6 for it instead
    // of handing back a time that wrapped round.
    const qint16 clockTens = CInt(double(record.Hour) * 360.0 + double(record.Minute) * 6.0);
    const qint16 startTens = CInt(startSeconds / 10.0);
    const double tens = clockTens + record.Second / 10.0;
    return CLng(10.0 * (tens + 8640.0 * days - startTens));
}

int metDayNumberAfter(const MetRecord& first, int days, const QString& source)
{
    if (const std::optional<QDate> date = calendarDate(first, source)) {
        const QDate later = date->addDays(days);
        return source == MetSourceKitoon ? later.day() : later.dayOfYear();
    }
    return int(first.Day) + days;
}
