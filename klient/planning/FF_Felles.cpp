// The common subjects and students window and the recount of fagelv. The
// window reads the plan window's model on the main thread while the plan
// window is open and keeps nothing of it beyond record numbers, so a plan
// that rebuilds or closes never leaves it pointing into freed rows.

#include "FF_Felles.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "ENSMUS.h"
#include "FARVER.h"
#include "FF_PlanFyld.h"
#include "FINDREC.h"
#include "FONTE.h"
#include "IMPORT.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "NYBUTTON.h"
#include "PLANGITTER.h"
#include "PROGVINDUER.h"
#include "PlanTegn.h"
#include "PlanTraad.h"
#include "RECPRED.h"
#include "SORTIDX.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TASTINFO.h"
#include "VINDUER.h"
#include "tavo/assert.h"

namespace {

constexpr const char *kKlasse = "PlanFelWndClass";
constexpr const char *kTitel = "Fælles fag / elever";
constexpr uint32_t kRaekkeH = 14;     // a line of the layout: 11 + 3 pixels
constexpr uint32_t kEkstraH = 3;
constexpr uint32_t kKnapH = 16;       // the sort buttons' row
constexpr int kParBredde = 40;        // shared pairs, 4 digits
constexpr int kEleverX = 41;          // shared students, 5 digits, from here
constexpr int kEleverBredde = 48;
constexpr int kTalBredde = kEleverX + kEleverBredde + 1;
constexpr int kMindsteBredde = 150;
constexpr int kMaksHoejde = 400;

int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }

uint32_t Lo(uint32_t a, uint32_t b) { return a < b ? a : b; }
uint32_t Hi(uint32_t a, uint32_t b) { return a < b ? b : a; }
uint64_t ParNoegle(uint32_t a, uint32_t b) { return (static_cast<uint64_t>(Lo(a, b)) << 32) | Hi(a, b); }

void Marker(const TabDesc *pTd, TabVar *pTv, uint32_t n) {
  if (pTv->pfSave && pTd->RecPrBlok) pTv->pfSave[n / pTd->RecPrBlok] = 1;
}

// A live link: an active status that is neither deleted nor pending.
bool Levende(uint8_t status) { return status != 0 && AktivStatus(status) && StatusKlasse(status) == KLASSE_AKTUEL; }

const AktiRec *Akti(uint32_t n) { return GyldigRef(&tvakti, n) ? TabRec<AktiRec>(tvakti, n) : nullptr; }

// ---------------------------------------------------------------- sizes

uint32_t LayoutBredde(const FelWS *ws) { return ObjSwitchBredde(ws->Art, ws->Bogstav, ws->Layout); }

int OensketBredde(const FelWS *ws) {
  return static_cast<int>(LayoutBredde(ws)) + GetSystemMetrics(SM_CXVSCROLL) + 2 * CxFrame() + 94;
}
int OensketHoejde() { return static_cast<int>(2 * kRaekkeH) + 105; }

int Begraens(int oenske, int mindst, int graense) {
  const int v = std::max(oenske, mindst);
  return graense > 0 && v > graense ? graense : v;
}

// ---------------------------------------------------------------- lists

void FrigivCnt(FelWS *ws) {
  for (uint32_t i = 0; ws->FelCnt && i < ws->FelCntAntal; ++i) free(ws->FelCnt[i].SkfaAnfoTab);
  free(ws->FelCnt);
  ws->FelCnt = nullptr;
  ws->FelCntAntal = 0;
}

void TilfoejPar(FelWS *ws, uint32_t akti, uint32_t skfa, uint32_t anfo) {
  FelCntPost &c = ws->FelCnt[akti];
  auto *ny = static_cast<FelSkfaAnfo *>(realloc(c.SkfaAnfoTab, (c.FaellesFag + 1) * sizeof(FelSkfaAnfo)));
  if (!ny) tavo::AssertFailed("FelWS->FelCnt[akti_idx].SkfaAnfoTab != NULL", "FF_Felles", __LINE__);
  c.SkfaAnfoTab = ny;
  c.SkfaAnfoTab[c.FaellesFag++] = {skfa, anfo};
}

Plan *PlanAf(const FelWS *ws) {
  if (!ws->hwndPlan || !IsWindow(ws->hwndPlan)) return nullptr;
  return reinterpret_cast<Plan *>(SendMessageA(ws->hwndPlan, REL_PLAN_TILSTAND, 0, 0));
}

Dato GruppeFradato(const Plan *plan) {
  if (!plan || !GyldigRef(&tvffpg, plan->AktPlanGruppe)) return 0;
  return TabRec<FfpgRec>(tvffpg, plan->AktPlanGruppe)->Fradato;
}

