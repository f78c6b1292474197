// The geo-referencing window's controls and their places. Distances are in
// screen pixels: the control column on the left (the point list "Selected
// Points" 340 pixels wide, the mouse modes, Save and Cancel), the map view
// and the image view side by side in the width that remains, both square,
// and under them the frame "Preview" with the preview box and the shift and
// stretch controls.
#include "korvel/georef/georef_form.h"

#include "platform/control_array_loaders.h"
#include "platform/picture_box.h"
#include "platform/program_window.h"
#include "platform/screen_metrics.h"
#include "platform/vb_fonts.h"
#include "platform/vb_numbers.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

#include <algorithm>

namespace {

constexpr int kMargin = 8;
constexpr int kColumnWidth = 340;
constexpr int kFrameTitle = 20; // a frame's caption above its first control
constexpr int kRowPitch = 24;
constexpr int kRowTextOffset = 3; // labels sit lower than the row's marker
constexpr int kMarkerSize = 18;
constexpr int kButtonHeight = 24;
constexpr int kScrollBarWidth = 16;
constexpr int kCorrectionWidth = 220; // the shift and stretch controls beside the preview box
constexpr int kCorrectionFrameHeight = 102;
constexpr int kStepButtonWidth = 26;
constexpr int kStepButtonHeight = 22;
// The window's size when it is not maximised, borders and caption included.
constexpr QSize kNormalSize(1024, 768);

// Columns of a point row inside Frame1.
struct RowColumns
{
    int marker = 4;
    int number = 24;
    int utm = 44;
    int pixel = 166;
    int delta = 230;
    int end = kColumnWidth - 4;
};
constexpr RowColumns kRow;

template <class W> W* designControl(QWidget* parent, const QString& name)
{
    auto* control = new W(parent);
    control->setObjectName(name);
    return control;
}

QPushButton* newButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = designControl<QPushButton>(parent, name);
    button->setText(caption);
    button->setAutoDefault(false);
    return button;
}

QLabel* newLabel(QWidget* parent, const QString& name, const QString& caption = QString())
{
    auto* label = designControl<QLabel>(parent, name);
    label->setText(caption);
    return label;
}

// A control array's element goes when its row goes; deleted once control is
// back in the event loop, because a row may be removed by a click on itself.
template <class W> void unloadLater(W* element)
{
    element->hide();
    element->setObjectName(QString());
    element->deleteLater();
}

} // namespace

void GeoRefForm::createControls()
{
    Picture1 = designControl<PictureBox>(this, QStringLiteral("Picture1"));
    Picture2 = designControl<PictureBox>(this, QStringLiteral("Picture2"));
    Option1 = designControl<QRadioButton>(this, QStringLiteral("Option1"));
    Option1->setText(QStringLiteral("Zoom &In"));
    Option2 = designControl<QRadioButton>(this, QStringLiteral("Option2"));
    Option2->setText(QStringLiteral("Zoom &Out"));
    Option3 = designControl<QRadioButton>(this, QStringLiteral("Option3"));
    Option3->setText(QStringLiteral("Pick Points"));
    Option4 = designControl<QRadioButton>(this, QStringLiteral("Option4"));
    Option4->setText(QStringLiteral("Delete Point"));

    Frame1 = designControl<QGroupBox>(this, QStringLiteral("Frame1"));
    Frame1->setTitle(QStringLiteral("Selected Points"));
    createPointRowTemplates();

    SaveButton = newButton(this, QStringLiteral("SaveButton"), QStringLiteral("&Save GeoRef"));
    SaveButton->setDefault(true);
    ExitButton = newButton(this, QStringLiteral("ExitButton"), QStringLiteral("&Cancel"));
    ExitButton->installEventFilter(this);
    createPreviewControls();
}

