#pragma once
// TIFF pictures read through libtiff from an open file: the first image,
// its rows as they are stored, in colour (palette, grey, RGB, CMYK, YCbCr and
// the other kinds libtiff converts), decoded strip by strip or tile by tile
// straight to the size that fits the memory budget, so that an orthophoto of
// 20000 x 20000 pixels takes no more than its reduced picture and two rows
// of its tiles (one decoded while the other is summed).
//
// A file libtiff cannot read whole (a strip or tile cut off or damaged) is
// refused: half a photograph placed on a map must not pass for all of it.
// A band beyond the colours is drawn as transparency only where the file
// marks it as alpha; a band marked "unspecified" (the near-infrared of the
// 4-band orthophotos GDAL writes) or not marked at all is not drawn.
#include <QByteArrayView>
#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QString>

struct TiffPicture
{
    // False when libtiff cannot turn this kind of TIFF into colours (for
    // instance floating-point samples): another decoder may.
    bool converted = false;
    QSize size; // the file's own, when it could be read
    QImage image; // null when refused
    QString error; // why it was refused, or empty when tooLarge
    // Refused for its size: the picture is beyond the budget and its strips
    // or tiles are too large to be read one at a time.
    bool tooLarge = false;
};

// True when the bytes begin as a TIFF or BigTIFF file does.
bool isTiff(QByteArrayView bytes);

// `file` is open for reading; it is read from one thread at a time, not
// always the caller's.
TiffPicture readTiffPicture(QIODevice& file, qint64 maxDecodedBytes);
