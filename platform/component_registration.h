#pragma once
// The system's registration of in-process component servers, kept in the
// registry store under HKEY_CLASSES_ROOT as Windows keeps it:
//
//   CLSID\{clsid}                  (default) the class's name
//   CLSID\{clsid}\InprocServer32   (default) the library's path, ThreadingModel "Apartment"
//   CLSID\{clsid}\ProgID           (default) the programmatic identifier
//   CLSID\{clsid}\TypeLib          (default) the type library's identifier
//   CLSID\{clsid}\VERSION          (default) the version
//   <ProgID>                       (default) the class's name
//   <ProgID>\CLSID                 (default) {clsid}
//   TypeLib\{libid}\<version>      (default) the type library's name
//
// A server library's DllRegisterServer and DllUnregisterServer call these;
// the loader (component_loader.h) reads the library's path back.
#include <QString>

struct InProcessServer
{
    QString clsid; // "{...}"
    QString className;
    QString progId; // "Library.Class"
    QString libraryPath; // absolute
    QString typeLibId; // "{...}"
    QString typeLibName;
    QString version; // "1.0"
};

// Writes the keys above. False, with the reason in `error`, when the store
// cannot be written; what was written before the failure stays.
bool registerInProcessServer(const InProcessServer& server, QString* error = nullptr);

// Deletes the keys above; keys that are missing already are no failure, and a
// key that other registrations still use (it has subkeys of theirs) stays.
bool unregisterInProcessServer(const InProcessServer& server, QString* error = nullptr);

// Returns the library registered for the class, or empty text when the class
// is not registered.
QString registeredServerLibrary(const QString& clsid);

// Returns the file of the loaded shared library (or executable) that holds
// `address`, or empty text when the system cannot tell.
QString sharedLibraryPathOf(const void* address);
