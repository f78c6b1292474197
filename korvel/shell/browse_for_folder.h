#pragma once
// Asks the user for a folder. Returns its path (no trailing "/"), or empty
// text when the user cancelled.
#include <QString>

class QWidget;

QString BrowseForFolder(QWidget* owner = nullptr);
