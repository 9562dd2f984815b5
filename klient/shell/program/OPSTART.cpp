// Start-up and shutdown of the main program, step by step in the program's
// order. A start that is refused (a folder or the settings file missing, the
// lock file not made, the data in use and the user answering No) changes
// nothing: no lock file, no START.LOG line, no settings written; so nothing
// that writes the settings runs before the lock question is settled.

#include "OPSTART.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "AVSHJAELP.h"
#include "DATO.h"
#include "DESKTOP.h"
#include "EKSPKMD.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GEMNING.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "KLASSER.h"
#include "KROGE.h"
#include "LOGFIL.h"
#include "MAPPE.h"
#include "MEDPER.h"
#include "OBJFELT.h"
#include "OPDAT.h"
#include "PROGVINDUER.h"
#include "RINGTID.h"
#include "SIDEFIL.h"
#include "SKAERM.h"
#include "SkfaLokaRel.h"
#include "SKETEGN.h"
#include "STARTLOG.h"
#include "STARTTRAAD.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "TALTAB.h"
#include "TIMOAK.h"
#include "TOOLTIP.h"
#include "WEBKALD.h"
#include "ressourcer.h"
#include "tavo/assert.h"
#include "win/controls.h"

char StiTekst[600];
HCURSOR hMarkoerForbudt = 0;
HCURSOR hMarkoerPil = 0;
SysBmpStrip KaptionStripStor = {};
SysBmpStrip KaptionStripLille = {};
bool LaasenHoldes = false;
bool DataHentet = false;

namespace {

// A box of the start-up: before the main window, without owner,
// system-modal.
int OpstartBoks(const char *tekst, const char *titel, UINT knapper) {
  return MessageBoxA(0, tekst, titel, knapper | MB_SYSTEMMODAL);
}

void AssertLog(const char *linje) { LogPrintf("%s\n", linje); }

// The FileVersion of the program file's version block; empty without one.
std::string FilVersion() {
  char fil[MAX_PATH];
  if (!GetModuleFileNameA(0, fil, sizeof fil)) return "";
  DWORD h = 0;
  const DWORD n = GetFileVersionInfoSizeA(fil, &h);
  if (!n) return "";
  std::vector<char> blok(n);
  if (!GetFileVersionInfoA(fil, 0, n, blok.data())) return "";
  char *tekst = nullptr;
  UINT laengde = 0;
  if (!VerQueryValueA(blok.data(), "\\StringFileInfo\\040604b0\\FileVersion", reinterpret_cast<LPVOID *>(&tekst),
                      &laengde) ||
      !tekst)
    return "";
  return std::string(tekst);
}

// Step 3: the news check needs a browser of version 5.5 or later; a
// machine without the key keeps it allowed.
void BrowserTjek() {
  HKEY k = 0;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer", 0, KEY_READ, &k) !=
      ERROR_SUCCESS)
    return;
  char v[101] = {};
  DWORD n = 100;
  if (RegQueryValueExA(k, "Version", nullptr, nullptr, reinterpret_cast<LPBYTE>(v), &n) == ERROR_SUCCESS)
    GlobalIndstillinger.checktavonews = std::strncmp(v, "5.5", 3) >= 0 ? 1 : 0;
  RegCloseKey(k);
}

