// Tools > Spray Statistics: the statistics window, computed afresh at every
// opening.
#include "korvel/shell/main_form.h"
#include "korvel/statistics/stat_form.h"
#include "korvel/statistics/statistics_entry.h"
#include "platform/show_modal.h"

void StatisticsEntry::ShowStatistics()
{
    StatForm& statistics = StatForm::instance();
    ShowModal(statistics);
    StatForm::release();
}
