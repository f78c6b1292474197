#include "korvel/statistics/statistics_entry.h"

#include "korvel/shell/main_form.h"

StatisticsEntry::StatisticsEntry(MainForm& form)
    : MainFormPart(form)
{
}

StatisticsEntry& StatisticsEntry::instance()
{
    return static_cast<StatisticsEntry&>(MainForm::instance().statistics());
}
