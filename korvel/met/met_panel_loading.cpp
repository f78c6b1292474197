// The meteorological sources on the main window: Tools > Meteorology's
// "Load Data" of the Kitoon and the tall tower, "Enter Manually", the two
// "Connect" items, and the panel's close button, which drops every source.
//
// A source is added whole or not at all: a file is read completely before
// it becomes a source, so a failed load leaves the sources, the one shown
// and the panel as they were.
#include "korvel/met/manual_form.h"
#include "korvel/met/met_data.h"
#include "korvel/met/met_file_reader.h"
#include "korvel/met/met_form.h"
#include "korvel/met/met_panel.h"
#include "korvel/shell/folder_refusal.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/open_files_dialog.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"
#include "platform/menu_item.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/show_modal.h"
#include "platform/vb_colors.h"

#include <QAction>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

namespace {

const QString kDataFilter = QStringLiteral("Data Files|*.dat;*.csv|All Files (*.*)|*.*");

// The compass face under the needle: a ring with the four points marked.
void drawCompassFace(PictureBox& compass)
{
    const double centre = 34.0;
    compass.Cls();
    compass.setDrawWidth(1);
    compass.setFillStyle(vbFSTransparent);
    compass.Circle(centre, centre, 26.0, QBColor(8));
    compass.Circle(centre, centre, 2.0, QBColor(0));
    compass.Line(centre, centre - 30.0, centre, centre - 23.0, QBColor(0));
    compass.Line(centre + 23.0, centre, centre + 30.0, centre, QBColor(8));
    compass.Line(centre, centre + 23.0, centre, centre + 30.0, QBColor(8));
    compass.Line(centre - 30.0, centre, centre - 23.0, centre, QBColor(8));
}

} // namespace

void MetPanel::connectMetCommands()
{
    connectMenuClick(*m_form.Met_LoadKitoon, this, [this] { Met_LoadKitoon_Click(); });
    connectMenuClick(*m_form.Met_LoadTower, this, [this] { Met_LoadTower_Click(); });
    connectMenuClick(*m_form.Met_EnterManual, this, [this] { Met_EnterManual_Click(); });
    connectMenuClick(*m_form.Met_ConnectKitoon, this, [this] { Met_ConnectKitoon_Click(); });
    connectMenuClick(*m_form.Met_ConnectTether, this, [this] { Met_ConnectTether_Click(); });
    connectMenuClick(*m_form.Tools_Optimize, this, [this] { Tools_Optimize_Click(); });
    for (int index = 1; index <= 4; ++index) {
        connect(&m_form.ControlPanel[index], &QPushButton::clicked, this,
            [this, index] { ControlPanel_Click(index); });
    }
    connect(m_form.CloseMet, &QPushButton::clicked, this, [this] { CloseMet_Click(); });
    connect(m_form.Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(m_form.TimeSlider, &QSlider::valueChanged, this, [this] { TimeSlider_Change(); });
    drawCompassFace(*m_form.Picture2);
}

void MetPanel::Met_LoadKitoon_Click()
{
    loadMetDataFile(QStringLiteral("Open Met-Kitoon Data File"), MetSourceKitoon);
}

void MetPanel::Met_LoadTower_Click()
{
    loadMetDataFile(QStringLiteral("Open Tall Tower Data File"), MetSourceTower);
}

bool MetPanel::metSourceRoom()
{
    if (globals().MetCount >= MaxMetSources) {
        MsgBox(QStringLiteral("Currently, no more than 8\rmet files can be opened"));
        return false;
    }
    return true;
}

void MetPanel::loadMetDataFile(const QString& title, const QString& source)
{
    if (!metSourceRoom()) {
        return;
    }
    MainSettings& settings = mainSettings();
    const QString path = chooseFileToOpen(&m_form, settings.MetDir, kDataFilter, title);
    if (path.isEmpty()) {
        return;
    }
    const QString name = QFileInfo(path).fileName();
    // The folder lasts until the program ends; it is not stored.
    settings.MetDir = folderOfFile(path);
    m_form.repaint();

    if (refuseMissingFile(path, quotedMissingFileMessage(path))) {
        return;
    }
    // Names are compared without their folders, whatever the kind: two
    // recordings with one name would be told apart by nothing on the panel.
    MetData& met = metData();
    for (int i = 1; i <= globals().MetCount; ++i) {
        if (met.MetFiles[size_t(i)].FileName == name) {
            MsgBox(name + QStringLiteral("\r\rhas already been opened"));
            return;
        }
    }

    QByteArray bytes;
    MetFileRead read;
    if (readWholeFile(path, bytes, &read.error)) {
        read = source == MetSourceKitoon ? readKitoonFile(bytes) : readTowerFile(bytes);
    }
    if (!read.ok) {
        MsgBox(QStringLiteral("Error Loading Met Data"));
        return;
    }
    read.file.FileName = name;
    read.file.Source = source;
    m_form.CurrentMet = appendMetSource(std::move(read.file), read.startSeconds);
    int shown = m_form.CurrentMet;
    UpdateMetData(shown);
    showAddedMetSource();
    if (read.leftOutLine > 0) {
        MsgBox(QStringLiteral("Line %1 of \"%2\" stops without its line end: it was cut off and has been "
                              "left out.\rThe records before it are loaded.")
                   .arg(read.leftOutLine)
                   .arg(name),
            vbExclamation);
    }
}

void MetPanel::showAddedMetSource()
{
    if (globals().MetCount > 1) {
        m_form.ControlPanel[4].show();
    }
    m_form.MetFrame->show();
}

void MetPanel::Met_EnterManual_Click()
{
    if (!metSourceRoom()) {
        return;
    }
    ManualForm& entry = ManualForm::instance();
    ShowModal(entry);
    if (entry.Cancelled) {
        return;
    }
    MetFile manual;
    manual.FileName = QStringLiteral("Manual Entry");
    manual.Source = MetSourceManual;
    MetRecord record;
    record.WindSpeed = float(entry.WindSpeed);
    record.WindDirection = entry.WindDirection;
    record.AirTemp = entry.AirTemp;
    manual.Records.push_back(record);
    m_form.CurrentMet = appendMetSource(std::move(manual), 0);
    int shown = m_form.CurrentMet;
    UpdateMetData(shown);
    showAddedMetSource();
    if (m_form.Tools_Optimize->isChecked()) {
        Optimize(m_form.CurrentMet);
    }
}

void MetPanel::CloseMet_Click()
{
    ControlPanel_Click(3);
    // The window shows a source that is about to go.
    MetForm::unload();
    removeMetSources();
    m_form.CurrentMet = 0;
    m_form.ControlPanel[4].hide();
    m_form.MetFrame->hide();
    if (m_form.Tools_Optimize->isChecked()) {
        Tools_Optimize_Click();
    }
}

void MetPanel::Met_ConnectKitoon_Click()
{
    // No instrument is connected: the item only opens the panel.
    m_form.MetFrame->show();
}

void MetPanel::Met_ConnectTether_Click()
{
    m_form.TimeSlider->hide();
}
