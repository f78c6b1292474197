// The "Application Report" dialog: what it shows from the settings, what
// OK stores, Cancel, Esc and the close box, the address boxes' rules and
// the choice of the printer.
#include "korvel/statistics/report_form2.h"

#include "korvel/shell/reg_settings.h"
#include "platform/printer.h"
#include "platform/show_modal.h"
#include "tests/support/korvel_test.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

class ReportForm2Test : public KorvelTest
{
protected:
    ScriptedPrinters& printers() { return services().printers; }

    static QString stored(const QString& section, const QString& name)
    {
        return GetRegSetting(section, name, QStringLiteral("<missing>"));
    }

    static void type(QWidget& box, int key)
    {
        QKeyEvent press(
            QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Return ? QStringLiteral("\r") : QString());
        QCoreApplication::sendEvent(&box, &press);
    }

    static void focus(QWidget& box, QEvent::Type type)
    {
        QFocusEvent event(type, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&box, &event);
    }

    static QLineEdit& line(QWidget& box) { return static_cast<QLineEdit&>(box); }
    static QPlainTextEdit& address(QWidget& box) { return static_cast<QPlainTextEdit&>(box); }

    static int checkedUnits(ReportForm2& form)
    {
        for (int i = 0; i <= 2; ++i) {
            if (form.AppUnitsOption[i].isChecked()) {
                return i;
            }
        }
        return -1;
    }
};

TEST_F(ReportForm2Test, WithNothingStoredItShowsTheDefaults)
{
    ReportForm2 form;
    EXPECT_EQ(form.windowTitle(), "Application Report");
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(ReportForm2::boxText(form.CompanyText[i]), "");
        EXPECT_EQ(ReportForm2::boxText(form.ClientText[i]), "");
        EXPECT_EQ(form.ApplicationText[i].text(), "");
    }
    EXPECT_EQ(checkedUnits(form), 2) << "L/ha";
    EXPECT_TRUE(form.PrintGISCheck->isChecked());
    EXPECT_TRUE(form.GISColourOption[1].isChecked());
    EXPECT_TRUE(form.GISColourOption[1].isEnabled());
    EXPECT_TRUE(form.GISColourOption[2].isEnabled());
    EXPECT_EQ(form.PrinterCombo->count(), 0);
    EXPECT_EQ(form.PrinterCombo->currentIndex(), -1);
    EXPECT_FALSE(form.Cancelled);
    EXPECT_TRUE(form.OKButton->isDefault());
    EXPECT_EQ(form.focusWidget(), &form.CompanyText[1]);
}

TEST_F(ReportForm2Test, StoredValuesAreShownAndOddOnesTakeTheDefault)
{
    SaveRegSetting("CompanyInfo", "Name", "Tallgrass Aerial");
    SaveRegSetting("CompanyInfo", "Address", "12 Mill Road\r\nFredericton NB");
    SaveRegSetting("ClientInfo", "Fax", "555-0102");
    SaveRegSetting("ApplicationInfo", "SprayRate", "2.5");
    SaveRegSetting("ReportLayout", "Title", "Budworm");
    SaveRegSetting("ReportLayout", "Footer", "Page");
    ReportForm2 shown;
    EXPECT_EQ(ReportForm2::boxText(shown.CompanyText[1]), "Tallgrass Aerial");
    EXPECT_EQ(ReportForm2::boxText(shown.CompanyText[2]), "12 Mill Road\r\nFredericton NB");
    EXPECT_EQ(address(shown.CompanyText[2]).blockCount(), 2) << "two lines in the box";
    EXPECT_EQ(ReportForm2::boxText(shown.ClientText[4]), "555-0102");
    EXPECT_EQ(shown.ApplicationText[5].text(), "2.5");
    EXPECT_EQ(shown.LayoutText[1].text(), "Budworm");
    EXPECT_EQ(shown.LayoutText[2].text(), "Page");

    struct Row
    {
        QString units, printGIS, colour;
        int shownUnits;
        bool ticked, colourChosen;
    };
    for (const Row& row : { Row { "0", "0", "False", 0, false, false },
             Row { "1", "1", "True", 1, true, true }, Row { "2", "0", "True", 2, false, true },
             Row { "7", "2", "maybe", 2, true, true }, Row { "x", "-1", "0", 2, true, true } }) {
        SCOPED_TRACE(
            row.units.toStdString() + " " + row.printGIS.toStdString() + " " + row.colour.toStdString());
        SaveRegSetting("ApplicationInfo", "Units", row.units);
        SaveRegSetting("ReportLayout", "PrintGIS", row.printGIS);
        SaveRegSetting("ReportLayout", "GISColour", row.colour);
        ReportForm2 form;
        EXPECT_EQ(checkedUnits(form), row.shownUnits);
        EXPECT_EQ(form.PrintGISCheck->isChecked(), row.ticked);
        EXPECT_EQ(form.GISColourOption[1].isChecked(), row.colourChosen);
        EXPECT_EQ(form.GISColourOption[2].isChecked(), !row.colourChosen);
        EXPECT_EQ(form.GISColourOption[1].isEnabled(), row.ticked) << "enabled exactly when ticked";
        EXPECT_EQ(form.GISColourOption[2].isEnabled(), row.ticked);
        form.PrintGISCheck->setChecked(!row.ticked);
        EXPECT_EQ(form.GISColourOption[2].isEnabled(), !row.ticked) << "and again when it changes";
    }
}

