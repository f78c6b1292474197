#include "korvel/shell/main_settings_reader.h"

#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"

#include <algorithm>

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kDefaultDirs = QStringLiteral("DefaultDirs");

// The palette index of yellow, for a pointer colour the palette lacks.
constexpr std::uint8_t kYellow = 14;
constexpr std::uint8_t kDefaultZone = 17;
constexpr int kLastZone = 60;

// Reads one value and converts it; a failed conversion is raised again with
// the setting's name in its description.
template <typename Convert>
auto readSetting(const QString& section, const QString& name, const QString& defaultText, Convert convert)
{
    const QString stored = GetRegSetting(section, name, defaultText);
    try {
        return convert(stored);
    } catch (const VbError& error) {
        throw VbError(
            error.Number(), error.Source(), settingErrorText(section, name, stored, error.Description()));
    }
}

bool readBoolean(const QString& section, const QString& name, const QString& defaultText)
{
    return readSetting(section, name, defaultText, [](const QString& text) { return CBool(text); });
}

std::uint8_t readByte(const QString& section, const QString& name, const QString& defaultText)
{
    return readSetting(section, name, defaultText, [](const QString& text) { return CByte(text); });
}

std::int32_t readLong(const QString& section, const QString& name, const QString& defaultText)
{
    return readSetting(section, name, defaultText, [](const QString& text) { return CLng(text); });
}

// The map's zone: a stored 0 stands for the default; any other number
// outside 1 to 60 is no UTM zone and is refused like a value that does not
// convert, since every map, image and session would take it from here.
int readZone()
{
    const QString name = QStringLiteral("Zone");
    const int zone = readByte(kSettings, name, "17");
    if (zone == 0) {
        return kDefaultZone;
    }
    if (zone > kLastZone) {
        throw VbError(5, QStringLiteral("KORVEL"),
            settingErrorText(kSettings, name, GetRegSetting(kSettings, name, "17"),
                QStringLiteral("%1 is not a UTM zone (1 to 60)").arg(zone)));
    }
    return zone;
}

// A start folder of the file dialogs, as stored.
QString readFolder(const QString& name)
{
    return GetRegSetting(kDefaultDirs, name, defaultStartFolder());
}

} // namespace

QString settingErrorText(
    const QString& section, const QString& name, const QString& stored, const QString& reason)
{
    return QStringLiteral("The setting \"%1\" of section \"%2\" holds \"%3\", which KORVEL cannot use: %4")
        .arg(name, section, stored, reason);
}

void readFolderSettings(BadSwitch badSwitch)
{
    const auto readSwitch = [badSwitch](const QString& name) {
        if (badSwitch == BadSwitch::Raise) {
            return readBoolean(kSettings, name, "False");
        }
        try {
            return readBoolean(kSettings, name, "False");
        } catch (const VbError&) {
            return false;
        }
    };
    MainSettings& settings = mainSettings();
    settings.SessionDir = readFolder("SessionDir");
    settings.ImageDir = readFolder("ImageDir");
    settings.SHPDir = readFolder("SHPDir");
    settings.AGNAVDir = readFolder("AGNAVDir");
    settings.AutoLoadGuidance = readSwitch("AutoLoadGuidance");
    settings.AutoLoadExclusion = readSwitch("AutoLoadExclusion");
    settings.MetDir = readFolder("MetDir");
}

void readMainSettings()
{
    MainSettings& settings = mainSettings();
    ProgramGlobals& program = globals();
    MapState& map = mapState();

    program.ImmediateGraph = readBoolean(kSettings, "ImmediateGraph", "True");
    settings.GraphBoomOff = readBoolean(kSettings, "GraphBoomOff", "False");
    settings.ColorCode = readBoolean(kSettings, "ColorCode", "True");
    settings.FillPoly = readBoolean(kSettings, "FillPoly", "True");
    settings.GuidanceAboveBelow = readBoolean(kSettings, "GuidanceAboveBelow", "True");
    settings.GISgraph = readByte(kSettings, "GISgraph", "1");
    settings.AGNAVgraph = readByte(kSettings, "AGNAVgraph", "1");
    settings.AGNAVspeed = std::max<std::uint8_t>(1, readByte(kSettings, "AGNAVspeed", "1"));
    settings.PointerColour = readByte(kSettings, "PointerColour", "0");
    if (settings.PointerColour > 15) {
        settings.PointerColour = kYellow;
    }
    program.MetricSystem = readBoolean(kSettings, "MetricSystem", "True");
    readFolderSettings(BadSwitch::Raise);
    program.OptimizationFile = GetRegSetting(kSettings, "OptimizationFile", QString());
    settings.OptColour = readLong(kSettings, "OptColour", "255");
    settings.OptWidth = readByte(kSettings, "OptWidth", "1");
    program.Ellipsoid = EllipsoidRecord();
    program.Ellipsoid.Name = GetRegSetting(kSettings, "Ellipsoid.Name", "WGS84");
    map.Zone = readZone();
    map.NorthZone = readBoolean(kSettings, "NorthZone", "True");
    settings.BufferWidth
        = readSetting(kSettings, "BufferWidth", "100", [](const QString& text) { return CInt(text); });
    settings.BufferColour = readLong(kSettings, "BufferColour", "16755801");
}
