// Column codes 1-42 of the planning window. The year of the current week
// and the weeks after the lock date are written as the symbol font's
// highlighted digits (character 33 + digit), so that they stand out in the
// slot headers.
#include "ELEVPLANTEKST.h"

#include <algorithm>
#include <cstring>

#include "DATO.h"
#include "ELEVKOLONNE.h"
#include "ELEVLISTE.h"
#include "ELEVTAB.h"
#include "FONTE.h"
#include "SWITCH.h"

namespace {

// By dag 0..6, seven characters each.
const char *const kUgedage[7] = {"Mandag ", "Tirsdag", "Onsdag ", "Torsdag",
                                 "Fredag ", "Lørdag ", "Søndag "};

constexpr char Ciffer(uint32_t v) { return static_cast<char>(33 + v % 10); }

bool ErLaKode(uint32_t kode) {
  switch (kode) {
    case 1: case 4: case 5: case 6: case 7: case 8: case 9: case 10: case 12: case 13: case 14:
    case 15: case 16: case 17: case 28: case 29: case 36: case 38: case 40: case 42:
      return true;
    default:
      return false;
  }
}

uint8_t PlanCelle(const ElevPlanWS *ws, uint32_t a, uint32_t c) {
  const ElevMatrix &m = ws->PlanGitter;
  if (m.Data == nullptr || a == 0 || c == 0 || a > m.Raekker || c > m.Kolonner) return 0;
  return m(a, c);
}

void LaTekst(const ElevPlanWS *ws, uint32_t kode, uint32_t bredde, uint32_t la, char *tekst,
             size_t str, uint8_t *pFarve) {
  const LaRec *l = LaVedPosition(ws, la);
  if (l == nullptr) return;
  const int w = static_cast<int>(std::min<size_t>(bredde, str - 1));
  const bool arkiv = l->aktiv == 0;
  auto farve = [&](uint8_t f) {
    if (pFarve) *pFarve = f;
  };
  auto tal = [&](int64_t v) { ElevCelleSkriv(tekst, str, bredde, "%*ld", w, static_cast<long>(v)); };
  // An archived activity holds no students: a dash in place of its counts.
  auto talEllerStreg = [&](int64_t v) {
    if (arkiv)
      ElevCelleSkriv(tekst, str, bredde, "%*s", w, "-");
    else
      tal(v);
  };
  auto bogstav = [&](const char *b) { ElevCelleSkriv(tekst, str, bredde, "%-*s", w, b); };
  const uint8_t navneFarve = arkiv ? 5 : l->dubletnr == 1 ? 7 : 10;
  const int navn = static_cast<int>(strnlen(l->Navn, sizeof l->Navn));

  if (arkiv) farve(5);
  switch (kode) {
    case 1:
      ElevCelleSkriv(tekst, str, bredde, "%-*.*s", w, navn, l->Navn);
      farve(navneFarve);
      break;
    case 4: tal(l->uge_antal); break;
    case 5: tal(l->uge_deletal); break;
    case 6: tal(l->lek_antal); break;
    case 7: tal(l->lek_deletal); break;
    case 8: tal(l->min_elevantal); break;
    case 9: tal(l->max_elevantal); break;
    case 10: talEllerStreg(int64_t{l->akt_prio_1} + l->akt_prio_2 + l->akt_prio_3); break;
    case 12: talEllerStreg(l->akt_prio_1); break;
    case 13: talEllerStreg(l->akt_prio_2); break;
    case 14: talEllerStreg(l->akt_prio_3); break;
    case 15:
    case 16:
      tal(kode == 15 ? l->onske_prio_1 : l->onske_prio_2);
      if (l->overfoer_til_la_id != 0) farve(8);
      break;
    case 17: talEllerStreg(l->dubletnr); break;
    case 28: bogstav(l->LukForNyeElever ? "L" : l->BeholdElever ? "B" : " "); break;
    case 29: bogstav(l->PladsLaas ? "x" : " "); break;
    case 36:
      // The first sort key: archived activities last in either direction.
      bogstav((ws->SorterRetning == ELEVSORT_FALDENDE) == !arkiv ? "1" : "0");
      break;
    case 38: tal(l->reeltflyttet); break;
    case 40: {
      int64_t n = 0;
      const ElevMatrix &m = ws->Oensker;
      if (l->overfoer_til_la_id == 0 && m.Data && la <= m.Raekker)
        for (uint32_t s = 1; s <= m.Kolonner; ++s) n += m(la, s) != 0;
      tal(n);
      break;
    }
    case 42:
      ElevCelleSkriv(tekst, str, bredde, "%.*s   %ld - %ld (%ld Lek)", navn, l->Navn,
                     static_cast<long>(l->fradato), static_cast<long>(l->tildato),
                     static_cast<long>(l->Lektionsantal));
      farve(navneFarve);
      break;
    default:
      break;
  }
  if (ws->HusketLa != 0 && ws->LaTab[la] == ws->HusketLa) farve(8);
}

void PpTekst(const ElevPlanWS *ws, uint32_t kode, uint32_t bredde, uint32_t pp, char *tekst,
             size_t str, uint8_t *pFarve, HFONT *pSkrift) {
  const PpRec *p = PpVedPosition(ws, pp);
  if (p == nullptr) return;
  const int w = static_cast<int>(std::min<size_t>(bredde, str - 1));
  auto farve = [&](uint8_t f) {
    if (pFarve) *pFarve = f;
  };
  auto glyffer = [&]() {
    if (pSkrift) *pSkrift = ElevFont;
  };
  const char *dag = p->dag < 7 ? kUgedage[p->dag] : nullptr;

  switch (kode) {
    case 18: {
      const uint32_t aar = p->ugenr / 100;
      if (p->ugenr == IndeksTilUge(SkemaPeriode.AktuelUgeIndeks)) {
        ElevCelleSkriv(tekst, str, bredde, "%c%c%c%c", Ciffer(aar / 1000), Ciffer(aar / 100),
                       Ciffer(aar / 10), Ciffer(aar));
        glyffer();
      } else {
        ElevCelleSkriv(tekst, str, bredde, "%4u", aar);
      }
      break;
    }
    case 19: {
      const uint32_t uge = p->ugenr % 100;
      if (p->ugenr > SkemaPeriode.LaasUge) {
        ElevCelleSkriv(tekst, str, bredde, "%c%c", Ciffer(uge / 10), Ciffer(uge));
        glyffer();
      } else {
        ElevCelleSkriv(tekst, str, bredde, "%02u", uge);
      }
      break;
    }
    case 20:
    case 25: {
      // The activity rows whose block covers the slot.
      int64_t n = 0;
      for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
        if (PlanCelle(ws, a, pp) == PLAN_FRI) continue;
        const LaRec *l = LaVedPosition(ws, a);
        n += kode == 20 ? 1 : (l ? l->max_elevantal : 0);
      }
      if (kode == 25 && n > 999)
        ElevCelleSkriv(tekst, str, bredde, "%*s", w, "***");
      else
        ElevCelleSkriv(tekst, str, bredde, "%*ld", w, static_cast<long>(n));
      farve(7);
      break;
    }
    case 31: {
      // A day's name stands on its first slot only.
      const PpRec *foer = PpVedPosition(ws, pp - 1);
      if (foer && foer->dag == p->dag)
        ElevCelleSkriv(tekst, str, bredde, "  ");
      else if (dag)
        ElevCelleSkriv(tekst, str, bredde, "%c%c", dag[0], dag[1]);
      break;
    }
    case 32: ElevCelleSkriv(tekst, str, bredde, "%*ld", w, static_cast<long>(p->lektion)); break;
    case 33: ElevCelleSkriv(tekst, str, bredde, "%*ld", w, static_cast<long>(p->dag)); break;
    case 34:
      if (dag) ElevCelleSkriv(tekst, str, bredde, "%-*s", w, dag);
      break;
    case 35: ElevCelleSkriv(tekst, str, bredde, "%*ld. Lek.", 2, static_cast<long>(p->lektion)); break;
    case 41: ElevCelleSkriv(tekst, str, bredde, "%*ld", w, static_cast<long>(p->ugenr)); break;
    default:
      break;
  }
}

}  // namespace

