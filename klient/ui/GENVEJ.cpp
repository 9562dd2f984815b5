// The shortcut pick list. It holds the focus and the mouse while it is open
// and ends in one of two ways: a choice (the owner gets the key) or a
// cancel; the main window hears of both. A list without rows has nothing to
// choose, so Enter cancels it.

#include "GENVEJ.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

HWND HovedVindue = 0;

void TilHoved(UINT besked, LPARAM l) {
  if (HovedVindue && IsWindow(HovedVindue)) SendMessageA(HovedVindue, besked, 0, l);
}

ShortCutInfo *Sc(HWND h) { return reinterpret_cast<ShortCutInfo *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

int RaekkeBredde(const ShortCutInfo *si) { return si->descriptionWidth + si->keyWidth + 9; }

void TegnTekst(HDC dc, int x, int y, const char *tekst, int sysFarve) {
  SetTextColor(dc, GetSysColor(sysFarve));
  TextOutA(dc, x, y, tekst, static_cast<int>(std::strlen(tekst)));
}

// Row i (1-based): the current one on the caption colour; an entry the owner
// cannot carry out now greyed, embossed when it is not current.
void TegnRaekke(const ShortCutInfo *si, uint32_t i) {
  if (!si->dc || i < 1 || i > si->pos.Antal) return;
  const ShortCutPost &p = si->table->Poster[i - 1];
  const int top = static_cast<int>(i - 1) * si->rowHeight + 2;
  const bool aktuel = i == si->pos.Aktuel;
  RECT r = {0, top, RaekkeBredde(si), top + si->rowHeight};
  FillRect(si->dc, &r, GetSysColorBrush(aktuel ? COLOR_ACTIVECAPTION : COLOR_BTNFACE));
  SetBkMode(si->dc, TRANSPARENT);
  const char *beskrivelse = p.Beskrivelse ? p.Beskrivelse : "";
  const char *navn = p.TastNavn ? p.TastNavn : "";
  const int tastX = si->descriptionWidth + 7;
  if (si->available[i - 1]) {
    const int farve = aktuel ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT;
    TegnTekst(si->dc, 2, top, beskrivelse, farve);
    TegnTekst(si->dc, tastX, top, navn, farve);
    return;
  }
  if (!aktuel) {
    TegnTekst(si->dc, 3, top + 1, beskrivelse, COLOR_BTNHIGHLIGHT);
    TegnTekst(si->dc, tastX + 1, top + 1, navn, COLOR_BTNHIGHLIGHT);
  }
  TegnTekst(si->dc, 2, top, beskrivelse, COLOR_GRAYTEXT);
  TegnTekst(si->dc, tastX, top, navn, COLOR_GRAYTEXT);
}

void TegnAlle(HWND hwnd, ShortCutInfo *si) {
  if (!si->dc) return;
  RECT rc;
  GetClientRect(hwnd, &rc);
  FillRect(si->dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  for (uint32_t i = 1; i <= si->pos.Antal; ++i) TegnRaekke(si, i);
  si->previous = si->pos.Aktuel;
}

// Repaints the row left and the row come to after a move.
void EfterFlyt(ShortCutInfo *si) {
  if (si->pos.Aktuel == si->previous) return;
  if (si->previous >= si->pos.Foerste && si->previous < si->pos.Foerste + si->pos.Synlige)
    TegnRaekke(si, si->previous);
  TegnRaekke(si, si->pos.Aktuel);
  si->previous = si->pos.Aktuel;
}

void Luk(HWND hwnd) {
  TilHoved(HOVED_INPUT_LUKKET, 0);
  DestroyWindow(hwnd);
}

// Enter and a click: the table learns the index, the main window that the
// pop-up is done, and the owner gets the key.
void Vaelg(HWND hwnd, ShortCutInfo *si) {
  if (si->pos.Antal == 0 || si->pos.Aktuel < 1 || si->pos.Aktuel > si->pos.Antal) return Luk(hwnd);
  const uint32_t valgt = si->pos.Aktuel - 1;
  si->table->Valgt = static_cast<uint8_t>(valgt);
  const TastInfo *tast = &si->table->Poster[valgt].Tast;
  const HWND owner = si->owner;
  SetWindowPos(hwnd, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  TilHoved(HOVED_INPUT_LUKKET, 0);
  SendMessageA(owner, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(tast));
  if (IsWindow(hwnd)) DestroyWindow(hwnd);
}

bool IKlient(HWND hwnd, int x, int y, int mindst) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  return x >= mindst && y >= mindst && x < rc.right && y < rc.bottom;
}

// The row under y, or 0 when the list has none.
uint32_t RaekkeVed(const ShortCutInfo *si, int y) {
  if (si->rowHeight <= 0 || si->pos.Antal == 0) return 0;
  return std::min(static_cast<uint32_t>(y / si->rowHeight) + 1, si->pos.Antal);
}

void Opret(HWND hwnd, ShortCutInfo *si) {
  si->window = hwnd;
  si->dc = GetDC(hwnd);
  SelectObject(si->dc, GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA tm;
  std::memset(&tm, 0, sizeof tm);
  GetTextMetricsA(si->dc, &tm);
  si->rowHeight = tm.tmHeight;

  uint32_t antal = 0;
  for (const ShortCutPost *p = si->table->Poster; p && p->Beskrivelse && *p->Beskrivelse; ++p, ++antal) {
    SIZE sz = {0, 0};
    GetTextExtentPoint32A(si->dc, p->Beskrivelse, static_cast<int>(std::strlen(p->Beskrivelse)), &sz);
    si->descriptionWidth = std::max(si->descriptionWidth, static_cast<int32_t>(sz.cx));
    const char *navn = p->TastNavn ? p->TastNavn : "";
    GetTextExtentPoint32A(si->dc, navn, static_cast<int>(std::strlen(navn)), &sz);
    si->keyWidth = std::max(si->keyWidth, static_cast<int32_t>(sz.cx));
  }
  si->pos.Antal = si->pos.Synlige = antal;
  si->pos.Foerste = si->pos.Aktuel = si->previous = 1;

  si->available = static_cast<uint8_t *>(std::calloc(antal ? antal : 1, 1));
  for (uint32_t i = 0; i < antal && si->available; ++i)
    si->available[i] = SendMessageA(si->owner, TAST_SPOERG, 0,
                                    reinterpret_cast<LPARAM>(&si->table->Poster[i].Tast)) != 0;

  const int ramme = GetSystemMetrics(SM_CXFRAME);
  const int bredde = si->descriptionWidth + si->keyWidth + 2 * ramme + 9;
  const int hoejde = si->rowHeight * static_cast<int>(antal) + 2 * (GetSystemMetrics(SM_CYFRAME) + 2);
  RECT arbejde;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &arbejde, 0);
  if (si->x + bredde > arbejde.right) si->x -= bredde;
  if (si->y + hoejde > arbejde.bottom) si->y -= hoejde;

  SetFocus(hwnd);
  MoveWindow(hwnd, si->x, si->y, bredde, hoejde, FALSE);
  SetCapture(hwnd);
}

}  // namespace

void SaetGenvejHovedVindue(HWND hwnd) { HovedVindue = hwnd; }

LRESULT CALLBACK ShortCutWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ShortCutInfo *si = Sc(hwnd);
  switch (msg) {
    case WM_CREATE:
      si = static_cast<ShortCutInfo *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
      if (!si || !si->table) return -1;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(si));
      Opret(hwnd, si);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      if (si) TegnAlle(hwnd, si);
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!si) return 0;
      switch (wParam) {
        case VK_RETURN:
          Vaelg(hwnd, si);
          break;
        case VK_ESCAPE:
          Luk(hwnd);
          break;
        case VK_UP:
        case VK_DOWN:
          if (GridTastFlyt(&si->pos, static_cast<unsigned>(wParam))) EfterFlyt(si);
          break;
        default:
          break;
      }
      return 0;
    case WM_MOUSEMOVE:
      if (si) {
        const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        const uint32_t r = IKlient(hwnd, x, y, 1) ? RaekkeVed(si, y) : 0;
        if (r) {
          si->pos.Aktuel = r;
          EfterFlyt(si);
        }
      }
      return 0;
    case WM_LBUTTONDOWN:
      if (si) {
        const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        if (!IKlient(hwnd, x, y, 0)) {
          Luk(hwnd);
          return 0;
        }
        if (const uint32_t r = RaekkeVed(si, y)) {
          si->pos.Aktuel = r;
          EfterFlyt(si);
        }
        Vaelg(hwnd, si);
      }
      return 0;
    case WM_DESTROY:
      if (si) {
        if (si->owner && IsWindow(si->owner)) SendMessageA(si->owner, WM_PAINT, 0, 0);
        // The focus goes back where it was, unless the owner moved it while
        // it handled the key.
        const HWND fokus = GetFocus();
        if ((!fokus || fokus == hwnd) && si->previousFocus && IsWindow(si->previousFocus))
          SetFocus(si->previousFocus);
        std::free(si->available);
        std::free(si);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      }
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateShortCutWnd(HINSTANCE inst, HWND owner, int x, int y, ShortCutTabel *table) {
  if (!table) return 0;
  auto *si = static_cast<ShortCutInfo *>(std::calloc(1, sizeof(ShortCutInfo)));
  if (!si) return 0;
  si->instance = inst;
  si->owner = owner;
  si->previousFocus = GetFocus();
  si->x = x;
  si->y = y;
  si->table = table;
  HWND h = CreateWindowExA(0, "ShortCutWndClass", "", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_DLGFRAME,
                           100, 100, 300, 500, owner, 0, inst, si);
  if (!h) {
    std::free(si);
    return 0;
  }
  ShowWindow(h, SW_SHOW);
  UpdateWindow(h);
  BringWindowToTop(h);
  TilHoved(HOVED_INPUT_AABEN, static_cast<LPARAM>(h));
  return h;
}

void FrigivVinduesSaet(VinduesSaet *saet) {
  if (!saet) return;
  for (uint32_t i = 0; saet->Vinduer && i < saet->Antal; ++i)
    if (saet->Vinduer[i] && IsWindow(saet->Vinduer[i])) DestroyWindow(saet->Vinduer[i]);
  std::free(saet->Vinduer);
  std::free(saet->Vaerdier);
  std::free(saet->Flag);
  *saet = VinduesSaet{};
}
