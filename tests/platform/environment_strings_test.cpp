#include "platform/environment_strings.h"
#include "tests/support/korvel_test.h"

namespace {

class EnvironmentStrings : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        qputenv("KORVEL_TEST_DIR", "/data/jobs");
        qputenv("KORVEL_Mixed_Case", "mixed");
        qunsetenv("KORVEL_TEST_UNSET");
    }
    void TearDown() override
    {
        qunsetenv("KORVEL_TEST_DIR");
        qunsetenv("KORVEL_Mixed_Case");
        KorvelTest::TearDown();
    }
};

} // namespace

TEST_F(EnvironmentStrings, ExpandsLikeWindows)
{
    const struct
    {
        const char* text;
        const char* expanded;
    } rows[] = {
        { "C:\\%KORVEL_TEST_DIR%\\x", "C:\\/data/jobs\\x" },
        { "%KORVEL_TEST_DIR%%KORVEL_TEST_DIR%", "/data/jobs/data/jobs" },
        { "no references", "no references" },
        { "", "" },
        { "%KORVEL_TEST_UNSET%", "%KORVEL_TEST_UNSET%" },
        { "%KORVEL_TEST_UNSET%KORVEL_TEST_DIR%", "%KORVEL_TEST_UNSET/data/jobs" },
        { "%%", "%%" },
        { "100%", "100%" },
        { "50% of %KORVEL_TEST_DIR", "50% of %KORVEL_TEST_DIR" },
        { "%korvel_test_dir%", "/data/jobs" },
        { "%KORVEL_MIXED_CASE%", "mixed" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(ExpandEnvironmentStrings(QString::fromUtf8(row.text)), QString::fromUtf8(row.expanded))
            << row.text;
}
