#pragma once
// The ports of the main window's parts: what one folder calls of another's
// part. Each is implemented by the part of its folder (korvel/map MapView,
// korvel/layers LayerList, ...); MainForm forwards each procedure under its
// own name, so a caller writes MainForm::instance().Graph(true) and needs
// neither the part's header nor its library. Everything else of a part is
// reached only inside its folder.

class QRect;
class QString;
class RedrawInputGuard;
struct ViewEdges;

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
    virtual void writeExtentBoxes(double west, double south, double east, double north) = 0;
    // The four boxes as numbers; a box that holds none stands for the map's edge.
    virtual ViewEdges boxedExtent() const = 0;
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
