#pragma once
// "Manual Meteorology Entry": the modal dialog in which the user types one
// wind speed (knots), wind direction (degrees) and air temperature
// (degrees F) to use as a meteorological source.
//
//     ManualForm& entry = ManualForm::instance();
//     ShowModal(entry);
//     if (!entry.Cancelled) ... entry.WindSpeed (m/s), entry.WindDirection, entry.AirTemp
//
// The dialog is one instance for the whole run: its boxes and public values
// stay from one showing to the next. Accept checks the boxes in order (speed,
// direction, temperature numbers that fit their types, then a direction of 0
// to 360) and puts the focus, whole text selected, on the first that fails,
// without a message; Cancel, Escape and the close box set Cancelled.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class ManualForm final : public QDialog
{
    Q_OBJECT
public:
    static ManualForm& instance();
    static void release();

    // Knots to metres per second.
    static constexpr double KnotsToMetresPerSecond = 0.5148;

    double WindSpeed = 0.0; // m/s
    qint16 WindDirection = 0; // degrees
    float AirTemp = 0.0f; // degrees F
    bool Cancelled = false;

    QLabel* SpeedLabel = nullptr;
    QLineEdit* SpeedText = nullptr;
    QLabel* SpeedUnits = nullptr;
    QLabel* DirectionLabel = nullptr;
    QLineEdit* DirectionText = nullptr;
    QLabel* DirUnits = nullptr;
    QLabel* AirTempLabel = nullptr;
    QLineEdit* AirTempText = nullptr;
    QLabel* TempUnits = nullptr;
    QPushButton* AcceptButton = nullptr;
    QPushButton* CancelButton = nullptr;

    void AcceptButton_Click();
    void CancelButton_Click();

    // Escape and the close box end the entry as Cancel does.
    void reject() override;

private:
    explicit ManualForm(QWidget* parent);
    ~ManualForm() override;

    void Form_Load();
    // Focuses the box with its whole text selected.
    static void refuse(QLineEdit& box);
};
