#pragma once
// The main window's "Loaded Files" list: its rows, ticks, pop-up menus,
// colour boxes, deletion and drops, and the status bar's coordinate panels.
//
// The rows and menus are controls of the window (MainForm's ImageCheck,
// PopUpMenu_SHP, ...); the part creates their templates and the pop-up menus
// when the window is assembled and handles their events. Its procedures are
// spread over files by what they do: layer_list_panel.cpp (the templates and
// the panel's layout), layer_popup_menus.cpp, list_entries.cpp,
// layer_list_rebuild.cpp, layer_list_row_interaction.cpp,
// layer_list_sub_row_removal.cpp, layer_list_deletion.cpp,
// layer_list_colour_boxes.cpp, layer_list_coordinate_mode.cpp,
// layer_list_close_all.cpp, layer_list_popup_commands.cpp and
// layer_list_dropped_files.cpp.
#include "korvel/shell/main_form_part.h"
#include "korvel/shell/ports.h"

#include <QPoint>
#include <QString>
#include <QStringList>

class ControlDrag;
enum class LayerKind;
class QLabel;
class QWidget;
struct ViewEdges;

class LayerList final : public MainFormPart, public LayerListPort
{
public:
    explicit LayerList(MainForm& form);
    // The part of the main window, which must exist.
    static LayerList& instance();

    // --- Layout (layer_list_panel.cpp) ---
    // The "Loaded Files" panel at the window's right edge and its row templates.
    void ArrangeLayerList() override;
    // Stores with every loaded entry how much its caption is cut at the
    // present layout (the window's resize does it after the layout).
    void refitListCaptions() override;
    // 0 when the caption fits the list whole, else how many characters to cut
    // from its middle.
    int FitListCaption(const QString& Caption, bool SubEntry) override;

    // --- Rows the loaders add (list_entries.cpp) ---
    // The rows the loaders add, after they appended the record and raised
    // its counts. A row that exists already is only refreshed, so a caller
    // announcing a sub-item twice does no harm.
    void AddImageListEntry() override;
    void AddGISListEntry() override;
    // The row of the newest block, Blocks(BlockCount).
    void AddBlockListEntry() override;
    // The sub-row of the block's newest flight log, its last sub-row.
    void AddFlightListEntry(int Block) override;
    // The block's guidance sub-row, inserted as the block's first sub-row and ticked.
    void AddGuidanceListEntry(int Block) override;
    // The block's exclusion-zones sub-row ("Exclusion Zone" or "Exclusion Zones").
    void AddExclusionListEntry(int Block) override;

    // --- The rebuild (layer_list_rebuild.cpp) ---
    // Places, captions and shows every row from the data.
    void RefreshChecklist() override;
    void ChecklistScroll_Change();
    void ChecklistScroll_Scroll();

