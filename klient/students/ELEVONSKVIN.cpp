// The student wish window. The rows are learning activity record numbers;
// the list columns take workspace positions, so a row's activity is turned
// into its position in LaTab when painted. The strips lie in the
// row-header pane, 8 pixels a slot. The planning workspace belongs to the
// planning window: every use goes through Plan(), which answers null once
// that window has closed.
#include "ELEVONSKVIN.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "ARRANGER.h"
#include "ELEVLISTE.h"
#include "ELEVLISTEVIN.h"
#include "ELEVREGLER.h"
#include "ELEVTAB.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "KALENDER.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TAVOTB.h"
#include "VINDUER.h"

namespace {

constexpr const char *kKlasse = "ElevOnskWndClass";
constexpr const char *kTitel = " Elev vindue";
constexpr uint32_t kStatusKode = 11;
constexpr uint32_t kGlyfKode = 9;
constexpr int kSlotBredde = 8;

int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }
int CyCaption() { return GetSystemMetrics(SM_CYCAPTION); }

ElevOnskWS *Ws(HWND h) {
  return h ? reinterpret_cast<ElevOnskWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)) : nullptr;
}

ElevPlanWS *Plan(ElevOnskWS *ws) {
  ElevPlanWS *p = LevendePlanWS(ws->PlanVindue, ws->Plan);
  ws->Liste.PlanWS = p;
  return p;
}

uint8_t AntalSkift(const ElevOnskWS *ws) { return static_cast<uint8_t>(std::min<uint32_t>(ws->Liste.AntalLayouts, 9)); }

// The current student's record, 0 when none.
uint32_t AktuelElev(ElevOnskWS *ws) {
  ElevPlanWS *p = Plan(ws);
  const uint32_t s = ws->ElevPos.Aktuel;
  return p && p->ElevTab && s >= 1 && s <= p->ElevAntal ? p->ElevTab[s] : 0;
}

uint32_t RaekkeLa(const ElevOnskWS *ws, uint32_t r) {
  const ElevListeTilstand &l = ws->Liste;
  return l.Raekker && r >= 1 && r <= l.RaekkeAntal ? l.Raekker[r] : 0;
}

void RaekkeVaerdier(void *ejer, uint32_t r, uint32_t *v1, uint32_t *v2) {
  auto *ws = static_cast<ElevOnskWS *>(ejer);
  *v1 = ws->Liste.PlanWS ? LaPosition(ws->Liste.PlanWS, RaekkeLa(ws, r)) : 0;
  *v2 = ws->ElevPos.Aktuel;
}

uint32_t StribeBredde(ElevOnskWS *ws) {
  ElevPlanWS *p = Plan(ws);
  return kSlotBredde * (p ? p->PpAntal : 0) + 1;
}

void SaetAkser(ElevOnskWS *ws) {
  Ens &e = ws->ens;
  e.AkseX = GridAkse{0, 1, 1, 0, 0};
  e.AkseY = GridAkse{0, kElevListeRaekke - 1, 1, 0, 1};
  ws->KolPos.Antal = std::max<uint32_t>(1, ObjSwitchBredde(ELEVONSK_ART, ws->Bogstav, ws->Liste.ValgtLayout));
  if (ws->KolPos.Aktuel == 0) ws->KolPos.Aktuel = 1;
  // A strip wider than the window is cut at the pane, which ends inside
  // the frame before the vertical scroll bar.
  RECT rc{0, 0, 0, 0};
  if (ws->hwnd) GetClientRect(ws->hwnd, &rc);
  const int plads = rc.right - 1 - 2 * CxFrame() - 2 - GetSystemMetrics(SM_CXVSCROLL) - 2 - static_cast<int>(e.SepBredde) - 1;
  e.RaekkeHovedBredde = std::min<uint32_t>(StribeBredde(ws), static_cast<uint32_t>(std::max(plads, 0)));
}

void ByggOgTegn(void *ejer) {
  auto *ws = static_cast<ElevOnskWS *>(ejer);
  ElevOnskByggRaekker(ws);
  ElevOnskScroll(ws, ELEVLISTE_TEGN_ALT);
}

