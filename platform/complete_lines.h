#pragma once
// Whether a text file ends with the line end of its last line. Every line of
// the program's text files ends in CR LF, LF or CR; a last line without one
// was cut off (a copy that stopped, a disk that filled up), and the value at
// its end may have lost digits without looking wrong. Readers refuse such a
// file, or leave its last line out, instead of taking the cut value whole.
//
// Works on the raw bytes: in UTF-8 and Windows-1252 alike CR and LF are the
// bytes 0x0D and 0x0A. The end mark of DOS-era tools (endMarkStart in the
// text codec) shows that the writer got to the end: such a file is whole,
// even where the mark stands in place of the last line end.
#include <QByteArray>
#include <QString>

// 0 when the text is empty, ends with a line end or with the end mark;
// else the 1-based number of its last line, the one that was cut off.
int cutOffLineNumber(const QByteArray& bytes);

// The text up to and including the line end of its last whole line: what
// remains when a cut-off last line is left out. A whole text is returned as
// it is.
QByteArray wholeLines(const QByteArray& bytes);

// "Line 7 stops without its line end: the file was cut off." for messages
// that name the file before it.
QString cutOffLineMessage(int line);
