// The update packages waiting in a program folder.
#include "OPDPAKKE.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "windows.h"

uint32_t OpdPakkeNummer(const char *filnavn) {
  if (!filnavn || std::strlen(filnavn) < 3) return 0;
  std::string rest(filnavn + 3);
  const size_t prik = rest.rfind('.');
  if (prik != std::string::npos) rest.resize(prik);
  uint64_t n = 0;
  for (const char c : rest) {
    if (c < '0' || c > '9') break;
    n = n * 10 + static_cast<uint64_t>(c - '0');
    if (n > UINT32_MAX) return 0;
  }
  return static_cast<uint32_t>(n);
}

uint32_t FindOpdPakke(const char *programMappe, uint32_t version, char *navn, size_t stoerrelse) {
  if (navn && stoerrelse) navn[0] = '\0';
  const std::string moenster = std::string(programMappe ? programMappe : "") + "opd*.exe";
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(moenster.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  uint32_t bedst = 0;
  do {
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const uint32_t n = OpdPakkeNummer(fd.cFileName);
    if (n <= version || (bedst != 0 && n >= bedst)) continue;
    bedst = n;
    if (navn && stoerrelse) std::snprintf(navn, stoerrelse, "%s", fd.cFileName);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return bedst;
}