int FuldBredde(ElevOnskWS *ws) { return ElevOnskBredde(&ws->Liste, INT_MAX); }
int FuldHoejde(ElevOnskWS *ws) { return ElevOnskHoejde(&ws->Liste, INT_MAX); }

void Layout(ElevOnskWS *ws) {
  Ens &e = ws->ens;
  RECT rc;
  GetClientRect(ws->hwnd, &rc);
  e.Areal[0] = CxFrame();
  e.Areal[1] = CyCaption() + kElevListeKaption + CyFrame();
  e.Areal[2] = rc.right - 1 - CxFrame();
  e.Areal[3] = rc.bottom - 1 - CyFrame();
  EnsCalcLayout(&e);
}

void Opret(HWND h, ElevOnskWS *ws) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  ws->hwnd = h;
  Ens &e = ws->ens;
  e.hwndParent = GetParent(h);
  e.hInstance = hInst;
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  std::strncpy(e.Titel, kTitel, sizeof e.Titel - 1);
  const TabDesc *td = nullptr;
  TabVar *tv = nullptr;
  if (TabFromType(ws->Bogstav, &td, &tv) == 0) {
    e.pTd = td;
    e.pTv = tv;
  }
  e.StyrX = &ws->KolPos;
  e.StyrY = &ws->Liste.RaekkePos;
  e.KolHovedHoejde = kElevListeHoved;
  const uint8_t antalSkift = AntalSkift(ws);
  e.SkiftBredde = static_cast<uint32_t>(antalSkift * GetSystemMetrics(SM_CXVSCROLL));

  ElevListeTilstand &l = ws->Liste;
  l.ens = &e;
  l.hwnd = h;
  l.Vindue = ELEVLISTE_ONSK;
  l.Bogstav = ws->Bogstav;
  l.ListeArt = ELEVONSK_ART;
  l.ByggOgTegn = ByggOgTegn;
  l.Ejer = ws;
  SaetAkser(ws);

  e.hdc = GetDC(h);
  ws->RammeDC = EnsDC{e.hdc, kIngenFarve, kIngenFarve};
  if (TxtFont) SelectObject(e.hdc, TxtFont);
  Layout(ws);
  e.hwndSwitchButtons = static_cast<HWND *>(calloc(antalSkift + 1u, sizeof(HWND)));
  EnsCreateChildren(&e, h, antalSkift, nullptr, TxtFont, false, true, nullptr);
  if (e.hwndSwitchButtons && l.ValgtLayout < antalSkift && e.hwndSwitchButtons[l.ValgtLayout])
    SendMessageA(e.hwndSwitchButtons[l.ValgtLayout], NYB_LAAS_NED, 0, 0);
  OpretSorterKnapperElev(&l);
  // Every new window starts sorted on the status glyph.
  ObjSwitchSaetSortFelt(ELEVONSK_ART, ws->Bogstav, kGlyfKode);

  ElevOnskFindElev(ws);
  ElevOnskByggRaekker(ws);

  ws->KolPos.Aktuel = 1;
  e.ScrollX = 0;
  if (e.RudeH[ENS_CELLER] > 0)
    e.ScrollY = GridCentrerCelle(&e.AkseY, static_cast<uint32_t>(e.RudeH[ENS_CELLER]), l.RaekkePos.Aktuel,
                                 l.RaekkeAntal);
  ElevListeScrollTilAktuel(&l, &ws->KolPos);

  const LPARAM hl = static_cast<LPARAM>(h);
  e.Aktiv = e.hwndParent && SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, hl) ? 1 : 0;
  VinduesListeTilfoej(h);
  if (e.Aktiv) {
    if (ElevPlanWS *p = Plan(ws)) p->SidstAktiv = ELEVLISTE_ONSK;
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, hl);
  }
  e.CaptionAktiv = e.Aktiv;
}

void Nedlaeg(HWND h, ElevOnskWS *ws) {
  VinduesListeFjern(h);
  if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(h));
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  SletSorterKnapper(&ws->Liste);
  free(ws->ens.hwndSwitchButtons);
  free(ws->Liste.Raekker);
  free(ws);
}

