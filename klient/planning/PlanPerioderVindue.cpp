// The plan periods window: the periods of one plan group as rows of the
// field layouts of kind 110, a week edited in place or a period deleted,
// and the periods normalised and saved after every change. The workspace
// is the window's own; the periods are read from ffpp on every paint.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <new>
#include <vector>

#include "ARRANGER.h"
#include "BESKEDER.h"
#include "EDITBOX.h"
#include "ENS.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FF_PlanRec.h"
#include "FF_PlanUtil.h"
#include "FONTE.h"
#include "GRIDAKSE.h"
#include "KATALOG.h"
#include "NYBUTTON.h"
#include "PLANGITTER.h"
#include "PROGVINDUER.h"
#include "PlanPerioder.h"
#include "RECPRED.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "TASTINFO.h"
#include "VINDUER.h"

namespace {

constexpr const char *kKlasse = "PlanPerioderWndClass";
constexpr int kVindueId = 40267;
constexpr uint32_t kArt = 110;
constexpr uint8_t kBogstav = '#';
constexpr int kHovedHoejde = 16;
constexpr uint32_t kRaekkeHoejde = 11;
constexpr uint32_t kFeltKnapId = 300;

struct PlanPerioderWS {
  Ens ens{};  // first: the frame reads the workspace as its Ens
  uint8_t Bogstav = kBogstav;
  int Id = kVindueId;
  uint32_t Gruppe = 0;
  HWND hwndEjer = 0;
  HWND hwnd = 0;
  uint32_t Art = kArt;
  uint32_t SwitchNr = 0;
  uint32_t FeltAntal = 0;
  uint32_t Knapper = 0;
  std::vector<uint32_t> Liste;  // element 0 is 0: row r is Liste[r]
  GridPos PosX{}, PosY{};
  HWND hwndRediger = 0;
  std::vector<HWND> FeltKnapper;
};

PlanPerioderWS *Ws(HWND h) {
  return h ? reinterpret_cast<PlanPerioderWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)) : nullptr;
}

void Layouts(PlanPerioderWS *ws) {
  ws->Knapper = std::min<uint32_t>(ObjSwitchAntal(kArt, kBogstav), 9);
  ws->SwitchNr = ObjSwitchValgt(kArt, kBogstav);
  ws->FeltAntal = ObjSwitchFeltAntal(kArt, kBogstav, ws->SwitchNr);
}

void InitPlanPerioderWS(PlanPerioderWS *ws, uint32_t gruppe) {
  ws->Gruppe = gruppe;
  const FfpgRec *g = TabRec<FfpgRec>(tvffpg, gruppe);
  char navn[sizeof g->Navn + 1] = {};
  if (g) memcpy(navn, g->Navn, sizeof g->Navn);
  snprintf(ws->ens.Titel, sizeof ws->ens.Titel, "Perioder: \"%s\"", navn);
  ws->ens.pTd = &tdffpp;
  ws->ens.pTv = &tvffpp;
  Layouts(ws);
}

uint32_t Bredde(const PlanPerioderWS *ws) { return ObjSwitchBredde(kArt, kBogstav, ws->SwitchNr); }

uint32_t AktuelPeriode(const PlanPerioderWS *ws) {
  const uint32_t r = ws->PosY.Aktuel;
  return r >= 1 && r < ws->Liste.size() ? ws->Liste[r] : 0;
}

// The list built again; the cursor stays on its period while it is listed.
void BygListe(PlanPerioderWS *ws) {
  const uint32_t foer = AktuelPeriode(ws);
  const std::vector<uint32_t> liste = PlanPeriodeListe(ws->Gruppe);
  ws->Liste.assign(1, 0);
  ws->Liste.insert(ws->Liste.end(), liste.begin(), liste.end());
  const uint32_t antal = static_cast<uint32_t>(liste.size());
  uint32_t aktuel = 0;
  for (uint32_t r = 1; r <= antal; ++r)
    if (ws->Liste[r] == foer) aktuel = r;
  if (!aktuel) aktuel = antal ? 1 : 0;
  ws->PosY.Antal = antal;
  ws->PosY.Aktuel = aktuel;
  if (ws->PosY.Foerste == 0 || ws->PosY.Foerste > std::max(antal, 1u)) ws->PosY.Foerste = 1;
  Ens &e = ws->ens;
  e.ObjTab = ws->Liste.data();
  e.ObjTabAntal = antal;
}

