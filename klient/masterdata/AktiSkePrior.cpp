// The activity schedule priority window. The marks are the window's own
// until it closes: a broadcast rebuilds the rows but keeps the marks the
// user changed on the activities still listed, so that work in progress is
// not lost to another window's change; every other row reads its value
// anew, so that closing writes back no value the change replaced.

#include "AktiSkePrior.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "AKTILISTE.h"
#include "ARRANGER.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "INDSTIL.h"
#include "KALENDER.h"
#include "KATALOG.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "VINDUER.h"
#include "VISFELT.h"
#include "tavo/assert.h"

namespace {

constexpr const char *kModul = "AktiSkePrior";
constexpr const char *kKlasse = "AktiSkePrioritetWndClass";
constexpr const char *kTitel = "Aktivitets skema prioritering";
constexpr uint32_t kAktivitet = 1;  // the akti field Aktivitet
constexpr uint32_t kArkiv = 0x80000000u;

TastInfo Tast(uint32_t tast) { return TastInfo{0, 0, 0, WM_KEYDOWN, tast, 0, 0, 0}; }
const ShortCutPost kGenvejPoster[] = {
    {Tast(VK_SPACE), "<Mellemrum>", "Marker / fjern markering."},
    {Tast(VK_INSERT), "<Insert>", "Marker / fjern markering."},
    {Tast(VK_F4), "<F4>", "Luk vindue."},
    {TastInfo{}, "", ""},
};
ShortCutTabel Genveje{0, kGenvejPoster};

int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }

ASPWS *Ws(HWND h) { return reinterpret_cast<ASPWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

bool Vises(uint32_t n) {
  const AktiRec *a = TabRec<AktiRec>(tvakti, n);
  if (!a || a->Status < 10 || a->Status > 29) return false;
  return !IsOvakAkti(n) && a->Aktivitet[0] != '*' && !(a->Gruppe & kArkiv);
}

// The mark array follows the akti table's growth; new entries are unmarked.
void SikrMaerker(ASPWS *ws) {
  const uint32_t n = tvakti.wRecCnt + 1;
  if (ws->Maerker && n <= ws->MaerkeAntal) return;
  auto *p = static_cast<uint8_t(*)[2]>(std::realloc(ws->Maerker, static_cast<size_t>(n) * 2));
  if (!p) tavo::AssertFailed("ASPWS->Maerker != NULL", kModul, __LINE__);
  std::memset(p[ws->MaerkeAntal], 0, static_cast<size_t>(n - ws->MaerkeAntal) * 2);
  ws->Maerker = p;
  auto *l = static_cast<uint8_t *>(std::realloc(ws->LaesteMaerker, n));
  if (!l) tavo::AssertFailed("ASPWS->LaesteMaerker != NULL", kModul, __LINE__);
  std::memset(l + ws->MaerkeAntal, 0, n - ws->MaerkeAntal);
  ws->LaesteMaerker = l;
  ws->MaerkeAntal = n;
}

uint32_t AktuelRec(const ASPWS *ws) {
  const Ens &e = ws->Hoved;
  return ws->PosY.Aktuel && ws->PosY.Aktuel <= e.ObjTabAntal ? e.ObjTab[ws->PosY.Aktuel] : 0;
}

}  // namespace

// ==================================================================== model

void ByggAspRaekker(ASPWS *ws) {
  Ens &e = ws->Hoved;
  std::free(e.ObjTab);
  e.ObjTab = nullptr;
  e.ObjTabAntal = 0;
  std::vector<uint32_t> liste(1, 0);
  for (uint32_t n = 1; n < tvakti.wRecCnt; ++n)
    if (Vises(n)) liste.push_back(n);
  const uint32_t antal = static_cast<uint32_t>(liste.size() - 1);
  auto *tab = static_cast<uint32_t *>(std::calloc(antal + 1, sizeof(uint32_t)));
  if (!tab) tavo::AssertFailed("Ens->ObjTab != NULL", kModul, __LINE__);
  std::copy(liste.begin(), liste.end(), tab);
  if (antal > 1)
    SorterPaaFelter('K', tab, antal, &tdakti, &tvakti, nullptr, ws->Faldende ? SORT_FALDENDE : 0, 1,
                    ws->SortFelter, 2);
  e.ObjTab = tab;
  e.ObjTabAntal = antal;
  ws->PosY.Antal = antal;
}

