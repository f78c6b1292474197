#pragma once
// A status sink that remembers every call, for tests of long operations.
#include "korvel/shell/status_progress.h"

#include <QString>
#include <QStringList>
#include <vector>

class RecordingStatusProgress final : public StatusProgress
{
public:
    RecordingStatusProgress() { setStatusProgress(this); }
    ~RecordingStatusProgress() override { setStatusProgress(nullptr); }

    void setStatusText(const QString& text) override
    {
        texts.append(text);
        statusText = text;
    }
    void showProgress(int maximum) override
    {
        visible = true;
        this->maximum = maximum;
        value = 0;
        ++shows;
    }
    void setProgress(int v) override
    {
        value = v;
        values.push_back(v);
    }
    void hideProgress() override { visible = false; }

    QStringList texts; // every status text in order
    QString statusText; // the text shown now
    bool visible = false;
    int maximum = 0;
    int value = 0;
    int shows = 0;
    std::vector<int> values; // every progress value in order
};
