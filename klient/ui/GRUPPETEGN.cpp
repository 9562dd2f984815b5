// The grouping window's drawing, header buttons and keys: the band with
// the current group's name, one button per group above the matrix and per
// name column above the names, the name rows and the matrix of tiles and
// empty cells with their column lines. Each pane is drawn on the DC it took
// at creation.

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ARRANGER.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "GRUPPE.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "NYBUTTON.h"
#include "RAMME.h"
#include "SWITCHTEGN.h"
#include "TAVOTB.h"
#include "tavo/assert.h"

namespace {

// The palette classes of empty cells: plain, the current cell with and
// without the focus, and the activities' system groups.
constexpr uint8_t kTomKlasse = 0;
constexpr uint8_t kAktuelFokusKlasse = 1;
constexpr uint8_t kAktuelKlasse = 2;
constexpr uint8_t kSystemKlasse = 53;

HBRUSH Brush(uint8_t k) {
  if (k < kAntalFarver && FarveBrush[k]) return FarveBrush[k];
  return GetSysColorBrush(COLOR_BTNFACE);
}

uint8_t ArtFarve(uint8_t art) { return art == 'K' ? 7 : art == 'M' ? 8 : 10; }

// Where group column g (1..32) starts before scrolling, and its width: the
// columns 11, 21 and 31 are a pixel narrower, for the double line after.
int KolonneStart(const GRPWS *ws, uint32_t g) { return static_cast<int>((g - 1) * (ws->CelleBredde + 1)); }
int KolonneBredde(const GRPWS *ws, uint32_t g) {
  const int b = static_cast<int>(ws->CelleBredde);
  return g == 11 || g == 21 || g == 31 ? b - 1 : b;
}

bool HarFokus(const GRPWS *ws) {
  const HWND f = GetFocus();
  return f && (f == ws->hwnd || IsChild(ws->hwnd, f));
}

// The rows visible in a pane, each through `tegn` at its y, with the line
// under every row; below the last row the pane is filled with brush 0.
template <class Fn>
void TegnRaekker(GRPWS *ws, int rude, int dcNr, Fn tegn) {
  Ens &e = ws->ens;
  EnsDC *dc = &e.dc[dcNr];
  const int B = e.RudeB[rude], H = e.RudeH[rude];
  if (!dc->hdc || B <= 0 || H <= 0) return;
  int bund = 0;
  if (e.ObjTab && e.ObjTabAntal > 0) {
    const uint32_t foerste = std::max<uint32_t>(GridPixelTilCelle(&e.AkseY, e.ScrollY), 1);
    for (uint32_t r = foerste; r <= e.ObjTabAntal; ++r) {
      const int y = static_cast<int>(static_cast<int64_t>(GridCelleStart(&e.AkseY, r)) - e.ScrollY);
      if (y >= H) break;
      tegn(dc, r, y, B);
      FillSysColRect(dc->hdc, COLOR_3DDKSHADOW, 0, y + kGrpRaekkeHoejde - 1, B - 1, y + kGrpRaekkeHoejde - 1);
      bund = y + kGrpRaekkeHoejde;
    }
  }
  if (bund < H) FillRectIfAny(dc->hdc, Brush(0), 0, std::max(bund, 0), B, H);
}

// A marked cell: a tile of the chosen tile layout on the kind's colour
// (the current cell on its own class).
void TegnBrik(GRPWS *ws, EnsDC *dc, int x, int y, int b, uint8_t farve, uint32_t rec) {
  FillRectIfAny(dc->hdc, Brush(farve), x, y, x + b, y + kGrpRaekkeHoejde - 1);
  const SwitchLayout *l = BrkSwitchLayout(kGruppeBrikArt, ws->Art, ws->BrikValgt);
  SwitchRaekkeValg valg;
  valg.hwnd = ws->hwnd;
  valg.Valg1 = 1;
  HGDIOBJ gammel = TxtFont ? SelectObject(dc->hdc, TxtFont) : 0;
  int fx = x;
  for (const SwitchFelt *sf = l ? l->FoersteFelt : nullptr; sf; sf = sf->Naeste) {
    char tekst[kSwitchTekstLen];
    uint8_t tekstFarve = 16;
    SwitchCelleTekst(sf, ws->Art, ws->ens.pTd, ws->ens.pTv, rec, &valg, tekst, &tekstFarve);
    const int tx = fx + static_cast<int>(sf->StregVenstre + sf->LuftVenstre);
    const int n = static_cast<int>(std::min<uint32_t>(uint32_t{sf->Tegn}, kSwitchMaksTegn));
    if (tx < x + b) TegnFarvetTekst(dc, tx, y, 16, farve, tekst, n, 1);
    fx += static_cast<int>(SwitchFeltBredde(sf));
  }
  if (gammel) SelectObject(dc->hdc, gammel);
}

constexpr ShortCutPost Genvej(UINT tast, int32_t ctrl, const char *navn, const char *beskrivelse) {
  return {{0, ctrl, 0, WM_KEYDOWN, tast, 0, 0, 0}, navn, beskrivelse};
}
constexpr std::array<ShortCutPost, 4> Genveje(const char *beskrivelse) {
  return {{Genvej(VK_F4, 1, "<Ctrl> + <F4>", "Luk fokus vindue."),
           Genvej(VK_SPACE, 0, "<Mellemrum>", beskrivelse),
           Genvej(VK_SPACE, 0, "<Dobbelt klikke venstre musetast>", beskrivelse),
           {{}, "", ""}}};
}
constexpr auto kAktiGenveje = Genveje("Tilføj / slet aktivitet fra gruppe.");
constexpr auto kLokaGenveje = Genveje("Tilføj / slet lokale fra gruppe.");
constexpr auto kAnfoGenveje = Genveje("Tilføj / slet medarbejder fra gruppe.");
ShortCutTabel AktiTabel{0, kAktiGenveje.data()};
ShortCutTabel LokaTabel{0, kLokaGenveje.data()};
ShortCutTabel AnfoTabel{0, kAnfoGenveje.data()};

int Holdt(int32_t tilstand) { return tilstand ? -1 : 0; }

}  // namespace

