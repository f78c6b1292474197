#include "korvel/met/met_form.h"

#include "korvel/met/met_data.h"
#include "korvel/met/met_panel.h"
#include "korvel/met/met_panel_text.h"
#include "korvel/met/met_print.h"
#include "korvel/met/met_selection.h"
#include "korvel/met/met_time.h"
#include "korvel/shell/main_form.h"
#include "platform/control_array_loaders.h"
#include "platform/key_preview.h"
#include "platform/line_control.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/printer.h"
#include "platform/program_window.h"
#include "platform/screen_metrics.h"
#include "platform/single_form.h"
#include "platform/tab_cycling.h"
#include "platform/vb_colors.h"
#include "platform/vb_error.h"
#include "platform/vb_fonts.h"
#include "platform/vb_format.h"
#include "platform/vb_input_codes.h"
#include "platform/vb_numbers.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>

namespace {

SingleForm<MetForm> g_form;

// The design, in pixels of the window's client area.
constexpr int kClientWidth = 536;
constexpr int kClientHeight = 324;
constexpr int kScreenMargin = 10; // from the screen's top right corner
const QRect kTabs(8, 6, 520, 24);
const QRect kFrame(8, 30, 520, 252);
const QRect kPicture(46, 10, 456, 196); // inside its frame
constexpr int kTickLabelGap = 2;
constexpr int kTitleTop = 228;
constexpr int kValueLabelWidth = 40;

const QString kDashes = QStringLiteral("--------");
const QChar kDegree(0xB0);

QLabel* newTemplate(ControlArray<QLabel>& array, QWidget* parent, const QString& caption, bool shown)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(array.elementName(0));
    label->setVisible(shown);
    array.setElement(0, label);
    array.setLoader(widgetLoader(array));
    return label;
}

QLabel* newLabel(const QString& name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QPushButton* newButton(const QString& name, const QString& caption, QWidget* parent, const QRect& place)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    return button;
}

QLabel* newSwatch(const QString& name, qint32 colour, QWidget* parent, const QRect& place)
{
    auto* swatch = new QLabel(parent);
    swatch->setObjectName(name);
    swatch->setGeometry(place);
    swatch->setFrameShape(QFrame::Box);
    swatch->setAutoFillBackground(true);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    swatch->setPalette(palette);
    return swatch;
}

} // namespace

MetForm& MetForm::instance()
{
    return g_form.instance([] { return new MetForm; }, [](MetForm& form) { form.Form_Load(); });
}

MetForm* MetForm::existing()
{
    return g_form.existing();
}

void MetForm::unload()
{
    if (MetForm* form = g_form.existing()) {
        form->Form_Unload();
        form->hide();
        form->deleteLater();
        g_form.forget(form);
    }
}

