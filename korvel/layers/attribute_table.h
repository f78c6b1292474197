#pragma once
// A GIS layer's dBASE attribute table in memory, for colouring the layer's
// features by the value of one attribute (the layer properties dialog's
// "Feature Colour Coding").
//
// The table lies beside the layer's file under the same name with the
// extension "dbf" (roads.shp has roads.dbf). Record k (from 0) describes
// shape k + 1 of the layer: no key links them, the order alone does. It is
// read once, whole, from a private copy (TemporaryCopy) that goes when the
// reading ends; the user's file is never opened for anything but that copy,
// and nothing is ever written to it.
#include "korvel/workspace/layer_records.h"
#include "platform/attribute_table.h"

#include <QString>
#include <QStringList>

struct AttributeTable
{
    // Values[field][record], both from 0, typed as the fields give them.
    AttributeColumns Values;
    // Slots 0..FieldCount: slot i holds the name of field i - 1, slot 0 stays
    // empty, so a layer's CodingField indexes it directly.
    QStringList FieldNames;
    // The records read: those that describe a shape of the layer. Records
    // beyond the layer's ShapeCount have no shape to colour and are left out.
    int RecordCount = 0;
    int FieldCount = 0;

    // Null outside the table.
    const AttributeValue& value(int field, int record) const;
};

// What a reading gives the caller to show: on failure `message` is
// "KORVEL encountered the following error:" and the description on the
// next line, and the table is empty (no fields, no records).
struct AttributeTableRead
{
    bool ok = false;
    QString message;
};

// The table file of a layer: its Path with the last three characters
// replaced by "dbf", found in any letter case as files copied from Windows
// come; empty when there is none. The dialog offers colour coding only
// when this finds one.
QString attributeTablePath(const GISLayer& layer);

// Reads the layer's whole attribute table into `table`. A missing, locked,
// empty or damaged table is a failure with its message.
AttributeTableRead ReadDBFTable(const GISLayer& layer, AttributeTable& table);
// The same for GISLayers(layerIndex), the record index (not the list position).
AttributeTableRead ReadDBFTable(int layerIndex, AttributeTable& table);

// The text of a value as the value list shows it and the classes store it:
// "Null" for Null; numbers in their shortest general form with "." as the
// decimal point (3 is "3", 2.5 is "2.5", never "3.0"); dates in the short
// date form of the user's locale, always with a four-digit year; logicals
// "True" and "False"; texts as stored.
QString attributeValueText(const AttributeValue& value);
