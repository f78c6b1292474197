#include "platform/attribute_table.h"

#include "platform/file_helpers.h"
#include "platform/text_codec.h"
#include "platform/vb_runtime_errors.h"

#include <QFileInfo>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <shapefil.h>

// The bytes of an open table, read by shapelib through the hooks below.
struct DBaseBytes
{
    QByteArray bytes;
    quint64 position = 0;
};

namespace {

// dBASE III header (the published file structure): version, date of last
// update, record count (32-bit), header length and record length (16-bit),
// all little-endian, then 32-byte field descriptors ended by 0x0D.
constexpr qsizetype FileHeaderBytes = 32;
constexpr qsizetype RecordCountOffset = 4;
constexpr qsizetype HeaderLengthOffset = 8;
constexpr qsizetype RecordLengthOffset = 10;

// shapelib's hooks carry no user data, so the name shapelib is asked to open
// carries the address of the bytes: "korvel-memory-<hex>". shapelib appends
// ".dbf" and then looks for a code-page file beside it (".cpg", ".CPG"),
// which does not exist here.
constexpr char MemoryPrefix[] = "korvel-memory-";

SAFile memoryOpen(const char* name, const char* /*access*/)
{
    const QByteArray text(name);
    const qsizetype prefix = qsizetype(std::strlen(MemoryPrefix));
    if (!text.startsWith(MemoryPrefix) || !text.endsWith(".dbf")) {
        return nullptr;
    }
    bool ok = false;
    const quintptr address = text.mid(prefix, text.size() - prefix - 4).toULongLong(&ok, 16);
    if (!ok || address == 0) {
        return nullptr;
    }
    auto* source = reinterpret_cast<DBaseBytes*>(address);
    source->position = 0;
    return reinterpret_cast<SAFile>(source);
}

DBaseBytes& sourceOf(SAFile file)
{
    return *reinterpret_cast<DBaseBytes*>(file);
}

SAOffset memoryRead(void* buffer, SAOffset size, SAOffset count, SAFile file)
{
    DBaseBytes& source = sourceOf(file);
    if (size == 0 || count == 0) {
        return 0;
    }
    const quint64 length = quint64(source.bytes.size());
    const quint64 available = source.position < length ? length - source.position : 0;
    // Whole items only, as fread reports them; a request larger than the
    // file simply finds the end.
    const quint64 items = std::min<quint64>(count, available / size);
    std::memcpy(buffer, source.bytes.constData() + source.position, items * size);
    source.position += items * size;
    return SAOffset(items);
}

SAOffset memoryWrite(void*, SAOffset, SAOffset, SAFile)
{
    return 0; // read-only: nothing is ever written to a table
}

SAOffset memorySeek(SAFile file, SAOffset offset, int whence)
{
    DBaseBytes& source = sourceOf(file);
    switch (whence) {
    case SEEK_SET:
        source.position = offset;
        return 0;
    case SEEK_CUR:
        source.position += offset;
        return 0;
    case SEEK_END:
        source.position = quint64(source.bytes.size()) + offset;
        return 0;
    default:
        return SAOffset(-1);
    }
}

SAOffset memoryTell(SAFile file)
{
    return SAOffset(sourceOf(file).position);
}

int memoryFlush(SAFile)
{
    return 0;
}

int memoryClose(SAFile)
{
    return 0; // the table owns the bytes
}

int memoryRemove(const char*)
{
    return -1;
}

// shapelib's own messages go nowhere: every failure it can meet is checked
// here and reported with the table's name.
void silentError(const char*)
{
}

QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\0')) {
        ++begin;
    }
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\0')) {
        --end;
    }
    return text.sliced(begin, end - begin);
}

