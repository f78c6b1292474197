#pragma once
// The ports of the main window's parts: what one folder calls of another's
// part. Each is implemented by the part of its folder (korvel/map MapView,
// korvel/layers LayerList, ...); MainForm forwards each procedure under its
// own name, so a caller writes MainForm::instance().Graph(true) and needs
// neither the part's header nor its library. Everything else of a part is
// reached only inside its folder.
#include "korvel/workspace/agnav_outcome.h"

#include <QString>

class QRect;
class QWidget;
class RedrawInputGuard;

class MapViewPort
{
public:
    virtual ~MapViewPort() = default;

    // --- Map extent and zoom ---
    // Opens the extent boxes for typing, or (while they are open, or when a
    // caller set ExtentEntryMode) applies what they hold and locks them.
    virtual void ApplyMapExtent() = 0;
    // Index 0: all ticked GIS layers and blocks; otherwise the GIS layer at
    // list position Index (LayerType 1) or block Index (any other type).
    virtual void ZoomToLayers(int Index, int LayerType) = 0;
    virtual void ZoomToImages() = 0;
    virtual void Tools_Ruler_Click() = 0;
    // Empties the map picture of drawing and overlays when nothing is left loaded.
    virtual void ClearMapOverlays() = 0;
    // Gives the map picture a new place and size (the view modes and the
    // layout); the map keeps its units per pixel and its west and north edges.
    virtual void placeMapPicture(const QRect& geometry) = 0;
    // The pointer over the window's bare area, off the map and the controls.
    virtual void Form_MouseMove(int Button, int Shift, float X, float Y) = 0;

    // --- GIS shift tool ---
    virtual bool GISShiftPreviewShown() const = 0;
    // Removes the outline and hides the panel.
    virtual void HideGISShiftPanel() = 0;

    // --- Redraw ---
    virtual void Graph(bool FullRedraw) = 0;
    // The guard of the redraw under way, which a message box shown in the
    // middle of it stands down; nullptr when Graph is not drawing.
    virtual RedrawInputGuard* redrawInputGuard() const = 0;

    // --- Loading GIS layers and images ---
    virtual bool CheckGISFile(const QString& Path) = 0;
    virtual void OpenGISLayer(const QString& Path) = 0;
    virtual bool CheckImageFile(const QString& Path) = 0;
    // Raises VbError when the image cannot be loaded; the record is removed.
    virtual void LoadImageLayer(const QString& Path) = 0;
};

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
};

// korvel/agnav AgnavCommands: blocks and their companion files, spray data,
// new blocks and digitizing.
class AgnavPort
{
public:
    virtual ~AgnavPort() = default;

    // The map-wide switch between UTM and geographic coordinates for one
    // block (its boundary, guidance lines, exclusion zones and flights):
    // mode 1 from UTM, 2 back. Raises error 5 when the ellipsoid cannot.
    virtual void ConvertBlockCoords(int blockIndex, int mode) = 0;
    // Why ConvertBlockCoords would refuse the block, asked before the map
    // converts anything: no ellipsoid, or points out of the zone's reach.
    // Empty when it would convert it.
    virtual QString blockConversionRefusal(int blockIndex, int mode) = 0;

