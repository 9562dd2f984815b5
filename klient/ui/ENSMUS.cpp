// The grid-window frame's mouse and keys. Rectangles of a move or size are
// in screen coordinates, as WM_MOVING and WM_SIZING give them; positions the
// frame keeps and sets are in the desktop's client coordinates.

#include "ENSMUS.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Grid.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "TABREG.h"
#include "VINDUER.h"
#include "VISFELT.h"
#include "tavo/assert.h"

namespace {

// The window's rectangle in its parent's client coordinates.
RECT ForaeldreRect(HWND h) {
  RECT r = {0, 0, 0, 0};
  GetWindowRect(h, &r);
  POINT p = {r.left, r.top};
  if (HWND par = GetParent(h)) ScreenToClient(par, &p);
  return RECT{p.x, p.y, p.x + (r.right - r.left), p.y + (r.bottom - r.top)};
}

// The rectangle a restore goes back to.
void GemRect(HWND h, Ens *e) {
  const RECT r = ForaeldreRect(h);
  e->GemtPos[0] = r.left;
  e->GemtPos[1] = r.top;
  e->GemtStr[0] = r.right - r.left;
  e->GemtStr[1] = r.bottom - r.top;
}

int ArbejdsBredde() { return DesktopRect.right - DesktopRect.left + 1; }
int ArbejdsHoejde() { return DesktopRect.bottom - DesktopRect.top + 1; }

// Activation as a click gives it: a window that is not active asks its
// parent and, when allowed, makes itself the active grid window.
bool Aktiver(HWND h, HWND parent, uint8_t aktiv) {
  if (aktiv) return true;
  if (!SendMessageA(parent, ENS_MAA_AKTIVERES, 0, (LPARAM)h)) return false;
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  return true;
}

SIZE MinBar() {
  const int cyc = GetSystemMetrics(SM_CYCAPTION);
  return SIZE{cyc * 8 + 32, cyc + 2 * GetSystemMetrics(SM_CYFRAME)};
}

// The place of a slot: bars side by side from the bottom-left corner, a row
// full when the next bar would pass the right edge, each further row one bar
// higher, never above the top. As many bars fit in a row as the width holds,
// at least one.
POINT SlotPlads(uint32_t slot, int deskB, int deskH) {
  const SIZE bar = MinBar();
  const uint32_t prRaekke = (uint32_t)std::max(1, deskB / (int)bar.cx);
  const uint32_t i = slot > 0 ? slot - 1 : 0;
  const int64_t y = (int64_t)deskH - (int64_t)bar.cy * (int64_t)(i / prRaekke + 1);
  return POINT{(int)(i % prRaekke) * (int)bar.cx, (int)std::max<int64_t>(0, y)};
}

SIZE DesktopStoerrelse() {
  RECT r = {0, 0, 0, 0};
  if (hwndDesktop) GetClientRect(hwndDesktop, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// The first free slot among the open windows' answers to 1274: answers below
// the window count mark slots as used; with all of 1..count-1 used, the
// count itself.
uint32_t FoersteLedigeSlot() {
  const uint32_t antal = (uint32_t)VinduesListeAntal();
  auto *minpostab = static_cast<uint8_t *>(std::calloc(antal + 1, 1));
  TAVO_ASSERT(minpostab != NULL);
  for (VinduesNode *n = VinduesListe.hoved; n; n = n->naeste) {
    const uint32_t s = (uint32_t)SendMessageA(n->hwnd, ENS_MINSLOT, 0, 0);
    if (s < antal) minpostab[s] = 1;
  }
  uint32_t slot = antal;
  for (uint32_t i = 1; i < antal; ++i)
    if (!minpostab[i]) {
      slot = i;
      break;
    }
  std::free(minpostab);
  // A window outside the list (docked) still gets a real slot.
  return std::max<uint32_t>(slot, 1);
}

// A moved rectangle's two edges on one axis: the first snaps and the second
// follows; when it does not snap, the second snaps and the first follows.
void SnapKanter(bool (*snap)(int32_t *), LONG *foerste, LONG *anden) {
  LONG v = *foerste;
  if (snap(&v)) {
    *anden += v - *foerste;
    *foerste = v;
    return;
  }
  v = *anden;
  if (snap(&v)) {
    *foerste += v - *anden;
    *anden = v;
  }
}

// SC_SIZE edge code of the border zones 2..9.
const UINT kZoneKant[10] = {0, 0, WMSZ_LEFT, WMSZ_RIGHT, WMSZ_TOP, WMSZ_BOTTOM, WMSZ_TOPLEFT, WMSZ_TOPRIGHT,
                            WMSZ_BOTTOMLEFT, WMSZ_BOTTOMRIGHT};

}  // namespace

int EnsHitZone(int x, int y, const RECT *klient, int kaptionHoejde) {
  const int R = klient->right, B = klient->bottom;
  if (x > R - 5) {
    if (y > B - 11) return ZONE_BUNDHOEJRE;
    return y >= 10 ? ZONE_HOEJRE : ZONE_TOPHOEJRE;
  }
  if (y > B - 5) {
    if (x > R - 11) return ZONE_BUNDHOEJRE;
    return x < 10 ? ZONE_BUNDVENSTRE : ZONE_BUND;
  }
  if (x < 4) {
    if (y > B - 11) return ZONE_BUNDVENSTRE;
    return y < 10 ? ZONE_TOPVENSTRE : ZONE_VENSTRE;
  }
  if (y < 4) {
    if (x > R - 11) return ZONE_TOPHOEJRE;
    return x < 10 ? ZONE_TOPVENSTRE : ZONE_TOP;
  }
  return y < kaptionHoejde + 3 ? ZONE_KAPTION : ZONE_INDE;
}

void EnsSetSizeCursor(HWND hwnd, Ens *e, LPARAM lParam) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  LPCSTR navn = IDC_ARROW;
  if (e->Tilstand == 0) {
    switch (EnsHitZone((SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam), &rc, GetSystemMetrics(SM_CYCAPTION))) {
      case ZONE_VENSTRE:
      case ZONE_HOEJRE:
        navn = IDC_SIZEWE;
        break;
      case ZONE_TOP:
      case ZONE_BUND:
        navn = IDC_SIZENS;
        break;
      case ZONE_TOPVENSTRE:
      case ZONE_BUNDHOEJRE:
        navn = IDC_SIZENWSE;
        break;
      case ZONE_TOPHOEJRE:
      case ZONE_BUNDVENSTRE:
        navn = IDC_SIZENESW;
        break;
    }
  }
  SetClassLongPtrA(hwnd, GCLP_HCURSOR, (LONG_PTR)LoadCursorA(0, navn));
  TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, hwnd, 0};
  TrackMouseEvent(&tme);
}

