#include "platform/binary_file.h"
#include "tests/support/korvel_test.h"

#include <QFile>
#include <QtEndian>
#include <cstring>

namespace {

// A shapefile-like header: file code 9994 big-endian, then little-endian
// fields of every type the readers take.
QByteArray sampleBytes()
{
    QByteArray bytes(4 + 1 + 2 + 4 + 4 + 8 + 3, '\0');
    char* p = bytes.data();
    qToBigEndian<qint32>(9994, p);
    p[4] = char(200);
    qToLittleEndian<qint16>(-2, p + 5);
    qToLittleEndian<qint32>(-100000, p + 7);
    float single = 1.5f;
    quint32 singleBits;
    std::memcpy(&singleBits, &single, 4);
    qToLittleEndian<quint32>(singleBits, p + 11);
    double value = -6378137.25;
    quint64 doubleBits;
    std::memcpy(&doubleBits, &value, 8);
    qToLittleEndian<quint64>(doubleBits, p + 15);
    std::memcpy(p + 23, "ABC", 3);
    return bytes;
}

} // namespace

using BinaryInput = KorvelTest;

TEST_F(BinaryInput, ReadsEveryTypeAtPositionsAndInSequence)
{
    BinaryReader in(sampleBytes());
    EXPECT_EQ(in.size(), 26);
    EXPECT_EQ(in.getBigEndian(1), 9994);
    EXPECT_EQ(in.position(), 5);
    EXPECT_EQ(in.get<quint8>(), 200);
    EXPECT_EQ(in.get<qint16>(), -2);
    EXPECT_EQ(in.get<qint32>(), -100000);
    EXPECT_EQ(in.get<float>(), 1.5f);
    EXPECT_EQ(in.get<double>(), -6378137.25);
    EXPECT_EQ(in.getBytes(24, 3), "ABC");
    EXPECT_FALSE(in.atEnd());

    EXPECT_EQ(in.read<qint32>(8), -100000);
    EXPECT_EQ(in.position(), 12);
    EXPECT_EQ(in.readBigEndian(1), 9994);
    EXPECT_EQ(in.readBytes(24, 3), QByteArray("ABC"));
}

TEST_F(BinaryInput, RawGetPastTheEndFillsZerosAndSetsEnd)
{
    BinaryReader in(sampleBytes());
    // Two bytes of the Long lie in the file, the rest is zeros.
    EXPECT_EQ(in.get<qint32>(25), qint32(0x4342));
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(in.position(), 29);

    BinaryReader counting(sampleBytes());
    EXPECT_EQ(counting.get<double>(100), 0.0);
    EXPECT_TRUE(counting.atEnd());
    EXPECT_EQ(counting.getBytes(25, 4), QByteArray("BC\0\0", 4));
}

TEST_F(BinaryInput, CheckedReadRefusesShortInputAndKeepsThePosition)
{
    BinaryReader in(sampleBytes());
    in.seek(3);
    EXPECT_FALSE(in.read<qint32>(24).has_value());
    EXPECT_FALSE(in.read<double>(20).has_value());
    EXPECT_FALSE(in.readBigEndian(24).has_value());
    EXPECT_FALSE(in.readBytes(20, 8).has_value());
    EXPECT_EQ(in.position(), 3);
    EXPECT_FALSE(in.atEnd());
    EXPECT_TRUE(in.read<quint8>(26).has_value()); // the very last byte
    EXPECT_FALSE(in.read<quint8>(27).has_value());
}

TEST_F(BinaryInput, AbsurdPositionsAndCountsFromADamagedFileAreHarmless)
{
    BinaryReader in(sampleBytes());
    EXPECT_FALSE(in.read<qint32>(0).has_value());
    EXPECT_FALSE(in.read<qint32>(-5).has_value());
    EXPECT_FALSE(in.read<qint32>(std::numeric_limits<qint64>::max()).has_value());
    EXPECT_FALSE(in.readBytes(1, std::numeric_limits<qint64>::max()).has_value());
    EXPECT_FALSE(in.readBytes(1, -1).has_value());
    EXPECT_EQ(in.get<qint32>(-5), 0);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(in.getBytes(2, qint64(1) << 40).size(), in.size());
    EXPECT_EQ(in.get<qint16>(std::numeric_limits<qint64>::max()), 0);

    BinaryReader empty(QByteArray{});
    EXPECT_FALSE(empty.read<quint8>(1).has_value());
    EXPECT_EQ(empty.getBigEndian(1), 0);
    EXPECT_TRUE(empty.atEnd());
}

TEST_F(BinaryInput, OpensFilesAndReportsMissingOnes)
{
    const QString path = workDir() + "N0000001.T01";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(sampleBytes());
    file.close();
    std::optional<BinaryReader> in = BinaryReader::open(path);
    ASSERT_TRUE(in.has_value());
    EXPECT_EQ(in->get<quint8>(5), 200);

    QString error;
    EXPECT_FALSE(BinaryReader::open(workDir() + "none.shp", &error).has_value());
    EXPECT_EQ(error, "File not found");
}
