#pragma once
// What the main window's tests share: a fixture that creates the window
// on a known screen, and a floating tool window standing in for the layer
// list and the zoom window of later subsystems.
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "tests/support/korvel_test.h"

#include <QPointer>
#include <QWidget>

// A floating tool window as the shell sees one: a tool window owned by the
// main window, created when shown and destroyed when unloaded.
class StandInFloatingWindow final : public FloatingToolWindow
{
public:
    explicit StandInFloatingWindow(const QString& name);
    ~StandInFloatingWindow() override;

    void show() override;
    void unload() override;
    QWidget* window() const override { return m_window; }

    int shows = 0;
    int unloads = 0;

private:
    QString m_name;
    QPointer<QWidget> m_window;
};

class MainFormTest : public KorvelTest
{
protected:
    void SetUp() override;

    // The main window, created on first use (its initialization runs then).
    MainForm& form();
    // Shows it maximised and lets the layout run.
    MainForm& shownForm();
    // Lets queued events run: deferred deletes, socket traffic, window states.
    static void settle();
    // Stores a setting as the preferences would.
    static void storeSetting(const QString& section, const QString& name, const QString& value);
    // Replaces the program folder's "ellipsoid.dat".
    void writeEllipsoidTable(const QByteArray& bytes) const;

    StandInFloatingWindow checkList { QStringLiteral("CheckListForm") };
    StandInFloatingWindow zoomWindow { QStringLiteral("ZoomForm") };
};
