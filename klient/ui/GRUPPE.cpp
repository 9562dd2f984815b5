// The grouping window: the flag matrix, the toggle rules, the rows and
// their sorts, the count arrays the computed columns read, and the window's
// life. The matrix and the count arrays are always rebuilt cleared and sized
// for the table as it stands, so a membership removed or a record added
// while the window is open is neither restored nor written past.

#include "GRUPPE.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ARRANGER.h"
#include "DATO.h"
#include "ENSMUS.h"
#include "FONTE.h"
#include "GEMNING.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "INDSTIL.h"
#include "KALENDER.h"
#include "KATALOG.h"
#include "NYBUTTON.h"
#include "OBJFELT.h"
#include "OPTAEL.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "STITAB.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TAVOTB.h"
#include "TEKST.h"
#include "VINDUER.h"
#include "VISFELT.h"

namespace {

constexpr int kBaandBredde = 400;
constexpr uint32_t kArkivBit = 0x80000000u;

GRPWS *Ws(HWND h) { return reinterpret_cast<GRPWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

// The open grouping windows, for the hooks the group file and the computed
// columns read.
std::vector<GRPWS *> &AabneVinduer() {
  static std::vector<GRPWS *> v;
  return v;
}

bool NogenAendret() {
  for (const GRPWS *w : AabneVinduer())
    if (w->Aendret) return true;
  return false;
}

struct Tabel {
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  size_t gruppe = 0;  // offset of the group word
};

Tabel TabelAf(char art) {
  Tabel t;
  switch (art) {
    case 'K': t = {&tdakti, &tvakti, offsetof(AktiRec, Gruppe)}; break;
    case 'L': t = {&tdloka, &tvloka, offsetof(LokaRec, Gruppe)}; break;
    case 'M': t = {&tdanfo, &tvanfo, offsetof(AnfoRec, Gruppe)}; break;
  }
  return t;
}

uint32_t LaesOrd(const uint8_t *p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

uint32_t OrdAf(const Tabel &t, uint32_t r) { return LaesOrd(t.pTv->pbTab + size_t{r} * t.pTd->RecSize + t.gruppe); }

uint8_t StatusAf(const Tabel &t, uint32_t r) {
  return t.pTv->pbTab[size_t{r} * t.pTd->RecSize + t.pTd->FeltTab[t.pTd->StatusFelt].Offset];
}

bool ErType(const char *type, const char *navn) { return std::strncmp(type, navn, 4) == 0; }

const char *TitelAf(char art) {
  switch (art) {
    case 'K': return "Aktivitets gruppering";
    case 'L': return "Lokale gruppering";
    default: return "Medarbejder gruppering";
  }
}

// The schedule rows of the own installation in every week of the period
// that name each room or employment, counting only records not archived.
void ByggAntalSke(GRPWS *ws) {
  std::free(ws->AntalSke);
  ws->AntalSke = nullptr;
  ws->AntalSkeAntal = 0;
  if (ws->Art != 'L' && ws->Art != 'M') return;
  const Tabel t = TabelAf(static_cast<char>(ws->Art));
  const uint32_t antal = t.pTv->wRecCnt;
  auto *tal = static_cast<uint32_t *>(std::calloc(std::max<uint32_t>(antal, 1), sizeof(uint32_t)));
  if (!tal) return;
  for (UgeIndeks i = 1; t.pTv->pbTab && i <= SkemaPeriode.AntalUger; ++i) {
    const TabVar *b = UgeBucket(IndeksTilAarOffset(i), static_cast<uint8_t>(IndeksTilUgeNr(i)));
    if (!b || !b->pbTab) continue;
    for (uint32_t r = 0; r < b->wRecCnt; ++r) {
      SkeRec s;
      std::memcpy(&s, b->pbTab + size_t{r} * sizeof(SkeRec), sizeof s);
      if ((s.Status & 0x40) == 0 || (s.Status & 0x08) != 0 || s.Ejer != GlobalIndstillinger.insnr) continue;
      const uint32_t id = ws->Art == 'L' ? s.loka_id : s.anfo_id;
      if (id == 0 || id >= antal || (OrdAf(t, id) & kArkivBit)) continue;
      ++tal[id];
    }
  }
  ws->AntalSke = tal;
  ws->AntalSkeAntal = antal;
}

// Installs the count arrays of the open windows (the newest of a kind),
// cleared when none is open.
void InstallerKroge() {
  ObjFeltKilder.AntalSkeLoka = ObjFeltKilder.AntalSkeAnfo = nullptr;
  ObjFeltKilder.AntalSkeLokaAntal = ObjFeltKilder.AntalSkeAnfoAntal = 0;
  for (const GRPWS *w : AabneVinduer()) {
    if (w->Art == 'L') ObjFeltKilder.AntalSkeLoka = w->AntalSke, ObjFeltKilder.AntalSkeLokaAntal = w->AntalSkeAntal;
    if (w->Art == 'M') ObjFeltKilder.AntalSkeAnfo = w->AntalSke, ObjFeltKilder.AntalSkeAnfoAntal = w->AntalSkeAntal;
  }
  GrupperingAendret = AabneVinduer().empty() ? nullptr : NogenAendret;
}

uint8_t *Celler(GRPWS *ws, uint32_t rec) {
  return ws->Flag && rec < ws->FlagAntal ? ws->Flag + size_t{rec} * kGruppeKolonner : nullptr;
}

bool IniFilSti(char *buf, size_t n, const char *navn) {
  const int r = std::snprintf(buf, n, "%sini\\%s", StiTab.szdata, navn);
  return r > 0 && static_cast<size_t>(r) < n;
}

// ini\grupper.ini copied over ini\grupper.bak when it holds anything; the
// copy replaces the old one whole or not at all.
void KopierGruppeBackup() {
  char ini[kStiLaengde], bak[kStiLaengde];
  if (!IniFilSti(ini, sizeof ini, "grupper.ini") || !IniFilSti(bak, sizeof bak, "grupper.bak")) return;
  FILE *f = std::fopen(ini, "rb");
  if (!f) return;
  const bool tom = std::fgetc(f) == EOF;
  std::fclose(f);
  if (!tom) GemKopi(ini, bak);
}

// The steps of a closing window whose groups changed.
void GemAendringer(HWND h) {
  WritePrivateProfileStringA("flag", "exportergrupper", "1", StiTab.szini);
  GemGruppeValg(0);
  KopierGruppeBackup();
  SendTilAlleVinduer(DATA_AENDRET, 0, (LPARAM)h, h);
  if (hwndHoved && IsWindow(hwndHoved) && !SkaermGendannes) {
    const TastInfo gemt = AktuelTast;
    SendMessageA(hwndHoved, WM_KEYDOWN, VK_F3, 0);
    AktuelTast = gemt;
  }
}

void Frigiv(GRPWS *ws) {
  Ens &e = ws->ens;
  for (uint32_t i = 0; ws->hwndFeltSortBut && i < ws->FeltSortAntal; ++i)
    if (ws->hwndFeltSortBut[i] && IsWindow(ws->hwndFeltSortBut[i])) DestroyWindow(ws->hwndFeltSortBut[i]);
  for (int i = 0; ws->hwndGrpSortBut && i < kGruppeKolonner; ++i)
    if (ws->hwndGrpSortBut[i] && IsWindow(ws->hwndGrpSortBut[i])) DestroyWindow(ws->hwndGrpSortBut[i]);
  std::free(ws->hwndFeltSortBut);
  std::free(ws->hwndGrpSortBut);
  std::free(e.hwndSwitchButtons);
  std::free(e.ObjTab);
  std::free(ws->Flag);
  std::free(ws->AntalSke);
  std::free(ws);
}

void OnCreate(HWND h, GRPWS *ws) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  ws->hwnd = h;
  Ens &e = ws->ens;
  e.hwndParent = GetParent(h);
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  std::snprintf(e.Titel, sizeof e.Titel, "%s", TitelAf(static_cast<char>(ws->Art)));

  const int cxf = GetSystemMetrics(SM_CXFRAME), cyf = GetSystemMetrics(SM_CYFRAME);
  e.KolHovedHoejde = kGrpKnapHoejde;
  e.RaekkeHovedBredde = ObjSwitchBredde(kGruppeNavneArt, ws->Art, ws->NavneValgt);
  e.SkiftBredde = static_cast<uint32_t>(ws->NavneLayoutAntal * GetSystemMetrics(SM_CXVSCROLL));
  e.hdc = GetDC(h);
  RECT rc;
  GetClientRect(h, &rc);
  e.Areal[0] = cxf;
  e.Areal[1] = cyf + GetSystemMetrics(SM_CYCAPTION) + 22;
  e.Areal[2] = rc.right - 1 - cxf;
  e.Areal[3] = rc.bottom - 1 - cyf;
  // A group column and the line after it; the columns 11, 21 and 31 give
  // a pixel of theirs to a double line.
  e.AkseX = GridAkse{0, ws->CelleBredde, 1, 0, 1};
  e.AkseY = GridAkse{0, kGrpRaekkeHoejde - 1, 1, 0, 1};
  e.StyrX = &ws->PosX;
  e.StyrY = &ws->PosY;
  EnsCalcLayout(&e);

  e.hwndSwitchButtons = static_cast<HWND *>(std::calloc(ws->NavneLayoutAntal + 1u, sizeof(HWND)));
  const uint32_t toolbar[7] = {ws->Art, 0, 0, 0, 0, 0, kBaandBredde};
  EnsCreateChildren(&e, h, ws->NavneLayoutAntal, toolbar, TxtFont, true, true, nullptr);
  VinduesListeTilfoej(h);
  if (e.hwndSwitchButtons && ws->NavneValgt < ws->NavneLayoutAntal && e.hwndSwitchButtons[ws->NavneValgt])
    SendMessageA(e.hwndSwitchButtons[ws->NavneValgt], NYB_LAAS_NED, 0, 0);

  ws->SortKolonne = 0xFF;
  ws->PosX = GridPos{kGruppeKolonner, 1, 0, 1};
  ws->PosY = GridPos{0, 1, 0, 0};
  OpretGruppeKnapper(ws);
  ByggGruppeListe(ws);
  AabneVinduer().push_back(ws);
  InstallerKroge();

  if (SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, (LPARAM)h)) {
    e.Aktiv = e.CaptionAktiv = 1;
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, (LPARAM)h);
  }
  SetFocus(h);
}

