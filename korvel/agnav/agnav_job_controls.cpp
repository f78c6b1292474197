// The values of the shared AG-NAV job controls: reading and showing them,
// the settings sections and the ellipsoid list's choice. The field checks,
// the units switch and the user ellipsoid's save are in agnav_field_boxes.cpp.
#include "korvel/agnav/agnav_job_controls.h"

#include "platform/msg_box.h"
#include "platform/named_control.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

// The grey of a locked ellipsoid box or list (red, green and blue C0 hex).
const QColor kLockedGrey(0xC0, 0xC0, 0xC0);

int optionItem(const QWidget& dialog, const QString& array)
{
    return namedControl<QRadioButton>(dialog, QStringLiteral("%1(1)").arg(array)).isChecked() ? 1 : 2;
}

void selectOption(QWidget& dialog, const QString& array, int item)
{
    namedControl<QRadioButton>(dialog, QStringLiteral("%1(%2)").arg(array).arg(item)).setChecked(true);
}

int position(const QWidget& dialog, const QString& name)
{
    return namedControl<QComboBox>(dialog, name).currentIndex();
}

void setPosition(QWidget& dialog, const QString& name, int position)
{
    namedControl<QComboBox>(dialog, name).setCurrentIndex(position);
}

QString text(const QWidget& dialog, const QString& name)
{
    return namedControl<QLineEdit>(dialog, name).text();
}

// A number box's text as the settings and the job keep it: a number typed
// with the locale's decimal comma is kept with the point.
QString numberText(const QWidget& dialog, const QString& name)
{
    return typedNumberText(text(dialog, name));
}

void setText(QWidget& dialog, const QString& name, const QString& value)
{
    namedControl<QLineEdit>(dialog, name).setText(value);
}

void setLocked(QLineEdit& box, bool locked)
{
    QPalette palette = box.palette();
    palette.setColor(QPalette::Base, locked ? kLockedGrey : QPalette().color(QPalette::Base));
    box.setPalette(palette);
    box.setReadOnly(locked);
    box.setFocusPolicy(locked ? Qt::NoFocus : Qt::StrongFocus);
}

} // namespace

void ShowEllipsoid(
    QWidget& dialog, const std::vector<AGNAVEllipsoid>& list, bool& axisAccepted, bool& flatteningAccepted)
{
    QComboBox& combo = namedControl<QComboBox>(dialog, QStringLiteral("EllipsoidCombo"));
    QLineEdit& axis = namedControl<QLineEdit>(dialog, QStringLiteral("AxisText"));
    QLineEdit& flattening = namedControl<QLineEdit>(dialog, QStringLiteral("EccentricityText"));
    const int rows = static_cast<int>(list.size());
    const int p = combo.currentIndex();
    if (p == EllipsoidSeparatorPosition) {
        // The separator is no choice: back to the stored default row, whose
        // selection runs this again.
        const int stored = storedDefaultEllipsoidRow();
        const int target = stored < FirstUserRow ? stored : stored < rows ? stored + 1 : Wgs84Row;
        combo.setCurrentIndex(target);
        return;
    }
    const int row = ellipsoidRowAtPosition(p, rows);
    if (row < 0 || rows <= Wgs84Row) {
        return;
    }
    if (row == UserEnterRow) {
        // The user starts from WGS-84's values, which need no confirming.
        setLocked(axis, false);
        setLocked(flattening, false);
        axis.setText(list[Wgs84Row].EllipsoidAxis);
        axisAccepted = true;
        flattening.setText(list[Wgs84Row].EllipsoidFlattening);
        flatteningAccepted = true;
        return;
    }
    setLocked(axis, true);
    setLocked(flattening, true);
    axis.setText(list[static_cast<std::size_t>(row)].EllipsoidAxis);
    flattening.setText(list[static_cast<std::size_t>(row)].EllipsoidFlattening);
    namedControl<QPushButton>(dialog, QStringLiteral("EllipsoidSave")).hide();
}

void fillAgnavJobLists(
    QWidget& dialog, std::vector<AGNAVEllipsoid>& ellipsoids, std::vector<SerialFormat>& formats)
{
    QString refusal;
    FillAGNAVLists(ellipsoids, formats, &refusal);
    if (!refusal.isEmpty()) {
        MsgBox(refusal, vbExclamation);
    }
    QComboBox& ellipsoidCombo = namedControl<QComboBox>(dialog, QStringLiteral("EllipsoidCombo"));
    {
        // Filling the list is no choice of the user's.
        const QSignalBlocker quiet(ellipsoidCombo);
        for (std::size_t row = 0; row < ellipsoids.size(); ++row) {
            addEllipsoidComboRow(ellipsoidCombo, int(row), ellipsoids[row].EllipsoidName);
        }
        ellipsoidCombo.setCurrentIndex(-1);
    }
    QComboBox& commCombo = namedControl<QComboBox>(dialog, QStringLiteral("CommCombo"));
    for (std::size_t row = 1; row < formats.size(); ++row) {
        commCombo.addItem(formats[row].Text);
    }
}

void addEllipsoidComboRow(QComboBox& combo, int row, const QString& name)
{
    if (row == FirstUserRow) {
        combo.addItem(EllipsoidSeparator);
    }
    combo.addItem(name);
}

