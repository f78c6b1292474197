#include "platform/scripted_common_dialog.h"

QString commonDialogKindName(CommonDialogKind kind)
{
    switch (kind) {
    case CommonDialogKind::Open:
        return QStringLiteral("open");
    case CommonDialogKind::Save:
        return QStringLiteral("save");
    case CommonDialogKind::Color:
        return QStringLiteral("colour");
    case CommonDialogKind::Folder:
        return QStringLiteral("folder");
    }
    return QString();
}

CommonDialogAnswer ScriptedCommonDialog::show(const CommonDialogRequest& request, QWidget*)
{
    m_dialogs.push_back(request);
    const QString shown
        = QStringLiteral("%1 dialog \"%2\"").arg(commonDialogKindName(request.kind), request.title);
    if (m_answers.empty()) {
        m_failures << QStringLiteral("Unexpected %1 (nothing queued)").arg(shown);
        return {};
    }
    const Scripted next = m_answers.front();
    if (next.kind && *next.kind != request.kind) {
        m_failures << QStringLiteral("A %1 answer is queued, but the %2 came")
                          .arg(commonDialogKindName(*next.kind), shown);
        return {};
    }
    m_answers.pop_front();
    return next.answer;
}

void ScriptedCommonDialog::queue(std::optional<CommonDialogKind> kind, CommonDialogAnswer answer)
{
    m_answers.push_back({ kind, std::move(answer) });
}

void ScriptedCommonDialog::queueOpenFiles(const QStringList& paths, int filterIndex)
{
    queue(CommonDialogKind::Open, { true, paths, filterIndex, 0 });
}

void ScriptedCommonDialog::queueSaveFile(const QString& path, int filterIndex)
{
    queue(CommonDialogKind::Save, { true, { path }, filterIndex, 0 });
}

void ScriptedCommonDialog::queueColor(qint32 vbColor)
{
    queue(CommonDialogKind::Color, { true, {}, 0, vbColor });
}

void ScriptedCommonDialog::queueFolder(const QString& path)
{
    queue(CommonDialogKind::Folder, { true, { path }, 0, 0 });
}

void ScriptedCommonDialog::queueCancel()
{
    queue(std::nullopt, {});
}

QStringList ScriptedCommonDialog::takeFailures()
{
    QStringList failures;
    failures.swap(m_failures);
    return failures;
}

QStringList ScriptedCommonDialog::takeFailuresAndLeftovers()
{
    QStringList failures = takeFailures();
    for (const Scripted& left : m_answers) {
        failures << QStringLiteral("A %1 answer was queued but no dialog asked for it")
                        .arg(left.kind ? commonDialogKindName(*left.kind) : QStringLiteral("Cancel"));
    }
    m_answers.clear();
    return failures;
}

void ScriptedCommonDialog::reset()
{
    m_answers.clear();
    m_dialogs.clear();
    m_failures.clear();
}
