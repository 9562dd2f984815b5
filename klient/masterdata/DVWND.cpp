// The raw table viewer. Rows are drawn as text from the stored bytes so that
// what support sees is what the file holds, not what a window makes of it.

#include "DVWND.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FARVER.h"
#include "FELTTEKST.h"
#include "KALENDER.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "RELMATRIX.h"
#include "SORTIDX.h"
#include "TABOPER.h"
#include "TEKST.h"
#include "VINDUER.h"

namespace {

constexpr const char *kKlasse = "DVWndClass";
constexpr int kMinHoejde = 100, kMinBredde = 150;
constexpr int kTekstInd = 3;
constexpr int kVandretTrin = 10;

bool ErFremmedNoegle(const FeltDef &f) { return f.Ref >= 128; }

// The table a foreign key names, or null.
const TabDesc *MaalTabel(const FeltDef &f, TabVar **ppTv) {
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  if (TabFromNr(f.Ref, &pTd, &pTv) != 0) return nullptr;
  if (ppTv) *ppTv = pTv;
  return pTd;
}

uint32_t LaesU32(const uint8_t *el, uint8_t size) {
  uint32_t v = 0;
  std::memcpy(&v, el, std::min<size_t>(size, sizeof v));
  return v;
}

std::string Tal(const FeltDef &f, double v) {
  char b[FELTTEKST_LEN];
  FormatKommaTal(b, sizeof b, static_cast<int>(f.Bredde) - f.Decimaler, f.Decimaler, v);
  return b;
}

std::string ElementTekst(const TabDesc *pTd, const TabVar *pTv, uint32_t n, uint32_t felt, uint32_t rep,
                         int dybde) {
  if (!pTd || !pTv || felt >= pTd->AntalFelter || n == 0 || n >= pTv->wRecCnt) return "";
  const FeltDef &f = pTd->FeltTab[felt];
  const uint8_t *rec = GetRec(pTd, pTv, n);
  if (!rec || rep >= std::max<uint32_t>(f.Antal, 1)) return "";
  const uint8_t *el = rec + f.Offset + rep * f.Size;
  if (ErFremmedNoegle(f)) {
    TabVar *pMaalTv = nullptr;
    const TabDesc *pMaal = MaalTabel(f, &pMaalTv);
    if (!pMaal || dybde >= FELT_MAX_FOELG) return "";
    return ElementTekst(pMaal, pMaalTv, LaesU32(el, f.Size), 1, 0, dybde + 1);
  }
  switch (f.Type) {
    case FT_CHAR:
    case FT_JANEJ:
      return std::string(1, static_cast<char>(el[0]));
    case FT_U8:
      return Tal(f, el[0]);
    case FT_I32:
    case FT_U32:
    case FT_HELTAL:
    case FT_ID:
      // Read unsigned: support must see the stored bits, not a sign.
      return Tal(f, static_cast<double>(LaesU32(el, f.Size)));
    case FT_FLOAT: {
      float v = 0;
      if (f.Size >= sizeof v) std::memcpy(&v, el, sizeof v);
      return Tal(f, v);
    }
    case FT_DOUBLE: {
      double v = 0;
      if (f.Size >= sizeof v) std::memcpy(&v, el, sizeof v);
      char b[FELTTEKST_LEN];
      FormatKommaTal(b, sizeof b, f.Bredde, 0, v);
      return b;
    }
    case FT_TEKST: {
      const size_t maks = std::min<size_t>(f.Size ? f.Size - 1u : 0u, f.Bredde);
      return std::string(reinterpret_cast<const char *>(el), strnlen(reinterpret_cast<const char *>(el), maks));
    }
    default:
      return "";
  }
}

uint32_t Gentagelser(const FeltDef &f) { return std::max<uint32_t>(f.Antal, 1); }

// The name a sort tooltip and a foreign-key header speak of.
const char *VistNavn(const FeltDef &f) {
  if (!ErFremmedNoegle(f)) return f.Navn;
  const TabDesc *pMaal = MaalTabel(f, nullptr);
  return pMaal && pMaal->AntalFelter > 1 ? pMaal->FeltTab[1].Navn : f.Navn;
}

int RammeBredde() { return 2 * GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXVSCROLL); }
int RammeHoejde() {
  return 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYHSCROLL);
}

