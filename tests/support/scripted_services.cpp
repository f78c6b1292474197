#include "tests/support/scripted_services.h"

#include <cstdio>
#include <cstdlib>

namespace {
ScriptedServices* g_instance = nullptr;
}

ScriptedServices::ScriptedServices()
{
    g_instance = this;
    install();
}

ScriptedServices::~ScriptedServices()
{
    setMsgBoxBackend(nullptr);
    setCommonDialogBackend(nullptr);
    setModalBackend(nullptr);
    setProcessLauncher(nullptr);
    setPopupMenuBackend(nullptr);
    setPrinterBackend(nullptr);
    g_instance = nullptr;
}

ScriptedServices& ScriptedServices::instance()
{
    if (!g_instance) {
        std::fputs("ScriptedServices::instance(): the test main() made no scripted services\n", stderr);
        std::abort();
    }
    return *g_instance;
}

void ScriptedServices::install()
{
    setMsgBoxBackend(&msgBox);
    setCommonDialogBackend(&commonDialog);
    setModalBackend(&modalForms);
    setProcessLauncher(&launcher);
    setPopupMenuBackend(&popupMenu);
    setPrinterBackend(&printers);
    modalForms.setGuardEnabled(true);
}

void ScriptedServices::reset()
{
    msgBox.reset();
    commonDialog.reset();
    modalForms.reset();
    launcher.reset();
    popupMenu.reset();
    printers.reset();
    install();
}

void ScriptedServices::useRealDialogs()
{
    setMsgBoxBackend(nullptr);
    setCommonDialogBackend(nullptr);
    setModalBackend(nullptr);
    setPopupMenuBackend(nullptr);
    modalForms.setGuardEnabled(false);
}

QStringList ScriptedServices::takeFailures()
{
    return msgBox.takeFailuresAndLeftovers() + commonDialog.takeFailuresAndLeftovers()
        + modalForms.takeFailuresAndLeftovers() + launcher.takeLeftovers()
        + popupMenu.takeFailuresAndLeftovers();
}
