#pragma once
// The corrections the user makes by hand after the fit: the image moved
// east or north (shift) and its ground size widened or lengthened (stretch),
// in metres, in steps of 1 m to 10 km. They are added to the fit's results
// every time it is computed and are stored in the geo-reference file.
//
// ShiftX and StretchX start unset: an unset value counts as 0, is written to
// the file as an empty field and shows as an empty number (" m"). A step
// sets it; a reset makes it 0. ShiftY and StretchY are whole metres from the
// start (0), rounded after each step, a half to the even neighbour.
#include <QString>
#include <QtGlobal>
#include <optional>

struct ManualCorrections
{
    std::optional<double> ShiftX; // metres added to the origin's easting
    qint32 ShiftY = 0; // metres added to the origin's northing
    std::optional<double> StretchX; // metres added to the ground width
    qint32 StretchY = 0; // metres added to the (signed) ground height
};

// The slider's position (0..4) as the step in metres: 1, 10, 100, 1000, 10000.
double correctionStep(int sliderPosition);
// The increment label: "1 m", "10 m", "100 m", "1 km", "10 km".
QString correctionStepLabel(int sliderPosition);

// One press of a shift or stretch button: index 1 north (or a longer ground
// height), 2 east (or a wider image), 3 south (or shorter), any other west
// (or narrower). A step that would take ShiftY or StretchY past the 32-bit
// range is refused: false, nothing changes.
bool applyShiftStep(ManualCorrections& corrections, int index, double step);
bool applyStretchStep(ManualCorrections& corrections, int index, double step);
void resetShift(ManualCorrections& corrections);
void resetStretch(ManualCorrections& corrections);

// A correction as its label shows it: the number's general text (empty for
// an unset value) and " m".
QString correctionLabel(const std::optional<double>& metres);
QString correctionLabel(qint32 metres);