void GeoRefForm::createPointRowTemplates()
{
    auto* marker = designControl<PictureBox>(Frame1, CounterPic.elementName(0));
    marker->resize(kMarkerSize, kMarkerSize);
    marker->hide();
    CounterPic.setElement(0, marker);
    CounterPic.setLoader(
        widgetLoader(CounterPic, std::function<void(PictureBox&, int)>([this](PictureBox& row, int index) {
            connect(
                &row, &PictureBox::MouseDown, this, [this, index](int button, int shift, float x, float y) {
                    CounterPic_MouseDown(index, button, shift, x, y);
                });
        })),
        unloadLater<PictureBox>);
    for (ControlArray<QLabel>* labels : { &CounterLabel, &UTMLabel, &PixelLabel, &DeltaLabel }) {
        QLabel* label = newLabel(Frame1, labels->elementName(0));
        label->hide();
        labels->setElement(0, label);
        labels->setLoader(widgetLoader(*labels, std::function<void(QLabel&, int)>([this](QLabel& row, int) {
            row.installEventFilter(this);
        })),
            unloadLater<QLabel>);
    }

    Text1 = designControl<QLineEdit>(Frame1, QStringLiteral("Text1"));
    Text2 = designControl<QLineEdit>(Frame1, QStringLiteral("Text2"));
    Command1 = newButton(Frame1, QStringLiteral("Command1"), QStringLiteral("Accept UTM"));
    for (QWidget* entry : std::initializer_list<QWidget*> { Text1, Text2, Command1 }) {
        entry->hide();
        entry->setEnabled(false);
    }
    Text1->installEventFilter(this);
    Text2->installEventFilter(this);
}

void GeoRefForm::createPreviewControls()
{
    PreviewFrame = designControl<QGroupBox>(this, QStringLiteral("PreviewFrame"));
    PreviewFrame->setTitle(QStringLiteral("Preview"));
    PreviewFrame->hide();
    PreviewBox = designControl<PictureBox>(PreviewFrame, QStringLiteral("PreviewBox"));
    PreviewScrollH = designControl<QScrollBar>(PreviewFrame, QStringLiteral("PreviewScrollH"));
    PreviewScrollH->setOrientation(Qt::Horizontal);
    PreviewScrollV = designControl<QScrollBar>(PreviewFrame, QStringLiteral("PreviewScrollV"));
    PreviewScrollV->setOrientation(Qt::Vertical);
    for (QScrollBar* bar : { PreviewScrollH, PreviewScrollV }) {
        // A moved thumb reports its value when it is let go; meanwhile the
        // preview follows it quickly (the Scroll procedures).
        bar->setTracking(false);
        bar->setRange(0, 0);
        bar->setEnabled(false);
    }

    ShiftFrame = designControl<QGroupBox>(PreviewFrame, QStringLiteral("ShiftFrame"));
    ShiftFrame->setTitle(QStringLiteral("Shift"));
    StretchFrame = designControl<QGroupBox>(PreviewFrame, QStringLiteral("StretchFrame"));
    StretchFrame->setTitle(QStringLiteral("Stretch"));
    const QStringList arrows { QStringLiteral("\u2190"), QStringLiteral("\u2191"), QStringLiteral("\u2192"),
        QStringLiteral("\u2193") };
    const QStringList shiftTips { QStringLiteral("West"), QStringLiteral("North"), QStringLiteral("East"),
        QStringLiteral("South") };
    const QStringList stretchTips { QStringLiteral("Narrower"), QStringLiteral("Shorter"),
        QStringLiteral("Wider"), QStringLiteral("Longer") };
    for (int i = 0; i < 4; ++i) {
        QPushButton* shift = newButton(ShiftFrame, ShiftButton.elementName(i), arrows[i]);
        shift->setToolTip(shiftTips[i]);
        ShiftButton.setElement(i, shift);
        QPushButton* stretch = newButton(StretchFrame, StretchButton.elementName(i), arrows[i]);
        stretch->setToolTip(stretchTips[i]);
        StretchButton.setElement(i, stretch);
    }
    ShiftReset = newButton(ShiftFrame, QStringLiteral("ShiftReset"), QStringLiteral("Reset"));
    StretchReset = newButton(StretchFrame, QStringLiteral("StretchReset"), QStringLiteral("Reset"));
    ShiftXLabel = newLabel(ShiftFrame, QStringLiteral("ShiftXLabel"), QStringLiteral("0 m"));
    ShiftYLabel = newLabel(ShiftFrame, QStringLiteral("ShiftYLabel"), QStringLiteral("0 m"));
    StretchXLabel = newLabel(StretchFrame, QStringLiteral("StretchXLabel"), QStringLiteral("0 km"));
    StretchYLabel = newLabel(StretchFrame, QStringLiteral("StretchYLabel"), QStringLiteral("0 km"));
    newLabel(ShiftFrame, QStringLiteral("ShiftXCaption"), QStringLiteral("East:"));
    newLabel(ShiftFrame, QStringLiteral("ShiftYCaption"), QStringLiteral("North:"));
    newLabel(StretchFrame, QStringLiteral("StretchXCaption"), QStringLiteral("Width:"));
    newLabel(StretchFrame, QStringLiteral("StretchYCaption"), QStringLiteral("Height:"));

    newLabel(PreviewFrame, QStringLiteral("FactorCaption"), QStringLiteral("Shift/Stretch Increment"));
    FactorSlider = designControl<QSlider>(PreviewFrame, QStringLiteral("FactorSlider"));
    FactorSlider->setOrientation(Qt::Horizontal);
    FactorSlider->setRange(0, 4);
    FactorSlider->setPageStep(1);
    FactorSlider->setTickPosition(QSlider::TicksBelow);
    FactorLabel = newLabel(PreviewFrame, QStringLiteral("FactorLabel"), QStringLiteral("1 m"));
}

