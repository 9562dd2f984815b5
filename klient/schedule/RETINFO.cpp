#include "RETINFO.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "AKTICHK.h"
#include "AVSHJAELP.h"
#include "ENS.h"
#include "ENSDC.h"
#include "FARVER.h"
#include "FONTE.h"
#include "LISTBOX.h"
#include "SWITCH.h"

namespace {

constexpr int kMaksLinjer = 12;
constexpr int kTop = 26;
constexpr int kMellemrum = 6;

const char *const kLang[kRetInfoBlokke] = {"Aktiviteter", "Skolefag", "Medarbejdere", "Lokaler", "Bemærkning"};
const char *const kKort[kRetInfoBlokke] = {"Akt", "Fag", "Med", "Lok", "Bem"};
const char kBogstav[kRetInfoBlokke] = {'K', 'S', 'M', 'L', 'B'};
// The table letter of each block's list.
const uint8_t kListeArt[kRetInfoBlokke] = {'K', 'U', 'M', 'L', '-'};

bool Har(const char *bogstaver, int blok) { return bogstaver && std::strchr(bogstaver, kBogstav[blok]); }

// The event's lists in aligned variables: the set is packed, and the list
// panes read their rows through pointers to these at every paint.
struct Spejl {
  uint32_t aktiAntal, anfoAntal, lokaAntal, bemAntal;
  uint32_t skfa_id;
  uint32_t *aktiTab, *anfoTab, *skemarolTab, *lokaTab, *lokrolleTab;
  float *minutTab;
  char **bemTab;
};

struct RetInfoStruct {
  HINSTANCE inst;
  HWND parent;
  uint32_t left, top, width, height;
  AVS *avs;
  AVS start;
  char bogstaver[8];
  char titel[64];
  HWND boern[kRetInfoBlokke];
  uint32_t linjer[kRetInfoBlokke];
  uint8_t flag;
  uint8_t lange;
  int32_t overskriftB;  // the heading column
  int32_t vaerdiB;      // the value column
  Spejl spejl;
  EnsDC dc;
};

void OpdaterSpejl(RetInfoStruct *ri) {
  const AVS *a = ri->avs;
  Spejl &s = ri->spejl;
  if (!a) {
    s = Spejl{};
    return;
  }
  s.aktiAntal = a->aktiAntal;
  s.anfoAntal = a->anfoAntal;
  s.lokaAntal = a->lokaAntal;
  s.bemAntal = a->bemAntal;
  s.skfa_id = a->skfa_id;
  s.aktiTab = a->aktiTab;
  s.anfoTab = a->anfoTab;
  s.skemarolTab = a->skemarolTab;
  s.lokaTab = a->lokaTab;
  s.lokrolleTab = a->lokrolleTab;
  s.minutTab = a->minutTab;
  s.bemTab = a->bemTab;
}

HFONT RudeFont() { return TxtFont ? TxtFont : StdFont; }

int32_t TekstBredde(HDC dc, const char *s) {
  SIZE sz{};
  GetTextExtentPoint32A(dc, s, static_cast<int>(std::strlen(s)), &sz);
  return sz.cx;
}

// The widest heading of the letters present, with its " *".
int32_t OverskriftBredde(HDC dc, const char *bogstaver, bool lang) {
  int32_t b = 0;
  char buf[32];
  for (int k = 0; k < kRetInfoBlokke; ++k)
    if (Har(bogstaver, k)) b = std::max(b, TekstBredde(dc, RetInfoOverskrift(k, lang, false, true, buf, sizeof buf)));
  return b;
}

int32_t VaerdiBredde(const char *bogstaver) {
  int32_t b = 0;
  for (int k = 0; k < kRetInfoBlokke; ++k) {
    if (!Har(bogstaver, k)) continue;
    const uint8_t art = kListeArt[k];
    int32_t w = static_cast<int32_t>(ObjSwitchBredde(kRetInfoSwitchArt, art, ObjSwitchValgt(kRetInfoSwitchArt, art)));
    if (k == RI_ANFO) w += 38;
    b = std::max(b, w);
  }
  return b;
}

// Measures the headings on a memory DC in the pane's font.
void MaalOverskrifter(const char *bogstaver, int32_t *lang, int32_t *kort) {
  HDC dc = CreateCompatibleDC(0);
  HGDIOBJ gammel = dc && RudeFont() ? SelectObject(dc, RudeFont()) : 0;
  *lang = dc ? OverskriftBredde(dc, bogstaver, true) : 0;
  *kort = dc ? OverskriftBredde(dc, bogstaver, false) : 0;
  if (gammel) SelectObject(dc, gammel);
  if (dc) DeleteDC(dc);
}

bool Forskel(const RetInfoStruct *ri, int blok) {
  const AVS *a = ri->avs;
  const AVS *s = &ri->start;
  if (!a) return false;
  switch (blok) {
    case RI_AKTI:
      return !SameU32Tab(a->aktiAntal, s->aktiAntal, a->aktiTab, s->aktiTab);
    case RI_SKFA:
      return a->skfa_id != s->skfa_id;
    case RI_ANFO:
      return !SameU32Tab(a->anfoAntal, s->anfoAntal, a->anfoTab, s->anfoTab) ||
             !SameU32Tab(a->anfoAntal, s->anfoAntal, a->skemarolTab, s->skemarolTab) ||
             !SameF32Tab(a->anfoAntal, s->anfoAntal, a->minutTab, s->minutTab);
    case RI_LOKA:
      return !SameU32Tab(a->lokaAntal, s->lokaAntal, a->lokaTab, s->lokaTab) ||
             !SameU32Tab(a->lokaAntal, s->lokaAntal, a->lokrolleTab, s->lokrolleTab);
    case RI_BEM: {
      char **al = a->bemTab, **sl = s->bemTab;
      return ObjListeDiffer({al, a->bemAntal}, {sl, s->bemAntal});
    }
    default:
      return false;
  }
}

int32_t BlokTop(const RetInfoStruct *ri, int blok) {
  int32_t y = kTop;
  for (int k = 0; k < blok; ++k)
    if (Har(ri->bogstaver, k)) y += static_cast<int32_t>(ri->linjer[k]) * kListeRaekke + kMellemrum;
  return y;
}

int32_t ListeBredde(const RetInfoStruct *ri) {
  const int32_t plads = static_cast<int32_t>(ri->width) - ri->overskriftB - 16;
  return std::max<int32_t>(0, std::min(ri->vaerdiB, plads));
}

void VaelgOverskrifter(RetInfoStruct *ri) {
  int32_t lang = 0, kort = 0;
  MaalOverskrifter(ri->bogstaver, &lang, &kort);
  ri->vaerdiB = VaerdiBredde(ri->bogstaver);
  ri->lange = static_cast<int32_t>(ri->width) >= lang + 16 + ri->vaerdiB;
  ri->overskriftB = (ri->lange ? lang : kort) + 10;
}

void LavBoern(HWND hwnd, RetInfoStruct *ri) {
  Spejl &s = ri->spejl;
  const int32_t x = ri->overskriftB + 1, b = ListeBredde(ri);
  for (int k = 0; k < kRetInfoBlokke; ++k) {
    if (!Har(ri->bogstaver, k)) continue;
    const int32_t y = BlokTop(ri, k);
    const uint32_t n = ri->linjer[k];
    HWND c = 0;
    switch (k) {
      case RI_AKTI:
        c = CreateListeWnd(hwnd, 'K', x, y, b, n, &s.aktiAntal, &s.aktiTab, nullptr, nullptr, kRetInfoSwitchArt);
        break;
      case RI_SKFA:
        c = CreateSoloWnd(hwnd, 'U', x, y, b, &s.skfa_id, "", kRetInfoSwitchArt, nullptr);
        break;
      case RI_ANFO:
        c = CreateMedaListeWnd(hwnd, x, y, b, n, &s.anfoAntal, &s.anfoTab, &s.skemarolTab, nullptr, &s.minutTab,
                               nullptr, kRetInfoSwitchArt);
        break;
      case RI_LOKA:
        c = CreateListeWnd(hwnd, 'L', x, y, b, n, &s.lokaAntal, &s.lokaTab, &s.lokrolleTab, nullptr,
                           kRetInfoSwitchArt);
        break;
      case RI_BEM:
        c = CreateListeWnd(hwnd, '-', x, y, b, n, &s.bemAntal, nullptr, nullptr, &s.bemTab, kRetInfoSwitchArt);
        break;
      default:
        break;
    }
    ri->boern[k] = c;
    if (c) {
      ShowWindow(c, SW_SHOW);
      UpdateWindow(c);
    }
  }
}

void Placer(RetInfoStruct *ri) {
  const int32_t x = ri->overskriftB + 1, b = ListeBredde(ri);
  for (int k = 0; k < kRetInfoBlokke; ++k)
    if (ri->boern[k])
      MoveWindow(ri->boern[k], x, BlokTop(ri, k), b, static_cast<int>(ri->linjer[k]) * kListeRaekke, TRUE);
}

void Tegn(HWND hwnd, RetInfoStruct *ri) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r{0, 0, static_cast<LONG>(ri->width), static_cast<LONG>(ri->height)};
  FillRect(dc, &r, FarveBrush[0] ? FarveBrush[0] : GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ gammel = RudeFont() ? SelectObject(dc, RudeFont()) : 0;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_3DDKSHADOW));
  TextOutA(dc, 6, 3, ri->titel, static_cast<int>(std::strlen(ri->titel)));
  const bool rettet = std::strstr(ri->titel, "RETTET") != nullptr;
  char buf[32];
  for (int k = 0; k < kRetInfoBlokke; ++k) {
    if (!Har(ri->bogstaver, k)) continue;
    RetInfoOverskrift(k, ri->lange, rettet, Forskel(ri, k), buf, sizeof buf);
    RECT t{6, BlokTop(ri, k), ri->overskriftB, BlokTop(ri, k) + kListeRaekke + 2};
    UINT stil = DT_SINGLELINE | DT_LEFT | DT_TOP | DT_END_ELLIPSIS;
    if (!(rettet && k == RI_BEM)) stil |= DT_NOPREFIX;
    DrawTextA(dc, buf, -1, &t, stil);
  }
  if (gammel) SelectObject(dc, gammel);
  EndPaint(hwnd, &ps);
}

