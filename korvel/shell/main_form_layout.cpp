// The main window's layout: Form_Resize decides when to lay out, and
// ArrangeControls places the map picture, the side panel, the toggle column
// and the status area for the screen. Every distance is in screen pixels, as
// the design gave them; the design's conversions to twips and back change
// nothing at whole twips per pixel, so they are left out. A screen exactly
// 800 pixels wide gets smaller type and a few tighter gaps.
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/panel_pictures.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/picture_box.h"
#include "platform/screen_metrics.h"
#include "platform/status_bar.h"
#include "platform/text_fitting.h"
#include "platform/tool_bar.h"
#include "platform/vb_fonts.h"
#include "platform/vb_format.h"
#include "platform/vb_input_codes.h"
#include "platform/vb_numbers.h"

#include <QAction>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace {

// A window manager that refuses the normal size gets asked this often in a
// row, not for ever.
constexpr int kMaxSnapRequests = 3;

int bottom(const QWidget* control)
{
    return control->y() + control->height();
}

int right(const QWidget* control)
{
    return control->x() + control->width();
}

// Zoom toolbar buttons: 16-pixel pictures, and 12-pixel ones on an 800 screen.
constexpr QSize kToolButton(23, 22);
constexpr QSize kSmallToolButton(19, 18);

} // namespace

bool MainForm::eightHundredScreen() const
{
    return globals().ScreenWidth == 800;
}

void MainForm::Form_Resize()
{
    int state = WindowState();
    const ProgramGlobals& program = globals();
    // On screens this small a restored window could not be made usable.
    if (state == vbNormal && LastWindowState == vbMaximized
        && (program.ScreenWidth <= MainFormNormalSize.width()
            || program.ScreenHeight <= MainFormNormalSize.height())) {
        showMaximized();
        state = WindowState();
    }
    if (state == vbNormal && !Initializing) {
        const QSize outer = frameGeometry().size();
        if (outer == MainFormNormalSize) {
            m_snapRequests = 0;
        } else if (m_snapRequests < kMaxSnapRequests) {
            ++m_snapRequests;
            resize(MainFormNormalSize - (outer - size()));
        }
    }
    if (state != vbMinimized && (state != LastWindowState || sizeNeedsLayout(state))) {
        ArrangeControls();
        refitListCaptions();
        update();
        RefreshChecklist();
        update();
        // The picture has its new size: everything is drawn again to fill it.
        Graph(true);
        LastWindowState = state;
        m_lastLayoutSize = frameGeometry().size();
        m_lastLayoutClientSize = m_client->size();
    }
    if (state == vbMinimized) {
        minimiseFloatingWindows();
    } else {
        reopenFloatingWindows();
    }
}

bool MainForm::sizeNeedsLayout(int state) const
{
    // A desktop may report a new state before the size that goes with it,
    // and the client area takes its size after the window's; the layout
    // follows when the sizes arrive. A normal window of another size is being
    // dragged and snaps back; it is not laid out.
    if (!m_lastLayoutSize.isValid()
        || (frameGeometry().size() == m_lastLayoutSize && m_client->size() == m_lastLayoutClientSize)) {
        return false;
    }
    return state == vbMaximized || frameGeometry().size() == MainFormNormalSize;
}

void MainForm::minimiseFloatingWindows()
{
    // Releasing a toggle unloads its window through Check1_Click.
    if (Check1[1].isChecked()) {
        ReopenCheckList = true;
        Check1[1].setChecked(false);
    }
    if (Check1[2].isChecked()) {
        ReopenZoomWindow = true;
        Check1[2].setChecked(false);
    }
}

void MainForm::reopenFloatingWindows()
{
    // Each flag reopens its window once, after the restore: a window the user
    // closes later stays closed through later changes of the window's size.
    if (ReopenCheckList) {
        ReopenCheckList = false;
        Check1[1].setChecked(true);
    }
    if (ReopenZoomWindow) {
        ReopenZoomWindow = false;
        Check1[2].setChecked(true);
    }
}

