// The preferences' AG-NAV tab: the stored defaults shown, the field checks
// in the tab's own words, the units of both the cross-track and the swath,
// the stored ellipsoid and the user ellipsoids that join the list.
#include "korvel/agnav/agnav_ellipsoid_list.h"
#include "platform/msg_box.h"
#include "tests/korvel/prefs/pref_form_fixture.h"
#include "tests/support/shapefile_writer.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

using PrefAgnav = PrefFormTest;

void writeUserEllipsoids(const QString& programDir, int count)
{
    QByteArray text;
    for (int i = 1; i <= count; ++i) {
        text += "MINE-" + QByteArray::number(i) + ",637814" + QByteArray::number(i) + ",298.3\r\n";
    }
    writeTestFile(programDir + AgnavEllipsoidFileName, text);
}

} // namespace

TEST_F(PrefAgnav, TheStoredDefaultsFillTheTab)
{
    SaveRegSetting("AGNAVDefault", "Units", "1");
    SaveRegSetting("AGNAVDefault", "SwathWidth", "98");
    SaveRegSetting("AGNAVDefault", "MagVar", "-12");
    SaveRegSetting("AGNAVDefault", "Communication", "3");
    PrefForm& prefs = openPrefs(6);
    EXPECT_TRUE(prefs.UnitsOption[1].isChecked());
    EXPECT_EQ(prefs.UnitLabel[2].text(), "ft");
    EXPECT_EQ(prefs.SwathWidthText->text(), "98") << "the stored text, not converted again";
    EXPECT_EQ(prefs.XTrackText->text(), "100");
    EXPECT_EQ(prefs.MagVarText->text(), "12");
    EXPECT_EQ(prefs.DirectionLabel->text(), "E");
    EXPECT_EQ(prefs.LagText->text(), "0.00");
    EXPECT_EQ(prefs.CommCombo->count(), 12);
    EXPECT_EQ(prefs.CommCombo->currentIndex(), 3);
    EXPECT_EQ(prefs.EllipsoidCombo->currentIndex(), Wgs84Row);
    EXPECT_EQ(prefs.AxisText->text(), "6378137.0");
    EXPECT_FALSE(prefs.EllipsoidSave->isVisibleTo(&prefs));
    EXPECT_TRUE(prefs.EllipsoidCombo->isEnabled()) << "the defaults may name any ellipsoid";
}

TEST_F(PrefAgnav, TheStoredEllipsoidSelectsItsRowPastTheSeparator)
{
    struct Case
    {
        int userRows;
        const char* stored;
        int position;
    };
    const Case cases[] = { { 3, "25", 26 }, { 3, "27", Wgs84Row }, { 0, "5", 5 }, { 0, "24", Wgs84Row },
        { 1, "24", 25 } };
    for (const Case& c : cases) {
        writeUserEllipsoids(programDir(), c.userRows);
        SaveRegSetting("AGNAVDefault", "Ellipsoid", c.stored);
        PrefForm& prefs = openPrefs(6);
        EXPECT_EQ(prefs.EllipsoidCombo->currentIndex(), c.position) << c.userRows << " " << c.stored;
        EXPECT_EQ(prefs.EllipsoidCombo->count(), 24 + (c.userRows ? c.userRows + 1 : 0));
        if (c.userRows) {
            EXPECT_EQ(prefs.EllipsoidCombo->itemText(24), EllipsoidSeparator);
        }
        PrefForm::release();
    }
}

TEST_F(PrefAgnav, FieldsAreCheckedWithTheDefaultsWording)
{
    PrefForm& prefs = openPrefs(6);
    struct Case
    {
        QLineEdit* box;
        const char* typed;
        const char* warning; // "" when the text passes
        const char* shown;
    };
    const Case cases[] = {
        { prefs.SwathWidthText, "0", "The Default Swath Width must be a positive integer.", "0" },
        { prefs.LineNumText, "many", "Invalid value for Default No. of Lines.", "many" },
        { prefs.LineDirectionText, "-90", "", "270" },
        { prefs.SkipText, "500.4", "", "500" },
        { prefs.LagText, "2", "", "2.00" },
        { prefs.XTrackText, "10001", "Max. Cross-Track must be an\rinteger between 1 and 10,000.", "10001" },
        { &prefs.DeltaText[3], "1001", "Delta Z Shift must be a number from 0 to 1,000.", "1001" },
    };
    for (const Case& c : cases) {
        const size_t before = msgBoxes().size();
        if (*c.warning) {
            queueMsgBoxAnswer(vbOK);
        }
        type(c.box, QLatin1String(c.typed));
        EXPECT_EQ(msgBoxes().size(), before + (*c.warning ? 1 : 0)) << c.typed;
        if (*c.warning) {
            EXPECT_EQ(msgBoxes().back().prompt, QLatin1String(c.warning));
            EXPECT_EQ(msgBoxes().back().icon(), vbExclamation);
        }
        EXPECT_EQ(c.box->text(), QLatin1String(c.shown));
    }
}

