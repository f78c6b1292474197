// The meteorology panel of the main window: the record shown with its
// compass, the playback on the window's timer at the slider's speed, the
// switch between sources and the opening of the meteorology window.
//
// Each source keeps its own position, so switching sources during a
// playback goes on with the other source where it stood. A playback runs
// to the last record, shows record 1 again and stops.
#include "korvel/met/met_data.h"
#include "korvel/met/met_form.h"
#include "korvel/met/met_panel.h"
#include "korvel/met/met_panel_text.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

namespace {

constexpr double kNeedleLength = 20.0; // pixels

} // namespace

void MetPanel::UpdateMetData(int& Index)
{
    if (!metSourceLoaded(Index) || !metSourceLoaded(m_form.CurrentMet)) {
        return;
    }
    const MetFile& source = metSource(Index);
    const MetRecord& record = currentMetRecord(Index);
    m_form.ControlPanel[4].setText(QString::number(m_form.CurrentMet));
    m_form.DateLabel->setText(metDateText(record));
    m_form.TimeLabel->setText(metTimeText(record));
    m_form.WindSpeedLabel->setText(metSpeedText(record.WindSpeed));
    m_form.TetherTempLabel->setText(metTemperatureText(record.AirTemp));

    // The rows a file source shows and a manual entry has no values for.
    QWidget* const datedRows[] = { &m_form.MetLabel[1], &m_form.MetLabel[2], m_form.DateLabel,
        m_form.TimeLabel, m_form.TimeSlider, m_form.GroundTempLabel, &m_form.MetLabel[5] };
    m_form.ControlPanel[1].setEnabled(true);
    m_form.ControlPanel[2].setEnabled(true);
    m_form.MetLabel[4].setText(QStringLiteral("Air Temp (T/S) :"));
    for (QWidget* row : datedRows) {
        row->show();
    }
    if (source.Source == MetSourceKitoon) {
        m_form.GroundTempLabel->setText(metTemperatureText(record.GroundTemp));
        m_form.MetFrame->setTitle(QStringLiteral("Meteorology (Kitoon)"));
    } else if (source.Source == MetSourceTower) {
        m_form.GroundTempLabel->hide();
        m_form.MetLabel[5].hide();
        m_form.MetFrame->setTitle(QStringLiteral("Meteorology (Tall Tower)"));
        m_form.MetLabel[4].setText(QStringLiteral("Air Temp (Twr):"));
    } else {
        for (QWidget* row : datedRows) {
            row->hide();
        }
        m_form.ControlPanel[1].setEnabled(false);
        m_form.ControlPanel[2].setEnabled(false);
        m_form.MetLabel[4].setText(QStringLiteral("Air Temp:"));
        m_form.MetFrame->setTitle(QStringLiteral("Meteorology (Manual)"));
    }
    m_form.MetLabel[4].adjustSize();
    m_form.MetFrame->repaint();
    showCompass(record.WindDirection);
    m_form.FileNameLabel->setText(metSource(m_form.CurrentMet).FileName);
}

void MetPanel::showCompass(int windDirection)
{
    const QPointF centre(m_form.CompassLine->X1(), m_form.CompassLine->Y1());
    const QPointF end = compassNeedleEnd(centre, kNeedleLength, windDirection);
    m_form.CompassLine->setEnds(centre.x(), centre.y(), end.x(), end.y());
    m_form.WindDirLabel->setText(QString::number(windDirection));
}

void MetPanel::ControlPanel_Click(int Index)
{
    // With the panel open and no source (after "Connect") the buttons have
    // nothing to show or play.
    const bool sourceShown = metSourceLoaded(m_form.CurrentMet);
    switch (Index) {
    case 1: {
        if (!sourceShown) {
            return;
        }
        m_form.MetPlayback = true;
        m_form.setEnabled(false);
        MetForm& window = MetForm::instance();
        window.setSelection(currentMetRecord(m_form.CurrentMet).ElapsedTime);
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
        m_form.Timer1->start();
        m_form.ControlPanel[2].setEnabled(false);
        m_form.ControlPanel[3].setEnabled(true);
        break;
    case 3:
        m_form.Timer1->stop();
        m_form.ControlPanel[2].setEnabled(true);
        m_form.ControlPanel[3].setEnabled(false);
        break;
    case 4:
        if (!sourceShown) {
            return;
        }
        m_form.CurrentMet = m_form.CurrentMet >= globals().MetCount ? 1 : m_form.CurrentMet + 1;
        m_form.ControlPanel[4].setText(QString::number(m_form.CurrentMet));
        UpdateMetData(m_form.CurrentMet);
        if (m_form.Tools_Optimize->isChecked()) {
            Optimize(m_form.CurrentMet);
        }
        break;
    default:
        break;
    }
}

void MetPanel::Timer1_Timer()
{
    int source = m_form.CurrentMet;
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
    if (m_form.MetPlayback) {
        if (MetForm* window = MetForm::existing()) {
            window->setSelection(currentMetRecord(source).ElapsedTime);
            window->raise();
        }
    }
    if (m_form.Tools_Optimize->isChecked()) {
        Optimize(source);
    }
}

void MetPanel::TimeSlider_Change()
{
    const int value = m_form.TimeSlider->value();
    m_form.TimeSlider->setToolTip(
        QStringLiteral("Time Factor: ") + QString::number(playbackTimeFactor(value)));
    m_form.Timer1->setInterval(playbackInterval(value));
}
