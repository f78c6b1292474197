#include "korvel/workspace/list_rows.h"

#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "platform/vb_numbers.h"

#include <algorithm>

int subRowsBeforeFlights(const AGNAVBlock& block)
{
    return subRowsBeforeFlights(block.GuidanceLoaded, block.ExclusionLoaded);
}

int blockSubRowCount(const AGNAVBlock& block)
{
    return blockSubRowCount(block.GuidanceLoaded, block.ExclusionLoaded, block.FlightCount);
}

int subRowBase(int block)
{
    const AgnavData& agnav = agnavData();
    const int last = std::min<int>(block - 1, int(agnav.Blocks.size()) - 1);
    int base = 0;
    for (int b = 1; b <= last; ++b) {
        base += blockSubRowCount(agnav.Blocks[size_t(b)]);
    }
    return base;
}

int guidanceSubRow(int block)
{
    return subRowBase(block) + 1;
}

int subRowTotal()
{
    const AgnavData& agnav = agnavData();
    return agnav.GuidanceCount + agnav.ExclusionCount + agnav.FlightCount;
}

int listRowTotal()
{
    const LayerData& layers = layerData();
    return layers.ImageCount + layers.GISCount + agnavData().BlockCount + subRowTotal();
}

QString listRowLimitRefusal(int newRows)
{
    if (listRowTotal() + newRows <= MaxListRows) {
        return QString();
    }
    return QStringLiteral("The Loaded Files list cannot hold more than %1 rows.\r"
                          "Please close some files before loading more.")
        .arg(MaxListRows);
}

SubRowPlace locateSubRow(int index)
{
    const AgnavData& agnav = agnavData();
    int base = 0;
    for (int b = 1; b <= agnav.BlockCount && b < int(agnav.Blocks.size()); ++b) {
        const AGNAVBlock& block = agnav.Blocks[size_t(b)];
        const int rows = blockSubRowCount(block);
        if (index <= base + rows) {
            if (index <= base) {
                break;
            }
            SubRowPlace place = subRowOfBlock(block, index - base);
            place.block = b;
            return place;
        }
        base += rows;
    }
    return {};
}

SubRowPlace subRowOfBlock(const AGNAVBlock& block, int r)
{
    if (block.GuidanceLoaded && r == 1) {
        return { 0, SubRowKind::Guidance, 0 };
    }
    r -= block.GuidanceLoaded ? 1 : 0;
    if (block.ExclusionLoaded && r == 1) {
        return { 0, SubRowKind::Exclusion, 0 };
    }
    r -= block.ExclusionLoaded ? 1 : 0;
    return { 0, SubRowKind::Flight, r };
}

QString subRowCaption(const AGNAVBlock& block, SubRowKind kind, int flight)
{
    switch (kind) {
    case SubRowKind::Guidance:
        return QStringLiteral("Guidance Lines");
    case SubRowKind::Exclusion:
        return block.ExclusionZoneCount == 1 ? QStringLiteral("Exclusion Zone")
                                             : QStringLiteral("Exclusion Zones");
    case SubRowKind::Flight:
        break;
    }
    const QString name
        = flight >= 1 && flight < int(block.Flights.size()) ? block.Flights[size_t(flight)].Name : QString();
    return QStringLiteral("../") + block.DataSubfolder + name;
}

QString rowToolTip(const QString& displayName, const QString& path)
{
    return displayName.toLower() == path.toLower() ? QString() : path;
}

int hiddenRowCount(int totalRows, int frameHeight, int rowHeight, bool eightHundredScreen)
{
    if (rowHeight <= 0) {
        return 0;
    }
    const double room = eightHundredScreen ? double(frameHeight - 2 * rowHeight) / rowHeight
                                           : double(frameHeight - 2 - rowHeight) / rowHeight;
    // The runtime's rounding of a Single into a whole number: a half goes to
    // the even neighbour.
    const double hidden = roundHalfEven(double(totalRows) - room);
    return std::max(0, int(hidden));
}
