#include "korvel/map/map_view.h"

#include "korvel/shell/main_form.h"

MapView::MapView(MainForm& form)
    : MainFormPart(form)
{
}

MapView& MapView::instance()
{
    return static_cast<MapView&>(MainForm::instance().mapView());
}