MetForm::MetForm()
    : QWidget(
        nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    // Owned by the main window, which it disables: the desktop keeps it
    // above that window, also when a click on the greyed window raises it.
    if (MainForm* main = MainForm::existing()) {
        setWindowOwner(*this, *main);
    }
    setObjectName(QStringLiteral("MetForm"));
    setWindowTitle(QStringLiteral("Meteorological Data"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFont(vbFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(kClientWidth, kClientHeight);
    createControls();
    m_keyPreview = new KeyPreview(*this);
    connect(m_keyPreview, &KeyPreview::KeyUp, this, [this](int key, int shift) { Form_KeyUp(key, shift); });
}

MetForm::~MetForm()
{
    g_form.forget(this);
}

void MetForm::createControls()
{
    TabStrip1 = new QTabBar(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->setGeometry(kTabs);
    TabStrip1->setFocusPolicy(Qt::NoFocus);
    createGraphFrame(1, QStringLiteral("Wind Direction"));
    createGraphFrame(2, QStringLiteral("Wind Speed"));
    createGraphFrame(3, QStringLiteral("Temperature"));
    connect(TabStrip1, &QTabBar::currentChanged, this, [this] { TabStrip1_Click(); });

    QFrame& temperature = Frame[3];
    Picture4 = newSwatch(QStringLiteral("Picture4"), QBColor(12), &temperature, QRect(330, 231, 12, 12));
    Label4 = newLabel(QStringLiteral("Label4"), QStringLiteral("= Tethersonde"), &temperature);
    Label4->move(346, 230);
    Picture5 = newSwatch(QStringLiteral("Picture5"), QBColor(10), &temperature, QRect(436, 231, 12, 12));
    Label5 = newLabel(QStringLiteral("Label5"), QStringLiteral("= Ground"), &temperature);
    Label5->move(452, 230);

    SelectionLine = new LineControl(*Picture1);
    SelectionLine->setObjectName(QStringLiteral("SelectionLine"));
    SelectionLine->setBorderColor(RGB(0, 0, 255));
    SelectionLine->setVisible(false);

    const int buttonTop = kFrame.bottom() + 10;
    Command3 = newButton(QStringLiteral("Command3"), QStringLiteral("Go To Time"), this, QRect(8, buttonTop, 89, 25));
    Command2 = newButton(QStringLiteral("Command2"), QStringLiteral("Print"), this, QRect(358, buttonTop, 81, 25));
    Command1 = newButton(QStringLiteral("Command1"), QStringLiteral("Exit"), this, QRect(447, buttonTop, 81, 25));
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void MetForm::createGraphFrame(int index, const QString& tab)
{
    TabStrip1->addTab(tab);
    auto* frame = new QFrame(this);
    frame->setObjectName(Frame.elementName(index));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(kFrame);
    frame->setVisible(index == 1);
    Frame.setElement(index, frame);

    auto* picture = new PictureBox(frame);
    picture->setObjectName(QStringLiteral("Picture%1").arg(index));
    picture->setGeometry(kPicture);
    picture->setMouseTracking(true);
    connect(picture, &PictureBox::MouseDown, this,
        [this, index](int button, int shift, float x, float y) { Picture_MouseDown(index, button, shift, x, y); });
    connect(picture, &PictureBox::MouseMove, this,
        [this, index](int button, int shift, float x, float y) { Picture_MouseMove(index, button, shift, x, y); });
    connect(picture, &PictureBox::MouseUp, this,
        [this, index](int button, int shift, float x, float y) { Picture_MouseUp(index, button, shift, x, y); });

    auto* title = newLabel(QStringLiteral("Label%1").arg(index), QStringLiteral("Time Of Day"), frame);
    title->move(kPicture.center().x() - title->sizeHint().width() / 2, kTitleTop);
    ControlArray<QLabel>* ticks[] = { &Label1X, &Label2X, &Label3X };
    ControlArray<QLabel>* values[] = { &Label1Y, &Label2Y, &Label3Y };
    const QString bottoms[] = { QStringLiteral("N"), QStringLiteral("0"), QStringLiteral("0") };
    newTemplate(*ticks[index - 1], frame, QString(), false);
    QLabel* bottom = newTemplate(*values[index - 1], frame, bottoms[index - 1], true);
    bottom->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bottom->resize(kValueLabelWidth, bottom->sizeHint().height());

    PictureBox** pictures[] = { &Picture1, &Picture2, &Picture3 };
    QLabel** titles[] = { &Label1, &Label2, &Label3 };
    *pictures[index - 1] = picture;
    *titles[index - 1] = title;
}

PictureBox& MetForm::picture(int index) const
{
    return index == 3 ? *Picture3 : index == 2 ? *Picture2 : *Picture1;
}

void MetForm::Form_Load()
{
    MainForm* main = MainForm::existing();
    const int current = main ? main->CurrentMet : 0;
    if (!metSourceLoaded(current)) {
        return;
    }
    const MetFile& source = metSource(current);
    metData().MetStartTime[size_t(current)] = clockSeconds(source.record(1));
    setWindowTitle(QStringLiteral("Meteorological Data -- ") + source.FileName);
    CurrentTab = 1;
    Frame[1].show();
    Frame[2].hide();
    Frame[3].hide();
    DrawWindDirectionGraph();
    // The other two follow on every activation; drawn now as well, so a
    // window that is not activated (behind another program) shows them.
    DrawWindSpeedGraph();
    DrawTemperatureGraph();
    const bool legend = source.Source == MetSourceKitoon;
    for (QWidget* item : std::initializer_list<QWidget*> { Label4, Label5, Picture4, Picture5 }) {
        item->setVisible(legend);
    }
    placeOnScreen();
}

void MetForm::placeOnScreen()
{
    // The window's frame, borders and title bar included, stands the margin
    // from the top right corner of the screen's free area.
    const QRect area = availableArea();
    const QMargins frame = windowFrame(*this);
    move(area.right() + 1 - (frame.left() + width() + frame.right()) - kScreenMargin,
        area.top() + kScreenMargin);
}

void MetForm::Form_Activate()
{
    DrawWindSpeedGraph();
    DrawTemperatureGraph();
}

bool MetForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        Form_Activate();
    }
    return QWidget::event(event);
}

void MetForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    QWidget::closeEvent(event);
    unload();
}

void MetForm::Form_Unload()
{
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    if (MainForm* main = MainForm::existing()) {
        main->MetPlayback = false;
        main->setEnabled(true);
        main->activateWindow();
    }
}

void MetForm::Command1_Click()
{
    close();
}

void MetForm::setSelection(double x)
{
    const PictureBox& shown = SelectionLine->picture();
    SelectionLine->setEnds(x, shown.ScaleTop(), x, shown.ScaleTop() + shown.ScaleHeight());
}

double MetForm::selection() const
{
    return SelectionLine->X1();
}

void MetForm::moveSelectionLineTo(PictureBox& target)
{
    if (&SelectionLine->picture() == &target) {
        return;
    }
    auto* line = new LineControl(target);
    line->setObjectName(SelectionLine->objectName());
    line->setBorderColor(SelectionLine->BorderColor());
    line->setBorderWidth(SelectionLine->BorderWidth());
    line->setVisible(SelectionLine->Visible());
    const double x = SelectionLine->X1();
    delete SelectionLine;
    SelectionLine = line;
    setSelection(x);
}

void MetForm::showCurrentTab()
{
    moveSelectionLineTo(picture(CurrentTab));
    Frame[CurrentTab].show();
}

void MetForm::TabStrip1_Click()
{
    const int selected = TabStrip1->currentIndex() + 1;
    if (selected == CurrentTab) {
        return;
    }
    Frame[CurrentTab].hide();
    CurrentTab = selected;
    showCurrentTab();
}

void MetForm::Form_KeyUp(int KeyCode, int Shift)
{
    if (KeyCode != vbKeyTab) {
        return;
    }
    constexpr int tabs = 3;
    Frame[CurrentTab].hide();
    CurrentTab = cycledTab(CurrentTab, Shift, tabs);
    moveSelectionLineTo(picture(CurrentTab));
    TabStrip1->setCurrentIndex(CurrentTab - 1);
    Frame[CurrentTab].show();
}

void MetForm::Picture_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Index);
    Q_UNUSED(Shift);
    Q_UNUSED(Y);
    if (Button == vbLeftButton) {
        setSelection(X);
    }
}

