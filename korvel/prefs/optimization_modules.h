#pragma once
// The optimization modules the preferences offer: the files "*.opt" in the
// folder "optimization" of the program folder, and the description the
// dialog shows of the chosen one (its first four lines: product, aircraft,
// height, nozzle type).
#include <QString>
#include <QStringList>

// The module file names (without folder), in the folder listing's order
// (by name). Letter case of the extension does not count; hidden files and
// folders are not modules. None when the folder is missing.
QStringList optimizationModuleNames(const QString& rootDir);

// Up to the first four lines of a module, as many as it holds; none when it
// cannot be read.
QStringList optimizationModuleDescription(const QString& path);

