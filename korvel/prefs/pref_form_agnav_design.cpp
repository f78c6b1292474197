// The AG-NAV tab of "KORVEL Preferences": the defaults of new AG-NAV block
// files, with the controls of the job dialog under the same names, so the
// shared routines of agnav_job_controls.h serve both. The job values run
// down the left column; the ellipsoid, the Delta shifts, the serial format
// and the "Default Guidance" frame down the right.
#include "korvel/prefs/pref_form.h"

#include "korvel/prefs/pref_form_design_kit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

constexpr int kRowPitch = 26;
constexpr int kTop = 20;
constexpr int kLeftCaption = 10;
constexpr int kLeftField = 110;
constexpr int kRightCaption = 300;
constexpr int kRightField = 400;
constexpr int kShortBox = 60;
constexpr int kUnitGap = 6;

int rowTop(int row)
{
    return kTop + row * kRowPitch;
}

QLabel* unitBeside(QWidget& parent, const QString& text, const QWidget& box)
{
    QLabel* label = designCaption(parent, text, box.geometry().right() + kUnitGap, box.y() + 3);
    label->resize(std::max(label->width(), 24), label->height()); // room for "ft"
    return label;
}

void unitLabel(ControlArray<QLabel>& labels, int index, QLabel* label)
{
    label->setObjectName(labels.elementName(index));
    labels.setElement(index, label);
}

QLineEdit* limitedBox(QWidget& parent, const QString& name, int x, int y, int width, int length)
{
    QLineEdit* box = designTextBox(parent, name, x, y, width);
    box->setMaxLength(length);
    return box;
}

} // namespace

void PrefForm::createAgnavTab(QGroupBox& frame)
{
    createAgnavJobColumn(frame);
    createAgnavEllipsoidColumn(frame);
    createAgnavGuidanceFrame(frame);
}