// The employment with the largest student lessons of a row, the first of
// equals; 0 without a row or a listed employment.
uint32_t StoersteAnfo(const BruttoTabel &tab, uint32_t raekke) {
  if (!tab.Poster || raekke == 0 || raekke >= tab.Antal) return 0;
  const BruttoPost &p = tab.Poster[raekke];
  uint32_t anfo = 0, bedst = 0;
  for (uint32_t k = 0; k < p.Antal && k < kBruttoAnfo; ++k)
    if (p.Anfo[k] && (anfo == 0 || p.Vaerdi[k] > bedst)) anfo = p.Anfo[k], bedst = p.Vaerdi[k];
  return anfo;
}

// The group's row of the activity and subject, folded away or not; 0.
uint32_t FagRaekke(const Plan *plan, uint32_t akti, uint32_t skfa) {
  for (uint32_t r = 1; plan->GrundTab && plan->ObjTypeTab && r <= plan->GrundTabAntal; ++r) {
    const GrundRaekke &g = plan->GrundTab[r];
    const uint32_t art = plan->ObjTypeTab[r];
    if ((art == PLAN_FAG || art == PLAN_FREMMED_FAG) && g.ffpg_id == plan->AktPlanGruppe && g.Aktivitet == akti &&
        g.Skolefag == skfa && !g.Dublet && !g.KopiAf)
      return r;
  }
  return 0;
}

// ---------------------------------------------------------------- window

FelWS *Ws(HWND h) {
  if (!h) return nullptr;
  char navn[32] = "";
  if (!GetClassNameA(h, navn, sizeof navn) || std::strcmp(navn, kKlasse) != 0) return nullptr;
  return reinterpret_cast<FelWS *>(GetWindowLongPtrA(h, GWLP_USERDATA));
}

void SaetAktiv(FelWS *ws, uint8_t aktiv) { ws->Ens.Aktiv = ws->Ens.CaptionAktiv = aktiv; }

void Synlige(const FelWS *ws, uint32_t *fra, uint32_t *til) {
  const Ens &e = ws->Ens;
  const int h = std::max(0, +e.RudeH[ENS_CELLER]);
  *fra = ws->FelObjAntal ? e.ScrollY / kRaekkeH + 1 : 1;
  *til = std::min<uint32_t>(ws->FelObjAntal, (e.ScrollY + static_cast<uint32_t>(h)) / kRaekkeH + 1);
}

// Keeps the cursor row within the pane, and the scrollbar with it.
void RulTilAktuel(FelWS *ws) {
  Ens &e = ws->Ens;
  const uint32_t h = static_cast<uint32_t>(std::max(0, +e.RudeH[ENS_CELLER]));
  ws->PosY.Antal = ws->FelObjAntal;
  ws->PosY.Synlige = std::max<uint32_t>(1, h / kRaekkeH);
  const uint32_t r = ws->PosY.Aktuel;
  if (r) {
    const uint32_t y0 = GridCelleStart(&e.AkseY, r), y1 = y0 + kRaekkeH;
    if (y0 < e.ScrollY) e.ScrollY = y0;
    if (h && y1 > e.ScrollY + h) e.ScrollY = y1 - h;
  }
  const uint32_t total = ws->FelObjAntal * kRaekkeH;
  if (e.ScrollY && total <= h) e.ScrollY = 0;
  ws->PosY.Foerste = e.ScrollY / kRaekkeH + 1;
  EnsOpdaterScroll(&e, 1, ws->FelObjAntal);
}

struct FelLinje {
  const FelObjPost *Post;
  uint8_t Farve;  // 0: by table letter
};

// The text of one field of a row into the layout's blank cell.
void FeltTekst(void *, const SwitchFelt *sf, uint32_t, void *arg, char *tekst, uint8_t *pFarve) {
  const auto *l = static_cast<const FelLinje *>(arg);
  const FelObjPost &p = *l->Post;
  const uint32_t felt = sf->FeltNr, tegn = std::min<uint32_t>(sf->Tegn, kSwitchMaksTegn);
  const int b = static_cast<int>(tegn);
  char t[kSwitchTekstLen + 1] = "";
  uint8_t farve = 16;
  const SkfaRec *s = p.Skolefag && GyldigRef(&tvskfa, p.Skolefag) ? TabRec<SkfaRec>(tvskfa, p.Skolefag) : nullptr;
  switch (felt) {
    case 1:
      if (const AktiRec *a = Akti(p.Akti))
        std::snprintf(t, sizeof t, "%-*.*s", b, static_cast<int>(sizeof a->Aktivitet), a->Aktivitet);
      farve = 7;
      break;
    case 2:
      if (s) std::snprintf(t, sizeof t, "%*.*s", b, static_cast<int>(sizeof s->Skolefag), s->Skolefag);
      farve = 13;
      break;
    case 3:
      if (s && s->Niveau) std::snprintf(t, sizeof t, "%c", s->Niveau);
      farve = 13;
      break;
    case 4:
      if (s) std::snprintf(t, sizeof t, "%-*.*s", b, static_cast<int>(sizeof s->Betegnelse), s->Betegnelse);
      farve = 13;
      break;
    case 5:
      if (s && p.Anfo && GyldigRef(&tvanfo, p.Anfo)) {
        const uint32_t meda = TabRec<AnfoRec>(tvanfo, p.Anfo)->meda_id;
        if (GyldigRef(&tvmeda, meda)) {
          const MedaRec *m = TabRec<MedaRec>(tvmeda, meda);
          std::snprintf(t, sizeof t, "%-*.*s", b, static_cast<int>(sizeof m->Initialer), m->Initialer);
        }
      }
      farve = 8;
      break;
    default:
      break;
  }
  std::memcpy(tekst, t, std::min<size_t>(std::strlen(t), tegn));
  *pFarve = l->Farve ? l->Farve : farve;
}

