#pragma once
// ExpandEnvironmentStrings of kernel32: replaces every %NAME% by the value of
// the environment variable NAME. As on Windows, names match without regard to
// case, an unknown name stays as written, and an unpaired '%' is kept.
#include <QString>

QString ExpandEnvironmentStrings(const QString& text);
