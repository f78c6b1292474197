#pragma once
// The main window's sessions and preferences: File > Load Session and Save Session, and the preferences dialog.
#include "korvel/shell/main_form_part.h"
#include "korvel/shell/ports.h"

class Sessions final : public MainFormPart, public SessionsPort
{
public:
    explicit Sessions(MainForm& form);
    // The part of the main window, which must exist.
    static Sessions& instance();
};