void ElevPlanCelleTekst(const ElevPlanWS *ws, uint32_t kode, uint32_t bredde, uint32_t pp,
                        uint32_t la, uint32_t tg, char *tekst, size_t str, uint8_t *pFarve,
                        uint8_t *, HFONT *pSkrift) {
  ElevCelleBlank(tekst, str, bredde);
  if (ws == nullptr || tekst == nullptr || str == 0) return;
  if (ErLaKode(kode)) {
    LaTekst(ws, kode, bredde, la, tekst, str, pFarve);
  } else if (kode == 30) {
    ElevCelleSkriv(tekst, str, bredde, "%-*s", static_cast<int>(std::min<size_t>(bredde, str - 1)),
                   "U");
  } else if (kode == 37) {
    if (ws->TgTab && tg >= 1 && tg <= ws->TgAntal)
      if (const TgRec *t = TgRecNr(ws->TgTab[tg]))
        ElevCelleSkriv(tekst, str, bredde, "%*ld",
                       static_cast<int>(std::min<size_t>(bredde, str - 1)),
                       static_cast<long>(t->id));
  } else {
    PpTekst(ws, kode, bredde, pp, tekst, str, pFarve, pSkrift);
  }
}

void ElevPlanFeltTekst(void *ctx, uint32_t feltNr, uint32_t tegn, uint32_t v1, uint32_t v2,
                       uint32_t v3, char *tekst, uint8_t *pFarve, uint8_t *pBaggrund,
                       HFONT *pSkrift) {
  ElevPlanCelleTekst(static_cast<const ElevPlanWS *>(ctx), feltNr, tegn, v1, v2, v3, tekst,
                     kSwitchTekstLen, pFarve, pBaggrund, pSkrift);
}

