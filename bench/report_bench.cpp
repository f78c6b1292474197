// Prints the application report of 20 flights in four blocks, with its map
// page (a 1024 x 768 map picture), into a PDF file: the first page, the map
// page and the statistics page with its five histograms, from the printer's
// set-up to the file written. The histograms are nearly flat, so nearly
// every bar is hatched close to the frame's full height: the most hatch
// lines the page can hold. The target is at most 2 s.
//
//   scripts/build -DKORVEL_BENCH=ON && build/bench/report_bench
#include "bench/main_window_benchmarks.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/statistics/report_driver.h"
#include "korvel/workspace/agnav_block.h"
#include "platform/common_dialog.h"
#include "platform/printer.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int BlockCount = 4;
constexpr int FlightsPerBlock = 5;

// Answers every Save dialog with the one file.
class SaveTo final : public CommonDialogBackend
{
public:
    explicit SaveTo(QString path)
        : m_path(std::move(path))
    {
    }
    CommonDialogAnswer show(const CommonDialogRequest&, QWidget*) override
    {
        CommonDialogAnswer answer;
        answer.accepted = true;
        answer.paths = { m_path };
        return answer;
    }

private:
    QString m_path;
};

void loadFlights()
{
    resetAgnavData();
    for (int b = 1; b <= BlockCount; ++b) {
        const int block = appendBlock();
        blockAt(block).FileName = QStringLiteral("BLOCK%1.no1").arg(b);
        blockAt(block).Area = 2500000.0 * b;
        for (int f = 1; f <= FlightsPerBlock; ++f) {
            FlightFile flight;
            flight.Name = QStringLiteral("N01%1%2.T01")
                              .arg(b, 2, 10, QLatin1Char('0'))
                              .arg(f, 2, 10, QLatin1Char('0'));
            flight.SprayedAreaPart1 = 400000.0 + f;
            flight.SpeedSum = 50.0 * 5000;
            flight.SpeedSamples = 5000;
            appendFlight(block, std::move(flight));
        }
    }
}

// Every bin counted about alike: each bar near the top of its axis.
SprayStatistics flatStatistics()
{
    SprayStatistics pass;
    // Fills the bins; returns their sum.
    const auto fill = [](auto& counts) {
        qint32 total = 0;
        for (std::size_t bin = 0; bin < counts.size(); ++bin) {
            counts[bin] = 90 + qint32(bin % 3) * 5;
            total += qint32(counts[bin]);
        }
        return total;
    };
    pass.SprayRunCount = fill(pass.SprayTimeCounts);
    pass.TurnCount = fill(pass.TurnTimeCounts);
    fill(pass.RateCounts);
    fill(pass.CrossTrackCounts);
    pass.SprayedSampleCount = fill(pass.AltitudeCounts); // graphs 3 and 4 a little above 100 % in all
    pass.SprayBinWidth = 12;
    pass.MinTurnTime = 20;
    pass.TurnBinWidth = 4;
    pass.MinAltitude = 110;
    pass.AltitudeBinWidth = 3;
    return pass;
}

// A map as the redraw leaves it: tracks of many colours over a background.
QImage mapPicture()
{
    QImage map(1024, 768, QImage::Format_RGB32);
    map.fill(Qt::white);
    QPainter painter(&map);
    for (int i = 0; i < 400; ++i) {
        painter.setPen(QColor::fromHsv((i * 7) % 360, 255, 200));
        painter.drawLine(20 + i * 2, 20, 20 + i * 2, 740);
    }
    return map;
}

void storeSettings()
{
    SaveRegSetting(
        QStringLiteral("ReportLayout"), QStringLiteral("Title"), QStringLiteral("Spray Programme"));
    SaveRegSetting(
        QStringLiteral("ReportLayout"), QStringLiteral("Footer"), QStringLiteral("Printed by KORVEL"));
    SaveRegSetting(QStringLiteral("CompanyInfo"), QStringLiteral("Name"), QStringLiteral("Tallgrass Aerial"));
    SaveRegSetting(QStringLiteral("CompanyInfo"), QStringLiteral("Address"),
        QStringLiteral("12 Mill Road\r\nPO Box 7\r\nFredericton NB"));
}

void report(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    SaveTo answer(path);
    setCommonDialogBackend(&answer);
    loadFlights();
    storeSettings();
    ReportInputs inputs;
    inputs.map = mapPicture();
    inputs.ticks.assign(BlockCount * FlightsPerBlock + 1, 1);
    inputs.statistics = flatStatistics();
    Printer& printer = currentPrinter();
    printer.setPaperSize(QPageSize::Letter);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path); // no question about replacing it
        state.ResumeTiming();
        if (printReport(printer, inputs)) {
            state.SkipWithError("the report failed");
            break;
        }
    }
    setCommonDialogBackend(nullptr);
}

} // namespace

BENCHMARK(report)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runMainWindowBenchmarks(argc, argv);
}
