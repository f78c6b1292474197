#include "korvel/georef/georef_form.h"

#include "korvel/map/image_cache.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/map_pointer_icons.h"
#include "korvel/shell/row_ticks.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "platform/blocked_press.h"
#include "platform/deferred_msg_box.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/single_form.h"
#include "platform/vb_colors.h"
#include "platform/vb_error.h"
#include "platform/vb_input_codes.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

namespace {

SingleForm<GeoRefForm> g_form;

// The palette's light red, light green, yellow and light blue.
constexpr std::array<int, 4> kPointPalette { 12, 10, 14, 9 };

void widen(MapExtent& extent, double x, double y)
{
    extent.XMin = std::min(extent.XMin, x);
    extent.XMax = std::max(extent.XMax, x);
    extent.YMin = std::min(extent.YMin, y);
    extent.YMax = std::max(extent.YMax, y);
}

} // namespace

GeoRefForm& GeoRefForm::instance()
{
    return g_form.instance([] { return new GeoRefForm(MainForm::existing()); },
        [](GeoRefForm& form) {
            form.m_loaded = true;
            form.Form_Load();
        });
}

GeoRefForm* GeoRefForm::existing()
{
    return g_form.existing();
}

void GeoRefForm::release()
{
    g_form.release([](GeoRefForm& form) {
        if (form.m_loaded && !form.m_unloaded) {
            form.m_unloaded = true;
            form.Form_Unload();
        }
    });
}

GeoRefForm::GeoRefForm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("GeoRefForm"));
    setWindowTitle(QStringLiteral("Image Geo-Referencing"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
        | Qt::WindowCloseButtonHint);
    createControls();
    connectControls();
}

GeoRefForm::~GeoRefForm() = default;

template <class Procedure> void GeoRefForm::guarded(Procedure procedure, bool inChange)
{
    try {
        procedure();
    } catch (const VbError& error) {
        const QString prompt
            = QStringLiteral("KORVEL encountered the following error:\r") + error.Description();
        // A box opened while the slider or a scroll bar changes would leave a
        // held press stepping: the error is told once the change is over.
        if (inChange) {
            showMsgBoxAfterEvent(prompt);
        } else {
            MsgBox(prompt);
        }
    }
}

void GeoRefForm::connectControls()
{
    // Procedures without arguments; the signals' own arguments are dropped.
    const auto on
        = [this](auto* sender, auto signal, void (GeoRefForm::*procedure)(), bool inChange = false) {
              connect(sender, signal, this,
                  [this, procedure, inChange] { guarded([&] { (this->*procedure)(); }, inChange); });
          };
    const auto onMouseDown = [this](PictureBox* view, void (GeoRefForm::*procedure)(int, int, float, float)) {
        connect(
            view, &PictureBox::MouseDown, this, [this, procedure](int button, int shift, float x, float y) {
                guarded([&] { (this->*procedure)(button, shift, x, y); });
            });
    };
    onMouseDown(Picture1, &GeoRefForm::Picture1_MouseDown);
    onMouseDown(Picture2, &GeoRefForm::Picture2_MouseDown);
    on(Option1, &QRadioButton::clicked, &GeoRefForm::Option1_Click);
    on(Option2, &QRadioButton::clicked, &GeoRefForm::Option2_Click);
    on(Option3, &QRadioButton::clicked, &GeoRefForm::Option3_Click);
    on(Option4, &QRadioButton::clicked, &GeoRefForm::Option4_Click);
    on(Text1, &QLineEdit::textChanged, &GeoRefForm::Text1_Change);
    on(Text2, &QLineEdit::textChanged, &GeoRefForm::Text2_Change);
    on(Command1, &QPushButton::clicked, &GeoRefForm::Command1_Click);
    on(SaveButton, &QPushButton::clicked, &GeoRefForm::SaveButton_Click);
    on(ExitButton, &QPushButton::clicked, &GeoRefForm::ExitButton_Click);
    for (int i = 0; i <= 3; ++i) {
        connect(&ShiftButton[i], &QPushButton::clicked, this,
            [this, i] { guarded([&] { ShiftButton_Click(i); }); });
        connect(&StretchButton[i], &QPushButton::clicked, this,
            [this, i] { guarded([&] { StretchButton_Click(i); }); });
    }
    on(ShiftReset, &QPushButton::clicked, &GeoRefForm::ShiftReset_Click);
    on(StretchReset, &QPushButton::clicked, &GeoRefForm::StretchReset_Click);
    // A press on the slider or a scroll bar lets go when a box blocks the window.
    on(FactorSlider, &QSlider::valueChanged, &GeoRefForm::FactorSlider_Change, true);
    on(FactorSlider, &QSlider::sliderMoved, &GeoRefForm::FactorSlider_Scroll, true);
    on(PreviewScrollH, &QScrollBar::valueChanged, &GeoRefForm::PreviewScrollH_Change, true);
    on(PreviewScrollH, &QScrollBar::sliderMoved, &GeoRefForm::PreviewScrollH_Scroll, true);
    on(PreviewScrollV, &QScrollBar::valueChanged, &GeoRefForm::PreviewScrollV_Change, true);
    on(PreviewScrollV, &QScrollBar::sliderMoved, &GeoRefForm::PreviewScrollV_Scroll, true);
    for (QAbstractSlider* control :
        std::initializer_list<QAbstractSlider*> { FactorSlider, PreviewScrollH, PreviewScrollV }) {
        letGoWhenBlocked(*control);
    }
}

