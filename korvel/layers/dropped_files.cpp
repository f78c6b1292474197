#include "korvel/layers/dropped_files.h"

DroppedFileKind droppedFileKind(const QString& path)
{
    const QString extension = path.right(3).toLower();
    if (extension == QLatin1String("bmp") || extension == QLatin1String("gif")
        || extension == QLatin1String("jpg")) {
        return DroppedFileKind::Image;
    }
    if (extension == QLatin1String("shp") || extension == QLatin1String("e00")) {
        return DroppedFileKind::GISLayer;
    }
    if (extension == QLatin1String("no1")) {
        return DroppedFileKind::BlockBoundary;
    }
    return DroppedFileKind::Ignored;
}
