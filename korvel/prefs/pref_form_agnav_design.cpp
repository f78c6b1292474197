// The AG-NAV tab of "KORVEL Preferences": the defaults of new AG-NAV block
// files, shown in the job dialog's own controls (agnav_job_control_set.h),
// so the shared routines of agnav_job_controls.h serve both.
#include "korvel/prefs/pref_form.h"

#include <QGroupBox>

void PrefForm::createAgnavTab(QGroupBox& frame)
{
    constexpr int kTop = 20;
    createAgnavJobControls(frame, *this, { kTop, kTop });
}
