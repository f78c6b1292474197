#pragma once
// The runtime's LoadPicture: an image file (BMP, GIF, JPEG, TIFF and what
// else the installed image plug-ins read) decoded into a picture whose size
// is also given in units of 0.01 mm at the screen's resolution, the runtime's
// HIMETRIC picture size (100 pixels at 15 twips per pixel are 2646 units).
// Sizes are 32-bit: pictures wider or taller than 32,767 pixels load too.
//
// A picture whose decoded form would take more than MaxDecodedBytes is
// decoded at a reduced size that fits (the same picture, fewer pixels);
// size and the HIMETRIC size still describe the file's own pixels. A TIFF is
// decoded strip by strip or tile by tile straight to that size, a JPEG by
// its decoder's own reduction; the formats whose decoders cannot reduce
// (BMP, GIF) are decoded whole first, up to twice MaxDecodedBytes, and
// refused beyond that with their size and the limit.
//
// A file that ends before its picture does (a BMP short of its rows, a JPEG
// before its end-of-image marker, a GIF before its trailer, a TIFF whose
// strips or tiles cannot be read whole) is refused, never drawn in part.
#include <QImage>
#include <QSize>
#include <QString>

inline constexpr qint64 MaxDecodedBytes = qint64(512) * 1024 * 1024;

struct LoadedPicture
{
    QImage image; // null when the file could not be loaded
    QSize size; // the file's own size in pixels
    qint64 WidthHimetric = 0;
    qint64 HeightHimetric = 0;
    // The runtime's error when it failed: 53 "File not found" or 481 "Invalid
    // picture" (a file no plug-in reads, or a damaged one).
    long errorNumber = 0;
    QString error; // the description, naming the file and the reason

    bool ok() const { return errorNumber == 0; }
};

// `maxDecodedBytes` stands for MaxDecodedBytes where a test or a benchmark
// needs a smaller budget.
LoadedPicture LoadPicture(const QString& path, qint64 maxDecodedBytes = MaxDecodedBytes);

// Pixels in units of 0.01 mm at the screen's resolution (1440 / twipsPerPixel
// dots per inch), rounded to the nearest unit.
qint64 himetricFromPixels(qint64 pixels, float twipsPerPixel);