RetInfoStruct *Ws(HWND hwnd) { return reinterpret_cast<RetInfoStruct *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

}  // namespace

void RetInfoLinjer(const AVS *avs, const char *bogstaver, uint32_t linjer[kRetInfoBlokke]) {
  for (int k = 0; k < kRetInfoBlokke; ++k) linjer[k] = 0;
  if (Har(bogstaver, RI_AKTI)) linjer[RI_AKTI] = std::max<uint32_t>(1, avs ? avs->aktiAntal : 0);
  if (Har(bogstaver, RI_SKFA)) linjer[RI_SKFA] = 1;
  if (Har(bogstaver, RI_ANFO)) linjer[RI_ANFO] = std::max<uint32_t>(1, avs ? avs->anfoAntal : 0);
  if (Har(bogstaver, RI_LOKA)) linjer[RI_LOKA] = std::max<uint32_t>(1, avs ? avs->lokaAntal : 0);
  if (Har(bogstaver, RI_BEM)) linjer[RI_BEM] = std::max<uint32_t>(2, avs ? avs->bemAntal : 0);
  uint32_t &a = linjer[RI_AKTI], &m = linjer[RI_ANFO], &l = linjer[RI_LOKA];
  auto sum = [&] {
    uint32_t s = 0;
    for (int k = 0; k < kRetInfoBlokke; ++k) s += linjer[k];
    return s;
  };
  // A long remark can keep the sum above 12 by itself; the three lists keep
  // at least one line each.
  while (sum() > kMaksLinjer && std::max({a, m, l}) > 1) {
    if (a >= std::max(m, l))
      --a;
    else if (m > l)
      --m;
    else
      --l;
  }
}

