#include "korvel/agnav/agnav_command_support.h"

#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/block_companion.h"
#include "platform/file_helpers.h"

#include <QRegularExpression>
#include <QStringList>

#include <functional>

namespace {

std::vector<int> blocksWhere(const std::function<bool(const AGNAVBlock&)>& wanted)
{
    std::vector<int> candidates(1, 0);
    const AgnavData& agnav = agnavData();
    for (int b = 1; b <= agnav.BlockCount && b < int(agnav.Blocks.size()); ++b) {
        if (wanted(agnav.Blocks[std::size_t(b)])) {
            candidates.push_back(b);
        }
    }
    return candidates;
}

constexpr qsizetype kLongestExcerpt = 40;
constexpr qsizetype kLongestDescription = 300;
const QString kCut = QStringLiteral("...");

// The text with every character a message box cannot show as "?".
QString printable(QString text)
{
    for (QChar& c : text) {
        if (!c.isPrint() || c == QChar::ReplacementCharacter) {
            c = u'?';
        }
    }
    return text;
}

// The first line of a text quoted from a file, shown, and cut short.
QString quotedExcerpt(const QString& text)
{
    const qsizetype lineEnd = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    const QString line = printable(lineEnd < 0 ? text : text.left(lineEnd));
    return line.size() > kLongestExcerpt ? line.left(kLongestExcerpt) + kCut : line;
}

} // namespace

std::vector<int> guidanceCandidates()
{
    return blocksWhere([](const AGNAVBlock& block) {
        return !block.GuidanceLoaded && blockCompanionExists(block.Path, QStringLiteral("xyz"));
    });
}

std::vector<int> exclusionCandidates()
{
    return blocksWhere([](const AGNAVBlock& block) {
        return !block.ExclusionLoaded && blockCompanionExists(block.Path, QStringLiteral("xcl"));
    });
}

std::vector<int> sprayDataCandidates()
{
    return blocksWhere([](const AGNAVBlock& block) {
        return !block.DataFolder.isEmpty() && FileExists(block.DataFolder + QStringLiteral("*.*"));
    });
}

QString blockLoadFailurePrompt(const QString& fileName, const QString& description)
{
    QStringList parts = description.split(u'"');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        // Odd parts stand between quotes: the file's own text.
        parts[i] = i % 2 ? quotedExcerpt(parts[i]) : printable(parts[i]);
    }
    QString readable = parts.join(u'"');
    if (readable.size() > kLongestDescription) {
        readable = readable.left(kLongestDescription) + kCut;
    }
    return QStringLiteral("KORVEL encountered the following error while\ropening '%1':\r\r     %2\r\r"
                          "Would you like to inspect this file in a text editor?")
        .arg(printable(fileName), readable);
}

QString textEditorFailureMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("%1 could not be opened in a text editor:\r%2").arg(path, reason);
}
