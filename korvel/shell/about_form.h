#pragma once
// The about box "About...": the logo, the product word "KORVEL" and a frame
// with the product's title, its version, its author, whom to contact and
// the release date. Modal; Enter, Escape or the close box end it. It is laid
// out when it loads: the frame grows with its text and the form with the
// frame.
#include <QDialog>

class QGroupBox;
class QLabel;

class AboutForm final : public QDialog
{
    Q_OBJECT
public:
    // The box, created and loaded on first use.
    static AboutForm& instance();
    // Destroys the box; the next use starts afresh.
    static void release();

    ~AboutForm() override;

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr; // the text block, lines separated by carriage returns
    QLabel* Image1 = nullptr; // the logo
    QLabel* Label2 = nullptr; // "KORVEL"

    void Form_Load();
    // Enter (13) and Escape (27) close the box; other keys do nothing.
    void Form_KeyDown(int KeyCode, int Shift);

    // Sizes the frame to Label1 and the form to the frame.
    void fitToText();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    explicit AboutForm(QWidget* parent);
    void createControls();
};

// The text block of Label1: title, version (major.minor of the build), author,
// contact lines and release date, joined by carriage returns.
QString aboutText();
