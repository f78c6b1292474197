#include "korvel/georef/georeferencing_entry.h"

#include "korvel/shell/main_form.h"

GeoreferencingEntry::GeoreferencingEntry(MainForm& form)
    : MainFormPart(form)
{
}

GeoreferencingEntry& GeoreferencingEntry::instance()
{
    return static_cast<GeoreferencingEntry&>(MainForm::instance().georeferencing());
}
