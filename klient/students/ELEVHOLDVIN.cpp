// The activity window. The rows are student record numbers; the cells are
// written by the list columns, which take workspace positions, so a row's
// student is turned into its position in ElevTab when painted. The
// planning workspace belongs to the planning window: every use goes through
// Plan(), which answers null once that window has closed.
#include "ELEVHOLDVIN.h"

#include <algorithm>
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

constexpr const char *kKlasse = "ElevHoldWndClass";
constexpr const char *kTitel = " Aktivitet vindue";
constexpr uint32_t kStatusKode = 11;
constexpr WPARAM kAktivitetTom = 200;

int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }
int CyCaption() { return GetSystemMetrics(SM_CYCAPTION); }

ElevHoldWS *Ws(HWND h) {
  return h ? reinterpret_cast<ElevHoldWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)) : nullptr;
}

ElevPlanWS *Plan(ElevHoldWS *ws) {
  ElevPlanWS *p = LevendePlanWS(ws->PlanVindue, ws->Plan);
  ws->Liste.PlanWS = p;
  return p;
}

uint8_t AntalSkift(const ElevHoldWS *ws) { return static_cast<uint8_t>(std::min<uint32_t>(ws->Liste.AntalLayouts, 9)); }

// The shown activity's position in the workspace's LaTab (what the list
// columns take), 0 when none is shown.
uint32_t LaListePos(ElevHoldWS *ws) {
  ElevPlanWS *p = Plan(ws);
  if (!p || ws->LaPos.Aktuel == 0 || ws->LaPos.Aktuel > p->LaAntal || !p->LaVisTab) return 0;
  return LaPosition(p, p->LaVisTab[ws->LaPos.Aktuel]);
}

uint32_t VistLa(ElevHoldWS *ws) {
  ElevPlanWS *p = Plan(ws);
  if (!p || ws->LaPos.Aktuel == 0 || ws->LaPos.Aktuel > p->LaAntal || !p->LaVisTab) return 0;
  return p->LaVisTab[ws->LaPos.Aktuel];
}

uint32_t RaekkeElev(const ElevHoldWS *ws, uint32_t r) {
  const ElevListeTilstand &l = ws->Liste;
  return l.Raekker && r >= 1 && r <= l.RaekkeAntal ? l.Raekker[r] : 0;
}

void RaekkeVaerdier(void *ejer, uint32_t r, uint32_t *v1, uint32_t *v2) {
  auto *ws = static_cast<ElevHoldWS *>(ejer);
  *v1 = LaListePos(ws);
  *v2 = ws->Liste.PlanWS ? ElevPosition(ws->Liste.PlanWS, RaekkeElev(ws, r)) : 0;
}

void SaetAkser(ElevHoldWS *ws) {
  Ens &e = ws->ens;
  // The column axis counts pixels over the layout's width.
  e.AkseX = GridAkse{0, 1, 1, 0, 0};
  e.AkseY = GridAkse{0, kElevListeRaekke - 1, 1, 0, 1};
  ws->KolPos.Antal = std::max<uint32_t>(1, ObjSwitchBredde(ELEVHOLD_ART, ws->Bogstav, ws->Liste.ValgtLayout));
  if (ws->KolPos.Aktuel == 0) ws->KolPos.Aktuel = 1;
  if (ElevPlanWS *p = Plan(ws)) ws->LaPos.Antal = p->LaAntal;
  ws->LaPos.Synlige = std::max<uint32_t>(ws->LaPos.Antal, 1);
}

void ByggOgTegn(void *ejer) {
  auto *ws = static_cast<ElevHoldWS *>(ejer);
  ByggElevHoldRaekker(ws);
  ElevHoldScroll(ws, ELEVLISTE_TEGN_ALT, 0);
}

