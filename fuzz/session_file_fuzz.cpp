// Feeds arbitrary bytes to the session file's reader. It either gives a
// whole session, or says the file is no session, or gives the reason with
// its line; a session it gives holds one tick state per row, a UTM zone and
// states of 0, 1 or 2, and written again (when it may be) it reads back the
// same.
#include "korvel/prefs/session_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const SessionReadResult read = parseSessionFile(bytes);
    const int outcomes = int(read.session.has_value()) + int(read.notSessionFile) + int(!read.error.isEmpty());
    if (outcomes != 1) {
        std::abort();
    }
    if (!read.session) {
        return 0;
    }
    SessionFile session = *read.session;
    if (int(session.CheckStates.size()) != session.rowCount() || session.Zone < 1 || session.Zone > 60) {
        std::abort();
    }
    for (int state : session.CheckStates) {
        if (state < 0 || state > 2) {
            std::abort();
        }
    }
    if (!sessionFileRefusal(session).isEmpty()) {
        return 0;
    }
    session.ExtentTexts = { QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1") };
    const SessionReadResult again = parseSessionFile(sessionFileBytes(session));
    if (!again.session || again.session->Images != session.Images || again.session->GISLayers != session.GISLayers
        || again.session->Blocks != session.Blocks || again.session->CheckStates != session.CheckStates
        || again.session->EllipsoidName != session.EllipsoidName) {
        std::abort();
    }
    return 0;
}
