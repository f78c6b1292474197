#pragma once
// What the desktop's print system (CUPS) says of a printer's queue. Qt hands
// a job over without telling whether the queue took it: a queue set to
// refuse jobs (cupsreject) drops it, and the pages are simply gone. These
// ask the print system itself, through its library, which Qt's printing has
// loaded already.
#include <QString>

// False, with the message in `error`, when the printer's queue takes no jobs
// now. A paused queue (cupsdisable) takes them and keeps them until it goes
// on, so it is no refusal; nor is a queue the print system cannot tell about,
// which leaves the answer to the hand-over.
bool printQueueAcceptsJobs(const QString& deviceName, QString& error);
// Right after Qt has handed a job to the print system on this thread: false,
// with the message in `error`, when the print system refused it.
bool printQueueTookJob(const QString& deviceName, QString& error);

// The message of a queue that takes no jobs, naming it.
QString printQueueRefusesJobsMessage(const QString& deviceName);
