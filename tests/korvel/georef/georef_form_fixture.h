#pragma once
// What the geo-referencing window's tests share: the main window (laid out,
// not shown), an image written as a file and loaded as the loader does,
// GIS layers and blocks ticked in the list, and the window opened on the
// image with a handler that drives it.
#include "korvel/georef/georef_form.h"
#include "korvel/shell/main_form.h"
#include "tests/support/korvel_test.h"
#include "tests/support/shapefile_writer.h"

#include <QColor>
#include <QImage>
#include <functional>

class GeoRefFormTest : public KorvelTest
{
protected:
    void SetUp() override;

    MainForm& main();
    // Writes a picture (left half `left`, right half `right`) and loads it as
    // an image; returns its record. A geo-reference file written first is read.
    int loadImage(const QString& name, QSize pixels, QColor left = Qt::green, QColor right = Qt::blue);
    // A layer of one rectangle, a polygon (filled) or its outline (shape
    // type 3), loaded and ticked.
    int loadRectangleLayer(
        const QString& name, double x0, double y0, double x1, double y1, int shapeType = 5);
    // A block with a square boundary and no files, ticked.
    int addBlock(double x, double y, double side);

    // Opens the window on the record as the image pop-up does and hands it
    // to the handler, which must close it.
    void openOn(int image, const std::function<void(GeoRefForm&)>& handler);

    // A click on a view: the map view in UTM metres, the image view in pixels.
    static void clickMap(GeoRefForm& form, double easting, double northing, int shift = 0);
    static void clickImage(GeoRefForm& form, double column, double row, int shift = 0);
    // Types a point's UTM values into the open entry and accepts them.
    static void typeUtm(GeoRefForm& form, const QString& northing, const QString& easting);
    // The colour the picture shows at a point of its world window.
    static QColor colourAt(class PictureBox& picture, double x, double y);
};
