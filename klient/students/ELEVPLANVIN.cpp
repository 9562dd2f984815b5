// The planning window. A slot column is as wide as the chosen cell layout
// and its separator line; a row is 13 pixels with its separator on top.
// Painting reads the workspace and changes nothing but the painted-last
// cursor positions, so the painters may run from the automatic placement's
// callback in the middle of a command.
#include "ELEVPLANVIN.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ARRANGER.h"
#include "BESKEDER.h"
#include "ELEVGITTER.h"
#include "ELEVKOLONNE.h"
#include "ELEVLISTE.h"
#include "ELEVLISTEVIN.h"
#include "ELEVPLANKMD.h"
#include "ELEVPLANTEKST.h"
#include "ELEVTAB.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "KALENDER.h"
#include "NYBUTTON.h"
#include "PPLAPINI.h"
#include "PROGVINDUER.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TASTINFO.h"
#include "TAVOTB.h"
#include "VINDUER.h"

ElevPlanAabnerKroge ElevPlanAabnerKrog = {};

namespace {

constexpr const char *kKlasse = "ElevPlanWndClass";
constexpr const char *kTitelFormat = " Planlægnings vindue - %s";
constexpr int kKnapHoejde = 16;
constexpr int kKnapOverBund = 17;
constexpr uint32_t kSorterBillede = 111;
constexpr uint32_t kSorterBilledeNed = 112;
constexpr uint32_t kUdenforSynet = 1000;

int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }

ElevPlanWS *Ws(HWND h) { return h ? reinterpret_cast<ElevPlanWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)) : nullptr; }

HBRUSH Brush(uint8_t i) { return FarveBrush[i] ? FarveBrush[i] : GetSysColorBrush(COLOR_BTNFACE); }

uint32_t Layout(const ElevPlanWS *ws, int i) { return ws->ValgtLayout[i]; }
uint32_t Art(const ElevPlanWS *ws, int i) { return ws->SwitchArt[i]; }

// The column's width with its separator line.
uint32_t KolonneBredde(const ElevPlanWS *ws) {
  return ObjSwitchBredde(Art(ws, ELEVPLAN_ART_PP2), ws->Bogstav, Layout(ws, ELEVPLAN_ART_PP2)) + 1;
}
uint32_t RaekkeHovedBredde(const ElevPlanWS *ws) {
  return ObjSwitchBredde(ELEVPLAN_LA_ART, ws->Bogstav, Layout(ws, ELEVPLAN_ART_LA));
}

void SaetAkser(ElevPlanWS *ws) {
  Ens &e = ws->ens;
  e.AkseX = GridAkse{0, std::max<uint32_t>(KolonneBredde(ws), 1), 1, 0, 0};
  e.AkseY = GridAkse{0, kElevPlanRaekkeHoejde, 1, 0, 0};
  e.KolHovedHoejde = kElevPlanKolHovedHoejde;
  e.RaekkeHovedBredde = RaekkeHovedBredde(ws);
}

// The colour of the current entry: 1 while the window is active, 2 while
// a planning or activity window was the last active student window.
uint8_t Markering(const ElevPlanWS *ws) {
  if (ws->ens.Aktiv) return 1;
  return ws->SidstAktiv == 1 || ws->SidstAktiv == 2 ? 2 : 0;
}

bool Lektioner(const ElevPlanWS *ws) {
  const uint32_t tg = AktuelTg(ws);
  return tg && TgRecNr(tg)->UgeLektionsGruppe == 'L';
}

// Column c's slot holds another day than column c + 1's.
bool DagSkifte(const ElevPlanWS *ws, uint32_t c) {
  if (!Lektioner(ws) || c < 1 || c >= ws->PpAntal) return false;
  return PpRecNr(ws->PpTab[c])->dag != PpRecNr(ws->PpTab[c + 1])->dag;
}

// The cells of an axis in view: first..last, last below first when none.
void Synlige(const GridAkse *a, uint32_t scroll, int extent, uint32_t antal, uint32_t *foerste,
             uint32_t *sidste) {
  *foerste = 1;
  *sidste = 0;
  if (extent <= 0 || antal == 0) return;
  *foerste = std::max<uint32_t>(1, GridPixelTilCelle(a, scroll));
  *sidste = std::min(antal, GridPixelTilCelle(a, scroll + static_cast<uint32_t>(extent) - 1));
}

int Start(const GridAkse *a, uint32_t n, uint32_t scroll) {
  return static_cast<int>(int64_t{GridCelleStart(a, n)} - scroll);
}
// The first pixel after cell n (after none: the pane's start).
int Efter(const GridAkse *a, uint32_t n, uint32_t scroll) {
  return n ? static_cast<int>(int64_t{GridCelleSlut(a, n)} - scroll) + 1 : -static_cast<int>(scroll);
}

uint32_t TgPos(const ElevPlanWS *ws) { return ws->TgPos.Aktuel; }

// ---- sort buttons

