// The controls of "AG-NAV Properties" and their wiring: the area name on
// top, the shared job controls below it (agnav_job_control_set.h), the
// buttons at the bottom.
#include "korvel/agnav/agnav_form.h"

#include "korvel/agnav/agnav_job_controls.h"
#include "platform/form_design_kit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Layout in pixels.
constexpr int kTop = 10;
constexpr int kButtonWidth = 81;
constexpr int kButtonHeight = 23;
constexpr int kDialogWidth = 580;
constexpr int kDialogHeight = 392;

} // namespace

AGNAVForm::AGNAVForm(QWidget* parent)
    : QDialog(parent)
{
    designFixedDialog(*this, QStringLiteral("AGNAVForm"), QStringLiteral("AG-NAV Properties"));
    setFixedSize(kDialogWidth, kDialogHeight);
    createControls();
    connectControls();
}

void AGNAVForm::createControls()
{
    designCaption(*this, QStringLiteral("Area Name:"), AgnavLeftCaption, kTop + 3);
    NameText = designTextBox(
        *this, QStringLiteral("NameText"), AgnavLeftField, kTop, 170, QStringLiteral("NEW AREA"));
    createAgnavJobControls(*this, *this, { kTop + AgnavRowPitch, kTop });
    createButtons();
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
