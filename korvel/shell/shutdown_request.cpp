#include "korvel/shell/shutdown_request.h"

#include "platform/text_codec.h"

ShutdownRequest shutdownRequestOf(quint32 dwData, const QByteArray& data)
{
    if (dwData != ShutdownRequestData) {
        return ShutdownRequest::None;
    }
    QByteArray bytes = data.left(ShutdownRequestMaxBytes);
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0) {
        bytes.truncate(nul);
    }
    const QString text = decodeWindows1252(bytes);
    if (text == QLatin1String("KORVEL_Save_Shutdown")) {
        return ShutdownRequest::SaveAndShutdown;
    }
    if (text == QLatin1String("KORVEL_Shutdown")) {
        return ShutdownRequest::Shutdown;
    }
    return ShutdownRequest::None;
}
