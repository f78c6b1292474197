#include "korvel/met/optimization_module.h"

#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"
#include "platform/sequential_file.h"
#include "platform/vb_error.h"
#include "platform/vb_runtime_errors.h"

#include <cmath>

namespace {

// No spray set-up drifts a thousand kilometres per unit of wind: a larger
// coefficient comes from a damaged file and would throw the overlay lines
// off every map, or to infinity once the wind speed multiplies it.
constexpr float kLargestCoefficient = 1.0e6f;

} // namespace

QString optimizationModulePath(const QString& fileName)
{
    return globals().RootDir + QStringLiteral("optimization/") + fileName;
}

OptimizationModule parseOptimizationModule(const QByteArray& bytes)
{
    OptimizationModule module;
    SequentialReader reader(bytes);
    try {
        QString* texts[] = { &module.product, &module.aircraft, &module.height, &module.nozzleType };
        for (QString* text : texts) {
            *text = reader.readLine();
        }
        reader.readLine(); // notes
        for (float& c : module.coefficients) {
            try {
                c = reader.readSingle();
                if (!(std::fabs(c) <= kLargestCoefficient)) {
                    raiseRuntimeError(RuntimeError::Overflow);
                }
            } catch (const VbError& error) {
                throw VbError(error.Number(), error.Source(),
                    QStringLiteral("line %1: %2").arg(reader.fieldLine()).arg(error.Description()));
            }
        }
    } catch (const VbError& error) {
        module = OptimizationModule();
        module.error = error.Description();
        return module;
    }
    module.ok = true;
    return module;
}

OptimizationModule readOptimizationModule(const QString& path)
{
    QByteArray bytes;
    QString reason;
    if (!readWholeFile(path, bytes, &reason)) {
        OptimizationModule module;
        module.error = reason;
        return module;
    }
    return parseOptimizationModule(bytes);
}
