#pragma once
// What the meteorology panel shows of one record, and the playback speed
// its slider sets: texts and numbers only, so they are tested without the
// window.
#include "korvel/met/met_data.h"

#include <QPointF>

// "Jul 15, 99"; tall-tower data (month 0) reads "Day 196, 99". A month
// above 12 shows its number: "13 15, 99".
QString metDateText(const MetRecord& record);
// "9:05:30".
QString metTimeText(const MetRecord& record);
// "3.5 m/s".
QString metSpeedText(float metresPerSecond);
// "68.2°F".
QString metTemperatureText(float fahrenheit);

// The compass needle's free end for a wind direction (0 up, 90 right, in
// screen coordinates growing downwards), `length` from the centre.
QPointF compassNeedleEnd(QPointF centre, double length, int windDirectionDegrees);

// Slider position 0..3 to the time factor 8, 4, 2, 1 and the timer's
// interval in milliseconds, 1000 / factor rounded half to even.
int playbackTimeFactor(int sliderValue);
int playbackInterval(int sliderValue);

// The clock time of a selection `selectionSeconds` after the first record:
// the hour with a leading blank, not reduced to a day (" 25:10:00").
QString selectionClockText(const MetRecord& first, double selectionSeconds);
