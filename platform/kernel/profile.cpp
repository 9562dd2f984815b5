// Profile strings: ini files read and rewritten whole on every call.

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <string>
#include <string_view>
#include <vector>

#include "filefault.h"
#include "pathmap.h"
#include "powercut.h"
#include "tavo/test_file.h"
#include "win/kernel.h"

namespace tavo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string ZeroCut(std::string_view v) {
  size_t nul = v.find('\0');
  return std::string(nul == std::string_view::npos ? v : v.substr(0, nul));
}

std::string Name(std::string_view raw) {
  std::string cut = ZeroCut(raw);
  return std::string(Trim(cut));
}

// One line of the file as it stands, its end included, and what it means.
struct Line {
  std::string raw;
  enum Kind { Other, Section, Entry } kind = Other;
  std::string name;   // section or key name, trimmed
  std::string value;  // entry value, trimmed
};

struct IniFile {
  std::string text;
  std::vector<Line> lines;
};

void Parse(IniFile &f) {
  f.lines.clear();
  size_t pos = 0;
  while (pos < f.text.size()) {
    size_t end = f.text.find('\n', pos);
    end = end == std::string::npos ? f.text.size() : end + 1;
    Line l;
    l.raw = f.text.substr(pos, end - pos);
    pos = end;
    f.lines.push_back(std::move(l));
  }
  for (Line &l : f.lines) {
    std::string_view s = l.raw;
    if (!s.empty() && s.back() == '\n') s.remove_suffix(1);
    s = Trim(s);
    if (s.empty() || s[0] == ';') continue;
    // A name is what a caller can spell: the text before a zero byte. It is
    // listed and looked up the same, so a listed name reads its own entry.
    if (s[0] == '[') {
      size_t close = s.find(']');
      l.kind = Line::Section;
      l.name = Name(s.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
      continue;
    }
    size_t eq = s.find('=');
    if (eq == std::string_view::npos || eq == 0) continue;
    l.kind = Line::Entry;
    l.name = Name(s.substr(0, eq));
    l.value = Trim(s.substr(eq + 1));
  }
}

// The caller's name is trimmed as the file's names are.
bool Same(std::string_view a, const char *b) { return Cp1252EqualNoCase(a, Trim(b)); }

// The line index of the first section named so, or -1.
long FindSection(const IniFile &f, const char *section) {
  for (size_t i = 0; i < f.lines.size(); ++i)
    if (f.lines[i].kind == Line::Section && Same(f.lines[i].name, section)) return (long)i;
  return -1;
}

// One past the last line of the section that starts at line start.
size_t SectionEnd(const IniFile &f, size_t start) {
  size_t i = start + 1;
  while (i < f.lines.size() && f.lines[i].kind != Line::Section) ++i;
  return i;
}

long FindEntry(const IniFile &f, long section, const char *key) {
  if (section < 0) return -1;
  size_t end = SectionEnd(f, (size_t)section);
  for (size_t i = (size_t)section + 1; i < end; ++i)
    if (f.lines[i].kind == Line::Entry && Same(f.lines[i].name, key)) return (long)i;
  return -1;
}

// The value as the caller gets it: cut at a zero byte, one pair of
// matching quotes removed.
std::string Unquote(std::string_view v) {
  size_t nul = v.find('\0');
  if (nul != std::string_view::npos) v = v.substr(0, nul);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return std::string(v);
}

// ---- The file and its lock ----------------------------------------------

struct Location {
  std::string path;  // the ini file
  std::string lock;  // the lock file beside it
};

bool Locate(LPCSTR fileName, Location &loc) {
  if (!fileName || !*fileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (!MapPath(fileName, loc.path)) return false;
  size_t slash = loc.path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : loc.path.substr(0, slash);
  std::string base = slash == std::string::npos ? loc.path : loc.path.substr(slash + 1);
  // One lock file whatever the case the callers spell the name in.
  for (char &c : base)
    if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
  loc.lock = folder + "/." + base + ".lock";
  return true;
}

class FileLock {
 public:
  // exclusive: for a rewrite, creating the lock file when needed. Shared
  // locks are taken only when the lock file exists, so reading never
  // creates files.
  FileLock(const std::string &path, bool exclusive) {
    fd_ = open(path.c_str(), exclusive ? O_RDWR | O_CREAT | O_CLOEXEC : O_RDONLY | O_CLOEXEC,
               0666);
    if (fd_ < 0) return;
    int r;
    do r = flock(fd_, exclusive ? LOCK_EX : LOCK_SH);
    while (r != 0 && errno == EINTR);
  }
  ~FileLock() {
    if (fd_ >= 0) close(fd_);  // releases the lock
  }
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// The file's bytes; a missing file reads as empty.
bool ReadAll(const std::string &path, std::string &out, struct stat *st = nullptr) {
  out.clear();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  if (st) fstat(fd, st);
  char buf[65536];
  ssize_t n;
  while ((n = read(fd, buf, sizeof buf)) != 0) {
    if (n < 0) {
      if (errno == EINTR) continue;
      close(fd);
      return false;
    }
    out.append(buf, (size_t)n);
  }
  close(fd);
  return true;
}

bool Load(LPCSTR fileName, IniFile &f) {
  Location loc;
  if (!Locate(fileName, loc)) return false;
  FileLock lock(loc.lock, false);
  if (!ReadAll(loc.path, f.text)) return false;
  Parse(f);
  return true;
}

// Flushes the folder that holds path, so that a rename in it lasts.
bool FlushFolder(const std::string &path) {
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  if (!FileCallAllowed(test::kFileFlush, folder, true)) return false;
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
  if (ok) PowerCutFlushed(fd, folder);
  close(fd);
  return ok;
}

// A new file beside the old one, on the disk before it is renamed over it:
// after a crash or a power cut the file is the old one or the new one.
bool WriteWhole(const std::string &path, const std::string &text, mode_t mode) {
  std::string tmp = path + ".XXXXXX";
  size_t slash = path.rfind('/');
  if (slash != std::string::npos) tmp.insert(slash + 1, ".");
  if (!FileCallAllowed(test::kFileOpenForWrite, path, true)) return false;
  int fd = mkostemp(tmp.data(), O_CLOEXEC);
  if (fd < 0) {
    SetLastError(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED);
    return false;
  }
  DWORD err = ERROR_HANDLE_DISK_FULL;
  bool ok = FileCallAllowed(test::kFileWrite, path, true);
  if (!ok) err = GetLastError();
  const size_t room = ok ? (size_t)ChargeDriveQuota(path, text.size()) : 0;
  if (room < text.size()) ok = false;
  size_t done = 0;
  while (done < room) {
    ssize_t n = write(fd, text.data() + done, room - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    done += (size_t)n;
  }
  fchmod(fd, mode);
  if (ok && !FileCallAllowed(test::kFileFlush, path, true)) {
    ok = false;
    err = GetLastError();
  } else if (ok && fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
    ok = false;
  } else if (ok) {
    PowerCutFlushed(fd, path);
  }
  if (close(fd) != 0) ok = false;
  if (ok && !FileCallAllowed(test::kFileRename, path, true)) {
    ok = false;
    err = GetLastError();
  } else if (ok && renameat(AT_FDCWD, tmp.c_str(), AT_FDCWD, path.c_str()) != 0) {
    ok = false;
  }
  if (!ok) {
    unlink(tmp.c_str());
    SetLastError(err);
    return false;
  }
  // The rename is done; a folder that cannot be flushed does not undo it.
  FlushFolder(path);
  return true;
}

// The new copies that a writer ended before its rename left beside the file
// (".<name>.XXXXXX"). Only called under the file's exclusive lock, when no
// writer can be making one.
void RemoveLeftovers(const std::string &path) {
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  DIR *d = opendir(folder.c_str());
  if (!d) return;
  std::vector<std::string> gone;
  while (struct dirent *e = readdir(d)) {
    const size_t n = strlen(e->d_name);
    if (n != base.size() + 8 || e->d_name[0] != '.' || e->d_name[base.size() + 1] != '.') continue;
    if (strncasecmp(e->d_name + 1, base.c_str(), base.size()) != 0) continue;
    gone.push_back(folder + "/" + e->d_name);
  }
  closedir(d);
  for (const std::string &g : gone)
    if (FileCallAllowed(test::kFileRemove, g, true)) unlink(g.c_str());
}

// Reads, changes and rewrites the file under the exclusive lock. edit
// returns false when nothing changed (no rewrite then). The leftovers of an
// interrupted rewrite go first, whether or not this one changes anything.
template <class Edit>
BOOL Rewrite(LPCSTR fileName, Edit edit) {
  Location loc;
  if (!Locate(fileName, loc)) return FALSE;
  FileLock lock(loc.lock, true);
  if (!lock.Held()) {
    SetLastError(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED);
    return FALSE;
  }
  // Mapped again under the lock: another writer may have created the file
  // meanwhile under a spelling of its own.
  if (!MapPath(fileName, loc.path)) return FALSE;
  RemoveLeftovers(loc.path);
  IniFile f;
  struct stat st = {};
  st.st_mode = 0644;
  if (!ReadAll(loc.path, f.text, &st)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  Parse(f);
  if (!edit(f)) return TRUE;
  std::string text;
  for (const Line &l : f.lines) text += l.raw;
  return WriteWhole(loc.path, text, st.st_mode & 07777) ? TRUE : FALSE;
}

bool HasLineBreak(const char *s) { return s && std::strpbrk(s, "\r\n") != nullptr; }

// Copies a single value with Windows truncation.
DWORD CopyValue(const std::string &v, LPSTR buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  size_t n = v.size() < size - 1 ? v.size() : size - 1;
  std::memcpy(buffer, v.data(), n);
  buffer[n] = 0;
  return (DWORD)n;
}

// Copies a list of zero-ended names ended by one more zero; a list that
// does not fit is cut and ended by two zeros.
DWORD CopyList(const std::vector<std::string> &names, LPSTR buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  std::string list;
  for (const auto &n : names) {
    list += n;
    list += '\0';
  }
  if (list.size() + 1 <= size) {
    std::memcpy(buffer, list.data(), list.size());
    buffer[list.size()] = 0;
    if (list.empty() && size >= 2) buffer[1] = 0;
    return (DWORD)list.size();
  }
  if (size < 2) {
    buffer[0] = 0;
    return 0;
  }
  std::memcpy(buffer, list.data(), size - 2);
  buffer[size - 2] = 0;
  buffer[size - 1] = 0;
  return size - 2;
}

}  // namespace
}  // namespace tavo

using namespace tavo;

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size,
                               LPCSTR fileName) {
  IniFile f;
  bool loaded = Load(fileName, f);
  if (!section) {
    std::vector<std::string> names;
    if (loaded)
      for (const Line &l : f.lines)
        if (l.kind == Line::Section) {
          bool seen = false;
          for (const auto &n : names) seen = seen || Cp1252EqualNoCase(n, l.name);
          if (!seen) names.push_back(l.name);
        }
    return CopyList(names, buffer, size);
  }
  long s = loaded ? FindSection(f, section) : -1;
  if (!key) {
    std::vector<std::string> names;
    if (s >= 0) {
      size_t end = SectionEnd(f, (size_t)s);
      for (size_t i = (size_t)s + 1; i < end; ++i)
        if (f.lines[i].kind == Line::Entry) names.push_back(f.lines[i].name);
    }
    return CopyList(names, buffer, size);
  }
  long e = FindEntry(f, s, key);
  if (e >= 0) return CopyValue(Unquote(f.lines[(size_t)e].value), buffer, size);
  std::string d = def ? def : "";
  while (!d.empty() && d.back() == ' ') d.pop_back();
  SetLastError(ERROR_FILE_NOT_FOUND);
  return CopyValue(d, buffer, size);
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT def, LPCSTR fileName) {
  if (!section || !key) return (UINT)def;
  char buf[64];
  // The default string is empty, so a missing key and an empty value both
  // give def.
  if (GetPrivateProfileStringA(section, key, "", buf, sizeof buf, fileName) == 0) return (UINT)def;
  const char *p = buf;
  bool negative = false;
  if (*p == '-' || *p == '+') negative = *p++ == '-';
  uint32_t v = 0;
  while (*p >= '0' && *p <= '9') v = v * 10 + (uint32_t)(*p++ - '0');
  return negative ? 0u - v : v;
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
  if (!section) {
    // All NULL asks Windows to flush its cache. There is none here; what
    // is left to make the file whole on the disk is the leftover copy of an
    // interrupted rewrite, removed under the file's lock.
    if (!key && !value) {
      if (!fileName) return TRUE;
      Location loc;
      if (!Locate(fileName, loc)) return FALSE;
      // Only an existing lock file can have had a writer.
      if (access(loc.lock.c_str(), F_OK) != 0) return TRUE;
      FileLock lock(loc.lock, true);
      if (lock.Held() && MapPath(fileName, loc.path)) RemoveLeftovers(loc.path);
      return TRUE;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (HasLineBreak(section) || std::strchr(section, ']') || HasLineBreak(key) ||
      (key && (std::strchr(key, '=') || Trim(key).empty())) || HasLineBreak(value)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return Rewrite(fileName, [&](IniFile &f) {
    long s = FindSection(f, section);
    if (!key) {
      // Every section of that name goes, with its lines.
      bool changed = false;
      while ((s = FindSection(f, section)) >= 0) {
        size_t end = SectionEnd(f, (size_t)s);
        f.lines.erase(f.lines.begin() + s, f.lines.begin() + (long)end);
        changed = true;
      }
      return changed;
    }
    long e = FindEntry(f, s, key);
    if (!value) {
      if (e < 0) return false;
      f.lines.erase(f.lines.begin() + e);
      return true;
    }
    Line line;
    line.raw = std::string(Trim(key)) + "=" + value + "\r\n";
    if (e >= 0) {
      if (f.lines[(size_t)e].raw == line.raw) return false;
      f.lines[(size_t)e] = line;
      return true;
    }
    // The file's last line may lack its end; the next line must not join it.
    auto ensureEnd = [&](size_t i) {
      std::string &r = f.lines[i].raw;
      if (!r.empty() && r.back() != '\n') r += "\r\n";
    };
    if (s < 0) {
      if (!f.lines.empty()) ensureEnd(f.lines.size() - 1);
      Line head;
      head.raw = "[" + std::string(Trim(section)) + "]\r\n";
      f.lines.push_back(head);
      f.lines.push_back(line);
      return true;
    }
    // After the section's last entry or other text, before its blank lines.
    size_t at = SectionEnd(f, (size_t)s);
    auto blank = [](const std::string &raw) {
      return raw.find_first_not_of(" \t\r\n") == std::string::npos;
    };
    while (at > (size_t)s + 1 && blank(f.lines[at - 1].raw)) --at;
    ensureEnd(at - 1);
    f.lines.insert(f.lines.begin() + (long)at, line);
    return true;
  });
}

BOOL GetPrivateProfileStructA(LPCSTR section, LPCSTR key, LPVOID data, UINT size,
                              LPCSTR fileName) {
  if (!section || !key || !data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  IniFile f;
  if (!Load(fileName, f)) return FALSE;
  long e = FindEntry(f, FindSection(f, section), key);
  if (e < 0) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  std::string v = ZeroCut(f.lines[(size_t)e].value);
  if (v.size() != 2 * (size_t)size + 2) {
    SetLastError(ERROR_BAD_LENGTH);
    return FALSE;
  }
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::vector<unsigned char> bytes(size + 1);
  unsigned sum = 0;
  for (size_t i = 0; i <= size; ++i) {
    int hi = hex(v[2 * i]), lo = hex(v[2 * i + 1]);
    if (hi < 0 || lo < 0) {
      SetLastError(ERROR_INVALID_DATA);
      return FALSE;
    }
    bytes[i] = (unsigned char)(hi * 16 + lo);
    if (i < size) sum += bytes[i];
  }
  if ((sum & 0xFF) != bytes[size]) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  if (size) std::memcpy(data, bytes.data(), size);
  return TRUE;
}

BOOL WritePrivateProfileStructA(LPCSTR section, LPCSTR key, LPVOID data, UINT size,
                                LPCSTR fileName) {
  if (!data) return WritePrivateProfileStringA(section, key, NULL, fileName);
  static const char digits[] = "0123456789ABCDEF";
  std::string v;
  v.reserve(2 * (size_t)size + 2);
  unsigned sum = 0;
  for (UINT i = 0; i < size; ++i) {
    unsigned char b = ((const unsigned char *)data)[i];
    sum += b;
    v += digits[b >> 4];
    v += digits[b & 15];
  }
  v += digits[(sum >> 4) & 15];
  v += digits[sum & 15];
  return WritePrivateProfileStringA(section, key, v.c_str(), fileName);
}
