#pragma once
// A part of the main window: the procedures one subsystem's folder gives the
// window (its menu commands, its panel's handlers, its loaders) with the
// folder's own state. The assembly creates the parts after the frame's
// controls and before its initialization; each connects its own controls
// and menu items in its constructor. The window owns them and destroys them
// before its controls, so the next window starts with fresh parts.
#include <QObject>

class MainForm;

class MainFormPart : public QObject
{
public:
    explicit MainFormPart(MainForm& form)
        : m_form(form)
    {
    }

protected:
    // The frame whose controls and public state the part works on.
    MainForm& m_form;
};
