#pragma once
// Profile strings: the Windows ini-file calls. Every call reads or rewrites
// the file itself (no cache), so other programs see a write at once.
//
// The file name is mapped like every path; a name without a folder is taken
// in the current folder (Windows would take its own folder; the programs
// always pass a path). Section and key names match without regard to case
// in Windows-1252. Values are returned without surrounding blanks and
// without one pair of surrounding quotes ('"' or '\'').
//
// Writes hold an exclusive lock on a lock file beside the ini file
// (".<name>.lock") and replace the file by renaming a complete new copy over
// it, so that several threads and processes may write one file at once and
// an interrupted write never leaves it cut short. Lines the calls do not
// change (comments, unknown keys, their order and line ends) are kept as
// they are; new lines end in CR LF.

#include "win/types.h"

// The value of key, or def (trailing blanks removed) when the key is
// missing. At most size-1 characters are copied and ended with a zero; the
// return value is the number copied. With section NULL the buffer receives
// the section names, with key NULL the key names of section, each ended by
// a zero and the list by one more; when the list does not fit it is cut,
// ended by two zeros, and size-2 is returned.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer,
                               DWORD size, LPCSTR fileName);
#define GetPrivateProfileString GetPrivateProfileStringA

// The leading decimal digits of the value (with an optional '-'); def when
// the key is missing or empty; 0 when the value starts with no digit.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT def, LPCSTR fileName);
#define GetPrivateProfileInt GetPrivateProfileIntA

// Sets key=value, creating the file and the section when missing. value
// NULL deletes the key, key NULL deletes the section with all its keys.
// Every write first removes the new copy that an interrupted rewrite of
// the file left beside it (".<name>.XXXXXX"); section, key and value all
// NULL (Windows' cache flush) does only that.
// Names and values that would break the file's lines (CR or LF anywhere,
// ']' in a section name, '=' in a key name) are refused with
// ERROR_INVALID_PARAMETER.
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
#define WritePrivateProfileString WritePrivateProfileStringA

// size bytes as two upper-case hex digits each, then the sum of the bytes
// modulo 256 as two more. A value whose length or checksum does not match
// reads as missing: FALSE, and the caller's buffer is left as it was.
BOOL GetPrivateProfileStructA(LPCSTR section, LPCSTR key, LPVOID data, UINT size,
                              LPCSTR fileName);
#define GetPrivateProfileStruct GetPrivateProfileStructA
// data NULL deletes the key.
BOOL WritePrivateProfileStructA(LPCSTR section, LPCSTR key, LPVOID data, UINT size,
                                LPCSTR fileName);
#define WritePrivateProfileStruct WritePrivateProfileStructA
