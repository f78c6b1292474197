#pragma once
// The common controls' toolbar: buttons counted from 1, each with a picture,
// a tip, an enabled state and a style. A button of the check style stays
// pressed after a click until the next click or until the code releases it;
// its Value is 1 while pressed. Buttons stand in rows of ButtonWidth x
// ButtonHeight pixels and wrap to the next row at the toolbar's width, so a
// toolbar two buttons wide shows four buttons as a square.
//
// ButtonClick reports a click by the user with the button's index, after a
// check-style button has changed its Value; setting Value from code reports
// nothing, as the control did.
#include <QIcon>
#include <QString>
#include <QWidget>

#include <vector>

class QToolButton;

enum class ToolButtonStyle { Default, Check };

class ToolBar : public QWidget
{
    Q_OBJECT
public:
    explicit ToolBar(QWidget* parent = nullptr);

    // Appends a button and returns its index.
    int addButton(const QString& toolTip, ToolButtonStyle style = ToolButtonStyle::Default);
    int buttonCount() const { return int(m_buttons.size()); }

    // Index 1..buttonCount(); another index raises error 35600 "Index out of bounds".
    int Value(int index) const;
    void setValue(int index, int value);
    bool Enabled(int index) const;
    void setEnabled(int index, bool enabled);
    using QWidget::setEnabled; // the whole toolbar
    void setImage(int index, const QIcon& image);
    // The button widget itself, for layout and tests.
    QToolButton* button(int index) const;

    int ButtonWidth() const { return m_buttonWidth; }
    int ButtonHeight() const { return m_buttonHeight; }
    void setButtonSize(int width, int height);

signals:
    void ButtonClick(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // A hidden toolbar hears of no resize; it places its buttons as it shows.
    void showEvent(QShowEvent* event) override;

private:
    QToolButton* checked(int index) const;
    void placeButtons();

    std::vector<QToolButton*> m_buttons;
    int m_buttonWidth = 23;
    int m_buttonHeight = 22;
};
