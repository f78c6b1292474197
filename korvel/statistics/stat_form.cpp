#include "korvel/statistics/stat_form.h"

#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "platform/control_array_loaders.h"
#include "platform/form_design_kit.h"
#include "platform/key_preview.h"
#include "platform/picture_box.h"
#include "platform/screen_metrics.h"
#include "platform/single_form.h"
#include "platform/vb_colors.h"
#include "platform/vb_fonts.h"
#include "platform/vb_input_codes.h"

#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <algorithm>

namespace {

SingleForm<StatForm> g_form;

// The design, in twips. Every graph frame, and every picture inside its
// frame, has the same place.
constexpr double kTabLeft = 240, kTabTop = 210, kTabWidth = 7335, kTabHeight = 4215;
constexpr double kFrameLeft = 480, kFrameTop = 720, kFrameWidth = 6975, kFrameHeight = 3615;
constexpr double kPictureLeft = 480, kPictureTop = 240, kPictureWidth = 6255, kPictureHeight = 2895;
constexpr double kAxisTitleLeft = 2520, kAxisTitleTop = 3360, kAxisTitleWidth = 1935;
constexpr double kXLabelTop = 3150;
constexpr double kYLabelLeft = 75, kYLabelTop = 3000, kYLabelWidth = 375;
constexpr double kPrintLeft = 6360, kPrintTop = 4545, kPrintWidth = 1215, kPrintHeight = 375;
constexpr double kFormWidth = 7815, kFormHeight = 5130;

const char* const kTabCaptions[]
    = { "Spray Time", "Turn Time", "Application Rates", "X-Track Error", "Altitude", "DGPS Quality" };
// The frames' captions, which their borderless frames never show.
const char* const kFrameCaptions[] = { "On", "Off", "Flow", "X-Track", "On", "On" };
const char* const kDGPSCaptions[] = { "Good", "Fair", "Poor", "No DGPS" };

// All six tabs show whole in the strip's width: a desktop font wider than
// the design's takes smaller sizes, down to 6 points, before the captions
// are cut.
void fitTabs(QTabBar& tabs, int width)
{
    constexpr double SmallestPoints = 6.0;
    QFont font = tabs.font();
    while (tabs.sizeHint().width() > width && font.pointSizeF() - 0.5 >= SmallestPoints) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        tabs.setFont(font);
    }
    if (tabs.sizeHint().width() > width) {
        tabs.setUsesScrollButtons(false);
        tabs.setElideMode(Qt::ElideRight);
    }
}

// The Print button's picture: a small printer, drawn rather than shipped.
QIcon printerIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(40, 40, 40));
    painter.setBrush(Qt::white);
    painter.drawRect(4, 1, 7, 5); // paper in
    painter.setBrush(QColor(160, 160, 160));
    painter.drawRect(1, 6, 13, 6); // body
    painter.setBrush(Qt::white);
    painter.drawRect(4, 10, 7, 5); // paper out
    return QIcon(pixmap);
}

} // namespace

StatForm& StatForm::instance()
{
    return g_form.instance(
        [] { return new StatForm(MainForm::existing()); }, [](StatForm& form) { form.Form_Load(); });
}

StatForm* StatForm::existing()
{
    return g_form.existing();
}

void StatForm::release()
{
    g_form.release([](StatForm& form) {
        if (!form.m_unloaded) {
            form.m_unloaded = true;
            int cancel = 0;
            form.Form_Unload(cancel);
        }
    });
}

StatForm::StatForm(QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("StatForm"));
    setWindowTitle(QStringLiteral("Spray Statistics"));
    setFont(vbFont(QStringLiteral("MS Sans Serif"), 8));
    createControls();
    connectControls();
}

StatForm::~StatForm() = default;

