#pragma once
// The shutdown request another program may send the running main program as
// a copy-data message: dwData 3 and the text "KORVEL_Save_Shutdown" (save the
// session, then quit) or "KORVEL_Shutdown" (quit). Only the first 254 bytes
// of the message count; they are text in the Windows code page, cut at their
// first NUL and compared exactly, letter case included. Anything else is no
// request.
#include <QByteArray>
#include <QtGlobal>

enum class ShutdownRequest { None, SaveAndShutdown, Shutdown };

inline constexpr quint32 ShutdownRequestData = 3;
// Bytes of a message that count: the receiving buffer held 255, the last of
// them always NUL.
inline constexpr int ShutdownRequestMaxBytes = 254;

ShutdownRequest shutdownRequestOf(quint32 dwData, const QByteArray& data);
