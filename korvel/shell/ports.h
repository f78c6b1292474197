#pragma once
// The ports of the main window's parts: what one folder calls of another's
// part. Each is implemented by the part of its folder (korvel/map MapView,
// korvel/layers LayerList, ...); MainForm forwards each procedure under its
// own name, so a caller writes MainForm::instance().Graph(true) and needs
// neither the part's header nor its library. Everything else of a part is
// reached only inside its folder.

class MapViewPort
{
public:
    virtual ~MapViewPort() = default;
};

class QString;
struct GISLayer;

class LayerListPort
{
public:
    virtual ~LayerListPort() = default;

    // The "Loaded Files" panel at the window's right edge and its row templates.
    virtual void ArrangeLayerList() = 0;
    // Stores with every loaded entry how much its caption is cut at the
    // present layout (the window's resize does it after the layout).
    virtual void refitListCaptions() = 0;
    // 0 when the caption fits the list whole, else how many characters to cut
    // from its middle.
    virtual int FitListCaption(const QString& Caption, bool SubEntry) = 0;
    // The rows the loaders add, after they appended the record and raised
    // its counts. A row that exists already is only refreshed, so a caller
    // announcing a sub-item twice does no harm.
    virtual void AddImageListEntry() = 0;
    virtual void AddGISListEntry() = 0;
    // The row of the newest block, Blocks(BlockCount).
    virtual void AddBlockListEntry() = 0;
    // The sub-row of the block's newest flight log, its last sub-row.
    virtual void AddFlightListEntry(int Block) = 0;
    // The block's guidance sub-row, inserted as the block's first sub-row and ticked.
    virtual void AddGuidanceListEntry(int Block) = 0;
    // The block's exclusion-zones sub-row ("Exclusion Zone" or "Exclusion Zones").
    virtual void AddExclusionListEntry(int Block) = 0;
    // Places, captions and shows every row from the data.
    virtual void RefreshChecklist() = 0;
    // Removes the GIS layer at list position Index with its row.
    virtual void DeleteSHP(int Index) = 0;
    // File > Close All Files: empties the workspace.
    virtual void File_CloseAll_Click() = 0;
    // The GIS layer shown at list position `position`, or nullptr.
    virtual GISLayer* layerAtPosition(int position) = 0;
};

class AgnavPort
{
public:
    virtual ~AgnavPort() = default;
};

class GuidancePort
{
public:
    virtual ~GuidancePort() = default;
};

class StatisticsPort
{
public:
    virtual ~StatisticsPort() = default;
};

class MetPort
{
public:
    virtual ~MetPort() = default;
};

class SessionsPort
{
public:
    virtual ~SessionsPort() = default;
};

class GeoreferencingPort
{
public:
    virtual ~GeoreferencingPort() = default;
};
