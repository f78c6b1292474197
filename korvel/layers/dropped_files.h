#pragma once
// Files dropped from the desktop shell on the "Loaded Files" panel or the
// map: each opens by the last three characters of its path, in lower case,
// with the same check and load as the File menu. Sessions and all other
// files are ignored without a message (the command line opens sessions);
// a folder is refused with its message.
#include <QString>

enum class DroppedFileKind { Ignored, Image, GISLayer, BlockBoundary };

// "bmp", "gif", "jpg": an image; "shp", "e00": a GIS layer; "no1": an AG-NAV
// block boundary. TIFF and JPEG files named ".tif" or ".jpeg" are ignored, as
// they always were for drops.
DroppedFileKind droppedFileKind(const QString& path);