void RaekkeFarver(const FelWS *ws, uint32_t r, uint8_t *bk, uint8_t *tekst) {
  if (r == ws->PosY.Aktuel) {
    *bk = ws->Ens.Aktiv ? 1 : 2;
    *tekst = ws->Ens.Aktiv ? 17 : 19;
  } else {
    *bk = 0;
    *tekst = 0;
  }
}

void Fyld(HDC dc, uint8_t farve, int x0, int y0, int x1, int y1) {
  if (!dc || x1 <= x0 || y1 <= y0) return;
  RECT r{x0, y0, x1, y1};
  FillRect(dc, &r, FarveBrush[farve]);
}

void TegnVenstreRaekke(FelWS *ws, uint32_t r) {
  Ens &e = ws->Ens;
  EnsDC *dc = &e.dc[ENSDC_RAEKKEHOVED];
  if (!dc->hdc || r == 0 || r > ws->FelObjAntal) return;
  uint8_t bk, tekst;
  RaekkeFarver(ws, r, &bk, &tekst);
  FelLinje l{&ws->FelObjTab[r], tekst};
  const int bredde = static_cast<int>(LayoutBredde(ws));
  const uint32_t rest = static_cast<uint32_t>(std::max(0, +e.RudeB[ENS_RAEKKEHOVED] - bredde));
  TegnSwitchLinie(FeltTekst, ws, dc, 0, EnsRaekkeY(&e, r), bk, ws->Art, ws->Bogstav, ws->Layout, 0, &l, 0, kEkstraH,
                  rest, false, false);
}

void TegnTalRaekke(FelWS *ws, uint32_t r) {
  Ens &e = ws->Ens;
  EnsDC *dc = &e.dc[ENSDC_CELLER];
  if (!dc->hdc || r == 0 || r > ws->FelObjAntal) return;
  uint8_t bk, tekst;
  RaekkeFarver(ws, r, &bk, &tekst);
  const int y = EnsRaekkeY(&e, r), h = static_cast<int>(kRaekkeH);
  const FelObjPost &p = ws->FelObjTab[r];
  if (p.Skolefag == 0 && ws->FelCnt && p.Akti < ws->FelCntAntal) {
    const FelCntPost &c = ws->FelCnt[p.Akti];
    const uint8_t farve = tekst ? tekst : 16;
    PlanTegnTal(dc, static_cast<long>(c.FaellesFag), 4, 0, y, kParBredde, h, bk, farve);
    PlanTegnTal(dc, static_cast<long>(c.FaellesElever), 5, kEleverX, y, kEleverBredde, h, bk, farve);
  } else {
    Fyld(dc->hdc, bk, 0, y, kTalBredde, y + h);
  }
  Fyld(dc->hdc, 0, kTalBredde, y, std::max(kTalBredde, +e.RudeB[ENS_CELLER]), y + h);
}

void TegnVenstre(FelWS *ws) {
  Ens &e = ws->Ens;
  uint32_t fra, til;
  Synlige(ws, &fra, &til);
  for (uint32_t r = fra; r <= til; ++r) TegnVenstreRaekke(ws, r);
  const int under = ws->FelObjAntal ? EnsRaekkeY(&e, ws->FelObjAntal + 1) : 0;
  Fyld(e.dc[ENSDC_RAEKKEHOVED].hdc, 0, 0, std::max(0, under), e.RudeB[ENS_RAEKKEHOVED], e.RudeH[ENS_RAEKKEHOVED]);
}

void TegnTal(FelWS *ws) {
  Ens &e = ws->Ens;
  uint32_t fra, til;
  Synlige(ws, &fra, &til);
  for (uint32_t r = fra; r <= til; ++r) TegnTalRaekke(ws, r);
  const int under = ws->FelObjAntal ? EnsRaekkeY(&e, ws->FelObjAntal + 1) : 0;
  Fyld(e.dc[ENSDC_CELLER].hdc, 0, 0, std::max(0, under), e.RudeB[ENS_CELLER], e.RudeH[ENS_CELLER]);
}

