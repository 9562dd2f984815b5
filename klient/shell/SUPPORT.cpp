// The support package. Everything is packed by full paths, so the current
// folder stays what it was (relative paths of the rest of the program keep
// pointing where they did), and the archive names are made only of
// characters a file name may hold, so values the user typed cannot place
// the archive outside the temporary folder.

#include "SUPPORT.h"

#include <cstdio>
#include <cstring>
#include <strings.h>
#include <vector>

#include "BESKEDER.h"
#include "DIRLISTE.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "LOGFIL.h"
#include "MAPPE.h"
#include "STITAB.h"
#include "VERSIONINFO.h"
#include "WEBKALD.h"
#include "ZIPPAK.h"
#include "ressourcer.h"
#include "smaadialoger.h"
#include "win/wininet.h"

namespace {

const char kGraense[] = "----7d47d430424----";
const char kSti[] = "/cgi-bin/adm/tavodata.pl";
// What the upload's reply may hold; it is not used.
constexpr size_t kStoersteSvar = 64 * 1024;

void Boks(HWND dlg, const std::string &tekst, const char *titel, UINT stil) {
  MessageBoxA(GetWindow(dlg, GW_OWNER), tekst.c_str(), titel, MB_OK | stil);
}

struct Lukker {
  HINTERNET h;
  ~Lukker() {
    if (h) InternetCloseHandle(h);
  }
};

bool SendFejl(const char *hvad) {
  char tekst[256];
  SystemFejlTekst(GetLastError(), tekst, sizeof tekst);
  LogPrintf("** Fejl: SendSupportFil(): %s: %s\n", hvad, tekst);
  return false;
}

// The work of the dialog, steps 3 to 11 of the package.
int LavOgSend(HWND dlg) {
  const std::string prog = StiTab.szprog;
  const std::string data = StiTab.szdata;
  const std::string del = SupportNavnDel();
  const std::string liste = data + "log\\dirlst.txt";

  SkrivSupportListe(prog.c_str(), data.c_str(),
                    static_cast<int>(GetPrivateProfileIntA("global", "version", 0, StiTab.szini)), liste.c_str());
  struct Trin {
    std::string mappe;
    const char *moenster;
  } const trin[] = {{prog, "*.*"}, {data, "data\\*.*"}, {data, "ini\\*.*"}, {data, "log\\*.*"}};

  const std::string temp = SupportMappe();
  const std::string arbejde = temp + del + ".tvo";
  LogPrintf("** User Temp mappe: %s\n", temp.c_str());
  DeleteFileA(arbejde.c_str());

  int ialt = 1;
  for (const Trin &t : trin) ialt += CountFiles((t.mappe + t.moenster).c_str());
  HWND bjaelke = GetDlgItem(dlg, IDC_PAKBJAELKE);
  SendMessageA(bjaelke, PBM_SETRANGE32, 0, ialt);
  SendMessageA(bjaelke, PBM_SETSTEP, 1, 0);
  SendMessageA(bjaelke, PBM_SETPOS, 0, 0);
  for (const Trin &t : trin)
    // An archive that cannot be made fails for every file alike.
    if (PakMappe(dlg, t.mappe.c_str(), t.moenster, arbejde.c_str()) == -3) break;
  const std::string opdatLck = prog + "opdat.lck";
  if (GetFileAttributesA(opdatLck.c_str()) != INVALID_FILE_ATTRIBUTES) PakFil(dlg, opdatLck.c_str(), arbejde.c_str());
  DeleteFileA(liste.c_str());

  if (GetFileAttributesA(arbejde.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ShowWindow(dlg, SW_HIDE);
    LogPrintf("** Fejl: Pakken til support kunne ikke laves: %s\n", arbejde.c_str());
    Boks(dlg, "Pakken til TAVO-support kunne ikke laves:\n" + arbejde, "Fejl", MB_ICONSTOP);
    return 0;
  }

  // Earlier packages of this installation: its number followed by "-", so
  // installation 1 never takes installation 12's.
  const std::string gamle = temp + del + "-*.zip";
  for (;;) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(gamle.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) break;
    FindClose(h);
    if (!DeleteFileA((temp + fd.cFileName).c_str())) break;
  }
  SYSTEMTIME nu;
  GetLocalTime(&nu);
  char tid[64];
  std::snprintf(tid, sizeof tid, "-%d.%02d.%02d-%02d.%02d.zip", nu.wYear, nu.wMonth, nu.wDay, nu.wHour, nu.wMinute);
  std::string endelig = temp + del + tid;
  if (!MoveFileExA(arbejde.c_str(), endelig.c_str(), MOVEFILE_REPLACE_EXISTING)) endelig = arbejde;

  SetDlgItemTextA(dlg, IDC_PAKBJAELKE_TEKST, "Sender data til support. Vent...");
  SendMessageA(bjaelke, PBM_SETPOS, ialt, 0);
  const bool sendt = SendSupportFil(endelig.c_str());
  ShowWindow(dlg, SW_HIDE);
  if (!sendt) {
    Boks(dlg, "Data'ene kunne ikke sendes til TAVO-support!\nPakken er gemt som:\n" + endelig, "Fejl", MB_ICONSTOP);
    return 0;
  }
  Boks(dlg, "Data'ene er nu sendt til TAVO-support!", "Information", MB_ICONINFORMATION);
  DeleteFileA(endelig.c_str());
  return 2;
}

}  // namespace

