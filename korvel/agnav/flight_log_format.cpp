#include "korvel/agnav/flight_log_format.h"

#include "korvel/shell/status_progress.h"
#include "platform/vb_colors.h"
#include "platform/vb_numbers.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int ProgressStep = 4096; // samples between progress updates
constexpr double DeviationLimit = 25.0; // percent: full red or full blue
constexpr double MaxSpeedKmh = 1000.0;
constexpr double MaxSpeedMph = 620.0;
constexpr double KmPerMile = 1.609;

template <typename T> T field(const char* record, int offset)
{
    return qFromLittleEndian<T>(record + offset);
}

// Green at 0 %, fading to red at +25 % and to blue at -25 %.
qint32 deviationColour(double percent)
{
    const double d = std::clamp(percent, -DeviationLimit, DeviationLimit);
    if (d < 0.0) {
        const double share = -d / DeviationLimit;
        return RGB(0, CLng((1.0 - share) * 255.0), CLng(share * 255.0));
    }
    const double share = d / DeviationLimit;
    return RGB(CLng(share * 255.0), CLng((1.0 - share) * 255.0), 0);
}

// A log carries flow data when the target fields of records 1, N \ 2 and
// N - 1 add up to at least 1; each index is held to 1..N so that logs of one
// or two records read only records they have.
bool hasFlowData(const char* records, int n)
{
    const auto target = [&](int record) {
        const int index = std::clamp(record, 1, n);
        return static_cast<int>(field<qint16>(records + std::size_t(index - 1) * AGFRecordLength, 45));
    };
    return target(1) + target(n / 2) + target(n - 1) >= 1;
}

// Reserves the lists for samples 0..n and puts in the start values. The
// samples are appended one by one into the reserved room: filling the lists
// with zeros first would write every byte twice.
void allocate(FlightFile& flight, int n)
{
    const std::size_t size = static_cast<std::size_t>(n) + 1;
    const auto start = [size](auto& list, auto value) {
        list.clear();
        list.reserve(size);
        list.push_back(value);
    };
    start(flight.Spray, quint8(0));
    start(flight.Flow, qint16(0));
    start(flight.Target, qint16(0));
    start(flight.Colour, RGB(255, 0, 0)); // the track's plain colour
    start(flight.Altitude, qint32(0));
    start(flight.Time, 0.0f);
    start(flight.CrossTrack, qint32(0));
    start(flight.Position, FlightPosition());
    flight.DGPSQuality.assign(size, 0); // no log carries it
}

// The report's figures of one sample (see decodeFlightLog); `previous` is
// the record before it and whether that one sprayed.
void addSummaryFigures(const AGFRecord& r, const AGFRecord* previous, bool previousSprays, bool sprays,
    double swathMetres, FlightFile& flight)
{
    if (previous && previousSprays) {
        const double dx = double(r.Easting) - double(previous->Easting);
        const double dy = double(r.Northing) - double(previous->Northing);
        flight.SprayedAreaPart1 += std::hypot(dx, dy) * swathMetres;
    }
    if (sprays) {
        flight.SpeedSum += r.GroundSpeed / 100.0;
        ++flight.SpeedSamples;
    }
}

void decodeSamples(
    const char* records, int n, const FlightDecodeOptions& options, int calibratedSpeed, FlightFile& flight)
{
    const bool flowData = !flight.NoFlowData;
    const double swathMetres = decodeAGFRecord(records).SwathWidth / 10.0;
    AGFRecord previous;
    bool previousSprays = false;
    for (int i = 1; i <= n; ++i) {
        const AGFRecord r = decodeAGFRecord(records + std::size_t(i - 1) * AGFRecordLength);
        const bool sprays = flowData ? r.Flow > 0 : r.Spray != 0;
        addSummaryFigures(r, i > 1 ? &previous : nullptr, previousSprays, sprays, swathMetres, flight);
        previous = r;
        previousSprays = sprays;
        if (options.utmMode) {
            flight.Position.push_back({ double(r.Easting), double(r.Northing) });
        } else {
            flight.Position.push_back({ r.Longitude / 1000000.0, r.Latitude / 1000000.0 });
        }
        qint16 flow = r.Flow;
        qint16 target = r.Target <= AGFTargetAbsent ? r.Target : flight.Target.back();
        qint32 colour = 0;
        if (flowData) {
            if (flow > 0 && target != 0) {
                colour = deviationColour((double(flow) / target - 1.0) * 100.0);
            }
        } else if (r.Spray != 0) {
            flow = static_cast<qint16>(calibratedSpeed);
            target = r.GroundSpeed;
            if (r.GroundSpeed != 0) {
                colour = deviationColour((1.0 - double(calibratedSpeed) / r.GroundSpeed) * 100.0);
            }
        }
        flight.Spray.push_back(r.Spray);
        flight.Flow.push_back(flow);
        flight.Target.push_back(target);
        flight.Colour.push_back(colour);
        flight.Time.push_back(static_cast<float>(r.Time / 100.0));
        flight.CrossTrack.push_back(r.CrossTrack);
        flight.Altitude.push_back(r.Altitude);
        if (options.progress && (i % ProgressStep == 0 || i == n)) {
            options.progress->setProgress(i);
        }
    }
}

} // namespace

