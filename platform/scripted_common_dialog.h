#pragma once
// A common dialog for tests: the test queues what the user picks (files, a
// colour, a folder, or Cancel) and every dialog shown is recorded. A dialog
// with nothing queued, or with an answer queued for another kind of dialog,
// records a failure and is cancelled.
#include "platform/common_dialog.h"

#include <deque>
#include <optional>
#include <vector>

class ScriptedCommonDialog final : public CommonDialogBackend
{
public:
    CommonDialogAnswer show(const CommonDialogRequest& request, QWidget* owner) override;

    // filterIndex 0 leaves the caller's FilterIndex as it was.
    void queueOpenFiles(const QStringList& paths, int filterIndex = 0);
    void queueSaveFile(const QString& path, int filterIndex = 0);
    void queueColor(qint32 vbColor);
    void queueFolder(const QString& path);
    // Cancel in whatever dialog comes next.
    void queueCancel();

    const std::vector<CommonDialogRequest>& dialogs() const { return m_dialogs; }
    int pendingAnswers() const { return int(m_answers.size()); }

    QStringList takeFailures();
    QStringList takeFailuresAndLeftovers();
    void reset();

private:
    struct Scripted
    {
        std::optional<CommonDialogKind> kind; // none: any dialog (Cancel)
        CommonDialogAnswer answer;
    };

    void queue(std::optional<CommonDialogKind> kind, CommonDialogAnswer answer);

    std::deque<Scripted> m_answers;
    std::vector<CommonDialogRequest> m_dialogs;
    QStringList m_failures;
};

QString commonDialogKindName(CommonDialogKind kind);
