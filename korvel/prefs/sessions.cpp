#include "korvel/prefs/sessions.h"

#include "korvel/shell/main_form.h"

Sessions::Sessions(MainForm& form)
    : MainFormPart(form)
{
}

Sessions& Sessions::instance()
{
    return static_cast<Sessions&>(MainForm::instance().sessions());
}
