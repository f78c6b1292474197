#pragma once
// "AG-NAV Properties": the modal dialog in which the user sets the job values
// of a new AG-NAV block, the newest one of Blocks, before its boundary file
// is written. Digitizing a boundary and converting a shapefile polygon open
// it after appending the block:
//
//     AGNAVForm& job = AGNAVForm::instance();
//     const bool accepted = ShowModal(job) == QDialog::Accepted;
//     AGNAVForm::release();
//
// It starts from the user's previous job ("AGNAVPrevious"), the map's
// coordinate system and the listed ellipsoid equal to the map's (WGS-84 when
// none is). Accept checks every field again, writes the boundary file and
// only then gives the block its job values and stores them as the previous
// ones; a file that cannot be written is reported and the dialog stays open.
// Closed any other way it writes nothing and the block stays as it was.
#include "korvel/agnav/agnav_ellipsoid_list.h"
#include "korvel/agnav/agnav_field_checks.h"
#include "korvel/agnav/agnav_job.h"
#include "korvel/agnav/agnav_job_control_set.h"
#include "korvel/agnav/serial_formats.h"
#include "platform/control_array.h"

#include <QDialog>
#include <vector>

class QLineEdit;
class QPushButton;

class AGNAVForm final : public QDialog, public AgnavJobControlSet
{
    Q_OBJECT
public:
    // The dialog, created on first use; it loads when it is first shown.
    static AGNAVForm& instance();
    // Destroys it; the next use starts fresh.
    static void release();

    QLineEdit* NameText = nullptr;
    QPushButton* PreviousButton = nullptr;
    QPushButton* DefaultsButton = nullptr;
    QPushButton* AcceptButton = nullptr;

    // Dialog state, for the life of the dialog.
    std::vector<AGNAVEllipsoid> EllipsoidList; // rows 0..23 built in, then the user's
    std::vector<SerialFormat> SerialFormats; // rows 1..12
    bool FormLoaded = false;
    bool AxisAccepted = false; // the axis shown may stay outside its normal range
    bool FlatteningAccepted = false;
    AGNAVJob Job; // what Accept wrote

    void Form_Load();
    void PreviousButton_Click();
    void DefaultsButton_Click();
    void EllipsoidCombo_Click();
    void AxisText_Change();
    void EccentricityText_Change();
    void EllipsoidSave_Click();
    void UnitsOption_Click(int Index);
    // A field box was left: its check.
    void FieldBox_LostFocus(AgnavField Field);
    void AcceptButton_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    explicit AGNAVForm(QWidget* parent);
    ~AGNAVForm() override;

    // The controls of the design (agnav_form_design.cpp).
    void createControls();
    void createButtons();
    void connectControls();
    void selectMapEllipsoid();
    // The job written and handed to the newest block; false when the file
    // could not be written (shown).
    bool writeJob();

    bool m_loaded = false;
};
