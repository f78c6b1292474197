#pragma once
// The settings of the printed application report: twenty text values in
// four sections of the program's settings. The report settings dialog is
// the only writer; the report reads them at the moment it prints them.
//
// Three values are codes the dialog writes in one form only: "Units" "0",
// "1" or "2" (oz/ac, gal/ac, L/ha), "PrintGIS" "0" or "1", "GISColour"
// "True" or "False". Any other text in them (a hand-edited or damaged
// setting) counts as missing and takes the default, so a bad value can
// neither stop a report nor show as a state the dialog cannot set.
#include <QString>
#include <QStringList>

namespace ReportSection {
inline const QString Company = QStringLiteral("CompanyInfo");
inline const QString Client = QStringLiteral("ClientInfo");
inline const QString Application = QStringLiteral("ApplicationInfo");
inline const QString Layout = QStringLiteral("ReportLayout");
}

namespace ReportValue {
inline const QString Units = QStringLiteral("Units");
inline const QString Title = QStringLiteral("Title");
inline const QString PrintGIS = QStringLiteral("PrintGIS");
inline const QString GISColour = QStringLiteral("GISColour");
inline const QString Footer = QStringLiteral("Footer");
}

// The values of the company and client sections, in the order of their rows.
const QStringList& contactValueNames(); // Name, Address, Phone, Fax, Email
// The text values of the application section, in the order of its rows.
const QStringList& applicationValueNames(); // Aircraft, Registration, Product, ProductRate, SprayRate

inline constexpr int DefaultRateUnits = 2; // L/ha

// Returns a stored text value, empty when missing.
QString reportText(const QString& section, const QString& name);

// Stores a text value as it is; an empty text removes the value, so what
// is read back is the empty text too (the program's SaveRegSetting would
// keep the old value instead).
void storeReportText(const QString& section, const QString& name, const QString& text);

// The codes read from the settings, defaults for anything else.
int reportRateUnits(); // "Units": 0 oz/ac, 1 gal/ac, 2 L/ha
bool reportPrintsMap(); // "PrintGIS", default on
bool reportMapInColour(); // "GISColour", default colour

// The same rules on a text (blanks around it allowed, "True" and "False" in
// any letter case).
int rateUnitsFromText(const QString& text);
bool switchFromText(const QString& text, const QString& offText, const QString& onText, bool defaultValue);

// The texts the dialog writes.
QString rateUnitsText(int units);
QString printsMapText(bool on);
QString mapColourText(bool colour);
