// Opening GIS layers on the main window: File > "Load GIS Layer", the
// pre-open check and the opening of one file. Opening follows the program's
// pattern: check (the file exists, is not open yet, has the right header),
// append the record, read and fit it into the map, add the list row last;
// on failure the record is taken back and the reason shown.
#include "korvel/map/gis_layer_opening.h"
#include "korvel/map/gis_layer_reader.h"
#include "korvel/map/map_view.h"
#include "korvel/shell/folder_refusal.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/open_files_dialog.h"
#include "korvel/shell/status_progress.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/msg_box.h"
#include "platform/vb_error.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

namespace {

// What an opening may change besides the new record, put back when it fails.
struct MapBeforeOpening
{
    bool utmMode = true;
    QString coordFormat;
    MapExtent dataExtent;
};

} // namespace

void MapView::File_OpenGIS_Click()
{
    MainSettings& settings = mainSettings();
    const QStringList paths = chooseFilesToOpen(&m_form, settings.SHPDir,
        QStringLiteral("Shape Files (*.shp)|*.shp|Interchange Files (*.e00)|*.e00|All Files (*.*)|*.*"),
        QStringLiteral("Open GIS Layer"));
    loadChosenFiles(paths, settings.SHPDir, &MapView::CheckGISFile, &MapView::OpenGISLayer,
        [this] { ZoomToLayers(0, 1); });
    if (globals().ImmediateGraph) {
        Graph(false);
    }
}

bool MapView::CheckGISFile(const QString& Path)
{
    if (refuseMissingFile(Path)) {
        return false;
    }
    const LayerData& data = layerData();
    for (int i = 1; i <= data.GISCount; ++i) {
        if (data.GISLayers[size_t(i)].Path == Path) {
            MsgBox(Path + QStringLiteral("\r\rhas already been opened"));
            return false;
        }
    }
    const QString refusal = gisFileHeaderRefusal(Path);
    if (!refusal.isEmpty()) {
        MsgBox(refusal);
        return false;
    }
    return true;
}

void MapView::OpenGISLayer(const QString& Path)
{
    ProgramGlobals& program = globals();
    const MapBeforeOpening before { program.UTMMode, program.CoordFormat, layerData().DataExtent };
    // A full list raises here, before anything changed; the caller reports it.
    const int index = appendGISLayer();
    QString fileName = Path.mid(Path.lastIndexOf(u'/') + 1);
    QString description;
    try {
        GISLayer& layer = layerData().GISLayers[size_t(index)];
        layer.Path = Path;
        layer.FileName = fileName;
        layer.Thickness = 1;
        layer.Colours = { 0 };
        layer.ColourClasses.assign(1, ColourClass());
        layer.DisplayName = captionWithCut(Path, m_form.FitListCaption(Path, false));
        GISReadOptions options;
        if (m_form.LoadingSession) {
            options.sessionColour = mapState().SessionLayerColour;
        }
        const GISReadResult read = readGISLayerFile(layer, options);
        if (read.ok) {
            program.GISLoaded = true;
            settleOpenedGISLayer(index, m_form.LoadingSession);
            m_form.AddGISListEntry();
            mapState().MapEmpty = false;
            return;
        }
        if (!read.refusal.isEmpty()) {
            MsgBox(read.refusal);
        }
        description = read.description;
    } catch (const VbError& error) {
        description = error.Description();
    }
    MsgBox(QStringLiteral("KORVEL encountered an error while opening '%1'.\r\rDescription: %2")
               .arg(fileName, description));
    // A row made before the failure goes with its record.
    if (m_form.GISCheckLabel.exists(index)) {
        m_form.GISCheckLabel.unload(index);
    }
    if (m_form.GISCheck.exists(index)) {
        m_form.GISCheck.unload(index);
    }
    removeLastGISLayer();
    program.UTMMode = before.utmMode;
    program.CoordFormat = before.coordFormat;
    layerData().DataExtent = before.dataExtent;
    statusProgress().hideProgress();
    statusProgress().setStatusText(QString());
}
