// The point list of the geo-referencing window: picks on the two views, the
// typed UTM entry, deleting a point, the rows that show the points with
// their residuals, the fit after every change, and the points' markers.
#include "korvel/georef/georef_form.h"

#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/screen_metrics.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

namespace {

const QString kTooManyPoints = QStringLiteral("No more than 8 points can be used");
const QString kAccept = QStringLiteral("Accept UTM");
const QString kCancel = QStringLiteral("Cancel");
constexpr qint32 kBlack = 0;

// The marker size divisor: markers are the view's width over it.
double markerDivisor()
{
    const int screenWidth = int(screenWidthTwips() / TwipsPerPixelX());
    return screenWidth >= 1024 ? 150.0 : 120.0;
}

} // namespace

void GeoRefForm::MapPick(float X, float Y)
{
    if (!ControlPoints.addUTM(X, Y)) {
        MsgBox(kTooManyPoints);
        return;
    }
    UpdatePointList();
    DrawControlPoints();
}

void GeoRefForm::ImagePick(float X, float Y)
{
    // A click far off a zoomed-out image lies beyond a point's 16-bit pixel.
    const std::optional<qint16> column = CIntInRange(X);
    const std::optional<qint16> row = CIntInRange(Y);
    if (!column || !row) {
        return;
    }
    if (!ControlPoints.addPixel(*column, *row)) {
        MsgBox(kTooManyPoints);
        return;
    }
    if (!MapAvailable) {
        syncPointRows();
        openTypedEntry();
    }
    UpdatePointList();
    DrawControlPoints();
}

void GeoRefForm::openTypedEntry()
{
    // The boxes stand in the new point's row, where its UTM values will show.
    const int top = rowTop(ControlPoints.PixelCount);
    Text1->setGeometry(UTMLabel[0].x(), top, 60, 20);
    Text2->setGeometry(UTMLabel[0].x() + 62, top, 58, 20);
    Command1->setGeometry(DeltaLabel[0].x(), top, 90, 22);
    Text1->setText(QStringLiteral("Northings"));
    Text2->setText(QStringLiteral("Eastings"));
    Command1->setText(kCancel);
    m_entryOpen = true;
    for (QWidget* entry : std::initializer_list<QWidget*> { Text1, Text2, Command1 }) {
        entry->setEnabled(true);
        entry->show();
        entry->raise();
    }
    for (QWidget* idle :
        std::initializer_list<QWidget*> { Picture2, ExitButton, SaveButton, Option1, Option2, Option3 }) {
        idle->setEnabled(false);
    }
    Text1->setFocus();
}

void GeoRefForm::closeTypedEntry()
{
    m_entryOpen = false;
    for (QWidget* entry : std::initializer_list<QWidget*> { Text1, Text2, Command1 }) {
        entry->setEnabled(false);
        entry->hide();
    }
    for (QWidget* idle :
        std::initializer_list<QWidget*> { Picture2, ExitButton, Option1, Option2, Option3 }) {
        idle->setEnabled(true);
    }
}

void GeoRefForm::Text1_Change()
{
    const bool numbers = typedNumberValue(Text1->text()) && typedNumberValue(Text2->text());
    Command1->setText(numbers ? kAccept : kCancel);
}

void GeoRefForm::Text2_Change()
{
    Text1_Change();
}

void GeoRefForm::Text1_GotFocus()
{
    Text1->setSelection(0, int(Text1->text().size()));
}

void GeoRefForm::Text2_GotFocus()
{
    Text2->setSelection(0, int(Text2->text().size()));
}

void GeoRefForm::Command1_Click()
{
    if (Command1->text() == kAccept) {
        // CSng refuses a number beyond the float range; the entry stays open.
        const float easting = CSng(typedNumberText(Text2->text()));
        const float northing = CSng(typedNumberText(Text1->text()));
        closeTypedEntry();
        ControlPoints.addUTM(easting, northing);
        UpdatePointList();
        return;
    }
    ControlPoints.dropLastPixel();
    closeTypedEntry();
    UpdatePointList();
    DrawImageView();
    DrawControlPoints();
}

void GeoRefForm::CounterPic_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    // While a typed entry waits for its point's UTM values, the list stays
    // as it is: deleting would leave the pending point without its entry.
    if (!Option4->isChecked() || m_entryOpen) {
        return;
    }
    deletePoint(Index);
}

void GeoRefForm::CounterLabel_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    CounterPic_MouseDown(Index, Button, Shift, X, Y);
}

void GeoRefForm::UTMLabel_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    CounterPic_MouseDown(Index, Button, Shift, X, Y);
}

void GeoRefForm::PixelLabel_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    CounterPic_MouseDown(Index, Button, Shift, X, Y);
}

void GeoRefForm::DeltaLabel_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    CounterPic_MouseDown(Index, Button, Shift, X, Y);
}

void GeoRefForm::deletePoint(int k)
{
    if (k < 1 || k > ControlPoints.count()) {
        return;
    }
    ControlPoints.remove(k);
    UpdatePointList();
    DrawImageView();
    DrawGISLayers(*Picture1);
    DrawControlPoints();
}

