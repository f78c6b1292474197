// Removal of one image, GIS layer or AG-NAV block with its rows: the record
// goes from memory (its files stay on disk), the rows below move up with
// their ticks, the last row's controls go, and the list is rebuilt. When the
// item was shown, the next redraw starts from scratch; with ImmediateGraph it
// comes at once. Nothing is asked: a caller that wants a question asks first.
#include "korvel/layers/layer_list.h"
#include "korvel/layers/layer_removal.h"
#include "korvel/map/busy_while.h"
#include "korvel/map/image_cache.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/row_ticks.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/list_rows.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/msg_box.h"
#include "platform/status_bar.h"

#include <QCheckBox>
#include <QLabel>

namespace {

// Moves the ticks of rows first + 1 .. last up one place each.
void moveTicksUp(ControlArray<QCheckBox>& checks, int first, int last)
{
    for (int i = first; i < last; ++i) {
        QCheckBox* check = checks.at(i);
        const QCheckBox* next = checks.at(i + 1);
        if (check && next) {
            check->setChecked(next->isChecked());
        }
    }
}

template <class T> void unloadIfLoaded(ControlArray<T>& array, int index)
{
    if (array.exists(index) && index > 0) {
        array.unload(index);
    }
}

// Whether anything of the block was drawn at the last redraw.
bool blockShown(const AGNAVBlock& block)
{
    if (block.Visible || (block.GuidanceLoaded && block.Guidance.Visible)
        || (block.ExclusionLoaded && block.ExclusionVisible)) {
        return true;
    }
    for (int f = 1; f <= block.FlightCount && f < int(block.Flights.size()); ++f) {
        if (block.Flights[size_t(f)].Visible) {
            return true;
        }
    }
    return false;
}

// The image files still loaded, whose decoded pictures stay cached.
QStringList loadedImagePaths()
{
    const LayerData& layers = layerData();
    QStringList paths;
    for (int i = 1; i <= layers.ImageCount && i < int(layers.Images.size()); ++i) {
        paths << layers.Images[size_t(i)].Path;
    }
    return paths;
}

} // namespace

void LayerList::DeleteImage(int Index)
{
    const int count = layerData().ImageCount;
    if (Index < 1 || Index > count) {
        return;
    }
    const bool shown = rowTicked(m_form.ImageCheck, Index);
    if (shown) {
        redrawState().LayerRemoved = true;
    }
    removeImageAtPosition(Index);
    {
        const BusyWhile quiet;
        moveTicksUp(m_form.ImageCheck, Index, count);
    }
    unloadIfLoaded(m_form.ImageCheckLabel, count);
    unloadIfLoaded(m_form.ImageCheck, count);
    forgetPicturesExcept(loadedImagePaths());
    RefreshChecklist();
    if (shown && globals().ImmediateGraph) {
        m_form.Graph(true);
    }
}

void LayerList::DeleteSHP(int Index)
{
    const int count = layerData().GISCount;
    if (Index < 1 || Index > count) {
        return;
    }
    const bool shown = rowTicked(m_form.GISCheck, Index);
    if (shown) {
        redrawState().LayerRemoved = true;
    }
    m_form.StatusBar1->setPanelText(6, QStringLiteral("Adjusting memory contents..."));
    {
        const BusyWhile quiet;
        moveTicksUp(m_form.GISCheck, Index, count);
    }
    unloadIfLoaded(m_form.GISColorBox, count);
    unloadIfLoaded(m_form.GISCheckLabel, count);
    unloadIfLoaded(m_form.GISCheck, count);
    m_form.StatusBar1->setPanelText(6, QStringLiteral("Freeing memory..."));
    removeGISLayerAtPosition(Index);
    m_form.StatusBar1->setPanelText(6, QString());
    RefreshChecklist();
    if (shown && globals().ImmediateGraph) {
        m_form.Graph(true);
    }
}

bool LayerList::DeleteAGNAV(int Index)
{
    AgnavData& agnav = agnavData();
    if (Index < 1 || Index > agnav.BlockCount || Index >= int(agnav.Blocks.size())) {
        return false;
    }
    // The guidance-line creation and the exclusion digitizing write into
    // their block when they end; with the block gone they would write into
    // whichever block took its number.
    if (m_form.SelectedBlock == Index) {
        MsgBox(QStringLiteral("You are currently digitizing guidance lines within this block.\r"
                              "Please accept or cancel the digitizing before deleting the block."));
        return false;
    }
    const AGNAVBlock& block = agnav.Blocks[size_t(Index)];
    const bool shown = blockShown(block);
    if (shown) {
        redrawState().LayerRemoved = true;
    }
    const int count = agnav.BlockCount;
    const int ownRows = blockSubRowCount(block);
    const int allRows = subRowTotal();
    const int base = subRowBase(Index);
    {
        const BusyWhile quiet;
        // The later blocks' sub-rows and the later blocks' rows move up with
        // their ticks.
        for (int i = base + 1; i <= allRows - ownRows; ++i) {
            QCheckBox* check = m_form.Check3.at(i);
            const QCheckBox* next = m_form.Check3.at(i + ownRows);
            if (check && next) {
                check->setChecked(next->isChecked());
            }
        }
        moveTicksUp(m_form.AGCheck, Index, count);
    }
    removeSubRowControls(allRows, ownRows);
    unloadIfLoaded(m_form.AGColorBox, count);
    unloadIfLoaded(m_form.AGCheckLabel, count);
    unloadIfLoaded(m_form.AGCheck, count);
    if (m_form.GISShiftPreviewShown() && m_form.ShiftBlock == Index) {
        m_form.HideGISShiftPanel();
    }
    removeBlock(Index);
    // Block numbers above the removed one fall by one; the tools that hold
    // one must follow, or they would go on with the next block.
    if (m_form.SelectedBlock > Index) {
        --m_form.SelectedBlock;
    }
    if (m_form.ShiftBlock > Index) {
        --m_form.ShiftBlock;
    }
    RefreshChecklist();
    if (shown && globals().ImmediateGraph) {
        m_form.Graph(true);
    }
    return true;
}