// ==================================================================== panes

void TegnGruppeBaand(GRPWS *ws) {
  Ens &e = ws->ens;
  EnsDC *dc = &e.dc[ENSDC_TOOLBAR];
  if (!dc->hdc || !e.hwndToolbar) return;
  const int B = static_cast<int>(SendMessageA(e.hwndToolbar, TB_RUDEBREDDE, 0, 0));
  if (B <= 0) return;
  FillRectIfAny(dc->hdc, Brush(0), 0, 0, B, kGrpRaekkeHoejde - 1);
  const uint32_t g = ws->PosX.Aktuel;
  const int art = GruppeArtIndeks(static_cast<char>(ws->Art));
  const char *navn = g == kArkivGruppe ? "Arkiv" : art >= 0 && g >= 1 && g <= kGrupper ? GruppeNavne[art][g - 1] : "";
  HGDIOBJ gammel = TxtFont ? SelectObject(dc->hdc, TxtFont) : 0;
  TegnFarvetTekst(dc, 2, 0, 16, 0, navn, static_cast<int>(strnlen(navn, kGruppeNavnLaengde)), 1);
  if (gammel) SelectObject(dc->hdc, gammel);
}

void TegnGruppeHoved(GRPWS *ws) {
  Ens &e = ws->ens;
  const int B = e.RudeB[ENS_KOLHOVED], H = e.RudeH[ENS_KOLHOVED];
  for (uint32_t g = 1; ws->hwndGrpSortBut && g <= kGruppeKolonner; ++g) {
    const HWND knap = ws->hwndGrpSortBut[g - 1];
    const int x = KolonneStart(ws, g) - static_cast<int>(e.ScrollX), b = KolonneBredde(ws, g);
    if (!knap) continue;
    if (x + b > 0 && x < B) {
      MoveWindow(knap, x, 0, b, kGrpKnapHoejde, TRUE);
      ShowWindow(knap, SW_SHOW);
    } else {
      ShowWindow(knap, SW_HIDE);
    }
  }
  EnsDC *dc = &e.dc[ENSDC_KOLHOVED];
  if (dc->hdc) {
    // The lines between the buttons and the room right of the last.
    for (uint32_t g = 1; g <= kGruppeKolonner; ++g) {
      const int x = KolonneStart(ws, g) - static_cast<int>(e.ScrollX) + KolonneBredde(ws, g);
      const int slut = KolonneStart(ws, g + 1) - static_cast<int>(e.ScrollX);
      FillRectIfAny(dc->hdc, Brush(0), x, 0, slut, H);
    }
    FillRectIfAny(dc->hdc, Brush(0), KolonneStart(ws, kGruppeKolonner + 1) - static_cast<int>(e.ScrollX), 0, B, H);
  }
  uint32_t start = 0;
  for (uint32_t i = 0; ws->hwndFeltSortBut && i < ws->FeltSortAntal; ++i) {
    const int b = static_cast<int>(ObjSwitchFeltBredde(kGruppeNavneArt, ws->Art, ws->NavneValgt, i));
    if (ws->hwndFeltSortBut[i]) MoveWindow(ws->hwndFeltSortBut[i], static_cast<int>(start), 0, b, kGrpKnapHoejde, TRUE);
    start += static_cast<uint32_t>(b);
  }
  EnsDC *hjoerne = &e.dc[ENSDC_HJOERNE_V];
  if (hjoerne->hdc) FillRectIfAny(hjoerne->hdc, Brush(0), static_cast<int>(start), 0, e.HjoerneB[0], e.HjoerneH[0]);
}

