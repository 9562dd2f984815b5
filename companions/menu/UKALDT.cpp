// Routines of the start menu that none of its commands reaches today: the
// lock and start-log writers, the socket receive of the support upload, the
// question before Elevplan data are deleted and a small list of texts. Kept
// so that the actions that need them later find them tested.

#include <cerrno>
#include <cstdio>
#include <string>

#include "MENUHJAELP.h"
#include "STARTLOG.h"
#include "menuressourcer.h"

namespace {

int OpretLaas(const std::string &sti, uint8_t installation, uint32_t version) {
  StilleDrevFejl stille;
  int fejl = 0;
  return OpretLaasefil(sti.c_str(), installation, version, &fejl) != LaasefilResultat::Fejl ? 1 : 0;
}

int FjernLaas(const std::string &sti) {
  StilleDrevFejl stille;
  if (GetFileAttributesA(sti.c_str()) == INVALID_FILE_ATTRIBUTES) return 1;
  return DeleteFileA(sti.c_str()) ? 1 : 0;
}

constexpr uint64_t kEnhedPlads = 1440000;

// A failure of the installation unit: the system's text for it.
INT_PTR EnhedFejl(HWND dlg, DWORD fejl) {
  if (fejl) SetLastError(fejl);
  ShowWindow(dlg, SW_HIDE);
  VisSystemFejl(nullptr, MB_OK | MB_ICONERROR);
  EndDialog(dlg, 0);
  return TRUE;
}

INT_PTR LavInstallationsEnhed(HWND dlg, const InstallationsEnhed &e) {
  StilleDrevFejl stille;
  HWND bjaelke = GetDlgItem(dlg, IDC_BJAELKE1);
  SendMessageA(bjaelke, PBM_SETRANGE, 0, MAKELPARAM(0, 9));
  SendMessageA(bjaelke, PBM_SETSTEP, 1, 0);
  SetDlgItemTextA(dlg, IDC_STATUSLINJE, "Undersøger disk plads!");
  SletKatalogTrae(e.flytMappe);
  if (!OpretKatalog(e.flytMappe)) return EnhedFejl(dlg, 0);
  uint64_t ledig = 0, total = 0;
  if (!LedigDiskPlads(e.flytDrev, &ledig, &total)) return EnhedFejl(dlg, 0);
  if (ledig < kEnhedPlads) return EnhedFejl(dlg, ERROR_DISK_FULL);

  // The programs are packed by their plain names from the program folder.
  if (!SetCurrentDirectoryA(e.programMappe)) return EnhedFejl(dlg, 0);
  char prg[32], ini[32], version[16];
  std::snprintf(prg, sizeof prg, "prg%d.zip", e.version);
  std::snprintf(ini, sizeof ini, "ini%d.zip", e.version);
  std::snprintf(version, sizeof version, "%d.exe", e.version);
  DeleteFileA(prg);
  for (const char *fil : {static_cast<const char *>(version), "tavo.exe", "tavomenu.exe", "Zintel.exe"}) {
    SetDlgItemTextA(dlg, IDC_STATUSLINJE, (std::string("Pakker filen: ") + fil).c_str());
    if (PakFilMedFejl(dlg, fil, prg, TRUE) != 0) {
      EndDialog(dlg, 0);
      return TRUE;
    }
    SendMessageA(bjaelke, PBM_STEPIT, 0, 0);
  }

  const char *filer[] = {prg, ini, "install.exe"};
  uint64_t behov = 512;
  for (const char *fil : filer) {
    if (FilAdgang(fil) == 1) return EnhedFejl(dlg, ERROR_FILE_NOT_FOUND);
    behov += FilStoerrelse(fil);
  }
  if (behov > ledig) return EnhedFejl(dlg, ERROR_DISK_FULL);
  for (const char *fil : filer) {
    const std::string maal = std::string(e.flytMappe) + "\\" + fil;
    const long stoerrelse = static_cast<long>(FilStoerrelse(fil));
    if (KopierFilMedProgress(dlg, fil, maal.c_str(), 0, 0, "wb") != stoerrelse) return EnhedFejl(dlg, 0);
    SendMessageA(bjaelke, PBM_STEPIT, 0, 0);
  }
  const std::string flytIni = std::string(e.flytMappe) + "\\flyt.ini";
  char tal[16];
  std::snprintf(tal, sizeof tal, "%d", e.installation);
  bool ok = SkrivIni("global", "insnr", tal, flytIni.c_str()) != 0;
  std::snprintf(tal, sizeof tal, "%d", e.version);
  ok = ok && SkrivIni("global", "version", tal, flytIni.c_str()) != 0;
  ok = ok && SkrivIni("global", "disknr", "1", flytIni.c_str()) != 0;
  if (!ok) return EnhedFejl(dlg, 0);
  SendMessageA(bjaelke, PBM_SETPOS, 9, 0);
  EndDialog(dlg, 1);
  return TRUE;
}

}  // namespace

