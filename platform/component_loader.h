#pragma once
// Creating an object of an in-process component server by its class
// identifier, as CoCreateInstance did: the library registered for the class
// (component_registration.h) is loaded with dlopen, its DllGetClassObject
// hands out the class factory, and the factory makes the object. The caller
// never links the library.
//
// When the class is not registered, or the registered library cannot be
// loaded (the program folder moved), the caller's own copy of the library is
// loaded instead and asked to register itself (DllRegisterServer), so the
// next creation finds it. A loaded library stays loaded until the process ends.
#include <QString>

// Returns a new object offering the interface `iid`, to be cast to that
// interface; nullptr with the reason in `error` when none could be made.
void* createComponentInstance(
    const QString& clsid, const char* iid, const QString& fallbackLibrary, QString* error = nullptr);