// What the caller's limits allow the window to grow to on the desktop.
int FuldBredde(ElevHoldWS *ws) {
  RECT pr{0, 0, 0, 0};
  GetClientRect(GetParent(ws->hwnd), &pr);
  return ElevHoldBredde(&ws->Liste, std::max<int>(0, pr.right - pr.left));
}
int FuldHoejde(ElevHoldWS *ws) {
  RECT pr{0, 0, 0, 0};
  GetClientRect(GetParent(ws->hwnd), &pr);
  return ElevHoldHoejde(&ws->Liste, std::max<int>(0, pr.bottom - pr.top));
}

void Opret(HWND h, ElevHoldWS *ws) {
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
  e.RaekkeHovedBredde = 0;
  const uint8_t antalSkift = AntalSkift(ws);
  e.SkiftBredde = static_cast<uint32_t>(antalSkift * GetSystemMetrics(SM_CXVSCROLL));

  ElevListeTilstand &l = ws->Liste;
  l.ens = &e;
  l.hwnd = h;
  l.Vindue = ELEVLISTE_HOLD;
  l.Bogstav = ws->Bogstav;
  l.ListeArt = ELEVHOLD_ART;
  l.ByggOgTegn = ByggOgTegn;
  l.Ejer = ws;
  SaetAkser(ws);

  e.hdc = GetDC(h);
  ws->RammeDC = EnsDC{e.hdc, kIngenFarve, kIngenFarve};
  if (TxtFont) SelectObject(e.hdc, TxtFont);
  RECT rc;
  GetClientRect(h, &rc);
  e.Areal[0] = CxFrame();
  e.Areal[1] = CyCaption() + kElevListeKaption + CyFrame();
  e.Areal[2] = rc.right - 1 - CxFrame();
  e.Areal[3] = rc.bottom - 1 - CyFrame();
  EnsCalcLayout(&e);
  e.hwndSwitchButtons = static_cast<HWND *>(calloc(antalSkift + 1u, sizeof(HWND)));
  EnsCreateChildren(&e, h, antalSkift, nullptr, TxtFont, false, true, nullptr);
  if (e.hwndSwitchButtons && l.ValgtLayout < antalSkift && e.hwndSwitchButtons[l.ValgtLayout])
    SendMessageA(e.hwndSwitchButtons[l.ValgtLayout], NYB_LAAS_NED, 0, 0);
  OpretSorterKnapperHold(&l);

  TagAktuelLa(ws);
  ByggElevHoldRaekker(ws);

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
    if (ElevPlanWS *p = Plan(ws)) p->SidstAktiv = ELEVLISTE_HOLD;
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, hl);
  }
  e.CaptionAktiv = e.Aktiv;
}

void Nedlaeg(HWND h, ElevHoldWS *ws) {
  VinduesListeFjern(h);
  if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(h));
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  SletSorterKnapper(&ws->Liste);
  free(ws->ens.hwndSwitchButtons);
  free(ws->Liste.Raekker);
  free(ws);
}

// Activation by message 1100 (tell the parent) or 1135 (quietly).
void Aktiver(HWND h, ElevHoldWS *ws, UINT msg, WPARAM wParam) {
  Ens &e = ws->ens;
  e.CaptionAktiv = 1;
  ElevPlanWS *p = Plan(ws);
  if (p) {
    p->SidstAktiv = ELEVLISTE_HOLD;
    ws->LaPos.Aktuel = FindObjIdx(p->LaVisTab, p->LaAntal, tvla.AktuelRec);
  }
  if (!e.Aktiv) {
    TagAktuelLa(ws);
    e.Aktiv = 1;
    VinduesListeTilTop(h);
    BringWindowToTop(h);
    if (msg == VINDUE_AKTIVER) SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam ? wParam : 1, static_cast<LPARAM>(h));
    if (Ws(h) != ws) return;
    ElevHoldScroll(ws, ELEVLISTE_TEGN_ALT, 0);
  }
  EnsPaintFrame(&e);
}

bool MaaAktiveres(HWND h, ElevHoldWS *ws) {
  return SendMessageA(ws->ens.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h)) != 0;
}

