// The loop the File menu's "Load GIS Layer" and "Load Image" share: the
// files chosen in the dialog, each checked and loaded in turn with the
// redraws of their new rows' ticks held back, then a zoom to the new data
// when the map was empty.
#include "korvel/map/map_view.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/file_helpers.h"
#include "platform/msg_box.h"
#include "platform/vb_error.h"

#include <QGroupBox>

void MapView::loadChosenFiles(const QStringList& paths, QString& folder, FileCheck check, FileLoad load,
    const std::function<void()>& zoomToNewData)
{
    RedrawState& redraw = redrawState();
    if (!paths.isEmpty()) {
        folder = folderOfFile(paths.first());
        m_form.repaint();
        redraw.Busy = true;
        const bool mapWasEmpty = mapState().MapEmpty;
        try {
            for (const QString& path : paths) {
                if ((this->*check)(path)) {
                    (this->*load)(path);
                }
                if (paths.size() > 1) {
                    m_form.Frame1->repaint();
                }
            }
            if (mapWasEmpty) {
                zoomToNewData();
            }
        } catch (const VbError& error) {
            // The 256th layer or image, a file whose header cannot be read:
            // the files not yet loaded stay unloaded, the view is not
            // zoomed, and the user learns why.
            MsgBox(error.Description());
        }
    }
    redraw.Busy = false;
}
