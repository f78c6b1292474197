// The main window's design of the guidance and meteorology frames: the
// controls with their captions and the sizes the layout leaves alone. Their
// handlers belong to the guidance and the meteorology work; the panel layout
// (main_form_panel_layout.cpp) places them. The guidance controls are built
// as the floating guidance window builds its own (guidance_panel_controls.h).
#include "korvel/shell/guidance_panel_controls.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/panel_pictures.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"
#include "platform/vb_colors.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

namespace {

QLabel* newLabel(const QString& name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

void MainForm::createGuidanceFrame()
{
    GuidanceFrame = new QGroupBox(QStringLiteral("Create AGNAV Guidance Lines"), m_client);
    GuidanceFrame->setObjectName(QStringLiteral("GuidanceFrame"));
    createGuidanceControls(*this, *GuidanceFrame);
    // Shown while guidance lines are being created in Cluttered Mode.
    GuidanceFrame->hide();
}

void MainForm::createMetFrame()
{
    MetFrame = new QGroupBox(QStringLiteral("Meteorology"), m_client);
    MetFrame->setObjectName(QStringLiteral("MetFrame"));

    Picture2 = new PictureBox(MetFrame);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(8, 16, 73, 73);
    WindDirLabel = newLabel(QStringLiteral("WindDirLabel"), QString(), Picture2);
    WindDirLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    WindDirLabel->move(0, 2);
    // The needle stands pointing up until a record is shown.
    CompassLine = new LineControl(*Picture2);
    CompassLine->setObjectName(QStringLiteral("CompassLine"));
    CompassLine->setEnds(34, 34, 34, 14);
    CompassLine->setBorderColor(QBColor(12));
    CompassLine->setBorderWidth(2);

    for (int index = 1; index <= 4; ++index) {
        auto* button = new QPushButton(MetFrame);
        button->setObjectName(ControlPanel.elementName(index));
        button->setIcon(playbackIcon(index));
        button->setIconSize(QSize(11, 11));
        button->setFocusPolicy(Qt::NoFocus);
        ControlPanel.setElement(index, button);
    }
    // Stop waits for a playback; the source button shows the source's
    // number and only while several are loaded.
    ControlPanel[1].setToolTip(QStringLiteral("Meteorological Data"));
    ControlPanel[2].setToolTip(QStringLiteral("Play"));
    ControlPanel[3].setToolTip(QStringLiteral("Stop"));
    ControlPanel[3].setEnabled(false);
    ControlPanel[4].setText(QStringLiteral("1"));
    ControlPanel[4].setToolTip(QStringLiteral("Next Source"));
    ControlPanel[4].hide();

    const QString captions[] = { QStringLiteral("Date :"), QStringLiteral("Time :"),
        QStringLiteral("Wind Speed :"), QStringLiteral("Air Temp (T/S) :"),
        QStringLiteral("Air Temp (Grd) :"), QStringLiteral("Filename :") };
    for (int index = 1; index <= 6; ++index) {
        QLabel* caption = newLabel(MetLabel.elementName(index), captions[index - 1], MetFrame);
        MetLabel.setElement(index, caption);
    }
    QLabel** values[]
        = { &DateLabel, &TimeLabel, &WindSpeedLabel, &TetherTempLabel, &GroundTempLabel, &FileNameLabel };
    const char* valueNames[] = { "DateLabel", "TimeLabel", "WindSpeedLabel", "TetherTempLabel",
        "GroundTempLabel", "FileNameLabel" };
    for (int i = 0; i < 6; ++i) {
        *values[i] = newLabel(QString::fromLatin1(valueNames[i]), QString(), MetFrame);
        (*values[i])->resize(110, 14);
    }

    CloseMet = new QPushButton(QStringLiteral("x"), MetFrame);
    CloseMet->setObjectName(QStringLiteral("CloseMet"));
    CloseMet->setToolTip(QStringLiteral("Close"));
    CloseMet->setFocusPolicy(Qt::NoFocus);
    TimeSlider = new QSlider(Qt::Vertical, MetFrame);
    TimeSlider->setObjectName(QStringLiteral("TimeSlider"));
    // 0 (fastest) at the top, 3 (one record a second) at the bottom.
    TimeSlider->setRange(0, 3);
    TimeSlider->setValue(3);
    TimeSlider->setInvertedAppearance(true);
    TimeSlider->setPageStep(1);
    TimeSlider->setTickPosition(QSlider::TicksRight);
    TimeSlider->setToolTip(QStringLiteral("Time Factor"));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    // Shown while meteorological data is loaded.
    MetFrame->hide();
}
