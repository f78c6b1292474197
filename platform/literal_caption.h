#pragma once
// A file or layer name shown as the caption of a button, check box, option
// or menu item. Qt takes a "&" in such a caption as the mark of a shortcut
// key, drawn as a line under the character after it, so "Wege & Gräben.shp"
// would show as "Wege _Gräben.shp". A label without a buddy, a window title
// and a tip show their text as it is and need nothing.
#include <QString>

// The name with every "&" doubled, which the caption shows as one "&".
inline QString literalCaption(const QString& name)
{
    return QString(name).replace(u'&', QStringLiteral("&&"));
}
