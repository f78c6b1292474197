#include "platform/scripted_msg_box.h"

namespace {

// One line of the prompt is enough to tell boxes apart in a failure message.
QString shortPrompt(const QString& prompt)
{
    const QString first = msgBoxDisplayText(prompt).section(QLatin1Char('\n'), 0, 0);
    return QLatin1Char('"') + first + QLatin1Char('"');
}

} // namespace

int ScriptedMsgBox::showMsgBox(const MsgBoxRequest& request)
{
    m_boxes.push_back(request);
    if (m_answers.empty()) {
        m_failures << QStringLiteral("Unexpected message box %1 (no answer queued)")
                          .arg(shortPrompt(request.prompt));
        return request.defaultAnswer();
    }
    const int answer = m_answers.front();
    m_answers.pop_front();
    if (!request.answers().contains(answer)) {
        m_failures << QStringLiteral("Answer %1 queued for message box %2, which has no such button")
                          .arg(answer)
                          .arg(shortPrompt(request.prompt));
        return request.defaultAnswer();
    }
    return answer;
}

QString ScriptedMsgBox::showInputBox(const InputBoxRequest& request)
{
    m_inputBoxes.push_back(request);
    if (m_inputTexts.empty()) {
        m_failures
            << QStringLiteral("Unexpected input box %1 (no text queued)").arg(shortPrompt(request.prompt));
        return QString();
    }
    const QString text = m_inputTexts.front();
    m_inputTexts.pop_front();
    return text;
}

QStringList ScriptedMsgBox::takeFailures()
{
    QStringList failures;
    failures.swap(m_failures);
    return failures;
}

QStringList ScriptedMsgBox::takeFailuresAndLeftovers()
{
    QStringList failures = takeFailures();
    for (int answer : m_answers) {
        failures << QStringLiteral("Message box answer %1 was queued but no box asked for it").arg(answer);
    }
    for (const QString& text : m_inputTexts) {
        failures
            << QStringLiteral("Input box text \"%1\" was queued but no input box asked for it").arg(text);
    }
    m_answers.clear();
    m_inputTexts.clear();
    return failures;
}

void ScriptedMsgBox::reset()
{
    m_answers.clear();
    m_inputTexts.clear();
    m_boxes.clear();
    m_inputBoxes.clear();
    m_failures.clear();
}
