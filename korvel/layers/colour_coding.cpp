#include "korvel/layers/colour_coding.h"

#include <QHash>
#include <algorithm>

namespace {

// VB's True, as the layer's Integer flag holds it; the map takes
// its absolute value as the step through the colour list.
constexpr int CodingOn = -1;
constexpr int NoCodingField = -1;

std::int32_t layerColour(const GISLayer& layer)
{
    return layer.Colours.empty() ? 0 : layer.Colours.front();
}

// The class of each value text: the first class that carries it wins, as a
// search of the classes in order would find it.
QHash<QString, std::int32_t> classColours(const GISLayer& layer)
{
    QHash<QString, std::int32_t> colours;
    colours.reserve(colourClassCount(layer));
    for (std::size_t j = 1; j < layer.ColourClasses.size(); ++j) {
        const ColourClass& colourClass = layer.ColourClasses[j];
        if (!colours.contains(colourClass.Value)) {
            colours.insert(colourClass.Value, colourClass.Colour);
        }
    }
    return colours;
}

bool isChosen(const GISLayer& layer, const ColourCodingChoice& choice)
{
    if (!choice.byValue) {
        return false;
    }
    // Swatches still all in the layer colour colour nothing: that is "None".
    const std::int32_t colour = layerColour(layer);
    return std::any_of(choice.rows.begin(), choice.rows.end(),
        [colour](const ColourClass& row) { return row.Colour != colour; });
}

void switchOff(GISLayer& layer)
{
    if (layer.ColourCoding != 0) {
        layer.Redraw = true;
    }
    layer.ColourClasses.clear();
    layer.Colours.resize(1, 0); // the layer colour stays
    layer.ColourCoding = 0;
    layer.CodingField = NoCodingField;
}

} // namespace

int colourClassCount(const GISLayer& layer)
{
    return std::max(0, int(layer.ColourClasses.size()) - 1);
}

void AssignValueClasses(GISLayer& layer, int fieldNumber, const AttributeTable& table)
{
    const int shapes = std::max(0, layer.ShapeCount());
    const std::int32_t colour = layerColour(layer);
    if (layer.Colours.empty()) {
        layer.Colours.push_back(colour);
    }
    layer.Colours.resize(std::size_t(shapes) + 1, colour);

    const QHash<QString, std::int32_t> classes = classColours(layer);
    const int records = std::min(table.RecordCount, shapes);
    for (int r = 0; r < records; ++r) {
        const auto found = classes.constFind(attributeValueText(table.value(fieldNumber - 1, r)));
        if (found != classes.constEnd()) {
            layer.Colours[std::size_t(r) + 1] = found.value();
        }
    }
    // Shapes without a record have no value to be coloured by.
    std::fill(layer.Colours.begin() + records + 1, layer.Colours.end(), colour);
}

void AssignValueClasses(int layerIndex, int fieldNumber, const AttributeTable& table)
{
    LayerData& layers = layerData();
    if (layerIndex < 1 || layerIndex > layers.GISCount) {
        return;
    }
    AssignValueClasses(layers.GISLayers[std::size_t(layerIndex)], fieldNumber, table);
}

void applyColourCoding(GISLayer& layer, const ColourCodingChoice& choice, const AttributeTable& table)
{
    if (!choice.opened) {
        return;
    }
    if (!isChosen(layer, choice)) {
        switchOff(layer);
        return;
    }
    if (layer.ColourCoding == 0 || choice.coloursChanged) {
        layer.Redraw = true;
    }
    layer.ColourClasses.resize(choice.rows.size() + 1);
    std::copy(choice.rows.begin(), choice.rows.end(), layer.ColourClasses.begin() + 1);
    layer.ColourCoding = CodingOn;
    layer.CodingField = choice.fieldIndex + 1;
    AssignValueClasses(layer, layer.CodingField, table);
}