void Scrollbars(PlanPerioderWS *ws) {
  Ens &e = ws->ens;
  uint32_t off = e.ScrollY;
  const GridAkse akse = e.AkseY;
  const int h = e.RudeH[ENS_CELLER];
  GridScrollTilAktuel(&ws->PosY, &off, h > 0 ? static_cast<uint32_t>(h) : 0, &akse);
  e.ScrollY = off;
  const uint32_t hoejde = ws->PosY.Antal ? GridCelleSlut(&akse, ws->PosY.Antal) + 1 : 0;
  if (e.hwndVScroll) SetScrollCtl(e.hwndVScroll, std::max(h, 0), static_cast<int>(hoejde), static_cast<int>(off));
  const int b = e.RudeB[ENS_CELLER];  // Ens is packed: read by value
  if (e.hwndHScroll)
    SetScrollCtl(e.hwndHScroll, std::max(b, 0), static_cast<int>(Bredde(ws)), static_cast<int>(e.ScrollX));
}

// A field's text for a row's period.
struct LinieArg {
  PlanPerioderWS *ws;
  uint32_t periode;
};

void FeltTekst(void *tilstand, const SwitchFelt *, uint32_t i, void *, char *tekst, uint8_t *pFarve) {
  const auto *a = static_cast<const LinieArg *>(tilstand);
  char buf[kSwitchTekstLen + 1];
  SwitchRaekkeValg v;
  ObjSwitchCelleTekst(kArt, kBogstav, a->ws->SwitchNr, i, &tdffpp, &tvffpp, a->periode, &v, buf, pFarve);
  memcpy(tekst, buf, kSwitchTekstLen);
}

void HovedTekst(void *, const SwitchFelt *sf, uint32_t, void *, char *tekst, uint8_t *) {
  const char *navn = SwitchFeltNavn(&tdffpp, sf->FeltNr);
  memcpy(tekst, navn, std::min<size_t>(strlen(navn), kSwitchTekstLen));
}

void TegnHoved(PlanPerioderWS *ws) {
  Ens &e = ws->ens;
  EnsDC *dc = &e.dc[ENSDC_KOLHOVED];
  if (!dc->hdc) return;
  const int rest = std::max<int>(0, e.RudeB[ENS_KOLHOVED] - static_cast<int>(Bredde(ws)));
  TegnSwitchLinie(HovedTekst, ws, dc, -static_cast<int>(e.ScrollX), 0, 0, kArt, kBogstav, ws->SwitchNr, 0, nullptr,
                  kHovedHoejde - 11, 0, static_cast<uint32_t>(rest), false, true);
}

