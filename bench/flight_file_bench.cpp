// Loads AG-NAV spray flight logs of 1,000,000 samples in all (about 51 MB)
// as the spray-data command does, file reading included: as one day's log
// and as 20 logs of 50,000 samples. Then decodes the same bytes from memory
// alone. The target is at least 200 MB/s for the loading.
//
//   scripts/build -DKORVEL_BENCH=ON && build/bench/flight_file_bench
#include "korvel/agnav/flight_file.h"
#include "korvel/agnav/flight_log_format.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/map_state.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <vector>

namespace {

constexpr int TotalSamples = 1000000;

template <typename T> void put(char* record, int offset, T value)
{
    qToLittleEndian(value, record + offset);
}

// A plausible log: passes up and down a field at 50 m/s, five samples a
// second, booms switching at the field edges, flow wandering around target.
QByteArray makeLog(int seed, int samples)
{
    QByteArray bytes(qsizetype(samples) * AGFRecordLength, '\0');
    for (int i = 0; i < samples; ++i) {
        char* r = bytes.data() + qsizetype(i) * AGFRecordLength;
        const int pass = i / 400;
        const int along = i % 400;
        const bool inField = along > 20 && along < 380;
        r[2] = 3;
        put<qint32>(r, 3, 3600000 + i * 20);
        put<qint32>(r, 7, 43350000 + (pass % 2 ? 400 - along : along) * 90);
        put<qint32>(r, 11, -80990000 + pass * 400);
        put<qint32>(r, 18, (i * 37 + seed) % 21 - 10);
        put<qint16>(r, 22, 5000);
        put<qint16>(r, 24, qint16(300 + i % 7));
        put<qint32>(r, 28, 500600 + pass * 30);
        put<qint32>(r, 32, 4800700 + (pass % 2 ? 400 - along : along) * 10);
        put<qint16>(r, 36, 300);
        r[39] = inField ? 1 : 0;
        put<qint16>(r, 43, qint16(inField ? 85 + (i * 13 + seed) % 31 : 0));
        put<qint16>(r, 45, 100);
    }
    return bytes;
}

struct LogFiles
{
    QTemporaryDir folder;
    std::vector<QString> paths;
    std::vector<QByteArray> bytes;
    qint64 total = 0;
};

// The logs of 1,000,000 samples in all, split into `count` files.
const LogFiles& logFiles(int count)
{
    static std::map<int, LogFiles> made;
    LogFiles& f = made[count];
    if (f.paths.empty()) {
        for (int n = 0; n < count; ++n) {
            f.bytes.push_back(makeLog(n, TotalSamples / count));
            f.paths.push_back(f.folder.path() + QStringLiteral("/N0612A%1.T01").arg(n, 2, 10, QChar(u'0')));
            QFile file(f.paths.back());
            if (!file.open(QIODevice::WriteOnly) || file.write(f.bytes.back()) != f.bytes.back().size()) {
                std::abort();
            }
            f.total += f.bytes.back().size();
        }
    }
    return f;
}

void loadFlightLogs(benchmark::State& state)
{
    const LogFiles& files = logFiles(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        resetAgnavData();
        const int block = appendBlock();
        for (const QString& path : files.paths) {
            if (!LoadFlightFile(block, path, [] { return std::optional<int>(2778); }).isDone()) {
                state.SkipWithError("log refused");
                return;
            }
        }
        benchmark::DoNotOptimize(agnavData().Blocks[1].Flights.back().Colour.data());
    }
    state.SetBytesProcessed(state.iterations() * files.total);
}

void decodeFlightLogsFromMemory(benchmark::State& state)
{
    const LogFiles& files = logFiles(static_cast<int>(state.range(0)));
    FlightDecodeOptions options;
    for (auto _ : state) {
        for (const QByteArray& bytes : files.bytes) {
            FlightFile flight;
            decodeFlightLog(bytes, options, flight);
            benchmark::DoNotOptimize(flight.Colour.data());
        }
    }
    state.SetBytesProcessed(state.iterations() * files.total);
}

} // namespace

// The argument is the number of logs the million samples are split into.
BENCHMARK(loadFlightLogs)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(decodeFlightLogsFromMemory)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
