#pragma once
// What a new element of a control array copies from its template (element 0),
// as the runtime's Load did: for a widget its parent, place, size, font,
// caption, enabled state and tip, invisible until the code shows it; for a
// menu item its caption, check style and place in the menus, directly after
// the array's element with the next lower index, visible.
// Each new element is named after the array ("Label2(3)") so tests and
// layouts find it.
#include "platform/control_array.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>

#include <concepts>
#include <functional>

// Copies what the runtime's Load copies from one widget to another.
void copyWidgetDesign(const QWidget& from, QWidget& to);

template <class W>
requires std::derived_from<W, QWidget>
typename ControlArray<W>::Loader widgetLoader(
    const ControlArray<W>& array, std::function<void(W& element, int index)> setup = {})
{
    return [&array, setup](W& templateElement, int index) {
        W* element = new W(templateElement.parentWidget());
        copyWidgetDesign(templateElement, *element);
        if constexpr (std::derived_from<W, QLabel>) {
            element->setText(templateElement.text());
            element->setAlignment(templateElement.alignment());
            element->setWordWrap(templateElement.wordWrap());
        } else if constexpr (std::derived_from<W, QAbstractButton>) {
            element->setText(templateElement.text());
            element->setIcon(templateElement.icon());
            element->setCheckable(templateElement.isCheckable());
        } else if constexpr (std::derived_from<W, QLineEdit>) {
            element->setText(templateElement.text());
            element->setFrame(templateElement.hasFrame());
        }
        element->setObjectName(array.elementName(index));
        element->hide();
        if (setup) {
            setup(*element, index);
        }
        return element;
    };
}

// Menu items: the new item goes into every menu that holds the template.
ControlArray<QAction>::Loader menuItemLoader(
    const ControlArray<QAction>& array, std::function<void(QAction& item, int index)> setup = {});
