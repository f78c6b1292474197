#include "platform/sequential_file.h"

#include "platform/file_helpers.h"
#include "platform/text_codec.h"
#include "platform/vb_numbers.h"
#include "platform/vb_runtime_errors.h"

#include <QFileInfo>
#include <algorithm>

namespace {

constexpr int kPrintZoneWidth = 14;

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

} // namespace

SequentialReader::SequentialReader(const QByteArray& bytes)
    : m_text(decodeText(withoutEndMark(bytes)))
{
}

std::optional<SequentialReader> SequentialReader::open(const QString& path, QString* error)
{
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error))
        return std::nullopt;
    return SequentialReader(bytes);
}

bool SequentialReader::onlyBlanksRemain() const
{
    for (qsizetype i = m_position; i < m_text.size(); ++i) {
        if (!isBlank(m_text[i]) && !isLineEnd(m_text[i]))
            return false;
    }
    return true;
}

bool SequentialReader::atLineEnd() const { return !atEnd() && isLineEnd(m_text[m_position]); }

void SequentialReader::skipBlanks()
{
    while (!atEnd() && isBlank(m_text[m_position]))
        ++m_position;
}

void SequentialReader::consumeLineEnd()
{
    if (atEnd())
        return;
    if (m_text[m_position] == u'\r') {
        ++m_position;
        if (!atEnd() && m_text[m_position] == u'\n')
            ++m_position;
    } else if (m_text[m_position] == u'\n') {
        ++m_position;
    }
    ++m_line;
}

void SequentialReader::skipToField()
{
    for (;;) {
        skipBlanks();
        if (!atLineEnd())
            return;
        consumeLineEnd();
    }
}

// After a field: blanks, then one comma or one line end.
void SequentialReader::consumeDelimiter()
{
    skipBlanks();
    if (atEnd())
        return;
    if (m_text[m_position] == u',')
        ++m_position;
    else if (atLineEnd())
        consumeLineEnd();
}

SequentialReader::Field SequentialReader::readField(bool number)
{
    skipToField();
    m_fieldLine = m_line;
    if (atEnd())
        raiseRuntimeError(RuntimeError::InputPastEndOfFile);

    Field field;
    if (m_text[m_position] == u'"') {
        field.quoted = true;
        for (++m_position; !atEnd(); ++m_position) {
            const QChar c = m_text[m_position];
            if (c == u'"') {
                if (m_position + 1 < m_text.size() && m_text[m_position + 1] == u'"') {
                    field.text += c;
                    ++m_position;
                    continue;
                }
                ++m_position;
                break;
            }
            if (c == u'\n' || (c == u'\r' && (m_position + 1 >= m_text.size() || m_text[m_position + 1] != u'\n')))
                ++m_line;
            field.text += c;
        }
        // Whatever stands between the closing quote and the delimiter is dropped.
        while (!atEnd() && m_text[m_position] != u',' && !atLineEnd())
            ++m_position;
    } else {
        const qsizetype start = m_position;
        while (!atEnd()) {
            const QChar c = m_text[m_position];
            if (c == u',' || isLineEnd(c) || (number && isBlank(c)))
                break;
            ++m_position;
        }
        qsizetype end = m_position;
        while (end > start && isBlank(m_text[end - 1]))
            --end;
        field.text = m_text.mid(start, end - start);
    }
    consumeDelimiter();
    return field;
}

QString SequentialReader::readText() { return readField(false).text; }

double SequentialReader::readDouble()
{
    const Field field = readField(true);
    if (field.text.trimmed().isEmpty())
        return 0.0;
    return CDbl(field.text);
}

float SequentialReader::readSingle() { return CSng(readDouble()); }
qint32 SequentialReader::readLong() { return CLng(readDouble()); }
qint16 SequentialReader::readInteger() { return CInt(readDouble()); }
quint8 SequentialReader::readByte() { return CByte(readDouble()); }