// Steps 11 and 14: a program file delivered under a waiting name replaces
// the running one.
void ErstatProgramFil(const char *ny, const char *gammel) {
  const std::string fra = std::string(StiTab.szprog) + ny, til = std::string(StiTab.szprog) + gammel;
  if (GetFileAttributesA(fra.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  if (MoveFileExA(fra.c_str(), til.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
    DeleteFileA(fra.c_str());
}

// Step 6: both folders are tried before the start ends.
bool OpretDataMapper() {
  const std::string data = std::string(StiTab.szdata) + "data", log = std::string(StiTab.szdata) + "log";
  const bool dataOk = OpretMappe(data.c_str()) != 0;
  const bool logOk = OpretMappe(log.c_str()) != 0;
  if (!dataOk)
    OpstartBoks("Fejl ved oprettelse af mappen 'data'\nKontakt TAVO support!", "Fejl", MB_OK | MB_ICONSTOP);
  if (!logOk)
    OpstartBoks("Fejl ved oprettelse af mappen 'log'\nKontakt TAVO support!", "Fejl", MB_OK | MB_ICONSTOP);
  return dataOk && logOk;
}

// The question when the lock file is there: Yes goes on read-only.
bool SpoergOmLaastData() {
  char linje[200] = "";
  bool detaljer = false;
  if (FILE *f = fopen(StiTab.szlck, "r")) {
    if (!std::fgets(linje, sizeof linje, f)) linje[0] = '\0';
    std::fclose(f);
    detaljer = std::strstr(linje, "Låsefil til TAVO") == nullptr;
  }
  char tekst[600];
  int n = std::snprintf(tekst, sizeof tekst,
                        "Dataene tilhørende installation %2d er tilsyneladende allerede i brug.\n",
                        GlobalIndstillinger.insnr);
  if (detaljer) {
    StartLogEntry post;
    LaesStartLogEntry(linje, &post);
    n += std::snprintf(tekst + n, sizeof tekst - n,
                       "  Bruger:     \t%s\n  PC-navn:    \t%s\n  Startdato:  \t%s\n  Starttid:   \t%s\n",
                       post.Bruger, post.Computer, post.StartDato, post.StartTid);
  }
  std::snprintf(tekst + n, sizeof tekst - n, "%s",
                "\nHvis du fortsætter vil skemaet være låst!\nDer kan IKKE rettes i dataene!\nVil du fortsætte?");
  return OpstartBoks(tekst, "Fejl", MB_YESNO | MB_ICONSTOP) == IDYES;
}

// Step 15. False ends the start (exit code 0).
bool TagLaasen() {
  GlobalIndstillingerData &g = GlobalIndstillinger;
  if (g.skemalaast) return true;
  int fejlnr = 0;
  switch (OpretLaasefil(StiTab.szlck, g.insnr, version, &fejlnr)) {
    case LaasefilResultat::Oprettet:
      break;
    case LaasefilResultat::Fejl: {
      LogPrintf("** Fejl: Ved opretelse af Tavo.lck: Fejlnr: %d - %s\n", fejlnr, std::strerror(fejlnr));
      char tekst[80];
      std::snprintf(tekst, sizeof tekst, "TAVO kunne ikke oprette låsefil !\n  Errno : %d\n", fejlnr);
      OpstartBoks(tekst, "Fejl", MB_OK | MB_ICONSTOP);
      return false;
    }
    case LaasefilResultat::Findes: {
      char startlaas[16];
      GetPrivateProfileStringA("global", "startlås", "ja", startlaas, sizeof startlaas, StiTab.szini);
      // Any other value than "ja" ignores the lock; a SuperTavo installation
      // is never asked.
      if (std::strcmp(startlaas, "ja") != 0 || g.supertavo) break;
      if (!SpoergOmLaastData()) return false;
      g.skemalaast = 1;
      return true;
    }
  }
  LaasenHoldes = true;
  return true;
}

SysBmpStrip LaasStrip(int id, uint32_t bredde, uint32_t hoejde) {
  SysBmpStrip s = {};
  HRSRC r = FindResourceA(hInst, MAKEINTRESOURCE(id), RT_BITMAP);
  if (!r) return s;
  s.res = LoadResource(hInst, r);
  LockResource(s.res);
  s.stoerrelse = SizeofResource(hInst, r);
  s.bredde = bredde;
  s.hoejde = hoejde;
  return s;
}

// Step 23.
void OpretVaerktoejslinje() {
  hwndMainToolbar = CreateToolbarEx(hwndHoved, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS | CCS_TOP,
                                    1, kVaerktoejsBilleder, hInst, IDB_VAERKTOEJSLINJE, nullptr, 0, 16, 16, 16, 16,
                                    sizeof(TBBUTTON));
  if (!hwndMainToolbar) return;
  SendMessageA(hwndMainToolbar, TB_AUTOSIZE, 0, 0);
  SetClassLongPtrA(hwndMainToolbar, GCLP_HBRBACKGROUND, static_cast<LONG_PTR>(COLOR_WINDOW + 1));
  ToolbarTilfoejSeparator();
  ToolbarTilfoejKnap(4, 40170, "Gem data");
  ToolbarTilfoejSeparator();
  ToolbarTilfoejKnap(3, 40155, "Arranger vindue med fokus");
  ToolbarTilfoejKnap(0, 40156, "Arranger i kaskade");
  ToolbarTilfoejKnap(1, 40157, "Arranger vinduer horisontalt");
  ToolbarTilfoejKnap(2, 40158, "Arranger vinduer vertikalt");
}

// Step 24: the desktop in the main window, with its kept drawing context.
bool OpretDesktop() {
  BeregnSkrivebord();
  hwndDesktop = CreateWindowExA(0, "DesktopWndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                DesktopRect.left, DesktopRect.top, DesktopRect.right - DesktopRect.left + 1,
                                DesktopRect.bottom - DesktopRect.top + 1, hwndHoved, 0, hInst, nullptr);
  if (!hwndDesktop) return false;
  ShowWindow(hwndDesktop, SW_SHOW);
  UpdateWindow(hwndDesktop);
  SelectDCPalette(hwndDesktop, &DesktopDC, TxtFontFed);
  SetTextColor(DesktopDC.hdc, FarveTab[31]);
  SetBkColor(DesktopDC.hdc, FarveTab[0]);
  DesktopDC.TekstFarve = 31;
  DesktopDC.BkFarve = 0;
  return true;
}

// Step 32.
void TraceSpoergsmaal() {
  if (!GlobalIndstillinger.trace) return;
  if (OpstartBoks("OBS!!\nLog informationer 'Trace' er slået til!\nVil du slå 'Trace' fra?", "OBS! Trace",
                  MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
    return;
  GlobalIndstillinger.trace = 0;
  DeleteStdErrLog();
  if (!GlobalIndstillinger.skemalaast) WritePrivateProfileStringA("global", "trace", nullptr, StiTab.szini);
}

// Step 33: an enrolment group can be planned only by the installation that
// owns it.
void SaetPlanlaegningsLaas() {
  char ejer[51];
  std::snprintf(ejer, sizeof ejer, "TavoSkema - %ld", static_cast<long>(GlobalIndstillinger.insnr));
  const size_t n = std::strlen(ejer);
  for (uint32_t r = 1; r < tvtg.wRecCnt; ++r) {
    auto *tg = reinterpret_cast<TgRec *>(GetRec(&tdtg, &tvtg, r));
    if (!tg) continue;
    const bool egen = strnlen(tg->Navn2, sizeof tg->Navn2) == n && std::memcmp(tg->Navn2, ejer, n) == 0;
    tg->PlanlaegningsLaast = egen ? 0 : 1;
  }
}

// A start that ends before the message loop leaves the log closed.
int AfbrydOpstart(int kode) {
  LukTastLog();
  LukLog();
  return kode;
}

// A start that ends once the main window exists: the window goes (nothing
// is saved: the data were not loaded), with the quit message it leaves, and
// the shutdown runs.
int AfbrydEfterHovedvindue(int kode) {
  if (hwndHoved) DestroyWindow(hwndHoved);
  MSG msg;
  while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
  }
  return Nedluk(kode);
}

}  // namespace

bool HentDataVedStart() {
  // A save that a crash broke off is finished, or undone, before the load;
  // only the run that holds the data may do it.
  if (LaasenHoldes && !GendanAfbrudtGemning()) {
    GemFejl fejl{};
    if (SidsteGemFejl(&fejl)) VisGemFejl(0, fejl);
    return false;
  }
  // The import inside the load builds the derived data, also when no
  // import file waits.
  StartHentAlleData();
  DataHentet = true;
  return true;
}

bool GemDataVedLukning() {
  // Before the load the tables in memory are empty: saving them would
  // empty the files.
  if (!DataHentet || GlobalIndstillinger.skemalaast || GlobalIndstillinger.supertavo) return true;
  // A failed save has told the user and kept the files as they were.
  return StartGemAlleData(0, 1);
}

int Opstart(HINSTANCE inst, int visning) {
  RegistrerOrvaneRessourcer();
  LaasenHoldes = false;
  DataHentet = false;
  StandardIndstillinger();
  // The log's lock must exist before any thread that logs.
  OpretLogLaas();
  // Every hook is filled before the first step, so that no step meets an
  // empty one: the settings reader of step 8 asks the web for the news
  // date, the update check of step 13 reports to the status row, and a
  // fatal stop before step 24 must reach the lock rule of this run.
  InstallerKroge();

  // 1-2
  MainCommandLine();
  DeleteStdErrLog();
  InstallerErrSignalHandler();
  // 3
  BrowserTjek();
  // 4
  InitStiTab();
  // 5
  const std::string filVersion = FilVersion();
  AabnLog(filVersion.empty() ? nullptr : filVersion.c_str());
  tavo::SetAssertHandlers(AssertLog, SletEgenLaasefil);
  // 6
  if (!OpretDataMapper()) return AfbrydOpstart(0);
  // 12, before anything reads or writes the settings file.
  if (GetFileAttributesA(StiTab.szini) == INVALID_FILE_ATTRIBUTES) {
    char tekst[kStiLaengde + 40];
    std::snprintf(tekst, sizeof tekst, "Filen %s - ikke fundet!", StiTab.szini);
    OpstartBoks(tekst, "Fejl", MB_OK | MB_ICONSTOP);
    return AfbrydOpstart(0);
  }
  // 7
  InitPeriode(GetPrivateProfileIntA("global", "fradato", 20170801, StiTab.szini),
              GetPrivateProfileIntA("global", "tildato", 20191231, StiTab.szini),
              GetPrivateProfileIntA("global", "lasdato", 20180101, StiTab.szini));
  // 8: read only; the file is tidied once the lock is settled.
  LaesIndstillinger(false);
  // 9
  if (GlobalIndstillinger.tastlog) StartTastLog();
  // 10
  std::snprintf(StiTekst, sizeof StiTekst, "TAVO-skema   Prog. sti: %s   Data sti: %s", StiTab.szprog,
                StiTab.szdata);
  // 11
  ErstatProgramFil("Tavo.ex_", "Tavo.exe");
  // 13: the lock file is not this run's yet, so it stays. A package that
  // could not be started has been reported, and the start goes on.
  const int opdat = CheckOpdatering();
  if (opdat == OPDAT_KOERER || opdat == OPDAT_PAKKE_STARTET) return AfbrydOpstart(0);
  // 14
  ErstatProgramFil("ZintelNy.exe", "Zintel.exe");
  // 15
  if (!TagLaasen()) return AfbrydOpstart(0);
  // 16
  if (!GlobalIndstillinger.skemalaast) {
    SkrivStartLinje(GlobalIndstillinger.insnr, version, StiTab.szprog);
    RydOpIndstillinger();
  }
  // 17
  hInst = inst;
  InitPalette();
  hMarkoerForbudt = LoadCursorA(0, IDC_NO);
  hMarkoerPil = LoadCursorA(0, IDC_ARROW);
  // 18
  RegistrerVinduesKlasser();
  RegistrerSkemaTegning();
  // 19
  KaptionStripStor = LaasStrip(IDB_KAPTION_STOR, 16, 14);
  KaptionStripLille = LaasStrip(IDB_KAPTION_LILLE, 12, 12);
  // 20
  char titel[64];
  std::snprintf(titel, sizeof titel, GlobalIndstillinger.skemalaast ? "%i - TAVO-skema [LÅST]" : "%i - TAVO-skema",
                GlobalIndstillinger.insnr);
  hwndHoved = CreateWindowExA(0, "MainWndClass", titel, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, hInst, nullptr);
  if (!hwndHoved) {
    LogPrintf("** Fejl: Hovedvinduet kunne ikke oprettes: Fejlnr: %lu\n", static_cast<unsigned long>(GetLastError()));
    return Nedluk(1);
  }
  if (GlobalIndstillinger.supertavo)
    SetClassLongPtrA(hwndHoved, GCLP_HICON, static_cast<LONG_PTR>(LoadIconA(hInst, IDI_SUPER)));
  // The fonts keep a drawing context of the main window, so they come as
  // soon as it exists.
  LoadFonts(hwndHoved);
  // 21
  HentGruppeNavne();
  BeregnGruppeListeBredder();
  // 22
  if (OpretTooltip(hInst, hwndHoved)) {
    if (auto *ti = reinterpret_cast<TooltipInfo *>(GetWindowLongPtrA(hwndTooltip, GWLP_USERDATA)))
      ti->parent = hwndHoved;
  }
  // 23
  OpretVaerktoejslinje();
  // 24
  ShowWindow(hwndHoved, SW_SHOWMAXIMIZED);
  UpdateWindow(hwndHoved);
  if (!OpretDesktop()) {
    LogPrintf("** Fejl: Skrivebordet kunne ikke oprettes: Fejlnr: %lu\n", static_cast<unsigned long>(GetLastError()));
    return AfbrydEfterHovedvindue(1);
  }
  // 25
  OpretTalMutex();
  // 26
  LaesSwitchIni();
  // 27. A data folder that cannot be loaded stops the program as a data
  // error does: the lock file goes, the START.LOG line stays open.
  if (!HentDataVedStart()) {
    SletEgenLaasefil();
    LaasenHoldes = false;
    return AfbrydEfterHovedvindue(kDataFejlExitKode);
  }
  // 28-29: a read-only run writes nothing into the data folder.
  if (!GlobalIndstillinger.skemalaast) {
    GemStartKopi();
    WritePrivateProfileStringA("flag", "aktigrupper", nullptr, StiTab.szini);
  }
  // 30-31
  VisSkaermeIMenu();
  StartStartTraad();
  // 32
  TraceSpoergsmaal();
  // 33
  SaetPlanlaegningsLaas();
  // 34
  CheckGammelEksport();
  NyeDataCheck(true);
  // 35
  LaesSystemMetrik();
  // 36
  if (GlobalIndstillinger.insnr == 0) SendMessageA(hwndHoved, WM_COMMAND, 40166, 0);
  // 37
  VisNyhederVedStart();
  (void)visning;  // the main window always comes up maximised
  return kOpstartFortsaet;
}

int KoerBeskedLoekke() {
  MSG msg{};
  while (GetMessageA(&msg, 0, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

int Nedluk(int kode) {
  // 1
  LukTalMutex();
  // 2
  FrigivRingeGrupper();
  // 3
  UnloadFonts();
  FrigivPalette();
  // 4: a read-only run leaves the choices of the run that holds the data.
  if (!GlobalIndstillinger.skemalaast) GemValgtSwt();
  FrigivSwitchTab();
  // Marks of subjects that were never loaded would only be guesses.
  if (DataHentet) SyncSkphIni();
  CleanupAVSListe();
  // 5
  DataHentet = false;
  for (size_t i = 0; i < TabRegisterAntal; ++i) ResetTab(TabRegister[i].pTabDesc, TabRegister[i].pTabVar, 0);
  TomSkemabeg();
  TomTimoak();
  TomUdplatim();
  TomHontim();
  // 6
  SkrivSlutIndstillinger();
  // 7
  AfregistrerVinduesKlasser();
  ToolbarTipsFrigiv();
  hwndMainToolbar = 0;
  hwndHoved = hwndDesktop = 0;
  // 8
  ClipCursor(nullptr);
  // 9
  if (LaasenHoldes) {
    DeleteLockFile(StiTab.szdata);
    EndStartLogEntry(GlobalIndstillinger.insnr, version, StiTab.szprog);
    LaasenHoldes = false;
  }
  // 10
  TastLogLine("Debug:  Slut");
  LukTastLog();
  // 11
  LukLog();
  // 12
  return kode;
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int visning) {
  const int kode = Opstart(inst, visning);
  if (kode != kOpstartFortsaet) return kode;
  return Nedluk(KoerBeskedLoekke());
}
