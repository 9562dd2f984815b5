// FindFirstFile / FindNextFile: Windows wildcard searches over a folder.
#include <dirent.h>
#include <errno.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "handles.h"
#include "pathmap.h"
#include "win/kernel.h"

using namespace tavo;

namespace tavo {

// Windows wildcard match in Windows-1252, without regard to case. A
// pattern ending in ".*" also matches the name without any extension
// ("*.*" matches "README", "data.*" matches "data").
bool WildcardMatch(const char *pattern, const char *name) {
  const char *p = pattern, *n = name;
  const char *starP = nullptr, *starN = nullptr;
  while (*n) {
    if (*p == '*') {
      starP = p++;
      starN = n;
    } else if (*p == '?' || (*p && Cp1252Upper((unsigned char)*p) == Cp1252Upper((unsigned char)*n))) {
      ++p;
      ++n;
    } else if (starP) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  if (*p == 0) return true;
  // The name has run out: a trailing ".*" may stand for no extension.
  return strcmp(p, ".*") == 0 || (p[0] == '.' && p[1] == '*' && WildcardMatch(p + 2, ""));
}

}  // namespace tavo

namespace {

struct FoundEntry {
  std::string name1252;
  struct stat st;  // the target's, for a link that has one
  bool link = false;
};

class FindObject : public KernelObject {
 public:
  FindObject() : KernelObject(KType::Find) {}
  std::vector<FoundEntry> entries;
  size_t next = 0;
};

void Fill(const FoundEntry &e, WIN32_FIND_DATAA *data) {
  memset(data, 0, sizeof *data);
  data->dwFileAttributes = AttributesOf(e.st, e.name1252.c_str()) | (e.link ? FILE_ATTRIBUTE_REPARSE_POINT : 0);
  data->ftCreationTime = FileTimeFromTimespec(e.st.st_mtim);
  data->ftLastAccessTime = FileTimeFromTimespec(e.st.st_atim);
  data->ftLastWriteTime = FileTimeFromTimespec(e.st.st_mtim);
  if (!S_ISDIR(e.st.st_mode)) {
    uint64_t size = (uint64_t)e.st.st_size;
    data->nFileSizeHigh = (DWORD)(size >> 32);
    data->nFileSizeLow = (DWORD)size;
  }
  size_t n = std::min(e.name1252.size(), sizeof data->cFileName - 1);
  memcpy(data->cFileName, e.name1252.data(), n);
}

bool HasWildcard(const std::string &s) { return s.find_first_of("*?") != std::string::npos; }

}  // namespace

HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
  if (!pattern || !data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string pat = pattern;
  if (pat.size() >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return INVALID_HANDLE_VALUE;
  }
  size_t cut = pat.find_last_of("\\/");
  std::string folderWin, namePat;
  if (cut != std::string::npos) {
    folderWin.assign(pat, 0, cut + 1);
    namePat.assign(pat, cut + 1, std::string::npos);
  } else if (pat.size() >= 2 && pat[1] == ':') {
    folderWin.assign(pat, 0, 2);
    namePat.assign(pat, 2, std::string::npos);
  } else {
    folderWin = ".";
    namePat = pat;
  }
  if (namePat.empty()) {
    // "folder\" names no file.
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  if (HasWildcard(folderWin)) {
    SetLastError(ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }

  std::string folder;
  if (!MapPath(folderWin.c_str(), folder)) return INVALID_HANDLE_VALUE;
  struct stat fst;
  if (stat(folder.c_str(), &fst) != 0 || !S_ISDIR(fst.st_mode)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }

  auto find = std::make_shared<FindObject>();
  std::vector<FoundEntry> dots, rest;
  // A drive's root has no "." and "..", as on Windows.
  bool atRoot = false;
  {
    char fullBuf[MAX_PATH];
    DWORD n = GetFullPathNameA(folderWin.c_str(), sizeof fullBuf, fullBuf, nullptr);
    if (n > 0 && n < sizeof fullBuf) atRoot = n == 3;
  }
  DIR *d = opendir(folder.c_str());
  if (!d) {
    SetLastError(errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::string name1252;
  while (dirent *e = readdir(d)) {
    bool isDot = strcmp(e->d_name, ".") == 0 || strcmp(e->d_name, "..") == 0;
    if (isDot && atRoot) continue;
    if (!ToCp1252(e->d_name, name1252)) continue;
    if (!WildcardMatch(namePat.c_str(), name1252.c_str())) continue;
    FoundEntry fe;
    fe.name1252 = name1252;
    std::string full = folder + "/" + e->d_name;
    if (lstat(full.c_str(), &fe.st) != 0) continue;
    if (S_ISLNK(fe.st.st_mode)) {
      fe.link = true;
      struct stat target;
      if (stat(full.c_str(), &target) == 0) fe.st = target;
    }
    (isDot ? dots : rest).push_back(std::move(fe));
  }
  closedir(d);
  std::sort(dots.begin(), dots.end(),
            [](const FoundEntry &a, const FoundEntry &b) { return a.name1252.size() < b.name1252.size(); });
  std::sort(rest.begin(), rest.end(), [](const FoundEntry &a, const FoundEntry &b) {
    const std::string &x = a.name1252, &y = b.name1252;
    for (size_t i = 0; i < x.size() && i < y.size(); ++i) {
      unsigned char cx = Cp1252Upper((unsigned char)x[i]), cy = Cp1252Upper((unsigned char)y[i]);
      if (cx != cy) return cx < cy;
    }
    return x.size() != y.size() ? x.size() < y.size() : x < y;
  });
  find->entries = std::move(dots);
  for (auto &e : rest) find->entries.push_back(std::move(e));
  if (find->entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  Fill(find->entries[0], data);
  find->next = 1;
  HANDLE h = NewHandle(find);
  if (!h) return INVALID_HANDLE_VALUE;
  SetLastError(ERROR_SUCCESS);
  return h;
}

BOOL FindNextFileA(HANDLE h, LPWIN32_FIND_DATAA data) {
  auto find = LookupHandleAs<FindObject>(h, KType::Find);
  if (!find) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (find->next >= find->entries.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  Fill(find->entries[find->next++], data);
  return TRUE;
}

BOOL FindClose(HANDLE h) {
  if (!LookupHandleAs<FindObject>(h, KType::Find)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return CloseHandle(h);
}