void Aktiver(HWND h, ElevOnskWS *ws, UINT msg, WPARAM wParam) {
  Ens &e = ws->ens;
  e.CaptionAktiv = 1;
  if (ElevPlanWS *p = Plan(ws)) p->SidstAktiv = ELEVLISTE_ONSK;
  if (!e.Aktiv) {
    ElevOnskFindElev(ws);
    e.Aktiv = 1;
    VinduesListeTilTop(h);
    BringWindowToTop(h);
    if (msg == VINDUE_AKTIVER) SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam ? wParam : 1, static_cast<LPARAM>(h));
    if (Ws(h) != ws) return;
    ElevOnskScroll(ws, ELEVLISTE_TEGN_ALT);
  }
  EnsPaintFrame(&e);
}

bool MaaAktiveres(HWND h, ElevOnskWS *ws) {
  return SendMessageA(ws->ens.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h)) != 0;
}

void Klik(HWND h, ElevOnskWS *ws, UINT msg, LPARAM lParam) {
  Ens &e = ws->ens;
  if (!e.Aktiv) {
    if (ElevPlanWS *p = Plan(ws)) p->SidstAktiv = ELEVLISTE_ONSK;
    if (MaaAktiveres(h, ws)) SendMessageA(h, VINDUE_AKTIVER, 1, 0);
    return;
  }
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  int flag = 0;
  if (msg != ENS_RAEKKEHOVED_NED) {
    const int64_t px = std::max<int64_t>(0, int64_t{x} + e.ScrollX);
    const uint32_t k = std::clamp<uint32_t>(static_cast<uint32_t>(px) + 1, 1, ws->KolPos.Antal);
    if (k != ws->KolPos.Aktuel) flag |= ELEVLISTE_TEGN_KOLONNE;
    ws->KolPos.Aktuel = k;
  }
  if (msg != ENS_KOLHOVED_NED && ws->Liste.RaekkeAntal) {
    const uint32_t r = ElevListeRaekkeVedY(&ws->Liste, y);
    if (r != ws->Liste.RaekkePos.Aktuel) flag |= ELEVLISTE_TEGN_RAEKKE;
    ws->Liste.RaekkePos.Aktuel = r;
  }
  ElevOnskScroll(ws, flag);
}

// Message 1054 from another window.
void Foelg(ElevOnskWS *ws) {
  if (ws->ElementTegning || ws->ens.Aktiv) return;
  ElevPlanWS *p = Plan(ws);
  if (!p) return;
  if (p->SidstAktiv == 1) {
    ws->ElevPos.Aktuel = 0;
    ElevOnskScroll(ws, ELEVLISTE_TEGN_ALT);
    return;
  }
  if (tvtg.AktuelRec == ws->ByggetTg) {
    const uint32_t foer = ws->ElevPos.Aktuel;
    ElevOnskFindElev(ws);
    if (ws->ElevPos.Aktuel != foer) ElevOnskByggRaekker(ws);
    ElevOnskScroll(ws, ELEVLISTE_TEGN_ALT);
    return;
  }
  // Another group: the strip and the wanted width change with its slots.
  SaetAkser(ws);
  RECT r;
  GetWindowRect(ws->hwnd, &r);
  RECT pr{0, 0, 0, 0};
  GetClientRect(GetParent(ws->hwnd), &pr);
  POINT vo{r.left, r.top};
  ScreenToClient(GetParent(ws->hwnd), &vo);
  const int bredde = ElevOnskBredde(&ws->Liste, std::max<int>(0, pr.right - vo.x));
  MoveWindow(ws->hwnd, vo.x, vo.y, bredde, r.bottom - r.top, TRUE);
  EnsOnSize(&ws->ens, ws->hwnd, bredde, r.bottom - r.top, AntalSkift(ws));
  ElevOnskFindElev(ws);
  ElevOnskByggRaekker(ws);
  ElevOnskScroll(ws, ELEVLISTE_TEGN_ALT);
}

void DataAendret(ElevOnskWS *ws) {
  ElevOnskFindElev(ws);
  ElevOnskByggRaekker(ws);
  ElevOnskScroll(ws, ELEVLISTE_TEGN_ALT);
}

void Tast(HWND h, ElevOnskWS *ws, UINT msg, WPARAM wParam, LPARAM lParam) {
  TastInfo t;
  MakeTastInfo(&t, msg, wParam, lParam);
  int flag = 0;
  ElevOnskTast(ws, t, 2, &flag);
  if (IsWindow(h) && Ws(h) == ws) ElevOnskScroll(ws, flag);
}

