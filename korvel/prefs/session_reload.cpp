#include "korvel/prefs/session_reload.h"

#include "korvel/prefs/sessions.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/msg_box.h"
#include "platform/vb_error.h"
#include "platform/vb_format.h"

#include <QLineEdit>
#include <QScopedValueRollback>

namespace {

// LoadingSession and Busy for the length of the reload, lowered again on
// every way out of it.
class ReloadFlags
{
public:
    explicit ReloadFlags(MainForm& form)
        : m_form(form)
    {
        m_form.LoadingSession = true;
        redrawState().Busy = true;
    }
    ~ReloadFlags()
    {
        redrawState().Busy = false;
        m_form.LoadingSession = false;
    }
    ReloadFlags(const ReloadFlags&) = delete;
    ReloadFlags& operator=(const ReloadFlags&) = delete;

private:
    MainForm& m_form;
};

// The loaders raise for what they do not report themselves (the 256th
// entry, an image that is no picture): said, and the entry left out.
template <class Load> bool reported(Load load)
{
    try {
        return load();
    } catch (const VbError& error) {
        MsgBox(error.Description());
        return false;
    }
}

void reloadImages(MainForm& form, const SessionFile& session, const SessionRows& keep, SessionRows& loaded)
{
    for (size_t i = 0; i < keep.images.size(); ++i) {
        const QString& path = session.Images[qsizetype(i)];
        loaded.images[i] = keep.images[i] && reported([&] {
            if (!form.CheckImageFile(path)) {
                return false;
            }
            form.LoadImageLayer(path);
            return true;
        });
        form.repaint();
    }
}

void reloadGISLayers(MainForm& form, const SessionFile& session, const SessionRows& keep, SessionRows& loaded)
{
    for (size_t i = 0; i < keep.gisLayers.size(); ++i) {
        const SessionGISEntry& entry = session.GISLayers[i];
        loaded.gisLayers[i] = keep.gisLayers[i] && reported([&] {
            if (!form.CheckGISFile(entry.Path)) {
                return false;
            }
            LayerData& layers = layerData();
            const int before = layers.GISCount;
            mapState().SessionLayerColour = entry.Colour;
            {
                // The map's zone is the layer's while it opens: a layer whose
                // file names no zone takes the map's, and its coordinates are
                // converted in it. The session's zone comes back however the
                // opening ends.
                const QScopedValueRollback<int> zone(mapState().Zone, entry.Zone);
                form.OpenGISLayer(entry.Path);
            }
            if (layers.GISCount == before) {
                return false; // refused, and said why
            }
            GISLayer& layer = layers.GISLayers[size_t(layers.GISCount)];
            if (layer.Colours.empty()) {
                layer.Colours.resize(1);
            }
            layer.Colours.front() = entry.Colour;
            layer.Thickness = entry.Thickness;
            return true;
        });
        form.repaint();
    }
}

void reloadBlockParts(MainForm& form, int b, const SessionBlockEntry& entry, const SessionBlockRows& keep,
    SessionBlockRows& loaded)
{
    if (keep.guidance) {
        form.LoadGuidanceFile(b);
        loaded.guidance = blockAt(b).GuidanceLoaded;
        form.repaint();
    }
    if (keep.exclusion) {
        form.LoadExclusionFile(b);
        // A file that holds no zone gives the block no row.
        loaded.exclusion = blockAt(b).ExclusionLoaded;
        form.repaint();
    }
    for (size_t f = 0; f < keep.flights.size(); ++f) {
        const QString& path = entry.Flights[qsizetype(f)];
        loaded.flights[f] = keep.flights[f] && reported([&] {
            const int before = blockAt(b).FlightCount;
            return form.CheckFlightFileOpen(path) && form.LoadFlightFile(b, path)
                && blockAt(b).FlightCount > before;
        });
        form.repaint();
    }
}

void reloadBlocks(MainForm& form, const SessionFile& session, const SessionRows& keep, SessionRows& loaded)
{
    for (size_t i = 0; i < keep.blocks.size(); ++i) {
        const SessionBlockEntry& entry = session.Blocks[i];
        SessionBlockRows& rows = loaded.blocks[i];
        rows.block = keep.blocks[i].block && reported([&] {
            if (!form.CheckAGNAVFile(entry.Path)) {
                return false;
            }
            mapState().SessionLayerColour = entry.Colour;
            return form.LoadAGNAVBlock(entry.Path);
        });
        if (!rows.block) {
            continue;
        }
        const int b = agnavData().BlockCount;
        AGNAVBlock& block = blockAt(b);
        block.Colour = entry.Colour;
        block.Thickness = entry.Thickness;
        form.repaint();
        reloadBlockParts(form, b, entry, keep.blocks[i], rows);
    }
}

void restoreExtent(MainForm& form, const SessionFile& session)
{
    const QString& format = globals().CoordFormat;
    QLineEdit* boxes[] = { form.Text1, form.Text2, form.Text3, form.Text4 };
    for (size_t i = 0; i < 4; ++i) {
        boxes[i]->setText(Format(session.Extent[i], format));
    }
    MapState& map = mapState();
    map.ExtentEdited = true;
    map.ExtentEntryMode = true;
    form.ApplyMapExtent();
}

} // namespace

SessionRows reloadSession(MainForm& form, const SessionFile& session, const SessionRows& keep)
{
    SessionRows loaded = SessionRows::none(session);
    form.RefreshChecklist();
    const ReloadFlags flags(form);
    // The zone is the session's: no layer loaded now may set it.
    mapState().MapEmpty = false;
    try {
        reloadImages(form, session, keep, loaded);
        reloadGISLayers(form, session, keep, loaded);
        reloadBlocks(form, session, keep, loaded);
        restoreExtent(form, session);
        Sessions::instance().RestoreSessionCheckStates(sessionRowTicks(session, loaded));
        // The floating list copies the ticks when the list is rebuilt; the
        // zone stays the session's even when nothing came in.
        form.RefreshChecklist();
        mapState().MapEmpty = false;
        form.repaint();
        form.Graph(true);
    } catch (const VbError& error) {
        MsgBox(QStringLiteral("Error: ") + error.Description(), vbExclamation);
    } catch (const std::exception& error) {
        MsgBox(QStringLiteral("Error: ") + QString::fromLocal8Bit(error.what()), vbExclamation);
    }
    return loaded;
}
