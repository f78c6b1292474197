#pragma once
// The value list of colour coding: the distinct values of one attribute
// field, sorted, and the colour first proposed for each. The layer
// properties dialog shows them as its value grid, one row per value.
#include "korvel/layers/attribute_table.h"
#include "korvel/workspace/layer_records.h"

#include <QStringList>
#include <cstdint>
#include <vector>

struct FieldValueList
{
    // Distinct value texts (attributeValueText), from 0. "Null" (a blank
    // value, or a text field holding that word) comes first; the others
    // follow in ascending order: as numbers when every one of them reads as a
    // number (IsNumeric), compared as doubles, else as texts by character
    // code, so capital B sorts before small a. Values that compare equal
    // keep the order in which the records show them.
    QStringList Values;
    bool Numeric = true;
};

// The values of field `fieldIndex` (from 0) over the table's records; empty
// for a field the table does not have.
FieldValueList distinctFieldValues(const AttributeTable& table, int fieldIndex);

// The colours first shown beside `valueCount` values of field `fieldIndex`:
// when the layer is coded by this very field (CodingField - 1), value i takes
// the colour of the layer's class i (from 1), and values beyond its classes
// the layer colour; for any other field every value takes the layer colour
// (Colours element 0).
std::vector<std::int32_t> proposedValueColours(const GISLayer& layer, int fieldIndex, int valueCount);
