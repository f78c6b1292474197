#include "tests/support/clipped_texts.h"

#include "platform/text_fitting.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTextDocument>
#include <QtMath>

#include <vector>

namespace {

// What a title bar shows beside the title: the window's icon, a close box
// and on most desktops two more buttons, with their padding.
constexpr int kTitleBarChrome = 100;

struct Ink
{
    QWidget* widget;
    QString text;
    QRect rect; // in the window's coordinates
};

QString nameOf(const QWidget& widget)
{
    if (!widget.objectName().isEmpty()) {
        return widget.objectName();
    }
    const QWidget* parent = widget.parentWidget();
    if (!parent) {
        return QString::fromLatin1(widget.metaObject()->className());
    }
    return QStringLiteral("%1 in %2")
        .arg(QString::fromLatin1(widget.metaObject()->className()), nameOf(*parent));
}

// Controls inside Qt's own compound widgets (a drop-down's list, a spin
// box's field, a scrolled view's contents) are sized and clipped by them.
bool insideCompound(const QWidget& widget, const QWidget& window)
{
    for (const QWidget* parent = widget.parentWidget(); parent && parent != &window;
         parent = parent->parentWidget()) {
        if (qobject_cast<const QAbstractScrollArea*>(parent) || qobject_cast<const QComboBox*>(parent)
            || qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QTabBar*>(parent)) {
            return true;
        }
    }
    return false;
}

QSize plainTextSize(const QFontMetrics& metrics, const QString& text, bool mnemonics)
{
    return metrics.size(Qt::TextExpandTabs | (mnemonics ? Qt::TextShowMnemonic : 0), text);
}

bool isRichText(const QLabel& label)
{
    return label.textFormat() == Qt::RichText
        || (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(label.text()));
}

// The size a label's text takes and the room its label gives it.
std::pair<QSize, QRect> labelText(const QLabel& label)
{
    QRect room
        = label.contentsRect().adjusted(label.margin(), label.margin(), -label.margin(), -label.margin());
    if (label.indent() > 0) {
        room.adjust(label.indent(), 0, 0, 0);
    } else if (label.indent() < 0 && label.frameWidth() > 0) {
        room.adjust(label.fontMetrics().horizontalAdvance(u'x') / 2, 0, 0, 0);
    }
    if (isRichText(label)) {
        QTextDocument document;
        document.setDefaultFont(label.font());
        document.setDocumentMargin(0);
        document.setHtml(label.text());
        if (label.wordWrap()) {
            document.setTextWidth(room.width());
        }
        const int width = qCeil(label.wordWrap() ? document.size().width() : document.idealWidth());
        return { QSize(width, qCeil(document.size().height())), room };
    }
    if (label.wordWrap()) {
        const QRect wrapped = label.fontMetrics().boundingRect(
            QRect(0, 0, room.width(), 10000), Qt::TextWordWrap | Qt::TextExpandTabs, label.text());
        return { wrapped.size(), room };
    }
    QSize size = plainTextSize(label.fontMetrics(), label.text(), label.buddy() != nullptr);
    // Blanks where the alignment leaves room show nothing when cut.
    size.rwidth() -= openEndBlanksWidth(label.fontMetrics(), label.text(), label.alignment());
    return { size, room };
}

QStyleOptionButton buttonOption(const QAbstractButton& button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.icon = button.icon();
    option.iconSize = button.iconSize();
    if (const auto* push = qobject_cast<const QPushButton*>(&button)) {
        if (push->isDefault()) {
            option.features |= QStyleOptionButton::DefaultButton;
        }
        if (push->autoDefault()) {
            option.features |= QStyleOptionButton::AutoDefaultButton;
        }
    }
    return option;
}

QRect groupTitleRect(const QGroupBox& frame)
{
    QStyleOptionGroupBox option;
    option.initFrom(&frame);
    option.text = frame.title();
    option.textAlignment = frame.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (frame.isCheckable()) {
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    }
    option.features = frame.isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    return frame.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &frame);
}

class Walker
{
public:
    explicit Walker(QWidget& window)
        : m_window(window)
    {
    }

    void walk()
    {
        std::vector<Ink> inks;
        for (QWidget* widget : m_window.findChildren<QWidget*>()) {
            if (widget->isWindow() || !widget->isVisibleTo(&m_window) || insideCompound(*widget, m_window)) {
                continue;
            }
            measure(*widget, inks);
        }
        for (const Ink& ink : inks) {
            checkAncestors(ink);
        }
        checkOverlaps(inks);
    }

