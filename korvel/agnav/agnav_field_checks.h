#pragma once
// The checks of the AG-NAV job values, one for each text field of the job
// dialog and of the preferences' AG-NAV tab, which share them. A check takes
// the field's text and says whether it will do, with the field's own warning
// when not, and the text's normal form when it will.
//
// Numbers read as typed (typedNumberValue): with the point, or with the
// decimal comma where the user's locale writes one. Whole-number
// fields take the value rounded to the nearest whole number, a half to the
// even neighbour (0.4 counts as 0, 2.5 as 2), held in 32 bits: a value
// beyond that is refused with the field's warning. The seconds fields and the
// upper bounds of the Delta shifts test the single-precision value, so 5 and
// 1,000,000 pass and 5.01 and 1,000.5 do not.
#include <QString>
#include <optional>

enum class AgnavField {
    AreaName, // NameText
    MaxXTrack, // XTrackText
    RaceTrack, // RaceText
    SkipTrack, // SkipText
    MagVar, // MagVarText
    LagTime, // LagText
    RelayOn, // RelayOnText
    RelayOff, // RelayOffText
    DeltaX, // DeltaText(1)
    DeltaY, // DeltaText(2)
    DeltaZ, // DeltaText(3)
    LineNum, // LineNumText
    SwathWidth, // SwathWidthText
    LineDirection, // LineDirectionText
    EllipsoidAxis, // AxisText
    EllipsoidFlattening, // EccentricityText
};

// Which dialog asks: the warnings of the default-guidance fields name them
// "Default ..." on the preferences' tab.
enum class AgnavDialog { Job, Preferences };

struct AgnavFieldCheck
{
    bool valid = false;
    QString warning; // when not valid: lines joined by "\r"
    QString text; // when valid: the normal form to show
    // MagVar: "W" for a positive (west) variation, "E" for a negative (east)
    // one, "" for 0; the text then holds the magnitude.
    QString direction;
    // EllipsoidAxis, EllipsoidFlattening: a number outside the normal range,
    // which the user must confirm (rangeQuestion).
    bool outsideNormalRange = false;
};

// The check of a field's text; for MagVar the signed text (negative east).
AgnavFieldCheck checkAgnavField(AgnavField field, const QString& text, AgnavDialog dialog);

// The confirmation asked for an axis or flattening outside the normal range.
QString rangeQuestion(AgnavField field);

// The signed magnetic variation of what a dialog shows: the magnitude in
// the text with "E" (east, negative) or "W" beside it, or, with no direction
// shown (while the field is being edited, or for 0), the text as typed.
QString signedMagneticVariation(const QString& text, const QString& direction);

// The units switch of the cross-track (and on the preferences' tab the swath
// width): the field's number times 3.2808 (to U.S. feet) or divided by it
// (to metres), rounded to a whole number. Nothing when the text is no number
// or the result does not pass the field's check: the field then keeps its
// text.
std::optional<QString> unitsConverted(AgnavField field, const QString& text, bool toUSUnits);

// The check of a boundary file's name, whose job name (the name less its
// last four characters, the extension with its point) goes into record 35
// and becomes a folder of the guidance system: "" when it will do, else the
// message. The job name must be 1 to 20 characters without blanks.
QString jobNameRefusal(const QString& fileName);
inline constexpr int MaxJobNameLength = 20;