int KlientBredde(const DVWS *ws) {
  RECT r{};
  GetClientRect(ws->hwnd, &r);
  return r.right - r.left;
}
int KlientHoejde(const DVWS *ws) {
  RECT r{};
  GetClientRect(ws->hwnd, &r);
  return r.bottom - r.top;
}
int SynligeRaekker(const DVWS *ws) { return std::max(1, (KlientHoejde(ws) - kDVKnapHoejde) / kDVRaekkeHoejde); }

void FyldRect(HDC dc, COLORREF farve, int x0, int y0, int x1, int y1) {
  if (x1 <= x0 || y1 <= y0) return;
  HBRUSH b = CreateSolidBrush(farve);
  RECT r{x0, y0, x1, y1};
  FillRect(dc, &r, b);
  DeleteObject(b);
}

void Luk(DVWS *ws) { DestroyWindow(ws->hwnd); }

}  // namespace

int DVFeltBredde(const TabDesc *pTd, uint32_t felt) {
  if (!pTd || felt >= pTd->AntalFelter) return 0;
  return static_cast<int>(FeltBredde(pTd, felt, 1)) * 8;
}

int DVKolonneBredde(const TabDesc *pTd, uint32_t felt) {
  if (!pTd || felt >= pTd->AntalFelter) return 0;
  return (DVFeltBredde(pTd, felt) + 6) * static_cast<int>(Gentagelser(pTd->FeltTab[felt]));
}

int DVRaekkeBredde(const TabDesc *pTd) {
  int b = kDVRecNrBredde;
  for (uint32_t k = 0; pTd && k < pTd->AntalFelter; ++k) b += DVKolonneBredde(pTd, k);
  return b;
}

std::string DVCelleTekst(const TabDesc *pTd, const TabVar *pTv, uint32_t n, uint32_t felt, uint32_t rep) {
  return ElementTekst(pTd, pTv, n, felt, rep, 0);
}

int DVHoejde(const DVWS *ws, int maks) {
  const int h = 43 + RammeHoejde() + kDVRaekkeHoejde * static_cast<int>(ws->RecAntal + 1);
  return std::max(kMinHoejde, std::min(h, maks));
}

int DVBredde(const DVWS *ws, int maks) {
  const int b = ws->RaekkeBredde + RammeBredde() + 4;
  return std::max(kMinBredde, std::min(b, maks));
}

void DVSorter(DVWS *ws, int knap) {
  const int felt = knap == kDVRecNrKnap ? kDVSorterRecNr : knap - kDVFoersteFeltKnap;
  if (felt != kDVSorterRecNr && (felt < 0 || felt >= ws->pTd->AntalFelter)) return;
  if (felt == ws->SortFelt) {
    ws->Faldende = !ws->Faldende;
  } else {
    ws->SortFelt = felt;
    ws->Faldende = false;
  }
  const uint32_t antal = ws->RecAntal;
  if (antal > 1) {
    // A key is the text the cell shows. Its width is that of the longest
    // one, not the display width: a number wider than its field (a stored
    // negative read unsigned) would otherwise lose its last digits and sort
    // among the wrong ones. Numbers stand right-aligned so that they compare
    // by value.
    std::vector<std::string> tekster(antal + 1);
    bool tal = false, dansk = false;
    if (felt != kDVSorterRecNr) {
      const FeltDef &f = ws->pTd->FeltTab[felt];
      const bool fremmed = ErFremmedNoegle(f);
      dansk = fremmed || f.Type == FT_JANEJ || f.Type == FT_TEKST;
      tal = !fremmed && f.Type != FT_CHAR && f.Type != FT_JANEJ && f.Type != FT_TEKST;
    }
    size_t bredde = 1;
    for (uint32_t i = 1; i <= antal; ++i) {
      const uint32_t n = ws->Liste[i];
      std::string &t = tekster[i];
      if (felt == kDVSorterRecNr) {
        char b[16];
        std::snprintf(b, sizeof b, "%8u", n);
        t = b;
        tal = true;
      } else if (tal) {
        t = DVCelleTekst(ws->pTd, ws->pTv, n, static_cast<uint32_t>(felt), 0);
      } else {
        for (uint32_t r = 0; r < Gentagelser(ws->pTd->FeltTab[felt]); ++r)
          t += DVCelleTekst(ws->pTd, ws->pTv, n, static_cast<uint32_t>(felt), r);
      }
      bredde = std::max(bredde, std::min<size_t>(t.size(), FELTTEKST_LEN));
    }
    // Keys are indexed by record number, so the list sorts in place.
    std::vector<char> noegler((ws->pTv->wRecCnt + 1) * bredde, ' ');
    for (uint32_t i = 1; i <= antal; ++i) {
      const std::string &t = tekster[i];
      const size_t l = std::min(t.size(), bredde);
      char *k = &noegler[ws->Liste[i] * bredde];
      std::memcpy(k + (tal ? bredde - l : 0), t.data(), l);
      if (dansk) DanskSortTegn(k, static_cast<int>(bredde));
    }
    SortIdx(noegler.data(), ws->Liste + 1, static_cast<uint32_t>(bredde), antal);
    if (ws->Faldende) std::reverse(ws->Liste + 1, ws->Liste + 1 + antal);
  }
  if (ws->hwnd) InvalidateRect(ws->hwnd, nullptr, TRUE);
}

