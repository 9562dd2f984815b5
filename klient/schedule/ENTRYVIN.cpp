// The entry window's layout, painting, refresh and end, as far as they work
// on its workspace alone.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BRIKIND.h"
#include "FARVER.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "ROLLER.h"
#include "SKEMAVIN.h"
#include "SKERAEKKE.h"
#include "STATUSFILTER.h"
#include "SWITCH.h"
#include "VINDUER.h"
#include "VISFELT.h"

uint8_t VisKunTilstand = 0;
uint8_t MarkeringsTilstand = 0;

namespace {

struct Tabel {
  const TabDesc *td;
  TabVar *tv;
};

Tabel TabelFor(char bogstav) {
  switch (bogstav) {
    case 'K':
      return {&tdakti, &tvakti};
    case 'U':
      return {&tdskfa, &tvskfa};
    case 'M':
      return {&tdanfo, &tvanfo};
    case 'L':
      return {&tdloka, &tvloka};
    case 'R':
      return {&tdrisy, &tvrisy};
    case '/':
      return {&tdsls_koder, &tvsls_koder};
    default:
      return {nullptr, nullptr};
  }
}

DifValg *AktuelListe(BrikIndStruct *b) {
  return b->AktuelListe < kAntalDifValg ? &b->Valg[b->AktuelListe] : nullptr;
}

// Standard lessons as "%d,%02d". The hundredths are rounded with the whole
// part, so 1.996 reads 2,00 and never 1,100.
void Lektioner(float v, char *buf, size_t n) {
  const long h = std::lround(static_cast<double>(v) * 100.0);
  const long a = std::labs(h);
  std::snprintf(buf, n, "%s%ld,%02ld", h < 0 ? "-" : "", a / 100, a % 100);
}

void Tider(Klokkeslaet start, Klokkeslaet slut, char *buf, size_t n) {
  std::snprintf(buf, n, "%02d:%02d-%02d:%02d", static_cast<int>(start / 100), static_cast<int>(start % 100),
                static_cast<int>(slut / 100), static_cast<int>(slut % 100));
}

// A special schedule's role is one the school bound to a special-schedule
// code.
bool SaerligRolle(uint32_t rolle) { return rolle && FindSlsKodeForSkemarol(rolle) != 0; }

}  // namespace

void TidLinjeTekster(const BrikIndStruct *b, char *tid, size_t tidN, char *lekt, size_t lektN) {
  (void)b;
  const AVS &e = AktuelAVS;
  Klokkeslaet start = e.Starttid, slut = e.Sluttid;
  float std = e.Antal_std_lektioner;
  if (e.Art == 'P' && e.anfoAntal && e.skemarolTab && SaerligRolle(e.skemarolTab[0])) {
    // The special schedule counts half the lessons, ending at the event's end.
    std = e.Antal_std_lektioner / 2.0f;
    const int32_t minutter =
        static_cast<int32_t>(std::lround(std * static_cast<float>(GlobalIndstillinger.standardlektionslengde)));
    start = LaegMinutterTil(slut, -minutter);
  }
  Tider(start, slut, tid, tidN);
  Lektioner(std, lekt, lektN);
}

void TegnTidLinje(BrikIndStruct *b) {
  if (!b || !b->hwnd) return;
  HDC dc = GetDC(b->hwnd);
  if (!dc) return;
  const RECT &r = b->TidLinjeRekt;
  const int midt = (r.left + r.right) / 2;
  DrawFrame3D(dc, r.left, r.top, midt - 2, r.bottom, 18);
  DrawFrame3D(dc, midt + 2, r.top, r.right, r.bottom, 18);
  HGDIOBJ gammel = TxtFont ? SelectObject(dc, TxtFont) : 0;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  char tid[24], lekt[24];
  TidLinjeTekster(b, tid, sizeof tid, lekt, sizeof lekt);
  const int y = r.top + 3;
  const bool visTid = b->Visning != 'L' && !(b->Visning == 'T' && b->Mode == 'B');
  if (visTid) TextOutA(dc, r.left + 4, y, "Tid:", 4);
  TextOutA(dc, r.left + 36, y, tid, static_cast<int>(std::strlen(tid)));
  TextOutA(dc, midt + 6, y, "Lekt:", 5);
  TextOutA(dc, midt + 44, y, lekt, static_cast<int>(std::strlen(lekt)));
  if (gammel) SelectObject(dc, gammel);
  ReleaseDC(b->hwnd, dc);
}