void LaesAspMaerker(ASPWS *ws, const uint32_t *foer, uint32_t foerAntal) {
  SikrMaerker(ws);
  std::vector<uint8_t> behold(ws->MaerkeAntal, 0);
  for (uint32_t i = 1; foer && i <= foerAntal; ++i) {
    const uint32_t n = foer[i];
    if (n < ws->MaerkeAntal && (ws->Maerker[n][0] | ws->Maerker[n][1]) != ws->LaesteMaerker[n]) behold[n] = 1;
  }
  for (uint32_t n = 0; n < ws->MaerkeAntal; ++n) {
    if (behold[n]) continue;
    const AktiRec *a = TabRec<AktiRec>(tvakti, n);
    ws->Maerker[n][0] = a && a->Skema_prioritet == kAspPrioriteret ? 1 : 0;
    ws->Maerker[n][1] = a && a->Skema_prioritet == kAspVigende ? 2 : 0;
    ws->LaesteMaerker[n] = ws->Maerker[n][0] | ws->Maerker[n][1];
  }
}

bool SkiftPrioritet(ASPWS *ws) {
  if (GlobalIndstillinger.skemalaast) {
    MessageBoxA(ws->hwnd, "Der kan ikke grupperes i et låst skema", "Gruppering", MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  const uint32_t n = AktuelRec(ws);
  const uint32_t c = ws->PosX.Aktuel;
  if (!n || c < 1 || c > 2) return false;
  SikrMaerker(ws);
  const bool var = ws->Maerker[n][c - 1] != 0;
  ws->Maerker[n][0] = ws->Maerker[n][1] = 0;
  if (!var) ws->Maerker[n][c - 1] = static_cast<uint8_t>(c);
  return true;
}

void GemAspMaerker(ASPWS *ws) {
  const Ens &e = ws->Hoved;
  for (uint32_t i = 1; e.ObjTab && i <= e.ObjTabAntal; ++i) {
    const uint32_t n = e.ObjTab[i];
    AktiRec *a = TabRec<AktiRec>(tvakti, n);
    if (!a || n >= ws->MaerkeAntal) continue;
    const uint8_t ny = ws->Maerker[n][0] ? kAspPrioriteret : ws->Maerker[n][1] ? kAspVigende : 0;
    if (ny == a->Skema_prioritet) continue;
    if (!SaetAktiSkemaPrioritet(n, ny)) tavo::AssertFailed("AktiPrioritetMinde != NULL", kModul, __LINE__);
  }
}

// ==================================================================== painting

namespace {

HBRUSH Brush(uint8_t slot) { return FarveBrush[slot] ? FarveBrush[slot] : GetSysColorBrush(COLOR_BTNFACE); }
uint8_t Markoer(const ASPWS *ws) { return ws->Hoved.Aktiv ? 1 : 2; }
int RaekkeY(const ASPWS *ws, uint32_t r) {
  return static_cast<int>(GridCelleStart(&ws->Hoved.AkseY, r)) - static_cast<int>(ws->Hoved.ScrollY);
}
int KolX(const ASPWS *ws, uint32_t c) {
  return static_cast<int>(GridCelleStart(&ws->Hoved.AkseX, c)) - static_cast<int>(ws->Hoved.ScrollX);
}
uint32_t RaekkeBredde(const ASPWS *ws) { return ObjSwitchBredde(kAktivListRaekkeArt, 'K', ws->Switch); }

void TegnCelle(ASPWS *ws, uint32_t c, uint32_t r) {
  Ens &e = ws->Hoved;
  HDC dc = e.dc[ENSDC_CELLER].hdc;
  if (!dc || c < 1 || c > 2 || r < 1 || r > e.ObjTabAntal) return;
  const int x = KolX(ws, c), y = RaekkeY(ws, r);
  FillRectSys(dc, COLOR_3DLIGHT, x - 1, y - 1, x + kAspKolonne, y);
  const uint8_t farve = c == ws->PosX.Aktuel && r == ws->PosY.Aktuel ? Markoer(ws) : 0;
  FillRectIfAny(dc, Brush(farve), x, y, x + kAspKolonne - 1, y + kAspRaekke - 1);
  const uint32_t n = e.ObjTab[r];
  if (n < ws->MaerkeAntal && ws->Maerker[n][c - 1]) {
    const char t = c == 1 ? '1' : '2';
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, FarveTab[farve ? 17 : 1]);
    TextOutA(dc, x + 4, y, &t, 1);
  }
}

void TegnCeller(ASPWS *ws) {
  Ens &e = ws->Hoved;
  HDC dc = e.dc[ENSDC_CELLER].hdc;
  if (!dc) return;
  FillRectIfAny(dc, Brush(0), 0, 0, e.RudeB[ENS_CELLER], e.RudeH[ENS_CELLER]);
  for (uint32_t r = 1; r <= e.ObjTabAntal; ++r)
    for (uint32_t c = 1; c <= 2; ++c) TegnCelle(ws, c, r);
}

void TegnRaekker(ASPWS *ws) {
  Ens &e = ws->Hoved;
  HDC dc = e.dc[ENSDC_RAEKKEHOVED].hdc;
  if (!dc) return;
  FillRectIfAny(dc, Brush(0), 0, 0, e.RudeB[ENS_RAEKKEHOVED], e.RudeH[ENS_RAEKKEHOVED]);
  PaintObjRowCaptions(&e, 1, e.ObjTabAntal, e.RudeB[ENS_RAEKKEHOVED], ws->Switch);
}

void PlacerKnapper(ASPWS *ws) {
  for (uint32_t c = 1; c <= 2 && ws->hwndGrundSortBut; ++c)
    if (ws->hwndGrundSortBut[c - 1])
      MoveWindow(ws->hwndGrundSortBut[c - 1], KolX(ws, c) - 1, 0, kAspKolonne, kAspKnapHoejde, TRUE);
  int x = 0;
  for (uint32_t i = 0; i < ws->AntalFeltKnapper; ++i) {
    const int b = static_cast<int>(ObjSwitchFeltBredde(kAktivListRaekkeArt, 'K', ws->Switch, i));
    if (ws->FeltKnapper[i]) MoveWindow(ws->FeltKnapper[i], x, 0, b, kAspKnapHoejde, TRUE);
    x += b;
  }
}

void Opdater(ASPWS *ws) {
  Ens &e = ws->Hoved;
  const int H = e.RudeH[ENS_CELLER];
  if (H > 0) {
    uint32_t off = e.ScrollY;
    GridScrollTilAktuel(&ws->PosY, &off, static_cast<uint32_t>(H), &e.AkseY);
    e.ScrollY = off;
  }
  if (e.hwndVScroll)
    SetScrollCtl(e.hwndVScroll, H, static_cast<int>(e.ObjTabAntal ? GridCelleSlut(&e.AkseY, e.ObjTabAntal) : 0),
                 static_cast<int>(e.ScrollY));
  PlacerKnapper(ws);
  TegnRaekker(ws);
  TegnCeller(ws);
  const uint32_t n = AktuelRec(ws);
  if (n && e.Aktiv && !ws->Deaktiveret && tvakti.AktuelRec != n) {
    tvakti.AktuelRec = n;
    SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, 0);
  }
}

void Genopbyg(ASPWS *ws) {
  const Ens &e = ws->Hoved;
  const std::vector<uint32_t> foer(e.ObjTab, e.ObjTab ? e.ObjTab + e.ObjTabAntal + 1 : e.ObjTab);
  const uint32_t aktuel = tvakti.AktuelRec;
  ByggAspRaekker(ws);
  LaesAspMaerker(ws, foer.empty() ? nullptr : foer.data(), foer.empty() ? 0 : static_cast<uint32_t>(foer.size() - 1));
  const uint32_t i = aktuel ? FindObjIdx(e.ObjTab, e.ObjTabAntal, aktuel) : 0;
  ws->PosY.Aktuel = i ? i : (e.ObjTabAntal ? 1 : 0);
  ws->PosX.Aktuel = 1;
}

}  // namespace

