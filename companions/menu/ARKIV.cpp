// Zip archives for the start menu: packing files one by one (ZipAddFile of
// the shell) and unpacking into a folder. An entry whose name would land
// outside the target folder is refused before anything is written: an
// archive from a disk is outside input.

#include <minizip/unzip.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <strings.h>

#include "MENUHJAELP.h"
#include "ZIPPAK.h"
#include "menuressourcer.h"

namespace {

constexpr unsigned kUdpakBlok = 8192;

struct LukStroem {
  void operator()(FILE *f) const { fclose(f); }
};

// Hides the dialog while the box is up, so the box is not behind it.
int VisFejlOverDialog(HWND dlg, const char *format, const char *navn) {
  char tekst[MAX_PATH + 64];
  std::snprintf(tekst, sizeof tekst, format, navn);
  ShowWindow(dlg, SW_HIDE);
  const int svar = VisSystemFejl(tekst, MB_OK | MB_ICONERROR);
  ShowWindow(dlg, SW_SHOW);
  UpdateWindow(dlg);
  return svar;
}

void SaetFilTid(const char *navn, uLong dosDato) {
  FILETIME lokal, utc;
  if (!DosDateTimeToFileTime(static_cast<WORD>(dosDato >> 16), static_cast<WORD>(dosDato), &lokal) ||
      !LocalFileTimeToFileTime(&lokal, &utc))
    return;
  HANDLE h = CreateFileA(navn, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, 0);
  if (h == INVALID_HANDLE_VALUE) return;
  SetFileTime(h, &utc, nullptr, &utc);
  CloseHandle(h);
}

// The current entry's information and its name, ended by a zero. minizip
// leaves a name that fills the buffer without its zero, so a name that does
// not fit with it is refused as unsafe: no file of this program has one.
int EntryNavn(unzFile uf, unz_file_info64 *info, char (&navn)[MAX_PATH]) {
  const int fejl = unzGetCurrentFileInfo64(uf, info, navn, sizeof navn, nullptr, 0, nullptr, 0);
  navn[sizeof navn - 1] = '\0';
  if (fejl != UNZ_OK) return fejl;
  if (info->size_filename >= sizeof navn || !SikkertEntryNavn(navn)) return kUnzipUsikkertNavn;
  return UNZ_OK;
}

// The current entry into the current folder.
int UdpakEntry(unzFile uf, char *buf) {
  char navn[MAX_PATH];
  unz_file_info64 info;
  int fejl = EntryNavn(uf, &info, navn);
  if (fejl != UNZ_OK) return fejl;
  const size_t laengde = std::strlen(navn);
  if (laengde > 0 && (navn[laengde - 1] == '/' || navn[laengde - 1] == '\\')) {
    MakeDirTree(navn);
    return UNZ_OK;
  }
  if ((fejl = unzOpenCurrentFile(uf)) != UNZ_OK) return fejl;
  std::unique_ptr<FILE, LukStroem> ud(fopen(navn, "wb"));
  if (!ud) {
    const char *skraa = std::strrchr(navn, '/');
    if (const char *b = std::strrchr(navn, '\\'); b && (!skraa || b > skraa)) skraa = b;
    if (skraa) {
      const std::string mappe(navn, static_cast<size_t>(skraa - navn));
      MakeDirTree(mappe.c_str());
      ud.reset(fopen(navn, "wb"));
    }
  }
  if (!ud) {
    unzCloseCurrentFile(uf);
    return kUnzipSkrivFejl;
  }
  for (;;) {
    const int n = unzReadCurrentFile(uf, buf, kUdpakBlok);
    if (n < 0) {
      fejl = n;
      break;
    }
    if (n == 0) break;
    if (fwrite(buf, 1, static_cast<size_t>(n), ud.get()) != static_cast<size_t>(n)) {
      fejl = kUnzipSkrivFejl;
      break;
    }
  }
  // The check sum is tested when the entry is closed.
  const int luk = unzCloseCurrentFile(uf);
  if (fejl == UNZ_OK) fejl = luk;
  if (fclose(ud.release()) != 0 && fejl == UNZ_OK) fejl = kUnzipSkrivFejl;
  if (fejl != UNZ_OK) {
    // A damaged entry leaves no file that looks whole.
    DeleteFileA(navn);
    return fejl;
  }
  SaetFilTid(navn, info.dosDate);
  return UNZ_OK;
}

// Every entry's name, before anything is written.
int TjekAlleNavne(unzFile uf) {
  int fejl = unzGoToFirstFile(uf);
  while (fejl == UNZ_OK) {
    char navn[MAX_PATH];
    unz_file_info64 info;
    if ((fejl = EntryNavn(uf, &info, navn)) != UNZ_OK) return fejl;
    fejl = unzGoToNextFile(uf);
  }
  return fejl == UNZ_END_OF_LIST_OF_FILE ? UNZ_OK : fejl;
}

struct LukArkiv {
  void operator()(void *uf) const { unzClose(uf); }
};

}  // namespace

