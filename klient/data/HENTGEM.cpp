// Load all and save all, with their wait dialog and the occasions that call them.
#include "HENTGEM.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <vector>

#include "BESKEDER.h"
#include "DATO.h"
#include "ELVRELLOKAL.h"
#include "GEMNING.h"
#include "INDSTIL.h"
#include "LOGFIL.h"
#include "NULSTIL.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "TALTAB.h"
#include "TAVODATA.h"
#include "win/controls.h"
#include "tavo/assert.h"
#include "win/dlg.h"

std::atomic<uint32_t> DataAendret{0};
DWORD VenteDialogLukPause = 1000;
HentGemKroge HentGemKrog = {};

namespace {

// Tables that the last load could not read, by registry position, and
// whether it stopped before the side files.
std::vector<uint8_t> IkkeHentet;
bool SideFilerIkkeHentet = false;

bool TabelHentet(size_t i) { return i >= IkkeHentet.size() || !IkkeHentet[i]; }

void Tekst(HWND hDlg, UINT msg, const char *tekst) {
  if (hDlg) SendMessageA(hDlg, msg, 0, reinterpret_cast<LPARAM>(tekst));
}


// ---- Files of save all ----

bool FilFindes(const char *sti) {
  FILE *f = fopen(sti, "rb");
  if (!f) return false;
  fclose(f);
  return true;
}

// Part of the save like every other file: a file that cannot be written
// fails the whole save, so the folder never holds new tables beside an old
// change count.
void GemCntLokaleBeg() {
  char sti[kStiLaengde];
  if (!DataFilSti(sti, sizeof sti, "CntLokaleBeg.dat", "")) return;
  GemFil f;
  if (f.Aabn(sti))
    f.Printf("%lu, %lu, %llu", static_cast<unsigned long>(AendringerFoersteFire()),
             static_cast<unsigned long>(AendringerSidsteFire()), static_cast<unsigned long long>(time(nullptr)));
  f.Luk();
}

// The steps of save all that the main thread does before the tables are
// written: the local overlap pairs, and the broadcast that makes the open
// windows take over their pending edits.
void GemFoerTabeller() {
  GemLokalElvRel();
  if (HentGemKrog.SendTilAlleVinduer) HentGemKrog.SendTilAlleVinduer(kGemVentende, 0, 0);
}

void GemEfterTabeller(uint8_t fGemGrupper) {
  if (fGemGrupper && HentGemKrog.GemGruppeValg) HentGemKrog.GemGruppeValg();
  GemCntLokaleBeg();
  if (AktiPrioritetMinde) GemAktiPrioriteter();
}

}  // namespace

// ---- The snapshot of the background save ----

struct GemSnapshot {
  // The save, started on the main thread and committed by the save thread.
  std::unique_ptr<Gemning> Gem;
  struct Tabel {
    const TabDesc *pTd;
    TabVar Tv;
  };
  std::vector<Tabel> Tabeller;
  // Index: week or month index of the period (0 unused).
  std::vector<TabVar> Uger, Timoak, Udplatim, Hontim;
  bool fSideFiler = false;
  // The files the data has consumed (HentGemKrog.ForbrugteFiler).
  std::vector<std::string> Forbrugt;

  ~GemSnapshot() {
    for (auto &t : Tabeller) {
      free(t.Tv.pbTab);
      free(t.Tv.pfSave);
    }
    for (auto *v : {&Uger, &Timoak, &Udplatim, &Hontim})
      for (auto &b : *v) free(b.pbTab);
  }
};