void AspSorterFelt(ASPWS *ws, uint32_t i) {
  if (i >= ws->AntalFeltKnapper) return;
  const uint32_t rec = AktuelRec(ws);
  if (ws->SortKnap == static_cast<int>(i)) {
    ws->Faldende = !ws->Faldende;
  } else {
    if (ws->SortKnap >= 0 && static_cast<uint32_t>(ws->SortKnap) < ws->AntalFeltKnapper &&
        ws->FeltKnapper[ws->SortKnap])
      SendMessageA(ws->FeltKnapper[ws->SortKnap], NYB_BILLEDE, NYB_BILLEDE_HOEJRE, 0);
    ws->SortKnap = static_cast<int>(i);
    ws->Faldende = false;
  }
  if (ws->FeltKnapper[i])
    SendMessageA(ws->FeltKnapper[i], NYB_BILLEDE, NYB_BILLEDE_HOEJRE,
                 reinterpret_cast<LPARAM>(MAKEINTRESOURCE(ws->Faldende ? kAspFaldendeBillede : kAspStigendeBillede)));
  const uint32_t felt = ObjSwitchFeltNr(kAktivListRaekkeArt, 'K', ws->Switch, i);
  ws->SortFelter[0] = felt;
  ObjSwitchSaetSortFelt(kAktivListRaekkeArt, 'K', felt);
  Ens &e = ws->Hoved;
  if (e.ObjTabAntal > 1)
    SorterPaaFelter('K', e.ObjTab, e.ObjTabAntal, &tdakti, &tvakti, nullptr, ws->Faldende ? SORT_FALDENDE : 0, 1,
                    ws->SortFelter, 2);
  if (rec) ws->PosY.Aktuel = FindObjIdx(e.ObjTab, e.ObjTabAntal, rec);
}