void EnsOnDblClk(HWND hwnd, Ens *e, LPARAM lParam) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  if (EnsHitZone((SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam), &rc, GetSystemMetrics(SM_CYCAPTION)) !=
      ZONE_KAPTION)
    return;
  if (e->Tilstand == 2) {
    EnsMinimize(hwnd, e);
    return;
  }
  const int b = (int)SendMessageA(hwnd, ENS_BREDDE, (WPARAM)ArbejdsBredde(), 0);
  const int h = (int)SendMessageA(hwnd, ENS_HOEJDE, (WPARAM)ArbejdsHoejde(), 0);
  MoveWindow(hwnd, 0, 0, b, h, TRUE);
}

void EnsActivateOnClick(HWND hwnd, Ens *e) { Aktiver(hwnd, e->hwndParent, e->Aktiv); }

void EnsOnLButtonDown(HWND hwnd, HWND parent, uint8_t aktiv, uint8_t tilstand, void *traekOffset,
                      LPARAM lParam) {
  if (!Aktiver(hwnd, parent, aktiv)) return;
  BuildSnapGrid(parent, hwnd);
  RECT rc;
  GetClientRect(hwnd, &rc);
  const int zone =
      EnsHitZone((SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam), &rc, GetSystemMetrics(SM_CYCAPTION));
  if (zone == ZONE_KAPTION) {
    // The cursor where the button went down, as the move loop takes it.
    const DWORD mp = GetMessagePos();
    RECT wr;
    GetWindowRect(hwnd, &wr);
    const int32_t offset[2] = {(SHORT)LOWORD(mp) - wr.left, (SHORT)HIWORD(mp) - wr.top};
    if (traekOffset) std::memcpy(traekOffset, offset, sizeof offset);
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, 0);
  } else if (zone >= ZONE_VENSTRE && tilstand == 0) {
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_SIZE + kZoneKant[zone], 0);
  }
}

