#include "tests/korvel/shell/utm_reference.h"

#include <QFile>
#include <QHash>
#include <QPair>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

QHash<QString, QPair<double, double>> readEllipsoids(const QString& path)
{
    QHash<QString, QPair<double, double>> table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return table;
    }
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QList<QByteArray> fields = raw.trimmed().split(',');
        if (fields.size() == 3) {
            QString name = QString::fromLatin1(fields[0]);
            name.remove('"');
            table.insert(name, { fields[1].toDouble(), fields[2].toDouble() });
        }
    }
    return table;
}

} // namespace

std::vector<UtmReferencePoint> loadUtmReference(const QString& ellipsoidFile)
{
    const auto ellipsoids = readEllipsoids(ellipsoidFile);
    std::vector<UtmReferencePoint> points;
    QFile file(QStringLiteral(KORVEL_TEST_SOURCE_DIR) + "/tests/korvel/shell/data/utm_reference.csv");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ADD_FAILURE() << "cannot read the UTM reference fixture";
        return points;
    }
    QTextStream in(&file);
    in.readLine(); // column names
    while (!in.atEnd()) {
        const QStringList f = in.readLine().split(',');
        if (f.size() != 6) {
            continue;
        }
        UtmReferencePoint p;
        p.ellipsoid = f[0];
        if (!ellipsoids.contains(p.ellipsoid)) {
            ADD_FAILURE() << "ellipsoid.dat has no row " << p.ellipsoid.toStdString();
            continue;
        }
        p.axis = ellipsoids[p.ellipsoid].first;
        p.inverseFlattening = ellipsoids[p.ellipsoid].second;
        p.zone = f[1].toInt();
        p.latitude = f[2].toDouble();
        p.longitude = f[3].toDouble();
        p.easting = f[4].toDouble();
        p.northing = f[5].toDouble();
        points.push_back(p);
    }
    return points;
}