bool DVVandretTast(DVWS *ws, unsigned tast, bool ctrl, bool alt, int synligBredde) {
  if (tast != VK_LEFT && tast != VK_RIGHT) return false;
  const int total = ws->RaekkeBredde;
  const int synlig = std::max(1, synligBredde);
  const int maks = std::max(0, total - synlig);
  int foerste = static_cast<int>(ws->PosX.Foerste);
  const int sidste = foerste + synlig - 1;
  int maal;
  if (alt) {
    maal = tast == VK_LEFT ? 0 : maks;
  } else if (ctrl) {
    const int side = std::max(1, synlig - 1);
    maal = tast == VK_LEFT ? foerste - side : sidste + side - (synlig - 1);
  } else {
    maal = tast == VK_LEFT ? foerste - kVandretTrin : sidste + kVandretTrin - (synlig - 1);
  }
  maal = std::clamp(maal, 0, maks);
  ws->PosX.Foerste = static_cast<uint32_t>(maal);
  if (ws->hwnd) InvalidateRect(ws->hwnd, nullptr, TRUE);
  return true;
}

namespace {

void OpretKnapper(DVWS *ws) {
  const HINSTANCE inst = static_cast<HINSTANCE>(GetWindowLongPtrA(ws->hwnd, GWLP_HINSTANCE));
  ws->Knapper[0] = CreateNyButtonWnd(inst, ws->hwnd, ws->hwnd, kDVRecNrKnap, 0, 0, 0, 0, kDVRecNrBredde,
                                     kDVKnapHoejde, "Sorter efter RecNr", "RecNr");
  int x = kDVRecNrBredde;
  for (uint32_t k = 0; k < ws->pTd->AntalFelter; ++k) {
    const FeltDef &f = ws->pTd->FeltTab[k];
    const int b = DVKolonneBredde(ws->pTd, k);
    std::string tip = std::string("Sorter efter ") + VistNavn(f);
    ws->Knapper[1 + k] = CreateNyButtonWnd(inst, ws->hwnd, ws->hwnd, kDVFoersteFeltKnap + k, 0, 0, x, 0, b,
                                           kDVKnapHoejde, tip.c_str(), f.Navn);
    x += b;
  }
  for (HWND k : ws->Knapper)
    if (k) ShowWindow(k, SW_SHOWNA);
}

void PlacerKnapper(DVWS *ws) {
  int x = -static_cast<int>(ws->PosX.Foerste);
  if (ws->Knapper[0]) MoveWindow(ws->Knapper[0], x, 0, kDVRecNrBredde, kDVKnapHoejde, FALSE);
  x += kDVRecNrBredde;
  for (uint32_t k = 0; k < ws->pTd->AntalFelter; ++k) {
    const int b = DVKolonneBredde(ws->pTd, k);
    if (ws->Knapper[1 + k]) MoveWindow(ws->Knapper[1 + k], x, 0, b, kDVKnapHoejde, FALSE);
    x += b;
  }
}

void TegnRaekker(DVWS *ws, HDC dc) {
  const int bredde = KlientBredde(ws);
  const int synlige = SynligeRaekker(ws);
  const int x0 = -static_cast<int>(ws->PosX.Foerste);
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < synlige; ++i) {
    const uint32_t raekke = ws->PosY.Foerste + static_cast<uint32_t>(i);
    const int y = kDVKnapHoejde + i * kDVRaekkeHoejde;
    if (raekke == 0 || raekke > ws->RecAntal) {
      FyldRect(dc, FarveTab[0], 0, y, bredde, y + kDVRaekkeHoejde);
      continue;
    }
    const bool aktuel = raekke == ws->PosY.Aktuel;
    const COLORREF bag = FarveTab[aktuel ? (ws->Fokus ? 1 : 2) : 0];
    const COLORREF tekst = FarveTab[aktuel ? (ws->Fokus ? 17 : 19) : 1];
    FyldRect(dc, bag, 0, y, bredde, y + kDVRaekkeHoejde - 1);
    SetTextColor(dc, tekst);
    const uint32_t n = ws->Liste[raekke];
    char b[16];
    std::snprintf(b, sizeof b, "%5u", n);
    TextOutA(dc, x0 + kTekstInd, y, b, static_cast<int>(std::strlen(b)));
    int x = x0 + kDVRecNrBredde;
    for (uint32_t k = 0; k < ws->pTd->AntalFelter; ++k) {
      const uint32_t gange = Gentagelser(ws->pTd->FeltTab[k]);
      const int w = DVFeltBredde(ws->pTd, k) + 6;
      for (uint32_t r = 0; r < gange; ++r, x += w) {
        if (x + w < 0 || x > bredde) continue;
        const std::string t = DVCelleTekst(ws->pTd, ws->pTv, n, k, r);
        if (!t.empty()) TextOutA(dc, x + kTekstInd, y, t.data(), static_cast<int>(t.size()));
      }
    }
    FyldRect(dc, FarveTab[0], x, y, bredde, y + kDVRaekkeHoejde - 1);
  }
}

