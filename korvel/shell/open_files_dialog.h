#pragma once
// The "Open" dialog of the loading commands: every one asks for its files the
// same way, starting in a remembered folder.
#include <QStringList>

class QWidget;

// Shows the dialog with the given filter (first entry selected) and title,
// starting in initDir. Returns the chosen files in full, or none when the
// user cancelled.
QStringList chooseFilesToOpen(
    QWidget* owner, const QString& initDir, const QString& filter, const QString& title);
// The same for one file; empty when the user cancelled.
QString chooseFileToOpen(QWidget* owner, const QString& initDir, const QString& filter, const QString& title);
