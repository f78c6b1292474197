#include "platform/vb_runtime_errors.h"

#include "platform/program_identity.h"

#include <QCoreApplication>
#include <QFileInfo>

QString runtimeErrorDescription(long number)
{
    switch (number) {
    case RuntimeError::InvalidProcedureCall:
        return QStringLiteral("Invalid procedure call or argument");
    case RuntimeError::Overflow:
        return QStringLiteral("Overflow");
    case RuntimeError::SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case RuntimeError::DivisionByZero:
        return QStringLiteral("Division by zero");
    case RuntimeError::TypeMismatch:
        return QStringLiteral("Type mismatch");
    case RuntimeError::BadFileNameOrNumber:
        return QStringLiteral("Bad file name or number");
    case RuntimeError::FileNotFound:
        return QStringLiteral("File not found");
    case RuntimeError::BadFileMode:
        return QStringLiteral("Bad file mode");
    case RuntimeError::FileAlreadyOpen:
        return QStringLiteral("File already open");
    case RuntimeError::DeviceIOError:
        return QStringLiteral("Device I/O error");
    case RuntimeError::DiskFull:
        return QStringLiteral("Disk full");
    case RuntimeError::InputPastEndOfFile:
        return QStringLiteral("Input past end of file");
    case RuntimeError::PermissionDenied:
        return QStringLiteral("Permission denied");
    case RuntimeError::PathFileAccessError:
        return QStringLiteral("Path/File access error");
    case RuntimeError::PathNotFound:
        return QStringLiteral("Path not found");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

QString runtimeErrorSource() { return programExeName(); }

void raiseRuntimeError(long number)
{
    throw VbError(number, runtimeErrorSource(), runtimeErrorDescription(number));
}
