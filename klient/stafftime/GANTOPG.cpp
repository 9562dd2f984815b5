// The statement views of the Gantt window: the columns' totals, the caption
// naming the period the figures cover, the holiday year, and when the
// figures are worked out again. A negative total of a one-decimal holiday
// column keeps its sign.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DATO.h"
#include "GANT.h"
#include "INDSTIL.h"
#include "STATUSBAR.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"

namespace {

constexpr uint32_t kSlot = kGantSumLaengde - 1;  // characters a slot holds

bool ErFerie(const GANTWS *ws) { return ws->Bogstav == 'M' && ws->OpgArt == kGantOpgArt && ws->OpgSwitch == 6; }

}  // namespace

uint8_t GantSumMode() { return GlobalIndstillinger.anfosumperaar ? 7 : 0; }

void GantSumTekst(float sum, uint32_t tegn, bool enDecimal, char *slot) {
  tegn = std::min(tegn, kSlot);
  const double v = static_cast<double>(sum);
  if (enDecimal) {
    const double t = std::trunc(v * 10);
    const int64_t tiendedele = t > 1e15 ? int64_t{1000000000000000} : t < -1e15 ? -int64_t{1000000000000000}
                                                                                 : static_cast<int64_t>(t);
    const uint64_t abs = static_cast<uint64_t>(tiendedele < 0 ? -tiendedele : tiendedele);
    char hel[24];
    std::snprintf(hel, sizeof hel, "%s%llu", tiendedele < 0 ? "-" : "", static_cast<unsigned long long>(abs / 10));
    const int w = tegn >= 2 ? static_cast<int>(tegn - 2) : 0;
    char ud[48];
    std::snprintf(ud, sizeof ud, "%*s,%01u", w, hel, static_cast<unsigned>(abs % 10));
    if (std::strlen(ud) > kSlot) {
      std::memset(slot, '#', tegn);
      slot[tegn] = '\0';
      return;
    }
    std::memcpy(slot, ud, std::strlen(ud) + 1);
    return;
  }
  const double t = std::trunc(v);
  char ud[48];
  if (t >= 2147483648.0 || t < -2147483648.0)
    std::snprintf(ud, sizeof ud, "%s", "###########");
  else
    std::snprintf(ud, sizeof ud, "%*d", static_cast<int>(tegn), static_cast<int>(t));
  if (std::strlen(ud) > tegn) {
    std::memset(slot, '#', tegn);
    slot[tegn] = '\0';
    return;
  }
  std::memcpy(slot, ud, std::strlen(ud) + 1);  // at most tegn (<= kSlot) characters
}

float GantTekstTal(const char *tekst) {
  // Asked for every cell of every row: a plain copy, no formatting.
  char b[kSwitchTekstLen];
  const size_t n = strnlen(tekst, sizeof b - 1);
  std::memcpy(b, tekst, n);
  b[n] = '\0';
  if (char *k = std::strchr(b, ',')) *k = '.';
  char *slut = nullptr;
  const float v = std::strtof(b, &slut);
  return slut == b || !std::isfinite(v) ? 0.0f : v;
}

void GantBeregnSummer(GANTWS *ws) {
  if (!ws->Opgoerelse || !ws->OpgSummer) return;
  const bool ferie = ErFerie(ws);
  SwitchRaekkeValg v;
  v.hwnd = ws->hwnd;
  v.Valg1 = static_cast<int32_t>(SkemaPeriode.AktuelUgeIndeks);
  v.Valg2 = GantSumMode();
  char tekst[kSwitchTekstLen];
  for (uint32_t i = 0; i < ws->OpgFeltAntal; ++i) {
    float sum = 0;
    for (uint32_t r = 1; ws->ens.ObjTab && r <= ws->ens.ObjTabAntal; ++r) {
      ObjSwitchCelleTekst(ws->OpgArt, ws->Bogstav, ws->OpgSwitch, i, ws->pTd, ws->pTv, ws->ens.ObjTab[r], &v, tekst,
                          nullptr);
      tekst[std::min<uint32_t>(ObjSwitchFeltTegn(ws->OpgArt, ws->Bogstav, ws->OpgSwitch, i), kSwitchMaksTegn)] = '\0';
      sum += GantTekstTal(tekst);
    }
    GantSumTekst(sum, ObjSwitchFeltTegn(ws->OpgArt, ws->Bogstav, ws->OpgSwitch, i), ferie && i < 5,
                 ws->OpgSummer[i]);
  }
}

