#pragma once
// The updater's one window, "KORVEL Quillet": it shows the internet
// connection, checks the update server's version file against the installed
// version, offers the new setup with its size, downloads it with progress,
// saves it into the program folder's "Update" folder, starts it and closes.
// Escape closes it at any time. Both reads go through the download library
// (objTest) under the one file key "Update", so only one runs at a time and a
// click during a read starts nothing.
#include "platform/async_read.h"

#include <QString>
#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;

namespace quillet {
class AsyncTransferClient;
}

class frmMain final : public QWidget
{
    Q_OBJECT
public:
    // The window, created (and loaded) on first use.
    static frmMain& instance();
    static bool exists();
    // Destroys the window; the next use starts afresh.
    static void release();

    ~frmMain() override;

    QLabel* lblConnection;
    QPushButton* btnCheckUpdates;
    QLabel* lblCheckUpdates;
    QLabel* lblProgress;
    QPushButton* btnDownloadUpdates;
    QLabel* lblDownloadUpdates;

    // The download class, held for the window's life; null when the library
    // could not be created.
    quillet::AsyncTransferClient* objTest() const { return m_objTest.get(); }
    // The program folder, ending in "/".
    const QString& rootDir() const { return m_rootDir; }

    // The platform's connection state; `sConnectionName` gets the
    // connection's name. True when connected.
    bool InternetConnected(QString& sConnectionName);
    // Ends the reads in progress.
    void StopDownload();
    // The least a read must receive in any span of `milliseconds` before it
    // is failed as stalled (1 KB in 30 seconds unless changed).
    void setStallRule(qint64 bytes, int milliseconds);

    void Form_Load();
    // `KeyCode` is the runtime's key code and `Shift` its shift state (1
    // Shift, 2 Ctrl, 4 Alt). Only Escape (27) does anything: it closes the window.
    void Form_KeyDown(int KeyCode, int Shift);
    void btnCheckUpdates_Click();
    void btnDownloadUpdates_Click();
    void objTest_FileReadComplete(
        const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData);
    void objTest_FileReadProgress(
        const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData);

protected:
    // The window sees every key before its controls do.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmMain();

    void createControls();
    void createObjTest();
    void widenForConnectionLabel();
    void versionFileRead(const AsyncProperty& AsyncProp);
    void setupRead(const AsyncProperty& AsyncProp);
    // Starts a read of a path on the update server of at most `maxBytes`; a
    // read that cannot start is reported, a refused one shows nothing.
    bool startRead(const QString& path, const QString& strData, qint64 maxBytes);

    std::unique_ptr<quillet::AsyncTransferClient> m_objTest;
    QString m_rootDir;
    QString m_installedVersion;
    QString m_updateServer; // the address the last check asked
    qint32 m_setupSize = 0; // bytes, from line 2 of the version file
    QByteArray m_setupSha256; // from line 3 of the version file; empty when it names none
    AsyncReadLimits m_readLimits; // the stall rule of both reads
    QByteArray m_versionBytes; // the version file as last received
};
