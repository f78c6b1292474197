// The controls of "KORVEL Preferences": the tab strip over six frames of
// the same place, one per tab, and the Accept and Cancel buttons; the
// controls of tabs 1 to 5. The AG-NAV tab is in pref_form_agnav_design.cpp.
#include "korvel/prefs/pref_form.h"

#include "platform/form_design_kit.h"
#include "korvel/prefs/utm_zone_map.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>

namespace {

constexpr int kDialogWidth = 600;
constexpr int kDialogHeight = 430;
constexpr int kFrameTop = 34;
constexpr int kFrameHeight = 344;
constexpr int kButtonWidth = 81;
constexpr int kButtonHeight = 23;

const char* const kTabCaptions[] = { "Graphing", "File Locations", "Optimization", "UTM Ellipsoid", "Buffer Zones",
    "AG-NAV" };
// The frames of tabs 2, 5 and 6 carry a caption of their own.
const char* const kFrameCaptions[] = { "", "File Locations", "", "", "Buffer Zones", "AG-NAV File Defaults" };

QCheckBox* checkBox(QWidget& parent, const QString& name, const QString& text, int x, int y)
{
    auto* box = new QCheckBox(text, &parent);
    box->setObjectName(name);
    box->setGeometry(x, y, 260, 20);
    return box;
}

QSlider* slider(QWidget& parent, const QString& name, int maximum, int x, int y, int width)
{
    auto* bar = new QSlider(Qt::Horizontal, &parent);
    bar->setObjectName(name);
    bar->setRange(1, maximum);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setPageStep(1);
    bar->setGeometry(x, y, width, 26);
    return bar;
}

// A picture box that shows a colour as its background.
PictureBox* colourBox(QWidget& parent, const QString& name, int x, int y)
{
    auto* box = new PictureBox(&parent);
    box->setObjectName(name);
    box->setGeometry(x, y, 60, 30);
    return box;
}

QListWidget* listBox(QWidget& parent, const QString& name, int x, int y, int width, int height)
{
    auto* list = new QListWidget(&parent);
    list->setObjectName(name);
    list->setGeometry(x, y, width, height);
    return list;
}

} // namespace

PrefForm::PrefForm(QWidget* parent)
    : QDialog(parent)
{
    designFixedDialog(*this, QStringLiteral("PrefForm"), QStringLiteral("KORVEL Preferences"));
    setFixedSize(kDialogWidth, kDialogHeight);
    createControls();
    connectControls();
}

