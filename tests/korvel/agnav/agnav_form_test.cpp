// The job dialog as the user meets it: what it opens with, the checks of its
// boxes, the units and the magnetic variation, Accept and its failures, and
// the save of a user ellipsoid.
#include "korvel/agnav/agnav_job_controls.h"
#include "korvel/agnav/agnav_job_settings.h"
#include "korvel/shell/reg_settings.h"
#include "platform/msg_box.h"
#include "tests/korvel/agnav/agnav_form_fixture.h"
#include "tests/support/default_locale.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

TEST_F(AgnavFormTest, OpensWithThePreviousJobTheMapsSystemAndTheMapsEllipsoid)
{
    appendNewBlock();
    const struct
    {
        const char* name;
        const char* value;
    } stored[] = { { "CoordSystem", "1" }, { "Units", "1" }, { "MaxXTrack", "328" }, { "NumAircraft", "2" },
        { "MagVar", "-12" }, { "LagTime", "0.5" }, { "LineDirection", "10.4" }, { "Offset", "2" },
        { "Communication", "3" } };
    for (const auto& value : stored) {
        SaveRegSetting(AgnavPreviousSection, value.name, value.value);
    }
    AGNAVForm& dialog = openForm();
    EXPECT_EQ(dialog.windowTitle(), "AG-NAV Properties");
    EXPECT_EQ(dialog.NameText->text(), "NEW AREA");
    EXPECT_TRUE(dialog.CoordOption[2].isChecked()) << "the map is in UTM, whatever the last job used";
    EXPECT_TRUE(dialog.UnitsOption[1].isChecked());
    EXPECT_EQ(dialog.UnitLabel[1].text(), "ft");
    EXPECT_EQ(dialog.XTrackText->text(), "328") << "the stored text, not the units switch's";
    EXPECT_EQ(dialog.AircraftCombo->currentIndex(), 2);
    EXPECT_EQ(dialog.MagVarText->text(), "12");
    EXPECT_EQ(dialog.DirectionLabel->text(), "E");
    EXPECT_EQ(dialog.LagText->text(), "0.50");
    EXPECT_EQ(dialog.LineDirectionText->text(), "10");
    EXPECT_TRUE(dialog.OffsetOption[2].isChecked());
    EXPECT_EQ(dialog.CommCombo->currentText(), "9600  O  1  8");
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(dialog.DeltaText[i].text(), "0");
    }
    EXPECT_EQ(dialog.EllipsoidCombo->currentIndex(), 22);
    EXPECT_EQ(dialog.EllipsoidCombo->count(), 24) << "no user file: no separator";
    EXPECT_FALSE(dialog.EllipsoidCombo->isEnabled());
    EXPECT_EQ(dialog.AxisText->text(), "6378137.0");
    EXPECT_TRUE(dialog.AxisText->isReadOnly());
    EXPECT_TRUE(dialog.EllipsoidSave->isHidden());
    EXPECT_TRUE(dialog.FormLoaded);
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(AgnavFormTest, LatitudeLongitudeMapOpensOnLatLong)
{
    appendNewBlock();
    globals().UTMMode = false;
    AGNAVForm& dialog = openForm();
    EXPECT_TRUE(dialog.CoordOption[1].isChecked());
}

TEST_F(AgnavFormTest, TheListedEllipsoidEqualToTheMapsIsChosen)
{
    writeTestFile(programDir() + "AGNAV Ellipsoids.txt", "BAD LINE\r\nMINE,6378140.5,298.3\r\n");
    const struct
    {
        EllipsoidRecord map;
        int position;
    } rows[] = { { Clarke1866, 5 }, { { "Mine", 6378140.5, 298.3 }, 25 }, { { "Odd", 6000000, 300 }, 22 } };
    appendNewBlock();
    for (const auto& row : rows) {
        globals().Ellipsoid = row.map;
        AGNAVForm& dialog = openForm();
        EXPECT_EQ(dialog.EllipsoidCombo->currentIndex(), row.position) << row.map.Name.toStdString();
        EXPECT_EQ(dialog.EllipsoidCombo->itemText(24), "--------------");
        EXPECT_EQ(dialog.EllipsoidCombo->count(), 26);
        AGNAVForm::release();
    }
}

