// Window arrangement over the desktop's free area, sizing limits and the
// window key commands.

#include "ARRANGER.h"

#include <algorithm>
#include <vector>

#include "ENS.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "VINDUER.h"

namespace {

int FriBredde() { return FriArealRect.right - FriArealRect.left + 1; }
int FriHoejde() { return FriArealRect.bottom - FriArealRect.top + 1; }

// The open windows from the back of the list to the front, taken before any
// of them is touched: a restored window may move to the front of the list.
std::vector<HWND> BagFraForrest() {
  std::vector<HWND> v;
  for (VinduesNode *n = VinduesListe.hale; n; n = n->forrige) v.push_back(n->hwnd);
  return v;
}

int Kvadratrod(int n) {
  int r = 0;
  while ((r + 1) * (r + 1) <= n) ++r;
  return r;
}

// A grid window minimises itself (state 2) and is restored by its own
// minimise button; a system-minimised window by the system.
void GendanMinimeret(HWND h) {
  if (IsIconic(h))
    ShowWindow(h, SW_RESTORE);
  else if (SendMessageA(h, ENS_TILSTAND, 0, 0) == 2)
    SendMessageA(h, NYB_KLIK, NYB_MINIMER, 0);
}

// The window is asked the size it wants within the offered room and put at
// (x, y) with it, restored first when it is minimised.
void Placer(HWND h, int x, int y, int tilbudB, int tilbudH, bool hoejdeFoerst) {
  int b, hh;
  if (hoejdeFoerst) {
    hh = (int)SendMessageA(h, ENS_HOEJDE, (WPARAM)std::max(0, tilbudH), 0);
    b = (int)SendMessageA(h, ENS_BREDDE, (WPARAM)std::max(0, tilbudB), 0);
  } else {
    b = (int)SendMessageA(h, ENS_BREDDE, (WPARAM)std::max(0, tilbudB), 0);
    hh = (int)SendMessageA(h, ENS_HOEJDE, (WPARAM)std::max(0, tilbudH), 0);
  }
  GendanMinimeret(h);
  MoveWindow(h, x, y, b, hh, TRUE);
}

// Start and extent of cell i of n along an extent of `laengde` pixels. Cells
// are never smaller than `mindst`: when n of them do not fit they overlap
// evenly, the pixels that do not divide going to the first gaps. A single
// cell that does not fit has nothing to overlap and keeps its least extent at
// the start. Without `rest` the last cell does not take the remainder.
void Celle(int i, int n, int laengde, int mindst, bool rest, int *start, int *udstraekning) {
  if (n * mindst > laengde) {
    *udstraekning = mindst;
    if (n == 1) {
      *start = 0;
      return;
    }
    const int overlap = n * mindst - laengde, mellemrum = n - 1;
    *start = i * mindst - (i * (overlap / mellemrum) + std::min(i, overlap % mellemrum));
    return;
  }
  const int s = laengde / n;
  *start = i * s;
  *udstraekning = rest && i == n - 1 ? laengde - (n - 1) * s : s;
}

}  // namespace

void BegraensSizing(HWND hwnd, UINT kant, RECT *r, int minB, int maksB, int minH, int maksH) {
  if (kant < WMSZ_LEFT || kant > WMSZ_BOTTOMRIGHT) return;
  const bool venstre = kant == WMSZ_LEFT || kant == WMSZ_TOPLEFT || kant == WMSZ_BOTTOMLEFT;
  const bool hoejre = kant == WMSZ_RIGHT || kant == WMSZ_TOPRIGHT || kant == WMSZ_BOTTOMRIGHT;
  const bool top = kant == WMSZ_TOP || kant == WMSZ_TOPLEFT || kant == WMSZ_TOPRIGHT;
  const bool bund = kant == WMSZ_BOTTOM || kant == WMSZ_BOTTOMLEFT || kant == WMSZ_BOTTOMRIGHT;
  auto bredde = [&](int b) {
    if (venstre) r->left = r->right - b;
    else if (hoejre) r->right = r->left + b;
  };
  auto hoejde = [&](int h) {
    if (top) r->top = r->bottom - h;
    else if (bund) r->bottom = r->top + h;
  };
  if (r->right - r->left > maksB) bredde(maksB);
  if (r->bottom - r->top > maksH) hoejde(maksH);
  if (r->right - r->left < minB) bredde(minB);
  if (r->bottom - r->top < minH) hoejde(minH);
}

void ArrangerKaskade(int venstre, int top, int hoejre, int bund) {
  const int W = hoejre - venstre + 1, H = bund - top + 1;
  const int trin = GetSystemMetrics(SM_CYCAPTION) + 3;
  int x = 0, y = 0;
  for (HWND h : BagFraForrest()) {
    Placer(h, venstre + x, top + y, W - x, H - y, false);
    BringWindowToTop(h);
    x += trin;
    y += trin;
    if (x + 150 > W || y + 100 > H) x = y = 0;
  }
}

