#pragma once
// Error texts, user and computer names, memory figures, the program's own
// file name and the system modules under the Windows names.

#include <cstdarg>

#include "win/types.h"

// ---- Error texts -----------------------------------------------------------

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100u
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200u
#define FORMAT_MESSAGE_FROM_STRING 0x00000400u
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800u
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000u
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000u
#define FORMAT_MESSAGE_MAX_WIDTH_MASK 0x000000FFu

#define LANG_NEUTRAL 0x00
#define LANG_DANISH 0x06
#define LANG_ENGLISH 0x09
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))
#define PRIMARYLANGID(lgid) ((WORD)(lgid) & 0x3ff)

// The system's texts are Danish whatever language is asked for, and end in
// CR LF as Windows' do (not with FORMAT_MESSAGE_MAX_WIDTH_MASK). From a
// string, only FORMAT_MESSAGE_IGNORE_INSERTS is supported (the text is
// copied). With FORMAT_MESSAGE_ALLOCATE_BUFFER, buffer is an LPSTR * that
// receives a block the caller frees with LocalFree; otherwise size is the
// buffer's size and a text that does not fit fails with
// ERROR_INSUFFICIENT_BUFFER. An unknown number fails with
// ERROR_MR_MID_NOT_FOUND. Returns the length without the zero.
DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer,
                     DWORD size, va_list *args);
#define FormatMessage FormatMessageA

// ---- User and computer -------------------------------------------------------

#define UNLEN 256
#define MAX_COMPUTERNAME_LENGTH 15

// The session's user (USER), else the process's account. *size in: the
// buffer's size; out: the length with the zero on success, or the size
// needed with ERROR_INSUFFICIENT_BUFFER. Windows-1252.
BOOL GetUserNameA(LPSTR buf, LPDWORD size);
#define GetUserName GetUserNameA
// *size out: the length without the zero on success, or the size needed with
// ERROR_BUFFER_OVERFLOW. The host name up to its first dot.
BOOL GetComputerNameA(LPSTR buf, LPDWORD size);
#define GetComputerName GetComputerNameA

// ---- Operating system --------------------------------------------------------

#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

typedef struct _OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
} OSVERSIONINFOA, OSVERSIONINFO, *LPOSVERSIONINFOA, *LPOSVERSIONINFO;

// The layer answers as the NT family (5.1), never as the Windows 95 one.
// FALSE with ERROR_INVALID_PARAMETER when the size field is not set.
BOOL GetVersionExA(LPOSVERSIONINFOA info);
#define GetVersionEx GetVersionExA

// ---- Memory ------------------------------------------------------------------

typedef struct _PROCESS_MEMORY_COUNTERS {
  DWORD cb;
  DWORD PageFaultCount;
  SIZE_T PeakWorkingSetSize;
  SIZE_T WorkingSetSize;
  SIZE_T QuotaPeakPagedPoolUsage;
  SIZE_T QuotaPagedPoolUsage;
  SIZE_T QuotaPeakNonPagedPoolUsage;
  SIZE_T QuotaNonPagedPoolUsage;
  SIZE_T PagefileUsage;
  SIZE_T PeakPagefileUsage;
} PROCESS_MEMORY_COUNTERS, *PPROCESS_MEMORY_COUNTERS;

typedef struct _PROCESS_MEMORY_COUNTERS_EX {
  DWORD cb;
  DWORD PageFaultCount;
  SIZE_T PeakWorkingSetSize;
  SIZE_T WorkingSetSize;
  SIZE_T QuotaPeakPagedPoolUsage;
  SIZE_T QuotaPagedPoolUsage;
  SIZE_T QuotaPeakNonPagedPoolUsage;
  SIZE_T QuotaNonPagedPoolUsage;
  SIZE_T PagefileUsage;
  SIZE_T PeakPagefileUsage;
  SIZE_T PrivateUsage;
} PROCESS_MEMORY_COUNTERS_EX, *PPROCESS_MEMORY_COUNTERS_EX;

// Figures of this process: working set from the resident size, private
// bytes (PagefileUsage, PrivateUsage) from its anonymous and swapped memory.
BOOL GetProcessMemoryInfo(HANDLE process, PPROCESS_MEMORY_COUNTERS counters, DWORD cb);

typedef struct _MEMORYSTATUSEX {
  DWORD dwLength;
  DWORD dwMemoryLoad;
  ULONGLONG ullTotalPhys;
  ULONGLONG ullAvailPhys;
  ULONGLONG ullTotalPageFile;
  ULONGLONG ullAvailPageFile;
  ULONGLONG ullTotalVirtual;
  ULONGLONG ullAvailVirtual;
  ULONGLONG ullAvailExtendedVirtual;
} MEMORYSTATUSEX, *LPMEMORYSTATUSEX;

// dwLength must be sizeof(MEMORYSTATUSEX).
BOOL GlobalMemoryStatusEx(LPMEMORYSTATUSEX status);

// ---- Modules -----------------------------------------------------------------

// The program's own executable in Windows form ("C:\opt\tavo\10413.exe"),
// which the path calls map back; every module handle names it. A buffer
// that is too small gets the cut name and ERROR_INSUFFICIENT_BUFFER, and
// the answer is size.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buf, DWORD size);
#define GetModuleFileName GetModuleFileNameA

// void(void) so that casting to the real entry type draws no warning.
typedef void(WINAPI *FARPROC)(void);
// The system modules the layer stands in for (kernel32.dll ...), by name or
// by the path SearchPath gives; GetProcAddress knows the entries the
// programs look up. Anything else fails with ERROR_MOD_NOT_FOUND /
// ERROR_PROC_NOT_FOUND.
HMODULE LoadLibraryA(LPCSTR name);
#define LoadLibrary LoadLibraryA
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);