struct SorterTekst {
  uint32_t Kode;
  const char *Lang;
  const char *Kort;
};
const SorterTekst kSorterTekster[] = {
    {1, "Aktivitet", "Aktivitet"},
    {4, "Uge_antal", "Uge_antal"},
    {5, "Uge_deletal", "Uge_deletal"},
    {6, "Lektions_antal", "Lektions_antal"},
    {7, "Lektions_deletal", "Lektions_deletal"},
    {8, "Min_elevantal", "Min_elevantal"},
    {9, "Max_elevantal", "Max_elevantal"},
    {10, "Elevantal ialt", "A"},
    {12, "Aktuel 1. prioritet", "A1"},
    {13, "Aktuel 2. prioritet", "A2"},
    {14, "Aktuel 3. prioritet", "A3"},
    {15, "Ønske 1. prioritet", "Ø1"},
    {16, "Ønske 2. prioritet", "Ø2"},
    {17, "DubletNr", "DN"},
    {28, "Elever Låst", "Elever Låst"},
    {29, "Plads Låst", "Plads Låst"},
    {38, "Reelt flyttede ønsker (hertil)", "E1"},
    {40, "Ønsker ialt", "Ø"},
};

// The x of each field of the activity-header layout from the header's left
// edge.
uint32_t FeltX(const ElevPlanWS *ws, uint32_t i) {
  uint32_t x = 0;
  for (uint32_t j = 0; j < i; ++j) x += ObjSwitchFeltBredde(ELEVPLAN_LA_ART, ws->Bogstav, Layout(ws, ELEVPLAN_ART_LA), j);
  return x;
}

void FlytSorterKnapper(ElevPlanWS *ws) {
  const Ens &e = ws->ens;
  const int hoejre = e.RudeB[ENS_RAEKKEHOVED];
  const int y = static_cast<int>(e.KolHovedHoejde) - kKnapOverBund;
  for (uint32_t i = 0; i < ws->SorterKnapAntal; ++i) {
    HWND k = ws->SorterKnapper[i];
    if (!k) continue;
    const int x = static_cast<int>(FeltX(ws, i));
    const int b = static_cast<int>(ObjSwitchFeltBredde(ELEVPLAN_LA_ART, ws->Bogstav, Layout(ws, ELEVPLAN_ART_LA), i));
    MoveWindow(k, x, y, std::max(0, std::min(b, hoejre - x)), kKnapHoejde, TRUE);
    InvalidateRect(k, nullptr, FALSE);
  }
}

// ---- painting helpers

void TegnLinje(HDC hdc, int x1, int y1, int x2, int y2) { FillRectSys(hdc, COLOR_3DDKSHADOW, x1, y1, x2, y2); }

// One field of a layout as one text line: the slot header's lines.
void TegnFelt(ElevPlanWS *ws, EnsDC *dc, int x, int y, uint32_t art, uint32_t nr, uint32_t i, uint32_t pp,
              uint8_t bk) {
  const SwitchFelt *sf = ObjSwitchFelt(art, ws->Bogstav, nr, i);
  if (!sf) return;
  const uint32_t tegn = ObjSwitchFeltTegn(art, ws->Bogstav, nr, i);
  char tekst[kSwitchTekstLen] = {};
  uint8_t farve = 16, baggrund = bk;
  HFONT skrift = 0;
  ElevPlanFeltTekst(ws, sf->FeltNr, tegn, pp, 0, TgPos(ws), tekst, &farve, &baggrund, &skrift);
  const size_t n = std::min<size_t>(tegn, strnlen(tekst, sizeof tekst));
  HGDIOBJ gammel = skrift ? SelectObject(dc->hdc, skrift) : HGDIOBJ{};
  TegnFarvetTekst(dc, x + 2, y, ElevRaekkeTekstFarve(bk, farve), bk, tekst, static_cast<int>(n), 1);
  if (gammel) SelectObject(dc->hdc, gammel);
}

void TegnProgress(ElevPlanWS *ws) {
  if (!ws->SimuleringKoerer || !ws->RammeDC.hdc) return;
  char tekst[80];
  std::snprintf(tekst, sizeof tekst, "Simulerer %6ld af %6ld  (%6ld)", static_cast<long>(ws->SimuleringNr),
                static_cast<long>(ws->AntalSimuleringer), static_cast<long>(ws->SimuleringTaeller));
  RECT rc;
  GetClientRect(ws->hwnd, &rc);
  const int x = rc.right - 8 * static_cast<int>(std::strlen(tekst)) - 30;
  TegnTekstCelle(&ws->RammeDC, x, CyFrame(), 0, 16, tekst, 0, 0);
}

void PublicerAktuelle(ElevPlanWS *ws, int dele) {
  if (AktuelTg(ws)) tvtg.AktuelRec = AktuelTg(ws);
  if (AktuelLa(ws)) tvla.AktuelRec = AktuelLa(ws);
  if (AktuelPp(ws)) tvpp.AktuelRec = AktuelPp(ws);
  SendTilAlleVinduer(AKTUEL_AENDRET, static_cast<WPARAM>(dele), 0, ws->hwnd);
}

