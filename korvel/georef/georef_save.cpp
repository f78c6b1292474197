// The geo-reference file of the window's image: "&Save GeoRef" places the
// image by the fit in its record and writes the file beside it; an image
// that is already geo-referenced opens with the points and corrections of
// its file.
#include "korvel/georef/georef_form.h"

#include "korvel/georef/geo_reference_file.h"
#include "korvel/map/image_loading.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "platform/msg_box.h"

void GeoRefForm::SaveButton_Click()
{
    ImageLayer* record = imageRecord();
    if (!record) {
        reject();
        return;
    }
    // The record takes the geo-reference before the file is written, so the
    // map shows the image in its place even when the file cannot be saved.
    ImageLayer& image = *record;
    image.X = OriginEasting;
    image.Y = OriginNorthing;
    image.Height = GroundHeight;
    image.Width = GroundWidth;
    image.ControlPointCount = ControlPoints.completeCount();
    image.Zone = mapState().Zone;
    image.Georeferenced = true;

    GeoReferenceContent content;
    content.ImageName = image.FileName;
    content.Placement = { OriginEasting, OriginNorthing, GroundWidth, GroundHeight };
    content.Zone = image.Zone;
    content.Points = ControlPoints.complete();
    content.Corrections = Corrections;
    const bool written = writeGeoReferenceFile(geoReferencePath(image.Path), content);
    m_saved = true;
    accept();
    if (!written) {
        MsgBox(QStringLiteral("There was an error creating the georeference file.\r"
                              "This is probably because the file is set as Read-Only."));
    }
}

void GeoRefForm::ReadGeoRefFile()
{
    const ImageLayer* image = imageRecord();
    if (!image) {
        return;
    }
    // A missing or damaged file gives the points read before the fault.
    const GeoReferencePoints read = readGeoReferencePoints(geoReferencePath(image->Path));
    ControlPoints.assign(read.Points);
    Corrections = read.Corrections;
}
