// The status window. The figures are sums over the group's active learning
// activities weighted by their lessons (weeks in a week group); the two
// quotients are computed in 32-bit floats and are 0 where the divisor is.
#include "ELEVSTAT.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ARRANGER.h"
#include "BESKEDER.h"
#include "ELEVPLANVIN.h"
#include "ELEVTAB.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "KALENDER.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "SWITCHTEGN.h"
#include "TASTINFO.h"
#include "TAVOTB.h"
#include "VINDUER.h"

namespace {

constexpr const char *kKlasse = "ElevStatWndClass";
constexpr int kMindsteBredde = 150, kMindsteHoejde = 120;

int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }

ElevStatWS *Ws(HWND h) { return h ? reinterpret_cast<ElevStatWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)) : nullptr; }

int Begraens(int64_t oenske, int mindst, int graense) {
  const int64_t v = std::max<int64_t>(oenske, mindst);
  return v >= graense ? graense : static_cast<int>(v);
}

void SaetAktiv(ElevStatWS *ws, uint8_t aktiv) { ws->ens.Aktiv = ws->ens.CaptionAktiv = aktiv; }

void Tegn(ElevStatWS *ws) {
  EnsPaintFrame(&ws->ens);
  TegnElevStatus(ws);
}

void Nedlaeg(HWND h, ElevStatWS *ws) {
  VinduesListeFjern(h);
  if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(h));
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  free(ws);
}

void Opret(HWND h, ElevStatWS *ws) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  ws->hwnd = h;
  Ens &e = ws->ens;
  e.hwndParent = GetParent(h);
  e.hInstance = hInst;
  e.EgenRamme = 1;
  std::snprintf(e.Titel, sizeof e.Titel, "%s", " Status vindue");
  e.hdc = GetDC(h);
  ws->TekstDC = EnsDC{e.hdc, kIngenFarve, kIngenFarve};
  if (TxtFont) SelectObject(e.hdc, TxtFont);
  RECT rc;
  GetClientRect(h, &rc);
  e.Areal[0] = CxFrame();
  e.Areal[1] = CyFrame() + GetSystemMetrics(SM_CYCAPTION);
  e.Areal[2] = rc.right - 1 - CxFrame();
  e.Areal[3] = rc.bottom - 1 - CyFrame();
  static const uint32_t ids[3] = {NYB_LUK, NYB_MAKSIMER, NYB_MINIMER};
  static const int dx[3] = {18, 36, 52};
  HWND *knap[3] = {&e.hwndLuk, &e.hwndMaks, &e.hwndMin};
  for (int i = 0; i < 3; ++i) {
    *knap[i] = CreateNyButtonWnd(hInst, h, h, ids[i], ids[i], ids[i] | NYB_KAPTION_STOR, e.Areal[2] - dx[i],
                                 CyFrame() + 2, 16, 14, "", "");
    if (*knap[i]) ShowWindow(*knap[i], SW_SHOW);
  }
  VinduesListeTilfoej(h);
  if (e.hwndParent && SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) {
    SaetAktiv(ws, 1);
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(h));
  }
}

void Aktiver(HWND h, ElevStatWS *ws, WPARAM wParam) {
  if (!ws->ens.Aktiv) {
    SaetAktiv(ws, 1);
    VinduesListeTilTop(h);
    BringWindowToTop(h);
    SendMessageA(ws->ens.hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(h));
    if (Ws(h) != ws) return;
  }
  Tegn(ws);
}

void Knap(HWND h, ElevStatWS *ws, LPARAM vaerdi) {
  switch (vaerdi) {
    case NYB_MINIMER:
      EnsMinimize(h, &ws->ens);
      return;
    case NYB_LUK:
      DestroyWindow(h);
      return;
    case NYB_MAKSIMER:
      EnsMaximize(h, &ws->ens);
      return;
  }
}

}  // namespace

ElevStatTal BeregnElevStatus(const ElevPlanWS *ws) {
  ElevStatTal t{};
  const uint32_t tg = AktuelTg(ws);
  t.UgeMode = tg && TgRecNr(tg)->UgeLektionsGruppe == 'U';
  t.Slots = ws->PpAntal;
  t.Aktiviteter = ws->LaAntal;
  t.E0 = ws->ElevAntal;
  for (uint32_t k = 1; k <= ws->LaAntal; ++k) {
    const LaRec &l = ElevRef(LaRecNr, ws->LaTab[k]);
    if (l.aktiv == 0) continue;
    const uint32_t w = ws->LaLektioner ? ws->LaLektioner[k] : 0;
    t.A += w;
    if (l.dubletnr == 1) {
      t.W1 += l.onske_prio_1 * w;
      t.W2 += l.onske_prio_2 * w;
    }
    t.P1 += l.akt_prio_1 * w;
    t.P2 += l.akt_prio_2 * w;
    t.P3 += l.akt_prio_3 * w;
  }
  uint32_t spaerret = 0;
  if (ws->ElevSpaerring.Data)
    for (uint32_t s = 1; s <= ws->ElevSpaerring.Raekker; ++s)
      for (uint32_t c = 1; c <= ws->ElevSpaerring.Kolonner; ++c) spaerret += ws->ElevSpaerring(s, c) == 1;
  t.E = ws->ElevAntal * ws->PpAntal - spaerret;
  t.PrSlot = ws->PpAntal ? static_cast<float>(t.A) / static_cast<float>(ws->PpAntal) : 0.0f;
  t.Kvotient = t.A ? static_cast<float>(t.E0) * static_cast<float>(ws->PpAntal) / static_cast<float>(t.A) : 0.0f;
  return t;
}

