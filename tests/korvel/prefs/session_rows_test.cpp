#include "korvel/prefs/session_rows.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

// Two images, two layers, block A (guidance, exclusion, flights A1 A2 A3)
// and block B (guidance, flight B1). States numbered so each tells its row:
// images 11 12, layers 21 22, blocks 31 32, A's sub-rows 41..45, B's 51 52.
SessionFile session()
{
    SessionFile s;
    s.Images = { "/i1.bmp", "/i2.bmp" };
    s.GISLayers = { { "/g1.shp", 0, 1 }, { "/g2.shp", 0, 1 } };
    s.Blocks = { { "/a.no1", 0, 1, true, true, { "/A1", "/A2", "/A3" } }, { "/b.no1", 0, 1, true, false, { "/B1" } } };
    s.CheckStates = { 11, 12, 21, 22, 31, 32, 41, 42, 43, 44, 45, 51, 52 };
    return s;
}

using K = SessionRowKind;

// Answers every question with `answer`, recording the paths asked about.
struct Questions
{
    bool answer = true;
    QStringList asked;
    bool operator()(const QString& path)
    {
        asked << path;
        return answer;
    }
};

} // namespace

TEST(SessionRows, AllListedEntriesTakeTheirStatesInOrder)
{
    const std::vector<SessionRowTick> ticks = sessionRowTicks(session(), SessionRows::asListed(session()));
    const std::vector<SessionRowTick> expected { { K::Image, 1, 11 }, { K::Image, 2, 12 }, { K::GISLayer, 1, 21 },
        { K::GISLayer, 2, 22 }, { K::Block, 1, 31 }, { K::Block, 2, 32 }, { K::SubRow, 1, 41 }, { K::SubRow, 2, 42 },
        { K::SubRow, 3, 43 }, { K::SubRow, 4, 44 }, { K::SubRow, 5, 45 }, { K::SubRow, 6, 51 },
        { K::SubRow, 7, 52 } };
    EXPECT_EQ(ticks, expected);
}

TEST(SessionRows, StatesOfEntriesLeftOutAreSkipped)
{
    struct Case
    {
        const char* name;
        std::function<void(SessionRows&)> leaveOut;
        std::vector<SessionRowTick> expected; // among the rows
        size_t rows; // of the 13 stored states
    };
    const Case cases[] = {
        { "the first image", [](SessionRows& r) { r.images[0] = false; },
            { { K::Image, 1, 12 }, { K::GISLayer, 1, 21 } }, 12 },
        { "the first layer", [](SessionRows& r) { r.gisLayers[0] = false; },
            { { K::Image, 2, 12 }, { K::GISLayer, 1, 22 }, { K::Block, 1, 31 } }, 12 },
        { "block A with all it holds", [](SessionRows& r) { r.blocks[0].block = false; },
            { { K::Block, 1, 32 }, { K::SubRow, 1, 51 }, { K::SubRow, 2, 52 } }, 7 },
        { "A's guidance lines", [](SessionRows& r) { r.blocks[0].guidance = false; },
            { { K::SubRow, 1, 42 }, { K::SubRow, 2, 43 } }, 12 },
        { "A's second flight", [](SessionRows& r) { r.blocks[0].flights[1] = false; },
            { { K::SubRow, 3, 43 }, { K::SubRow, 4, 45 }, { K::SubRow, 5, 51 } }, 12 },
    };
    for (const Case& c : cases) {
        SessionRows loaded = SessionRows::asListed(session());
        c.leaveOut(loaded);
        const std::vector<SessionRowTick> ticks = sessionRowTicks(session(), loaded);
        // Each state of a loaded entry lands on that entry's row.
        for (const SessionRowTick& tick : c.expected) {
            EXPECT_NE(std::find(ticks.begin(), ticks.end(), tick), ticks.end())
                << c.name << ": row " << tick.row << " state " << tick.state;
        }
        EXPECT_EQ(ticks.size(), c.rows) << c.name;
    }
}

TEST(SessionRows, AShortStateListLeavesTheLastRowsClear)
{
    SessionFile s = session();
    s.CheckStates.resize(4);
    const std::vector<SessionRowTick> ticks = sessionRowTicks(s, SessionRows::asListed(s));
    ASSERT_EQ(ticks.size(), 13u);
    EXPECT_EQ(ticks.back(), (SessionRowTick { K::SubRow, 7, 0 }));
}

TEST(SessionRows, MissingFilesAreAskedAboutInTheFilesOrder)
{
    const QSet<QString> missing { "/i1.bmp", "/g2.shp", "/a.xyz", "/A2", "/b.no1" };
    Questions questions;
    SessionRows keep;
    ASSERT_TRUE(dropMissingSessionFiles(
        session(), [&](const QString& p) { return !missing.contains(p); }, std::ref(questions), keep));
    EXPECT_EQ(questions.asked, QStringList({ "/i1.bmp", "/g2.shp", "/a.xyz", "/b.no1" }))
        << "a missing flight is left out without a question";
    EXPECT_EQ(keep.images, (std::vector<bool> { false, true }));
    EXPECT_EQ(keep.gisLayers, (std::vector<bool> { true, false }));
    EXPECT_TRUE(keep.blocks[0].block);
    EXPECT_FALSE(keep.blocks[0].guidance);
    EXPECT_TRUE(keep.blocks[0].exclusion);
    EXPECT_EQ(keep.blocks[0].flights, (std::vector<bool> { true, false, true }));
    EXPECT_FALSE(keep.blocks[1].block);
    EXPECT_FALSE(keep.blocks[1].guidance) << "a missing block leaves out all it holds";
    EXPECT_EQ(keep.blocks[1].flights, (std::vector<bool> { false }));
}

TEST(SessionRows, CancelAbandonsAtTheFirstMissingFile)
{
    Questions questions;
    questions.answer = false;
    SessionRows keep;
    EXPECT_FALSE(dropMissingSessionFiles(
        session(), [](const QString& p) { return p != "/g1.shp" && p != "/b.no1"; }, std::ref(questions), keep));
    EXPECT_EQ(questions.asked, QStringList({ "/g1.shp" }));
}

TEST(SessionRows, AnUnflaggedCompanionIsNotLookedFor)
{
    SessionFile s = session();
    s.Blocks[0].GuidanceLoaded = false;
    Questions questions;
    SessionRows keep;
    ASSERT_TRUE(dropMissingSessionFiles(
        s, [](const QString& p) { return !p.endsWith("xyz"); }, std::ref(questions), keep));
    EXPECT_EQ(questions.asked, QStringList({ "/b.xyz" }));
}
