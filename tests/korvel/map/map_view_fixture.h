#pragma once
// What the map view's tests share: the main window with its map picture at
// a known size (not shown, so nothing waits for the screen), layers built in
// memory or written as files, and the colours the picture shows.
#include "korvel/map/map_view.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/layer_records.h"
#include "tests/support/korvel_test.h"
#include "tests/support/shapefile_writer.h"

#include <QColor>
#include <QImage>
#include <vector>

class MapViewTest : public KorvelTest
{
protected:
    void SetUp() override;

    // The main window; its map picture is 404 x 303 pixels outside, so its
    // height over its width is 0.75 (the client area is 400 x 299).
    MainForm& form();
    // The map view of that window, prepared as form() prepares it.
    MapView& view();
    // Applies the extent west..east, south..north as a zoom does.
    void applyExtent(double west, double south, double east, double north);

    // The colour the map picture shows at a map point, and at a pixel of its client area.
    QColor mapColourAt(double x, double y);
    QColor pixelAt(int px, int py);

    // Writes a shapefile of these polygons or polylines into the work folder.
    QString writePolygons(const QString& name, const std::vector<std::vector<TestPart>>& shapes) const;
    QString writeLines(const QString& name, const std::vector<std::vector<TestPart>>& shapes) const;
    // Writes an image of one colour and, when wanted, its geo-reference file
    // placing its top-left corner at (x, y) with the ground size width x height.
    QString writeImage(const QString& name, QSize pixels, QColor colour) const;
    void writeGeoReference(
        const QString& imagePath, qint32 x, qint32 y, qint32 width, qint32 height, int zone) const;
};

// Appends a GIS layer of these features (each a list of parts) to the
// loaded layers, as a reader and the opening would leave it: boxes and
// extent from the vertices, part tables, the colour as colour 0, thickness
// 1, in UTM zone 17. Returns its index (also its list position).
int addTestLayer(int shapeType, const std::vector<std::vector<TestPart>>& features, qint32 colour);

// A rectangle as a clockwise ring (north up), closed on its first vertex.
TestPart ringOf(double x0, double y0, double x1, double y1);
// The same ring counter-clockwise, as the holes of shapefile polygons run.
TestPart holeOf(double x0, double y0, double x1, double y1);

// True when two colours are the same to the byte.
bool sameColour(const QColor& a, const QColor& b);