const char *RetInfoOverskrift(int blok, bool lang, bool rettet, bool stjerne, char *buf, size_t n) {
  if (!buf || n == 0) return "";
  buf[0] = '\0';
  if (blok < 0 || blok >= kRetInfoBlokke) return buf;
  const char *navn = lang ? kLang[blok] : kKort[blok];
  std::snprintf(buf, n, "%s%s%s", rettet && blok == RI_BEM ? "&" : "", navn, stjerne ? " *" : "");
  return buf;
}

int32_t RetInfoBredde(const char *bogstaver, int32_t tilbudt) {
  int32_t lang = 0, kort = 0;
  MaalOverskrifter(bogstaver, &lang, &kort);
  const int32_t vaerdi = VaerdiBredde(bogstaver);
  const int32_t b = lang + 31 + vaerdi <= tilbudt ? lang + 31 + vaerdi : kort + 31 + vaerdi;
  return std::min(b, tilbudt);
}

LRESULT CALLBACK RetInfoWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  RetInfoStruct *ri = Ws(hwnd);
  switch (msg) {
    case WM_CREATE: {
      ri = static_cast<RetInfoStruct *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
      if (!ri) return -1;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ri));
      VaelgOverskrifter(ri);
      SelectDCPalette(hwnd, &ri->dc, RudeFont());
      OpdaterSpejl(ri);
      LavBoern(hwnd, ri);
      return 0;
    }
    case WM_SIZE:
      if (!ri) break;
      ri->width = LOWORD(lParam);
      ri->height = HIWORD(lParam);
      VaelgOverskrifter(ri);
      Placer(ri);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT:
      if (!ri) break;
      OpdaterSpejl(ri);
      Tegn(hwnd, ri);
      return 0;
    case VINDUE_TEGN_MED:
    case DATA_AENDRET2:
      if (!ri) break;
      OpdaterSpejl(ri);
      for (HWND c : ri->boern)
        if (c) InvalidateRect(c, nullptr, FALSE);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_DESTROY:
      if (!ri) break;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      CleanupAVS(&ri->start);
      std::free(ri);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateRetInfoWnd(HINSTANCE inst, HWND parent, int32_t left, int32_t top, int32_t right, int32_t bottom,
                      AVS *avs, uint8_t flag, const char *bogstaver, const char *titel) {
  auto *ri = static_cast<RetInfoStruct *>(std::calloc(1, sizeof(RetInfoStruct)));
  if (!ri) return 0;
  ri->inst = inst;
  ri->parent = parent;
  ri->left = static_cast<uint32_t>(left);
  ri->top = static_cast<uint32_t>(top);
  ri->width = static_cast<uint32_t>(std::max(0, right - left + 1));
  ri->height = static_cast<uint32_t>(std::max(0, bottom - top + 1));
  ri->avs = avs;
  ri->flag = flag;
  std::snprintf(ri->bogstaver, sizeof ri->bogstaver, "%s", bogstaver ? bogstaver : "");
  std::snprintf(ri->titel, sizeof ri->titel, "%s", titel ? titel : "");
  CleanupAVS(&ri->start);
  if (avs) KopierAVS(avs, &ri->start);
  RetInfoLinjer(avs, ri->bogstaver, ri->linjer);
  HWND h = CreateWindowExA(0, kRetInfoKlasse, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, left, top,
                           static_cast<int>(ri->width), static_cast<int>(ri->height), parent, 0, inst, ri);
  if (!h) {
    // The workspace is freed by WM_DESTROY only once the window exists.
    CleanupAVS(&ri->start);
    std::free(ri);
  }
  return h;
}

bool RegistrerRetInfoKlasse(HINSTANCE inst) {
  WNDCLASSA wc{};
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = RetInfoWndProc;
  wc.hInstance = inst;
  wc.lpszClassName = kRetInfoKlasse;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  return RegisterClassA(&wc) != 0;
}

void RetInfoMaerker(HWND hwnd, bool maerker[kRetInfoBlokke]) {
  const RetInfoStruct *ri = Ws(hwnd);
  for (int k = 0; k < kRetInfoBlokke; ++k) maerker[k] = ri && Har(ri->bogstaver, k) && Forskel(ri, k);
}

bool RetInfoLangeOverskrifter(HWND hwnd) {
  const RetInfoStruct *ri = Ws(hwnd);
  return ri && ri->lange;
}
