#include "platform/status_bar.h"
#include "tests/platform/raised_error.h"
#include "tests/support/korvel_test.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

class StatusBarTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        m_parent.resize(600, 400);
        m_bar = new StatusBar(&m_parent);
        m_bar->setPanelCount(3);
        m_bar->panel(1).Width = 80;
        m_bar->panel(2).Width = 60;
        m_bar->panel(3).AutoSize = PanelAutoSize::Spring;
        m_parent.show();
        QObject::connect(m_bar, &StatusBar::PanelClick, [this](int index) { m_clicks.push_back(index); });
        QObject::connect(m_bar, &StatusBar::MouseUp, [this](int button, int shift, float, float) {
            m_mouseUps.push_back({ button, shift });
        });
    }

    void release(int x, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent event(QEvent::MouseButtonRelease, QPointF(x, 5), m_bar->mapToGlobal(QPointF(x, 5)),
            button, Qt::NoButton, modifiers);
        QApplication::sendEvent(m_bar, &event);
    }

    QWidget m_parent;
    StatusBar* m_bar = nullptr;
    std::vector<int> m_clicks;
    std::vector<std::pair<int, int>> m_mouseUps;
};

} // namespace

TEST_F(StatusBarTest, LiesAlongTheBottomOfItsParent)
{
    EXPECT_EQ(m_bar->geometry().bottom(), 399);
    EXPECT_EQ(m_bar->width(), 600);
    m_parent.resize(700, 500);
    EXPECT_EQ(m_bar->geometry().bottom(), 499);
    EXPECT_EQ(m_bar->width(), 700);
}

TEST_F(StatusBarTest, SpringPanelTakesTheRemainingWidth)
{
    EXPECT_EQ(m_bar->panelLeft(1), 0);
    EXPECT_EQ(m_bar->panelLeft(2), 82);
    EXPECT_EQ(m_bar->panelLeft(3), 144);
    EXPECT_EQ(m_bar->panelWidth(3), 600 - 144);
    m_parent.resize(800, 400);
    EXPECT_EQ(m_bar->panelWidth(3), 800 - 144);
    EXPECT_EQ(m_bar->panelAt(81), 0) << "the gap between two panels";
    EXPECT_EQ(m_bar->panelAt(100), 2);
}

TEST_F(StatusBarTest, PanelsCountFromOneAndAreFoundByKey)
{
    m_bar->panel(3).Key = "coords";
    EXPECT_EQ(m_bar->panelIndex("coords"), 3);
    EXPECT_EQ(m_bar->panelIndex("zone"), 0);
    EXPECT_EQ(raisedError([&] { m_bar->panel(0); }), 35600);
    EXPECT_EQ(raisedError([&] { m_bar->panel(4); }), 35600);
    m_bar->setPanelText(2, "Zone 17 N");
    EXPECT_EQ(m_bar->panel(2).Text, "Zone 17 N");
}

TEST_F(StatusBarTest, LeftClickReportsThePanelAndEveryReleaseItsButton)
{
    release(100, Qt::LeftButton);
    release(200, Qt::RightButton, Qt::ShiftModifier);
    release(81, Qt::LeftButton);
    EXPECT_EQ(m_clicks, std::vector<int>({ 2 }));
    ASSERT_EQ(m_mouseUps.size(), 3u);
    EXPECT_EQ(m_mouseUps[0], std::make_pair(1, 0));
    EXPECT_EQ(m_mouseUps[1], std::make_pair(2, 1));
}
