#pragma once
// The main window's entry to the spray statistics: Tools > Spray Statistics.
#include "korvel/shell/main_form_part.h"
#include "korvel/shell/ports.h"

class StatisticsEntry final : public MainFormPart, public StatisticsPort
{
public:
    explicit StatisticsEntry(MainForm& form);

    // Tools > Spray Statistics: StatForm shown modally, then released.
    void ShowStatistics() override;
};
