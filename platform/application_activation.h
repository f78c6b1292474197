#pragma once
// WM_ACTIVATEAPP: the program becomes the active one (one of its windows
// gets the focus) or stops being it because another program's window did.
// A dialog of the program itself changes nothing. The desktop reports it
// through Qt's application state; tests and desktops that report nothing
// call notify() themselves.
#include <QObject>

class ApplicationActivation final : public QObject
{
    Q_OBJECT
public:
    static ApplicationActivation& instance();

    bool isActive() const { return m_active; }
    // Reports a change; the same state twice in a row is reported once.
    void notify(bool active);

    // Back to "active", as a program starts (tests).
    void reset();

signals:
    // True when this program was activated, false when another one was.
    void activeChanged(bool active);

private:
    ApplicationActivation();

    bool m_active = true;
};
