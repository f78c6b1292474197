#include "korvel/prefs/optimization_modules.h"

#include "platform/file_helpers.h"
#include "platform/sequential_file.h"
#include "platform/vb_error.h"

#include <QDir>

namespace {

constexpr int kDescriptionLines = 4;

} // namespace

QStringList optimizationModuleNames(const QString& rootDir)
{
    const QDir folder(rootDir + QStringLiteral("optimization"));
    QStringList names;
    for (const QString& name : folder.entryList({ QStringLiteral("*.opt") }, QDir::Files, QDir::Name)) {
        // What a directory listing of the folder shows: no hidden files.
        if (FileExists(folder.filePath(name))) {
            names << name;
        }
    }
    return names;
}

QStringList optimizationModuleDescription(const QString& path)
{
    std::optional<SequentialReader> in = SequentialReader::open(path);
    QStringList lines;
    if (!in) {
        return lines;
    }
    try {
        while (lines.size() < kDescriptionLines && !in->atEnd()) {
            lines << in->readLine();
        }
    } catch (const VbError&) {
        // A module cut short shows what it has.
    }
    return lines;
}

