#include "platform/scripted_printers.h"

#include "platform/print_queue.h"

#include <QBuffer>
#include <QPdfWriter>

QStringList ScriptedPrinters::printerNames() const
{
    QStringList names;
    for (const Installed& printer : m_printers) {
        names << printer.deviceName;
    }
    return names;
}

const ScriptedPrinters::Installed* ScriptedPrinters::find(const QString& deviceName) const
{
    for (const Installed& printer : m_printers) {
        if (printer.deviceName == deviceName) {
            return &printer;
        }
    }
    return nullptr;
}

QPageSize ScriptedPrinters::defaultPageSize(const QString& deviceName) const
{
    const Installed* printer = find(deviceName);
    return QPageSize(printer ? printer->paper : QPageSize::Letter);
}

QMarginsF ScriptedPrinters::unprintableMargins(const QString& deviceName, const QPageSize&) const
{
    const Installed* printer = find(deviceName);
    return printer ? printer->margins : QMarginsF();
}

bool ScriptedPrinters::submit(
    const QString& deviceName, const PrintJobSetup& setup, const PrintJobRender& render, QString& error)
{
    if (!m_refusal.isEmpty()) {
        error = m_refusal;
        m_refusal.clear();
        return false;
    }
    const Installed* printer = find(deviceName);
    if (!printer) {
        error = QStringLiteral("The printer \"%1\" is not available.").arg(deviceName);
        return false;
    }
    if (printer->refusesJobs) {
        error = printQueueRefusesJobsMessage(deviceName);
        return false;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PrinterDotsPerInch);
        writer.setPageSize(setup.pageSize);
        writer.setPageMargins(QMarginsF());
        if (!render(writer)) {
            error = QStringLiteral("The pages could not be rendered.");
            return false;
        }
    }
    m_jobs.push_back({ deviceName, setup, buffer.data() });
    return true;
}

void ScriptedPrinters::setPrinters(const std::vector<Installed>& printers, const QString& defaultName)
{
    m_printers = printers;
    m_default = defaultName;
    resetCurrentPrinter();
}

void ScriptedPrinters::reset()
{
    m_printers.clear();
    m_default.clear();
    m_refusal.clear();
    m_jobs.clear();
}