void MainForm::ArrangeControls()
{
    const bool eight = eightHundredScreen();
    const float tx = TwipsPerPixelX();
    const float ty = TwipsPerPixelY();

    LayoutFactor1 = 1.0f;
    LayoutFactor2 = 1.0f;
    if (eight) {
        LayoutFontName = QStringLiteral("Small Fonts");
        LayoutFontSize = tx == 12.0f ? 5 : 7;
    } else {
        LayoutFontName = QStringLiteral("MS Sans Serif");
        LayoutFontSize = CByte(double(tx) / 15.0 * 8.0);
    }
    const QFont layoutFont = vbFont(LayoutFontName, LayoutFontSize);

    Picture1->move(4, Picture1->y());
    m_layerListRoom = std::numeric_limits<int>::max(); // the list's design height, where there is room
    ArrangeLayerList();

    Frame2->setGeometry(
        Frame1->x(), bottom(Frame1) + (eight ? 3 : 8), Frame1->width(), 82 + (ty == 12.0f ? 2 : 0));

    const double boxPoints = eight ? LayoutFontSize : double(tx) / 15.0 * 10.0;
    const QFont boxFont = vbFont(LayoutFontName, boxPoints);
    for (QLineEdit* box : { Text1, Text2, Text3, Text4 }) {
        box->setFont(boxFont);
        box->resize(63, 20);
    }
    Text1->move(33, 18);
    Text2->move(129, 18);
    Text3->move(Text1->x(), 48);
    Text4->move(Text2->x(), Text3->y());

    placeZoomToolbar();

    GraphButton->setFont(layoutFont);
    GraphButton->resize(73, 25);
    GraphButton->move(right(Frame2) - GraphButton->width() - 5, bottom(Frame2) + (eight ? 4 : 5));

    // The bar keeps to the bottom of the client area, wherever that is now.
    StatusBar1->setFont(layoutFont);
    StatusBar1->alignToParentBottom();
    StatusBar1->panel(1).Width = 80;
    StatusBar1->panel(2).Width = 80;
    StatusBar1->panel(3).Width = 60;
    StatusBar1->refresh();

    QPushButton& layerToggle = Check1[1];
    layerToggle.setGeometry(m_client->width() - 37 - Picture1->x(), Frame1->y() + 6, 37, 68);
    Check1[2].setGeometry(layerToggle.x(), Frame2->y() + 6, layerToggle.width(), 37);

    const int mapWidth
        = View_MapMode->isChecked() ? layerToggle.x() - Picture1->x() - 3 : Frame1->x() - 2 * Picture1->x();
    placeMapPicture({ Picture1->x(), Picture1->x(), mapWidth, StatusBar1->y() - 2 * Picture1->x() });

    for (int i = 2; i <= Check1.UBound(); ++i) {
        if (QPushButton* toggle = Check1.at(i)) {
            toggle->move(layerToggle.x(), toggle->y());
        }
    }

    LayoutMetFrame();
    ProgressBar1->setGeometry(StatusBar1->x() + StatusBar1->panelLeft(6) + 3, StatusBar1->y() + 4,
        ProgressBar1->width(), StatusBar1->height() - 6);

    const int markerGap = eight ? 20 : 22;
    QLabel& west = MapExtent[1];
    west.move(Text1->x() - markerGap, Text1->y() + Text1->height() / 2 - west.height() / 2);
    MapExtent[2].move(Text2->x() - markerGap, west.y());
    MapExtent[3].move(west.x(), Text3->y() + Text3->height() / 2 - MapExtent[3].height() / 2);
    MapExtent[4].move(MapExtent[2].x(), MapExtent[3].y());

    // The design tucked the frame's blank top under the Graph button on an
    // 800 screen; the two stand apart, as every panel of the side does.
    GuidanceFrame->setGeometry(
        MetFrame->x(), bottom(GraphButton) + (eight ? 0 : 6), MetFrame->width(), GuidanceFrame->height());
    AdjustGuidanceFrame();
    keepSidePanelApart();

    placeStatusArea();
    computeStatusIndent();
    // The placing above is the design's; a text wider than it gets its room.
    fitTextsToControls(*m_client);
}

