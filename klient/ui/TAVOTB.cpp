// The toolbar strip. Its ring-time strip is the schedule's: it is made by
// class name, so without RingWndClass registered its place stays empty.

#include "TAVOTB.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "ENS.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "LISTBOX.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "RELAY.h"
#include "RINGTID.h"
#include "TOOLTIP.h"

namespace {

constexpr int kSlot = 19;        // 3 pixels and the 16-pixel toggle button
constexpr int kKnapBredde = 16;  // the toggle button
constexpr int kMindstDel = 23;   // smallest ring strip or group button, gap included
constexpr int kMellemrum = 10;   // gap in front of the ring strip and the group button
constexpr uint32_t kSkiftStil = 0xD100;  // large caption button, picture 13
constexpr uint32_t kSkiftBillede0 = 0xD000, kSkiftBillede1 = 0xE000;

TBWS *Ws(HWND h) { return reinterpret_cast<TBWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

int GruppeOenske(const TBWS *t) {
  const int art = GruppeArtIndeks(static_cast<char>(t->gruppeBogstav));
  return std::max(kMindstDel, (art < 0 ? 0 : GruppeListeBredde[art]) + kMellemrum);
}

int RingOenske(const TBWS *t) {
  return std::max(kMindstDel, RingBogstavBredde[RingBogstavIndeks(static_cast<char>(t->ringBogstav))] + kMellemrum);
}

// Shares the width between the toggle slot, the pane, the ring strip and
// the group button (the last two with their gaps).
void Layout(TBWS *t) {
  const int W = t->width;
  int S = t->harKnap ? kSlot : 0;
  const int P = std::max(0, t->oenskeRude);
  int R = t->harRing ? RingOenske(t) : 0;
  int G = t->harGruppe ? GruppeOenske(t) : 0;
  const int dele = (t->harRing ? 1 : 0) + (t->harGruppe ? 1 : 0);
  int rude;
  if (W > S + P + R + G) {
    rude = W - S - R - G;
  } else if (W <= S + P + kMindstDel * dele) {
    // The parts at their least; what they cannot have is dropped: the group
    // button first, then the ring strip, then the toggle slot.
    R = t->harRing ? kMindstDel : 0;
    G = t->harGruppe ? kMindstDel : 0;
    while (W - S - R - G < 0) {
      if (G) G = 0;
      else if (R) R = 0;
      else if (S) S = 0;
      else break;
    }
    rude = std::max(0, W - S - R - G);
  } else {
    rude = P;
    int mangel = S + P + R + G - W;
    if (t->harRing && t->harGruppe) {
      int &bredere = R > G ? R : G;
      const int forskel = std::abs(R - G);
      const int d = std::min(mangel, forskel);
      bredere -= d;
      mangel -= d;
      const int gruppeHalv = mangel / 2;
      R = std::max(kMindstDel, R - (mangel - gruppeHalv));
      G = std::max(kMindstDel, G - gruppeHalv);
    } else if (t->harRing) {
      if (R - mangel >= kMindstDel) R -= mangel;
    } else if (G - mangel >= kMindstDel) {
      G -= mangel;
    }
  }
  // A part of the gap's width or less has neither gap nor width.
  if (R <= kMellemrum) R = 0;
  if (G <= kMellemrum) G = 0;
  t->knapX = 3;
  t->knapB = S ? kKnapBredde : 0;
  t->rudeX = S;
  t->rudeB = rude;
  t->ringX = S + rude + kMellemrum;
  t->ringB = R ? R - kMellemrum : 0;
  t->gruppeX = S + rude + R + kMellemrum;
  t->gruppeB = G ? G - kMellemrum : 0;
}

void FlytBoern(const TBWS *t) {
  if (t->gruppeKnap) MoveWindow(t->gruppeKnap, t->gruppeX, 3, t->gruppeB, 18, TRUE);
  if (t->ring) MoveWindow(t->ring, t->ringX, 3, t->ringB, 18, TRUE);
  if (t->rude) MoveWindow(t->rude, t->rudeX, 6, t->rudeB, 11, TRUE);
  // A dropped toggle slot takes its button with it.
  if (t->knap) ShowWindow(t->knap, t->knapB ? SW_SHOW : SW_HIDE);
}

void Tegn(const TBWS *t) {
  if (!t->dc || t->width <= 0) return;
  if (t->linjer) {
    FillSysColRect(t->dc, COLOR_BTNSHADOW, 0, 0, t->width - 1, 0);
    FillSysColRect(t->dc, COLOR_BTNHIGHLIGHT, 0, 1, t->width - 1, 1);
  } else {
    FillRectIncl(t->dc, FarveBrush[0] ? FarveBrush[0] : GetSysColorBrush(COLOR_BTNFACE), 0, 0, t->width - 1, 1);
  }
}

void F3TilHovedvindue() {
  if (hwndHoved && !SkaermGendannes) SendMessageA(hwndHoved, WM_KEYDOWN, VK_F3, 0);
}

bool SkemaArt(LRESULT art) { return art == 40001 || art == 40004 || art == 40132 || art == 40135; }

// The student-count tooltips of the schedule windows, by x over the pane.
const char *TooltipVed(int x) {
  static const struct {
    int fra, til;
    const char *tekst;
  } omraader[] = {
      {313, 333, "Antal elever på start dagen"},
      {350, 370, "Antal elever på slut dagen"},
      {380, 400, "Antal elever på aktuel dag"},
  };
  for (const auto &o : omraader)
    if (x >= o.fra && x <= o.til) return o.tekst;
  return nullptr;
}

void VaelgTooltip(TBWS *t, LPARAM lParam) {
  const char *tekst = nullptr;
  if ((SendMessageA(t->owner, TB_INGEN_TOOLTIP, 0, 0) & 0xFF) == 0 &&
      SkemaArt(SendMessageA(t->owner, VINDUE_ART, 0, 0)))
    tekst = TooltipVed(static_cast<short>(LOWORD(lParam)));
  t->tooltip = tekst;
  if (tekst && t->rude) {
    TRACKMOUSEEVENT tme = {sizeof tme, TME_HOVER | TME_LEAVE, t->rude, HOVER_DEFAULT};
    TrackMouseEvent(&tme);
  } else if (!tekst) {
    SkjulTooltip();
  }
}

void OpretBoern(HWND hwnd, TBWS *t) {
  Layout(t);
  if (t->harGruppe) {
    t->gruppeKnap = CreateGroupWnd(t->instance, hwnd, t->gruppeX, 3, t->gruppeB, 18,
                                   static_cast<char>(t->gruppeBogstav), t->gruppeNr);
    if (t->gruppeKnap) {
      UpdateWindow(t->gruppeKnap);
      ShowWindow(t->gruppeKnap, SW_SHOW);
    }
  }
  WNDCLASSA wc;
  if (t->harRing && GetClassInfoA(t->instance, "RingWndClass", &wc)) {
    auto *r = static_cast<RingOpretInfo *>(std::calloc(1, sizeof(RingOpretInfo)));
    if (r) {
      const bool grupper = t->ringBogstav == 'G';
      r->instance = t->instance;
      r->toolbar = hwnd;
      r->x = t->ringX;
      r->y = 3;
      r->bredde = t->ringB;
      r->hoejde = 18;
      r->oensketBredde = static_cast<uint32_t>(RingBogstavBredde[RingBogstavIndeks(static_cast<char>(t->ringBogstav))]);
      r->antal = grupper ? RingeGruppeAntal : RingeSingleAntal;
      r->listeHoejde = r->antal * kListBoxRaekke + 2;
      r->tekstTab = grupper ? RingeGruppeStrTab : RingeSingleStrTab;
      r->idTab = grupper ? RingeGruppeTab : RingeSingleTab;
      r->bogstav = t->ringBogstav;
      // From its creation on the record is the strip's.
      t->ring = CreateWindowExA(0, "RingWndClass", "", WS_CHILD | WS_CLIPSIBLINGS, t->ringX, 3, t->ringB, 18, hwnd,
                                0, t->instance, r);
      if (t->ring) ShowWindow(t->ring, SW_SHOW);
    }
  }
  t->dc = GetDC(hwnd);
  if (t->harKnap) {
    t->knap = CreateNyButtonWnd(t->instance, hwnd, hwnd, 0, 0, kSkiftStil, t->knapX, 5, kKnapBredde, 14, "", "");
    t->knapTilstand = 0;
    if (t->knap && t->knapB) ShowWindow(t->knap, SW_SHOW);
  }
  auto *d = static_cast<DummyInfo *>(std::calloc(1, sizeof(DummyInfo)));
  if (d) {
    *d = DummyInfo{nullptr, hwnd, TB_RUDE_NED, ENS_MUS_FLYT, ENS_MUS_FORLAD, ENS_MUS_HVIL, TB_RUDE_DBL, TB_RUDE_TEGN};
    t->rude = CreateWindowExA(0, "DummyWndClass", "", WS_CHILD | WS_CLIPCHILDREN, t->rudeX, 6, t->rudeB, 11, hwnd, 0,
                              t->instance, d);
    if (t->rude) ShowWindow(t->rude, SW_SHOW);
    else std::free(d);
  }
}

}  // namespace

LRESULT CALLBACK TavoTBWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TBWS *t = Ws(hwnd);
  switch (msg) {
    case WM_CREATE:
      t = static_cast<TBWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
      if (!t) return -1;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(t));
      OpretBoern(hwnd, t);
      return 0;
    case WM_SIZE:
      if (t) {
        t->width = LOWORD(lParam);
        Layout(t);
        FlytBoern(t);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      if (t) Tegn(t);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case TB_RUDE_NED:
      if (t) SendMessageA(t->owner, WM_NCLBUTTONDOWN, 0, 0);
      return 0;
    case WM_DESTROY:
      if (t) {
        if (t->tooltip) SkjulTooltip();
        std::free(t);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      }
      return 0;
  }
  if (!t) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case TB_RUDE_TEGN:
      return SendMessageA(t->owner, TB_RUDE_TEGN, wParam, lParam);
    case ENS_MUS_FLYT:
      VaelgTooltip(t, lParam);
      return 0;
    case ENS_MUS_FORLAD:
      SkjulTooltip();
      return 0;
    case ENS_MUS_HVIL:
      if (t->tooltip) VisTooltip(t->tooltip, nullptr, 0);
      return 0;
    case TB_TOOLTIP:
      SkjulTooltip();
      t->tooltip = reinterpret_cast<const char *>(lParam);
      return 0;
    case TB_GRUPPEKNAP:
      if (wParam) *reinterpret_cast<HWND *>(wParam) = t->gruppeKnap;
      return 0;
    case ENS_TOOLBAR_RUDE:
      return static_cast<LRESULT>(t->rude);
    case TB_RUDEBREDDE:
      return t->rudeB;
    case TB_GRUPPE_INDEKS:
      if (t->gruppeKnap) SendMessageA(t->gruppeKnap, LISTBOX_VALGT, wParam, 0);
      F3TilHovedvindue();
      return 0;
    case TB_RING_NAESTE:
      if (t->ring) SendMessageA(t->ring, RING_NAESTE, wParam, 0);
      return 0;
    case RING_VAELG_ID:
    case RING_VIS_ID:
      if (t->ring) SendMessageA(t->ring, msg, wParam, lParam);
      return 0;
    case RING_VALGT:
    case RING_VALGT_INDEKS:
      return SendMessageA(t->owner, msg, wParam, lParam);
    case NYB_KLIK:
      SendMessageA(t->owner, NYB_KLIK, 0, 0);
      if (t->knap) SendMessageA(t->knap, NYB_KAPTIONBILLEDE, t->knapTilstand == 0 ? kSkiftBillede1 : kSkiftBillede0, 0);
      t->knapTilstand ^= 1;
      return 0;
    case GRUPPE_SAET:
      if (t->gruppeKnap) SendMessageA(t->gruppeKnap, GRUPPE_SAET, wParam, lParam);
      return 0;
    case GRUPPE_VALGT:
      // The owners shift 1 by the number.
      if (wParam > static_cast<WPARAM>(kGruppeAlle)) return 0;
      SendMessageA(t->owner, GRUPPE_VALGT, wParam, 0);
      F3TilHovedvindue();
      return 0;
    case GRUPPE_HENT:
      return t->gruppeKnap ? SendMessageA(t->gruppeKnap, GRUPPE_HENT, 0, 0) : 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateTavoTBWnd(HINSTANCE inst, HWND owner, char gruppeBogstav, char ringBogstav, uint32_t gruppeMaske,
                     bool knap, bool gruppeKnap, bool linjer, bool ring, int rudeBredde, int bredde) {
  auto *t = static_cast<TBWS *>(std::calloc(1, sizeof(TBWS)));
  if (!t) return 0;
  t->instance = inst;
  t->owner = owner;
  t->width = bredde;
  t->height = kToolbarHoejde;
  t->gruppeBogstav = static_cast<uint8_t>(gruppeBogstav);
  t->gruppeNr = static_cast<uint8_t>(LowBitNo(gruppeMaske));
  t->ringBogstav = static_cast<uint8_t>(ringBogstav);
  t->harKnap = knap;
  t->harGruppe = gruppeKnap;
  t->linjer = linjer;
  t->harRing = ring;
  t->oenskeRude = rudeBredde;
  HWND h = CreateWindowExA(0, "TavoTBWndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, bredde,
                           kToolbarHoejde, owner, 0, inst, t);
  if (!h) std::free(t);
  return h;
}

void SizeTavoTBWnd(HWND parent, HWND toolbar) {
  RECT rc;
  GetClientRect(parent, &rc);
  MoveWindow(toolbar, 0, 0, rc.right - rc.left, kToolbarHoejde, TRUE);
}

bool KmdToolbarRing(HWND toolbar, bool aktiv, int mode) {
  if (!aktiv) return false;
  if (mode == 2) SendMessageA(toolbar, TB_RING_NAESTE, 10, 0);
  return true;
}

HWND EnsOpretTavoTB(Ens *ens, HWND hwnd, const uint32_t v[7]) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  return CreateTavoTBWnd(ens->hInstance, hwnd, static_cast<char>(v[0]), static_cast<char>(v[1]), v[2], v[3] != 0,
                         v[4] != 0, ens->ToolbarValg != 0, v[5] != 0, static_cast<int>(v[6]), rc.right - rc.left);
}

// ==================================================================== registration

namespace {

const struct {
  const char *navn;
  WNDPROC proc;
} kKlasser[] = {
    {"GroupWndClass", GroupWndProc},
    {"TavoTBWndClass", TavoTBWndProc},
};

}  // namespace

bool RegistrerToolbarKlasser(HINSTANCE inst) {
  bool alle = true;
  for (const auto &k : kKlasser) {
    WNDCLASSA wc;
    std::memset(&wc, 0, sizeof wc);
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = k.proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(0, IDC_ARROW);
    wc.hbrBackground = FarveBrush[0] ? FarveBrush[0] : GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = k.navn;
    if (!RegisterClassA(&wc)) alle = false;
  }
  RegistrerGruppeNavneSkabelon();
  return alle;
}

void AfregistrerToolbarKlasser(HINSTANCE inst) {
  for (const auto &k : kKlasser) UnregisterClassA(k.navn, inst);
}
