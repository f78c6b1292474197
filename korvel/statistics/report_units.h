#pragma once
// The figures of the report's summary as printed: areas in hectares or
// acres, speeds in km/h or mph, by the program's MetricSystem.
//
//   hectares = square metres / 10000
//   acres    = square metres x 3.2808^2 / 43560   (3.2808 feet a metre,
//              43560 square feet an acre)
//   km/h     = metres per second x 3.6
//   mph      = km/h / 1.609
//
// Areas print with two decimals and their thousands grouped
// ("###,###,##0.00"), speeds with two decimals and no grouping ("##0.00"),
// each in the user's own separators and followed by its unit after a blank;
// an area that is not known (NaN) prints as "n/a".
#include <QString>
#include <QtGlobal>

QString reportAreaText(double squareMetres, bool metric);
// The totals row keeps its sums in single precision: the hectares are
// divided in single precision too, the acres widened first.
QString reportTotalAreaText(float squareMetres, bool metric);
// The mean speed of `samples` speeds summed in `speedSum` (m/s); "n/a" when
// there is no sample to average.
QString reportSpeedText(double speedSum, qint64 samples, bool metric);

// A number formatted with "," and "." in the separators of the user's
// locale (QLocale's default).
QString inUserSeparators(const QString& formatted);