void AspSorterKolonne(ASPWS *ws, uint32_t kolonne) {
  if (kolonne < 1 || kolonne > 2) return;
  Ens &e = ws->Hoved;
  SikrMaerker(ws);
  // Marked last of the unmarked: the rows marked in the column come first.
  std::vector<uint8_t> umaerket(ws->MaerkeAntal, 1);
  for (uint32_t n = 0; n < ws->MaerkeAntal; ++n) umaerket[n] = ws->Maerker[n][kolonne - 1] ? 0 : 1;
  const uint32_t felt = kAktivitet;
  if (e.ObjTabAntal > 1)
    SorterMarkeredeSidst('K', e.ObjTab, e.ObjTabAntal, &tdakti, &tvakti, nullptr, 0, 1, umaerket.data(),
                         ws->MaerkeAntal, &felt, 1);
  ws->PosX.Aktuel = kolonne;
  ws->PosY.Aktuel = e.ObjTabAntal ? 1 : 0;
}

bool PrioritetTast(ASPWS *ws, const TastInfo &t) {
  if (t.message != WM_KEYDOWN && t.message != WM_SYSKEYDOWN) return false;
  const HWND h = ws->hwnd;
  Ens &e = ws->Hoved;
  const uint32_t tast = t.wParam;
  switch (tast) {
    case VK_SPACE:
    case VK_INSERT:
      if (SkiftPrioritet(ws) && IsWindow(h) && Ws(h) == ws) {
        TegnCelle(ws, 1, ws->PosY.Aktuel);
        TegnCelle(ws, 2, ws->PosY.Aktuel);
      }
      return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END: {
      const bool kolonne = tast == VK_LEFT || tast == VK_RIGHT;
      ws->PosY.Synlige = std::max<uint32_t>(1, static_cast<uint32_t>(std::max(int{e.RudeH[ENS_CELLER]}, 0)) / kAspRaekke);
      if (GridTastFlytTrin(kolonne ? &ws->PosX : &ws->PosY, tast, t.ctrl ? -1 : 0, t.alt ? -1 : 0, false, 0))
        Opdater(ws);
      return true;
    }
    case VK_APPS:
      return KmdHoejreklik(h, 0, 0, KMD_UDFOER);
    case VK_F4:
      return KmdLukVindue(h, 0, 0, true, KMD_UDFOER);
  }
  if (t.message == WM_KEYDOWN && !t.ctrl && !t.alt && EnsTypeAhead(&e, &ws->PosY, tast)) {
    Opdater(ws);
    return true;
  }
  return false;
}

// ==================================================================== window

namespace {

bool BlivAktiv(HWND h, ASPWS *ws) {
  if (ws->Hoved.Aktiv) return true;
  if (ws->Hoved.hwndParent && !SendMessageA(ws->Hoved.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h)))
    return false;
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  return IsWindow(h) && Ws(h) == ws && ws->Hoved.Aktiv;
}

