// The preferences' own controls of the "Graphing", "Optimization" and
// "Buffer Zones" tabs: the units (the buffer width follows them), the
// drawing speeds, the pointer colour, the optimization line's width,
// colour and sample, the buffer colour and the check of the buffer width.
#include "korvel/layers/colour_dialog.h"
#include "korvel/prefs/pref_form.h"
#include "korvel/prefs/preference_settings.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/vb_error.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSlider>
#include <QTimer>

namespace {

constexpr int kBufferTab = 5;
constexpr int kGISSpeedSections = 4;
constexpr int kOptWidthSections = 3;

// The pointer colours in turn: black, light red, yellow.
int nextPointerColour(int colour)
{
    switch (colour) {
    case 0:
        return 12;
    case 12:
        return 14;
    default:
        return 0;
    }
}

// The colour dialog on a colour box; Cancel or a failure keeps its colour.
bool pickBoxColour(QWidget& owner, PictureBox& box)
{
    try {
        if (const std::optional<qint32> colour = chooseColour(&owner, box.BackColor())) {
            box.setBackColor(*colour);
            return true;
        }
    } catch (const VbError&) {
    }
    return false;
}

} // namespace

void PrefForm::CoordSystemOption_Click(int Index)
{
    const bool feet = Index == 1;
    BufferUnitsLabel->setText(feet ? QStringLiteral("ft") : QStringLiteral("m"));
    // A width that is no number, or whose converted value would not fit,
    // stays as it is.
    if (const std::optional<qint16> width = bufferWidthConverted(BufferWidthText->text(), feet)) {
        BufferWidthText->setText(QString::number(*width));
    }
}

void PrefForm::GISspeed_Click(int Index)
{
    GISGraphChoice = Index;
}

void PrefForm::AGNAVspeed_Click(int Index)
{
    const bool positional = Index == 2;
    AGNAVslider->setVisible(positional);
    Label4->setVisible(positional);
    AGNAVGraphChoice = Index;
}

void PrefForm::AGNAVslider_MouseDown(float X)
{
    AGNAVslider->setValue(sliderValueAt(X, AGNAVslider->width(), kGISSpeedSections));
}

void PrefForm::Picture1_Click()
{
    PointerChoice = nextPointerColour(PointerChoice);
    drawPointerSample();
}

void PrefForm::Slider1_MouseDown(float X)
{
    Slider1->setValue(sliderValueAt(X, Slider1->width(), kOptWidthSections));
}

void PrefForm::OptColourBox_DblClick()
{
    if (pickBoxColour(*this, *OptColourBox)) {
        DrawOptSample();
    }
}

void PrefForm::BufferColourBox_DblClick()
{
    pickBoxColour(*this, *BufferColourBox);
}

void PrefForm::DrawOptSample()
{
    // Diagonals one unit apart hatch a 3 x 3 square filling the box.
    PictureBox& sample = *SampleBox;
    sample.Cls();
    sample.setDrawWidth(Slider1->value());
    sample.Scale(0, 0, 3, 3);
    const qint32 colour = OptColourBox->BackColor();
    const double lines[][4] = { { 0, 1, 1, 0 }, { 0, 2, 2, 0 }, { 0, 3, 3, 0 }, { 1, 3, 3, 1 }, { 2, 3, 3, 2 } };
    for (const auto& line : lines) {
        sample.Line(line[0], line[1], line[2], line[3], colour);
    }
    sample.Refresh();
}

bool PrefForm::BufferWidthText_LostFocus()
{
    if (bufferWidthValue(BufferWidthText->text()) || m_checkingBuffer) {
        return true;
    }
    // The tab of the field comes to the front, whatever the user was going to.
    m_checkingBuffer = true;
    showTab(kBufferTab);
    MsgBox(QStringLiteral("Buffer Width must be a valid number"));
    m_checkingBuffer = false;
    QTimer::singleShot(0, BufferWidthText, [box = QPointer<QLineEdit>(BufferWidthText)] {
        if (box) {
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
        }
    });
    return false;
}
