#include "korvel/statistics/report_form2.h"

#include "korvel/statistics/report_settings.h"
#include "platform/form_design_kit.h"
#include "platform/printer.h"
#include "platform/screen_metrics.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>

namespace {

constexpr int kLabelHeight = 195; // twips
constexpr int kAddressLineLimit = 3; // line breaks an address may hold before Enter is refused

QLabel* addLabel(QWidget* parent, const QString& caption, int left, int top, int width)
{
    auto* label = new QLabel(caption, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    placeInTwips(*label, left, top, width, kLabelHeight);
    return label;
}

template <class W> W* addElement(ControlArray<W>& array, int index, W* widget)
{
    widget->setObjectName(array.elementName(index));
    array.setElement(index, widget);
    return widget;
}

} // namespace

ReportForm2::ReportForm2(QWidget* parent)
    : QDialog(parent)
{
    designFixedDialog(*this, QStringLiteral("ReportForm2"), QStringLiteral("Application Report"));
    setFixedSize(twipsToPixelsX(8250), twipsToPixelsY(5445));
    createControls();
    Form_Load();
}

ReportForm2::~ReportForm2() = default;

void ReportForm2::createControls()
{
    createContactFrame(1, QStringLiteral("Company Info"), 60, CompanyText);
    createContactFrame(2, QStringLiteral("Client Info"), 2760, ClientText);
    createApplicationFrame();
    createLayoutFrame();
    createPrinterChoice();
    arrangeTabOrder();
}

void ReportForm2::createContactFrame(int index, const QString& caption, int top, ControlArray<QWidget>& boxes)
{
    auto* frame = addElement(Frame, index, new QGroupBox(caption, this));
    placeInTwips(*frame, 60, top, 4215, 2625);
    struct Row
    {
        const char* label;
        int labelTop;
        int boxTop;
        int boxHeight;
    };
    const Row rows[] = { { "Name:", 270, 240, 255 }, { "Address:", 600, 570, 870 },
        { "Phone:", 1545, 1515, 285 }, { "Fax:", 1905, 1875, 285 }, { "Email:", 2265, 2235, 285 } };
    for (int i = 1; i <= 5; ++i) {
        const Row& row = rows[i - 1];
        addLabel(frame, QLatin1String(row.label), 120, row.labelTop, 615);
        QWidget* box = nullptr;
        if (i == 2) {
            auto* address = new QPlainTextEdit(frame);
            address->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            address->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            address->setTabChangesFocus(true);
            box = address;
        } else {
            box = new QLineEdit(frame);
        }
        addElement(boxes, i, box);
        placeInTwips(*box, i == 2 && index == 2 ? 825 : 840, row.boxTop, 3195, row.boxHeight);
        box->installEventFilter(this);
    }
}

void ReportForm2::createApplicationFrame()
{
    auto* frame = addElement(Frame, 3, new QGroupBox(QStringLiteral("Application Info"), this));
    placeInTwips(*frame, 4445, 60, 3750, 2100);
    struct Row
    {
        const char* label;
        int labelTop;
        int boxTop;
        int boxWidth;
    };
    const Row rows[] = { { "Aircraft:", 270, 240, 2550 }, { "Registration:", 600, 570, 2550 },
        { "Product:", 960, 930, 2550 }, { "Product Rate:", 1320, 1290, 1155 },
        { "Spray Rate:", 1725, 1650, 1155 } };
    for (int i = 1; i <= 5; ++i) {
        const Row& row = rows[i - 1];
        addLabel(frame, QLatin1String(row.label), 45, row.labelTop, 990);
        QLineEdit* box = addElement(ApplicationText, i, new QLineEdit(frame));
        placeInTwips(*box, 1080, row.boxTop, row.boxWidth, 285);
        box->installEventFilter(this);
    }
    const char* units[] = { "oz/ac", "gal/ac", "L/ha" };
    for (int i = 0; i <= 2; ++i) {
        QRadioButton* option
            = addElement(AppUnitsOption, i, new QRadioButton(QLatin1String(units[i]), frame));
        placeInTwips(*option, 2520, 1260 + 240 * i, 855, 255);
        option->installEventFilter(this);
    }
}

void ReportForm2::createLayoutFrame()
{
    auto* frame = addElement(Frame, 4, new QGroupBox(QStringLiteral("Report Layout"), this));
    placeInTwips(*frame, 4445, 2235, 3750, 1635);
    addLabel(frame, QStringLiteral("Title:"), 120, 270, 675);
    placeInTwips(*addElement(LayoutText, 1, new QLineEdit(frame)), 870, 240, 2760, 285);
    PrintGISCheck = new QCheckBox(QStringLiteral("Print GIS / Flight Image"), frame);
    PrintGISCheck->setObjectName(QStringLiteral("PrintGISCheck"));
    placeInTwips(*PrintGISCheck, 150, 585, 2175, 255);
    placeInTwips(*addElement(GISColourOption, 1, new QRadioButton(QStringLiteral("Colour"), frame)), 450, 840,
        855, 255);
    placeInTwips(*addElement(GISColourOption, 2, new QRadioButton(QStringLiteral("Greyscale"), frame)), 1410,
        840, 1095, 255);
    addLabel(frame, QStringLiteral("Footnote:"), 120, 1230, 675);
    placeInTwips(*addElement(LayoutText, 2, new QLineEdit(frame)), 870, 1200, 2760, 285);
    // The design's state: ticked, "Colour" chosen, both enabled.
    PrintGISCheck->setChecked(true);
    GISColourOption[1].setChecked(true);
    connect(PrintGISCheck, &QCheckBox::stateChanged, this, [this] { PrintGISCheck_Click(); });
}

void ReportForm2::createPrinterChoice()
{
    Label1 = addLabel(this, QStringLiteral("Printer:"), 4500, 4125, 495);
    Label1->setObjectName(QStringLiteral("Label1"));
    PrinterCombo = new QComboBox(this);
    PrinterCombo->setObjectName(QStringLiteral("PrinterCombo"));
    PrinterCombo->setGeometry(
        twipsToPixelsX(5100), twipsToPixelsY(4080), twipsToPixelsX(3075), PrinterCombo->sizeHint().height());

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    placeInTwips(*OKButton, 6060, 4935, 975, 375);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    placeInTwips(*CancelButton, 7155, 4935, 975, 375);
    // Only OK is ever the default: a button with the focus does not take it over.
    OKButton->setAutoDefault(false);
    CancelButton->setAutoDefault(false);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
}

void ReportForm2::arrangeTabOrder()
{
    std::vector<QWidget*> order;
    for (ControlArray<QWidget>* boxes : { &CompanyText, &ClientText }) {
        for (int i = 1; i <= 5; ++i) {
            order.push_back(&(*boxes)[i]);
        }
    }
    for (int i = 1; i <= 5; ++i) {
        order.push_back(&ApplicationText[i]);
    }
    for (int i = 0; i <= 2; ++i) {
        order.push_back(&AppUnitsOption[i]);
    }
    order.insert(order.end(),
        { &LayoutText[1], PrintGISCheck, &GISColourOption[1], &GISColourOption[2], &LayoutText[2],
            PrinterCombo, OKButton, CancelButton });
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void ReportForm2::Form_Load()
{
    loadPrinters();
    for (int i = 1; i <= 5; ++i) {
        const QString& name = contactValueNames()[i - 1];
        setBoxText(CompanyText[i], reportText(ReportSection::Company, name));
        setBoxText(ClientText[i], reportText(ReportSection::Client, name));
    }
    for (int i = 1; i <= 5; ++i) {
        ApplicationText[i].setText(reportText(ReportSection::Application, applicationValueNames()[i - 1]));
    }
    AppUnitsOption[reportRateUnits()].setChecked(true);
    LayoutText[1].setText(reportText(ReportSection::Layout, ReportValue::Title));
    PrintGISCheck->setChecked(reportPrintsMap());
    GISColourOption[reportMapInColour() ? 1 : 2].setChecked(true);
    LayoutText[2].setText(reportText(ReportSection::Layout, ReportValue::Footer));

    CompanyText[1].setFocus();
    static_cast<QLineEdit&>(CompanyText[1]).selectAll();
}

void ReportForm2::loadPrinters()
{
    const QStringList printers = Printers();
    const QString current = currentPrinter().DeviceName();
    int chosen = -1;
    for (int k = 0; k < printers.size(); ++k) {
        PrinterCombo->addItem(printers[k]);
        if (printers[k] == current) {
            chosen = k;
        }
    }
    PrinterCombo->setCurrentIndex(chosen);
}

void ReportForm2::PrintGISCheck_Click()
{
    const Qt::CheckState state = PrintGISCheck->checkState();
    if (state == Qt::PartiallyChecked) {
        return;
    }
    for (int i = 1; i <= 2; ++i) {
        GISColourOption[i].setEnabled(state == Qt::Checked);
    }
}

void ReportForm2::storeSettings()
{
    for (int i = 1; i <= 5; ++i) {
        storeReportText(ReportSection::Company, contactValueNames()[i - 1], boxText(CompanyText[i]));
    }
    for (int i = 1; i <= 5; ++i) {
        storeReportText(ReportSection::Client, contactValueNames()[i - 1], boxText(ClientText[i]));
    }
    for (int i = 1; i <= 5; ++i) {
        storeReportText(
            ReportSection::Application, applicationValueNames()[i - 1], ApplicationText[i].text());
    }
    for (int units = 0; units <= 2; ++units) {
        if (AppUnitsOption[units].isChecked()) {
            storeReportText(ReportSection::Application, ReportValue::Units, rateUnitsText(units));
        }
    }
    storeReportText(ReportSection::Layout, ReportValue::Title, LayoutText[1].text());
    storeReportText(ReportSection::Layout, ReportValue::PrintGIS, printsMapText(PrintGISCheck->isChecked()));
    storeReportText(
        ReportSection::Layout, ReportValue::GISColour, mapColourText(GISColourOption[1].isChecked()));
    storeReportText(ReportSection::Layout, ReportValue::Footer, LayoutText[2].text());
}

void ReportForm2::OKButton_Click()
{
    storeSettings();
    // Without a chosen entry (no printer installed, or the current one not
    // listed) the current printer, or the PDF file, stays.
    const int chosen = PrinterCombo->currentIndex();
    if (chosen >= 0) {
        const QString device = PrinterCombo->itemText(chosen);
        if (device != currentPrinter().DeviceName()) {
            setCurrentPrinter(device);
        }
    }
    accept();
}

void ReportForm2::CancelButton_Click()
{
    Cancelled = true;
    reject();
}

void ReportForm2::keyPressEvent(QKeyEvent* event)
{
    // Esc is the Cancel button's; the close box (QDialog's own reject) is not.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CancelButton_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

QString ReportForm2::boxText(const QWidget& box)
{
    if (const auto* address = qobject_cast<const QPlainTextEdit*>(&box)) {
        return address->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    }
    if (const auto* line = qobject_cast<const QLineEdit*>(&box)) {
        return line->text();
    }
    return QString();
}

void ReportForm2::setBoxText(QWidget& box, const QString& text)
{
    if (auto* address = qobject_cast<QPlainTextEdit*>(&box)) {
        address->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    } else if (auto* line = qobject_cast<QLineEdit*>(&box)) {
        line->setText(text);
    }
}

bool ReportForm2::isAddressBox(const QObject* object) const
{
    return object == CompanyText.at(2) || object == ClientText.at(2);
}

void ReportForm2::addressGotFocus()
{
    OKButton->setDefault(false);
}

void ReportForm2::addressLostFocus(QPlainTextEdit& box)
{
    QString text = boxText(box);
    while (text.endsWith(QStringLiteral("\r\n"))) {
        text.chop(2);
    }
    setBoxText(box, text);
    box.moveCursor(QTextCursor::Start);
    OKButton->setDefault(true);
}

bool ReportForm2::refusesNewLine(const QPlainTextEdit& box) const
{
    return boxText(box).count(u'\r') >= kAddressLineLimit;
}

bool ReportForm2::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (isAddressBox(watched)) {
        auto& box = static_cast<QPlainTextEdit&>(*watched);
        if (type == QEvent::FocusIn) {
            addressGotFocus();
        } else if (type == QEvent::FocusOut) {
            addressLostFocus(box);
        } else if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && refusesNewLine(box)) {
                return true;
            }
        }
    } else if (type == QEvent::FocusIn) {
        if (auto* option = qobject_cast<QRadioButton*>(watched)) {
            option->raise(); // the unit buttons overlap; the focused one shows whole
        } else if (auto* line = qobject_cast<QLineEdit*>(watched)) {
            line->selectAll();
        }
    }
    return QDialog::eventFilter(watched, event);
}
