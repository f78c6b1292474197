#include "platform/vb_colors.h"

#include "platform/program_identity.h"
#include "platform/vb_error.h"

#include <array>

namespace {

constexpr std::array<qint32, 16> kQBColors {
    0x000000, // black
    0x800000, // blue
    0x008000, // green
    0x808000, // cyan
    0x000080, // red
    0x800080, // magenta
    0x008080, // yellow
    0xC0C0C0, // white
    0x808080, // grey
    0xFF0000, // light blue
    0x00FF00, // light green
    0xFFFF00, // light cyan
    0x0000FF, // light red
    0xFF00FF, // light magenta
    0x00FFFF, // light yellow
    0xFFFFFF, // bright white
};

[[noreturn]] void invalidArgument()
{
    throw VbError(5, programExeName(), QStringLiteral("Invalid procedure call or argument"));
}

} // namespace

qint32 QBColor(int index)
{
    if (index < 0 || index >= int(kQBColors.size())) {
        invalidArgument();
    }
    return kQBColors[std::size_t(index)];
}

qint32 RGB(int red, int green, int blue)
{
    if (red < 0 || green < 0 || blue < 0) {
        invalidArgument();
    }
    return qMin(red, 255) | (qMin(green, 255) << 8) | (qMin(blue, 255) << 16);
}

QColor toQColor(qint32 vbColor)
{
    return QColor(vbColor & 0xFF, (vbColor >> 8) & 0xFF, (vbColor >> 16) & 0xFF);
}

qint32 fromQColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return RGB(rgb.red(), rgb.green(), rgb.blue());
}
