#pragma once
// The files that lie beside a block's boundary file: its guidance-line file
// ("xyz") and its exclusion-zone file ("xcl"), named from the boundary file's
// name by replacing its extension (the part after the last point of the file
// name), or by adding one when it has none: "FIELD.no1" has "FIELD.xyz",
// "FIELD" has "FIELD.xyz". A boundary file whose own extension is the
// companion's ("FIELD.xyz", "FIELD.XYZ") has no companion of that kind: it
// would be the boundary file itself, and a save would replace the boundary.
#include <QString>

// The companion as it exists: the exact name when present, otherwise the
// same name in any letter case ("FIELD7.XCL" beside "FIELD7.no1", as files
// copied from Windows come). When none exists, the name a new companion gets:
// the extension in lower case. Empty when the block can have no such
// companion (blockCompanionRefusal says why).
QString blockCompanionPath(const QString& boundaryPath, const QString& extension);

// True when the block's companion of that extension exists in some letter case.
bool blockCompanionExists(const QString& boundaryPath, const QString& extension);

// Why the block can have no companion of that extension, naming both files;
// empty when it can.
QString blockCompanionRefusal(const QString& boundaryPath, const QString& extension);
