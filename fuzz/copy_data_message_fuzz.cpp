// Feeds arbitrary bytes, as received on the running copy's mailbox, to the
// message framing and to the shutdown request it may carry. A whole message
// is exactly the start of the bytes, written again the same way; an
// announced length past the limit is refused whatever follows; and only
// dwData 3 with one of the two commands, up to the first NUL of the first
// 254 bytes, asks the program to quit.
#include "korvel/shell/shutdown_request.h"
#include "platform/single_instance.h"

#include <QtEndian>

#include <cstdint>
#include <cstdlib>

namespace {

void checkRequest(quint32 dwData, const QByteArray& data)
{
    const ShutdownRequest request = shutdownRequestOf(dwData, data);
    if (request == ShutdownRequest::None)
        return;
    QByteArray text = data.left(ShutdownRequestMaxBytes);
    if (text.contains('\0'))
        text.truncate(text.indexOf('\0'));
    const QByteArray expected
        = request == ShutdownRequest::SaveAndShutdown ? "KORVEL_Save_Shutdown" : "KORVEL_Shutdown";
    if (dwData != ShutdownRequestData || text != expected)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CopyDataFrame frame = readCopyDataFrame(bytes);
    switch (frame.status) {
    case CopyDataFrame::Whole:
        if (!bytes.startsWith(copyDataMessage(frame.dwData, frame.data)))
            std::abort();
        checkRequest(frame.dwData, frame.data);
        break;
    case CopyDataFrame::TooLarge:
        // Refused from the header alone, before the data arrives.
        if (readCopyDataFrame(bytes.left(CopyDataHeaderBytes)).status != CopyDataFrame::TooLarge)
            std::abort();
        break;
    case CopyDataFrame::Incomplete:
        // More bytes can only complete it: a message of this length fits.
        if (bytes.size() >= CopyDataHeaderBytes
            && qFromLittleEndian<quint32>(bytes.constData() + 4) > CopyDataMaxBytes)
            std::abort();
        break;
    }
    return 0;
}
