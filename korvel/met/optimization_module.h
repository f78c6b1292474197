#pragma once
// An optimization module: a small text file in the folder "optimization/"
// of the program folder that describes one spray set-up and holds the three
// coefficients of the distance by which the optimization overlay moves the
// guidance lines for a wind speed v (m/s):  D = c0 + c1 |v| + c2 v^2 metres.
// The program reads these files and never writes them.
//
//   Water, 1% adjuvant          line 1  product
//   Air Tractor AT-502B          line 2  aircraft
//   3 m above canopy             line 3  height
//   CP-09 flat fan               line 4  nozzle type
//   any text (our notes)         line 5  not used
//   0, 1.5, 0.15                 then c0, c1, c2: one line with commas, or
//                                three lines; anything after c2 is not read
//
// A coefficient beyond plus or minus 1,000,000 is refused as an overflow of
// its line, like a number beyond the single-precision range.
#include "korvel/met/met_data.h"

#include <QByteArray>
#include <QString>

struct OptimizationModule
{
    bool ok = false;
    QString product;
    QString aircraft;
    QString height;
    QString nozzleType;
    OptCoefficients coefficients { 0.0f, 0.0f, 0.0f };
    QString error; // why the module cannot be used
};

// The module file's path: the program folder, "optimization/" and the name.
QString optimizationModulePath(const QString& fileName);

OptimizationModule parseOptimizationModule(const QByteArray& bytes);
// Reads the module file; a missing or unreadable file gives the system's reason.
OptimizationModule readOptimizationModule(const QString& path);