// Every visible row; the cursor cell stands out on the active or inactive
// brush.
void TegnRaekker(PlanPerioderWS *ws) {
  Ens &e = ws->ens;
  EnsDC *dc = &e.dc[ENSDC_CELLER];
  if (!dc->hdc) return;
  const GridAkse akse = e.AkseY;
  const int x = -static_cast<int>(e.ScrollX);
  const int rest = std::max<int>(0, e.RudeB[ENS_CELLER] - static_cast<int>(Bredde(ws)) - x);
  int bund = 0;
  for (uint32_t r = std::max(ws->PosY.Foerste, 1u); r <= ws->PosY.Antal; ++r) {
    const int y = static_cast<int>(GridCelleStart(&akse, r)) - static_cast<int>(e.ScrollY);
    if (y >= e.RudeH[ENS_CELLER]) break;
    LinieArg arg{ws, ws->Liste[r]};
    TegnSwitchLinie(FeltTekst, &arg, dc, x, y, 0, kArt, kBogstav, ws->SwitchNr, 0, nullptr, 0, 0,
                    static_cast<uint32_t>(rest), false, true);
    if (r == ws->PosY.Aktuel && ws->PosX.Aktuel >= 1) {
      const uint32_t felt = ws->PosX.Aktuel - 1;
      const int fx = x + static_cast<int>(ObjSwitchFeltStart(kArt, kBogstav, ws->SwitchNr, felt));
      TegnSwitchLinie(FeltTekst, &arg, dc, fx, y, e.Aktiv ? 1 : 2, kArt, kBogstav, ws->SwitchNr, felt, nullptr, 0, 0,
                      0, true, true);
    }
    bund = y + static_cast<int>(kRaekkeHoejde);
    RECT streg{0, bund, e.RudeB[ENS_CELLER], bund + 1};
    FillRect(dc->hdc, &streg, FarveBrush[0]);
    ++bund;
  }
  RECT tom{0, std::max(bund, 0), e.RudeB[ENS_CELLER], e.RudeH[ENS_CELLER]};
  if (tom.bottom > tom.top) FillRect(dc->hdc, &tom, FarveBrush[0]);
}

void TegnAlt(PlanPerioderWS *ws) {
  TegnHoved(ws);
  TegnRaekker(ws);
}

// The heading buttons over the heading line, one per field of the layout,
// each shown only while its column is in view.
void GenopbygFeltKnapper(PlanPerioderWS *ws) {
  for (HWND k : ws->FeltKnapper)
    if (k) DestroyWindow(k);
  ws->FeltKnapper.clear();
  for (uint32_t i = 0; i < ws->FeltAntal; ++i) {
    const char *navn = SwitchFeltNavn(&tdffpp, ObjSwitchFeltNr(kArt, kBogstav, ws->SwitchNr, i));
    ws->FeltKnapper.push_back(
        CreateNyButtonWnd(ws->ens.hInstance, ws->hwnd, ws->hwnd, kFeltKnapId + i, kFeltKnapId + i, 0, 0, 0, 0, 0, "",
                          navn));
  }
}

void PlacerFeltKnapper(PlanPerioderWS *ws) {
  const Ens &e = ws->ens;
  const int venstre = e.RudeX[ENS_KOLHOVED], hoejre = venstre + e.RudeB[ENS_KOLHOVED];
  for (uint32_t i = 0; i < ws->FeltKnapper.size(); ++i) {
    HWND k = ws->FeltKnapper[i];
    if (!k) continue;
    const int x = venstre + static_cast<int>(ObjSwitchFeltStart(kArt, kBogstav, ws->SwitchNr, i)) -
                  static_cast<int>(e.ScrollX);
    const int b = static_cast<int>(ObjSwitchFeltBredde(kArt, kBogstav, ws->SwitchNr, i));
    if (x < venstre || x >= hoejre || b <= 0 || e.RudeH[ENS_KOLHOVED] <= 0) {
      ShowWindow(k, SW_HIDE);
      continue;
    }
    MoveWindow(k, x, e.RudeY[ENS_KOLHOVED], std::min(b, hoejre - x), kHovedHoejde, TRUE);
    ShowWindow(k, SW_SHOW);
  }
}

void Layout(HWND hwnd, PlanPerioderWS *ws) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  PlanLayout(&ws->ens, hwnd, rc.right - rc.left, rc.bottom - rc.top, static_cast<uint8_t>(ws->Knapper));
  PlacerFeltKnapper(ws);
  Scrollbars(ws);
}

void LukRediger(PlanPerioderWS *ws) {
  if (HWND h = ws->hwndRediger) {
    ws->hwndRediger = 0;
    if (IsWindow(h)) DestroyWindow(h);
  }
}

void SendPlanVindue() {
  if (HWND plan = FindVindueType(kPlanVindueType)) SendMessageA(plan, PLAN_GENOPBYG_AKSER, 0, 0);
}

