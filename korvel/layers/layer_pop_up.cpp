#include "korvel/layers/layer_pop_up.h"
#include <QtGlobal>

void ShowLayerPopUp(LayerKind kind)
{
    // The pop-up menus of the image, shapefile and block rows are built by
    // the layer pop-up work; until then a right click only selects the row.
    Q_UNUSED(kind);
}
