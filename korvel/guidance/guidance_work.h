#pragma once
// The main window's guidance work: the guidance frame's handlers, the creation, preview and save of a block's guidance lines.
#include "korvel/shell/main_form_part.h"
#include "korvel/shell/ports.h"

class GuidanceWork final : public MainFormPart, public GuidancePort
{
public:
    explicit GuidanceWork(MainForm& form);
    // The part of the main window, which must exist.
    static GuidanceWork& instance();
};