bool GeoRefForm::openMaximised()
{
    const QSize free = availableArea().size();
    return screenWidthTwips() / TwipsPerPixelX() <= 1024.0f || free.width() < kNormalSize.width()
        || free.height() < kNormalSize.height();
}

void GeoRefForm::ArrangeControls()
{
    const float twips = TwipsPerPixelX();
    setFont(vbFont(QStringLiteral("MS Sans Serif"), Fix(8.0 * double(twips) / 15.0)));
    // The sizes are the frame's outer ones, whatever frame the desktop draws.
    const QMargins frame = windowFrame(*this);
    if (openMaximised()) {
        // A small screen gets the whole of its free area.
        resize(availableArea().size().shrunkBy(frame));
        setWindowState(Qt::WindowMaximized);
    } else {
        resize(kNormalSize.shrunkBy(frame));
    }
    layoutControls();
}

int GeoRefForm::rowTop(int row) const
{
    return kFrameTitle + (std::max(row, 1) - 1) * kRowPitch;
}

bool GeoRefForm::layoutControls()
{
    const QSize mapSize = Picture1->size();
    const QSize imageSize = Picture2->size();
    const QSize previewSize = PreviewBox->size();
    const int w = width();
    const int h = height();
    const int frameHeight = kFrameTitle + MaxControlPoints * kRowPitch + kMargin;
    Frame1->setGeometry(kMargin, kMargin, kColumnWidth, frameHeight);
    for (int row = 0; row <= CounterPic.UBound(); ++row) {
        if (CounterPic.exists(row)) {
            placePointRow(row);
        }
    }

    const int optionsTop = kMargin + frameHeight + kMargin;
    const int half = kColumnWidth / 2;
    Option1->setGeometry(kMargin, optionsTop, half - 4, 20);
    Option2->setGeometry(kMargin, optionsTop + 22, half - 4, 20);
    Option3->setGeometry(kMargin + half, optionsTop, half - 4, 20);
    Option4->setGeometry(kMargin + half, optionsTop + 22, half - 4, 20);
    const int buttonsTop = optionsTop + 52;
    SaveButton->setGeometry(kMargin, buttonsTop, 120, kButtonHeight + 2);
    ExitButton->setGeometry(kMargin + 130, buttonsTop, 100, kButtonHeight + 2);

    // The two views share what is left of the width, square; the preview
    // takes the height below them.
    const int viewsLeft = kMargin + kColumnWidth + kMargin;
    const int viewsWidth = std::max(w - viewsLeft - kMargin, 2 * kMargin);
    const int minimumPreview = 300;
    const int side = std::max(std::min((viewsWidth - kMargin) / 2, h - 3 * kMargin - minimumPreview), 40);
    Picture1->setGeometry(viewsLeft, kMargin, side, side);
    Picture2->setGeometry(viewsLeft + side + kMargin, kMargin, side, side);
    const int previewTop = kMargin + side + kMargin;
    PreviewFrame->setGeometry(viewsLeft, previewTop, viewsWidth, std::max(h - previewTop - kMargin, 120));
    layoutPreviewFrame();
    return Picture1->size() != mapSize || Picture2->size() != imageSize || PreviewBox->size() != previewSize;
}

