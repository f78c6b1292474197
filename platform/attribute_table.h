#pragma once
// Read-only access to dBASE tables, standing in for the Windows data access
// engine and its dBASE driver. It offers what the program needs of them: open a folder of tables, open one
// table, its record and field counts, its field names, all records at once as
// a field-major table of typed values, and close.
//
// The header and the records are taken apart by shapelib's DBF functions
// (Debian libshp-dev), fed from memory through its I/O hooks so that damaged
// bytes can be checked before shapelib trusts them. Text fields are cut from
// the raw record (DBFReadTuple) rather than read with
// DBFReadStringAttribute, which strips leading blanks as well as trailing
// ones; a text is kept as stored, less its trailing blanks.
//
// Values by field type (dBASE III to 5 and the FoxPro "F"):
//   C  text, trailing blanks trimmed, Windows-1252 or UTF-8 (decodeText)
//   N, F  number (double), read locale-free
//   D  date, stored as YYYYMMDD
//   L  logical: T, t, Y, y are True; F, f, N, n False
// A blank field is Null, and so is one that cannot hold a value of its type
// (a number field of asterisks, the dBASE mark of an overflow; "?" in a
// logical field; a date that does not exist). Fields of other types (memo,
// the binary FoxPro types) are listed but read as Null: their values live in
// other files or in forms the engine's dBASE driver did not read either.
//
// Records marked as deleted are read like the others, so record k always
// stays record k of the file.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <memory>
#include <variant>
#include <vector>

struct DBaseBytes;

// One value of a table: Null (std::monostate), a number, a text, a date or a
// logical.
using AttributeValue = std::variant<std::monostate, double, QString, QDate, bool>;

// Values by field first, then by record: columns[field][record], both from 0.
using AttributeColumns = std::vector<std::vector<AttributeValue>>;

inline bool isNull(const AttributeValue& value)
{
    return std::holds_alternative<std::monostate>(value);
}

enum class DBaseFieldType { Character, Number, Float, Date, Logical, Other };

class DBaseTable
{
public:
    ~DBaseTable();
    DBaseTable(const DBaseTable&) = delete;
    DBaseTable& operator=(const DBaseTable&) = delete;

    // Takes a table from its bytes; `name` names it in messages. Returns
    // nullptr and sets `error` when the bytes are no dBASE table or are
    // damaged: a truncated header, fields that do not fill the record length,
    // more records counted than the file holds.
    static std::unique_ptr<DBaseTable> fromBytes(QByteArray bytes, const QString& name, QString* error);

    int recordCount() const { return m_recordCount; }
    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    // Field 0 is the first field of the file.
    QString fieldName(int field) const;
    DBaseFieldType fieldType(int field) const;

    // Fetches `count` records from record `first` (0-based) into `columns`,
    // one column per field. False with `error` set when the range does not
    // lie inside the table or a record cannot be read.
    bool getRows(int first, int count, AttributeColumns& columns, QString* error) const;

    // Releases the table; every other call then sees an empty table.
    void close();

private:
    struct Field
    {
        QString name;
        DBaseFieldType type = DBaseFieldType::Other;
        int offset = 0; // in the record, after the deletion flag
        int width = 0;
    };

    DBaseTable() = default;
    bool readFields(QString* error);
    AttributeValue fieldValue(const char* record, const Field& field) const;

    QString m_name;
    std::unique_ptr<DBaseBytes> m_source; // what shapelib reads from
    void* m_handle = nullptr; // shapelib's DBFHandle
    std::vector<Field> m_fields;
    int m_recordCount = 0;
};

// A folder opened as a dBASE database: read-only, nothing in it is ever
// written.
class DBaseDatabase
{
public:
    // False with `error` set when the folder does not exist.
    bool open(const QString& folder, QString* error);
    // Opens a table of the folder by its file name. Messages name the table
    // by `shownName` when one is given (the user's file when this one is a
    // copy of it), otherwise by its file name.
    std::unique_ptr<DBaseTable> openTable(
        const QString& fileName, QString* error, const QString& shownName = QString()) const;
    void close() { m_folder.clear(); }
    bool isOpen() const { return !m_folder.isEmpty(); }

private:
    QString m_folder; // ends in "/" while open
};
