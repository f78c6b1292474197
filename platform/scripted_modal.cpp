#include "platform/scripted_modal.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

QString describe(const QWidget& form)
{
    QString text = QString::fromLatin1(form.metaObject()->className());
    if (!form.objectName().isEmpty()) {
        text += QLatin1String(" \"") + form.objectName() + QLatin1Char('"');
    }
    if (!form.windowTitle().isEmpty()) {
        text += QLatin1String(" (") + form.windowTitle() + QLatin1Char(')');
    }
    return text;
}

void closeForm(QWidget& form)
{
    if (auto* dialog = qobject_cast<QDialog*>(&form)) {
        dialog->reject();
    } else {
        form.close();
    }
}

} // namespace

ScriptedModalForms::ScriptedModalForms()
{
    setGuardEnabled(true);
}

ScriptedModalForms::~ScriptedModalForms()
{
    setGuardEnabled(false);
}

int ScriptedModalForms::showModal(QWidget& form)
{
    m_forms.push_back(
        { QString::fromLatin1(form.metaObject()->className()), form.objectName(), form.windowTitle() });
    const QString name = describe(form);

    QPointer<QWidget> alive(&form);
    int result = 0;
    if (auto* dialog = qobject_cast<QDialog*>(&form)) {
        dialog->setResult(0);
        connect(dialog, &QDialog::finished, this, [&result](int code) { result = code; });
    }
    if (form.isVisible()) {
        form.hide();
    }
    const Qt::WindowModality before = form.windowModality();
    form.setWindowModality(Qt::ApplicationModal);
    m_scriptedForms.insert(&form);
    form.show();
    // Let the form see what a real opening delivers (activation, layout)
    // before the handler looks at it.
    QCoreApplication::processEvents();

    auto match = std::find_if(m_handlers.begin(), m_handlers.end(),
        [&form, &alive](const Queued& queued) { return alive && queued.matcher(form); });
    const bool handled = alive && match != m_handlers.end();
    if (handled) {
        const Handler handler = std::move(match->handler);
        m_handlers.erase(match);
        handler(form);
    } else {
        m_failures << QStringLiteral("Unexpected modal form %1 (no handler queued)").arg(name);
    }

    if (alive && form.isVisible()) {
        if (handled) {
            m_failures << QStringLiteral("Modal form %1 was still open after its handler").arg(name);
        }
        closeForm(form);
    }
    // A form whose own close handling refused the close is hidden regardless.
    if (alive && form.isVisible()) {
        form.hide();
    }
    if (alive) {
        disconnect(alive, nullptr, this, nullptr);
        form.setWindowModality(before);
    }
    m_scriptedForms.remove(&form);
    return result;
}

void ScriptedModalForms::queueHandler(Matcher matcher, Handler handler, const QString& description)
{
    m_handlers.push_back({ std::move(matcher), std::move(handler), description });
}

void ScriptedModalForms::setGuardEnabled(bool enabled)
{
    if (enabled == m_guardEnabled || !QCoreApplication::instance()) {
        return;
    }
    m_guardEnabled = enabled;
    if (enabled) {
        QCoreApplication::instance()->installEventFilter(this);
    } else {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool ScriptedModalForms::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType()) {
        return false;
    }
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow() || !window->isModal() || m_scriptedForms.contains(window)) {
        return false;
    }
    m_failures << QStringLiteral("Modal window %1 was shown outside ShowModal, MsgBox and CommonDialog")
                      .arg(describe(*window));
    // Closed from the event loop the window's own exec() runs, which then returns.
    QTimer::singleShot(0, window, [window] { closeForm(*window); });
    return false;
}

QStringList ScriptedModalForms::takeFailures()
{
    QStringList failures;
    failures.swap(m_failures);
    return failures;
}

QStringList ScriptedModalForms::takeFailuresAndLeftovers()
{
    QStringList failures = takeFailures();
    for (const Queued& left : m_handlers) {
        failures << QStringLiteral("A handler for modal form %1 was queued but no such form was shown")
                        .arg(left.description);
    }
    m_handlers.clear();
    return failures;
}

void ScriptedModalForms::reset()
{
    m_handlers.clear();
    m_forms.clear();
    m_failures.clear();
    m_scriptedForms.clear();
    setGuardEnabled(true);
}
