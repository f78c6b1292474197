#pragma once
// The guidance panel's controls as both windows that carry them build them:
// the main window's docked frame and the floating GuidanceForm. Each gets the
// same controls under the same names, captions and sizes, with the design's
// choices (heading mode, the first line half a swath in); the window then
// places them, the docked frame through the panel layout, the floating one
// at fixed places.
#include "platform/control_array.h"
#include "platform/spin_scroll_bar.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QString>

namespace GuidanceControlKit {

inline QLabel* newLabel(const char* name, const QString& caption, QWidget& parent)
{
    auto* label = new QLabel(caption, &parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

inline QLineEdit* newBox(const char* name, const QString& text, QSize size, QWidget& parent)
{
    auto* box = new QLineEdit(text, &parent);
    box->setObjectName(QLatin1String(name));
    box->resize(size);
    return box;
}

// The runtime's spin button beside a box: a small vertical scroll bar whose
// top end is the larger value, so its upper arrow raises the value.
inline QScrollBar* newSpin(const char* name, QWidget& parent)
{
    auto* spin = new SpinScrollBar(&parent);
    spin->setObjectName(QLatin1String(name));
    spin->resize(15, 16);
    return spin;
}

inline QPushButton* newButton(const char* name, const QString& caption, QWidget& parent)
{
    auto* button = new QPushButton(caption, &parent);
    button->setObjectName(QLatin1String(name));
    button->resize(57, 25);
    return button;
}

} // namespace GuidanceControlKit

// Builds the controls into `parent` and the form's members of their names.
// The offset options stand in OffsetFrame at their places; the frame itself
// starts at the panel's top.
template <class Form> void createGuidanceControls(Form& form, QWidget& parent)
{
    using namespace GuidanceControlKit;
    const QString directions[] = { QStringLiteral("Flight Heading"), QStringLiteral("Parallel to Edge") };
    for (int index = 1; index <= 2; ++index) {
        auto* option = new QRadioButton(directions[index - 1], &parent);
        option->setObjectName(form.GuidanceOption.elementName(index));
        option->resize(121, 17);
        form.GuidanceOption.setElement(index, option);
    }
    form.GuidanceText = newBox("GuidanceText", QStringLiteral("0"), QSize(50, 20), parent);
    form.VScroll1 = newSpin("VScroll1", parent);
    form.DegreeLabel = newLabel("DegreeLabel", QString(), parent);
    form.SwathLabel = newLabel("SwathLabel", QStringLiteral("Swath Width:"), parent);
    form.SwathText = newBox("SwathText", QStringLiteral("25.0"), QSize(60, 20), parent);
    form.VScroll2 = newSpin("VScroll2", parent);
    form.SwathLabelm = newLabel("SwathLabelm", QStringLiteral("m"), parent);

    form.OffsetLabel = newLabel("OffsetLabel", QStringLiteral("Offset:"), parent);
    form.OffsetLabel->move(8, 0);
    form.OffsetFrame = new QFrame(&parent);
    form.OffsetFrame->setObjectName(QStringLiteral("OffsetFrame"));
    form.OffsetFrame->setFrameShape(QFrame::NoFrame);
    form.OffsetFrame->setGeometry(52, 0, 160, 17);
    const QString offsets[] = { QStringLiteral("None"), QStringLiteral("Half-Swath") };
    const int offsetLefts[] = { 0, 60 };
    const int offsetWidths[] = { 56, 96 };
    for (int index = 0; index <= 1; ++index) {
        auto* option = new QRadioButton(offsets[index], form.OffsetFrame);
        option->setObjectName(form.OffsetOption.elementName(index));
        option->setGeometry(offsetLefts[index], 0, offsetWidths[index], 17);
        form.OffsetOption.setElement(index, option);
    }

    form.GuidanceSave = newButton("GuidanceSave", QStringLiteral("Save"), parent);
    form.GuidanceCancel = newButton("GuidanceCancel", QStringLiteral("Cancel"), parent);

    form.GuidanceOption[1].setChecked(true);
    form.OffsetOption[1].setChecked(true);
}
