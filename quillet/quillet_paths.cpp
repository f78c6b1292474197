#include "quillet/quillet_paths.h"

#include <QCoreApplication>

namespace quillet {

namespace {

QString g_executableFolder; // empty: the running executable's

QString withSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

QString executableFolder()
{
    if (!g_executableFolder.isEmpty()) {
        return withSlash(g_executableFolder);
    }
    return withSlash(QCoreApplication::applicationDirPath());
}

void setExecutableFolder(const QString& folder)
{
    g_executableFolder = folder;
}

} // namespace quillet
