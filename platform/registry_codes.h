#pragma once
// The numbers of the Windows registry interface (winreg.h, winerror.h) that our
// registry store answers with, so code written against the Windows calls
// keeps its meaning.
#include <QtGlobal>

using RegHandle = qint32; // a root's number or the number of an open key

// Roots: the values of the predefined handles as signed 32-bit numbers.
constexpr RegHandle HKEY_CLASSES_ROOT = RegHandle(0x80000000u);
constexpr RegHandle HKEY_CURRENT_USER = RegHandle(0x80000001u);
constexpr RegHandle HKEY_LOCAL_MACHINE = RegHandle(0x80000002u);

// Value types.
constexpr quint32 REG_NONE = 0;
constexpr quint32 REG_SZ = 1;
constexpr quint32 REG_EXPAND_SZ = 2;
constexpr quint32 REG_BINARY = 3;
constexpr quint32 REG_DWORD = 4;
constexpr quint32 REG_DWORD_BIG_ENDIAN = 5;
constexpr quint32 REG_MULTI_SZ = 7;

// Access rights of an opened key.
constexpr quint32 KEY_QUERY_VALUE = 0x0001;
constexpr quint32 KEY_SET_VALUE = 0x0002;
constexpr quint32 KEY_CREATE_SUB_KEY = 0x0004;
constexpr quint32 KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr quint32 KEY_ALL_ACCESS = 0xF003F;

// Result codes.
constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_ACCESS_DENIED = 5;
constexpr long ERROR_INVALID_HANDLE = 6;
constexpr long ERROR_INVALID_DATA = 13;
constexpr long ERROR_INVALID_PARAMETER = 87;
constexpr long ERROR_BAD_PATHNAME = 161;
constexpr long ERROR_MORE_DATA = 234;
constexpr long ERROR_NO_MORE_ITEMS = 259;
constexpr long ERROR_BADDB = 1009; // the store file is damaged
constexpr long ERROR_CANTREAD = 1012;
constexpr long ERROR_CANTWRITE = 1013;
constexpr long ERROR_KEY_DELETED = 1018;

// Windows limits: a key name holds at most 255 characters, a path at most 512 levels.
constexpr int RegistryMaxKeyNameLength = 255;
constexpr int RegistryMaxKeyDepth = 512;
