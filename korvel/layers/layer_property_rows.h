#pragma once
// The rows of the "File Properties" dialog: a caption and a value per
// property of an image, a GIS layer or an AG-NAV block, as the dialog lists
// them under the display name. Areas are shown in hectares with the metric
// system, else in acres, with three decimals and thousands separators.
#include <QString>
#include <vector>

struct AGNAVBlock;
struct GISLayer;
struct ImageLayer;

struct PropertyRow
{
    QString caption;
    QString value;
};

// "File Name:", "Location:", "Georeferenced:", "Image Size:" and, for a
// geo-referenced image, a fifth row without caption with its ground size.
std::vector<PropertyRow> imagePropertyRows(const ImageLayer& image);
// "File Name:", "Location:", "Topology:", "No. of Features:", "Projection:", "Zone:".
std::vector<PropertyRow> gisPropertyRows(const GISLayer& layer);
// "File Name:", "Location:", "Projection:", "Zone:", "Ellipsoid:",
// "Boundary Area:", "Spray Area:".
std::vector<PropertyRow> blockPropertyRows(const AGNAVBlock& block, bool metric);

// The folder of a layer's file: its path less its file name, ending in "/".
QString layerFolder(const QString& path, const QString& fileName);

// The block's area inside its boundary less its exclusion zones, in square
// metres. Both count as positive whichever way their vertices run, since
// the files hold rings in either direction.
double boundaryAreaOf(const AGNAVBlock& block);
double sprayAreaOf(const AGNAVBlock& block);

// "25.000 ha" from 250 000 square metres; "61.775 ac" without the metric system.
QString areaText(double squareMetres, bool metric);
