#include "korvel/shell/status_progress.h"

namespace {

class SilentStatusProgress final : public StatusProgress {
public:
    void setStatusText(const QString&) override { }
    void showProgress(int) override { }
    void setProgress(int) override { }
    void hideProgress() override { }
};

SilentStatusProgress g_silent;
StatusProgress* g_sink = nullptr;

} // namespace

StatusProgress& statusProgress() { return g_sink ? *g_sink : g_silent; }

void setStatusProgress(StatusProgress* sink) { g_sink = sink; }