TEST_F(ReportForm2Test, OKStoresWhatTheDialogShows)
{
    SaveRegSetting("CompanyInfo", "Fax", "555-0100");
    SaveRegSetting("ReportLayout", "Title", "Old title");
    onModal<ReportForm2>([](ReportForm2& form) {
        line(form.CompanyText[1]).setText("Tallgrass Aerial");
        ReportForm2::setBoxText(form.ClientText[2], "Box 9\r\nOromocto");
        line(form.CompanyText[4]).clear(); // the fax emptied
        form.ApplicationText[4].setText("1.5");
        form.AppUnitsOption[0].setChecked(true);
        form.LayoutText[1].clear();
        form.PrintGISCheck->setChecked(false);
        form.GISColourOption[2].setChecked(true);
        form.LayoutText[2].setText("Footnote");
        form.OKButton->click();
    });
    ReportForm2 form;
    EXPECT_EQ(ShowModal(form), QDialog::Accepted);
    EXPECT_FALSE(form.Cancelled);
    EXPECT_EQ(stored("CompanyInfo", "Name"), "Tallgrass Aerial");
    EXPECT_EQ(stored("ClientInfo", "Address"), "Box 9\r\nOromocto");
    EXPECT_EQ(GetRegSetting("CompanyInfo", "Fax", ""), "") << "an emptied box stores the empty text";
    EXPECT_EQ(GetRegSetting("ReportLayout", "Title", ""), "");
    EXPECT_EQ(stored("ApplicationInfo", "ProductRate"), "1.5");
    EXPECT_EQ(stored("ApplicationInfo", "Units"), "0");
    EXPECT_EQ(stored("ReportLayout", "PrintGIS"), "0");
    EXPECT_EQ(stored("ReportLayout", "GISColour"), "False");
    EXPECT_EQ(stored("ReportLayout", "Footer"), "Footnote");
    ReportForm2 again;
    EXPECT_EQ(ReportForm2::boxText(again.CompanyText[4]), "") << "the next opening shows it empty";
}

TEST_F(ReportForm2Test, CancelEscapeAndTheCloseBoxStoreNothing)
{
    struct Row
    {
        const char* how;
        std::function<void(ReportForm2&)> close;
        bool cancelled;
    };
    const Row rows[] = {
        { "Cancel", [](ReportForm2& form) { form.CancelButton->click(); }, true },
        { "Esc", [](ReportForm2& form) { type(form.ApplicationText[2], Qt::Key_Escape); }, true },
        { "close box", [](ReportForm2& form) { form.close(); }, false },
    };
    printers().setPrinters({ { "Laser", QPageSize::Letter, {} }, { "Office", QPageSize::A4, {} } }, "Laser");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        onModal<ReportForm2>([&row](ReportForm2& form) {
            line(form.CompanyText[1]).setText("Edited");
            form.PrinterCombo->setCurrentIndex(1);
            row.close(form);
        });
        ReportForm2 form;
        EXPECT_EQ(ShowModal(form), QDialog::Rejected);
        EXPECT_EQ(form.Cancelled, row.cancelled);
        EXPECT_EQ(stored("CompanyInfo", "Name"), "<missing>");
        EXPECT_EQ(currentPrinter().DeviceName(), "Laser") << "the printer stays";
    }
}

