#pragma once
// A test's own default locale, what QLocale() gives the program while the
// test types into its boxes; the one before comes back when it goes.
#include <QLocale>

class DefaultLocale
{
public:
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(m_before); }
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;

private:
    QLocale m_before;
};
