// Folder listings in the form the support desk reads: day first, a fixed
// column for the size, and the totals under them.

#include "DIRLISTE.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "VERSIONINFO.h"
#include "windows.h"

int WriteDirListing(const char *moenster, const char *listefil) {
  FILE *ud = fopen(listefil, "a");
  if (!ud) return -1;
  std::fprintf(ud, "\nIndhold af : %s\n\n", moenster);
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(moenster, &fd);
  if (h == INVALID_HANDLE_VALUE) {
    fclose(ud);
    return 254;
  }
  int antal = 0;
  unsigned long long bytes = 0;
  do {
    if (std::strcmp(fd.cFileName, ".") == 0 || std::strcmp(fd.cFileName, "..") == 0) continue;
    SYSTEMTIME t{};
    FileTimeToSystemTime(&fd.ftLastWriteTime, &t);
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      std::fprintf(ud, "%02i-%02i-%2i   %02i:%02i     <DIR>          %s\n", t.wDay, t.wMonth, t.wYear, t.wHour,
                   t.wMinute, fd.cFileName);
    } else {
      // The low 32 bits, as the listing always gave them, but never shown
      // as a negative size.
      std::fprintf(ud, "%02i-%02i-%2i   %02i:%02i       %10u   %s\n", t.wDay, t.wMonth, t.wYear, t.wHour, t.wMinute,
                   static_cast<unsigned>(fd.nFileSizeLow), fd.cFileName);
    }
    ++antal;
    bytes += fd.nFileSizeLow;
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  if (antal == 0) {
    fclose(ud);
    return 254;
  }
  std::fprintf(ud, "             %i fil(er)        %llu bytes\n", antal, bytes);
  fclose(ud);
  return antal;
}

void SkrivSupportListe(const char *programMappe, const char *dataMappe, int version, const char *listefil) {
  DeleteFileA(listefil);
  char exe[MAX_PATH + 16];
  std::snprintf(exe, sizeof exe, "%s%i.exe", programMappe, version);
  char filVersion[128] = "", saerlig[128] = "";
  HentVersionInfoTekst(exe, "FileVersion", filVersion, sizeof filVersion);
  HentVersionInfoTekst(exe, "SpecialBuild", saerlig, sizeof saerlig);
  WritePrivateProfileStringA("version", "FileVersion", filVersion, listefil);
  WritePrivateProfileStringA("version", "SpecialBuild", saerlig, listefil);
  const std::string prog = programMappe, data = dataMappe;
  for (const std::string &m : {prog + "*.*", data + "data\\*.*", data + "ini\\*.*", data + "log\\*.*"})
    WriteDirListing(m.c_str(), listefil);
}
