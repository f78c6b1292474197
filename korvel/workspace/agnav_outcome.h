#pragma once
// What an AG-NAV reader, writer or loader reports to the procedure that
// called it: done, refused with the text the user is shown, or abandoned by
// the user (a Cancel, which is never reported). The menu commands and loaders
// turn a refusal into their message box; nothing here shows one.
#include <QString>

class AgnavOutcome
{
public:
    enum class Kind { Done, Refused, Cancelled };

    static AgnavOutcome done() { return AgnavOutcome(Kind::Done, QString()); }
    static AgnavOutcome refused(const QString& message) { return AgnavOutcome(Kind::Refused, message); }
    static AgnavOutcome cancelled() { return AgnavOutcome(Kind::Cancelled, QString()); }

    Kind kind() const { return m_kind; }
    bool isDone() const { return m_kind == Kind::Done; }
    bool isRefused() const { return m_kind == Kind::Refused; }
    bool isCancelled() const { return m_kind == Kind::Cancelled; }
    // The text for the user: what is wrong, naming the file, the line or
    // record and the bad value. Empty unless refused.
    const QString& message() const { return m_message; }

private:
    AgnavOutcome(Kind kind, QString message)
        : m_kind(kind)
        , m_message(std::move(message))
    {
    }

    Kind m_kind;
    QString m_message;
};
