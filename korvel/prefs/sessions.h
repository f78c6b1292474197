#pragma once
// The main window's sessions and preferences: File > Load Session and Save Session, and the preferences
// dialog.
#include "korvel/shell/main_form_part.h"
#include "korvel/shell/ports.h"

#include <QString>

#include <vector>

struct SessionRowTick;

class Sessions final : public MainFormPart, public SessionsPort
{
public:
    explicit Sessions(MainForm& form);
    // The part of the main window, which must exist.
    static Sessions& instance();

    // File > Save Session; the shutdown request "KORVEL_Save_Shutdown" runs
    // it before it quits (sessions_save.cpp).
    void File_SaveSession_Click() override;
    // File > Load Session (also Ctrl+O in the floating layer list), refused
    // while files are loaded (sessions_load.cpp).
    void File_LoadSession_Click() override;
    // Rebuilds the workspace from a session file into an empty workspace.
    void LoadSession(const QString& Path) override;
    // Ticks the list's rows as a reloaded session stored them (the tick
    // states of entries the reload left out are not among them).
    void RestoreSessionCheckStates(const std::vector<SessionRowTick>& Ticks);
    // The preferences dialog on a tab (1 "Graphing" ... 6 "AG-NAV"), shown
    // modally and released (sessions_preferences.cpp).
    void ShowPreferences(int StartTab) override;
};
