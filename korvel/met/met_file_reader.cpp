#include "korvel/met/met_file_reader.h"

#include "korvel/met/met_time.h"
#include "platform/complete_lines.h"
#include "platform/sequential_file.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"

#include <functional>

namespace {

// The last two characters of a number's decimal text, blank-padded on the
// right to two when shorter, as a fixed-length text of 2 keeps it.
QString lastTwoDigits(qint32 value)
{
    return QString::number(value).right(2).leftJustified(2, u' ');
}

void readKitoonRecord(SequentialReader& reader, MetRecord& record)
{
    const qint32 date = reader.readLong();
    record.Month = CByte(Int(date / 10000.0));
    record.Day = CInt(Int(date / 100.0 - double(record.Month) * 100.0));
    record.Year = lastTwoDigits(date);
    record.Hour = reader.readByte();
    record.Minute = reader.readByte();
    record.Second = reader.readByte();
    record.WindDirection = reader.readInteger();
    record.WindSpeed = reader.readSingle();
    record.AirTemp = reader.readSingle();
    record.GroundTemp = reader.readSingle();
}

void readTowerRecord(SequentialReader& reader, MetRecord& record)
{
    reader.readByte(); // the station
    record.Year = lastTwoDigits(reader.readInteger());
    record.Day = reader.readInteger();
    const qint16 hhmm = reader.readInteger();
    record.Hour = CByte(Int(hhmm / 100.0));
    record.Minute = CByte(hhmm % 100);
    record.Second = 0;
    record.Month = 0;
    record.WindSpeed = reader.readSingle();
    reader.readSingle();
    record.WindDirection = CInt(double(reader.readSingle()));
    reader.readSingle();
    record.AirTemp = reader.readSingle();
    record.GroundTemp = 0.0f;
}

MetFileRead readRecords(const QByteArray& bytes, const QString& source,
    const std::function<void(SequentialReader&, MetRecord&)>& readRecord)
{
    MetFileRead result;
    // A last line without its line end was cut off: its record may have lost
    // digits, so only the whole lines before it are read.
    const int cut = cutOffLineNumber(bytes);
    SequentialReader reader(cut > 0 ? wholeLines(bytes) : bytes);
    int number = 0;
    try {
        do {
            MetRecord record;
            ++number;
            readRecord(reader, record);
            result.file.Records.push_back(record);
        } while (!reader.onlyBlanksRemain());
        const MetRecord& first = result.file.Records[1];
        result.startSeconds = clockSeconds(first);
        for (number = 1; number < int(result.file.Records.size()); ++number) {
            MetRecord& record = result.file.Records[size_t(number)];
            record.ElapsedTime
                = metElapsedTime(record, metDayOffset(first, record, source), result.startSeconds);
        }
    } catch (const VbError& error) {
        result.error = QStringLiteral("Record %1: %2").arg(number).arg(error.Description());
        result.file = MetFile();
        return result;
    }
    result.file.Source = source;
    result.leftOutLine = cut;
    result.ok = true;
    return result;
}

} // namespace

MetFileRead readKitoonFile(const QByteArray& bytes)
{
    return readRecords(bytes, MetSourceKitoon, readKitoonRecord);
}

MetFileRead readTowerFile(const QByteArray& bytes)
{
    return readRecords(bytes, MetSourceTower, readTowerRecord);
}
