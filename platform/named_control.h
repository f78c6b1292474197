#pragma once
// A form's control reached by its name, as the runtime's Controls("Name")
// did for procedures that serve several forms with controls of the same
// names. Elements of control arrays carry their index: "DeltaText(2)".
#include "platform/vb_error.h"
#include "platform/vb_runtime_errors.h"

#include <QString>
#include <QWidget>

// The control of that name and type anywhere inside the form; raises 340
// naming the control when the form has none.
template <class T> T& namedControl(const QWidget& form, const QString& name)
{
    T* found = form.findChild<T*>(name);
    if (!found) {
        throw VbError(340, runtimeErrorSource(), QStringLiteral("Control '%1' doesn't exist").arg(name));
    }
    return *found;
}
