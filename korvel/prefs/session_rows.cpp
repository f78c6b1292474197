#include "korvel/prefs/session_rows.h"

#include "korvel/workspace/block_companion.h"

namespace {

SessionRows sized(const SessionFile& session, bool listed)
{
    SessionRows rows;
    rows.images.assign(size_t(session.Images.size()), listed);
    rows.gisLayers.assign(session.GISLayers.size(), listed);
    for (const SessionBlockEntry& entry : session.Blocks) {
        SessionBlockRows block;
        block.block = listed;
        block.guidance = listed && entry.GuidanceLoaded;
        block.exclusion = listed && entry.ExclusionLoaded;
        block.flights.assign(size_t(entry.Flights.size()), listed);
        rows.blocks.push_back(block);
    }
    return rows;
}

// Drops the entries whose file is missing, asking about each; false when
// the user abandons.
bool dropMissing(const QStringList& paths, std::vector<bool>& keep, const FileProbe& exists,
    const MissingFileQuestion& goOnWithout)
{
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (!exists(paths[i])) {
            if (!goOnWithout(paths[i])) {
                return false;
            }
            keep[size_t(i)] = false;
        }
    }
    return true;
}

// A flagged companion file of a block that has gone: asked about, and left out.
bool dropMissingCompanion(const QString& blockPath, const QString& extension, bool& flag,
    const FileProbe& exists, const MissingFileQuestion& goOnWithout)
{
    if (!flag) {
        return true;
    }
    const QString companion = blockCompanionPath(blockPath, extension);
    if (companion.isEmpty()) {
        // The block can have no such file (its own extension is that one).
        flag = false;
        return true;
    }
    if (exists(companion)) {
        return true;
    }
    flag = false;
    return goOnWithout(companion);
}

} // namespace

SessionRows SessionRows::asListed(const SessionFile& session)
{
    return sized(session, true);
}

SessionRows SessionRows::none(const SessionFile& session)
{
    return sized(session, false);
}

bool dropMissingSessionFiles(const SessionFile& session, const FileProbe& exists,
    const MissingFileQuestion& goOnWithout, SessionRows& keep)
{
    keep = SessionRows::asListed(session);
    if (!dropMissing(session.Images, keep.images, exists, goOnWithout)) {
        return false;
    }
    QStringList gisPaths;
    for (const SessionGISEntry& layer : session.GISLayers) {
        gisPaths << layer.Path;
    }
    if (!dropMissing(gisPaths, keep.gisLayers, exists, goOnWithout)) {
        return false;
    }
    for (size_t b = 0; b < session.Blocks.size(); ++b) {
        const SessionBlockEntry& entry = session.Blocks[b];
        SessionBlockRows& rows = keep.blocks[b];
        if (!exists(entry.Path)) {
            rows = SessionBlockRows { false, false, false, std::vector<bool>(rows.flights.size(), false) };
            if (!goOnWithout(entry.Path)) {
                return false;
            }
            continue;
        }
        if (!dropMissingCompanion(entry.Path, QStringLiteral("xyz"), rows.guidance, exists, goOnWithout)
            || !dropMissingCompanion(
                entry.Path, QStringLiteral("xcl"), rows.exclusion, exists, goOnWithout)) {
            return false;
        }
        for (qsizetype f = 0; f < entry.Flights.size(); ++f) {
            rows.flights[size_t(f)] = exists(entry.Flights[f]);
        }
    }
    return true;
}

std::vector<SessionRowTick> sessionRowTicks(const SessionFile& session, const SessionRows& loaded)
{
    std::vector<SessionRowTick> ticks;
    size_t state = 0;
    // Takes the next stored state; the rows of entries that were not loaded
    // use theirs up without a row.
    const auto next = [&](bool hasRow, SessionRowKind kind, int& counter) {
        const int value = state < session.CheckStates.size() ? session.CheckStates[state] : 0;
        ++state;
        if (hasRow) {
            ticks.push_back({ kind, ++counter, value });
        }
    };
    int images = 0;
    for (bool row : loaded.images) {
        next(row, SessionRowKind::Image, images);
    }
    int layers = 0;
    for (bool row : loaded.gisLayers) {
        next(row, SessionRowKind::GISLayer, layers);
    }
    int blocks = 0;
    for (const SessionBlockRows& rows : loaded.blocks) {
        next(rows.block, SessionRowKind::Block, blocks);
    }
    int subRows = 0;
    for (size_t b = 0; b < session.Blocks.size() && b < loaded.blocks.size(); ++b) {
        const SessionBlockEntry& entry = session.Blocks[b];
        const SessionBlockRows& rows = loaded.blocks[b];
        if (entry.GuidanceLoaded) {
            next(rows.block && rows.guidance, SessionRowKind::SubRow, subRows);
        }
        if (entry.ExclusionLoaded) {
            next(rows.block && rows.exclusion, SessionRowKind::SubRow, subRows);
        }
        for (size_t f = 0; f < size_t(entry.Flights.size()); ++f) {
            next(rows.block && f < rows.flights.size() && rows.flights[f], SessionRowKind::SubRow, subRows);
        }
    }
    return ticks;
}