std::string SupportNavnDel() {
  char database[10] = "";
  char server[50] = "";
  GetPrivateProfileStringA("kontakt", "database", "", database, sizeof database, StiTab.szini);
  GetPrivateProfileStringA("kontakt", "server", "", server, sizeof server, StiTab.szini);
  if (char *p = std::strchr(server, '.')) *p = '\0';
  return RensFilNavn(database) + RensFilNavn(server) + std::to_string(GlobalIndstillinger.insnr);
}

std::string SupportMappe() {
  char buf[MAX_PATH * 2];
  const DWORD n = GetTempPathA(sizeof buf, buf);
  if (n == 0 || n >= 260) return StiTab.szdata;
  return buf;
}

int PakFil(HWND dlg, const char *fil, const char *arkiv) {
  SetLastError(0);
  const int r = ZipAddFile(arkiv, fil);
  if (r == 0) return 0;
  const DWORD system = GetLastError();
  char tekst[256];
  if (system)
    SystemFejlTekst(system, tekst, sizeof tekst);
  else
    std::snprintf(tekst, sizeof tekst, "%s", ZipFejlTekst(r));
  ShowWindow(dlg, SW_HIDE);
  Boks(dlg, std::string("Fejl ved pakning af filen '") + fil + "'\n" + "\nFejlkode: " + tekst, "Fejl", MB_ICONSTOP);
  ShowWindow(dlg, SW_SHOW);
  LogPrintf("** Fejl ved pakning af filen: %s, (%s)\n", fil, tekst);
  return r;
}

int PakMappe(HWND dlg, const char *mappe, const char *moenster, const char *arkiv) {
  const std::string fuld = std::string(mappe) + moenster;
  const size_t skraa = fuld.find_last_of("\\/");
  const std::string mappeDel = skraa == std::string::npos ? std::string() : fuld.substr(0, skraa + 1);
  HWND bjaelke = GetDlgItem(dlg, IDC_PAKBJAELKE);
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(fuld.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int fejl = 0;
  do {
    if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || strcasecmp(fd.cFileName, "tavo.lck") == 0) continue;
    SetDlgItemTextA(dlg, IDC_PAKBJAELKE_TEKST, (std::string("Pakker filen: ") + fd.cFileName).c_str());
    fejl = PakFil(dlg, (mappeDel + fd.cFileName).c_str(), arkiv);
    SendMessageA(bjaelke, PBM_STEPIT, 0, 0);
  } while (fejl == 0 && FindNextFileA(h, &fd));
  FindClose(h);
  return fejl;
}

