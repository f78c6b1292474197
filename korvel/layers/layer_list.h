#pragma once
// The main window's "Loaded Files" list: its rows, ticks, pop-up menus, colour boxes, deletion and drops, and the status bar's coordinate panels.
#include "korvel/shell/main_form_part.h"
#include "korvel/shell/ports.h"

class LayerList final : public MainFormPart, public LayerListPort
{
public:
    explicit LayerList(MainForm& form);
    // The part of the main window, which must exist.
    static LayerList& instance();
};
