// The three graphs of the meteorology window, drawn over the time since the
// first record of the source shown: wind direction (points), wind speed and
// temperature (short vertical strokes at each value). The wind direction
// graph works out the time axis; the speed and temperature graphs copy its
// scale, its tick labels and its title. Each drawing takes away the tick
// labels of the last one and makes its own; a tick label that would cover a
// value label or leave the frame is left out.
#include "korvel/met/met_data.h"
#include "korvel/met/met_form.h"
#include "korvel/met/met_graph_axes.h"
#include "korvel/shell/label_placement.h"
#include "korvel/shell/main_form.h"
#include "platform/picture_box.h"
#include "platform/vb_colors.h"

#include <QFrame>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kGrey = 8;
constexpr int kBlack = 0;
constexpr int kLightRed = 12;
constexpr int kLightGreen = 10;
constexpr double kStroke = 0.05; // half the height of a value's stroke, in its unit
constexpr int kLabelGap = 2; // pixels between a graph and its labels

// The source the window graphs, or nullptr while none is shown.
const MetFile* shownSource(int& index)
{
    const MainForm* main = MainForm::existing();
    index = main ? main->CurrentMet : 0;
    return metSourceLoaded(index) ? &metSource(index) : nullptr;
}

// A point of the picture's scale in pixels of its parent frame.
int frameX(const PictureBox& picture, double x)
{
    return picture.x() + PictureSurface::BorderWidth + int(std::lround(picture.toClientX(x)));
}

int frameY(const PictureBox& picture, double y)
{
    return picture.y() + PictureSurface::BorderWidth + int(std::lround(picture.toClientY(y)));
}

ControlArray<QLabel>& tickLabels(MetForm& form, int index)
{
    return index == 3 ? form.Label3X : index == 2 ? form.Label2X : form.Label1X;
}

ControlArray<QLabel>& valueLabels(MetForm& form, int index)
{
    return index == 3 ? form.Label3Y : index == 2 ? form.Label2Y : form.Label1Y;
}

QLabel& axisTitle(MetForm& form, int index)
{
    return index == 3 ? *form.Label3 : index == 2 ? *form.Label2 : *form.Label1;
}

} // namespace

void MetForm::drawTimeAxis(int index, double gridTop)
{
    PictureBox& graph = picture(index);
    const double bottom = graph.ScaleTop() + graph.ScaleHeight();
    ControlArray<QLabel>& labels = tickLabels(*this, index);
    labels.unloadAll();
    std::vector<QLabel*> placed;
    std::vector<AxisLabelSpot> spots;
    for (const TimeTick& tick : m_timeAxis.ticks) {
        if (tick.gridLine) {
            graph.Line(tick.x, bottom, tick.x, gridTop, QBColor(kGrey));
        }
        if (!tick.labelled) {
            continue;
        }
        QLabel& label = labels.load(int(placed.size()) + 1);
        label.setText(tick.caption);
        label.adjustSize();
        // Below the lowest value label too, which is centred on the graph's
        // bottom edge and stands beside the first tick's label.
        const int top = graph.y() + graph.height() + std::max(kLabelGap, label.height() / 2 + 1);
        label.move(frameX(graph, tick.x) - label.width() / 2, top);
        spots.push_back({ QRectF(label.geometry()), int(placed.size()) });
        placed.push_back(&label);
    }
    // Clear of the value labels (the lowest reaches below the graph) and
    // inside the frame.
    std::vector<QRectF> drawn;
    const ControlArray<QLabel>& values = valueLabels(*this, index);
    for (int i = 0; i <= values.UBound(); ++i) {
        if (values.exists(i) && !values[i].isHidden()) {
            drawn.push_back(QRectF(values[i].geometry()));
        }
    }
    const QWidget& frame = *graph.parentWidget();
    const std::vector<bool> shown = placeAxisLabels(spots, QRectF(QPointF(0, 0), QSizeF(frame.size())), drawn,
        frame.fontMetrics().horizontalAdvance(u' '));
    for (std::size_t i = 0; i < placed.size(); ++i) {
        placed[i]->setVisible(shown[i]);
    }
    QLabel& title = axisTitle(*this, index);
    title.setText(m_timeAxis.title);
    title.adjustSize();
    title.move(graph.x() + (graph.width() - title.width()) / 2, title.y());
}

