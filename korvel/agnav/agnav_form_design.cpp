// The controls of "AG-NAV Properties" and their wiring. The job values run
// down the left column; the ellipsoid, the Delta shifts, the serial format
// and the "Default Guidance" frame down the right; the buttons below.
#include "korvel/agnav/agnav_form.h"

#include "korvel/agnav/agnav_job_controls.h"
#include "platform/vb_fonts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Layout in pixels.
constexpr int kRowPitch = 26;
constexpr int kTop = 10;
constexpr int kLeftCaption = 8;
constexpr int kLeftField = 112;
constexpr int kRightCaption = 300;
constexpr int kRightField = 404;
constexpr int kCaptionWidth = 100;
constexpr int kRowHeight = 21;
constexpr int kShortBox = 60;
constexpr int kUnitGap = 6;
constexpr int kButtonWidth = 81;
constexpr int kButtonHeight = 23;
constexpr int kDialogWidth = 580;
constexpr int kDialogHeight = 392;

int rowTop(int row)
{
    return kTop + row * kRowPitch;
}

QLabel* caption(QWidget* parent, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y + 3, kCaptionWidth, kRowHeight - 4);
    return label;
}

QLabel* unit(QWidget* parent, const QString& text, const QWidget& beside)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(beside.geometry().right() + kUnitGap, beside.y() + 3, 30, kRowHeight - 4);
    return label;
}

void unitLabel(ControlArray<QLabel>& labels, int index, QLabel* label)
{
    label->setObjectName(labels.elementName(index));
    labels.setElement(index, label);
}

QLineEdit* textBox(
    QWidget* parent, const QString& name, int x, int y, int width, const QString& text = QString())
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setGeometry(x, y, width, kRowHeight);
    return box;
}

QComboBox* list(
    QWidget* parent, const QString& name, int x, int y, int width, const QStringList& entries = {})
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setGeometry(x, y, width, kRowHeight);
    combo->addItems(entries);
    return combo;
}

// An option pair in a holder of its own, so that the pairs do not exclude
// each other.
void optionPair(QWidget* parent, ControlArray<QRadioButton>& options, const QString& first,
    const QString& second, int x, int y)
{
    auto* holder = new QWidget(parent);
    holder->setGeometry(x, y, 180, kRowHeight);
    const QString captions[] = { first, second };
    for (int i = 1; i <= 2; ++i) {
        auto* option = new QRadioButton(captions[i - 1], holder);
        option->setObjectName(options.elementName(i));
        option->setGeometry((i - 1) * 90, 0, 88, kRowHeight);
        options.setElement(i, option);
    }
}

} // namespace

