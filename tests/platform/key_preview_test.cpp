#include "platform/key_preview.h"
#include "platform/vb_input_codes.h"
#include "tests/support/korvel_test.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// A box that counts the keys that reach it.
class CountingBox : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        ++keys;
        QLineEdit::keyPressEvent(event);
    }
};

class KeyPreviewTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        auto* layout = new QVBoxLayout(&m_form);
        m_box = new CountingBox(&m_form);
        layout->addWidget(m_box);
        m_preview = new KeyPreview(m_form);
        QObject::connect(m_preview, &KeyPreview::KeyDown, [this](int keyCode, int shift) {
            m_keys.push_back({ keyCode, shift });
        });
        m_form.show();
        m_box->setFocus();
    }

    // A key as the window system delivers it: to the focused control.
    static void press(QWidget& receiver, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&receiver, &event);
    }

    QWidget m_form;
    CountingBox* m_box = nullptr;
    KeyPreview* m_preview = nullptr;
    std::vector<std::pair<int, int>> m_keys;
};

} // namespace

TEST_F(KeyPreviewTest, FormHearsEachKeyOnceAndTheControlStillGetsIt)
{
    press(*m_box, Qt::Key_F11);
    press(*m_box, Qt::Key_Return);
    press(*m_box, Qt::Key_1, Qt::ControlModifier);
    ASSERT_EQ(m_keys.size(), 3u) << "not again as the key goes on to the parents";
    EXPECT_EQ(m_keys[0], std::make_pair(122, 0));
    EXPECT_EQ(m_keys[1], std::make_pair(13, 0));
    EXPECT_EQ(m_keys[2], std::make_pair(49, 2));
    EXPECT_EQ(m_box->keys, 3) << "nothing is consumed";
}

TEST_F(KeyPreviewTest, KeysOfOtherWindowsAreNotTheFormsOwn)
{
    CountingBox other;
    other.show();
    press(other, Qt::Key_Escape);
    EXPECT_TRUE(m_keys.empty());
    EXPECT_EQ(other.keys, 1);
}

TEST_F(KeyPreviewTest, FormWithoutAFocusedControlHearsItsOwnKeys)
{
    QWidget bare;
    KeyPreview preview(bare);
    int heard = 0;
    QObject::connect(&preview, &KeyPreview::KeyDown, [&heard] { ++heard; });
    press(bare, Qt::Key_Escape);
    EXPECT_EQ(heard, 1);
}

TEST_F(KeyPreviewTest, KeyUpComesOnceWhenTheKeyIsLetGo)
{
    std::vector<std::pair<int, int>> released;
    QObject::connect(m_preview, &KeyPreview::KeyUp, [&released](int keyCode, int shift) {
        released.push_back({ keyCode, shift });
    });
    const auto release = [this](int key, Qt::KeyboardModifiers modifiers, bool autoRepeat) {
        QKeyEvent event(QEvent::KeyRelease, key, modifiers, QString(), autoRepeat);
        QApplication::sendEvent(m_box, &event);
    };
    release(Qt::Key_Tab, Qt::ControlModifier, true); // a held key repeating
    release(Qt::Key_Tab, Qt::ControlModifier, false);
    release(Qt::Key_Backtab, Qt::ControlModifier, false); // Shift left out by the window system
    ASSERT_EQ(released.size(), 2u);
    EXPECT_EQ(released[0], std::make_pair(9, 2));
    EXPECT_EQ(released[1], std::make_pair(9, 3)) << "Backtab is Tab with Shift";
    EXPECT_TRUE(m_keys.empty()) << "a release is no KeyDown";
}

TEST(VbInputCodes, KeysAreTheirVirtualKeyCodes)
{
    EXPECT_EQ(vbKeyCode(Qt::Key_Tab), 9);
    EXPECT_EQ(vbKeyCode(Qt::Key_Backtab), 9) << "Shift+Tab is Tab with Shift";
    EXPECT_EQ(vbKeyCode(Qt::Key_Enter), 13);
    EXPECT_EQ(vbKeyCode(Qt::Key_Escape), 27);
    EXPECT_EQ(vbKeyCode(Qt::Key_2), 50);
    EXPECT_EQ(vbKeyCode(Qt::Key_Exclam), 49) << "Shift+1 is still the key 1";
    EXPECT_EQ(vbKeyCode(Qt::Key_O), 79);
    EXPECT_EQ(vbKeyCode(Qt::Key_F5), 116);
    EXPECT_EQ(vbKeyCode(Qt::Key_Delete), 46);
    EXPECT_EQ(vbKeyCode(Qt::Key_MediaPlay), 0);
}

TEST(VbInputCodes, TheNumericPadsPlusAndMinusHaveCodesOfTheirOwn)
{
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int code;
    } rows[] = { { Qt::Key_Plus, Qt::KeypadModifier, vbKeyAdd }, { Qt::Key_Minus, Qt::KeypadModifier, vbKeySubtract },
        { Qt::Key_Plus, Qt::NoModifier, 0 }, { Qt::Key_5, Qt::KeypadModifier, 53 },
        { Qt::Key_Up, Qt::KeypadModifier, vbKeyUp } };
    for (const auto& row : rows) {
        const QKeyEvent event(QEvent::KeyPress, row.key, row.modifiers);
        EXPECT_EQ(vbKeyCode(event), row.code) << row.key;
    }
}

TEST(VbInputCodes, ModifiersAndButtonsAreTheRuntimesMasks)
{
    EXPECT_EQ(vbShift(Qt::ControlModifier | Qt::ShiftModifier), 3);
    EXPECT_EQ(vbShift(Qt::AltModifier), 4);
    EXPECT_EQ(vbShift(Qt::MetaModifier), 0);
    EXPECT_EQ(vbButton(Qt::LeftButton), 1);
    EXPECT_EQ(vbButton(Qt::RightButton), 2);
    EXPECT_EQ(vbButton(Qt::MiddleButton), 4);
    EXPECT_EQ(vbButton(Qt::LeftButton | Qt::RightButton), 3);
}
