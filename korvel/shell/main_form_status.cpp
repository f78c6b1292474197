// The main window's status area: the status bar StatusBar1 with its six
// panels, the progress bar laid over panel 6 and the two coordinate boxes
// laid over panels 1 and 2; and the window's part as the status sink of long
// operations (panel 6 and the progress bar).
#include "korvel/shell/main_form.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/status_bar.h"

#include <QLineEdit>
#include <QProgressBar>

namespace {

// The design's widths of the panels the layout does not size, and of the
// progress bar.
constexpr int kZonePanelWidth = 72;
constexpr int kEllipsoidPanelWidth = 150;
constexpr int kProgressBarWidth = 160;

QLineEdit* newCoordinateBox(const QString& name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFrame(false);
    box->setReadOnly(true);
    // It reads as part of the status bar it lies on.
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    box->setPalette(colours);
    // A readout: it never keeps the keyboard focus.
    box->setFocusPolicy(Qt::NoFocus);
    box->resize(76, 14);
    box->hide();
    return box;
}

} // namespace

void MainForm::createStatusArea()
{
    StatusBar1 = new StatusBar(m_client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setPanelCount(6);
    StatusBar1->panel(4).Width = kZonePanelWidth;
    StatusBar1->panel(5).Width = kEllipsoidPanelWidth;
    StatusBar1->refresh();

    ProgressBar1 = new QProgressBar(m_client);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->resize(kProgressBarWidth, 14);
    ProgressBar1->setRange(0, 100);

    StatusLabel1 = newCoordinateBox(QStringLiteral("StatusLabel1"), m_client);
    StatusLabel2 = newCoordinateBox(QStringLiteral("StatusLabel2"), m_client);
}

void MainForm::setUpStatusBar()
{
    StatusPanel& mode = StatusBar1->panel(3);
    mode.Bevel = PanelBevel::Raised;
    mode.Key = QStringLiteral("coords");
    mode.Text = QStringLiteral("UTM");
    StatusBar1->panel(4).Text = zoneStatusText();
    StatusBar1->panel(5).Text = globals().Ellipsoid.Name;
    StatusBar1->panel(6).AutoSize = PanelAutoSize::Spring;
    StatusBar1->refresh();
}

void MainForm::setStatusText(const QString& text)
{
    StatusBar1->setPanelText(6, text.isEmpty() ? QString() : QString(StatusIndent, u' ') + text);
}

void MainForm::showProgress(int maximum)
{
    ProgressBar1->setRange(0, qMax(0, maximum));
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    ProgressBar1->repaint();
}

void MainForm::setProgress(int value)
{
    // The bar repaints itself at once whenever the change shows; forcing a
    // repaint for every step would cost a long drawing more than its drawing.
    ProgressBar1->setValue(qBound(ProgressBar1->minimum(), value, ProgressBar1->maximum()));
}

void MainForm::hideProgress()
{
    ProgressBar1->hide();
}