// The heads around the sort buttons, never over them: the panes do not
// clip their children.
void TegnHoved(FelWS *ws) {
  Ens &e = ws->Ens;
  const int h = static_cast<int>(e.KolHovedHoejde), over = std::max(0, h - static_cast<int>(kKnapH));
  if (HDC dc = e.dc[ENSDC_HJOERNE_V].hdc) {
    FillRectSys(dc, COLOR_BTNFACE, 0, 0, e.HjoerneB[0], over);
    FillRectSys(dc, COLOR_BTNFACE, static_cast<int>(LayoutBredde(ws)), over, e.HjoerneB[0], h);
  }
  if (HDC dc = e.dc[ENSDC_KOLHOVED].hdc) {
    FillRectSys(dc, COLOR_BTNFACE, 0, 0, e.RudeB[ENS_KOLHOVED], over);
    FillRectSys(dc, COLOR_BTNFACE, kTalBredde, over, e.RudeB[ENS_KOLHOVED], h);
  }
  if (HDC dc = e.dc[ENSDC_HJOERNE_H].hdc) FillRectSys(dc, COLOR_BTNFACE, 0, 0, e.HjoerneB[1], h);
}

void TegnAlt(FelWS *ws) {
  EnsPaintFrame(&ws->Ens);
  TegnHoved(ws);
  TegnVenstre(ws);
  TegnTal(ws);
}

void TegnCursorFlyt(FelWS *ws) {
  RulTilAktuel(ws);
  TegnVenstre(ws);
  TegnTal(ws);
  ws->RaekkeFoer = ws->PosY.Aktuel;
}

const char *KnapTekst(uint32_t felt) {
  switch (felt) {
    case 1: return "Aktivitet";
    case 2: return "Fag";
    case 3: return "N";
    case 4: return "Betegnelse";
    case 5: return "Lærer";
    default: return "";
  }
}

void SletKnapper(FelWS *ws) {
  for (uint32_t i = 0; ws->hwndSortButLeft && i < ws->SortButLeftAntal; ++i)
    if (ws->hwndSortButLeft[i] && IsWindow(ws->hwndSortButLeft[i])) DestroyWindow(ws->hwndSortButLeft[i]);
  free(ws->hwndSortButLeft);
  ws->hwndSortButLeft = nullptr;
  ws->SortButLeftAntal = 0;
  if (ws->hwndSortButGrd && IsWindow(ws->hwndSortButGrd)) DestroyWindow(ws->hwndSortButGrd);
  ws->hwndSortButGrd = 0;
}

void OpretKnapper(FelWS *ws) {
  Ens &e = ws->Ens;
  const uint32_t antal = ObjSwitchFeltAntal(ws->Art, ws->Bogstav, ws->Layout);
  ws->hwndSortButLeft = static_cast<HWND *>(calloc(antal + 1, sizeof(HWND)));
  if (!ws->hwndSortButLeft) tavo::AssertFailed("FelWS->hwndSortButLeft != NULL", "FF_Felles", __LINE__);
  ws->SortButLeftAntal = antal;
  const HWND venstre = e.hwndHjoerneV ? e.hwndHjoerneV : ws->hwnd;
  const int y = std::max(0, static_cast<int>(e.KolHovedHoejde) - static_cast<int>(kKnapH));
  for (uint32_t i = 0; i < antal; ++i) {
    const int x = static_cast<int>(ObjSwitchFeltStart(ws->Art, ws->Bogstav, ws->Layout, i));
    const int b = static_cast<int>(ObjSwitchFeltBredde(ws->Art, ws->Bogstav, ws->Layout, i));
    const char *t = KnapTekst(ObjSwitchFeltNr(ws->Art, ws->Bogstav, ws->Layout, i));
    ws->hwndSortButLeft[i] =
        CreateNyButtonWnd(e.hInstance, venstre, ws->hwnd, i, 0, NYB_VENSTRE, x, y, b, kKnapH, t, t);
    if (ws->hwndSortButLeft[i]) ShowWindow(ws->hwndSortButLeft[i], SW_SHOW);
  }
  const HWND tal = e.hwndKolHoved ? e.hwndKolHoved : ws->hwnd;
  ws->hwndSortButGrd =
      CreateNyButtonWnd(e.hInstance, tal, ws->hwnd, antal, 0, NYB_VENSTRE, 0, y, kTalBredde, kKnapH, "Elever", "Elever");
  if (!ws->hwndSortButGrd) tavo::AssertFailed("FelWS->hwndSortButGrd != NULL", "FF_Felles", __LINE__);
  ShowWindow(ws->hwndSortButGrd, SW_SHOW);
}

