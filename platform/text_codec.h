#pragma once
// Bytes of our text files to text and back. Files made on Windows are in the
// Windows-1252 code page, and the guidance system and other Windows tools
// read and write them that way; files saved on Linux
// desktops are UTF-8. So:
//
// - reading: bytes that are valid UTF-8 are UTF-8 (an initial byte-order mark
//   is dropped); any other bytes are Windows-1252, every byte one character.
// - writing: a text that Windows-1252 can hold is written in Windows-1252;
//   a text with any other character (Greek, CJK, ...) is written whole as
//   UTF-8, without byte-order mark, so no character is lost.
//
// One case would not read back: a Windows-1252 text whose bytes happen to form
// valid UTF-8 ("Ã©" is C3 A9, which is UTF-8 "é"). Such a text is written as
// UTF-8 instead, so decodeText(encodeText(t)) == t for every text.
#include <QByteArray>
#include <QString>
#include <optional>

QString decodeText(const QByteArray& bytes);
QByteArray encodeText(const QString& text);

bool isValidUtf8(const QByteArray& bytes);

// The DOS end mark: the Ctrl+Z (0x1A) bytes that DOS-era tools put at the
// end of a text file, sometimes twice, with any CR and LF between or after
// them. It is no content: every reader of the program's text files reads
// the bytes before it. Returns where the mark starts (its first Ctrl+Z), or
// the size of the bytes when they end in no mark.
qsizetype endMarkStart(const QByteArray& bytes);
// The bytes before the end mark: the file's content.
QByteArray withoutEndMark(const QByteArray& bytes);

// True when the content holds a control character that no text file holds
// (NUL and the others below 0x20 but tab, line feed, vertical tab, form feed
// and carriage return; a Ctrl+Z is one, unless it belongs to the end mark):
// a picture, a program or a flight log, not lines of text.
bool holdsBinaryBytes(const QByteArray& bytes);

// Every byte one character; 0x80..0x9F are the euro sign, the typographic
// quotes and the rest of the Windows-1252 block. The five bytes that the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control
// characters of the same number, as Windows converts them.
QString decodeWindows1252(const QByteArray& bytes);
// The Windows-1252 bytes of a text, or nothing when a character has none.
std::optional<QByteArray> encodeWindows1252(const QString& text);