void ArrangerGitter(int kolonner, int raekker, int venstre, int top, int hoejre, int bund, int raekker2) {
  if (kolonner <= 0 || raekker <= 0 || raekker2 <= 0) return;
  const int W = hoejre - venstre + 1, H = bund - top + 1;
  const std::vector<HWND> vinduer = BagFraForrest();
  const int ekstra = std::clamp((int)vinduer.size() - kolonner * raekker, 0, kolonner);
  // The last columns are filled first and each from its last row, so the
  // front window ends in the top-left cell.
  size_t naeste = 0;
  for (int k = kolonner - 1; k >= 0 && naeste < vinduer.size(); --k) {
    int x, b;
    Celle(k, kolonner, W, 150, true, &x, &b);
    const int n = k >= kolonner - ekstra ? raekker2 : raekker;
    for (int i = n - 1; i >= 0 && naeste < vinduer.size(); --i) {
      int y, h;
      Celle(i, n, H, 100, false, &y, &h);
      Placer(vinduer[naeste++], venstre + x, top + y, b, h, true);
    }
  }
}

void ArrangerFlereKolonner(int venstre, int top, int hoejre, int bund) {
  const int n = VinduesListeAntal();
  const int r = Kvadratrod(n);
  if (r > 0) ArrangerGitter(n / r, r, venstre, top, hoejre, bund, r + 1);
}

void ArrangerFlereRaekker(int venstre, int top, int hoejre, int bund) {
  const int n = VinduesListeAntal();
  const int r = Kvadratrod(n);
  if (r > 0) ArrangerGitter(r, n / r, venstre, top, hoejre, bund, n / r + 1);
}

void TilpasVindue(HWND hwnd) {
  WINDOWPLACEMENT wp;
  if (!GetWindowPlacement(hwnd, &wp)) return;
  const RECT &n = wp.rcNormalPosition;
  const int h = (int)SendMessageA(hwnd, ENS_HOEJDE, (WPARAM)std::max(0, FriHoejde() - (int)n.top), 0);
  const int b = (int)SendMessageA(hwnd, ENS_BREDDE, (WPARAM)std::max(0, FriBredde() - (int)n.left), 0);
  MoveWindow(hwnd, n.left, n.top, b, h, TRUE);
}

void TilpasVindueFuld(HWND hwnd) {
  const int h = (int)SendMessageA(hwnd, ENS_HOEJDE, (WPARAM)std::max(0, FriHoejde()), 0);
  const int b = (int)SendMessageA(hwnd, ENS_BREDDE, (WPARAM)std::max(0, FriBredde()), 0);
  SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(b, h));
  TilpasVindue(hwnd);
}

bool SkiftMaksimeret(HWND hwnd, RECT *gemt, int mode) {
  if (mode != KMD_UDFOER || !gemt) return true;
  if (gemt->right == 0) {
    GetWindowRect(hwnd, gemt);
    const int b = (int)SendMessageA(hwnd, ENS_BREDDE, (WPARAM)std::max(0, FriBredde()), 0);
    const int h = (int)SendMessageA(hwnd, ENS_HOEJDE, (WPARAM)std::max(0, FriHoejde()), 0);
    MoveWindow(hwnd, FriArealRect.left, FriArealRect.top, b, h, TRUE);
  } else {
    POINT p = {gemt->left, gemt->top};
    if (HWND par = GetParent(hwnd)) ScreenToClient(par, &p);
    MoveWindow(hwnd, p.x, p.y, gemt->right - gemt->left, gemt->bottom - gemt->top, TRUE);
    gemt->right = 0;
  }
  BringWindowToTop(hwnd);
  return true;
}

bool KmdHoejreklik(HWND hwnd, WPARAM x, LPARAM y, int mode) {
  if (mode == KMD_UDFOER) SendMessageA(hwnd, WM_RBUTTONDOWN, x, y);
  return true;
}

bool KmdLukVindue(HWND hwnd, HWND element, int iCelle, bool aktiveret, int mode) {
  if (!aktiveret) return false;
  if (mode == KMD_UDFOER) {
    if (iCelle == 0)
      DestroyWindow(hwnd);
    else
      SendMessageA(element, ELEMENT_LUK, 0, 0);
  }
  return true;
}

bool KmdSendKommando(HWND hwnd, WPARAM wParam, LPARAM lParam, bool aktiveret, int mode) {
  if (!aktiveret) return false;
  if (mode == KMD_UDFOER) SendMessageA(hwnd, NYB_KLIK, wParam, lParam);
  return true;
}
