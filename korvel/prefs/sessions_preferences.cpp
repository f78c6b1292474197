// View > Preferences on the main window: the preferences dialog, shown
// modally on a tab and released afterwards, so every opening starts afresh.
#include "korvel/prefs/pref_form.h"
#include "korvel/prefs/sessions.h"
#include "platform/show_modal.h"

void Sessions::ShowPreferences(int StartTab)
{
    PrefForm& prefs = PrefForm::instance();
    prefs.StartTab = StartTab;
    ShowModal(prefs);
    PrefForm::release();
}
