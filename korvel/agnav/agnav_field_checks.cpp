#include "korvel/agnav/agnav_field_checks.h"

#include "korvel/shell/length_units.h"
#include "platform/vb_error.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr double kDegreesInCircle = 360;

// The value rounded half to even, when it fits 32 bits.
std::optional<qint32> wholeOf(double value)
{
    try {
        return CLng(value);
    } catch (const VbError&) {
        return std::nullopt;
    }
}

// The text's number rounded half to even, when it is one and fits 32 bits.
std::optional<qint32> wholeNumberOf(const QString& text)
{
    const std::optional<double> value = typedNumberValue(text);
    return value ? wholeOf(*value) : std::nullopt;
}

// The single-precision value the range tests compare; infinite beyond a Single.
float singleOf(double value)
{
    constexpr double largest = std::numeric_limits<float>::max();
    if (std::fabs(value) > largest) {
        return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

AgnavFieldCheck refused(const QString& warning)
{
    AgnavFieldCheck check;
    check.warning = warning;
    return check;
}

AgnavFieldCheck accepted(const QString& text)
{
    AgnavFieldCheck check;
    check.valid = true;
    check.text = text;
    return check;
}

// A whole-number field: one warning for every refusal.
AgnavFieldCheck checkWhole(const QString& text, qint64 minimum, qint64 maximum, const QString& warning)
{
    const std::optional<qint32> whole = wholeNumberOf(text);
    if (!whole || *whole < minimum || *whole > maximum) {
        return refused(warning);
    }
    return accepted(QString::number(*whole));
}

AgnavFieldCheck checkRaceTrack(const QString& text)
{
    const QString warning = QStringLiteral("Race Track must be an integer\rless than -1 or greater than 1.");
    const std::optional<qint32> whole = wholeNumberOf(text);
    if (!whole || *whole == 0) {
        return refused(warning);
    }
    return accepted(QString::number(*whole));
}

AgnavFieldCheck checkSeconds(const QString& text, const QString& warning)
{
    const std::optional<double> value = typedNumberValue(text);
    if (!value) {
        return refused(warning);
    }
    const float single = singleOf(*value);
    if (single < -5.0f || single > 5.0f) {
        return refused(warning);
    }
    return accepted(Format(*value, QStringLiteral("0.00")));
}

AgnavFieldCheck checkMagneticVariation(const QString& text)
{
    AgnavFieldCheck check = checkWhole(
        text, -50, 50, QStringLiteral("Magnetic Variation must be a\rnumber between -50 and 50."));
    if (check.valid) {
        const qint32 whole = check.text.toInt();
        check.direction = whole > 0 ? QStringLiteral("W") : whole < 0 ? QStringLiteral("E") : QString();
        check.text = QString::number(std::abs(whole));
    }
    return check;
}

AgnavFieldCheck checkDelta(const QString& text, const QString& axisName, double maximum)
{
    const QString limit = maximum >= 1000000 ? QStringLiteral("1,000,000") : QStringLiteral("1,000");
    const std::optional<double> value = typedNumberValue(text);
    if (!value) {
        return refused(QStringLiteral("Invalid value for %1 Shift.").arg(axisName));
    }
    // Below 0 tests the whole value (-0.4 is 0), the upper bound the single one.
    const std::optional<qint32> whole = wholeOf(*value);
    if (whole ? *whole < 0 : *value < 0) {
        return refused(QStringLiteral("%1 Shift must be a positive number (or 0).").arg(axisName));
    }
    if (!whole || singleOf(*value) > static_cast<float>(maximum)) {
        return refused(QStringLiteral("%1 Shift must be a number from 0 to %2.").arg(axisName, limit));
    }
    return accepted(QString::number(*whole));
}

// Whole degrees wrapped into 0..359: 370 gives 10, -90 gives 270, -360 gives 0.
AgnavFieldCheck checkLineDirection(const QString& text, AgnavDialog dialog)
{
    const QString warning = dialog == AgnavDialog::Job
        ? QStringLiteral("Invalid value for Line Direction.")
        : QStringLiteral("Invalid value for Default Line Direction.");
    const std::optional<qint32> whole = wholeNumberOf(text);
    if (!whole) {
        return refused(warning);
    }
    const qint64 degrees = kDegreesInCircle;
    return accepted(QString::number(((qint64(*whole) % degrees) + degrees) % degrees));
}

AgnavFieldCheck checkPositive(const QString& text, AgnavDialog dialog, const QString& jobWarning,
    const QString& notNumber, const QString& notPositive)
{
    if (dialog == AgnavDialog::Job) {
        return checkWhole(text, 1, std::numeric_limits<qint32>::max(), jobWarning);
    }
    if (!wholeNumberOf(text)) {
        return refused(notNumber);
    }
    return checkWhole(text, 1, std::numeric_limits<qint32>::max(), notPositive);
}

AgnavFieldCheck checkEllipsoidValue(const QString& text, const QString& warning, float low, float high)
{
    const std::optional<double> value = typedNumberValue(text);
    if (!value) {
        return refused(warning);
    }
    AgnavFieldCheck check = accepted(text);
    const float single = singleOf(*value);
    check.outsideNormalRange = single < low || single > high;
    return check;
}

} // namespace

AgnavFieldCheck checkAgnavField(AgnavField field, const QString& text, AgnavDialog dialog)
{
    switch (field) {
    case AgnavField::AreaName:
        return text.trimmed().isEmpty() ? refused(QStringLiteral("You must specify a name for the area."))
                                        : accepted(text.trimmed());
    case AgnavField::MaxXTrack:
        return checkWhole(
            text, 1, 10000, QStringLiteral("Max. Cross-Track must be an\rinteger between 1 and 10,000."));
    case AgnavField::RaceTrack:
        return checkRaceTrack(text);
    case AgnavField::SkipTrack:
        return checkWhole(text, 1, 500, QStringLiteral("Skip Track must be an integer\rbetween 1 and 500."));
    case AgnavField::MagVar:
        return checkMagneticVariation(text);
    case AgnavField::LagTime:
        return checkSeconds(
            text, QStringLiteral("System Lag must be a number\rbetween -5.00 and +5.00 seconds."));
    case AgnavField::RelayOn:
        return checkSeconds(text, QStringLiteral("Relay On must be a number\rbetween -5.00 and +5.00 sec."));
    case AgnavField::RelayOff:
        return checkSeconds(text, QStringLiteral("Relay Off must be a number\rbetween -5.00 and +5.00 sec."));
    case AgnavField::DeltaX:
        return checkDelta(text, QStringLiteral("Delta X"), 1000000);
    case AgnavField::DeltaY:
        return checkDelta(text, QStringLiteral("Delta Y"), 1000000);
    case AgnavField::DeltaZ:
        return checkDelta(text, QStringLiteral("Delta Z"), 1000);
    case AgnavField::LineNum:
        return checkPositive(text, dialog, QStringLiteral("No. of Lines must be a positive integer."),
            QStringLiteral("Invalid value for Default No. of Lines."),
            QStringLiteral("The Default No. of Lines must be a positive integer."));
    case AgnavField::SwathWidth:
        return checkPositive(text, dialog, QStringLiteral("Swath Width must be a positive integer."),
            QStringLiteral("Invalid value for Default Swath Width."),
            QStringLiteral("The Default Swath Width must be a positive integer."));
    case AgnavField::LineDirection:
        return checkLineDirection(text, dialog);
    case AgnavField::EllipsoidAxis:
        return checkEllipsoidValue(
            text, QStringLiteral("Invalid value for Ellipsoid Semi-Major Axis."), 6370000.0f, 6380000.0f);
    case AgnavField::EllipsoidFlattening:
        return checkEllipsoidValue(
            text, QStringLiteral("Invalid value for Ellipsoid Eccentricity."), 295.0f, 305.0f);
    }
    return refused(QString());
}

QString rangeQuestion(AgnavField field)
{
    const QString what = field == AgnavField::EllipsoidAxis ? QStringLiteral("Ellipsoid Semi-Major Axis")
                                                            : QStringLiteral("Ellipsoid Flattening");
    return QStringLiteral(
        "The specified value for %1\rdoes not lie within the normal range for this number.\r\r"
        "Continue anyways?")
        .arg(what);
}

QString signedMagneticVariation(const QString& text, const QString& direction)
{
    // With a direction shown the text is a magnitude.
    QString magnitude = text.trimmed();
    if (direction.isEmpty()) {
        return magnitude;
    }
    if (magnitude.startsWith(u'-') || magnitude.startsWith(u'+')) {
        magnitude.remove(0, 1);
    }
    const std::optional<double> value = typedNumberValue(magnitude);
    const bool east = direction == QLatin1String("E") && (!value || *value != 0);
    return east ? u'-' + magnitude : magnitude;
}

std::optional<QString> unitsConverted(AgnavField field, const QString& text, bool toUSUnits)
{
    const std::optional<double> value = typedNumberValue(text);
    if (!value) {
        return std::nullopt;
    }
    const double single = singleOf(*value);
    const double converted = toUSUnits ? single * FeetPerMetre : single / FeetPerMetre;
    const std::optional<qint32> whole = wholeOf(converted);
    if (!whole) {
        return std::nullopt;
    }
    const AgnavFieldCheck check = checkAgnavField(field, QString::number(*whole), AgnavDialog::Job);
    return check.valid ? std::optional<QString>(check.text) : std::nullopt;
}

QString jobNameRefusal(const QString& fileName)
{
    const QString job = fileName.left(std::max<qsizetype>(0, fileName.size() - 4));
    if (job.isEmpty() || job.size() > MaxJobNameLength || job.contains(u' ') || job.contains(u'\t')) {
        return QStringLiteral("The file name \"%1\" cannot be used for an AG-NAV block.\r"
                              "Without its extension it is the job name, which the guidance\r"
                              "system needs as 1 to %2 characters without blanks.")
            .arg(fileName)
            .arg(MaxJobNameLength);
    }
    return {};
}
