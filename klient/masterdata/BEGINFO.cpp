// The event info panel: its detail panel copies the few fields of the
// event's first row it shows, so a repaint never reads a bucket that an
// import or a save has reshaped meanwhile; the tile panel reads the panel's
// own property set.

#include "BEGINFO.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "AVSHJAELP.h"
#include "DATO.h"
#include "ELEMENT.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "RELAY.h"
#include "SKEBEG.h"
#include "SKERAEKKE.h"
#include "SKEVIS.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"

const BegTekst BegStatusTekstTab[] = {
    {1, " Central begivenhed "},       {2, " Lokal begivenhed "},         {3, " Sendt begivenhed "},
    {4, " Fejl ( <ctrl>+F10 ) "},      {80, " Fremmed begivenhed "},      {90, " Slettet begivenhed "},
    {91, " Slettet sendt begivenhed "}, {0, "Slut"},
};


namespace {

constexpr int kTekstFarve = 21;   // system colour of labels and values
constexpr int kNummerFarve = 16;  // system colour of the event number
constexpr int kDetaljeHoejde = 127;
constexpr int kRaekkeAfstand = 18;
constexpr int kFoersteRaekke = 21;
constexpr uint32_t kArtX = 43, kArtInfo = 48;
constexpr uint8_t kPelago = 254;

BegInfoWS *Ws(HWND h) { return reinterpret_cast<BegInfoWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }
BegInfo2WS *Ws2(HWND h) { return reinterpret_cast<BegInfo2WS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

uint32_t TidBredder() {
  return ObjSwitchBredde(kArtX, 'X', 2) + ObjSwitchBredde(kArtX, 'X', 3) + ObjSwitchBredde(kArtX, 'X', 4);
}

const char *FindTekst(const BegTekst *tab, uint32_t kode) {
  for (; tab->Kode; ++tab)
    if (tab->Kode == kode) return tab->Tekst;
  return nullptr;
}

// ---- detail panel geometry: the frame's left edge and row of every box

struct BoksSted {
  int x, y;
};

BoksSted Sted(const BegInfo2WS *ws, int boks) {
  const int l = static_cast<int>(ws->Etiket) + 9;
  const uint32_t *b = ws->BoksBredde;
  auto raekke = [](int r) { return kFoersteRaekke + r * kRaekkeAfstand - 1; };
  switch (boks) {
    case BOKS_EJER: return {l, raekke(0)};
    case BOKS_AENDRET:
      return {static_cast<int>(ws->Etiket) + 23 + static_cast<int>(b[BOKS_EJER]) + InfoTekstBredde("Ændret"),
              raekke(0)};
    case BOKS_DATO: return {l, raekke(1)};
    case BOKS_TID1: return {l, raekke(2)};
    case BOKS_TID2: return {l + static_cast<int>(b[BOKS_TID1]) + 8, raekke(2)};
    case BOKS_TID3: return {l + static_cast<int>(b[BOKS_TID1] + b[BOKS_TID2]) + 16, raekke(2)};
    case BOKS_RING: return {l, raekke(3)};
    case BOKS_STD: return {l, raekke(4)};
    default: return {l, raekke(5)};
  }
}

void RydBoks(BegInfo2WS *ws, int boks) {
  if (ws->BoksDC[boks].hdc)
    FillRectIfAny(ws->BoksDC[boks].hdc, FarveBrush[0], 0, 0, static_cast<int>(ws->BoksBredde[boks]), 11);
}

void TegnVaerdi(BegInfo2WS *ws, int boks, uint32_t art, uint8_t bogstav, uint32_t nr, const TabDesc *pTd,
                const TabVar *pTv, uint32_t recnr, int32_t v1, int32_t v2 = 0) {
  if (!ws->BoksDC[boks].hdc) return;
  RydBoks(ws, boks);
  SwitchRaekkeValg v;
  v.hwnd = ws->hwnd;
  v.Valg1 = v1;
  v.Valg2 = v2;
  v.Hoejde = 11;
  TegnObjSwitchRaekke(&ws->BoksDC[boks], 0, 0, 0, art, bogstav, nr, pTd, pTv, recnr, &v);
}

void TegnTekst(EnsDC *dc, int x, int y, const char *tekst) {
  SetTextColor(dc->hdc, GetSysColor(kTekstFarve));
  SetBkColor(dc->hdc, FarveTab[0]);
  SetBkMode(dc->hdc, OPAQUE);
  dc->TekstFarve = dc->BkFarve = kIngenFarve;
  TextOutA(dc->hdc, x, y, tekst, static_cast<int>(std::strlen(tekst)));
}

// The installation's name for the owner box's tooltip; false when no
// record of the installation table has the number.
bool InstallationsNavn(uint8_t nr, char *navn, size_t str) {
  if (nr == kPelago) {
    std::snprintf(navn, str, "%s", "Pelago+");
    return true;
  }
  for (uint32_t i = 1; i < tvins.wRecCnt; ++i) {
    const auto *r = reinterpret_cast<const InsRec *>(GetRec(&tdins, &tvins, i));
    if (r && r->Tavonr == nr) {
      std::snprintf(navn, str, "%.*s", static_cast<int>(strnlen(r->Navn, 30)), r->Navn);
      return true;
    }
  }
  return false;
}

void KopierRaekke(BegInfo2WS *ws, const SkeRec *r) {
  ws->Ejer = r->Ejer;
  ws->Konflikt = r->Konflikt;
  ws->Status = r->Status;
  ws->Fejl = r->Fejl;
  ws->Lektion = r->Lektion;
  ws->Starttid = r->Starttid;
  ws->Sluttid = r->Sluttid;
  ws->risy_id = r->risy_id;
  ws->Antal_std_lektioner = r->Antal_std_lektioner;
  ws->opdtid = r->opdtid;
  ws->id = r->id;
  std::memcpy(ws->AEndret_af, r->AEndret_af, sizeof ws->AEndret_af);
  ws->AEndret_af[sizeof ws->AEndret_af - 1] = '\0';
  ws->AEndret_tid = r->AEndret_tid;
  ws->Dato = UgeDagTilDato(IndeksTilUge(SkemaPeriode.AktuelUgeIndeks), VisningsTilstand[VISNING_LEKTION].Ugedag);
}

void NulstilRaekke(BegInfo2WS *ws) {
  ws->Ejer = ws->Konflikt = ws->Fejl = ws->Lektion = 0;
  ws->Status = ws->Dato = ws->Starttid = ws->Sluttid = ws->risy_id = ws->id = 0;
  ws->Antal_std_lektioner = 0;
  ws->opdtid = ws->AEndret_tid = 0;
  std::memset(ws->AEndret_af, 0, sizeof ws->AEndret_af);
}

// YYYYMMDDHHMMSS into the date and HHMM, in range for the layout's fields.
void DelTid(double t, int32_t *dato, int32_t *hhmm) {
  if (!(t > 0) || t >= 1e14) {
    *dato = *hhmm = 0;
    return;
  }
  const double d = std::floor(t / 1e6);
  *dato = static_cast<int32_t>(d);
  *hhmm = static_cast<int32_t>(std::fmod(std::floor(t / 100), 1e4));
}

void BlivAktiv(BegInfoWS *ws, WPARAM w) {
  ws->Aktiv = 1;
  SendMessageA(ws->hwndEjer, ENS_BLEV_AKTIV, w, static_cast<LPARAM>(ws->hwnd));
}

}  // namespace

uint32_t BegStatusKode(uint8_t ejer, uint32_t status, uint8_t fejl, uint8_t egen, bool superTavo) {
  if (ejer != egen || superTavo) return 80;
  if (status & 8) return (status & 16) ? 91 : 90;
  if (fejl) return fejl < 100 ? fejl : 0;
  if (!(status & 32)) return (status & 16) ? 3 : 2;
  return 1;
}

void BegStatusLinje(uint32_t kode, char *tekst, size_t str) {
  const char *t = FindTekst(BegStatusTekstTab, kode);
  if (!t) t = FindTekst(BegFejlTekstTab, kode);
  if (t)
    std::snprintf(tekst, str, "Status  :  %02u%.23s%32s", kode, t, "");
  else
    std::snprintf(tekst, str, "Status  :  %02u", kode);
}

uint8_t BegAendretFarve(uint8_t ejer, uint32_t status, uint8_t egen, bool superTavo, bool visBytFlyt) {
  if (superTavo) return 16;
  if (ejer != egen) return 4;
  if (visBytFlyt) return 11;
  if (status & 512) return 39;
  return 16;
}

uint32_t BegInfoEtiketBredde() {
  return static_cast<uint32_t>(InfoStoersteBredde({"Ejer", "Dato", "Tid", "Ring", "Std"}));
}

uint32_t BegInfo2Bredde(uint32_t maks) { return std::min(BegInfoEtiketBredde() + TidBredder() + 30, maks); }

uint32_t CalcBegInfoWidth(uint8_t placering) {
  const uint32_t wd = BegInfo2Bredde(500);
  const uint32_t wt = CalcBrikInfoWidth(500, kArtInfo, placering);
  if (placering == 'F') return std::min(wt + wd + 2, 500u);
  return std::min(std::max(wt, wd) + 2, 500u);
}

uint32_t CalcBegInfoHeight(uint8_t placering) {
  const uint32_t t = std::min(CalcBrikInfoHeight(1000), 500u);
  if (placering == 'H') return std::min(t + 129, 500u);
  return t < 127 ? 129 : std::min(t + 2, 500u);
}

void LayoutBegInfo(BegInfoWS *ws) {
  const int32_t w = static_cast<int32_t>(ws->Bredde), h = static_cast<int32_t>(ws->Hoejde);
  if (ws->Placering != 'F') {
    const uint32_t b = static_cast<uint32_t>(std::max(w - 2, 0));
    ws->BrikBredde = ws->DetaljeBredde = b;
    int32_t detalje = kDetaljeHoejde;
    int32_t brik = static_cast<int32_t>(CalcBrikInfoHeight(1000));
    if (brik + kDetaljeHoejde > h - 2) {
      if (h > 129) {
        brik = h - 129;
      } else {
        brik = 0;
        detalje = std::max(h - 2, 0);
      }
    }
    ws->DetaljeX = ws->DetaljeY = 1;
    ws->DetaljeHoejde = static_cast<uint32_t>(detalje);
    ws->BrikHoejde = static_cast<uint32_t>(brik);
    ws->BrikX = 1;
    ws->BrikY = ws->DetaljeHoejde + 1;
    return;
  }
  const uint32_t hoejde = static_cast<uint32_t>(std::max(h - 2, 0));
  ws->BrikHoejde = ws->DetaljeHoejde = hoejde;
  ws->BrikY = ws->DetaljeY = 1;
  int32_t wt = static_cast<int32_t>(CalcBrikInfoWidth(1000, kArtInfo, 'F'));
  int32_t wd = static_cast<int32_t>(BegInfo2Bredde(1000));
  if (wt + wd > w - 2) {
    const int32_t o = wt + wd - (w - 2);
    if (o < wt) {
      wt -= o;
    } else {
      wd = std::max(wd - (o - wt), 0);
      wt = 0;
    }
  }
  ws->DetaljeX = 1;
  ws->DetaljeBredde = static_cast<uint32_t>(wd);
  ws->BrikX = ws->DetaljeBredde + 1;
  ws->BrikBredde = static_cast<uint32_t>(wt);
}

void BegInfo2FeltBredder(BegInfo2WS *ws) {
  ws->Etiket = BegInfoEtiketBredde();
  uint32_t *b = ws->BoksBredde;
  b[BOKS_EJER] = ObjSwitchBredde(kArtX, 'X', 7);
  b[BOKS_AENDRET] = ObjSwitchBredde(kArtX, 'X', 9);
  b[BOKS_DATO] = ObjSwitchBredde(kArtX, 'X', 6);
  b[BOKS_TID1] = ObjSwitchBredde(kArtX, 'X', 2);
  b[BOKS_TID2] = ObjSwitchBredde(kArtX, 'X', 3);
  b[BOKS_TID3] = ObjSwitchBredde(kArtX, 'X', 4);
  b[BOKS_RING] = ObjSwitchBredde(kArtInfo, 'R', 0);
  b[BOKS_STD] = ObjSwitchBredde(kArtInfo, 'S', 0);
  b[BOKS_OPD] = ObjSwitchBredde(kArtInfo, 'O', 0);
}

void TegnBegInfo2Ramme(BegInfo2WS *ws) {
  EnsDC *dc = &ws->dc;
  if (!dc->hdc) return;
  BegInfo2FeltBredder(ws);
  FillRectIfAny(dc->hdc, FarveBrush[0], 0, 0, static_cast<int>(ws->Bredde), static_cast<int>(ws->Hoejde));
  const char *etiketter[] = {"Ejer", "Dato", "Tid", "Ring", "Std", "Opd"};
  for (int r = 0; r < 6; ++r) TegnTekst(dc, 3, kFoersteRaekke + r * kRaekkeAfstand, etiketter[r]);
  TegnTekst(dc, static_cast<int>(ws->Etiket) + 17 + static_cast<int>(ws->BoksBredde[BOKS_EJER]), kFoersteRaekke,
            "Ændret");
  for (int b = 0; b < kBegInfoBokse; ++b) {
    const BoksSted s = Sted(ws, b);
    DrawFrame3D(dc->hdc, s.x, s.y, s.x + static_cast<int>(ws->BoksBredde[b]) + 1, s.y + 12, 2);
  }
}

void TegnBegInfo2Vaerdier(BegInfo2WS *ws) {
  if (!ws->dc.hdc) return;
  BegInfo2FeltBredder(ws);
  // Tid: the lesson, and the start and end times of an event placed by time.
  TegnVaerdi(ws, BOKS_TID1, kArtX, 'X', 2, &tdakti, &tvakti, 0, ws->Lektion);
  if (ws->Sluttid) {
    TegnVaerdi(ws, BOKS_TID2, kArtX, 'X', 3, &tdakti, &tvakti, 0, static_cast<int32_t>(ws->Starttid));
    TegnVaerdi(ws, BOKS_TID3, kArtX, 'X', 4, &tdakti, &tvakti, 0, static_cast<int32_t>(ws->Sluttid));
  } else {
    RydBoks(ws, BOKS_TID2);
    RydBoks(ws, BOKS_TID3);
  }
  TegnVaerdi(ws, BOKS_DATO, kArtX, 'X', 6, &tdakti, &tvakti, 0, static_cast<int32_t>(ws->Dato));
  const int bredde = static_cast<int>(ws->Bredde);
  const uint8_t egen = GlobalIndstillinger.insnr;
  const bool superTavo = GlobalIndstillinger.supertavo != 0;
  const bool visBytFlyt = GlobalIndstillinger.visbytflyt != 0;
  if (static_cast<int32_t>(ws->Dato) <= 0) {
    // No event: every box is empty, not a ring system "Ukendt" and 0,00
    // lessons of a row that is not there.
    for (int b = 0; b < kBegInfoBokse; ++b) RydBoks(ws, b);
    FillRectIfAny(ws->dc.hdc, FarveBrush[0], 3, 3, bredde, kFoersteRaekke - 1);
    const BoksSted ring = Sted(ws, BOKS_RING);
    FillRectIfAny(ws->dc.hdc, FarveBrush[0], ring.x + static_cast<int>(ws->BoksBredde[BOKS_RING]) + 2, ring.y + 1,
                  bredde, ring.y + 12);
    ws->StatusTekst[0] = '\0';
    return;
  }
  {
    const uint8_t vist = ws->Konflikt ? ws->Konflikt : (ws->Status & 2) ? 0 : ws->Ejer;
    TegnVaerdi(ws, BOKS_EJER, kArtX, 'X', 8, &tdakti, &tvakti, 0, vist);
    if (InstallationsNavn(ws->Konflikt ? ws->Konflikt : ws->Ejer, ws->EjerNavn, sizeof ws->EjerNavn) &&
        ws->hwndBoks[BOKS_EJER])
      SendMessageA(ws->hwndBoks[BOKS_EJER], TB_TOOLTIP, 0, reinterpret_cast<LPARAM>(ws->EjerNavn));
    BegStatusLinje(BegStatusKode(ws->Ejer, ws->Status, ws->Fejl, egen, superTavo), ws->StatusTekst,
                   sizeof ws->StatusTekst);
    FillRectIfAny(ws->dc.hdc, FarveBrush[0], 3, 3, bredde, kFoersteRaekke - 1);
    TegnTekst(&ws->dc, 3, 3, ws->StatusTekst);
  }
  // Ændret: who changed the event last, under the change mark.
  const uint8_t farve = BegAendretFarve(ws->Ejer, ws->Status, egen, superTavo, visBytFlyt);
  RydBoks(ws, BOKS_AENDRET);
  if ((ws->Status & 4096) && ws->BoksDC[BOKS_AENDRET].hdc) {
    ws->AendretFarve = farve;
    TegnFarvetTekst(&ws->BoksDC[BOKS_AENDRET], 0, 0, farve, 0, ws->AEndret_af,
                    static_cast<int>(strnlen(ws->AEndret_af, sizeof ws->AEndret_af)), 2);
  }
  TegnVaerdi(ws, BOKS_RING, kArtInfo, 'R', 0, &tdrisy, &tvrisy, ws->risy_id, 0);
  TegnVaerdi(ws, BOKS_STD, kArtInfo, 'S', 0, nullptr, nullptr, 0,
             static_cast<int32_t>(ws->Antal_std_lektioner * 100 + 0.5));
  if (visBytFlyt && (ws->Status & 4096)) {
    RydBoks(ws, BOKS_OPD);
    int32_t dato, hhmm;
    DelTid(ws->AEndret_tid, &dato, &hhmm);
    char tekst[40];
    std::snprintf(tekst, sizeof tekst, "%ld %02ld:%02ld", static_cast<long>(dato), static_cast<long>(hhmm / 100),
                  static_cast<long>(hhmm % 100));
    const SwitchFelt *f = ObjSwitchFelt(kArtInfo, 'O', 0, 0);
    const int x = f ? static_cast<int>(f->StregVenstre + f->LuftVenstre) : 0;
    ws->OpdFarve = farve;
    if (ws->BoksDC[BOKS_OPD].hdc)
      TegnFarvetTekst(&ws->BoksDC[BOKS_OPD], x, 0, farve, 0, tekst, static_cast<int>(std::strlen(tekst)), 2);
  } else {
    int32_t dato, hhmm;
    DelTid(ws->opdtid, &dato, &hhmm);
    ws->OpdFarve = 16;
    TegnVaerdi(ws, BOKS_OPD, kArtInfo, 'O', 0, nullptr, nullptr, 0, dato, hhmm);
  }
  // The event number, right of the Ring box.
  const BoksSted ring = Sted(ws, BOKS_RING);
  RECT r{ring.x + static_cast<int>(ws->BoksBredde[BOKS_RING]) + 2, ring.y + 1, bredde - 5, ring.y + 12};
  FillRectIfAny(ws->dc.hdc, FarveBrush[0], r.left, r.top, bredde, r.bottom);
  if (ws->id) {
    char tal[16];
    std::snprintf(tal, sizeof tal, "%7ld", static_cast<long>(ws->id));
    SetTextColor(ws->dc.hdc, GetSysColor(kNummerFarve));
    SetBkColor(ws->dc.hdc, FarveTab[0]);
    DrawTextA(ws->dc.hdc, tal, -1, &r, DT_RIGHT | DT_SINGLELINE);
    SetTextColor(ws->dc.hdc, GetSysColor(kTekstFarve));
    ws->dc.TekstFarve = ws->dc.BkFarve = kIngenFarve;
  }
}

LRESULT CALLBACK BegInfo2WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  BegInfo2WS *ws = Ws2(hwnd);
  if (!ws && msg != WM_CREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_CREATE: {
      ws = static_cast<BegInfo2WS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
      if (!ws) return -1;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
      ws->hwnd = hwnd;
      ws->hwndEjer = GetParent(hwnd);
      SelectDCPalette(hwnd, &ws->dc, TxtFont);
      SetBkColor(ws->dc.hdc, FarveTab[0]);
      SetTextColor(ws->dc.hdc, GetSysColor(kTekstFarve));
      SetBkMode(ws->dc.hdc, OPAQUE);
      BegInfo2FeltBredder(ws);
      for (int b = 0; b < kBegInfoBokse; ++b) {
        auto *info = static_cast<DummyInfo *>(std::calloc(1, sizeof(DummyInfo)));
        if (!info) continue;
        *info = DummyInfo{nullptr,        hwnd,           BEGINFO2_NED, ENS_MUS_FLYT, ENS_MUS_FORLAD,
                          ENS_MUS_HVIL, TB_RUDE_DBL, TB_RUDE_TEGN};
        const BoksSted s = Sted(ws, b);
        HWND h = CreateWindowExA(0, "DummyWndClass", "", WS_CHILD | WS_CLIPSIBLINGS, s.x + 1, s.y + 1,
                                 static_cast<int>(ws->BoksBredde[b]), 11, hwnd, 0, ws->hInst, info);
        if (!h) {
          std::free(info);
          continue;
        }
        ws->hwndBoks[b] = h;
        SelectDCPalette(h, &ws->BoksDC[b], TxtFont);
        ShowWindow(h, SW_SHOW);
      }
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      TegnBegInfo2Ramme(ws);
      return 0;
    }
    case VINDUE_TEGN_MED:
      TegnBegInfo2Ramme(ws);
      return 0;
    case WM_SIZE:
      ws->Bredde = LOWORD(lParam);
      ws->Hoejde = HIWORD(lParam);
      TegnBegInfo2Ramme(ws);
      return 0;
    case TB_RUDE_TEGN:
      TegnBegInfo2Vaerdier(ws);
      return 0;
    case BRIKINFO_OPDATER:
      if (lParam) {
        KopierRaekke(ws, reinterpret_cast<const SkeRec *>(lParam));
      } else {
        NulstilRaekke(ws);
        if (ws->hwndBoks[BOKS_EJER]) SendMessageA(ws->hwndBoks[BOKS_EJER], TB_TOOLTIP, 0, 0);
      }
      TegnBegInfo2Vaerdier(ws);
      return 0;
    case VINDUE_ART:
      return ws->Vaerdi;
    case WM_ERASEBKGND:
      return 0;
    case WM_DESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      std::free(ws);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK BegInfoWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  BegInfoWS *ws = Ws(hwnd);
  if (!ws && msg != WM_CREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_CREATE: {
      ws = static_cast<BegInfoWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
      if (!ws) return -1;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
      ws->hwnd = hwnd;
      ws->hwndEjer = GetParent(hwnd);
      SelectDCPalette(hwnd, &ws->dc, TxtFont);
      SetBkColor(ws->dc.hdc, FarveTab[0]);
      SetTextColor(ws->dc.hdc, GetSysColor(kTekstFarve));
      LayoutBegInfo(ws);
      if (auto *d = static_cast<BegInfo2WS *>(std::calloc(1, sizeof(BegInfo2WS)))) {
        d->hInst = ws->hInst;
        d->x = ws->DetaljeX;
        d->y = ws->DetaljeY;
        d->Bredde = std::min(BegInfo2Bredde(UINT32_MAX), ws->DetaljeBredde + 1);
        d->Hoejde = std::min<uint32_t>(ws->DetaljeHoejde + 1, kDetaljeHoejde);
        ws->hwndDetalje = CreateWindowExA(0, "BegInfo2WndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                          static_cast<int>(d->x), static_cast<int>(d->y),
                                          static_cast<int>(d->Bredde), static_cast<int>(d->Hoejde), hwnd, 0,
                                          ws->hInst, d);
        if (!ws->hwndDetalje) std::free(d);
      }
      ws->hwndBrik = CreateBrikInfoWnd(hwnd, static_cast<int>(ws->BrikX), static_cast<int>(ws->BrikY),
                                       static_cast<int>(ws->BrikX + ws->BrikBredde),
                                       static_cast<int>(ws->BrikY + ws->BrikHoejde), &ws->avs, 'I', ws->Placering, 0);
      if (ws->hwndDetalje) ShowWindow(ws->hwndDetalje, SW_SHOW);
      if (ws->hwndBrik) ShowWindow(ws->hwndBrik, SW_SHOW);
      if (SendMessageA(ws->hwndEjer, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(hwnd))) BlivAktiv(ws, 1);
      return 0;
    }
    case WM_SIZE:
      ws->Bredde = LOWORD(lParam);
      ws->Hoejde = HIWORD(lParam);
      LayoutBegInfo(ws);
      if (ws->hwndBrik)
        MoveWindow(ws->hwndBrik, static_cast<int>(ws->BrikX), static_cast<int>(ws->BrikY),
                   static_cast<int>(ws->BrikBredde), static_cast<int>(ws->BrikHoejde), TRUE);
      if (ws->hwndDetalje)
        MoveWindow(ws->hwndDetalje, static_cast<int>(ws->DetaljeX), static_cast<int>(ws->DetaljeY),
                   static_cast<int>(ws->DetaljeBredde), static_cast<int>(ws->DetaljeHoejde), TRUE);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      LayoutBegInfo(ws);
      DrawFrame3D(ws->dc.hdc, 0, 0, static_cast<int>(ws->Bredde) - 1, static_cast<int>(ws->Hoejde) - 1, 1);
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
      if (!ws->Aktiv) BlivAktiv(ws, wParam);
      return 0;
    case VINDUE_AKTIVER_STILLE:
      ws->Aktiv = 1;
      return 0;
    case VINDUE_DEAKTIVER:
      ws->Aktiv = 0;
      SendMessageA(ws->hwndEjer, ENS_BLEV_INAKTIV, 0, static_cast<LPARAM>(hwnd));
      return 0;
    case VINDUE_SAET_AKTIV:
      ws->Aktiv = 1;
      return 0;
    case VINDUE_ART:
      return ws->Vaerdi;
    case BRIKINFO_VIS: {
      const auto *ske = reinterpret_cast<const SkeStruct *>(lParam);
      const uint32_t n = static_cast<uint32_t>(wParam);
      const SkeRec *raekke = nullptr;
      CleanupAVS(&ws->avs);
      if (n && ske && n <= ske->SkeVisAntal && ske->lpSkeVisListe) {
        HentVisAVS(ske, &ws->avs, n, true);
        raekke = VisFoersteRaekke(ske->lpSkeVisListe[n]);
      }
      // An entry whose row has gone shows nothing rather than the last event.
      if (ws->hwndDetalje) SendMessageA(ws->hwndDetalje, BRIKINFO_OPDATER, 0, reinterpret_cast<LPARAM>(raekke));
      if (ws->hwndBrik) SendMessageA(ws->hwndBrik, BRIKINFO_OPDATER, 0, 0);
      return 0;
    }
    case WM_DESTROY:
      // The children go first: the tile panel reads the property set freed here.
      if (ws->hwndBrik && IsWindow(ws->hwndBrik)) DestroyWindow(ws->hwndBrik);
      if (ws->hwndDetalje && IsWindow(ws->hwndDetalje)) DestroyWindow(ws->hwndDetalje);
      CleanupAVS(&ws->avs);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      std::free(ws);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateBegInfoWnd(HWND foraelder, int venstre, int top, int hoejre, int bund, uint8_t placering,
                      uint32_t vaerdi) {
  auto *ws = static_cast<BegInfoWS *>(std::calloc(1, sizeof(BegInfoWS)));
  if (!ws) return 0;
  CleanupAVS(&ws->avs);
  ws->hInst = static_cast<HINSTANCE>(GetWindowLongPtrA(foraelder, GWLP_HINSTANCE));
  ws->x = static_cast<uint32_t>(venstre);
  ws->y = static_cast<uint32_t>(top);
  ws->Bredde = static_cast<uint32_t>(std::max(hoejre - venstre + 1, 0));
  ws->Hoejde = static_cast<uint32_t>(std::max(bund - top + 1, 0));
  ws->Placering = placering;
  ws->Vaerdi = vaerdi;
  HWND h = CreateWindowExA(0, "BegInfoWndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, venstre, top,
                           static_cast<int>(ws->Bredde), static_cast<int>(ws->Hoejde), foraelder, 0, ws->hInst, ws);
  if (!h) {
    CleanupAVS(&ws->avs);
    std::free(ws);
  }
  return h;
}

HWND OpretBegInfoVindue(HWND celle, int venstre, int top, int hoejre, int bund, uint8_t placering, uint32_t type) {
  HWND h = CreateBegInfoWnd(celle, venstre, top, hoejre, bund, placering, type);
  if (h) {
    hwndBrikInfo = h;
    ShowWindow(h, SW_SHOW);
  }
  return h;
}

int32_t BegInfoHoejdeH() { return static_cast<int32_t>(CalcBegInfoHeight('H')); }
int32_t BegInfoBreddeH() { return static_cast<int32_t>(CalcBegInfoWidth('H')); }
int32_t BegInfoHoejdeF() { return static_cast<int32_t>(CalcBegInfoHeight('F')); }
int32_t BegInfoBreddeF() { return static_cast<int32_t>(CalcBegInfoWidth('F')); }