    // The check before a block boundary file is loaded (the File menu, a
    // dropped file, the command line, a session): it exists and no block
    // holds it yet. Says why not.
    virtual bool CheckAGNAVFile(const QString& Path) = 0;
    // A block from its boundary file with its list row, and outside a
    // session its guidance-line and exclusion-zone files when the AutoLoad
    // settings say so. A failure, the block's or a companion's, takes the
    // block back, shows the reason and offers to open the file; returns
    // whether the block was loaded.
    virtual bool LoadAGNAVBlock(const QString& Path) = 0;
    // The block pop-up menu's "Load Guidance File", "Load Exclusion Zones"
    // and "Load Spray Data"; its handler passes SelectedLayer.
    virtual void PopUp_OpenGuidance_Click(int Block) = 0;
    virtual void PopUp_OpenExclusion_Click(int Block) = 0;
    virtual void PopUp_OpenFlight_Click(int Block) = 0;
    // A block's guidance-line or exclusion-zone file with its list row
    // (nothing when already loaded); a failure is shown and returns false.
    virtual bool LoadGuidanceFile(int Block) = 0;
    virtual bool LoadExclusionFile(int Block) = 0;
    // A log may be loaded: it exists and no flight holds it yet (says so).
    virtual bool CheckFlightFileOpen(const QString& Path) = 0;
    // One log under the block with its list row, asking for the calibrated
    // speed of a log without flow data. False when it failed (shown); a
    // Cancel of the question loads nothing and returns true.
    virtual bool LoadFlightFile(int Block, const QString& Path) = 0;
    // Tools > Convert SHP to Boundary: the one polygon of a GIS layer
    // becomes a block through the job dialog, which writes its file.
    virtual void Tools_Convert_Click() = 0;
    // Each starts its mode or, while its item is ticked, ends it: the map's
    // right press calls them to end with the polygon placed.
    virtual void Tools_DigitizeBoundary_Click() = 0;
    virtual void Tools_DigitizeExclusion_Click() = 0;
    // The block pop-up's "Digitize Exclusion Zone": the zone of block
    // SelectedLayer, whose colour the segments take from the start.
    virtual void PopUp_DigitizeExclusion_Click() = 0;
    // Says why digitizing cannot start while the shift outline is shown.
    virtual bool shiftPreviewRefusesDigitizing() = 0;
    // Unloads DigitizeLine's elements above the template.
    virtual void removeDigitizedSegments() = 0;
};

class GuidancePort
{
public:
    virtual ~GuidancePort() = default;
    // Reads block Block's guidance-line file into the block, without its
    // list row: the companion a block loads with it.
    virtual AgnavOutcome readGuidanceFile(int Block) = 0;
    // Tools > Digitize AG-NAV > "Guidance Lines" when no creation is under
    // way: choose the block and begin.
    virtual void StartGuidanceCreation() = 0;
    // The block pop-up's "Digitize Guidance Lines": begins the creation in
    // block SelectedLayer, asking before lines already there are replaced.
    virtual void PopUp_DigitizeGuidance_Click() = 0;
    // The chosen boundary edge and the guidance lines being created, drawn
    // as overlays after the map.
    virtual void RefreshBlockLines(QWidget& OptionsForm) = 0;
    virtual void FitGuidanceLines() = 0;
    // Ends a guidance-line creation that may be under way (its panel, its
    // Tools menu tick) and sets SelectedBlock to 0.
    virtual void GuidanceCancel_Click() = 0;
    // What the layout puts into SwathText: the swath in use while lines are
    // being laid, else the stored default swath in the display unit.
    virtual QString guidanceSwathShown() const = 0;
};

class StatisticsPort
{
public:
    virtual ~StatisticsPort() = default;
    // Tools > Spray Statistics: StatForm shown modally, then released.
    virtual void ShowStatistics() = 0;
};

class MetPort
{
public:
    virtual ~MetPort() = default;
    // The meteorology panel's close button: stops the playback, closes the
    // panel and its window, drops the sources.
    virtual void CloseMet_Click() = 0;
    // The optimization overlay for the record met file MetIndex shows.
    virtual void Optimize(int& MetIndex) = 0;
};

class SessionsPort
{
public:
    virtual ~SessionsPort() = default;
    // File > Save Session; the shutdown request "KORVEL_Save_Shutdown" runs
    // it before it quits.
    virtual void File_SaveSession_Click() = 0;
    // File > Load Session (also Ctrl+O in the floating layer list), refused
    // while files are loaded.
    virtual void File_LoadSession_Click() = 0;
    // The preferences dialog on a tab (1 "Graphing" ... 6 "AG-NAV"), shown
    // modally and released.
    virtual void ShowPreferences(int StartTab) = 0;
    // Rebuilds the workspace from a session file into an empty workspace.
    virtual void LoadSession(const QString& Path) = 0;
};

class GeoreferencingPort
{
public:
    virtual ~GeoreferencingPort() = default;
    // The geo-referencing work: its modal window for Images(CurrentImage).
    virtual void ShowGeoReferencing() = 0;
};
