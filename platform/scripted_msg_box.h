#pragma once
// A message box and input box for tests: the test queues the answers the user
// would give, and every box shown is recorded. A box nobody queued an answer
// for is not shown: it records a failure the test can check and answers as
// Enter would (the default button, or empty text).
#include "platform/msg_box.h"

#include <QStringList>
#include <deque>
#include <vector>

class ScriptedMsgBox final : public MsgBoxBackend
{
public:
    int showMsgBox(const MsgBoxRequest& request) override;
    QString showInputBox(const InputBoxRequest& request) override;

    void queueAnswer(int answer) { m_answers.push_back(answer); }
    void queueInputText(const QString& text) { m_inputTexts.push_back(text); }

    const std::vector<MsgBoxRequest>& boxes() const { return m_boxes; }
    const std::vector<InputBoxRequest>& inputBoxes() const { return m_inputBoxes; }
    int pendingAnswers() const { return int(m_answers.size() + m_inputTexts.size()); }

    // What went against the script: boxes nobody answered, answers the box did
    // not offer. Taking them clears them.
    QStringList takeFailures();
    // Failures plus one for every queued answer no box used.
    QStringList takeFailuresAndLeftovers();

    void reset();

private:
    std::deque<int> m_answers;
    std::deque<QString> m_inputTexts;
    std::vector<MsgBoxRequest> m_boxes;
    std::vector<InputBoxRequest> m_inputBoxes;
    QStringList m_failures;
};
