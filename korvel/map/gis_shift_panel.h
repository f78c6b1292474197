#pragma once
// The GIS shift tool's panel: a small tool window over the main window with
// four shift buttons (1 north, 2 east, 3 south, 4 west), the two step
// controls (StepX for east and west, StepY for north and south, each a power
// of ten of metres shown beside it), the two offset captions, a reset and a
// close command. It only shows and forwards: every press goes to the map
// view's procedures, which keep the offset and place the outline. Its close
// box is the close command.
#include "platform/control_array.h"

#include <QWidget>

class MapView;
class QLabel;
class QPushButton;
class QSpinBox;

class GISShiftPanel final : public QWidget
{
    Q_OBJECT
public:
    // A tool window of `owner`, the main window.
    GISShiftPanel(QWidget& owner, MapView& view);

    ControlArray<QPushButton> ShiftButton { "ShiftButton" }; // 1 north, 2 east, 3 south, 4 west
    QSpinBox* StepX = nullptr; // v of the east-west step, 10^v metres
    QSpinBox* StepY = nullptr; // v of the north-south step
    QLabel* StepXLabel = nullptr;
    QLabel* StepYLabel = nullptr;
    QLabel* OffsetYLabel = nullptr; // north (+) or south (-)
    QLabel* OffsetXLabel = nullptr; // east (+) or west (-)
    QPushButton* ResetButton = nullptr;
    QPushButton* CloseButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void connectControls();

    MapView& m_view;
};