void OnDestroy(HWND h, GRPWS *ws) {
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  VinduesListeFjern(h);
  if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, (LPARAM)h);
  GemGruppeBits(static_cast<char>(ws->Art), ws->Flag, ws->FlagAntal);
  // The group file's save asks the hook whether the groups changed, so the
  // window leaves the hooks only after it.
  if (ws->Aendret) GemAendringer(h);
  auto &v = AabneVinduer();
  v.erase(std::remove(v.begin(), v.end(), ws), v.end());
  InstallerKroge();
  Frigiv(ws);
}

void Aktiver(HWND h, GRPWS *ws, WPARAM wParam) {
  Ens &e = ws->ens;
  e.CaptionAktiv = 1;
  if (e.Aktiv) return;
  e.Aktiv = 1;
  SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, (LPARAM)h);
  if (Ws(h) == ws) TegnGruppeVindue(ws);
}

void SkiftLayout(HWND h, GRPWS *ws, uint32_t n) {
  if (n == ws->NavneValgt || n >= ws->NavneLayoutAntal) return;
  Ens &e = ws->ens;
  if (e.hwndSwitchButtons) {
    if (ws->NavneValgt < ws->NavneLayoutAntal && e.hwndSwitchButtons[ws->NavneValgt])
      SendMessageA(e.hwndSwitchButtons[ws->NavneValgt], NYB_LAAS_OP, 0, 0);
    if (e.hwndSwitchButtons[n]) SendMessageA(e.hwndSwitchButtons[n], NYB_LAAS_NED, 0, 0);
  }
  ObjSwitchVaelg(kGruppeNavneArt, ws->Art, n);
  ws->NavneValgt = static_cast<uint8_t>(n);
  ws->SortKolonne = 0xFF;
  ws->Faldende = 0;
  e.RaekkeHovedBredde = ObjSwitchBredde(kGruppeNavneArt, ws->Art, ws->NavneValgt);
  RECT rc;
  GetClientRect(h, &rc);
  EnsOnSize(&e, h, rc.right, rc.bottom, ws->NavneLayoutAntal);
  OpretGruppeKnapper(ws);
  GruppeScrollTilAktuel(ws);
  TegnGruppeVindue(ws);
}

