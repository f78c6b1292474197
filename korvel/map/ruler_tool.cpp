#include "korvel/map/ruler_tool.h"

#include "korvel/shell/main_form.h"
#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "platform/line_control.h"
#include "platform/status_bar.h"
#include "platform/vb_format.h"
#include "platform/vb_input_codes.h"

#include <cmath>

namespace {

constexpr int kDistancePanel = 6;

// The projection's series need a real ellipsoid: an axis in metres and a
// flattening below 1.
bool canProject(const EllipsoidRecord& ellipsoid)
{
    return ellipsoid.Axis > 0.0 && ellipsoid.InverseFlattening > 1.0;
}

} // namespace

MapPoint rulerEnd(MapPoint start, MapPoint pointer, int shift)
{
    if (shift != vbShiftMask) {
        return pointer;
    }
    if (std::abs(pointer.y - start.y) < std::abs(pointer.x - start.x)) {
        return { pointer.x, start.y };
    }
    return { start.x, pointer.y };
}

QString rulerRefusal(MapPoint from, MapPoint to, bool utmMode, int zone, const EllipsoidRecord& ellipsoid)
{
    if (utmMode) {
        return {};
    }
    if (!canProject(ellipsoid)) {
        return QStringLiteral("No distance: choose a UTM ellipsoid in Preferences");
    }
    const UtmProjection projection(zone, ellipsoid.Axis, ellipsoid.InverseFlattening);
    if (!projection.reaches(from.y, from.x) || !projection.reaches(to.y, to.x)) {
        return QStringLiteral("No distance: more than %1%2 from UTM zone %3")
            .arg(UtmReachDeg)
            .arg(QChar(0xB0))
            .arg(zone);
    }
    return {};
}

std::optional<double> rulerDistance(
    MapPoint from, MapPoint to, bool utmMode, int zone, const EllipsoidRecord& ellipsoid)
{
    if (utmMode) {
        return std::hypot(to.x - from.x, to.y - from.y);
    }
    if (!rulerRefusal(from, to, utmMode, zone, ellipsoid).isEmpty()) {
        return std::nullopt;
    }
    const UtmProjection projection(zone, ellipsoid.Axis, ellipsoid.InverseFlattening);
    double e1 = 0.0;
    double n1 = 0.0;
    double e2 = 0.0;
    double n2 = 0.0;
    projection.forward(from.y, from.x, e1, n1);
    projection.forward(to.y, to.x, e2, n2);
    return std::hypot(e2 - e1, n2 - n1);
}

QString rulerDistanceText(double metres, bool metric)
{
    if (metric) {
        return QStringLiteral("Distance = ") + Format(metres, QStringLiteral("0.0")) + QStringLiteral("m");
    }
    return QStringLiteral("Distance = ") + Format(metres * FeetPerMetre, QStringLiteral("0.0"))
        + QStringLiteral("ft");
}

RulerTool::RulerTool(MainForm& form)
    : m_form(form)
{
}

void RulerTool::press(float x, float y)
{
    LineControl& line = *m_form.RulerLine;
    line.setEnds(x, y, x, y);
    line.setBorderColor(pointerLineColour(mainSettings().PointerColour));
    line.setVisible(true);
    m_form.StatusBar1->setPanelText(kDistancePanel, QString());
}

void RulerTool::drag(int shift, float x, float y)
{
    LineControl& line = *m_form.RulerLine;
    const MapPoint start { line.X1(), line.Y1() };
    const MapPoint end = rulerEnd(start, { x, y }, shift);
    // The line keeps its ends in single precision, as the runtime's did.
    line.setX2(float(end.x));
    line.setY2(float(end.y));

    const ProgramGlobals& program = globals();
    const MapPoint to { line.X2(), line.Y2() };
    const int zone = mapState().Zone;
    const std::optional<double> metres = rulerDistance(start, to, program.UTMMode, zone, program.Ellipsoid);
    m_form.StatusBar1->setPanelText(kDistancePanel,
        metres ? rulerDistanceText(*metres, program.MetricSystem)
               : rulerRefusal(start, to, program.UTMMode, zone, program.Ellipsoid));
}
