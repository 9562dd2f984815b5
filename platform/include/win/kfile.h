#pragma once
// Files, folders, paths, searches, file times and drives under the Windows
// names, and the C run-time file calls with Windows semantics.
//
// Every path is Windows-1252 in the Windows form the programs build
// ("data\akti.DAT", "LOG\STDERR.LOG", "C:\Prog\"); the layer maps it to the
// Linux file (separators, case of existing names, drive letters).

#include <sys/stat.h>

#include <cstdio>
#include <ctime>

#include "win/kerror.h"
#include "win/types.h"

#ifndef TAVO_SECURITY_ATTRIBUTES_DEFINED
#define TAVO_SECURITY_ATTRIBUTES_DEFINED
// Only bInheritHandle has a meaning here (pipes and files handed to a child).
typedef struct _SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;
#endif

// ---- Opening, reading and writing -------------------------------------

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define GENERIC_EXECUTE 0x20000000u
#define GENERIC_ALL 0x10000000u

#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define FILE_SHARE_DELETE 0x00000004u

#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_HIDDEN 0x00000002u
#define FILE_ATTRIBUTE_SYSTEM 0x00000004u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100u
// A symbolic link. Its other attributes are its target's (DIRECTORY for a
// link to a folder), as a Windows folder link reports them; a walker that
// must stay inside its tree enters no entry that has it.
#define FILE_ATTRIBUTE_REPARSE_POINT 0x00000400u
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu

#define FILE_FLAG_WRITE_THROUGH 0x80000000u
#define FILE_FLAG_BACKUP_SEMANTICS 0x02000000u

#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_FILE_SIZE 0xFFFFFFFFu
#define INVALID_SET_FILE_POINTER 0xFFFFFFFFu

// Share mode 0 holds the file against every other open, in this process or
// any other, until the handle is closed (the second open fails with
// ERROR_SHARING_VIOLATION). Other share modes let opens share the file with
// each other but not with an exclusive one. A folder opens only with
// FILE_FLAG_BACKUP_SEMANTICS.
HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES sa,
                   DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile);
#define CreateFile CreateFileA

// Files, pipes and the other readable objects share these two.
BOOL ReadFile(HANDLE h, LPVOID buf, DWORD toRead, LPDWORD got, void *overlapped);
BOOL WriteFile(HANDLE h, LPCVOID buf, DWORD toWrite, LPDWORD put, void *overlapped);

DWORD SetFilePointer(HANDLE h, LONG distance, LONG *distanceHigh, DWORD method);
BOOL SetFilePointerEx(HANDLE h, LARGE_INTEGER distance, PLARGE_INTEGER newPos, DWORD method);
BOOL SetEndOfFile(HANDLE h);
DWORD GetFileSize(HANDLE h, LPDWORD sizeHigh);
BOOL GetFileSizeEx(HANDLE h, PLARGE_INTEGER size);
BOOL FlushFileBuffers(HANDLE h);

// ---- Byte-range locks -----------------------------------------------------

#ifndef TAVO_OVERLAPPED_DEFINED
#define TAVO_OVERLAPPED_DEFINED
// Only Offset and OffsetHigh have a meaning here: the start of a locked range.
typedef struct _OVERLAPPED {
  ULONG_PTR Internal;
  ULONG_PTR InternalHigh;
  DWORD Offset;
  DWORD OffsetHigh;
  HANDLE hEvent;
} OVERLAPPED, *LPOVERLAPPED;
#endif

#define LOCKFILE_FAIL_IMMEDIATELY 0x00000001u
#define LOCKFILE_EXCLUSIVE_LOCK 0x00000002u

// A lock belongs to the handle that took it (and its duplicates), as on
// Windows: another handle to the file, in this process or any other, is
// refused a conflicting lock (ERROR_LOCK_VIOLATION with
// LOCKFILE_FAIL_IMMEDIATELY, else it waits until the range is free). The
// lock ends with UnlockFileEx, when the last handle closes or when the
// process ends, however it ends; a started program never holds it. Ranges
// may lie past the end of the file; an empty range is refused
// (ERROR_INVALID_PARAMETER). An exclusive lock needs a handle opened with
// write access, a shared one read access. Taking or ending a lock changes
// no file: the file layer's test hook does not count it.
BOOL LockFileEx(HANDLE h, DWORD flags, DWORD reserved, DWORD bytesLow, DWORD bytesHigh,
                LPOVERLAPPED overlapped);
// Ends a range the handle locked; a range it did not lock stays as it is
// (no failure).
BOOL UnlockFileEx(HANDLE h, DWORD reserved, DWORD bytesLow, DWORD bytesHigh, LPOVERLAPPED overlapped);

// ---- Names in folders ----------------------------------------------------

