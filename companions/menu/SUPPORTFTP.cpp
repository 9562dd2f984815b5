// The support upload by FTP. Files are read by their full paths and named
// in the archive relative to their folder, so a data folder apart from the
// program folder is packed from itself. A failed upload keeps its archive
// (the user may send it another way) and says so; the next run deletes the
// earlier archives of the installation before it packs, so none is packed
// into another.

#include "SUPPORTFTP.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "DIRLISTE.h"
#include "FTP.h"
#include "MAPPE.h"
#include "MENU.h"
#include "MENUHJAELP.h"
#include "ZIPPAK.h"
#include "menuressourcer.h"

namespace {

// The built-in host of the support desk, when the settings name none.
const char kStandardVaert[] = "ftp.tavo-support.invalid";
const char kStandardBruger[] = "tavodata";
const char kStandardKode[] = "4kravon";

std::string LaesIni(const char *sektion, const char *noegle, const char *standard, size_t stoerrelse,
                    const char *iniFil) {
  std::vector<char> buf(stoerrelse + 1);
  GetPrivateProfileStringA(sektion, noegle, standard, buf.data(), static_cast<DWORD>(buf.size()), iniFil);
  return buf.data();
}

void Status(HWND dlg, const char *tekst) { SetDlgItemTextA(dlg, IDC_STATUSLINJE, tekst); }

void Boks(HWND dlg, const std::string &tekst, const char *titel, UINT stil) {
  ShowWindow(dlg, SW_HIDE);
  MessageBoxA(dlg, tekst.c_str(), titel, MB_OK | stil);
}

// Steps 3 to 10 of the action: true when the archive reached the server.
// *arkiv is the archive made ("" when none could be).
bool PakOgSend(HWND dlg, std::string *arkiv) {
  const MenuTilstand &m = g_Menu;
  HWND bjaelke = GetDlgItem(dlg, IDC_BJAELKE1);
  ShowWindow(GetDlgItem(dlg, IDC_BJAELKE2), SW_HIDE);
  const int version = static_cast<int>(GetPrivateProfileIntA("global", "version", 0, m.IniFil));

  const std::string data = m.DataMappe;
  int antal = 2;
  for (const char *moenster : {"data\\*.*", "ini\\*.*", "log\\*.*"}) antal += CountFiles((data + moenster).c_str());
  SendMessageA(bjaelke, PBM_SETRANGE, 0, MAKELPARAM(0, antal > 65535 ? 65535 : antal));
  SendMessageA(bjaelke, PBM_SETSTEP, 1, 0);
  SendMessageA(bjaelke, PBM_SETPOS, 0, 0);

  const std::string liste = data + "log\\dirlst.txt";
  SkrivSupportListe(m.ProgramMappe, m.DataMappe, version, liste.c_str());
  *arkiv = PakSupportArkiv(dlg, m.ProgramMappe, m.DataMappe, m.IniFil, m.Insnr);
  if (arkiv->empty()) {
    Boks(dlg, "Pakken til TAVO-support kunne ikke laves:\n" + SupportArkivNavn(m.ProgramMappe, m.IniFil, m.Insnr).arbejde,
         "Fejl", MB_ICONSTOP);
    return false;
  }

  const uint64_t ialt = static_cast<uint64_t>(FilStoerrelse(arkiv->c_str())) + 1024;
  const uint32_t deler = FtpBjaelkeDeler(ialt);
  SendMessageA(bjaelke, PBM_SETRANGE, 0, MAKELPARAM(0, static_cast<WORD>(ialt / deler)));
  SendMessageA(bjaelke, PBM_SETPOS, 0, 0);

  const SupportFtpKonto konto = LaesSupportFtpKonto(m.IniFil);
  Status(dlg, "Sender data til support. Vent...");
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) {
    Boks(dlg, "Data'ene kunne ikke sendes til TAVO-support!\nPakken er gemt som:\n" + *arkiv, "Fejl", MB_ICONWARNING);
    return false;
  }
  uint64_t rest = 0;
  FtpBjaelkeFrem(bjaelke, deler, &rest, 512);
  bool sendt = false;
  const SOCKET s = FtpLogin(konto.vaert, konto.bruger, konto.kode);
  if (s == INVALID_SOCKET) {
    char tekst[400];
    std::snprintf(tekst, sizeof tekst, "Kunne ikke etablere forbindelse til server: %s!", konto.vaert);
    Boks(dlg, std::string(tekst) + "\nPakken er gemt som:\n" + *arkiv, "Fejl", MB_ICONWARNING);
  } else {
    sendt = FtpSetType(s, 0) == 200 && FtpStor(bjaelke, s, arkiv->c_str(), FilNavnDel(arkiv->c_str())) == 0;
    if (sendt) {
      FtpQuit(s);
      Boks(dlg, "Data'ene er nu sendt til TAVO-support!", "Information", MB_ICONINFORMATION);
    } else {
      // The connection may be what failed: no more waiting on it.
      closesocket(s);
      Boks(dlg, "Data'ene kunne ikke sendes til TAVO-support!\nPakken er gemt som:\n" + *arkiv, "Fejl",
           MB_ICONWARNING);
    }
  }
  WSACleanup();
  return sendt;
}

}  // namespace