// The shape brush of a strip cell by how the student stands to the
// activity: placed and wished 7, placed without a wish 8, placed on a
// duplicate 10, wished 3, otherwise 11.
uint8_t FormFarve(const ElevPlanWS *p, uint32_t a, uint32_t s) {
  const uint8_t plac = p->Placeringer(a, s), oenske = p->Oensker(a, s);
  if (plac == PLACERET) return oenske ? 7 : 8;
  if (plac == PLACERET_DUBLET) return 10;
  return oenske ? 3 : 11;
}

void Fyld(HDC hdc, HBRUSH b, int x1, int y1, int x2, int y2) { FillRectIfAny(hdc, b, x1, y1, x2, y2); }

void TegnForm(HDC hdc, HBRUSH b, uint8_t form, const LaRec &la, int x0, int y) {
  struct Spaend {
    int fra, til;  // relative to x0
    bool venstre, hoejre;
  };
  static const Spaend kFormer[5] = {{0, 0, false, false}, {-3, 0, true, true}, {-3, 3, true, false},
                                    {-5, 3, false, false}, {-5, 0, false, true}};
  if (form < PLAN_ENKELT || form > PLAN_SLUT) return;
  const Spaend &f = kFormer[form];
  const int t = la.PladsLaas ? 1 : 0;
  if (f.venstre) Fyld(hdc, b, x0 - 5, y + 2, x0 - 3, y + 10);
  Fyld(hdc, b, x0 + f.fra, y + 5 - t, x0 + f.til, y + 7 + t);
  if (f.hoejre) Fyld(hdc, b, x0, y + 2, x0 + 2, y + 10);
  if (la.LukForNyeElever) Fyld(hdc, b, x0 + f.fra, y + 2, x0 + f.til, y + 5);
  if (la.BeholdElever) Fyld(hdc, b, x0 + f.fra, y + 7, x0 + f.til, y + 10);
}

}  // namespace

uint8_t ElevVinduerAabnes = 0;

ElevOnskWS *ElevOnskVinduesWS(HWND hwnd) { return Ws(hwnd); }

void ElevOnskFindElev(ElevOnskWS *ws) {
  ElevPlanWS *p = Plan(ws);
  const uint32_t antal = p && p->ElevTab ? p->ElevAntal : 0;
  ws->ElevPos.Antal = antal;
  ws->ElevPos.Synlige = std::max<uint32_t>(antal, 1);
  uint32_t s = antal ? FindObjIdx(p->ElevTab, antal, tvelev.AktuelRec) : 0;
  if (s == 0 && antal) s = 1;
  ws->ElevPos.Aktuel = s;
  ws->ByggetTg = tvtg.AktuelRec;
}

void ElevOnskByggRaekker(ElevOnskWS *ws) {
  ElevListeTilstand &l = ws->Liste;
  ElevPlanWS *p = Plan(ws);
  const uint32_t antal = p && p->LaTab ? p->LaAntal : 0;
  auto *ny = static_cast<uint32_t *>(calloc(antal + 1u, sizeof(uint32_t)));
  if (!ny) return;
  if (antal) std::memcpy(ny + 1, p->LaTab + 1, antal * sizeof(uint32_t));
  free(l.Raekker);
  l.Raekker = ny;
  l.RaekkeAntal = antal;
  l.RaekkePos.Antal = antal;
  SorterElevListe(&l, ws->ElevPos.Aktuel);
  uint32_t r = 0;
  if (antal) r = l.StatusSort ? 1 : FindObjIdx(l.Raekker, antal, tvla.AktuelRec);
  l.RaekkePos.Aktuel = r;
  ws->RaekkeFoer = r;
}

