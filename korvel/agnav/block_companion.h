#pragma once
// The files that lie beside a block's boundary file: its guidance-line file
// ("xyz") and its exclusion-zone file ("xcl"), named from the boundary file's
// path by replacing its last three characters.
#include <QString>

// The companion as it exists: the exact name when present, otherwise the
// same name in any letter case ("FIELD7.XCL" beside "FIELD7.no1", as files
// copied from Windows come). When none exists, the name a new companion gets:
// the extension in lower case.
QString blockCompanionPath(const QString& boundaryPath, const QString& extension);

// True when the block's companion of that extension exists in some letter case.
bool blockCompanionExists(const QString& boundaryPath, const QString& extension);