void MetForm::Picture_MouseMove(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Shift);
    QString tip;
    switch (Index) {
    case 1:
        tip = Str(Int(double(Y) + 0.5)) + kDegree;
        break;
    case 2:
        tip = Format(Int(double(Y) * 10.0) / 10.0, QStringLiteral("0.0"));
        break;
    default:
        tip = Format(Int(double(Y) * 10.0 + 0.5) / 10.0, QStringLiteral("00.0")) + kDegree;
        break;
    }
    picture(Index).setToolTip(tip);
    if (Button == vbLeftButton) {
        setSelection(X);
    }
}

void MetForm::Picture_MouseUp(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Shift);
    Q_UNUSED(Y);
    if (Button == vbLeftButton) {
        const PictureBox& graph = picture(Index);
        if (X < graph.ScaleLeft()) {
            setSelection(0.0);
        } else if (X > graph.ScaleWidth()) {
            setSelection(graph.ScaleWidth());
        } else {
            setSelection(X);
        }
    }
    Command3_Click();
}

void MetForm::Command3_Click()
{
    MainForm* main = MainForm::existing();
    if (!main || !metSourceLoaded(main->CurrentMet)) {
        return;
    }
    int current = main->CurrentMet;
    const MetFile& source = metSource(current);
    const MetSelection chosen = metSelectionAt(source, selection());
    if (chosen.record == 0) {
        // After the last record: the panel shows the time picked and no values.
        main->TimeLabel->setText(selectionClockText(source.record(1), selection()));
        for (QLabel* value : { main->WindSpeedLabel, main->TetherTempLabel, main->GroundTempLabel }) {
            value->setText(kDashes);
        }
        LineControl& needle = *main->CompassLine;
        needle.setEnds(needle.X1(), needle.Y1(), needle.X1(), needle.Y1());
        main->WindDirLabel->clear();
        return;
    }
    metData().MetPosition[size_t(current)] = chosen.record;
    if (chosen.moveLine) {
        setSelection(chosen.lineX);
    }
    MetPanel& panel = MetPanel::instance();
    panel.UpdateMetData(current);
    if (main->Tools_Optimize->isChecked()) {
        panel.Optimize(current);
    }
}

MetPrintout MetForm::printout()
{
    MetPrintout page;
    page.title = windowTitle();
    for (int index = 1; index <= 3; ++index) {
        const QFrame& frame = Frame[index];
        PictureBox& graph = picture(index);
        MetPrintedGraph& printed = page.graphs[size_t(index - 1)];
        printed.name = TabStrip1->tabText(index - 1);
        printed.frameSize = frame.size();
        printed.pictureRect = QRectF(graph.geometry().topLeft() + graph.clientRect().topLeft(),
            QSizeF(graph.clientWidth(), graph.clientHeight()));
        printed.picture = graph.image();
        // What the tab shows: its labels and the legend's swatches, shown or
        // hidden as on the screen whichever tab is in front.
        for (const QLabel* label : frame.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            if (!label->isVisibleTo(&frame)) {
                continue;
            }
            MetPrintedLabel item;
            item.place = label->geometry();
            if (label == Picture4 || label == Picture5) {
                item.swatch = fromQColor(label->palette().color(QPalette::Window));
            } else {
                item.caption = label->text();
                item.alignRight = label->alignment().testFlag(Qt::AlignRight);
            }
            printed.labels.push_back(item);
        }
    }
    return page;
}

void MetForm::Command2_Click()
{
    Printer* printer = nullptr;
    try {
        printer = &currentPrinter();
        printMetGraphs(*printer, printout());
    } catch (const VbError& error) {
        if (printer) {
            printer->KillDoc();
        }
        // Cancelling the PDF file's dialog ends the printing silently.
        if (error.Number() != PrinterError::Cancelled) {
            MsgBox(QStringLiteral("Error printing: ") + error.Description(), vbOKOnly);
        }
    }
}