void ElevPlanFeltSortering(uint32_t kode, bool *pDansk, uint32_t *pBredde) {
  bool dansk = false;
  uint32_t bredde = 1;
  switch (kode) {
    case 1: bredde = 101, dansk = true; break;
    case 42: bredde = 125, dansk = true; break;
    case 4: case 5: case 6: case 7: case 8: case 9: case 10: case 12: case 13: case 14: case 15:
    case 16: case 17: case 37: case 40:
      bredde = 5;
      break;
    case 18: bredde = 4; break;
    case 19: case 31: case 32: case 33: bredde = 2; break;
    case 20: case 25: bredde = 3; break;
    case 41: bredde = 7; break;
    default: break;
  }
  if (pDansk) *pDansk = dansk;
  if (pBredde) *pBredde = bredde;
}

void SorterLaRaekker(ElevPlanWS *ws) {
  const SwitchLayout *s = ObjSwitchLayout(ELEVPLAN_LA_ART, ws->Bogstav, 0);
  const uint32_t kode = s ? s->SortFelt : 0;
  if (kode == 0 || ws->LaVisTab == nullptr || ws->LaAntal < 2) return;
  ElevSortKilde k{ElevPlanFeltTekst, ElevPlanFeltSortering, ws, {}};
  const int felter[ELEVSORT_FELTER] = {36, static_cast<int>(kode), 0, 0};
  SorterElevRaekker(ElevSortTekst, ElevSortBredde, &k, felter, 'Y', ws->PpPos.Aktuel, 0,
                    ws->TgPos.Aktuel, ws->LaVisTab, ws->LaAntal, ws->SorterRetning);
}
