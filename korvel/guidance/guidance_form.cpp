#include "korvel/guidance/guidance_form.h"

#include "korvel/guidance/guidance_panel_rules.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/program_globals.h"
#include "platform/picture_box.h"
#include "platform/screen_metrics.h"
#include "platform/single_form.h"

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
constexpr int kOptionWidth = 121;
constexpr int kRowHeight = 19;
constexpr int kBoxLeft = 134;
constexpr int kButtonLeft = 212;
constexpr QSize kWindowSize(280, 100);

QLabel* newLabel(const char* name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QScrollBar* newSpin(const char* name, const QLineEdit& box, QWidget* parent)
{
    auto* spin = new QScrollBar(Qt::Vertical, parent);
    spin->setObjectName(QLatin1String(name));
    spin->setGeometry(box.x() + box.width() - 15 - 2, box.y() + 2, 15, box.height() - 4);
    return spin;
}

QLineEdit* newBox(const char* name, const QString& text, const QRect& place, QWidget* parent)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(place);
    return box;
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
    : QWidget(&main, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_main(main)
{
    setObjectName(QStringLiteral("GuidanceForm"));
    setWindowTitle(QStringLiteral("Digitize AG-NAV Guidance"));
    setFixedSize(kWindowSize);
    createControls();
    setUpGuidanceSpins(panel());
    connectGuidanceControls(*this);
}

GuidanceForm::~GuidanceForm()
{
    g_form.forget(this);
}

void GuidanceForm::createControls()
{
    const QString directions[] = { QStringLiteral("Flight Heading"), QStringLiteral("Parallel to Edge") };
    for (int index = 1; index <= 2; ++index) {
        auto* option = new QRadioButton(directions[index - 1], this);
        option->setObjectName(GuidanceOption.elementName(index));
        option->setGeometry(kOptionLeft, 6 + (index - 1) * kRowHeight, kOptionWidth, 17);
        GuidanceOption.setElement(index, option);
    }
    GuidanceText = newBox("GuidanceText", QStringLiteral("0"), QRect(kBoxLeft, 4, 50, 20), this);
    VScroll1 = newSpin("VScroll1", *GuidanceText, this);
    DegreeLabel = newLabel("DegreeLabel", QString(QChar(176)), this);
    QFont degreeFont = DegreeLabel->font();
    degreeFont.setPointSizeF(12.0);
    DegreeLabel->setFont(degreeFont);
    DegreeLabel->adjustSize();
    DegreeLabel->move(GuidanceText->x() + GuidanceText->width() + 2, GuidanceText->y() - 2);

    SwathText = newBox("SwathText", QStringLiteral("25.0"), QRect(kBoxLeft - 10, 44, 60, 20), this);
    VScroll2 = newSpin("VScroll2", *SwathText, this);
    SwathLabel = newLabel("SwathLabel", QStringLiteral("Swath Width:"), this);
    SwathLabel->adjustSize();
    SwathLabel->move(SwathText->x() - SwathLabel->width() - 8, SwathText->y() + 3);
    SwathLabelm = newLabel("SwathLabelm", QStringLiteral("m"), this);
    SwathLabelm->move(SwathText->x() + SwathText->width() + 4, SwathText->y() + 3);

    OffsetLabel = newLabel("OffsetLabel", QStringLiteral("Offset:"), this);
    OffsetLabel->move(kOptionLeft, 76);
    OffsetFrame = new QFrame(this);
    OffsetFrame->setObjectName(QStringLiteral("OffsetFrame"));
    OffsetFrame->setFrameShape(QFrame::NoFrame);
    OffsetFrame->setGeometry(52, 75, 160, 17);
    const QString offsets[] = { QStringLiteral("None"), QStringLiteral("Half-Swath") };
    for (int index = 0; index <= 1; ++index) {
        auto* option = new QRadioButton(offsets[index], OffsetFrame);
        option->setObjectName(OffsetOption.elementName(index));
        option->setGeometry(index * 60, 0, index == 0 ? 56 : 96, 17);
        OffsetOption.setElement(index, option);
    }

    GuidanceSave = new QPushButton(QStringLiteral("Save"), this);
    GuidanceSave->setObjectName(QStringLiteral("GuidanceSave"));
    GuidanceSave->setGeometry(kButtonLeft, 20, 57, 25);
    GuidanceCancel = new QPushButton(QStringLiteral("Cancel"), this);
    GuidanceCancel->setObjectName(QStringLiteral("GuidanceCancel"));
    GuidanceCancel->setGeometry(kButtonLeft, 49, 57, 25);

    // The design's choices: heading mode, the first line half a swath in.
    GuidanceOption[1].setChecked(true);
    OffsetOption[1].setChecked(true);
}

GuidancePanel GuidanceForm::panel()
{
    return GuidancePanel::of(*this);
}

void GuidanceForm::Form_Initialize()
{
    // Over the top left corner of the map, below the main window's title
    // and menu bars.
    const QPoint picture = m_main.Picture1->pos();
    move(m_main.x() + picture.x() + 2,
        m_main.y() + picture.y() + 40 + qRound(5.0 * TwipsPerPixelX() / TwipsPerPixelY()));
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
        m_main.FitGuidanceLines();
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
    m_main.GuidanceSave_Click();
}

void GuidanceForm::GuidanceCancel_Click()
{
    m_main.GuidanceCancel_Click();
}