void GeoRefForm::placePointRow(int row)
{
    const int top = rowTop(row);
    if (PictureBox* marker = CounterPic.at(row)) {
        marker->setGeometry(kRow.marker, top, kMarkerSize, kMarkerSize);
    }
    const int textTop = top + kRowTextOffset;
    const int textHeight = kMarkerSize - kRowTextOffset;
    if (QLabel* number = CounterLabel.at(row)) {
        number->setGeometry(kRow.number, textTop, kRow.utm - kRow.number - 2, textHeight);
    }
    if (QLabel* utm = UTMLabel.at(row)) {
        utm->setGeometry(kRow.utm, textTop, kRow.pixel - kRow.utm - 2, textHeight);
    }
    if (QLabel* pixel = PixelLabel.at(row)) {
        pixel->setGeometry(kRow.pixel, textTop, kRow.delta - kRow.pixel - 2, textHeight);
    }
    if (QLabel* delta = DeltaLabel.at(row)) {
        delta->setGeometry(kRow.delta, textTop, kRow.end - kRow.delta, textHeight);
    }
}

void GeoRefForm::layoutPreviewFrame()
{
    const int frameWidth = PreviewFrame->width();
    const int frameHeight = PreviewFrame->height();
    const int boxWidth = std::max(frameWidth - 3 * kMargin - kScrollBarWidth - kCorrectionWidth, 40);
    const int boxHeight = std::max(frameHeight - kFrameTitle - kMargin - kScrollBarWidth, 40);
    PreviewBox->setGeometry(kMargin, kFrameTitle, boxWidth, boxHeight);
    PreviewScrollH->setGeometry(kMargin, kFrameTitle + boxHeight, boxWidth, kScrollBarWidth);
    PreviewScrollV->setGeometry(kMargin + boxWidth, kFrameTitle, kScrollBarWidth, boxHeight);

    const int left = kMargin + boxWidth + kScrollBarWidth + kMargin;
    ShiftFrame->setGeometry(left, kFrameTitle, kCorrectionWidth, kCorrectionFrameHeight);
    StretchFrame->setGeometry(
        left, kFrameTitle + kCorrectionFrameHeight + 6, kCorrectionWidth, kCorrectionFrameHeight);
    for (QGroupBox* frame : { ShiftFrame, StretchFrame }) {
        ControlArray<QPushButton>& buttons = frame == ShiftFrame ? ShiftButton : StretchButton;
        const int across = kStepButtonWidth + 6;
        buttons[0].setGeometry(8, 44, kStepButtonWidth, kStepButtonHeight);
        buttons[1].setGeometry(8 + across / 2 + 3, 18, kStepButtonWidth, kStepButtonHeight);
        buttons[2].setGeometry(8 + across, 44, kStepButtonWidth, kStepButtonHeight);
        buttons[3].setGeometry(8 + across / 2 + 3, 70, kStepButtonWidth, kStepButtonHeight);
        const bool shift = frame == ShiftFrame;
        const QString prefix = shift ? QStringLiteral("Shift") : QStringLiteral("Stretch");
        QLabel* xCaption = frame->findChild<QLabel*>(prefix + QStringLiteral("XCaption"));
        QLabel* yCaption = frame->findChild<QLabel*>(prefix + QStringLiteral("YCaption"));
        xCaption->setGeometry(96, 20, 50, 16);
        yCaption->setGeometry(96, 42, 50, 16);
        (shift ? ShiftXLabel : StretchXLabel)->setGeometry(146, 20, kCorrectionWidth - 150, 16);
        (shift ? ShiftYLabel : StretchYLabel)->setGeometry(146, 42, kCorrectionWidth - 150, 16);
        (shift ? ShiftReset : StretchReset)->setGeometry(96, 68, 80, kButtonHeight);
    }
    const int sliderTop = kFrameTitle + 2 * (kCorrectionFrameHeight + 6);
    PreviewFrame->findChild<QLabel*>(QStringLiteral("FactorCaption"))
        ->setGeometry(left, sliderTop, kCorrectionWidth, 16);
    FactorSlider->setGeometry(left, sliderTop + 18, 150, 24);
    FactorLabel->setGeometry(left + 156, sliderTop + 22, kCorrectionWidth - 156, 16);
}
