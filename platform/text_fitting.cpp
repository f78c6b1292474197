#include "platform/text_fitting.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>

namespace {

// Room a grown control leaves between itself and a neighbour.
constexpr int kGap = 2;
// A frame's border lines, which a grown control must not cover.
constexpr int kFrameBorder = 2;

// Which side a control grows to: before it (left, up), after it (right,
// down) or both.
enum class Growth { Before, After, Both };

struct Need
{
    int width = 0;
    int height = 0;
    Growth horizontal = Growth::After;
    Growth vertical = Growth::Both;
};

Growth horizontalGrowth(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight) {
        return Growth::Before;
    }
    return alignment & Qt::AlignHCenter ? Growth::Both : Growth::After;
}

Growth verticalGrowth(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignTop) {
        return Growth::After;
    }
    return alignment & Qt::AlignBottom ? Growth::Before : Growth::Both;
}

// Controls a layout places are the layout's to size; only controls a form
// placed itself are grown.
bool placedByDesign(const QWidget& widget)
{
    const QWidget* parent = widget.parentWidget();
    return !widget.isWindow() && parent && !parent->layout();
}

bool labelNeed(const QLabel& label, Need& need)
{
    if (label.text().isEmpty() || label.wordWrap()) {
        return false;
    }
    const QSize hint = label.sizeHint();
    const int blanks = openEndBlanksWidth(label.fontMetrics(), label.text(), label.alignment());
    need = { hint.width() - blanks, hint.height(), horizontalGrowth(label.alignment()),
        verticalGrowth(label.alignment()) };
    return true;
}

bool pushButtonNeed(const QPushButton& button, Need& need)
{
    if (button.text().isEmpty()) {
        return false;
    }
    const QStyle* style = button.style();
    int chrome = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button)
        + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
    if (button.autoDefault() || button.isDefault()) {
        chrome += 2 * style->pixelMetric(QStyle::PM_ButtonDefaultIndicator, nullptr, &button);
    }
    QSize text = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
    if (!button.icon().isNull()) {
        text.rwidth() += button.iconSize().width() + 4;
    }
    need = { text.width() + chrome, text.height() + 2, Growth::Both, Growth::Both };
    return true;
}

bool checkNeed(const QAbstractButton& button, Need& need)
{
    if (button.text().isEmpty()) {
        return false;
    }
    // The indicator and the text side by side; the height a line of text
    // takes, not the hint's padding, which the designs never had.
    const QSize hint = button.sizeHint();
    need = { hint.width(), button.fontMetrics().height(), Growth::After, Growth::Both };
    return true;
}

bool frameNeed(const QGroupBox& frame, Need& need)
{
    if (frame.title().isEmpty()) {
        return false;
    }
    need = { frame.minimumSizeHint().width(), 0, horizontalGrowth(frame.alignment()), Growth::Both };
    return true;
}

bool controlNeed(const QWidget& widget, Need& need)
{
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return labelNeed(*label, need);
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
        return pushButtonNeed(*button, need);
    }
    if (qobject_cast<const QCheckBox*>(&widget) || qobject_cast<const QRadioButton*>(&widget)) {
        return checkNeed(static_cast<const QAbstractButton&>(widget), need);
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) {
        return frameNeed(*frame, need);
    }
    return false;
}

// Where a sibling shows something, in its parent's coordinates: a caption
// or a check box only as far as its text reaches, a holder of other
// controls only where they are, anything else all of it.
QRect inkRect(const QWidget& widget)
{
    if (widget.isHidden() || widget.isWindow()) {
        return {};
    }
    const QRect geometry = widget.geometry();
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        if (label->text().isEmpty() && label->pixmap().isNull()) {
            return {};
        }
        return QStyle::alignedRect(label->layoutDirection(), label->alignment(),
            label->sizeHint().boundedTo(geometry.size()), geometry);
    }
    if (qobject_cast<const QCheckBox*>(&widget) || qobject_cast<const QRadioButton*>(&widget)) {
        return QRect(geometry.topLeft(), widget.sizeHint().boundedTo(geometry.size()));
    }
    if (widget.metaObject() == &QWidget::staticMetaObject) {
        return widget.childrenRect().translated(geometry.topLeft()) & geometry;
    }
    return geometry;
}

QRect roomInside(const QWidget& parent)
{
    const int border = qobject_cast<const QGroupBox*>(&parent) ? kFrameBorder : 0;
    return parent.contentsRect().adjusted(border, border, -border, -border);
}

// How far a control may grow to each side before it meets a neighbour
// beside it or its container's edge.
std::pair<int, int> freeRoom(const QWidget& widget, const QRect& geometry)
{
    const QWidget& parent = *widget.parentWidget();
    const QRect inside = roomInside(parent);
    int leftLimit = inside.left();
    int rightLimit = inside.right();
    for (QObject* object : parent.children()) {
        auto* sibling = qobject_cast<QWidget*>(object);
        if (!sibling || sibling == &widget) {
            continue;
        }
        const QRect other = inkRect(*sibling);
        if (other.isEmpty() || other.bottom() < geometry.top() || other.top() > geometry.bottom()) {
            continue;
        }
        if (other.right() < geometry.left()) {
            leftLimit = std::max(leftLimit, other.right() + 1 + kGap);
        } else if (other.left() > geometry.right()) {
            rightLimit = std::min(rightLimit, other.left() - 1 - kGap);
        }
    }
    return { std::max(0, geometry.left() - leftLimit), std::max(0, rightLimit - geometry.right()) };
}

