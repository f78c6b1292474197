// The layout of the lower side panel: the meteorology frame (its bottom flush
// with the map's) and the guidance frame above it, and the room the side
// panel's frames share on a short screen. All are steps of ArrangeControls
// and use its fonts and screen class; the controls' work belongs to the
// guidance-line and meteorology subsystems.
#include "korvel/shell/main_form.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"
#include "platform/screen_metrics.h"
#include "platform/vb_fonts.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

#include <algorithm>

namespace {

// The least gap between the guidance frame and the meteorology frame below
// it, as between the list and the "Map Scale" frame on an 800 screen.
constexpr int kLowerFramesGap = 3;
// What the list keeps however short the screen: its caption and a row.
constexpr int kShortestList = 40;

int bottom(const QWidget& control)
{
    return control.y() + control.height();
}

int right(const QWidget& control)
{
    return control.x() + control.width();
}

// A label sized to its caption, as the design's auto-size labels are.
void setLabelFont(QLabel& label, const QFont& font)
{
    label.setFont(font);
    label.adjustSize();
}

// The Top that centres a control vertically on another.
int centredOn(const QWidget& control, const QWidget& on)
{
    return on.y() + (on.height() - control.height()) / 2;
}

// A font of the same face at another size.
QFont resized(const QFont& font, double points)
{
    QFont copy = font;
    copy.setPointSizeF(points);
    return copy;
}

} // namespace

void MainForm::AdjustGuidanceFrame()
{
    const bool eight = eightHundredScreen();
    const QFont layoutFont = vbFont(LayoutFontName, LayoutFontSize);
    QRadioButton& heading = GuidanceOption[1];
    QRadioButton& edge = GuidanceOption[2];
    for (QWidget* control : { static_cast<QWidget*>(&heading), static_cast<QWidget*>(&edge),
             static_cast<QWidget*>(GuidanceSave), static_cast<QWidget*>(GuidanceCancel) }) {
        control->setFont(layoutFont);
    }
    GuidanceText->setFont(resized(GuidanceText->font(), Text1->font().pointSizeF()));

    heading.setGeometry(8, 16, 121, heading.height());
    edge.setGeometry(heading.x(), bottom(heading) + 2, heading.width(), edge.height());

    GuidanceSave->resize(eight ? 45 : 57, 25);
    GuidanceSave->move(GuidanceFrame->width() - 4 - GuidanceSave->width() - 4, GuidanceSave->y());
    GuidanceCancel->setGeometry(
        GuidanceSave->x(), GuidanceCancel->y(), GuidanceSave->width(), GuidanceSave->height());

    GuidanceText->resize(GuidanceText->width(), Text1->height());
    GuidanceText->move(right(edge) + 5, centredOn(*GuidanceText, heading));
    setLabelFont(*SwathLabel, layoutFont);
    if (eight) {
        heading.setFont(resized(heading.font(), 7));
        edge.setFont(resized(edge.font(), 7));
        GuidanceText->move(100, GuidanceText->y());
    }

    SwathText->setFont(resized(SwathText->font(), GuidanceText->font().pointSizeF()));
    SwathText->setGeometry(right(*GuidanceText) - 60, bottom(edge) + 2, 60, GuidanceText->height());
    SwathText->setText(guidanceSwathShown());

    DegreeLabel->setText(QString(QChar(176)));
    setLabelFont(*DegreeLabel, resized(DegreeLabel->font(), double(TwipsPerPixelX()) / 15.0 * 12.0));
    DegreeLabel->move(right(*GuidanceText) + 2, centredOn(*DegreeLabel, *GuidanceText));

    SwathLabel->move(SwathText->x() - SwathLabel->width() - 8, centredOn(*SwathLabel, *SwathText));
    setLabelFont(*SwathLabelm, resized(SwathLabelm->font(), SwathLabel->font().pointSizeF()));
    SwathLabelm->move(DegreeLabel->x(), centredOn(*SwathLabelm, *SwathText));

    // The spin buttons stand inside the right end of their boxes.
    for (auto [spin, box] : { std::pair { VScroll1, GuidanceText }, std::pair { VScroll2, SwathText } }) {
        spin->setGeometry(right(*box) - spin->width() - 2, box->y() + 2, spin->width(), box->height() - 4);
        spin->raise();
    }

    OffsetLabel->move(OffsetLabel->x(), bottom(*SwathText) + 5);
    OffsetFrame->setGeometry(
        OffsetFrame->x(), OffsetLabel->y() - 1, OffsetFrame->width(), OffsetOption[0].height());
    GuidanceFrame->resize(GuidanceFrame->width(), bottom(*OffsetFrame) + 5);

    // The two buttons stand 4 pixels apart around the middle below the caption.
    const int half = (GuidanceFrame->height() - 10) / 2;
    GuidanceSave->move(GuidanceSave->x(), 8 + half - GuidanceSave->height() - 2);
    GuidanceCancel->move(GuidanceCancel->x(), 8 + half + 2);
}