void PrefForm::createControls()
{
    TabStrip1 = new QTabBar(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->setGeometry(8, 8, kDialogWidth - 16, kFrameTop - 8);
    TabStrip1->setDrawBase(true);
    for (const char* caption : kTabCaptions) {
        TabStrip1->addTab(QString::fromLatin1(caption));
    }
    for (int tab = 1; tab <= 6; ++tab) {
        auto* frame = new QGroupBox(QString::fromLatin1(kFrameCaptions[tab - 1]), this);
        frame->setObjectName(Frame1.elementName(tab));
        frame->setGeometry(8, kFrameTop, kDialogWidth - 16, kFrameHeight);
        Frame1.setElement(tab, frame);
    }
    createGraphingTab(Frame1[1]);
    createFoldersTab(Frame1[2]);
    createOptimizationTab(Frame1[3]);
    createZoneTab(Frame1[4]);
    createBufferTab(Frame1[5]);
    createAgnavTab(Frame1[6]);

    const int top = kDialogHeight - kButtonHeight - 12;
    AcceptButton = new QPushButton(QStringLiteral("&Accept"), this);
    AcceptButton->setObjectName(QStringLiteral("AcceptButton"));
    AcceptButton->setGeometry(kDialogWidth - 2 * (kButtonWidth + 8), top, kButtonWidth, kButtonHeight);
    AcceptButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(kDialogWidth - (kButtonWidth + 8), top, kButtonWidth, kButtonHeight);
}

void PrefForm::createGraphingTab(QGroupBox& frame)
{
    auto* speed = new QGroupBox(QStringLiteral("Graphing Speed"), &frame);
    speed->setGeometry(10, 16, 270, 170);
    QLabel* gis = designCaption(*speed, QStringLiteral("&GIS Files"), 10, 20);
    designOptionPair(*speed, GISspeed, QStringLiteral("Layer-by-Layer"), QStringLiteral("Line-by-Line"), 20, 38,
        OptionPairLayout::Stacked);
    gis->setBuddy(&GISspeed[1]);
    QLabel* agnav = designCaption(*speed, QStringLiteral("AG-&NAV Files"), 10, 86);
    designOptionPair(*speed, AGNAVspeed, QStringLiteral("Flight-by-Flight"), QStringLiteral("Positional"), 20, 104,
        OptionPairLayout::Stacked);
    agnav->setBuddy(&AGNAVspeed[1]);
    Label4 = designCaption(*speed, QStringLiteral("Speed"), 150, 104, QStringLiteral("Label4"));
    AGNAVslider = slider(*speed, QStringLiteral("AGNAVslider"), 4, 140, 124, 110);

    ImmediateCheck = checkBox(frame, QStringLiteral("ImmediateCheck"), QStringLiteral("&Immediate Graph"), 300, 22);
    Check1 = checkBox(frame, QStringLiteral("Check1"), QStringLiteral("Graph '&boom off' AG-NAV data "), 300, 46);
    Check2 = checkBox(
        frame, QStringLiteral("Check2"), QStringLiteral("&Colour code AG-NAV spray rate data"), 300, 70);
    Check3 = checkBox(frame, QStringLiteral("Check3"), QStringLiteral("&Fill GIS polygons"), 300, 94);
    designCaption(frame, QStringLiteral("Draw guidance data"), 300, 124);
    auto* guidance = new QWidget(&frame);
    guidance->setGeometry(300, 142, 270, 22);
    Option2 = new QRadioButton(QStringLiteral("above"), guidance);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setGeometry(0, 0, 70, 20);
    Option1 = new QRadioButton(QStringLiteral("below"), guidance);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setGeometry(72, 0, 70, 20);
    designCaption(*guidance, QStringLiteral("spray data"), 146, 3);

    // Alt+P is the dialog's own key for the pointer colour (Form_KeyDown).
    Label10 = designCaption(frame, QStringLiteral("<u>P</u>ointer Colour:"), 10, 208, QStringLiteral("Label10"));
    Label10->installEventFilter(this);
    Picture1 = new PictureBox(&frame);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(110, 198, 36, 36);
    Picture1->setBackColor(0xFFFFFF);

    QLabel* units = designCaption(frame, QStringLiteral("&Units:"), 10, 256);
    designOptionPair(frame, CoordSystemOption, QStringLiteral("U.S."), QStringLiteral("Metric"), 60, 252);
    units->setBuddy(&CoordSystemOption[1]);

    auto* screen = new QGroupBox(QStringLiteral("Screen Resolution"), &frame);
    screen->setGeometry(300, 198, 200, 50);
    Label5 = designCaption(*screen, QString(), 12, 22, QStringLiteral("Label5"));
    Label5->resize(170, 18);
}

void PrefForm::createFoldersTab(QGroupBox& frame)
{
    const QString captions[] = { QStringLiteral("&Session Files"), QStringLiteral("&Image Files"),
        QStringLiteral("&GIS Files"), QStringLiteral("AG-&NAV Files"), QStringLiteral("&Meteorology Files") };
    for (int i = 1; i <= 5; ++i) {
        QLabel* caption = designCaption(frame, captions[i - 1], 12, 28 + (i - 1) * 34);
        QLineEdit* box = designTextBox(frame, Text1.elementName(i), 140, 24 + (i - 1) * 34, 400);
        caption->setBuddy(box);
        box->installEventFilter(this);
        Text1.setElement(i, box);
    }
    DirButton = new QPushButton(QStringLiteral(".."), &frame);
    DirButton->setObjectName(QStringLiteral("DirButton"));
    DirButton->resize(24, 17);
    DirButton->setFocusPolicy(Qt::TabFocus);
    DirButton->hide();
    designCaption(frame, QStringLiteral("Automatically Load:"), 12, 206);
    for (int i = 1; i <= 2; ++i) {
        AutoLoad.setElement(i,
            checkBox(frame, AutoLoad.elementName(i), i == 1 ? QStringLiteral("Guidance")
                                                           : QStringLiteral("Exclusion Zones"),
                140 + (i - 1) * 110, 204));
        AutoLoad[i].resize(130, 20);
    }
}

void PrefForm::createOptimizationTab(QGroupBox& frame)
{
    QLabel* caption = designCaption(frame, QStringLiteral("Optimization &Modules"), 12, 18);
    List1 = listBox(frame, QStringLiteral("List1"), 12, 36, 200, 200);
    caption->setBuddy(List1);

    FileInfoFrame = new QGroupBox(QStringLiteral("Characterization Information"), &frame);
    FileInfoFrame->setObjectName(QStringLiteral("FileInfoFrame"));
    // A module's descriptions run long: each value has two lines.
    FileInfoFrame->setGeometry(230, 18, 340, 160);
    const QString captions[] = { QStringLiteral("Product :"), QStringLiteral("Aircraft :"),
        QStringLiteral("Height :"), QStringLiteral("Nozzle Type :") };
    QLabel** values[] = { &ProductLabel, &ACLabel, &HeightLabel, &NozzleLabel };
    const QString names[] = { QStringLiteral("ProductLabel"), QStringLiteral("ACLabel"),
        QStringLiteral("HeightLabel"), QStringLiteral("NozzleLabel") };
    for (int i = 0; i < 4; ++i) {
        const int top = 24 + i * 32;
        designCaption(*FileInfoFrame, captions[i], 12, top);
        QLabel* value = designCaption(*FileInfoFrame, QStringLiteral("<None>"), 100, top, names[i]);
        value->setTextFormat(Qt::PlainText);
        value->setWordWrap(true);
        value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        value->resize(230, 2 * value->fontMetrics().height() + 2);
        *values[i] = value;
    }

    // Alt+C is the dialog's own key for the colour (Form_KeyDown).
    designCaption(frame, QStringLiteral("Optimization Line <u>C</u>olour"), 230, 198);
    OptColourBox = colourBox(frame, QStringLiteral("OptColourBox"), 230, 218);
    QLabel* width = designCaption(frame, QStringLiteral("Optimization Line &Width"), 392, 198);
    Slider1 = slider(frame, QStringLiteral("Slider1"), 3, 392, 220, 100);
    width->setBuddy(Slider1);
    SampleBox = new PictureBox(&frame);
    SampleBox->setObjectName(QStringLiteral("SampleBox"));
    SampleBox->setGeometry(508, 214, 60, 60);
    SampleBox->setBackColor(0xFFFFFF);
}

void PrefForm::createZoneTab(QGroupBox& frame)
{
    ZoneFrame = new QGroupBox(QStringLiteral("Zone #"), &frame);
    ZoneFrame->setObjectName(QStringLiteral("ZoneFrame"));
    ZoneFrame->setGeometry(10, 16, 270, 230);
    Picture2 = new PictureBox(ZoneFrame);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->resize(UtmZoneMapWidth + 2 * PictureBox::BorderWidth, UtmZoneMapHeight + 2 * PictureBox::BorderWidth);
    Picture2->move(0, 24);
    Line1 = new LineControl(*Picture2);
    Line2 = new LineControl(*Picture2);
    for (LineControl* marker : { Line1, Line2 }) {
        marker->setBorderColor(0x0000FF);
        marker->setBorderWidth(1);
    }
    HScroll1 = new QScrollBar(Qt::Horizontal, ZoneFrame);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setRange(1, UtmZoneCount);
    HScroll1->setPageStep(6);
    m_zoneCaption = designCaption(*ZoneFrame, QStringLiteral("&Zone:"), 0, 150);
    m_zoneCaption->setBuddy(HScroll1);
    ZoneLabel = designCaption(*ZoneFrame, QString(), 0, 150, QStringLiteral("ZoneLabel"));
    designOptionPair(*ZoneFrame, NSOption, QStringLiteral("&North"), QStringLiteral("&South"), 0, 176);

    EllipsoidFrame = new QGroupBox(QStringLiteral("Ellipsoid Information"), &frame);
    EllipsoidFrame->setObjectName(QStringLiteral("EllipsoidFrame"));
    EllipsoidFrame->setGeometry(292, 16, 280, 230);
    QLabel* list = designCaption(*EllipsoidFrame, QStringLiteral("Reference &Ellipsoids"), 12, 20);
    EllipsoidListbox = listBox(*EllipsoidFrame, QStringLiteral("EllipsoidListbox"), 12, 38, 256, 120);
    list->setBuddy(EllipsoidListbox);
    designCaption(*EllipsoidFrame, QStringLiteral("Semi-major Axis :"), 12, 172);
    AxisLabel = designCaption(*EllipsoidFrame, QString(), 120, 172, QStringLiteral("AxisLabel"));
    designCaption(*EllipsoidFrame, QStringLiteral("Eccentricity :"), 12, 196);
    EccentricityLabel = designCaption(*EllipsoidFrame, QString(), 120, 196, QStringLiteral("EccentricityLabel"));
    for (QLabel* value : { AxisLabel, EccentricityLabel }) {
        value->resize(150, 18);
    }
}

void PrefForm::createBufferTab(QGroupBox& frame)
{
    QLabel* width = designCaption(frame, QStringLiteral("Buffer &Width"), 20, 44);
    BufferWidthText = designTextBox(frame, QStringLiteral("BufferWidthText"), 150, 40, 80, QStringLiteral("500"));
    BufferWidthText->installEventFilter(this);
    width->setBuddy(BufferWidthText);
    BufferUnitsLabel = designCaption(frame, QStringLiteral("m"), 236, 44, QStringLiteral("BufferUnitsLabel"));
    // Alt+C is the dialog's own key for the colour (Form_KeyDown).
    designCaption(frame, QStringLiteral("Buffer Zone <u>C</u>olour"), 20, 90);
    BufferColourBox = colourBox(frame, QStringLiteral("BufferColourBox"), 150, 82);
}
