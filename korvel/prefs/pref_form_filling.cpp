// How the preferences fill their fields: Form_Load when the dialog is
// created (the tab, the module list, the ellipsoid list, the zone map, the
// AG-NAV tab) and Form_Activate once when it opens (the values of the
// program and of the settings).
#include "korvel/agnav/agnav_job_controls.h"
#include "korvel/prefs/optimization_modules.h"
#include "korvel/prefs/pref_form.h"
#include "korvel/prefs/preference_settings.h"
#include "korvel/prefs/utm_zone_map.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/screen_metrics.h"
#include "platform/vb_colors.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

#include <algorithm>

namespace {

constexpr int kTabCount = 6;
// The zone map's height on a screen of 12 twips per pixel (large fonts).
constexpr float kLargeFontsMapHeightTwips = 480.0f;

void showError(const VbError& error)
{
    MsgBox(QStringLiteral("Error: ") + error.Description(), vbExclamation);
}

// A stored Boolean of section "Settings"; one that does not read as a
// Boolean counts as False.
bool storedFlag(const QString& name)
{
    try {
        return CBool(GetRegSetting(QStringLiteral("Settings"), name, QStringLiteral("False")));
    } catch (const VbError&) {
        return false;
    }
}

QListWidgetItem* firstItemNamed(const QListWidget& list, const QString& text)
{
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->text() == text) {
            return list.item(row);
        }
    }
    return nullptr;
}

} // namespace

void PrefForm::Form_Load()
{
    ReleaseFloatingWindows();
    showTab(StartTab >= 1 && StartTab <= kTabCount ? StartTab : 1);
    fillModuleList();
    OptColourBox->setBackColor(mainSettings().OptColour);
    fillEllipsoidList();
    placeZoneMap();
    const MapState& map = mapState();
    HScroll1->setValue(map.Zone);
    HScroll1_Change(); // also when the value was the scroll bar's own already
    NSOption[map.NorthZone ? 1 : 2].setChecked(true);
    DirButton->move(Text1[1].x() + Text1[1].width() - 2 - DirButton->width(), DirButton->y());
    try {
        fillAgnavTab();
    } catch (const VbError& error) {
        showError(error);
    }
    Loaded = true;
}

void PrefForm::fillModuleList()
{
    List1->addItems(optimizationModuleNames(globals().RootDir));
    const QString chosen = globals().OptimizationFile;
    if (!chosen.isEmpty()) {
        if (QListWidgetItem* item = firstItemNamed(*List1, chosen)) {
            item->setSelected(true); // shows the module's description
            List1->setCurrentItem(item);
        }
    }
}

void PrefForm::fillEllipsoidList()
{
    const ProgramGlobals& program = globals();
    for (size_t row = 1; row < program.EllipsoidTable.size(); ++row) {
        EllipsoidListbox->addItem(program.EllipsoidTable[row].Name);
    }
    if (!program.Ellipsoid.Name.isEmpty()) {
        if (QListWidgetItem* item = firstItemNamed(*EllipsoidListbox, program.Ellipsoid.Name)) {
            EllipsoidListbox->setCurrentItem(item); // shows its axis and eccentricity
        }
    }
}

void PrefForm::placeZoneMap()
{
    if (TwipsPerPixelY() == 12.0f) {
        Picture2->resize(Picture2->width(), twipsToPixelsY(kLargeFontsMapHeightTwips));
    }
    Picture2->move((ZoneFrame->width() - Picture2->width()) / 2, Picture2->y());
    Picture2->Scale(1, 0, 1 + UtmZoneCount, 1);
    Picture2->PaintPicture(utmZoneMapImage(), 1, 0, UtmZoneCount, 1);
    const int left = Picture2->x();
    const int below = Picture2->geometry().bottom() + 4;
    HScroll1->setGeometry(left, below, Picture2->width(), 17);
    m_zoneCaption->move(left, below + 24);
    ZoneLabel->setGeometry(left + 44, below + 24, 30, ZoneLabel->height());
    NSOption[1].parentWidget()->move(left, below + 48);
}

void PrefForm::fillAgnavTab()
{
    fillAgnavJobLists(*this, AGNAVEllipsoids, SerialFormats);
    const int position = ellipsoidPositionOfRow(storedDefaultEllipsoidRow(), int(AGNAVEllipsoids.size()));
    EllipsoidCombo->setCurrentIndex(position >= 0 ? position : Wgs84Row);
    LoadAGNAVDefaults(*this);
}

void PrefForm::Form_Activate()
{
    const MainSettings& settings = mainSettings();
    const ProgramGlobals& program = globals();
    // A damaged settings store may hold choices the dialog does not offer.
    GISGraphChoice = optionChoice(settings.GISgraph);
    AGNAVGraphChoice = optionChoice(settings.AGNAVgraph);
    GISspeed[GISGraphChoice].setChecked(true);
    GISspeed[GISGraphChoice].setFocus();
    AGNAVspeed[AGNAVGraphChoice].setChecked(true);
    AGNAVspeed_Click(AGNAVGraphChoice);
    AGNAVslider->setValue(
        std::clamp<int>(settings.AGNAVspeed, AGNAVslider->minimum(), AGNAVslider->maximum()));
    ImmediateCheck->setChecked(program.ImmediateGraph);

    const ScreenMetrics screen = screenMetrics();
    Label5->setText(Str(screen.widthPixels) + QStringLiteral("  x ") + Str(screen.heightPixels));
    PointerChoice = settings.PointerColour;
    CoordSystemOption[program.MetricSystem ? 2 : 1].setChecked(true);

    const QString dirs = QStringLiteral("DefaultDirs");
    const char* const folders[] = { "SessionDir", "ImageDir", "SHPDir", "AGNAVDir", "MetDir" };
    try {
        for (int i = 1; i <= 5; ++i) {
            Text1[i].setText(GetRegSetting(dirs, QString::fromLatin1(folders[i - 1]), defaultStartFolder()));
        }
    } catch (const VbError& error) {
        showError(error);
    }
    AutoLoad[1].setChecked(storedFlag(QStringLiteral("AutoLoadGuidance")));
    AutoLoad[2].setChecked(storedFlag(QStringLiteral("AutoLoadExclusion")));

    Check1->setChecked(settings.GraphBoomOff);
    Check2->setChecked(settings.ColorCode);
    Check3->setChecked(settings.FillPoly);
    (settings.GuidanceAboveBelow ? Option2 : Option1)->setChecked(true);
    drawPointerSample();
    Slider1->setValue(std::clamp<int>(settings.OptWidth, Slider1->minimum(), Slider1->maximum()));
    BufferWidthText->setText(CStr(int(settings.BufferWidth)));
    BufferColourBox->setBackColor(settings.BufferColour);
    DrawOptSample();
}

void PrefForm::drawPointerSample()
{
    PictureBox& sample = *Picture1;
    sample.Cls();
    sample.setDrawWidth(2);
    sample.Scale(0, 0, 2, 2);
    const qint32 colour = QBColor(std::clamp(PointerChoice, 0, 15));
    sample.Line(0, 1, 2, 1, colour);
    sample.Line(1, 0, 1, 2, colour);
    sample.Refresh();
}
