#include "tests/support/state_reset.h"

#include "korvel/agnav/agnav_form.h"
#include "korvel/guidance/guidance_state.h"
#include "korvel/map/image_cache.h"
#include "korvel/met/manual_form.h"
#include "korvel/met/met_data.h"
#include "korvel/met/met_form.h"
#include "korvel/prefs/pref_form.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/map_pointer_icons.h"
#include "korvel/shell/selection_form.h"
#include "korvel/shell/status_progress.h"
#include "korvel/shell/utm_conversion.h"
#include "korvel/statistics/stat_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/application_activation.h"
#include "platform/deferred_msg_box.h"
#include "platform/program_identity.h"
#include "platform/registry_store.h"
#include "platform/screen_metrics.h"
#include "platform/vb_random.h"
#include "platform/window_stacking.h"
#include "tests/support/scripted_services.h"

#include <QCoreApplication>
#include <QEvent>

void resetAllState(const QString& programDir)
{
    // Windows first: a window left by the last test is gone before the data
    // it showed is reset.
    SelectionForm::release();
    MetForm::unload();
    ManualForm::release();
    StatForm::release();
    AGNAVForm::release();
    PrefForm::release();
    MainForm::release();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    resetFloatingToolWindows();
    resetWindowStacking();
    ApplicationActivation::instance().reset();

    resetProgramGlobals();
    globals().RootDir = programDir;
    setStatusProgress(nullptr);
    resetRegistryStore();

    // The platform as a test sees it: the main program on a 1024 x 768 screen
    // at 32 bits and 96 dots per inch, an unseeded generator, scripted dialogs.
    resetProgramIdentity();
    setProgramTitle(QStringLiteral("KORVEL"));
    setProgramExeName(QStringLiteral("korvel"));
    setScreenMetrics({ 1024, 768, 32, 15.0f, 15.0f });
    resetRandom();
    ScriptedServices::instance().reset();
    resetDeferredMsgBox();
    resetUtmRegisters();
    resetLayerData();
    resetMapState();
    resetRedrawState();
    resetImageCache();
    resetAgnavData();
    resetMetData();
    resetGuidanceData();
    resetSelectionFormData();
    resetMainSettings();
    resetMapPointerIcons();
}
