#pragma once
// The relay between the control and the class: one shared instance per
// program, made when the first class object is created, holding the control
// asfTransfer and passing its events on to objAsyncTransfer, the class object
// created last. Only a place for the control to live and for its events to
// pass through, so an object rather than a hidden window.
//
// Unloading it (CancelDownload) ends every read without events; the next use
// makes it anew with empty books, still relaying to the same class object.
#include "platform/async_read.h"

#include <QObject>
#include <QString>

class clsAsyncTransfer;
class ctlAsyncTransfer;

class forAsyncTransfer final : public QObject
{
    Q_OBJECT
public:
    // The program's instance, made when there is none.
    static forAsyncTransfer& instance();
    // True while an instance exists.
    static bool loaded();
    // Ends every read without events and lets the instance go.
    static void unload();
    // True while an instance, loaded or on its way out, still exists.
    static bool anyAlive() { return s_alive > 0; }

    ctlAsyncTransfer& asfTransfer() { return *m_asfTransfer; }

    // The class object the events go to (the one created last); it outlives
    // an unload, as the form's variables outlived its Unload.
    static clsAsyncTransfer* objAsyncTransfer;

private:
    explicit forAsyncTransfer(QObject* parent);
    ~forAsyncTransfer() override;

    void asfTransfer_FileReadComplete(
        const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData);
    void asfTransfer_FileReadProgress(
        const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData);

    // Counts the events being passed on, for the receiver may end the reads
    // (or release the last object) from within one.
    struct Relaying
    {
        Relaying() { ++s_relaying; }
        ~Relaying() { --s_relaying; }
        Relaying(const Relaying&) = delete;
        Relaying& operator=(const Relaying&) = delete;
    };

    ctlAsyncTransfer* m_asfTransfer;
    static int s_alive;
    static int s_relaying;
};
