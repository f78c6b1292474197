#pragma once
// The runtime's own error numbers and their texts, as the program's messages
// show them ("Error: " and the description). Code that stands in
// for a runtime statement raises them through raiseRuntimeError().
#include "platform/vb_error.h"

#include <QString>

namespace RuntimeError {
enum : long {
    InvalidProcedureCall = 5,
    Overflow = 6,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    BadFileMode = 54,
    FileAlreadyOpen = 55,
    DeviceIOError = 57,
    DiskFull = 61,
    InputPastEndOfFile = 62,
    PermissionDenied = 70,
    PathFileAccessError = 75,
    PathNotFound = 76,
};
}

// The runtime's description of an error number; numbers it does not know get
// "Application-defined or object-defined error", as the runtime gave them.
QString runtimeErrorDescription(long number);

// The source the runtime puts into its errors: the running executable's name.
QString runtimeErrorSource();

// Throws VbError(number, runtimeErrorSource(), runtimeErrorDescription(number)).
[[noreturn]] void raiseRuntimeError(long number);