void TegnElevOnskHoved(ElevOnskWS *ws) {
  Ens &e = ws->ens;
  if (!e.hdc) return;
  EnsPaintCaption(&e);
  const int x = e.Areal[0], y = CyFrame() + kElevListeKaption;
  const int bredde = static_cast<int>(ObjSwitchBredde(ELEVONSK_HOVED_ART, ws->Bogstav, ws->HovedValgt));
  const int rest = std::max(0, e.Areal[2] + 1 - x - bredde);
  ws->RammeDC.hdc = e.hdc;
  FillRectSys(e.hdc, COLOR_BTNFACE, x, y, e.Areal[2] + 1, e.Areal[1]);
  if (Plan(ws) && ws->ElevPos.Aktuel)
    TegnElevRaekke(ElevListeFeltTekst, &ws->Liste, &ws->RammeDC, x, y + 2, 0, ELEVONSK_HOVED_ART, ws->Bogstav,
                   ws->HovedValgt, 0, ws->ElevPos.Aktuel, 0, 1, 1, rest);
}

void TegnElevOnskStriber(ElevOnskWS *ws, uint32_t fra, uint32_t til) {
  Ens &e = ws->ens;
  ElevPlanWS *p = Plan(ws);
  HDC hdc = e.dc[ENSDC_RAEKKEHOVED].hdc;
  const int B = e.RudeB[ENS_RAEKKEHOVED], H = e.RudeH[ENS_RAEKKEHOVED];
  if (!p || !hdc || B <= 0 || H <= 0 || !p->PlanGitter.Data) return;
  const ElevListeTilstand &l = ws->Liste;
  til = std::min(til, l.RaekkeAntal);
  const uint32_t s = ws->ElevPos.Aktuel;
  const bool lektioner = p->Tg && TgRecNr(p->Tg) && TgRecNr(p->Tg)->UgeLektionsGruppe == 'L';
  HBRUSH baggrund36 = FarveBrush[36], spaerret = FarveBrush[18];
  HBRUSH former[4] = {};
  const uint8_t formFarver[4] = {3, 7, 8, 10};
  for (int i = 0; i < 4; ++i) former[i] = CreateSolidBrush(FarveTab[formFarver[i]]);
  HBRUSH andet = CreateSolidBrush(FarveTab[11]);
  for (uint32_t r = std::max<uint32_t>(fra, 1); r <= til; ++r) {
    const int top = static_cast<int>(int64_t{GridCelleStart(&e.AkseY, r)} - e.ScrollY);
    if (top >= H || top + kElevListeRaekke <= 0) continue;
    FillRectSys(hdc, COLOR_3DDKSHADOW, 0, top, B, top + 1);
    const int y = top + 1;
    const uint32_t la = RaekkeLa(ws, r);
    const uint32_t a = LaPosition(p, la);
    const LaRec &rec = ElevRef(LaRecNr, la);
    for (uint32_t j = 1; j <= p->PpAntal; ++j) {
      const int x0 = 6 + kSlotBredde * static_cast<int>(j - 1);
      if (x0 - 5 >= B) break;
      const bool blokeret = s && p->ElevSpaerring.Data && p->ElevSpaerring(s, j) != 0;
      HBRUSH grund = blokeret ? spaerret : baggrund36;
      Fyld(hdc, grund, x0 - 5, y, x0 + 2, y + 11);
      if (j < p->PpAntal)
        FillRectSys(hdc, COLOR_BTNSHADOW, x0 + 2, y, x0 + 3, y + 11);
      else
        Fyld(hdc, grund, x0 + 2, y, x0 + 3, y + 11);
      if (s && a) {
        const uint8_t k = FormFarve(p, a, s);
        HBRUSH b = k == 11 ? andet : former[k == 3 ? 0 : k == 7 ? 1 : k == 8 ? 2 : 3];
        TegnForm(hdc, b, p->PlanGitter(a, j), rec, x0, y);
      }
      if (lektioner && j < p->PpAntal && PpRecNr(p->PpTab[j])->dag != PpRecNr(p->PpTab[j + 1])->dag)
        FillRectSys(hdc, COLOR_3DDKSHADOW, x0 + 1, y, x0 + 2, y + 11);
    }
    const int slut = 6 + kSlotBredde * static_cast<int>(p->PpAntal) - 5;
    if (slut < B) FillRectSys(hdc, COLOR_BTNFACE, slut, y, B, y + 11);
  }
  if (til >= l.RaekkeAntal) {
    const int bund = l.RaekkeAntal ? static_cast<int>(int64_t{GridCelleSlut(&e.AkseY, l.RaekkeAntal)} - e.ScrollY) + 1 : 0;
    FillRectSys(hdc, COLOR_BTNFACE, 0, std::max(0, bund), B, H);
  }
  for (HBRUSH b : former) DeleteObject(b);
  DeleteObject(andet);
}

