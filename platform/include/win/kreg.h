#pragma once
// The registry under the Windows names, over a small table of keys and
// values held in the process. The table starts with only the user's shell
// folders (HKEY_CURRENT_USER kShellFolders "Desktop": the user's desktop
// folder): any other key is missing, as on a machine where the product that
// would own it is not installed. Programs and tests fill it through
// tavo::reg.

#include <string>

#include "win/kerror.h"
#include "win/types.h"

typedef HANDLE HKEY;
typedef HKEY *PHKEY;
typedef DWORD REGSAM;

#define HKEY_CLASSES_ROOT ((HKEY)0x80000000u)
#define HKEY_CURRENT_USER ((HKEY)0x80000001u)
#define HKEY_LOCAL_MACHINE ((HKEY)0x80000002u)
#define HKEY_USERS ((HKEY)0x80000003u)

#define KEY_QUERY_VALUE 0x0001u
#define KEY_SET_VALUE 0x0002u
#define KEY_ENUMERATE_SUB_KEYS 0x0008u
#define KEY_NOTIFY 0x0010u
#define KEY_READ 0x20019u
#define KEY_WRITE 0x20006u
#define KEY_ALL_ACCESS 0xF003Fu

#define REG_NONE 0u
#define REG_SZ 1u
#define REG_EXPAND_SZ 2u
#define REG_BINARY 3u
#define REG_DWORD 4u

// Key paths are matched without regard to case, with '\' between the
// parts. A missing key or value gives ERROR_FILE_NOT_FOUND; the calls
// return the error instead of setting the thread's last error.
LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
#define RegOpenKeyEx RegOpenKeyExA
// data null: *size gets the size the value needs. A buffer smaller than the
// value gives ERROR_MORE_DATA with *size the size needed, and nothing is
// copied. A string value's size counts its terminating zero.
LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD size);
#define RegQueryValueEx RegQueryValueExA
LONG RegCloseKey(HKEY key);

namespace tavo::reg {

inline constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Puts a value into the table (its key and the keys above it come into
// being). A string is stored with its terminating zero.
void SetValue(HKEY root, const std::string &subKey, const std::string &name, DWORD type,
              const void *data, DWORD size);
void SetString(HKEY root, const std::string &subKey, const std::string &name,
               const std::string &value);
// Empties the table back to what a new process has: the shell folders.
void Clear();

}  // namespace tavo::reg
