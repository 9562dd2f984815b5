// Files and folder trees for the start menu. The tree walkers enter no
// symbolic link: a link to a parent would never end, and a link out of the
// tree would change or delete files that are not the tree's.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "MENUHJAELP.h"

namespace {

// The folder without a trailing separator, so that "\*.*" and "\<name>"
// can follow.
std::string UdenSkraastreg(const char *mappe) {
  std::string s = mappe;
  while (s.size() > 1 && (s.back() == '\\' || s.back() == '/')) s.pop_back();
  return s;
}

bool PunktNavn(const char *navn) { return std::strcmp(navn, ".") == 0 || std::strcmp(navn, "..") == 0; }

bool KanAabnes(const char *sti, const char *mode) {
  FILE *f = fopen(sti, mode);
  if (!f) return false;
  fclose(f);
  return true;
}

// Calls fn(full path, find data) for every entry of the folder but "." and
// "..".
template <typename Fn>
void HverPost(const std::string &mappe, Fn fn) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((mappe + "\\*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (!PunktNavn(fd.cFileName)) fn(mappe + "\\" + fd.cFileName, fd);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

bool IndIMappe(const WIN32_FIND_DATAA &fd) {
  return (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace

int FilAdgang(const char *sti) {
  StilleDrevFejl stille;
  errno = 0;
  const DWORD attr = GetFileAttributesA(sti);
  if (attr == INVALID_FILE_ATTRIBUTES) return 1;
  const bool skrivebeskyttet = (attr & FILE_ATTRIBUTE_READONLY) != 0;
  if (!skrivebeskyttet && KanAabnes(sti, "r+b")) return 0;
  if (KanAabnes(sti, "rb")) return 2;
  return skrivebeskyttet ? 6 : 4;
}

uint32_t FilStoerrelse(const char *sti) {
  StilleDrevFejl stille;
  struct _stat st;
  if (_stat(sti, &st) != 0) return 0;
  return static_cast<uint32_t>(st.st_size);
}

int OpretKatalog(const char *sti) {
  StilleDrevFejl stille;
  if (CreateDirectoryA(sti, nullptr)) return 1;
  const DWORD attr = GetFileAttributesA(sti);
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

void MakeDirTree(const char *sti) {
  StilleDrevFejl stille;
  std::string del;
  for (const char *p = sti;; ++p) {
    if (*p == '\\' || *p == '/' || *p == '\0') {
      // A drive ("C:") and the root are there already.
      if (!del.empty() && !(del.size() == 2 && del[1] == ':') && del.back() != '\\' && del.back() != '/')
        CreateDirectoryA(del.c_str(), nullptr);
      if (*p == '\0') break;
    }
    del += *p;
  }
}

int SletKatalogTrae(const char *mappe) {
  StilleDrevFejl stille;
  const std::string rod = UdenSkraastreg(mappe);
  // Sub-folders first, each with its own tree; then what is left.
  HverPost(rod, [](const std::string &sti, const WIN32_FIND_DATAA &fd) {
    if (IndIMappe(fd)) SletKatalogTrae(sti.c_str());
  });
  HverPost(rod, [](const std::string &sti, const WIN32_FIND_DATAA &fd) {
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      RemoveDirectoryA(sti.c_str());
    else
      DeleteFileA(sti.c_str());
  });
  RemoveDirectoryA(rod.c_str());
  return 1;
}

void NulstilAttributter(const char *mappe) {
  StilleDrevFejl stille;
  HverPost(UdenSkraastreg(mappe), [](const std::string &sti, const WIN32_FIND_DATAA &fd) {
    SetFileAttributesA(sti.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (IndIMappe(fd)) NulstilAttributter(sti.c_str());
  });
}

int SkrivIni(const char *sektion, const char *noegle, const char *vaerdi, const char *fil) {
  StilleDrevFejl stille;
  return WritePrivateProfileStringA(sektion, noegle, vaerdi, fil);
}

void StripFileName(char *sti) {
  char *skraa = std::strrchr(sti, '\\');
  if (skraa)
    skraa[1] = '\0';
  else
    sti[0] = '\0';
}

void TrimBlanks(char *tekst) {
  size_t n = std::strlen(tekst);
  while (n > 0 && static_cast<unsigned char>(tekst[n - 1]) <= 32) --n;
  tekst[n] = '\0';
  size_t start = 0;
  while (start < n && static_cast<unsigned char>(tekst[start]) <= 32) ++start;
  if (start > 0) std::memmove(tekst, tekst + start, n - start + 1);
}

int KlokkeNu() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return st.wHour * 100 + st.wMinute;
}

const char *FilNavnDel(const char *sti) {
  const char *skraa = std::strrchr(sti, '\\');
  return skraa ? skraa + 1 : sti;
}

std::string CiteretArgument(const std::string &argument) {
  std::string q = tavo::QuoteArgument(argument);
  if (!q.empty() && q[0] == '"') return q;
  // Nothing inside that needs quoting: only backslashes before the closing
  // quote need doubling.
  size_t skraa = 0;
  while (skraa < argument.size() && argument[argument.size() - 1 - skraa] == '\\') ++skraa;
  return "\"" + argument + std::string(skraa, '\\') + "\"";
}

int KopierFil(const char *kilde, const char *maal, BOOL fejlHvisFindes) {
  StilleDrevFejl stille;
  return CopyFileA(kilde, maal, fejlHvisFindes);
}
