#include "platform/control_array_loaders.h"
#include "tests/platform/raised_error.h"
#include "tests/support/korvel_test.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QWidget>

namespace {

class ControlArrayTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        auto* label = new QLabel("template", &m_form);
        label->setObjectName(m_labels.elementName(0));
        label->setGeometry(10, 20, 30, 15);
        label->setToolTip("a tip");
        label->hide();
        m_labels.setElement(0, label);
        m_labels.setLoader(widgetLoader(m_labels));
    }

    QWidget m_form;
    ControlArray<QLabel> m_labels { "Label2" };
};

QStringList captions(const QMenu& menu)
{
    QStringList list;
    for (const QAction* item : menu.actions()) {
        list << item->text();
    }
    return list;
}

} // namespace

TEST_F(ControlArrayTest, LoadCopiesTheTemplateAndStartsHidden)
{
    QLabel& label = m_labels.load(3);
    EXPECT_EQ(label.parentWidget(), &m_form);
    EXPECT_EQ(label.geometry(), QRect(10, 20, 30, 15));
    EXPECT_EQ(label.text(), "template");
    EXPECT_EQ(label.toolTip(), "a tip");
    EXPECT_EQ(label.objectName(), "Label2(3)");
    EXPECT_TRUE(label.isHidden());
    EXPECT_EQ(&m_labels[3], &label);
    EXPECT_EQ(m_labels.UBound(), 3);
    EXPECT_EQ(m_labels.Count(), 2);
    EXPECT_EQ(m_labels.indexOf(&label), 3);
    EXPECT_EQ(m_labels.at(2), nullptr);
}

TEST_F(ControlArrayTest, UnloadDeletesTheElementAndShrinksTheBound)
{
    QPointer<QLabel> label = &m_labels.load(1);
    m_labels.load(2);
    m_labels.unload(2);
    EXPECT_EQ(m_labels.UBound(), 1);
    m_labels.unloadAll();
    EXPECT_TRUE(label.isNull());
    EXPECT_EQ(m_labels.UBound(), 0) << "the template stays";
    EXPECT_TRUE(m_labels.exists(0));
}

TEST_F(ControlArrayTest, RuntimeErrorsOfTheArray)
{
    m_labels.load(1);
    EXPECT_EQ(raisedError([&] { m_labels.load(1); }), 360) << "already loaded";
    EXPECT_EQ(raisedError([&] { m_labels[5]; }), 340) << "no such element";
    EXPECT_EQ(raisedError([&] { m_labels.unload(5); }), 340);
    EXPECT_EQ(raisedError([&] { m_labels.unload(0); }), 362) << "the design's element stays";
    EXPECT_EQ(raisedError([&] { m_labels.load(-1); }), 340);

    ControlArray<QLabel> withoutTemplate("MetLabel");
    EXPECT_EQ(raisedError([&] { withoutTemplate.load(1); }), 340);
}

TEST_F(ControlArrayTest, MenuItemsStandInIndexOrderAfterTheTemplate)
{
    QMenu menu;
    menu.addAction("before");
    auto* templateItem = menu.addAction("");
    templateItem->setCheckable(true);
    menu.addAction("after");
    ControlArray<QAction> items("PopUp_EllipsoidList");
    items.setElement(0, templateItem);
    items.setLoader(menuItemLoader(items));
    items.load(2).setText("GRS80");
    items.load(1).setText("WGS84");
    items.load(3).setText("Clarke 1866");
    EXPECT_EQ(captions(menu), QStringList({ "before", "", "WGS84", "GRS80", "Clarke 1866", "after" }));
    EXPECT_TRUE(items[1].isCheckable());
    EXPECT_TRUE(items[1].isVisible());
    EXPECT_EQ(items[3].objectName(), "PopUp_EllipsoidList(3)");

    items[2].trigger();
    EXPECT_FALSE(items[2].isChecked()) << "a click leaves the check mark to the code";
    items.unload(2);
    EXPECT_EQ(captions(menu), QStringList({ "before", "", "WGS84", "Clarke 1866", "after" }));
}