void Klik(HWND h, ElevHoldWS *ws, UINT msg, LPARAM lParam) {
  Ens &e = ws->ens;
  if (!e.Aktiv) {
    if (MaaAktiveres(h, ws)) SendMessageA(h, VINDUE_AKTIVER, 1, 0);
    return;
  }
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  int flag = 0;
  if (msg != ENS_RAEKKEHOVED_NED) {
    const int64_t px = std::max<int64_t>(0, int64_t{x} + e.ScrollX);
    ws->KolPos.Aktuel = std::clamp<uint32_t>(static_cast<uint32_t>(px) + 1, 1, ws->KolPos.Antal);
    flag |= ELEVLISTE_TEGN_KOLONNE;
  }
  if (msg != ENS_KOLHOVED_NED && ws->Liste.RaekkeAntal) {
    ws->Liste.RaekkePos.Aktuel = ElevListeRaekkeVedY(&ws->Liste, y);
    flag |= ELEVLISTE_TEGN_RAEKKE;
  }
  ElevHoldScroll(ws, flag, 0);
}

// Message 1054 from another window.
void Foelg(ElevHoldWS *ws, WPARAM wParam) {
  if (ws->ElementTegning) return;
  if (wParam == 0 && ws->ens.Aktiv) return;
  ElevPlanWS *p = Plan(ws);
  if (!p) return;
  if (p->SidstAktiv == 3) {
    if (ws->LaPos.Aktuel == 0) return;
    ws->LaPos.Aktuel = 0;
    ElevHoldScroll(ws, ELEVLISTE_TEGN_ALT, kAktivitetTom);
    return;
  }
  if (tvtg.AktuelRec == ws->ByggetTg) {
    ws->LaPos.Aktuel = FindObjIdx(p->LaVisTab, p->LaAntal, tvla.AktuelRec);
    if (ws->LaPos.Aktuel == ws->ByggetLa) {
      ElevHoldScroll(ws, static_cast<int>(wParam & 0xFF), 0);
      return;
    }
  }
  TagAktuelLa(ws);
  ByggElevHoldRaekker(ws);
  ElevHoldScroll(ws, ELEVLISTE_TEGN_ALT, 0);
}

// The planning window rebuilt its workspace.
void DataAendret(ElevHoldWS *ws) {
  TagAktuelLa(ws);
  ByggElevHoldRaekker(ws);
  ElevHoldScroll(ws, ELEVLISTE_TEGN_ALT, 0);
}

void Tast(HWND h, ElevHoldWS *ws, UINT msg, WPARAM wParam, LPARAM lParam) {
  TastInfo t;
  MakeTastInfo(&t, msg, wParam, lParam);
  int flag = 0;
  WPARAM udsend = 0;
  ElevHoldTastKmd(ws, t, 2, &flag, &udsend);
  if (IsWindow(h) && Ws(h) == ws) ElevHoldScroll(ws, flag, udsend);
}

}  // namespace

ElevHoldWS *ElevHoldVinduesWS(HWND hwnd) { return Ws(hwnd); }

void TagAktuelLa(ElevHoldWS *ws) {
  ElevPlanWS *p = Plan(ws);
  const uint32_t antal = p ? p->LaAntal : 0;
  ws->LaPos.Antal = antal;
  ws->LaPos.Synlige = std::max<uint32_t>(antal, 1);
  uint32_t a = p ? FindObjIdx(p->LaVisTab, antal, tvla.AktuelRec) : 0;
  if (a == 0 && antal) a = 1;
  ws->LaPos.Aktuel = a;
  ws->LaFoer = a;
  ws->ByggetTg = tvtg.AktuelRec;
}