void Knap(HWND h, GRPWS *ws, WPARAM id) {
  if (id > kGrpGruppeSortId && id <= kGrpGruppeSortId + kGruppeKolonner)
    return GruppeSorterGruppe(ws, static_cast<uint32_t>(id - kGrpGruppeSortId));
  if (id >= kGrpFeltSortId && id < ENS_SKIFT_ID) return GruppeSorterFelt(ws, static_cast<uint32_t>(id - kGrpFeltSortId));
  if (id >= ENS_SKIFT_ID && id < ENS_SKIFT_ID + 100) return SkiftLayout(h, ws, static_cast<uint32_t>(id - ENS_SKIFT_ID));
  switch (id) {
    case NYB_LUK: DestroyWindow(h); return;
    case NYB_MAKSIMER: EnsMaximize(h, &ws->ens); return;
    case NYB_MINIMER: EnsMinimize(h, &ws->ens); return;
  }
}

// Data changed outside the window: rows, matrix and counts from the tables.
void Genopbyg(GRPWS *ws) {
  ws->PosX.Aktuel = 1;
  ByggGruppeListe(ws);
  InstallerKroge();
  GruppeScrollTilAktuel(ws);
  TegnGruppeVindue(ws);
}

bool TastNed(GRPWS *ws, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace

// ==================================================================== matrix

void HentGruppeBits(char art, uint8_t *flag, uint32_t antal) {
  const Tabel t = TabelAf(art);
  if (!flag || !t.pTv || !t.pTv->pbTab || t.pTv->wRecCnt < 2) return;
  const uint32_t n = std::min(antal, t.pTv->wRecCnt);
  for (uint32_t r = 0; r < n; ++r) {
    const uint32_t ord = OrdAf(t, r);
    for (int k = 0; k < kGruppeKolonner; ++k)
      if (ord >> k & 1u) flag[size_t{r} * kGruppeKolonner + k] = 1;
  }
}

void GemGruppeBits(char art, const uint8_t *flag, uint32_t antal) {
  const Tabel t = TabelAf(art);
  if (!flag || !t.pTv || !t.pTv->pbTab) return;
  const uint32_t n = std::min(antal, t.pTv->wRecCnt);
  for (uint32_t r = 0; r < n; ++r) {
    uint32_t ord = 0;
    for (int k = 0; k < kGruppeKolonner; ++k)
      if (flag[size_t{r} * kGruppeKolonner + k] == 1) ord |= 1u << k;
    if (ord == OrdAf(t, r)) continue;
    std::memcpy(t.pTv->pbTab + size_t{r} * t.pTd->RecSize + t.gruppe, &ord, 4);
    if (t.pTv->pfSave && t.pTd->RecPrBlok) t.pTv->pfSave[r / t.pTd->RecPrBlok] = 1;
  }
}

void AktiSystemGrupper(uint8_t *flag, uint32_t antal, uint32_t akti) {
  if (!flag || akti >= antal || akti >= tvakti.wRecCnt || !tvakti.pbTab) return;
  const auto *a = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, akti));
  uint8_t *c = flag + size_t{akti} * kGruppeKolonner;
  if (ErType(a->Type, "HOLD")) c[1] = c[2] = 1;
  if (a->uvfo_id) c[3] = 1;
  if (ErType(a->Type, "IVAK")) c[1] = c[4] = 1;
  if (IsOvakAkti(akti)) c[5] = 1;
  bool egen = false;
  for (int k = 6; k < kGruppeKolonner; ++k) egen |= c[k] != 0;
  c[0] = egen ? 0 : 1;
  if (c[kArkivGruppe - 1]) std::memset(c, 0, kArkivGruppe - 1);
}