TEST_F(ReportForm2Test, AnAddressTakesFourLinesAsTyped)
{
    ReportForm2 form;
    QPlainTextEdit& box = address(form.CompanyText[2]);
    struct Row
    {
        QString text;
        bool enterTaken;
    };
    for (const Row& row : { Row { "", true }, Row { "a\r\nb\r\nc", true }, Row { "a\r\nb\r\nc\r\nd", false },
             Row { "\r\n\r\n\r\n", false } }) {
        ReportForm2::setBoxText(box, row.text);
        box.moveCursor(QTextCursor::End);
        type(box, Qt::Key_Return);
        EXPECT_EQ(ReportForm2::boxText(box) != row.text, row.enterTaken) << row.text.toStdString();
    }
}

TEST_F(ReportForm2Test, LeavingAnAddressDropsTrailingLineBreaks)
{
    ReportForm2 form;
    QPlainTextEdit& box = address(form.ClientText[2]);
    struct Row
    {
        QString typed;
        QString kept;
    };
    for (const Row& row : { Row { "a\r\nb\r\n\r\n", "a\r\nb" }, Row { "\r\n\r\n", "" },
             Row { "a\r\n\r\nb", "a\r\n\r\nb" }, Row { "a", "a" } }) {
        focus(box, QEvent::FocusIn);
        EXPECT_FALSE(form.OKButton->isDefault()) << "Enter makes a new line, not OK";
        ReportForm2::setBoxText(box, row.typed);
        box.moveCursor(QTextCursor::End);
        focus(box, QEvent::FocusOut);
        EXPECT_EQ(ReportForm2::boxText(box), row.kept);
        EXPECT_EQ(box.textCursor().position(), 0) << "the caret at the start";
        EXPECT_TRUE(form.OKButton->isDefault());
    }
    // Other boxes select their text and change nothing on leaving.
    QLineEdit& phone = line(form.ClientText[3]);
    phone.setText("555-0103\r\n");
    focus(phone, QEvent::FocusIn);
    EXPECT_EQ(phone.selectedText(), phone.text());
    focus(phone, QEvent::FocusOut);
    EXPECT_EQ(phone.text(), "555-0103\r\n");
}

TEST_F(ReportForm2Test, ThePrinterList)
{
    printers().setPrinters({ { "Laser", QPageSize::Letter, {} }, { "Office", QPageSize::A4, {} },
                               { "Plotter", QPageSize::A3, {} } },
        "Plotter");
    {
        ReportForm2 form;
        ASSERT_EQ(form.PrinterCombo->count(), 3);
        EXPECT_EQ(form.PrinterCombo->itemText(0), "Laser");
        EXPECT_EQ(form.PrinterCombo->currentIndex(), 2) << "the current printer, third in the list";
        Printer* before = &currentPrinter();
        form.OKButton_Click();
        EXPECT_EQ(&currentPrinter(), before) << "OK without touching the list keeps that printer";
    }
    {
        ReportForm2 form;
        form.PrinterCombo->setCurrentIndex(1);
        form.OKButton_Click();
        EXPECT_EQ(currentPrinter().DeviceName(), "Office");
        EXPECT_EQ(currentPrinter().Width(), 11906);
    }
    setCurrentPrinter("Gone");
    {
        ReportForm2 form;
        EXPECT_EQ(form.PrinterCombo->currentIndex(), -1) << "a current printer not listed selects nothing";
        form.OKButton_Click();
        EXPECT_EQ(currentPrinter().DeviceName(), "Gone") << "and OK keeps it";
    }
}

TEST_F(ReportForm2Test, WithNoPrinterOKKeepsThePdfFile)
{
    currentPrinter().setPaperSize(QPageSize::Letter);
    ReportForm2 form;
    form.OKButton_Click();
    EXPECT_TRUE(currentPrinter().printsToPdfFile());
    EXPECT_EQ(currentPrinter().PaperSize(), QPageSize::Letter) << "the same target, as it was";
}

} // namespace
