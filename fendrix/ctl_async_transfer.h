#pragma once
// The control that starts the reads and keeps their books: which transfer
// keys are in progress and the caller's text for each. A transfer key is the
// trimmed file key, "|" and the type number ("Update|5"); it names the
// platform's read, so every notification of that read brings it back.
#include "platform/async_read.h"

#include <QObject>
#include <QString>

#include <map>
#include <set>

class ctlAsyncTransfer final : public QObject
{
    Q_OBJECT
public:
    explicit ctlAsyncTransfer(QObject* parent = nullptr);

    // The work of clsAsyncTransfer::DownloadFileLimited (async_transfer_interface.h).
    bool DownloadFile(const QString& strFileKey, const QString& strPath, int lngFileType,
        const QString& strData, const AsyncReadLimits& limits, QString* startError);

    // Ends every read at once without events and forgets them all.
    void cancelAll();

signals:
    void FileReadComplete(
        const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData);
    void FileReadProgress(
        const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData);

private:
    void UserControl_AsyncReadProgress(const AsyncProperty& AsyncProp);
    void UserControl_AsyncReadComplete(const AsyncProperty& AsyncProp);

    // The keyed collections compare their keys without regard to case.
    static QString collectionKey(const QString& transferKey) { return transferKey.toCaseFolded(); }

    AsyncReader* m_reader;
    std::set<QString> m_pending; // transfer keys of the reads in progress
    std::map<QString, QString> m_data; // strData of each read in progress
};
