#include "platform/registry_file_format.h"

#include "platform/registry_codes.h"

#include <QStringDecoder>
#include <QtEndian>

const char* const RegistryFileHeader = "TALVOR registry 1";

namespace {

const char HexDigits[] = "0123456789abcdef";

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// ---- writing ----------------------------------------------------------------

void appendHexByte(QByteArray& out, uchar byte)
{
    out += HexDigits[byte >> 4];
    out += HexDigits[byte & 0xF];
}

void appendQuoted(QByteArray& out, const QByteArray& bytes)
{
    out += '"';
    for (const char c : bytes) {
        const uchar byte = uchar(c);
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\0':
            out += "\\0";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                out += "\\x";
                appendHexByte(out, byte);
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void appendKeyName(QByteArray& out, const QString& name)
{
    for (const char c : name.toUtf8()) {
        const uchar byte = uchar(c);
        if (byte < 0x20 || byte == 0x7F || c == '%') {
            out += '%';
            appendHexByte(out, byte);
        } else {
            out += c;
        }
    }
}

void appendHexList(QByteArray& out, const QByteArray& bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            out += ',';
        appendHexByte(out, uchar(bytes[i]));
    }
}

// Strings are written as text when the data is UTF-8 text with its one
// terminating NUL; anything else keeps its exact bytes in the hex form.
bool hasTextForm(const RegistryValue& value)
{
    const QByteArray& data = value.data;
    return (value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ)
        && !data.isEmpty() && data.back() == '\0' && isValidUtf8(data.first(data.size() - 1));
}

void appendValue(QByteArray& out, const RegistryValue& value)
{
    appendQuoted(out, value.name.toUtf8());
    out += '=';
    const QByteArray& data = value.data;
    if (hasTextForm(value)) {
        out += value.type == REG_SZ ? "sz:" : value.type == REG_EXPAND_SZ ? "expand_sz:" : "multi_sz:";
        appendQuoted(out, data.first(data.size() - 1));
    } else if ((value.type == REG_DWORD || value.type == REG_DWORD_BIG_ENDIAN) && data.size() == 4) {
        const quint32 number = value.type == REG_DWORD ? qFromLittleEndian<quint32>(data.constData())
                                                       : qFromBigEndian<quint32>(data.constData());
        out += value.type == REG_DWORD ? "dword:" : "dword_be:";
        out += QByteArray::number(number, 16).rightJustified(8, '0');
    } else if (value.type == REG_BINARY) {
        out += "hex:";
        appendHexList(out, data);
    } else {
        out += "hex(" + QByteArray::number(value.type) + "):";
        appendHexList(out, data);
    }
    out += '\n';
}

void appendKey(QByteArray& out, const RegistryKey& key, const QByteArray& path)
{
    if (!path.isEmpty() || key.valueCount() > 0) {
        out += "\n[" + path + "]\n";
        for (int i = 0; i < key.valueCount(); ++i)
            appendValue(out, key.valueAt(i));
    }
    for (int i = 0; i < key.childCount(); ++i) {
        const RegistryKey& child = key.childAt(i);
        QByteArray childPath = path;
        if (!childPath.isEmpty())
            childPath += '\\';
        appendKeyName(childPath, child.name());
        appendKey(out, child, childPath);
    }
}

// ---- reading ----------------------------------------------------------------

// Reads one line of the file; every method returns false with m_error set at
// the first fault.
class LineReader
{
public:
    explicit LineReader(const QByteArray& line)
        : m_line(line)
    {
    }

    const QString& error() const { return m_error; }
    bool atEnd() const { return m_pos >= m_line.size(); }

    bool fail(const QString& what)
    {
        m_error = what;
        return false;
    }

    void skipBlanks()
    {
        while (!atEnd() && (m_line[m_pos] == ' ' || m_line[m_pos] == '\t'))
            ++m_pos;
    }

    bool expect(char c)
    {
        if (atEnd() || m_line[m_pos] != c)
            return fail(QStringLiteral("'%1' expected").arg(QLatin1Char(c)));
        ++m_pos;
        return true;
    }

    bool expectEnd()
    {
        skipBlanks();
        return atEnd() || fail(QStringLiteral("unexpected text after the value"));
    }

    // Reads up to (not including) `stop`, which must follow.
    bool readUntil(char stop, QByteArray* out)
    {
        const qsizetype end = m_line.indexOf(stop, m_pos);
        if (end < 0)
            return fail(QStringLiteral("'%1' expected").arg(QLatin1Char(stop)));
        *out = m_line.mid(m_pos, end - m_pos);
        m_pos = end + 1;
        return true;
    }

    QByteArray rest()
    {
        const QByteArray text = m_line.mid(m_pos);
        m_pos = m_line.size();
        return text.trimmed();
    }

    bool readQuoted(QByteArray* out)
    {
        if (!expect('"'))
            return false;
        out->clear();
        while (!atEnd()) {
            const char c = m_line[m_pos++];
            if (c == '"')
                return true;
            if (c != '\\') {
                *out += c;
                continue;
            }
            if (atEnd())
                break;
            if (!readEscape(out))
                return false;
        }
        return fail(QStringLiteral("quoted text not closed"));
    }

private:
    bool readEscape(QByteArray* out)
    {
        const char c = m_line[m_pos++];
        switch (c) {
        case '\\':
            *out += '\\';
            return true;
        case '"':
            *out += '"';
            return true;
        case '0':
            *out += '\0';
            return true;
        case 't':
            *out += '\t';
            return true;
        case 'n':
            *out += '\n';
            return true;
        case 'r':
            *out += '\r';
            return true;
        case 'x': {
            const int high = m_pos < m_line.size() ? hexValue(m_line[m_pos]) : -1;
            const int low = m_pos + 1 < m_line.size() ? hexValue(m_line[m_pos + 1]) : -1;
            if (high < 0 || low < 0)
                return fail(QStringLiteral("\\x needs two hex digits"));
            *out += char(high * 16 + low);
            m_pos += 2;
            return true;
        }
        default:
            return fail(QStringLiteral("unknown escape \\%1").arg(QLatin1Char(c)));
        }
    }

    const QByteArray& m_line;
    qsizetype m_pos = 0;
    QString m_error;
};

bool parseHexList(const QByteArray& text, QByteArray* out, QString* error)
{
    out->clear();
    if (text.isEmpty())
        return true;
    for (const QByteArray& item : text.split(',')) {
        const QByteArray digits = item.trimmed();
        const int high = digits.size() == 2 ? hexValue(digits[0]) : -1;
        const int low = digits.size() == 2 ? hexValue(digits[1]) : -1;
        if (high < 0 || low < 0) {
            *error = QStringLiteral("bad hex byte '%1'").arg(QString::fromUtf8(digits));
            return false;
        }
        *out += char(high * 16 + low);
    }
    return true;
}

bool parseKeyPath(const QByteArray& text, QStringList* path, QString* error)
{
    path->clear();
    if (text.isEmpty())
        return true; // the root itself
    for (const QByteArray& escaped : text.split('\\')) {
        QByteArray name;
        for (qsizetype i = 0; i < escaped.size(); ++i) {
            if (escaped[i] != '%') {
                name += escaped[i];
                continue;
            }
            const int high = i + 1 < escaped.size() ? hexValue(escaped[i + 1]) : -1;
            const int low = i + 2 < escaped.size() ? hexValue(escaped[i + 2]) : -1;
            if (high < 0 || low < 0) {
                *error = QStringLiteral("'%' in a key name needs two hex digits");
                return false;
            }
            name += char(high * 16 + low);
            i += 2;
        }
        if (name.isEmpty()) {
            *error = QStringLiteral("empty key name in the path");
            return false;
        }
        path->append(QString::fromUtf8(name));
    }
    if (path->size() > RegistryMaxKeyDepth) {
        *error = QStringLiteral("key path deeper than %1 names").arg(RegistryMaxKeyDepth);
        return false;
    }
    return true;
}

bool parseTypedData(LineReader& reader, const QByteArray& form, RegistryValue* value)
{
    if (form == "sz" || form == "expand_sz" || form == "multi_sz") {
        value->type = form == "sz" ? REG_SZ : form == "expand_sz" ? REG_EXPAND_SZ : REG_MULTI_SZ;
        if (!reader.readQuoted(&value->data))
            return false;
        value->data += '\0';
        return reader.expectEnd();
    }
    QString error;
    const QByteArray payload = reader.rest();
    if (form == "dword" || form == "dword_be") {
        bool ok = false;
        const quint32 number = payload.size() == 8 ? payload.toUInt(&ok, 16) : 0;
        if (!ok)
            return reader.fail(QStringLiteral("a dword needs 8 hex digits"));
        value->type = form == "dword" ? REG_DWORD : REG_DWORD_BIG_ENDIAN;
        value->data.resize(4);
        if (value->type == REG_DWORD)
            qToLittleEndian(number, value->data.data());
        else
            qToBigEndian(number, value->data.data());
        return true;
    }
    if (form == "hex") {
        value->type = REG_BINARY;
    } else if (form.startsWith("hex(") && form.endsWith(')')) {
        bool ok = false;
        value->type = form.mid(4, form.size() - 5).toUInt(&ok, 10);
        if (!ok)
            return reader.fail(QStringLiteral("bad type number in '%1'").arg(QString::fromUtf8(form)));
    } else {
        return reader.fail(QStringLiteral("unknown value form '%1'").arg(QString::fromUtf8(form)));
    }
    return parseHexList(payload, &value->data, &error) || reader.fail(error);
}

bool parseValueLine(const QByteArray& line, RegistryValue* value, QString* error)
{
    LineReader reader(line);
    QByteArray name;
    QByteArray form;
    bool ok = reader.readQuoted(&name);
    reader.skipBlanks();
    ok = ok && reader.expect('=') && reader.readUntil(':', &form);
    reader.skipBlanks();
    ok = ok && parseTypedData(reader, form.trimmed(), value);
    if (!ok) {
        *error = reader.error();
        return false;
    }
    value->name = QString::fromUtf8(name);
    return true;
}

} // namespace

QByteArray writeRegistryFile(const RegistryKey& root, const QString& rootName)
{
    QByteArray out = RegistryFileHeader;
    out += "\n; " + rootName.toUtf8()
        + " of the TALVOR programs. They rewrite this file whole on every change:\n"
          "; edit it only while none of them runs.\n";
    appendKey(out, root, QByteArray());
    return out;
}

std::unique_ptr<RegistryKey> readRegistryFile(const QByteArray& bytes, QString* error)
{
    auto root = std::make_unique<RegistryKey>();
    QList<QByteArray> lines = bytes.split('\n');
    if (bytes.trimmed().isEmpty())
        return root;
    if (lines[0].startsWith("\xEF\xBB\xBF")) // a byte order mark left by an editor
        lines[0].remove(0, 3);

    RegistryKey* current = nullptr;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        const auto failAt = [&](const QString& what) {
            *error = QStringLiteral("line %1: %2").arg(i + 1).arg(what);
            return nullptr;
        };
        if (i == 0) {
            if (line.trimmed() != RegistryFileHeader)
                return failAt(QStringLiteral("not a registry file (the first line must read \"%1\")")
                                  .arg(QLatin1String(RegistryFileHeader)));
            continue;
        }
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(';'))
            continue;
        QString what;
        if (trimmed.startsWith('[')) {
            QStringList path;
            if (!trimmed.endsWith(']') || trimmed.size() < 2)
                return failAt(QStringLiteral("key line without closing ']'"));
            if (!parseKeyPath(trimmed.mid(1, trimmed.size() - 2), &path, &what))
                return failAt(what);
            current = root.get();
            for (const QString& name : path)
                current = &current->ensureChild(name);
        } else if (trimmed.startsWith('"')) {
            RegistryValue value;
            if (!current)
                return failAt(QStringLiteral("value before the first key line"));
            if (!parseValueLine(trimmed, &value, &what))
                return failAt(what);
            current->setValue(value.name, value.type, value.data);
        } else {
            return failAt(QStringLiteral("neither a key, a value nor a comment"));
        }
    }
    return root;
}
