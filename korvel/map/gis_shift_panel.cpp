#include "korvel/map/gis_shift_panel.h"

#include "korvel/map/gis_shift_tool.h"
#include "korvel/map/map_view.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace {

QSpinBox* newStepControl(QWidget& parent, const QString& name)
{
    auto* step = new QSpinBox(&parent);
    step->setObjectName(name);
    step->setRange(GisShiftStepMin, GisShiftStepMax);
    step->setValue(0);
    step->setToolTip(QStringLiteral("Step as a power of ten of metres"));
    return step;
}

QLabel* newLabel(QWidget& parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, &parent);
    label->setObjectName(name);
    return label;
}

} // namespace

GISShiftPanel::GISShiftPanel(QWidget& owner, MapView& view)
    : QWidget(&owner, Qt::Tool)
    , m_view(view)
{
    setObjectName(QStringLiteral("GISShiftPanel"));
    setWindowTitle(QStringLiteral("GIS Shift"));
    createControls();
    connectControls();
}

void GISShiftPanel::createControls()
{
    auto* grid = new QGridLayout(this);
    const char* captions[] = { "North", "East", "South", "West" };
    // Laid out as a compass: north on top, west left, east right, south below.
    const QPoint places[] = { { 1, 0 }, { 2, 1 }, { 1, 2 }, { 0, 1 } };
    for (int index = 1; index <= 4; ++index) {
        auto* button = new QPushButton(QString::fromLatin1(captions[index - 1]), this);
        button->setObjectName(ShiftButton.elementName(index));
        ShiftButton.setElement(index, button);
        grid->addWidget(button, places[index - 1].y(), places[index - 1].x());
    }
    ResetButton = new QPushButton(QStringLiteral("Reset"), this);
    ResetButton->setObjectName(QStringLiteral("ResetButton"));
    grid->addWidget(ResetButton, 1, 1);

    StepX = newStepControl(*this, QStringLiteral("StepX"));
    StepY = newStepControl(*this, QStringLiteral("StepY"));
    StepXLabel = newLabel(*this, QStringLiteral("StepXLabel"), gisShiftStepText(0));
    StepYLabel = newLabel(*this, QStringLiteral("StepYLabel"), gisShiftStepText(0));
    grid->addWidget(newLabel(*this, QStringLiteral("StepXCaption"), QStringLiteral("East-west step:")), 3, 0);
    grid->addWidget(StepX, 3, 1);
    grid->addWidget(StepXLabel, 3, 2);
    grid->addWidget(
        newLabel(*this, QStringLiteral("StepYCaption"), QStringLiteral("North-south step:")), 4, 0);
    grid->addWidget(StepY, 4, 1);
    grid->addWidget(StepYLabel, 4, 2);

    OffsetYLabel = newLabel(*this, QStringLiteral("OffsetYLabel"), gisShiftOffsetText(0.0));
    OffsetXLabel = newLabel(*this, QStringLiteral("OffsetXLabel"), gisShiftOffsetText(0.0));
    grid->addWidget(newLabel(*this, QStringLiteral("OffsetYCaption"), QStringLiteral("North offset:")), 5, 0);
    grid->addWidget(OffsetYLabel, 5, 1, 1, 2);
    grid->addWidget(newLabel(*this, QStringLiteral("OffsetXCaption"), QStringLiteral("East offset:")), 6, 0);
    grid->addWidget(OffsetXLabel, 6, 1, 1, 2);

    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    grid->addWidget(CloseButton, 7, 2);
}

void GISShiftPanel::connectControls()
{
    for (int index = 1; index <= 4; ++index) {
        connect(&ShiftButton[index], &QPushButton::clicked, this,
            [this, index] { m_view.OnGISShiftChange(index); });
    }
    connect(StepX, &QSpinBox::valueChanged, this, [this] { m_view.OnGISShiftStepXChange(); });
    connect(StepY, &QSpinBox::valueChanged, this, [this] { m_view.OnGISShiftStepYChange(); });
    connect(ResetButton, &QPushButton::clicked, this, [this] { m_view.OnGISShiftRedraw(); });
    connect(CloseButton, &QPushButton::clicked, this, [this] { m_view.HideGISShiftPanel(); });
}

void GISShiftPanel::closeEvent(QCloseEvent* event)
{
    // The close box ends the preview like the Close button; the window
    // itself stays for the next opening.
    event->ignore();
    m_view.HideGISShiftPanel();
}
