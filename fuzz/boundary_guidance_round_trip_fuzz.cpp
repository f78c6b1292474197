// Feeds arbitrary bytes to the boundary file reader, then, for a file it
// takes, to the guidance save's rewrite and to the reader again. A file the
// program takes must stay one it takes after its own save: the rewritten
// file is read, with the same corners and every record but the four
// rewritten read as before, the swath the save wrote and the master point
// the save took from the file. Only a master point too long for its columns
// may refuse the save.
#include "fuzz/guidance_save_records.h"
#include "korvel/agnav/boundary_file_reader.h"

#include <QList>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

bool sameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool sameNumbers(const std::vector<double>& a, const std::vector<double>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!sameNumber(a[i], b[i]))
            return false;
    }
    return true;
}

// What the reader took from the records the rewrite keeps.
bool sameKeptRecords(const AGNAVBlock& before, const AGNAVBlock& after)
{
    return before.CoordType == after.CoordType && before.Zone == after.Zone
        && before.VertexCount == after.VertexCount && sameNumbers(before.Boundary.X, after.Boundary.X)
        && sameNumbers(before.Boundary.Y, after.Boundary.Y) && before.Ellipsoid.Name == after.Ellipsoid.Name
        && sameNumber(before.Ellipsoid.Axis, after.Ellipsoid.Axis)
        && sameNumber(before.Ellipsoid.InverseFlattening, after.Ellipsoid.InverseFlattening)
        && before.DataFolder == after.DataFolder && before.DataSubfolder == after.DataSubfolder
        && before.MasterPoint.MasterX == after.MasterPoint.MasterX
        && before.MasterPoint.MasterY == after.MasterPoint.MasterY;
}

// A master value too long for record 17: longer than its field (ten
// columns for the first, eleven for the second), or filling the second
// without a minus sign that tells it from the first.
bool masterTooLong(const GuidanceRecords& records)
{
    const qsizetype first = records.masterFirst.toUcs4().size();
    const qsizetype second = records.masterSecond.toUcs4().size();
    return first > 10 || second > 11 || (second == 11 && !records.masterSecond.startsWith(u'-'));
}

AGNAVBlock newBlock()
{
    AGNAVBlock block;
    block.DataFolder = QStringLiteral("/data/");
    return block;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::vector<EllipsoidRecord> table { EllipsoidRecord(),
        { QStringLiteral("WGS-84"), 6378137.0, 298.257223563 } };
    AGNAVBlock before = newBlock();
    if (!parseBoundaryFile(bytes, before, table).isDone())
        return 0;
    const GuidanceRecords records = fuzzGuidanceRecords(before);
    QByteArray rewritten;
    const AgnavOutcome outcome = rewriteGuidanceRecords(bytes, records, rewritten);
    if (!outcome.isDone()) {
        if (!masterTooLong(records) || !outcome.message().startsWith(QLatin1String("The master point ")))
            std::abort(); // the save's own values fit their columns
        return 0;
    }
    AGNAVBlock after = newBlock();
    if (!parseBoundaryFile(rewritten, after, table).isDone() || !sameKeptRecords(before, after))
        std::abort();
    // A file without record 36 has no swath before or after.
    if (after.SwathWidthText != (before.SwathWidthText.isEmpty() ? QString() : records.swath))
        std::abort();
    return 0;
}
