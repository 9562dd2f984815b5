// The tile info panel: five list windows over a property set the panel
// reads afresh at every paint, so it never holds a copy that could go stale.

#include "BRIKINFO.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "ELEMENT.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "LISTBOX.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "SKERAEKKE.h"
#include "SWITCH.h"

HWND hwndHuskBrik = 0;
alignas(8) AVS BrikIndGemtAVS{};

namespace {

constexpr int kRaekke = 11;
constexpr int kTekstFarve = 21;  // system colour of the labels
const char *const kEtiketter[kBrikBlokke] = {"Akt", "Fag", "Med", "Lok", "Bem"};
constexpr uint8_t kBlokBogstav[kBrikBlokke] = {'K', 'S', 'M', 'L', 'B'};

BrikInfoWS *Ws(HWND h) { return reinterpret_cast<BrikInfoWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

int32_t ListeY(const BrikInfoWS *ws, int blok) {
  int32_t y = ws->Margen + 4;
  for (int b = 0; b < blok; ++b) y += static_cast<int32_t>(ws->Linjer[b]) * kRaekke + 5;
  return y;
}

int32_t ListeX(const BrikInfoWS *ws) {
  return static_cast<int32_t>(BrikInfoEtiketBredde(ws->EtiketBogstav)) + ws->Margen + 10;
}

void OpretLister(BrikInfoWS *ws) {
  AVS *a = ws->pAVS;
  const int x = ListeX(ws), b = BrikInfoListeBredde(ws);
  const uint8_t art = static_cast<uint8_t>(ws->Art);
  HWND *l = ws->hwndListe;
  l[BRIK_AKT] = CreateListeWnd(ws->hwnd, 'K', x, ListeY(ws, BRIK_AKT), b, ws->Linjer[BRIK_AKT], &a->aktiAntal,
                               &a->aktiTab, nullptr, nullptr, art);
  l[BRIK_FAG] = CreateSoloWnd(ws->hwnd, 'U', x, ListeY(ws, BRIK_FAG), b, &a->skfa_id, nullptr, art, nullptr);
  l[BRIK_MED] = CreateMedaListeWnd(ws->hwnd, x, ListeY(ws, BRIK_MED), b, ws->Linjer[BRIK_MED], &a->anfoAntal,
                                   &a->anfoTab, &a->skemarolTab, &a->beregnTab, &a->minutTab, &a->hvorfraTab, art);
  l[BRIK_LOK] = CreateListeWnd(ws->hwnd, 'L', x, ListeY(ws, BRIK_LOK), b, ws->Linjer[BRIK_LOK], &a->lokaAntal,
                               &a->lokaTab, &a->lokrolleTab, nullptr, art);
  l[BRIK_BEM] = CreateListeWnd(ws->hwnd, '-', x, ListeY(ws, BRIK_BEM), b, ws->Linjer[BRIK_BEM], &a->bemAntal,
                               nullptr, nullptr, &a->bemTab, art);
  for (HWND h : ws->hwndListe)
    if (h) {
      ShowWindow(h, SW_SHOW);
      SendMessageA(h, WM_PAINT, 0, 0);
    }
}

void TegnListerOgPanel(BrikInfoWS *ws) {
  for (HWND h : ws->hwndListe)
    if (h) SendMessageA(h, WM_PAINT, 0, 0);
  TegnBrikInfo(ws);
}

void BlivAktiv(BrikInfoWS *ws, WPARAM w, bool fortael) {
  if (ws->Aktiv) return;
  ws->Aktiv = 1;
  if (fortael) SendMessageA(ws->hwndEjer, ENS_BLEV_AKTIV, w, static_cast<LPARAM>(ws->hwnd));
}

}  // namespace

int32_t InfoTekstBredde(const char *tekst) {
  HDC dc = CreateCompatibleDC(0);
  if (!dc) return 0;
  HGDIOBJ gammel = TxtFont ? SelectObject(dc, TxtFont) : 0;
  SIZE s{0, 0};
  GetTextExtentPoint32A(dc, tekst, static_cast<int>(std::strlen(tekst)), &s);
  if (gammel) SelectObject(dc, gammel);
  DeleteDC(dc);
  return s.cx;
}

int32_t InfoStoersteBredde(std::initializer_list<const char *> tekster) {
  int32_t b = 0;
  for (const char *t : tekster) b = std::max(b, InfoTekstBredde(t));
  return b;
}

uint32_t BrikInfoEtiketBredde(uint8_t etiketBogstav) {
  if (etiketBogstav == 'H')
    return static_cast<uint32_t>(InfoStoersteBredde({"Akt", "Fag", "Med", "Lok", "Ejer", "Dato", "Tid", "Ring"}));
  return static_cast<uint32_t>(InfoStoersteBredde({"Akt", "Fag", "Med", "Lok"}));
}

uint32_t BrikInfoFeltBredde(uint32_t art) {
  return std::max({ObjSwitchBredde(art, 'K', 0), ObjSwitchBredde(art, 'U', 0), ObjSwitchBredde(art, 'L', 0),
                   ObjSwitchBredde(art, 'M', 0) + 38});
}

uint32_t BrikInfoLinjer(uint8_t blok) {
  switch (blok) {
    case 'S': return 1;
    case 'M': return 3;
    case 'K': case 'L': case 'B': return 2;
    default: return 0;
  }
}

uint32_t CalcBrikInfoWidth(uint32_t maks, uint32_t art, uint8_t etiketBogstav) {
  return std::min(BrikInfoEtiketBredde(etiketBogstav) + BrikInfoFeltBredde(art) + 24, maks);
}

uint32_t CalcBrikInfoHeight(uint32_t maks) {
  uint32_t linjer = 0;
  for (uint8_t b : kBlokBogstav) linjer += BrikInfoLinjer(b);
  return std::min(linjer * kRaekke + 28, maks);
}

int32_t BrikInfoListeBredde(const BrikInfoWS *ws) {
  const int32_t l = static_cast<int32_t>(BrikInfoEtiketBredde(ws->EtiketBogstav));
  const int32_t f = static_cast<int32_t>(BrikInfoFeltBredde(ws->Art));
  const int32_t w = static_cast<int32_t>(ws->Bredde), m = ws->Margen;
  if (w < f + l + 2 * m + 9) return std::max(w - 2 * m - l - 9, 0);
  return f + 13;
}

void LayoutBrikInfo(BrikInfoWS *ws) {
  const int x = ListeX(ws), b = BrikInfoListeBredde(ws);
  for (int i = 0; i < kBrikBlokke; ++i)
    if (ws->hwndListe[i])
      MoveWindow(ws->hwndListe[i], x, ListeY(ws, i), b, static_cast<int>(ws->Linjer[i]) * kRaekke, TRUE);
}

void TegnBrikInfo(BrikInfoWS *ws) {
  HDC dc = ws->dc.hdc;
  if (!dc) return;
  FillRectIfAny(dc, FarveBrush[0], 0, 0, static_cast<int>(ws->Bredde), static_cast<int>(ws->Hoejde));
  const int x = ListeX(ws), b = BrikInfoListeBredde(ws);
  SetTextColor(dc, GetSysColor(kTekstFarve));
  SetBkColor(dc, FarveTab[0]);
  ws->dc.TekstFarve = ws->dc.BkFarve = kIngenFarve;
  for (int i = 0; i < kBrikBlokke; ++i) {
    const int y = ListeY(ws, i), h = static_cast<int>(ws->Linjer[i]) * kRaekke;
    TextOutA(dc, ws->Margen + 3, y, kEtiketter[i], static_cast<int>(std::strlen(kEtiketter[i])));
    if (ws->hwndListe[i]) DrawFrame3D(dc, x - 1, y - 1, x + b, y + h, 2);
  }
}

LRESULT CALLBACK BrikInfoWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  BrikInfoWS *ws = Ws(hwnd);
  if (!ws && msg != WM_CREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_CREATE: {
      ws = static_cast<BrikInfoWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
      if (!ws || !ws->pAVS) return -1;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
      ws->hwnd = hwnd;
      ws->hwndEjer = GetParent(hwnd);
      SelectDCPalette(hwnd, &ws->dc, TxtFont);
      SetBkColor(ws->dc.hdc, FarveTab[0]);
      SetTextColor(ws->dc.hdc, GetSysColor(kTekstFarve));
      OpretLister(ws);
      if (SendMessageA(ws->hwndEjer, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(hwnd))) BlivAktiv(ws, 1, true);
      return 0;
    }
    case WM_SIZE:
      ws->Bredde = LOWORD(lParam);
      ws->Hoejde = HIWORD(lParam);
      LayoutBrikInfo(ws);
      TegnBrikInfo(ws);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      TegnBrikInfo(ws);
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    case WM_SETFOCUS:
      // The main window takes the keys; the panel has none of its own.
      if (hwndHoved && IsWindow(hwndHoved)) SetFocus(hwndHoved);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (GetKeyState(VK_CONTROL) & 0x8000)) {
        SendMessageA(ws->hwndEjer, ELEMENT_LUK, 0, static_cast<LPARAM>(hwnd));
        return 0;
      }
      break;
    case VINDUE_AKTIVER:
      if (!ws->Aktiv) {
        BlivAktiv(ws, wParam, true);
        LayoutBrikInfo(ws);
        TegnBrikInfo(ws);
      }
      return 0;
    case VINDUE_AKTIVER_STILLE:
      if (!ws->Aktiv) {
        BlivAktiv(ws, wParam, false);
        LayoutBrikInfo(ws);
        TegnBrikInfo(ws);
      }
      return 0;
    case VINDUE_DEAKTIVER:
      ws->Aktiv = 0;
      SendMessageA(ws->hwndEjer, ENS_BLEV_INAKTIV, 0, static_cast<LPARAM>(hwnd));
      TegnBrikInfo(ws);
      return 0;
    case VINDUE_SAET_AKTIV:
      ws->Aktiv = 1;
      return 0;
    case VINDUE_TEGN_MED:
    case BRIKINFO_OPDATER:
      TegnListerOgPanel(ws);
      return 0;
    case VINDUE_ART:
      return ws->Vaerdi;
    case WM_DESTROY:
      if (ws->Placering == 'H') hwndHuskBrik = 0;
      if (ws->Placering == 'I') hwndBrikInfo = 0;
      std::free(ws);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateBrikInfoWnd(HWND foraelder, int venstre, int top, int hoejre, int bund, AVS *avs, uint8_t placering,
                       uint8_t etiketBogstav, uint32_t vaerdi) {
  if (!avs) return 0;
  auto *ws = static_cast<BrikInfoWS *>(std::calloc(1, sizeof(BrikInfoWS)));
  if (!ws) return 0;
  ws->hInst = static_cast<HINSTANCE>(GetWindowLongPtrA(foraelder, GWLP_HINSTANCE));
  ws->x = static_cast<uint32_t>(venstre);
  ws->y = static_cast<uint32_t>(top);
  ws->Bredde = static_cast<uint32_t>(std::max(hoejre - venstre + 1, 0));
  ws->Hoejde = static_cast<uint32_t>(std::max(bund - top + 1, 0));
  ws->Art = placering == 'H' ? 49 : 48;
  ws->pAVS = avs;
  ws->Placering = placering;
  ws->EtiketBogstav = etiketBogstav;
  for (int i = 0; i < kBrikBlokke; ++i) ws->Linjer[i] = BrikInfoLinjer(kBlokBogstav[i]);
  ws->Vaerdi = vaerdi;
  HWND h = CreateWindowExA(0, "BrikInfoWndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, venstre, top,
                           static_cast<int>(ws->Bredde), static_cast<int>(ws->Hoejde), foraelder, 0, ws->hInst, ws);
  if (!h) std::free(ws);
  return h;
}

HWND OpretHuskBrikVindue(HWND celle, int venstre, int top, int hoejre, int bund, uint32_t type) {
  HWND h = CreateBrikInfoWnd(celle, venstre, top, hoejre, bund, &BrikIndGemtAVS, 'H', 'F', type);
  if (h) {
    hwndHuskBrik = h;
    ShowWindow(h, SW_SHOW);
  }
  return h;
}

int32_t HuskBrikHoejde() { return static_cast<int32_t>(CalcBrikInfoHeight(500)); }
int32_t HuskBrikBredde() { return static_cast<int32_t>(CalcBrikInfoWidth(500, 49, 'F')); }
