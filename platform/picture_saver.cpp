#include "platform/picture_saver.h"

#include "platform/file_helpers.h"

#include <QBuffer>

bool SavePicture(const QImage& picture, const QString& path, QString* error)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // A bitmap keeps 24 bits a pixel: the map has no transparency to keep.
    if (picture.isNull() || !picture.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP")) {
        if (error) {
            *error = QStringLiteral("The picture could not be encoded as a bitmap");
        }
        return false;
    }
    QString reason;
    if (!writeFileAtomically(path, bytes, &reason)) {
        if (error) {
            *error = QStringLiteral("Cannot write %1: %2").arg(path, reason);
        }
        return false;
    }
    return true;
}
