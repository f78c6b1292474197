#pragma once
// The meteorology window's printout: one page with the window's caption as
// its title and the three graphs under it (wind direction, wind speed,
// temperature), each with the name of its tab. A graph prints as the window
// shows it: the drawn picture, and its labels (values on the left, times
// and the axis title below, the temperature legend) as text at their
// places, all scaled alike so the page keeps the window's proportions.
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class Printer;

struct MetPrintedLabel
{
    QString caption;
    QRectF place; // pixels of the graph's frame
    bool alignRight = false; // against the right edge of its place; else centred in it
    std::optional<qint32> swatch; // a legend's colour box filling its place
};

struct MetPrintedGraph
{
    QString name; // the tab's caption
    QSizeF frameSize; // pixels
    QRectF pictureRect; // the drawn picture's place in the frame, pixels
    QImage picture;
    std::vector<MetPrintedLabel> labels;
};

struct MetPrintout
{
    QString title;
    std::array<MetPrintedGraph, 3> graphs;
};

// Lays the page out on the printer and ends the job. The printer's errors
// (VbError) reach the caller, which abandons the job.
void printMetGraphs(Printer& printer, const MetPrintout& printout);