void LayKnapper(FelWS *ws) {
  const Ens &e = ws->Ens;
  const int y = std::max(0, static_cast<int>(e.KolHovedHoejde) - static_cast<int>(kKnapH));
  for (uint32_t i = 0; ws->hwndSortButLeft && i < ws->SortButLeftAntal; ++i) {
    if (!ws->hwndSortButLeft[i]) continue;
    const int x = static_cast<int>(ObjSwitchFeltStart(ws->Art, ws->Bogstav, ws->Layout, i));
    const int b = static_cast<int>(ObjSwitchFeltBredde(ws->Art, ws->Bogstav, ws->Layout, i));
    MoveWindow(ws->hwndSortButLeft[i], x, y, b, kKnapH, TRUE);
  }
  if (ws->hwndSortButGrd) MoveWindow(ws->hwndSortButGrd, 0, y, kTalBredde, kKnapH, TRUE);
}

void ByggOgNulstil(FelWS *ws) {
  ByggFelObjTab(ws);
  ws->Ens.ScrollY = 0;
  RulTilAktuel(ws);
}

void Opret(HWND h, FelWS *ws) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  ws->hwnd = h;
  Ens &e = ws->Ens;
  e.hwndParent = GetParent(h);
  e.hInstance = hInst;
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_V;
  std::snprintf(e.Titel, sizeof e.Titel, "%s", kTitel);
  e.pTd = &tdakti;
  e.pTv = &tvakti;
  e.AkseX = GridAkse{0, static_cast<uint32_t>(kTalBredde), 1, 0, 0};
  e.AkseY = GridAkse{0, kRaekkeH, 1, 0, 0};
  ws->PosX = GridPos{1, 1, 1, 1};
  e.StyrX = &ws->PosX;
  e.StyrY = &ws->PosY;
  e.KolHovedHoejde = kKnapH + 2;
  e.RaekkeHovedBredde = LayoutBredde(ws);
  e.hdc = GetDC(h);
  if (TxtFont && e.hdc) SelectObject(e.hdc, TxtFont);
  RECT rc;
  GetClientRect(h, &rc);
  e.Areal[0] = CxFrame();
  e.Areal[1] = CyFrame() + GetSystemMetrics(SM_CYCAPTION);
  e.Areal[2] = rc.right - 1 - CxFrame();
  e.Areal[3] = rc.bottom - 1 - CyFrame();
  EnsCalcLayout(&e);
  EnsCreateChildren(&e, h, 0, nullptr, TxtFont, false, true, nullptr);
  for (EnsDC &dc : e.dc)
    if (dc.hdc && TxtFont) SelectObject(dc.hdc, TxtFont);
  static const uint32_t ids[3] = {NYB_LUK, NYB_MAKSIMER, NYB_MINIMER};
  static const int dx[3] = {18, 36, 52};
  HWND *knap[3] = {&e.hwndLuk, &e.hwndMaks, &e.hwndMin};
  for (int i = 0; i < 3; ++i) {
    *knap[i] = CreateNyButtonWnd(hInst, h, h, ids[i], ids[i], ids[i] | NYB_KAPTION_STOR, e.Areal[2] - dx[i],
                                 CyFrame() + 2, 16, 14, "", "");
    if (*knap[i]) ShowWindow(*knap[i], SW_SHOW);
  }
  OpretKnapper(ws);
  FelAktivFraPlan(ws);
  ByggOgNulstil(ws);
  VinduesListeTilfoej(h);
  if (e.hwndParent && SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) {
    SaetAktiv(ws, 1);
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(h));
  }
}

void Nedlaeg(HWND h, FelWS *ws) {
  VinduesListeFjern(h);
  if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(h));
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  SletKnapper(ws);
  FrigivFelTabeller(ws);
  free(ws);
}

void Aktiver(HWND h, FelWS *ws, UINT msg, WPARAM wParam) {
  if (ws->Ens.Aktiv) return;
  SaetAktiv(ws, 1);
  VinduesListeTilTop(h);
  BringWindowToTop(h);
  if (msg == VINDUE_AKTIVER) SendMessageA(ws->Ens.hwndParent, ENS_BLEV_AKTIV, wParam ? wParam : 1, static_cast<LPARAM>(h));
  if (Ws(h) != ws) return;
  TegnAlt(ws);
}

void Knap(HWND h, FelWS *ws, LPARAM vaerdi) {
  switch (vaerdi) {
    case NYB_MINIMER:
      EnsMinimize(h, &ws->Ens);
      return;
    case NYB_LUK:
      DestroyWindow(h);
      return;
    case NYB_MAKSIMER:
      EnsMaximize(h, &ws->Ens);
      return;
    default:
      return;
  }
}