void ByggElevHoldRaekker(ElevHoldWS *ws) {
  ElevListeTilstand &l = ws->Liste;
  ElevPlanWS *p = Plan(ws);
  const uint32_t antal = p && p->ElevTab ? p->ElevAntal : 0;
  auto *ny = static_cast<uint32_t *>(calloc(antal + 1u, sizeof(uint32_t)));
  if (!ny) return;
  if (antal) std::memcpy(ny + 1, p->ElevTab + 1, antal * sizeof(uint32_t));
  free(l.Raekker);
  l.Raekker = ny;
  l.RaekkeAntal = antal;
  l.RaekkePos.Antal = antal;
  ws->ByggetLa = ws->LaPos.Aktuel;
  SorterElevListe(&l, LaListePos(ws));
  uint32_t r = 0;
  if (antal) r = l.StatusSort ? 1 : FindObjIdx(l.Raekker, antal, tvelev.AktuelRec);
  l.RaekkePos.Aktuel = r;
  ws->RaekkeFoer = r;
}

void TegnElevHoldHoved(ElevHoldWS *ws) {
  Ens &e = ws->ens;
  if (!e.hdc) return;
  EnsPaintCaption(&e);
  const int x = e.Areal[0], y = CyFrame() + kElevListeKaption;
  const int bredde = static_cast<int>(ObjSwitchBredde(ELEVHOLD_HOVED_ART, ws->Bogstav, ws->HovedValgt));
  const int rest = std::max(0, e.Areal[2] + 1 - x - bredde);
  ws->RammeDC.hdc = e.hdc;
  FillRectSys(e.hdc, COLOR_BTNFACE, x, y, e.Areal[2] + 1, e.Areal[1]);
  const uint32_t a = LaListePos(ws);
  if (a)
    TegnElevRaekke(ElevListeFeltTekst, &ws->Liste, &ws->RammeDC, x, y + 2, 0, ELEVHOLD_HOVED_ART, ws->Bogstav,
                   ws->HovedValgt, a, 0, 0, 1, 1, rest);
}

void TegnElevHoldRaekker(ElevHoldWS *ws, uint32_t fra, uint32_t til) {
  Plan(ws);
  ElevListeTegnRaekker(&ws->Liste, RaekkeVaerdier, ws, fra, til);
}

void OpdaterElevHoldRaekker(ElevHoldWS *ws, int flag) {
  ElevListeTilstand &l = ws->Liste;
  if (flag & (ELEVLISTE_TEGN_ALT | ELEVLISTE_TEGN_RULLET)) {
    ElevListeLayKnapper(&l);
    uint32_t fra, til;
    ElevListeSynligeRaekker(&l, &fra, &til);
    TegnElevHoldRaekker(ws, fra, til);
  } else if (flag & ELEVLISTE_TEGN_RAEKKE) {
    if (ws->RaekkeFoer != l.RaekkePos.Aktuel) TegnElevHoldRaekker(ws, ws->RaekkeFoer, ws->RaekkeFoer);
    TegnElevHoldRaekker(ws, l.RaekkePos.Aktuel, l.RaekkePos.Aktuel);
  }
}

void TegnElevHoldHjoerne(ElevHoldWS *ws) {
  Ens &e = ws->ens;
  if (HDC v = e.dc[ENSDC_HJOERNE_V].hdc) FillRectIfAny(v, FarveBrush[0], 0, 0, e.HjoerneB[0], e.HjoerneH[0]);
  if (HDC k = e.dc[ENSDC_KOLHOVED].hdc)
    FillRectSys(k, COLOR_BTNFACE, 0, 0, e.RudeB[ENS_KOLHOVED], static_cast<int>(e.KolHovedHoejde) - kElevListeKnapHoejde);
}