void TegnEntryBaggrund(BrikIndStruct *b) {
  if (!b || !b->hwnd) return;
  HDC dc = GetDC(b->hwnd);
  if (!dc) return;
  for (int i = 0; i < kEntryBoern; ++i) {
    const RECT &r = b->BoernRekt[i];
    if (r.right <= r.left || r.bottom <= r.top) continue;
    DrawFrame3D(dc, r.left - 2, r.top - 2, r.right + 2, r.bottom + 2, i <= BARN_DETALJE ? 17 : 18);
  }
  for (int i = BARN_LISTE; i <= BARN_DETALJE; ++i) {
    const RECT &r = b->BoernRekt[i];
    if (r.right > r.left && b->Pensel) FillRect(dc, &r, b->Pensel);
  }
  const RECT &l = b->BoernRekt[BARN_LISTE];
  if (l.right > l.left) {
    DrawColorLine(dc, l.left, l.top - 18, l.right, l.top - 18, GetSysColor(COLOR_3DDKSHADOW));
    // The list with the focus gets the frame.
    DrawFrame3D(dc, l.left - 4, l.top - 4, l.right + 4, l.bottom + 4, 18);
  }
  ReleaseDC(b->hwnd, dc);
  TegnTidLinje(b);
}

void SorterValg(BrikIndStruct *b) {
  DifValg *v = b ? AktuelListe(b) : nullptr;
  if (!v || v->Antal < 2 || !v->ObjTab) return;
  const Tabel t = TabelFor(v->Bogstav);
  if (!t.td) return;
  uint32_t felter[kMaxSortFelter];
  uint32_t antal = 0;
  for (int i = 0; i < kMaxSortFelter && v->SortFelt[i]; ++i) felter[antal++] = v->SortFelt[i];
  if (antal == 0) {
    const uint32_t f = ObjSwitchFeltNr(v->SwitchArt, static_cast<uint8_t>(v->Bogstav), v->SwitchValgt, 0);
    if (f == 0) return;
    felter[antal++] = f;
  }
  const uint32_t option = v->SortRetning[0] < 0 ? SORT_FALDENDE : 0;
  if (b->AktuelListe == FOCUS_SKFA)
    SorterMarkeredeSidst(v->Bogstav, v->ObjTab, v->Antal, t.td, t.tv, nullptr, option, 0, v->Maerker,
                         v->AntalMaerker, felter, antal);
  else
    SorterPaaFelter(v->Bogstav, v->ObjTab, v->Antal, t.td, t.tv, nullptr, option, 0, felter, antal);
}

void PlacerKolonneKnapper(BrikIndStruct *b) {
  DifValg *v = b ? AktuelListe(b) : nullptr;
  if (!v) return;
  const RECT &l = b->BoernRekt[BARN_LISTE];
  const uint8_t bogstav = static_cast<uint8_t>(v->Bogstav);
  const uint32_t felter = ObjSwitchFeltAntal(v->SwitchArt, bogstav, v->SwitchValgt);
  int x = l.left;
  const int y = l.top - 16;
  for (uint32_t i = 0; i < kMaxKolonneKnapper; ++i) {
    HWND k = b->hwndKolonneKnapper[i];
    if (!k) continue;
    if (i >= felter) {
      ShowWindow(k, SW_HIDE);
      continue;
    }
    const int w = static_cast<int>(ObjSwitchFeltBredde(v->SwitchArt, bogstav, v->SwitchValgt, i));
    MoveWindow(k, x, y, w, 16, FALSE);
    ShowWindow(k, SW_SHOW);
    // The sort column draws its direction from the list's sort settings.
    if (v->SortFelt[0] && ObjSwitchFeltNr(v->SwitchArt, bogstav, v->SwitchValgt, i) == v->SortFelt[0])
      InvalidateRect(k, nullptr, FALSE);
    x += w;
  }
  if (b->hwndReserveHoved) {
    if (x < l.right) {
      MoveWindow(b->hwndReserveHoved, x, y, l.right - x, 16, FALSE);
      ShowWindow(b->hwndReserveHoved, SW_SHOW);
    } else {
      ShowWindow(b->hwndReserveHoved, SW_HIDE);
    }
  }
}