namespace {

// The changed blocks of a table (all of it when its file is missing, as
// the save then writes every block) and always its last block, which the
// save's trim reads.
TabVar KopierTabel(const TabDesc *pTd, TabVar *pTv) {
  TabVar k{};
  ++TabGemTaeller;
  TrimTab(pTd, pTv);
  if (pTv->wRecCnt == 0 || !pTv->pbTab) return k;
  char sti[kStiLaengde];
  DataFilSti(sti, sizeof sti, pTd->Navn, ".DAT");
  // A table emptied by a reset not yet saved is written whole (SaveTab).
  const bool alle = !FilFindes(sti) || NulstillingVenter(sti);
  const uint32_t antalBlokke = pTv->wRecCnt / pTd->RecPrBlok + 1;
  k.pbTab = static_cast<uint8_t *>(calloc(pTv->wRecCnt, pTd->RecSize));
  k.pfSave = static_cast<uint8_t *>(calloc(antalBlokke, 1));
  if (!k.pbTab || !k.pfSave) {
    free(k.pbTab);
    free(k.pfSave);
    tavo::AssertFailed("GemSnapshot != NULL", tavo::ModuleName(__FILE__), __LINE__);
  }
  k.wRecCnt = k.AllocAntal = pTv->wRecCnt;
  k.FilOrd = pTv->FilOrd;
  k.FilVersion = pTv->FilVersion;
  // The block of the last record: with a count that fills its last block
  // exactly, that is the one before the (empty) last block number.
  const uint32_t sidsteBlok = (pTv->wRecCnt - 1) / pTd->RecPrBlok;
  for (uint32_t b = 0; b < antalBlokke; ++b) {
    k.pfSave[b] = pTv->pfSave[b];
    if (!alle && !pTv->pfSave[b] && b < sidsteBlok) continue;
    const size_t foerste = static_cast<size_t>(b) * pTd->RecPrBlok;
    if (foerste >= pTv->wRecCnt) continue;
    const size_t antal = std::min<size_t>(pTd->RecPrBlok, pTv->wRecCnt - foerste);
    memcpy(k.pbTab + foerste * pTd->RecSize, pTv->pbTab + foerste * pTd->RecSize,
           antal * pTd->RecSize);
  }
  return k;
}

std::vector<TabVar> KopierBuckets(const TabDesc *pTd, bool uger, TabVar *(*bucket)(uint32_t)) {
  const uint32_t n = uger ? SkemaPeriode.AntalUger : SkemaPeriode.AntalMaaneder;
  std::vector<TabVar> v(n + 1);
  for (uint32_t i = 1; i <= n; ++i) {
    TabVar *b = bucket(uger ? IndeksTilUge(i) : IndeksTilMaaned(i));
    if (!b || !b->pbTab) continue;
    TrimTab(pTd, b);
    if (b->wRecCnt == 0) continue;
    const size_t bytes = static_cast<size_t>(b->wRecCnt) * pTd->RecSize;
    v[i].pbTab = static_cast<uint8_t *>(malloc(bytes));
    TAVO_ASSERT(v[i].pbTab != NULL);
    memcpy(v[i].pbTab, b->pbTab, bytes);
    v[i].wRecCnt = v[i].AllocAntal = b->wRecCnt;
  }
  return v;
}

TabVar *UgeBucket(uint32_t v) { return SkemabegBucket(v); }
TabVar *TimoakMnd(uint32_t v) { return TimoakBucket(v); }
TabVar *UdplatimMnd(uint32_t v) { return UdplatimBucket(v); }
TabVar *HontimMnd(uint32_t v) { return HontimBucket(v); }

int SkrivKopi(const TabDesc *pTd, std::vector<TabVar> &v) {
  return SkrivSideFil(pTd, [&v](uint32_t i) { return i < v.size() ? &v[i] : nullptr; });
}

// The tables and side files of save all from the live tables (snap null)
// or from a snapshot, into the running save; they stop at the first
// failure, which fails the save. True when every table and side file was
// loaded and so is part of the save (the start copies follow only such a
// save).
bool GemTabellerOgSidefiler(GemSnapshot *snap) {
  bool ok = true;
  if (snap) {
    for (auto &t : snap->Tabeller)
      if (ok) ok = SaveTab(t.pTd, &t.Tv, nullptr) == 0;
  } else {
    for (size_t i = 0; i < TabRegisterAntal && ok; ++i) {
      const TabRegEntry &e = TabRegister[i];
      if (TabelHentet(i)) ok = SaveTab(e.pTabDesc, e.pTabVar, nullptr) == 0;
    }
  }
  const bool sideFiler = snap ? snap->fSideFiler : !SideFilerIkkeHentet;
  if (!ok || !sideFiler) return false;
  if (snap)
    return SkrivKopi(&tdske, snap->Uger) == 0 && SkrivKopi(&tdtimoak, snap->Timoak) == 0 &&
           SkrivKopi(&tdudplatim, snap->Udplatim) == 0 && SkrivKopi(&tdhontim, snap->Hontim) == 0 &&
           AlleDataHentet();
  return SaveSkemabeg() == 0 && SaveTimoak() == 0 && SaveUdplatim() == 0 && SaveHontim() == 0 &&
         AlleDataHentet();
}

// The consumed files into the running save's commit; whether there were any.
bool FjernForbrugte(const std::vector<std::string> &filer) {
  for (const auto &f : filer) GemSlet(f.c_str());
  return !filer.empty();
}

// After a save: the data stays marked changed when it failed, and the user
// is told.
bool EfterGemning(bool ok, HWND hEjer) {
  if (ok) return true;
  DataAendret.store(1);
  GemFejl f{};
  if (SidsteGemFejl(&f)) VisGemFejl(hEjer, f);
  return false;
}

}  // namespace