void OpdaterScroll(DVWS *ws) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = ws->RaekkeBredde - 1;
  si.nPage = static_cast<UINT>(std::max(1, KlientBredde(ws)));
  si.nPos = static_cast<int>(ws->PosX.Foerste);
  SetScrollInfo(ws->hwnd, SB_HORZ, &si, TRUE);
  si.nMin = 1;
  si.nMax = static_cast<int>(ws->RecAntal);
  si.nPage = static_cast<UINT>(SynligeRaekker(ws));
  si.nPos = static_cast<int>(ws->PosY.Foerste);
  SetScrollInfo(ws->hwnd, SB_VERT, &si, TRUE);
}

// Keeps the current row in view after a move.
void RulTilAktuel(DVWS *ws) {
  const uint32_t synlige = static_cast<uint32_t>(SynligeRaekker(ws));
  ws->PosY.Synlige = synlige;
  if (ws->PosY.Aktuel == 0) return;
  if (ws->PosY.Aktuel < ws->PosY.Foerste) ws->PosY.Foerste = ws->PosY.Aktuel;
  if (ws->PosY.Aktuel >= ws->PosY.Foerste + synlige) ws->PosY.Foerste = ws->PosY.Aktuel - synlige + 1;
}

bool Tast(DVWS *ws, unsigned tast, bool ctrl, bool alt) {
  if (tast == VK_F4 && ctrl) {
    Luk(ws);
    return true;
  }
  if (DVVandretTast(ws, tast, ctrl, alt, KlientBredde(ws))) {
    OpdaterScroll(ws);
    return true;
  }
  if (tast == VK_UP || tast == VK_DOWN || tast == VK_PRIOR || tast == VK_NEXT) {
    ws->PosY.Synlige = static_cast<uint32_t>(SynligeRaekker(ws));
    if (GridTastFlyt(&ws->PosY, tast)) {
      RulTilAktuel(ws);
      OpdaterScroll(ws);
      InvalidateRect(ws->hwnd, nullptr, TRUE);
    }
    return true;
  }
  return false;
}

