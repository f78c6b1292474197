#pragma once
// The user's focus moving into and out of a form's boxes, as the box sees
// it, for forms whose fields check themselves when they are left.
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

inline void enter(QWidget* box)
{
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(box, &in);
}

inline void leave(QWidget* box)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
}

// The user types a text into a box and leaves it.
inline void type(QLineEdit* box, const QString& text)
{
    enter(box);
    box->setText(text);
    leave(box);
}
