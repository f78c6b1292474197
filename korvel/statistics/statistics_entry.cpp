// Tools > Spray Statistics: the statistics window, computed afresh at every
// opening.
#include "korvel/statistics/statistics_entry.h"

#include "korvel/statistics/stat_form.h"
#include "platform/show_modal.h"

StatisticsEntry::StatisticsEntry(MainForm& form)
    : MainFormPart(form)
{
}

void StatisticsEntry::ShowStatistics()
{
    StatForm& statistics = StatForm::instance();
    ShowModal(statistics);
    StatForm::release();
}
