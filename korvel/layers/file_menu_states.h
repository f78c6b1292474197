#pragma once
// Which items of the File menu are enabled, worked out from what is loaded
// each time the menu opens; between openings the items (and so their
// shortcut keys) keep the last states.
struct FileMenuStates
{
    bool loadSession = true;
    bool saveSession = false;
    bool loadImage = true;
    bool guidanceFile = false; // some block's guidance-line file lies beside it, not loaded
    bool exclusionZones = false; // likewise its exclusion-zone file
    bool sprayData = false; // some block's spray-data folder holds a file
    bool closeAll = false;
};

// While layers are loaded the menu offers saving a session, not loading one;
// Close All Files needs something loaded (meteorological data counts); a
// fifth image may be loaded, a sixth not.
FileMenuStates fileMenuStates();
