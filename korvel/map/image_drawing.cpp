#include "korvel/map/image_drawing.h"

#include "korvel/map/image_cache.h"
#include "korvel/shell/status_progress.h"
#include "korvel/workspace/layer_records.h"
#include "platform/picture_surface.h"

#include <QStringList>

std::optional<ImageDrawFailure> DrawImage(
    int first, PictureSurface& picture, const std::function<bool(int position)>& drawable)
{
    const LayerData& data = layerData();
    QStringList loaded;
    for (int i = 1; i <= data.ImageCount; ++i) {
        loaded.append(data.Images[size_t(i)].Path);
    }
    forgetPicturesExcept(loaded);

    for (int i = qMax(1, first); i <= data.ImageCount && i < int(data.ImageOrder.size()); ++i) {
        if (!drawable(i)) {
            continue;
        }
        const int index = data.ImageOrder[size_t(i)];
        if (index < 1 || index >= int(data.Images.size())) {
            continue;
        }
        const ImageLayer& image = data.Images[size_t(index)];
        statusProgress().showProgress(1);
        statusProgress().setStatusText(QStringLiteral("Drawing Image"));
        const CachedPicture cached = cachedPicture(image.Path);
        if (!cached.picture.isNull()) {
            picture.PaintPicture(cached.picture, image.X, image.Y, image.Width, image.Height);
        }
        statusProgress().setStatusText(QString());
        statusProgress().hideProgress();
        if (cached.picture.isNull()) {
            return ImageDrawFailure { i, image.Path, cached.error };
        }
    }
    picture.Refresh();
    return std::nullopt;
}

QString imageDrawFailureMessage(const QString& path)
{
    return QStringLiteral("KORVEL encountered an error while trying to draw \r%1\r\r"
                          "Please try unloading then reloading this image.")
        .arg(path);
}
