#include "platform/tool_bar.h"

#include "platform/vb_error.h"
#include "platform/vb_runtime_errors.h"

#include <QToolButton>

ToolBar::ToolBar(QWidget* parent)
    : QWidget(parent)
{
}

int ToolBar::addButton(const QString& toolTip, ToolButtonStyle style)
{
    auto* button = new QToolButton(this);
    button->setAutoRaise(true);
    button->setToolTip(toolTip);
    button->setCheckable(style == ToolButtonStyle::Check);
    button->setFocusPolicy(Qt::NoFocus);
    m_buttons.push_back(button);
    const int index = buttonCount();
    button->setObjectName(QStringLiteral("%1.Buttons(%2)").arg(objectName()).arg(index));
    // clicked, not toggled: a Value set by code reports nothing.
    connect(button, &QToolButton::clicked, this, [this, index] { emit ButtonClick(index); });
    placeButtons();
    button->show();
    return index;
}

QToolButton* ToolBar::checked(int index) const
{
    if (index < 1 || index > buttonCount()) {
        throw VbError(35600, runtimeErrorSource(), QStringLiteral("Index out of bounds"));
    }
    return m_buttons[size_t(index - 1)];
}

QToolButton* ToolBar::button(int index) const
{
    return checked(index);
}

int ToolBar::Value(int index) const
{
    return checked(index)->isChecked() ? 1 : 0;
}

void ToolBar::setValue(int index, int value)
{
    QToolButton* button = checked(index);
    if (button->isCheckable()) {
        button->setChecked(value != 0);
    }
}

bool ToolBar::Enabled(int index) const
{
    return checked(index)->isEnabled();
}

void ToolBar::setEnabled(int index, bool enabled)
{
    checked(index)->setEnabled(enabled);
}

void ToolBar::setImage(int index, const QIcon& image)
{
    checked(index)->setIcon(image);
}

void ToolBar::setButtonSize(int width, int height)
{
    m_buttonWidth = qMax(1, width);
    m_buttonHeight = qMax(1, height);
    placeButtons();
}

void ToolBar::resizeEvent(QResizeEvent* event)
{
    placeButtons();
    QWidget::resizeEvent(event);
}

void ToolBar::showEvent(QShowEvent* event)
{
    placeButtons();
    QWidget::showEvent(event);
}

void ToolBar::placeButtons()
{
    const int perRow = qMax(1, width() / m_buttonWidth);
    const QSize iconSize(qMax(1, m_buttonWidth - 7), qMax(1, m_buttonHeight - 6));
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        const int row = int(i) / perRow;
        const int column = int(i) % perRow;
        m_buttons[i]->setGeometry(
            column * m_buttonWidth, row * m_buttonHeight, m_buttonWidth, m_buttonHeight);
        m_buttons[i]->setIconSize(iconSize);
    }
}
