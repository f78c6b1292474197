#pragma once
// The main window's meteorology: the Tools > Meteorology commands, the panel with its compass and playback, and the optimization overlay.
#include "korvel/shell/main_form_part.h"
#include "korvel/shell/ports.h"

class MetPanel final : public MainFormPart, public MetPort
{
public:
    explicit MetPanel(MainForm& form);
    // The part of the main window, which must exist.
    static MetPanel& instance();
};
