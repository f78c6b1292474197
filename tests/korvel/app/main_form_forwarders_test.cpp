// MainForm's one-line forwarders: each reaches the procedure of the same
// name on the port it names, with the caller's arguments, and hands back
// what the port returns. Mock ports stand in for the window's parts.
#include "tests/support/main_form_fixture.h"

#include <gmock/gmock.h>

#include <functional>

namespace {

using ::testing::Ref;
using ::testing::Return;
using ::testing::StrictMock;

class MockMapView : public MapViewPort
{
public:
    MOCK_METHOD(void, ApplyMapExtent, (), (override));
    MOCK_METHOD(void, ZoomToLayers, (int, int), (override));
    MOCK_METHOD(void, ZoomToImages, (), (override));
    MOCK_METHOD(void, Tools_Ruler_Click, (), (override));
    MOCK_METHOD(void, ClearMapOverlays, (), (override));
    MOCK_METHOD(void, placeMapPicture, (const QRect&), (override));
    MOCK_METHOD(void, Form_MouseMove, (int, int, float, float), (override));
    MOCK_METHOD(bool, GISShiftPreviewShown, (), (const, override));
    MOCK_METHOD(void, HideGISShiftPanel, (), (override));
    MOCK_METHOD(void, Graph, (bool), (override));
    MOCK_METHOD(RedrawInputGuard*, redrawInputGuard, (), (const, override));
    MOCK_METHOD(bool, CheckGISFile, (const QString&), (override));
    MOCK_METHOD(void, OpenGISLayer, (const QString&), (override));
    MOCK_METHOD(bool, CheckImageFile, (const QString&), (override));
    MOCK_METHOD(void, LoadImageLayer, (const QString&), (override));
};

class MockLayerList : public LayerListPort
{
public:
    MOCK_METHOD(void, ArrangeLayerList, (), (override));
    MOCK_METHOD(void, refitListCaptions, (), (override));
    MOCK_METHOD(int, FitListCaption, (const QString&, bool), (override));
    MOCK_METHOD(void, AddImageListEntry, (), (override));
    MOCK_METHOD(void, AddGISListEntry, (), (override));
    MOCK_METHOD(void, AddBlockListEntry, (), (override));
    MOCK_METHOD(void, AddFlightListEntry, (int), (override));
    MOCK_METHOD(void, AddGuidanceListEntry, (int), (override));
    MOCK_METHOD(void, AddExclusionListEntry, (int), (override));
    MOCK_METHOD(void, RefreshChecklist, (), (override));
    MOCK_METHOD(void, DeleteSHP, (int), (override));
    MOCK_METHOD(void, File_CloseAll_Click, (), (override));
};

class MockAgnav : public AgnavPort
{
public:
    MOCK_METHOD(void, ConvertBlockCoords, (int, int), (override));
    MOCK_METHOD(QString, blockConversionRefusal, (int, int), (override));
    MOCK_METHOD(bool, CheckAGNAVFile, (const QString&), (override));
    MOCK_METHOD(bool, LoadAGNAVBlock, (const QString&), (override));
    MOCK_METHOD(void, PopUp_OpenGuidance_Click, (int), (override));
    MOCK_METHOD(void, PopUp_OpenExclusion_Click, (int), (override));
    MOCK_METHOD(void, PopUp_OpenFlight_Click, (int), (override));
    MOCK_METHOD(bool, LoadGuidanceFile, (int), (override));
    MOCK_METHOD(bool, LoadExclusionFile, (int), (override));
    MOCK_METHOD(bool, CheckFlightFileOpen, (const QString&), (override));
    MOCK_METHOD(bool, LoadFlightFile, (int, const QString&), (override));
    MOCK_METHOD(void, Tools_Convert_Click, (), (override));
    MOCK_METHOD(void, Tools_DigitizeBoundary_Click, (), (override));
    MOCK_METHOD(void, Tools_DigitizeExclusion_Click, (), (override));
    MOCK_METHOD(void, PopUp_DigitizeExclusion_Click, (), (override));
    MOCK_METHOD(bool, shiftPreviewRefusesDigitizing, (), (override));
    MOCK_METHOD(void, removeDigitizedSegments, (), (override));
};

class MockGuidance : public GuidancePort
{
public:
    MOCK_METHOD(AgnavOutcome, readGuidanceFile, (int), (override));
    MOCK_METHOD(void, StartGuidanceCreation, (), (override));
    MOCK_METHOD(void, PopUp_DigitizeGuidance_Click, (), (override));
    MOCK_METHOD(void, RefreshBlockLines, (QWidget&), (override));
    MOCK_METHOD(void, FitGuidanceLines, (), (override));
    MOCK_METHOD(void, GuidanceCancel_Click, (), (override));
    MOCK_METHOD(QString, guidanceSwathShown, (), (const, override));
};

class MockStatistics : public StatisticsPort
{
public:
    MOCK_METHOD(void, ShowStatistics, (), (override));
};

class MockMet : public MetPort
{
public:
    MOCK_METHOD(void, CloseMet_Click, (), (override));
    MOCK_METHOD(void, Optimize, (int&), (override));
};

class MockSessions : public SessionsPort
{
public:
    MOCK_METHOD(void, File_SaveSession_Click, (), (override));
    MOCK_METHOD(void, File_LoadSession_Click, (), (override));
    MOCK_METHOD(void, ShowPreferences, (int), (override));
    MOCK_METHOD(void, LoadSession, (const QString&), (override));
};

class MockGeoreferencing : public GeoreferencingPort
{
public:
    MOCK_METHOD(void, ShowGeoReferencing, (), (override));
};

// Strict mocks: a forwarder that calls any other procedure of any port fails.
struct Ports
{
    StrictMock<MockMapView> map;
    StrictMock<MockLayerList> list;
    StrictMock<MockAgnav> agnav;
    StrictMock<MockGuidance> guidance;
    StrictMock<MockStatistics> statistics;
    StrictMock<MockMet> met;
    StrictMock<MockSessions> sessions;
    StrictMock<MockGeoreferencing> georef;

