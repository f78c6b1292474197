#pragma once
// What an in-process component server and its callers agree on, in place of
// COM's binary interface: result codes with the HRESULT numbers, identifiers
// as registry-form GUID texts ("{7B6F...}", compared without regard to case),
// the class factory a server's DllGetClassObject hands out and the types of
// the exported entry points. Header only, so a server library and the program
// that loads it share one definition.
#include <QString>
#include <QtGlobal>

using ComResult = qint32; // an HRESULT: negative means failure

inline constexpr ComResult S_OK = 0;
inline constexpr ComResult S_FALSE = 1;
inline constexpr ComResult E_NOINTERFACE = ComResult(0x80004002u);
inline constexpr ComResult E_POINTER = ComResult(0x80004003u);
inline constexpr ComResult E_FAIL = ComResult(0x80004005u);
inline constexpr ComResult E_UNEXPECTED = ComResult(0x8000FFFFu);
inline constexpr ComResult CLASS_E_CLASSNOTAVAILABLE = ComResult(0x80040111u);
inline constexpr ComResult SELFREG_E_CLASS = ComResult(0x80040201u);

// The interface of the object DllGetClassObject hands out.
inline constexpr char IID_ComponentClassFactory[] = "{C8FA1A66-50D7-4B04-ADB4-5D70D03422F0}";

// Creates the objects of one class. The factory belongs to the library and
// lives as long as it stays loaded; nobody deletes it.
class ComponentClassFactory
{
public:
    // Stores a new object that offers the interface `riid` in `*ppvObject`:
    // S_OK, E_NOINTERFACE for an interface the class does not offer, E_POINTER
    // for a null `ppvObject`, E_UNEXPECTED when it cannot be made now.
    virtual ComResult CreateInstance(const char* riid, void** ppvObject) = 0;

protected:
    ~ComponentClassFactory() = default;
};

// The four entry points of a server library (extern "C").
using DllGetClassObjectProc = ComResult (*)(const char* rclsid, const char* riid, void** ppv);
using DllRegisterServerProc = ComResult (*)();
using DllUnregisterServerProc = ComResult (*)();
using DllCanUnloadNowProc = ComResult (*)();

inline bool sameComponentId(const char* a, const char* b)
{
    return a && b && QString::fromLatin1(a).compare(QString::fromLatin1(b), Qt::CaseInsensitive) == 0;
}
