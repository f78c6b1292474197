#include "korvel/layers/layer_list.h"

#include "korvel/shell/main_form.h"

LayerList::LayerList(MainForm& form)
    : MainFormPart(form)
{
}

LayerList& LayerList::instance()
{
    return static_cast<LayerList&>(MainForm::instance().layerList());
}
