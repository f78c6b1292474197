#include "platform/print_queue.h"

#include <QByteArray>

#include <cups/cups.h>

namespace {

// A printer's device name is its CUPS destination: the queue, and after a
// slash the instance of the user's saved options.
struct Destination
{
    QByteArray queue;
    QByteArray instance;
};

Destination destination(const QString& deviceName)
{
    const qsizetype slash = deviceName.indexOf(u'/');
    if (slash < 0) {
        return { deviceName.toLocal8Bit(), {} };
    }
    return { deviceName.left(slash).toLocal8Bit(), deviceName.mid(slash + 1).toLocal8Bit() };
}

} // namespace

bool printQueueAcceptsJobs(const QString& deviceName, QString& error)
{
    const Destination name = destination(deviceName);
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.queue.constData(),
        name.instance.isEmpty() ? nullptr : name.instance.constData());
    if (!dest) {
        return true;
    }
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool refuses = accepting && qstrcmp(accepting, "false") == 0;
    cupsFreeDests(1, dest);
    if (refuses) {
        error = printQueueRefusesJobsMessage(deviceName);
    }
    return !refuses;
}

bool printQueueTookJob(const QString& deviceName, QString& error)
{
    // CUPS keeps the outcome of its last request per thread; Qt's hand-over
    // of the job is that request.
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) {
        return true;
    }
    error = QStringLiteral("The print queue \"%1\" refused the job: %2")
                .arg(deviceName, QString::fromUtf8(cupsLastErrorString()));
    return false;
}

QString printQueueRefusesJobsMessage(const QString& deviceName)
{
    return QStringLiteral("The print queue \"%1\" does not accept jobs.").arg(deviceName);
}