INT_PTR CALLBACK InstallationsEnhedDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dlg, GWLP_USERDATA, lp);
      SetWindowTextA(dlg, "Installationsenhed...");
      SetDlgItemTextA(dlg, IDC_OVERSKRIFT, "OPRETTER INSTALLATIONSENHED");
      FitDialogToClient(dlg);
      SetPropA(dlg, "Foerste", static_cast<HANDLE>(1));
      return TRUE;
    case WM_PAINT:
      // The work starts once the dialog can be seen; the painting itself
      // is the default one.
      if (RemovePropA(dlg, "Foerste")) PostMessageA(dlg, WM_INSTALLATIONSENHED, 0, 0);
      return FALSE;
    case WM_INSTALLATIONSENHED: {
      const auto *e = reinterpret_cast<const InstallationsEnhed *>(GetWindowLongPtrA(dlg, GWLP_USERDATA));
      if (!e) {
        EndDialog(dlg, 0);
        return TRUE;
      }
      return LavInstallationsEnhed(dlg, *e);
    }
  }
  return FALSE;
}

int StartInstallFraDisk(HWND ejer, const char *flytDrev, const char *programMappe) {
  StilleDrevFejl stille;
  uint64_t ledig = 0, total = 0;
  const char *fejl = nullptr;
  const std::string install = std::string(flytDrev) + "\\TAVO-Inst\\install.exe";
  if (!LedigDiskPlads((std::string(flytDrev) + "\\").c_str(), &ledig, &total)) {
    fejl = "Kan ikke læse fra disk enheden!\nKontroller om enheden er i orden!!";
  } else if (FilAdgang(install.c_str()) == 1) {
    fejl = "Kan ikke finde filen 'Install.exe' !";
  } else {
    std::string linje = CiteretArgument(install) + " " + CiteretArgument(programMappe);
    STARTUPINFOA si;
    GetStartupInfoA(&si);
    PROCESS_INFORMATION pi;
    if (CreateProcessA(nullptr, linje.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      CloseHandle(pi.hProcess);
      CloseHandle(pi.hThread);
      return 1;
    }
    fejl = "Kan ikke starte 'Install.exe' !";
  }
  MessageBoxA(ejer, fejl, "Fejl", MB_OK | MB_ICONERROR);
  return 0;
}

int CreateLockFile(const char *dataMappe, uint8_t installation, uint32_t version) {
  return OpretLaas(LaasefilSti(dataMappe), installation, version);
}

int RemoveLockFile(const char *dataMappe) { return FjernLaas(LaasefilSti(dataMappe)); }

int CreateOpdatLck(const char *programMappe, uint8_t installation, uint32_t version) {
  return OpretLaas(std::string(programMappe) + "OPDAT.LCK", installation, version);
}

int RemoveOpdatLck(const char *programMappe) { return FjernLaas(std::string(programMappe) + "OPDAT.LCK"); }

void NewStartLogEntry(uint8_t installation, uint32_t version, const char *mappe) {
  StilleDrevFejl stille;
  SkrivStartLinje(installation, version, mappe);
}

uint32_t StartLogVersion(uint8_t installation, const char *mappe) {
  StilleDrevFejl stille;
  HANDLE h = OpenStartLog(mappe);
  if (h == INVALID_HANDLE_VALUE) return 0;
  StartLinjer linjer;
  ReadFileLines(h, linjer);
  CloseHandle(h);
  const int i = FindStartLinje(linjer, installation);
  StartLogEntry post;
  if (i < 0 || !LaesStartLogEntry(linjer[static_cast<size_t>(i)].c_str(), &post) || post.Version < 0) return 0;
  return static_cast<uint32_t>(post.Version);
}

int SockRecvAll(SOCKET s, char *buf, int antal) {
  int modtaget = 0;
  while (modtaget < antal) {
    const int n = recv(s, buf + modtaget, antal - modtaget, 0);
    if (n > 0) {
      modtaget += n;
    } else if (n == SOCKET_ERROR && WSAGetLastError() == WSAEINTR) {
      continue;
    } else {
      // The peer closed before all had come, or the receive failed.
      return -1;
    }
  }
  return antal;
}

int BekraeftSletElevplanData(HWND ejer, int installation) {
  char tekst[200];
  std::snprintf(tekst, sizeof tekst,
                "Dette vil slette 'elevplan' data på TAVO-installation nr. %i !!!\n\nEr du sikker på du vil fortsætte?",
                installation);
  return MessageBoxA(ejer, tekst, "Advarsel!", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES ? 1 : 0;
}

void ListeTilfoej(TekstLed **hoved, const char *tekst) {
  TekstLed **p = hoved;
  while (*p) p = &(*p)->naeste;
  *p = new TekstLed{tekst, nullptr};
}

const TekstLed *ListeElement(const TekstLed *hoved, int n) {
  for (; hoved && n > 0; --n) hoved = hoved->naeste;
  return n == 0 ? hoved : nullptr;
}

int ListeDrevIndeks(const TekstLed *hoved, char drev) {
  const char op = static_cast<char>(drev >= 'a' && drev <= 'z' ? drev - 32 : drev);
  for (int i = 0; hoved; hoved = hoved->naeste, ++i) {
    char c = hoved->tekst.empty() ? '\0' : hoved->tekst[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    if (c == op) return i;
  }
  return -1;
}

void ListeFrigiv(TekstLed **hoved) {
  while (*hoved) {
    TekstLed *naeste = (*hoved)->naeste;
    delete *hoved;
    *hoved = naeste;
  }
}
