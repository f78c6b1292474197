// The geo-reference file of the window's image: "&Save GeoRef" places the
// image by the fit in its record and writes the file beside it; an image
// that is already geo-referenced opens with the points and corrections of
// its file. A file the window cannot read is named when the window opens;
// any file the window did not read is replaced only when the user agrees.
#include "korvel/georef/georef_form.h"

#include "korvel/georef/geo_reference_file.h"
#include "korvel/map/image_loading.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "platform/file_helpers.h"
#include "platform/msg_box.h"

#include <QDir>
#include <QFileInfo>

void GeoRefForm::SaveButton_Click()
{
    ImageLayer* record = imageRecord();
    if (!record) {
        reject();
        return;
    }
    ImageLayer& image = *record;
    const QString path = geoReferencePath(image.Path);
    if (!replaceUnreadFile(path)) {
        return;
    }
    // The record takes the geo-reference before the file is written, so the
    // map shows the image in its place even when the file cannot be saved.
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
    QString reason;
    const bool written = writeGeoReferenceFile(path, content, &reason);
    m_saved = true;
    accept();
    if (!written) {
        MsgBox(QStringLiteral("There was an error creating the georeference file.\r"
                              "This is probably because the file is set as Read-Only.\r"
                              "%1 could not be written: %2.")
                   .arg(QDir::toNativeSeparators(path), reason));
    }
}

bool GeoRefForm::replaceUnreadFile(const QString& path) const
{
    // Whatever stands in the file's place and was not read whole may be
    // another program's work or what is left of ours, which could be mended
    // by hand: it is replaced only when the user says so. It is looked at
    // now, as it is on the disk: the window reads the file when it opens
    // only for an image already placed. A folder holds nothing the save
    // could lose; the writer refuses it and names it.
    if (isFolder(path)) {
        return true;
    }
    const GeoReferencePoints found = readGeoReferencePoints(path);
    QString what;
    switch (found.state) {
    case GeoReferenceFileState::Missing:
    case GeoReferenceFileState::Read:
        return true;
    case GeoReferenceFileState::Foreign:
        what = QStringLiteral("is not a KORVEL geo-reference file");
        break;
    case GeoReferenceFileState::Damaged:
    case GeoReferenceFileState::Unreadable:
        what = found.errorLine > 0 ? QStringLiteral("could not be read (line %1)").arg(found.errorLine)
                                   : QStringLiteral("could not be read");
        break;
    }
    const QString prompt = QStringLiteral("%1 %2. Replace it with the control points of this window?")
                               .arg(QDir::toNativeSeparators(path), what);
    return MsgBox(prompt, vbYesNo + vbQuestion + vbDefaultButton2) == vbYes;
}

void GeoRefForm::ReadGeoRefFile()
{
    const ImageLayer* image = imageRecord();
    if (!image) {
        return;
    }
    // All or nothing: the points of a file damaged anywhere cannot be
    // trusted, so the list opens empty and the user is told why. A file
    // that has gone simply leaves the list empty.
    const GeoReferencePoints read = readGeoReferencePoints(geoReferencePath(image->Path));
    ControlPoints.assign(read.Points);
    Corrections = read.Corrections;
    if (!read.complete && read.state != GeoReferenceFileState::Missing) {
        MsgBox(read.error + QStringLiteral("\rIts control points were not read."), vbExclamation);
    }
}