std::vector<ElevStatLinje> ElevStatLinjer(const ElevStatTal &t) {
  std::vector<ElevStatLinje> v;
  char b[80];
  auto linje = [&](int y) { v.push_back({y, b}); };
  const bool u = t.UgeMode;
  auto l = [](uint32_t x) { return static_cast<long>(x); };
  std::snprintf(b, sizeof b, "%s", u ? "Status (UgeMode)" : "Status (LektionsMode)");
  linje(5);
  std::snprintf(b, sizeof b, u ? "Uger                 : %5ld" : "Lektioner            : %5ld", l(t.Slots));
  linje(21);
  std::snprintf(b, sizeof b, "Aktiviteter          : %5ld", l(t.Aktiviteter));
  linje(33);
  std::snprintf(b, sizeof b, u ? "Aktivitsuger         : %5ld" : "Aktivitslektioner    : %5ld", l(t.A));
  linje(45);
  std::snprintf(b, sizeof b, u ? "Aktiviteter pr. uge  : %5.2f" : "Aktiviteter pr. lek  : %5.2f",
                static_cast<double>(t.PrSlot));
  linje(57);
  std::snprintf(b, sizeof b, "Antal elever         : %5ld", l(t.E0));
  linje(69);
  std::snprintf(b, sizeof b, "Gns. klassekvotient  : %5.2f", static_cast<double>(t.Kvotient));
  linje(81);
  std::snprintf(b, sizeof b, u ? "Elev uger            : %5ld" : "Elev lektioner       : %5ld", l(t.E));
  linje(93);
  std::snprintf(b, sizeof b, "%s", "                  Ønske Opfyldt");
  linje(112);
  std::snprintf(b, sizeof b, "1. prioritet      %5ld   %5ld", l(t.W1), l(t.P1));
  linje(129);
  std::snprintf(b, sizeof b, "2. prioritet      %5ld   %5ld", l(t.W2), l(t.P2));
  linje(142);
  std::snprintf(b, sizeof b, "1+2. prioritet    %5ld   %5ld", l(t.W1 + t.W2), l(t.P1 + t.P2));
  linje(155);
  std::snprintf(b, sizeof b, "Placeret (3)              %5ld", l(t.P3));
  linje(168);
  const long placeret = l(t.P1) + l(t.P2) + l(t.P3);
  std::snprintf(b, sizeof b, "Resultat %5ld %5ld %5ld        ", l(t.E), placeret, l(t.E) - placeret);
  linje(186);
  return v;
}

void TegnElevStatus(ElevStatWS *ws) {
  Ens &e = ws->ens;
  if (!e.hdc || !ws->Plan || e.Tilstand == 2) return;
  // A planning window that has gone took its workspace along.
  if (!IsWindow(ws->PlanVindue) || ElevPlanVinduesWS(ws->PlanVindue) != ws->Plan) return;
  const int x0 = e.Areal[0] + 2, y0 = e.Areal[1] + 2;
  const int bredde = std::max(0, e.Areal[2] - 1 - x0);
  static const int kStriber[][2] = {{0, 5},     {16, 21},   {32, 33},   {44, 45},   {56, 57},
                                    {68, 69},   {80, 81},   {92, 93},   {104, 112}, {123, 129},
                                    {140, 142}, {153, 155}, {166, 168}, {179, 186}, {197, 205}};
  for (const auto &s : kStriber) FillRectSys(e.hdc, COLOR_BTNFACE, x0, y0 + s[0], x0 + bredde, y0 + s[1]);
  ws->TekstDC.hdc = e.hdc;
  int i = 0;
  for (const ElevStatLinje &l : ElevStatLinjer(BeregnElevStatus(ws->Plan))) {
    // The first eight lines reach across the window; the wish lines and
    // their header are cells of their own.
    const int efter = i++ < 8 ? bredde : 8;
    TegnTekstCelle(&ws->TekstDC, x0, y0 + l.y, 0, 16, l.tekst.c_str(), 0, efter);
  }
}