QLabel* StatForm::newLabel(QWidget* parent, const QString& name, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void StatForm::createControls()
{
    // The tab strip is a plain strip of tabs over a panel; the frames lie on
    // the panel and only the shown one is visible.
    auto* pane = new QFrame(this);
    pane->setObjectName(QStringLiteral("TabStrip1Pane"));
    pane->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    TabStrip1 = new QTabBar(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->setExpanding(false);
    TabStrip1->setDrawBase(false);
    for (const char* caption : kTabCaptions) {
        TabStrip1->addTab(QString::fromLatin1(caption));
    }
    fitTabs(*TabStrip1, twipsToPixelsX(kTabWidth));
    const int tabBarHeight = TabStrip1->sizeHint().height();
    TabStrip1->setGeometry(
        twipsToPixelsX(kTabLeft), twipsToPixelsY(kTabTop), twipsToPixelsX(kTabWidth), tabBarHeight);
    const int paneTop = twipsToPixelsY(kTabTop) + tabBarHeight - 1;
    pane->setGeometry(twipsToPixelsX(kTabLeft), paneTop, twipsToPixelsX(kTabWidth),
        twipsToPixelsY(kTabTop + kTabHeight) - paneTop);

    for (int graph = 1; graph <= StatGraphCount; ++graph) {
        createGraphFrame(graph);
    }
    createAxisLabels();

    PrintButton = new QPushButton(QStringLiteral("Print"), this);
    PrintButton->setObjectName(QStringLiteral("PrintButton"));
    PrintButton->setIcon(printerIcon());
    PrintButton->setAutoDefault(false);
    placeInTwips(*PrintButton, kPrintLeft, kPrintTop, kPrintWidth, kPrintHeight);

    setFixedSize(twipsToPixelsX(kFormWidth), twipsToPixelsY(kFormHeight));
}

void StatForm::createGraphFrame(int graph)
{
    auto* frame = new QFrame(this);
    frame->setObjectName(Frame.elementName(graph));
    frame->setFrameStyle(QFrame::NoFrame);
    frame->setAccessibleName(QString::fromLatin1(kFrameCaptions[graph - 1]));
    placeInTwips(*frame, kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight);
    Frame.setElement(graph, frame);

    auto* picture = new PictureBox(frame);
    picture->setObjectName(QStringLiteral("Picture%1").arg(graph));
    placeInTwips(*picture, kPictureLeft, kPictureTop, kPictureWidth, kPictureHeight);
    picture->setMouseTracking(true); // the readout follows the pointer with no button held
    picture->setFillStyle(vbFSSolid);
    picture->setFillColor(RGB(255, 0, 0));
    // The system's colours, as a picture box has them unless told otherwise.
    picture->setForeColor(fromQColor(palette().color(QPalette::ButtonText)));
    picture->setBackColor(fromQColor(palette().color(QPalette::Button)));
    PictureBox** pictures[] = { &Picture1, &Picture2, &Picture3, &Picture4, &Picture5, &Picture6 };
    *pictures[graph - 1] = picture;

    // The y axis's "0%", right-aligned beside the picture's bottom edge.
    QLabel* zero = newLabel(frame, yLabels(graph).elementName(0), QStringLiteral("0%"));
    zero->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    zero->setGeometry(twipsToPixelsX(kYLabelLeft), twipsToPixelsY(kYLabelTop), twipsToPixelsX(kYLabelWidth),
        zero->sizeHint().height());
    yLabels(graph).setElement(0, zero);
    yLabels(graph).setLoader(widgetLoader(yLabels(graph)));
}

void StatForm::createAxisLabels()
{
    // Graphs 1 and 2: a "0" under the left edge and the axis title.
    QLabel** titles[] = { &Label1, &Label2 };
    for (int graph = 1; graph <= 2; ++graph) {
        QLabel* zero = newLabel(&Frame[graph], xLabels(graph).elementName(0), QStringLiteral("0"));
        zero->adjustSize();
        zero->move(twipsToPixelsX(kPictureLeft), twipsToPixelsY(kXLabelTop));
        xLabels(graph).setElement(0, zero);
        QLabel* title
            = newLabel(&Frame[graph], QStringLiteral("Label%1").arg(graph), QStringLiteral("Time (sec)"));
        title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        title->setGeometry(twipsToPixelsX(kAxisTitleLeft), twipsToPixelsY(kAxisTitleTop),
            twipsToPixelsX(kAxisTitleWidth), title->sizeHint().height());
        *titles[graph - 1] = title;
    }
    Label5 = newLabel(&Frame[AltitudeGraph], QStringLiteral("Label5"), QStringLiteral("Altitude (msl)"));
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label5->setGeometry(twipsToPixelsX(kAxisTitleLeft), twipsToPixelsY(kAxisTitleTop),
        twipsToPixelsX(kAxisTitleWidth), Label5->sizeHint().height());

    // The open-ended outer bins of graphs 3 and 4 are marked "<" and ">".
    const auto marker = [this](int graph, const QString& name, const QString& caption, double left) {
        QLabel* label = newLabel(&Frame[graph], name, caption);
        label->adjustSize();
        label->move(twipsToPixelsX(left), twipsToPixelsY(kXLabelTop));
        return label;
    };
    Label3X.setElement(0, marker(ApplicationRateGraph, Label3X.elementName(0), QStringLiteral("<"), 675));
    Label3X2 = marker(ApplicationRateGraph, QStringLiteral("Label3X2"), QStringLiteral(">"), 6450);
    Label4X.setElement(0, marker(CrossTrackGraph, Label4X.elementName(0), QStringLiteral("<"), 750));
    Label4X2 = marker(CrossTrackGraph, QStringLiteral("Label4X2"), QStringLiteral(">"), 6390);

    // Graph 5's first edge; the pass gives it the axis's start.
    QLabel* altitudeStart = newLabel(&Frame[AltitudeGraph], Label5X.elementName(0), QStringLiteral("0"));
    altitudeStart->adjustSize();
    altitudeStart->move(twipsToPixelsX(kPictureLeft), twipsToPixelsY(kXLabelTop));
    Label5X.setElement(0, altitudeStart);

    for (int i = 1; i <= DGPSBinCount; ++i) {
        QLabel* name
            = newLabel(&Frame[DGPSGraph], Label6X.elementName(i), QString::fromLatin1(kDGPSCaptions[i - 1]));
        name->adjustSize();
        name->move(twipsToPixelsX(kPictureLeft), twipsToPixelsY(kXLabelTop));
        Label6X.setElement(i, name);
    }
    for (int graph = 1; graph <= StatGraphCount - 1; ++graph) {
        xLabels(graph).setLoader(widgetLoader(xLabels(graph)));
    }
}

void StatForm::connectControls()
{
    connect(TabStrip1, &QTabBar::currentChanged, this, [this] { TabStrip1_Click(); });
    connect(PrintButton, &QPushButton::clicked, this, [this] { PrintButton_Click(); });
    using MouseMove = void (StatForm::*)(int, int, float, float);
    const MouseMove handlers[]
        = { &StatForm::Picture1_MouseMove, &StatForm::Picture2_MouseMove, &StatForm::Picture3_MouseMove,
              &StatForm::Picture4_MouseMove, &StatForm::Picture5_MouseMove, &StatForm::Picture6_MouseMove };
    for (int graph = 1; graph <= StatGraphCount; ++graph) {
        connect(&graphPicture(graph), &PictureBox::MouseMove, this, handlers[graph - 1]);
    }
    m_keyPreview = new KeyPreview(*this);
    connect(m_keyPreview, &KeyPreview::KeyDown, this, &StatForm::Form_KeyDown);
    connect(m_keyPreview, &KeyPreview::KeyUp, this, &StatForm::Form_KeyUp);
}

PictureBox& StatForm::graphPicture(int graph) const
{
    PictureBox* const pictures[] = { Picture1, Picture2, Picture3, Picture4, Picture5, Picture6 };
    return *pictures[std::clamp(graph, 1, StatGraphCount) - 1];
}

ControlArray<QLabel>& StatForm::xLabels(int graph)
{
    ControlArray<QLabel>* const arrays[] = { &Label1X, &Label2X, &Label3X, &Label4X, &Label5X, &Label6X };
    return *arrays[std::clamp(graph, 1, StatGraphCount) - 1];
}

ControlArray<QLabel>& StatForm::yLabels(int graph)
{
    ControlArray<QLabel>* const arrays[] = { &Label1Y, &Label2Y, &Label3Y, &Label4Y, &Label5Y, &Label6Y };
    return *arrays[std::clamp(graph, 1, StatGraphCount) - 1];
}

void StatForm::Form_Load()
{
    ReleaseFloatingWindows();
    CurrentGraph = 1;
    for (int graph = 1; graph <= StatGraphCount; ++graph) {
        Frame[graph].setVisible(graph == CurrentGraph);
    }
    ComputeStatistics();
}

void StatForm::Form_KeyDown(int KeyCode, int Shift)
{
    Q_UNUSED(Shift);
    if (KeyCode == vbKeyEscape) {
        reject();
    }
}

void StatForm::keyPressEvent(QKeyEvent* event)
{
    // Escape is Form_KeyDown's (through the key preview); the dialog's own
    // handling would close the window a second time.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void StatForm::done(int result)
{
    if (!m_unloaded) {
        m_unloaded = true;
        int cancel = 0;
        Form_Unload(cancel);
    }
    QDialog::done(result);
}

void StatForm::Form_Unload(int& Cancel)
{
    Q_UNUSED(Cancel); // closing is never refused
    RestoreFloatingWindows();
}