void GantFerieAar(Dato d, Dato *fra, Dato *til) {
  const uint32_t y = d / 10000;
  if (d % 10000 < 501) {
    *fra = (y - 1) * 10000 + 501;
    *til = y * 10000 + 430;
  } else {
    *fra = y * 10000 + 501;
    *til = (y + 1) * 10000 + 430;
  }
}

Dato GantAktuelDato() {
  if (StatusFelter.Dato && IsWindow(StatusFelter.Dato))
    if (const LRESULT d = SendMessageA(StatusFelter.Dato, STATUS_DATO_HENT, 0, 0)) return static_cast<Dato>(d);
  return SkemaPeriode.AktuelDato;
}

void GantOpgTekst(const GANTWS *ws, Dato d, char *tekst, size_t n) {
  if (ws->Bogstav != 'M') {
    std::snprintf(tekst, n, "%s",
                  GlobalIndstillinger.aktisumperaar ? "Sum per kalender år!" : "Sum for objekt periode!");
    return;
  }
  if (ws->Switch == 6) {
    Dato fra = 0, til = 0;
    GantFerieAar(d, &fra, &til);
    uint32_t andet = (til / 10000) % 1000;
    if (andet > 100) andet %= 100;
    std::snprintf(tekst, n, "Ferie opgørelse. År: %u/%u. (%u - %u)", fra / 10000, andet, fra, til);
    return;
  }
  std::snprintf(tekst, n, "%s",
                GlobalIndstillinger.anfosumperaar ? "Sum per kalender år!" : "Sum for opgørelsesperiode!");
}

Dato GantKolonneDato(uint32_t w) {
  Uge u = 0;
  uint8_t dag = 0;
  DatoTilUge(SkemaPeriode.AktuelDato, &u, &dag);
  return UgeDagTilDato(IndeksTilUge(w), dag ? dag : 1);
}

uint32_t GantKolonneTegnFlag(const GANTWS *ws) {
  uint32_t flag = GANT_TEGN_KOLONNE;
  if (ws->UgeAfhaengig) flag |= GANT_TEGN_SCROLL_Y;
  // Activity view 4's row header shows figures of the current week.
  if (ws->Bogstav == 'K' && ws->Switch == 4) flag |= GANT_TEGN_RAEKKEHOVEDER;
  return flag;
}

uint32_t GantKolonneSkift(GANTWS *ws, uint32_t forrige, uint32_t ny) {
  if (forrige == ny) return 0;
  const uint32_t flag = GantKolonneTegnFlag(ws);
  if (ws->Bogstav == 'M' || GantKolonneDato(forrige) / 10000 != GantKolonneDato(ny) / 10000) {
    // The totals follow the rows; the rebuild says what it changed.
    GantByggRaekker(ws);
    return flag | ws->TegnFlag;
  }
  return flag;
}

bool GantOpgVandret(GANTWS *ws, bool hoejre, int ctrl, int alt) {
  Ens &e = ws->ens;
  const int64_t vis = std::max<int32_t>(int32_t{e.RudeB[ENS_CELLER]}, 0);
  const int64_t bredde = ObjSwitchBredde(ws->OpgArt, ws->Bogstav, ws->OpgSwitch);
  const int64_t slut = std::max<int64_t>(bredde - 1 - vis, 0);
  const int64_t foer = e.ScrollX;
  int64_t ny = foer;
  if (alt)
    ny = hoejre ? slut : 0;
  else
    ny = foer + (hoejre ? 1 : -1) * (ctrl ? vis : 10);
  ny = std::clamp<int64_t>(ny, 0, slut);
  ws->GemtScrollX = static_cast<uint32_t>(foer);
  if (ny != foer) {
    e.ScrollX = static_cast<uint32_t>(ny);
    return true;
  }
  // At the edge the keys move the week instead, and the program's date with it.
  const uint32_t w = SkemaPeriode.AktuelUgeIndeks;
  const uint32_t nyUge = hoejre ? std::min(w + 1, SkemaPeriode.AntalUger) : std::max<uint32_t>(w, 2) - 1;
  if (nyUge != w && nyUge >= 1) {
    SaetAktuelDato(GantKolonneDato(nyUge));
    SkemaPeriode.AktuelUgeIndeks = nyUge;
    ws->ForrigeKol = w;
  }
  return false;
}
