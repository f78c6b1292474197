#include "korvel/shell/conversion_ellipsoid.h"

#include "platform/vb_error.h"
#include "platform/vb_runtime_errors.h"

#include <cmath>

bool canConvertWith(const EllipsoidRecord& ellipsoid)
{
    return std::isfinite(ellipsoid.Axis) && ellipsoid.Axis > 0.0 && std::isfinite(ellipsoid.InverseFlattening)
        && ellipsoid.InverseFlattening > 0.0;
}

QString missingEllipsoidMessage(const EllipsoidRecord& ellipsoid)
{
    if (canConvertWith(ellipsoid)) {
        return QString();
    }
    QString what;
    if (ellipsoid.Name.isEmpty()) {
        what = QStringLiteral("No ellipsoid is selected");
    } else if (ellipsoid.Axis == 0.0) {
        what = QStringLiteral("The ellipsoid \"%1\" is not in \"ellipsoid.dat\"").arg(ellipsoid.Name);
    } else {
        what = QStringLiteral("The ellipsoid \"%1\" has no usable axis and flattening").arg(ellipsoid.Name);
    }
    return what
        + QStringLiteral(", so no coordinates can be converted; the data stays as it is.\r"
                         "Please choose an ellipsoid on the \"UTM Ellipsoid\" page of View > Preferences, "
                         "or in the list a right click on the ellipsoid of the status bar opens.");
}

QString missingEllipsoidMessage()
{
    return missingEllipsoidMessage(globals().Ellipsoid);
}

void requireConversionEllipsoid(const EllipsoidRecord& ellipsoid)
{
    const QString message = missingEllipsoidMessage(ellipsoid);
    if (!message.isEmpty()) {
        throw VbError(RuntimeError::InvalidProcedureCall, runtimeErrorSource(), message);
    }
}
