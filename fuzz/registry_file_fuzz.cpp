// Feeds arbitrary bytes to the registry store file reader. Whatever it accepts
// must be written back and read again to the very same file text.
#include "platform/registry_file_format.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const auto root = readRegistryFile(bytes, &error);
    if (!root)
        return 0;
    const QByteArray written = writeRegistryFile(*root, QStringLiteral("HKEY_CURRENT_USER"));
    const auto again = readRegistryFile(written, &error);
    if (!again || writeRegistryFile(*again, QStringLiteral("HKEY_CURRENT_USER")) != written)
        std::abort();
    return 0;
}