void GeoRefForm::Form_Load()
{
    MainForm& main = MainForm::instance();
    ImageIndex = main.CurrentImage;
    ArrangeControls();
    ReleaseFloatingWindows();

    Extent = EmptyDataExtent;
    MapAvailable = false;
    widenExtentByTickedLayers();
    widenExtentByBlocks();
    PreviewScale = 1;
    setViewPointers(main.Picture1->MouseIcon());
    SaveButton->setEnabled(false);
    Option3->setChecked(true);
    Option3_Click();
    setViewWindow(*Picture1, fullMapWindow(Extent, false));

    const ImageLayer* record = imageRecord();
    const ImageLayer image = record ? *record : ImageLayer();
    setViewWindow(*Picture2, wholeImageWindow(image.PixelWidth, image.PixelHeight));
    ImagePixelHeight = image.PixelHeight;
    ImagePixelWidth = image.PixelWidth;
    OriginEasting = image.X;
    OriginNorthing = image.Y;
    GroundHeight = image.Height;
    GroundWidth = image.Width;

    // The rows come from the points actually read, whatever count the
    // record or the file claims.
    ControlPoints.clear();
    Corrections = ManualCorrections();
    if (image.Georeferenced) {
        ReadGeoRefFile();
    }
    for (size_t i = 0; i < PointColours.size(); ++i) {
        PointColours[i] = QBColor(kPointPalette[i]);
    }
    Picture1->setEnabled(MapAvailable);
    if (image.Georeferenced) {
        setPreviewScrollRanges();
        PreviewFrame->setVisible(MapAvailable);
    }
    UpdatePointList();
    WindowReady = true;
}

void GeoRefForm::widenExtentByTickedLayers()
{
    const MainForm& main = MainForm::instance();
    const LayerData& layers = layerData();
    for (int i = 1; i <= layers.GISCount && i < int(layers.GISOrder.size()); ++i) {
        const int index = layers.GISOrder[size_t(i)];
        if (!rowTicked(main.GISCheck, i) || index < 1 || index >= int(layers.GISLayers.size())) {
            continue;
        }
        const GISLayer& layer = layers.GISLayers[size_t(index)];
        widen(Extent, layer.XMin, layer.YMin);
        widen(Extent, layer.XMax, layer.YMax);
        MapAvailable = true;
    }
}

void GeoRefForm::widenExtentByBlocks()
{
    // Ticked blocks make UTM picks possible. When no GIS layer gave the
    // view an extent, their boundaries and flights do, or the view would
    // frame nothing.
    const bool framed = MapAvailable;
    const MainForm& main = MainForm::instance();
    const AgnavData& agnav = agnavData();
    for (int b = 1; b <= agnav.BlockCount && b < int(agnav.Blocks.size()); ++b) {
        if (!rowTicked(main.AGCheck, b)) {
            continue;
        }
        MapAvailable = true;
        if (framed) {
            continue;
        }
        const AGNAVBlock& block = agnav.Blocks[size_t(b)];
        for (int v = 1; v <= block.VertexCount && v < int(block.Boundary.X.size()); ++v) {
            widen(Extent, block.Boundary.X[size_t(v)], block.Boundary.Y[size_t(v)]);
        }
        for (int f = 1; f <= block.FlightCount && f < int(block.Flights.size()); ++f) {
            const FlightFile& flight = block.Flights[size_t(f)];
            const int samples = std::min<int>(flight.SampleCount, int(flight.Position.size()) - 1);
            for (int s = 1; s <= samples; ++s) {
                widen(Extent, flight.Position[size_t(s)].X, flight.Position[size_t(s)].Y);
            }
        }
    }
}

void GeoRefForm::setViewPointers(const QImage& icon)
{
    for (PictureBox* view : { Picture1, Picture2 }) {
        view->setMouseIcon(icon);
        view->setMousePointer(vbCustom);
    }
}

void GeoRefForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The first activation draws the views; a window manager that does not
    // activate the window still gets them drawn once it is shown.
    QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

bool GeoRefForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        Form_Activate();
    }
    return QDialog::event(event);
}

void GeoRefForm::Form_Activate()
{
    // Qt activates the window again after every message box; the views keep
    // their drawing, so the work is done once per opening.
    if (m_activated || !isVisible()) {
        return;
    }
    m_activated = true;
    repaint();
    if (!loadImagePicture()) {
        reject();
        return;
    }
    guarded([this] {
        DrawGISLayers(*Picture1);
        Picture1->Refresh();
        DrawImageView();
        DrawControlPoints();
        if (imageRecord()->Georeferenced) {
            DrawPreview();
        }
    });
}

