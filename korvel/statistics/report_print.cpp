#include "korvel/statistics/report_print.h"

#include "korvel/shell/main_form.h"
#include "korvel/statistics/report_driver.h"
#include "korvel/statistics/report_form2.h"
#include "korvel/workspace/program_globals.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/show_modal.h"
#include "platform/vb_error.h"

#include <QCheckBox>
#include <QWidget>

#include <memory>

namespace {

// The dialog, shown modally; true when the user cancelled.
bool askReportSettings()
{
    auto dialog = std::make_unique<ReportForm2>();
    ShowModal(*dialog);
    return dialog->Cancelled;
}

SubRowTicks subRowTicks(MainForm& main)
{
    SubRowTicks ticks(std::size_t(std::max(0, main.Check3.UBound())) + 1, MissingSubRow);
    for (int row = 1; row < int(ticks.size()); ++row) {
        if (const QCheckBox* check = main.Check3.at(row)) {
            ticks[std::size_t(row)] = check->checkState() == Qt::Checked ? 1
                : check->checkState() == Qt::PartiallyChecked            ? 2
                                                                         : 0;
        }
    }
    return ticks;
}

ReportInputs reportInputs(const SprayStatistics& statistics, int copies)
{
    ReportInputs inputs;
    inputs.metric = globals().MetricSystem;
    inputs.statistics = statistics;
    inputs.copies = copies;
    if (MainForm* main = MainForm::existing()) {
        inputs.map = main->Picture1->image();
        inputs.ticks = subRowTicks(*main);
    }
    return inputs;
}

void showFailure(const ReportFailure& failure)
{
    if (!failure.isCancel()) {
        MsgBox(QStringLiteral("Error printing: ") + failure.description, vbOKOnly);
    }
}

} // namespace

void printApplicationReport(QWidget* statisticsWindow, const SprayStatistics& statistics, int copies)
{
    Printer* printer = nullptr;
    try {
        if (askReportSettings()) {
            return;
        }
        if (MainForm* main = MainForm::existing()) {
            main->repaint();
        }
        if (statisticsWindow) {
            statisticsWindow->repaint();
        }
        printer = &currentPrinter();
        if (const std::optional<ReportFailure> failure
            = printReport(*printer, reportInputs(statistics, copies))) {
            showFailure(*failure);
        }
    } catch (const VbError& error) {
        if (printer) {
            printer->KillDoc();
        }
        showFailure({ error.Number(), error.Description() });
    }
}
