// The preferences' "UTM Ellipsoid" tab: the zone by scroll bar or by a press
// on the world map, with two markers at the zone's edges, and the reference
// ellipsoid's values.
#include "korvel/prefs/pref_form.h"
#include "korvel/prefs/utm_zone_map.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <QLabel>
#include <QListWidget>
#include <QScrollBar>

namespace {

// A marker spanning the map's height at x.
void placeMarker(LineControl& marker, double x)
{
    marker.setEnds(x, 0, x, 1);
}

} // namespace

void PrefForm::HScroll1_Change()
{
    const int zone = HScroll1->value();
    ZoneLabel->setText(QString::number(zone));
    placeMarker(*Line1, zone);
    placeMarker(*Line2, zone + 1);
}

void PrefForm::Picture2_MouseDown(int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Q_UNUSED(Y);
    const int zone = utmZoneAt(X);
    ZoneLabel->setText(QString::number(zone));
    placeMarker(*Line1, zone);
    placeMarker(*Line2, zone + 1);
    HScroll1->setValue(zone);
}

void PrefForm::EllipsoidListbox_Click()
{
    const QListWidgetItem* item = EllipsoidListbox->currentItem();
    if (!item) {
        return;
    }
    const std::vector<EllipsoidRecord>& table = globals().EllipsoidTable;
    for (size_t row = 1; row < table.size(); ++row) {
        if (table[row].Name == item->text()) {
            AxisLabel->setText(Format(table[row].Axis, QStringLiteral("0.000")) + QStringLiteral(" m"));
            EccentricityLabel->setText(CStr(table[row].InverseFlattening));
            return;
        }
    }
}
