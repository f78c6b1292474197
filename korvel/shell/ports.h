#pragma once
// The ports of the main window's parts: what one folder calls of another's
// part. Each is implemented by the part of its folder (korvel/map MapView,
// korvel/layers LayerList, ...); MainForm forwards each procedure under its
// own name, so a caller writes MainForm::instance().Graph(true) and needs
// neither the part's header nor its library. Everything else of a part is
// reached only inside its folder.
#include <QString>

class MapViewPort
{
public:
    virtual ~MapViewPort() = default;
};

class LayerListPort
{
public:
    virtual ~LayerListPort() = default;
};

class AgnavPort
{
public:
    virtual ~AgnavPort() = default;
};

class GuidancePort
{
public:
    virtual ~GuidancePort() = default;
};

class StatisticsPort
{
public:
    virtual ~StatisticsPort() = default;
    // Tools > Spray Statistics: StatForm shown modally, then released.
    virtual void ShowStatistics() = 0;
};

class MetPort
{
public:
    virtual ~MetPort() = default;
    // The meteorology panel's close button: stops the playback, closes the
    // panel and its window, drops the sources.
    virtual void CloseMet_Click() = 0;
    // The optimization overlay for the record met file MetIndex shows.
    virtual void Optimize(int& MetIndex) = 0;
};

class SessionsPort
{
public:
    virtual ~SessionsPort() = default;
    // File > Save Session; the shutdown request "KORVEL_Save_Shutdown" runs
    // it before it quits.
    virtual void File_SaveSession_Click() = 0;
    // File > Load Session (also Ctrl+O in the floating layer list), refused
    // while files are loaded.
    virtual void File_LoadSession_Click() = 0;
    // The preferences dialog on a tab (1 "Graphing" ... 6 "AG-NAV"), shown
    // modally and released.
    virtual void ShowPreferences(int StartTab) = 0;
    // Rebuilds the workspace from a session file into an empty workspace.
    virtual void LoadSession(const QString& Path) = 0;
};

class GeoreferencingPort
{
public:
    virtual ~GeoreferencingPort() = default;
    // The geo-referencing work: its modal window for Images(CurrentImage).
    virtual void ShowGeoReferencing() = 0;
};
