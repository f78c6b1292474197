#pragma once
// The formats of the guidance system's RS-232 port 2, as the AG-NAV job
// dialogs offer them in CommCombo: list position p (from 0) is row p + 1.
// The job record takes the position and the row's text.
#include <QString>
#include <vector>

struct SerialFormat
{
    int Code = 0; // the guidance system's format code
    QString Text; // baud rate, parity, stop bits, data bits, two blanks apart
};

// Rows 1..12; element 0 is unused.
std::vector<SerialFormat> serialFormats();

// The position CommCombo starts on while nothing is stored: "9600  N  1  8".
inline constexpr int DefaultSerialFormatPosition = 6;