void MetForm::placeValueLabels(int index, const ValueAxis& axis)
{
    PictureBox& graph = picture(index);
    ControlArray<QLabel>& labels = valueLabels(*this, index);
    labels.unloadAll();
    for (size_t i = 0; i < axis.levels.size(); ++i) {
        QLabel& label = i == 0 ? labels[0] : labels.load(int(i));
        label.setText(axis.levels[i].caption);
        // As wide as the design's label, or as its text where that is wider
        // (" 116kts"): right-aligned beside the graph either way.
        label.resize(std::max(label.width(), label.sizeHint().width()), label.sizeHint().height());
        label.move(
            graph.x() - label.width() - kLabelGap, frameY(graph, axis.levels[i].y) - label.height() / 2);
        label.show();
    }
}

void MetForm::DrawWindDirectionGraph()
{
    int current = 0;
    const MetFile* source = shownSource(current);
    if (!source) {
        return;
    }
    const qint32 start = metData().MetStartTime[size_t(current)];
    m_timeAxis = metTimeAxis(*source, start);

    PictureBox& graph = *Picture1;
    graph.Cls();
    graph.Scale(0.0, 360.0, m_timeAxis.scaleWidth, 0.0);
    ValueAxis compass;
    compass.top = 360.0;
    compass.height = -360.0;
    const char* points[] = { "N", "E", "S", "W", "N" };
    for (int quarter = 0; quarter <= 4; ++quarter) {
        const double y = 90.0 * quarter;
        compass.levels.push_back({ y, QString::fromLatin1(points[quarter]), quarter > 0 && quarter < 4 });
        if (compass.levels.back().gridLine) {
            graph.Line(0.0, y, m_timeAxis.scaleWidth, y, QBColor(kGrey));
        }
    }
    // Ten degrees above the top, as the grid reaches past the picture.
    placeValueLabels(1, compass);
    drawTimeAxis(1, 370.0);
    graph.setDrawWidth(2);
    for (int k = 1; k <= source->recordCount(); ++k) {
        graph.PSet(metRecordX(*source, k, start), source->record(k).WindDirection, QBColor(kBlack));
    }
    graph.setDrawWidth(1);
    graph.Refresh();
}

void MetForm::drawValueGraph(int index, const ValueAxis& axis)
{
    // The time scale of the wind direction graph, the values' own upwards.
    PictureBox& graph = picture(index);
    graph.Cls();
    const double left = Picture1->ScaleLeft();
    graph.Scale(left, axis.top, left + Picture1->ScaleWidth(), axis.top + axis.height);
    for (const AxisLevel& level : axis.levels) {
        if (level.gridLine) {
            graph.Line(left, level.y, left + graph.ScaleWidth(), level.y, QBColor(kGrey));
        }
    }
    placeValueLabels(index, axis);
    drawTimeAxis(index, axis.top + 1.0);
}

void MetForm::DrawWindSpeedGraph()
{
    int current = 0;
    const MetFile* source = shownSource(current);
    if (!source) {
        return;
    }
    const qint32 start = metData().MetStartTime[size_t(current)];
    drawValueGraph(2, metWindSpeedAxis(*source));
    for (int k = 1; k <= source->recordCount(); ++k) {
        const double x = metRecordX(*source, k, start);
        const double speed = source->record(k).WindSpeed;
        Picture2->Line(x, speed - kStroke, x, speed + kStroke, QBColor(kBlack));
    }
    Picture2->Refresh();
}

void MetForm::DrawTemperatureGraph()
{
    int current = 0;
    const MetFile* source = shownSource(current);
    if (!source) {
        return;
    }
    const qint32 start = metData().MetStartTime[size_t(current)];
    drawValueGraph(3, metTemperatureAxis(*source));
    const bool kitoon = source->Source == MetSourceKitoon;
    const bool ground = source->Source != MetSourceTower;
    const qint32 air = QBColor(kitoon ? kLightRed : kBlack);
    for (int k = 1; k <= source->recordCount(); ++k) {
        const double x = metRecordX(*source, k, start);
        const MetRecord& record = source->record(k);
        Picture3->Line(x, record.AirTemp - kStroke, x, record.AirTemp + kStroke, air);
        if (ground) {
            Picture3->Line(
                x, record.GroundTemp - kStroke, x, record.GroundTemp + kStroke, QBColor(kLightGreen));
        }
    }
    Picture3->Refresh();
}
