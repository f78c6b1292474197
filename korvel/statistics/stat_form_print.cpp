// The statistics window's Print button: the "Application Report" dialog,
// then the report with the histograms this window shows.
#include "korvel/statistics/report_print.h"
#include "korvel/statistics/stat_form.h"

void StatForm::PrintButton_Click()
{
    printApplicationReport(this, Statistics);
}
