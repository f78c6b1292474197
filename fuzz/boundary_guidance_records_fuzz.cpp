// Feeds arbitrary bytes, as an existing boundary file, to the guidance
// save's rewrite of records 4, 17, 36 and 37. A rewritten file has one line
// for every line of the old one, each ended by CR LF, and the old file's
// DOS end mark after them.
#include "fuzz/guidance_save_records.h"
#include "platform/text_codec.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Lines as the rewrite reads them: ended by CR LF, LF or CR, the last one
// also without an end.
qsizetype lineCount(const QByteArray& bytes)
{
    qsizetype lines = 0;
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < bytes.size()) {
        while (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
            ++i;
        ++lines;
        if (i < bytes.size() && bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        if (i < bytes.size())
            ++i;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const GuidanceRecords records = fuzzGuidanceRecords();
    QByteArray rewritten;
    if (!rewriteGuidanceRecords(bytes, records, rewritten).isDone())
        std::abort(); // the values fit their columns: nothing may refuse
    // The lines after a UTF-8 mark and before the DOS end mark, both kept
    // as they stand.
    const QByteArray content = withoutEndMark(bytes);
    const QByteArray endMark = bytes.mid(content.size());
    QByteArray lines = rewritten.startsWith("\xEF\xBB\xBF") ? rewritten.mid(3) : rewritten;
    if (!lines.endsWith(endMark))
        std::abort();
    lines.chop(endMark.size());
    if (lines.count("\r\n") < lineCount(content) || (!lines.isEmpty() && !lines.endsWith("\r\n")))
        std::abort();
    return 0;
}
