#include "korvel/guidance/guidance_form.h"

#include "korvel/guidance/guidance_panel_rules.h"
#include "korvel/guidance/guidance_work.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/guidance_panel_controls.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/program_globals.h"
#include "platform/picture_box.h"
#include "platform/screen_metrics.h"
#include "platform/single_form.h"
#include "platform/window_stacking.h"

#include <QFrame>
#include <QLabel>

namespace {

SingleForm<GuidanceForm> g_form;

// The guidance window as a floating tool window of the main window.
class GuidanceFormTool final : public FloatingToolWindow
{
public:
    void show() override { GuidanceForm::instance().show(); }
    void unload() override { GuidanceForm::unload(); }
    QWidget* window() const override { return GuidanceForm::existing(); }
};

// Where the controls stand, in pixels: the docked panel's arrangement
// without its frame.
constexpr int kOptionLeft = 8;
constexpr int kRowHeight = 19;
constexpr int kBoxLeft = 134;
constexpr int kButtonLeft = 212;
constexpr QSize kWindowSize(280, 100);

// A spin button stands inside the right end of its box.
void placeSpin(QScrollBar& spin, const QLineEdit& box)
{
    spin.setGeometry(box.x() + box.width() - 15 - 2, box.y() + 2, 15, box.height() - 4);
}

} // namespace

FloatingToolWindow& guidanceFormTool()
{
    static GuidanceFormTool tool;
    return tool;
}

GuidanceForm& GuidanceForm::instance()
{
    return g_form.instance([] { return new GuidanceForm(MainForm::instance()); },
        [](GuidanceForm& form) { form.Form_Initialize(); });
}

GuidanceForm* GuidanceForm::existing()
{
    return g_form.existing();
}

void GuidanceForm::unload()
{
    GuidanceForm* form = g_form.take();
    if (!form) {
        return;
    }
    form->m_unloaded = true;
    form->hide();
    form->deleteLater();
}

GuidanceForm::GuidanceForm(MainForm& main)
    : QWidget(
        &main, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_main(main)
{
    setObjectName(QStringLiteral("GuidanceForm"));
    setWindowTitle(QStringLiteral("Digitize AG-NAV Guidance"));
    // Above the main window and the other floating windows as it opens,
    // also when Map Mode shows it before its menu item is ticked.
    setTopmostWhenShown(*this);
    setFixedSize(kWindowSize);
    createControls();
    setUpGuidanceSpins(panel());
    connectGuidanceControls(*this, *this);
}

GuidanceForm::~GuidanceForm()
{
    g_form.forget(this);
}

void GuidanceForm::createControls()
{
    createGuidanceControls(*this, *this);
    for (int index = 1; index <= 2; ++index) {
        GuidanceOption[index].move(kOptionLeft, 6 + (index - 1) * kRowHeight);
    }
    GuidanceText->move(kBoxLeft, 4);
    placeSpin(*VScroll1, *GuidanceText);
    DegreeLabel->setText(QString(QChar(176)));
    QFont degreeFont = DegreeLabel->font();
    degreeFont.setPointSizeF(12.0);
    DegreeLabel->setFont(degreeFont);
    DegreeLabel->adjustSize();
    DegreeLabel->move(GuidanceText->x() + GuidanceText->width() + 2, GuidanceText->y() - 2);

    SwathText->move(kBoxLeft - 10, 44);
    placeSpin(*VScroll2, *SwathText);
    SwathLabel->adjustSize();
    SwathLabel->move(SwathText->x() - SwathLabel->width() - 8, SwathText->y() + 3);
    SwathLabelm->move(SwathText->x() + SwathText->width() + 4, SwathText->y() + 3);

    OffsetLabel->move(kOptionLeft, 76);
    OffsetFrame->move(OffsetFrame->x(), 75);
    GuidanceSave->move(kButtonLeft, 20);
    GuidanceCancel->move(kButtonLeft, 49);
}

GuidancePanel GuidanceForm::panel()
{
    return GuidancePanel::of(*this);
}

void GuidanceForm::Form_Initialize()
{
    // Over the top left corner of the map, wherever the desktop's title bar
    // and the menu bar put it.
    const QPoint corner = m_main.Picture1->mapToGlobal(QPoint(0, 0));
    move(corner.x() + 2, corner.y() + qRound(5.0 * TwipsPerPixelX() / TwipsPerPixelY()));
    RestoreFloatingWindows();
    showSwathUnit(panel());
    VScroll1->setValue(startingHeading(storedAgnavDefault("LineDirection", "0"), QString()));
    VScroll2->setValue(defaultSwathShown());
}

void GuidanceForm::GuidanceOption_Click(int Index)
{
    if (live()) {
        switchGuidanceMode(m_main, panel(), Index);
    }
}

void GuidanceForm::VScroll1_Change()
{
    if (live()) {
        headingSpinChanged(m_main, panel());
    }
}

void GuidanceForm::VScroll2_Change()
{
    if (live()) {
        swathSpinChanged(m_main, panel());
    }
}

void GuidanceForm::OffsetOption_Click(int Index)
{
    Q_UNUSED(Index);
    if (live()) {
        GuidanceWork::of(m_main).FitGuidanceLines();
    }
}

void GuidanceForm::GuidanceText_GotFocus()
{
    selectWholeText(*GuidanceText);
}

void GuidanceForm::GuidanceText_LostFocus()
{
    if (live()) {
        leaveGuidanceText(panel());
    }
}

void GuidanceForm::GuidanceText_KeyDown(int& KeyCode, int Shift)
{
    Q_UNUSED(Shift);
    if (live() && guidanceTextKey(panel(), KeyCode)) {
        KeyCode = 0;
    }
}

void GuidanceForm::SwathText_GotFocus()
{
    selectWholeText(*SwathText);
}

void GuidanceForm::SwathText_LostFocus()
{
    if (live()) {
        leaveSwathText(panel());
    }
}

void GuidanceForm::SwathText_KeyDown(int& KeyCode, int Shift)
{
    Q_UNUSED(Shift);
    if (live() && swathTextKey(panel(), KeyCode)) {
        KeyCode = 0;
    }
}

void GuidanceForm::GuidanceSave_Click()
{
    GuidanceWork::of(m_main).GuidanceSave_Click();
}

void GuidanceForm::GuidanceCancel_Click()
{
    GuidanceWork::of(m_main).GuidanceCancel_Click();
}
