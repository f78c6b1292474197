#pragma once
// The runtime's file dialog filter, "Text (*.x)|*.x|All Files (*.*)|*.*":
// description and pattern list in turns, patterns separated by ";". This
// turns it into the name filters of a Qt file dialog that match the way the
// system dialog did: letter case does not count and "*.*" means every file.
#include <QList>
#include <QString>
#include <QStringList>

struct FileDialogFilter
{
    QString description; // shown to the user as written
    QStringList patterns; // as written, e.g. "N???????.T??"
};

// A description with no pattern after it (an odd number of parts) is dropped,
// as the system dialog drops it; so are empty descriptions with no pattern.
QList<FileDialogFilter> parseFileDialogFilter(const QString& filter);

// "*.shp" -> "*.[sS][hH][pP]"; "*.*" -> "*" (the system dialog lists files
// without a dot under "*.*" too).
QString caseInsensitiveGlob(const QString& pattern);

// The Qt name filter: the description followed by the translated patterns in
// parentheses. The dialog is told to hide the parentheses, so the user sees
// the description alone, as before.
QString qtNameFilter(const FileDialogFilter& filter);
