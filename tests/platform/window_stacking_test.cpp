#include "platform/window_stacking.h"
#include "tests/support/korvel_test.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {

class WindowStackingTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        m_main.show();
        m_tool = new QWidget(&m_main, Qt::Tool);
    }

    QWidget m_main;
    QWidget* m_tool = nullptr;
};

} // namespace

TEST_F(WindowStackingTest, TopmostShowsTheWindowWithoutActivatingIt)
{
    EXPECT_FALSE(stackingState(*m_tool).topmost) << "a window never asked about is normal";
    setTopmost(*m_tool, true);
    EXPECT_TRUE(stackingState(*m_tool).topmost);
    EXPECT_TRUE(m_tool->isVisible());
    EXPECT_TRUE(m_tool->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(m_tool->windowFlags() & Qt::WindowStaysOnTopHint);
    setTopmost(*m_tool, false);
    EXPECT_FALSE(stackingState(*m_tool).topmost);
    EXPECT_FALSE(m_tool->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
}

TEST_F(WindowStackingTest, PlacingBehindEndsTopmost)
{
    setTopmost(*m_tool, true);
    placeBehind(*m_tool, m_main);
    EXPECT_FALSE(stackingState(*m_tool).topmost);
    EXPECT_EQ(stackingState(*m_tool).behind, &m_main);
    sendToBack(m_main);
    EXPECT_TRUE(stackingState(m_main).atBack);
    // A hidden window kept topmost from its showing ends behind all the same.
    auto* shownLater = new QWidget(&m_main, Qt::Tool);
    setTopmostWhenShown(*shownLater);
    placeBehind(*shownLater, m_main);
    EXPECT_FALSE(stackingState(*shownLater).topmost);
}

TEST_F(WindowStackingTest, ActivationBringsAWindowBackFromTheBack)
{
    sendToBack(m_main);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&m_main, &activate);
    EXPECT_FALSE(stackingState(m_main).atBack);
}

TEST_F(WindowStackingTest, DestroyedWindowsAreForgotten)
{
    auto* window = new QWidget;
    setTopmost(*window, true);
    const QWidget* address = window;
    delete window;
    QWidget reused;
    EXPECT_FALSE(stackingState(*address).topmost);
}