// Regular files report FILE_ATTRIBUTE_ARCHIVE (as a new file on Windows)
// plus READONLY when the owner may not write; folders DIRECTORY; names
// starting with '.' add HIDDEN; a symbolic link adds REPARSE_POINT.
DWORD GetFileAttributesA(LPCSTR name);
#define GetFileAttributes GetFileAttributesA
// Only READONLY changes anything: it clears the write permission bits of a
// file (folders keep theirs, as Windows ignores the flag on folders). A
// symbolic link is the entry changed, not its target: nothing changes.
BOOL SetFileAttributesA(LPCSTR name, DWORD attributes);
#define SetFileAttributes SetFileAttributesA

// A read-only file is not deleted (ERROR_ACCESS_DENIED), as on Windows.
BOOL DeleteFileA(LPCSTR name);
#define DeleteFile DeleteFileA

#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_COPY_ALLOWED 0x00000002u
#define MOVEFILE_WRITE_THROUGH 0x00000008u
// Without MOVEFILE_REPLACE_EXISTING an existing target fails with
// ERROR_ALREADY_EXISTS; a name that differs only in case renames in place.
BOOL MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags);
#define MoveFileEx MoveFileExA
BOOL MoveFileA(LPCSTR existing, LPCSTR newName);
#define MoveFile MoveFileA
BOOL CopyFileA(LPCSTR existing, LPCSTR newName, BOOL failIfExists);
#define CopyFile CopyFileA

BOOL CreateDirectoryA(LPCSTR name, LPSECURITY_ATTRIBUTES sa);
#define CreateDirectory CreateDirectoryA
// A symbolic link to a folder is removed as the link; its target stays.
BOOL RemoveDirectoryA(LPCSTR name);
#define RemoveDirectory RemoveDirectoryA

// ---- Searching -----------------------------------------------------------

typedef struct _WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  CHAR cFileName[MAX_PATH];
  CHAR cAlternateFileName[14];
} WIN32_FIND_DATAA, *PWIN32_FIND_DATAA, *LPWIN32_FIND_DATAA;
typedef WIN32_FIND_DATAA WIN32_FIND_DATA;
typedef PWIN32_FIND_DATAA PWIN32_FIND_DATA;
typedef LPWIN32_FIND_DATAA LPWIN32_FIND_DATA;

// Windows wildcards: '*' any run, '?' one character, without regard to
// case; "*.*" matches every name, also one without a dot. A folder search
// returns "." and ".." first (not at a drive's root); the other names come
// in name order. Names Windows-1252 cannot spell are not listed.
HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data);
#define FindFirstFile FindFirstFileA
BOOL FindNextFileA(HANDLE find, LPWIN32_FIND_DATAA data);
#define FindNextFile FindNextFileA
BOOL FindClose(HANDLE find);

// ---- File times ----------------------------------------------------------

// Local times convert through the machine's time zone with the rules of the
// instant converted (summer time included).
BOOL FileTimeToLocalFileTime(const FILETIME *utc, LPFILETIME local);
BOOL LocalFileTimeToFileTime(const FILETIME *local, LPFILETIME utc);
BOOL FileTimeToSystemTime(const FILETIME *ft, LPSYSTEMTIME st);
BOOL SystemTimeToFileTime(const SYSTEMTIME *st, LPFILETIME ft);
BOOL FileTimeToDosDateTime(const FILETIME *ft, LPWORD dosDate, LPWORD dosTime);
BOOL DosDateTimeToFileTime(WORD dosDate, WORD dosTime, LPFILETIME ft);
// Creation time is the file's birth time where the file system keeps one,
// else its last write; it cannot be set (SetFileTime ignores it). A null
// pointer leaves that time as it is.
BOOL GetFileTime(HANDLE h, LPFILETIME creation, LPFILETIME lastAccess, LPFILETIME lastWrite);
BOOL SetFileTime(HANDLE h, const FILETIME *creation, const FILETIME *lastAccess,
                 const FILETIME *lastWrite);
LONG CompareFileTime(const FILETIME *a, const FILETIME *b);

// ---- Folders and full names ------------------------------------------------

// The buffer conventions are Windows': the length without the terminating
// zero on success; when the buffer is too small, the size needed including
// it, and the buffer is left alone.
DWORD GetTempPathA(DWORD size, LPSTR buf);  // TMPDIR or /tmp; ends in "\"
#define GetTempPath GetTempPathA
DWORD GetFullPathNameA(LPCSTR name, DWORD size, LPSTR buf, LPSTR *filePart);
#define GetFullPathName GetFullPathNameA
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buf);
#define GetCurrentDirectory GetCurrentDirectoryA
BOOL SetCurrentDirectoryA(LPCSTR name);
#define SetCurrentDirectory SetCurrentDirectoryA
// A folder that exists; it holds no Windows programs.
UINT GetWindowsDirectoryA(LPSTR buf, UINT size);
#define GetWindowsDirectory GetWindowsDirectoryA
UINT GetSystemDirectoryA(LPSTR buf, UINT size);
#define GetSystemDirectory GetSystemDirectoryA
// Without a path: the program's folder, the current folder, the system and
// Windows folders, then PATH. The system modules the layer itself stands
// in for (kernel32.dll, and mscoree.dll, whose .NET runtime the contact
// program's stand-in does not need) are found in the system folder.
DWORD SearchPathA(LPCSTR path, LPCSTR fileName, LPCSTR extension, DWORD size, LPSTR buf,
                  LPSTR *filePart);
