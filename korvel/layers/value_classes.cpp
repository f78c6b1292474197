#include "korvel/layers/value_classes.h"

#include "platform/vb_numbers.h"

#include <QSet>
#include <algorithm>
#include <numeric>

namespace {

const QString NullText = QStringLiteral("Null");

// Sorts the texts in place, numbers by value; stable, so equal values stay
// in the order the records gave them.
void sortValues(QStringList& values, bool numeric)
{
    if (!numeric) {
        std::stable_sort(values.begin(), values.end()); // by character code, case-sensitive
        return;
    }
    std::vector<double> keys;
    keys.reserve(std::size_t(values.size()));
    for (const QString& text : values) {
        keys.push_back(CDbl(text)); // numeric, so CDbl cannot fail
    }
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(
        order.begin(), order.end(), [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    QStringList sorted;
    sorted.reserve(values.size());
    for (const std::size_t i : order) {
        sorted.append(values[qsizetype(i)]);
    }
    values = std::move(sorted);
}

} // namespace

FieldValueList distinctFieldValues(const AttributeTable& table, int fieldIndex)
{
    FieldValueList list;
    if (fieldIndex < 0 || std::size_t(fieldIndex) >= table.Values.size()) {
        return list;
    }
    // A hash of the texts found so far: one look-up per record, where a
    // search of the list would make large tables quadratic.
    QSet<QString> seen;
    bool hasNull = false;
    for (const AttributeValue& value : table.Values[std::size_t(fieldIndex)]) {
        QString text = attributeValueText(value);
        if (text == NullText) {
            hasNull = true;
            continue;
        }
        if (seen.contains(text)) {
            continue;
        }
        if (!IsNumeric(text)) {
            list.Numeric = false;
        }
        seen.insert(text);
        list.Values.append(std::move(text));
    }
    sortValues(list.Values, list.Numeric);
    // "Null" leads whether it came from blanks or from a text field holding
    // the word: sorted among numbers it would have no number to compare by.
    if (hasNull) {
        list.Values.prepend(NullText);
    }
    return list;
}

std::vector<std::int32_t> proposedValueColours(const GISLayer& layer, int fieldIndex, int valueCount)
{
    const std::int32_t layerColour = layer.Colours.empty() ? 0 : layer.Colours.front();
    std::vector<std::int32_t> colours(std::size_t(std::max(0, valueCount)), layerColour);
    if (fieldIndex != layer.CodingField - 1) {
        return colours;
    }
    // Classes use the slots from 1; slot 0 is unused.
    for (std::size_t i = 0; i < colours.size() && i + 1 < layer.ColourClasses.size(); ++i) {
        colours[i] = layer.ColourClasses[i + 1].Colour;
    }
    return colours;
}
