// The preferences' "AG-NAV" tab: the shared AG-NAV job controls
// (agnav_job_controls.h) with the preferences' warnings ("Default ..."),
// the units switch of both the cross-track and the swath width, and user
// ellipsoids that join the tab's list at once.
#include "korvel/agnav/agnav_job_controls.h"
#include "korvel/prefs/pref_form.h"
#include "platform/msg_box.h"
#include "platform/vb_error.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

void showError(const VbError& error)
{
    MsgBox(QStringLiteral("Error: ") + error.Description(), vbExclamation);
}

} // namespace

void PrefForm::connectAgnavControls()
{
    connect(EllipsoidCombo, &QComboBox::currentIndexChanged, this, [this] { EllipsoidCombo_Click(); });
    connect(AxisText, &QLineEdit::textChanged, this, [this] { AxisText_Change(); });
    connect(EccentricityText, &QLineEdit::textChanged, this, [this] { EccentricityText_Change(); });
    connect(EllipsoidSave, &QPushButton::clicked, this, [this] { EllipsoidSave_Click(); });
    connectAgnavFieldFocus(*this, [this](AgnavField field) { FieldBox_LostFocus(field); });
}

void PrefForm::EllipsoidCombo_Click()
{
    try {
        ShowEllipsoid(*this, AGNAVEllipsoids, AxisConfirmed, FlatteningConfirmed);
    } catch (const VbError& error) {
        showError(error);
    }
}

void PrefForm::AxisText_Change()
{
    if (Loaded) {
        EllipsoidSave->show();
    }
    AxisConfirmed = false;
}

void PrefForm::EccentricityText_Change()
{
    if (Loaded) {
        EllipsoidSave->show();
    }
    FlatteningConfirmed = false;
}

void PrefForm::EllipsoidSave_Click()
{
    saveUserEllipsoid(*this, AGNAVEllipsoids, true);
}

void PrefForm::UnitsOption_Click(int Index)
{
    switchAgnavUnits(*this, Index == 1, true);
}

void PrefForm::FieldBox_LostFocus(AgnavField Field)
{
    bool* rangeConfirmed = Field == AgnavField::EllipsoidAxis ? &AxisConfirmed
        : Field == AgnavField::EllipsoidFlattening            ? &FlatteningConfirmed
                                                              : nullptr;
    checkAgnavFieldBox(*this, Field, AgnavDialog::Preferences, rangeConfirmed);
}