// The offsets that keep both cursors in view; the parts bits of the axes
// that scrolled.
int ScrollTilAktuel(ElevPlanWS *ws) {
  Ens &e = ws->ens;
  int dele = 0;
  for (int x = 1; x >= 0; --x) {
    GridPos *pos = x ? &ws->PpPos : &ws->LaPos;
    const GridAkse *akse = x ? &e.AkseX : &e.AkseY;
    const int extent = x ? e.RudeB[ENS_CELLER] : e.RudeH[ENS_CELLER];
    if (extent <= 0 || pos->Antal == 0) continue;
    uint32_t off = x ? e.ScrollX : e.ScrollY;
    if (GridScrollTilAktuel(pos, &off, static_cast<uint32_t>(extent), akse))
      dele |= x ? ELEVPLAN_DEL_KOLONNER : ELEVPLAN_DEL_RAEKKER;
    (x ? e.ScrollX : e.ScrollY) = off;
    if (HWND bar = x ? e.hwndHScroll : e.hwndVScroll)
      SetScrollCtl(bar, extent, static_cast<int>(GridCelleSlut(akse, pos->Antal)), static_cast<int>(off));
  }
  return dele;
}

// What a repaint wish of a command or message paints.
void Udfoer(ElevPlanWS *ws, int tegn) {
  if (!tegn || (tegn & ELEVPLAN_LUKKET)) return;
  if (tegn == ELEVPLAN_TEGN_FREMDRIFT) {
    TegnElevPlanTitel(ws);
    return;
  }
  SaetAkser(ws);
  int dele = ScrollTilAktuel(ws);
  if (tegn & ELEVPLAN_TEGN_ALT) dele |= ELEVPLAN_DEL_ALT;
  if (tegn & ELEVPLAN_TEGN_PLAN) dele |= ELEVPLAN_DEL_KOLONNE | ELEVPLAN_DEL_RAEKKE;
  if (tegn & ELEVPLAN_TEGN_RAEKKE) dele |= ELEVPLAN_DEL_RAEKKE | ELEVPLAN_DEL_KOLONNE;
  TegnElevPlan(ws, dele);
}

void Fremdrift(ElevPlanWS *ws, int tegn) {
  if (ws->hwnd && Ws(ws->hwnd) == ws) Udfoer(ws, tegn);
}

// ---- the window

void SaetAktiv(ElevPlanWS *ws, uint8_t aktiv) {
  ws->ens.Aktiv = aktiv;
  ws->ens.CaptionAktiv = aktiv;
  if (aktiv) ws->SidstAktiv = 1;
}

bool BlivAktiv(HWND h, ElevPlanWS *ws) {
  if (ws->ens.Aktiv) return true;
  if (!SendMessageA(ws->ens.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) return false;
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  return IsWindow(h) && Ws(h) == ws && ws->ens.Aktiv;
}

// Activation by message 1100 (the parent is told) or 1135 (quietly, when
// the main window has the focus back after a dialog).
void Aktiver(HWND h, ElevPlanWS *ws, UINT msg, WPARAM wParam) {
  if (ws->ens.Aktiv) return;
  SaetAktiv(ws, 1);
  VinduesListeTilTop(h);
  BringWindowToTop(h);
  if (msg == VINDUE_AKTIVER) SendMessageA(ws->ens.hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(h));
  if (Ws(h) != ws) return;
  EnsPaintFrame(&ws->ens);
  TegnElevPlan(ws, ELEVPLAN_DEL_ALT);
}

void Klik(HWND h, ElevPlanWS *ws, UINT msg, LPARAM lParam) {
  if (!BlivAktiv(h, ws)) return;
  Ens &e = ws->ens;
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  auto celle = [](const GridAkse *a, int p, uint32_t scroll, uint32_t antal) -> uint32_t {
    if (antal == 0) return 0;
    const int64_t q = std::max<int64_t>(0, int64_t{p} + scroll);
    return std::min(antal, GridPixelTilCelle(a, static_cast<uint32_t>(q)));
  };
  if (msg != ENS_RAEKKEHOVED_NED) ws->PpPos.Aktuel = celle(&e.AkseX, x, e.ScrollX, ws->PpAntal);
  if (msg != ENS_KOLHOVED_NED) ws->LaPos.Aktuel = celle(&e.AkseY, y, e.ScrollY, ws->LaAntal);
  Udfoer(ws, ELEVPLAN_TEGN_PLAN);
}

int FuldBredde(const ElevPlanWS *ws, HWND h) {
  RECT pr{0, 0, 0, 0};
  GetClientRect(GetParent(h), &pr);
  return CalcElevPlanWidth(ws, std::max<int>(0, pr.right - pr.left));
}
int FuldHoejde(const ElevPlanWS *ws, HWND h) {
  RECT pr{0, 0, 0, 0};
  GetClientRect(GetParent(h), &pr);
  return CalcElevPlanHeight(ws, std::max<int>(0, pr.bottom - pr.top));
}

void Nedlaeg(HWND h, ElevPlanWS *ws) {
  VinduesListeFjern(h);
  if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(h));
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  ws->hwnd = 0;
  ws->SimuleringTegn = nullptr;
  FrigivElevPlanWS(ws);
}

}  // namespace