// A number as dBASE stores it ("  -12.50", "1.5E+3"), read with "." as the
// decimal point whatever the user's locale: shapelib's default atof would
// read "2.5" as 2 in a German locale.
std::optional<double> parseNumber(QByteArrayView field)
{
    QByteArrayView text = trimmed(field);
    if (!text.isEmpty() && text.front() == '+') {
        text = text.sliced(1);
    }
    const qsizetype digitAt = !text.isEmpty() && text.front() == '-' ? 1 : 0;
    // from_chars would also take "inf" and "nan", which no dBASE number holds.
    if (digitAt >= text.size() || !(std::isdigit(uchar(text[digitAt])) || text[digitAt] == '.')) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (status != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value + 0.0; // "-0" is zero
}

double localeFreeAtof(const char* text)
{
    return parseNumber(QByteArrayView(text, qsizetype(std::strlen(text)))).value_or(0.0);
}

SAHooks memoryHooks()
{
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.FOpen = memoryOpen;
    hooks.FRead = memoryRead;
    hooks.FWrite = memoryWrite;
    hooks.FSeek = memorySeek;
    hooks.FTell = memoryTell;
    hooks.FFlush = memoryFlush;
    hooks.FClose = memoryClose;
    hooks.Remove = memoryRemove;
    hooks.Error = silentError;
    hooks.Atof = localeFreeAtof;
    return hooks;
}

AttributeValue textValue(QByteArrayView field)
{
    qsizetype end = field.size();
    while (end > 0 && (field[end - 1] == ' ' || field[end - 1] == '\0')) {
        --end;
    }
    if (end == 0) {
        return std::monostate {};
    }
    return decodeText(field.first(end).toByteArray());
}

AttributeValue numberValue(QByteArrayView field)
{
    const std::optional<double> number = parseNumber(field);
    if (!number) {
        return std::monostate {};
    }
    return *number;
}

AttributeValue dateValue(QByteArrayView field)
{
    const QByteArrayView text = trimmed(field);
    if (text.size() != 8) {
        return std::monostate {}; // blank, or "0" as some writers leave an empty date
    }
    for (const char c : text) {
        if (!std::isdigit(uchar(c))) {
            return std::monostate {};
        }
    }
    const QDate date(text.first(4).toInt(), text.sliced(4, 2).toInt(), text.sliced(6, 2).toInt());
    if (!date.isValid()) {
        return std::monostate {}; // "00000000" and impossible days
    }
    return date;
}

AttributeValue logicalValue(QByteArrayView field)
{
    const QByteArrayView text = trimmed(field);
    if (text.isEmpty()) {
        return std::monostate {};
    }
    switch (text.front()) {
    case 'T':
    case 't':
    case 'Y':
    case 'y':
        return true;
    case 'F':
    case 'f':
    case 'N':
    case 'n':
        return false;
    default:
        return std::monostate {}; // "?" is the dBASE mark of an unknown logical
    }
}

DBaseFieldType fieldTypeOf(char nativeType)
{
    switch (nativeType) {
    case 'C':
        return DBaseFieldType::Character;
    case 'N':
        return DBaseFieldType::Number;
    case 'F':
        return DBaseFieldType::Float;
    case 'D':
        return DBaseFieldType::Date;
    case 'L':
        return DBaseFieldType::Logical;
    default:
        return DBaseFieldType::Other;
    }
}

void setError(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
}

QString quoted(const QString& name)
{
    return u'\'' + name + u'\'';
}

// A little-endian unsigned number of `width` bytes at `offset`, which the
// caller has checked lies inside the bytes.
quint32 littleEndianAt(const QByteArray& bytes, qsizetype offset, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = (value << 8) | uchar(bytes[offset + i]);
    }
    return value;
}

// The checks shapelib leaves out: a header cut short, records counted
// beyond the end of the file. Computed in 64 bits so no count can overflow.
bool checkHeader(const QByteArray& bytes, const QString& name, QString* error)
{
    if (bytes.size() < FileHeaderBytes) {
        setError(error,
            QStringLiteral("%1 is not a dBASE table: its header is cut short (%2 of %3 bytes).")
                .arg(quoted(name))
                .arg(bytes.size())
                .arg(FileHeaderBytes));
        return false;
    }
    const quint64 records = littleEndianAt(bytes, RecordCountOffset, 4);
    const quint64 headerLength = littleEndianAt(bytes, HeaderLengthOffset, 2);
    const quint64 recordLength = littleEndianAt(bytes, RecordLengthOffset, 2);
    if (headerLength > quint64(bytes.size())) {
        setError(error,
            QStringLiteral("%1 is damaged: its header of %2 bytes is cut short at %3 bytes.")
                .arg(quoted(name))
                .arg(headerLength)
                .arg(bytes.size()));
        return false;
    }
    if (recordLength == 0) {
        setError(error,
            QStringLiteral("%1 is damaged: its header gives its records no length.").arg(quoted(name)));
        return false;
    }
    const quint64 held = (quint64(bytes.size()) - headerLength) / recordLength;
    if (records > held) {
        setError(error,
            QStringLiteral("%1 is damaged: its header counts %2 records of %3 bytes, but the file "
                           "holds only %4.")
                .arg(quoted(name))
                .arg(records)
                .arg(recordLength)
                .arg(held));
        return false;
    }
    return true;
}

} // namespace

DBaseTable::~DBaseTable()
{
    close();
}

std::unique_ptr<DBaseTable> DBaseTable::fromBytes(QByteArray bytes, const QString& name, QString* error)
{
    if (!checkHeader(bytes, name, error)) {
        return nullptr;
    }
    std::unique_ptr<DBaseTable> table(new DBaseTable);
    table->m_name = name;
    table->m_source = std::make_unique<DBaseBytes>();
    table->m_source->bytes = std::move(bytes);

    SAHooks hooks = memoryHooks();
    const QByteArray memoryName
        = MemoryPrefix + QByteArray::number(quintptr(table->m_source.get()), 16) + ".dbf";
    DBFHandle handle = DBFOpenLL(memoryName.constData(), "rb", &hooks);
    if (!handle) {
        setError(error, QStringLiteral("%1 is not a dBASE table or is damaged.").arg(quoted(name)));
        return nullptr;
    }
    table->m_handle = handle;
    table->m_recordCount = DBFGetRecordCount(handle);
    if (!table->readFields(error)) {
        return nullptr;
    }
    return table;
}