// A key of the main window's record: 1 when the window took it.
LRESULT Tast(HWND h, FelWS *ws, const TastInfo &t) {
  switch (t.wParam) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
      if (ws->FelObjAntal == 0) return 1;
      RulTilAktuel(ws);
      if (GridTastFlytTrin(&ws->PosY, t.wParam, t.ctrl, t.alt, false, 2)) TegnCursorFlyt(ws);
      return 1;
    // The plan window's subject and employee keys mean nothing here; taken
    // so that they do not reach the plan.
    case 'F':
    case 'M':
    case 102:
    case 109:
      return 1;
    case VK_APPS:
      SendMessageA(h, WM_RBUTTONDOWN, 0, 0);
      return 1;
    case VK_F4:
      if (t.ctrl) {
        DestroyWindow(h);
        return 1;
      }
      return 0;
    default:
      return 0;
  }
}

}  // namespace

FelWS *FelVinduesWS(HWND hwnd) { return Ws(hwnd); }

void FrigivFelTabeller(FelWS *ws) {
  free(ws->FelObjTab);
  ws->FelObjTab = nullptr;
  ws->FelObjAntal = 0;
  FrigivCnt(ws);
}

bool FelAktivFraPlan(FelWS *ws) {
  uint32_t akti = 0;
  if (ws->hwndPlan && IsWindow(ws->hwndPlan) &&
      static_cast<uint8_t>(SendMessageA(ws->hwndPlan, OBJEKT_ART, 0, 0)) == 'K') {
    akti = static_cast<uint32_t>(SendMessageA(ws->hwndPlan, GANT_AKTUEL_REC, 0, 0));
    if (!Akti(akti)) akti = 0;
  }
  ws->AktuelAkti = akti;
  return akti != ws->ByggetAkti;
}

void ByggFelCnt(FelWS *ws) {
  const uint32_t c = ws->AktuelAkti;
  Plan *plan = c ? PlanAf(ws) : nullptr;
  if (!plan || !plan->PlanAktiTab || c > plan->PlanAktiAntal || !ws->FelCnt) return;
  // A plan job that holds the plan rebuilds these tables: the pairs wait
  // for the next change rather than the main thread for the job.
  PlanLaas laas(true);
  if (!laas.Taget()) return;
  const PlanAktiPost &cp = plan->PlanAktiTab[c];
  if (cp.SkphAntal == 0 || !cp.SkphTab) return;
  // The activities of the plan that have each subject.
  std::unordered_map<uint32_t, std::vector<uint32_t>> medFag;
  const uint32_t antal = std::min(plan->PlanAktiAntal + 1, ws->FelCntAntal);
  for (uint32_t a = 1; a < antal; ++a) {
    const PlanAktiPost &ap = plan->PlanAktiTab[a];
    if (a == c || !ap.IPlan || !ap.SkphTab) continue;
    for (uint32_t k = 1; k <= ap.SkphAntal; ++k) {
      const uint32_t p = ap.SkphTab[k];
      if (!GyldigRef(&tvskph, p)) continue;
      std::vector<uint32_t> &v = medFag[+TabRec<SkphRec>(tvskph, p)->skfa_id];
      if (v.empty() || v.back() != a) v.push_back(a);
    }
  }
  BruttoTabel tab{};
  BeregnElevLektioner(plan, plan->AktPlanGruppe, &tab);
  for (uint32_t k = 1; k <= cp.SkphAntal; ++k) {
    const uint32_t p = cp.SkphTab[k];
    if (!GyldigRef(&tvskph, p)) continue;
    const uint32_t skfa = TabRec<SkphRec>(tvskph, p)->skfa_id;
    const auto it = medFag.find(skfa);
    if (it == medFag.end()) continue;
    const uint32_t anfo = StoersteAnfo(tab, FagRaekke(plan, c, skfa));
    for (uint32_t a : it->second) TilfoejPar(ws, a, skfa, anfo);
  }
  free(tab.Poster);
}

