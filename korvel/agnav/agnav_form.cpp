#include "korvel/agnav/agnav_form.h"

#include "korvel/agnav/agnav_job_controls.h"
#include "korvel/agnav/agnav_job_filling.h"
#include "korvel/agnav/boundary_file_writer.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/program_globals.h"
#include "platform/msg_box.h"
#include "platform/single_form.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

SingleForm<AGNAVForm> g_form;

void showError(const VbError& error)
{
    MsgBox(QStringLiteral("Error: ") + error.Description(), vbExclamation);
}

} // namespace

AGNAVForm& AGNAVForm::instance()
{
    return g_form.instance([] { return new AGNAVForm(MainForm::existing()); });
}

void AGNAVForm::release()
{
    g_form.release();
}

AGNAVForm::~AGNAVForm() = default;

void AGNAVForm::showEvent(QShowEvent* event)
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QDialog::showEvent(event);
}

void AGNAVForm::Form_Load()
{
    try {
        fillAgnavJobLists(*this, EllipsoidList, SerialFormats);
        EllipsoidCombo->setCurrentIndex(Wgs84Row);
        selectMapEllipsoid();
        lockEllipsoidList(*this);
        PreviousButton_Click();
        // The map's system, whatever the previous job used.
        CoordOption[globals().UTMMode ? 2 : 1].setChecked(true);
    } catch (const VbError& error) {
        showError(error);
    }
    FormLoaded = true;
}

void AGNAVForm::selectMapEllipsoid()
{
    const EllipsoidRecord& map = globals().Ellipsoid;
    if (const std::optional<int> row = matchingEllipsoidRow(EllipsoidList, map.Axis, map.InverseFlattening)) {
        EllipsoidCombo->setCurrentIndex(ellipsoidPositionOfRow(*row, int(EllipsoidList.size())));
    }
}

void AGNAVForm::PreviousButton_Click()
{
    try {
        loadAgnavSection(*this, AgnavPreviousSection);
    } catch (const VbError& error) {
        showError(error);
    }
}

void AGNAVForm::DefaultsButton_Click()
{
    try {
        LoadAGNAVDefaults(*this);
    } catch (const VbError& error) {
        showError(error);
    }
}

void AGNAVForm::EllipsoidCombo_Click()
{
    try {
        ShowEllipsoid(*this, EllipsoidList, AxisAccepted, FlatteningAccepted);
    } catch (const VbError& error) {
        showError(error);
    }
}

void AGNAVForm::AxisText_Change()
{
    if (FormLoaded) {
        EllipsoidSave->show();
    }
    AxisAccepted = false;
}

void AGNAVForm::EccentricityText_Change()
{
    if (FormLoaded) {
        EllipsoidSave->show();
    }
    FlatteningAccepted = false;
}

void AGNAVForm::EllipsoidSave_Click()
{
    // The new row is listed from the next opening on; this job keeps its ellipsoid.
    saveUserEllipsoid(*this, EllipsoidList, false);
}

void AGNAVForm::UnitsOption_Click(int Index)
{
    switchAgnavUnits(*this, Index == 1, false);
}

void AGNAVForm::FieldBox_LostFocus(AgnavField Field)
{
    bool* rangeAccepted = Field == AgnavField::EllipsoidAxis ? &AxisAccepted
        : Field == AgnavField::EllipsoidFlattening           ? &FlatteningAccepted
                                                             : nullptr;
    checkAgnavFieldBox(*this, Field, AgnavDialog::Job, rangeAccepted);
}

void AGNAVForm::AcceptButton_Click()
{
    try {
        if (checkAllAgnavFields(*this, AgnavDialog::Job, AxisAccepted, FlatteningAccepted) && writeJob()) {
            accept();
        }
    } catch (const VbError& error) {
        showError(error);
    }
}

bool AGNAVForm::writeJob()
{
    AgnavJobEntries entries;
    entries.AreaName = NameText->text();
    entries.Values = agnavControlValues(*this);
    entries.EllipsoidPosition = EllipsoidCombo->currentIndex();
    entries.AxisText = typedNumberText(AxisText->text());
    entries.FlatteningText = typedNumberText(EccentricityText->text());
    entries.DeltaX = typedNumberText(DeltaText[1].text());
    entries.DeltaY = typedNumberText(DeltaText[2].text());
    entries.DeltaZ = typedNumberText(DeltaText[3].text());
    AGNAVJob job = jobFromEntries(entries, EllipsoidList, SerialFormats);

    // The block takes the job only once its file is written: a job that
    // cannot be written leaves the block as it came.
    const int b = agnavData().BlockCount;
    AGNAVBlock block = blockAt(b);
    applyJobToBlock(job, block);
    const AgnavOutcome written = writeBoundaryFile(job, block);
    if (!written.isDone()) {
        MsgBox(written.message(), vbExclamation);
        return false;
    }
    blockAt(b) = std::move(block);
    Job = job;
    try {
        SaveAGNAVDefaults(*this, AgnavPreviousSection);
    } catch (const VbError& error) {
        showError(error); // the file is written; only the next job's start is lost
    }
    return true;
}
