// The text boxes of the shared AG-NAV job controls: their checks when they
// lose the focus and at Accept, their focus events, the units switch and the
// save of a user ellipsoid.
#include "korvel/agnav/agnav_job_controls.h"

#include "platform/msg_box.h"
#include "platform/named_control.h"
#include "platform/vb_numbers.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace {

struct FieldBox
{
    AgnavField field;
    const char* name;
};

// In the order Accept checks them, the order of the boxes on the dialogs.
constexpr FieldBox kFieldBoxes[] = {
    { AgnavField::AreaName, "NameText" },
    { AgnavField::MaxXTrack, "XTrackText" },
    { AgnavField::RaceTrack, "RaceText" },
    { AgnavField::SkipTrack, "SkipText" },
    { AgnavField::MagVar, "MagVarText" },
    { AgnavField::LagTime, "LagText" },
    { AgnavField::RelayOn, "RelayOnText" },
    { AgnavField::RelayOff, "RelayOffText" },
    { AgnavField::EllipsoidAxis, "AxisText" },
    { AgnavField::EllipsoidFlattening, "EccentricityText" },
    { AgnavField::DeltaX, "DeltaText(1)" },
    { AgnavField::DeltaY, "DeltaText(2)" },
    { AgnavField::DeltaZ, "DeltaText(3)" },
    { AgnavField::LineNum, "LineNumText" },
    { AgnavField::LineDirection, "LineDirectionText" },
    { AgnavField::SwathWidth, "SwathWidthText" },
};

QLabel& directionLabel(const QWidget& dialog)
{
    return namedControl<QLabel>(dialog, QStringLiteral("DirectionLabel"));
}

// The focus goes back once the event that took it away is over.
void refocus(QLineEdit& box)
{
    QTimer::singleShot(0, &box, [box = QPointer<QLineEdit>(&box)] {
        if (box) {
            box->setFocus(Qt::OtherFocusReason);
        }
    });
}

bool confirmRange(QLineEdit& box, AgnavField field, const AgnavFieldCheck& check, bool* rangeAccepted)
{
    // A locked box shows a listed row, which the user cannot change.
    if (!check.outsideNormalRange || box.isReadOnly() || !rangeAccepted || *rangeAccepted) {
        return true;
    }
    if (MsgBox(rangeQuestion(field), vbYesNo | vbQuestion) != vbYes) {
        refocus(box);
        return false;
    }
    *rangeAccepted = true;
    return true;
}