    void verifyAndClear()
    {
        using ::testing::Mock;
        for (void* mock : std::initializer_list<void*> {
                 &map, &list, &agnav, &guidance, &statistics, &met, &sessions, &georef }) {
            Mock::VerifyAndClearExpectations(mock);
        }
    }
};

// The mocks in the window's ports while it lives; the window's own parts
// again afterwards, which it destroys with itself.
class PortsInstalled
{
public:
    PortsInstalled(MainForm& window, Ports& mocks)
        : m_window(window)
        , m_map(window.mapView())
        , m_list(window.layerList())
        , m_agnav(window.agnav())
        , m_guidance(window.guidance())
        , m_statistics(window.statistics())
        , m_met(window.met())
        , m_sessions(window.sessions())
        , m_georef(window.georeferencing())
    {
        install(mocks.map, mocks.list, mocks.agnav, mocks.guidance, mocks.statistics, mocks.met,
            mocks.sessions, mocks.georef);
    }
    ~PortsInstalled()
    {
        install(m_map, m_list, m_agnav, m_guidance, m_statistics, m_met, m_sessions, m_georef);
    }
    PortsInstalled(const PortsInstalled&) = delete;
    PortsInstalled& operator=(const PortsInstalled&) = delete;

private:
    template <class... Port> void install(Port&... ports) { (m_window.setPort(ports), ...); }

    MainForm& m_window;
    MapViewPort& m_map;
    LayerListPort& m_list;
    AgnavPort& m_agnav;
    GuidancePort& m_guidance;
    StatisticsPort& m_statistics;
    MetPort& m_met;
    SessionsPort& m_sessions;
    GeoreferencingPort& m_georef;
};

using MainFormForwarders = MainFormTest;

} // namespace

