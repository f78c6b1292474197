#include "tests/support/text_layout_check.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QStyle>

namespace {

// Rounding of the measures, not a fault.
constexpr double Slack = 0.5;

bool covers(const QRectF& a, const QRectF& b)
{
    const double width = std::min(a.right(), b.right()) - std::max(a.left(), b.left());
    const double height = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
    return width > Slack && height > Slack;
}

bool holds(const QRectF& outer, const QRectF& inner)
{
    return inner.left() >= outer.left() - Slack && inner.right() <= outer.right() + Slack
        && inner.top() >= outer.top() - Slack && inner.bottom() <= outer.bottom() + Slack;
}

// a is a label (its text ends in a colon) and b, right of it on its line,
// begins closer than a blank of b's font: the two read as one word. Blanks
// that b begins with are part of the gap.
bool crowds(const PlacedText& a, const PlacedText& b)
{
    const double height = std::min(a.box.bottom(), b.box.bottom()) - std::max(a.box.top(), b.box.top());
    qsizetype leadingBlanks = 0;
    while (leadingBlanks < b.text.size() && b.text[leadingBlanks] == u' ') {
        ++leadingBlanks;
    }
    const double gap = b.box.left() + double(leadingBlanks) * b.blank - a.box.right();
    return a.text.trimmed().endsWith(u':') && height > Slack && gap > -Slack && gap < b.blank - Slack;
}

QString describe(const PlacedText& text)
{
    const QRectF& b = text.box;
    return QStringLiteral("\"%1\" (%2, %3, %4 x %5)")
        .arg(text.text)
        .arg(b.left(), 0, 'f', 0)
        .arg(b.top(), 0, 'f', 0)
        .arg(b.width(), 0, 'f', 0)
        .arg(b.height(), 0, 'f', 0);
}

} // namespace

QStringList textLayoutFaults(
    const std::vector<PlacedText>& texts, const QRectF& bounds, const std::vector<QRectF>& frames)
{
    QStringList faults;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const PlacedText& text = texts[i];
        if (text.text.trimmed().isEmpty()) {
            continue;
        }
        if (!holds(bounds, text.box)) {
            faults << describe(text) + QStringLiteral(" leaves its page or window");
        }
        if (!text.shownIn.isEmpty() && !holds(text.shownIn, text.box)) {
            faults << describe(text) + QStringLiteral(" is cut off by its label");
        }
        for (const QRectF& frame : frames) {
            if (covers(frame, text.box) && !holds(frame, text.box)) {
                faults << describe(text) + QStringLiteral(" crosses the edge of a frame");
            }
        }
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            const PlacedText& other = texts[j];
            if (other.text.trimmed().isEmpty()) {
                continue;
            }
            if (covers(text.box, other.box)) {
                faults << describe(text) + QStringLiteral(" covers ") + describe(other);
            } else if (crowds(text, other) || crowds(other, text)) {
                faults << describe(text) + QStringLiteral(" stands closer than a blank to ")
                        + describe(other);
            }
        }
    }
    return faults;
}

std::vector<PlacedText> printedTexts(const PrintedPage& page, Printer& printer)
{
    const PrinterFont font = printer.Font();
    std::vector<PlacedText> texts;
    for (const PrintedItem& item : page) {
        if (const auto* text = std::get_if<PrintedText>(&item)) {
            printer.Font() = text->font;
            texts.push_back({ text->text,
                QRectF(text->at, QSizeF(printer.TextWidth(text->text), printer.TextHeight(text->text))),
                QRectF(), printer.TextWidth(QStringLiteral(" ")) });
        }
    }
    printer.Font() = font;
    return texts;
}

std::vector<QRectF> printedFrames(const PrintedPage& page)
{
    std::vector<QRectF> frames;
    for (const PrintedItem& item : page) {
        if (const auto* box = std::get_if<PrintedBox>(&item)) {
            frames.push_back(box->rect);
        } else if (const auto* picture = std::get_if<PrintedPicture>(&item)) {
            frames.push_back(picture->rect);
        }
    }
    return frames;
}

std::vector<PlacedText> shownLabelTexts(const QWidget& container)
{
    std::vector<PlacedText> texts;
    for (const QLabel* label : container.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&container) || label->text().isEmpty()) {
            continue;
        }
        const QRect inside = label->contentsRect().adjusted(
            label->margin(), label->margin(), -label->margin(), -label->margin());
        const QFontMetricsF metrics(label->font());
        const QString text = label->text();
        const double width = metrics.horizontalAdvance(text);
        const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
        double left = inside.x();
        if (align & Qt::AlignRight) {
            left = inside.x() + inside.width() - width;
        } else if (align & Qt::AlignHCenter) {
            left = inside.x() + (inside.width() - width) / 2.0;
        }
        double top = inside.y();
        if (align & Qt::AlignBottom) {
            top = inside.y() + inside.height() - metrics.height();
        } else if (align & Qt::AlignVCenter) {
            top = inside.y() + (inside.height() - metrics.height()) / 2.0;
        }
        // Blanks at either end show nothing: cutting them off is no fault.
        const QString trimmed = text.trimmed();
        const double leading = metrics.horizontalAdvance(text.left(text.indexOf(trimmed)));
        const QRectF placed(left + leading, top, metrics.horizontalAdvance(trimmed), metrics.height());
        const QPoint origin = label->mapTo(&container, QPoint(0, 0));
        texts.push_back({ trimmed, placed.translated(origin), QRectF(label->rect().translated(origin)) });
    }
    return texts;
}