void ElevPlanSorterTekster(uint32_t kode, const char **pLang, const char **pKort) {
  *pLang = "";
  *pKort = "";
  for (const SorterTekst &t : kSorterTekster)
    if (t.Kode == kode) {
      *pLang = t.Lang;
      *pKort = t.Kort;
    }
}

void OpretSorterKnapperPlan(ElevPlanWS *ws) {
  Ens &e = ws->ens;
  const uint32_t nr = Layout(ws, ELEVPLAN_ART_LA);
  const uint32_t antal = ObjSwitchFeltAntal(ELEVPLAN_LA_ART, ws->Bogstav, nr);
  free(ws->SorterKnapper);
  ws->SorterKnapper = static_cast<HWND *>(calloc(antal + 1, sizeof(HWND)));
  ws->SorterKnapAntal = ws->SorterKnapper ? antal : 0;
  const HWND foraelder = e.hwndHjoerneV ? e.hwndHjoerneV : ws->hwnd;
  const int synlig = std::max(0, static_cast<int>(e.RudeB[ENS_RAEKKEHOVED]));
  const int y = static_cast<int>(e.KolHovedHoejde) - kKnapOverBund;
  for (uint32_t i = 0; i < ws->SorterKnapAntal; ++i) {
    const uint32_t x = FeltX(ws, i);
    if (x >= static_cast<uint32_t>(synlig) + kUdenforSynet) continue;
    const char *lang, *kort;
    ElevPlanSorterTekster(ObjSwitchFeltNr(ELEVPLAN_LA_ART, ws->Bogstav, nr, i), &lang, &kort);
    char tip[64];
    std::snprintf(tip, sizeof tip, "Sorter efter %s", lang);
    const int b = static_cast<int>(ObjSwitchFeltBredde(ELEVPLAN_LA_ART, ws->Bogstav, nr, i));
    HWND k = CreateNyButtonWnd(e.hInstance, foraelder, ws->hwnd, i, 1, NYB_VENSTRE | NYB_BILLEDE_HOEJRE,
                               static_cast<int>(x), y, b, kKnapHoejde, tip, kort);
    ws->SorterKnapper[i] = k;
    if (k) ShowWindow(k, SW_SHOW);
  }
}

void ElevPlanOpret(HWND h, ElevPlanWS *ws) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  ws->hwnd = h;
  Ens &e = ws->ens;
  e.hwndParent = GetParent(h);
  e.hInstance = hInst;
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  const uint32_t tg = AktuelTg(ws);
  std::snprintf(e.Titel, sizeof e.Titel, kTitelFormat, tg ? TgRecNr(tg)->Navn : "");
  e.StyrX = &ws->PpPos;
  e.StyrY = &ws->LaPos;
  SaetAkser(ws);
  const uint8_t antalSkift = static_cast<uint8_t>(std::min<uint32_t>(ws->AntalLayouts[ELEVPLAN_ART_LA], 9));
  e.SkiftBredde = static_cast<uint32_t>(antalSkift * GetSystemMetrics(SM_CXVSCROLL));
  e.hdc = GetDC(h);
  ws->RammeDC = EnsDC{e.hdc, kIngenFarve, kIngenFarve};
  if (TxtFont) SelectObject(e.hdc, TxtFont);
  RECT rc;
  GetClientRect(h, &rc);
  e.Areal[0] = CxFrame();
  e.Areal[1] = CyFrame() + kElevPlanKaptionHoejde + kElevPlanGruppeLinje;
  e.Areal[2] = rc.right - 1 - CxFrame();
  e.Areal[3] = rc.bottom - 1 - CyFrame();
  EnsCalcLayout(&e);
  e.hwndSwitchButtons = static_cast<HWND *>(calloc(antalSkift + 1u, sizeof(HWND)));
  EnsCreateChildren(&e, h, antalSkift, nullptr, TxtFont, false, true, nullptr);
  OpretSorterKnapperPlan(ws);
  const uint32_t valgt = Layout(ws, ELEVPLAN_ART_LA);
  if (e.hwndSwitchButtons && valgt < antalSkift && e.hwndSwitchButtons[valgt])
    SendMessageA(e.hwndSwitchButtons[valgt], NYB_LAAS_NED, 0, 0);

  // The current cells in view, centred when they would not otherwise fit.
  if (e.RudeB[ENS_CELLER] > 0)
    e.ScrollX = GridCentrerCelle(&e.AkseX, static_cast<uint32_t>(e.RudeB[ENS_CELLER]), ws->PpPos.Aktuel, ws->PpAntal);
  if (e.RudeH[ENS_CELLER] > 0)
    e.ScrollY = GridCentrerCelle(&e.AkseY, static_cast<uint32_t>(e.RudeH[ENS_CELLER]), ws->LaPos.Aktuel, ws->LaAntal);
  ScrollTilAktuel(ws);
  ws->SimuleringTegn = Fremdrift;

  VinduesListeTilfoej(h);
  if (e.hwndParent && SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) {
    SaetAktiv(ws, 1);
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(h));
  }
}

