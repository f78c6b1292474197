// Feeds arbitrary stored setting values to the main window's settings
// reader. Line n of the input is the text stored for setting n of the
// section "Settings" (an empty line: nothing stored); the values are written
// into a private registry file and read as at the program's start. The read
// either succeeds with the values the program can work with, or raises
// error 13 or 6 (a value that does not convert) or 5 (a zone outside 1 to
// 60) naming the setting. The buffer width's text is also read as
// the preferences read it: a width written back reads the same, and switching
// units there and back moves it by at most one.
#include "korvel/prefs/preference_settings.h"
#include "korvel/shell/main_settings_reader.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "platform/registry_codes.h"
#include "platform/registry_file_format.h"
#include "platform/registry_root_file.h"
#include "platform/registry_tree.h"
#include "platform/vb_error.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>

namespace {

const char* const kNames[] = { "ImmediateGraph", "GraphBoomOff", "ColorCode", "FillPoly",
    "GuidanceAboveBelow", "GISgraph", "AGNAVgraph", "AGNAVspeed", "PointerColour", "MetricSystem",
    "AutoLoadGuidance", "AutoLoadExclusion", "OptimizationFile", "OptColour", "OptWidth", "Ellipsoid.Name",
    "Zone", "NorthZone", "BufferWidth", "BufferColour" };
constexpr qsizetype kBufferWidthLine = 18;
constexpr quint32 kRegSz = 1;
constexpr quint32 kRegExpandSz = 2;

// The registry file of the current user, in a folder of this run's own.
QString registryFile()
{
    static QTemporaryDir folder;
    static const bool aimed = qputenv("KORVEL_REGISTRY_DIR", QFile::encodeName(folder.path()));
    if (!folder.isValid() || !aimed)
        std::abort();
    return folder.filePath(RegistryRootFile::rootName(HKEY_CURRENT_USER) + QStringLiteral(".txt"));
}

void storeSettings(const QList<QByteArray>& lines)
{
    RegistryKey root;
    RegistryKey& settings
        = root.ensureChild("Software").ensureChild("TALVOR").ensureChild("KORVEL").ensureChild("Settings");
    for (qsizetype i = 0; i < lines.size() && i < qsizetype(std::size(kNames)); ++i) {
        // The program stores a text with a pair of '%' as one to expand.
        const quint32 type = lines[i].count('%') >= 2 ? kRegExpandSz : kRegSz;
        if (!lines[i].isEmpty())
            settings.setValue(QString::fromLatin1(kNames[i]), type, lines[i] + '\0');
    }
    QFile file(registryFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || !file.write(writeRegistryFile(root, RegistryRootFile::rootName(HKEY_CURRENT_USER))))
        std::abort();
}

void checkBufferWidth(const QByteArray& stored)
{
    const QString text = QString::fromUtf8(stored);
    const std::optional<qint16> width = bufferWidthValue(text);
    if (!width)
        return;
    if (bufferWidthValue(QString::number(*width)) != width)
        std::abort();
    const std::optional<qint16> feet = bufferWidthConverted(text, true);
    if (!feet)
        return;
    const std::optional<qint16> back = bufferWidthConverted(QString::number(*feet), false);
    if (back && std::abs(*back - *width) > 1)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() > kBufferWidthLine)
        checkBufferWidth(lines[kBufferWidthLine]);
    storeSettings(lines);
    try {
        readMainSettings();
    } catch (const VbError& error) {
        const int number = error.Number();
        if ((number != 13 && number != 6 && number != 5)
            || !error.Description().startsWith(QStringLiteral("The setting \"")))
            std::abort();
        return 0;
    }
    const MainSettings& settings = mainSettings();
    if (settings.PointerColour > 15 || settings.AGNAVspeed < 1 || mapState().Zone == 0)
        std::abort();
    return 0;
}
