#include "korvel/workspace/block_companion.h"

#include "platform/file_helpers.h"

#include <QFileInfo>

namespace {

// The position of the point that starts the file name's extension, or -1.
// A leading point makes a hidden name, not an extension.
qsizetype extensionPoint(const QString& path)
{
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    const qsizetype point = path.lastIndexOf(u'.');
    return point > nameStart ? point : -1;
}

bool sameExtension(const QString& boundaryPath, const QString& extension)
{
    const qsizetype point = extensionPoint(boundaryPath);
    return point >= 0 && boundaryPath.mid(point + 1).compare(extension, Qt::CaseInsensitive) == 0;
}

QString exactCompanion(const QString& boundaryPath, const QString& extension)
{
    const qsizetype point = extensionPoint(boundaryPath);
    const QString stem = point >= 0 ? boundaryPath.left(point) : boundaryPath;
    return stem + u'.' + extension.toLower();
}

} // namespace

QString blockCompanionRefusal(const QString& boundaryPath, const QString& extension)
{
    if (!sameExtension(boundaryPath, extension)) {
        return {};
    }
    const QString kind = extension.compare(QStringLiteral("xcl"), Qt::CaseInsensitive) == 0
        ? QStringLiteral("exclusion-zone")
        : QStringLiteral("guidance-line");
    const qsizetype point = extensionPoint(boundaryPath);
    return QStringLiteral("The %1 file of %2 would be %2 itself, which holds the boundary; it is neither "
                          "read nor written. Rename the boundary file (for example to %3) to keep both.")
        .arg(kind, boundaryPath, QFileInfo(boundaryPath.left(point)).fileName() + QStringLiteral(".no1"));
}

QString blockCompanionPath(const QString& boundaryPath, const QString& extension)
{
    if (boundaryPath.isEmpty() || sameExtension(boundaryPath, extension)) {
        return {};
    }
    const QString exact = exactCompanion(boundaryPath, extension);
    if (QFileInfo(exact).isFile()) {
        return exact;
    }
    const QString found = findCompanionFile(exact, extension.toLower());
    return found.isEmpty() ? exact : found;
}

bool blockCompanionExists(const QString& boundaryPath, const QString& extension)
{
    const QString path = blockCompanionPath(boundaryPath, extension);
    return !path.isEmpty() && QFileInfo(path).isFile();
}
