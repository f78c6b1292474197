#include "korvel/agnav/flight_file.h"

#include "korvel/agnav/flight_log_format.h"
#include "korvel/shell/status_progress.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/list_rows.h"
#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"
#include "platform/vb_runtime_errors.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include <memory>

namespace {

// Reads a whole file into a list that large logs get on huge pages (see
// sample_list.h); readWholeFile's QByteArray would fault in every 4 KB page
// of a log of many megabytes.
bool readFile(const QString& path, SampleList<char>& bytes, QString& error)
{
    if (!QFileInfo(path).isFile()) {
        error = runtimeErrorDescription(RuntimeError::FileNotFound);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    bytes.resize(static_cast<std::size_t>(std::max<qint64>(0, file.size())));
    const qint64 read = file.read(bytes.data(), static_cast<qint64>(bytes.size()));
    if (read < 0) {
        error = file.errorString();
        return false;
    }
    bytes.resize(static_cast<std::size_t>(read)); // a file cut short meanwhile keeps what was read
    return true;
}

// The log's bytes, through a private copy when it lies on a network file
// system: the guidance system may still be writing to a shared folder, and a
// fixed work-file name would let two loads overwrite each other's copy.
bool readLog(const QString& path, SampleList<char>& bytes, QString& error)
{
    std::unique_ptr<TemporaryCopy> copy;
    QString readPath = path;
    if (isOnNetworkFileSystem(path)) {
        copy = TemporaryCopy::create(path, &error);
        if (!copy) {
            return false;
        }
        readPath = copy->path();
    }
    return readFile(readPath, bytes, error);
}

} // namespace

AgnavOutcome LoadFlightFile(int blockIndex, const QString& path,
    const std::function<std::optional<int>()>& askCalibratedSpeed, int* flightIndex)
{
    QString refusal = flightLimitRefusal(blockAt(blockIndex));
    if (refusal.isEmpty()) {
        refusal = listRowLimitRefusal();
    }
    if (!refusal.isEmpty()) {
        return AgnavOutcome::refused(refusal);
    }
    SampleList<char> bytes;
    QString error;
    if (!readLog(path, bytes, error)) {
        return AgnavOutcome::refused(QStringLiteral("Cannot read %1: %2").arg(path, error));
    }
    FlightFile flight;
    flight.Path = path;
    flight.Name = path.mid(path.lastIndexOf(u'/') + 1);
    FlightDecodeOptions options;
    options.utmMode = globals().UTMMode;
    options.askCalibratedSpeed = askCalibratedSpeed;
    options.progress = &statusProgress();
    const AgnavOutcome outcome = decodeFlightLog(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), options, flight);
    if (!outcome.isDone()) {
        return outcome;
    }
    const int index = appendFlight(blockIndex, std::move(flight));
    if (flightIndex) {
        *flightIndex = index;
    }
    return outcome;
}
