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

QString optimizationModulePath(const QString& rootDir, const QString& fileName)
{
    return rootDir + QStringLiteral("optimization/") + fileName;
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

OptimizationModuleRead readOptimizationModule(const QString& path)
{
    OptimizationModuleRead read;
    QString error;
    std::optional<SequentialReader> in = SequentialReader::open(path, &error);
    if (!in) {
        read.error = QStringLiteral("The optimization module \"%1\" cannot be read: %2").arg(path, error);
        return read;
    }
    try {
        for (int line = 0; line < 5; ++line) {
            in->readLine();
        }
        for (float& c : read.coefficients) {
            c = in->readSingle();
        }
    } catch (const VbError& e) {
        read.error = QStringLiteral("The optimization module \"%1\" cannot be read: %2").arg(path, e.Description());
    }
    return read;
}
