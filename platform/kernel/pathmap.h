#pragma once
// Windows paths to Linux paths, and the drive table behind the drive letters.
//
// The programs form paths as Windows does: Windows-1252 text, "\" or "/"
// (mixed within one path), drive letters, names whose case differs between
// uses of one file. Every call that takes a path passes it through MapPath.

#include <cstdint>
#include <string>

#include <sys/stat.h>

#include "tavo/cp1252.h"
#include "win/kerror.h"
#include "win/types.h"

namespace tavo {

// Maps a Windows-style path (Windows-1252) to a Linux path (UTF-8). Each
// component that exists in some spelling of case is given its existing
// spelling; the first one that does not exist, and everything after it,
// keeps the name as given, so new files get the name the program chose.
// A relative path is taken against the current directory. On failure returns
// false with the last error set: ERROR_PATH_NOT_FOUND for an empty path or
// one that climbs above its drive's root, ERROR_INVALID_DRIVE for a drive
// letter that is not mapped, ERROR_FILENAME_EXCED_RANGE beyond MAX_PATH,
// ERROR_INVALID_NAME for characters no Windows name may hold.
bool MapPath(const char *path, std::string &out);

// The Windows form (Windows-1252, "\" separators, "X:\..." ) of an absolute
// Linux path, through the drive whose folder holds it most closely. False
// when no drive holds it or a name cannot be written in Windows-1252.
bool UnmapPath(const std::string &linuxPath, std::string &winPath);

// One drive letter of the table.
struct DriveEntry {
  std::string folder;      // Linux folder the drive's root maps to
  UINT type = 0;           // DRIVE_FIXED, DRIVE_REMOVABLE ...
  uint64_t freeBytes = 0;  // 0 with totalBytes 0: ask the file system
  uint64_t totalBytes = 0;
  std::string label;       // volume label, Windows-1252
  std::string remoteName;  // "\\server\share" for a network drive
  // For tests: the bytes that may still be written to files on the drive;
  // a write past them fails with ERROR_DISK_FULL (what fits is written).
  bool hasQuota = false;
  uint64_t quotaLeft = 0;
  // Whether the free-space answers show the quota (a medium that reports
  // more room than it takes when false).
  bool quotaReported = true;
  // For tests: a write-protected medium; every change of a file or folder
  // on the drive fails with ERROR_WRITE_PROTECT.
  bool writeProtected = false;
};

// Maps letter (either case) to linuxFolder. Drive C: maps to "/" until the
// table is changed; the environment variable TAVO_DREV ("E=/tmp/a;F=/tmp/b")
// adds fixed drives at start and on every reset, so that a program a test
// starts as a process of its own sees the test's drives.
void SetDrive(char letter, const std::string &linuxFolder, UINT driveType,
              uint64_t freeBytes = 0, uint64_t totalBytes = 0);
void RemoveDrive(char letter);
void ResetDrives();
bool SetDriveLabel(char letter, const std::string &label);
bool SetDriveRemoteName(char letter, const std::string &remoteName);
// A byte quota on a mapped drive (see DriveEntry); false for an unmapped
// letter. Removing, truncating or overwriting files gives nothing back.
// With reported false the drive's free space is answered as before, so a
// write can run out of room after the free space was read.
bool SetDriveQuota(char letter, uint64_t bytes, bool reported = true);
void ClearDriveQuota(char letter);
// Write protection of a mapped drive (see DriveEntry); false for an
// unmapped letter.
bool SetDriveWriteProtect(char letter, bool on);
// Whether the drive that holds the Linux path is write-protected.
bool DriveWriteProtected(const std::string &linuxPath);

// A copy of a drive's entry; false when the letter is not mapped.
bool GetDrive(char letter, DriveEntry &out);
// The mapped letters in order, upper case ("CD").
std::string DriveLetters();

// The drive letter of the current directory ('C'), 0 when it lies outside
// every drive.
char CurrentDriveLetter();

// The Windows error for a C library errno (ENOENT -> ERROR_FILE_NOT_FOUND,
// EACCES -> ERROR_ACCESS_DENIED ...), and SetLastError of it.
DWORD WinErrorFromErrno(int e);
void SetLastErrorFromErrno(int e);
// The errno the Windows run-time reports for a Windows error.
int ErrnoFromWinError(DWORD err);

// ERROR_PATH_NOT_FOUND when the folder of linuxPath is missing, else
// ERROR_FILE_NOT_FOUND: the two answers Windows gives for a missing name.
DWORD MissingError(const std::string &linuxPath);

// Copies s and its terminating zero into buf when it fits in size bytes and
// returns s's length; otherwise returns the size needed (with the zero) and
// leaves buf alone. The Windows convention of the path getters.
DWORD CopyOutString(const std::string &s, char *buf, DWORD size);

// The Linux descriptor of a file handle from CreateFile; -1 with
// ERROR_INVALID_HANDLE when h is no open file.
int FileDescriptorOf(HANDLE h);

// Windows attributes of a file system entry (name is its last component,
// for the hidden flag of dot names).
DWORD AttributesOf(const struct stat &st, const char *name);

// Windows wildcard match ('*', '?'), without regard to case, in
// Windows-1252; a trailing ".*" also matches a name without extension.
bool WildcardMatch(const char *pattern, const char *name);

// Linux time to FILETIME (100 ns since 1601 UTC) and back.
FILETIME FileTimeFromTimespec(const struct timespec &ts);
struct timespec TimespecFromFileTime(const FILETIME &ft);

}  // namespace tavo
