#pragma once
// The AG-NAV job controls that the job dialog (AGNAVForm) and the
// preferences' AG-NAV tab both carry, under the same names, so that the
// routines of agnav_job_controls.h find them on either. Both forms hold
// this set and lay it out with createAgnavJobControls: the job values in a
// left column, the ellipsoid, the Delta shifts and the serial format in a
// right one, the "Default Guidance" frame below them.
#include "platform/control_array.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

struct AgnavJobControlSet
{
    ControlArray<QRadioButton> CoordOption { "CoordOption" }; // 1 "Lat/Long", 2 "UTM"
    ControlArray<QRadioButton> UnitsOption { "UnitsOption" }; // 1 "U.S.", 2 "Metric"
    QLineEdit* XTrackText = nullptr;
    ControlArray<QLabel> UnitLabel { "UnitLabel" }; // 0 the degree sign, 1 cross-track unit, 2 swath unit
    QComboBox* AircraftCombo = nullptr;
    QComboBox* SpraySideCombo = nullptr;
    QComboBox* BoomsOnCombo = nullptr;
    QLineEdit* RaceText = nullptr;
    QLineEdit* SkipText = nullptr;
    QLineEdit* MagVarText = nullptr;
    QLabel* DirectionLabel = nullptr; // "E" or "W" beside the magnitude
    QLineEdit* LagText = nullptr;
    QLineEdit* RelayOnText = nullptr;
    QLineEdit* RelayOffText = nullptr;
    QComboBox* EllipsoidCombo = nullptr;
    QLineEdit* AxisText = nullptr;
    QLineEdit* EccentricityText = nullptr;
    QPushButton* EllipsoidSave = nullptr; // hidden until an ellipsoid value is edited
    ControlArray<QLineEdit> DeltaText { "DeltaText" }; // 1 X, 2 Y, 3 Z
    QComboBox* CommCombo = nullptr;
    QGroupBox* GuidanceFrame = nullptr; // "Default Guidance"
    QLineEdit* LineNumText = nullptr;
    QLineEdit* LineDirectionText = nullptr;
    QLineEdit* SwathWidthText = nullptr;
    ControlArray<QRadioButton> OffsetOption { "OffsetOption" }; // 1 "Half Swath", 2 "None"
};

// Where the set stands on its parent, in pixels: the top of the left
// column's first row (the job dialog puts the area name above it) and of
// the right column's. The "Default Guidance" frame reaches to the parent's
// right edge.
struct AgnavJobControlPlace
{
    int leftTop = 0;
    int rightTop = 0;
};

// Creates the set's controls on `parent`, metric to start with.
void createAgnavJobControls(QWidget& parent, AgnavJobControlSet& set, const AgnavJobControlPlace& place);

// Layout of the AG-NAV forms, shared so that both line up with the set.
inline constexpr int AgnavRowPitch = 26;
inline constexpr int AgnavLeftCaption = 10;
inline constexpr int AgnavLeftField = 110;