void GeoRefForm::syncPointRows()
{
    const auto fit = [](auto& array, int wanted) {
        while (array.UBound() > wanted) {
            array.unload(array.UBound());
        }
        for (int i = array.UBound() + 1; i <= wanted; ++i) {
            array.load(i).show();
        }
    };
    const int n = ControlPoints.count();
    fit(CounterPic, n);
    fit(CounterLabel, n);
    fit(DeltaLabel, n);
    fit(UTMLabel, ControlPoints.UTMCount);
    fit(PixelLabel, ControlPoints.PixelCount);
}

void GeoRefForm::UpdatePointList()
{
    syncPointRows();
    const int n = ControlPoints.count();
    bool fitted = false;
    if (n > 1 && ControlPoints.balanced()) {
        fitted = FitGeoreference();
        if (fitted && MapAvailable) {
            PreviewFrame->show();
        }
    } else if (n < 2) {
        Fit.reset();
        showNoFit();
    }
    for (int i = 1; i <= n; ++i) {
        drawRowMarker(i);
        CounterLabel[i].setText(Str(i) + QStringLiteral("."));
        placePointRow(i);
        if (fitted) {
            const ControlPoint& point = ControlPoints.point(i);
            DeltaLabel[i].setText(residualText(point.ResidualNorthing, point.ResidualEasting));
        }
    }
    for (int i = 1; i <= ControlPoints.UTMCount; ++i) {
        const ControlPoint& point = ControlPoints.point(i);
        UTMLabel[i].setText(Format(double(point.Northing), QStringLiteral("0")) + QStringLiteral(" N x ")
            + Format(double(point.Easting), QStringLiteral("0")) + QStringLiteral(" E"));
    }
    for (int i = 1; i <= ControlPoints.PixelCount; ++i) {
        const ControlPoint& point = ControlPoints.point(i);
        PixelLabel[i].setText(CStr(int(point.PixelY)) + QStringLiteral(" x ") + CStr(int(point.PixelX)));
    }
}

bool GeoRefForm::FitGeoreference()
{
    SaveButton->setEnabled(true);
    Fit = fitGeoReference(ControlPoints.complete(), ImagePixelWidth, ImagePixelHeight);
    const std::optional<ImagePlacement> placed = Fit ? placeImage(*Fit, Corrections) : std::nullopt;
    if (!placed) {
        // All points in one pixel column or row (or results beyond 32 bits):
        // no geo-reference to save or preview.
        Fit.reset();
        showNoFit();
        return false;
    }
    for (int i = 1; i <= ControlPoints.completeCount(); ++i) {
        ControlPoint& point = ControlPoints.point(i);
        point.ResidualEasting = Fit->ResidualEasting[size_t(i) - 1];
        point.ResidualNorthing = Fit->ResidualNorthing[size_t(i) - 1];
    }
    OriginEasting = placed->OriginEasting;
    OriginNorthing = placed->OriginNorthing;
    GroundWidth = placed->GroundWidth;
    GroundHeight = placed->GroundHeight;
    if (WindowReady) {
        DrawPreview();
    }
    return true;
}

void GeoRefForm::showNoFit()
{
    SaveButton->setEnabled(false);
    PreviewFrame->hide();
    for (int i = 1; i <= DeltaLabel.UBound(); ++i) {
        if (DeltaLabel.exists(i)) {
            DeltaLabel[i].clear();
        }
    }
}

void GeoRefForm::drawRowMarker(int row)
{
    PictureBox& marker = CounterPic[row];
    marker.Cls();
    marker.setFillStyle(vbFSSolid);
    marker.setFillColor(PointColours[size_t((row - 1) % 4)]);
    const double w = marker.ScaleWidth();
    const double h = marker.ScaleHeight();
    if (row <= 4) {
        marker.Circle(w / 2, h / 2, w / 5, kBlack);
    } else {
        marker.LineBox(0.3 * w, 0.3 * h, 0.7 * w, 0.7 * h, kBlack);
    }
    marker.Refresh();
}

void GeoRefForm::drawMarker(PictureBox& view, int point, double x, double y)
{
    const double d = markerDivisor();
    view.setFillStyle(vbFSSolid);
    view.setFillColor(PointColours[size_t((point - 1) % 4)]);
    if (point <= 4) {
        view.Circle(x, y, double(view.ScaleWidth()) / d, kBlack);
    } else {
        const double halfWidth = double(view.ScaleWidth()) / d;
        const double halfHeight = double(view.ScaleHeight()) / d;
        view.LineBox(x - halfWidth, y - halfHeight, x + halfWidth, y + halfHeight, kBlack);
    }
    view.setFillStyle(vbFSTransparent);
}

void GeoRefForm::DrawControlPoints()
{
    if (MapAvailable) {
        for (int i = 1; i <= ControlPoints.UTMCount; ++i) {
            const ControlPoint& point = ControlPoints.point(i);
            drawMarker(*Picture1, i, point.Easting, point.Northing);
        }
        Picture1->Refresh();
    }
    for (int i = 1; i <= ControlPoints.PixelCount; ++i) {
        const ControlPoint& point = ControlPoints.point(i);
        drawMarker(*Picture2, i, point.PixelX, point.PixelY);
    }
    Picture2->Refresh();
}
