#pragma once
// What the report's tests share: a printer on the PDF file (its file
// already chosen), loaded blocks and flights with the figures the summary
// prints, stored report settings, a statistics pass to print, and the
// recorded texts of a page.
#include "korvel/shell/reg_settings.h"
#include "korvel/statistics/report_summary.h"
#include "korvel/statistics/spray_statistics.h"
#include "korvel/workspace/agnav_block.h"
#include "platform/printer.h"
#include "tests/support/korvel_test.h"

#include <QFile>
#include <QString>
#include <vector>

class ReportTest : public KorvelTest
{
protected:
    QString pdfPath() const { return workDir() + "report.pdf"; }

    // The current printer on `paper`, its PDF file queued for the job's start.
    Printer& pdfPrinter(QPageSize::PageSizeId paper)
    {
        QFile::remove(pdfPath()); // each run a new file: no question about replacing it
        queueSaveFile(pdfPath());
        Printer& printer = currentPrinter();
        printer.setPaperSize(paper);
        printer.Font().Name = QStringLiteral("Arial");
        return printer;
    }

    static void store(const QString& section, const QString& name, const QString& value)
    {
        SaveRegSetting(section, name, value);
    }

    // A block with its area in square metres; its sub-rows in the list come
    // with `guidance` and `exclusion`.
    static int addBlock(const QString& fileName, double area, bool guidance = false, bool exclusion = false)
    {
        const int b = appendBlock();
        AGNAVBlock& block = blockAt(b);
        block.FileName = fileName;
        block.Area = area;
        block.GuidanceLoaded = guidance;
        block.ExclusionLoaded = exclusion;
        return b;
    }

    static void addFlight(int block, const QString& name, double sprayedArea, double speedSum, qint32 samples)
    {
        FlightFile flight;
        flight.Name = name;
        flight.SprayedAreaPart1 = sprayedArea;
        flight.SpeedSum = speedSum;
        flight.SpeedSamples = samples;
        appendFlight(block, std::move(flight));
    }

    // Every sub-row of the loaded blocks ticked.
    static SubRowTicks allTicked()
    {
        int rows = 0;
        for (int b = 1; b <= agnavData().BlockCount; ++b) {
            const AGNAVBlock& block = blockAt(b);
            rows += block.FlightCount + (block.GuidanceLoaded ? 1 : 0) + (block.ExclusionLoaded ? 1 : 0);
        }
        SubRowTicks ticks(std::size_t(rows) + 1, 1);
        ticks[0] = MissingSubRow;
        return ticks;
    }

    // A statistics pass to print. Spray time: 3 runs, 2 in bin 1 of 3 s;
    // turns: none, on an axis from 25 s in 3 s bins; rate: 10 samples on
    // target, 20 at +5 %; cross-track: all 30 on the line; altitude: 20 at
    // 120 m, 10 at 130 m, in 2 m bins.
    static SprayStatistics sampleStatistics()
    {
        SprayStatistics p;
        p.SprayTimeCounts = { 0, 2, 1 };
        p.SprayRunCount = 3;
        p.SprayBinWidth = 3;
        p.MinTurnTime = 25;
        p.TurnBinWidth = 3;
        p.RateCounts[6] = 10;
        p.RateCounts[7] = 20;
        p.CrossTrackCounts[5] = 30;
        p.AltitudeCounts = { 20, 0, 0, 0, 0, 10 };
        p.MinAltitude = 120;
        p.AltitudeBinWidth = 2;
        p.SprayedSampleCount = 30;
        return p;
    }

    // The texts printed on a recorded page, in printing order.
    static std::vector<PrintedText> texts(const PrintedPage& page)
    {
        std::vector<PrintedText> found;
        for (const PrintedItem& item : page) {
            if (const auto* text = std::get_if<PrintedText>(&item)) {
                found.push_back(*text);
            }
        }
        return found;
    }

    // The first text of that content on the page; fails the test when absent.
    static PrintedText textOn(const PrintedPage& page, const QString& content)
    {
        for (const PrintedText& text : texts(page)) {
            if (text.text == content) {
                return text;
            }
        }
        ADD_FAILURE() << "not printed: " << content.toStdString();
        return {};
    }
};
