#pragma once
// The text file that holds one registry root. It is meant to be read and, with
// care, edited by people, and it is binary-safe:
//
//   TALVOR registry 1
//   ; comment
//   [Software\TALVOR\KORVEL\Settings]
//   "RootDir"=sz:"/opt/korvel/"
//   "Search"=multi_sz:"a\0b\0"          strings: data is the text plus one NUL
//   "Count"=dword:00000102              REG_DWORD, 4 bytes little-endian
//   "Order"=dword_be:00000102           REG_DWORD_BIG_ENDIAN, 4 bytes
//   "Blob"=hex:00,01,ff                 REG_BINARY
//   "Odd"=hex(11):01,02                 any type number with raw bytes
//   []                                  values of the root itself
//
// Quoted text escapes \\ \" \0 \t \n \r and \xHH; bytes from 0x80 up stand as
// they are. Key lines escape '%', control characters and DEL as %HH; a key path
// cannot hold a backslash inside a name, so every backslash separates names.
// Every key is written, empty ones too; a key line also creates the keys above
// it, so a hand-written file may leave them out. Empty lines and lines starting
// with ';' are ignored.
#include "platform/registry_tree.h"

#include <QByteArray>
#include <QString>
#include <memory>

extern const char* const RegistryFileHeader; // "TALVOR registry 1"

// Returns the whole file for the root key `root`; `rootName` goes into the
// comment at its top.
QByteArray writeRegistryFile(const RegistryKey& root, const QString& rootName);

// Returns the root key read from `bytes` (an empty file is an empty root), or
// nullptr with `error` set to "line N: what is wrong".
std::unique_ptr<RegistryKey> readRegistryFile(const QByteArray& bytes, QString* error);