void TegnElevOnskRaekker(ElevOnskWS *ws, uint32_t fra, uint32_t til) {
  Plan(ws);
  ElevListeTegnRaekker(&ws->Liste, RaekkeVaerdier, ws, fra, til);
  TegnElevOnskStriber(ws, fra, til);
}

namespace {

void TegnHjoerne(ElevOnskWS *ws) {
  Ens &e = ws->ens;
  if (HDC v = e.dc[ENSDC_HJOERNE_V].hdc) FillRectIfAny(v, FarveBrush[0], 0, 0, e.HjoerneB[0], e.HjoerneH[0]);
  if (HDC k = e.dc[ENSDC_KOLHOVED].hdc)
    FillRectSys(k, COLOR_BTNFACE, 0, 0, e.RudeB[ENS_KOLHOVED], static_cast<int>(e.KolHovedHoejde) - kElevListeKnapHoejde);
}

void OpdaterRaekker(ElevOnskWS *ws, int flag) {
  ElevListeTilstand &l = ws->Liste;
  if (flag & (ELEVLISTE_TEGN_ALT | ELEVLISTE_TEGN_RULLET)) {
    ElevListeLayKnapper(&l);
    uint32_t fra, til;
    ElevListeSynligeRaekker(&l, &fra, &til);
    TegnElevOnskRaekker(ws, fra, til);
  } else if (flag & ELEVLISTE_TEGN_RAEKKE) {
    if (ws->RaekkeFoer != l.RaekkePos.Aktuel) TegnElevOnskRaekker(ws, ws->RaekkeFoer, ws->RaekkeFoer);
    TegnElevOnskRaekker(ws, l.RaekkePos.Aktuel, l.RaekkePos.Aktuel);
  }
}

}  // namespace

void TegnElevOnsk(ElevOnskWS *ws, int flag) {
  ElevPlanWS *p = Plan(ws);
  TegnElevOnskHoved(ws);
  if (flag & ELEVLISTE_TEGN_ALT) TegnHjoerne(ws);
  OpdaterRaekker(ws, flag);
  if (p && ws->ens.Aktiv && !ws->ElementTegning && ws->ElevPos.Antal && !ElevVinduerAabnes) {
    if (const uint32_t la = RaekkeLa(ws, ws->Liste.RaekkePos.Aktuel)) tvla.AktuelRec = la;
    if (const uint32_t elev = AktuelElev(ws)) tvelev.AktuelRec = elev;
    SendTilAlleVinduer(AKTUEL_AENDRET, static_cast<WPARAM>(flag), 0, ws->hwnd);
  }
  ws->KolFoer = ws->KolPos.Aktuel;
  ws->RaekkeFoer = ws->Liste.RaekkePos.Aktuel;
  ws->ElevFoer = ws->ElevPos.Aktuel;
}

void ElevOnskScroll(ElevOnskWS *ws, int flag) {
  if (flag == 0) return;
  SaetAkser(ws);
  flag |= ElevListeScrollTilAktuel(&ws->Liste, &ws->KolPos);
  TegnElevOnsk(ws, flag);
}

