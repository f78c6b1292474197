#include "korvel/workspace/main_settings.h"

#include <QDir>

namespace {
MainSettings g_mainSettings;
}

QString defaultStartFolder()
{
    const QString home = QDir::homePath();
    return home.endsWith(u'/') ? home : home + u'/';
}

MainSettings& mainSettings()
{
    return g_mainSettings;
}

void resetMainSettings()
{
    g_mainSettings = MainSettings();
}
