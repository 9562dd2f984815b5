#pragma once
// Version blocks of program files. Each program carries a marked block of
// version strings made at build time (cmake/VersionBlock.cmake); these calls
// find it in any file and answer the Windows queries on it:
//   "\"                                 the VS_FIXEDFILEINFO
//   "\VarFileInfo\Translation"          language 0x0406, code page 0x04b0
//   "\StringFileInfo\040604b0\<key>"    a string; its length counts the zero
// A file without a block gives size 0 and ERROR_RESOURCE_DATA_NOT_FOUND.

#include "win/types.h"

typedef struct tagVS_FIXEDFILEINFO {
  DWORD dwSignature;  // 0xFEEF04BD
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
} VS_FIXEDFILEINFO;

#define VS_FFI_SIGNATURE 0xFEEF04BDu
#define VOS_NT_WINDOWS32 0x00040004u
#define VFT_APP 0x00000001u

// The number of bytes GetFileVersionInfo needs; *handle is set to 0.
DWORD GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle);
#define GetFileVersionInfoSize GetFileVersionInfoSizeA
// Copies the block (at most size bytes) into data.
BOOL GetFileVersionInfoA(LPCSTR fileName, DWORD handle, DWORD size, LPVOID data);
#define GetFileVersionInfo GetFileVersionInfoA
// Points *value into block; *length is a byte count for "\" and the
// translation, a character count including the zero for strings. Unknown
// names give FALSE.
BOOL VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID *value, UINT *length);
#define VerQueryValue VerQueryValueA
