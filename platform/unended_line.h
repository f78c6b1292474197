#pragma once
// Whether a text file was written to its end. Every line of our text files
// ends with a line end, so a last line without one means the writing stopped
// inside it (a full disk, a killed program, a copy broken off). Sequential
// readers take such a line as it is, which is why the readers of whole files
// ask this first and refuse the file.
//
// Line ends are CR LF, LF or a lone CR, counted as SequentialReader counts
// them. Ctrl+Z end marks and blanks after the last line end are no line.
#include <QByteArray>

// The 1-based number of the last line when it has no line end; 0 when the
// file ends with a line end, holds only blanks after it, or is empty.
int unendedLastLine(const QByteArray& bytes);
