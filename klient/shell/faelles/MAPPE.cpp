// Making the folders of a data folder or of a support package.
#include "MAPPE.h"

#include <cstdio>
#include <cstring>

#include "LOGFIL.h"
#include "windows.h"

void SystemFejlTekst(DWORD fejl, char *tekst, DWORD stoerrelse) {
  tekst[0] = '\0';
  if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, fejl, 0, tekst,
                      stoerrelse, nullptr))
    std::snprintf(tekst, stoerrelse, "%lu", static_cast<unsigned long>(fejl));
  size_t n = std::strlen(tekst);
  while (n > 0 && (tekst[n - 1] == '\r' || tekst[n - 1] == '\n')) tekst[--n] = '\0';
}

int OpretMappe(const char *sti) {
  const UINT gammel = SetErrorMode(SEM_FAILCRITICALERRORS);
  BOOL ok = CreateDirectoryA(sti, nullptr);
  DWORD fejl = ok ? 0 : GetLastError();
  SetErrorMode(gammel);
  if (ok) return 1;
  // A folder that was there already is what was wanted; a file of that
  // name is not a folder.
  if (fejl == ERROR_ALREADY_EXISTS) {
    const DWORD attr = GetFileAttributesA(sti);
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY)) return 1;
  }
  char tekst[256];
  SystemFejlTekst(fejl, tekst, sizeof tekst);
  LogPrintf("** Fejl ved mappen (%s): Fejl: %s\n", sti, tekst);
  return 0;
}

std::string RensFilNavn(const char *tekst) {
  std::string ud;
  for (const char *p = tekst; *p; ++p) {
    const auto u = static_cast<unsigned char>(*p);
    ud += (u < 32 || std::strchr("\\/:*?\"<>|", *p)) ? '_' : *p;
  }
  return ud;
}
