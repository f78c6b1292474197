// The statistics window's pass and the drawing of its six graphs: the
// pictures are cleared, scaled in percent, gridded and labelled, and the bars
// drawn; each picture is then left in the scale its bar readout reads.
#include "korvel/shell/label_placement.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/row_ticks.h"
#include "korvel/statistics/stat_form.h"
#include "korvel/workspace/agnav_block.h"
#include "platform/picture_box.h"
#include "platform/screen_metrics.h"

#include <QCheckBox>
#include <QLabel>

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
            ticked[std::size_t(row)] = rowTicked(main->Check3, row);
        }
    }
    return ticked;
}

} // namespace

void StatForm::ComputeStatistics()
{
    Statistics = computeSprayStatistics(agnavData(), tickedSubRows());
    drawGraphs();
    for (QLabel* marker : { &Label3X[0], Label3X2, &Label4X[0], Label4X2 }) {
        QFont bold = marker->font();
        bold.setBold(true);
        marker->setFont(bold);
        marker->adjustSize();
    }
}

void StatForm::drawGraphs()
{
    for (int graph = 1; graph <= StatGraphCount; ++graph) {
        Graphs[std::size_t(graph)] = histogramGraph(Statistics, StatGraph(graph));
        drawGraph(graph);
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
    // The x labels first, clear of last drawing's y labels: the y labels
    // ("0%" too) then give way to them.
    yLabels(graph).unloadAll();
    yLabels(graph)[0].hide();
    placeXLabels(graph);
    placeYLabels(graph);
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

// The labels already shown in a graph's frame, which the labels about to be
// placed keep clear of.
std::vector<QRectF> StatForm::shownLabelRects(int graph) const
{
    std::vector<QRectF> shown;
    for (const QLabel* label : Frame[graph].findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (!label->isHidden()) {
            shown.push_back(QRectF(label->geometry()));
        }
    }
    return shown;
}

// Each label is made first and hidden; then those that fit are shown.
void StatForm::showPlacedLabels(int graph, const std::vector<QLabel*>& labels, const std::vector<int>& ranks)
{
    std::vector<QRectF> drawn = shownLabelRects(graph);
    std::vector<AxisLabelSpot> spots;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        spots.push_back({ QRectF(labels[i]->geometry()), ranks[i] });
    }
    const QRectF bounds(QPointF(0, 0), QSizeF(Frame[graph].size()));
    const double blank = Frame[graph].fontMetrics().horizontalAdvance(u' ');
    const std::vector<bool> shown = placeAxisLabels(spots, bounds, drawn, blank);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i]->setVisible(shown[i]);
    }
}

void StatForm::placeYLabels(int graph)
{
    ControlArray<QLabel>& labels = yLabels(graph);
    labels.unloadAll();
    const HistogramGraph& shown = Graphs[std::size_t(graph)];
    if (!(shown.total > 0.0)) {
        labels[0].hide(); // nothing counted: no percentages, not even "0%"
        return;
    }
    const PictureBox& picture = graphPicture(graph);
    const double ty = TwipsPerPixelY();
    const double height = picture.Height();
    const double scaleHeight = picture.ScaleHeight(); // negative: labels rise with the percentage
    // Right-aligned a pixel left of the picture, "0%" too, each as wide as
    // what it shows needs: "100%" is wider than the design's label (the caption's
    // leading blank may fall outside, where nothing is seen of it).
    const int right = picture.x() - 1;
    labels[0].move(right - labels[0].width(), labels[0].y());
    std::vector<QLabel*> placed { &labels[0] };
    std::vector<int> ranks { 0 };
    labels[0].hide();
    for (const GraphGridLine& line : shown.grid) {
        if (line.labelElement == 0) {
            continue;
        }
        QLabel& label = labels.load(line.labelElement);
        label.setText(line.caption);
        const int width
            = std::max(labels[0].width(), label.fontMetrics().horizontalAdvance(line.caption.trimmed()));
        const double top = kPictureTop + height + line.percent / scaleHeight * (height - 4.0 * ty)
            - label.height() * ty / 2.0;
        label.setGeometry(right - width, twipsToPixelsY(top), width, label.height());
        label.hide();
        placed.push_back(&label);
        ranks.push_back(line.labelElement);
    }
    showPlacedLabels(graph, placed, ranks);
}

void StatForm::placeXLabels(int graph)
{
    ControlArray<QLabel>& labels = xLabels(graph);
    labels.unloadAll();
    const HistogramGraph& shown = Graphs[std::size_t(graph)];
    if (labels.exists(0)) {
        labels[0].setVisible(!shown.hideStoredXLabel);
    }
    std::vector<QLabel*> placed;
    std::vector<int> ranks;
    for (const GraphAxisLabel& axisLabel : shown.xLabels) {
        QLabel& label
            = labels.exists(axisLabel.element) ? labels[axisLabel.element] : labels.load(axisLabel.element);
        label.setText(axisLabel.caption);
        label.adjustSize();
        const double left = xLabelLeft(graph, axisLabel, label);
        label.move(twipsToPixelsX(left), label.y());
        label.hide();
        placed.push_back(&label);
        ranks.push_back(axisLabel.rank);
    }
    showPlacedLabels(graph, placed, ranks);
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
