#include "korvel/prefs/preference_settings.h"

#include "korvel/shell/length_units.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/vb_numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

void savePreferenceSettings()
{
    const QString section = QStringLiteral("Settings");
    const ProgramGlobals& program = globals();
    const MainSettings& settings = mainSettings();
    const MapState& map = mapState();
    const auto save = [&section](const char* name, const QString& value) {
        SaveRegSetting(section, QString::fromLatin1(name), value);
    };
    save("ImmediateGraph", CStr(program.ImmediateGraph));
    save("GraphBoomOff", CStr(settings.GraphBoomOff));
    save("ColorCode", CStr(settings.ColorCode));
    save("FillPoly", CStr(settings.FillPoly));
    save("GuidanceAboveBelow", CStr(settings.GuidanceAboveBelow));
    save("GISgraph", CStr(int(settings.GISgraph)));
    save("AGNAVgraph", CStr(int(settings.AGNAVgraph)));
    save("AGNAVspeed", CStr(int(settings.AGNAVspeed)));
    save("PointerColour", CStr(int(settings.PointerColour)));
    save("MetricSystem", CStr(program.MetricSystem));
    save("OptimizationFile", program.OptimizationFile);
    save("OptColour", CStr(int(settings.OptColour)));
    save("OptWidth", CStr(int(settings.OptWidth)));
    save("Ellipsoid.Name", program.Ellipsoid.Name);
    save("Zone", CStr(map.Zone));
    save("NorthZone", CStr(map.NorthZone));
    save("BufferWidth", CStr(int(settings.BufferWidth)));
    save("BufferColour", CStr(int(settings.BufferColour)));
}

std::optional<qint16> bufferWidthValue(const QString& text)
{
    const std::optional<double> value = typedNumberValue(text);
    return value ? CIntInRange(*value) : std::nullopt;
}

std::optional<qint16> bufferWidthConverted(const QString& text, bool toFeet)
{
    const std::optional<double> value = typedNumberValue(text);
    if (!value || std::abs(*value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    // The width is taken in single precision, as the field always was.
    const float width = float(*value);
    return CIntInRange(toFeet ? double(width) * FeetPerMetre : double(width) / FeetPerMetre);
}

int optionChoice(int stored)
{
    return stored == 2 ? 2 : 1;
}

int sliderValueAt(double pressX, double width, int sections)
{
    if (!(width > 0.0)) {
        return 1;
    }
    const int value = int(std::floor(double(sections) * pressX / width)) + 1;
    return std::clamp(value, 1, sections);
}
