#pragma once
// The third phase of a session load: the session's entries loaded into the
// empty workspace through the main window's checks and loaders, then its
// extent and ticks put back and the map drawn once.
#include "korvel/prefs/session_file.h"
#include "korvel/prefs/session_rows.h"

class MainForm;

// Loads the entries `keep` marks and returns those that came in. While it
// runs, LoadingSession and Busy are set and the map's zone stays; both flags
// are lowered however it ends. An unexpected failure is shown ("Error: ")
// and ends the reload with what was loaded so far.
SessionRows reloadSession(MainForm& form, const SessionFile& session, const SessionRows& keep);