// Leaving a box checks it: a refusal shows the field's own warning and keeps
// the text, a good value is shown in its normal form.
TEST_F(AgnavFormTest, LeavingABoxChecksIt)
{
    appendNewBlock();
    AGNAVForm& dialog = openForm();
    const struct
    {
        QLineEdit* box;
        const char* typed;
        const char* warning; // "" when it will do
        const char* shown;
    } rows[] = {
        { dialog.NameText, " ", "You must specify a name for the area.", " " },
        { dialog.RaceText, "0", "Race Track must be an integer\rless than -1 or greater than 1.", "0" },
        { dialog.SkipText, "500.4", "", "500" },
        { dialog.LagText, "2", "", "2.00" },
        { &dialog.DeltaText[3], "-1", "Delta Z Shift must be a positive number (or 0).", "-1" },
        { dialog.SwathWidthText, "0", "Swath Width must be a positive integer.", "0" },
        { dialog.LineDirectionText, "-90", "", "270" },
    };
    for (const auto& row : rows) {
        const std::size_t before = msgBoxes().size();
        if (*row.warning) {
            queueMsgBoxAnswer(vbOK);
        }
        type(row.box, QString::fromUtf8(row.typed));
        EXPECT_EQ(row.box->text(), QString::fromUtf8(row.shown)) << row.typed;
        if (*row.warning) {
            ASSERT_EQ(msgBoxes().size(), before + 1) << row.typed;
            EXPECT_EQ(msgBoxes().back().prompt, QString::fromUtf8(row.warning));
            EXPECT_EQ(msgBoxes().back().icon(), vbExclamation);
        } else {
            EXPECT_EQ(msgBoxes().size(), before) << row.typed;
        }
    }
}

// An eastern variation is edited signed and shown as its magnitude with "E".
TEST_F(AgnavFormTest, MagneticVariationKeepsItsSignThroughEditing)
{
    appendNewBlock();
    AGNAVForm& dialog = openForm();
    type(dialog.MagVarText, "-12");
    EXPECT_EQ(dialog.MagVarText->text(), "12");
    EXPECT_EQ(dialog.DirectionLabel->text(), "E");

    enter(dialog.MagVarText);
    EXPECT_EQ(dialog.MagVarText->text(), "-12") << "edited as a signed number";
    EXPECT_TRUE(dialog.DirectionLabel->text().isEmpty());
    leave(dialog.MagVarText);
    EXPECT_EQ(dialog.MagVarText->text(), "12") << "passing through keeps the direction";
    EXPECT_EQ(dialog.DirectionLabel->text(), "E");

    type(dialog.MagVarText, "7");
    EXPECT_EQ(dialog.DirectionLabel->text(), "W");
    type(dialog.MagVarText, "0");
    EXPECT_TRUE(dialog.DirectionLabel->text().isEmpty());
}

TEST_F(AgnavFormTest, UnitsSwitchConvertsTheCrossTrackOnly)
{
    appendNewBlock();
    AGNAVForm& dialog = openForm();
    dialog.UnitsOption[1].setChecked(true);
    EXPECT_EQ(dialog.XTrackText->text(), "328");
    EXPECT_EQ(dialog.UnitLabel[1].text(), "ft");
    EXPECT_EQ(dialog.SwathWidthText->text(), "30");
    EXPECT_EQ(dialog.UnitLabel[2].text(), "m");
    dialog.XTrackText->setText("9988");
    dialog.UnitsOption[2].setChecked(true);
    EXPECT_EQ(dialog.XTrackText->text(), "3044");
    EXPECT_EQ(dialog.UnitLabel[1].text(), "m");
}

TEST_F(AgnavFormTest, AcceptChecksEveryFieldAgainAndStopsAtTheFirstRefusal)
{
    appendNewBlock();
    AGNAVForm& dialog = openForm();
    dialog.SkipText->setText("0"); // typed, never left
    dialog.LineNumText->setText("0");
    queueMsgBoxAnswer(vbOK);
    dialog.AcceptButton->click();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "Skip Track must be an integer\rbetween 1 and 500.");
    EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
    EXPECT_FALSE(QFile::exists(workDir() + "FIELD7.no1"));
    EXPECT_EQ(GetRegSetting(AgnavPreviousSection, "SkipTrack", "none"), "none");
    EXPECT_TRUE(blockAt(1).CoordType.isEmpty());
}

