#pragma once
// The main window's map view: the map picture's redraw, extent, zoom and tools, and the loading of GIS layers and images.
#include "korvel/shell/main_form_part.h"
#include "korvel/shell/ports.h"

class MapView final : public MainFormPart, public MapViewPort
{
public:
    explicit MapView(MainForm& form);
    // The part of the main window, which must exist.
    static MapView& instance();
};