TEST_F(PrefAgnav, EnterAcceptsOnlyWhenTheFieldBeingEditedWillDo)
{
    PrefForm& prefs = openPrefs(6);
    prefs.SwathWidthText->setFocus();
    prefs.SwathWidthText->setText("-3");
    queueMsgBoxAnswer(vbOK);
    prefs.AcceptButton_Click();
    EXPECT_TRUE(prefs.isVisible());
    EXPECT_EQ(stored("AGNAVDefault", "SwathWidth"), "<none>");
    prefs.SwathWidthText->setText("40");
    prefs.AcceptButton_Click();
    EXPECT_EQ(stored("AGNAVDefault", "SwathWidth"), "40");
}

TEST_F(PrefAgnav, TheUnitsSwitchConvertsCrossTrackAndSwath)
{
    PrefForm& prefs = openPrefs(6);
    prefs.SwathWidthText->setText("30");
    prefs.UnitsOption[1].setChecked(true);
    EXPECT_EQ(prefs.SwathWidthText->text(), "98");
    EXPECT_EQ(prefs.XTrackText->text(), "328");
    EXPECT_EQ(prefs.UnitLabel[1].text(), "ft");
    EXPECT_EQ(prefs.UnitLabel[2].text(), "ft");
    prefs.UnitsOption[2].setChecked(true);
    EXPECT_EQ(prefs.SwathWidthText->text(), "30");
    EXPECT_EQ(prefs.XTrackText->text(), "100");
    EXPECT_EQ(prefs.UnitLabel[2].text(), "m");
}

TEST_F(PrefAgnav, AUserEllipsoidIsSavedAndJoinsTheList)
{
    PrefForm& prefs = openPrefs(6);
    prefs.EllipsoidCombo->setCurrentIndex(UserEnterRow);
    EXPECT_FALSE(prefs.EllipsoidSave->isVisibleTo(&prefs)) << "the WGS-84 values changed no text";
    EXPECT_TRUE(prefs.AxisConfirmed);

    queueMsgBoxAnswer(vbOK);
    prefs.EllipsoidSave_Click();
    EXPECT_EQ(msgBoxes().back().prompt, "The ellipsoid you entered matches the 'WGS-84' ellipsoid.");
    EXPECT_TRUE(inputBoxes().empty());

    prefs.AxisText->setText("6378150");
    EXPECT_TRUE(prefs.EllipsoidSave->isVisibleTo(&prefs));
    EXPECT_FALSE(prefs.AxisConfirmed);
    queueInputBoxAnswer("FIRST");
    prefs.EllipsoidSave_Click();
    EXPECT_EQ(prefs.EllipsoidCombo->count(), 26) << "the separator and the new row";
    EXPECT_EQ(prefs.EllipsoidCombo->currentIndex(), 25);
    EXPECT_FALSE(prefs.EllipsoidSave->isVisibleTo(&prefs));
    EXPECT_TRUE(prefs.AxisText->isReadOnly());

    prefs.EllipsoidCombo->setCurrentIndex(UserEnterRow);
    prefs.AxisText->setText("6378160");
    queueInputBoxAnswer("SECOND");
    prefs.EllipsoidSave_Click();
    EXPECT_EQ(prefs.EllipsoidCombo->count(), 27) << "only its row";
    QFile file(userDataDir() + AgnavEllipsoidFileName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "FIRST,6378150,298.257223563\r\nSECOND,6378160,298.257223563\r\n");

    prefs.AcceptButton_Click();
    EXPECT_EQ(stored("AGNAVDefault", "Ellipsoid"), "25") << "the list row, without the separator";
}
