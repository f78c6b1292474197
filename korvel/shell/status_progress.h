#pragma once
// What a long operation shows while it runs: a text in the last panel of the
// main window's status bar and the progress bar laid over it. Loaders and
// converters talk to this interface so they run in tests without a window;
// the main window installs itself as the sink when it is created.
#include <QString>

class StatusProgress {
public:
    virtual ~StatusProgress() = default;
    // Shows `text` after the status indent; an empty text clears the panel.
    virtual void setStatusText(const QString& text) = 0;
    // Shows the progress bar with the range 0..maximum at value 0.
    virtual void showProgress(int maximum) = 0;
    virtual void setProgress(int value) = 0;
    virtual void hideProgress() = 0;
};

// The sink in use: the main window's once it exists, otherwise one that shows nothing.
StatusProgress& statusProgress();
// Installs a sink (nullptr goes back to the silent one). The caller keeps ownership.
void setStatusProgress(StatusProgress* sink);
