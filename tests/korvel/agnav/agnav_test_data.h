#pragma once
// Files and records the AG-NAV tests build themselves: whole files on disk,
// 51-byte flight log records, and a job with the block it describes.
#include "korvel/agnav/agnav_job.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/program_globals.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

inline const EllipsoidRecord Wgs84 { QStringLiteral("WGS-84"), 6378137.0, 298.257223563 };
inline const EllipsoidRecord Clarke1866 { QStringLiteral("CLARKE-1866"), 6378206.4, 294.9786982 };

inline void writeTestFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray readTestFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

// One sample of a flight log as the guidance system records it.
struct AgfSample
{
    qint32 time = 0; // hundredths of a second
    qint32 latitude = 0; // degrees x 1e6
    qint32 longitude = 0;
    qint32 crossTrack = 0;
    qint16 groundSpeed = 0; // hundredths of m/s
    qint16 altitude = 0;
    qint32 easting = 0;
    qint32 northing = 0;
    qint16 swathWidth = 0; // x 10
    quint8 spray = 0;
    qint16 flow = 0;
    qint16 target = 0;
};

template <typename T> void putLittleEndian(QByteArray& record, int offset, T value)
{
    qToLittleEndian(value, record.data() + offset);
}

// The 51 bytes of a record; marker is the third header byte (3 for the
// 51-byte format). Unused bytes are filled with 0xEE so a decoder that reads
// them shows it.
inline QByteArray agfRecord(const AgfSample& s, quint8 marker = 3)
{
    QByteArray record(51, char(0xEE));
    record[0] = 0x02;
    record[1] = 0x00;
    record[2] = char(marker);
    putLittleEndian(record, 3, s.time);
    putLittleEndian(record, 7, s.latitude);
    putLittleEndian(record, 11, s.longitude);
    putLittleEndian(record, 18, s.crossTrack);
    putLittleEndian(record, 22, s.groundSpeed);
    putLittleEndian(record, 24, s.altitude);
    putLittleEndian(record, 28, s.easting);
    putLittleEndian(record, 32, s.northing);
    putLittleEndian(record, 36, s.swathWidth);
    record[39] = char(s.spray);
    putLittleEndian(record, 43, s.flow);
    putLittleEndian(record, 45, s.target);
    return record;
}

inline QByteArray agfLog(const std::vector<AgfSample>& samples, quint8 marker = 3)
{
    QByteArray bytes;
    for (const AgfSample& sample : samples) {
        bytes += agfRecord(sample, marker);
    }
    return bytes;
}

// The job of the sample block "FIELD17": UTM zone 17, WGS-84, a 30 m swath.
inline AGNAVJob utmJob()
{
    AGNAVJob job;
    job.AreaName = QStringLiteral("NORTH FIELD");
    job.CoordLetter = QStringLiteral("U");
    job.UnitsCode = QStringLiteral("2");
    job.UnitsText = QStringLiteral("METRIC SYSTEM DISPLAY");
    job.MaxXTrack = QStringLiteral("100");
    job.NumAircraft = QStringLiteral("1");
    job.SpraySideLetter = QStringLiteral("C");
    job.BoomsOnCode = QStringLiteral("1");
    job.BoomsOnText = QStringLiteral("SPRAY ON CLOSURE OF CONTACT");
    job.RaceTrack = QStringLiteral("1");
    job.SkipTrack = QStringLiteral("1");
    job.MagVar = QStringLiteral("0");
    job.LagTime = QStringLiteral("0.00");
    job.RelayOn = QStringLiteral("0.00");
    job.RelayOff = QStringLiteral("0.00");
    job.EllipsoidIndex = QStringLiteral("22");
    job.Ellipsoid
        = { QStringLiteral("WGS-84"), QStringLiteral("6378137.0"), QStringLiteral("298.257223563") };
    job.DeltaX = job.DeltaY = job.DeltaZ = QStringLiteral("0");
    job.CommIndex = QStringLiteral("6");
    job.CommFormat = QStringLiteral("9600  N  1  8");
    job.MasterX = QStringLiteral("500600.0");
    job.MasterY = QStringLiteral("4800700.0");
    job.Heading = QStringLiteral("90");
    job.SwathWidth = QStringLiteral("30");
    job.LineCount = QStringLiteral("20");
    job.OffsetCode = QStringLiteral("1");
    job.OffsetText = QStringLiteral("HALF-SWATH OFFSET OF THE FIRST LINE");
    return job;
}

// A block of three UTM corners in zone 17 with the WGS-84 ellipsoid.
inline AGNAVBlock utmBlock(const QString& path)
{
    AGNAVBlock block;
    block.Path = path;
    block.FileName = path.mid(path.lastIndexOf(u'/') + 1);
    block.CoordType = QStringLiteral("UTM");
    block.Zone = 17;
    block.Ellipsoid = Wgs84;
    block.Boundary.resize(3);
    block.Boundary.X = { 0.0, 500600.0, 500600.0, 501400.0 };
    block.Boundary.Y = { 0.0, 4800700.0, 4801300.0, 4801300.0 };
    block.VertexCount = 3;
    return block;
}