AGFRecord decodeAGFRecord(const char* record)
{
    AGFRecord r;
    r.Time = field<qint32>(record, 3);
    r.Latitude = field<qint32>(record, 7);
    r.Longitude = field<qint32>(record, 11);
    r.CrossTrack = field<qint32>(record, 18);
    r.GroundSpeed = field<qint16>(record, 22);
    r.Altitude = field<qint16>(record, 24);
    r.Easting = field<qint32>(record, 28);
    r.Northing = field<qint32>(record, 32);
    r.SwathWidth = field<qint16>(record, 36);
    r.Spray = static_cast<quint8>(record[39]);
    r.Flow = field<qint16>(record, 43);
    r.Target = field<qint16>(record, 45);
    return r;
}

AgnavOutcome decodeFlightLog(const QByteArray& bytes, const FlightDecodeOptions& options, FlightFile& flight)
{
    const QString notValid = QStringLiteral("File is not valid.");
    if (bytes.size() <= AGFFormatMarkerOffset) {
        return AgnavOutcome::refused(notValid);
    }
    const int marker = static_cast<quint8>(bytes[AGFFormatMarkerOffset]);
    if (marker == 2) {
        return AgnavOutcome::refused(QStringLiteral(
            "AGNAV flight file is in 70-byte format.\rCurrently, only the 51-byte format is supported."));
    }
    // Only whole records are samples: a log cut off while being copied keeps
    // what it recorded, and its partial tail is never read.
    const qint64 whole = bytes.size() / AGFRecordLength;
    if (marker != 3 || whole < 1 || whole > std::numeric_limits<int>::max() - 1) {
        return AgnavOutcome::refused(notValid);
    }
    const int n = static_cast<int>(whole);
    const char* records = bytes.constData();

    FlightFile read;
    read.NoFlowData = !hasFlowData(records, n);
    int calibratedSpeed = 0;
    if (read.NoFlowData) {
        const std::optional<int> answer
            = options.askCalibratedSpeed ? options.askCalibratedSpeed() : std::nullopt;
        if (!answer) {
            return AgnavOutcome::cancelled();
        }
        calibratedSpeed = *answer;
    }
    if (options.progress) {
        options.progress->showProgress(n);
        options.progress->setStatusText(QStringLiteral("Loading AGNAV File"));
    }
    allocate(read, n);
    decodeSamples(records, n, options, calibratedSpeed, read);
    read.SampleCount = n;
    read.SwathWidth = CLng(decodeAGFRecord(records).SwathWidth / 10.0);
    if (options.progress) {
        options.progress->hideProgress();
        options.progress->setStatusText(QString());
    }
    read.Path = flight.Path;
    read.Name = flight.Name;
    read.CaptionTrim = flight.CaptionTrim;
    flight = std::move(read);
    return AgnavOutcome::done();
}

QString calibratedSpeedPrompt(bool metricSystem)
{
    return QStringLiteral("This AGNAV spray file doesn't contain any flow data.\r"
                          "Please input the calibrated speed of the aircraft. (%1)")
        .arg(metricSystem ? QStringLiteral("km/h") : QStringLiteral("mph"));
}

std::optional<int> calibratedSpeedFromAnswer(const QString& answer, bool metricSystem)
{
    // An answer beyond any number is no speed either.
    const double speed = typedNumberValue(answer).value_or(0.0);
    const double highest = metricSystem ? MaxSpeedKmh : MaxSpeedMph;
    if (!(speed >= 1.0 && speed <= highest)) {
        return std::nullopt;
    }
    const double kmh = metricSystem ? speed : speed * KmPerMile;
    return CLng(kmh * 1000.0 / 36.0);
}
