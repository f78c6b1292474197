#include "platform/environment_strings.h"

#include <QProcessEnvironment>

namespace {

// Windows environment names ignore case; ours do not, so an exact match wins
// and otherwise the first name that matches without regard to case.
bool lookUp(const QString& name, QString* value)
{
    if (name.isEmpty())
        return false;
    if (qEnvironmentVariableIsSet(name.toLocal8Bit().constData())) {
        *value = qEnvironmentVariable(name.toLocal8Bit().constData());
        return true;
    }
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& key : environment.keys()) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            *value = environment.value(key);
            return true;
        }
    }
    return false;
}

} // namespace

QString ExpandEnvironmentStrings(const QString& text)
{
    // The scan of the Windows implementation: after an unknown %NAME the
    // closing '%' is looked at again as the start of the next reference, so
    // "%NOPE%PATH%" keeps "%NOPE" and expands "%PATH%".
    QString result;
    result.reserve(text.size());
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('%'), pos);
        if (open < 0) {
            result += QStringView(text).mid(pos);
            break;
        }
        result += QStringView(text).mid(pos, open - pos);
        const qsizetype close = text.indexOf(QLatin1Char('%'), open + 1);
        if (close < 0) {
            result += QStringView(text).mid(open);
            break;
        }
        QString value;
        if (lookUp(text.mid(open + 1, close - open - 1), &value)) {
            result += value;
            pos = close + 1;
        } else {
            result += QStringView(text).mid(open, close - open);
            pos = close;
        }
    }
    return result;
}
