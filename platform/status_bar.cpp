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
    update();
}

void StatusBar::refresh()
{
    // Long operations run on the user-interface thread and set texts between
    // steps; the bar shows them at once, not when the loop next runs.
    if (isVisible()) {
        repaint();
    }
}

int StatusBar::panelLeft(int index) const
{
    panel(index);
    return places()[size_t(index - 1)].left;
}

int StatusBar::panelWidth(int index) const
{
    panel(index);
    return places()[size_t(index - 1)].width;
}

int StatusBar::panelAt(int x) const
{
    const std::vector<Place> placed = places();
    for (size_t i = 0; i < placed.size(); ++i) {
        if (x >= placed[i].left && x < placed[i].left + placed[i].width) {
            return int(i) + 1;
        }
    }
    return 0;
}

QSize StatusBar::sizeHint() const
{
    // The control's height follows its font: the text line plus the bevels.
    return { 200, qMax(19, fontMetrics().height() + 6) };
}

std::vector<StatusBar::Place> StatusBar::places() const
{
    std::vector<Place> placed(m_panels.size());
    int fixed = 0;
    int springs = 0;
    for (size_t i = 0; i < m_panels.size(); ++i) {
        const StatusPanel& panel = m_panels[i];
        if (panel.AutoSize == PanelAutoSize::Spring) {
            ++springs;
            placed[i].width = panel.MinWidth;
        } else if (panel.AutoSize == PanelAutoSize::Contents) {
            placed[i].width
                = qMax(panel.MinWidth, fontMetrics().horizontalAdvance(panel.Text) + 2 * kTextMargin);
        } else {
            placed[i].width = panel.Width;
        }
        fixed += placed[i].width + (i ? kPanelGap : 0);
    }
    // Equal shares of what is left; the last spring takes what the division leaves.
    const int spare = qMax(0, width() - fixed);
    int left = 0;
    int springsLeft = springs;
    for (size_t i = 0; i < m_panels.size(); ++i) {
        if (m_panels[i].AutoSize == PanelAutoSize::Spring) {
            const int share = spare / springs;
            placed[i].width += --springsLeft > 0 ? share : spare - share * (springs - 1);
        }
        placed[i].left = left;
        left += placed[i].width + kPanelGap;
    }
    return placed;
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
    }
    QWidget::changeEvent(event);
}

void StatusBar::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF position = event->position();
    emit MouseUp(
        vbButton(event->button()), vbShift(event->modifiers()), float(position.x()), float(position.y()));
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
    const std::vector<Place> placed = places();
    for (size_t i = 0; i < m_panels.size(); ++i) {
        const StatusPanel& panel = m_panels[i];
        const QRect box(placed[i].left, 2, placed[i].width, height() - 2);
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
        painter.drawText(
            box.adjusted(kTextMargin, 0, -kTextMargin, 0), Qt::AlignVCenter | Qt::AlignLeft, panel.Text);
    }
}
