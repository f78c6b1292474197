#include "korvel/met/met_data.h"

#include "korvel/workspace/program_globals.h"
#include "platform/vb_runtime_errors.h"

namespace {

MetData g_met;

} // namespace

const MetRecord& MetFile::record(int k) const
{
    if (k < 1 || k > recordCount()) {
        return Records[Records.size() > 1 ? 1 : 0];
    }
    return Records[size_t(k)];
}

MetData& metData()
{
    return g_met;
}

void resetMetData()
{
    g_met = MetData();
}

bool metSourceLoaded(int index)
{
    return index >= 1 && index <= globals().MetCount && index < int(g_met.MetFiles.size());
}

MetFile& metSource(int index)
{
    if (!metSourceLoaded(index)) {
        raiseRuntimeError(RuntimeError::SubscriptOutOfRange);
    }
    return g_met.MetFiles[size_t(index)];
}

const MetRecord& currentMetRecord(int index)
{
    const MetFile& source = metSource(index);
    return source.record(g_met.MetPosition[size_t(index)]);
}

int appendMetSource(MetFile source, qint32 startTime)
{
    ProgramGlobals& program = globals();
    const int index = program.MetCount + 1;
    g_met.MetFiles.resize(size_t(index));
    g_met.MetFiles.push_back(std::move(source));
    if (int(g_met.MetPosition.size()) <= index) {
        g_met.MetPosition.resize(size_t(index) + 1, 0);
        g_met.MetStartTime.resize(size_t(index) + 1, 0);
    }
    g_met.MetPosition[size_t(index)] = 1;
    g_met.MetStartTime[size_t(index)] = startTime;
    program.MetCount = index;
    program.MetLoaded = true;
    return index;
}

void removeMetSources()
{
    g_met.MetFiles.assign(1, MetFile());
    globals().MetCount = 0;
    globals().MetLoaded = false;
}
