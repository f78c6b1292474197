// The Print button's whole road: the dialog, then the report of the flights
// ticked in the main window's list, into the PDF file; Cancel, the close
// box, a failure, a cancelled file and a printer whose queue refuses jobs.
#include "korvel/statistics/report_print.h"

#include "korvel/shell/main_form.h"
#include "korvel/statistics/report_form2.h"
#include "tests/korvel/statistics/report_fixture.h"
#include "tests/support/pdf_reading.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace {

class ReportPrintTest : public ReportTest
{
protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        MainForm& main = MainForm::instance();
        const int block = addBlock("NORTH.no1", 250000);
        main.AddBlockListEntry();
        for (const char* name : { "N0101001.T01", "N0101002.T01" }) {
            addFlight(block, name, 10000, 10, 1);
            main.AddFlightListEntry(block);
        }
        SaveRegSetting("CompanyInfo", "Name", "Tallgrass Aerial");
    }

    void answerDialog(std::function<void(ReportForm2&)> act) { onModal<ReportForm2>(std::move(act)); }
};

TEST_F(ReportPrintTest, OKPrintsTheTickedFlightsIntoThePdfFile)
{
    MainForm::instance().Check3[1].setChecked(false);
    answerDialog([](ReportForm2& form) {
        static_cast<QLineEdit&>(form.ClientText[1]).setText("Crown Forests");
        form.OKButton->click();
    });
    pdfPrinter(QPageSize::Letter);
    printApplicationReport(nullptr, SprayStatistics {});
    ASSERT_TRUE(QFileInfo::exists(pdfPath()));
    EXPECT_TRUE(msgBoxes().empty());
    if (pdfToolsAvailable()) {
        const std::vector<PdfPage> pages = readPdfWords(pdfPath());
        ASSERT_EQ(pages.size(), 3u);
        EXPECT_TRUE(pages[0].find("Crown")) << "the settings just stored";
        EXPECT_TRUE(pages[0].find("Tallgrass"));
        EXPECT_FALSE(pages[0].find("N0101001.T01")) << "unticked on the map, not listed";
        EXPECT_TRUE(pages[0].find("N0101002.T01"));
    }
}

TEST_F(ReportPrintTest, CancelInTheDialogOrInTheFileDialogEndsSilently)
{
    answerDialog([](ReportForm2& form) { form.CancelButton->click(); });
    printApplicationReport(nullptr, SprayStatistics {});
    EXPECT_TRUE(dialogs().empty()) << "no file asked for";

    answerDialog([](ReportForm2& form) { form.close(); }); // the close box prints
    queueDialogCancel();
    printApplicationReport(nullptr, SprayStatistics {});
    EXPECT_EQ(dialogs().size(), 1u);
    EXPECT_TRUE(msgBoxes().empty());
    EXPECT_EQ(currentPrinter().Page(), 0);
}

TEST_F(ReportPrintTest, AFailureIsShownAndLeavesNoFile)
{
    answerDialog([](ReportForm2& form) { form.OKButton->click(); });
    currentPrinter().setPaperSize(QPageSize::A0); // frames beyond 16 bits of twips
    queueMsgBoxAnswer(vbOK);
    printApplicationReport(nullptr, SprayStatistics {});
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "Error printing: Overflow");
    EXPECT_EQ(msgBoxes()[0].buttons, vbOKOnly);
    EXPECT_EQ(msgBoxes()[0].caption, "KORVEL");
    EXPECT_FALSE(QFileInfo::exists(pdfPath()));
}

TEST_F(ReportPrintTest, AQueueThatRefusesJobsIsNamed)
{
    services().printers.setPrinters({ { "Hangar", QPageSize::Letter, {}, true } }, "Hangar");
    answerDialog([](ReportForm2& form) { form.OKButton->click(); });
    queueMsgBoxAnswer(vbOK);
    printApplicationReport(nullptr, SprayStatistics {});
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "Error printing: The print queue \"Hangar\" does not accept jobs.");
    EXPECT_TRUE(services().printers.jobs().empty());
}

} // namespace
