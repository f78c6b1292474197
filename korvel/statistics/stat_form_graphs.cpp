// The statistics window's pass and the drawing of its six graphs: the
// pictures are cleared, scaled in percent, gridded and labelled, and the bars
// drawn; each picture is then left in the scale its bar readout reads.
#include "korvel/agnav/agnav_block.h"
#include "korvel/shell/main_form.h"
#include "korvel/statistics/stat_form.h"
#include "platform/picture_box.h"
#include "platform/screen_metrics.h"

#include <QCheckBox>
#include <QLabel>
#include <cmath>

namespace {

// The picture's place in its frame, in twips (as in the design).
constexpr double kPictureLeft = 480;
constexpr double kPictureTop = 240;
constexpr qint32 kBlack = 0;

// The ticks of the "Loaded Files" list's block sub-rows, by their number.
std::vector<bool> tickedSubRows()
{
    std::vector<bool> ticked;
    if (const MainForm* main = MainForm::existing()) {
        ticked.resize(std::size_t(std::max(0, main->Check3.UBound() + 1)));
        for (int row = 1; row <= main->Check3.UBound(); ++row) {
            const QCheckBox* check = main->Check3.at(row);
            ticked[std::size_t(row)] = check && check->checkState() == Qt::Checked;
        }
    }
    return ticked;
}

} // namespace

void StatForm::ComputeStatistics()
{
    Statistics = computeSprayStatistics(agnavData(), tickedSubRows());
    for (int graph = 1; graph <= StatGraphCount; ++graph) {
        Graphs[std::size_t(graph)] = histogramGraph(Statistics, StatGraph(graph));
        drawGraph(graph);
    }
    for (QLabel* marker : { &Label3X[0], Label3X2, &Label4X[0], Label4X2 }) {
        QFont bold = marker->font();
        bold.setBold(true);
        marker->setFont(bold);
        marker->adjustSize();
    }
}

void StatForm::drawGraph(int graph)
{
    const HistogramGraph& shown = Graphs[std::size_t(graph)];
    PictureBox& picture = graphPicture(graph);
    picture.Cls();
    picture.Scale(shown.drawing.left, shown.drawing.top, shown.drawing.right, 0.0);
    for (const GraphGridLine& line : shown.grid) {
        picture.Line(shown.drawing.left, line.percent, shown.drawing.right, line.percent, kBlack);
    }
    placeYLabels(graph);
    placeXLabels(graph);
    for (const GraphBar& bar : shown.bars) {
        if (bar.fillColour != PictureFillColour) {
            picture.setFillColor(bar.fillColour);
        }
        picture.LineBox(bar.left, 0.0, bar.right, bar.percent, picture.ForeColor());
    }
    if (!shown.bars.empty()) {
        // The last bar's right edge falls on the picture's last pixel column,
        // where its outline would be lost: a line there keeps it.
        const double x = picture.toUserX(picture.clientWidth() - 1);
        const double bottom = picture.toUserY(picture.clientHeight());
        picture.Line(x, bottom, x, shown.bars.back().percent, kBlack);
    }
    picture.Scale(shown.readout.left, shown.readout.top, shown.readout.right, 0.0);
    picture.Refresh();
}

void StatForm::placeYLabels(int graph)
{
    ControlArray<QLabel>& labels = yLabels(graph);
    labels.unloadAll();
    const PictureBox& picture = graphPicture(graph);
    const double ty = TwipsPerPixelY();
    const double height = picture.Height();
    const double scaleHeight = picture.ScaleHeight(); // negative: labels rise with the percentage
    for (const GraphGridLine& line : Graphs[std::size_t(graph)].grid) {
        if (line.labelElement == 0) {
            continue;
        }
        QLabel& label = labels.load(line.labelElement);
        label.setText(line.caption);
        const double top = kPictureTop + height + line.percent / scaleHeight * (height - 4.0 * ty)
            - label.height() * ty / 2.0;
        label.move(label.x(), int(std::lround(top / ty)));
        label.show();
    }
}

void StatForm::placeXLabels(int graph)
{
    ControlArray<QLabel>& labels = xLabels(graph);
    labels.unloadAll();
    const HistogramGraph& shown = Graphs[std::size_t(graph)];
    for (const GraphAxisLabel& axisLabel : shown.xLabels) {
        QLabel& label
            = labels.exists(axisLabel.element) ? labels[axisLabel.element] : labels.load(axisLabel.element);
        label.setText(axisLabel.caption);
        label.adjustSize();
        const double left = xLabelLeft(graph, axisLabel, label);
        label.move(int(std::lround(left / TwipsPerPixelX())), label.y());
        label.show();
    }
    if (labels.exists(0)) {
        labels[0].setVisible(!shown.hideStoredXLabel);
    }
}

double StatForm::xLabelLeft(int graph, const GraphAxisLabel& label, const QLabel& element) const
{
    const PictureBox& picture = graphPicture(graph);
    const double tx = TwipsPerPixelX();
    const double width = picture.Width(); // twips, frame included
    const double inner = width - 4.0 * tx;
    const double half = element.width() * tx / 2.0;
    const int n = label.element;
    switch (graph) {
    case ApplicationRateGraph:
        return n / 13.0 * inner + kPictureLeft - half + 20.0 * tx;
    case CrossTrackGraph: {
        const double span = width - 90.0;
        return kPictureLeft + (n / 4.0) / picture.ScaleWidth() * span + span / 22.0 + 45.0 - half;
    }
    case AltitudeGraph:
        if (n == 0) {
            return kPictureLeft + 3.0 * tx - half;
        }
        break;
    case DGPSGraph:
        return kPictureLeft + 2.0 * tx + (2.0 * n - 1.0) / 8.0 * inner - half;
    default:
        break;
    }
    // Centred on its tick.
    return (label.at - picture.ScaleLeft()) / picture.ScaleWidth() * inner + kPictureLeft - half;
}