bool Opret(HWND hwnd, DVWS *ws) {
  ws->hwnd = hwnd;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  SetWindowTextA(hwnd, ws->Caption);
  ws->Liste = static_cast<uint32_t *>(std::calloc(ws->RecAntal + 1, sizeof(uint32_t)));
  if (!ws->Liste) return false;
  for (uint32_t i = 1; i <= ws->RecAntal; ++i) ws->Liste[i] = i;
  ws->PosY = GridPos{ws->RecAntal, 1, 0, ws->RecAntal ? 1u : 0u};
  ws->PosX = GridPos{static_cast<uint32_t>(ws->RaekkeBredde), 0, 0, 0};
  OpretKnapper(ws);
  ws->SortFelt = kDVSorterRecNr;
  ws->Faldende = true;  // the click below flips it to ascending
  DVSorter(ws, kDVRecNrKnap);
  VinduesListeTilfoej(hwnd);
  return true;
}

void Nedlaeg(HWND hwnd, DVWS *ws) {
  VinduesListeFjern(hwnd);
  if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(hwnd));
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  std::free(ws->Liste);
  delete ws;
}

}  // namespace

DVWS *DVVinduesWS(HWND hwnd) { return reinterpret_cast<DVWS *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

LRESULT CALLBACK DVWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *cs = reinterpret_cast<CREATESTRUCTA *>(lParam);
    return Opret(hwnd, static_cast<DVWS *>(cs->lpCreateParams)) ? 0 : -1;
  }
  DVWS *ws = DVVinduesWS(hwnd);
  if (!ws) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      PlacerKnapper(ws);
      TegnRaekker(ws, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SIZE:
      ws->PosY.Synlige = static_cast<uint32_t>(SynligeRaekker(ws));
      OpdaterScroll(ws);
      return 0;
    case NYB_KLIK: {
      const int id = static_cast<int>(wParam);
      if (id == kDVRecNrKnap || (id >= kDVFoersteFeltKnap && id < kDVFoersteFeltKnap + ws->pTd->AntalFelter)) {
        DVSorter(ws, id);
        return 0;
      }
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      ws->Fokus = msg == WM_SETFOCUS;
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (Tast(ws, static_cast<unsigned>(wParam), GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0)) return 0;
      break;
    case TAST_MODTAG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      if (t && (t->message == WM_KEYDOWN || t->message == WM_SYSKEYDOWN))
        return Tast(ws, t->wParam, t->ctrl != 0, t->alt != 0) ? 1 : 0;
      return 0;
    }
    case WM_DESTROY:
      Nedlaeg(hwnd, ws);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateDVWnd(uint8_t bogstav, int venstre, int top, int hoejre, int bund, int menuId) {
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  if (TabFromType(bogstav, &pTd, &pTv) != 0) return 0;
  auto *ws = new DVWS{};
  ws->MenuId = menuId;
  ws->Bogstav = bogstav;
  ws->pTd = pTd;
  ws->pTv = pTv;
  std::snprintf(ws->Caption, sizeof ws->Caption, "%s", pTd->KortNavn);
  ws->RecAntal = pTv->wRecCnt > 0 ? pTv->wRecCnt - 1 : 0;
  ws->RaekkeBredde = DVRaekkeBredde(pTd);
  const int h = DVHoejde(ws, bund - top), b = DVBredde(ws, hoejre - venstre);
  const HWND parent = hwndDesktop ? hwndDesktop : GetDesktopWindow();
  HWND hwnd = CreateWindowExA(0, kKlasse, ws->Caption,
                              WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_THICKFRAME |
                                  WS_HSCROLL | WS_VSCROLL,
                              venstre, top, b, h, parent, static_cast<HMENU>(menuId),
                              0, ws);
  // A failed creation still ran WM_DESTROY when the workspace was stored.
  if (!hwnd && !ws->hwnd) delete ws;
  return hwnd;
}

bool RegistrerDVKlasse(HINSTANCE inst) { return RegistrerRelKlasse(inst, kKlasse, DVWndProc); }

void AfregistrerDVKlasse(HINSTANCE inst) { UnregisterClassA(kKlasse, inst); }