#define SearchPath SearchPathA

// ---- Drives ----------------------------------------------------------------

#define DRIVE_UNKNOWN 0
#define DRIVE_NO_ROOT_DIR 1
#define DRIVE_REMOVABLE 2
#define DRIVE_FIXED 3
#define DRIVE_REMOTE 4
#define DRIVE_CDROM 5
#define DRIVE_RAMDISK 6

// Drives come from the platform's drive table (C: is "/" by default).
UINT GetDriveTypeA(LPCSTR root);
#define GetDriveType GetDriveTypeA
DWORD GetLogicalDriveStringsA(DWORD size, LPSTR buf);
#define GetLogicalDriveStrings GetLogicalDriveStringsA
DWORD GetLogicalDrives(void);
BOOL GetDiskFreeSpaceExA(LPCSTR dir, PULARGE_INTEGER freeToCaller, PULARGE_INTEGER total,
                         PULARGE_INTEGER totalFree);
#define GetDiskFreeSpaceEx GetDiskFreeSpaceExA
BOOL GetDiskFreeSpaceA(LPCSTR root, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector,
                       LPDWORD freeClusters, LPDWORD totalClusters);
#define GetDiskFreeSpace GetDiskFreeSpaceA
BOOL GetVolumeInformationA(LPCSTR root, LPSTR label, DWORD labelSize, LPDWORD serial,
                           LPDWORD maxComponent, LPDWORD fsFlags, LPSTR fsName,
                           DWORD fsNameSize);
#define GetVolumeInformation GetVolumeInformationA
BOOL SetVolumeLabelA(LPCSTR root, LPCSTR label);
#define SetVolumeLabel SetVolumeLabelA

#define SEM_FAILCRITICALERRORS 0x0001u
#define SEM_NOGPFAULTERRORBOX 0x0002u
#define SEM_NOALIGNMENTFAULTEXCEPT 0x0004u
#define SEM_NOOPENFILEERRORBOX 0x8000u
// No drive access ever raises a system box here; the mode is only kept.
UINT SetErrorMode(UINT mode);
UINT GetErrorMode(void);

#define NO_ERROR_WNET 0
// The network name of a remote drive of the table ("X:" form); a local
// drive gives ERROR_NOT_CONNECTED, an unmapped one ERROR_BAD_DEVICE.
DWORD WNetGetConnectionA(LPCSTR localName, LPSTR remoteName, LPDWORD size);
#define WNetGetConnection WNetGetConnectionA

// ---- The C run-time file calls -------------------------------------------

// fopen with Windows semantics: the path is mapped; without 'b' the stream
// is in text mode ("\n" written as CR LF, CR LF read as "\n"; ftell and
// fseek work on file offsets as on Windows). errno as the C library sets it
// (ENOENT for a missing file, EACCES for a folder or a held file). "wx"
// creates the file only when no file of that name exists (EEXIST), as the
// Windows run-time does.
FILE *tavo_fopen(const char *path, const char *mode);
// remove and rename cannot be replaced by macros (std::remove and
// std::list::remove, std::filesystem::rename share the names): Windows code
// calls these, or _unlink, DeleteFile and MoveFile. tavo_rename fails with
// EACCES when the target exists, as the Windows run-time does.
int tavo_remove(const char *path);
int tavo_rename(const char *oldName, const char *newName);
// Gives a file the execute permission for whoever may read it: a program
// fetched as bytes must have it before a process can be started from it.
BOOL tavo_saet_koerbar(const char *path);

// Windows run-time names; all map their path.
int _access(const char *path, int mode);  // 0 exists, 2 write, 4 read, 6 both
int _unlink(const char *path);
int _mkdir(const char *path);
int _rmdir(const char *path);
int _chdir(const char *path);
char *_getcwd(char *buf, int size);  // Windows form, "C:\..."
int _fileno(FILE *f);  // also for text-mode streams (fileno() is -1 there)
long _filelength(int fd);

#define _S_IFMT 0xF000
#define _S_IFDIR 0x4000
#define _S_IFREG 0x8000
#define _S_IREAD 0x0100
#define _S_IWRITE 0x0080
struct _stat {
  unsigned int st_dev;
  unsigned short st_ino;
  unsigned short st_mode;
  short st_nlink;
  short st_uid;
  short st_gid;
  unsigned int st_rdev;
  long st_size;
#ifdef st_mtime
  // <sys/stat.h> spells st_mtime as st_mtim.tv_sec; keep that spelling
  // working for this struct too.
  struct timespec st_atim;
  struct timespec st_mtim;
  struct timespec st_ctim;
#else
  time_t st_atime;
  time_t st_mtime;
  time_t st_ctime;
#endif
};
int _stat(const char *path, struct _stat *buf);

// Program code calls fopen; the standard headers included after this one
// keep theirs (std::fopen is the mapped one too).
namespace std {
using ::tavo_fopen;
}
#define fopen tavo_fopen
