// The raw table viewer. Rows are drawn as text from the stored bytes so that
// what support sees is what the file holds, not what a window makes of it.

#include "DVWND.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
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

// The cell pane's size; the frame keeps it in a packed record, so copied.
int CelleBredde(const DVWS *ws) { return std::max(0, int{ws->Hoved.RudeB[ENS_CELLER]}); }
int CelleHoejde(const DVWS *ws) { return std::max(0, int{ws->Hoved.RudeH[ENS_CELLER]}); }

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

int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }

// The header buttons sit on the frame's column-header pane, so they scroll
// with it and are clipped to it; their clicks still come to the viewer.
void OpretKnapper(DVWS *ws) {
  const Ens &e = ws->Hoved;
  const HWND rude = e.hwndKolHoved ? e.hwndKolHoved : ws->hwnd;
  ws->Knapper[0] = CreateNyButtonWnd(e.hInstance, rude, ws->hwnd, kDVRecNrKnap, 0, 0, 0, 0, kDVRecNrBredde,
                                     kDVKnapHoejde, "Sorter efter RecNr", "RecNr");
  int x = kDVRecNrBredde;
  for (uint32_t k = 0; k < ws->pTd->AntalFelter; ++k) {
    const FeltDef &f = ws->pTd->FeltTab[k];
    const int b = DVKolonneBredde(ws->pTd, k);
    std::string tip = std::string("Sorter efter ") + VistNavn(f);
    ws->Knapper[1 + k] = CreateNyButtonWnd(e.hInstance, rude, ws->hwnd, kDVFoersteFeltKnap + k, 0, 0, x, 0, b,
                                           kDVKnapHoejde, tip.c_str(), f.Navn);
    x += b;
  }
  for (HWND k : ws->Knapper)
    if (k) ShowWindow(k, SW_SHOWNA);
}

void PlacerKnapper(DVWS *ws) {
  int x = -static_cast<int>(ws->Hoved.ScrollX);
  if (ws->Knapper[0]) MoveWindow(ws->Knapper[0], x, 0, kDVRecNrBredde, kDVKnapHoejde, TRUE);
  x += kDVRecNrBredde;
  for (uint32_t k = 0; k < ws->pTd->AntalFelter; ++k) {
    const int b = DVKolonneBredde(ws->pTd, k);
    if (ws->Knapper[1 + k]) MoveWindow(ws->Knapper[1 + k], x, 0, b, kDVKnapHoejde, TRUE);
    x += b;
  }
}

int RaekkeY(const DVWS *ws, uint32_t r) {
  return static_cast<int>(GridCelleStart(&ws->Hoved.AkseY, r)) - static_cast<int>(ws->Hoved.ScrollY);
}

