// The geo-reference file of the window's image: "&Save GeoRef" places the
// image by the fit in its record and writes the file beside it; an image
// that is already geo-referenced opens with the points and corrections of
// its file. A file the window cannot read is named when the window opens,
// and replaced only when the user agrees.
#include "korvel/georef/georef_form.h"

#include "korvel/georef/geo_reference_file.h"
#include "korvel/map/image_loading.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
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
    const bool written = writeGeoReferenceFile(path, content);
    m_saved = true;
    accept();
    if (!written) {
        MsgBox(QStringLiteral("There was an error creating the georeference file.\r"
                              "This is probably because the file is set as Read-Only."));
    }
}

bool GeoRefForm::replaceUnreadFile(const QString& path) const
{
    // A file the window could not read still holds what could be mended by
    // hand; it is replaced only when the user says so.
    if (m_unreadFile.isEmpty() || path != m_unreadFile || !QFileInfo::exists(path)) {
        return true;
    }
    const QString where = m_unreadLine > 0 ? QStringLiteral(" (line %1)").arg(m_unreadLine) : QString();
    const QString prompt
        = QStringLiteral("%1 could not be read%2. Replace it with the control points of this window?")
              .arg(QDir::toNativeSeparators(path), where);
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
    const QString path = geoReferencePath(image->Path);
    const GeoReferencePoints read = readGeoReferencePoints(path);
    ControlPoints.assign(read.Points);
    Corrections = read.Corrections;
    if (!read.complete && QFileInfo::exists(path)) {
        m_unreadFile = path;
        m_unreadLine = read.errorLine;
        MsgBox(read.error + QStringLiteral("\rIts control points were not read."), vbExclamation);
    }
}
