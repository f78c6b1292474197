#include "korvel/map/map_view.h"

#include "korvel/map/gis_shift_panel.h"
#include "korvel/shell/main_form.h"

MapView::MapView(MainForm& form)
    : MainFormPart(form)
{
    createMapView();
    connectGisShift();
}

MapView::~MapView()
{
    // The panel is a window of the frame, which outlives its parts; it goes
    // with the part whose procedures its buttons call.
    delete m_gisShiftPanel;
}

MapView& MapView::instance()
{
    return of(MainForm::instance());
}

MapView& MapView::of(MainForm& form)
{
    return static_cast<MapView&>(form.mapView());
}