void TegnGruppeNavne(GRPWS *ws) {
  Ens &e = ws->ens;
  TegnRaekker(ws, ENS_RAEKKEHOVED, ENSDC_RAEKKEHOVED, [&](EnsDC *dc, uint32_t r, int y, int B) {
    SwitchRaekkeValg valg;
    valg.hwnd = ws->hwnd;
    valg.RestBredde = static_cast<uint32_t>(B);
    valg.Skrift = TxtFont;
    const uint8_t klasse = r == ws->PosY.Aktuel ? (e.Aktiv ? 1 : 2) : 0;
    TegnObjSwitchRaekke(dc, 0, y, klasse, kGruppeNavneArt, ws->Art, ws->NavneValgt, e.pTd, e.pTv, e.ObjTab[r],
                        &valg);
  });
}

void TegnGruppeCeller(GRPWS *ws) {
  Ens &e = ws->ens;
  const bool fokus = HarFokus(ws);
  TegnRaekker(ws, ENS_CELLER, ENSDC_CELLER, [&](EnsDC *dc, uint32_t r, int y, int B) {
    const uint32_t rec = e.ObjTab[r];
    const uint8_t *c = ws->Flag && rec < ws->FlagAntal ? ws->Flag + size_t{rec} * kGruppeKolonner : nullptr;
    const int hoejde = kGrpRaekkeHoejde - 1;
    for (uint32_t g = 1; g <= kGruppeKolonner; ++g) {
      const int x = KolonneStart(ws, g) - static_cast<int>(e.ScrollX), b = KolonneBredde(ws, g);
      const int linje = g == 11 || g == 21 || g == 31 ? 2 : 1;
      if (x + b + linje <= 0 || x >= B) continue;
      const bool aktuel = r == ws->PosY.Aktuel && g == ws->PosX.Aktuel;
      uint8_t klasse = aktuel ? (fokus ? kAktuelFokusKlasse : kAktuelKlasse) : kTomKlasse;
      if (c && c[g - 1]) {
        TegnBrik(ws, dc, x, y, b, aktuel ? klasse : ArtFarve(ws->Art), rec);
      } else {
        if (!aktuel && ws->Art == 'K' && g <= 6) klasse = kSystemKlasse;
        FillRectIfAny(dc->hdc, Brush(klasse), x, y, x + b, y + hoejde);
      }
      FillSysColRect(dc->hdc, COLOR_3DDKSHADOW, x + b, y, x + b + linje - 1, y + hoejde - 1);
    }
    const int slut = KolonneStart(ws, kGruppeKolonner + 1) - static_cast<int>(e.ScrollX);
    if (slut < B) FillRectIfAny(dc->hdc, Brush(0), std::max(slut, 0), y, B, y + hoejde);
  });
}

void TegnGruppeVindue(GRPWS *ws) {
  EnsPaintFrame(&ws->ens);
  TegnGruppeBaand(ws);
  TegnGruppeHoved(ws);
  TegnGruppeNavne(ws);
  TegnGruppeCeller(ws);
}

void GruppeScrollTilAktuel(GRPWS *ws) {
  Ens &e = ws->ens;
  const int bredde = std::max(int{e.RudeB[ENS_CELLER]}, 0), hoejde = std::max(int{e.RudeH[ENS_CELLER]}, 0);
  // Ens is packed: the offsets are copied, never referenced.
  uint32_t x = e.ScrollX, y = e.ScrollY;
  ws->PosY.Antal = e.ObjTabAntal;
  if (ws->PosY.Aktuel > e.ObjTabAntal) ws->PosY.Aktuel = e.ObjTabAntal;
  GridScrollTilAktuel(&ws->PosX, &x, static_cast<uint32_t>(bredde), &e.AkseX);
  GridScrollTilAktuel(&ws->PosY, &y, static_cast<uint32_t>(hoejde), &e.AkseY);
  e.ScrollX = x;
  e.ScrollY = y;
  if (e.hwndHScroll)
    SetScrollCtl(e.hwndHScroll, bredde, static_cast<int>(GridCelleSlut(&e.AkseX, ws->PosX.Antal)),
                 static_cast<int>(e.ScrollX));
  if (e.hwndVScroll)
    SetScrollCtl(e.hwndVScroll, hoejde, static_cast<int>(GridCelleSlut(&e.AkseY, ws->PosY.Antal)),
                 static_cast<int>(e.ScrollY));
}

// ==================================================================== buttons