AGNAVForm::AGNAVForm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AGNAVForm"));
    setWindowTitle(QStringLiteral("AG-NAV Properties"));
    setWindowFlags(
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(vbFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(kDialogWidth, kDialogHeight);
    createControls();
    connectControls();
}

void AGNAVForm::createControls()
{
    createJobColumn();
    createEllipsoidColumn();
    createGuidanceFrame();
    createButtons();
}

void AGNAVForm::createJobColumn()
{
    caption(this, QStringLiteral("Area Name:"), kLeftCaption, rowTop(0));
    NameText
        = textBox(this, QStringLiteral("NameText"), kLeftField, rowTop(0), 170, QStringLiteral("NEW AREA"));
    caption(this, QStringLiteral("Coord System:"), kLeftCaption, rowTop(1));
    optionPair(this, CoordOption, QStringLiteral("Lat/Long"), QStringLiteral("UTM"), kLeftField, rowTop(1));
    caption(this, QStringLiteral("Units:"), kLeftCaption, rowTop(2));
    optionPair(this, UnitsOption, QStringLiteral("U.S."), QStringLiteral("Metric"), kLeftField, rowTop(2));
    // The design starts on metric, the unit the cross-track is shown in.
    UnitsOption[2].setChecked(true);
    caption(this, QStringLiteral("Max X-Track:"), kLeftCaption, rowTop(3));
    XTrackText = textBox(
        this, QStringLiteral("XTrackText"), kLeftField, rowTop(3), kShortBox, QStringLiteral("100"));
    XTrackText->setMaxLength(6);
    unitLabel(UnitLabel, 1, unit(this, QStringLiteral("m"), *XTrackText));

    caption(this, QStringLiteral("No. of Aircraft:"), kLeftCaption, rowTop(4));
    QStringList aircraft;
    for (int n = 1; n <= 10; ++n) {
        aircraft << QString::number(n);
    }
    AircraftCombo = list(this, QStringLiteral("AircraftCombo"), kLeftField, rowTop(4), kShortBox, aircraft);
    caption(this, QStringLiteral("Spray Side:"), kLeftCaption, rowTop(5));
    SpraySideCombo = list(this, QStringLiteral("SpraySideCombo"), kLeftField, rowTop(5), 100,
        { QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Center") });
    caption(this, QStringLiteral("Booms On:"), kLeftCaption, rowTop(6));
    BoomsOnCombo = list(this, QStringLiteral("BoomsOnCombo"), kLeftField, rowTop(6), 140,
        { QStringLiteral("Inside Area"), QStringLiteral("Closure of Contact"),
            QStringLiteral("Opening of Contact") });

    caption(this, QStringLiteral("Race Track:"), kLeftCaption, rowTop(7));
    RaceText = textBox(this, QStringLiteral("RaceText"), kLeftField, rowTop(7), kShortBox);
    RaceText->setMaxLength(5);
    caption(this, QStringLiteral("Skip Track:"), kLeftCaption, rowTop(8));
    SkipText = textBox(this, QStringLiteral("SkipText"), kLeftField, rowTop(8), kShortBox);
    SkipText->setMaxLength(5);
    caption(this, QStringLiteral("Mag. Variation:"), kLeftCaption, rowTop(9));
    MagVarText = textBox(this, QStringLiteral("MagVarText"), kLeftField, rowTop(9), kShortBox);
    MagVarText->setMaxLength(6);
    DirectionLabel = unit(this, QString(), *MagVarText);
    DirectionLabel->setObjectName(QStringLiteral("DirectionLabel"));

    caption(this, QStringLiteral("System Lag:"), kLeftCaption, rowTop(10));
    LagText = textBox(this, QStringLiteral("LagText"), kLeftField, rowTop(10), kShortBox);
    LagText->setMaxLength(6);
    unit(this, QStringLiteral("sec"), *LagText);
    caption(this, QStringLiteral("Relay On:"), kLeftCaption, rowTop(11));
    RelayOnText = textBox(this, QStringLiteral("RelayOnText"), kLeftField, rowTop(11), 50);
    RelayOnText->setMaxLength(6);
    auto* off = new QLabel(QStringLiteral("Off:"), this);
    off->setGeometry(RelayOnText->geometry().right() + kUnitGap, rowTop(11) + 3, 24, kRowHeight - 4);
    RelayOffText = textBox(this, QStringLiteral("RelayOffText"), off->geometry().right() + 2, rowTop(11), 50);
    RelayOffText->setMaxLength(6);
    unit(this, QStringLiteral("sec"), *RelayOffText);
}

void AGNAVForm::createEllipsoidColumn()
{
    caption(this, QStringLiteral("Ellipsoid:"), kRightCaption, rowTop(0));
    EllipsoidCombo = list(this, QStringLiteral("EllipsoidCombo"), kRightField, rowTop(0), 150);
    caption(this, QStringLiteral("Semi-Major Axis:"), kRightCaption, rowTop(1));
    AxisText = textBox(this, QStringLiteral("AxisText"), kRightField, rowTop(1), 100);
    EllipsoidSave = new QPushButton(QStringLiteral("Save"), this);
    EllipsoidSave->setObjectName(QStringLiteral("EllipsoidSave"));
    EllipsoidSave->setGeometry(AxisText->geometry().right() + kUnitGap, rowTop(1), 54, kButtonHeight);
    EllipsoidSave->hide();
    caption(this, QStringLiteral("Flattening:"), kRightCaption, rowTop(2));
    EccentricityText = textBox(this, QStringLiteral("EccentricityText"), kRightField, rowTop(2), 100);

    caption(this, QStringLiteral("Delta X/Y/Z:"), kRightCaption, rowTop(3));
    for (int i = 1; i <= 3; ++i) {
        DeltaText.setElement(i,
            textBox(this, DeltaText.elementName(i), kRightField + (i - 1) * 52, rowTop(3), 48,
                QStringLiteral("0")));
    }
    caption(this, QStringLiteral("Communication:"), kRightCaption, rowTop(4));
    CommCombo = list(this, QStringLiteral("CommCombo"), kRightField, rowTop(4), 150);
}

void AGNAVForm::createGuidanceFrame()
{
    GuidanceFrame = new QGroupBox(QStringLiteral("Default Guidance"), this);
    GuidanceFrame->setObjectName(QStringLiteral("GuidanceFrame"));
    GuidanceFrame->setGeometry(kRightCaption - 4, rowTop(5) + 4, kDialogWidth - kRightCaption - 4, 160);
    auto* note = new QLabel(
        QStringLiteral("These values will only be used if no guidance lines are digitized."), GuidanceFrame);
    note->setWordWrap(true);
    note->setGeometry(8, 18, GuidanceFrame->width() - 16, 30);

    const int captionX = 8;
    const int fieldX = kRightField - GuidanceFrame->x();
    const auto frameRow = [](int row) { return 52 + row * kRowPitch; };
    caption(GuidanceFrame, QStringLiteral("No. of Lines:"), captionX, frameRow(0));
    LineNumText = textBox(GuidanceFrame, QStringLiteral("LineNumText"), fieldX, frameRow(0), kShortBox);
    LineNumText->setMaxLength(6);
    caption(GuidanceFrame, QStringLiteral("Direction:"), captionX, frameRow(1));
    LineDirectionText
        = textBox(GuidanceFrame, QStringLiteral("LineDirectionText"), fieldX, frameRow(1), kShortBox);
    LineDirectionText->setMaxLength(6);
    unitLabel(UnitLabel, 0, unit(GuidanceFrame, QStringLiteral("\u00B0"), *LineDirectionText));
    caption(GuidanceFrame, QStringLiteral("Swath Width:"), captionX, frameRow(2));
    SwathWidthText = textBox(GuidanceFrame, QStringLiteral("SwathWidthText"), fieldX, frameRow(2), kShortBox);
    SwathWidthText->setMaxLength(6);
    unitLabel(UnitLabel, 2, unit(GuidanceFrame, QStringLiteral("m"), *SwathWidthText));
    caption(GuidanceFrame, QStringLiteral("Line Offset:"), captionX, frameRow(3));
    optionPair(GuidanceFrame, OffsetOption, QStringLiteral("Half Swath"), QStringLiteral("None"), fieldX,
        frameRow(3));
}

void AGNAVForm::createButtons()
{
    constexpr int top = kDialogHeight - kButtonHeight - 12;
    const auto button = [this](const QString& text, const QString& name, int index) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(kDialogWidth - (3 - index) * (kButtonWidth + 8) - 4, top, kButtonWidth, kButtonHeight);
        return b;
    };
    PreviousButton = button(QStringLiteral("Previous"), QStringLiteral("PreviousButton"), 0);
    DefaultsButton = button(QStringLiteral("Defaults"), QStringLiteral("DefaultsButton"), 1);
    AcceptButton = button(QStringLiteral("Accept"), QStringLiteral("AcceptButton"), 2);
    AcceptButton->setDefault(true);
}

void AGNAVForm::connectControls()
{
    connect(PreviousButton, &QPushButton::clicked, this, [this] { PreviousButton_Click(); });
    connect(DefaultsButton, &QPushButton::clicked, this, [this] { DefaultsButton_Click(); });
    connect(AcceptButton, &QPushButton::clicked, this, [this] { AcceptButton_Click(); });
    connect(EllipsoidSave, &QPushButton::clicked, this, [this] { EllipsoidSave_Click(); });
    connect(EllipsoidCombo, &QComboBox::currentIndexChanged, this, [this] { EllipsoidCombo_Click(); });
    connect(AxisText, &QLineEdit::textChanged, this, [this] { AxisText_Change(); });
    connect(EccentricityText, &QLineEdit::textChanged, this, [this] { EccentricityText_Change(); });
    for (int i = 1; i <= 2; ++i) {
        connect(&UnitsOption[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                UnitsOption_Click(i);
            }
        });
    }
    connectAgnavFieldFocus(*this, [this](AgnavField field) { FieldBox_LostFocus(field); });
}
