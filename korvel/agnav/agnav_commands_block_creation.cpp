// New blocks made on the main window: a digitized boundary the user wants
// saved, and Tools > "Convert SHP to Boundary", which turns the one polygon
// of a GIS layer into a block. Both ask for the boundary file's name, append
// the block (clockwise, with its area) and show the job dialog, which writes
// the file. Only a block whose file was written is listed; closing the job
// dialog without Accept takes the block back, and the GIS layer stays.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/agnav/agnav_field_checks.h"
#include "korvel/agnav/agnav_form.h"
#include "korvel/agnav/block_creation.h"
#include "korvel/agnav/block_loading.h"
#include "korvel/map/gis_layer_opening.h"
#include "korvel/map/map_pointer_modes.h"
#include "korvel/map/shape_plotting.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/selection_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/common_dialog.h"
#include "platform/msg_box.h"
#include "platform/show_modal.h"
#include "platform/vb_error.h"

namespace {

struct BoundaryFileDialog
{
    QString fileName; // offered at the start
    QString defaultExt;
    QString filter;
};

// The boundary file of a new block, asked for until its name will do: the
// job name it makes must suit the guidance system, and the file may not be
// a loaded block's. Empty on Cancel.
QString chooseBoundaryFile(QWidget* owner, BoundaryFileDialog request)
{
    for (;;) {
        CommonDialog dialog(owner);
        dialog.Flags = cdlOFNOverwritePrompt | cdlOFNHideReadOnly | cdlOFNNoLongNames;
        dialog.InitDir = mainSettings().AGNAVDir;
        dialog.FileName = request.fileName;
        dialog.CancelError = true;
        dialog.DefaultExt = request.defaultExt;
        dialog.DialogTitle = QStringLiteral("Save AGNAV block boundary as...");
        dialog.Filter = request.filter;
        dialog.FilterIndex = 1;
        if (!dialog.ShowSave()) {
            return {};
        }
        const QString path = dialog.FileName;
        QString refusal = jobNameRefusal(dialog.FileTitle);
        if (refusal.isEmpty() && blockPathLoaded(path)) {
            refusal = path
                + QStringLiteral("\r\ris the boundary file of a loaded block.\rPlease choose another name.");
        }
        if (refusal.isEmpty()) {
            return path;
        }
        MsgBox(refusal, vbExclamation);
        request.fileName = path;
    }
}

// The job dialog for the newest block, just appended. Accepted, the block
// (its file written) gets its list row; otherwise it is taken back.
bool finishCreatedBlock(MainForm& window, int blockIndex)
{
    AGNAVForm& job = AGNAVForm::instance();
    const bool accepted = ShowModal(job) == QDialog::Accepted;
    AGNAVForm::release();
    if (!accepted) {
        removeBlock(blockIndex);
        return false;
    }
    AGNAVBlock& block = blockAt(blockIndex);
    widenDataExtent(block.Boundary, mapState().MapEmpty);
    mapState().MapEmpty = false;
    block.CaptionTrim = window.FitListCaption(block.Path, false);
    block.DisplayName = captionWithCut(block.Path, block.CaptionTrim);
    window.AddBlockListEntry();
    return true;
}

} // namespace

void AgnavCommands::SaveDigitizedBoundary(const ShapeRecord& Vertices)
{
    const QString path = chooseBoundaryFile(
        &m_form, { QString(), QStringLiteral("NO1"), QStringLiteral("AGNAV Boundary File (*.NO1)|*.no1") });
    if (path.isEmpty()) {
        return;
    }
    const int blocksBefore = agnavData().BlockCount;
    try {
        const int b
            = appendCreatedBlock({ path, Vertices, pointerLineColour(mainSettings().PointerColour), 1 });
        if (finishCreatedBlock(m_form, b) && globals().ImmediateGraph) {
            m_form.Graph(false);
        }
    } catch (const VbError&) {
        // The caller reports the failure; the block must not stay behind.
        if (agnavData().BlockCount > blocksBefore) {
            removeLastBlock();
        }
        throw;
    }
}

void AgnavCommands::Tools_Convert_Click()
{
    const int layerCount = layerData().GISCount;
    if (layerCount < 1) {
        return; // the menu item is disabled then
    }
    int position = 1;
    if (layerCount > 1) {
        SelectionForm& chooser = SelectionForm::instance();
        chooser.Selection = 1;
        chooser.ListType = SelectionListGISLayers;
        const bool chosen = ShowModal(chooser) == QDialog::Accepted;
        position = chooser.Selection;
        SelectionForm::release();
        if (!chosen) {
            return;
        }
    }
    const GISLayer* layer = gisLayerAtPosition(position);
    if (!layer) {
        return;
    }
    if (const QString refusal = polygonConversionRefusal(*layer); !refusal.isEmpty()) {
        MsgBox(refusal);
        return;
    }
    const PolygonRing polygon = boundaryRingOfLayer(*layer);
    if (polygon.partCount > 1) {
        MsgBox(QStringLiteral("This polygon has %1 rings.\rIts first ring becomes the AGNAV boundary.")
                   .arg(polygon.partCount));
    }
    CreatedBlockSource source { QString(), polygon.ring, layer->Colours.empty() ? 0 : layer->Colours.front(),
        layer->Thickness };
    source.path = chooseBoundaryFile(&m_form,
        { boundaryFileNameForLayer(*layer), QStringLiteral("no1"),
            QStringLiteral("AGNAV Boundary File (*.no1)|*.no1") });
    if (source.path.isEmpty()) {
        return;
    }
    const int blocksBefore = agnavData().BlockCount;
    try {
        if (finishCreatedBlock(m_form, appendCreatedBlock(source))) {
            m_form.DeleteSHP(position);
            if (globals().ImmediateGraph) {
                m_form.Graph(false);
            }
        }
    } catch (const VbError& error) {
        if (agnavData().BlockCount > blocksBefore) {
            removeLastBlock();
        }
        MsgBox(QStringLiteral("Error: ") + error.Description());
    }
}
