#include "platform/file_dialog_filter.h"

QList<FileDialogFilter> parseFileDialogFilter(const QString& filter)
{
    QList<FileDialogFilter> filters;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        FileDialogFilter entry;
        entry.description = parts[i].trimmed();
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (!pattern.trimmed().isEmpty()) {
                entry.patterns << pattern.trimmed();
            }
        }
        if (entry.patterns.isEmpty()) {
            continue;
        }
        filters << entry;
    }
    return filters;
}

QString caseInsensitiveGlob(const QString& pattern)
{
    if (pattern == QLatin1String("*.*")) {
        return QStringLiteral("*");
    }
    QString glob;
    for (const QChar c : pattern) {
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (lower != upper) {
            glob += QLatin1Char('[') + lower + upper + QLatin1Char(']');
        } else {
            glob += c;
        }
    }
    return glob;
}

QString qtNameFilter(const FileDialogFilter& filter)
{
    QStringList globs;
    for (const QString& pattern : filter.patterns) {
        globs << caseInsensitiveGlob(pattern);
    }
    const QString description
        = filter.description.isEmpty() ? filter.patterns.join(QLatin1Char(';')) : filter.description;
    return description + QLatin1String(" (") + globs.join(QLatin1Char(' ')) + QLatin1Char(')');
}
