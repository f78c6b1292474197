// Accept of the preferences: the fields become the program's values and
// are stored in the settings at once, as one update of the store, so a
// program killed or a write failing half-way never leaves some of the new
// settings beside the old. The chosen optimization module is read
// first, and a field that would not do (the buffer width, the AG-NAV field
// still being edited when Enter was pressed) is refused by its own check,
// so a refusal leaves the program as it was and the dialog open.
#include "korvel/agnav/agnav_job_controls.h"
#include "korvel/met/met_data.h"
#include "korvel/met/optimization_module.h"
#include "korvel/prefs/pref_form.h"
#include "korvel/prefs/preference_settings.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/map_pointer_icons.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/status_bar.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"
#include "registry/registry_update.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

namespace {

constexpr int kFolderCount = 5;

void showError(const QString& description)
{
    MsgBox(QStringLiteral("Error: ") + description, vbExclamation);
}

} // namespace

void PrefForm::AcceptButton_Click()
{
    // Enter accepts without the focus leaving the field being edited: its
    // check has not run yet.
    QWidget* focused = focusWidget();
    for (int f = int(AgnavField::MaxXTrack); f <= int(AgnavField::EllipsoidFlattening); ++f) {
        const auto field = AgnavField(f);
        if (focused && focused == agnavFieldBox(*this, field)) {
            bool* confirmed = field == AgnavField::EllipsoidAxis ? &AxisConfirmed
                : field == AgnavField::EllipsoidFlattening       ? &FlatteningConfirmed
                                                                 : nullptr;
            if (!checkAgnavFieldBox(*this, field, AgnavDialog::Preferences, confirmed)) {
                return;
            }
        }
    }
    if (!bufferWidthValue(BufferWidthText->text())) {
        BufferWidthText_LostFocus();
        return;
    }
    // The chosen module is read before anything changes: one that cannot
    // be used leaves the dialog open for another choice.
    OptimizationModule module;
    const QList<QListWidgetItem*> chosen = List1->selectedItems();
    const QString moduleName = chosen.isEmpty() ? QString() : chosen.first()->text();
    if (!moduleName.isEmpty()) {
        const QString path = optimizationModulePath(moduleName);
        module = readOptimizationModule(path);
        if (!module.ok) {
            MsgBox(QStringLiteral("The optimization file \"") + path + QStringLiteral("\" cannot be used:\r")
                    + module.error + QStringLiteral("\rPlease choose another one."),
                vbExclamation);
            return;
        }
    }

    MainForm& main = MainForm::instance();
    applyGraphing();
    applyFolders();
    globals().OptimizationFile = moduleName;
    MainSettings& settings = mainSettings();
    settings.OptColour = OptColourBox->BackColor();
    settings.OptWidth = std::uint8_t(Slider1->value());
    applyZoneAndEllipsoid();
    if (module.ok) {
        metData().Coefficients = module.coefficients;
    }
    settings.BufferWidth = *bufferWidthValue(BufferWidthText->text());
    settings.BufferColour = BufferColourBox->BackColor();
    try {
        RegistryUpdate update;
        saveFolders();
        SaveAGNAVDefaults(*this, AgnavDefaultSection);
        SaveSettings();
        update.commit();
    } catch (const VbError& error) {
        showError(error.Description());
    }
    if (main.Tools_Optimize->isChecked()) {
        main.Optimize(main.CurrentMet);
    }
    accept();
}

void PrefForm::applyGraphing()
{
    MainForm& main = MainForm::instance();
    MainSettings& settings = mainSettings();
    ProgramGlobals& program = globals();
    settings.GISgraph = std::uint8_t(GISGraphChoice);
    settings.AGNAVgraph = std::uint8_t(AGNAVGraphChoice);
    settings.AGNAVspeed = std::uint8_t(AGNAVslider->value());
    program.ImmediateGraph = ImmediateCheck->isChecked();
    main.GraphButton->setVisible(!main.View_MapMode->isChecked() && !program.ImmediateGraph);
    settings.GraphBoomOff = Check1->isChecked();
    settings.ColorCode = Check2->isChecked();
    settings.FillPoly = Check3->isChecked();
    settings.GuidanceAboveBelow = Option2->isChecked();
    settings.PointerColour = std::uint8_t(PointerChoice);
    main.Picture1->setMouseIcon(mapPointerIcons().CrosshairIcons[size_t(crosshairFor(PointerChoice))]);
    program.MetricSystem = CoordSystemOption[2].isChecked();
}

void PrefForm::saveFolders()
{
    const QString dirs = QStringLiteral("DefaultDirs");
    const QString settingsSection = QStringLiteral("Settings");
    SaveRegSetting(dirs, QStringLiteral("SessionDir"), Text1[1].text());
    SaveRegSetting(dirs, QStringLiteral("ImageDir"), Text1[2].text());
    SaveRegSetting(dirs, QStringLiteral("SHPDir"), Text1[3].text());
    SaveRegSetting(dirs, QStringLiteral("AGNAVDir"), Text1[4].text());
    SaveRegSetting(settingsSection, QStringLiteral("AutoLoadGuidance"), CStr(AutoLoad[1].isChecked()));
    SaveRegSetting(settingsSection, QStringLiteral("AutoLoadExclusion"), CStr(AutoLoad[2].isChecked()));
    SaveRegSetting(dirs, QStringLiteral("MetDir"), Text1[5].text());
}

void PrefForm::applyFolders()
{
    MainSettings& settings = mainSettings();
    QString* folders[kFolderCount] = { &settings.SessionDir, &settings.ImageDir, &settings.SHPDir,
        &settings.AGNAVDir, &settings.MetDir };
    for (int i = 1; i <= kFolderCount; ++i) {
        *folders[i - 1] = Text1[i].text();
    }
    settings.AutoLoadGuidance = AutoLoad[1].isChecked();
    settings.AutoLoadExclusion = AutoLoad[2].isChecked();
}

void PrefForm::applyZoneAndEllipsoid()
{
    MainForm& main = MainForm::instance();
    ProgramGlobals& program = globals();
    MapState& map = mapState();
    map.Zone = HScroll1->value();
    map.NorthZone = NSOption[1].isChecked();
    main.StatusBar1->setPanelText(4, zoneStatusText());
    // Every row of the chosen name is ticked; the last one's values stay.
    const QListWidgetItem* chosen = EllipsoidListbox->currentItem();
    const QString name = chosen && chosen->isSelected() ? chosen->text() : QString();
    for (size_t row = 1; row < program.EllipsoidTable.size(); ++row) {
        QAction* item = main.PopUp_EllipsoidList.at(int(row));
        const bool match = !name.isEmpty() && program.EllipsoidTable[row].Name == name;
        if (match) {
            program.Ellipsoid = program.EllipsoidTable[row];
        }
        if (item) {
            item->setChecked(match);
        }
    }
    main.StatusBar1->setPanelText(5, program.Ellipsoid.Name);
}

void PrefForm::SaveSettings()
{
    savePreferenceSettings();
}
