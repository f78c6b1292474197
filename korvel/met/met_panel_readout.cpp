// The meteorology panel of the main window: the record shown with its
// compass, the playback on the window's timer at the slider's speed, the
// switch between sources and the opening of the meteorology window.
//
// Each source keeps its own position, so switching sources during a
// playback goes on with the other source where it stood. A playback runs
// to the last record, shows record 1 again and stops.
#include "korvel/met/met_data.h"
#include "korvel/met/met_form.h"
#include "korvel/met/met_panel_text.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

namespace {

constexpr double kNeedleLength = 20.0; // pixels

} // namespace

void MainForm::UpdateMetData(int& Index)
{
    if (!metSourceLoaded(Index) || !metSourceLoaded(CurrentMet)) {
        return;
    }
    const MetFile& source = metSource(Index);
    const MetRecord& record = currentMetRecord(Index);
    ControlPanel[4].setText(QString::number(CurrentMet));
    DateLabel->setText(metDateText(record));
    TimeLabel->setText(metTimeText(record));
    WindSpeedLabel->setText(metSpeedText(record.WindSpeed));
    TetherTempLabel->setText(metTemperatureText(record.AirTemp));

    // The rows a file source shows and a manual entry has no values for.
    QWidget* const datedRows[]
        = { &MetLabel[1], &MetLabel[2], DateLabel, TimeLabel, TimeSlider, GroundTempLabel, &MetLabel[5] };
    ControlPanel[1].setEnabled(true);
    ControlPanel[2].setEnabled(true);
    MetLabel[4].setText(QStringLiteral("Air Temp (T/S) :"));
    for (QWidget* row : datedRows) {
        row->show();
    }
    if (source.Source == MetSourceKitoon) {
        GroundTempLabel->setText(metTemperatureText(record.GroundTemp));
        MetFrame->setTitle(QStringLiteral("Meteorology (Kitoon)"));
    } else if (source.Source == MetSourceTower) {
        GroundTempLabel->hide();
        MetLabel[5].hide();
        MetFrame->setTitle(QStringLiteral("Meteorology (Tall Tower)"));
        MetLabel[4].setText(QStringLiteral("Air Temp (Twr):"));
    } else {
        for (QWidget* row : datedRows) {
            row->hide();
        }
        ControlPanel[1].setEnabled(false);
        ControlPanel[2].setEnabled(false);
        MetLabel[4].setText(QStringLiteral("Air Temp:"));
        MetFrame->setTitle(QStringLiteral("Meteorology (Manual)"));
    }
    MetLabel[4].adjustSize();
    MetFrame->repaint();
    showCompass(record.WindDirection);
    FileNameLabel->setText(metSource(CurrentMet).FileName);
}

void MainForm::showCompass(int windDirection)
{
    const QPointF centre(CompassLine->X1(), CompassLine->Y1());
    const QPointF end = compassNeedleEnd(centre, kNeedleLength, windDirection);
    CompassLine->setEnds(centre.x(), centre.y(), end.x(), end.y());
    WindDirLabel->setText(QString::number(windDirection));
}

void MainForm::ControlPanel_Click(int Index)
{
    // With the panel open and no source (after "Connect") the buttons have
    // nothing to show or play.
    const bool sourceShown = metSourceLoaded(CurrentMet);
    switch (Index) {
    case 1: {
        if (!sourceShown) {
            return;
        }
        MetPlayback = true;
        setEnabled(false);
        MetForm& window = MetForm::instance();
        window.setSelection(currentMetRecord(CurrentMet).ElapsedTime);
        window.SelectionLine->setVisible(true);
        window.show();
        window.raise();
        window.activateWindow();
        break;
    }
    case 2:
        if (!sourceShown) {
            return;
        }
        Timer1->start();
        ControlPanel[2].setEnabled(false);
        ControlPanel[3].setEnabled(true);
        break;
    case 3:
        Timer1->stop();
        ControlPanel[2].setEnabled(true);
        ControlPanel[3].setEnabled(false);
        break;
    case 4:
        if (!sourceShown) {
            return;
        }
        CurrentMet = CurrentMet >= globals().MetCount ? 1 : CurrentMet + 1;
        ControlPanel[4].setText(QString::number(CurrentMet));
        UpdateMetData(CurrentMet);
        if (Tools_Optimize->isChecked()) {
            Optimize(CurrentMet);
        }
        break;
    default:
        break;
    }
}

void MainForm::Timer1_Timer()
{
    int source = CurrentMet;
    if (!metSourceLoaded(source)) {
        return;
    }
    qint32& position = metData().MetPosition[size_t(source)];
    if (position >= metSource(source).recordCount()) {
        ControlPanel_Click(3);
        position = 1;
    } else {
        ++position;
    }
    UpdateMetData(source);
    if (MetPlayback) {
        if (MetForm* window = MetForm::existing()) {
            window->setSelection(currentMetRecord(source).ElapsedTime);
            window->raise();
        }
    }
    if (Tools_Optimize->isChecked()) {
        Optimize(source);
    }
}

void MainForm::TimeSlider_Change()
{
    const int value = TimeSlider->value();
    TimeSlider->setToolTip(QStringLiteral("Time Factor: ") + QString::number(playbackTimeFactor(value)));
    Timer1->setInterval(playbackInterval(value));
}
