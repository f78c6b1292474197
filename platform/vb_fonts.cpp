#include "platform/vb_fonts.h"

#include <QApplication>
#include <QtMath>

namespace {

constexpr double kDesignDpi = 96.0;
constexpr double kPointsPerInch = 72.0;

} // namespace

QFont vbFont(const QString& faceName, double pointSize)
{
    Q_UNUSED(faceName); // every face of the forms is a plain sans-serif dialog face
    QFont font(QStringLiteral("Liberation Sans"));
    // Where the face is missing, a sans-serif face, not a serif one.
    font.setStyleHint(QFont::SansSerif);
    if (pointSize > 0.0) {
        // The design's pixel height, as the system rounded it for a face
        // asked for in points.
        const double pixels = qMax(1.0, std::round(pointSize * kDesignDpi / kPointsPerInch));
        font.setPointSizeF(pixels * kPointsPerInch / kDesignDpi);
    }
    return font;
}

void useDialogFontAsDefault()
{
    QApplication::setFont(vbFont(QStringLiteral("MS Sans Serif"), 8));
}