    QStringList offenders() const { return m_offenders; }

private:
    void report(const QWidget& widget, const QString& text, const QString& fault)
    {
        const QString line
            = QStringLiteral("%1/%2 \"%3\": %4")
                  .arg(nameOf(m_window), nameOf(widget), QString(text).replace(u'\n', u' '), fault);
        if (!m_offenders.contains(line)) {
            m_offenders << line;
        }
    }

    QRect toWindow(const QWidget& widget, const QRect& rect) const
    {
        return rect.translated(widget.mapTo(&m_window, QPoint(0, 0)));
    }

    void cut(const QWidget& widget, const QString& text, QSize needed, QSize room)
    {
        if (needed.width() > room.width()) {
            report(widget, text,
                QStringLiteral("cut: needs %1 pixels across, has %2").arg(needed.width()).arg(room.width()));
        } else if (needed.height() > room.height()) {
            report(widget, text,
                QStringLiteral("cut: needs %1 pixels down, has %2").arg(needed.height()).arg(room.height()));
        }
    }

    void measure(QWidget& widget, std::vector<Ink>& inks)
    {
        if (auto* label = qobject_cast<QLabel*>(&widget)) {
            measureLabel(*label, inks);
        } else if (qobject_cast<QCheckBox*>(&widget) || qobject_cast<QRadioButton*>(&widget)) {
            measureCheck(static_cast<QAbstractButton&>(widget), inks);
        } else if (auto* button = qobject_cast<QPushButton*>(&widget)) {
            measurePushButton(*button, inks);
        } else if (auto* frame = qobject_cast<QGroupBox*>(&widget)) {
            measureFrame(*frame, inks);
        } else if (auto* bar = qobject_cast<QTabBar*>(&widget)) {
            measureTabs(*bar);
        } else if (auto* box = qobject_cast<QLineEdit*>(&widget)) {
            measureTextBox(*box, inks);
        } else if (qobject_cast<QComboBox*>(&widget) || qobject_cast<QAbstractSpinBox*>(&widget)
            || qobject_cast<QAbstractItemView*>(&widget)) {
            inks.push_back({ &widget, QString(), toWindow(widget, widget.rect()) });
        }
    }

    void measureLabel(QLabel& label, std::vector<Ink>& inks)
    {
        if (label.text().trimmed().isEmpty()) {
            return;
        }
        const auto [needed, room] = labelText(label);
        cut(label, label.text(), needed, room.size());
        const QRect text = QStyle::alignedRect(
            label.layoutDirection(), label.alignment(), needed.boundedTo(room.size()), room);
        inks.push_back({ &label, label.text(), toWindow(label, text) });
    }

    void measureCheck(QAbstractButton& button, std::vector<Ink>& inks)
    {
        if (button.text().isEmpty()) {
            return;
        }
        const bool check = qobject_cast<QCheckBox*>(&button) != nullptr;
        const QStyleOptionButton option = buttonOption(button);
        const QRect contents = button.style()->subElementRect(
            check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, &button);
        const QSize needed = plainTextSize(button.fontMetrics(), button.text(), true);
        cut(button, button.text(), needed, contents.size());
        // The indicator and the text beside it, a line high.
        const int height = qMin(button.height(), needed.height());
        const QRect shown(0, (button.height() - height) / 2,
            qMin(button.width(), contents.left() + needed.width()), height);
        inks.push_back({ &button, button.text(), toWindow(button, shown) });
    }

    void measurePushButton(QPushButton& button, std::vector<Ink>& inks)
    {
        const QStyleOptionButton option = buttonOption(button);
        if (!button.text().isEmpty()) {
            const QRect contents
                = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
            QSize needed = plainTextSize(button.fontMetrics(), button.text(), true);
            if (!button.icon().isNull()) {
                needed.rwidth() += button.iconSize().width() + 4;
            }
            cut(button, button.text(), needed, contents.size());
        }
        inks.push_back({ &button, button.text(), toWindow(button, button.rect()) });
    }

    void measureFrame(QGroupBox& frame, std::vector<Ink>& inks)
    {
        if (frame.title().isEmpty()) {
            return;
        }
        const QRect title = groupTitleRect(frame);
        const int needed = plainTextSize(frame.fontMetrics(), frame.title(), true).width();
        if (title.width() < needed || title.left() < 0 || title.right() > frame.rect().right()) {
            report(frame, frame.title(),
                QStringLiteral("frame title cut: needs %1 pixels, the frame is %2")
                    .arg(needed)
                    .arg(frame.width()));
        }
        inks.push_back({ &frame, frame.title(), toWindow(frame, title) });
    }