void TegnElevHold(ElevHoldWS *ws, int flag, WPARAM udsend) {
  ElevPlanWS *p = Plan(ws);
  TegnElevHoldHoved(ws);
  if (flag & ELEVLISTE_TEGN_ALT) TegnElevHoldHjoerne(ws);
  OpdaterElevHoldRaekker(ws, flag);
  if (p && ws->ens.Aktiv && ws->LaPos.Antal && !ws->ElementTegning) {
    if (const uint32_t la = VistLa(ws)) tvla.AktuelRec = la;
    if (const uint32_t elev = RaekkeElev(ws, ws->Liste.RaekkePos.Aktuel)) tvelev.AktuelRec = elev;
    SendTilAlleVinduer(AKTUEL_AENDRET, udsend, 0, ws->hwnd);
  }
  ws->KolFoer = ws->KolPos.Aktuel;
  ws->RaekkeFoer = ws->Liste.RaekkePos.Aktuel;
  ws->LaFoer = ws->LaPos.Aktuel;
}

void ElevHoldScroll(ElevHoldWS *ws, int flag, WPARAM udsend) {
  if (flag == 0) return;
  SaetAkser(ws);
  flag |= ElevListeScrollTilAktuel(&ws->Liste, &ws->KolPos);
  TegnElevHold(ws, flag, udsend);
}