TEST_F(AgnavFormTest, AcceptWritesTheFileThenGivesTheBlockItsJobAndStoresThePreviousValues)
{
    appendNewBlock();
    AGNAVForm& dialog = openForm();
    dialog.NameText->setText("NORTH 40");
    type(dialog.MagVarText, "-7");
    dialog.AcceptButton->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const QList<QByteArray> lines = readTestFile(workDir() + "FIELD7.no1").split('\n');
    ASSERT_GT(lines.size(), 20);
    EXPECT_EQ(lines[0], "0  NORTH 40\r");
    EXPECT_EQ(lines[1], "1  U  279\r");
    EXPECT_TRUE(lines.contains("40         -7                   MAGNETIC VARIATION, Deg.\r"));
    const AGNAVBlock& block = blockAt(1);
    EXPECT_EQ(block.CoordType, "UTM");
    EXPECT_EQ(block.SwathWidthText, "30");
    EXPECT_EQ(block.MasterPoint.MasterX, "500000.0");
    EXPECT_EQ(dialog.Job.AreaName, "NORTH 40");
    EXPECT_EQ(GetRegSetting(AgnavPreviousSection, "MagVar", ""), "-7");
    EXPECT_EQ(GetRegSetting(AgnavPreviousSection, "Ellipsoid", ""), "22");
}

// Numbers typed with a German decimal comma: the boundary file, the block and
// the stored previous values take them with the point, the boxes as typed.
TEST_F(AgnavFormTest, NumbersTypedWithTheDecimalCommaAreWrittenWithThePoint)
{
    const DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    appendNewBlock();
    AGNAVForm& dialog = openForm();
    dialog.EllipsoidCombo->setCurrentIndex(0);
    type(dialog.AxisText, "6378137,5");
    type(dialog.EccentricityText, "298,25");
    type(dialog.RelayOnText, "0,75");
    dialog.AcceptButton->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.AxisText->text(), "6378137,5");
    const QByteArray file = readTestFile(workDir() + "FIELD7.no1");
    EXPECT_TRUE(file.contains("6378137.5") && file.contains("298.25") && file.contains("0.75"));
    EXPECT_EQ(blockAt(1).Ellipsoid.Axis, 6378137.5);
    EXPECT_EQ(GetRegSetting(AgnavPreviousSection, "EllipsoidAxis", ""), "6378137.5");
    EXPECT_EQ(GetRegSetting(AgnavPreviousSection, "RelayOn", ""), "0.75");
}

TEST_F(AgnavFormTest, AFileThatCannotBeWrittenKeepsTheDialogOpenAndStoresNothing)
{
    appendNewBlock(QStringLiteral("missing/FIELD7.no1"));
    AGNAVForm& dialog = openForm();
    queueMsgBoxAnswer(vbOK);
    dialog.AcceptButton->click();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.startsWith("Cannot write " + workDir() + "missing/FIELD7.no1"));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(GetRegSetting(AgnavPreviousSection, "MaxXTrack", "none"), "none");
    EXPECT_TRUE(blockAt(1).CoordType.isEmpty()) << "the block stays as it came";
    EXPECT_TRUE(blockAt(1).MasterPoint.MasterX.isEmpty());
}

// What one dialog stores as the defaults, another's "Defaults" shows again:
// the units before the cross-track, so the stored feet are not converted.
TEST_F(AgnavFormTest, DefaultsStoredFromOneDialogLoadIntoTheNext)
{
    appendNewBlock();
    AGNAVForm& first = openForm();
    first.UnitsOption[1].setChecked(true);
    type(first.XTrackText, "500");
    type(first.MagVarText, "-3");
    type(first.RelayOnText, "1");
    first.SpraySideCombo->setCurrentIndex(0);
    first.CommCombo->setCurrentIndex(11);
    first.OffsetOption[2].setChecked(true);
    SaveAGNAVDefaults(first, AgnavDefaultSection);
    const AgnavJobSettings stored = agnavControlValues(first);
    EXPECT_EQ(GetRegSetting(AgnavDefaultSection, "MagVar", ""), "-3");
    AGNAVForm::release();

    AGNAVForm& next = openForm();
    next.DefaultsButton->click();
    EXPECT_EQ(agnavControlValues(next), stored);
    EXPECT_EQ(next.XTrackText->text(), "500");
    EXPECT_EQ(next.RelayOnText->text(), "1.00");
    EXPECT_EQ(next.DirectionLabel->text(), "E");
}