void VisFokusKnapper(BrikIndStruct *b) {
  if (!b) return;
  for (int k = 0; k < kAntalDifValg; ++k)
    if (b->hwndFokusKnapper[k])
      SendMessageA(b->hwndFokusKnapper[k], b->Aaben[k] ? TAB_ENABLE : TAB_DISABLE, 0, 0);
  for (int k = 0; k < kAntalDifValg; ++k)
    if (b->hwndFokusKnapper[k]) SendMessageA(b->hwndFokusKnapper[k], TAB_SELECT, b->AktuelListe, 0);
}

void OpdaterEntryWindow(BrikIndStruct *b, bool genopbyg) {
  if (!b) return;
  if (genopbyg && b->AktuelListe != FOCUS_SPESKE) SkiftTilForslagsRoller(b);
  SorterAnsatte(b);
  AabneLister(b);
  UdfyldteLister(b);
  VisFokusKnapper(b);
  for (HWND h : b->hwndListe)
    if (h) InvalidateRect(h, nullptr, FALSE);
  for (HWND h : b->hwndRetInfo)
    if (h) SendMessageA(h, DATA_AENDRET2, 0, 0);
}

void SaetVisningsTilstand(BrikIndStruct *b) {
  if (!b) return;
  uint8_t slot;
  switch (b->Visning) {
    case 'D':
      slot = 1;
      break;
    case 'L':
      slot = 0;
      break;
    case 'T':
      slot = 2;
      break;
    default:
      return;
  }
  AktuelAVS.Nul = slot;
  if (b->hwndGitter) SendMessageA(b->hwndGitter, SKE_VISNING, static_cast<WPARAM>(b->Visning), 0);
}

void PlacerEntryBoern(BrikIndStruct *b, LPARAM stoerrelse) {
  if (!b) return;
  b->Bredde = LOWORD(stoerrelse) + 2 * GetSystemMetrics(SM_CXFRAME);
  b->Hoejde = HIWORD(stoerrelse) + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
  for (int i = 0; i < kEntryBoern; ++i) {
    HWND h = b->hwndBoern[i];
    if (!h) continue;
    const RECT &r = b->BoernRekt[i];
    MoveWindow(h, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    ShowWindow(h, SW_SHOW);
  }
  const RECT &l = b->BoernRekt[BARN_LISTE];
  const int sb = GetSystemMetrics(SM_CXVSCROLL);
  for (int i = 0; i < kMaxKolonneKnapper; ++i)
    if (b->hwndKolonneKnapper[i]) MoveWindow(b->hwndKolonneKnapper[i], l.left + i * sb, l.top - 16, sb, 16, FALSE);
  const bool dele = b->Dele && std::strchr(b->Dele, 'T');
  const bool skjul = b->Visning == 'L' && !(b->Mode == 'R' && !dele);
  if (b->hwndTidStrimmel) ShowWindow(b->hwndTidStrimmel, skjul ? SW_HIDE : SW_SHOW);
  if (b->hwnd) InvalidateRect(b->hwnd, nullptr, TRUE);
}

bool ResetTavoSkemaTitel() {
  const auto slaaetTil = [](const StatusFilter &f) { return f.Tilstand || f.FejlKode || f.Fremmed; };
  if (!VisKunTilstand && !MarkeringsTilstand && !slaaetTil(BegivenhedsFilter) && !slaaetTil(PosteringsFilter))
    return false;
  VisKunTilstand = 0;
  MarkeringsTilstand = 0;
  BegivenhedsFilter = StatusFilter{};
  PosteringsFilter = StatusFilter{};
  if (hwndHoved) SetWindowTextA(hwndHoved, "TAVO-skema");
  SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
  return true;
}

void FreeEntryWindow(BrikIndStruct *b) {
  if (!b) return;
  for (DifValg &v : b->Valg) {
    std::free(v.ObjTab);
    v.ObjTab = nullptr;
    v.Antal = 0;
  }
  for (HWND &h : b->hwndBoern) {
    if (h && IsWindow(h)) DestroyWindow(h);
    h = 0;
  }
  if (b->hwndEjer) SendMessageA(b->hwndEjer, HOVED_INPUT_LUKKET, 0, 0);
  if (b->hwndSkema) SendMessageA(b->hwndSkema, DATA_AENDRET, 0, 0);
  std::free(b->AnfoRolle);
  std::free(b->AnfoMinut);
  std::free(b->AnfoRolleLaast);
  std::free(b->AnfoMinutSat);
  std::free(b->LokaRolle);
  for (DifValg &v : b->Valg) std::free(v.Maerker);
  std::free(b->FagNiveau);
  std::free(b);
}
