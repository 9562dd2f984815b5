// The staff plan summary tile: each fill reads the open plan's figures for
// the current employment under the plan-data mutex (only tried: a plan job
// that holds it makes the tile try again shortly instead of waiting on the
// main thread) and first clears every part it does not write, so nothing
// of an employee or group shown before survives into the next.
#include "PlanMedOpg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "BESKEDER.h"
#include "DATO.h"
#include "FARVER.h"
#include "FONTE.h"
#include "KATALOG.h"
#include "MEDOPG.h"
#include "MEDOPGVIN.h"
#include "PLAN.h"
#include "PROGVINDUER.h"
#include "PlanTraad.h"
#include "RAMME.h"
#include "RECPRED.h"
#include "RELAY.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TABREG.h"
#include "VINDUER.h"

namespace {

constexpr int kKolonne = 43;     // a figure column, its line included
constexpr int kRudeBredde = 40;  // the pane inside it
constexpr int kRaekker = 4;      // the kinds of work above the total
constexpr int kHovedBaand = 14;
constexpr int kLinjeHoejde = 11; // the accounting line's row
constexpr uint8_t kTalFarve = 16;
constexpr uint8_t kGrund = 0;
constexpr uint32_t kLinjeArt = 51;
constexpr uint8_t kAnfoBogstav = 'M';
constexpr UINT_PTR kPrivIgen = 1;
constexpr UINT kPrivIgenMs = 200;

constexpr UINT kRelayNed = 1077, kRelayFlyt = 1047, kRelayForlad = 1048, kRelayHvil = 1049, kRelayDbl = 1078,
               kRelayTegn = 1079;

const char *const kRaekkeTekster[kRaekker] = {"Undervis.", "Rettearb.", "Eksamen", "\xD8v. tim."};

HFONT ProgramFont() { return StdFont ? StdFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }
HFONT RudeFont() { return TxtFont ? TxtFont : ProgramFont(); }

SIZE Maal(const char *tekst) {
  SIZE sz{0, 0};
  HDC dc = GetDC(0);
  if (!dc) return sz;
  HGDIOBJ gammel = SelectObject(dc, ProgramFont());
  GetTextExtentPoint32A(dc, tekst, static_cast<int>(std::strlen(tekst)), &sz);
  SelectObject(dc, gammel);
  ReleaseDC(0, dc);
  return sz;
}

int32_t Bredeste(std::initializer_list<const char *> tekster) {
  int32_t b = 0;
  for (const char *t : tekster) b = std::max<int32_t>(b, Maal(t).cx);
  return b;
}

int32_t TekstHoejde() { return Maal("Dummy").cy; }

PlanMedOpgWS *WS(HWND h) { return reinterpret_cast<PlanMedOpgWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

int RaekkeHoejde(const PlanMedOpgWS *ws) { return std::max(1, ws->Y[5] - ws->Y[4] - 1); }

void CalcLayout(PlanMedOpgWS *ws) {
  const int32_t h = TekstHoejde();
  int32_t *X = ws->X, *Y = ws->Y;
  X[0] = 2;
  X[1] = X[0] + CalcPlanMedOpgCol1Width() + 3;
  for (int k = 2; k <= 4; ++k) X[k] = X[k - 1] + kKolonne;
  X[5] = X[4] + CalcPlanMedOpgCol2Width() + 3;
  X[6] = X[5] + kKolonne;
  Y[0] = 2;
  Y[1] = Y[0] + kHovedBaand;
  Y[2] = Y[1] + h + 1;
  Y[3] = Y[2] + h + 1;
  Y[4] = Y[3] + kRaekker * h + 1;
  Y[5] = Y[4] + h + 1;
}

void FyldRude(PlanMedOpgWS *ws, int r) {
  if (!ws->hwndRude[r] || !ws->RudeDC[r].hdc) return;
  RECT rc;
  GetClientRect(ws->hwndRude[r], &rc);
  FillRectIfAny(ws->RudeDC[r].hdc, FarveBrush[kGrund], 0, 0, rc.right, rc.bottom);
}

void Tal(PlanMedOpgWS *ws, int rude, int raekke, float timer) {
  TegnMedOpgTal(&ws->RudeDC[rude], kTalFarve, kGrund, ws->TekstOffset + raekke * RaekkeHoejde(ws),
                MedOpgTusindedele(timer));
}

// A column of the four kinds of work and its total.
void Kolonne(PlanMedOpgWS *ws, int rude, const float (&v)[kRaekker], float ialt) {
  FyldRude(ws, rude);
  FyldRude(ws, rude + 1);
  for (int r = 0; r < kRaekker; ++r) Tal(ws, rude, r, v[r]);
  Tal(ws, rude + 1, 0, ialt);
}

void TegnPeriode(PlanMedOpgWS *ws, Dato fra, Dato til) {
  HDC dc = ws->dc.hdc;
  if (!dc) return;
  const int32_t *X = ws->X, *Y = ws->Y;
  FillRectIfAny(dc, FarveBrush[kGrund], X[0] + 1, Y[1] + 1, X[4], Y[2]);
  SetBkMode(dc, TRANSPARENT);
  const char *navn = "Planperiode:";
  TextOutA(dc, X[0] + 2, Y[1] + 1, navn, static_cast<int>(std::strlen(navn)));
  char tekst[32];
  const int n = std::snprintf(tekst, sizeof tekst, "%i-%i", static_cast<int>(fra), static_cast<int>(til));
  SIZE sz{0, 0};
  GetTextExtentPoint32A(dc, tekst, n, &sz);
  TextOutA(dc, std::max<int>(X[0] + 2, X[4] - 2 - sz.cx), Y[1] + 1, tekst, n);
}

// The employment's line of the accounting layout, the rest of its band on
// the background.
void TegnLinje(PlanMedOpgWS *ws, uint32_t anfo) {
  if (!ws->RudeDC[PMO_LINJE].hdc) return;
  if (!ObjSwitchLayout(kLinjeArt, kAnfoBogstav, 0)) {
    RydPlanMedOpg(ws, PMO_RYD_LINJE);
    return;
  }
  SwitchRaekkeValg v;
  v.hwnd = ws->hwnd;
  v.Hoejde = kLinjeHoejde;
  RECT rc;
  GetClientRect(ws->hwndRude[PMO_LINJE], &rc);
  const uint32_t layout = ObjSwitchBredde(kLinjeArt, kAnfoBogstav, 0);
  const uint32_t bredde = rc.right > 0 ? static_cast<uint32_t>(rc.right) : 0;
  v.RestBredde = bredde > layout ? bredde - layout : 0;
  TegnObjSwitchRaekke(&ws->RudeDC[PMO_LINJE], 0, 0, kGrund, kLinjeArt, kAnfoBogstav, 0, &tdanfo, &tvanfo, anfo, &v);
}

}  // namespace

int32_t CalcPlanMedOpgCol1Width() { return Bredeste({"Undervis.", "Rettearb.", "Eksamen", "Forventet"}); }

int32_t CalcPlanMedOpgCol2Width() { return Bredeste({"Norm ialt", "TavoPlan", "Udbetalt", "Resultat"}); }

int32_t CalcPlanMedOpgHeight(int32_t maksimum) { return std::min(maksimum, 8 * TekstHoejde() + 21); }

int32_t CalcPlanMedOpgWidth() { return CalcPlanMedOpgCol1Width() + CalcPlanMedOpgCol2Width() + 183; }

void RydPlanMedOpg(PlanMedOpgWS *ws, uint32_t dele) {
  if (!ws) return;
  ws->SidsteRyd = dele;
  if ((dele & PMO_RYD_PERIODE) && ws->dc.hdc)
    FillRectIfAny(ws->dc.hdc, FarveBrush[kGrund], ws->X[0] + 1, ws->Y[1] + 1, ws->X[4], ws->Y[2]);
  struct Del {
    uint32_t bit;
    int ruder[2];
  };
  static const Del dele_[] = {
      {PMO_RYD_PLAN, {PMO_PLAN, PMO_PLAN_IALT}},
      {PMO_RYD_LAEST, {PMO_LAEST, PMO_LAEST_IALT}},
      {PMO_RYD_DIFF, {PMO_DIFF, PMO_DIFF_IALT}},
      {PMO_RYD_LINJE, {PMO_LINJE, -1}},
      {PMO_RYD_REGNSKAB, {PMO_REGNSKAB, PMO_RESULTAT}},
  };
  for (const Del &d : dele_)
    if (dele & d.bit)
      for (int r : d.ruder)
        if (r >= 0) FyldRude(ws, r);
}

void FyldPlanMedOpg(PlanMedOpgWS *ws) {
  if (!ws || ws->Optaget) return;
  ws->Optaget = 1;
  ws->Anfo = tvanfo.AktuelRec;
  const HWND vindue = FindVindueType(static_cast<int>(kPlanVindueType));
  const Plan *plan =
      vindue ? reinterpret_cast<const Plan *>(SendMessageA(vindue, REL_PLAN_TILSTAND, 0, 0)) : nullptr;
  if (!plan) {
    RydPlanMedOpg(ws, PMO_RYD_ALT);
    ws->Optaget = 0;
    return;
  }
  PlanLaas laas(true);
  if (!laas.Taget()) {
    // A plan job is writing the figures: what is shown stays until it is done.
    SetTimer(ws->hwnd, kPrivIgen, kPrivIgenMs, nullptr);
    ws->Optaget = 0;
    return;
  }
  TegnPeriode(ws, plan->Fradato, plan->Tildato);
  const uint32_t anfo = ws->Anfo;
  const AnfoRec *a = anfo && anfo < tvanfo.wRecCnt ? TabRec<AnfoRec>(tvanfo, anfo) : nullptr;
  if (!a || a->Status == 0) {
    RydPlanMedOpg(ws, PMO_RYD_ALT & ~PMO_RYD_PERIODE);
    ws->Optaget = 0;
    return;
  }
  const float *t = (a->Status == 10 || a->Status == 30) && plan->PlanAnfoTab && anfo <= plan->PlanAnfoAntal
                       ? plan->PlanAnfoTab[anfo].PlanMedTal
                       : nullptr;
  if (!t) {
    RydPlanMedOpg(ws, PMO_RYD_PLAN | PMO_RYD_LAEST | PMO_RYD_DIFF | PMO_RYD_REGNSKAB);
  } else {
    const float planTal[kRaekker] = {t[8], t[9], t[10], t[12]};
    const float planIalt = t[8] + t[9] + t[10] + t[12];
    Kolonne(ws, PMO_PLAN, planTal, planIalt);
    const bool iPerioden = plan->Fradato >= SkemaPeriode.FraDato && plan->Tildato <= SkemaPeriode.TilDato &&
                           plan->Fradato != 0 && plan->Tildato != 0;
    if (iPerioden) {
      const float laest[kRaekker] = {t[0], t[1], t[2], t[3] + t[4] + t[5]};
      const float laestIalt = t[0] + t[1] + t[2] + t[3] + t[4] + t[5] + t[7];
      float diff[kRaekker];
      for (int r = 0; r < kRaekker; ++r) diff[r] = laest[r] - planTal[r];
      Kolonne(ws, PMO_LAEST, laest, laestIalt);
      Kolonne(ws, PMO_DIFF, diff, laestIalt - planIalt);
      RydPlanMedOpg(ws, PMO_RYD_REGNSKAB);
    } else {
      RydPlanMedOpg(ws, PMO_RYD_LAEST | PMO_RYD_DIFF | PMO_RYD_LINJE | PMO_RYD_REGNSKAB);
    }
  }
  TegnLinje(ws, anfo);
  ws->Optaget = 0;
}

void TegnPlanMedOpg(PlanMedOpgWS *ws) {
  if (!ws || !ws->dc.hdc) return;
  CalcLayout(ws);
  HDC dc = ws->dc.hdc;
  RECT rc;
  GetClientRect(ws->hwnd, &rc);
  const int W = rc.right, H = rc.bottom;
  const int32_t *X = ws->X, *Y = ws->Y;
  const int h = RaekkeHoejde(ws);

  // The window takes no background erase: its painting covers every pixel.
  FillRectIfAny(dc, FarveBrush[kGrund], 2, 2, W - 2, H - 2);
  DrawFrame3D(dc, 0, 0, W - 1, H - 1, 1);
  FillFrameSys(dc, COLOR_BTNFACE, 1, 1, 2, 2, W - 2, H - 2, W - 1, H - 1);

  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
  HGDIOBJ gammel = SelectObject(dc, pen);
  auto Linje = [dc](int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
  };
  for (int i = 0; i <= 4; ++i) Linje(X[0], Y[i], X[6], Y[i]);
  Linje(X[0], Y[5], X[6] + 1, Y[5]);
  Linje(X[0], Y[0], X[0], Y[5]);
  Linje(X[6], Y[0], X[6], Y[5]);
  for (int k : {1, 2, 3, 5}) Linje(X[k], Y[2], X[k], Y[5]);
  Linje(X[4], Y[1], X[4], Y[5]);
  SelectObject(dc, gammel);
  DeleteObject(pen);

  SetBkMode(dc, TRANSPARENT);
  auto Tekst = [dc](int x, int y, const char *t) { TextOutA(dc, x, y, t, static_cast<int>(std::strlen(t))); };
  const char *const hoved[] = {"Plan", "L\xE6st", "Diff."};
  for (int k = 1; k <= 3; ++k) Tekst(X[k] + 2, Y[2] + 1, hoved[k - 1]);
  for (int r = 0; r < kRaekker; ++r) Tekst(X[0] + 2, Y[3] + 1 + r * h, kRaekkeTekster[r]);
  Tekst(X[0] + 2, Y[4] + 1, "Ialt");
  Tekst(X[0] + 2, Y[1] + 1, "Planperiode:");
  for (int r = 0; r < kPlanMedOpgRuder; ++r) FyldRude(ws, r);
}

LRESULT CALLBACK PlanMedOpgWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  PlanMedOpgWS *ws = WS(hwnd);
  switch (msg) {
    case WM_CREATE: {
      auto *cs = reinterpret_cast<CREATESTRUCTA *>(lParam);
      ws = static_cast<PlanMedOpgWS *>(cs->lpCreateParams);
      if (!ws) return 0;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
      ws->hwnd = hwnd;
      ws->hwndParent = cs->hwndParent;
      SelectDCPalette(hwnd, &ws->dc, ProgramFont());
      SetBkColor(ws->dc.hdc, FarveTab[kGrund]);
      SetTextColor(ws->dc.hdc, GetSysColor(COLOR_3DDKSHADOW));
      const int32_t h = TekstHoejde();
      ws->TekstOffset = h >= 12 ? (h - 10) / 2 : 0;
      CalcLayout(ws);
      const int32_t *X = ws->X, *Y = ws->Y;
      struct Celle {
        int x, y, b, h;
      };
      Celle celler[kPlanMedOpgRuder];
      const int koler[4] = {1, 2, 3, 5};
      for (int i = 0; i < 4; ++i) {
        const int x = X[koler[i]] + 2;
        celler[2 * i] = {x, Y[3] + 1, kRudeBredde, Y[4] - Y[3] - 1};
        celler[2 * i + 1] = {x, Y[4] + 1, kRudeBredde, Y[5] - Y[4] - 1};
      }
      celler[PMO_LINJE] = {X[0] + 1, Y[0] + 1, X[6] - X[0] - 1, Y[1] - Y[0] - 1};
      for (int r = 0; r < kPlanMedOpgRuder; ++r) {
        const Celle &c = celler[r];
        auto *info = static_cast<DummyInfo *>(std::calloc(1, sizeof(DummyInfo)));
        if (!info) continue;
        *info = DummyInfo{nullptr, hwnd, kRelayNed, kRelayFlyt, kRelayForlad, kRelayHvil, kRelayDbl, kRelayTegn};
        HWND rude = CreateWindowExA(0, "DummyWndClass", "", WS_CHILD | WS_CLIPSIBLINGS, c.x, c.y, c.b, c.h, hwnd, 0,
                                    0, info);
        if (!rude) {
          std::free(info);
          continue;
        }
        ws->hwndRude[r] = rude;
        ShowWindow(rude, SW_SHOW);
        SelectDCPalette(rude, &ws->RudeDC[r], RudeFont());
      }
      ws->Anfo = ws->SidstAnfo = 0;
      ws->Uge = ws->SidstUge = 0;
      return 0;
    }
    case WM_DESTROY:
      KillTimer(hwnd, kPrivIgen);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      std::free(ws);
      return 0;
  }
  if (!ws) return DefWindowProcA(hwnd, msg, wParam, lParam);