void lockEllipsoidList(QWidget& dialog)
{
    QComboBox& combo = namedControl<QComboBox>(dialog, QStringLiteral("EllipsoidCombo"));
    QPalette palette = combo.palette();
    palette.setColor(QPalette::Base, kLockedGrey);
    palette.setColor(QPalette::Button, kLockedGrey);
    combo.setPalette(palette);
    combo.setEnabled(false);
}

AgnavJobSettings agnavControlValues(const QWidget& dialog)
{
    AgnavJobSettings v;
    v.CoordSystem = optionItem(dialog, QStringLiteral("CoordOption"));
    v.Units = optionItem(dialog, QStringLiteral("UnitsOption"));
    v.MaxXTrack = numberText(dialog, QStringLiteral("XTrackText"));
    v.NumAircraft = position(dialog, QStringLiteral("AircraftCombo"));
    v.SpraySide = position(dialog, QStringLiteral("SpraySideCombo"));
    v.BoomsOn = position(dialog, QStringLiteral("BoomsOnCombo"));
    v.RaceTrack = numberText(dialog, QStringLiteral("RaceText"));
    v.SkipTrack = numberText(dialog, QStringLiteral("SkipText"));
    v.MagVar = typedNumberText(signedMagneticVariation(text(dialog, QStringLiteral("MagVarText")),
        namedControl<QLabel>(dialog, QStringLiteral("DirectionLabel")).text()));
    v.LagTime = numberText(dialog, QStringLiteral("LagText"));
    v.RelayOn = numberText(dialog, QStringLiteral("RelayOnText"));
    v.RelayOff = numberText(dialog, QStringLiteral("RelayOffText"));
    const int ellipsoid = position(dialog, QStringLiteral("EllipsoidCombo"));
    v.Ellipsoid = ellipsoid > EllipsoidSeparatorPosition ? ellipsoid - 1 : ellipsoid;
    v.EllipsoidAxis = numberText(dialog, QStringLiteral("AxisText"));
    v.EllipsoidFlattening = numberText(dialog, QStringLiteral("EccentricityText"));
    v.Communication = position(dialog, QStringLiteral("CommCombo"));
    v.LineNum = numberText(dialog, QStringLiteral("LineNumText"));
    v.LineDirection = numberText(dialog, QStringLiteral("LineDirectionText"));
    v.SwathWidth = numberText(dialog, QStringLiteral("SwathWidthText"));
    v.Offset = optionItem(dialog, QStringLiteral("OffsetOption"));
    return v;
}

void showAgnavControlValues(QWidget& dialog, const AgnavJobSettings& v)
{
    // The units go before the cross-track: their switch converts the old
    // text, which the stored one then replaces.
    selectOption(dialog, QStringLiteral("CoordOption"), v.CoordSystem);
    selectOption(dialog, QStringLiteral("UnitsOption"), v.Units);
    setText(dialog, QStringLiteral("XTrackText"), v.MaxXTrack);
    setPosition(dialog, QStringLiteral("AircraftCombo"), v.NumAircraft);
    setPosition(dialog, QStringLiteral("SpraySideCombo"), v.SpraySide);
    setPosition(dialog, QStringLiteral("BoomsOnCombo"), v.BoomsOn);
    setText(dialog, QStringLiteral("RaceText"), v.RaceTrack);
    setText(dialog, QStringLiteral("SkipText"), v.SkipTrack);
    showMagneticVariation(dialog, v.MagVar);
    setText(dialog, QStringLiteral("LagText"), Format(v.LagTime, QStringLiteral("0.00")));
    setText(dialog, QStringLiteral("RelayOnText"), Format(v.RelayOn, QStringLiteral("0.00")));
    setText(dialog, QStringLiteral("RelayOffText"), Format(v.RelayOff, QStringLiteral("0.00")));
    setPosition(dialog, QStringLiteral("CommCombo"), v.Communication);
    setText(dialog, QStringLiteral("LineNumText"), v.LineNum);
    setText(dialog, QStringLiteral("LineDirectionText"), Format(v.LineDirection, QStringLiteral("0")));
    setText(dialog, QStringLiteral("SwathWidthText"), v.SwathWidth);
    selectOption(dialog, QStringLiteral("OffsetOption"), v.Offset);
}

void showMagneticVariation(QWidget& dialog, const QString& signedText)
{
    const AgnavFieldCheck check = checkAgnavField(AgnavField::MagVar, signedText, AgnavDialog::Job);
    setText(dialog, QStringLiteral("MagVarText"), check.valid ? check.text : signedText);
    namedControl<QLabel>(dialog, QStringLiteral("DirectionLabel"))
        .setText(check.valid ? check.direction : QString());
}

void LoadAGNAVDefaults(QWidget& dialog)
{
    loadAgnavSection(dialog, AgnavDefaultSection);
}

void loadAgnavSection(QWidget& dialog, const QString& section)
{
    showAgnavControlValues(dialog, readAgnavJobSettings(section));
}

void SaveAGNAVDefaults(QWidget& dialog, const QString& section)
{
    writeAgnavJobSettings(section, agnavControlValues(dialog));
}