// ==================================================================== model

uint32_t GruppeAktuelRec(const GRPWS *ws) {
  const uint32_t r = ws->PosY.Aktuel;
  return ws->ens.ObjTab && r >= 1 && r <= ws->ens.ObjTabAntal ? ws->ens.ObjTab[r] : 0;
}

void ByggGruppeListe(GRPWS *ws) {
  Ens &e = ws->ens;
  const char art = static_cast<char>(ws->Art);
  const Tabel t = TabelAf(art);
  const uint32_t antal = t.pTv && t.pTv->pbTab ? t.pTv->wRecCnt : 0;

  std::free(ws->Flag);
  ws->Flag = static_cast<uint8_t *>(std::calloc(std::max<uint32_t>(antal, 1), kGruppeKolonner));
  ws->FlagAntal = ws->Flag ? antal : 0;
  HentGruppeBits(art, ws->Flag, ws->FlagAntal);
  ByggAntalSke(ws);

  std::free(e.ObjTab);
  e.ObjTab = static_cast<uint32_t *>(std::calloc(antal + 1, sizeof(uint32_t)));
  e.ObjTabAntal = 0;
  if (e.ObjTab) {
    uint32_t n = 0;
    for (uint32_t r = 0; r < antal; ++r) {
      const uint8_t s = StatusAf(t, r);
      if (s >= 10 && s <= 29) e.ObjTab[++n] = r;
    }
    e.ObjTabAntal = n;
    const SwitchLayout *l = ObjSwitchLayout(kGruppeNavneArt, ws->Art, 0);
    const uint32_t sortFelt = l ? l->SortFelt : 0;
    const uint32_t felter[2] = {sortFelt, 1};
    const bool begge = sortFelt != 0 && sortFelt != 1;
    const VisFeltKontekst kontekst{ws->hwnd, 0, 0, 0};
    SorterPaaFelter(art, e.ObjTab, n, t.pTd, t.pTv, &kontekst, 0, 1, begge ? felter : felter + 1, begge ? 2 : 1);
  }

  ws->PosY.Antal = e.ObjTabAntal;
  uint32_t aktuel = t.pTv ? t.pTv->AktuelRec : 0;
  uint32_t raekke = aktuel && aktuel < antal ? FindObjIdx(e.ObjTab, e.ObjTabAntal, aktuel) : 0;
  if (raekke == 0 && e.ObjTabAntal > 0) raekke = 1;
  ws->PosY.Aktuel = raekke;
  if (ws->PosY.Foerste == 0 || ws->PosY.Foerste > std::max<uint32_t>(uint32_t{e.ObjTabAntal}, 1))
    ws->PosY.Foerste = raekke ? raekke : 1;
}

