#pragma once
// The main window's AG-NAV commands: loading blocks with their guidance, exclusion and flight files, new blocks, and digitizing.
#include "korvel/shell/main_form_part.h"
#include "korvel/shell/ports.h"

class AgnavCommands final : public MainFormPart, public AgnavPort
{
public:
    explicit AgnavCommands(MainForm& form);
    // The part of the main window, which must exist.
    static AgnavCommands& instance();
};
