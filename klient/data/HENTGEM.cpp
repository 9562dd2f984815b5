#include "HENTGEM.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <vector>

#include "DATO.h"
#include "ELVRELLOKAL.h"
#include "INDSTIL.h"
#include "LOGFIL.h"
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
HentGemKroge HentGemKrog = {nullptr, nullptr, nullptr, nullptr, nullptr, SletLaaseFil, nullptr};

namespace {

// One writer of the record and side files at a time: the save command must
// not write a record file in place while the background save writes it.
std::mutex GemLaas;

// Tables that the last load could not read, by registry position, and
// whether it stopped before the side files.
std::vector<uint8_t> IkkeHentet;
bool SideFilerIkkeHentet = false;

bool TabelHentet(size_t i) { return i >= IkkeHentet.size() || !IkkeHentet[i]; }

void Tekst(HWND hDlg, UINT msg, const char *tekst) {
  if (hDlg) SendMessageA(hDlg, msg, 0, reinterpret_cast<LPARAM>(tekst));
}

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

// ---- Files of save all ----

bool FilFindes(const char *sti) {
  FILE *f = fopen(sti, "rb");
  if (!f) return false;
  fclose(f);
  return true;
}

// A small text file written beside its name and renamed over it; skipped
// silently when it cannot be written.
void SkrivTekstFil(const char *navn, const char *tmpNavn, const std::string &tekst) {
  char sti[kStiLaengde], tmp[kStiLaengde];
  if (!DataFilSti(sti, sizeof sti, navn, "") || !DataFilSti(tmp, sizeof tmp, tmpNavn, "")) return;
  FILE *f = fopen(tmp, "wb");
  if (!f) return;
  bool ok = fwrite(tekst.data(), 1, tekst.size(), f) == tekst.size();
  if (fclose(f) != 0) ok = false;
  if (!ok || rename(tmp, sti) != 0) remove(tmp);
}

void GemCntLokaleBeg() {
  char linje[96];
  snprintf(linje, sizeof linje, "%lu, %lu, %llu", static_cast<unsigned long>(AendringerFoersteFire()),
           static_cast<unsigned long>(AendringerSidsteFire()),
           static_cast<unsigned long long>(time(nullptr)));
  SkrivTekstFil("CntLokaleBeg.dat", "CntLokaleBeg.tmp", linje);
}

// The steps of save all that the main thread does before the tables are
// written: the local overlap pairs, and the broadcast that makes the open
// windows take over their pending edits.
void GemFoerTabeller() {
  GemLokalElvRel();
  if (HentGemKrog.SendTilAlleVinduer) HentGemKrog.SendTilAlleVinduer(1027, 0, 0);
}

void GemEfterTabeller(uint8_t fGemGrupper) {
  if (fGemGrupper && HentGemKrog.GemGruppeValg) HentGemKrog.GemGruppeValg();
  GemCntLokaleBeg();
  if (AktiPrioritetMinde) GemAktiPrioriteter();
}

}  // namespace

// ---- The snapshot of the background save ----

struct GemSnapshot {
  struct Tabel {
    const TabDesc *pTd;
    TabVar Tv;
  };
  std::vector<Tabel> Tabeller;
  // Index: week or month index of the period (0 unused).
  std::vector<TabVar> Uger, Timoak, Udplatim, Hontim;
  bool fSideFiler = false;

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
  const bool alle = !FilFindes(sti);
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
  for (uint32_t b = 0; b < antalBlokke; ++b) {
    k.pfSave[b] = pTv->pfSave[b];
    if (!alle && !pTv->pfSave[b] && b + 1 < antalBlokke) continue;
    const size_t foerste = static_cast<size_t>(b) * pTd->RecPrBlok;
    const size_t antal = b + 1 < antalBlokke ? pTd->RecPrBlok : pTv->wRecCnt - foerste;
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

// The side file from copied buckets, in the layout the loaders read: the
// header, then per week or month in period order "<value> <rows>\n" and the
// rows. 0, or -1 with the old file kept.
int SkrivSideKopi(const TabDesc *pTd, const char *navn, bool uger, const std::vector<TabVar> &v) {
  char sti[kStiLaengde], tmp[kStiLaengde];
  if (!DataFilSti(sti, sizeof sti, navn, ".dat") || !DataFilSti(tmp, sizeof tmp, navn, ".gemtmp"))
    return -1;
  FILE *f = fopen(tmp, "wb");
  if (!f) return -1;
  int res = 0;
  DatHeader hdr{};
  hdr.Version = version;
  memcpy(hdr.RecSizeTekst, "RecSize", 8);
  hdr.RecSize = pTd->RecSize;
  if (fwrite(&hdr, 1, sizeof hdr, f) != sizeof hdr) res = -1;
  for (uint32_t i = 1; i < v.size() && res == 0; ++i) {
    if (v[i].wRecCnt == 0) continue;
    const long vaerdi = static_cast<long>(uger ? IndeksTilUge(i) : IndeksTilMaaned(i));
    const size_t bytes = static_cast<size_t>(v[i].wRecCnt) * pTd->RecSize;
    if (fprintf(f, "%ld %u\n", vaerdi, v[i].wRecCnt) < 0 || fwrite(v[i].pbTab, 1, bytes, f) != bytes)
      res = -1;
  }
  if (ferror(f)) res = -1;
  if (fclose(f) != 0) res = -1;
  if (res == 0 && ErstatDataFil(tmp, sti) != 0) res = -1;
  if (res != 0) SletDataFil(tmp);
  return res;
}

// The tables and side files of save all from the live tables (snap null)
// or from a snapshot. True when everything was written.
bool GemTabellerOgSidefiler(GemSnapshot *snap) {
  bool fejl = false;
  if (snap) {
    for (auto &t : snap->Tabeller)
      if (SaveTab(t.pTd, &t.Tv, nullptr) != 0) fejl = true;
  } else {
    for (size_t i = 0; i < TabRegisterAntal; ++i) {
      const TabRegEntry &e = TabRegister[i];
      if (!TabelHentet(i)) continue;
      if (SaveTab(e.pTabDesc, e.pTabVar, nullptr) != 0) fejl = true;
    }
  }
  if (fejl) return false;
  if (snap ? !snap->fSideFiler : SideFilerIkkeHentet) return false;
  if (snap) {
    return SkrivSideKopi(&tdske, "skemabeg", true, snap->Uger) == 0 &&
           SkrivSideKopi(&tdtimoak, "timoak", false, snap->Timoak) == 0 &&
           SkrivSideKopi(&tdudplatim, "udplatim", false, snap->Udplatim) == 0 &&
           SkrivSideKopi(&tdhontim, "hontim", false, snap->Hontim) == 0;
  }
  return SaveSkemabeg() == 0 && SaveTimoak() == 0 && SaveUdplatim() == 0 && SaveHontim() == 0;
}

}  // namespace

// ---- The wait dialog ----

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
    case WM_VENTE_TEKST:
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
  Tekst(hDlg, WM_VENTE_TEKST, "HENTER DATA  - ET ØJEBLIK");