// ---- The wait dialog ----

void RegistrerVenteSkabelon() {
  static std::once_flag en;
  std::call_once(en, [] {
    if (tavo::res::FindDialog(MAKEINTRESOURCE(IDD_VENTE))) return;
    tavo::res::DialogTemplate t;
    t.id = IDD_VENTE;
    t.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_VISIBLE;
    t.fontFace = "MS Sans Serif";
    t.pointSize = 8;
    t.cx = 186;
    t.cy = 40;
    t.items.push_back({"STATIC", IDC_VENTE_TEKST, "", SS_CENTER | WS_VISIBLE, 0, 26, 6, 134, 10});
    t.items.push_back({PROGRESS_CLASS, IDC_VENTE_BAR, "", WS_VISIBLE, 0, 6, 18, 174, 10});
    tavo::res::RegisterDialog(t);
  });
}

DWORD WINAPI VenteDialogTraad(LPVOID blok) {
  RegistrerVenteSkabelon();
  DialogBoxParamA(0, MAKEINTRESOURCE(IDD_VENTE), 0, VenteDialogProc, reinterpret_cast<LPARAM>(blok));
  return 0;
}

INT_PTR CALLBACK VenteDialogProc(HWND hDlg, UINT msg, WPARAM, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      auto *blok = reinterpret_cast<VenteBlok *>(lParam);
      SetFocus(hDlg);
      RECT rc{};
      GetClientRect(hDlg, &rc);
      const int bredde = rc.right - rc.left;
      HWND tekst = GetDlgItem(hDlg, IDC_VENTE_TEKST);
      HWND bar = GetDlgItem(hDlg, IDC_VENTE_BAR);
      MoveWindow(tekst, 40, 10, bredde - 80, 20, TRUE);
      MoveWindow(bar, 10, 30, bredde - 20, 20, TRUE);
      ShowWindow(tekst, SW_SHOW);
      ShowWindow(bar, SW_SHOW);
      SetWindowLongA(bar, GWL_STYLE, GetWindowLongA(bar, GWL_STYLE) | PBS_MARQUEE);
      SendMessageA(bar, PBM_SETMARQUEE, TRUE, 30);
      SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
      if (blok) blok->hDlg.store(hDlg);
      return FALSE;
    }
    case WM_VENTE_CAPTION:
      SetWindowTextA(hDlg, reinterpret_cast<LPCSTR>(lParam));
      return TRUE;
    case ELEMENT_NY_BREDDE:
      SetDlgItemTextA(hDlg, IDC_VENTE_TEKST, reinterpret_cast<LPCSTR>(lParam));
      return TRUE;
  }
  return FALSE;
}

void LukVenteDialog(HWND hDlg) {
  Sleep(VenteDialogLukPause);
  EndDialog(hDlg, 0);
}

HWND AabnVenteDialog(VenteBlok *blok) {
  blok->hDlg.store(0);
  blok->hTraad = CreateThread(nullptr, 0, VenteDialogTraad, blok, 0, nullptr);
  if (!blok->hTraad) return 0;
  // Polls until the dialog exists; a dialog that could not be made ends
  // its thread, which ends the wait too.
  while (!blok->hDlg.load()) {
    if (WaitForSingleObject(blok->hTraad, 50) == WAIT_OBJECT_0 && !blok->hDlg.load()) {
      CloseHandle(blok->hTraad);
      blok->hTraad = 0;
      return 0;
    }
  }
  return blok->hDlg.load();
}

void LukVenteDialogTraad(VenteBlok *blok) {
  if (HWND h = blok->hDlg.load()) LukVenteDialog(h);
  if (blok->hTraad) {
    WaitForSingleObject(blok->hTraad, INFINITE);
    CloseHandle(blok->hTraad);
    blok->hTraad = 0;
  }
  blok->hDlg.store(0);
}

void SletLaasefilVedStop() {
  // Without the start-up's rule nobody has said whose lock it is: a lock
  // of another run must never go.
  if (HentGemKrog.DeleteLockFile)
    HentGemKrog.DeleteLockFile();
  else
    LogPrintf("** Info: Låsefilen bliver stående: ingen regel for den i denne kørsel\n");
}

void SletLaaseFil() {
  if (!StiTab.szlck[0]) return;
  if (!DeleteFileA(StiTab.szlck)) {
    const DWORD fejl = GetLastError();
    if (fejl == ERROR_FILE_NOT_FOUND || fejl == ERROR_PATH_NOT_FOUND) return;
    LogPrintf("** Fejl: Ved delete af Tavo.lck: Fejlnr: %d - %s\n", static_cast<int>(fejl),
              DataFejlTekst(errno));
  }
}