void TegnRaekker(DVWS *ws) {
  const Ens &e = ws->Hoved;
  HDC dc = e.dc[ENSDC_CELLER].hdc;
  const int bredde = CelleBredde(ws), hoejde = CelleHoejde(ws);
  if (!dc || bredde == 0 || hoejde == 0) return;
  const int x0 = -static_cast<int>(e.ScrollX);
  SetBkMode(dc, TRANSPARENT);
  int bund = 0;
  for (uint32_t raekke = std::max<uint32_t>(1, GridPixelTilCelle(&e.AkseY, e.ScrollY)); raekke <= ws->RecAntal;
       ++raekke) {
    const int y = RaekkeY(ws, raekke);
    if (y >= hoejde) break;
    const bool aktuel = raekke == ws->PosY.Aktuel;
    const COLORREF bag = FarveTab[aktuel ? (ws->Fokus ? 1 : 2) : 0];
    const COLORREF tekst = FarveTab[aktuel ? (ws->Fokus ? 17 : 19) : 1];
    FyldRect(dc, bag, 0, y, bredde, y + kDVRaekkeHoejde - 1);
    FyldRect(dc, FarveTab[0], 0, y + kDVRaekkeHoejde - 1, bredde, y + kDVRaekkeHoejde);
    bund = y + kDVRaekkeHoejde;
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
  FyldRect(dc, FarveTab[0], 0, bund, bredde, hoejde);
}

// The horizontal offset is the viewer's own (PosX.Foerste, in pixels); the
// frame's copy, its axis and the bar follow it. Clamped here, so that a
// resize that widens the pane never leaves the rows scrolled past their end.
void OpdaterScroll(DVWS *ws) {
  Ens &e = ws->Hoved;
  const int bredde = CelleBredde(ws);
  const uint32_t maks = static_cast<uint32_t>(std::max(0, ws->RaekkeBredde - bredde));
  const uint32_t x = std::min<uint32_t>(ws->PosX.Foerste, maks);
  ws->PosX.Foerste = x;
  ws->PosX.Synlige = static_cast<uint32_t>(bredde);
  e.ScrollX = x;
  ws->RammeX.Foerste = x + 1;
  ws->RammeX.Synlige = static_cast<uint32_t>(bredde);
  if (e.hwndHScroll)
    SetScrollCtl(e.hwndHScroll, bredde, static_cast<int>(GridCelleSlut(&e.AkseX, ws->RammeX.Antal)),
                 static_cast<int>(x));
  if (e.hwndVScroll)
    SetScrollCtl(e.hwndVScroll, CelleHoejde(ws),
                 static_cast<int>(ws->RecAntal ? GridCelleSlut(&e.AkseY, ws->RecAntal) : 0),
                 static_cast<int>(e.ScrollY));
}

// Repaint: the buttons follow the offset, then the rows.
void Tegn(DVWS *ws) {
  OpdaterScroll(ws);
  PlacerKnapper(ws);
  TegnRaekker(ws);
}

// Keeps the current row in view after a move.
void RulTilAktuel(DVWS *ws) {
  Ens &e = ws->Hoved;
  const int h = CelleHoejde(ws);
  if (h == 0) return;
  uint32_t off = e.ScrollY;
  GridScrollTilAktuel(&ws->PosY, &off, static_cast<uint32_t>(h), &e.AkseY);
  e.ScrollY = off;
}

bool TagerTast(unsigned tast, bool ctrl) {
  return (tast == VK_F4 && ctrl) || tast == VK_LEFT || tast == VK_RIGHT || tast == VK_UP || tast == VK_DOWN ||
         tast == VK_PRIOR || tast == VK_NEXT;
}

bool Tast(DVWS *ws, unsigned tast, bool ctrl, bool alt) {
  if (tast == VK_F4 && ctrl) {
    Luk(ws);
    return true;
  }
  if (DVVandretTast(ws, tast, ctrl, alt, CelleBredde(ws))) {
    Tegn(ws);
    return true;
  }
  if (tast == VK_UP || tast == VK_DOWN || tast == VK_PRIOR || tast == VK_NEXT) {
    // The key step tells nothing of a move: the row is compared instead.
    const uint32_t foer = ws->PosY.Aktuel;
    GridTastFlyt(&ws->PosY, tast);
    if (ws->PosY.Aktuel != foer) {
      RulTilAktuel(ws);
      Tegn(ws);
    }
    return true;
  }
  return false;
}

// A click is the parent's to allow: a refusal leaves the viewer inactive.
bool BlivAktiv(DVWS *ws) {
  const HWND h = ws->hwnd;
  if (ws->Hoved.Aktiv) return true;
  if (ws->Hoved.hwndParent && !SendMessageA(ws->Hoved.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h)))
    return false;
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  return IsWindow(h) && DVVinduesWS(h) == ws && ws->Hoved.Aktiv;
}

void Aktiver(DVWS *ws, WPARAM wParam) {
  const HWND h = ws->hwnd;
  Ens &e = ws->Hoved;
  e.CaptionAktiv = 1;
  ws->Fokus = true;
  if (!e.Aktiv) {
    e.Aktiv = 1;
    VinduesListeTilTop(h);
    BringWindowToTop(h);
    if (e.hwndParent) {
      SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(h));
      if (!IsWindow(h) || DVVinduesWS(h) != ws) return;
    }
  }
  EnsPaintFrame(&e);
  TegnRaekker(ws);
}

// A click on a row makes it current; the header pane's buttons answer for
// themselves.
void KlikRaekke(DVWS *ws, LPARAM lParam) {
  if (!BlivAktiv(ws)) return;
  const int y = static_cast<short>(HIWORD(lParam));
  if (y < 0) return;
  const uint32_t r = GridPixelTilCelle(&ws->Hoved.AkseY, static_cast<uint32_t>(y) + ws->Hoved.ScrollY);
  if (r < 1 || r > ws->RecAntal) return;
  ws->PosY.Aktuel = r;
  RulTilAktuel(ws);
  Tegn(ws);
}