void TegnElevPlanTitel(ElevPlanWS *ws) {
  Ens &e = ws->ens;
  if (!e.hdc) return;
  const uint32_t tg = AktuelTg(ws);
  std::snprintf(e.Titel, sizeof e.Titel, kTitelFormat, tg ? TgRecNr(tg)->Navn : "");
  EnsPaintCaption(&e);
  RECT rc;
  GetClientRect(ws->hwnd, &rc);
  const int x = e.Areal[0], y = CyFrame() + kElevPlanKaptionHoejde;
  const int bredde = static_cast<int>(ObjSwitchBredde(Art(ws, ELEVPLAN_ART_TG), ws->Bogstav, Layout(ws, ELEVPLAN_ART_TG)));
  const int rest = std::max(0, e.Areal[2] + 1 - x - bredde);
  ws->RammeDC.hdc = e.hdc;
  FillRectIfAny(e.hdc, Brush(0), x, y, e.Areal[2] + 1, y + kElevPlanGruppeLinje);
  if (tg)
    TegnElevRaekke(ElevPlanFeltTekst, ws, &ws->RammeDC, x, y, 0, Art(ws, ELEVPLAN_ART_TG), ws->Bogstav,
                   Layout(ws, ELEVPLAN_ART_TG), ws->PpPos.Aktuel, LaPosition(ws, AktuelLa(ws)), TgPos(ws), 1, 1, rest);
  TegnProgress(ws);
}

void TegnLaHovedRaekker(ElevPlanWS *ws, uint32_t foerste, uint32_t sidste) {
  Ens &e = ws->ens;
  EnsDC *dc = &e.dc[ENSDC_RAEKKEHOVED];
  const int B = e.RudeB[ENS_RAEKKEHOVED], H = e.RudeH[ENS_RAEKKEHOVED];
  if (!dc->hdc || B <= 0 || H <= 0) return;
  sidste = std::min(sidste, ws->LaAntal);
  const uint8_t mark = Markering(ws);
  for (uint32_t r = std::max<uint32_t>(foerste, 1); r <= sidste; ++r) {
    const int y = Start(&e.AkseY, r, e.ScrollY);
    if (y >= H || y + kElevPlanRaekkeHoejde <= 0) continue;
    TegnLinje(dc->hdc, 0, y, B, y + 1);
    const uint8_t mode = r == ws->LaPos.Aktuel ? mark : 0;
    const int bredde = static_cast<int>(RaekkeHovedBredde(ws));
    TegnElevRaekke(ElevPlanFeltTekst, ws, dc, 0, y + 1, mode, ELEVPLAN_LA_ART, ws->Bogstav, Layout(ws, ELEVPLAN_ART_LA),
                   ws->PpPos.Aktuel, LaPosition(ws, ws->LaVisTab[r]), TgPos(ws), 0, 1, std::max(0, B - bredde));
  }
}

void TegnLaHoveder(ElevPlanWS *ws, int dele) {
  Ens &e = ws->ens;
  const int B = e.RudeB[ENS_RAEKKEHOVED], H = e.RudeH[ENS_RAEKKEHOVED];
  if (dele & (ELEVPLAN_DEL_ALT | ELEVPLAN_DEL_RAEKKER)) {
    FlytSorterKnapper(ws);
    uint32_t r1, r2;
    Synlige(&e.AkseY, e.ScrollY, H, ws->LaAntal, &r1, &r2);
    TegnLaHovedRaekker(ws, r1, r2);
    if (HDC hdc = e.dc[ENSDC_RAEKKEHOVED].hdc) {
      const int bund = std::max(0, Efter(&e.AkseY, ws->LaAntal, e.ScrollY));
      FillRectSys(hdc, COLOR_BTNFACE, 0, bund, B, H);
    }
  } else if (dele & ELEVPLAN_DEL_RAEKKE) {
    TegnLaHovedRaekker(ws, ws->LaTegnet, ws->LaTegnet);
    TegnLaHovedRaekker(ws, ws->LaPos.Aktuel, ws->LaPos.Aktuel);
  }
}

void TegnPpHovedKolonner(ElevPlanWS *ws, uint32_t foerste, uint32_t sidste) {
  Ens &e = ws->ens;
  EnsDC *dc = &e.dc[ENSDC_KOLHOVED];
  const int B = e.RudeB[ENS_KOLHOVED], H = e.RudeH[ENS_KOLHOVED];
  if (!dc->hdc || B <= 0 || H <= 0) return;
  sidste = std::min(sidste, ws->PpAntal);
  const uint8_t mark = Markering(ws);
  const int w = static_cast<int>(e.AkseX.CelleBredde);
  static const int kLinjer[4] = {0, 15, 28, 41};
  for (uint32_t c = std::max<uint32_t>(foerste, 1); c <= sidste; ++c) {
    const int x = Start(&e.AkseX, c, e.ScrollX);
    if (x >= B || x + w <= 0) continue;
    const uint8_t bk = c == ws->PpPos.Aktuel ? mark : 0;
    FillRectIfAny(dc->hdc, Brush(bk), x, 0, x + w - 1, H);
    for (uint32_t i = 0; i < 4; ++i)
      TegnFelt(ws, dc, x, kLinjer[i], Art(ws, ELEVPLAN_ART_PP1), Layout(ws, ELEVPLAN_ART_PP1), i, c, bk);
    TegnLinje(dc->hdc, x + w - 1, 0, x + w, H);
    if (DagSkifte(ws, c)) TegnLinje(dc->hdc, x + w - 2, 0, x + w - 1, H);
  }
}

