// Both AG-NAV job dialogs, the job dialog and the preferences' AG-NAV tab,
// fill their ellipsoid and serial-format lists by one filler: the same rows
// in the same places, the user's own ellipsoids after the separator too.
#include "korvel/agnav/agnav_ellipsoid_list.h"
#include "korvel/agnav/agnav_form.h"
#include "tests/korvel/prefs/pref_form_fixture.h"
#include "tests/support/shapefile_writer.h"

#include <QComboBox>

namespace {

using AgnavJobLists = PrefFormTest;

QStringList rowsOf(const QComboBox& list)
{
    QStringList rows;
    for (int i = 0; i < list.count(); ++i) {
        rows << list.itemText(i);
    }
    return rows;
}

} // namespace

TEST_F(AgnavJobLists, BothDialogsListTheSameEllipsoidsAndSerialFormats)
{
    writeTestFile(programDir() + AgnavEllipsoidFileName, "MINE-1,6378141,298.3\r\nMINE-2,6378142,298.4\r\n");
    PrefForm& prefs = openPrefs(6);
    AGNAVForm& job = AGNAVForm::instance();
    job.show();
    const struct
    {
        const char* list;
        QComboBox* prefs;
        QComboBox* job;
        qsizetype rows;
    } lists[] = { { "EllipsoidCombo", prefs.EllipsoidCombo, job.EllipsoidCombo, 27 },
        { "CommCombo", prefs.CommCombo, job.CommCombo, 12 } };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.list);
        EXPECT_EQ(rowsOf(*list.prefs).size(), list.rows);
        EXPECT_EQ(rowsOf(*list.prefs), rowsOf(*list.job));
    }
}
