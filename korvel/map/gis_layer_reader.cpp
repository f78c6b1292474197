#include "korvel/map/gis_layer_reader.h"

#include "korvel/map/arcinfo_export_reader.h"
#include "korvel/map/shapefile_reader.h"
#include "korvel/workspace/layer_records.h"

#include <QFileInfo>

GISReadResult readGISLayerFile(GISLayer& layer, const GISReadOptions& options)
{
    const QString extension = QFileInfo(layer.Path).suffix().toLower();
    if (extension == u"shp") {
        return ReadShapefile(layer, options);
    }
    if (extension == u"e00") {
        return ReadArcInterchangeFile(layer);
    }
    return GISReadResult::failed(QStringLiteral("%1 is not a GIS layer file: KORVEL opens shapefiles "
                                                "(*.shp) and ARC/INFO interchange files (*.e00).")
                                     .arg(quotedFileName(layerFileName(layer))));
}