// Splits `extra` pixels between the two sides: the preferred side's free
// room first, then the other side's, and what neither has as the growth
// asks.
std::pair<int, int> share(int extra, Growth growth, int roomBefore, int roomAfter)
{
    if (growth == Growth::Before) {
        const auto [after, before] = share(extra, Growth::After, roomAfter, roomBefore);
        return { before, after };
    }
    if (growth == Growth::After) {
        const int after = std::min(extra, roomAfter);
        const int before = std::min(extra - after, roomBefore);
        return { before, extra - before };
    }
    int before = std::min(extra / 2, roomBefore);
    int after = std::min(extra - before, roomAfter);
    before += std::min(extra - before - after, roomBefore - before);
    const int rest = extra - before - after;
    return { before + rest / 2, after + rest - rest / 2 };
}

void fitControl(QWidget& widget)
{
    Need need;
    if (!placedByDesign(widget) || !controlNeed(widget, need)) {
        return;
    }
    QRect geometry = widget.geometry();
    if (need.width > geometry.width()) {
        const auto [roomLeft, roomRight] = freeRoom(widget, geometry);
        const auto [left, right] = share(need.width - geometry.width(), need.horizontal, roomLeft, roomRight);
        geometry.adjust(-left, 0, right, 0);
    }
    if (need.height > geometry.height()) {
        const auto [up, down] = share(need.height - geometry.height(), need.vertical, 0, 0);
        geometry.adjust(0, -up, 0, down);
    }
    if (geometry != widget.geometry()) {
        widget.setGeometry(geometry);
    }
}

// A text box filled by the program shows the value's start: its cursor goes
// home unless the user is in the box or the program chose a selection.
void showStartOfValues(QLineEdit& box)
{
    static const char* const kWatched = "korvelShowsStart";
    if (box.property(kWatched).toBool()) {
        return;
    }
    box.setProperty(kWatched, true);
    const auto home = [&box](int, int position) {
        if (position != 0 && !box.hasFocus() && !box.hasSelectedText()) {
            box.setCursorPosition(0);
        }
    };
    QObject::connect(&box, &QLineEdit::cursorPositionChanged, &box, home);
    home(0, box.cursorPosition());
}

class TextFitter final : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!watched->isWidgetType()) {
            return false;
        }
        auto& widget = static_cast<QWidget&>(*watched);
        switch (event->type()) {
        case QEvent::Show:
            fitControl(widget);
            break;
        case QEvent::LayoutRequest:
            // A shown container without a layout hears this when a
            // control's text changes.
            if (!widget.layout()) {
                for (QObject* child : widget.children()) {
                    if (child->isWidgetType()) {
                        fitControl(static_cast<QWidget&>(*child));
                    }
                }
            }
            break;
        case QEvent::Polish:
            if (auto* box = qobject_cast<QLineEdit*>(&widget)) {
                showStartOfValues(*box);
            }
            break;
        case QEvent::FocusOut:
            // The user moved on: the value they left shows from its start
            // again (not when a menu or another window only borrowed the
            // focus, the user comes back to where they were).
            if (auto* box = qobject_cast<QLineEdit*>(&widget)) {
                const auto reason = static_cast<QFocusEvent*>(event)->reason();
                if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
                    box->setCursorPosition(0);
                }
            }
            break;
        default:
            break;
        }
        return false;
    }
};

} // namespace

void fitTextsToControls(QWidget& root)
{
    fitControl(root);
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        fitControl(*widget);
    }
}

void installTextFitting()
{
    // The fitter lives as long as the application, as its child.
    static const QString name = QStringLiteral("korvelTextFitter");
    QCoreApplication* application = QCoreApplication::instance();
    if (!application->findChild<QObject*>(name, Qt::FindDirectChildrenOnly)) {
        auto* fitter = new TextFitter(application);
        fitter->setObjectName(name);
        application->installEventFilter(fitter);
    }
}

int openEndBlanksWidth(const QFontMetrics& metrics, const QString& text, Qt::Alignment alignment)
{
    if (text.contains(u'\n')) {
        return 0;
    }
    qsizetype first = 0;
    qsizetype end = text.size();
    if (alignment & Qt::AlignRight) {
        while (first < end && text.at(first) == u' ') {
            ++first;
        }
    } else if (!(alignment & Qt::AlignHCenter)) {
        while (end > first && text.at(end - 1) == u' ') {
            --end;
        }
    }
    return metrics.horizontalAdvance(text) - metrics.horizontalAdvance(text.mid(first, end - first));
}
