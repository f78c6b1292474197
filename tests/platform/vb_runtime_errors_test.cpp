#include "platform/vb_runtime_errors.h"
#include "tests/support/korvel_test.h"

using RuntimeErrors = KorvelTest;

TEST_F(RuntimeErrors, DescriptionsAreTheRuntimeTexts)
{
    const struct {
        long number;
        const char* text;
    } rows[] = {
        { 5, "Invalid procedure call or argument" },
        { 6, "Overflow" },
        { 9, "Subscript out of range" },
        { 11, "Division by zero" },
        { 13, "Type mismatch" },
        { 52, "Bad file name or number" },
        { 53, "File not found" },
        { 54, "Bad file mode" },
        { 55, "File already open" },
        { 57, "Device I/O error" },
        { 61, "Disk full" },
        { 62, "Input past end of file" },
        { 70, "Permission denied" },
        { 75, "Path/File access error" },
        { 76, "Path not found" },
        { 12345, "Application-defined or object-defined error" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(runtimeErrorDescription(row.number), row.text) << row.number;
}

TEST_F(RuntimeErrors, RaiseThrowsNumberDescriptionAndExecutableAsSource)
{
    try {
        raiseRuntimeError(RuntimeError::InputPastEndOfFile);
        FAIL() << "nothing raised";
    } catch (const VbError& error) {
        EXPECT_EQ(error.Number(), 62);
        EXPECT_EQ(error.Description(), "Input past end of file");
        EXPECT_EQ(error.Source(), "korvel"); // the running program, as the test support names it
        EXPECT_STREQ(error.what(), "Input past end of file");
    }
}