void MainForm::placeZoomToolbar()
{
    const bool eight = eightHundredScreen();
    const QSize button = eight ? kSmallToolButton : kToolButton;
    Toolbar->setButtonSize(button.width(), button.height());
    for (int index = 1; index <= Toolbar->buttonCount(); ++index) {
        Toolbar->setImage(index, zoomToolbarIcon(index, button.height() - 6));
    }
    // Two rows of two buttons, centred right of the extent boxes.
    Picture3->resize(2 * button.width(), 2 * button.height());
    Toolbar->setGeometry(0, 0, Picture3->width(), eight ? Picture3->width() : Picture3->height());
    Picture3->move((Frame2->width() - 4 + right(Text2)) / 2 - Picture3->width() / 2,
        (Text2->y() + Text4->y() + Text2->height() - Picture3->height()) / 2);
}

void MainForm::placeStatusArea()
{
    const bool eight = eightHundredScreen();
    const QFont layoutFont = vbFont(LayoutFontName, LayoutFontSize);
    const int left1 = StatusBar1->x() + StatusBar1->panelLeft(1);
    const int left2 = StatusBar1->x() + StatusBar1->panelLeft(2);
    // The readouts stay inside the bar, whose smaller type on an 800-pixel
    // screen makes it lower than they are.
    const int height = StatusLabel1->height();
    const int top = std::min(ProgressBar1->y() + (eight ? 2 : 1), bottom(StatusBar1) - height);
    StatusLabel1->setFont(layoutFont);
    StatusLabel1->setGeometry(left1 + 1, top, StatusBar1->panelWidth(1) - 4, height);
    StatusLabel1->show();
    StatusBar1->setPanelText(1, QString());
    StatusLabel2->setFont(layoutFont);
    StatusLabel2->setGeometry(
        left2 + 2, StatusLabel1->y(), StatusBar1->panelWidth(2) - 3, StatusLabel2->height());
    StatusLabel2->show();
    StatusBar1->setPanelText(2, QString());
}

void MainForm::computeStatusIndent()
{
    // Enough blanks in the status font to pass the progress bar, and one more.
    const QFontMetrics metrics(vbFont(LayoutFontName, LayoutFontSize));
    int indent = 0;
    do {
        ++indent;
    } while (indent < 255 && ProgressBar1->width() >= metrics.horizontalAdvance(QString(indent, u' ')));
    StatusIndent = qMin(255, indent + 1);
}

void MainForm::Form_GotFocus()
{
    RestoreFloatingWindows();
}

void MainForm::Frame1_MouseMove()
{
    StatusBar1->setPanelText(1, QString());
    StatusBar1->setPanelText(2, QString());
    StatusLabel1->clear();
    StatusLabel2->clear();
}

void MainForm::Frame2_MouseMove()
{
    Frame1_MouseMove();
}

void MainForm::Label2_MouseMove(int Index)
{
    Q_UNUSED(Index);
    StatusLabel1->setText(QStringLiteral("-------------- N"));
    StatusLabel2->setText(QStringLiteral("------------- E"));
}

void MainForm::Label2_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Shift);
    if (!mapState().ExtentEntryMode || (Button != vbLeftButton && Button != vbRightButton)) {
        return;
    }
    // The label's corner in the picture's scale: easting and northing.
    const QLabel& label = Label2[Index];
    const double left = Picture1->toUserX(label.x() - PictureBox::BorderWidth);
    const double top = Picture1->toUserY(label.y() - PictureBox::BorderWidth);
    const QString& format = globals().CoordFormat;
    QLineEdit* eastBox = Button == vbLeftButton ? Text1 : Text3;
    QLineEdit* northBox = Button == vbLeftButton ? Text2 : Text4;
    eastBox->setText(Format(left + X, format));
    northBox->setText(Format(top - Y, format));
}
