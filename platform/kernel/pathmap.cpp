#include "pathmap.h"

#include "filefault.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace tavo {

namespace {

constexpr UINT kDriveFixed = 3;

// Whether any drive has a quota, so that writes skip the table otherwise.
std::atomic<bool> g_anyQuota{false};
// Whether any drive is write-protected, likewise.
std::atomic<bool> g_anyWriteProtect{false};

struct Drives {
  std::mutex lock;
  std::map<char, DriveEntry> table;
  Drives() { Reset(); }
  void Reset() {
    table.clear();
    g_anyQuota.store(false);
    g_anyWriteProtect.store(false);
    DriveEntry c;
    c.folder = "/";
    c.type = kDriveFixed;
    table['C'] = c;
    // Fixed drives for a program that a test starts as a process of its
    // own, which does not share the test's table: "E=/tmp/a;F=/tmp/b".
    if (const char *env = std::getenv("TAVO_DREV")) {
      std::string liste = env;
      size_t start = 0;
      while (start < liste.size()) {
        size_t slut = liste.find(';', start);
        if (slut == std::string::npos) slut = liste.size();
        const std::string post = liste.substr(start, slut - start);
        if (post.size() > 2 && post[1] == '=' && post[2] == '/' && std::isalpha((unsigned char)post[0])) {
          DriveEntry e;
          e.folder = post.substr(2);
          e.type = kDriveFixed;
          table[(char)std::toupper((unsigned char)post[0])] = e;
        }
        start = slut + 1;
      }
    }
  }
};

Drives &drives() {
  static Drives *d = new Drives;  // never destroyed: files close at exit
  return *d;
}

char UpperLetter(char c) {
  return (c >= 'a' && c <= 'z') ? (char)(c - 32) : c;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsSep(char c) { return c == '\\' || c == '/'; }

// "/a/b/" -> "/a/b"; "/" -> "" so that appending "/name" never doubles.
std::string StripRoot(std::string folder) {
  while (!folder.empty() && folder.back() == '/') folder.pop_back();
  return folder;
}

// A component kept with whether it is known to exist with this exact
// spelling (the parts of the current directory do).
struct Part {
  std::string name;  // UTF-8
  bool exact;
};

// Looks name up in folder without regard to case; the existing spelling or
// empty when nothing matches.
std::string FindNoCase(const std::string &folder, const std::string &name1252,
                       size_t utf8Len) {
  DIR *d = opendir(folder.empty() ? "/" : folder.c_str());
  if (!d) return {};
  std::string found, conv;
  while (dirent *e = readdir(d)) {
    const char *n = e->d_name;
    // Case folding in Windows-1252 keeps a name's UTF-8 length, so most
    // entries are passed over without converting them.
    if (strlen(n) != utf8Len) continue;
    if (!ToCp1252(n, conv)) continue;  // a name no Windows program can spell
    if (Cp1252EqualNoCase(conv, name1252)) {
      found = n;
      break;
    }
  }
  closedir(d);
  return found;
}

}  // namespace

void SetDrive(char letter, const std::string &linuxFolder, UINT driveType,
              uint64_t freeBytes, uint64_t totalBytes) {
  if (!IsLetter(letter)) return;
  Drives &d = drives();
  std::lock_guard<std::mutex> g(d.lock);
  DriveEntry &e = d.table[UpperLetter(letter)];
  e.folder = linuxFolder.empty() ? "/" : linuxFolder;
  e.type = driveType;
  e.freeBytes = freeBytes;
  e.totalBytes = totalBytes;
}

namespace {

void NoteQuotas(Drives &d) {
  bool any = false, protect = false;
  for (auto &kv : d.table) {
    any = any || kv.second.hasQuota;
    protect = protect || kv.second.writeProtected;
  }
  g_anyQuota.store(any);
  g_anyWriteProtect.store(protect);
}

}  // namespace

void RemoveDrive(char letter) {
  Drives &d = drives();
  std::lock_guard<std::mutex> g(d.lock);
  d.table.erase(UpperLetter(letter));
  NoteQuotas(d);
}

bool SetDriveQuota(char letter, uint64_t bytes, bool reported) {
  Drives &d = drives();
  std::lock_guard<std::mutex> g(d.lock);
  auto it = d.table.find(UpperLetter(letter));
  if (it == d.table.end()) return false;
  it->second.hasQuota = true;
  it->second.quotaLeft = bytes;
  it->second.quotaReported = reported;
  NoteQuotas(d);
  return true;
}

bool SetDriveWriteProtect(char letter, bool on) {
  Drives &d = drives();
  std::lock_guard<std::mutex> g(d.lock);
  auto it = d.table.find(UpperLetter(letter));
  if (it == d.table.end()) return false;
  it->second.writeProtected = on;
  NoteQuotas(d);
  return true;
}

void ClearDriveQuota(char letter) {
  Drives &d = drives();
  std::lock_guard<std::mutex> g(d.lock);
  auto it = d.table.find(UpperLetter(letter));
  if (it != d.table.end()) it->second.hasQuota = false;
  NoteQuotas(d);
}

void ResetDrives() {
  Drives &d = drives();
  std::lock_guard<std::mutex> g(d.lock);
  d.Reset();
}

bool SetDriveLabel(char letter, const std::string &label) {
  Drives &d = drives();
  std::lock_guard<std::mutex> g(d.lock);
  auto it = d.table.find(UpperLetter(letter));
  if (it == d.table.end()) return false;
  it->second.label = label;
  return true;
}

bool SetDriveRemoteName(char letter, const std::string &remoteName) {
  Drives &d = drives();
  std::lock_guard<std::mutex> g(d.lock);
  auto it = d.table.find(UpperLetter(letter));
  if (it == d.table.end()) return false;
  it->second.remoteName = remoteName;
  return true;
}

bool GetDrive(char letter, DriveEntry &out) {
  Drives &d = drives();
  std::lock_guard<std::mutex> g(d.lock);
  auto it = d.table.find(UpperLetter(letter));
  if (it == d.table.end()) return false;
  out = it->second;
  return true;
}

std::string DriveLetters() {
  Drives &d = drives();
  std::lock_guard<std::mutex> g(d.lock);
  std::string s;
  for (auto &kv : d.table) s += kv.first;
  return s;
}

namespace {

// The entry whose folder holds linuxPath most closely (the table locked by
// the caller), with the length of that folder; null when none does.
std::map<char, DriveEntry>::iterator Holder(Drives &d, const std::string &linuxPath,
                                            size_t &folderLen) {
  auto best = d.table.end();
  for (auto it = d.table.begin(); it != d.table.end(); ++it) {
    std::string f = StripRoot(it->second.folder);
    if (linuxPath.compare(0, f.size(), f) != 0) continue;
    if (linuxPath.size() > f.size() && linuxPath[f.size()] != '/') continue;
    if (best == d.table.end() || f.size() > folderLen) {
      best = it;
      folderLen = f.size();
    }
  }
  return best;
}

// The drive whose folder holds linuxPath most closely, and the rest of the
// path below that folder ("" or "/a/b").
bool FindDriveOf(const std::string &linuxPath, char &letter, std::string &root,
                 std::string &rest) {
  Drives &d = drives();
  std::lock_guard<std::mutex> g(d.lock);
  size_t len = 0;
  auto it = Holder(d, linuxPath, len);
  if (it == d.table.end()) return false;
  letter = it->first;
  root = linuxPath.substr(0, len);
  rest = linuxPath.substr(len);
  return true;
}

}  // namespace

bool DriveWriteProtected(const std::string &linuxPath) {
  if (!g_anyWriteProtect.load()) return false;
  Drives &d = drives();
  std::lock_guard<std::mutex> g(d.lock);
  size_t len = 0;
  auto it = Holder(d, linuxPath, len);
  return it != d.table.end() && it->second.writeProtected;
}

uint64_t ChargeDriveQuota(const std::string &linuxPath, uint64_t want) {
  if (!g_anyQuota.load()) return want;
  Drives &d = drives();
  std::lock_guard<std::mutex> g(d.lock);
  size_t len = 0;
  auto it = Holder(d, linuxPath, len);
  if (it == d.table.end() || !it->second.hasQuota) return want;
  DriveEntry &e = it->second;
  const uint64_t take = want < e.quotaLeft ? want : e.quotaLeft;
  e.quotaLeft -= take;
  return take;
}

namespace {

void SplitLinux(const std::string &rest, std::vector<Part> &parts) {
  size_t i = 0;
  while (i < rest.size()) {
    size_t j = rest.find('/', i);
    if (j == std::string::npos) j = rest.size();
    if (j > i) parts.push_back({rest.substr(i, j - i), true});
    i = j + 1;
  }
}

}  // namespace

bool UnmapPath(const std::string &linuxPath, std::string &winPath) {
  char letter;
  std::string root, rest;
  if (linuxPath.empty() || linuxPath[0] != '/' || !FindDriveOf(linuxPath, letter, root, rest))
    return false;
  std::string conv;
  if (!ToCp1252(rest, conv)) return false;
  winPath.assign(1, letter);
  winPath += ':';
  if (conv.empty()) conv = "/";
  for (char &c : conv)
    if (c == '/') c = '\\';
  // Collapse doubled separators a Linux path may carry.
  std::string tidy;
  for (char c : conv)
    if (!(c == '\\' && !tidy.empty() && tidy.back() == '\\')) tidy += c;
  winPath += tidy;
  return true;
}

char CurrentDriveLetter() {
  char buf[4096];
  if (!getcwd(buf, sizeof buf)) return 0;
  char letter;
  std::string root, rest;
  return FindDriveOf(buf, letter, root, rest) ? letter : 0;
}

bool MapPath(const char *path, std::string &out) {
  if (!path || !*path) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  size_t len = strnlen(path, MAX_PATH + 1);
  if (len >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  std::string_view p(path, len);

  std::string root;         // Linux folder of the drive, without trailing '/'
  std::vector<Part> parts;  // below the root
  size_t pos = 0;

  // Where the path starts: a drive, the current drive's root or the
  // current directory.
  std::string cwdRoot;
  std::vector<Part> cwdParts;
  char cwdLetter = 0;
  auto loadCwd = [&]() {
    char buf[4096];
    if (!getcwd(buf, sizeof buf)) return false;
    std::string rest;
    if (FindDriveOf(buf, cwdLetter, cwdRoot, rest)) {
      SplitLinux(rest, cwdParts);
    } else {
      // The current directory lies outside every drive: relative names
      // still work against it, with the Linux root as the limit.
      cwdLetter = 0;
      cwdRoot.clear();
      SplitLinux(buf, cwdParts);
    }
    return true;
  };

  if (len >= 2 && p[1] == ':') {
    if (!IsLetter(p[0])) {
      SetLastError(ERROR_INVALID_NAME);
      return false;
    }
    DriveEntry e;
    char letter = UpperLetter(p[0]);
    if (!GetDrive(letter, e)) {
      SetLastError(ERROR_INVALID_DRIVE);
      return false;
    }
    root = StripRoot(e.folder);
    pos = 2;
    if (pos >= len || !IsSep(p[pos])) {
      // "C:" and "C:name": relative to the current directory when it is on
      // that drive.
      if (loadCwd() && cwdLetter == letter) parts = cwdParts;
    }
  } else if (len >= 2 && IsSep(p[0]) && IsSep(p[1])) {
    // Network names ("\\server\share") are not reachable here.
    SetLastError(ERROR_BAD_PATHNAME);
    return false;
  } else if (IsSep(p[0])) {
    if (!loadCwd()) {
      SetLastError(ERROR_PATH_NOT_FOUND);
      return false;
    }
    root = cwdRoot;
  } else {
    if (!loadCwd()) {
      SetLastError(ERROR_PATH_NOT_FOUND);
      return false;
    }
    root = cwdRoot;
    parts = cwdParts;
  }

  // Components, with "." and ".." taken as Windows takes them.
  while (pos < len) {
    while (pos < len && IsSep(p[pos])) ++pos;
    size_t end = pos;
    while (end < len && !IsSep(p[end])) ++end;
    if (end == pos) break;
    std::string_view comp = p.substr(pos, end - pos);
    pos = end;
    if (comp == ".") continue;
    if (comp == "..") {
      if (parts.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
      }
      parts.pop_back();
      continue;
    }
    for (char c : comp) {
      unsigned char u = (unsigned char)c;
      if (u < 32 || c == '<' || c == '>' || c == '"' || c == '|' || c == ':' || c == '*' ||
          c == '?') {
        SetLastError(ERROR_INVALID_NAME);
        return false;
      }
    }
    parts.push_back({std::string(comp), false});  // still Windows-1252
  }

  // Resolve against what exists. The whole path as written first: one stat
  // settles the common case of a name spelled as it is on disk.
  std::string cur = root;
  struct stat st;
  for (const Part &part : parts) {
    cur += '/';
    cur += part.exact ? part.name : ToUtf8(part.name);
  }
  if (cur.empty() || lstat(cur.c_str(), &st) == 0) {
    out = cur.empty() ? "/" : cur;
    return true;
  }
  // Then component by component: exact spelling first (one stat), else one
  // scan of the folder; once a component is missing the rest is new.
  cur = root;
  bool missing = false;
  for (Part &part : parts) {
    if (part.exact) {
      cur += '/';
      cur += part.name;
      continue;
    }
    std::string name = ToUtf8(part.name);
    if (!missing) {
      std::string candidate = cur + "/" + name;
      if (lstat(candidate.c_str(), &st) == 0) {
        cur = std::move(candidate);
        continue;
      }
      std::string found = FindNoCase(cur, part.name, name.size());
      if (!found.empty()) {
        cur += '/';
        cur += found;
        continue;
      }
      missing = true;
    }
    cur += '/';
    cur += name;
  }
  out = cur.empty() ? "/" : cur;
  return true;
}

}  // namespace tavo
