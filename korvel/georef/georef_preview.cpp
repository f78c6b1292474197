// The manual corrections and the preview: the shift and stretch buttons add
// a step of 1 m to 10 km to the fit's origin or ground size, and the preview
// box shows the image where it now lies, with the map's GIS layers drawn
// over it in the same UTM window, so the user sees how well they line up.
#include "korvel/georef/georef_form.h"

#include "platform/picture_box.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>

void GeoRefForm::FactorSlider_Change()
{
    FactorLabel->setText(correctionStepLabel(FactorSlider->value()));
}

void GeoRefForm::FactorSlider_Scroll()
{
    FactorSlider_Change();
}

void GeoRefForm::applyCorrectionStep(bool stretch, int index)
{
    const double step = correctionStep(FactorSlider->value());
    const bool applied
        = stretch ? applyStretchStep(Corrections, index, step) : applyShiftStep(Corrections, index, step);
    if (!applied) {
        return;
    }
    if (stretch) {
        // The preview's scale goes back to image pixels for the new ranges.
        PreviewBox->setScaleMode(vbPixels);
        setPreviewScrollRanges();
    }
    // The refit adds the corrections and draws the preview.
    FitGeoreference();
}

void GeoRefForm::ShiftButton_Click(int Index)
{
    applyCorrectionStep(false, Index);
}

void GeoRefForm::StretchButton_Click(int Index)
{
    applyCorrectionStep(true, Index);
}

void GeoRefForm::ShiftReset_Click()
{
    resetShift(Corrections);
    FitGeoreference();
}

void GeoRefForm::StretchReset_Click()
{
    resetStretch(Corrections);
    FitGeoreference();
}

void GeoRefForm::setPreviewScrollRanges()
{
    const double shownWidth = PreviewBox->clientWidth() * PreviewScale;
    const double shownHeight = PreviewBox->clientHeight() * PreviewScale;
    m_settingScroll = true;
    for (auto [bar, image, shown] : { std::tuple { PreviewScrollH, ImagePixelWidth, shownWidth },
             std::tuple { PreviewScrollV, ImagePixelHeight, shownHeight } }) {
        const ScrollRange range = previewScrollRange(image, shown);
        bar->setRange(0, range.maximum);
        bar->setPageStep(range.largeStep);
        bar->setSingleStep(1);
        bar->setEnabled(range.enabled);
    }
    m_settingScroll = false;
}

void GeoRefForm::paintPreviewImage()
{
    const int w = PreviewBox->clientWidth();
    const int h = PreviewBox->clientHeight();
    PreviewBox->Cls();
    PreviewBox->Scale(0.0, 0.0, double(w) * PreviewScale, double(h) * PreviewScale);
    PreviewBox->PaintPicture(ImagePicture, -PreviewScrollH->sliderPosition(),
        -PreviewScrollV->sliderPosition(), ImagePixelWidth, ImagePixelHeight);
}

void GeoRefForm::DrawPreview()
{
    // The scroll ranges first: a range that shrinks below the present value
    // moves the value, and the image must be painted from the moved one.
    setPreviewScrollRanges();
    paintPreviewImage();
    const ImagePlacement placement { OriginEasting, OriginNorthing, GroundWidth, GroundHeight };
    const std::optional<ViewWindow> window
        = previewWindow(placement, PreviewScrollH->sliderPosition(), PreviewScrollV->sliderPosition(),
            PreviewBox->clientWidth(), PreviewBox->clientHeight(), ImagePixelWidth, ImagePixelHeight);
    ShiftYLabel->setText(correctionLabel(Corrections.ShiftY));
    ShiftXLabel->setText(correctionLabel(Corrections.ShiftX));
    StretchYLabel->setText(correctionLabel(Corrections.StretchY));
    StretchXLabel->setText(correctionLabel(Corrections.StretchX));
    // An image placed with no ground size has no UTM window to draw the
    // layers in.
    if (window) {
        setViewWindow(*PreviewBox, *window);
        DrawGISLayers(*PreviewBox);
    }
    PreviewBox->Refresh();
}

void GeoRefForm::PreviewScrollH_Scroll()
{
    // While the thumb is dragged only the image follows it; the layers are
    // drawn over it when it is let go.
    paintPreviewImage();
    PreviewBox->Refresh();
}

void GeoRefForm::PreviewScrollV_Scroll()
{
    PreviewScrollH_Scroll();
}

void GeoRefForm::PreviewScrollH_Change()
{
    if (!m_settingScroll) {
        DrawPreview();
    }
}

void GeoRefForm::PreviewScrollV_Change()
{
    PreviewScrollH_Change();
}
