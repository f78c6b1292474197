#include "korvel/shell/map_pointer_icons.h"

#include "platform/vb_runtime_errors.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

MapPointerIcons g_icons;

// Loads one picture; on failure `error` names the file and the reason.
bool loadIcon(const QString& path, QImage& image, QString& error)
{
    QString reason;
    if (!QFileInfo(path).isFile()) {
        reason = runtimeErrorDescription(RuntimeError::FileNotFound);
    } else {
        QImageReader reader(path);
        image = reader.read();
        if (!image.isNull()) {
            return true;
        }
        // The runtime's LoadPicture raised 481 for a file it could not read as a picture.
        reason = QStringLiteral("Invalid picture (%1)").arg(reader.errorString());
    }
    error = QStringLiteral("KORVEL cannot load the pointer picture \"%1\": %2").arg(path, reason);
    return false;
}

} // namespace

MapPointerIcons& mapPointerIcons()
{
    return g_icons;
}

void resetMapPointerIcons()
{
    g_icons = MapPointerIcons();
}

QString loadMapPointerIcons(const QString& folder)
{
    MapPointerIcons loaded;
    QString error;
    const bool complete
        = loadIcon(folder + "crosshair_black.ico", loaded.CrosshairIcons[int(Crosshair::Black)], error)
        && loadIcon(folder + "crosshair_red.ico", loaded.CrosshairIcons[int(Crosshair::Red)], error)
        && loadIcon(folder + "crosshair_yellow.ico", loaded.CrosshairIcons[int(Crosshair::Yellow)], error)
        && loadIcon(folder + "zoom_in.ico", loaded.ZoomInIcon, error)
        && loadIcon(folder + "zoom_out.ico", loaded.ZoomOutIcon, error);
    if (complete) {
        g_icons = loaded;
    }
    return error;
}

Crosshair crosshairFor(int pointerColour)
{
    switch (pointerColour) {
    case 0:
        return Crosshair::Black;
    case 12:
        return Crosshair::Red;
    default:
        return Crosshair::Yellow;
    }
}
