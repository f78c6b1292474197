#include "korvel/app/main_window_assembly.h"

#include "korvel/agnav/agnav_commands.h"
#include "korvel/georef/georeferencing_entry.h"
#include "korvel/guidance/guidance_work.h"
#include "korvel/layers/layer_list.h"
#include "korvel/map/map_view.h"
#include "korvel/met/met_panel.h"
#include "korvel/prefs/sessions.h"
#include "korvel/shell/main_form.h"
#include "korvel/statistics/statistics_entry.h"

namespace {

template <class Part> void addPart(MainForm& form)
{
    auto* part = new Part(form);
    form.adoptPart(part);
    form.setPort(*part);
}

} // namespace

void assembleMainWindow(MainForm& form)
{
    // The order the window has always wired itself in: the map view with
    // its overlays, the list's row templates, the AG-NAV commands, the
    // meteorology, then the guidance work.
    addPart<MapView>(form);
    addPart<LayerList>(form);
    addPart<AgnavCommands>(form);
    addPart<StatisticsEntry>(form);
    addPart<MetPanel>(form);
    addPart<GuidanceWork>(form);
    addPart<Sessions>(form);
    addPart<GeoreferencingEntry>(form);
}

void installMainWindowAssembly()
{
    MainForm::setAssembly(&assembleMainWindow);
}