bool SaetGruppe(GRPWS *ws, bool udAfArkiv, bool foresp) {
  if (GlobalIndstillinger.skemalaast) {
    if (!foresp)
      MessageBoxA(ws->hwnd, "Der kan ikke grupperes i et låst skema", "Gruppering", MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  const uint32_t rec = GruppeAktuelRec(ws);
  uint8_t *c = rec ? Celler(ws, rec) : nullptr;
  const uint32_t g = ws->PosX.Aktuel;
  if (!c || g < 1 || g > kGruppeKolonner) return false;
  const bool akti = ws->Art == 'K';
  if (akti && g < 7 && !udAfArkiv) return false;
  if (foresp) return true;

  uint8_t foer[kGruppeKolonner];
  std::memcpy(foer, c, sizeof foer);
  const auto grundgruppe = [&] {
    if (akti)
      AktiSystemGrupper(ws->Flag, ws->FlagAntal, rec);
    else
      c[0] = 1;
  };
  if (udAfArkiv) {
    if (c[kArkivGruppe - 1]) {
      c[kArkivGruppe - 1] = 0;
      grundgruppe();
    }
  } else if (c[g - 1]) {
    if (g >= 2) {
      c[g - 1] = 0;
      if (g == kArkivGruppe) grundgruppe();
      bool nogen = false;
      for (int k = 1; k < kGruppeKolonner; ++k) nogen |= c[k] != 0;
      if (!nogen) c[0] = 1;
      if (akti) AktiSystemGrupper(ws->Flag, ws->FlagAntal, rec);
    }
  } else if (g == 1) {
    std::memset(c, 0, kGruppeKolonner);
    c[0] = 1;
  } else if (g == kArkivGruppe) {
    std::memset(c, 0, kGruppeKolonner);
    c[kArkivGruppe - 1] = 1;
  } else {
    c[0] = c[kArkivGruppe - 1] = 0;
    c[g - 1] = 1;
    if (akti) AktiSystemGrupper(ws->Flag, ws->FlagAntal, rec);
  }
  GemGruppeBits(static_cast<char>(ws->Art), ws->Flag, ws->FlagAntal);
  // A toggle that changes nothing (Insert on an object not archived) gives
  // the close nothing to save.
  if (std::memcmp(foer, c, sizeof foer) != 0) ws->Aendret = 1;
  return true;
}

void GruppeSorterFelt(GRPWS *ws, uint32_t i) {
  if (i >= ws->FeltSortAntal || !ws->hwndFeltSortBut) return;
  Ens &e = ws->ens;
  if (i != ws->SortKolonne) {
    if (ws->SortKolonne < ws->FeltSortAntal && ws->hwndFeltSortBut[ws->SortKolonne])
      SendMessageA(ws->hwndFeltSortBut[ws->SortKolonne], NYB_BILLEDE, NYB_BILLEDE_HOEJRE, 0);
    ws->SortKolonne = static_cast<uint8_t>(i);
    ws->Faldende = 0;
  }
  const bool faldende = ws->Faldende != 0;
  ws->Faldende = faldende ? 0 : 1;
  if (ws->hwndFeltSortBut[i])
    SendMessageA(ws->hwndFeltSortBut[i], NYB_BILLEDE, NYB_BILLEDE_HOEJRE,
                 reinterpret_cast<LPARAM>(MAKEINTRESOURCE(faldende ? 112 : 111)));
  const uint32_t rec = GruppeAktuelRec(ws);
  const uint32_t felt = ObjSwitchFeltNr(kGruppeNavneArt, ws->Art, ws->NavneValgt, i);
  const VisFeltKontekst kontekst{ws->hwnd, 0, 0, 0};
  SorterPaaFelter(static_cast<char>(ws->Art), e.ObjTab, e.ObjTabAntal, e.pTd, e.pTv, &kontekst,
                  faldende ? SORT_FALDENDE : 0, 1, &felt, 1);
  ObjSwitchSaetSortFelt(kGruppeNavneArt, ws->Art, felt);
  if (rec) ws->PosY.Aktuel = FindObjIdx(e.ObjTab, e.ObjTabAntal, rec);
  GruppeScrollTilAktuel(ws);
  TegnGruppeVindue(ws);
}

void GruppeSorterGruppe(GRPWS *ws, uint32_t g) {
  if (g < 1 || g > kGruppeKolonner) return;
  Ens &e = ws->ens;
  const char art = static_cast<char>(ws->Art);
  const uint32_t n = e.ObjTab ? e.ObjTabAntal : 0;
  std::vector<std::pair<std::string, uint32_t>> noegler;
  noegler.reserve(n);
  for (uint32_t i = 1; i <= n; ++i) {
    const uint32_t rec = e.ObjTab[i];
    const uint8_t *c = Celler(ws, rec);
    char tekst[VISFELT_LEN];
    std::snprintf(tekst, sizeof tekst, "%s", VisFeltTekst(art, e.pTd, e.pTv, 1, rec, nullptr, 1));
    DanskSortTegn(tekst, static_cast<int>(std::strlen(tekst)));
    noegler.emplace_back(std::string(1, c && c[g - 1] ? 'A' : 'B') + tekst, rec);
  }
  std::stable_sort(noegler.begin(), noegler.end(),
                   [](const auto &a, const auto &b) { return a.first < b.first; });
  for (uint32_t i = 0; i < n; ++i) e.ObjTab[i + 1] = noegler[i].second;
  ws->PosX.Aktuel = g;
  ws->PosY.Aktuel = n ? 1 : 0;
  e.ScrollY = 0;
  GruppeScrollTilAktuel(ws);
  TegnGruppeVindue(ws);
}

// ==================================================================== window

HWND CreateGruppeWnd(char art, int venstre, int top, int hoejre, int bund, void *, uint32_t kommando) {
  if (art != 'K' && art != 'L' && art != 'M') return 0;
  auto *ws = static_cast<GRPWS *>(std::calloc(1, sizeof(GRPWS)));
  if (!ws) return 0;
  ws->Art = static_cast<uint8_t>(art);
  ws->Kommando = kommando;
  const Tabel t = TabelAf(art);
  ws->ens.pTd = t.pTd;
  ws->ens.pTv = t.pTv;
  ws->NavneValgt = static_cast<uint8_t>(std::min<uint32_t>(ObjSwitchValgt(kGruppeNavneArt, ws->Art), 255));
  ws->NavneLayoutAntal = static_cast<uint8_t>(std::min<uint32_t>(ObjSwitchAntal(kGruppeNavneArt, ws->Art), 255));
  ws->BrikValgt = static_cast<uint8_t>(std::min<uint32_t>(BrkSwitchValgt(kGruppeBrikArt, ws->Art), 255));
  const uint32_t brik = BrkSwitchBredde(kGruppeBrikArt, ws->Art, ws->BrikValgt);
  ws->CelleBredde = std::clamp<uint32_t>(brik, 8, 64);

  const int cxf = GetSystemMetrics(SM_CXFRAME);
  const int64_t oensket = int64_t{ObjSwitchBredde(kGruppeNavneArt, ws->Art, ws->NavneValgt)} + 2 * cxf +
                          GetSystemMetrics(SM_CXVSCROLL) + 3 + 37 + 2 * (16 * int64_t{ws->CelleBredde} + 16);
  const int plads = std::max(hoejre - venstre, 0);
  const int b = static_cast<int>(std::min<int64_t>(std::max<int64_t>(oensket, 150), plads));
  const int h = std::max(bund - top, 100);
  HWND parent = hwndDesktop ? hwndDesktop : hwndHoved;
  HWND hwnd = CreateWindowExA(0, "GruppeWndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, venstre, top,
                              b, h, parent, (HMENU)kommando, 0, ws);
  if (!hwnd) {
    if (!ws->hwnd) std::free(ws);
    return 0;
  }
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  BringWindowToTop(hwnd);
  return hwnd;
}

namespace {

void KlikCelle(GRPWS *ws, UINT msg, LPARAM lParam) {
  Ens &e = ws->ens;
  const HWND h = ws->hwnd;
  if (!e.Aktiv) {
    if (!SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, (LPARAM)h)) return;
    SendMessageA(h, VINDUE_AKTIVER, 1, 0);
    if (Ws(h) != ws) return;
  }
  if (msg == ENS_CELLER_NED || msg == ENS_CELLER_DBL) {
    const int x = std::max<int>(static_cast<short>(LOWORD(lParam)), 0);
    const uint32_t g = GridPixelTilCelle(&e.AkseX, static_cast<uint32_t>(x) + e.ScrollX);
    if (g >= 1 && g <= kGruppeKolonner) ws->PosX.Aktuel = g;
  }
  const int y = std::max<int>(static_cast<short>(HIWORD(lParam)), 0);
  const uint32_t r = GridPixelTilCelle(&e.AkseY, static_cast<uint32_t>(y) + e.ScrollY);
  if (r >= 1 && r <= e.ObjTabAntal) ws->PosY.Aktuel = r;
  if (msg == ENS_CELLER_DBL && r >= 1 && r <= e.ObjTabAntal) SaetGruppe(ws, false, false);
  GruppeScrollTilAktuel(ws);
  TegnGruppeVindue(ws);
}

bool TastNed(GRPWS *ws, UINT msg, WPARAM wParam, LPARAM lParam) {
  TastInfo t;
  MakeTastInfo(&t, msg, wParam, lParam);
  const HWND h = ws->hwnd;
  if (GlobalIndstillinger.tastlog) TastLogKey(&t);
  if (!GruppeTast(ws, &t, KMD_UDFOER)) return false;
  if (Ws(h) != ws) return true;
  GruppeScrollTilAktuel(ws);
  TegnGruppeVindue(ws);
  return true;
}

}  // namespace

LRESULT CALLBACK GruppeWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    OnCreate(h, static_cast<GRPWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams));
    return 0;
  }
  GRPWS *ws = Ws(h);
  if (!ws) return DefWindowProcA(h, msg, wParam, lParam);
  Ens &e = ws->ens;
  switch (msg) {
    case WM_DESTROY:
      OnDestroy(h, ws);
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TegnGruppeCeller(ws);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      TegnGruppeVindue(ws);
      return 0;
    }
    case HJAELP_EMNE:
      return kGruppeHjaelp;
    case VINDUE_ART:
      return ws->Kommando;
    case DATA_AENDRET:
    case EFTER_IMPORT:
      Genopbyg(ws);
      return 0;

    // ---- size and scrolling
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), ws->NavneLayoutAntal);
        GruppeScrollTilAktuel(ws);
        TegnGruppeVindue(ws);
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      switch (EnsOnScroll(&e, msg, wParam)) {
        case 8:
          TegnGruppeHoved(ws);
          TegnGruppeCeller(ws);
          break;
        case 16:
          TegnGruppeNavne(ws);
          TegnGruppeCeller(ws);
          break;
      }
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, wParam);
      return 0;

    // ---- the panes' relays
    case TB_RUDE_TEGN:
      TegnGruppeBaand(ws);
      return 0;
    case ENS_KOLHOVED_TEGN:
      TegnGruppeHoved(ws);
      return 0;
    case ENS_RAEKKEHOVED_TEGN:
      TegnGruppeNavne(ws);
      return 0;
    case ENS_CELLER_TEGN:
      TegnGruppeCeller(ws);
      return 0;
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
    case ENS_CELLER_DBL:
      KlikCelle(ws, msg, lParam);
      return 0;

    // ---- the frame's mouse
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &e, lParam);
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case WM_RBUTTONDOWN:
      EnsActivateOnClick(h, &e);
      if (Ws(h) == ws && e.Aktiv) GruppeGenvejsliste(ws);
      return 0;

    // ---- the frame's protocol
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case VINDUE_AKTIVER:
      Aktiver(h, ws, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      e.Aktiv = e.CaptionAktiv = 0;
      TegnGruppeVindue(ws);
      return 0;
    case NYB_KLIK:
      Knap(h, ws, wParam);
      return 0;

    // ---- keys
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG:
      if (TastNed(ws, msg, wParam, lParam) || msg != WM_SYSKEYDOWN) return 0;
      break;
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      return t && GruppeTast(ws, t, 1) ? 1 : 0;
    }
    case WM_KEYUP:
      if ((wParam == VK_UP || wParam == VK_DOWN) && e.pTv) {
        const uint32_t rec = GruppeAktuelRec(ws);
        if (rec) {
          e.pTv->AktuelRec = rec;
          SendTilAlleVinduer(AKTUEL_AENDRET, ws->Art, rec, h);
        }
      }
      return 0;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

// ==================================================================== registration

bool RegistrerGruppeKlasse(HINSTANCE inst) {
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = GruppeWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = "GruppeWndClass";
  return RegisterClassA(&wc) != 0;
}

void AfregistrerGruppeKlasse(HINSTANCE inst) { UnregisterClassA("GruppeWndClass", inst); }