void Knap(DVWS *ws, WPARAM id, LPARAM vaerdi) {
  const HWND h = ws->hwnd;
  switch (vaerdi) {
    case NYB_LUK:
      Luk(ws);
      return;
    case NYB_MAKSIMER:
      EnsMaximize(h, &ws->Hoved);
      return;
    case NYB_MINIMER:
    case NYB_GENDAN:
      EnsMinimize(h, &ws->Hoved);
      return;
    default:
      break;
  }
  const int k = static_cast<int>(id);
  if (k == kDVRecNrKnap || (k >= kDVFoersteFeltKnap && k < kDVFoersteFeltKnap + ws->pTd->AntalFelter)) {
    DVSorter(ws, k);
    TegnRaekker(ws);
  }
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
  ws->RammeX = GridPos{static_cast<uint32_t>(ws->RaekkeBredde), 1, 0, 0};

  Ens &e = ws->Hoved;
  e.hwndParent = GetParent(hwnd);
  e.hInstance = static_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
  e.pTd = ws->pTd;
  e.pTv = ws->pTv;
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  std::snprintf(e.Titel, sizeof e.Titel, "%s", ws->Caption);
  e.KolHovedHoejde = kDVKnapHoejde;
  // Rows of 11 pixels and a line; sideways the axis counts single pixels.
  e.AkseY = GridAkse{1, kDVRaekkeHoejde - 1, 1, 0, 0};
  e.AkseX = GridAkse{0, 1, 1, 0, 0};
  e.StyrX = &ws->RammeX;
  e.StyrY = &ws->PosY;
  e.hdc = GetDC(hwnd);
  RECT rc{};
  GetClientRect(hwnd, &rc);
  e.Areal[0] = CxFrame();
  e.Areal[1] = CyFrame() + GetSystemMetrics(SM_CYCAPTION);
  e.Areal[2] = rc.right - 1 - CxFrame();
  e.Areal[3] = rc.bottom - 1 - CyFrame();
  EnsCalcLayout(&e);
  EnsCreateChildren(&e, hwnd, 0, nullptr, TxtFont, false, true, nullptr);

  OpretKnapper(ws);
  ws->SortFelt = kDVSorterRecNr;
  ws->Faldende = true;  // the click below flips it to ascending
  DVSorter(ws, kDVRecNrKnap);
  VinduesListeTilfoej(hwnd);
  if (e.hwndParent && SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(hwnd))) {
    e.Aktiv = 1;
    e.CaptionAktiv = 1;
    ws->Fokus = true;
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(hwnd));
  }
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
  Ens &e = ws->Hoved;
  switch (msg) {
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      EnsPaintFrame(&e);
      Tegn(ws);
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        EnsOnSize(&e, hwnd, LOWORD(lParam), HIWORD(lParam), 0);
        EnsPaintFrame(&e);
        RulTilAktuel(ws);
        Tegn(ws);
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (EnsOnScroll(&e, msg, wParam)) {
        if (msg == WM_HSCROLL) ws->PosX.Foerste = e.ScrollX;
        Tegn(ws);
      }
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(hwnd, &e, wParam);
      return 0;
    case ENS_KOLHOVED_TEGN:
      PlacerKnapper(ws);
      return 0;
    case ENS_CELLER_TEGN:
      TegnRaekker(ws);
      return 0;
    case ENS_CELLER_NED:
    case ENS_CELLER_DBL:
      KlikRaekke(ws, lParam);
      return 0;
    case ENS_KOLHOVED_NED:
      BlivAktiv(ws);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      EnsActivateOnClick(hwnd, &e);
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(hwnd, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      EnsOnDblClk(hwnd, &e, lParam);
      return 0;
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(hwnd, &e, lParam);
      return 0;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case WM_SIZING:
      EnsOnSizing(reinterpret_cast<RECT *>(lParam), static_cast<UINT>(wParam), kMinBredde, DVBredde(ws, INT32_MAX),
                  kMinHoejde, DVHoejde(ws, INT32_MAX));
      return TRUE;
    case WM_EXITSIZEMOVE:
      EnsPaintFrame(&e);
      Tegn(ws);
      break;
    case ENS_BREDDE:
      return DVBredde(ws, static_cast<int>(wParam));
    case ENS_HOEJDE:
      return DVHoejde(ws, static_cast<int>(wParam));
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case VINDUE_AKTIVER:
      Aktiver(ws, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      e.Aktiv = 0;
      e.CaptionAktiv = 0;
      ws->Fokus = false;
      EnsPaintFrame(&e);
      TegnRaekker(ws);
      return 0;
    case NYB_KLIK:
      Knap(ws, wParam, lParam);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      ws->Fokus = msg == WM_SETFOCUS;
      TegnRaekker(ws);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (Tast(ws, static_cast<unsigned>(wParam), GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0)) return 0;
      break;
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      return t && (t->message == WM_KEYDOWN || t->message == WM_SYSKEYDOWN) && TagerTast(t->wParam, t->ctrl != 0)
                 ? 1
                 : 0;
    }
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
                              WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                              venstre, top, b, h, parent, static_cast<HMENU>(menuId),
                              hInst, ws);
  // A failed creation still ran WM_DESTROY when the workspace was stored.
  if (!hwnd && !ws->hwnd) delete ws;
  return hwnd;
}

bool RegistrerDVKlasse(HINSTANCE inst) { return RegistrerRelKlasse(inst, kKlasse, DVWndProc); }

void AfregistrerDVKlasse(HINSTANCE inst) { UnregisterClassA(kKlasse, inst); }