    void measureTabs(QTabBar& bar)
    {
        for (int i = 0; i < bar.count(); ++i) {
            if (!bar.isTabVisible(i)) {
                continue;
            }
            QStyleOptionTab option;
            option.initFrom(&bar);
            option.rect = bar.tabRect(i);
            option.text = bar.tabText(i);
            option.shape = bar.shape();
            option.icon = bar.tabIcon(i);
            option.iconSize = bar.iconSize();
            const QRect text = bar.style()->subElementRect(QStyle::SE_TabBarTabText, &option, &bar);
            const QSize needed = plainTextSize(bar.fontMetrics(), bar.tabText(i), true);
            if (!bar.rect().contains(option.rect)) {
                report(bar, bar.tabText(i), QStringLiteral("tab reaches past its strip"));
            } else {
                cut(bar, bar.tabText(i), needed, text.size());
            }
        }
    }

    void measureTextBox(QLineEdit& box, std::vector<Ink>& inks)
    {
        inks.push_back({ &box, QString(), toWindow(box, box.rect()) });
        if (box.hasFocus() || box.echoMode() != QLineEdit::Normal) {
            return;
        }
        QStyleOptionFrame option;
        option.initFrom(&box);
        option.lineWidth = box.hasFrame() ? 1 : 0;
        const QRect room = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
        if (box.fontMetrics().horizontalAdvance(box.text()) > room.width() && box.cursorPosition() != 0) {
            report(box, box.text(), QStringLiteral("shows the end of its value, not its start"));
        }
    }

    // Qt cuts whatever a control paints at each container's edge.
    void checkAncestors(const Ink& ink)
    {
        for (QWidget* parent = ink.widget->parentWidget(); parent; parent = parent->parentWidget()) {
            const QRect room = toWindow(*parent, parent->rect());
            if (!room.contains(ink.rect)) {
                report(*ink.widget, ink.text,
                    QStringLiteral("reaches past the edge of %1").arg(nameOf(*parent)));
                return;
            }
            if (parent == &m_window) {
                return;
            }
        }
    }

    // The container a control is seen on: holders without a look of their
    // own (a plain widget grouping two options) are see-through.
    const QWidget* surface(const QWidget& widget) const
    {
        const QWidget* parent = widget.parentWidget();
        while (parent != &m_window && parent->metaObject() == &QWidget::staticMetaObject) {
            parent = parent->parentWidget();
        }
        return parent;
    }

    void checkOverlaps(const std::vector<Ink>& inks)
    {
        for (std::size_t i = 0; i < inks.size(); ++i) {
            for (std::size_t j = i + 1; j < inks.size(); ++j) {
                const Ink& a = inks[i];
                const Ink& b = inks[j];
                if ((a.text.isEmpty() && b.text.isEmpty()) || surface(*a.widget) != surface(*b.widget)
                    || !a.rect.intersects(b.rect)) {
                    continue;
                }
                const Ink& reported = a.text.isEmpty() ? b : a;
                const Ink& other = a.text.isEmpty() ? a : b;
                report(*reported.widget, reported.text,
                    QStringLiteral("overlaps %1").arg(nameOf(*other.widget)));
            }
        }
    }

    QWidget& m_window;
    QStringList m_offenders;
};

} // namespace

QStringList clippedTexts(QWidget& window)
{
    Walker walker(window);
    walker.walk();
    for (QTabBar* bar : window.findChildren<QTabBar*>()) {
        if (!bar->isVisibleTo(&window)) {
            continue;
        }
        const int current = bar->currentIndex();
        for (int i = 0; i < bar->count(); ++i) {
            if (i != current && bar->isTabEnabled(i) && bar->isTabVisible(i)) {
                bar->setCurrentIndex(i);
                QApplication::processEvents();
                walker.walk();
            }
        }
        bar->setCurrentIndex(current);
        QApplication::processEvents();
    }
    return walker.offenders();
}

QString clippedTitle(const QWidget& window)
{
    const QFontMetrics metrics(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    const int needed = metrics.horizontalAdvance(window.windowTitle()) + kTitleBarChrome;
    if (window.windowTitle().isEmpty() || needed <= window.width()) {
        return {};
    }
    return QStringLiteral("%1 \"%2\": title cut: needs %3 pixels, the window is %4")
        .arg(nameOf(window), window.windowTitle())
        .arg(needed)
        .arg(window.width());
}