void Aktiver(HWND h, ASPWS *ws, WPARAM wParam) {
  Ens &e = ws->Hoved;
  e.CaptionAktiv = 1;
  if (e.Aktiv) return;
  e.Aktiv = 1;
  VinduesListeTilTop(h);
  BringWindowToTop(h);
  if (e.hwndParent) {
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(h));
    if (Ws(h) != ws) return;
  }
  EnsPaintFrame(&e);
  Opdater(ws);
}

void Klik(HWND h, ASPWS *ws, UINT msg, LPARAM lParam) {
  if (!BlivAktiv(h, ws)) return;
  Ens &e = ws->Hoved;
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  if (msg != ENS_RAEKKEHOVED_NED && x >= 0) {
    const uint32_t c = GridPixelTilCelle(&e.AkseX, static_cast<uint32_t>(x) + e.ScrollX);
    if (c >= 1 && c <= 2) ws->PosX.Aktuel = c;
  }
  if (msg != ENS_KOLHOVED_NED && y >= 0) {
    const uint32_t r = GridPixelTilCelle(&e.AkseY, static_cast<uint32_t>(y) + e.ScrollY);
    if (r >= 1 && r <= e.ObjTabAntal) ws->PosY.Aktuel = r;
  }
  Opdater(ws);
}

void Knap(HWND h, ASPWS *ws, WPARAM id, LPARAM vaerdi) {
  switch (vaerdi) {
    case NYB_LUK:
      DestroyWindow(h);
      return;
    case NYB_MAKSIMER:
      EnsMaximize(h, &ws->Hoved);
      return;
    case NYB_MINIMER:
      EnsMinimize(h, &ws->Hoved);
      return;
  }
  if (id >= static_cast<WPARAM>(kAspFeltKnap) && id < static_cast<WPARAM>(kAspFeltKnap) + ws->AntalFeltKnapper)
    AspSorterFelt(ws, static_cast<uint32_t>(id - kAspFeltKnap));
  else if (id == static_cast<WPARAM>(kAspKolKnap + 1) || id == static_cast<WPARAM>(kAspKolKnap + 2))
    AspSorterKolonne(ws, static_cast<uint32_t>(id - kAspKolKnap));
  else
    return;
  Opdater(ws);
}

int FuldBredde(const ASPWS *ws, int maks) {
  return CalcAktivListWidth(0, static_cast<int>(ws->Hoved.RaekkeHovedBredde) + 2 * kAspKolonne + 2, maks);
}

void OpretKnapper(ASPWS *ws) {
  Ens &e = ws->Hoved;
  const HWND kol = e.hwndKolHoved ? e.hwndKolHoved : ws->hwnd;
  const HWND hjoerne = e.hwndHjoerneV ? e.hwndHjoerneV : ws->hwnd;
  ws->hwndGrundSortBut = static_cast<HWND *>(std::calloc(2, sizeof(HWND)));
  if (!ws->hwndGrundSortBut) tavo::AssertFailed("ASPWS->hwndGrundSortBut != NULL", kModul, __LINE__);
  static const char *const kTips[2] = {"Vis: \"Prioriteret skema\" øverst", "Vis: \"Vigende skema\" øverst"};
  static const char *const kTekster[2] = {"1", "2"};
  for (int c = 0; c < 2; ++c) {
    ws->hwndGrundSortBut[c] = CreateNyButtonWnd(e.hInstance, kol, ws->hwnd, kAspKolKnap + 1 + c, 0, 0, 0, 0,
                                                kAspKolonne, kAspKnapHoejde, kTips[c], kTekster[c]);
    if (ws->hwndGrundSortBut[c]) ShowWindow(ws->hwndGrundSortBut[c], SW_SHOWNA);
  }
  const uint32_t antal = ObjSwitchFeltAntal(kAktivListRaekkeArt, 'K', ws->Switch);
  ws->FeltKnapper = static_cast<HWND *>(std::calloc(antal + 1, sizeof(HWND)));
  if (!ws->FeltKnapper) return;
  ws->AntalFeltKnapper = antal;
  for (uint32_t i = 0; i < antal; ++i) {
    const char *navn = SwitchFeltNavn(&tdakti, ObjSwitchFeltNr(kAktivListRaekkeArt, 'K', ws->Switch, i));
    const std::string tip = std::string("Sorter efter ") + navn;
    ws->FeltKnapper[i] = CreateNyButtonWnd(e.hInstance, hjoerne, ws->hwnd, kAspFeltKnap + i, 0, NYB_BILLEDE_HOEJRE,
                                           0, 0, 0, kAspKnapHoejde, tip.c_str(), navn);
    if (ws->FeltKnapper[i]) ShowWindow(ws->FeltKnapper[i], SW_SHOWNA);
  }
}

