#pragma once
// The runtime's KeyPreview of a form: the form hears every key pressed in it
// (KeyDown with the virtual-key code and the shift mask) before the control
// that has the focus, and the key still goes on to that control: nothing is
// consumed. KeyUp comes once when the key is let go: the releases of a held
// key's auto-repeat are not releases of the key. Keys of other windows (a floating tool window, an open menu,
// a dialog) are not the form's.
//
// Each key is reported once, when it reaches the widget Qt delivers it to
// first (the form's focus widget, or the form itself when none has the
// focus), not again as it is passed up to the parents.
#include <QObject>
#include <QPointer>

class QWidget;

class KeyPreview final : public QObject
{
    Q_OBJECT
public:
    // Listens to the application's keys for `form` until destroyed.
    explicit KeyPreview(QWidget& form);
    ~KeyPreview() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void KeyDown(int keyCode, int shift);
    void KeyUp(int keyCode, int shift);

private:
    QPointer<QWidget> m_form;
};
