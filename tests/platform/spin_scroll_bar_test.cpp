#include "platform/spin_scroll_bar.h"
#include "tests/support/korvel_test.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>

#include <functional>

using SpinScrollBarTest = KorvelTest;

// The arrows and the track are pressed in the guidance windows' own spins;
// here the keys and the wheel, which reach the bar alone.
TEST_F(SpinScrollBarTest, KeysAndWheelMoveTowardTheEndTheyPointAt)
{
    // 0 at the bottom end, 359 at the top; the thumb starts in the middle.
    SpinScrollBar bar;
    bar.setRange(0, 359);
    bar.setSingleStep(1);
    bar.setPageStep(10);
    bar.resize(15, 120);
    bar.show();
    const auto key = [&bar](Qt::Key key) {
        return [&bar, key] {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(&bar, &press);
        };
    };
    const auto wheel = [&bar](int delta) {
        return [&bar, delta] {
            QWheelEvent turn(QPointF(7, 60), bar.mapToGlobal(QPointF(7, 60)), QPoint(), QPoint(0, delta),
                Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(&bar, &turn);
        };
    };
    const int notch = QApplication::wheelScrollLines();
    const struct
    {
        const char* name;
        std::function<void()> act;
        int expected;
    } rows[] = {
        { "Up", key(Qt::Key_Up), 181 },
        { "Down", key(Qt::Key_Down), 179 },
        { "Page Up", key(Qt::Key_PageUp), 190 },
        { "Page Down", key(Qt::Key_PageDown), 170 },
        { "Home: the top end", key(Qt::Key_Home), 359 },
        { "End: the bottom end", key(Qt::Key_End), 0 },
        { "wheel turned away", wheel(120), 180 + notch },
        { "wheel turned toward", wheel(-120), 180 - notch },
    };
    for (const auto& row : rows) {
        bar.setValue(180);
        int changes = 0;
        const QMetaObject::Connection counting
            = QObject::connect(&bar, &QScrollBar::valueChanged, [&changes] { ++changes; });
        row.act();
        QObject::disconnect(counting);
        EXPECT_EQ(bar.value(), row.expected) << row.name;
        EXPECT_EQ(changes, 1) << row.name << ": one step, one change";
    }
}
