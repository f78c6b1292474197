#pragma once
// The main program's settings: text values (REG_SZ) in the current user's key
// "Software\TALVOR\KORVEL\" + section. Errors of the registry class are not
// caught here; they reach the caller.
#include <QString>

// Returns the stored text, or `defaultValue` when the value is missing.
QString GetRegSetting(const QString& section, const QString& name, const QString& defaultValue);
// Stores `value`, creating the key when missing. Empty text is not written:
// the value stored before stays.
void SaveRegSetting(const QString& section, const QString& name, const QString& value);
// Deletes the value when its key exists; a missing key or value is no error.
void DeleteRegSetting(const QString& section, const QString& name);
