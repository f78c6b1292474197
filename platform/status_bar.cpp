#include "platform/status_bar.h"

#include "platform/vb_error.h"
#include "platform/vb_input_codes.h"
#include "platform/vb_runtime_errors.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kPanelGap = 2; // pixels between two panels
constexpr int kTextMargin = 3; // pixels between a panel's edge and its text

[[noreturn]] void indexOutOfBounds()
{
    throw VbError(35600, runtimeErrorSource(), QStringLiteral("Index out of bounds"));
}

} // namespace

StatusBar::StatusBar(QWidget* parent)
    : QWidget(parent)
{
    setPanelCount(1);
    if (parent) {
        parent->installEventFilter(this);
    }
    alignToParentBottom();
}

void StatusBar::setPanelCount(int count)
{
    m_panels.assign(size_t(qMax(0, count)), StatusPanel {});
    refresh();
}

StatusPanel& StatusBar::panel(int index)
{
    if (index < 1 || index > panelCount()) {
        indexOutOfBounds();
    }
    return m_panels[size_t(index - 1)];
}

const StatusPanel& StatusBar::panel(int index) const
{
    if (index < 1 || index > panelCount()) {
        indexOutOfBounds();
    }
    return m_panels[size_t(index - 1)];
}

int StatusBar::panelIndex(const QString& key) const
{
    for (int i = 1; i <= panelCount(); ++i) {
        if (!key.isEmpty() && m_panels[size_t(i - 1)].Key == key) {
            return i;
        }
    }
    return 0;
}

void StatusBar::setPanelText(int index, const QString& text)
{
    panel(index).Text = text;
    refresh();
}

void StatusBar::setPanelWidth(int index, int widthPixels)
{
    panel(index).Width = qMax(0, widthPixels);
    refresh();
}

void StatusBar::refresh()
{
    layOutPanels();
    // Long operations run on the user-interface thread and set texts between
    // steps; the bar shows them at once, not when the loop next runs.
    if (isVisible()) {
        repaint();
    }
}

int StatusBar::panelLeft(int index) const
{
    panel(index);
    return m_lefts[size_t(index - 1)];
}

int StatusBar::panelWidth(int index) const
{
    panel(index);
    return m_widths[size_t(index - 1)];
}

int StatusBar::panelAt(int x) const
{
    for (int i = 1; i <= panelCount(); ++i) {
        if (x >= m_lefts[size_t(i - 1)] && x < m_lefts[size_t(i - 1)] + m_widths[size_t(i - 1)]) {
            return i;
        }
    }
    return 0;
}

QSize StatusBar::sizeHint() const
{
    // The control's height follows its font: the text line plus the bevels.
    return { 200, qMax(19, fontMetrics().height() + 6) };
}

void StatusBar::layOutPanels()
{
    const size_t count = m_panels.size();
    m_lefts.assign(count, 0);
    m_widths.assign(count, 0);
    int fixed = 0;
    int springs = 0;
    for (size_t i = 0; i < count; ++i) {
        const StatusPanel& panel = m_panels[i];
        if (panel.AutoSize == PanelAutoSize::Spring) {
            ++springs;
            m_widths[i] = panel.MinWidth;
        } else if (panel.AutoSize == PanelAutoSize::Contents) {
            m_widths[i] = qMax(panel.MinWidth, fontMetrics().horizontalAdvance(panel.Text) + 2 * kTextMargin);
        } else {
            m_widths[i] = panel.Width;
        }
        fixed += m_widths[i] + (i ? kPanelGap : 0);
    }
    const int spare = qMax(0, width() - fixed);
    int left = 0;
    int springsLeft = springs;
    for (size_t i = 0; i < count; ++i) {
        if (m_panels[i].AutoSize == PanelAutoSize::Spring) {
            // Equal shares; the last spring takes what the division leaves.
            const int share = spare / springs;
            m_widths[i] += --springsLeft > 0 ? share : spare - share * (springs - 1);
        }
        m_lefts[i] = left;
        left += m_widths[i] + kPanelGap;
    }
}

void StatusBar::alignToParentBottom()
{
    if (QWidget* owner = parentWidget()) {
        const int height = sizeHint().height();
        setGeometry(0, owner->height() - height, owner->width(), height);
    }
}

bool StatusBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        alignToParentBottom();
    }
    return false;
}

void StatusBar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        alignToParentBottom();
        layOutPanels();
    }
    QWidget::changeEvent(event);
}

void StatusBar::resizeEvent(QResizeEvent* event)
{
    layOutPanels();
    QWidget::resizeEvent(event);
}

void StatusBar::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF position = event->position();
    emit MouseUp(vbButton(event->button()), vbShift(event->modifiers()), float(position.x()), float(position.y()));
    if (event->button() == Qt::LeftButton) {
        if (const int index = panelAt(int(position.x()))) {
            emit PanelClick(index);
        }
    }
}

void StatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QPalette& colours = palette();
    for (int i = 1; i <= panelCount(); ++i) {
        const StatusPanel& panel = m_panels[size_t(i - 1)];
        const QRect box(m_lefts[size_t(i - 1)], 2, m_widths[size_t(i - 1)], height() - 2);
        if (panel.Bevel != PanelBevel::NoBevel) {
            const bool raised = panel.Bevel == PanelBevel::Raised;
            const QRect edge = box.adjusted(0, 0, -1, -1);
            painter.setPen(raised ? colours.light().color() : colours.mid().color());
            painter.drawLine(edge.topLeft(), edge.topRight());
            painter.drawLine(edge.topLeft(), edge.bottomLeft());
            painter.setPen(raised ? colours.mid().color() : colours.light().color());
            painter.drawLine(edge.bottomLeft(), edge.bottomRight());
            painter.drawLine(edge.topRight(), edge.bottomRight());
        }
        painter.setPen(colours.windowText().color());
        painter.drawText(box.adjusted(kTextMargin, 0, -kTextMargin, 0), Qt::AlignVCenter | Qt::AlignLeft,
            panel.Text);
    }
}
