#include "platform/application_activation.h"

#include <QGuiApplication>

ApplicationActivation::ApplicationActivation()
{
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(
            application, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
                // Hidden and suspended come only after inactive, on mobile desktops.
                if (state == Qt::ApplicationActive || state == Qt::ApplicationInactive) {
                    notify(state == Qt::ApplicationActive);
                }
            });
    }
}

ApplicationActivation& ApplicationActivation::instance()
{
    static ApplicationActivation activation;
    return activation;
}

void ApplicationActivation::notify(bool active)
{
    if (active == m_active) {
        return;
    }
    m_active = active;
    emit activeChanged(active);
}

void ApplicationActivation::reset()
{
    m_active = true;
}