ImageLayer* GeoRefForm::imageRecord() const
{
    LayerData& layers = layerData();
    if (ImageIndex < 1 || ImageIndex > layers.ImageCount || ImageIndex >= int(layers.Images.size())) {
        return nullptr;
    }
    return &layers.Images[size_t(ImageIndex)];
}

bool GeoRefForm::loadImagePicture()
{
    const ImageLayer* image = imageRecord();
    if (!image) {
        return false;
    }
    const QString path = image->Path;
    const CachedPicture picture = cachedPicture(path);
    if (picture.picture.isNull()) {
        MsgBox(
            QStringLiteral("KORVEL cannot load the image\r%1\r\r%2").arg(path, picture.error), vbExclamation);
        return false;
    }
    ImagePicture = picture.picture;
    return true;
}

void GeoRefForm::Form_Resize()
{
    if (openMaximised() && windowState() == Qt::WindowNoState) {
        setWindowState(Qt::WindowMaximized);
    }
}

void GeoRefForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
    // The pictures keep what they show at the size it was drawn for.
    if (layoutControls() && m_activated && isVisible()) {
        guarded([this] { redrawAll(); });
    }
}

void GeoRefForm::redrawAll()
{
    DrawGISLayers(*Picture1);
    Picture1->Refresh();
    DrawImageView();
    DrawControlPoints();
    if (Fit && !PreviewFrame->isHidden()) {
        DrawPreview();
    }
}

void GeoRefForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
    }
}

void GeoRefForm::done(int result)
{
    if (m_loaded && !m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    QDialog::done(result);
}

void GeoRefForm::Form_Unload()
{
    if (MainForm* main = MainForm::existing()) {
        main->CurrentImage = 0;
    }
    RestoreFloatingWindows();
}

void GeoRefForm::ExitButton_Click()
{
    reject();
}

void GeoRefForm::ExitButton_LostFocus()
{
    Option3->setFocus();
}

void GeoRefForm::keyPressEvent(QKeyEvent* event)
{
    // Escape presses the cancel button: Command1 during a typed entry,
    // otherwise ExitButton.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        QPushButton* cancel = m_entryOpen ? Command1 : ExitButton;
        if (cancel->isEnabled()) {
            cancel->click();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void GeoRefForm::Option1_Click()
{
    setViewPointers(mapPointerIcons().ZoomInIcon);
}

void GeoRefForm::Option2_Click()
{
    setViewPointers(mapPointerIcons().ZoomOutIcon);
}

void GeoRefForm::Option3_Click()
{
    if (const MainForm* main = MainForm::existing()) {
        setViewPointers(main->Picture1->MouseIcon());
    }
    PreviewBox->setMousePointer(vbArrow);
}

void GeoRefForm::Option4_Click()
{
    Option3_Click();
}

void GeoRefForm::Picture1_MouseDown(int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Button);
    if (!MapAvailable) {
        return;
    }
    if (Option1->isChecked()) {
        ZoomIn(*Picture1, X, Y, Shift);
    } else if (Option2->isChecked()) {
        ZoomOut(*Picture1, X, Y, Shift);
    } else {
        MapPick(X, Y);
    }
}

void GeoRefForm::Picture2_MouseDown(int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Button);
    if (Option1->isChecked()) {
        ZoomIn(*Picture2, X, Y, Shift);
    } else if (Option2->isChecked()) {
        ZoomOut(*Picture2, X, Y, Shift);
    } else {
        ImagePick(X, Y);
    }
}

bool GeoRefForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        const int button = vbButton(press->button());
        const int shift = vbShift(press->modifiers());
        const float x = float(press->position().x());
        const float y = float(press->position().y());
        const auto rowOf = [watched](const ControlArray<QLabel>& labels) {
            return labels.indexOf(static_cast<const QLabel*>(watched));
        };
        if (const int row = rowOf(CounterLabel); row > 0) {
            CounterLabel_MouseDown(row, button, shift, x, y);
        } else if (const int row = rowOf(UTMLabel); row > 0) {
            UTMLabel_MouseDown(row, button, shift, x, y);
        } else if (const int row = rowOf(PixelLabel); row > 0) {
            PixelLabel_MouseDown(row, button, shift, x, y);
        } else if (const int row = rowOf(DeltaLabel); row > 0) {
            DeltaLabel_MouseDown(row, button, shift, x, y);
        }
    } else if (event->type() == QEvent::FocusIn && (watched == Text1 || watched == Text2)) {
        // After the focus has settled, or the click that gave it would
        // place the cursor over the selection.
        QTimer::singleShot(0, this, [this, watched] {
            if (watched == Text1) {
                Text1_GotFocus();
            } else {
                Text2_GotFocus();
            }
        });
    } else if (event->type() == QEvent::FocusOut && watched == ExitButton) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            ExitButton_LostFocus();
        }
    }
    return QDialog::eventFilter(watched, event);
}
