#include "korvel/agnav/agnav_job_filling.h"

#include "korvel/agnav/agnav_ellipsoid_list.h"
#include "korvel/shell/utm_conversion.h"
#include "korvel/workspace/program_globals.h"
#include "platform/vb_error.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

namespace {

QString positionText(int position)
{
    return QString::number(position);
}

QString spraySideLetter(int position)
{
    return position == 0 ? QStringLiteral("L") : position == 1 ? QStringLiteral("R") : QStringLiteral("C");
}

QString boomsOnText(int position)
{
    return position == 0 ? QStringLiteral("INSIDE AREA")
        : position == 1  ? QStringLiteral("SPRAY ON CLOSURE OF CONTACT")
                         : QStringLiteral("SPRAY ON OPENING OF CONTACT");
}

AGNAVEllipsoid jobEllipsoid(const AgnavJobEntries& entries, const std::vector<AGNAVEllipsoid>& ellipsoids)
{
    const int row = ellipsoidRowAtPosition(entries.EllipsoidPosition, static_cast<int>(ellipsoids.size()));
    if (row > UserEnterRow && row < FirstUserRow) {
        return ellipsoids[static_cast<std::size_t>(row)];
    }
    return { QStringLiteral("USER-ENTER"), entries.AxisText, entries.FlatteningText };
}

// The name a block's ellipsoid takes after the job: the program's own name
// for these two numbers when its table has them.
QString blockEllipsoidName(
    const AGNAVBlock& block, double axis, double inverseFlattening, const QString& jobName)
{
    const std::vector<EllipsoidRecord>& table = globals().EllipsoidTable;
    for (std::size_t row = 1; row < table.size(); ++row) {
        if (table[row].Axis == axis && table[row].InverseFlattening == inverseFlattening) {
            return table[row].Name;
        }
    }
    return block.Ellipsoid.Name.isEmpty() ? jobName : block.Ellipsoid.Name;
}

AGNAVMasterPoint masterPoint(const AGNAVBlock& block, bool utmFile)
{
    ShapeRecord point;
    point.resize(1);
    if (block.Boundary.X.size() > 1 && block.Boundary.Y.size() > 1) {
        point.X[1] = block.Boundary.X[1];
        point.Y[1] = block.Boundary.Y[1];
    }
    if (utmFile != globals().UTMMode) {
        try {
            ConvertPointArrays(
                point, block.Zone, utmFile ? 2 : 1, block.Ellipsoid.Axis, block.Ellipsoid.InverseFlattening);
        } catch (const VbError&) {
            // Beyond the zone's reach the point has no place in the file's
            // system; the writer refuses such a block with its message.
            return {};
        }
    }
    const QString mask = utmFile ? QStringLiteral("0.0") : QStringLiteral("0.000000");
    return { Format(point.X[1], mask), Format(point.Y[1], mask) };
}

} // namespace

AGNAVJob jobFromEntries(const AgnavJobEntries& entries, const std::vector<AGNAVEllipsoid>& ellipsoids,
    const std::vector<SerialFormat>& formats)
{
    const AgnavJobSettings& v = entries.Values;
    AGNAVJob job;
    job.AreaName = entries.AreaName;
    job.CoordLetter = v.CoordSystem == 1 ? QStringLiteral("L") : QStringLiteral("U");
    const bool usUnits = v.Units == 1;
    job.UnitsCode = usUnits ? QStringLiteral("1") : QStringLiteral("2");
    job.UnitsText = usUnits ? QStringLiteral("U.S. SYSTEM DISPLAY") : QStringLiteral("METRIC SYSTEM DISPLAY");
    job.MaxXTrack = v.MaxXTrack;
    job.NumAircraft = positionText(v.NumAircraft + 1);
    job.SpraySideLetter = spraySideLetter(v.SpraySide);
    job.BoomsOnCode = positionText(v.BoomsOn);
    job.BoomsOnText = boomsOnText(v.BoomsOn);
    job.RaceTrack = v.RaceTrack;
    job.SkipTrack = v.SkipTrack;
    job.MagVar = v.MagVar;
    job.LagTime = v.LagTime;
    job.RelayOn = v.RelayOn;
    job.RelayOff = v.RelayOff;
    job.EllipsoidIndex = positionText(entries.EllipsoidPosition);
    job.Ellipsoid = jobEllipsoid(entries, ellipsoids);
    job.DeltaX = entries.DeltaX;
    job.DeltaY = entries.DeltaY;
    job.DeltaZ = entries.DeltaZ;
    job.CommIndex = positionText(v.Communication);
    const std::size_t formatRow = static_cast<std::size_t>(v.Communication) + 1;
    job.CommFormat = formatRow < formats.size() ? formats[formatRow].Text : QString();
    job.Heading = Format(v.LineDirection, QStringLiteral("0"));
    job.SwathWidth = v.SwathWidth;
    job.LineCount = v.LineNum;
    const bool halfSwath = v.Offset == 1;
    job.OffsetCode = halfSwath ? QStringLiteral("1") : QStringLiteral("0");
    job.OffsetText = halfSwath ? QStringLiteral("HALF-SWATH OFFSET OF THE FIRST LINE")
                               : QStringLiteral("NO OFFSET OF THE FIRST LINE");
    return job;
}

void applyJobToBlock(AGNAVJob& job, AGNAVBlock& block)
{
    const bool utmFile = job.CoordLetter != QLatin1String("L");
    block.CoordType = utmFile ? QStringLiteral("UTM") : QStringLiteral("GEO");

    const double axis = Val(job.Ellipsoid.EllipsoidAxis);
    const double inverseFlattening = Val(job.Ellipsoid.EllipsoidFlattening);
    block.Ellipsoid.Name = blockEllipsoidName(block, axis, inverseFlattening, job.Ellipsoid.EllipsoidName);
    block.Ellipsoid.Axis = axis;
    block.Ellipsoid.InverseFlattening = inverseFlattening;

    block.SwathWidthText = job.SwathWidth;
    block.HeadingText = job.Heading;
    block.LineCountText = job.LineCount;
    block.OffsetCode = job.OffsetCode == QLatin1String("1") ? 1 : 0;

    block.MasterPoint = masterPoint(block, utmFile);
    job.MasterX = block.MasterPoint.MasterX;
    job.MasterY = block.MasterPoint.MasterY;
}