void EnsWheelScroll(HWND hwnd, Ens *e, WPARAM wParam) {
  const UINT taster = LOWORD(wParam);
  const SHORT delta = (SHORT)HIWORD(wParam);
  UINT msg;
  if (taster == MK_CONTROL && e->hwndHScroll)
    msg = WM_HSCROLL;
  else if (e->hwndVScroll)
    msg = WM_VSCROLL;
  else
    return;
  const WPARAM kode = delta < 0 ? SB_LINEDOWN : SB_LINEUP;
  for (int i = 0; i < 4; ++i) SendMessageA(hwnd, msg, kode, 0);
}

void EnsSnapMove(Ens *e, RECT *r) {
  if (GetKeyState(VK_CONTROL) >= 0) return;
  const DWORD mp = GetMessagePos();
  const int b = r->right - r->left, h = r->bottom - r->top;
  r->left = (SHORT)LOWORD(mp) - e->TraekOffset[0];
  r->top = (SHORT)HIWORD(mp) - e->TraekOffset[1];
  r->right = r->left + b;
  r->bottom = r->top + h;
  SnapKanter(SnapX, &r->left, &r->right);
  SnapKanter(SnapY, &r->top, &r->bottom);
}

void EnsOnSizing(RECT *r, UINT kant, int minB, int maksB, int minH, int maksH) {
  const bool venstre = kant == WMSZ_LEFT || kant == WMSZ_TOPLEFT || kant == WMSZ_BOTTOMLEFT;
  const bool hoejre = kant == WMSZ_RIGHT || kant == WMSZ_TOPRIGHT || kant == WMSZ_BOTTOMRIGHT;
  const bool top = kant == WMSZ_TOP || kant == WMSZ_TOPLEFT || kant == WMSZ_TOPRIGHT;
  const bool bund = kant == WMSZ_BOTTOM || kant == WMSZ_BOTTOMLEFT || kant == WMSZ_BOTTOMRIGHT;
  if (GetKeyState(VK_CONTROL) < 0) {
    if (top) SnapY(&r->top);
    if (bund) SnapY(&r->bottom);
    if (venstre) SnapX(&r->left);
    if (hoejre) SnapX(&r->right);
  }
  const int b = r->right - r->left, h = r->bottom - r->top;
  const int db = b < minB ? minB - b : b > maksB ? maksB - b : 0;
  if (venstre)
    r->left -= db;
  else
    r->right += db;
  const int dh = h < minH ? minH - h : h > maksH ? maksH - h : 0;
  if (top)
    r->top -= dh;
  else
    r->bottom += dh;
}

void EnsMaximize(HWND hwnd, Ens *e) {
  Aktiver(hwnd, e->hwndParent, e->Aktiv);
  if (e->Tilstand == 0) GemRect(hwnd, e);
  e->Tilstand = 0;
  e->MinSlot = 0;
  const int b = (int)SendMessageA(hwnd, ENS_BREDDE, (WPARAM)ArbejdsBredde(), 0);
  const int h = (int)SendMessageA(hwnd, ENS_HOEJDE, (WPARAM)ArbejdsHoejde(), 0);
  MoveWindow(hwnd, 0, 0, b, h, TRUE);
  if (e->Tilstand == 0) {
    if (e->hwndMaks) SendMessageA(e->hwndMaks, NYB_KAPTIONBILLEDE, NYB_MAKSIMER, 0);
    if (e->hwndMin) SendMessageA(e->hwndMin, NYB_KAPTIONBILLEDE, NYB_MINIMER, 0);
  }
}

void EnsMinimize(HWND hwnd, Ens *e) {
  const SIZE desk = DesktopStoerrelse();
  const int oenskB = (int)SendMessageA(hwnd, ENS_BREDDE, 0, 0);
  const int oenskH = (int)SendMessageA(hwnd, ENS_HOEJDE, 0, 0);
  Aktiver(hwnd, e->hwndParent, e->Aktiv);
  if (e->Tilstand == 2) {
    e->Tilstand = 0;
    e->MinSlot = 0;
    if (e->GemtStr[0] && e->GemtStr[1])
      MoveWindow(hwnd, e->GemtPos[0], e->GemtPos[1], e->GemtStr[0], e->GemtStr[1], TRUE);
    else
      MoveWindow(hwnd, 0, 0, oenskB, oenskH, TRUE);
  } else {
    GemRect(hwnd, e);
    e->Tilstand = 2;
    e->MinSlot = FoersteLedigeSlot();
    const POINT p = SlotPlads(e->MinSlot, desk.cx, desk.cy);
    const SIZE bar = MinBar();
    MoveWindow(hwnd, p.x, p.y, bar.cx, bar.cy, TRUE);
  }
  if (e->hwndMin)
    SendMessageA(e->hwndMin, NYB_KAPTIONBILLEDE, e->Tilstand == 2 ? NYB_GENDAN : NYB_MINIMER, 0);
  if (e->Tilstand == 2 && e->Aktiv) {
    // The activation goes on to the frontmost window that is not minimised.
    for (VinduesNode *n = VinduesListe.hoved; n; n = n->naeste) {
      if (n->hwnd == hwnd || SendMessageA(n->hwnd, ENS_TILSTAND, 0, 0) == 2) continue;
      SendMessageA(n->hwnd, VINDUE_AKTIVER, 1, 0);
      break;
    }
  }
}

