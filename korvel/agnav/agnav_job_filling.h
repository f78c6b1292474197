#pragma once
// What the job dialog's Accept makes of its entries: the job record that the
// boundary file is written from, and the new block's job values (its file
// system, its ellipsoid, the guidance defaults and the master point).
#include "korvel/agnav/agnav_job.h"
#include "korvel/agnav/agnav_job_settings.h"
#include "korvel/agnav/serial_formats.h"
#include "korvel/workspace/agnav_block.h"

#include <vector>

// The entries of a job dialog, checked already.
struct AgnavJobEntries
{
    QString AreaName;
    AgnavJobSettings Values; // the values shared with the preferences; MagVar signed
    int EllipsoidPosition = 22; // EllipsoidCombo's position
    QString AxisText;
    QString FlatteningText;
    QString DeltaX = QStringLiteral("0");
    QString DeltaY = QStringLiteral("0");
    QString DeltaZ = QStringLiteral("0");
};

// The job record of the entries, all but the master point. "USER-ENTER"
// (position 0) and a user row from the file are written as "USER-ENTER"
// with the axis and flattening shown; a built-in row with its own texts.
AGNAVJob jobFromEntries(const AgnavJobEntries& entries, const std::vector<AGNAVEllipsoid>& ellipsoids,
    const std::vector<SerialFormat>& formats);

// Gives the block what the job says: CoordType ("GEO" for "L", else "UTM"),
// the job's ellipsoid (named after the first row of the program's ellipsoid
// table with the same two numbers, else keeping the block's name or taking
// the job's), the guidance defaults as texts, and the master point: the
// block's first vertex in the file's system (converted in the block's zone
// and ellipsoid when the map holds the other one), "0.0" for UTM and
// "0.000000" for degrees, which goes into the job too.
void applyJobToBlock(AGNAVJob& job, AGNAVBlock& block);