SupportArkivNavne SupportArkivNavn(const char *programMappe, const char *iniFil, int insnr) {
  const std::string database = LaesIni("kontakt", "database", "", 100, iniFil);
  std::string server = LaesIni("kontakt", "server", "", 200, iniFil);
  server = server.substr(0, server.find('.'));
  const std::string del =
      std::string(programMappe) + RensFilNavn(database.c_str()) + RensFilNavn(server.c_str()) + std::to_string(insnr);
  SYSTEMTIME nu;
  GetLocalTime(&nu);
  char tid[64];
  std::snprintf(tid, sizeof tid, "-%d.%02d.%02d-%02d.%02d.zip", nu.wYear, nu.wMonth, nu.wDay, nu.wHour, nu.wMinute);
  // The installation number followed by "-": installation 1 never takes
  // installation 12's archives.
  return {del + ".tvo", del + tid, del + "-*.zip"};
}

std::string PakSupportArkiv(HWND dlg, const char *programMappe, const char *dataMappe, const char *iniFil,
                            int insnr) {
  const SupportArkivNavne navne = SupportArkivNavn(programMappe, iniFil, insnr);
  DeleteFileA(navne.arbejde.c_str());
  // Every earlier archive in one pass; one that cannot be deleted stays.
  std::vector<std::string> gamle;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(navne.tidligere.c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) gamle.push_back(std::string(programMappe) + fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  for (const std::string &g : gamle) DeleteFileA(g.c_str());

  PakFilerMedProgress(dlg, programMappe, "*.*", navne.arbejde.c_str());
  for (const char *moenster : {"data\\*.*", "ini\\*.*", "log\\*.*", "datakopi\\*.*", "inikopi\\*.*"})
    PakFilerMedProgress(dlg, dataMappe, moenster, navne.arbejde.c_str());

  HWND bjaelke = GetDlgItem(dlg, IDC_BJAELKE1);
  SendMessageA(bjaelke, PBM_STEPIT, 0, 0);
  const std::string opdatLck = std::string(programMappe) + "opdat.lck";
  if (FilAdgang(opdatLck.c_str()) == 0) PakFilMedFejl(dlg, opdatLck.c_str(), navne.arbejde.c_str(), TRUE);
  SendMessageA(bjaelke, PBM_SETPOS, SendMessageA(bjaelke, PBM_GETRANGE, FALSE, 0), 0);

  if (GetFileAttributesA(navne.arbejde.c_str()) == INVALID_FILE_ATTRIBUTES) return "";
  if (!MoveFileExA(navne.arbejde.c_str(), navne.endelig.c_str(), MOVEFILE_REPLACE_EXISTING)) return navne.arbejde;
  return navne.endelig;
}

SupportFtpKonto LaesSupportFtpKonto(const char *iniFil) {
  SupportFtpKonto k{};
  GetPrivateProfileStringA("kontakt", "supportserver", "", k.vaert, sizeof k.vaert, iniFil);
  TrimBlanks(k.vaert);
  if (!k.vaert[0]) std::snprintf(k.vaert, sizeof k.vaert, "%s", kStandardVaert);
  GetPrivateProfileStringA("kontakt", "supportbruger", kStandardBruger, k.bruger, sizeof k.bruger, iniFil);
  GetPrivateProfileStringA("kontakt", "supportkode", kStandardKode, k.kode, sizeof k.kode, iniFil);
  return k;
}

INT_PTR CALLBACK SendSupportFtpDlgProc(HWND dlg, UINT msg, WPARAM, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: {
      SetWindowTextA(dlg, "Send data til support...");
      SetDlgItemTextA(dlg, IDC_OVERSKRIFT, "SENDER DATA TIL SUPPORT");
      FitDialogToClient(dlg);
      SetClassLongPtrA(GetDlgItem(dlg, IDC_BJAELKE1), GCLP_HBRBACKGROUND,
                       static_cast<LONG_PTR>(GetSysColorBrush(COLOR_WINDOW)));
      SetPropA(dlg, "Foerste", static_cast<HANDLE>(1));
      return TRUE;
    }
    case WM_PAINT:
      // The work starts once the dialog can be seen; the painting itself
      // is the default one.
      if (RemovePropA(dlg, "Foerste")) PostMessageA(dlg, WM_SUPPORT_FTP, 0, 0);
      return FALSE;
    case WM_SUPPORT_FTP: {
      std::string arkiv;
      const bool sendt = PakOgSend(dlg, &arkiv);
      if (sendt) DeleteFileA(arkiv.c_str());
      DeleteFileA((std::string(g_Menu.DataMappe) + "log\\dirlst.txt").c_str());
      EndDialog(dlg, 2);
      return TRUE;
    }
  }
  return FALSE;
}