// F2: a box over the current cell with its week.
void AabnRediger(HWND hwnd, PlanPerioderWS *ws) {
  const FfppRec *p = TabRec<FfppRec>(tvffpp, AktuelPeriode(ws));
  if (!p || ws->PosX.Aktuel == 0) return;
  const uint32_t felt = ws->PosX.Aktuel - 1;
  const uint32_t nr = ObjSwitchFeltNr(kArt, kBogstav, ws->SwitchNr, felt);
  char tekst[16] = {};
  if (nr == 2) snprintf(tekst, sizeof tekst, "%i", static_cast<int>(p->Frauge));
  if (nr == 3) snprintf(tekst, sizeof tekst, "%i", static_cast<int>(p->Tiluge));
  const Ens &e = ws->ens;
  const GridAkse akse = e.AkseY;
  POINT pt{static_cast<LONG>(ObjSwitchFeltStart(kArt, kBogstav, ws->SwitchNr, felt)) - static_cast<LONG>(e.ScrollX),
           static_cast<LONG>(GridCelleStart(&akse, ws->PosY.Aktuel)) - static_cast<LONG>(e.ScrollY)};
  ClientToScreen(e.hwndCeller ? e.hwndCeller : hwnd, &pt);
  const int b = std::max<int>(static_cast<int>(ObjSwitchFeltBredde(kArt, kBogstav, ws->SwitchNr, felt)), 8 * 7);
  ws->hwndRediger = CreateEditboxWnd(ws->ens.hInstance, hwnd, pt.x, pt.y, b, static_cast<int>(kRaekkeHoejde) + 3,
                                     tekst, 6, true);
}

