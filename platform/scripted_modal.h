#pragma once
// Modal forms in tests. ShowModal shows the form modelessly and hands it to
// the first queued handler that accepts it; the handler fills fields and
// presses buttons like the user. A form with no handler, or one still open
// after its handler, is a failure and is closed (rejected).
//
// The guard: while it is on, any other modal window (a dialog's exec() called
// directly, a QMessageBox of Qt's own) is a failure too and is closed as soon
// as it shows, so a test never waits for a person.
#include "platform/show_modal.h"

#include <QObject>
#include <QSet>
#include <QStringList>

#include <functional>
#include <vector>

class ScriptedModalForms final : public QObject, public ModalBackend
{
public:
    using Matcher = std::function<bool(QWidget&)>;
    using Handler = std::function<void(QWidget&)>;

    struct ModalRecord
    {
        QString className;
        QString objectName;
        QString windowTitle;
    };

    ScriptedModalForms();
    ~ScriptedModalForms() override;

    int showModal(QWidget& form) override;

    // `description` names the awaited form in failure messages.
    void queueHandler(Matcher matcher, Handler handler, const QString& description);

    void setGuardEnabled(bool enabled);

    const std::vector<ModalRecord>& forms() const { return m_forms; }
    int pendingHandlers() const { return int(m_handlers.size()); }
    QStringList takeFailures();
    QStringList takeFailuresAndLeftovers();
    void reset();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Queued
    {
        Matcher matcher;
        Handler handler;
        QString description;
    };

    std::vector<Queued> m_handlers;
    std::vector<ModalRecord> m_forms;
    QSet<const QWidget*> m_scriptedForms; // shown by showModal right now
    QStringList m_failures;
    bool m_guardEnabled = false;
};
