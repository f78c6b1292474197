#include "korvel/agnav/agnav_command_support.h"

#include "korvel/agnav/agnav_block.h"
#include "korvel/agnav/block_companion.h"
#include "platform/file_helpers.h"

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
    return QStringLiteral("KORVEL encountered the following error while\ropening '%1':\r\r     %2\r\r"
                          "Would you like to inspect this file with Notepad?")
        .arg(fileName, description);
}
