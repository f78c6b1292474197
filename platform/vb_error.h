#pragma once
// The runtime error the program's procedures raise: a number, a source and a
// description. Procedures that "raise" throw it; each user operation catches it
// at one boundary (a menu command, a loader) and shows the description.
#include <QString>
#include <exception>

class VbError : public std::exception {
public:
    VbError(long number, QString source, QString description)
        : m_number(number), m_source(std::move(source)), m_description(std::move(description)),
          m_what(m_description.toUtf8())
    {
    }

    long Number() const { return m_number; }
    const QString& Source() const { return m_source; }
    const QString& Description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    long m_number;
    QString m_source;
    QString m_description;
    QByteArray m_what;
};
