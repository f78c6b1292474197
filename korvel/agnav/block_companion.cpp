#include "korvel/agnav/block_companion.h"

#include "platform/file_helpers.h"

#include <QFileInfo>
#include <algorithm>

namespace {

QString exactCompanion(const QString& boundaryPath, const QString& extension)
{
    return boundaryPath.left(std::max<qsizetype>(0, boundaryPath.size() - 3)) + extension.toLower();
}

} // namespace

QString blockCompanionPath(const QString& boundaryPath, const QString& extension)
{
    const QString exact = exactCompanion(boundaryPath, extension);
    if (QFileInfo(exact).isFile()) {
        return exact;
    }
    // findCompanionFile swaps the extension after the last point; that is the
    // same name whenever the boundary file has a three-letter extension.
    const QString name = QFileInfo(boundaryPath).fileName();
    if (name.size() > 4 && name.at(name.size() - 4) == u'.') {
        const QString found = findCompanionFile(boundaryPath, extension.toLower());
        if (!found.isEmpty()) {
            return found;
        }
    }
    return exact;
}

bool blockCompanionExists(const QString& boundaryPath, const QString& extension)
{
    return QFileInfo(blockCompanionPath(boundaryPath, extension)).isFile();
}