// The runtime's GotFocus and LostFocus of the field boxes. A box losing the
// focus to another program or to a message box is not being left, so only
// moves inside the dialog run the check; and none runs while a check's
// message is up.
class FieldFocus final : public QObject
{
public:
    FieldFocus(QWidget& dialog, std::function<void(AgnavField)> lostFocus)
        : QObject(&dialog)
        , m_dialog(dialog)
        , m_lostFocus(std::move(lostFocus))
    {
        for (const FieldBox& entry : kFieldBoxes) {
            if (QLineEdit* box = agnavFieldBox(dialog, entry.field)) {
                box->installEventFilter(this);
            }
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (!box || (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)) {
            return QObject::eventFilter(watched, event);
        }
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const AgnavField field = fieldOf(*box);
        if (event->type() == QEvent::FocusIn) {
            gotFocus(*box, field);
        } else if (!m_checking && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            m_checking = true;
            m_lostFocus(field);
            m_checking = false;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    AgnavField fieldOf(const QLineEdit& box) const
    {
        for (const FieldBox& entry : kFieldBoxes) {
            if (box.objectName() == QLatin1String(entry.name)) {
                return entry.field;
            }
        }
        return AgnavField::AreaName;
    }

    void gotFocus(QLineEdit& box, AgnavField field)
    {
        if (field == AgnavField::MagVar && !m_checking) {
            // Edited as a signed number; the direction comes back on leaving.
            QLabel& direction = directionLabel(m_dialog);
            box.setText(signedMagneticVariation(box.text(), direction.text()));
            direction.clear();
        }
        QMetaObject::invokeMethod(&box, &QLineEdit::selectAll, Qt::QueuedConnection);
    }

    QWidget& m_dialog;
    std::function<void(AgnavField)> m_lostFocus;
    bool m_checking = false;
};

} // namespace

QLineEdit* agnavFieldBox(const QWidget& dialog, AgnavField field)
{
    for (const FieldBox& entry : kFieldBoxes) {
        if (entry.field == field) {
            return dialog.findChild<QLineEdit*>(QLatin1String(entry.name));
        }
    }
    return nullptr;
}

bool checkAgnavFieldBox(QWidget& dialog, AgnavField field, AgnavDialog kind, bool* rangeAccepted)
{
    QLineEdit* box = agnavFieldBox(dialog, field);
    if (!box) {
        return true;
    }
    const bool magVar = field == AgnavField::MagVar;
    const QString typed
        = magVar ? signedMagneticVariation(box->text(), directionLabel(dialog).text()) : box->text();
    const AgnavFieldCheck check = checkAgnavField(field, typed, kind);
    if (!check.valid) {
        MsgBox(check.warning, vbExclamation);
        refocus(*box);
        return false;
    }
    if (field == AgnavField::EllipsoidAxis || field == AgnavField::EllipsoidFlattening) {
        return confirmRange(*box, field, check, rangeAccepted);
    }
    box->setText(check.text);
    if (magVar) {
        directionLabel(dialog).setText(check.direction);
    }
    return true;
}

bool checkAllAgnavFields(QWidget& dialog, AgnavDialog kind, bool& axisAccepted, bool& flatteningAccepted)
{
    for (const FieldBox& entry : kFieldBoxes) {
        bool* accepted = entry.field == AgnavField::EllipsoidAxis ? &axisAccepted
            : entry.field == AgnavField::EllipsoidFlattening      ? &flatteningAccepted
                                                                  : nullptr;
        if (!checkAgnavFieldBox(dialog, entry.field, kind, accepted)) {
            return false;
        }
    }
    return true;
}

void switchAgnavUnits(QWidget& dialog, bool toUSUnits, bool swathToo)
{
    const QString unit = toUSUnits ? QStringLiteral("ft") : QStringLiteral("m");
    const auto convert = [&](AgnavField field, const QString& boxName, const QString& labelName) {
        namedControl<QLabel>(dialog, labelName).setText(unit);
        QLineEdit& box = namedControl<QLineEdit>(dialog, boxName);
        if (const std::optional<QString> converted = unitsConverted(field, box.text(), toUSUnits)) {
            box.setText(*converted);
        }
    };
    convert(AgnavField::MaxXTrack, QStringLiteral("XTrackText"), QStringLiteral("UnitLabel(1)"));
    if (swathToo) {
        convert(AgnavField::SwathWidth, QStringLiteral("SwathWidthText"), QStringLiteral("UnitLabel(2)"));
    }
}

bool saveUserEllipsoid(QWidget& dialog, std::vector<AGNAVEllipsoid>& list, bool listInDialog)
{
    QLineEdit& axisBox = namedControl<QLineEdit>(dialog, QStringLiteral("AxisText"));
    QLineEdit& flatteningBox = namedControl<QLineEdit>(dialog, QStringLiteral("EccentricityText"));
    const QString axisText = typedNumberText(axisBox.text());
    const QString flatteningText = typedNumberText(flatteningBox.text());
    const std::optional<double> axis = numericValue(axisText);
    const std::optional<double> flattening = numericValue(flatteningText);
    if (!axis || !flattening) {
        const AgnavField field = axis ? AgnavField::EllipsoidFlattening : AgnavField::EllipsoidAxis;
        MsgBox(checkAgnavField(field, QString(), AgnavDialog::Job).warning, vbExclamation);
        return false;
    }
    if (const std::optional<int> row = matchingEllipsoidRow(list, *axis, *flattening)) {
        MsgBox(QStringLiteral("The ellipsoid you entered matches the '%1' ellipsoid.")
                   .arg(list[static_cast<std::size_t>(*row)].EllipsoidName));
        return false;
    }
    const QString name = InputBox(QStringLiteral("Please enter a name for this custom ellipsoid.")).trimmed();
    if (name.isEmpty()) {
        return false;
    }
    if (const QString refusal = userEllipsoidNameRefusal(list, name); !refusal.isEmpty()) {
        MsgBox(refusal);
        return false;
    }
    const AGNAVEllipsoid row { name, axisText, flatteningText };
    const AgnavOutcome saved = saveUserEllipsoidRow(row);
    if (!saved.isDone()) {
        MsgBox(saved.message(), vbExclamation);
        return false;
    }
    if (listInDialog) {
        list.push_back(row);
        QComboBox& combo = namedControl<QComboBox>(dialog, QStringLiteral("EllipsoidCombo"));
        addEllipsoidComboRow(combo, static_cast<int>(list.size()) - 1, name);
        combo.setCurrentIndex(
            ellipsoidPositionOfRow(static_cast<int>(list.size()) - 1, static_cast<int>(list.size())));
    }
    return true;
}

void connectAgnavFieldFocus(QWidget& dialog, std::function<void(AgnavField)> lostFocus)
{
    new FieldFocus(dialog, std::move(lostFocus));
}
