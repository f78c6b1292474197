#pragma once
// What the session tests share: the main window with its map picture at a
// known size (from the AG-NAV commands' fixture, which writes blocks, their
// companions and flight logs), and a workspace of every kind of entry built
// through the File menu's own loaders.
#include "korvel/prefs/session_file.h"
#include "korvel/workspace/layer_records.h"
#include "tests/korvel/agnav/agnav_commands_fixture.h"
#include "tests/support/shapefile_writer.h"

#include <QCheckBox>
#include <QImage>

class SessionTest : public AgnavCommandsTest
{
public:
    // A geo-referenced image covering (x, y) to (x + 1000, y - 1000).
    QString writeImage(const QString& name, int x, int y) const
    {
        QImage photo(20, 20, QImage::Format_RGB32);
        photo.fill(Qt::green);
        const QString path = workDir() + name + QStringLiteral(".bmp");
        photo.save(path);
        write(name + QStringLiteral(".ref"),
            QStringLiteral("KORVEL Graphic Georeferencing "
                           "File\r\n%1\r\n%2,%3\r\n1000,-1000\r\n17\r\n---\r\n0\r\n,0,,0\r\n")
                .arg(name)
                .arg(x)
                .arg(y)
                .toLatin1());
        return path;
    }

    // A polygon shapefile of one square.
    QString writeShapefile(const QString& name, double x, double y, double size) const
    {
        ShapefileWriter writer(5);
        writer.addPoly({ { { x, y }, { x, y + size }, { x + size, y + size }, { x + size, y }, { x, y } } });
        const QString path = workDir() + name + QStringLiteral(".shp");
        writer.write(path);
        return path;
    }

    struct Workspace
    {
        QStringList images;
        QStringList layers;
        QStringList blocks;
        QStringList flights; // NORTH's two, then SOUTH's one
    };

    // Two images, two GIS layers, block NORTH with guidance lines, exclusion
    // zones and two flights, block SOUTH with one flight; everything loaded.
    Workspace buildWorkspace()
    {
        Workspace w;
        w.images = { writeImage("east", 502000, 4803000), writeImage("west", 499000, 4803000) };
        w.layers = { writeShapefile("fields", 500000, 4800000, 3000),
            writeShapefile("roads", 500500, 4800500, 500) };
        w.blocks = { writeUtmBlock("NORTH", 500000, 4801000, 501000, 4801800),
            writeUtmBlock("SOUTH", 500000, 4800000, 501000, 4800800) };
        writeGuidance("NORTH", 500500, 4801100, 4801700);
        writeExclusion("NORTH", 500100, 4801100, 100);
        w.flights = { writeLog("NORTH", "N0101A01.T01", pass(500100, 500900, 4801400, true)),
            writeLog("NORTH", "N0101A02.T01", pass(500100, 500900, 4801500, true)),
            writeLog("SOUTH", "N0101A03.T01", pass(500100, 500900, 4800400, true)) };
        MainForm& window = form();
        for (const QString& image : w.images) {
            window.LoadImageLayer(image);
        }
        for (const QString& layer : w.layers) {
            window.OpenGISLayer(layer);
        }
        mainSettings().AutoLoadGuidance = true;
        mainSettings().AutoLoadExclusion = true;
        for (const QString& block : w.blocks) {
            window.LoadAGNAVBlock(block);
        }
        window.LoadFlightFile(1, w.flights[0]);
        window.LoadFlightFile(1, w.flights[1]);
        window.LoadFlightFile(2, w.flights[2]);
        window.ZoomToLayers(0, 0);
        return w;
    }

    // Saves the session through File > Save Session.
    void saveSession(const QString& path)
    {
        queueSaveFile(path);
        form().File_SaveSession_Click();
    }

    static bool ticked(const ControlArray<QCheckBox>& checks, int index)
    {
        return checks.at(index) && checks.at(index)->isChecked();
    }
};