// 2345: the typed week into the cursor's field, then the periods made whole
// again and saved.
void GemUge(HWND hwnd, PlanPerioderWS *ws, const char *tekst) {
  const uint32_t periode = AktuelPeriode(ws);
  FfppRec *p = TabRec<FfppRec>(tvffpp, periode);
  if (!p || !tekst || ws->PosX.Aktuel == 0) return;
  const uint32_t nr = ObjSwitchFeltNr(kArt, kBogstav, ws->SwitchNr, ws->PosX.Aktuel - 1);
  if (nr != 2 && nr != 3) return;
  char *slut = nullptr;
  const long tal = strtol(tekst, &slut, 10);
  const Uge uge = tal > 0 && tal <= INT32_MAX ? static_cast<Uge>(tal) : 0;
  // A number between the group's first and last week need not be a week:
  // 202360 lies between 202333 and 202426.
  if (!GyldigUge(uge)) {
    char besked[80];
    snprintf(besked, sizeof besked, "Den indtastede uge er ugyldig: %li.", tal);
    MessageBoxA(hwnd, besked, "Fejl indtastning", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (!UgeIPlan(ws->Gruppe, uge, hwnd)) return;
  Uge &felt = nr == 2 ? p->Frauge : p->Tiluge;
  if (felt == uge) return;
  felt = uge;
  // The bits the export reads (known to the central system) stay.
  SetRecStatus(&tdffpp, &tvffpp, periode, static_cast<uint8_t>(p->Status | PLANREC_LEVER));
  NormaliserPlanPerioder(ws->Gruppe, 0);
  BygListe(ws);
  MarkerPlanEksport();
  GemPlanPerioder(hwnd);
  SendPlanVindue();
}

// Delete: only while two or more periods are listed.
void SletPeriode(HWND hwnd, PlanPerioderWS *ws) {
  const uint32_t periode = AktuelPeriode(ws);
  if (ws->PosY.Antal < 2 || !periode) return;
  if (!BekraeftSletPerioder(ws->Gruppe, periode, hwnd)) return;
  if (!FjernPlanPeriode(ws->Gruppe, periode)) return;
  NormaliserPlanPerioder(ws->Gruppe, 1);
  BygListe(ws);
  MarkerPlanEksport();
  GemPlanPerioder(hwnd);
  SendPlanVindue();
}

LRESULT Tast(HWND hwnd, PlanPerioderWS *ws, UINT msg, WPARAM wParam, LPARAM lParam) {
  TastInfo tast{};
  MakeTastInfo(&tast, msg, wParam, lParam);
  const UINT vk = static_cast<UINT>(tast.wParam);
  if (ws->hwndRediger) {
    if (vk == VK_ESCAPE || vk == VK_F2) {
      LukRediger(ws);
      Scrollbars(ws);
    } else if (msg == TAST_MODTAG) {
      SendMessageA(ws->hwndRediger, tast.message, tast.wParam, static_cast<LPARAM>(tast.lParam));
    } else {
      SendMessageA(ws->hwndRediger, msg, wParam, lParam);
    }
    return 1;
  }
  if (EnsTypeAhead(&ws->ens, &ws->PosY, vk)) {
    Scrollbars(ws);
    TegnRaekker(ws);
    return 1;
  }
  switch (vk) {
    case VK_ESCAPE:
      DestroyWindow(hwnd);
      return 1;
    case VK_F2:
      AabnRediger(hwnd, ws);
      return 1;
    case VK_DELETE:
      SletPeriode(hwnd, ws);
      Scrollbars(ws);
      TegnAlt(ws);
      return 1;
    case VK_F4:
      KmdLukVindue(hwnd, 0, 0, ws->ens.Aktiv != 0, 2);
      return 1;
    case VK_LEFT:
    case VK_RIGHT:
      if (GridTastFlyt(&ws->PosX, vk)) TegnRaekker(ws);
      return 1;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
      if (GridTastFlyt(&ws->PosY, vk)) {
        Scrollbars(ws);
        TegnRaekker(ws);
      }
      return 1;
    case VK_SPACE:
    case VK_INSERT:
      TegnRaekker(ws);
      return 1;
  }
  return 0;
}

// A click in the rows puts the cursor on the cell under it.
void Klik(HWND hwnd, PlanPerioderWS *ws, LPARAM lParam) {
  const Ens &e = ws->ens;
  const int x = static_cast<int16_t>(LOWORD(lParam)), y = static_cast<int16_t>(HIWORD(lParam));
  const GridAkse akse = e.AkseY;
  const uint32_t r = GridPixelTilCelle(&akse, static_cast<uint32_t>(std::max(0, y + static_cast<int>(e.ScrollY))));
  const uint32_t felt = ObjSwitchFeltVedX(kArt, kBogstav, ws->SwitchNr, static_cast<int32_t>(e.ScrollX), x);
  if (r >= 1 && r <= ws->PosY.Antal) ws->PosY.Aktuel = r;
  if (felt >= 1 && felt <= ws->FeltAntal) ws->PosX.Aktuel = felt;
  if (SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(hwnd)) == 0)
    SendMessageA(hwnd, VINDUE_AKTIVER, 0, 0);
  Scrollbars(ws);
  TegnRaekker(ws);
}

void Aktiver(HWND hwnd, PlanPerioderWS *ws, UINT msg, WPARAM wParam) {
  Ens &e = ws->ens;
  if (msg == VINDUE_DEAKTIVER) {
    e.Aktiv = e.CaptionAktiv = 0;
  } else {
    const bool var = e.Aktiv;
    e.Aktiv = e.CaptionAktiv = 1;
    if (!var && msg != VINDUE_SAET_AKTIV) {
      VinduesListeTilTop(hwnd);
      SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(hwnd));
    }
  }
  EnsPaintFrame(&e);
  TegnAlt(ws);
}

void SkiftLayout(HWND hwnd, PlanPerioderWS *ws, uint32_t nr) {
  if (nr == ws->SwitchNr || nr >= ws->Knapper) return;
  Ens &e = ws->ens;
  if (e.hwndSwitchButtons && e.hwndSwitchButtons[ws->SwitchNr])
    SendMessageA(e.hwndSwitchButtons[ws->SwitchNr], NYB_LAAS_OP, 0, 0);
  if (e.hwndSwitchButtons && e.hwndSwitchButtons[nr]) SendMessageA(e.hwndSwitchButtons[nr], NYB_LAAS_NED, 0, 0);
  ObjSwitchVaelg(kArt, kBogstav, nr);
  Layouts(ws);
  ws->PosX = GridPos{ws->FeltAntal, 1, ws->FeltAntal, std::min(std::max(ws->PosX.Aktuel, 1u), ws->FeltAntal)};
  GenopbygFeltKnapper(ws);
  Layout(hwnd, ws);
  TegnAlt(ws);
}