void ByggFelObjTab(FelWS *ws) {
  FrigivFelTabeller(ws);
  ws->ByggetAkti = ws->AktuelAkti;
  ws->FelCntAntal = tvakti.wRecCnt ? tvakti.wRecCnt : 1;
  ws->FelCnt = static_cast<FelCntPost *>(calloc(ws->FelCntAntal, sizeof(FelCntPost)));
  if (!ws->FelCnt) tavo::AssertFailed("FelWS->FelCnt != NULL", "FF_Felles", __LINE__);
  ws->FelObjTab = static_cast<FelObjPost *>(calloc(1, sizeof(FelObjPost)));
  if (!ws->FelObjTab) tavo::AssertFailed("FelWS->FelObjTab != NULL", "FF_Felles", __LINE__);
  ws->PosY = GridPos{0, 1, 1, 0};
  const uint32_t c = ws->AktuelAkti;
  if (!c) return;
  ByggFelCnt(ws);
  // The shared students of the current activity's pairs, in either order.
  std::unordered_map<uint32_t, uint32_t> elever;
  for (uint32_t n = 1; n < tvfagelv.wRecCnt && tvfagelv.pbTab; ++n) {
    const FagelvRec *f = TabRec<FagelvRec>(tvfagelv, n);
    if (f->Status == 0 || StatusKlasse(f->Status) != KLASSE_AKTUEL) continue;
    const uint32_t a1 = f->akti1_id, a2 = f->akti2_id;
    if (a1 == a2) continue;
    const uint32_t antal = f->Faelles_Elever;
    if (a1 == c) elever.try_emplace(a2, antal);
    if (a2 == c) elever.try_emplace(a1, antal);
  }
  const Dato fra = GruppeFradato(PlanAf(ws));
  std::vector<FelObjPost> raekker;
  for (uint32_t a = 1; a < ws->FelCntAntal; ++a) {
    const AktiRec *r = Akti(a);
    if (a == c || !r || IsInaktivAkti(a) || IsHoldAkti(a) <= 0 || r->Tildato < fra) continue;
    FelCntPost &cnt = ws->FelCnt[a];
    const auto e = elever.find(a);
    const uint32_t antal = e == elever.end() ? 0 : e->second;
    if (cnt.FaellesFag == 0 && antal == 0) continue;
    cnt.FaellesElever = antal;
    raekker.push_back({a, 0, 0});
    for (uint32_t k = 0; k < cnt.FaellesFag; ++k) raekker.push_back({a, cnt.SkfaAnfoTab[k].Skolefag, cnt.SkfaAnfoTab[k].Anfo});
  }
  auto *tab = static_cast<FelObjPost *>(calloc(raekker.size() + 1, sizeof(FelObjPost)));
  if (!tab) tavo::AssertFailed("FelWS->FelObjTab != NULL", "FF_Felles", __LINE__);
  std::copy(raekker.begin(), raekker.end(), tab + 1);
  free(ws->FelObjTab);
  ws->FelObjTab = tab;
  ws->FelObjAntal = static_cast<uint32_t>(raekker.size());
  ws->PosY = GridPos{ws->FelObjAntal, 1, 1, ws->FelObjAntal ? 1u : 0u};
}

void CountFaellesElever() {
  const TabDesc *pTd = &tdfagelv;
  TabVar *pTv = &tvfagelv;
  // 1. Every count from nothing; the pairs that have a record already, by
  // (lower, higher), whichever order the record holds them in.
  std::unordered_map<uint64_t, uint32_t> par;
  for (uint32_t n = 1; n < pTv->wRecCnt && pTv->pbTab; ++n) {
    FagelvRec *f = TabRec<FagelvRec>(*pTv, n);
    if (f->Status == 0) continue;
    if (f->Faelles_Elever != 0) {
      f->Faelles_Elever = 0;
      Marker(pTd, pTv, n);
    }
    if (StatusKlasse(f->Status) == KLASSE_AKTUEL) par.try_emplace(ParNoegle(f->akti1_id, f->akti2_id), n);
  }
  // 2. The live links by person.
  std::vector<uint32_t> liste(1, 0);
  for (uint32_t n = 1; n < tvakpl.wRecCnt && tvakpl.pbTab; ++n) {
    const AkplRec *k = TabRec<AkplRec>(tvakpl, n);
    if (!Levende(k->Status) || k->pers_id == 0 || !Akti(k->akti_id)) continue;
    liste.push_back(n);
  }
  const uint32_t antal = static_cast<uint32_t>(liste.size() - 1);
  if (antal > 1) {
    // Big-endian keys, so that one person's links lie together in id order.
    std::vector<uint8_t> noegler(size_t(tvakpl.wRecCnt) * 4);
    for (uint32_t i = 1; i <= antal; ++i) {
      const uint32_t p = TabRec<AkplRec>(tvakpl, liste[i])->pers_id;
      uint8_t *k = &noegler[size_t(liste[i]) * 4];
      k[0] = static_cast<uint8_t>(p >> 24), k[1] = static_cast<uint8_t>(p >> 16);
      k[2] = static_cast<uint8_t>(p >> 8), k[3] = static_cast<uint8_t>(p);
    }
    SortIdx(noegler.data(), liste.data() + 1, 4, antal);
  }
  std::vector<uint32_t> aktiviteter;
  for (uint32_t i = 1; i <= antal;) {
    const uint32_t person = TabRec<AkplRec>(tvakpl, liste[i])->pers_id;
    aktiviteter.clear();
    for (; i <= antal && TabRec<AkplRec>(tvakpl, liste[i])->pers_id == person; ++i)
      aktiviteter.push_back(+TabRec<AkplRec>(tvakpl, liste[i])->akti_id);
    // A person linked twice to one activity is still one student of it.
    std::sort(aktiviteter.begin(), aktiviteter.end());
    aktiviteter.erase(std::unique(aktiviteter.begin(), aktiviteter.end()), aktiviteter.end());
    for (size_t x = 0; x + 1 < aktiviteter.size(); ++x)
      for (size_t y = x + 1; y < aktiviteter.size(); ++y) {
        const uint32_t a = aktiviteter[x], b = aktiviteter[y];
        uint32_t n = 0;
        if (const auto it = par.find(ParNoegle(a, b)); it != par.end()) {
          n = it->second;
        } else {
          n = NewRec(pTd, pTv);
          if (n == 0) {
            LogPrintf("** Fejl: CountFaellesElever(): ingen plads til et par af fælles elever\n");
            continue;
          }
          char linje[32];
          std::snprintf(linje, sizeof linje, "%u;%u", a, b);
          if (ParseRecordLine(pTd, pTv, linje, 'C', n, nullptr, 0) != 0) {
            DelRec(pTd, pTv, n);
            Marker(pTd, pTv, n);
            pTv->FoersteLedige = std::min(pTv->FoersteLedige, n);
            continue;
          }
          par.emplace(ParNoegle(a, b), n);
        }
        ++TabRec<FagelvRec>(*pTv, n)->Faelles_Elever;
        Marker(pTd, pTv, n);
      }
  }
  // 3.
  SortTab(pTd, pTv);
}

