// Drives from the drive table: types, free space, volume labels, network
// names, and the error mode around drive access.
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#include "pathmap.h"
#include "win/kernel.h"

using namespace tavo;

namespace {

std::atomic<UINT> g_errorMode{0};

char Upper(char c) { return (c >= 'a' && c <= 'z') ? (char)(c - 32) : c; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The drive letter a root names: "X:", "X:\" or "X:/"; a null root is the
// current folder's drive. 0 when the text names no drive root.
char RootLetter(const char *root) {
  if (!root) return CurrentDriveLetter();
  if (!IsLetter(root[0]) || root[1] != ':') return 0;
  if (root[2] == 0 || ((root[2] == '\\' || root[2] == '/') && root[3] == 0)) return Upper(root[0]);
  return 0;
}

// The drive of any path: its letter, else the current folder's drive.
char PathLetter(const char *path) {
  if (path && IsLetter(path[0]) && path[1] == ':') return Upper(path[0]);
  return CurrentDriveLetter();
}

// A removable or CD drive whose folder is missing holds no medium.
bool Ready(const DriveEntry &e) {
  struct stat st;
  return stat(e.folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ReadyDrive(char letter, DriveEntry &e, DWORD missingError) {
  if (!letter || !GetDrive(letter, e)) {
    SetLastError(missingError);
    return false;
  }
  if (!Ready(e)) {
    SetLastError(ERROR_NOT_READY);
    return false;
  }
  return true;
}

bool FreeSpaceOfDrive(const DriveEntry &e, const char *path, uint64_t &toCaller, uint64_t &total,
                      uint64_t &totalFree) {
  if (e.freeBytes || e.totalBytes) {
    toCaller = totalFree = e.freeBytes;
    total = e.totalBytes;
    return true;
  }
  std::string where = e.folder;
  if (path && !(IsLetter(path[0]) && path[1] == ':' && (!path[2] || !path[3]))) {
    std::string mapped;
    struct stat st;
    if (MapPath(path, mapped) && stat(mapped.c_str(), &st) == 0) where = mapped;
  }
  struct statvfs vfs;
  if (statvfs(where.c_str(), &vfs) != 0) {
    SetLastErrorFromErrno(errno);
    return false;
  }
  toCaller = (uint64_t)vfs.f_bavail * vfs.f_frsize;
  total = (uint64_t)vfs.f_blocks * vfs.f_frsize;
  totalFree = (uint64_t)vfs.f_bfree * vfs.f_frsize;
  return true;
}

// A quota set for a test is all the room there is, unless the test hides
// it.
bool FreeSpace(const char *path, uint64_t &toCaller, uint64_t &total, uint64_t &totalFree) {
  DriveEntry e;
  if (!ReadyDrive(PathLetter(path), e, ERROR_PATH_NOT_FOUND)) return false;
  if (!FreeSpaceOfDrive(e, path, toCaller, total, totalFree)) return false;
  if (e.hasQuota && e.quotaReported) {
    if (toCaller > e.quotaLeft) toCaller = e.quotaLeft;
    if (totalFree > e.quotaLeft) totalFree = e.quotaLeft;
  }
  return true;
}

}  // namespace

UINT GetDriveTypeA(LPCSTR root) {
  char letter = RootLetter(root);
  DriveEntry e;
  if (!letter || !GetDrive(letter, e)) return DRIVE_NO_ROOT_DIR;
  return e.type;
}

DWORD GetLogicalDriveStringsA(DWORD size, LPSTR buf) {
  std::string letters = DriveLetters();
  DWORD needed = (DWORD)letters.size() * 4;  // "C:\" and its zero each
  if (!buf || size < needed + 1) return needed + 1;
  char *p = buf;
  for (char c : letters) {
    *p++ = c;
    *p++ = ':';
    *p++ = '\\';
    *p++ = 0;
  }
  *p = 0;
  return needed;
}

DWORD GetLogicalDrives(void) {
  DWORD mask = 0;
  for (char c : DriveLetters()) mask |= 1u << (c - 'A');
  return mask;
}

BOOL GetDiskFreeSpaceExA(LPCSTR dir, PULARGE_INTEGER freeToCaller, PULARGE_INTEGER total,
                         PULARGE_INTEGER totalFree) {
  uint64_t a, t, f;
  if (!FreeSpace(dir, a, t, f)) return FALSE;
  if (freeToCaller) freeToCaller->QuadPart = a;
  if (total) total->QuadPart = t;
  if (totalFree) totalFree->QuadPart = f;
  return TRUE;
}

BOOL GetDiskFreeSpaceA(LPCSTR root, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector,
                       LPDWORD freeClusters, LPDWORD totalClusters) {
  uint64_t a, t, f;
  if (!FreeSpace(root, a, t, f)) return FALSE;
  // 4 KB clusters of 512-byte sectors; counts beyond 32 bits are capped.
  const uint64_t cluster = 4096;
  auto cap = [](uint64_t v) { return (DWORD)(v > 0xFFFFFFFFu ? 0xFFFFFFFFu : v); };
  if (sectorsPerCluster) *sectorsPerCluster = 8;
  if (bytesPerSector) *bytesPerSector = 512;
  if (freeClusters) *freeClusters = cap(a / cluster);
  if (totalClusters) *totalClusters = cap(t / cluster);
  return TRUE;
}

BOOL GetVolumeInformationA(LPCSTR root, LPSTR label, DWORD labelSize, LPDWORD serial,
                           LPDWORD maxComponent, LPDWORD fsFlags, LPSTR fsName,
                           DWORD fsNameSize) {
  DriveEntry e;
  char letter = RootLetter(root);
  if (!ReadyDrive(letter, e, root && !letter ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND))
    return FALSE;
  const char *fs = e.type == DRIVE_REMOVABLE ? "FAT32" : (e.type == DRIVE_CDROM ? "CDFS" : "NTFS");
  if ((label && labelSize <= e.label.size()) || (fsName && fsNameSize <= strlen(fs))) {
    SetLastError(ERROR_BAD_LENGTH);
    return FALSE;
  }
  if (label) memcpy(label, e.label.c_str(), e.label.size() + 1);
  if (fsName) memcpy(fsName, fs, strlen(fs) + 1);
  if (serial) {
    // Stable for a drive: from its letter and folder.
    uint32_t h = 2166136261u;
    for (char c : std::string(1, letter) + e.folder) h = (h ^ (unsigned char)c) * 16777619u;
    *serial = h;
  }
  if (maxComponent) *maxComponent = 255;
  if (fsFlags) *fsFlags = 0x00000002;  // names keep their case
  return TRUE;
}

BOOL SetVolumeLabelA(LPCSTR root, LPCSTR label) {
  DriveEntry e;
  char letter = RootLetter(root);
  if (!ReadyDrive(letter, e, root && !letter ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND))
    return FALSE;
  std::string l = label ? label : "";
  if (l.size() > 32) {
    SetLastError(ERROR_LABEL_TOO_LONG);
    return FALSE;
  }
  if (e.type == DRIVE_CDROM) {
    SetLastError(ERROR_WRITE_PROTECT);
    return FALSE;
  }
  SetDriveLabel(letter, l);
  return TRUE;
}

UINT SetErrorMode(UINT mode) { return g_errorMode.exchange(mode); }

UINT GetErrorMode(void) { return g_errorMode.load(); }

DWORD WNetGetConnectionA(LPCSTR localName, LPSTR remoteName, LPDWORD size) {
  DWORD err;
  DriveEntry e;
  char letter = localName ? RootLetter(localName) : 0;
  if (!size || !letter) {
    err = ERROR_BAD_DEVICE;
  } else if (!GetDrive(letter, e)) {
    err = ERROR_BAD_DEVICE;
  } else if (e.type != DRIVE_REMOTE || e.remoteName.empty()) {
    err = ERROR_NOT_CONNECTED;
  } else if (!remoteName || *size <= e.remoteName.size()) {
    *size = (DWORD)e.remoteName.size() + 1;
    err = ERROR_MORE_DATA;
  } else {
    memcpy(remoteName, e.remoteName.c_str(), e.remoteName.size() + 1);
    err = NO_ERROR;
  }
  SetLastError(err);
  return err;
}
