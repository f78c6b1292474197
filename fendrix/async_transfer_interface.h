#pragma once
// The download library Fendrix as its users see it: the class clsAsyncTransfer
// behind the interface AsyncTransfer, created through the component
// registration (platform/component_loader.h) by its class identifier, and the
// events it reports to one receiver. Nothing else of the library is visible:
// it exports only its four entry points, and a program never links it.
//
// A read is named by its file key and type; while one read of a key and type
// runs, a second with the same pair is refused. Each read reports any number
// of FileReadProgress events and then one FileReadComplete, on the thread
// (and through the event loop) of the program that created the object. The
// events of every read go to the class object created last.
#include "platform/async_read.h"
#include "platform/component_abi.h"

#include <QString>

inline constexpr char CLSID_clsAsyncTransfer[] = "{7B6FF93D-904D-40A9-ABDC-4A11732974DB}";
inline constexpr char IID_AsyncTransfer[] = "{3DEC5FC0-A3D5-42B9-93D8-5A1EAD02854D}";
inline constexpr char LIBID_Fendrix[] = "{B6BDF528-A784-4EA9-8EF5-D1085BA80285}";
inline constexpr char ProgID_clsAsyncTransfer[] = "Fendrix.clsAsyncTransfer";
// The library's file in the program folder.
inline constexpr char FendrixLibraryFile[] = "libfendrix.so";

// The kinds of read (enumDownloadFileTypes). The three picture types read
// alike and differ only in the number their events carry.
enum enumDownloadFileTypes {
    dftFile = 1, // Value: the name of a local file holding the data
    dftPicture = 2, // Value: a QImage
    dftPicture16 = 3,
    dftPicture32 = 4,
    dftByteArray = 5, // Value: a QByteArray
};

// The receiver of the events. `strFileKey` is the trimmed file key,
// `lngFileType` the type and `strData` the text given to DownloadFile;
// AsyncProp is the read's state, with BytesRead, BytesMax (0 when no total is
// known), PropertyName (the transfer key, e.g. "Update|5") and, at the end of
// a read that succeeded, Value. A failed read completes with BytesRead 0 and
// the reason in Status. A receiver must not let an exception escape.
class AsyncTransferEvents
{
public:
    virtual void FileReadComplete(
        const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData)
        = 0;
    virtual void FileReadProgress(
        const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData)
        = 0;

protected:
    ~AsyncTransferEvents() = default;
};

class AsyncTransfer
{
public:
    // Used to begin a download of a file: reads `strPath` (an http, https or
    // file URL, or an absolute path) as `lngFileType`. Returns True when the
    // read started. False refuses it: a file key that is blank or holds "|",
    // a type outside 1 to 5, or the same key and type already in progress;
    // and a read that could not start (then `startError`, when given, says
    // why; it is emptied otherwise).
    // The read has the default limits of AsyncReadLimits.
    virtual bool DownloadFile(const QString& strFileKey, const QString& strPath, int lngFileType,
        const QString& strData, QString* startError = nullptr) noexcept = 0;
    // DownloadFile within the caller's limits: a read that passes
    // `limits.maxBytes` or stalls completes at once as failed, its Fault
    // saying which (async_read.h).
    virtual bool DownloadFileLimited(const QString& strFileKey, const QString& strPath, int lngFileType,
        const QString& strData, const AsyncReadLimits& limits, QString* startError = nullptr) noexcept = 0;
    // Ends every read in progress, of this object and of any other; no event
    // of them arrives afterwards.
    virtual void CancelDownload() noexcept = 0;
    // The one receiver of the events, or nullptr; the caller keeps it alive
    // until it sets another or releases the object.
    virtual void setEventSink(AsyncTransferEvents* sink) noexcept = 0;
    // Destroys the object. When no object is left, every read ends.
    virtual void Release() noexcept = 0;

protected:
    ~AsyncTransfer() = default;
};
