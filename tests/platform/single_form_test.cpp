#include "platform/single_form.h"
#include "tests/support/korvel_test.h"

#include <QWidget>

#include <stdexcept>

namespace {

using SingleFormTest = KorvelTest;

TEST_F(SingleFormTest, LoadFindsTheWindowAndReleaseStartsAfresh)
{
    SingleForm<QWidget> slot;
    QWidget* seenByLoad = nullptr;
    QWidget& first
        = slot.instance([] { return new QWidget; }, [&](QWidget&) { seenByLoad = slot.existing(); });
    EXPECT_EQ(seenByLoad, &first);
    EXPECT_EQ(&slot.instance([] { return new QWidget; }), &first);

    int unloads = 0;
    slot.release([&](QWidget& form) { unloads += &form == &first; });
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(slot.existing(), nullptr);
    QWidget& second = slot.instance([] { return new QWidget; });
    EXPECT_EQ(slot.existing(), &second);
    delete &second; // destroyed from elsewhere: no longer found
    EXPECT_EQ(slot.existing(), nullptr);
}

TEST_F(SingleFormTest, AFailedLoadLeavesNoWindow)
{
    SingleForm<QWidget> slot;
    EXPECT_THROW(
        slot.instance([] { return new QWidget; }, [](QWidget&) { throw std::runtime_error("load"); }),
        std::runtime_error);
    EXPECT_EQ(slot.existing(), nullptr);
    QWidget* taken = slot.take();
    EXPECT_EQ(taken, nullptr);
}

} // namespace