// A table row: the forwarder called as written, and the same call expected
// on the port; RETURNS also hands the port's answer back.
// clang-format off
#define FORWARDS(port, call) \
    Forwarder { #call, [&] { EXPECT_CALL(port, call); }, [&] { window.call; } }
#define RETURNS(port, call, answer) \
    Forwarder { #call, [&] { EXPECT_CALL(port, call).WillOnce(Return(answer)); }, \
        [&] { EXPECT_EQ(window.call, answer); } }
// clang-format on

TEST_F(MainFormForwarders, EachReachesTheProcedureOfItsNameOnItsPort)
{
    MainForm& window = form();
    Ports m;
    const PortsInstalled installed(window, m);
    const QString path = QStringLiteral("/data/field.no1");
    int metIndex = 2;
    RedrawInputGuard* const noGuard = nullptr;
    struct Forwarder
    {
        const char* call;
        std::function<void()> expected; // what the port is to receive
        std::function<void()> made;
    };
    const Forwarder forwarders[] = {
        FORWARDS(m.map, ApplyMapExtent()),
        FORWARDS(m.map, ZoomToLayers(3, 1)),
        FORWARDS(m.map, ZoomToImages()),
        FORWARDS(m.map, Tools_Ruler_Click()),
        FORWARDS(m.map, ClearMapOverlays()),
        FORWARDS(m.map, Form_MouseMove(1, 2, 3.5f, 4.5f)),
        RETURNS(m.map, GISShiftPreviewShown(), true),
        FORWARDS(m.map, HideGISShiftPanel()),
        FORWARDS(m.map, Graph(true)),
        RETURNS(m.map, redrawInputGuard(), noGuard),
        RETURNS(m.map, CheckGISFile(path), true),
        FORWARDS(m.map, OpenGISLayer(path)),
        RETURNS(m.map, CheckImageFile(path), true),
        FORWARDS(m.map, LoadImageLayer(path)),

        FORWARDS(m.list, AddImageListEntry()),
        FORWARDS(m.list, AddGISListEntry()),
        FORWARDS(m.list, AddBlockListEntry()),
        FORWARDS(m.list, AddFlightListEntry(4)),
        FORWARDS(m.list, AddGuidanceListEntry(5)),
        FORWARDS(m.list, AddExclusionListEntry(6)),
        FORWARDS(m.list, RefreshChecklist()),
        RETURNS(m.list, FitListCaption(path, true), 7),
        FORWARDS(m.list, DeleteSHP(8)),
        FORWARDS(m.list, File_CloseAll_Click()),

        RETURNS(m.agnav, CheckAGNAVFile(path), true),
        RETURNS(m.agnav, LoadAGNAVBlock(path), true),
        FORWARDS(m.agnav, PopUp_OpenGuidance_Click(2)),
        FORWARDS(m.agnav, PopUp_OpenExclusion_Click(3)),
        FORWARDS(m.agnav, PopUp_OpenFlight_Click(4)),
        RETURNS(m.agnav, LoadGuidanceFile(5), true),
        RETURNS(m.agnav, LoadExclusionFile(6), true),
        FORWARDS(m.agnav, Tools_Convert_Click()),
        RETURNS(m.agnav, CheckFlightFileOpen(path), true),
        RETURNS(m.agnav, LoadFlightFile(7, path), true),
        FORWARDS(m.agnav, ConvertBlockCoords(8, 2)),
        FORWARDS(m.agnav, Tools_DigitizeBoundary_Click()),
        FORWARDS(m.agnav, Tools_DigitizeExclusion_Click()),
        FORWARDS(m.agnav, PopUp_DigitizeExclusion_Click()),
        RETURNS(m.agnav, shiftPreviewRefusesDigitizing(), true),

        FORWARDS(m.guidance, PopUp_DigitizeGuidance_Click()),
        Forwarder { "readGuidanceFile(9)",
            [&] {
                EXPECT_CALL(m.guidance, readGuidanceFile(9))
                    .WillOnce(Return(AgnavOutcome::refused(QStringLiteral("no lines"))));
            },
            [&] { EXPECT_EQ(window.readGuidanceFile(9).message(), QStringLiteral("no lines")); } },
        Forwarder { "RefreshBlockLines(window)",
            [&] { EXPECT_CALL(m.guidance, RefreshBlockLines(Ref(window))); },
            [&] { window.RefreshBlockLines(window); } },
        FORWARDS(m.guidance, FitGuidanceLines()),
        FORWARDS(m.guidance, GuidanceCancel_Click()),
        FORWARDS(m.guidance, StartGuidanceCreation()),
        RETURNS(m.guidance, guidanceSwathShown(), QStringLiteral("42")),

        FORWARDS(m.statistics, ShowStatistics()),
        FORWARDS(m.met, CloseMet_Click()),
        // The part writes the index back: the caller's own variable goes through.
        Forwarder { "Optimize(metIndex)", [&] { EXPECT_CALL(m.met, Optimize(Ref(metIndex))); },
            [&] { window.Optimize(metIndex); } },
        FORWARDS(m.sessions, File_SaveSession_Click()),
        FORWARDS(m.sessions, File_LoadSession_Click()),
        FORWARDS(m.sessions, ShowPreferences(6)),
        FORWARDS(m.sessions, LoadSession(path)),
        FORWARDS(m.georef, ShowGeoReferencing()),
    };
    for (const Forwarder& forwarder : forwarders) {
        SCOPED_TRACE(forwarder.call);
        forwarder.expected();
        forwarder.made();
        m.verifyAndClear();
    }
}

#undef FORWARDS
#undef RETURNS
