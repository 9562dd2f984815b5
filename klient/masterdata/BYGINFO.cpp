// The balances panel. Every child exists for the panel's life and the kind
// of the event chooses which are shown, so an event that changes kind
// between two paints never leaves a list without its window.

#include "BYGINFO.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "AKTICHK.h"
#include "DATO.h"
#include "FARVER.h"
#include "FONTE.h"
#include "KATALOG.h"
#include "LISTBOX.h"
#include "LISTETAL.h"
#include "MEDPER.h"
#include "RAMME.h"
#include "ROLLER.h"
#include "STATUSBAR.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TALTAB.h"

namespace {

constexpr uint32_t kArt = 50;
constexpr int kRaekke = 11;
constexpr int kTekstFarve = 21;
constexpr int kY2 = 5 * kRaekke + 23;  // the second line
constexpr uint32_t kBemBredde = 54 * 8;
const char kBemTip[] = "Indsæt bemærkning? Tast <Alt + b> (Max 54 tegn)";

BygInfoWS *Ws(HWND h) { return reinterpret_cast<BygInfoWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

int32_t Bredde(HDC dc, const char *t) {
  SIZE s{0, 0};
  GetTextExtentPoint32A(dc, t, static_cast<int>(std::strlen(t)), &s);
  return s.cx;
}

bool Saerlig(const BygInfoWS *ws) { return ws->pAVS && ws->pAVS->Art == 'P'; }

uint32_t FeltBredde(uint8_t bogstav, uint32_t i) { return ObjSwitchFeltBredde(kArt, bogstav, 0, i); }

struct Sted {
  int x, y, b, h;
};

Sted BarnSted(const BygInfoWS *ws, int barn) {
  HDC dc = ws->dc.hdc;
  const int a = Bredde(dc, "Akt"), me = Bredde(dc, "Med"), lo = Bredde(dc, "Lok"), f = Bredde(dc, "Fag"),
            ri = Bredde(dc, "Ring"), be = Bredde(dc, "Bemærkning");
  const int k = static_cast<int>(ws->K), m = static_cast<int>(ws->M), l = static_cast<int>(ws->L),
            u = static_cast<int>(ws->U), r = static_cast<int>(ws->R), b = static_cast<int>(ws->B);
  if (Saerlig(ws)) {
    if (barn == BYG_MED) return {me + 20, kRaekke, m + 13, 5 * kRaekke};
    if (barn == BYG_BEM) return {be + 20, kY2, b, kRaekke};
  }
  switch (barn) {
    case BYG_AKT: return {a + 20, kRaekke, k + 13, static_cast<int>(ws->AktLinjer) * kRaekke};
    case BYG_MED: return {a + k + me + 54, kRaekke, m + 13, static_cast<int>(ws->MedLinjer) * kRaekke};
    case BYG_LOK: return {a + k + me + m + lo + 88, kRaekke, l + 13, static_cast<int>(ws->LokLinjer) * kRaekke};
    case BYG_FAG: return {f + 20, kY2, u, kRaekke};
    case BYG_RING: return {f + u + ri + 41, kY2, r, kRaekke};
    default: return {f + u + ri + r + be + 62, kY2, b, kRaekke};
  }
}

void Etiket(BygInfoWS *ws, int x, int y, const char *t) {
  SetTextColor(ws->dc.hdc, GetSysColor(kTekstFarve));
  SetBkMode(ws->dc.hdc, TRANSPARENT);
  TextOutA(ws->dc.hdc, x, y, t, static_cast<int>(std::strlen(t)));
}

void BemEtiket(BygInfoWS *ws, int x, int y) {
  char t[] = "&Bemærkning";
  RECT r{x, y, x + Bredde(ws->dc.hdc, "Bemærkning") + 2, y + kRaekke + 2};
  SetTextColor(ws->dc.hdc, GetSysColor(COLOR_BTNTEXT));
  SetBkMode(ws->dc.hdc, TRANSPARENT);
  DrawTextExA(ws->dc.hdc, t, -1, &r, DT_SINGLELINE | DT_LEFT | DT_TOP, nullptr);
}

void RammeOm(BygInfoWS *ws, const Sted &s) { DrawFrame3D(ws->dc.hdc, s.x - 1, s.y - 1, s.x + s.b, s.y + s.h, 2); }

void VisBoern(BygInfoWS *ws) {
  const bool p = Saerlig(ws);
  for (int i = 0; i < kBygBoern; ++i)
    if (ws->hwndBarn[i]) ShowWindow(ws->hwndBarn[i], !p || i == BYG_MED || i == BYG_BEM ? SW_SHOW : SW_HIDE);
}

void Flyt(BygInfoWS *ws) {
  if (Saerlig(ws)) {
    ws->M = ObjSwitchBredde(kArt, 'M', 0) + 38;
    ws->B = kBemBredde;
  } else {
    LayoutBygInfoBredder(ws);
  }
  LayoutBygInfo(ws);
  VisBoern(ws);
}

void Tegn(BygInfoWS *ws) {
  if (Saerlig(ws))
    TegnBygInfoSaerlig(ws);
  else
    TegnBygInfo(ws);
}

void TegnBoernOgPanel(BygInfoWS *ws) {
  for (HWND h : ws->hwndBarn)
    if (h && IsWindowVisible(h)) SendMessageA(h, WM_PAINT, 0, 0);
  Tegn(ws);
}

// ---- balance blocks

int TekstHoejde(HDC dc) {
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  return tm.tmHeight > 0 ? tm.tmHeight : kRaekke;
}

void TekstVed(HDC dc, int x, int y, const char *t) { TextOutA(dc, x, y, t, static_cast<int>(std::strlen(t))); }

void HoejreVed(HDC dc, int kant, int y, const char *t) { TekstVed(dc, kant - Bredde(dc, t), y, t); }

void Tal(HDC dc, int kant, int y, int32_t v) {
  char t[16];
  std::snprintf(t, sizeof t, "%d", v);
  HoejreVed(dc, kant, y, t);
}

void Vandret(HDC dc, int x1, int x2, int y) {
  MoveToEx(dc, x1, y, nullptr);
  LineTo(dc, x2, y);
}

void Lodret(HDC dc, int x, int y1, int y2) {
  MoveToEx(dc, x, y1, nullptr);
  LineTo(dc, x, y2);
}

// What every block shares: its colour and pen, the rows' y and the employment.
struct Blok {
  HDC dc;
  HPEN pen;
  HGDIOBJ gammelPen;
  int x0, th, hoejre, bund;
  uint32_t anfo;

  int Raekke(int i) const { return 10 + (th + 1) * (i + 1) + 2; }
  // The line above row i.
  int LinjeFoer(int i) const { return Raekke(i) - 2; }
};

bool BegyndBlok(BygInfoWS *ws, int x0, Blok *b) {
  const AVS *a = ws->pAVS;
  if (!a || a->anfoAntal != 1 || !a->anfoTab) return false;
  const uint32_t anfo = a->anfoTab[0];
  if (anfo == 0 || anfo >= tvanfo.wRecCnt || !GetRec(&tdanfo, &tvanfo, anfo)) return false;
  b->dc = ws->dc.hdc;
  b->x0 = x0;
  b->th = TekstHoejde(b->dc);
  b->hoejre = static_cast<int>(ws->Bredde) - 2;
  b->bund = static_cast<int>(ws->Hoejde) - 2;
  b->anfo = anfo;
  SetTextColor(b->dc, GetSysColor(COLOR_BTNTEXT));
  SetBkMode(b->dc, TRANSPARENT);
  b->pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
  b->gammelPen = SelectObject(b->dc, b->pen);
  return true;
}

void SlutBlok(BygInfoWS *ws, Blok *b) {
  SelectObject(b->dc, b->gammelPen);
  DeleteObject(b->pen);
  ws->dc.TekstFarve = ws->dc.BkFarve = kIngenFarve;
}

// Label rows at x0 + 8, the line under the header, the vertical line right
// of the labels and right of the values.
void Rammer(const Blok &b, const char *const *etiketter, int antal, int restRaekke, int vaerdiKant) {
  int etiketKant = 0;
  for (int i = 0; i < antal; ++i) {
    TekstVed(b.dc, b.x0 + 8, b.Raekke(i), etiketter[i]);
    etiketKant = std::max(etiketKant, b.x0 + 8 + Bredde(b.dc, etiketter[i]));
  }
  Vandret(b.dc, b.x0, b.hoejre, 10 + b.th);
  if (restRaekke >= 0) Vandret(b.dc, b.x0, vaerdiKant + 2, b.LinjeFoer(restRaekke));
  Lodret(b.dc, etiketKant + 2, 10, b.bund);
  Lodret(b.dc, vaerdiKant + 2, 10, b.bund);
}

void Periode(const Blok &b, int x, uint32_t fra, uint32_t til, const char *form) {
  char t[80];
  std::snprintf(t, sizeof t, form, static_cast<int>(fra), static_cast<int>(til));
  TekstVed(b.dc, x, 10, t);
}

uint32_t CursorDato() {
  if (!hDatoVindue || !IsWindow(hDatoVindue)) return SkemaPeriode.AktuelDato;
  return static_cast<uint32_t>(SendMessageA(hDatoVindue, STATUS_DATO_HENT, 0, 0));
}

}  // namespace

int32_t TusindedeTilHele(int32_t v) {
  const int64_t x = v;
  if (x >= 1) return static_cast<int32_t>((x + 500) / 1000);
  if (x < 0) return static_cast<int32_t>((x - 500) / 1000);
  return 0;
}

void FerieAar(uint32_t dato, uint32_t *fra, uint32_t *til) {
  const uint32_t aar = dato / 10000;
  if (dato % 10000 < 501) {
    *fra = (aar - 1) * 10000 + 501;
    *til = aar * 10000 + 430;
  } else {
    *fra = aar * 10000 + 501;
    *til = (aar + 1) * 10000 + 430;
  }
}

int BygInfoSaldoArt(const AVS *a) {
  if (!a || a->anfoAntal != 1 || !a->skemarolTab) return SALDO_INGEN;
  const uint32_t rol = a->skemarolTab[0];
  if (SkemarolHarSls500Eller505(rol) || SkemarolErFerie(rol) || SkemarolHarSls520Eller530(rol) ||
      SkemarolErSaerligFerie(rol))
    return SALDO_FERIE;
  if (SkemarolErOmsorg(rol)) return SALDO_OMSORG;
  if (SkemarolErAfspadsering(rol)) return SALDO_AFSPADSERING;
  if (SkemarolErBS1(rol) || SkemarolErBS2(rol)) return SALDO_BARNSYG;
  return SALDO_INGEN;
}

void OpretBygInfoBoern(BygInfoWS *ws) {
  AVS *a = ws->pAVS;
  const uint8_t art = static_cast<uint8_t>(ws->Art);
  HWND *c = ws->hwndBarn;
  auto sted = [&](int i) { return BarnSted(ws, i); };
  Sted s = sted(BYG_AKT);
  if (!c[BYG_AKT])
    c[BYG_AKT] = CreateListeWnd(ws->hwnd, 'K', s.x, s.y, s.b, ws->AktLinjer, &a->aktiAntal, &a->aktiTab, nullptr,
                                nullptr, art);
  s = sted(BYG_MED);
  if (!c[BYG_MED])
    c[BYG_MED] = CreateMedaListeWnd(ws->hwnd, s.x, s.y, s.b, ws->MedLinjer, &a->anfoAntal, &a->anfoTab,
                                    &a->skemarolTab, &a->beregnTab, &a->minutTab, &a->hvorfraTab, art);
  s = sted(BYG_LOK);
  if (!c[BYG_LOK])
    c[BYG_LOK] = CreateListeWnd(ws->hwnd, 'L', s.x, s.y, s.b, ws->LokLinjer, &a->lokaAntal, &a->lokaTab,
                                &a->lokrolleTab, nullptr, art);
  s = sted(BYG_FAG);
  if (!c[BYG_FAG]) c[BYG_FAG] = CreateSoloWnd(ws->hwnd, 'U', s.x, s.y, s.b, &a->skfa_id, nullptr, art, nullptr);
  s = sted(BYG_RING);
  if (!c[BYG_RING]) c[BYG_RING] = CreateSoloWnd(ws->hwnd, 'R', s.x, s.y, s.b, &a->risy_id, nullptr, art, nullptr);
  s = sted(BYG_BEM);
  if (!c[BYG_BEM]) c[BYG_BEM] = CreateSoloWnd(ws->hwnd, '-', s.x, s.y, s.b, &a->bem_id, nullptr, art, kBemTip);
  VisBoern(ws);
  for (HWND h : ws->hwndBarn)
    if (h && IsWindowVisible(h)) SendMessageA(h, WM_PAINT, 0, 0);
}

uint32_t BygInfoLinje1Bredde(const BygInfoWS *ws) {
  HDC dc = ws->dc.hdc;
  return static_cast<uint32_t>(Bredde(dc, "Akt") + Bredde(dc, "Med") + Bredde(dc, "Lok")) +
         ObjSwitchBredde(kArt, 'K', 0) + ObjSwitchBredde(kArt, 'L', 0) + ObjSwitchBredde(kArt, 'M', 0) + 148;
}

uint32_t BygInfoLinje2Bredde(const BygInfoWS *ws) {
  HDC dc = ws->dc.hdc;
  return static_cast<uint32_t>(Bredde(dc, "Fag") + Bredde(dc, "Ring") + Bredde(dc, "Bemærkning")) +
         ObjSwitchBredde(kArt, 'U', 0) + ObjSwitchBredde(kArt, 'R', 0) + kBemBredde + 71;
}

void LayoutBygInfoBredder(BygInfoWS *ws) {
  const uint32_t w = ws->Bredde;
  ws->K = ObjSwitchBredde(kArt, 'K', 0);
  ws->M = ObjSwitchBredde(kArt, 'M', 0) + 38;
  ws->L = ObjSwitchBredde(kArt, 'L', 0);
  // Line 1: the room list gives first, then the activities, then the
  // employees, each no narrower than the fields that name its rows.
  const uint32_t behov1 = BygInfoLinje1Bredde(ws);
  if (w < behov1) {
    uint32_t o = behov1 - w;
    auto tag = [&o](uint32_t &b, uint32_t mindst) {
      const uint32_t kan = b > mindst ? b - mindst : 0, tages = std::min(o, kan);
      b -= tages;
      o -= tages;
    };
    tag(ws->L, FeltBredde('L', 0));
    tag(ws->K, FeltBredde('K', 0));
    tag(ws->M, FeltBredde('M', 0) + FeltBredde('M', 1));
  }
  ws->U = ObjSwitchBredde(kArt, 'U', 0);
  ws->R = ObjSwitchBredde(kArt, 'R', 0);
  ws->B = kBemBredde;
  // Line 2: the remark box first, then the subject, then the ring system.
  const uint32_t behov2 = BygInfoLinje2Bredde(ws);
  if (w < behov2) {
    uint32_t o = behov2 - w;
    uint32_t *const raekkefoelge[] = {&ws->B, &ws->U, &ws->R};
    for (uint32_t *b : raekkefoelge) {
      const uint32_t tages = std::min(o, *b);
      *b -= tages;
      o -= tages;
    }
  }
}

void LayoutBygInfo(BygInfoWS *ws) {
  for (int i = 0; i < kBygBoern; ++i) {
    if (!ws->hwndBarn[i]) continue;
    const Sted s = BarnSted(ws, i);
    MoveWindow(ws->hwndBarn[i], s.x, s.y, s.b, s.h, TRUE);
  }
}

void TegnBygInfo(BygInfoWS *ws) {
  HDC dc = ws->dc.hdc;
  if (!dc) return;
  const int w = static_cast<int>(ws->Bredde), h = static_cast<int>(ws->Hoejde);
  FillRectIfAny(dc, FarveBrush[0], 0, 0, w, h);
  DrawFrame3D(dc, 0, 0, w - 1, h - 1, 17);
  static const char *const kEtiket[kBygBoern] = {"Akt", "Fag", "Med", "Lok", "Ring", nullptr};
  for (int i = 0; i < kBygBoern; ++i) {
    const Sted s = BarnSted(ws, i);
    if (kEtiket[i])
      Etiket(ws, s.x - Bredde(dc, kEtiket[i]) - 12, s.y - 1, kEtiket[i]);
    else
      BemEtiket(ws, s.x - Bredde(dc, "Bemærkning") - 12, s.y - 1);
    if (ws->hwndBarn[i]) RammeOm(ws, s);
  }
  ws->dc.TekstFarve = ws->dc.BkFarve = kIngenFarve;
}

void TegnBygInfoSaerlig(BygInfoWS *ws) {
  HDC dc = ws->dc.hdc;
  if (!dc) return;
  const int w = static_cast<int>(ws->Bredde), h = static_cast<int>(ws->Hoejde);
  ws->M = ObjSwitchBredde(kArt, 'M', 0) + 38;
  FillRectIfAny(dc, FarveBrush[0], 0, 0, w, h);
  DrawFrame3D(dc, 0, 0, w - 1, h - 1, 17);
  Etiket(ws, 8, 10, "Med");
  const int me = Bredde(dc, "Med");
  DrawFrame3D(dc, me + 19, 10, me + 33 + static_cast<int>(ws->M), 66, 2);
  const Sted bem = BarnSted(ws, BYG_BEM);
  BemEtiket(ws, 8, bem.y - 1);
  RammeOm(ws, bem);
  const int x0 = Bredde(dc, "Bemærkning") + 19 + static_cast<int>(ws->B);
  switch (BygInfoSaldoArt(ws->pAVS)) {
    case SALDO_FERIE: TegnFerieSaldo(ws, x0); break;
    case SALDO_OMSORG: TegnFravaerSaldo(ws, x0, 2); break;
    case SALDO_AFSPADSERING: TegnFravaerSaldo(ws, x0, 1); break;
    case SALDO_BARNSYG: TegnBarnSygSaldo(ws, x0); break;
    default: break;
  }
  ws->dc.TekstFarve = ws->dc.BkFarve = kIngenFarve;
}

void TegnFerieSaldo(BygInfoWS *ws, int x0) {
  Blok b;
  if (!BegyndBlok(ws, x0, &b)) return;
  const uint32_t dato = CursorDato();
  uint32_t fra, til;
  FerieAar(dato, &fra, &til);
  int32_t f[7] = {};
  const auto *anfo = reinterpret_cast<const AnfoRec *>(GetRec(&tdanfo, &tvanfo, b.anfo));
  const uint32_t slot = SkoleAarIndeks(dato);
  if (MedTalFerieTab && anfo->meda_id < TalDim.E && slot <= TalDim.Y1) {
    const MedTalFerieCelle &c = MedTalFerieTab[static_cast<size_t>(anfo->meda_id) * (TalDim.Y1 + 1) + slot];
    const uint32_t raa[7] = {c.Overfoert,      c.Optjent,       c.PlanlagtFremad, c.Afholdt,
                             c.OptjentFridage, c.SaerligFremad, c.SaerligAfholdt};
    for (int i = 0; i < 7; ++i) f[i] = TusindedeTilHele(static_cast<int32_t>(raa[i]));
  }
  const int kant = x0 + 16 + Bredde(b.dc, "Planlagt:00000");
  HoejreVed(b.dc, kant, 10, "Ferie");
  static const char *const kEtiket[] = {"Overført:", "Optjent:", "Planlagt:", "Afholdt:", "Rest:"};
  Rammer(b, kEtiket, 5, 4, kant);
  for (int i = 0; i < 4; ++i) Tal(b.dc, kant, b.Raekke(i), f[i]);
  Tal(b.dc, kant, b.Raekke(4), f[0] + f[1] - f[2] - f[3]);
  // The special holiday days: no carried-over value.
  const int kant2 = kant + 16 + Bredde(b.dc, ":00000");
  Periode(b, kant + 8, fra, til, "Særlig feriedag.  Periode: %d - %d");
  for (int i = 1; i < 4; ++i) Tal(b.dc, kant2, b.Raekke(i), f[3 + i]);
  Tal(b.dc, kant2, b.Raekke(4), f[4] - f[5] - f[6]);
  Vandret(b.dc, kant, kant2 + 2, b.LinjeFoer(4));
  Lodret(b.dc, kant2 + 2, 10, b.bund);
  SlutBlok(ws, &b);
}

void TegnFravaerSaldo(BygInfoWS *ws, int x0, int art) {
  Blok b;
  if (!BegyndBlok(ws, x0, &b)) return;
  const char *hoved = art == 2 ? "Omsorg" : "Afspadsering";
  int32_t primo = 0, ialt = 0;
  if (!AnfoFravaerSaldo(ws->hwnd, b.anfo, SkemaPeriode.AktuelUgeIndeks, &primo, &ialt, art)) primo = ialt = 0;
  const Dato idag = DagsDato();
  const uint32_t fra = GetOpgPerFra(idag, b.anfo), til = GetOpgPerTil(idag, b.anfo);
  const int kant = x0 + 16 + Bredde(b.dc, hoved) + Bredde(b.dc, ":00000");
  HoejreVed(b.dc, kant, 10, hoved);
  static const char *const kEtiket[] = {"Primo:", "Afholdt:", "Rest:"};
  Rammer(b, kEtiket, 3, 2, kant);
  Tal(b.dc, kant, b.Raekke(0), primo);
  Tal(b.dc, kant, b.Raekke(1), ialt);
  Tal(b.dc, kant, b.Raekke(2), primo - ialt);
  Periode(b, kant + 16, fra, til, "Opgørelsesperiode: %d - %d");
  SlutBlok(ws, &b);
}

void TegnBarnSygSaldo(BygInfoWS *ws, int x0) {
  Blok b;
  if (!BegyndBlok(ws, x0, &b)) return;
  const bool bs2 = !SkemarolErBS1(ws->pAVS->skemarolTab[0]);
  const char *hoved = bs2 ? "Barnets 2. sygedag" : "Barnets 1. sygedag";
  int32_t sum = 0;
  if (!AnfoMedTalAarSum(ws->hwnd, b.anfo, SkemaPeriode.AktuelUgeIndeks, &sum, bs2 ? 2 : 1)) sum = 0;
  const Dato idag = DagsDato();
  const uint32_t fra = GetOpgPerFra(idag, b.anfo), til = GetOpgPerTil(idag, b.anfo);
  const int kant = x0 + 16 + Bredde(b.dc, hoved) + Bredde(b.dc, ":00000");
  HoejreVed(b.dc, kant, 10, hoved);
  static const char *const kEtiket[] = {"Afholdt:"};
  Rammer(b, kEtiket, 1, -1, kant);
  Tal(b.dc, kant, b.Raekke(0), sum);
  Periode(b, kant + 16, fra, til, "Opgørelsesperiode: %d - %d");
  SlutBlok(ws, &b);
}

LRESULT CALLBACK BygInfoWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  BygInfoWS *ws = Ws(hwnd);
  if (!ws && msg != WM_CREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_CREATE: {
      ws = static_cast<BygInfoWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
      if (!ws || !ws->pAVS) return -1;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
      ws->hwnd = hwnd;
      ws->hwndEjer = GetParent(hwnd);
      SelectDCPalette(hwnd, &ws->dc, TxtFont);
      SetBkColor(ws->dc.hdc, FarveTab[0]);
      SetTextColor(ws->dc.hdc, GetSysColor(kTekstFarve));
      if (Saerlig(ws)) {
        ws->M = ObjSwitchBredde(kArt, 'M', 0) + 38;
        ws->B = kBemBredde;
      } else {
        LayoutBygInfoBredder(ws);
      }
      OpretBygInfoBoern(ws);
      return 0;
    }
    case WM_SIZE:
      ws->Bredde = LOWORD(lParam);
      ws->Hoejde = HIWORD(lParam);
      Flyt(ws);
      Tegn(ws);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      VisBoern(ws);
      Tegn(ws);
      return 0;
    }
    case 1118:
      TegnBoernOgPanel(ws);
      return 0;
    case BRIKINFO_OPDATER:
    case DATA_AENDRET2:
      Flyt(ws);
      TegnBoernOgPanel(ws);
      return 0;
    case BYGINFO_WS:
      return reinterpret_cast<LRESULT>(ws);
    case WM_ERASEBKGND:
      return 0;
    case WM_DESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      std::free(ws);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND OpretBygInfoVindue(HWND ejer, int x, int y, int bredde, int hoejde, AVS *avs) {
  if (!avs) return 0;
  auto *ws = static_cast<BygInfoWS *>(std::calloc(1, sizeof(BygInfoWS)));
  if (!ws) return 0;
  ws->hInst = static_cast<HINSTANCE>(GetWindowLongPtrA(ejer, GWLP_HINSTANCE));
  ws->x = static_cast<uint32_t>(x);
  ws->y = static_cast<uint32_t>(y);
  ws->Bredde = static_cast<uint32_t>(std::max(bredde, 0));
  ws->Hoejde = static_cast<uint32_t>(std::max(hoejde, 0));
  ws->Art = kArt;
  ws->pAVS = avs;
  ws->AktLinjer = 5;
  ws->FagLinjer = 1;
  ws->MedLinjer = 5;
  ws->LokLinjer = 5;
  HWND h = CreateWindowExA(0, "BygInfoWndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y,
                           bredde, hoejde, ejer, 0, ws->hInst, ws);
  if (!h) std::free(ws);
  return h;
}
