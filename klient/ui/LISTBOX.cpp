// The own-drawn lists. They read the owner's arrays at every paint and trust
// no index: a row past the entries is never hot, and a record number
// outside its table draws an empty row.

#include "LISTBOX.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "FARVER.h"
#include "FELTTEKST.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "TOOLTIP.h"
#include "tavo/assert.h"

namespace {

// Before the fonts are loaded (tests, early start-up) the stock font stands in.
HGDIOBJ StdSkrift() { return StdFont ? static_cast<HGDIOBJ>(StdFont) : GetStockObject(DEFAULT_GUI_FONT); }

// The thumb's position: the message carries 16 bits of it, the bar all 32.
int TommelPos(HWND bar, WPARAM kode) {
  SCROLLINFO si;
  std::memset(&si, 0, sizeof si);
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  if (bar && GetScrollInfo(bar, SB_CTL, &si)) return std::max(0, si.nTrackPos);
  return HIWORD(kode);
}

int Klip(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, 0, INT_MAX)); }

}  // namespace

// ==================================================================== drop-down list

namespace {

LBWS *Lb(HWND h) { return reinterpret_cast<LBWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

int SkrollBredde(const LBWS *l) { return l->scrollBar ? GetSystemMetrics(SM_CXVSCROLL) : 0; }
// Right edge of the rows (exclusive).
int RaekkeHoejre(const LBWS *l) { return l->width - SkrollBredde(l) - 1; }

void TilfoejStreng(struct LBWS *LBWS, char *tekst) {
  LBWS->Strings = static_cast<char **>(std::realloc(LBWS->Strings, (LBWS->count + 1) * sizeof(char *)));
  TAVO_ASSERT(LBWS->Strings != NULL);
  LBWS->Strings[LBWS->count++] = tekst;
}

// Row i (1-based) inside the frame, highlighted when it is the current one.
void TegnLbRaekke(const LBWS *l, uint32_t i) {
  if (!l->dc || i == 0 || i > l->count) return;
  const int top = kListBoxRaekke * static_cast<int>(i - 1) - l->scroll + 1;
  const int hoejre = RaekkeHoejre(l);
  if (top >= l->height - 1 || top + kListBoxRaekke <= 1 || hoejre <= 1) return;
  const bool aktuel = i == l->current;
  const int gemt = SaveDC(l->dc);
  IntersectClipRect(l->dc, 1, 1, hoejre, l->height - 1);
  RECT r = {1, top, hoejre, top + kListBoxRaekke};
  FillRect(l->dc, &r, GetSysColorBrush(aktuel ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(l->dc, GetSysColor(aktuel ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT t = {2, top, hoejre, top + kListBoxRaekke};
  const char *s = l->Strings[i - 1] ? l->Strings[i - 1] : "";
  DrawTextA(l->dc, s, -1, &t, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  RestoreDC(l->dc, gemt);
}

void TegnListBox(const LBWS *l) {
  if (!l->dc || l->width <= 0 || l->height <= 0) return;
  FillFrameSys(l->dc, COLOR_3DDKSHADOW, 0, 0, 1, 1, l->width - 1, l->height - 1, l->width, l->height);
  uint32_t i = static_cast<uint32_t>(l->scroll / kListBoxRaekke) + 1;
  for (; i <= l->count && kListBoxRaekke * static_cast<int64_t>(i - 1) - l->scroll + 1 < l->height - 1; ++i)
    TegnLbRaekke(l, i);
  // Below the last entry the list is empty.
  const int64_t under = kListBoxRaekke * static_cast<int64_t>(l->count) - l->scroll + 1;
  if (under < l->height - 1)
    FillRectSys(l->dc, COLOR_WINDOW, 1, static_cast<int>(std::max<int64_t>(under, 1)), RaekkeHoejre(l),
                l->height - 1);
}

// The hot row becomes the current one; only the two rows are repainted.
void SaetHot(LBWS *l, uint32_t ny) {
  l->hot = ny;
  if (ny == l->current) return;
  const uint32_t gammel = l->current;
  l->current = ny;
  TegnLbRaekke(l, gammel);
  TegnLbRaekke(l, ny);
}

void Skjul(HWND hwnd) {
  ShowWindow(hwnd, SW_HIDE);
  if (GetCapture() == hwnd) ReleaseCapture();
}

// Tells the owner the current entry (-1 for none) and hides. The owner may
// destroy the list while it hears of the pick.
void Vaelg(HWND hwnd, LBWS *l) {
  const HWND owner = l->owner;
  const int indeks = static_cast<int>(l->current) - 1;
  SendMessageA(owner, LISTBOX_VALGT, static_cast<WPARAM>(indeks), 0);
  if (IsWindow(hwnd)) Skjul(hwnd);
}

bool RulLb(LBWS *l, UINT kode, WPARAM w) {
  const int64_t total = kListBoxRaekke * static_cast<int64_t>(l->count) + 2;
  int64_t ny = l->scroll;
  switch (kode) {
    case SB_LINEUP:
      ny = std::max<int64_t>(0, ny - kListBoxRaekke);
      break;
    case SB_LINEDOWN:
      if (l->height + ny < total) ny += kListBoxRaekke;
      break;
    case SB_PAGEUP:
      ny = std::max<int64_t>(0, ny - l->height);
      break;
    case SB_PAGEDOWN:
      // A list taller than its entries has nothing to page to.
      ny = ny + 2 * l->height < total ? ny + l->height : std::max<int64_t>(0, total - l->height);
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      ny = TommelPos(l->scrollBar, w);
      break;
    default:
      return false;
  }
  if (ny == l->scroll) return false;
  l->scroll = Klip(ny);
  if (l->scrollBar) SetScrollPos(l->scrollBar, SB_CTL, l->scroll, TRUE);
  TegnListBox(l);
  return true;
}

bool OverRaekker(const LBWS *l, int x, int y) {
  return y >= 1 && y <= l->height - 2 && x >= 1 && x <= l->width - SkrollBredde(l) - 2;
}
bool OverSkrollBar(const LBWS *l, int x, int y) {
  const int sb = SkrollBredde(l);
  return sb && y >= 1 && y <= l->height - 2 && x >= l->width - sb - 2 && x <= l->width - 2;
}
// The entry under y; 0 below the last one.
uint32_t RaekkeVed(const LBWS *l, int y) {
  const int64_t r = (y - 1 + static_cast<int64_t>(l->scroll)) / kListBoxRaekke + 1;
  return r >= 1 && r <= l->count ? static_cast<uint32_t>(r) : 0;
}

void Taster(HWND hwnd, LBWS *l, WPARAM tast) {
  switch (tast) {
    case VK_RETURN:
      Vaelg(hwnd, l);
      return;
    case VK_ESCAPE:
      Skjul(hwnd);
      return;
    case VK_UP: {
      SaetHot(l, l->current > 1 ? l->current - 1 : (l->count ? 1 : 0));
      while (l->current && kListBoxRaekke * static_cast<int64_t>(l->current - 1) < l->scroll)
        if (!RulLb(l, SB_LINEUP, 0)) break;
      return;
    }
    case VK_DOWN:
      SaetHot(l, l->current < l->count ? l->current + 1 : l->current);
      while (kListBoxRaekke * static_cast<int64_t>(l->current) > l->height + static_cast<int64_t>(l->scroll))
        if (!RulLb(l, SB_LINEDOWN, 0)) break;
      return;
    default:
      return;
  }
}

}  // namespace

LRESULT CALLBACK ListBoxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LBWS *l = Lb(hwnd);
  switch (msg) {
    case WM_CREATE: {
      l = static_cast<LBWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
      if (!l) return -1;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(l));
      l->scroll = 0;
      l->Strings = nullptr;
      l->count = 0;
      l->current = 0;
      l->hot = 0;
      l->dc = GetDC(hwnd);
      SetBkMode(l->dc, TRANSPARENT);
      l->oldFont = static_cast<HFONT>(SelectObject(l->dc, StdSkrift()));
      if (l->hasScrollBar) l->scrollBar = CreateScrollBarCtl(l->instance, hwnd, WS_CHILD | SBS_VERT, 0, 0, 0, 0);
      return 0;
    }
    case WM_SIZE:
      if (l) {
        l->width = static_cast<short>(LOWORD(lParam));
        l->height = static_cast<short>(HIWORD(lParam));
        if (l->scrollBar) {
          const int sb = GetSystemMetrics(SM_CXVSCROLL);
          MoveWindow(l->scrollBar, l->width - sb, 0, sb, l->height, TRUE);
          SetScrollCtl(l->scrollBar, l->height, Klip(kListBoxRaekke * static_cast<int64_t>(l->count) + 2),
                       l->scroll);
        }
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      if (l) TegnListBox(l);
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    case WM_MOUSEMOVE:
      if (l) {
        const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        if (OverRaekker(l, x, y)) {
          if (GetCapture() != hwnd) SetCapture(hwnd);
          SaetHot(l, RaekkeVed(l, y));
        } else if (OverSkrollBar(l, x, y) && GetCapture() == hwnd) {
          ReleaseCapture();
        }
      }
      return 0;
    case WM_LBUTTONDOWN:
      if (l) {
        const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        if (OverRaekker(l, x, y)) {
          SaetHot(l, RaekkeVed(l, y));
          if (l->current) Vaelg(hwnd, l);
        } else if (OverSkrollBar(l, x, y)) {
          if (GetCapture() == hwnd) ReleaseCapture();
        } else {
          Skjul(hwnd);
        }
      }
      return 0;
    case WM_KILLFOCUS:
      Skjul(hwnd);
      return 0;
    case WM_KEYDOWN:
      if (l) Taster(hwnd, l, wParam);
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (l) RulLb(l, LOWORD(wParam), wParam);
      return 0;
    case LISTBOX_TILFOEJ:
      if (l) {
        TilfoejStreng(l, reinterpret_cast<char *>(lParam));
        if (l->scrollBar)
          SetScrollCtl(l->scrollBar, l->height, Klip(kListBoxRaekke * static_cast<int64_t>(l->count) + 2),
                       l->scroll);
      }
      return 0;
    case LISTBOX_POST:
      if (!l || wParam == 0 || wParam > l->count) return 0;
      return reinterpret_cast<LRESULT>(&l->Strings[wParam - 1]);
    case LISTBOX_FJERN:
      if (l && wParam >= 1 && wParam <= l->count) {
        const uint32_t n = static_cast<uint32_t>(wParam);
        std::memmove(&l->Strings[n - 1], &l->Strings[n], (l->count - n) * sizeof(char *));
        --l->count;
        if (l->current == n || l->current > l->count) l->current = 0;
        if (l->hot > l->count) l->hot = 0;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    case LISTBOX_AKTUEL:
      if (l && wParam <= l->count) {
        l->current = static_cast<uint32_t>(wParam);
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    case WM_DESTROY:
      if (l) {
        if (l->dc) SelectObject(l->dc, l->oldFont);
        std::free(l->Strings);
        std::free(l);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      }
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateListBoxWnd(HINSTANCE inst, HWND owner, bool hasScrollBar) {
  auto *l = static_cast<LBWS *>(std::calloc(1, sizeof(LBWS)));
  if (!l) return 0;
  l->instance = inst;
  l->owner = owner;
  l->hasScrollBar = hasScrollBar ? 1 : 0;
  HWND h = CreateWindowExA(0, "ListBoxWndClass", "", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, owner, 0, inst, l);
  if (!h) std::free(l);
  return h;
}

// ==================================================================== record list

namespace {

ListeInfo *Li(HWND h) { return reinterpret_cast<ListeInfo *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

constexpr int kListeSkrollBredde = 13;
constexpr uint32_t kMaksRaekker = INT_MAX / kListeRaekke;

uint32_t Antal(const ListeInfo *li) { return li->count ? *li->count : 0; }
int64_t Total(const ListeInfo *li) { return kListeRaekke * static_cast<int64_t>(Antal(li)); }
int64_t RaekkeHoejde(const ListeInfo *li) { return kListeRaekke * static_cast<int64_t>(li->rows); }

// A record number that draws an empty row: none of the table's.
uint32_t IngenPost(const ListeInfo *li) { return li->pTv ? li->pTv->wRecCnt : 0; }

// The scroll bar exists exactly while the owner has more records than rows.
void TilpasSkrollBar(HWND hwnd, ListeInfo *li) {
  if (Antal(li) <= li->rows) {
    li->scroll = 0;
    if (li->scrollBar) {
      DestroyWindow(li->scrollBar);
      li->scrollBar = 0;
    }
    return;
  }
  if (RaekkeHoejde(li) + li->scroll > Total(li)) li->scroll = 0;
  if (!li->scrollBar)
    li->scrollBar = CreateScrollBarCtl(li->instance, hwnd, WS_CHILD | SBS_VERT, li->width - kListeSkrollBredde, 0,
                                       kListeSkrollBredde, li->height);
  SetScrollCtl(li->scrollBar, li->height, Klip(Total(li)), li->scroll);
}

// The staff figure right of the layout and the mark letter at 51 pixels
// further; the figure of a negative row is its alternative one.
void TegnFigurOgMaerke(ListeInfo *li, uint32_t indeks, int y) {
  EnsDC *dc = &li->dc;
  if (li->figures && *li->figures) {
    float figur = (*li->figures)[indeks];
    const bool negativ = figur < 0;
    if (negativ && li->altFigures && *li->altFigures) figur = (*li->altFigures)[indeks];
    char tekst[32];
    FormatKommaTal(tekst, sizeof tekst, 3, 2, figur);
    TegnFarvetTekst(dc, li->layoutWidth, y, negativ ? 16 : 8, 0, tekst, static_cast<int>(std::strlen(tekst)), 1);
  }
  const uint8_t maerke = (*li->marks)[indeks];
  if (!maerke) return;
  const char bogstav = static_cast<char>(64 + maerke);
  SetTextColor(dc->hdc, GetSysColor(COLOR_BTNSHADOW));
  SetBkColor(dc->hdc, FarveTab[0]);
  SetBkMode(dc->hdc, TRANSPARENT);
  TextOutA(dc->hdc, li->layoutWidth + 51, y, &bogstav, 1);
  dc->TekstFarve = dc->BkFarve = kIngenFarve;
}

void TegnTekster(ListeInfo *li) {
  FillRectIfAny(li->dc.hdc, FarveBrush[0], 0, 0, li->width, li->height);
  // The owner's variable may sit unaligned in a packed record (the remark
  // lines of a property set), so it is read bytewise.
  char **texts = nullptr;
  if (li->texts) std::memcpy(&texts, li->texts, sizeof texts);
  if (!texts) return;
  const uint32_t n = Antal(li);
  for (uint32_t i = static_cast<uint32_t>(li->scroll / kListeRaekke);
       i < n && kListeRaekke * static_cast<int64_t>(i) - li->scroll < li->height; ++i)
    if (const char *t = texts[i]) TegnTekstVed(&li->dc, 0, kListeRaekke * static_cast<int>(i) - li->scroll, t, 16);
}

bool RulListe(HWND hwnd, ListeInfo *li, UINT kode, WPARAM w) {
  const int64_t raekker = RaekkeHoejde(li), total = Total(li);
  int64_t ny = li->scroll;
  switch (kode) {
    case SB_LINEUP:
      ny = ny % kListeRaekke ? ny - ny % kListeRaekke : ny - kListeRaekke;
      break;
    case SB_LINEDOWN:
      if (raekker + ny < total) ny = (ny / kListeRaekke + 1) * kListeRaekke;
      break;
    case SB_PAGEUP:
      ny -= raekker;
      break;
    case SB_PAGEDOWN:
      ny = 2 * raekker + ny < total ? ny + raekker : total - raekker;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      ny = TommelPos(li->scrollBar, w);
      break;
    default:
      return false;
  }
  ny = std::max<int64_t>(ny, 0);
  if (ny == li->scroll) return false;
  li->scroll = Klip(ny);
  if (li->scrollBar) SetScrollPos(li->scrollBar, SB_CTL, li->scroll, TRUE);
  TegnListe(hwnd, li);
  return true;
}

// The program's key path for Alt, which a double click plays to the owner's parent.
void AltTilForaeldre(HWND owner) {
  if (HWND p = GetParent(owner)) SendMessageA(p, WM_KEYDOWN, VK_MENU, 66);
}

HINSTANCE InstansAf(HWND h) { return static_cast<HINSTANCE>(GetWindowLongPtrA(h, GWLP_HINSTANCE)); }

HWND OpretListe(ListeInfo *li, int x, int y, int width) {
  li->x = x;
  li->y = y;
  li->width = width;
  li->rows = std::min(li->rows, kMaksRaekker);
  li->height = static_cast<int32_t>(RaekkeHoejde(li));
  li->instance = InstansAf(li->owner);
  if (li->kind != '-') TabFromType(li->kind, &li->pTd, &li->pTv);
  li->layoutWidth = static_cast<int32_t>(ObjSwitchBredde(li->switchNo, li->kind, 0));
  HWND h = CreateWindowExA(0, "ListeWndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, width,
                           li->height, li->owner, 0, li->instance, li);
  if (!h) std::free(li);
  return h;
}

}  // namespace

void TegnListe(HWND hwnd, ListeInfo *li) {
  if (!li || !li->dc.hdc) return;
  TilpasSkrollBar(hwnd, li);
  if (li->kind == '-') return TegnTekster(li);
  if (!ObjSwitchLayout(li->switchNo, li->kind, 0)) FillRectIfAny(li->dc.hdc, FarveBrush[0], 0, 0, li->width, li->height);
  SwitchRaekkeValg v;
  v.hwnd = li->owner;
  v.Hoejde = kListeRaekke;
  v.RestBredde = li->width > li->layoutWidth ? static_cast<uint32_t>(li->width - li->layoutWidth) : 0;
  const uint32_t n = Antal(li);
  const uint32_t sidste = std::max(n, li->rows);
  const bool figurer = li->staffMode && li->marks && *li->marks;
  for (uint32_t i = static_cast<uint32_t>(li->scroll / kListeRaekke) + 1;
       i <= sidste && kListeRaekke * static_cast<int64_t>(i - 1) < RaekkeHoejde(li) + li->scroll; ++i) {
    const int y = kListeRaekke * static_cast<int>(i - 1) - li->scroll;
    uint32_t post = IngenPost(li);
    v.Valg1 = 0;
    if (i <= n) {
      if (li->records && *li->records && (*li->records)[i - 1] < IngenPost(li)) post = (*li->records)[i - 1];
      if (li->values && *li->values) v.Valg1 = static_cast<int32_t>((*li->values)[i - 1]);
    }
    TegnObjSwitchRaekke(&li->dc, 0, y, 0, li->switchNo, li->kind, 0, li->pTd, li->pTv, post, &v);
    if (figurer && i <= n) TegnFigurOgMaerke(li, i - 1, y);
  }
}

LRESULT CALLBACK ListeWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ListeInfo *li = Li(hwnd);
  switch (msg) {
    case WM_CREATE:
      li = static_cast<ListeInfo *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
      if (!li) return -1;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(li));
      SelectDCPalette(hwnd, &li->dc, TxtFont);
      TilpasSkrollBar(hwnd, li);
      return 0;
    case WM_SIZE:
      if (li) {
        li->width = static_cast<short>(LOWORD(lParam));
        if (li->scrollBar)
          MoveWindow(li->scrollBar, li->width - kListeSkrollBredde, 0, kListeSkrollBredde, li->height, TRUE);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      TegnListe(hwnd, li);
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    case WM_VSCROLL:
      if (li) RulListe(hwnd, li, LOWORD(wParam), wParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (li && li->kind == '-') AltTilForaeldre(li->owner);
      return 0;
    case LISTE_RAEKKER:
      if (li && static_cast<uint64_t>(lParam) <= kMaksRaekker) {
        li->rows = static_cast<uint32_t>(lParam);
        li->height = static_cast<int32_t>(RaekkeHoejde(li));
        SetWindowPos(hwnd, 0, 0, 0, li->width, li->height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (li->scrollBar)
          MoveWindow(li->scrollBar, li->width - kListeSkrollBredde, 0, kListeSkrollBredde, li->height, TRUE);
        TegnListe(hwnd, li);
      }
      return 0;
    case WM_DESTROY:
      std::free(li);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateListeWnd(HWND owner, uint8_t kind, int x, int y, int width, uint32_t rows, uint32_t *count,
                    uint32_t **records, uint32_t **values, char ***texts, uint8_t switchNo) {
  auto *li = static_cast<ListeInfo *>(std::calloc(1, sizeof(ListeInfo)));
  if (!li) return 0;
  li->kind = kind;
  li->owner = owner;
  li->rows = rows;
  li->count = count;
  li->records = records;
  li->values = values;
  li->texts = texts;
  li->switchNo = switchNo;
  return OpretListe(li, x, y, width);
}

HWND CreateMedaListeWnd(HWND owner, int x, int y, int width, uint32_t rows, uint32_t *count,
                        uint32_t **records, uint32_t **values, float **altFigures, float **figures,
                        uint8_t **marks, uint8_t switchNo) {
  auto *li = static_cast<ListeInfo *>(std::calloc(1, sizeof(ListeInfo)));
  if (!li) return 0;
  li->kind = 'M';
  li->owner = owner;
  li->rows = rows;
  li->count = count;
  li->records = records;
  li->values = values;
  li->altFigures = altFigures;
  li->figures = figures;
  li->marks = marks;
  li->staffMode = 1;
  li->switchNo = switchNo;
  return OpretListe(li, x, y, width);
}

// ==================================================================== one-record field

namespace {

SoloInfo *Si(HWND h) { return reinterpret_cast<SoloInfo *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

void TegnSolo(SoloInfo *s) {
  if (!s->dc.hdc) return;
  if (s->kind && s->record && s->pTd) {
    if (!ObjSwitchLayout(s->switchNo, s->kind, 0)) FillRectIfAny(s->dc.hdc, FarveBrush[0], 0, 0, s->width, s->height);
    SwitchRaekkeValg v;
    v.hwnd = s->owner;
    v.Hoejde = kListeRaekke;
    const int32_t bredde = static_cast<int32_t>(ObjSwitchBredde(s->switchNo, s->kind, 0));
    v.RestBredde = s->width > bredde ? static_cast<uint32_t>(s->width - bredde) : 0;
    const uint32_t post = *s->record < s->pTv->wRecCnt ? *s->record : s->pTv->wRecCnt;
    TegnObjSwitchRaekke(&s->dc, 0, 0, 0, s->switchNo, s->kind, 0, s->pTd, s->pTv, post, &v);
    return;
  }
  FillRectIfAny(s->dc.hdc, FarveBrush[0], 0, 0, s->width, s->height);
  if (s->caption) TegnTekstVed(&s->dc, 0, 0, s->caption, 16);
}

}  // namespace

LRESULT CALLBACK SoloWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  SoloInfo *s = Si(hwnd);
  switch (msg) {
    case WM_CREATE:
      s = static_cast<SoloInfo *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
      if (!s) return -1;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
      SelectDCPalette(hwnd, &s->dc, TxtFont);
      return 0;
    case WM_SIZE:
      if (s) {
        s->width = static_cast<short>(LOWORD(lParam));
        s->height = static_cast<short>(HIWORD(lParam));
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      if (s) TegnSolo(s);
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    case WM_MOUSEMOVE:
      if (s && s->tooltip) {
        TRACKMOUSEEVENT t = {sizeof t, TME_HOVER | TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&t);
      }
      return 0;
    case WM_MOUSEHOVER:
      if (s && s->tooltip) VisTooltip(s->tooltip, nullptr, 0);
      return 0;
    case WM_MOUSELEAVE:
      if (hwndTooltip) SendMessageA(hwndTooltip, TT_DEFAULTFONT, 0, 0);
      SkjulTooltip();
      return 0;
    case WM_LBUTTONDBLCLK:
      if (s) AltTilForaeldre(s->owner);
      return 0;
    case WM_DESTROY:
      if (s) {
        if (s->tooltip) SkjulTooltip();
        std::free(s->caption);
        std::free(s);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      }
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateSoloWnd(HWND owner, uint8_t kind, int x, int y, int width, uint32_t *record, const char *caption,
                   uint8_t switchNo, const char *tooltip) {
  auto *s = static_cast<SoloInfo *>(std::calloc(1, sizeof(SoloInfo)));
  if (!s) return 0;
  s->instance = InstansAf(owner);
  s->kind = kind;
  s->owner = owner;
  s->record = record;
  s->switchNo = switchNo;
  s->x = x;
  s->y = y;
  s->width = width;
  s->height = kListeRaekke;
  s->tooltip = const_cast<char *>(tooltip);
  if (caption && !(s->caption = strdup(caption))) {
    std::free(s);
    return 0;
  }
  if (kind) TabFromType(kind, &s->pTd, &s->pTv);
  HWND h = CreateWindowExA(0, "SoloWndClass", "", WS_CHILD | WS_CLIPSIBLINGS, x, y, width, s->height, owner, 0,
                           s->instance, s);
  if (!h) {
    std::free(s->caption);
    std::free(s);
  }
  return h;
}

void TegnTekstVed(EnsDC *dc, int x, int y, const char *tekst, uint8_t farve) {
  if (!dc || !dc->hdc || !tekst) return;
  SIZE sz = {0, 0};
  const int n = static_cast<int>(std::strlen(tekst));
  GetTextExtentPoint32A(dc->hdc, tekst, n, &sz);
  RECT r = {x, y, x + sz.cx, y + sz.cy};
  SetTextColor(dc->hdc, FarveTab[farve < kAntalFarver ? farve : 16]);
  SetBkColor(dc->hdc, FarveTab[0]);
  SetBkMode(dc->hdc, TRANSPARENT);
  DrawTextA(dc->hdc, tekst, n, &r, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  dc->TekstFarve = dc->BkFarve = kIngenFarve;
}

// ==================================================================== registration

namespace {

struct ListeKlasse {
  const char *navn;
  WNDPROC proc;
  UINT stil;
};

const ListeKlasse kListeKlasser[] = {
    {"ListBoxWndClass", ListBoxWndProc, CS_OWNDC},
    {"ListeWndClass", ListeWndProc, CS_OWNDC | CS_DBLCLKS},
    {"SoloWndClass", SoloWndProc, CS_OWNDC | CS_DBLCLKS},
    {"ShortCutWndClass", ShortCutWndProc, CS_OWNDC},
};

}  // namespace

bool RegistrerListeKlasser(HINSTANCE inst) {
  bool alle = true;
  for (const ListeKlasse &k : kListeKlasser) {
    WNDCLASSA wc;
    std::memset(&wc, 0, sizeof wc);
    wc.style = k.stil;
    wc.lpfnWndProc = k.proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(0, IDC_ARROW);
    wc.lpszClassName = k.navn;
    if (!RegisterClassA(&wc)) alle = false;
  }
  return alle;
}

void AfregistrerListeKlasser(HINSTANCE inst) {
  for (const ListeKlasse &k : kListeKlasser) UnregisterClassA(k.navn, inst);
}