void PrefForm::createAgnavJobColumn(QGroupBox& frame)
{
    designCaption(frame, QStringLiteral("Coord System:"), kLeftCaption, rowTop(0) + 3);
    designOptionPair(frame, CoordOption, QStringLiteral("Lat/Long"), QStringLiteral("UTM"), kLeftField, rowTop(0));
    designCaption(frame, QStringLiteral("Units:"), kLeftCaption, rowTop(1) + 3);
    designOptionPair(frame, UnitsOption, QStringLiteral("U.S."), QStringLiteral("Metric"), kLeftField, rowTop(1));
    // Metric to start with: the unit the cross-track and swath are shown in.
    UnitsOption[2].setChecked(true);
    designCaption(frame, QStringLiteral("Max X-Track:"), kLeftCaption, rowTop(2) + 3);
    XTrackText = limitedBox(frame, QStringLiteral("XTrackText"), kLeftField, rowTop(2), kShortBox, 6);
    unitLabel(UnitLabel, 1, unitBeside(frame, QStringLiteral("m"), *XTrackText));

    QStringList aircraft;
    for (int n = 1; n <= 10; ++n) {
        aircraft << QString::number(n);
    }
    designCaption(frame, QStringLiteral("No. of Aircraft:"), kLeftCaption, rowTop(3) + 3);
    AircraftCombo = designCombo(frame, QStringLiteral("AircraftCombo"), kLeftField, rowTop(3), kShortBox, aircraft);
    designCaption(frame, QStringLiteral("Spray Side:"), kLeftCaption, rowTop(4) + 3);
    SpraySideCombo = designCombo(frame, QStringLiteral("SpraySideCombo"), kLeftField, rowTop(4), 100,
        { QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Center") });
    designCaption(frame, QStringLiteral("Booms On:"), kLeftCaption, rowTop(5) + 3);
    BoomsOnCombo = designCombo(frame, QStringLiteral("BoomsOnCombo"), kLeftField, rowTop(5), 140,
        { QStringLiteral("Inside Area"), QStringLiteral("Closure of Contact"),
            QStringLiteral("Opening of Contact") });

    designCaption(frame, QStringLiteral("Race Track:"), kLeftCaption, rowTop(6) + 3);
    RaceText = limitedBox(frame, QStringLiteral("RaceText"), kLeftField, rowTop(6), kShortBox, 5);
    designCaption(frame, QStringLiteral("Skip Track:"), kLeftCaption, rowTop(7) + 3);
    SkipText = limitedBox(frame, QStringLiteral("SkipText"), kLeftField, rowTop(7), kShortBox, 5);
    designCaption(frame, QStringLiteral("Mag. Variation:"), kLeftCaption, rowTop(8) + 3);
    MagVarText = limitedBox(frame, QStringLiteral("MagVarText"), kLeftField, rowTop(8), kShortBox, 6);
    DirectionLabel = unitBeside(frame, QStringLiteral("E"), *MagVarText);
    DirectionLabel->setObjectName(QStringLiteral("DirectionLabel"));
    DirectionLabel->resize(20, DirectionLabel->height());

    designCaption(frame, QStringLiteral("System Lag:"), kLeftCaption, rowTop(9) + 3);
    LagText = limitedBox(frame, QStringLiteral("LagText"), kLeftField, rowTop(9), kShortBox, 6);
    unitBeside(frame, QStringLiteral("sec"), *LagText);
    designCaption(frame, QStringLiteral("Relay On:"), kLeftCaption, rowTop(10) + 3);
    RelayOnText = limitedBox(frame, QStringLiteral("RelayOnText"), kLeftField, rowTop(10), 50, 6);
    QLabel* off = unitBeside(frame, QStringLiteral("Off:"), *RelayOnText);
    RelayOffText = limitedBox(frame, QStringLiteral("RelayOffText"), off->geometry().right() + 4, rowTop(10), 50, 6);
    unitBeside(frame, QStringLiteral("sec"), *RelayOffText);
}

void PrefForm::createAgnavEllipsoidColumn(QGroupBox& frame)
{
    designCaption(frame, QStringLiteral("Ellipsoid:"), kRightCaption, rowTop(0) + 3);
    EllipsoidCombo = designCombo(frame, QStringLiteral("EllipsoidCombo"), kRightField, rowTop(0), 160);
    designCaption(frame, QStringLiteral("Semi-Major Axis:"), kRightCaption, rowTop(1) + 3);
    AxisText = designTextBox(frame, QStringLiteral("AxisText"), kRightField, rowTop(1), 100);
    EllipsoidSave = new QPushButton(QStringLiteral("Save"), &frame);
    EllipsoidSave->setObjectName(QStringLiteral("EllipsoidSave"));
    EllipsoidSave->setGeometry(AxisText->geometry().right() + kUnitGap, rowTop(1), 54, 23);
    EllipsoidSave->hide();
    designCaption(frame, QStringLiteral("Flattening:"), kRightCaption, rowTop(2) + 3);
    EccentricityText = designTextBox(frame, QStringLiteral("EccentricityText"), kRightField, rowTop(2), 100);

    designCaption(frame, QStringLiteral("Delta X/Y/Z:"), kRightCaption, rowTop(3) + 3);
    for (int i = 1; i <= 3; ++i) {
        DeltaText.setElement(i,
            designTextBox(frame, DeltaText.elementName(i), kRightField + (i - 1) * 52, rowTop(3), 48,
                QStringLiteral("0")));
    }
    designCaption(frame, QStringLiteral("Communication:"), kRightCaption, rowTop(4) + 3);
    CommCombo = designCombo(frame, QStringLiteral("CommCombo"), kRightField, rowTop(4), 160);
}

void PrefForm::createAgnavGuidanceFrame(QGroupBox& frame)
{
    GuidanceFrame = new QGroupBox(QStringLiteral("Default Guidance"), &frame);
    GuidanceFrame->setObjectName(QStringLiteral("GuidanceFrame"));
    GuidanceFrame->setGeometry(kRightCaption - 6, rowTop(5) + 4, frame.width() - kRightCaption, 164);
    auto* note = new QLabel(
        QStringLiteral("These values will only be used if no guidance lines are digitized."), GuidanceFrame);
    note->setWordWrap(true);
    note->setGeometry(8, 18, GuidanceFrame->width() - 16, 30);

    const int fieldX = kRightField - GuidanceFrame->x();
    const auto frameRow = [](int row) { return 52 + row * kRowPitch; };
    designCaption(*GuidanceFrame, QStringLiteral("No. of Lines:"), 8, frameRow(0) + 3);
    LineNumText = limitedBox(*GuidanceFrame, QStringLiteral("LineNumText"), fieldX, frameRow(0), kShortBox, 6);
    designCaption(*GuidanceFrame, QStringLiteral("Direction:"), 8, frameRow(1) + 3);
    LineDirectionText
        = limitedBox(*GuidanceFrame, QStringLiteral("LineDirectionText"), fieldX, frameRow(1), kShortBox, 6);
    unitLabel(UnitLabel, 0, unitBeside(*GuidanceFrame, QStringLiteral("\u00B0"), *LineDirectionText));
    designCaption(*GuidanceFrame, QStringLiteral("Swath Width:"), 8, frameRow(2) + 3);
    SwathWidthText
        = limitedBox(*GuidanceFrame, QStringLiteral("SwathWidthText"), fieldX, frameRow(2), kShortBox, 6);
    unitLabel(UnitLabel, 2, unitBeside(*GuidanceFrame, QStringLiteral("m"), *SwathWidthText));
    designCaption(*GuidanceFrame, QStringLiteral("Line Offset:"), 8, frameRow(3) + 3);
    designOptionPair(*GuidanceFrame, OffsetOption, QStringLiteral("Half Swath"), QStringLiteral("None"), fieldX,
        frameRow(3));
}
