// The folders' layout order read from the source tree: a folder includes
// only folders before it. A header-only include of a later folder links
// without complaint, so only this reading finds it.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

// platform and registry at the top of the tree, the rest under korvel/.
const QStringList kLayout { "platform", "registry", "workspace", "shell", "map", "layers", "agnav",
    "guidance", "statistics", "met", "prefs", "georef", "app" };

// The folder a path from the repository root names ("korvel/map/x.h" is
// map), or "" for one outside the layout (Qt, tests, the other programs).
QString folderOf(const QString& path)
{
    const QStringList parts = path.split('/');
    if (parts.size() > 2 && parts[0] == "korvel") {
        return parts[1];
    }
    return parts.size() > 1 && (parts[0] == "platform" || parts[0] == "registry") ? parts[0] : QString();
}

// "file:line includes ..." for every include of the file that names a
// folder after `own` in the layout, or a folder the layout lacks; `seen`
// counts the includes of layout folders read.
QStringList upwardIncludes(const QString& root, const QString& file, qsizetype own, int& seen)
{
    static const QRegularExpression include(R"(^\s*#\s*include\s*["<]([^">]+)[">])");
    QFile source(root + file);
    if (!source.open(QIODevice::ReadOnly)) {
        return { file + " cannot be read" };
    }
    QStringList found;
    int line = 0;
    while (!source.atEnd()) {
        ++line;
        const QRegularExpressionMatch match = include.match(QString::fromUtf8(source.readLine()));
        const QString target = match.hasMatch() ? folderOf(match.captured(1)) : QString();
        seen += !target.isEmpty();
        if (!target.isEmpty() && kLayout.indexOf(target) > own) {
            found << QStringLiteral("%1:%2 includes %3").arg(file).arg(line).arg(match.captured(1));
        } else if (!target.isEmpty() && kLayout.indexOf(target) < 0) {
            found << QStringLiteral("%1:%2 includes %3, outside the layout")
                         .arg(file)
                         .arg(line)
                         .arg(match.captured(1));
        }
    }
    return found;
}

TEST(LayoutOrder, NoFileIncludesAFolderAfterItsOwn)
{
    const QString root = QStringLiteral(KORVEL_TEST_SOURCE_DIR "/");
    QStringList violations;
    int files = 0;
    int includes = 0;
    for (const char* top : { "platform", "registry", "korvel" }) {
        QDirIterator it(
            root + QLatin1String(top), { "*.h", "*.cpp" }, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next().mid(root.size());
            const QString own = folderOf(file);
            if (kLayout.indexOf(own) < 0) {
                violations << file + " lies in a folder outside the layout";
                continue;
            }
            ++files;
            violations << upwardIncludes(root, file, kLayout.indexOf(own), includes);
        }
    }
    EXPECT_GT(files, 300) << "the tree was not found under " << root.toStdString();
    EXPECT_GT(includes, 2 * files) << "the includes were not recognised";
    EXPECT_TRUE(violations.isEmpty()) << violations.join('\n').toStdString();
}

} // namespace
