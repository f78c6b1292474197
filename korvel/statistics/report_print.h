#pragma once
// The statistics window's Print button: the "Application Report" dialog,
// then the report of the ticked flights on the current printer (or into a
// PDF file where no printer is set up). Cancel in the dialog prints
// nothing; its close box prints with the settings as they were stored. An
// error abandons the job and says "Error printing: " with its description;
// a Cancel of the PDF file's dialog ends it silently.
#include "korvel/statistics/spray_statistics.h"

class QWidget;

// `statisticsWindow` is repainted after the dialog closes; it may be null.
// `statistics` is the window's pass, which the statistics page prints.
// `copies` is the number of copies, one unless a caller offers more.
void printApplicationReport(QWidget* statisticsWindow, const SprayStatistics& statistics, int copies = 1);