void Opret(HWND h, ASPWS *ws) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  ws->hwnd = h;
  Ens &e = ws->Hoved;
  e.hwndParent = GetParent(h);
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_V;
  std::snprintf(e.Titel, sizeof e.Titel, "%s", ws->Titel);
  e.RaekkeHovedBredde = RaekkeBredde(ws);
  e.KolHovedHoejde = kAspKnapHoejde;
  e.hdc = GetDC(h);
  RECT rc;
  GetClientRect(h, &rc);
  e.Areal[0] = CxFrame();
  e.Areal[1] = CyFrame() + GetSystemMetrics(SM_CYCAPTION);
  e.Areal[2] = rc.right - 1 - CxFrame();
  e.Areal[3] = rc.bottom - 1 - CyFrame();
  e.StyrX = &ws->PosX;
  e.StyrY = &ws->PosY;
  EnsCalcLayout(&e);
  EnsCreateChildren(&e, h, 0, nullptr, TxtFont, false, true, nullptr);
  if (TxtFont && e.hwndRaekkeHoved) SelectDCPalette(e.hwndRaekkeHoved, &e.dc[ENSDC_RAEKKEHOVED], TxtFont);
  if (TxtFont && e.hwndCeller) SelectDCPalette(e.hwndCeller, &e.dc[ENSDC_CELLER], TxtFont);
  OpretKnapper(ws);
  Genopbyg(ws);
  VinduesListeTilfoej(h);
  if (e.hwndParent && SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) {
    e.Aktiv = 1;
    e.CaptionAktiv = 1;
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(h));
  }
}

void Frigiv(ASPWS *ws) {
  std::free(ws->Maerker);
  std::free(ws->LaesteMaerker);
  std::free(ws->Hoved.ObjTab);
  std::free(ws->FeltKnapper);
  std::free(ws->hwndGrundSortBut);
  std::free(ws);
}

void Nedlaeg(HWND h, ASPWS *ws) {
  GemAspMaerker(ws);
  VinduesListeFjern(h);
  if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(h));
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  Frigiv(ws);
}

}  // namespace

ASPWS *AktiSkePrioritetWS(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  char klasse[32] = "";
  GetClassNameA(hwnd, klasse, sizeof klasse);
  return std::strcmp(klasse, kKlasse) == 0 ? Ws(hwnd) : nullptr;
}