int ElevOnskTast(ElevOnskWS *ws, const TastInfo &t, int mode, int *pFlag) {
  int flag = 0;
  int svar = 0;
  ElevListeTilstand &l = ws->Liste;
  GridPos &raekker = l.RaekkePos;
  const uint32_t tast = t.wParam;
  ElevPlanWS *p = Plan(ws);
  switch (tast) {
    case VK_SPACE: {
      const uint32_t la = RaekkeLa(ws, raekker.Aktuel), elev = AktuelElev(ws);
      if (!p || !la || !elev) break;
      int tegn = 0;
      svar = PlacerEllerFjernElev(p, ws->ByggetTg, la, elev, t.ctrl, t.shift, mode, &tegn);
      if (svar == 1 && mode == 2) {
        if (raekker.Aktuel < l.RaekkeAntal) ++raekker.Aktuel;
        flag = ELEVLISTE_TEGN_ALT;
      }
      break;
    }
    case VK_PRIOR:
    case VK_NEXT:
      if (!p || ws->ElevPos.Antal == 0) break;
      svar = 1;
      if (mode == 2) {
        // The list is sorted anew even when there is no student further on.
        ws->ElevPos.Synlige = ws->ElevPos.Antal;
        GridTastFlytTrin(&ws->ElevPos, tast, t.ctrl, t.alt, false, mode);
        ObjSwitchSaetSortFelt(ELEVONSK_ART, ws->Bogstav, kStatusKode);
        ElevOnskByggRaekker(ws);
        flag = ELEVLISTE_TEGN_ALT;
      }
      break;
    case VK_UP:
    case VK_DOWN:
      if (l.RaekkeAntal == 0) break;
      raekker.Synlige = std::max<uint32_t>(raekker.Synlige, 1);
      svar = GridTastFlytTrin(&raekker, tast, t.ctrl, t.alt, false, mode) ? 1 : 0;
      if (svar && mode == 2) flag = ELEVLISTE_TEGN_RAEKKE;
      break;
    case VK_APPS:
      svar = KmdHoejreklik(ws->hwnd, 0, 0, mode) ? 1 : 0;
      break;
    case VK_F3:
      svar = SkiftMaksimeret(ws->hwnd, &l.GemtRect, mode) ? 1 : 0;
      break;
    default:
      if (t.shift && !t.ctrl && !t.alt && tast >= '1' && tast <= '9')
        svar = GridCifferKommando(ws->hwnd, tast, ws->ens.Aktiv != 0, AntalSkift(ws), mode) ? 1 : 0;
      break;
  }
  if (pFlag) *pFlag = flag;
  return svar;
}