void Opret(HWND hwnd, PlanPerioderWS *ws) {
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  ws->hwnd = hwnd;
  Ens &e = ws->ens;
  e.hwndParent = GetParent(hwnd);
  e.hInstance = hInst;
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  e.KolHovedHoejde = kHovedHoejde;
  e.SkiftBredde = ws->Knapper * static_cast<uint32_t>(GetSystemMetrics(SM_CXVSCROLL));
  e.AkseX = GridAkse{0, 1, 1, 0, 0};
  e.AkseY = GridAkse{0, kRaekkeHoejde, 1, 0, 1};
  e.StyrX = &ws->PosX;
  e.StyrY = &ws->PosY;
  e.hdc = GetDC(hwnd);
  RECT rc{};
  GetClientRect(hwnd, &rc);
  const int cxf = GetSystemMetrics(SM_CXFRAME), cyf = GetSystemMetrics(SM_CYFRAME);
  e.Areal[0] = cxf;
  e.Areal[1] = cyf + GetSystemMetrics(SM_CYCAPTION);
  e.Areal[2] = rc.right - 1 - cxf;
  e.Areal[3] = rc.bottom - 1 - cyf;
  ws->PosX = GridPos{ws->FeltAntal, 1, ws->FeltAntal, ws->FeltAntal ? 1u : 0u};
  // The periods are made whole before they are shown.
  if (NormaliserPlanPerioder(ws->Gruppe, 1)) GemPlanPerioder(hwnd);
  BygListe(ws);
  EnsCalcLayout(&e);
  e.hwndSwitchButtons = static_cast<HWND *>(calloc(ws->Knapper + 1, sizeof(HWND)));
  static const uint32_t kToolbar[7] = {};
  EnsCreateChildren(&e, hwnd, static_cast<uint8_t>(ws->Knapper), kToolbar, TxtFont, false, true, nullptr);
  // Only the close button stays on the caption.
  if (e.hwndMaks) DestroyWindow(e.hwndMaks);
  if (e.hwndMin) DestroyWindow(e.hwndMin);
  e.hwndMaks = e.hwndMin = 0;
  if (e.hwndSwitchButtons && ws->SwitchNr < ws->Knapper && e.hwndSwitchButtons[ws->SwitchNr])
    SendMessageA(e.hwndSwitchButtons[ws->SwitchNr], NYB_LAAS_NED, 0, 0);
  GenopbygFeltKnapper(ws);
  VinduesListeTilfoej(hwnd);
  e.Aktiv = e.CaptionAktiv = 1;
  Layout(hwnd, ws);
}

void Nedlaeg(HWND hwnd, PlanPerioderWS *ws) {
  LukRediger(ws);
  VinduesListeFjern(hwnd);
  if (hwndHoved) SendMessageA(hwndHoved, HOVED_INPUT_LUKKET, 0, static_cast<LPARAM>(hwnd));
  for (HWND k : ws->FeltKnapper)
    if (k && IsWindow(k)) DestroyWindow(k);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  if (ws->ens.hdc) ReleaseDC(hwnd, ws->ens.hdc);
  free(ws->ens.hwndSwitchButtons);
  delete ws;
}

// Height of everything but the rows: frame, caption, heading line and the
// horizontal scrollbar.
int Ramme(const PlanPerioderWS *) {
  return 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + kHovedHoejde +
         GetSystemMetrics(SM_CYHSCROLL) + 2;
}

}  // namespace

