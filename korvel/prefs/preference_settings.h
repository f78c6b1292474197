#pragma once
// What the preferences store and how their fields turn into values: the
// section "Settings" written from the program's values (PrefForm.SaveSettings),
// the buffer width's text as a number and its units switch, and the choices
// a damaged settings store could leave out of range.
//
// Every value is written through SaveRegSetting, which writes nothing for an
// empty text, so an empty value keeps the one stored before.
#include <QString>
#include <optional>

// Writes "ImmediateGraph", "GraphBoomOff", "ColorCode", "FillPoly",
// "GuidanceAboveBelow", "GISgraph", "AGNAVgraph", "AGNAVspeed",
// "PointerColour", "MetricSystem", "OptimizationFile", "OptColour",
// "OptWidth", "Ellipsoid.Name", "Zone", "NorthZone", "BufferWidth" and
// "BufferColour", in that order, from globals(), mainSettings() and
// mapState(). Failures of the settings store are raised.
void savePreferenceSettings();

// The buffer width a text stands for: a number (with "." as the decimal
// point) rounded to a whole number, a half to the even neighbour, that fits
// a 16-bit signed width; nothing otherwise.
std::optional<qint16> bufferWidthValue(const QString& text);

// The buffer width switched to feet (times 3.2808) or back to metres,
// rounded as above; nothing when the text is no number or the result does
// not fit.
std::optional<qint16> bufferWidthConverted(const QString& text, bool toFeet);

// A stored option choice (1 or 2) as the dialog can show it: anything else
// is the first option.
int optionChoice(int stored);

// The whole part of `sections` x pressX / width, plus 1, within 1..sections:
// the value a press on a slider of that many steps gives.
int sliderValueAt(double pressX, double width, int sections);
