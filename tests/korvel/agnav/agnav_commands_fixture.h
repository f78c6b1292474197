#pragma once
// What the tests of the AG-NAV commands share: the main window with its map
// picture at a known size, and block boundary files with their companions
// and spray-data folder written into the work folder.
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/program_globals.h"
#include "platform/picture_box.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/korvel_test.h"

#include <QDir>
#include <cmath>

class AgnavCommandsTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        globals().ScreenWidth = 1024;
        globals().ScreenHeight = 768;
        // The window's creation reads the settings; tests change them after.
        // Its map picture's client area is 400 x 300 pixels until a layout
        // places it.
        MainForm::instance().Picture1->setGeometry(4, 4, 404, 304);
    }

    MainForm& form() { return MainForm::instance(); }

    // A UTM block boundary file in zone 17 on WGS-84, a rectangle from
    // (x0, y0) to (x1, y1), whose job (and spray-data folder) is `name`.
    QString writeUtmBlock(const QString& name, double x0, double y0, double x1, double y1) const
    {
        QByteArray text = "0  " + name.toLatin1() + "\r\n1  U  279\r\n";
        const double corners[][2] = { { x0, y0 }, { x0, y1 }, { x1, y1 }, { x1, y0 } };
        int n = 0;
        for (const auto& corner : corners) {
            text += QStringLiteral("2   %1   %2        AREA CORNER %3 \r\n")
                        .arg(corner[0], 0, 'f', 1)
                        .arg(corner[1], 0, 'f', 1)
                        .arg(++n)
                        .toLatin1();
        }
        text += "20 WGS-84      6378137.0   298.257223563 22      ELLIPSOID\r\n";
        text += "35  " + name.toLatin1().rightJustified(18) + "  F  C   CROP DIR, RAM DISK, SPRAY SIDE\r\n";
        text += "36         30         1  1      SWATH WIDTH, NO OF A/C, SPRAY ON CLOSURE OF CONTACT\r\n";
        return write(name + QStringLiteral(".no1"), text);
    }

    // The same corners in latitude and longitude, south of the equator.
    QString writeSouthernGeoBlock(const QString& name) const
    {
        return write(name + QStringLiteral(".no1"),
            "1  L  279\r\n"
            "2   -33.350000  -80.990000       AREA CORNER 1 \r\n"
            "2   -33.340000  -80.990000       AREA CORNER 2 \r\n"
            "2   -33.340000  -80.980000       AREA CORNER 3 \r\n"
            "20 WGS-84      6378137.0   298.257223563 22      ELLIPSOID\r\n");
    }

    // A guidance-line file of one line from (x, y0) to (x, y1).
    QString writeGuidance(const QString& name, double x, double y0, double y1) const
    {
        return write(name + QStringLiteral(".xyz"),
            QStringLiteral("LINE 10 \r\n%1      %2  1\r\n%1      %3  2\r\n")
                .arg(x)
                .arg(y0)
                .arg(y1)
                .toLatin1());
    }

    // An exclusion-zone file of one square zone.
    QString writeExclusion(const QString& name, double x0, double y0, double size) const
    {
        QByteArray text;
        const double corners[][2]
            = { { x0, y0 }, { x0, y0 + size }, { x0 + size, y0 + size }, { x0 + size, y0 } };
        for (const auto& corner : corners) {
            text += QStringLiteral("1   %1  %2\r\n")
                        .arg(corner[0], 0, 'f', 1)
                        .arg(corner[1], 0, 'f', 1)
                        .toLatin1();
        }
        return write(name + QStringLiteral(".xcl"), text);
    }

    // A flight log in the block's spray-data folder.
    QString writeLog(const QString& job, const QString& name, const std::vector<AgfSample>& samples,
        quint8 marker = 3) const
    {
        QDir(workDir()).mkpath(job);
        const QString path = workDir() + job + u'/' + name;
        writeTestFile(path, agfLog(samples, marker));
        return path;
    }

    // A pass of samples eastwards at y, spraying between the ends; the
    // target is 0 throughout without flow data.
    static std::vector<AgfSample> pass(double x0, double x1, double y, bool flowData)
    {
        std::vector<AgfSample> samples;
        for (double x = x0; x <= x1; x += 20.0) {
            AgfSample s;
            s.easting = qint32(x);
            s.northing = qint32(y);
            s.swathWidth = 300;
            s.groundSpeed = 2778;
            const bool inside = x > x0 && x < x1;
            s.spray = inside ? 1 : 0;
            s.flow = qint16(inside && flowData ? 100 : 0);
            s.target = qint16(flowData ? 100 : 0);
            samples.push_back(s);
        }
        return samples;
    }

    QString write(const QString& name, const QByteArray& bytes) const
    {
        const QString path = workDir() + name;
        writeTestFile(path, bytes);
        return path;
    }

    QStringList prompts() const
    {
        QStringList texts;
        for (const MsgBoxRequest& box : msgBoxes()) {
            texts << box.prompt;
        }
        return texts;
    }

    QColor mapColourAt(double x, double y)
    {
        PictureBox& picture = *form().Picture1;
        return picture.composedImage().pixelColor(
            int(std::floor(picture.toClientX(x))), int(std::floor(picture.toClientY(y))));
    }
};
