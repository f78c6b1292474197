#pragma once
// Sequential text files as the runtime's Input #, Line Input, Print # and
// Write # statements read and wrote them: the form of our own text files
// (session, boundary, exclusion, guidance-line and geo-reference files), of
// the guidance system's files and of the meteorological data files.
//
// Reading (SequentialReader) works on the decoded text (decodeText: UTF-8 or
// Windows-1252). Fields are separated by commas or line ends; lines end in
// CR LF, LF or CR. Before a field blanks and empty lines are skipped.
// - A quoted field runs to its closing quote, commas and line ends included;
//   the rest up to the next comma or line end is skipped. Two quotes inside a
//   quoted field stand for one quote (see SequentialWriter::writeLine).
// - An unquoted text field ends at a comma or line end, trailing blanks cut.
// - A number ends at a comma, blank or line end and must be a number as a
//   whole (IsNumeric, "." as decimal point); an empty field is 0; anything
//   else raises 13 "Type mismatch", a value beyond its type 6 "Overflow".
//   Whole-number types round a half to the even neighbour.
// - Reading when only blanks and line ends remain raises 62 "Input past end
//   of file".
// The end mark that DOS-era tools append (Ctrl+Z bytes with any CR and LF
// among and after them, endMarkStart in the text codec) is not part of the
// text.
//
// Writing (SequentialWriter) builds the text in memory, one of the two kinds
// of line per statement, and ends every line with CR LF, the line end of the
// Windows tools that read these files. save() and appendTo() store it through
// writeFileAtomically(), encoded by encodeText().
#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <optional>

class SequentialReader {
public:
    explicit SequentialReader(const QByteArray& bytes);
    // Reads the whole file; nothing, with the system's reason in `error`, when it cannot.
    static std::optional<SequentialReader> open(const QString& path, QString* error = nullptr);

    // The runtime's EOF: nothing at all is left to read.
    bool atEnd() const { return m_position >= m_text.size(); }
    // True when only blanks and line ends are left: the next field read would
    // raise 62. Loops that read records to the end of a free-format file test
    // this, so that an empty last line does not fail the whole file.
    bool onlyBlanksRemain() const;
    // The 1-based line the next read starts on.
    int lineNumber() const { return m_line; }
    // The line the last field read stands on (the one being read when a read
    // raised): the line a fault in a value names. A field that ends its line
    // takes the line end with it, so lineNumber() is by then the next line.
    int fieldLine() const { return m_fieldLine; }

    // Input # into a String, Double, Single, Long, Integer, Byte, Boolean.
    // Booleans accept "#TRUE#"/"#FALSE#", "True"/"False" and numbers (0 False).
    QString readText();
    double readDouble();
    float readSingle();
    qint32 readLong();
    qint16 readInteger();
    quint8 readByte();
    bool readBoolean();

    // Line Input #: the rest of the current line, without its line end.
    QString readLine();

private:
    struct Field {
        QString text;
        bool quoted = false;
    };
    Field readField(bool number);
    void skipToField();
    void skipBlanks();
    bool atLineEnd() const;
    void consumeLineEnd();
    void consumeDelimiter();

    QString m_text;
    qsizetype m_position = 0;
    int m_line = 1;
    int m_fieldLine = 1;
};

// One item of a Print # or Write # list: a text, a number or a Boolean.
// Numbers keep their type's text: Single with 7 significant digits, Double
// with 15, whole numbers as they are.
class FileValue {
public:
    FileValue(const QString& text);
    FileValue(const char* text);
    FileValue(double number);
    FileValue(float number);
    FileValue(int number);
    FileValue(long number);
    FileValue(long long number);
    FileValue(bool value);

    // As Print # shows it: a number as Str shows it (a leading blank when not
    // negative) and one trailing blank, a Boolean as "True"/"False", a text as
    // it is.
    const QString& printed() const { return m_printed; }
    // As Write # writes it: a text in double quotes, a number in its plain
    // form, a Boolean as "#TRUE#"/"#FALSE#".
    QString written() const;

private:
    enum class Kind { Text, Number, Boolean };
    Kind m_kind;
    QString m_text; // the text, the number's general form, or "True"/"False"
    QString m_printed;
};

class SequentialWriter {
public:
    // Print # item; (an item followed by ";"): the item where the line stands.
    void print(const FileValue& item);
    // Print # item, (","): on to the next print zone of 14 columns, the first
    // of columns 15, 29, 43, ... after the current one, filled with blanks.
    void nextZone();
    // Tab(column): blanks up to the column; on the next line when the current
    // line has passed it. Columns count from 1.
    void tab(int column);
    // Spc(count): count blanks.
    void spc(int count);
    // Ends the line (CR LF): what a Print # without a trailing ";" or "," does.
    void endLine();
    // Print # text: the text and the line end.
    void printLine(const QString& text);

    // Write # fields: the fields separated by commas, then CR LF. A quote in a
    // text is doubled so that the field reads back whole.
    void writeLine(std::initializer_list<FileValue> fields);

    // The column (from 1) where the next printed character goes.
    int column() const { return m_column; }
    const QString& text() const { return m_text; }
    QByteArray bytes() const;

    // Stores the text as the whole file, atomically; on failure the old file
    // stays and `error` gets the system's reason.
    bool save(const QString& path, QString* error = nullptr) const;
    // Adds the text to the end of the file (creating it when missing), as the
    // runtime's Append mode, atomically. The file is re-encoded as a whole so
    // old and new lines share one encoding; an end mark stays at its end.
    bool appendTo(const QString& path, QString* error = nullptr) const;

private:
    void append(const QString& text);

    QString m_text;
    int m_column = 1;
};
