// The statistics window's Print button.
#include "korvel/statistics/stat_form.h"
#include "platform/msg_box.h"

void StatForm::PrintButton_Click()
{
    MsgBox(QStringLiteral("Printing the application report is not available in this version of KORVEL."),
        vbInformation);
}