bool SequentialReader::readBoolean()
{
    const Field field = readField(true);
    if (!field.quoted) {
        if (field.text.compare(u"#TRUE#", Qt::CaseInsensitive) == 0)
            return true;
        if (field.text.compare(u"#FALSE#", Qt::CaseInsensitive) == 0)
            return false;
    }
    return CBool(field.text);
}

QString SequentialReader::readLine()
{
    m_fieldLine = m_line;
    if (atEnd())
        raiseRuntimeError(RuntimeError::InputPastEndOfFile);
    const qsizetype start = m_position;
    while (!atEnd() && !atLineEnd())
        ++m_position;
    const QString line = m_text.mid(start, m_position - start);
    consumeLineEnd();
    return line;
}

FileValue::FileValue(const QString& text)
    : m_kind(Kind::Text), m_text(text), m_printed(text)
{
}
FileValue::FileValue(const char* text)
    : FileValue(QString::fromUtf8(text))
{
}
FileValue::FileValue(double number)
    : m_kind(Kind::Number), m_text(CStr(number)), m_printed(Str(number) + u' ')
{
}
FileValue::FileValue(float number)
    : m_kind(Kind::Number), m_text(CStr(number)), m_printed(Str(number) + u' ')
{
}
FileValue::FileValue(int number)
    : FileValue(static_cast<long long>(number))
{
}
FileValue::FileValue(long number)
    : FileValue(static_cast<long long>(number))
{
}
FileValue::FileValue(long long number)
    : m_kind(Kind::Number), m_text(CStr(number)), m_printed(Str(number) + u' ')
{
}
FileValue::FileValue(bool value)
    : m_kind(Kind::Boolean), m_text(CStr(value)), m_printed(m_text)
{
}

QString FileValue::written() const
{
    switch (m_kind) {
    case Kind::Number:
        return m_text;
    case Kind::Boolean:
        return m_text == u"True" ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
    case Kind::Text:
        break;
    }
    QString quoted = m_text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

void SequentialWriter::append(const QString& text)
{
    m_text += text;
    const qsizetype lastBreak = std::max(text.lastIndexOf(u'\n'), text.lastIndexOf(u'\r'));
    if (lastBreak >= 0)
        m_column = int(text.size() - lastBreak);
    else
        m_column += int(text.size());
}

void SequentialWriter::print(const FileValue& item) { append(item.printed()); }

void SequentialWriter::nextZone()
{
    const int zoneStart = ((m_column - 1) / kPrintZoneWidth + 1) * kPrintZoneWidth + 1;
    spc(zoneStart - m_column);
}

void SequentialWriter::tab(int column)
{
    column = std::max(column, 1);
    if (m_column > column)
        endLine();
    spc(column - m_column);
}

void SequentialWriter::spc(int count)
{
    if (count > 0)
        append(QString(count, u' '));
}

void SequentialWriter::endLine() { append(QStringLiteral("\r\n")); }

void SequentialWriter::printLine(const QString& text)
{
    append(text);
    endLine();
}

void SequentialWriter::writeLine(std::initializer_list<FileValue> fields)
{
    QString line;
    bool first = true;
    for (const FileValue& field : fields) {
        if (!first)
            line += u',';
        line += field.written();
        first = false;
    }
    append(line);
    endLine();
}

QByteArray SequentialWriter::bytes() const { return encodeText(m_text); }

bool SequentialWriter::save(const QString& path, QString* error) const
{
    return writeFileAtomically(path, bytes(), error);
}

bool SequentialWriter::appendTo(const QString& path, QString* error) const
{
    QString whole;
    QByteArray endMark;
    if (QFileInfo::exists(path)) {
        QByteArray old;
        if (!readWholeFile(path, old, error))
            return false;
        const qsizetype content = endMarkStart(old);
        endMark = old.mid(content);
        whole = decodeText(old.left(content));
    }
    // The new lines go before the file's end mark, which stays its last
    // bytes; a mark in place of the last line end gives that line its end.
    if (!endMark.isEmpty() && !whole.isEmpty() && !isLineEnd(whole.back()))
        whole += QStringLiteral("\r\n");
    return writeFileAtomically(path, encodeText(whole + m_text) + endMark, error);
}
