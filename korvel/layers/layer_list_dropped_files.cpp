// Files dropped from the desktop shell on the "Loaded Files" panel or on
// the map open one by one, in the order the shell gave them, by their
// extension, with the check and load of the File menu; a folder is refused
// with its message. A refused file does not stop the rest. The drop neither
// zooms nor redraws: the new layers show at the next redraw or zoom, and
// their new rows' ticks start no redraw of their own while the drop loads.
#include "korvel/layers/dropped_files.h"
#include "korvel/layers/layer_list.h"
#include "korvel/map/busy_while.h"
#include "korvel/shell/folder_refusal.h"
#include "korvel/shell/main_form.h"
#include "platform/file_helpers.h"
#include "platform/msg_box.h"
#include "platform/vb_error.h"

#include <QGroupBox>

void LayerList::Frame1_OLEDragDrop(const QStringList& Files)
{
    openDroppedFiles(Files);
}

void LayerList::Picture1_OLEDragDrop(const QStringList& Files)
{
    openDroppedFiles(Files);
}

void LayerList::openDroppedFiles(const QStringList& files)
{
    const BusyWhile quiet;
    for (const QString& path : files) {
        const DroppedFileKind kind = droppedFileKind(path);
        // A folder is no file to open, whatever its name: the user hears so.
        const bool folder = isFolder(path);
        if (kind == DroppedFileKind::Ignored && !folder) {
            continue;
        }
        m_form.activateWindow();
        m_form.repaint();
        if (refuseFolder(path)) {
            continue;
        }
        try {
            switch (kind) {
            case DroppedFileKind::Image:
                if (m_form.CheckImageFile(path)) {
                    m_form.LoadImageLayer(path);
                }
                break;
            case DroppedFileKind::GISLayer:
                if (m_form.CheckGISFile(path)) {
                    m_form.OpenGISLayer(path);
                }
                break;
            case DroppedFileKind::BlockBoundary:
                if (m_form.CheckAGNAVFile(path)) {
                    m_form.LoadAGNAVBlock(path);
                }
                break;
            case DroppedFileKind::Ignored:
                break;
            }
        } catch (const VbError& error) {
            // An image that cannot be read, the 256th layer of a kind: the
            // loader took its record back; the user learns why, and the
            // next file is tried.
            MsgBox(error.Description());
        }
        m_form.Frame1->repaint();
    }
}