HWND CreatePlanFelWnd(int x, int y, int hoejre, int bund, int id) {
  const HWND plan = FindVindueType(kPlanVindueType);
  if (!plan || !hwndDesktop) return 0;
  auto *ws = static_cast<FelWS *>(calloc(1, sizeof(FelWS)));
  if (!ws) tavo::AssertFailed("FelWS != NULL", "FF_Felles", __LINE__);
  ws->Art = kFelArt;
  ws->Bogstav = 'K';
  ws->LayoutAntal = ObjSwitchAntal(kFelArt, 'K');
  ws->Layout = ObjSwitchValgt(kFelArt, 'K');
  ws->hwndPlan = plan;
  ws->Id = id;
  const int b = Begraens(OensketBredde(ws), kMindsteBredde, std::max(0, hoejre - x));
  const int h = std::min(OensketHoejde(), std::max(0, bund - y));
  HWND hwnd = CreateWindowExA(0, kKlasse, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, b, h, hwndDesktop,
                              static_cast<HMENU>(id), hInst, ws);
  if (!hwnd) {
    if (!ws->hwnd) free(ws);
    return 0;
  }
  return hwnd;
}

LRESULT CALLBACK PlanFelWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<FelWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    Opret(h, ws);
    return 0;
  }
  FelWS *ws = reinterpret_cast<FelWS *>(GetWindowLongPtrA(h, GWLP_USERDATA));
  if (!ws) return DefWindowProcA(h, msg, wParam, lParam);
  Ens &e = ws->Ens;
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
      TegnAlt(ws);
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), 0);
        LayKnapper(ws);
        RulTilAktuel(ws);
        TegnAlt(ws);
      } else if (wParam == SIZE_MINIMIZED && e.Aktiv) {
        BringWindowToTop(h);
      }
      return 0;
    case WM_SIZING: {
      RECT pr{0, 0, 0, 0};
      GetClientRect(GetParent(h), &pr);
      EnsOnSizing(reinterpret_cast<RECT *>(lParam), static_cast<UINT>(wParam), kMindsteBredde,
                  std::max(kMindsteBredde, static_cast<int>(pr.right)), 100, std::max(100, static_cast<int>(pr.bottom)));
      return TRUE;
    }
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (EnsOnScroll(&e, msg, wParam)) {
        ws->PosY.Foerste = e.ScrollY / kRaekkeH + 1;
        TegnVenstre(ws);
        TegnTal(ws);
      }
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
    case WM_MBUTTONDOWN:
      EnsActivateOnClick(h, &e);
      return 0;
    case AKTUEL_AENDRET:
      if (FelAktivFraPlan(ws)) ByggOgNulstil(ws);
      TegnAlt(ws);
      return 0;
    case ENS_KOLHOVED_TEGN:
      TegnHoved(ws);
      return 0;
    case ENS_RAEKKEHOVED_TEGN:
      TegnVenstre(ws);
      return 0;
    case ENS_CELLER_TEGN:
      TegnTal(ws);
      return 0;
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
      Aktiver(h, ws, msg, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      SaetAktiv(ws, 0);
      TegnAlt(ws);
      return 0;
    case VINDUE_TEGN_MED: {
      SaetAktiv(ws, wParam ? 1 : 0);
      TegnAlt(ws);
      return 0;
    }
    case VINDUE_SAET_AKTIV:
      SaetAktiv(ws, 1);
      return 0;
    case VINDUE_ART:
      return ws->Id;
    case ENS_HOEJDE:
      return std::min(OensketHoejde(), kMaksHoejde);
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      return t ? Tast(h, ws, *t) : 0;
    }
    case TAST_MODTAG:
      DestroyWindow(h);
      return 0;
    case NYB_KLIK:
      Knap(h, ws, lParam);
      return 0;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}