void TegnPpHoveder(ElevPlanWS *ws, int dele) {
  Ens &e = ws->ens;
  const int B = e.RudeB[ENS_KOLHOVED], H = e.RudeH[ENS_KOLHOVED];
  if (dele & (ELEVPLAN_DEL_ALT | ELEVPLAN_DEL_KOLONNER)) {
    if (HDC v = e.dc[ENSDC_HJOERNE_V].hdc) FillRectSys(v, COLOR_BTNFACE, 0, 0, e.HjoerneB[0], e.HjoerneH[0]);
    uint32_t k1, k2;
    Synlige(&e.AkseX, e.ScrollX, B, ws->PpAntal, &k1, &k2);
    TegnPpHovedKolonner(ws, k1, k2);
    if (HDC hdc = e.dc[ENSDC_KOLHOVED].hdc)
      FillRectSys(hdc, COLOR_BTNFACE, std::max(0, Efter(&e.AkseX, ws->PpAntal, e.ScrollX)), 0, B, H);
  } else if (dele & ELEVPLAN_DEL_KOLONNE) {
    TegnPpHovedKolonner(ws, ws->PpTegnet, ws->PpTegnet);
    TegnPpHovedKolonner(ws, ws->PpPos.Aktuel, ws->PpPos.Aktuel);
  }
}

void TegnElevPlanCelleOmraade(ElevPlanWS *ws, uint32_t k1, uint32_t k2, uint32_t r1, uint32_t r2) {
  Ens &e = ws->ens;
  HDC hdc = e.dc[ENSDC_CELLER].hdc;
  const int B = e.RudeB[ENS_CELLER], H = e.RudeH[ENS_CELLER];
  if (!hdc || B <= 0 || H <= 0 || !ws->PlanGitter.Data || !ws->LaSpaerring.Data) return;
  k2 = std::min(k2, ws->PpAntal);
  r2 = std::min(r2, ws->LaAntal);
  const int w = static_cast<int>(e.AkseX.CelleBredde);
  const uint8_t mark = Markering(ws);
  const bool skygget = ws->SidstAktiv != 1 && ws->SidstAktiv != 2;
  for (uint32_t r = std::max<uint32_t>(r1, 1); r <= r2; ++r) {
    const uint32_t la = ws->LaVisTab[r];
    const uint32_t a = LaPosition(ws, la);
    if (!a) continue;
    const LaRec &l = ElevRef(LaRecNr, la);
    const int y = Start(&e.AkseY, r, e.ScrollY);
    if (y >= H || y + kElevPlanRaekkeHoejde <= 0) continue;
    for (uint32_t c = std::max<uint32_t>(k1, 1); c <= k2; ++c) {
      const int x = Start(&e.AkseX, c, e.ScrollX);
      if (x >= B || x + w <= 0) continue;
      const int x2 = x + w - 1;  // the right separator's pixel
      const bool aktuel = r == ws->LaPos.Aktuel && c == ws->PpPos.Aktuel;
      const bool spaerret = ws->LaSpaerring(a, c) != 0;
      uint8_t bk;
      if (aktuel)
        bk = spaerret ? (ws->ens.Aktiv ? 19 : 20) : (mark ? mark : 36);
      else
        bk = spaerret ? 18 : 36;
      const uint8_t blok = aktuel && !skygget ? 3 : 31;
      FillRectIfAny(hdc, Brush(bk), x, y, x2, y + kElevPlanRaekkeHoejde);
      const uint8_t kode = ws->PlanGitter(a, c);
      if (kode != PLAN_FRI) {
        const HBRUSH b = Brush(blok);
        const int t = l.PladsLaas ? 2 : 0;
        int fra = x, til = x2;
        if (kode == PLAN_ENKELT || kode == PLAN_START) {
          FillRectIfAny(hdc, b, x + 4, y + 2, x + 6, y + 12);
          fra = x + 4;
        }
        if (kode == PLAN_ENKELT || kode == PLAN_SLUT) {
          FillRectIfAny(hdc, b, x2 - 6, y + 2, x2 - 4, y + 12);
          til = x2 - 4;
        }
        FillRectIfAny(hdc, b, fra, y - t + 6, til, y + t + 8);
        if (l.LukForNyeElever) FillRectIfAny(hdc, b, fra, y + 2, til, y + 4);
        if (l.BeholdElever) FillRectIfAny(hdc, b, fra, y + 10, til, y + 12);
      }
      TegnLinje(hdc, x2, y, x2 + 1, y + kElevPlanRaekkeHoejde);
      TegnLinje(hdc, x, y, x2 + 1, y + 1);
      if (DagSkifte(ws, c)) TegnLinje(hdc, x2 - 1, y, x2, y + kElevPlanRaekkeHoejde);
    }
  }
}