    // --- Ticks and presses (layer_list_row_interaction.cpp) ---
    void ImageCheck_Click(int Index);
    void GISCheck_Click(int Index);
    void AGCheck_Click(int Index);
    void Check3_Click(int Index);
    // Presses on row labels: Ctrl + right deletes, right opens the pop-up menu.
    void ImageCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void GISCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void AGCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y);
    // Ctrl + right on a block's sub-row unloads that item (layer_list_sub_row_removal.cpp).
    void CheckLabel3_MouseDown(int Index, int Button, int Shift, float X, float Y);
    // Reordering image and GIS rows by dragging one label onto another.
    void ImageCheckLabel_DragOver(int Index, QWidget* Source, float X, float Y, int State);
    void GISCheckLabel_DragOver(int Index, QWidget* Source, float X, float Y, int State);
    void ImageCheckLabel_DragDrop(int Index, QWidget* Source, float X, float Y);
    void GISCheckLabel_DragDrop(int Index, QWidget* Source, float X, float Y);
    void Picture1_DragOver(QWidget* Source, float X, float Y, int State);
    void Frame2_DragOver(QWidget* Source, float X, float Y, int State);

    // --- Removal of a whole item (layer_list_deletion.cpp) ---
    // DeleteAGNAV refuses, with its message, while guidance lines are
    // created or an exclusion zone is digitized in that block, and returns
    // whether it deleted.
    void DeleteImage(int Index);
    void DeleteSHP(int Index) override;
    bool DeleteAGNAV(int Index);

    // --- Colour boxes (layer_list_colour_boxes.cpp) ---
    void GISColorBox_DblClick(int Index);
    void AGColorBox_DblClick(int Index);
    void PickGISLayerColour(int Index);
    void PickAGNAVColour(int Index);

    // --- The ellipsoid and coordinate-mode panels of the status bar
    // (layer_list_coordinate_mode.cpp) ---
    void StatusBar1_MouseUp(int Button, int Shift, float X, float Y);
    void PopUp_EllipsoidList_Click(int Index);
    void StatusBar1_PanelClick(int Panel);

    // --- File > Close All Files, and the File menu's enabling (layer_list_close_all.cpp) ---
    void File_CloseAll_Click() override;
    void File_Menu_Click();

    // --- The rows' pop-up menus (layer_popup_menus.cpp, layer_list_popup_commands.cpp) ---
    // Every item acts on SelectedLayer. The SHP and AG-NAV menus prepare
    // their ticks and zone captions as they open.
    void PopUpMenu_SHP_Click();
    void PopUpMenu_AGNAV_Click();
    void PopUp_SHPThickNum_Click(int Index);
    void PopUp_AGNAVThickNum_Click(int Index);
    // Index 1, 2, 4 or 5: the layer is taken as lying in the zone of the
    // item's caption and re-projected into the map's zone (UTM mode only).
    void PopUp_SHPZoneNum_Click(int Index);
    void PopUp_SHPBuffer_Click();
    void PopUp_SHPColor_Click();
    void PopUp_AGNAVColor_Click();
    void PopUp_SHPZoom_Click();
    void PopUp_AGNAVZoom_Click();
    void PopUp_ImageDel_Click();
    void PopUp_SHPDel_Click();
    void PopUp_AGNAVDel_Click();
    void PopUp_ImageProps_Click();
    void PopUp_SHPProps_Click();
    void PopUp_AGNAVProps_Click();
    void PopUp_Georef_Click();
    // A double click on a block's label loads its guidance lines when their
    // file exists and they are not loaded yet.
    void AGCheckLabel_DblClick(int Index);
    // --- Files dropped from the desktop shell (layer_list_dropped_files.cpp) ---
    void Frame1_OLEDragDrop(const QStringList& Files);
    void Picture1_OLEDragDrop(const QStringList& Files);

private:
    // The row templates, the panel's controls and their wiring (layer_list_panel.cpp).
    void createLayerListTemplates();
    void createLayerListFrameControls();
    void connectLayerList();
    // The rows' pop-up menus and their items' wiring (layer_popup_menus.cpp).
    void createLayerPopUpMenus();
    // The rebuild's groups; each returns the Top of its last row.
    int placeImageRows(int rowHeight, int scroll);
    int placeGISRows(int rowHeight, int lastImageTop);
    void placeSeparator(int lastGISTop);
    void placeBlockRows(int rowHeight, int templateTop);
    // A row whose Top lies here is inside the panel's window and shown.
    bool insidePanelWindow(int top) const;
    // Makes the sub-row the counts have and the rows lack, at `position`.
    void insertSubRow(int position);
    // Unloads sub-row elements last, last - 1, ... (count of them).
    void removeSubRowControls(int last, int count);
    void endDigitizingTools();
    void rereadFolderSettings();
    // Highlights the label, selects the layer and shows the pop-up menu of its kind.
    void openRowPopUp(QLabel& label, int Index, LayerKind kind);
    void dispatchDragOver(QWidget* target, QWidget* source, QPoint position, int state);
    void dispatchDragDrop(QWidget* target, QWidget* source, QPoint position);
    void openDroppedFiles(const QStringList& files);
    // Repaints the list panel at once, and the floating list's while it is shown.
    void repaintLayerLists();
    // The properties dialog of the selected layer of a kind (1 image, 2 GIS
    // layer, 3 block), shown modally and released.
    void showLayerProperties(int kind);
    void zoomAfterModeSwitch(const ViewEdges& oldView, int direction);

    ControlDrag* m_rowDrag = nullptr; // reordering of image and GIS rows
};
