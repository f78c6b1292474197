#pragma once
// Reads the main window's settings from the registry at its creation, in
// the order the program always read them, each stored at once in its target:
// mainSettings(), the program-wide values of globals() (ImmediateGraph,
// MetricSystem, OptimizationFile, the name of the ellipsoid in use) and the
// map's zone and hemisphere in mapState(). Missing values take their
// defaults; nothing is written.
//
// Booleans read "True", "False" or a number (0 is False), numbers the text of
// their type. A stored text that does not convert raises VbError 13 (not a
// number or Boolean) or 6 (out of the type's range) whose description names
// the setting, its section and the text, so the start-up can tell the user
// which value is wrong.
//
// A Zone above 60 converts but is no UTM zone: it raises VbError 5 named
// the same way. Values the program could not work with are taken in: a Zone
// of 0 is zone 17, an AGNAVspeed below 1 (a divisor of the sample number) is 1, and a
// PointerColour outside the 16-colour palette is yellow (14).
#include <QString>

void readMainSettings();

// How an AutoLoad switch whose stored text is no Boolean is taken: the
// start-up raises it like any other bad setting; closing all files must not
// fail for it and takes it as False.
enum class BadSwitch { Raise, ReadsFalse };

// Reads the file dialogs' start folders and the AutoLoad switches into
// mainSettings(), in their stored order, each stored at once: an error
// raised on the way leaves the values read before it in place.
void readFolderSettings(BadSwitch badSwitch);

// The description of a setting that does not convert.
QString settingErrorText(
    const QString& section, const QString& name, const QString& stored, const QString& reason);
