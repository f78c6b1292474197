// The least of the "Loaded Files" list that loading and drawing need: one
// row per image and GIS layer (a tick box and its caption in Frame1, made
// from the hidden element 0 of each control array), the rows' tick handlers,
// the caption fitting, and a rebuild that places the rows in list order.
// The layer list work replaces this file with the whole list (colour boxes,
// block rows, scrolling, reordering, pop-up menus).
#include "korvel/agnav/agnav_block.h"
#include "korvel/map/layer_records.h"
#include "korvel/map/map_state.h"
#include "korvel/map/redraw_state.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/program_globals.h"
#include "platform/control_array_loaders.h"
#include "platform/status_bar.h"
#include "platform/vb_colors.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>

namespace {

constexpr int kRowTop = 16; // pixels: the first row's place in Frame1
constexpr int kCheckLeft = 8;
constexpr int kLabelLeft = 28;

QCheckBox* newCheckTemplate(const ControlArray<QCheckBox>& array, QWidget& frame)
{
    auto* check = new QCheckBox(&frame);
    check->setObjectName(array.elementName(0));
    check->setGeometry(kCheckLeft, kRowTop, 16, 16);
    check->hide();
    return check;
}

QLabel* newLabelTemplate(const ControlArray<QLabel>& array, QWidget& frame)
{
    auto* label = new QLabel(&frame);
    label->setObjectName(array.elementName(0));
    label->setGeometry(kLabelLeft, kRowTop + 1, frame.width() - kLabelLeft - 8, 15);
    label->hide();
    return label;
}

void setLabelColour(QLabel& label, qint32 colour)
{
    QPalette colours = label.palette();
    colours.setColor(QPalette::WindowText, toQColor(colour));
    label.setPalette(colours);
}

} // namespace

void MainForm::createLayerListTemplates()
{
    using Handler = void (MainForm::*)(int);
    auto checks = [this](ControlArray<QCheckBox>& array, Handler handler) {
        array.setElement(0, newCheckTemplate(array, *Frame1));
        array.setLoader(widgetLoader(
            array, std::function<void(QCheckBox&, int)>([this, handler](QCheckBox& check, int index) {
                // Setting the value in code runs the handler too, as a click does.
                connect(
                    &check, &QCheckBox::toggled, this, [this, handler, index] { (this->*handler)(index); });
            })));
    };
    checks(ImageCheck, &MainForm::ImageCheck_Click);
    checks(GISCheck, &MainForm::GISCheck_Click);
    AGCheck.setElement(0, newCheckTemplate(AGCheck, *Frame1));
    AGCheck.setLoader(widgetLoader(AGCheck));
    Check3.setElement(0, newCheckTemplate(Check3, *Frame1));
    Check3.setLoader(widgetLoader(Check3));
    // An image row can be ticked only once its image is geo-referenced.
    ImageCheck[0].setEnabled(false);
    for (ControlArray<QLabel>* labels : { &ImageCheckLabel, &GISCheckLabel }) {
        labels->setElement(0, newLabelTemplate(*labels, *Frame1));
        labels->setLoader(widgetLoader(*labels));
    }
}

void MainForm::AddImageListEntry()
{
    const int index = layerData().ImageCount;
    QCheckBox& check = ImageCheck.load(index);
    ImageCheckLabel.load(index);
    if (layerData().Images[size_t(index)].Georeferenced) {
        check.setEnabled(true);
        check.setChecked(true);
    }
    RefreshChecklist();
}

void MainForm::AddGISListEntry()
{
    const int index = layerData().GISCount;
    QCheckBox& check = GISCheck.load(index);
    GISCheckLabel.load(index);
    check.setChecked(true);
    RefreshChecklist();
}

void MainForm::AddBlockListEntry()
{
    AGCheck.load(agnavData().BlockCount).setChecked(true);
    RefreshChecklist();
}

// Sub-rows are numbered over all blocks; the least list only keeps them ticked.
static void addSubRow(ControlArray<QCheckBox>& rows)
{
    rows.load(rows.UBound() + 1).setChecked(true);
}

void MainForm::AddFlightListEntry(int Block)
{
    Q_UNUSED(Block);
    addSubRow(Check3);
    RefreshChecklist();
}

void MainForm::AddGuidanceListEntry(int Block)
{
    Q_UNUSED(Block);
    addSubRow(Check3);
    RefreshChecklist();
}

void MainForm::AddExclusionListEntry(int Block)
{
    Q_UNUSED(Block);
    addSubRow(Check3);
    RefreshChecklist();
}

void MainForm::RefreshChecklist()
{
    const LayerData& data = layerData();
    const ProgramGlobals& program = globals();
    const int pitch = program.ScreenWidth == 800 ? 16 : 18;
    const int bottom = Frame1->height() - 10;
    int top = kRowTop;
    auto place = [&](QCheckBox& check, QLabel& label, const QString& caption) {
        check.move(kCheckLeft, top);
        label.move(kLabelLeft, top + 3);
        label.resize(Frame1->width() - kLabelLeft - 8, label.height());
        label.setText(caption);
        const bool shown = top >= kRowTop && top < bottom;
        check.setVisible(shown);
        label.setVisible(shown);
        top += pitch;
    };
    for (int p = 1; p <= data.ImageCount; ++p) {
        const ImageLayer& image = data.Images[size_t(data.ImageOrder[size_t(p)])];
        QCheckBox& check = ImageCheck[p];
        // Images have their place in metres: they show in UTM mode only.
        check.setEnabled(image.Georeferenced && program.UTMMode);
        if (!image.Georeferenced && check.isChecked()) {
            check.setChecked(false);
        }
        setLabelColour(ImageCheckLabel[p], image.Georeferenced ? QBColor(0) : QBColor(4));
        place(check, ImageCheckLabel[p], image.DisplayName);
    }
    for (int p = 1; p <= data.GISCount; ++p) {
        const GISLayer& layer = data.GISLayers[size_t(data.GISOrder[size_t(p)])];
        place(GISCheck[p], GISCheckLabel[p], layer.DisplayName);
    }

    StatusPanel& mode = StatusBar1->panel(3);
    mode.Text = program.UTMMode ? QStringLiteral("UTM") : QStringLiteral("Lat/Long");
    mode.Bevel = program.UTMMode ? PanelBevel::Raised : PanelBevel::Inset;
    StatusBar1->refresh();

    if (!program.GISLoaded && !program.AGNAVLoaded && !program.ImageLoaded) {
        ClearMapOverlays();
        mapState().MapEmpty = true;
    }
}

int MainForm::FitListCaption(const QString& Caption, bool SubEntry)
{
    Q_UNUSED(SubEntry);
    const QLabel& label = ImageCheckLabel[0];
    const QFontMetrics metrics(label.font());
    const int room = Frame1->width() - kLabelLeft - 8;
    if (metrics.horizontalAdvance(Caption) <= room) {
        return 0;
    }
    const int length = int(Caption.size());
    for (int cut = 1; cut < length - 10; ++cut) {
        const QString shortened
            = Caption.left(10) + QStringLiteral(" ... ") + Caption.right(length - 10 - cut);
        if (metrics.horizontalAdvance(shortened) <= room) {
            return cut;
        }
    }
    return qMax(1, length - 10);
}

void MainForm::ImageCheck_Click(int Index)
{
    Q_UNUSED(Index);
    if (globals().ImmediateGraph && !redrawState().Busy) {
        Graph(false);
    }
}

void MainForm::GISCheck_Click(int Index)
{
    Q_UNUSED(Index);
    if (globals().ImmediateGraph && !redrawState().Busy) {
        Graph(false);
    }
}
