// Geo-referencing from the main window: Tools > "Geo-referencing" and the
// image pop-up's "Geo-reference" choose the image (CurrentImage) and come
// here to show the window.
#include "korvel/georef/georeferencing_entry.h"

#include "korvel/georef/georef_form.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/row_ticks.h"
#include "korvel/workspace/layer_records.h"
#include "platform/show_modal.h"

#include <QCheckBox>
#include <QPointer>

GeoreferencingEntry::GeoreferencingEntry(MainForm& form)
    : MainFormPart(form)
{
}

void GeoreferencingEntry::ShowGeoReferencing()
{
    const LayerData& layers = layerData();
    if (m_form.CurrentImage < 1 || m_form.CurrentImage > layers.ImageCount
        || m_form.CurrentImage >= int(layers.Images.size())) {
        return;
    }
    const int image = m_form.CurrentImage;
    QPointer<MainForm> self(&m_form);
    GeoRefForm& form = GeoRefForm::instance();
    ShowModal(form);
    const bool saved = form.saved();
    GeoRefForm::release();
    if (!self || !saved) {
        return;
    }
    // A saved geo-reference gives the image its place: its row can be
    // ticked now, and a ticked image is drawn where it lies.
    m_form.RefreshChecklist();
    for (int p = 1; p <= layers.ImageCount && p < int(layers.ImageOrder.size()); ++p) {
        if (layers.ImageOrder[size_t(p)] == image && rowTicked(m_form.ImageCheck, p)) {
            m_form.Graph(false);
            break;
        }
    }
}
