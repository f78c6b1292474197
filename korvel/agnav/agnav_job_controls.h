#pragma once
// The AG-NAV job controls that the job dialog (AGNAVForm) and the
// preferences' AG-NAV tab both carry, served by one set of routines that
// find the controls by name on the dialog they are given:
//
//   option pairs  CoordOption(1) "Lat/Long" / (2) "UTM", UnitsOption(1)
//                 "U.S." / (2) "Metric", OffsetOption(1) "Half Swath" / (2) "None"
//   text boxes    XTrackText, RaceText, SkipText, MagVarText, LagText,
//                 RelayOnText, RelayOffText, LineNumText, LineDirectionText,
//                 SwathWidthText, AxisText, EccentricityText, DeltaText(1..3),
//                 and on the job dialog NameText
//   lists         AircraftCombo, SpraySideCombo, BoomsOnCombo, CommCombo,
//                 EllipsoidCombo
//   labels        DirectionLabel (beside MagVarText), UnitLabel(1) (the
//                 cross-track unit), UnitLabel(2) (the swath-width unit)
//   button        EllipsoidSave
//
// A control a routine needs and does not find raises error 340 naming it.
// Setting a control raises its own change or click handling, as a user's
// edit does.
//
// The magnetic variation keeps its sign: at rest MagVarText shows the
// magnitude with "E" (east, negative) or "W" in DirectionLabel; while the
// field is edited it shows the signed number and no direction.
#include "korvel/agnav/agnav_ellipsoid_list.h"
#include "korvel/agnav/agnav_field_checks.h"
#include "korvel/agnav/agnav_job_settings.h"

#include <functional>
#include <vector>

class QComboBox;
class QLineEdit;
class QWidget;

// The text box of a field on a dialog, or nullptr when the dialog has none.
QLineEdit* agnavFieldBox(const QWidget& dialog, AgnavField field);

// The ellipsoid list's answer to a change of EllipsoidCombo: "USER-ENTER"
// (position 0) unlocks AxisText and EccentricityText and fills them with
// WGS-84's values, both accepted; a built-in or file row locks them (grey)
// with its values and hides EllipsoidSave; the separator selects the row
// stored in "AGNAVDefault" instead (22 when that row is not listed).
void ShowEllipsoid(
    QWidget& dialog, const std::vector<AGNAVEllipsoid>& list, bool& axisAccepted, bool& flatteningAccepted);

// Fills both lists of a dialog anew (FillAGNAVLists) and shows them:
// the ellipsoid names in EllipsoidCombo, left with no row chosen and no
// change raised, and the serial formats' texts in CommCombo. A refused user
// ellipsoid file's message is shown (exclamation); the built-in rows are
// listed all the same.
void fillAgnavJobLists(
    QWidget& dialog, std::vector<AGNAVEllipsoid>& ellipsoids, std::vector<SerialFormat>& formats);

// Appends list row `row` to EllipsoidCombo, the separator before the first
// user row.
void addEllipsoidComboRow(QComboBox& combo, int row, const QString& name);

// Locks EllipsoidCombo: grey and out of reach, the job's ellipsoid being the
// one chosen when the dialog loaded.
void lockEllipsoidList(QWidget& dialog);

// Fills the shared controls from "AGNAVDefault" (the ellipsoid and the Delta
// shifts are not touched): System Lag and the relay times shown "0.00", the
// line direction "0", the magnetic variation with its direction.
void LoadAGNAVDefaults(QWidget& dialog);
// The same from any section; the job dialog's "Previous" reads "AGNAVPrevious".
void loadAgnavSection(QWidget& dialog, const QString& section);
// Stores the shared controls in a section (the preferences pass
// "AGNAVDefault", the job dialog's Accept "AGNAVPrevious").
void SaveAGNAVDefaults(QWidget& dialog, const QString& section);

// What the shared controls hold, the magnetic variation signed; and back.
AgnavJobSettings agnavControlValues(const QWidget& dialog);
void showAgnavControlValues(QWidget& dialog, const AgnavJobSettings& values);

// The magnetic variation from its signed text: a valid one as its magnitude
// and direction, anything else as it is with no direction.
void showMagneticVariation(QWidget& dialog, const QString& signedText);

// A field's check when its box loses the focus: a refusal shows the
// warning (exclamation), leaves the text as typed and sends the focus back;
// a good value is shown in its normal form. The axis and flattening of an
// editable box outside their normal range ask to go on unless accepted
// already (rangeAccepted, set by Yes). Returns whether the value will do.
bool checkAgnavFieldBox(QWidget& dialog, AgnavField field, AgnavDialog kind, bool* rangeAccepted = nullptr);

// Every field of the dialog in the order of its boxes, stopping at the
// first that will not do (its box gets the focus).
bool checkAllAgnavFields(QWidget& dialog, AgnavDialog kind, bool& axisAccepted, bool& flatteningAccepted);

// The units switch: the cross-track unit label "ft" or "m" and its value
// converted; with swathToo the swath width and its label as well. A value
// that is no number, or whose converted value does not fit the field,
// stays as it is.
void switchAgnavUnits(QWidget& dialog, bool toUSUnits, bool swathToo);

// The "Save" of a user ellipsoid from AxisText and EccentricityText: refused
// when a box holds no number, when the values are those of a listed row, or
// for an empty, duplicate or comma-holding name; otherwise appended to
// the user's "AGNAV Ellipsoids.txt" (a failed write is reported and changes
// nothing). With listInDialog the new row is added to the list and to
// EllipsoidCombo (after the separator, added with the first user row) and
// chosen. Returns whether it was saved.
bool saveUserEllipsoid(QWidget& dialog, std::vector<AGNAVEllipsoid>& list, bool listInDialog);

// The focus events of a dialog's field boxes: each box selects its whole
// text when it gets the focus (MagVarText also shows its signed value), and
// the handler is called with the field when a box loses it. The dialog owns
// the connection.
void connectAgnavFieldFocus(QWidget& dialog, std::function<void(AgnavField)> lostFocus);