// ---- Load all ----

bool AlleDataHentet() {
  for (uint8_t b : IkkeHentet)
    if (b) return false;
  return !SideFilerIkkeHentet;
}

int HentAlleData(HWND hDlg) {
  if (hDlg) ShowWindow(hDlg, SW_SHOW);
  Tekst(hDlg, WM_VENTE_CAPTION, "HENTER");
  Tekst(hDlg, ELEMENT_NY_BREDDE, "HENTER DATA  - ET ØJEBLIK");

  IkkeHentet.assign(TabRegisterAntal, 0);
  SideFilerIkkeHentet = false;
  GlemNulstilling();
  int res = 0;
  size_t i = 0;
  for (; i < TabRegisterAntal; ++i) {
    const TabRegEntry &e = TabRegister[i];
    res = LoadTab(e.pTabDesc, e.pTabVar);
    if (res != 0) break;
    e.pTabVar->fSorter = 1;
    e.pTabVar->LoadMaerke = LOADMAERKE_START;
  }
  if (res == 0) {
    res = LoadSkemabeg();
    if (res == 0) res = LoadTimoak();
    if (res == 0) res = LoadUdplatim();
    if (res == 0) res = LoadHontim();
  }
  if (res < 0) {
    MessageBoxA(hDlg,
                "Fejl i data filerne. Datastrukturen har en forkert størrelse.\n"
                "Kontakt TAVO-support!",
                "OBS! Data fejl", MB_OK | MB_ICONERROR);
    if (hDlg) LukVenteDialog(hDlg);
    SletLaasefilVedStop();
    ExitProcess(kDataFejlExitKode);
  }
  if (res > 0) {
    // A file that could not be read: the loading stops there, and neither
    // that table, the ones after it nor the side files are ever saved over.
    for (size_t j = i; j < TabRegisterAntal; ++j) {
      IkkeHentet[j] = 1;
      const TabRegEntry &e = TabRegister[j];
      if (j > i || !e.pTabVar->pbTab) ResetTab(e.pTabDesc, e.pTabVar, 1);
      e.pTabVar->fSorter = 1;
    }
    SideFilerIkkeHentet = true;
  }

  const uint32_t programVersion = version;
  UINT versionskift = GetPrivateProfileIntA("global", "versionskift", static_cast<INT>(programVersion),
                                            StiTab.szini);
  if (versionskift < programVersion && !GlobalIndstillinger.skemalaast) {
    char tal[16];
    snprintf(tal, sizeof tal, "%u", programVersion);
    WritePrivateProfileStringA("global", "versionskift", tal, StiTab.szini);
  }

  Tekst(hDlg, ELEMENT_NY_BREDDE, "REORGANISERER DATA - ET ØJEBLIK");
  for (uint8_t type : {'K', 'M', 'L', 'U'}) CreateReservedRecs(type);

  AllokerPlanTalUgeTab();
  AllokerPlanTalMndTab();
  AllokerMedTal();

  LoadLokalElvRel();
  if (HentGemKrog.HentGruppeValgStjerne) HentGemKrog.HentGruppeValgStjerne();
  if (HentGemKrog.ImportData) HentGemKrog.ImportData(hDlg);
  LoadAktiPrioriteter();
  return 0;
}

void StartHentAlleData() {
  VenteBlok blok{};
  HWND hDlg = AabnVenteDialog(&blok);
  HentAlleData(hDlg);
  if (HentGemKrog.ImportElevplan) HentGemKrog.ImportElevplan();
  LukVenteDialogTraad(&blok);
}

// ---- Save all ----

bool GemAlleData(HWND hDlg, uint8_t fGemGrupper) {
  if (hDlg) {
    ShowWindow(hDlg, SW_SHOW);
    Tekst(hDlg, WM_VENTE_CAPTION, "Gemmer");
    Tekst(hDlg, ELEMENT_NY_BREDDE, "GEMMER DATA  - ET ØJEBLIK");
  }
  bool ok;
  {
    // Waits for a running background save; every file below is one commit.
    Gemning g;
    std::vector<std::string> forbrugt;
    if (HentGemKrog.ForbrugteFiler) HentGemKrog.ForbrugteFiler(&forbrugt);
    NulstillingIGemning();
    GemFoerTabeller();
    const bool komplet = GemTabellerOgSidefiler(nullptr);
    GemEfterTabeller(fGemGrupper);
    if (komplet && HentGemKrog.GemStartKopi) HentGemKrog.GemStartKopi();
    const bool fjerner = komplet && FjernForbrugte(forbrugt);
    ok = g.Fuldfoer();
    if (komplet && g.Besluttet()) NulstillingGemt();
    if (fjerner && g.Besluttet() && HentGemKrog.EfterKompletGemning) HentGemKrog.EfterKompletGemning();
  }
  if (ok) DataAendret.store(0);
  return EfterGemning(ok, hDlg);
}