int ElevHoldTastKmd(ElevHoldWS *ws, const TastInfo &t, int mode, int *pFlag, WPARAM *pUdsend) {
  int flag = 0;
  WPARAM udsend = 0;
  int svar = 0;
  ElevListeTilstand &l = ws->Liste;
  GridPos &raekker = l.RaekkePos;
  const uint32_t tast = t.wParam;
  ElevPlanWS *p = Plan(ws);
  switch (tast) {
    case VK_SPACE: {
      const uint32_t la = VistLa(ws), elev = RaekkeElev(ws, raekker.Aktuel);
      if (!p || !la || !elev) break;
      int tegn = 0;
      svar = PlacerEllerFjernElev(p, ws->ByggetTg, la, elev, t.ctrl, t.shift, mode, &tegn);
      if (svar == 1 && mode == 2) {
        if (raekker.Aktuel < l.RaekkeAntal) ++raekker.Aktuel;
        flag = ELEVLISTE_TEGN_ALT;
        udsend = 1;
      }
      break;
    }
    case VK_PRIOR:
    case VK_NEXT:
      if (!p || ws->LaPos.Antal == 0) break;
      ws->LaPos.Synlige = ws->LaPos.Antal;
      svar = GridTastFlytTrin(&ws->LaPos, tast, t.ctrl, t.alt, false, mode) ? 1 : 0;
      if (svar && mode == 2) {
        ObjSwitchSaetSortFelt(ELEVHOLD_ART, ws->Bogstav, kStatusKode);
        ByggElevHoldRaekker(ws);
        flag = ELEVLISTE_TEGN_ALT;
        udsend = 4;
      }
      break;
    case VK_UP:
    case VK_DOWN:
      if (l.RaekkeAntal == 0) break;
      raekker.Synlige = std::max<uint32_t>(raekker.Synlige, 1);
      svar = GridTastFlytTrin(&raekker, tast, t.ctrl, t.alt, false, mode) ? 1 : 0;
      if (svar && mode == 2) {
        flag = ELEVLISTE_TEGN_RAEKKE;
        udsend = 4;
      }
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
  if (pUdsend) *pUdsend = udsend;
  return svar;
}

LRESULT CALLBACK ElevHoldWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<ElevHoldWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    Opret(h, ws);
    return 0;
  }
  ElevHoldWS *ws = Ws(h);
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
      TegnElevHoldHoved(ws);
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), AntalSkift(ws));
        EnsPaintFrame(&e);
        ElevHoldScroll(ws, ELEVLISTE_TEGN_ALT, 0);
      } else if (wParam == SIZE_MINIMIZED) {
        if (e.Aktiv) BringWindowToTop(h);
      } else if (wParam == SIZE_MAXIMIZED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), AntalSkift(ws));
        if (!e.Aktiv && MaaAktiveres(h, ws)) SendMessageA(h, VINDUE_AKTIVER, 1, 0);
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (EnsOnScroll(&e, msg, wParam)) TegnElevHold(ws, ELEVLISTE_TEGN_ALT, 0);
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
        CreateShortCutWnd(e.hInstance, h, pt.x, pt.y, ElevListeGenveje(ELEVLISTE_HOLD));
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
      return t ? ElevHoldTastKmd(ws, *t, 1, nullptr, nullptr) : 0;
    }
    case ENS_BREDDE:
      return ElevHoldBredde(&ws->Liste, static_cast<int>(wParam));
    case ENS_HOEJDE:
      return ElevHoldHoejde(&ws->Liste, static_cast<int>(wParam));
    case TB_RUDE_TEGN:
      TegnElevHoldHoved(ws);
      return 0;
    case AKTUEL_AENDRET:
      Foelg(ws, wParam);
      return 0;
    case ENS_KOLHOVED_NED:
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
      Klik(h, ws, msg, lParam);
      return 0;
    case ENS_KOLHOVED_TEGN:
      TegnElevHoldHjoerne(ws);
      return 0;
    case ENS_CELLER_TEGN:
      OpdaterElevHoldRaekker(ws, ELEVLISTE_TEGN_ALT);
      return 0;
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
      Aktiver(h, ws, msg, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      e.Aktiv = e.CaptionAktiv = 0;
      TegnElevHold(ws, ELEVLISTE_TEGN_ALT, 0);
      EnsPaintFrame(&e);
      return 0;
    case VINDUE_TEGN_MED: {
      const uint8_t aktiv = e.Aktiv;
      e.Aktiv = e.CaptionAktiv = wParam ? 1 : 0;
      ws->ElementTegning = 1;
      TegnElevHold(ws, ELEVLISTE_TEGN_ALT, 0);
      ws->ElementTegning = 0;
      e.Aktiv = e.CaptionAktiv = aktiv;
      TegnElevHoldHoved(ws);
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
      ElevHoldKnapKommando(&ws->Liste, static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
      return 0;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

bool RegistrerElevHoldKlasse(HINSTANCE inst) {
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = ElevHoldWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = kKlasse;
  return RegisterClassA(&wc) != 0;
}

void AfregistrerElevHoldKlasse(HINSTANCE inst) { UnregisterClassA(kKlasse, inst); }

HWND CreateElevHoldWnd(HWND desktop, int venstre, int top, int hoejre, int bund, int type) {
  HWND planVindue = 0;
  ElevPlanWS *plan = FindElevPlanWS(&planVindue);
  if (!plan) return 0;
  auto *ws = static_cast<ElevHoldWS *>(calloc(1, sizeof(ElevHoldWS)));
  if (!ws) return 0;
  ws->Type = type;
  ws->Bogstav = 'K';
  ws->PlanVindue = planVindue;
  ws->Plan = plan;
  ws->Liste.PlanWS = plan;
  ws->Liste.ListeArt = ELEVHOLD_ART;
  ws->Liste.Bogstav = 'K';
  ws->Liste.AntalLayouts = ObjSwitchAntal(ELEVHOLD_ART, 'K');
  ws->Liste.ValgtLayout = ObjSwitchValgt(ELEVHOLD_ART, 'K');
  ws->HovedAntal = ObjSwitchAntal(ELEVHOLD_HOVED_ART, 'K');
  ws->HovedValgt = ObjSwitchValgt(ELEVHOLD_HOVED_ART, 'K');
  const int b = std::max(ElevHoldBredde(&ws->Liste, std::max(hoejre - venstre, 0)), 0);
  const int h = std::max(ElevHoldHoejde(&ws->Liste, std::max(bund - top, 0)), 0);
  HWND hwnd = CreateWindowExA(0, kKlasse, "", WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE, venstre, top, b, h, desktop,
                              static_cast<HMENU>(type), hInst, ws);
  if (!hwnd) {
    if (!ws->hwnd) free(ws);
    return 0;
  }
  return hwnd;
}
