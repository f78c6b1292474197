// Controls placed in pixels grow to texts wider than their design, in the
// direction of their alignment and into free room first; text boxes show a
// value's start.
#include "platform/text_fitting.h"
#include "tests/support/korvel_test.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace {

using TextFitting = KorvelTest;

constexpr const char* kLongText = "A caption far longer than its design";

TEST_F(TextFitting, ControlsGrowTowardsTheirAlignmentIntoFreeRoom)
{
    struct Case
    {
        const char* name;
        std::function<QWidget*(QWidget&)> make;
        QRect neighbour; // an obstacle beside the control; empty for none
        bool growsLeft;
        bool growsRight;
    };
    const auto label = [](Qt::Alignment alignment) {
        return [alignment](QWidget& parent) {
            auto* caption = new QLabel(QString::fromLatin1(kLongText), &parent);
            caption->setAlignment(alignment);
            return caption;
        };
    };
    const auto check = [](QWidget& parent) { return new QCheckBox(QString::fromLatin1(kLongText), &parent); };
    const auto button
        = [](QWidget& parent) { return new QPushButton(QString::fromLatin1(kLongText), &parent); };
    const Case cases[] = {
        { "left-aligned caption", label(Qt::AlignLeft), {}, false, true },
        { "right-aligned caption", label(Qt::AlignRight), {}, true, false },
        { "centred caption", label(Qt::AlignHCenter), {}, true, true },
        { "check box", check, {}, false, true },
        { "push button", button, {}, true, true },
        { "caption with a box right of it", label(Qt::AlignLeft), QRect(302, 100, 60, 20), true, false },
    };
    for (const Case& c : cases) {
        QWidget form;
        form.resize(600, 300);
        QWidget* control = c.make(form);
        const QRect design(250, 100, 50, 20);
        control->setGeometry(design);
        if (!c.neighbour.isEmpty()) {
            (new QLineEdit(&form))->setGeometry(c.neighbour);
        }
        fitTextsToControls(form);
        const QRect fitted = control->geometry();
        EXPECT_GE(fitted.width(), control->fontMetrics().horizontalAdvance(QString::fromLatin1(kLongText)))
            << c.name << ": grown to its text";
        EXPECT_EQ(fitted.left() < design.left(), c.growsLeft) << c.name;
        EXPECT_EQ(fitted.right() > design.right(), c.growsRight) << c.name;
        EXPECT_EQ(fitted.top(), design.top()) << c.name;
    }
}

TEST_F(TextFitting, ACaptionOfSeveralLinesGrowsToItsWidestLine)
{
    // The blanks at the open end of one line do not shorten the others.
    const struct
    {
        const char* text;
        Qt::Alignment alignment;
    } rows[] = {
        { "A wide first line of text\nab          ", Qt::AlignLeft },
        { "          ab\nA wide first line of text", Qt::AlignRight },
    };
    for (const auto& row : rows) {
        QWidget form;
        form.resize(600, 300);
        auto* caption = new QLabel(QString::fromLatin1(row.text), &form);
        caption->setAlignment(row.alignment);
        caption->setGeometry(250, 100, 20, 40);
        fitTextsToControls(form);
        EXPECT_GE(caption->width(), caption->fontMetrics().horizontalAdvance("A wide first line of text"))
            << row.text;
    }
}

TEST_F(TextFitting, OnlyBlanksAtTheOpenEndOfOneLineTakeNoRoom)
{
    const QFontMetrics metrics(QApplication::font());
    const int threeBlanks = metrics.horizontalAdvance(QStringLiteral("   "));
    const struct
    {
        const char* name;
        const char* text;
        Qt::Alignment alignment;
        int blanks;
    } rows[] = {
        { "trailing, left-aligned", "100%   ", Qt::AlignLeft, threeBlanks },
        { "leading, right-aligned", "   100%", Qt::AlignRight | Qt::AlignVCenter, threeBlanks },
        { "leading, left-aligned", "   100%", Qt::AlignLeft, 0 },
        { "trailing, right-aligned", "100%   ", Qt::AlignRight, 0 },
        { "both ends, centred", "   100%   ", Qt::AlignHCenter, 0 },
        { "two lines", "100%   \n50%", Qt::AlignLeft, 0 },
    };
    for (const auto& row : rows) {
        // Glyph advances round to whole pixels one by one.
        EXPECT_NEAR(openEndBlanksWidth(metrics, QString::fromLatin1(row.text), row.alignment), row.blanks, 1)
            << row.name;
    }
}

TEST_F(TextFitting, ACaptionWhoseTextChangesGrowsOnceShown)
{
    installTextFitting(); // as the program's start does; a second call adds nothing
    QWidget form;
    form.resize(400, 100);
    auto* value = new QLabel(QStringLiteral("<None>"), &form);
    value->setGeometry(10, 10, 60, 16);
    form.show();
    value->setText(QString::fromLatin1(kLongText));
    QApplication::processEvents();
    EXPECT_GE(value->width(), value->sizeHint().width());
    EXPECT_EQ(value->x(), 10);
}

TEST_F(TextFitting, TextBoxesShowTheStartOfAValueTheProgramSets)
{
    QWidget form;
    auto* box = new QLineEdit(&form);
    box->setGeometry(0, 0, 30, 20);
    form.show();
    box->clearFocus();
    for (const char* value : { "-5620.804", "-123.0247", "-123.0247" }) {
        box->setText(QString::fromLatin1(value));
        EXPECT_EQ(box->cursorPosition(), 0) << value << ": the sign shows";
    }
    box->setSelection(1, 3);
    EXPECT_EQ(box->selectedText(), "123") << "a selection the program makes stays";

    // The user typed to the end of the box and tabs on.
    auto* next = new QLineEdit(&form);
    next->setGeometry(40, 0, 30, 20);
    next->show();
    QApplication::setActiveWindow(&form);
    box->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(box->hasFocus());
    box->end(false);
    next->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(box->cursorPosition(), 0);
}

} // namespace