void OpretGruppeKnapper(GRPWS *ws) {
  Ens &e = ws->ens;
  if (!ws->hwndGrpSortBut) {
    ws->hwndGrpSortBut = static_cast<HWND *>(std::calloc(kGruppeKolonner, sizeof(HWND)));
    if (!ws->hwndGrpSortBut) tavo::AssertFailed("GRPWS->hwndGrpSortBut != NULL", "GRUPPE", __LINE__);
    const int art = GruppeArtIndeks(static_cast<char>(ws->Art));
    const HWND rude = e.hwndKolHoved ? e.hwndKolHoved : ws->hwnd;
    for (uint32_t g = 1; g <= kGruppeKolonner; ++g) {
      char tekst[8], tip[128];
      if (g == kArkivGruppe) {
        std::snprintf(tekst, sizeof tekst, "A");
        std::snprintf(tip, sizeof tip, "Vis arkiv øverst");
      } else {
        // The stored name begins with its number: " n : ".
        const char *navn = art >= 0 ? GruppeNavne[art][g - 1] : "";
        const size_t spring = std::min<size_t>(g - 1 >= 10 ? 6 : 5, strnlen(navn, kGruppeNavnLaengde));
        std::snprintf(tekst, sizeof tekst, "%1u", g - 1);
        std::snprintf(tip, sizeof tip, "Vis gruppe %u: \"%s\" øverst", g - 1, navn + spring);
      }
      ws->hwndGrpSortBut[g - 1] =
          CreateNyButtonWnd(e.hInstance, rude, ws->hwnd, kGrpGruppeSortId + g, 0, 0, KolonneStart(ws, g), 0,
                            KolonneBredde(ws, g), kGrpKnapHoejde, tip, tekst);
    }
  }

  for (uint32_t i = 0; ws->hwndFeltSortBut && i < ws->FeltSortAntal; ++i)
    if (ws->hwndFeltSortBut[i] && IsWindow(ws->hwndFeltSortBut[i])) DestroyWindow(ws->hwndFeltSortBut[i]);
  ws->FeltSortAntal = 0;
  const uint32_t antal = ObjSwitchFeltAntal(kGruppeNavneArt, ws->Art, ws->NavneValgt);
  auto *knapper = static_cast<HWND *>(std::realloc(ws->hwndFeltSortBut, sizeof(HWND) * std::max<uint32_t>(antal, 1)));
  if (!knapper) tavo::AssertFailed("GRPWS->hwndGrpSortBut != NULL", "GRUPPE", __LINE__);
  ws->hwndFeltSortBut = knapper;
  const HWND hjoerne = e.hwndHjoerneV ? e.hwndHjoerneV : ws->hwnd;
  uint32_t x = 0;
  for (uint32_t i = 0; i < antal; ++i) {
    const char *navn = SwitchFeltNavn(e.pTd, ObjSwitchFeltNr(kGruppeNavneArt, ws->Art, ws->NavneValgt, i));
    const std::string tip = std::string("Sorter efter ") + navn;
    const int b = static_cast<int>(ObjSwitchFeltBredde(kGruppeNavneArt, ws->Art, ws->NavneValgt, i));
    knapper[i] = CreateNyButtonWnd(e.hInstance, hjoerne, ws->hwnd, kGrpFeltSortId + i, 0, NYB_BILLEDE_HOEJRE,
                                   static_cast<int>(x), 0, b, kGrpKnapHoejde, tip.c_str(), navn);
    x += static_cast<uint32_t>(b);
  }
  ws->FeltSortAntal = antal;
}

// ==================================================================== keys

bool GruppeTast(GRPWS *ws, const TastInfo *t, int mode) {
  const bool udfoer = mode == KMD_UDFOER;
  const int proeve = udfoer ? 0 : 1;
  switch (t->wParam) {
    case VK_SPACE:
      return SaetGruppe(ws, false, !udfoer);
    case VK_INSERT:
      return SaetGruppe(ws, true, !udfoer);
    case VK_LEFT:
    case VK_RIGHT:
      GridTastFlytTrin(&ws->PosX, t->wParam, Holdt(t->ctrl), Holdt(t->alt), false, proeve);
      return true;
    case VK_UP:
    case VK_DOWN:
      GridTastFlytTrin(&ws->PosY, t->wParam, Holdt(t->ctrl), Holdt(t->alt), false, proeve);
      return true;
    case VK_APPS:
      return KmdHoejreklik(ws->hwnd, 0, 0, mode);
    case VK_F4:
      return KmdLukVindue(ws->hwnd, 0, 0, t->ctrl != 0, mode);
    case VK_ESCAPE:
      if (udfoer) DestroyWindow(ws->hwnd);
      return true;
  }
  return false;
}

void GruppeGenvejsliste(GRPWS *ws) {
  POINT p{0, 0};
  GetCursorPos(&p);
  ShortCutTabel *tabel = ws->Art == 'K' ? &AktiTabel : ws->Art == 'L' ? &LokaTabel : &AnfoTabel;
  CreateShortCutWnd(ws->ens.hInstance, ws->hwnd, p.x, p.y, tabel);
}
