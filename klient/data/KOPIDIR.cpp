// Recursive folder copy for the start-up copies of the key trace mode.
#include "KOPIDIR.h"

#include <cstring>
#include <string>

#include "windows.h"

namespace {

bool ErMappe(const WIN32_FIND_DATAA &fd) { return (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool ErPrikMappe(const char *navn) { return std::strcmp(navn, ".") == 0 || std::strcmp(navn, "..") == 0; }

// Calls fn for every entry of "*.*" in the folder.
template <typename Fn>
void ForHverIndgang(const std::string &mappe, Fn fn) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((mappe + "*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    fn(fd);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

// Equal as Windows folders: one spelling of case, either separator.
bool SammeMappe(const std::string &a, const std::string &b) {
  char fa[MAX_PATH * 2], fb[MAX_PATH * 2];
  const DWORD na = GetFullPathNameA(a.c_str(), sizeof fa, fa, nullptr);
  const DWORD nb = GetFullPathNameA(b.c_str(), sizeof fb, fb, nullptr);
  if (na == 0 || nb == 0 || na >= sizeof fa || nb >= sizeof fb) return false;
  std::string sa(fa), sb(fb);
  for (std::string *s : {&sa, &sb}) {
    for (char &c : *s) {
      if (c == '/') c = '\\';
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    while (s->size() > 1 && s->back() == '\\') s->pop_back();
  }
  return sa == sb;
}

}  // namespace

void CopyDir(const char *kilde, const char *maal) {
  const std::string fra(kilde), til(maal);
  ForHverIndgang(fra, [&](const WIN32_FIND_DATAA &fd) {
    if (!ErMappe(fd) || ErPrikMappe(fd.cFileName)) return;
    const std::string under = fra + fd.cFileName + "\\";
    if (SammeMappe(under, til)) return;  // the copy never descends into itself
    const std::string ny = til + fd.cFileName;
    CreateDirectoryA(ny.c_str(), nullptr);  // an existing folder stays
    CopyDir(under.c_str(), (ny + "\\").c_str());
  });
  ForHverIndgang(fra, [&](const WIN32_FIND_DATAA &fd) {
    if (ErMappe(fd)) return;
    CopyFileA((fra + fd.cFileName).c_str(), (til + "\\" + fd.cFileName).c_str(), FALSE);
  });
}
