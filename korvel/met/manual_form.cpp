#include "korvel/met/manual_form.h"

#include "korvel/shell/main_form.h"
#include "platform/form_design_kit.h"
#include "platform/single_form.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace {

SingleForm<ManualForm> g_form;

const QChar kDegree(0xB0);

// A box's number, read as typed, when it is one and fits the type; nothing
// otherwise.
template <class Convert> auto numberIn(const QLineEdit& box, Convert convert)
    -> std::optional<decltype(convert(QString()))>
{
    const QString text = typedNumberText(box.text());
    if (!IsNumeric(text)) {
        return std::nullopt;
    }
    try {
        return convert(text);
    } catch (const VbError&) {
        return std::nullopt;
    }
}

QLabel* newLabel(const char* name, const QString& caption, QWidget* parent, int x, int y, int width)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, width, 17);
    return label;
}

QLineEdit* newBox(const char* name, QWidget* parent, int y)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(96, y, 65, 21);
    return box;
}

} // namespace

ManualForm& ManualForm::instance()
{
    return g_form.instance([] { return new ManualForm(MainForm::existing()); });
}

void ManualForm::release()
{
    g_form.release();
}

ManualForm::ManualForm(QWidget* parent)
    : QDialog(parent)
{
    designFixedDialog(*this, QStringLiteral("ManualForm"), QStringLiteral("Manual Meteorology Entry"));
    setFixedSize(281, 121);

    SpeedLabel = newLabel("SpeedLabel", QStringLiteral("Wind Speed:"), this, 8, 14, 84);
    SpeedText = newBox("SpeedText", this, 12);
    SpeedUnits = newLabel("SpeedUnits", QStringLiteral("Kts"), this, 166, 14, 30);
    DirectionLabel = newLabel("DirectionLabel", QStringLiteral("Wind Direction:"), this, 8, 44, 84);
    DirectionText = newBox("DirectionText", this, 42);
    DirUnits = newLabel("DirUnits", QString(), this, 166, 44, 30);
    AirTempLabel = newLabel("AirTempLabel", QStringLiteral("Air Temp:"), this, 8, 74, 84);
    AirTempText = newBox("AirTempText", this, 72);
    TempUnits = newLabel("TempUnits", QString(), this, 166, 74, 30);
    for (QLabel* caption : { SpeedLabel, DirectionLabel, AirTempLabel }) {
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    AcceptButton = new QPushButton(QStringLiteral("Accept"), this);
    AcceptButton->setObjectName(QStringLiteral("AcceptButton"));
    AcceptButton->setGeometry(200, 12, 73, 25);
    AcceptButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(200, 44, 73, 25);
    connect(AcceptButton, &QPushButton::clicked, this, [this] { AcceptButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
    Form_Load();
}

ManualForm::~ManualForm() = default;

void ManualForm::Form_Load()
{
    DirUnits->setText(QString(kDegree));
    TempUnits->setText(QString(kDegree) + u'F');
}

void ManualForm::AcceptButton_Click()
{
    const std::optional<float> knots = numberIn(*SpeedText, [](const QString& t) { return CSng(t); });
    if (!knots) {
        refuse(*SpeedText);
        return;
    }
    const std::optional<qint16> direction
        = numberIn(*DirectionText, [](const QString& t) { return CInt(t); });
    if (!direction) {
        refuse(*DirectionText);
        return;
    }
    const std::optional<float> temperature = numberIn(*AirTempText, [](const QString& t) { return CSng(t); });
    if (!temperature) {
        refuse(*AirTempText);
        return;
    }
    if (*direction < 0 || *direction > 360) {
        refuse(*DirectionText);
        return;
    }
    if (*direction == 360) {
        DirectionText->setText(QStringLiteral("0"));
    }
    WindSpeed = double(*knots) * KnotsToMetresPerSecond;
    WindDirection = *direction == 360 ? 0 : *direction;
    AirTemp = *temperature;
    Cancelled = false;
    accept();
}

void ManualForm::CancelButton_Click()
{
    reject();
}

void ManualForm::reject()
{
    Cancelled = true;
    QDialog::reject();
}

void ManualForm::refuse(QLineEdit& box)
{
    box.setFocus();
    box.selectAll();
}
