#include "platform/blocked_press.h"

#include <QAbstractSlider>
#include <QEvent>
#include <QMouseEvent>

namespace {

class PressLetGo final : public QObject
{
public:
    explicit PressLetGo(QAbstractSlider& control)
        : QObject(&control)
        , m_control(control)
    {
        control.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_control && event->type() == QEvent::WindowBlocked) {
            letGo();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void letGo()
    {
        // The release goes straight to the control's own handling: one sent
        // through the application would, where the control had no press, be
        // passed on to its parents as a release of theirs.
        const QPointF at = QRectF(m_control.rect()).center();
        QMouseEvent release(QEvent::MouseButtonRelease, at, m_control.mapToGlobal(at), Qt::LeftButton,
            Qt::NoButton, Qt::NoModifier);
        static_cast<QObject&>(m_control).event(&release);
    }

    QAbstractSlider& m_control;
};

} // namespace

void letGoWhenBlocked(QAbstractSlider& control)
{
    new PressLetGo(control);
}
