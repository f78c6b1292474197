// Feeds arbitrary bytes to the optimization module reader. A refused module
// says why and keeps no coefficients.
#include "korvel/met/optimization_module.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const OptimizationModule module = parseOptimizationModule(bytes);
    if (!module.ok && (module.error.isEmpty() || module.coefficients != OptCoefficients { 0.0f, 0.0f, 0.0f }))
        std::abort();
    return 0;
}
