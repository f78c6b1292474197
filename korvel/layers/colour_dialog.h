#pragma once
// The colour dialog as the layer colours use it: it starts on the present
// colour with the custom colours open and no button to close them.
#include <QtGlobal>
#include <optional>

class QWidget;

// The chosen colour, or nothing when the user cancelled. A failure of the
// dialog itself is thrown as the runtime's error, for the caller to report
// or pass over.
std::optional<qint32> chooseColour(QWidget* owner, qint32 start);