bool SendSupportFil(const char *fil) {
  char side[512], vaert[512], port[16], certifikat[512];
  LaesWebAdresse(WebAdr::Tavoside, side, sizeof side);
  LaesWebAdresse(WebAdr::Support, vaert, sizeof vaert);
  LaesWebAdresse(WebAdr::SupportPort, port, sizeof port);
  LaesWebAdresse(WebAdr::Certifikat, certifikat, sizeof certifikat);
  if (!side[0] || !vaert[0]) {
    LogPrintf("** Fejl: SendSupportFil(): %s\n", "Ingen webadresse sat op: ingen netforbindelse");
    return false;
  }
  tavo::SaetInternetCertifikater(certifikat);
  if (!InternetCheckConnectionA(side, FLAG_ICC_FORCE_CONNECTION, 0)) return SendFejl(side);

  std::string krop;
  {
    FILE *f = fopen(fil, "rb");
    if (!f) return SendFejl(fil);
    char buf[16384];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) krop.append(buf, n);
    const bool fejl = ferror(f) != 0;
    fclose(f);
    if (fejl) return SendFejl(fil);
  }
  char hoved[1024];
  std::snprintf(hoved, sizeof hoved, "--%s\r\n%s\"filnavn\"; filename=\"%s\"\r\n%s\r\n\r\n", kGraense,
                "Content-Disposition: form-data; name=", fil, "Content-Type: application/octet-stream");
  krop.insert(0, hoved);
  krop += std::string("\r\n--") + kGraense + "--\r\n";
  char hoveder[256];
  std::snprintf(hoveder, sizeof hoveder, "Content-Length: %zu\r\n%s", krop.size(),
                "Content-Type: multipart/form-data; boundary=----7d47d430424----\r\n");

  Lukker session{InternetOpenA("TAVO-data", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_NO_CACHE_WRITE)};
  if (!session.h) return SendFejl("InternetOpen");
  const int portNr = port[0] ? std::atoi(port) : INTERNET_DEFAULT_HTTPS_PORT;
  Lukker forbindelse{InternetConnectA(session.h, vaert, static_cast<INTERNET_PORT>(portNr), nullptr, nullptr,
                                      INTERNET_SERVICE_HTTP, 0, 0)};
  if (!forbindelse.h) return SendFejl(vaert);
  Lukker req{HttpOpenRequestA(forbindelse.h, "POST", kSti, nullptr, nullptr, nullptr,
                              INTERNET_FLAG_SECURE | INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_NO_COOKIES |
                                  INTERNET_FLAG_NO_AUTH,
                              0)};
  if (!req.h) return SendFejl(kSti);
  if (!HttpSendRequestA(req.h, hoveder, static_cast<DWORD>(std::strlen(hoveder)), krop.data(),
                        static_cast<DWORD>(krop.size())))
    return SendFejl(kSti);
  DWORD status = 0;
  DWORD laengde = sizeof status;
  if (!HttpQueryInfoA(req.h, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &laengde, nullptr)) status = 0;
  std::string svar;
  const bool helt = LaesHeleSvaret(req.h, &svar, kStoersteSvar);
  if (status != 200 || !helt) {
    LogPrintf("** Fejl: SendSupportFil(): Fejlnr: %d, ved afsendelse af %s\n", static_cast<int>(status), fil);
    return false;
  }
  return true;
}

INT_PTR CALLBACK SendSupportDlgProc(HWND dlg, UINT msg, WPARAM, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: {
      SetWindowTextA(dlg, "Send data til support...");
      SetDlgItemTextA(dlg, IDC_PAKBJAELKE_TEKST, "Sender data til support...");
      RECT r;
      GetClientRect(dlg, &r);
      MoveWindow(GetDlgItem(dlg, IDC_PAKBJAELKE_TEKST), 40, 10, r.right - 80, 20, TRUE);
      MoveWindow(GetDlgItem(dlg, IDC_PAKBJAELKE), 10, 30, r.right - 20, 20, TRUE);
      CenterWindow(dlg, 0);
      SetPropA(dlg, "Foerste", static_cast<HANDLE>(1));
      return TRUE;
    }
    case WM_PAINT:
      // The work starts once the dialog can be seen; the painting itself
      // is the default one.
      if (RemovePropA(dlg, "Foerste")) PostMessageA(dlg, WM_SUPPORT_ARBEJD, 0, 0);
      return FALSE;
    case WM_SUPPORT_ARBEJD:
      EndDialog(dlg, LavOgSend(dlg));
      return TRUE;
  }
  return FALSE;
}

void SendSupportKommando(HWND hovedvindue) {
  if (!StiTab.laastOenske && !GlobalIndstillinger.skemalaast) StartGemAlleData(0, 1);
  RegistrerOrvaneRessourcer();
  DialogBoxParamA(kOrvaneInstans, MAKEINTRESOURCEA(IDD_PAKBJAELKE), hovedvindue, SendSupportDlgProc, 0);
}