int ElevStatBredde(int graense) {
  char b[40];
  const int L = std::snprintf(b, sizeof b, "1. prioritet      %5ld   %5ld", 1L, 3L);
  return Begraens(2 * (int64_t{CxFrame()} + 2 + 4 * (L + 2)), kMindsteBredde, graense);
}

int ElevStatHoejde(int graense) {
  return Begraens(int64_t{GetSystemMetrics(SM_CYCAPTION)} + 2 * CyFrame() + 209, 100, graense);
}

LRESULT CALLBACK ElevStatWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<ElevStatWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    Opret(h, ws);
    return 0;
  }
  ElevStatWS *ws = Ws(h);
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
      Tegn(ws);
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        e.Areal[2] = LOWORD(lParam) - 1 - CxFrame();
        e.Areal[3] = HIWORD(lParam) - 1 - CyFrame();
        const int y = (GetSystemMetrics(SM_CYCAPTION) - 14) / 2 + CyFrame();
        if (e.hwndLuk) MoveWindow(e.hwndLuk, e.Areal[2] - 18, y, 16, 14, TRUE);
        if (e.hwndMaks) MoveWindow(e.hwndMaks, e.Areal[2] - 36, y, 16, 14, TRUE);
        if (e.hwndMin) MoveWindow(e.hwndMin, e.Areal[2] - 52, y, 16, 14, TRUE);
        Tegn(ws);
      }
      return 0;
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &e, lParam);
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
    case WM_ENTERSIZEMOVE:
      ws->Flyttes = 1;
      break;
    case WM_EXITSIZEMOVE:
      ws->Flyttes = 0;
      Tegn(ws);
      break;
    case WM_SIZING:
      EnsOnSizing(reinterpret_cast<RECT *>(lParam), static_cast<UINT>(wParam), kMindsteBredde,
                  ElevStatBredde(INT32_MAX), kMindsteHoejde, ElevStatHoejde(INT32_MAX));
      return TRUE;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case WM_MOUSELEAVE:
      SetCursor(LoadCursorA(0, IDC_ARROW));
      return 0;
    case ENS_BREDDE:
      return ElevStatBredde(static_cast<int>(wParam));
    case ENS_HOEJDE:
      return ElevStatHoejde(static_cast<int>(wParam));
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case VINDUE_ART:
      return kElevStatType;
    case NYB_KLIK:
      Knap(h, ws, lParam);
      return 0;
    case ELEVLISTE_LUK:
      DestroyWindow(h);
      return 0;
    case AKTUEL_AENDRET:
      if ((e.Tilstand == 2 && wParam == 0) || ws->Flyttes) return 0;
      TegnElevStatus(ws);
      return 0;
    case ENS_CELLER_TEGN:
      TegnElevStatus(ws);
      return 0;
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
      Aktiver(h, ws, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      SaetAktiv(ws, 0);
      Tegn(ws);
      return 0;
    case VINDUE_TEGN_MED: {
      const uint8_t aktiv = e.Aktiv;
      SaetAktiv(ws, wParam ? 1 : 0);
      Tegn(ws);
      SaetAktiv(ws, aktiv);
      return 0;
    }
    case TAST_SPOERG:
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      MakeTastInfo(&t, msg, wParam, lParam);
      if (t.wParam == VK_F4 && t.ctrl) {
        SendMessageA(e.hwndParent, ELEMENT_LUK, 0, static_cast<LPARAM>(h));
        return 0;
      }
      TegnElevStatus(ws);
      return 0;
    }
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

HWND CreateElevStatWnd(HWND desktop, int venstre, int top, int hoejre, int bund) {
  const HWND plan = FindVindueType(kElevPlanType);
  if (!plan) return 0;
  auto *planWs = reinterpret_cast<ElevPlanWS *>(SendMessageA(plan, ELEVPLAN_HENT_WS, 0, 0));
  if (!planWs) return 0;
  auto *ws = static_cast<ElevStatWS *>(calloc(1, sizeof(ElevStatWS)));
  if (!ws) return 0;
  ws->Plan = planWs;
  ws->PlanVindue = plan;
  ws->Bogstav = 'K';
  const int b = ElevStatBredde(std::max(hoejre - venstre, 0));
  const int h = ElevStatHoejde(std::max(bund - top, 0));
  HWND hwnd = CreateWindowExA(0, kKlasse, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, venstre, top, b, h,
                              desktop, static_cast<HMENU>(kElevStatType), hInst, ws);
  if (!hwnd) {
    if (!ws->hwnd) free(ws);
    return 0;
  }
  return hwnd;
}

bool RegistrerElevStatKlasse(HINSTANCE inst) {
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = ElevStatWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = kKlasse;
  return RegisterClassA(&wc) != 0;
}

void AfregistrerElevStatKlasse(HINSTANCE inst) { UnregisterClassA(kKlasse, inst); }