bool DBaseTable::readFields(QString* error)
{
    auto* handle = static_cast<DBFHandle>(m_handle);
    const int fields = DBFGetFieldCount(handle);
    if (fields <= 0) {
        setError(error, QStringLiteral("%1 is damaged: its header describes no fields.").arg(quoted(m_name)));
        return false;
    }
    int offset = 1; // the deletion flag comes first
    for (int f = 0; f < fields; ++f) {
        char fieldName[XBASE_FLDNAME_LEN_READ + 1] = {};
        int width = 0;
        int decimals = 0;
        DBFGetFieldInfo(handle, f, fieldName, &width, &decimals);
        Field field;
        field.name = decodeText(QByteArray(fieldName)).trimmed();
        field.type = fieldTypeOf(DBFGetNativeFieldType(handle, f));
        field.offset = offset;
        field.width = width;
        // A field of no width would let a tiny file claim millions of values.
        if (width <= 0) {
            setError(error,
                QStringLiteral("%1 is damaged: its field %2 (%3) has no width.")
                    .arg(quoted(m_name))
                    .arg(f + 1)
                    .arg(quoted(field.name)));
            return false;
        }
        offset += width;
        m_fields.push_back(field);
    }
    // shapelib refuses fields longer than the record; shorter ones would
    // leave bytes of every record unread, so the layout is not understood.
    const int recordLength = int(littleEndianAt(m_source->bytes, RecordLengthOffset, 2));
    if (offset != recordLength) {
        setError(error,
            QStringLiteral("%1 is damaged: its records are %2 bytes long, but its fields and the "
                           "deletion flag take %3 bytes.")
                .arg(quoted(m_name))
                .arg(recordLength)
                .arg(offset));
        return false;
    }
    return true;
}

QString DBaseTable::fieldName(int field) const
{
    return field >= 0 && field < fieldCount() ? m_fields[std::size_t(field)].name : QString();
}

DBaseFieldType DBaseTable::fieldType(int field) const
{
    return field >= 0 && field < fieldCount() ? m_fields[std::size_t(field)].type : DBaseFieldType::Other;
}

AttributeValue DBaseTable::fieldValue(const char* record, const Field& field) const
{
    const QByteArrayView bytes(record + field.offset, field.width);
    switch (field.type) {
    case DBaseFieldType::Character:
        return textValue(bytes);
    case DBaseFieldType::Number:
    case DBaseFieldType::Float:
        return numberValue(bytes);
    case DBaseFieldType::Date:
        return dateValue(bytes);
    case DBaseFieldType::Logical:
        return logicalValue(bytes);
    case DBaseFieldType::Other:
        break;
    }
    return std::monostate {};
}

bool DBaseTable::getRows(int first, int count, AttributeColumns& columns, QString* error) const
{
    if (first < 0 || count < 0 || qint64(first) + count > m_recordCount) {
        setError(error,
            QStringLiteral("%1 has no records %2 to %3: it holds %4.")
                .arg(quoted(m_name))
                .arg(qint64(first) + 1)
                .arg(qint64(first) + count)
                .arg(m_recordCount));
        return false;
    }
    AttributeColumns read(m_fields.size());
    for (auto& column : read) {
        column.reserve(std::size_t(count));
    }
    auto* handle = static_cast<DBFHandle>(m_handle);
    for (int r = first; r < first + count; ++r) {
        const char* record = DBFReadTuple(handle, r);
        if (!record) {
            setError(error,
                QStringLiteral("%1 is damaged: its record %2 cannot be read.")
                    .arg(quoted(m_name))
                    .arg(r + 1));
            return false;
        }
        for (std::size_t f = 0; f < m_fields.size(); ++f) {
            read[f].push_back(fieldValue(record, m_fields[f]));
        }
    }
    columns = std::move(read);
    return true;
}

void DBaseTable::close()
{
    if (m_handle) {
        DBFClose(static_cast<DBFHandle>(m_handle));
        m_handle = nullptr;
    }
    m_source.reset();
    m_fields.clear();
    m_recordCount = 0;
}

bool DBaseDatabase::open(const QString& folder, QString* error)
{
    if (!QFileInfo(folder).isDir()) {
        setError(error, runtimeErrorDescription(RuntimeError::PathNotFound));
        return false;
    }
    m_folder = folder.endsWith(u'/') ? folder : folder + u'/';
    return true;
}

std::unique_ptr<DBaseTable> DBaseDatabase::openTable(
    const QString& fileName, QString* error, const QString& shownName) const
{
    const QString name = shownName.isEmpty() ? fileName : shownName;
    if (!isOpen()) {
        setError(error, QStringLiteral("%1 cannot be read: no folder is open.").arg(quoted(name)));
        return nullptr;
    }
    QByteArray bytes;
    QString reason;
    if (!readWholeFile(m_folder + fileName, bytes, &reason)) {
        setError(error, QStringLiteral("%1 cannot be read: %2").arg(quoted(name), reason));
        return nullptr;
    }
    return DBaseTable::fromBytes(std::move(bytes), name, error);
}
