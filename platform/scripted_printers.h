#pragma once
// Printers for tests: the test names the installed printers, the default one
// and each one's paper, unprintable margins and whether its queue takes jobs;
// a job sent to one of them is rendered into PDF bytes in memory and
// recorded, never sent anywhere.
#include "platform/printer.h"

#include <QByteArray>
#include <QMarginsF>
#include <QPageSize>
#include <QString>
#include <vector>

class ScriptedPrinters final : public PrinterBackend
{
public:
    struct Installed
    {
        QString deviceName;
        QPageSize::PageSizeId paper = QPageSize::Letter;
        QMarginsF margins; // twips
        bool refusesJobs = false; // its queue is set to refuse them
    };
    struct Job
    {
        QString deviceName;
        PrintJobSetup setup;
        QByteArray pdf; // the pages as they were rendered
    };

    QStringList printerNames() const override;
    QString defaultPrinterName() const override { return m_default; }
    QPageSize defaultPageSize(const QString& deviceName) const override;
    QMarginsF unprintableMargins(const QString& deviceName, const QPageSize& pageSize) const override;
    bool submit(const QString& deviceName, const PrintJobSetup& setup, const PrintJobRender& render,
        QString& error) override;

    // Installs the printers; the current printer starts afresh from them.
    void setPrinters(const std::vector<Installed>& printers, const QString& defaultName = QString());
    // The next job is refused with this reason.
    void refuseNextJob(const QString& reason) { m_refusal = reason; }
    const std::vector<Job>& jobs() const { return m_jobs; }

    // No printers, no jobs.
    void reset();

private:
    const Installed* find(const QString& deviceName) const;

    std::vector<Installed> m_printers;
    QString m_default;
    QString m_refusal;
    std::vector<Job> m_jobs;
};