int GemTabelNu(const TabDesc *pTd, TabVar *pTv) {
  for (size_t i = 0; i < TabRegisterAntal; ++i)
    if (TabRegister[i].pTabDesc == pTd && !TabelHentet(i)) return EACCES;
  // SaveTab replaces the file through the crash-safe save: a save of its
  // own, after a running background save.
  return SaveTab(pTd, pTv, nullptr);
}

bool StartGemAlleData(HWND hDlg, uint8_t fGemGrupper) {
  if (hDlg) return GemAlleData(hDlg, fGemGrupper);
  VenteBlok blok{};
  HWND eget = AabnVenteDialog(&blok);
  const bool ok = GemAlleData(eget, fGemGrupper);
  LukVenteDialogTraad(&blok);
  return ok;
}

// ---- The background save ----

HANDLE StartAutoGemAlleData(AutoGemBlok *blok) {
  if (blok->Traad.load() || !DataAendret.load() || AendringerIalt() == 0) return 0;
  // The plan jobs change the plan tables on their own threads while they
  // hold the plan mutex: the copy waits for a tick when none does.
  if (!ProevPlanMutex()) return 0;
  struct Slip {
    ~Slip() { SlipPlanMutex(); }
  } slip;
  // The save is started here, so the small files written on this thread
  // below and the tables the thread writes are one commit.
  auto gemning = std::make_unique<Gemning>(false);
  if (!gemning->Aktiv()) return 0;
  auto *snap = new GemSnapshot;
  if (HentGemKrog.ForbrugteFiler) HentGemKrog.ForbrugteFiler(&snap->Forbrugt);
  NulstillingIGemning();
  GemFoerTabeller();
  for (size_t i = 0; i < TabRegisterAntal; ++i) {
    if (!TabelHentet(i)) continue;
    const TabRegEntry &e = TabRegister[i];
    snap->Tabeller.push_back({e.pTabDesc, KopierTabel(e.pTabDesc, e.pTabVar)});
  }
  snap->fSideFiler = !SideFilerIkkeHentet;
  if (snap->fSideFiler) {
    snap->Uger = KopierBuckets(&tdske, true, UgeBucket);
    snap->Timoak = KopierBuckets(&tdtimoak, false, TimoakMnd);
    snap->Udplatim = KopierBuckets(&tdudplatim, false, UdplatimMnd);
    snap->Hontim = KopierBuckets(&tdhontim, false, HontimMnd);
  }
  // The small files are written from the main thread with the snapshot.
  GemEfterTabeller(blok->fGemGrupper);
  DataAendret.store(0);

  gemning->Slip();
  snap->Gem = std::move(gemning);
  blok->Snapshot = snap;
  blok->Fejlet.store(0);
  blok->Traad.store(1);
  HANDLE h = CreateThread(nullptr, 0, AutoGemAlleData, blok, 0, nullptr);
  if (!h) {
    blok->Traad.store(0);
    blok->Snapshot = nullptr;
    snap->Gem->Tag();
    delete snap;  // the save is abandoned
    DataAendret.store(1);
  }
  return h;
}

DWORD WINAPI AutoGemAlleData(LPVOID arg) {
  auto *blok = static_cast<AutoGemBlok *>(arg);
  bool ok = true;
  if (GemSnapshot *snap = blok->Snapshot) {
    blok->Snapshot = nullptr;
    snap->Gem->Tag();
    const bool komplet = GemTabellerOgSidefiler(snap);
    if (komplet && HentGemKrog.GemStartKopi) HentGemKrog.GemStartKopi();
    const bool fjerner = komplet && FjernForbrugte(snap->Forbrugt);
    ok = snap->Gem->Fuldfoer();
    if (komplet && snap->Gem->Besluttet()) NulstillingGemt();
    if (fjerner && snap->Gem->Besluttet() && HentGemKrog.EfterKompletGemning) HentGemKrog.EfterKompletGemning();
    delete snap;
  }
  if (!ok) blok->Fejlet.store(1);
  // The save lock is free again before the box waits for the user.
  EfterGemning(ok, 0);
  blok->Traad.store(0);
  return ok ? 0 : 1;
}
