// Loading images on the main window: File > "Load Image", the pre-open check
// and the loading of one image with its geo-reference. An image without a
// geo-reference is loaded and listed, but its row stays unticked and
// disabled until the image is geo-referenced.
#include "korvel/map/gis_layer_opening.h"
#include "korvel/map/image_cache.h"
#include "korvel/map/image_loading.h"
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
#include "platform/picture_loader.h"
#include "platform/screen_metrics.h"
#include "platform/status_bar.h"
#include "platform/vb_error.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

void MapView::File_OpenBMP_Click()
{
    MainSettings& settings = mainSettings();
    const QStringList paths = chooseFilesToOpen(&m_form, settings.ImageDir,
        QStringLiteral("Graphic Files|*.bmp;*.gif;*.tif;*.jpg|All Files (*.*)|*.*"),
        QStringLiteral("Open Image File"));
    loadChosenFiles(paths, settings.ImageDir, &MapView::CheckImageFile, &MapView::LoadImageLayer,
        [this] { ZoomToImages(); });
    // Always, also when the dialog was cancelled or ImmediateGraph is off.
    Graph(false);
}

bool MapView::CheckImageFile(const QString& Path)
{
    if (refuseMissingFile(Path, quotedMissingFileMessage(Path))) {
        return false;
    }
    const LayerData& data = layerData();
    for (int i = 1; i <= data.ImageCount; ++i) {
        if (data.Images[size_t(i)].Path == Path) {
            MsgBox(Path + QStringLiteral("\r\rhas already been opened"));
            return false;
        }
    }
    return true;
}

void MapView::LoadImageLayer(const QString& Path)
{
    // A full list raises here, before anything changed.
    const int index = appendImage();
    StatusProgress& progress = statusProgress();
    try {
        ImageLayer& image = layerData().Images[size_t(index)];
        image.Path = Path;
        image.FileName = Path.mid(Path.lastIndexOf(u'/') + 1);
        image.DisplayName = captionWithCut(Path, m_form.FitListCaption(Path, false));

        progress.showProgress(100);
        progress.setStatusText(QStringLiteral("Loading Image"));
        const LoadedPicture picture = LoadPicture(Path);
        if (!picture.ok()) {
            throw VbError(picture.errorNumber, QStringLiteral("KORVEL"), picture.error);
        }
        image.PixelWidth = pixelsFromHimetric(picture.WidthHimetric, TwipsPerPixelX());
        image.PixelHeight = pixelsFromHimetric(picture.HeightHimetric, TwipsPerPixelY());
        // The first redraw shows this decoded picture instead of decoding it again.
        rememberPicture(Path, picture);
        progress.setStatusText(QString());
        progress.hideProgress();

        globals().ImageLoaded = true;
        if (const std::optional<GeoReference> reference = readGeoReference(geoReferencePath(Path))) {
            image.X = reference->X;
            image.Y = reference->Y;
            image.Width = reference->Width;
            image.Height = reference->Height;
            image.Zone = reference->Zone;
            image.ControlPointCount = reference->ControlPointCount;
            image.Georeferenced = true;
            MapState& map = mapState();
            if (map.MapEmpty) {
                map.Zone = image.Zone;
                m_form.StatusBar1->setPanelText(4, zoneStatusText());
            }
            map.MapEmpty = false;
        }
        m_form.AddImageListEntry();
    } catch (const VbError&) {
        if (m_form.ImageCheckLabel.exists(index)) {
            m_form.ImageCheckLabel.unload(index);
        }
        if (m_form.ImageCheck.exists(index)) {
            m_form.ImageCheck.unload(index);
        }
        removeLastImage();
        progress.setStatusText(QString());
        progress.hideProgress();
        throw;
    }
}