LRESULT CALLBACK ElevOnskWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<ElevOnskWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    Opret(h, ws);
    return 0;
  }
  ElevOnskWS *ws = Ws(h);
  if (!ws) return DefWindowProcA(h, msg, wParam, lParam);
  Ens &e = ws->ens;
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
      TegnElevOnskHoved(ws);
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        SaetAkser(ws);
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), AntalSkift(ws));
        EnsPaintFrame(&e);
        ElevOnskScroll(ws, ELEVLISTE_TEGN_ALT);
      } else if (wParam == SIZE_MINIMIZED) {
        if (e.Aktiv) BringWindowToTop(h);
      } else if (wParam == SIZE_MAXIMIZED) {
        SaetAkser(ws);
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), AntalSkift(ws));
        if (!e.Aktiv && MaaAktiveres(h, ws)) SendMessageA(h, VINDUE_AKTIVER, 1, 0);
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (EnsOnScroll(&e, msg, wParam)) TegnElevOnsk(ws, ELEVLISTE_TEGN_ALT);
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, wParam);
      return 0;
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &e, lParam);
      return 0;
    case WM_MOUSELEAVE:
      SetCursor(LoadCursorA(0, IDC_ARROW));
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      EnsOnDblClk(h, &e, lParam);
      return 0;
    case WM_RBUTTONDOWN:
      EnsActivateOnClick(h, &e);
      if (IsWindow(h) && Ws(h) == ws && e.Aktiv) {
        POINT pt{0, 0};
        GetCursorPos(&pt);
        CreateShortCutWnd(e.hInstance, h, pt.x, pt.y, ElevListeGenveje(ELEVLISTE_ONSK));
      }
      return 0;
    case WM_MBUTTONDOWN:
      EnsActivateOnClick(h, &e);
      return 0;
    case WM_SIZING:
      EnsOnSizing(reinterpret_cast<RECT *>(lParam), static_cast<UINT>(wParam), 150, FuldBredde(ws), 120,
                  FuldHoejde(ws));
      return TRUE;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      MakeTastInfo(&t, msg, wParam, lParam);
      if (t.wParam == VK_F4 && t.ctrl) {
        DestroyWindow(h);
        return 0;
      }
      if (t.wParam == VK_F4) return msg == TAST_MODTAG ? 0 : DefWindowProcA(h, msg, wParam, lParam);
      Tast(h, ws, msg, wParam, lParam);
      return 0;
    }
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      return t ? ElevOnskTast(ws, *t, 1, nullptr) : 0;
    }
    case ENS_BREDDE:
      return ElevOnskBredde(&ws->Liste, static_cast<int>(wParam));
    case ENS_HOEJDE:
      return ElevOnskHoejde(&ws->Liste, static_cast<int>(wParam));
    case TB_RUDE_TEGN:
      TegnElevOnskHoved(ws);
      return 0;
    case AKTUEL_AENDRET:
      Foelg(ws);
      return 0;
    case ENS_KOLHOVED_NED:
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
      Klik(h, ws, msg, lParam);
      return 0;
    case ENS_KOLHOVED_TEGN:
      TegnHjoerne(ws);
      return 0;
    case ENS_RAEKKEHOVED_TEGN: {
      uint32_t fra, til;
      ElevListeSynligeRaekker(&ws->Liste, &fra, &til);
      TegnElevOnskStriber(ws, fra, til);
      return 0;
    }
    case ENS_CELLER_TEGN:
      OpdaterRaekker(ws, ELEVLISTE_TEGN_ALT);
      return 0;
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
      Aktiver(h, ws, msg, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      e.Aktiv = e.CaptionAktiv = 0;
      TegnElevOnsk(ws, ELEVLISTE_TEGN_ALT);
      EnsPaintFrame(&e);
      return 0;
    case VINDUE_TEGN_MED: {
      const uint8_t aktiv = e.Aktiv;
      e.Aktiv = e.CaptionAktiv = wParam ? 1 : 0;
      ws->ElementTegning = 1;
      TegnElevOnsk(ws, ELEVLISTE_TEGN_ALT);
      ws->ElementTegning = 0;
      e.Aktiv = e.CaptionAktiv = aktiv;
      TegnElevOnskHoved(ws);
      return 0;
    }
    case VINDUE_SAET_AKTIV:
      e.Aktiv = e.CaptionAktiv = 1;
      return 0;
    case VINDUE_ART:
      return ws->Type;
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case ELEVLISTE_LUK:
      DestroyWindow(h);
      return 0;
    case ELEVLISTE_DATA_1:
    case ELEVLISTE_DATA_2:
    case ELEVLISTE_DATA_3:
      DataAendret(ws);
      return 0;
    case NYB_KLIK:
      ElevOnskKnapKommando(&ws->Liste, static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
      return 0;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

bool RegistrerElevOnskKlasse(HINSTANCE inst) {
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = ElevOnskWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = kKlasse;
  return RegisterClassA(&wc) != 0;
}

void AfregistrerElevOnskKlasse(HINSTANCE inst) { UnregisterClassA(kKlasse, inst); }

HWND CreateElevOnskWnd(HWND desktop, int venstre, int top, int hoejre, int bund, int type) {
  HWND planVindue = 0;
  ElevPlanWS *plan = FindElevPlanWS(&planVindue);
  if (!plan) return 0;
  auto *ws = static_cast<ElevOnskWS *>(calloc(1, sizeof(ElevOnskWS)));
  if (!ws) return 0;
  ws->Type = type;
  ws->Bogstav = 'K';
  ws->PlanVindue = planVindue;
  ws->Plan = plan;
  ws->Liste.PlanWS = plan;
  ws->Liste.ListeArt = ELEVONSK_ART;
  ws->Liste.Bogstav = 'K';
  ws->Liste.Vindue = ELEVLISTE_ONSK;
  ws->Liste.AntalLayouts = ObjSwitchAntal(ELEVONSK_ART, 'K');
  ws->Liste.ValgtLayout = ObjSwitchValgt(ELEVONSK_ART, 'K');
  ws->HovedAntal = ObjSwitchAntal(ELEVONSK_HOVED_ART, 'K');
  ws->HovedValgt = ObjSwitchValgt(ELEVONSK_HOVED_ART, 'K');
  const int b = std::max(ElevOnskBredde(&ws->Liste, std::max(hoejre - venstre, 0)), 0);
  const int h = std::max(ElevOnskHoejde(&ws->Liste, std::max(bund - top, 0)), 0);
  HWND hwnd = CreateWindowExA(0, kKlasse, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE, venstre, top,
                              b, h, desktop, static_cast<HMENU>(type), hInst, ws);
  if (!hwnd) {
    if (!ws->hwnd) free(ws);
    return 0;
  }
  return hwnd;
}
