#pragma once
// The decoded pictures of the loaded images, kept between redraws: decoding
// every image file at every redraw would cost more than drawing it, so a file
// is decoded again only when its size or modification time changed since it was last
// decoded, while what the user sees stays the same: a file that has gone
// away since it was loaded still fails the redraw with its message.
#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <map>

struct LoadedPicture;

struct ImageCacheEntry
{
    qint64 fileSize = 0;
    QDateTime modified;
    QImage picture;
};

struct ImageCache
{
    std::map<QString, ImageCacheEntry> entries; // by path
    int decodes = 0; // pictures decoded through the cache, for tests
};

ImageCache& imageCache();
void resetImageCache();

struct CachedPicture
{
    QImage picture; // null on failure (shares the cached pixels)
    QString error; // the loader's description when the file cannot be decoded
};

// The decoded picture of the file, from the cache while the file is unchanged.
CachedPicture cachedPicture(const QString& path);
// Keeps a picture the image loader has just decoded, so the first redraw
// does not decode it again.
void rememberPicture(const QString& path, const LoadedPicture& loaded);
// Drops the pictures of files no longer loaded.
void forgetPicturesExcept(const QStringList& pathsInUse);
