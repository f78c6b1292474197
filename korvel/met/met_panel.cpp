#include "korvel/met/met_panel.h"

#include "korvel/shell/main_form.h"

MetPanel::MetPanel(MainForm& form)
    : MainFormPart(form)
{
    connectMetCommands();
}

MetPanel& MetPanel::instance()
{
    return static_cast<MetPanel&>(MainForm::instance().met());
}