void PlaceMinimizedWnds() {
  const SIZE desk = DesktopStoerrelse();
  std::vector<HWND> min;
  for (VinduesNode *n = VinduesListe.hale; n; n = n->forrige)
    if (SendMessageA(n->hwnd, ENS_TILSTAND, 0, 0) == 2) min.push_back(n->hwnd);
  for (HWND h : min) ShowWindow(h, SW_HIDE);
  const SIZE bar = MinBar();
  for (HWND h : min) {
    const POINT p = SlotPlads((uint32_t)SendMessageA(h, ENS_MINSLOT, 0, 0), desk.cx, desk.cy);
    MoveWindow(h, p.x, p.y, bar.cx, bar.cy, FALSE);
  }
  for (HWND h : min) ShowWindow(h, SW_SHOW);
}

bool IsSearchKey(UINT tast) {
  return (tast >= 'A' && tast <= 'Z') || (tast >= '0' && tast <= '9') || tast == 0xBD || tast == 0xBE ||
         tast == 0xBF || tast == 0xC0 || tast == 0xDD || tast == 0xDE;
}

char SoegeTegn(UINT tast) {
  switch (tast) {
    case 0xBB: return '+';
    case 0xBD: return '-';
    case 0xBE: return '.';
    case 0xBF: return '*';
    case 0xC0: return '\xC6';  // Æ
    case 0xDD: return '\xC5';  // Å
    case 0xDE: return '\xD8';  // Ø
  }
  return (char)tast;
}

namespace {

// The first row (1-based) whose record's text begins with the search text,
// letters alike in either case; 0 when none does.
uint32_t FindRaekke(const Ens *e) {
  const size_t laengde = strnlen(e->SoegTekst, sizeof e->SoegTekst);
  if (!e->pTd || !e->pTv || !e->ObjTab || laengde == 0) return 0;
  for (uint32_t i = 1; i <= e->ObjTabAntal; ++i) {
    const uint32_t recnr = e->ObjTab[i];
    if (recnr >= e->pTv->wRecCnt) continue;
    const char *tekst = VisFeltTekst((char)e->pTd->TypeBogstav, e->pTd, e->pTv, 1, recnr, nullptr, 1);
    size_t k = 0;
    while (k < laengde && tekst[k] && (tekst[k] | 0x20) == (e->SoegTekst[k] | 0x20)) ++k;
    if (k == laengde) return i;
  }
  return 0;
}

}  // namespace

bool EnsTypeAhead(Ens *e, GridPos *raekker, UINT tast) {
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0 || !IsSearchKey(tast)) return false;
  const char c = SoegeTegn(tast);
  // The text holds 19 characters; a limit beyond that, or none set, is 19.
  const size_t maks = e->SoegMaks == 0 || e->SoegMaks > sizeof e->SoegTekst - 1 ? sizeof e->SoegTekst - 1
                                                                                 : e->SoegMaks;
  size_t laengde = strnlen(e->SoegTekst, sizeof e->SoegTekst);
  if (laengde >= maks) laengde = 0;
  e->SoegTekst[laengde] = c;
  e->SoegTekst[laengde + 1] = 0;
  uint32_t hit = FindRaekke(e);
  if (!hit && laengde + 1 > 1) {
    e->SoegTekst[0] = c;
    e->SoegTekst[1] = 0;
    hit = FindRaekke(e);
  }
  if (!hit) {
    e->SoegTekst[0] = 0;
    return false;
  }
  if (raekker) raekker->Aktuel = hit;
  return true;
}

uint32_t LowBitNo(uint32_t v) {
  if (v == 2147483647u) return 31;
  for (uint32_t bit = 1; bit <= 30; ++bit)
    if (v & (1u << bit)) return bit;
  return 0;
}
