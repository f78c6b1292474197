#pragma once
// The runtime's drag of controls in automatic drag mode: pressing the left
// button on such a control starts a drag of it; while the button is held the
// control under the pointer hears DragOver (state vbEnter as the pointer
// comes onto it, vbOver while it moves over it, vbLeave as it goes), and on
// release the control under the pointer hears DragDrop with the dragged
// control as the source. Nothing moves by itself: the handlers decide what a
// drop means. cancel() is the runtime's Drag with action 0: the drag ends and
// its release drops nothing.
//
// Qt keeps sending the mouse to the pressed control while its button is held,
// so the drag is followed from the source's own events; the control under the
// pointer is looked up in the source's window.
#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

inline constexpr int vbEnter = 0;
inline constexpr int vbLeave = 1;
inline constexpr int vbOver = 2;

class ControlDrag final : public QObject
{
    Q_OBJECT
public:
    explicit ControlDrag(QObject* parent = nullptr);
    ~ControlDrag() override;

    // Puts a control in automatic drag mode for as long as it lives.
    void setAutomaticDrag(QWidget& control);
    // The control being dragged, or nullptr while no drag is under way.
    QWidget* source() const { return m_source; }
    void cancel();

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // position is in the target's own pixels.
    void DragOver(QWidget* target, QWidget* source, QPoint position, int state);
    void DragDrop(QWidget* target, QWidget* source, QPoint position);

private:
    void start(QWidget& source, QPoint globalPosition);
    void follow(QPoint globalPosition);
    void drop(QPoint globalPosition);
    void end();
    QWidget* controlAt(QPoint globalPosition) const;

    QPointer<QWidget> m_source;
    QPointer<QWidget> m_over;
    bool m_cursorShown = false;
};