void MainForm::LayoutMetFrame()
{
    const bool eight = eightHundredScreen();
    const QFont layoutFont = vbFont(LayoutFontName, LayoutFontSize);

    const int height = eight ? 111 : 121;
    MetFrame->setGeometry(Frame1->x(), bottom(*Picture1) - height, Frame1->width(), height);

    Picture2->resize(73, 73);
    for (int row = 1; row <= 6; ++row) {
        QLabel& caption = MetLabel[row];
        setLabelFont(caption, layoutFont);
        caption.move(right(*Picture2) + 5, 16 * row);
    }

    // The needle and the direction are reset only while no record is shown:
    // a change of window state must not blank the compass of a record.
    const bool showingRecord = globals().MetLoaded;
    if (!showingRecord) {
        CompassLine->setEnds(34, 34, 34, 14);
    }
    const QString direction = WindDirLabel->text();
    WindDirLabel->setFont(layoutFont);
    WindDirLabel->setText(QStringLiteral("300"));
    WindDirLabel->adjustSize();
    WindDirLabel->move(Picture2->clientWidth() - WindDirLabel->width() - 1, WindDirLabel->y());
    WindDirLabel->setText(showingRecord ? direction : QString());

    int left = Picture2->x() + 2;
    for (int index = 1; index <= 4; ++index) {
        QPushButton& button = ControlPanel[index];
        button.setGeometry(left, bottom(*Picture2) + (eight ? 2 : 7), 17, 17);
        left += button.width();
    }

    const std::pair<QLabel*, int> values[] = { { DateLabel, 1 }, { TimeLabel, 2 }, { WindSpeedLabel, 3 },
        { TetherTempLabel, 4 }, { GroundTempLabel, 5 }, { FileNameLabel, 6 } };
    for (auto [value, row] : values) {
        int valueLeft = right(MetLabel[1]) + 10;
        if (row >= 3 && row <= 5) {
            valueLeft = right(MetLabel[5]) + (eight ? 5 : 11);
        } else if (row == 6) {
            valueLeft = right(MetLabel[6]) + 11;
        }
        value->setFont(layoutFont);
        value->move(valueLeft, MetLabel[row].y());
    }

    CloseMet->setGeometry(MetFrame->width() - 4 - 13, 11, 13, 13);
    TimeSlider->setGeometry(MetFrame->width() - 4 - 20 - 2, (MetFrame->height() - 75) / 2 + 10, 20, 75);
}

void MainForm::keepSidePanelApart()
{
    // The frames stack down from the list; the meteorology frame stands up
    // from the map's bottom. Where the screen is too short for both, the
    // list gives up the height the others need (it scrolls what no longer
    // fits) and the frames between move up with its bottom; the map and the
    // status bar keep their places. The room is kept whether the guidance and
    // meteorology frames show or not: they appear later without a layout.
    const int overrun = bottom(*GuidanceFrame) + kLowerFramesGap - MetFrame->y();
    const int cut = std::min(overrun, Frame1->height() - kShortestList);
    if (cut <= 0) {
        return;
    }
    m_layerListRoom = Frame1->height() - cut;
    ArrangeLayerList();
    QWidget* const between[] = { Frame2, GraphButton, GuidanceFrame, &Check1[2] };
    for (QWidget* control : between) {
        control->move(control->x(), control->y() - cut);
    }
}
