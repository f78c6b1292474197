#include "korvel/shell/shutdown_request.h"

#include "tests/support/korvel_test.h"

TEST(ShutdownRequest, BothCommandsWithOrWithoutTheirNul)
{
    EXPECT_EQ(shutdownRequestOf(3, "KORVEL_Shutdown"), ShutdownRequest::Shutdown);
    EXPECT_EQ(shutdownRequestOf(3, QByteArray("KORVEL_Shutdown", 16)), ShutdownRequest::Shutdown);
    EXPECT_EQ(shutdownRequestOf(3, "KORVEL_Save_Shutdown"), ShutdownRequest::SaveAndShutdown);
    EXPECT_EQ(shutdownRequestOf(3, QByteArray("KORVEL_Save_Shutdown\0junk after", 31)),
        ShutdownRequest::SaveAndShutdown)
        << "the text ends at its first NUL";
}

TEST(ShutdownRequest, OnlyTheExactTextWithDataThreeCounts)
{
    EXPECT_EQ(shutdownRequestOf(2, "KORVEL_Shutdown"), ShutdownRequest::None);
    EXPECT_EQ(shutdownRequestOf(0, "KORVEL_Shutdown"), ShutdownRequest::None);
    EXPECT_EQ(shutdownRequestOf(3, "korvel_shutdown"), ShutdownRequest::None);
    EXPECT_EQ(shutdownRequestOf(3, "KORVEL_Shutdown "), ShutdownRequest::None);
    EXPECT_EQ(shutdownRequestOf(3, "KORVEL_Shutdown\n"), ShutdownRequest::None);
    EXPECT_EQ(shutdownRequestOf(3, ""), ShutdownRequest::None);
    EXPECT_EQ(shutdownRequestOf(3, "Shutdown"), ShutdownRequest::None);
}

TEST(ShutdownRequest, OnlyTheFirst254BytesAreRead)
{
    // A command padded with NULs to 300 bytes still reads as the command.
    QByteArray padded("KORVEL_Shutdown");
    padded.append(QByteArray(300 - padded.size(), '\0'));
    EXPECT_EQ(shutdownRequestOf(3, padded), ShutdownRequest::Shutdown);
    // A text of 255 bytes or more never matches: only 254 of them are kept.
    EXPECT_EQ(shutdownRequestOf(3, QByteArray(300, 'K')), ShutdownRequest::None);
    QByteArray late(254, ' ');
    late.append("KORVEL_Shutdown");
    EXPECT_EQ(shutdownRequestOf(3, late), ShutdownRequest::None);
}
