#pragma once
// "Application Report": the dialog the statistics window's Print button
// opens before every report. It shows the report's settings (company,
// client and application details, the rates' unit, the title and
// footnote, the map page in colour or greyscale) and the installed
// printers, the current one chosen.
//
//     ReportForm2 dialog;
//     ShowModal(dialog);
//     if (dialog.Cancelled) return; // nothing is printed
//
// OK stores every setting as the dialog shows it (an emptied box leaves the
// setting empty) and makes the chosen printer current; Cancel or Esc stores
// nothing and sets Cancelled; the close box stores nothing and leaves
// Cancelled false, so the report prints with the settings as they were.
//
// An address box takes up to four lines as typed (Enter is refused once it
// holds three line breaks; pasted text is not limited). While it has the
// focus Enter starts a new line instead of pressing OK; leaving it drops
// trailing line breaks. The other boxes select their text when they get the
// focus, except the title and the footnote.
#include "platform/control_array.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class ReportForm2 final : public QDialog
{
    Q_OBJECT
public:
    explicit ReportForm2(QWidget* parent = nullptr);
    ~ReportForm2() override;

    // True only after Cancel (or Esc).
    bool Cancelled = false;

    ControlArray<QGroupBox> Frame { "Frame" }; // 1 company, 2 client, 3 application, 4 layout
    // Elements 1 to 5: name, address, phone, fax, email. The address (2) is
    // a QPlainTextEdit, the others QLineEdits: read them with boxText().
    ControlArray<QWidget> CompanyText { "CompanyText" };
    ControlArray<QWidget> ClientText { "ClientText" };
    // 1 aircraft, 2 registration, 3 product, 4 product rate, 5 spray rate.
    ControlArray<QLineEdit> ApplicationText { "ApplicationText" };
    ControlArray<QRadioButton> AppUnitsOption { "AppUnitsOption" }; // 0 oz/ac, 1 gal/ac, 2 L/ha
    ControlArray<QLineEdit> LayoutText { "LayoutText" }; // 1 title, 2 footnote
    QCheckBox* PrintGISCheck = nullptr;
    ControlArray<QRadioButton> GISColourOption { "GISColourOption" }; // 1 colour, 2 greyscale
    QLabel* Label1 = nullptr; // "Printer:"
    QComboBox* PrinterCombo = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    void OKButton_Click();
    void CancelButton_Click();
    void PrintGISCheck_Click();

    // The text of a company or client box in its stored form (address lines
    // joined by CR LF), and back.
    static QString boxText(const QWidget& box);
    static void setBoxText(QWidget& box, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void createContactFrame(int index, const QString& caption, int top, ControlArray<QWidget>& boxes);
    void createApplicationFrame();
    void createLayoutFrame();
    void createPrinterChoice();
    void arrangeTabOrder();
    void Form_Load();
    void loadPrinters();
    void storeSettings();
    // The address boxes' rules (see the header comment).
    bool isAddressBox(const QObject* object) const;
    void addressGotFocus();
    void addressLostFocus(QPlainTextEdit& box);
    bool refusesNewLine(const QPlainTextEdit& box) const;
};
