#pragma once
// Where the updater stands: the folder of the running executable, ending in
// "/". The download library libfendrix.so is installed beside it, and it is
// the program folder when the settings name none. Tests, which run as
// another executable, point it at the built program folder.
#include <QString>

namespace quillet {

QString executableFolder();
// Empty text returns to the running executable's folder.
void setExecutableFolder(const QString& folder);

} // namespace quillet
