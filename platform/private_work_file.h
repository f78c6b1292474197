#pragma once
// Work files of the program's own, such as the copy of a file kept before it
// is rewritten: always created new (never an existing file, never through a
// symbolic link someone put at the name), readable by the user only (0600),
// in the user's own folders. The program folder is no place for them: an
// installed program may not write there, and a fixed name in a shared folder
// is a name anyone can take first.
#include <QByteArray>
#include <QString>
#include <QStringList>

// The folders a work file may go in, in order of preference: the user's data
// folder ($XDG_DATA_HOME/KORVEL/, where it stays) and the user's temporary
// folder.
QStringList privateWorkFolders();

// Writes `bytes` to a new private file named `name` in the first of `folders`
// that takes it; returns its path, or empty with the reason in `error`. In
// the user's data folder (made, 0700, when missing) an earlier entry of that
// name is removed first (a link goes, never what it points at); in the
// temporary folder, which others share, the name gets a random part
// ("korvel-<random>-<name>"), and the user's earlier files of that name
// there are removed once the new one is written: the newest copy stays.
// The file is synced to disk before the path is returned.
QString writePrivateWorkFile(
    const QStringList& folders, const QString& name, const QByteArray& bytes, QString* error = nullptr);
