#include "korvel/map/map_pointer_modes.h"

#include "platform/vb_colors.h"
#include "platform/vb_format.h"
#include "platform/vb_input_codes.h"

#include <cmath>

namespace {

constexpr int kYellow = 14;

bool digitizing(const PointerModes& modes)
{
    return modes.digitizeBoundary || modes.digitizeExclusion;
}

// The text of one coordinate in degrees, its hemisphere letter by its sign.
QString degreesText(double value, const QString& positive, const QString& otherwise)
{
    if (value > 0.0) {
        return Format(value, QStringLiteral("0.000")) + u' ' + positive;
    }
    return Format(std::abs(value), QStringLiteral("0.000")) + u' ' + otherwise;
}

} // namespace

MapTool pressTool(const PointerModes& modes, int button)
{
    if (button == vbLeftButton && modes.extentEntry) {
        return MapTool::ZoomBox;
    }
    if (button == vbLeftButton && modes.ruler) {
        return MapTool::Ruler;
    }
    return digitizing(modes) ? MapTool::Digitize : MapTool::None;
}

MapTool moveTool(const PointerModes& modes, int button)
{
    if (button == vbLeftButton && modes.extentEntry) {
        return MapTool::ZoomBox;
    }
    if (button == vbLeftButton && modes.ruler) {
        return MapTool::Ruler;
    }
    // The exclusion zone's live segment stops while a button is held; the
    // boundary's follows the pointer whatever the buttons.
    if (modes.digitizeBoundary || (modes.digitizeExclusion && button == 0)) {
        return MapTool::Digitize;
    }
    return MapTool::None;
}

MapTool releaseTool(const PointerModes& modes, int button)
{
    return button == vbLeftButton && modes.extentEntry ? MapTool::ZoomBox : MapTool::None;
}

CoordinateReadout coordinateReadout(double x, double y, bool utmMode)
{
    if (utmMode) {
        return { Format(y, QStringLiteral("0.0")) + QStringLiteral(" N"),
            Format(x, QStringLiteral("0.0")) + QStringLiteral(" E") };
    }
    return { degreesText(y, QStringLiteral("N"), QStringLiteral("S")),
        degreesText(x, QStringLiteral("E"), QStringLiteral("W")) };
}

qint32 pointerLineColour(int pointerColour)
{
    return QBColor(pointerColour >= 0 && pointerColour <= 15 ? pointerColour : kYellow);
}
