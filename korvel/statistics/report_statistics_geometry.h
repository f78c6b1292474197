#pragma once
// Where the statistics page puts its five graphs, in twips from the
// printable origin, computed once per report on the printer that prints it.
// Whole numbers are rounded half to even; a value beyond its 16 or 32 bits
// raises 6 "Overflow".
//
//   GraphWidth   1300 printer dots
//   GraphHeight  a fifth of the paper height less 1000 dots, or less where
//                that would not fit (below)
//   GraphLeft(k) the same for all five: the frames centred on the paper width
//   GraphTop(k)  1000 for the first, then each 350 twips below the one before
//   TitleIndent  0.75 inch: where the graph titles start
//   TitleDrop    a fifth of GraphHeight: a title's drop below its frame's top
//
// The fifth frame, the line of labels under it and the page's footer stay
// inside the printable area: where the paper's own share would push them
// past it (a printer's unprintable bottom edge, the footer's room, or simply
// the full paper height at this resolution) GraphHeight is reduced until
// the labels end at the footer's top (the printable area's bottom when there
// is no footer). The width, the top and the gaps stay as they are.
#include "korvel/statistics/report_layout.h"
#include "platform/printer.h"

#include <QtGlobal>
#include <array>

inline constexpr int PrintedGraphCount = 5; // the window's DGPS graph is not printed
inline constexpr double FirstGraphTop = 1000.0; // twips
inline constexpr double GraphGap = 350.0; // twips between one frame's bottom and the next's top
inline constexpr double GraphLabelPoints = 8.0; // the graphs' labels
inline constexpr double LowerLabelDrop = 15.0; // twips from a frame's bottom to graphs 3 to 5's labels

struct StatisticsPageGeometry
{
    qint16 GraphWidth = 0;
    qint16 GraphHeight = 0;
    std::array<qint16, PrintedGraphCount + 1> GraphLeft {}; // 1..5
    std::array<qint16, PrintedGraphCount + 1> GraphTop {}; // 1..5
    qint32 TitleIndent = 0;
    qint32 TitleDrop = 0;

    // The bottom edge of frame k: GraphTop(k) + GraphHeight, 16-bit.
    qint16 bottom(int k) const;
};

// The footer is measured in Arial of layout.ReportFontSize, the labels in
// Arial 8; the printer's font is left as it was.
StatisticsPageGeometry computeStatisticsPageGeometry(Printer& printer, const ReportLayout& layout);