bool SikkertEntryNavn(const char *navn) {
  if (navn[0] == '/' || navn[0] == '\\' || navn[0] == '\0') return false;
  if (navn[1] == ':') return false;
  const char *del = navn;
  for (const char *p = navn;; ++p) {
    if (*p == '/' || *p == '\\' || *p == '\0') {
      if (p - del == 2 && del[0] == '.' && del[1] == '.') return false;
      if (*p == '\0') break;
      del = p + 1;
    }
  }
  return true;
}

int PakFilMedFejl(HWND dlg, const char *fil, const char *arkiv, BOOL visBoks) {
  int resultat;
  {
    StilleDrevFejl stille;
    resultat = ZipAddFile(arkiv, fil);
  }
  if (resultat != 0 && visBoks) VisFejlOverDialog(dlg, "Fejl ved pakning af filen '%s'\n", fil);
  return resultat;
}

void PakFilerMedProgress(HWND dlg, const char *mappe, const char *moenster, const char *arkiv) {
  StilleDrevFejl stille;
  const std::string m = moenster;
  const size_t skraa = m.find_last_of("\\/");
  const std::string moensterMappe = skraa == std::string::npos ? std::string() : m.substr(0, skraa + 1);
  HWND bjaelke = GetDlgItem(dlg, IDC_BJAELKE1);
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((std::string(mappe) + moenster).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    // The archive may lie among the files it is made of; it is never
    // packed into itself.
    if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || strcasecmp(fd.cFileName, FilNavnDel(arkiv)) == 0)
      continue;
    SetDlgItemTextA(dlg, IDC_STATUSLINJE, (std::string("Pakker filen: ") + fd.cFileName).c_str());
    // Read where it was found, named as the pattern names it: a data
    // folder apart from the current folder is packed from itself.
    const std::string navn = moensterMappe + fd.cFileName;
    ZipAddFileSom(arkiv, (std::string(mappe) + navn).c_str(), navn.c_str());
    SendMessageA(bjaelke, PBM_STEPIT, 0, 0);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

int UdpakMedFejl(HWND dlg, const char *arkiv, const char *entry, const char *maalMappe, BOOL visBoks) {
  const int resultat = UnzipArchive(arkiv, entry, maalMappe);
  if (resultat != 0 && visBoks) VisFejlOverDialog(dlg, "Fejl ved udpakning af filen '%s'\n", arkiv);
  return resultat;
}

int UnzipArchive(const char *arkiv, const char *entry, const char *maalMappe) {
  StilleDrevFejl stille;
  zlib_filefunc64_def funktioner;
  ZipFilFunktioner(&funktioner);
  std::unique_ptr<void, LukArkiv> uf(unzOpen2_64(arkiv, &funktioner));
  if (!uf) uf.reset(unzOpen2_64((std::string(arkiv) + ".zip").c_str(), &funktioner));
  if (!uf) return -3;
  if (!SetCurrentDirectoryA(maalMappe)) return -1;
  std::unique_ptr<char[]> buf(new (std::nothrow) char[kUdpakBlok]);
  if (!buf) return kUnzipIngenHukommelse;
  if (entry) {
    // Case 2: the letters a to z without regard to case.
    if (unzLocateFile(uf.get(), entry, 2) != UNZ_OK) return 2;
    return UdpakEntry(uf.get(), buf.get());
  }
  int fejl = TjekAlleNavne(uf.get());
  if (fejl != UNZ_OK) return fejl;
  fejl = unzGoToFirstFile(uf.get());
  while (fejl == UNZ_OK) {
    if ((fejl = UdpakEntry(uf.get(), buf.get())) != UNZ_OK) return fejl;
    fejl = unzGoToNextFile(uf.get());
  }
  return fejl == UNZ_END_OF_LIST_OF_FILE ? 0 : fejl;
}

int ZipDeleteEntry(const char *programMappe, const char *arkiv, const char *entry) {
  const std::string linje = CiteretArgument(std::string(programMappe) + "zip.exe") + " " +
                            CiteretArgument("-dq") + " " + CiteretArgument(arkiv) + " " + CiteretArgument(entry);
  std::string kopi = linje;
  STARTUPINFOA si;
  std::memset(&si, 0, sizeof si);
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION pi;
  if (!CreateProcessA(nullptr, kopi.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr, &si, &pi))
    return -1;
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD kode = 0;
  GetExitCodeProcess(pi.hProcess, &kode);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return static_cast<int>(kode);
}
