#include "platform/tool_bar.h"
#include "tests/platform/raised_error.h"
#include "tests/support/korvel_test.h"

#include <QToolButton>

namespace {

class ToolBarTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        m_bar.addButton("Zoom Selected GIS Layers");
        m_bar.addButton("Zoom Selected Images");
        m_bar.addButton("Custom Zoom", ToolButtonStyle::Check);
        m_bar.addButton("Previous Zoom");
        QObject::connect(&m_bar, &ToolBar::ButtonClick, [this](int index) { m_clicks.push_back(index); });
        m_bar.show();
    }

    ToolBar m_bar;
    std::vector<int> m_clicks;
};

} // namespace

TEST_F(ToolBarTest, CheckStyleButtonStaysPressedUntilClickedAgain)
{
    m_bar.button(3)->click();
    EXPECT_EQ(m_bar.Value(3), 1);
    m_bar.button(3)->click();
    EXPECT_EQ(m_bar.Value(3), 0);
    m_bar.button(1)->click();
    EXPECT_EQ(m_bar.Value(1), 0) << "a plain button springs back";
    EXPECT_EQ(m_clicks, std::vector<int>({ 3, 3, 1 }));
}

TEST_F(ToolBarTest, ValueSetByCodeReportsNoClick)
{
    m_bar.setValue(3, 1);
    EXPECT_EQ(m_bar.Value(3), 1);
    m_bar.setValue(3, 0);
    EXPECT_TRUE(m_clicks.empty());
    m_bar.setEnabled(4, false);
    EXPECT_FALSE(m_bar.Enabled(4));
    EXPECT_EQ(raisedError([&] { m_bar.Value(5); }), 35600);
}

TEST_F(ToolBarTest, ButtonsWrapAtTheToolbarsWidth)
{
    m_bar.setButtonSize(23, 22);
    m_bar.resize(46, 44);
    EXPECT_EQ(m_bar.button(2)->geometry(), QRect(23, 0, 23, 22));
    EXPECT_EQ(m_bar.button(3)->geometry(), QRect(0, 22, 23, 22));
    EXPECT_EQ(m_bar.button(4)->geometry(), QRect(23, 22, 23, 22));
    m_bar.resize(200, 22);
    EXPECT_EQ(m_bar.button(4)->geometry(), QRect(69, 0, 23, 22));
}