void TegnElevPlanCeller(ElevPlanWS *ws, int dele) {
  Ens &e = ws->ens;
  HDC hdc = e.dc[ENSDC_CELLER].hdc;
  const int B = e.RudeB[ENS_CELLER], H = e.RudeH[ENS_CELLER];
  if (!hdc || B <= 0 || H <= 0) return;
  if (dele & (ELEVPLAN_DEL_ALT | ELEVPLAN_DEL_KOLONNER | ELEVPLAN_DEL_RAEKKER)) {
    uint32_t k1, k2, r1, r2;
    Synlige(&e.AkseX, e.ScrollX, B, ws->PpAntal, &k1, &k2);
    Synlige(&e.AkseY, e.ScrollY, H, ws->LaAntal, &r1, &r2);
    TegnElevPlanCelleOmraade(ws, k1, k2, r1, r2);
    const int hoejre = std::max(0, Efter(&e.AkseX, ws->PpAntal, e.ScrollX));
    const int bund = std::max(0, Efter(&e.AkseY, ws->LaAntal, e.ScrollY));
    FillRectIfAny(hdc, Brush(36), hoejre, 0, B, H);
    FillRectIfAny(hdc, Brush(36), 0, bund, std::min(hoejre, B), H);
    TegnLinje(hdc, 0, bund, std::min(hoejre, B), bund + 1);
  } else if (dele & (ELEVPLAN_DEL_KOLONNE | ELEVPLAN_DEL_RAEKKE)) {
    TegnElevPlanCelleOmraade(ws, ws->PpTegnet, ws->PpTegnet, ws->LaTegnet, ws->LaTegnet);
    TegnElevPlanCelleOmraade(ws, ws->PpPos.Aktuel, ws->PpPos.Aktuel, ws->LaPos.Aktuel, ws->LaPos.Aktuel);
  }
}

void TegnElevPlan(ElevPlanWS *ws, int dele) {
  if (!dele) return;
  TegnElevPlanTitel(ws);
  TegnLaHoveder(ws, dele);
  TegnPpHoveder(ws, dele);
  TegnElevPlanCeller(ws, dele);
  if (ws->ens.Aktiv && !ws->IElement) PublicerAktuelle(ws, dele);
  ws->TgTegnet = ws->TgPos.Aktuel;
  ws->LaTegnet = ws->LaPos.Aktuel;
  ws->PpTegnet = ws->PpPos.Aktuel;
}

void ElevPlanKnapKommando(ElevPlanWS *ws, uint32_t id, uint32_t vaerdi) {
  const HWND h = ws->hwnd;
  Ens &e = ws->ens;
  const uint32_t antalSkift = std::min<uint32_t>(ws->AntalLayouts[ELEVPLAN_ART_LA], 9);
  if (id >= ENS_SKIFT_ID && id < ENS_SKIFT_ID + antalSkift && (vaerdi == 0 || vaerdi == id)) {
    const uint32_t n = id - ENS_SKIFT_ID, gammel = Layout(ws, ELEVPLAN_ART_LA);
    if (n == gammel) return;
    if (e.hwndSwitchButtons && e.hwndSwitchButtons[gammel]) SendMessageA(e.hwndSwitchButtons[gammel], NYB_LAAS_OP, 0, 0);
    if (e.hwndSwitchButtons && e.hwndSwitchButtons[n]) SendMessageA(e.hwndSwitchButtons[n], NYB_LAAS_NED, 0, 0);
    ObjSwitchVaelg(ELEVPLAN_LA_ART, ws->Bogstav, n);
    BuildElevPlanData(ws);
    if (ElevSkaermKrog.OpstilIgen) ElevSkaermKrog.OpstilIgen();
    return;
  }
  switch (vaerdi) {
    case 1: {
      if (!BlivAktiv(h, ws)) return;
      if (id >= ws->SorterKnapAntal) return;
      if (!ws->Sorteret || ws->SorteretKolonne != id) {
        if (ws->Sorteret && ws->SorteretKolonne < ws->SorterKnapAntal && ws->SorterKnapper[ws->SorteretKolonne])
          SendMessageA(ws->SorterKnapper[ws->SorteretKolonne], NYB_BILLEDE, 32, 0);
        ws->Sorteret = 1;
        ws->SorteretKolonne = id;
        ws->SorterRetning = 0;
      } else {
        ws->SorterRetning = ws->SorterRetning ? 0 : ELEVSORT_FALDENDE;
      }
      if (HWND k = ws->SorterKnapper[id])
        SendMessageA(k, NYB_BILLEDE, 32,
                     reinterpret_cast<LPARAM>(MAKEINTRESOURCE(ws->SorterRetning ? kSorterBilledeNed : kSorterBillede)));
      if (AktuelLa(ws)) tvla.AktuelRec = AktuelLa(ws);
      ObjSwitchSaetSortFelt(ELEVPLAN_LA_ART, ws->Bogstav,
                            ObjSwitchFeltNr(ELEVPLAN_LA_ART, ws->Bogstav, Layout(ws, ELEVPLAN_ART_LA), id));
      ByggLaRaekker(ws);
      Udfoer(ws, ELEVPLAN_TEGN_ALT);
      return;
    }
    case NYB_MINIMER:
      EnsMinimize(h, &e);
      return;
    case NYB_LUK:
      DestroyWindow(h);
      return;
    case NYB_MAKSIMER:
      SkiftMaksimeret(h, &ws->GemtRect, 2);
      return;
  }
}

