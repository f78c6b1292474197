#include "platform/vb_fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

QFont vbFont(const QString& faceName, double pointSize)
{
    Q_UNUSED(faceName); // every face of the forms is a plain sans-serif dialog face
    QFont font = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
        ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
        : QFont();
    if (pointSize > 0.0) {
        font.setPointSizeF(pointSize);
    }
    return font;
}
