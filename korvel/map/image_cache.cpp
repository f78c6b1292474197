#include "korvel/map/image_cache.h"

#include "platform/picture_loader.h"

#include <QFileInfo>

namespace {

ImageCache g_cache;

struct FileStamp
{
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
};

FileStamp stampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        return {};
    }
    return { true, info.size(), info.lastModified() };
}

} // namespace

ImageCache& imageCache()
{
    return g_cache;
}

void resetImageCache()
{
    g_cache = ImageCache();
}

CachedPicture cachedPicture(const QString& path)
{
    const FileStamp stamp = stampOf(path);
    const auto found = g_cache.entries.find(path);
    if (found != g_cache.entries.end() && stamp.exists && found->second.fileSize == stamp.size
        && found->second.modified == stamp.modified) {
        return { found->second.picture, QString() };
    }
    if (found != g_cache.entries.end()) {
        g_cache.entries.erase(found);
    }
    ++g_cache.decodes;
    const LoadedPicture loaded = LoadPicture(path);
    if (!loaded.ok()) {
        return { QImage(), loaded.error };
    }
    g_cache.entries[path] = { stamp.size, stamp.modified, loaded.image };
    return { loaded.image, QString() };
}

void rememberPicture(const QString& path, const LoadedPicture& loaded)
{
    const FileStamp stamp = stampOf(path);
    if (loaded.ok() && stamp.exists) {
        g_cache.entries[path] = { stamp.size, stamp.modified, loaded.image };
    }
}

void forgetPicturesExcept(const QStringList& pathsInUse)
{
    for (auto it = g_cache.entries.begin(); it != g_cache.entries.end();) {
        it = pathsInUse.contains(it->first) ? std::next(it) : g_cache.entries.erase(it);
    }
}