  IkkeHentet.assign(TabRegisterAntal, 0);
  SideFilerIkkeHentet = false;
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
    if (HentGemKrog.DeleteLockFile) HentGemKrog.DeleteLockFile();
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

  Tekst(hDlg, WM_VENTE_TEKST, "REORGANISERER DATA - ET ØJEBLIK");
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

void GemAlleData(HWND hDlg, uint8_t fGemGrupper) {
  if (hDlg) {
    ShowWindow(hDlg, SW_SHOW);
    Tekst(hDlg, WM_VENTE_CAPTION, "Gemmer");
    Tekst(hDlg, WM_VENTE_TEKST, "GEMMER DATA  - ET ØJEBLIK");
  }
  GemFoerTabeller();
  {
    std::lock_guard<std::mutex> laas(GemLaas);
    if (GemTabellerOgSidefiler(nullptr) && HentGemKrog.GemStartKopi) HentGemKrog.GemStartKopi();
  }
  GemEfterTabeller(fGemGrupper);
  DataAendret.store(0);
}

int GemTabelNu(const TabDesc *pTd, TabVar *pTv) {
  for (size_t i = 0; i < TabRegisterAntal; ++i)
    if (TabRegister[i].pTabDesc == pTd && !TabelHentet(i)) return EACCES;
  char sti[kStiLaengde], tmp[kStiLaengde];
  if (!DataFilSti(sti, sizeof sti, pTd->Navn, ".DAT") ||
      !DataFilSti(tmp, sizeof tmp, pTd->Navn, ".tmp"))
    return ENAMETOOLONG;
  if (pTv->wRecCnt == 0) return 0;
  std::lock_guard<std::mutex> laas(GemLaas);
  // A file that SaveTab has to create gets every block, not only the
  // changed ones.
  SletDataFil(tmp);
  int fejl = SaveTab(pTd, pTv, tmp);
  if (fejl == 0) fejl = ErstatDataFil(tmp, sti);
  if (fejl != 0) SletDataFil(tmp);
  return fejl;
}

void StartGemAlleData(HWND hDlg, uint8_t fGemGrupper) {
  if (hDlg) {
    GemAlleData(hDlg, fGemGrupper);
    return;
  }
  VenteBlok blok{};
  HWND eget = AabnVenteDialog(&blok);
  GemAlleData(eget, fGemGrupper);
  LukVenteDialogTraad(&blok);
}

// ---- The background save ----

HANDLE StartAutoGemAlleData(AutoGemBlok *blok) {
  if (blok->Traad.load() || !DataAendret.load() || AendringerIalt() == 0) return 0;
  auto *snap = new GemSnapshot;
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

  blok->Snapshot = snap;
  blok->Traad.store(1);
  HANDLE h = CreateThread(nullptr, 0, AutoGemAlleData, blok, 0, nullptr);
  if (!h) {
    blok->Traad.store(0);
    blok->Snapshot = nullptr;
    delete snap;
    DataAendret.store(1);
  }
  return h;
}

DWORD WINAPI AutoGemAlleData(LPVOID arg) {
  auto *blok = static_cast<AutoGemBlok *>(arg);
  if (GemSnapshot *snap = blok->Snapshot) {
    blok->Snapshot = nullptr;
    bool komplet;
    {
      std::lock_guard<std::mutex> laas(GemLaas);
      komplet = GemTabellerOgSidefiler(snap);
      if (komplet && HentGemKrog.GemStartKopi) HentGemKrog.GemStartKopi();
    }
    delete snap;
  }
  blok->Traad.store(0);
  return 0;
}
