#include "korvel/layers/layer_list.h"

#include "korvel/shell/main_form.h"

LayerList::LayerList(MainForm& form)
    : MainFormPart(form)
{
    // The rows' templates first, then the pop-up menus, which hang in the
    // window's hidden menu.
    createLayerListTemplates();
    createLayerPopUpMenus();
}

LayerList& LayerList::instance()
{
    return static_cast<LayerList&>(MainForm::instance().layerList());
}