ElevPlanWS *ElevPlanVinduesWS(HWND hwnd) { return Ws(hwnd); }

LRESULT CALLBACK ElevPlanWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<ElevPlanWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    ElevPlanOpret(h, ws);
    return 0;
  }
  ElevPlanWS *ws = Ws(h);
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
      TegnElevPlanTitel(ws);
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), static_cast<uint8_t>(std::min<uint32_t>(ws->AntalLayouts[ELEVPLAN_ART_LA], 9)));
        EnsPaintFrame(&e);
        TegnElevPlan(ws, ELEVPLAN_DEL_ALT);
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (const int dele = EnsOnScroll(&e, msg, wParam)) TegnElevPlan(ws, dele);
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, wParam);
      return 0;
    case ENS_KOLHOVED_TEGN:
      TegnPpHoveder(ws, ELEVPLAN_DEL_ALT);
      return 0;
    case ENS_RAEKKEHOVED_TEGN:
      TegnLaHoveder(ws, ELEVPLAN_DEL_ALT);
      return 0;
    case ENS_CELLER_TEGN:
      TegnElevPlanCeller(ws, ELEVPLAN_DEL_ALT);
      return 0;
    case ENS_KOLHOVED_NED:
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
      Klik(h, ws, msg, lParam);
      return 0;
    case WM_RBUTTONDOWN:
      EnsActivateOnClick(h, &e);
      if (IsWindow(h) && Ws(h) == ws && e.Aktiv) {
        POINT p{0, 0};
        GetCursorPos(&p);
        CreateShortCutWnd(e.hInstance, h, p.x, p.y, nullptr);
      }
      return 0;
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
    case WM_EXITSIZEMOVE:
      EnsPaintFrame(&e);
      TegnElevPlan(ws, ELEVPLAN_DEL_ALT);
      break;
    case WM_SIZING:
      EnsOnSizing(reinterpret_cast<RECT *>(lParam), static_cast<UINT>(wParam), 150, FuldBredde(ws, h), 100,
                  FuldHoejde(ws, h));
      return TRUE;
    case ENS_BREDDE:
      return CalcElevPlanWidth(ws, static_cast<int>(wParam));
    case ENS_HOEJDE:
      return CalcElevPlanHeight(ws, static_cast<int>(wParam));
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case VINDUE_ART:
      return kElevPlanType;
    case ELEVPLAN_HENT_WS:
      return reinterpret_cast<LRESULT>(ws);
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
      Aktiver(h, ws, msg, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      SaetAktiv(ws, 0);
      EnsPaintFrame(&e);
      break;  // the planning's own 1101 below repaints and publishes
    case NYB_KLIK:
      ElevPlanKnapKommando(ws, static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG:
      if (!BlivAktiv(h, ws)) return 0;
      break;
  }
  LRESULT svar = 0;
  int tegn = 0;
  if (ElevPlanBesked(ws, msg, wParam, lParam, &svar, &tegn)) {
    if (!(tegn & ELEVPLAN_LUKKET) && IsWindow(h) && Ws(h) == ws) Udfoer(ws, tegn);
    return svar;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

bool RegistrerElevPlanKlasse(HINSTANCE inst) {
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = ElevPlanWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = kKlasse;
  return RegisterClassA(&wc) != 0;
}

void AfregistrerElevPlanKlasse(HINSTANCE inst) { UnregisterClassA(kKlasse, inst); }

HWND CreateElevPlanWnd(HWND desktop, int venstre, int top, int hoejre, int bund) {
  if (FindVindueType(kElevPlanType)) return 0;
  if (CountAktiveTg() == 0) {
    PurgeTestTg(2);
    if (ElevPlanKrog.ImportElevplanTest) ElevPlanKrog.ImportElevplanTest();
  }
  if (CountAktiveTg() == 0) {
    MessageBoxA(hwndHoved,
                "Der er ingen tilmeldingsgrupper i dette skema.\nDer skal findes tilmeldingsgrupper for at kunne "
                "åbne planlægningsvinduet.\nTilmeldingsgrupper hentes ved at kontakte ElevPlan.!",
                "Ingen tilmeldingsgrupper", MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  if (ElevPlanAabnerKrog.OpdaterTgLaase) ElevPlanAabnerKrog.OpdaterTgLaase();
  LoadPpIni();
  LoadLapIni();
  SetTgDefaults();
  ElevPlanWS *ws = NytElevPlanWS('K', 1);
  if (!ws) return 0;
  BuildElevPlanData(ws);
  const int b = CalcElevPlanWidth(ws, std::max(hoejre - venstre, 0));
  const int h = CalcElevPlanHeight(ws, std::max(bund - top, 0));
  HWND hwnd = CreateWindowExA(0, kKlasse, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, venstre, top, b, h,
                              desktop, static_cast<HMENU>(kElevPlanType), hInst, ws);
  if (!hwnd) {
    if (!ws->hwnd) FrigivElevPlanWS(ws);
    return 0;
  }
  return hwnd;
}