  switch (msg) {
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      TegnPlanMedOpg(ws);
      FyldPlanMedOpg(ws);
      return 0;
    }
    case WM_TIMER:
      if (wParam == kPrivIgen) {
        KillTimer(hwnd, kPrivIgen);
        FyldPlanMedOpg(ws);
        return 0;
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && GetKeyState(VK_CONTROL) < 0) {
        SendMessageA(ws->hwndParent, ELEMENT_LUK, 0, static_cast<LPARAM>(hwnd));
        return 0;
      }
      break;
    case AKTUEL_AENDRET:
    case DATA_AENDRET: {
      // The tile is only ever shown beside the window that moves the
      // current employee, so it follows every change whether it is the
      // active cell or not; a change during its own fill waits.
      if (ws->Optaget) break;
      Uge uge = 0;
      uint8_t dag = 0;
      if (SkemaPeriode.AktuelDato) DatoTilUge(SkemaPeriode.AktuelDato, &uge, &dag);
      ws->Uge = uge;
      ws->Anfo = tvanfo.AktuelRec;
      if (ws->Uge != ws->SidstUge || ws->Anfo != ws->SidstAnfo) {
        ws->SidstUge = ws->Uge;
        ws->SidstAnfo = ws->Anfo;
      }
      FyldPlanMedOpg(ws);
      break;
    }
    case VINDUE_AKTIVER:
      ws->Aktiv = 1;
      SendMessageA(ws->hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(hwnd));
      break;
    case VINDUE_AKTIVER_STILLE:
    case VINDUE_SAET_AKTIV:
      ws->Aktiv = 1;
      break;
    case VINDUE_DEAKTIVER:
      ws->Aktiv = 0;
      SendMessageA(ws->hwndParent, ENS_BLEV_INAKTIV, 0, static_cast<LPARAM>(hwnd));
      break;
    case VINDUE_ART:
      return kPlanOpgType;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreatePlanMedOpgWnd(HWND parent, int x, int y) {
  auto *ws = static_cast<PlanMedOpgWS *>(std::calloc(1, sizeof(PlanMedOpgWS)));
  if (!ws) return 0;
  HWND h = CreateWindowExA(0, "PlanMedOpgWndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y,
                           CalcPlanMedOpgWidth(), CalcPlanMedOpgHeight(0x7FFF), parent,
                           static_cast<HMENU>(kPlanOpgType), 0, ws);
  // WM_CREATE never fails, so a window that was not made never took the
  // workspace.
  if (!h) std::free(ws);
  return h;
}
