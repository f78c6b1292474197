#pragma once
// The runtime's SavePicture: a picture written as a Windows bitmap (BMP)
// file. The file goes through a temporary file in the same folder that is
// renamed over the target only when complete, so a failed save leaves an
// existing file as it was.
#include <QImage>
#include <QString>

// Returns false with the reason in `error` when the picture is empty or the
// file cannot be written ("Cannot write <path>: <the system's reason>").
bool SavePicture(const QImage& picture, const QString& path, QString* error = nullptr);
