#include "korvel/agnav/agnav_job_control_set.h"

#include "platform/form_design_kit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

constexpr int kRightCaption = 300;
constexpr int kRightField = 400;
constexpr int kShortBox = 60;
constexpr int kUnitGap = 6;
constexpr int kButtonHeight = 23;
constexpr int kGuidanceFrameHeight = 162;

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

// A caption and the top of its row.
int row(QWidget& parent, int top, int index, const QString& caption, int x)
{
    const int y = top + index * AgnavRowPitch;
    designCaption(parent, caption, x, y + 3);
    return y;
}

void createJobColumn(QWidget& parent, AgnavJobControlSet& set, int top)
{
    const auto left = [&](int index, const QString& caption) {
        return row(parent, top, index, caption, AgnavLeftCaption);
    };
    int y = left(0, QStringLiteral("Coord System:"));
    designOptionPair(
        parent, set.CoordOption, QStringLiteral("Lat/Long"), QStringLiteral("UTM"), AgnavLeftField, y);
    y = left(1, QStringLiteral("Units:"));
    designOptionPair(
        parent, set.UnitsOption, QStringLiteral("U.S."), QStringLiteral("Metric"), AgnavLeftField, y);
    // Metric to start with: the unit the cross-track and swath are shown in.
    set.UnitsOption[2].setChecked(true);
    y = left(2, QStringLiteral("Max X-Track:"));
    set.XTrackText = limitedBox(parent, QStringLiteral("XTrackText"), AgnavLeftField, y, kShortBox, 6);
    unitLabel(set.UnitLabel, 1, unitBeside(parent, QStringLiteral("m"), *set.XTrackText));

    QStringList aircraft;
    for (int n = 1; n <= 10; ++n) {
        aircraft << QString::number(n);
    }
    y = left(3, QStringLiteral("No. of Aircraft:"));
    set.AircraftCombo
        = designCombo(parent, QStringLiteral("AircraftCombo"), AgnavLeftField, y, kShortBox, aircraft);
    y = left(4, QStringLiteral("Spray Side:"));
    set.SpraySideCombo = designCombo(parent, QStringLiteral("SpraySideCombo"), AgnavLeftField, y, 100,
        { QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Center") });
    y = left(5, QStringLiteral("Booms On:"));
    set.BoomsOnCombo = designCombo(parent, QStringLiteral("BoomsOnCombo"), AgnavLeftField, y, 140,
        { QStringLiteral("Inside Area"), QStringLiteral("Closure of Contact"),
            QStringLiteral("Opening of Contact") });

    y = left(6, QStringLiteral("Race Track:"));
    set.RaceText = limitedBox(parent, QStringLiteral("RaceText"), AgnavLeftField, y, kShortBox, 5);
    y = left(7, QStringLiteral("Skip Track:"));
    set.SkipText = limitedBox(parent, QStringLiteral("SkipText"), AgnavLeftField, y, kShortBox, 5);
    y = left(8, QStringLiteral("Mag. Variation:"));
    set.MagVarText = limitedBox(parent, QStringLiteral("MagVarText"), AgnavLeftField, y, kShortBox, 6);
    set.DirectionLabel = unitBeside(parent, QString(), *set.MagVarText);
    set.DirectionLabel->setObjectName(QStringLiteral("DirectionLabel"));
    set.DirectionLabel->resize(20, set.DirectionLabel->height());

    y = left(9, QStringLiteral("System Lag:"));
    set.LagText = limitedBox(parent, QStringLiteral("LagText"), AgnavLeftField, y, kShortBox, 6);
    unitBeside(parent, QStringLiteral("sec"), *set.LagText);
    y = left(10, QStringLiteral("Relay On:"));
    set.RelayOnText = limitedBox(parent, QStringLiteral("RelayOnText"), AgnavLeftField, y, 50, 6);
    QLabel* off = unitBeside(parent, QStringLiteral("Off:"), *set.RelayOnText);
    set.RelayOffText
        = limitedBox(parent, QStringLiteral("RelayOffText"), off->geometry().right() + 4, y, 50, 6);
    unitBeside(parent, QStringLiteral("sec"), *set.RelayOffText);
}

void createEllipsoidColumn(QWidget& parent, AgnavJobControlSet& set, int top)
{
    const auto right
        = [&](int index, const QString& caption) { return row(parent, top, index, caption, kRightCaption); };
    int y = right(0, QStringLiteral("Ellipsoid:"));
    set.EllipsoidCombo = designCombo(parent, QStringLiteral("EllipsoidCombo"), kRightField, y, 160);
    y = right(1, QStringLiteral("Semi-Major Axis:"));
    set.AxisText = designTextBox(parent, QStringLiteral("AxisText"), kRightField, y, 100);
    set.EllipsoidSave = new QPushButton(QStringLiteral("Save"), &parent);
    set.EllipsoidSave->setObjectName(QStringLiteral("EllipsoidSave"));
    set.EllipsoidSave->setGeometry(set.AxisText->geometry().right() + kUnitGap, y, 54, kButtonHeight);
    set.EllipsoidSave->hide();
    y = right(2, QStringLiteral("Flattening:"));
    set.EccentricityText = designTextBox(parent, QStringLiteral("EccentricityText"), kRightField, y, 100);

    y = right(3, QStringLiteral("Delta X/Y/Z:"));
    for (int i = 1; i <= 3; ++i) {
        set.DeltaText.setElement(i,
            designTextBox(parent, set.DeltaText.elementName(i), kRightField + (i - 1) * 52, y, 48,
                QStringLiteral("0")));
    }
    y = right(4, QStringLiteral("Communication:"));
    set.CommCombo = designCombo(parent, QStringLiteral("CommCombo"), kRightField, y, 160);
}

void createGuidanceFrame(QWidget& parent, AgnavJobControlSet& set, int top)
{
    auto* frame = new QGroupBox(QStringLiteral("Default Guidance"), &parent);
    set.GuidanceFrame = frame;
    frame->setObjectName(QStringLiteral("GuidanceFrame"));
    const int x = kRightCaption - 6;
    frame->setGeometry(x, top + 5 * AgnavRowPitch + 4, parent.width() - 8 - x, kGuidanceFrameHeight);
    auto* note = new QLabel(
        QStringLiteral("These values will only be used if no guidance lines are digitized."), frame);
    note->setWordWrap(true);
    note->setGeometry(8, 18, frame->width() - 16, 30);

    constexpr int kFrameTop = 52;
    const int fieldX = kRightField - x;
    const auto inFrame
        = [&](int index, const QString& caption) { return row(*frame, kFrameTop, index, caption, 8); };
    int y = inFrame(0, QStringLiteral("No. of Lines:"));
    set.LineNumText = limitedBox(*frame, QStringLiteral("LineNumText"), fieldX, y, kShortBox, 6);
    y = inFrame(1, QStringLiteral("Direction:"));
    set.LineDirectionText = limitedBox(*frame, QStringLiteral("LineDirectionText"), fieldX, y, kShortBox, 6);
    unitLabel(set.UnitLabel, 0, unitBeside(*frame, QStringLiteral("\u00B0"), *set.LineDirectionText));
    y = inFrame(2, QStringLiteral("Swath Width:"));
    set.SwathWidthText = limitedBox(*frame, QStringLiteral("SwathWidthText"), fieldX, y, kShortBox, 6);
    unitLabel(set.UnitLabel, 2, unitBeside(*frame, QStringLiteral("m"), *set.SwathWidthText));
    y = inFrame(3, QStringLiteral("Line Offset:"));
    designOptionPair(
        *frame, set.OffsetOption, QStringLiteral("Half Swath"), QStringLiteral("None"), fieldX, y);
}

} // namespace

void createAgnavJobControls(QWidget& parent, AgnavJobControlSet& set, const AgnavJobControlPlace& place)
{
    createJobColumn(parent, set, place.leftTop);
    createEllipsoidColumn(parent, set, place.rightTop);
    createGuidanceFrame(parent, set, place.rightTop);
}