// USER-ENTER: the boxes open for typing, an axis outside the normal range is
// questioned once per text, and "Save" keeps a new ellipsoid in the program
// folder's file for the next dialogs.
TEST_F(AgnavFormTest, UserEnteredEllipsoidRangeQuestionAndSave)
{
    appendNewBlock();
    AGNAVForm& dialog = openForm();
    dialog.EllipsoidCombo->setCurrentIndex(0);
    EXPECT_FALSE(dialog.AxisText->isReadOnly());
    EXPECT_EQ(dialog.AxisText->text(), "6378137.0");
    EXPECT_TRUE(dialog.AxisAccepted);
    EXPECT_TRUE(dialog.EllipsoidSave->isHidden()) << "the WGS-84 texts were there already";

    queueMsgBoxAnswer(vbNo);
    type(dialog.AxisText, "6000000");
    EXPECT_FALSE(dialog.EllipsoidSave->isHidden());
    queueMsgBoxAnswer(vbYes);
    leave(dialog.AxisText);
    leave(dialog.AxisText);
    ASSERT_EQ(msgBoxes().size(), 2u) << "after Yes nothing is asked until the text changes";
    EXPECT_EQ(msgBoxes()[0].icon(), vbQuestion);
    EXPECT_TRUE(dialog.AxisAccepted);

    type(dialog.AxisText, "6378137");
    queueMsgBoxAnswer(vbOK);
    dialog.EllipsoidSave->click();
    EXPECT_EQ(msgBoxes().back().prompt, "The ellipsoid you entered matches the 'WGS-84' ellipsoid.");
    type(dialog.EccentricityText, "299");

    queueInputBoxAnswer("  WGS-84 ");
    queueMsgBoxAnswer(vbOK);
    dialog.EllipsoidSave->click();
    EXPECT_EQ(msgBoxes().back().prompt, "There is already an ellipsoid called 'WGS-84'.");
    queueInputBoxAnswer("A,B");
    queueMsgBoxAnswer(vbOK);
    dialog.EllipsoidSave->click();
    EXPECT_EQ(msgBoxes().back().prompt, "The name of an ellipsoid may not contain a comma.");
    queueInputBoxAnswer(" MINE ");
    dialog.EllipsoidSave->click();
    EXPECT_EQ(inputBoxes().back().prompt, "Please enter a name for this custom ellipsoid.");
    EXPECT_EQ(readTestFile(userDataDir() + "AGNAV Ellipsoids.txt"), "MINE,6378137,299\r\n");
    EXPECT_EQ(dialog.EllipsoidCombo->count(), 24) << "listed from the next dialog on";

    AGNAVForm::release();
    AGNAVForm& next = openForm();
    ASSERT_EQ(next.EllipsoidCombo->count(), 26);
    EXPECT_EQ(next.EllipsoidCombo->itemText(25), "MINE");
}

TEST_F(AgnavFormTest, SeparatorChoosesTheStoredDefaultRow)
{
    writeTestFile(programDir() + "AGNAV Ellipsoids.txt", "A,6378001,298\r\nB,6378002,299\r\n");
    appendNewBlock();
    const struct
    {
        const char* stored;
        int position;
    } rows[] = { { "25", 26 }, { "26", 22 }, { "0", 0 }, { "5", 5 } };
    for (const auto& row : rows) {
        SaveRegSetting(AgnavDefaultSection, "Ellipsoid", row.stored);
        AGNAVForm& dialog = openForm();
        dialog.EllipsoidCombo->setCurrentIndex(24);
        EXPECT_EQ(dialog.EllipsoidCombo->currentIndex(), row.position) << row.stored;
        AGNAVForm::release();
    }
}

} // namespace