LRESULT CALLBACK AktiSkePrioritetWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<ASPWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    Opret(h, ws);
    return 0;
  }
  ASPWS *ws = Ws(h);
  if (!ws) return DefWindowProcA(h, msg, wParam, lParam);
  Ens &e = ws->Hoved;
  switch (msg) {
    case WM_DESTROY:
      Nedlaeg(h, ws);
      return 0;
    case WM_SETFOCUS:
      if (hwndHoved && hwndHoved != h && IsWindow(hwndHoved)) SetFocus(hwndHoved);
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      EnsPaintFrame(&e);
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), 0);
        EnsPaintFrame(&e);
        Opdater(ws);
      }
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (EnsOnScroll(&e, msg, wParam)) {
        TegnRaekker(ws);
        TegnCeller(ws);
      }
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, wParam);
      return 0;
    case ENS_KOLHOVED_TEGN:
      PlacerKnapper(ws);
      return 0;
    case ENS_RAEKKEHOVED_TEGN:
      TegnRaekker(ws);
      return 0;
    case ENS_CELLER_TEGN:
      TegnCeller(ws);
      return 0;
    case ENS_KOLHOVED_NED:
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
      Klik(h, ws, msg, lParam);
      return 0;
    case ENS_CELLER_DBL: {
      Klik(h, ws, ENS_CELLER_NED, lParam);
      if (!IsWindow(h) || Ws(h) != ws) return 0;
      TastInfo t{};
      t.message = WM_KEYDOWN;
      t.wParam = VK_SPACE;
      PrioritetTast(ws, t);
      return 0;
    }
    case WM_RBUTTONDOWN: {
      EnsActivateOnClick(h, &e);
      if (!IsWindow(h) || Ws(h) != ws || !e.Aktiv) return 0;
      POINT p{0, 0};
      GetCursorPos(&p);
      CreateShortCutWnd(e.hInstance, h, p.x, p.y, &Genveje);
      return 0;
    }
    case WM_MBUTTONDOWN:
      EnsActivateOnClick(h, &e);
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      EnsOnDblClk(h, &e, lParam);
      return 0;
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &e, lParam);
      return 0;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case WM_SIZING:
      EnsOnSizing(reinterpret_cast<RECT *>(lParam), static_cast<UINT>(wParam), kAktivListMindsteBredde,
                  FuldBredde(ws, INT32_MAX), kAktivListMindsteHoejde,
                  CalcAktivListHeight(&tdakti, &tvakti, INT32_MAX));
      return TRUE;
    case WM_EXITSIZEMOVE:
      EnsPaintFrame(&e);
      Opdater(ws);
      break;
    case WM_ENABLE:
      ws->Deaktiveret = wParam ? 0 : 1;
      return 0;
    case ENS_BREDDE:
      return FuldBredde(ws, static_cast<int>(wParam));
    case ENS_HOEJDE:
      return CalcAktivListHeight(&tdakti, &tvakti, static_cast<int>(wParam));
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case VINDUE_AKTIVER:
      Aktiver(h, ws, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      e.Aktiv = 0;
      e.CaptionAktiv = 0;
      EnsPaintFrame(&e);
      Opdater(ws);
      return 0;
    case AKTUEL_AENDRET:
      if ((e.Aktiv && wParam == 0) || !tvakti.AktuelRec) return 0;
      if (const uint32_t i = FindObjIdx(e.ObjTab, e.ObjTabAntal, tvakti.AktuelRec); i && i != ws->PosY.Aktuel) {
        ws->PosY.Aktuel = i;
        Opdater(ws);
      }
      return 0;
    case DATA_AENDRET:
    case EFTER_IMPORT:
      Genopbyg(ws);
      Opdater(ws);
      return 0;
    case NYB_KLIK:
      Knap(h, ws, wParam, lParam);
      return 0;
    case TAST_SPOERG:
      return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      MakeTastInfo(&t, msg, wParam, lParam);
      if (t.message == WM_KEYDOWN || t.message == WM_SYSKEYDOWN)
        if (BlivAktiv(h, ws)) PrioritetTast(ws, t);
      return 0;
    }
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

bool RegistrerAktiSkePrioritetKlasse(HINSTANCE inst) {
  WNDCLASSA wc{};
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = AktiSkePrioritetWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = kKlasse;
  return RegisterClassA(&wc) != 0;
}

HWND CreateAktiSkePrioritetWnd(HWND desktop, int venstre, int top, int hoejre, int bund) {
  auto *ws = static_cast<ASPWS *>(std::calloc(1, sizeof(ASPWS)));
  if (!ws) return 0;
  std::snprintf(ws->Titel, sizeof ws->Titel, "%s", kTitel);
  ws->Hoved.pTd = &tdakti;
  ws->Hoved.pTv = &tvakti;
  ws->Hoved.hInstance = hInst;
  ws->Hoved.AkseY = GridAkse{1, kAspRaekke - 1, 1, 0, 0};
  ws->Hoved.AkseX = GridAkse{1, kAspKolonne - 1, 1, 0, 0};
  ws->PosX = GridPos{2, 1, 2, 1};
  ws->SortKnap = -1;
  ws->Switch = static_cast<uint8_t>(ObjSwitchValgt(kAktivListRaekkeArt, 'K'));
  const SwitchLayout *l = ObjSwitchLayout(kAktivListRaekkeArt, 'K', 0);
  ws->SortFelter[0] = l && l->SortFelt ? l->SortFelt : kAktivitet;
  ws->SortFelter[1] = kAktivitet;
  ws->Hoved.RaekkeHovedBredde = RaekkeBredde(ws);
  const int b = FuldBredde(ws, std::max(hoejre - venstre, 0));
  const int h = CalcAktivListHeight(&tdakti, &tvakti, std::max(bund - top, 0));
  HWND hwnd = CreateWindowExA(0, kKlasse, kTitel, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, venstre, top, b, h,
                              desktop, static_cast<HMENU>(kAktiSkePriorType), hInst, ws);
  if (!hwnd) {
    if (!ws->hwnd) Frigiv(ws);
    return 0;
  }
  return hwnd;
}
