#pragma once
// The runtime's KeyPreview of a form: the form hears every key pressed in it
// (KeyDown with the virtual-key code and the shift mask) before the control
// that has the focus, and the key still goes on to that control: nothing is
// consumed. KeyUp comes once when the key is let go: the releases of a held
// key's auto-repeat are not releases of the key. Keys of other windows (a floating tool window, an open menu,
// a dialog) are not the form's.
//
// Each key press is reported exactly once, when it first reaches a widget of
// the form, not again as Qt passes it up to the parents, and not again when
// Qt calls the application's filters a second time for the same widget (it
// does when a filter is installed or removed while the key is delivered, as
// a redraw's input guard and a closing tool window do). KeyPreviewApplication
// notes which previews have heard each key on its way, so neither that nor a
// handler moving the focus (a view-mode switch hiding the focused control)
// makes one key two. Under a plain QApplication the focus at each step
// decides instead, which holds only while nothing of the kind happens.
#include <QApplication>
#include <QObject>
#include <QPointer>
#include <optional>

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
    // Under a plain QApplication: whether the form's focus (or the form
    // when nothing in it has the focus) is the watched widget.
    bool isFocusedReceiver(const QObject* watched) const;

    QPointer<QWidget> m_form;
};

// The application object of a program whose forms preview keys: it notes
// every key press it delivers, from the first receiver up through the
// parents, and which previews have heard it meanwhile.
class KeyPreviewApplication : public QApplication
{
    Q_OBJECT
public:
    KeyPreviewApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Notes that `listener` has heard the key press `event`: true the first
    // time during its delivery, false after. Nothing when the event is no
    // key press on its way through a KeyPreviewApplication.
    static std::optional<bool> hearKey(const QEvent* event, const QObject* listener);
};