HWND CreatePlanPerioderWnd(HWND parent, HWND ejer, int x, int y, int hoejre, int bund, uint32_t gruppe) {
  const FfpgRec *g = gruppe ? TabRec<FfpgRec>(tvffpg, gruppe) : nullptr;
  if (!g || !PlanRecIBrug(g->Status)) return 0;
  auto *ws = new (std::nothrow) PlanPerioderWS;
  if (!ws) return 0;
  InitPlanPerioderWS(ws, gruppe);
  ws->hwndEjer = ejer;
  const size_t antal = std::max<size_t>(PlanPeriodeListe(gruppe).size(), 1);
  int bredde = static_cast<int>(Bredde(ws)) + 2 * GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXVSCROLL) + 2;
  bredde = std::max(bredde, 150);
  int hoejde = Ramme(ws) + static_cast<int>((antal + 1) * (kRaekkeHoejde + 1));
  hoejde = std::max(hoejde, 100);
  if (bund > y) hoejde = std::min(hoejde, std::max(bund - y, 100));
  if (hoejre > x && x + bredde > hoejre) x = std::max(0, hoejre - bredde);
  HWND h = CreateWindowExA(0, kKlasse, ws->ens.Titel, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, bredde,
                           hoejde, parent, static_cast<HMENU>(kVindueId), hInst, ws);
  if (!h) {
    // Before WM_CREATE took it, the workspace is still ours.
    if (!ws->hwnd) delete ws;
    return 0;
  }
  ShowWindow(h, SW_SHOW);
  UpdateWindow(h);
  BringWindowToTop(h);
  if (hwndHoved) SendMessageA(hwndHoved, HOVED_INPUT_AABEN, 0, static_cast<LPARAM>(h));
  return h;
}

LRESULT CALLBACK PlanPerioderWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<PlanPerioderWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    Opret(hwnd, ws);
    return 0;
  }
  PlanPerioderWS *ws = Ws(hwnd);
  if (!ws) return DefWindowProcA(hwnd, msg, wParam, lParam);
  Ens &e = ws->ens;
  switch (msg) {
    case WM_DESTROY:
      Nedlaeg(hwnd, ws);
      return 0;
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        Layout(hwnd, ws);
        EnsPaintFrame(&e);
        TegnAlt(ws);
      }
      return 0;
    case WM_SETFOCUS:
      if (hwndHoved && hwndHoved != hwnd && IsWindow(hwndHoved)) SetFocus(hwndHoved);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      EnsPaintFrame(&e);
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG:
      return Tast(hwnd, ws, msg, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (EnsOnScroll(&e, msg, wParam)) {
        PlacerFeltKnapper(ws);
        TegnAlt(ws);
      }
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(hwnd, &e, wParam);
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(hwnd, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(hwnd, &e, lParam);
      return 0;
    case ENS_TILSTAND:
      return e.Tilstand;
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_KOLHOVED_TEGN:
      TegnHoved(ws);
      return 0;
    case ENS_CELLER_TEGN:
      TegnRaekker(ws);
      return 0;
    case ENS_CELLER_NED:
    case ENS_CELLER_DBL:
      Klik(hwnd, ws, lParam);
      return 0;
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
    case VINDUE_DEAKTIVER:
    case VINDUE_SAET_AKTIV:
      Aktiver(hwnd, ws, msg, wParam);
      return 0;
    case VINDUE_TEGN_MED:
      EnsPaintFrame(&e);
      TegnAlt(ws);
      return 0;
    case VINDUE_ART:
      return kVindueId;
    case NYB_KLIK:
      if (wParam == NYB_LUK) {
        DestroyWindow(hwnd);
      } else if (wParam >= ENS_SKIFT_ID && wParam < ENS_SKIFT_ID + 100u) {
        SkiftLayout(hwnd, ws, static_cast<uint32_t>(wParam - ENS_SKIFT_ID));
      }
      return 0;
    case EDITBOX_OK:
      GemUge(hwnd, ws, reinterpret_cast<const char *>(lParam));
      // The refusal's message box may have closed the window's box already.
      if (Ws(hwnd) == ws) {
        LukRediger(ws);
        Scrollbars(ws);
        TegnAlt(ws);
      }
      return 0;
    case EDITBOX_FORTRYD:
      LukRediger(ws);
      Scrollbars(ws);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}
