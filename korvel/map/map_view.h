#pragma once
// The main window's map view: the map picture's redraw, extent, zoom and
// tools, and the loading of GIS layers and images. Its procedures are spread
// over files by what they do: map_view_overlays.cpp (the line controls over
// the map and the wiring of the map's controls), map_view_extent.cpp,
// map_view_pointer.cpp, map_view_redraw.cpp, map_view_agnav_drawing.cpp,
// map_view_gis_shift.cpp, map_view_file_loading.cpp, map_view_gis_opening.cpp
// and map_view_image_loading.cpp. What other folders call of it is its port,
// MapViewPort, which the main window forwards under the same names.
#include "korvel/shell/main_form_part.h"
#include "korvel/shell/ports.h"

#include <QSize>
#include <QStringList>

#include <functional>

class ExtentUnion;
class GISShiftPanel;
class QRect;
class QString;
class RedrawInputGuard;
struct PointerModes;
struct RedrawItems;
struct ViewEdges;

class MapView final : public MainFormPart, public MapViewPort
{
public:
    // Lays the overlays over the map picture and connects the map's controls
    // and menu items.
    explicit MapView(MainForm& form);
    ~MapView() override;
    // The part of the main window, which must exist.
    static MapView& instance();
    // The part of `form`: what later folders call on the window they work on.
    static MapView& of(MainForm& form);

    // --- Map extent, zoom and toolbar (map_view_extent.cpp) ---
    // Opens the extent boxes for typing, or (while they are open, or when a
    // caller set ExtentEntryMode) applies what they hold and locks them.
    void ApplyMapExtent() override;
    // Index 0: all ticked GIS layers and blocks; otherwise the GIS layer at
    // list position Index (LayerType 1) or block Index (any other type).
    void ZoomToLayers(int Index, int LayerType) override;
    void ZoomToImages() override;
    void Toolbar_ButtonClick(int Index);
    // The same for a press of the zoom window's toolbar, whose own "Custom
    // Zoom" button (3) is the one pressed (CustomZoomValue 1) or released.
    void Toolbar_ButtonClick(int Index, int CustomZoomValue);
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void Text4_Change();
    void Text1_GotFocus();
    void Text2_GotFocus();
    void Text3_GotFocus();
    void Text4_GotFocus();
    void Text1_LostFocus();
    void Text2_LostFocus();
    void Text3_LostFocus();
    void Text4_LostFocus();
    void Tools_Ruler_Click() override;
    void Tools_Digitize_Click();
    // Empties the map picture of drawing and overlays when nothing is left loaded.
    void ClearMapOverlays() override;
    void writeExtentBoxes(double west, double south, double east, double north);
    // The four boxes as numbers; a box that holds none stands for the map's edge.
    ViewEdges boxedExtent() const;
    // Gives the map picture a new place and size (the view modes and the
    // layout); the map keeps its units per pixel and its west and north edges.
    void placeMapPicture(const QRect& geometry) override;

    // --- The map picture's mouse events and the map tools
    // (map_view_pointer.cpp) ---
    void Picture1_MouseDown(int Button, int Shift, float X, float Y);
    void Picture1_MouseMove(int Button, int Shift, float X, float Y);
    void Picture1_MouseUp(int Button, int Shift, float X, float Y);
    void Picture1_DblClick();
    // The pointer over the window's bare area, off the map and the controls.
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;

    // --- GIS shift tool (map_view_gis_shift.cpp) ---
    void Tools_GIS_Shift_Click();
    // Shift button 1 north, 2 east, 3 south, 4 west, by one step.
    void OnGISShiftChange(int Index);
    void OnGISShiftStepXChange();
    void OnGISShiftStepYChange();
    // Back to offset 0, 0.
    void OnGISShiftRedraw();
    void DrawGISShiftPreview();
    bool GISShiftPreviewShown() const override;
    // Removes the outline and hides the panel.
    void HideGISShiftPanel() override;
    // The tool's panel, created on first use.
    GISShiftPanel& gisShiftPanel();

    // --- Redraw (map_view_redraw.cpp) ---
    void Graph(bool FullRedraw) override;
    // True when an item drawn at the last redraw is no longer ticked.
    bool CountVisibleLayers();
    void GraphButton_Click();
    void DrawSHPData(int& Start);
    // Guidance lines, exclusion zones, spray tracks and boundaries of every
    // block, the top group of the map (map_view_agnav_drawing.cpp).
    void DrawAGNAVBlock(int& FirstBlock);
    RedrawInputGuard* redrawInputGuard() const override { return m_inputGuard; }

    // --- Loading GIS layers and images (map_view_gis_opening.cpp,
    // map_view_image_loading.cpp) ---
    void File_OpenGIS_Click();
    bool CheckGISFile(const QString& Path) override;
    void OpenGISLayer(const QString& Path) override;
    void File_OpenBMP_Click();
    bool CheckImageFile(const QString& Path) override;
    // Raises VbError when the image cannot be loaded; the record is removed.
    void LoadImageLayer(const QString& Path) override;

private:
    // The map view's overlays and wiring (map_view_overlays.cpp).
    void createMapView();
    void createMapOverlays();
    void connectMapView();
    // Wires the GIS shift item.
    void connectGisShift();
    // The map picture's mouse events (map_view_pointer.cpp).
    void connectPointerEvents();
    PointerModes pointerModes() const;

    // The File menu's loading of GIS layers and images (map_view_file_loading.cpp):
    // every chosen file that passes `check` is loaded with `load` while Busy
    // is set, and `zoomToNewData` runs when the map was empty before. The
    // first chosen file's folder goes into `folder`; Busy ends False. An
    // error ends the loading and is shown.
    using FileCheck = bool (MapView::*)(const QString&);
    using FileLoad = void (MapView::*)(const QString&);
    void loadChosenFiles(const QStringList& paths, QString& folder, FileCheck check, FileLoad load,
        const std::function<void()>& zoomToNewData);

    // Map extent helpers (map_view_extent.cpp).
    // Opens the boxes on the extent (the boxes' own edges when nothing was
    // added to it), applies them and redraws: the end of every zoom command.
    void zoomToExtent(const ExtentUnion& extent);
    void setExtentBoxesOpen(bool open);
    void validateExtentBox(int box);
    double mapEdge(int box) const;
    // Locked boxes show the picture's edges (plain number text).
    void showPictureEdgesInBoxes();

    // Redraw helpers (map_view_redraw.cpp).
    void hideRedrawOverlays();
    RedrawItems redrawItems() const;
    void recordDrawnState();
    void drawImageLayers(int first);
    void drawGuidanceOverlays();

    QSize m_lastMapClientSize; // the map picture's client area the last time it had one
    bool m_redrawing = false; // Graph is drawing
    bool m_redrawAgain = false; // Graph was asked for while drawing
    bool m_redrawAgainFull = false;
    RedrawInputGuard* m_inputGuard = nullptr; // while Graph draws
    GISShiftPanel* m_gisShiftPanel = nullptr;
    bool m_gisShiftOpen = false; // the shift outline is shown
};
