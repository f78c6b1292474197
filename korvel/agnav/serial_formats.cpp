#include "korvel/agnav/serial_formats.h"

std::vector<SerialFormat> serialFormats()
{
    return {
        {},
        { 8, QStringLiteral("2400  N  2  8") },
        { 9, QStringLiteral("2400  N  1  8") },
        { 10, QStringLiteral("2400  E  1  8") },
        { 16, QStringLiteral("9600  O  1  8") },
        { 17, QStringLiteral("1200  N  1  8") },
        { 18, QStringLiteral("4800  N  1  8") },
        { 20, QStringLiteral("9600  N  1  8") },
        { 24, QStringLiteral("1200  O  1  7") },
        { 25, QStringLiteral("2400  E  1  7") },
        { 26, QStringLiteral("19200  N  1  8") },
        { 27, QStringLiteral("38400  N  1  8") },
        { 28, QStringLiteral("115200  N  1  8") },
    };
}
