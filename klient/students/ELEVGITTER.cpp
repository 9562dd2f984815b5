// Default slots and placements, the matrices read from the records, and the
// write-back. New records go through the import's record parser with the
// object letter "L", as the placement files make them; each writer saves
// its table at once, so that leaving a group is what keeps its plan.
#include "ELEVGITTER.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "DATO.h"
#include "ELEVLISTE.h"
#include "ELEVTAB.h"
#include "FINDREC.h"
#include "HENTGEM.h"
#include "IMPORT.h"
#include "INDSTIL.h"
#include "PPLAPINI.h"
#include "TABOPER.h"

namespace {

// The lesson limit of the program's ring systems, and the days of a week:
// a lesson grid of default slots is never laid wider than these, whatever
// the display settings hold.
constexpr uint32_t MAKS_LEKTIONER = 48;
constexpr uint32_t MAKS_DAGE = 7;

bool TgLever(uint32_t g) { return g != 0 && ElevTabAktiv(ElevRef(TgRecNr, g).Status); }
bool LaLever(uint32_t la) { return la != 0 && ElevTabAktiv(ElevRef(LaRecNr, la).Status); }

Uge UgeAf(Dato d) {
  Uge u = 0;
  DatoTilUge(d, &u, nullptr);
  return u;
}

// The write-back of a group: only for the group the matrices were built
// for, and only while it is live (test data removed under the workspace
// leaves nothing to write back to).
bool KanSkriveTilbage(const ElevPlanWS *ws, uint32_t g) {
  return g != 0 && g == ws->Tg && TgLever(g);
}

// Walks the group's wishes of priority 1 and 2 whose two activity
// references are valid record numbers; a wish with an invalid one is
// deleted.
template <class Fn>
void ForGyldigeOensker(uint32_t g, const uint32_t *ev, uint32_t antal, Fn fn) {
  for (uint32_t i = 0; i < antal; ++i) {
    const uint32_t r = ev[i];
    EvRec *w = EvRecNr(r);
    if (w == nullptr || !ElevTabAktiv(w->Status) || w->tg_id != g) continue;
    if (w->prioritet != 1 && w->prioritet != 2) continue;
    if (w->konverteret_onske_la >= tvla.wRecCnt || w->elevplan_onske_la_id >= tvla.wRecCnt) {
      DelRec(&tdev, &tvev, r);
      continue;
    }
    fn(r, *w);
  }
}

// A wish counted on the activity wished at Elevplan (e), and on the one it
// was transferred to (k) as a transfer. Counts go only to the group's own
// live activities: the build zeroes exactly those, so a count on any other
// record would grow with every rebuild.
void TaelOenske(uint32_t g, const EvRec &w) {
  const uint32_t k = w.konverteret_onske_la, e = w.elevplan_onske_la_id;
  LaRec *le = LaRecNr(e);
  if (e != 0 && le && ElevTabAktiv(le->Status) && le->tg_id == g) {
    if (w.prioritet == 1)
      le->onske_prio_1 = le->onske_prio_1 + 1;
    else
      le->onske_prio_2 = le->onske_prio_2 + 1;
  }
  LaRec *lk = LaRecNr(k);
  if (k != e && k != 0 && lk && ElevTabAktiv(lk->Status) && lk->tg_id == g)
    lk->reeltflyttet = lk->reeltflyttet + 1;
}

}  // namespace

uint32_t AntalLaIGruppe(const ElevPlanWS *ws) {
  const uint32_t g = ws->Tg;
  if (g == 0) return 0;
  const bool skjul = ElevRef(TgRecNr, g).SkjulArkiverede != 0;
  uint32_t n = 0;
  for (uint32_t r = 1; r < tvla.wRecCnt; ++r) {
    const LaRec *l = LaRecNr(r);
    if (ElevTabAktiv(l->Status) && l->tg_id == g && (!skjul || l->aktiv == 1)) ++n;
  }
  return n;
}

uint32_t AntalPpIGruppe(const ElevPlanWS *ws) {
  const uint32_t g = ws->Tg;
  if (g == 0) return 0;
  uint32_t n = 0;
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) {
    const PpRec *p = PpRecNr(r);
    if (ElevTabAktiv(p->Status) && p->tg_id == g) ++n;
  }
  return n;
}

void OpretStandardPp(uint32_t tg) {
  const TgRec *t = TgRecNr(tg);
  if (t == nullptr || tg == 0) return;
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) {
    const PpRec *p = PpRecNr(r);
    if (ElevTabAktiv(p->Status) && p->tg_id == tg) return;
  }
  const uint32_t id = t->id;
  if (t->UgeLektionsGruppe == 'U') {
    const Uge A = UgeAf(t->fradato), B = UgeAf(t->tildato);
    const UgeIndeks a = UgeTilIndeks(A), b = UgeTilIndeks(B);
    if (a > 0 && b > 0 && a <= b) {
      AddPpRec(id, B, 0, 0);
      for (UgeIndeks i = b - 1; i >= a; --i) AddPpRec(id, IndeksTilUge(i), 0, 0);
    }
  } else if (t->UgeLektionsGruppe == 'L') {
    const VisningsTilstandRec &v = VisningsTilstand[VISNING_LEKTION];
    const uint32_t dage = std::min<uint32_t>(v.SidsteUgedag, MAKS_DAGE);
    const uint32_t lektioner = std::min<uint32_t>(v.SidsteSlot, MAKS_LEKTIONER);
    for (uint32_t d = 0; d < dage; ++d)
      for (uint32_t l = 1; l <= lektioner; ++l) AddPpRec(id, 0, d, l);
  } else {
    return;
  }
  SortTab(&tdpp, &tvpp);
}

void OpretStandardLap(ElevPlanWS *ws, uint32_t tg) {
  const TgRec &t = ElevRef(TgRecNr, tg);
  const char art = t.UgeLektionsGruppe;

  // Live placements per activity record; dead ones go.
  bool aendret = false;
  std::vector<uint32_t> placeringer(tvla.wRecCnt, 0);
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
    const LapRec *l = LapRecNr(r);
    if (!ElevTabAktiv(l->Status) || l->tg_id != tg || l->blokering != 0) continue;
    if (l->la_id >= tvla.wRecCnt) continue;
    const LaRec *la = LaRecNr(l->la_id);
    const PpRec &p = ElevRef(PpRecNr, l->pp_id);
    if (!ElevTabAktiv(la->Status) || la->aktiv != 1 || l->pp_id == 0 || !ElevTabAktiv(p.Status)) {
      DelRec(&tdlap, &tvlap, r);
      aendret = true;
      continue;
    }
    if (p.tg_id == tg && ((art == 'L' && p.lektion > 0) || (art == 'U' && p.ugenr > 0)))
      ++placeringer[l->la_id];
  }

  for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
    LaRec *l = LaRecNr(ws->LaTab[a]);
    const LaRec foer = *l;
    if (l->dubletnr == 0) l->dubletnr = 1;
    if (l->min_elevantal == 0) l->min_elevantal = t.min_elevtal;
    if (l->max_elevantal == 0) l->max_elevantal = t.max_elevtal;
    if (art == 'L') {
      if (l->lek_antal == 0) l->lek_antal = t.lek_antal;
      if (l->lek_deletal == 0) l->lek_deletal = t.lek_deletal;
    } else {
      if (l->uge_antal == 0) {
        const uint32_t uger = AntalUger(UgeAf(l->fradato), UgeAf(l->tildato));
        l->uge_antal = uger != 0 ? uger : 1;
      }
      if (l->uge_deletal == 0) l->uge_deletal = 1;
    }
    if (memcmp(&foer, l, sizeof foer) != 0) MarkerElevRec(&tdla, &tvla, ws->LaTab[a]);
  }

  for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
    const uint32_t laNr = ws->LaTab[a];
    const LaRec &l = *LaRecNr(laNr);
    if (placeringer[laNr] != 0 || l.aktiv == 0) continue;
    const uint32_t laId = l.id;
    auto laeg = [&](uint32_t pos, uint32_t d) {
      AddLapRec(t.id, laId, PpRecNr(ws->PpTab[pos])->id, d);
      aendret = true;
    };
    if (art == 'L') {
      const uint32_t d = l.lek_deletal;
      if (d == 0) continue;
      for (uint32_t k = 1; k <= l.lek_antal / d && uint64_t(d) * k <= ws->PpAntal; ++k)
        laeg((k - 1) * d + 1, d);
    } else {
      const uint32_t d = l.uge_deletal;
      if (d == 0) continue;
      const Uge uge = UgeAf(l.fradato);
      uint32_t s = 1;
      for (uint32_t p = ws->PpAntal; p >= 1; --p)
        if (PpRecNr(ws->PpTab[p])->ugenr == uge) {
          s = p;
          break;
        }
      for (uint32_t k = 1; k <= l.uge_antal / d; ++k) {
        const uint64_t pos = s + uint64_t(k - 1) * d;
        if (pos > ws->PpAntal) break;
        laeg(static_cast<uint32_t>(pos), d);
      }
    }
  }
  // The re-sort makes the new placements live and marks the table for the
  // save; a build that changed nothing leaves the table as it is.
  if (aendret) SortTab(&tdlap, &tvlap);
}

void ByggPlanGitter(ElevPlanWS *ws, uint32_t tg) {
  NyElevMatrix(&ws->PlanGitter, ws->LaAntal, ws->PpAntal);
  NyElevMatrix(&ws->LaSpaerring, ws->LaAntal, ws->PpAntal);
  if (!ws->PlanGitter.Data || !ws->LaSpaerring.Data) return;
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
    const LapRec *l = LapRecNr(r);
    if (!ElevTabAktiv(l->Status) || l->tg_id != tg) continue;
    const uint32_t a = LaPosition(ws, l->la_id), c = PpPosition(ws, l->pp_id);
    if (a == 0 || c == 0) continue;
    if (l->blokering)
      ws->LaSpaerring(a, c) = 1;
    else
      SkrivPlanBlok(&ws->PlanGitter, a, c, l->lengde);
  }
}

void ByggOensker(ElevPlanWS *ws, uint32_t tg) {
  std::vector<uint32_t> ev;
  for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
    const EvRec *w = EvRecNr(r);
    if (ElevTabAktiv(w->Status) && w->tg_id == tg) ev.push_back(r);
  }
  ByggOenskerFraListe(ws, tg, ev.data(), static_cast<uint32_t>(ev.size()));
}

void ByggOenskerFraListe(ElevPlanWS *ws, uint32_t tg, const uint32_t *ev, uint32_t antal) {
  NyElevMatrix(&ws->Oensker, ws->LaAntal, ws->ElevAntal);
  for (uint32_t r = 1; r < tvla.wRecCnt; ++r) {
    LaRec *l = LaRecNr(r);
    if (!ElevTabAktiv(l->Status) || l->tg_id != tg) continue;
    l->onske_prio_1 = l->onske_prio_2 = l->reeltflyttet = 0;
  }
  if (ws->Oensker.Data == nullptr) return;

  // Most activities have no duplicate: their wishes go into one cell.
  std::vector<uint8_t> harDubletter(ws->LaAntal + 1, 0);
  for (uint32_t a = 1; a <= ws->LaAntal; ++a)
    harDubletter[a] = memchr(ws->Dubletter.Raekke(a) + 1, 1, ws->LaAntal) != nullptr;
  auto saet = [&](const EvRec &w, bool kunTomme) {
    const uint32_t a = LaPosition(ws, w.konverteret_onske_la), s = ElevPosition(ws, w.elev_id);
    if (a == 0 || s == 0) return;
    if (harDubletter[a]) {
      SaetOenske(ws, w.konverteret_onske_la, w.elev_id, w.prioritet, kunTomme);
      return;
    }
    uint8_t &celle = ws->Oensker(a, s);
    if (!kunTomme || celle == 0) celle = w.prioritet;
  };

  // Wishes for the activity itself, and transferred ones of priority 1;
  // then the transferred ones of priority 2, which only fill the cells left
  // empty.
  std::vector<uint32_t> anden;
  ForGyldigeOensker(tg, ev, antal, [&](uint32_t r, const EvRec &w) {
    const uint32_t k = w.konverteret_onske_la, e = w.elevplan_onske_la_id;
    if (k != e && w.prioritet != 1) {
      anden.push_back(r);
      return;
    }
    saet(w, k != e);
    TaelOenske(tg, w);
  });
  ForGyldigeOensker(tg, anden.data(), static_cast<uint32_t>(anden.size()),
                    [&](uint32_t, const EvRec &w) {
                      saet(w, true);
                      TaelOenske(tg, w);
                    });

  for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
    LaRec *l = LaRecNr(ws->LaTab[a]);
    if (l->kopi_id == 0) continue;
    const LaRec *h = LaRecNr(FindElevRec(&tdla, &tvla, l->kopi_id));
    if (h == nullptr || h == l) continue;
    l->onske_prio_1 = h->onske_prio_1;
    l->onske_prio_2 = h->onske_prio_2;
    l->reeltflyttet = h->reeltflyttet;
    l->overfoer_til_la_id = h->overfoer_til_la_id;
  }
}

void BeregnDubletter(ElevPlanWS *ws, uint32_t tg) {
  if (!NyElevMatrix(&ws->Dubletter, ws->LaAntal, ws->LaAntal)) return;
  ElevMatrix &d = ws->Dubletter;
  for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
    const LaRec *l = LaRecNr(ws->LaTab[a]);
    if (l->kopi_id == 0 || l->tg_id != tg) continue;
    const uint32_t b = LaPosition(ws, FindElevRec(&tdla, &tvla, l->kopi_id));
    if (b == 0) continue;
    d(a, b) = d(b, a) = 1;
  }
  // Duplicates of one activity are duplicates of one another. A row's set
  // cells are gathered first: the pairs made from them never add to the
  // row itself.
  std::vector<uint32_t> saet;
  for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
    saet.clear();
    const uint8_t *raekke = d.Raekke(a);
    for (const uint8_t *p = raekke + 1, *slut = raekke + ws->LaAntal + 1;
         (p = static_cast<const uint8_t *>(memchr(p, 1, size_t(slut - p)))) != nullptr; ++p)
      saet.push_back(static_cast<uint32_t>(p - raekke));
    for (uint32_t b : saet)
      for (uint32_t c : saet)
        if (c != b) d(b, c) = d(c, b) = 1;
  }
}

void BeregnOverlap(ElevPlanWS *ws) {
  if (!NyElevMatrix(&ws->Overlap, ws->LaAntal, ws->LaAntal) || !ws->PlanGitter.Data) return;
  // The activities holding each column, gathered in one pass over the rows.
  std::vector<std::vector<uint32_t>> holdt(ws->PpAntal + 1);
  for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
    const uint8_t *raekke = ws->PlanGitter.Raekke(a);
    for (uint32_t c = 1; c <= ws->PpAntal; ++c)
      if (raekke[c] != PLAN_FRI) holdt[c].push_back(a);
  }
  for (const std::vector<uint32_t> &kolonne : holdt)
    for (uint32_t a : kolonne) {
      uint8_t *raekke = ws->Overlap.Raekke(a);
      for (uint32_t b : kolonne) raekke[b] = 1;
    }
}

int GemElevTabel(const TabDesc *pTd, TabVar *pTv) {
  if (GlobalIndstillinger.skemalaast) return 0;
  return GemTabelNu(pTd, pTv);
}

void GemElevPlan(ElevPlanWS *ws, uint32_t tg) {
  if (KanSkriveTilbage(ws, tg)) {
    if (ws->PlanAendret) GemLap(ws, tg);
    if (ws->PlaceringAendret) GemEv(ws, tg);
    if (ws->SpaerringAendret) GemEb(ws, tg);
  }
  GemElevTabel(&tdtg, &tvtg);
}

void GemLap(ElevPlanWS *ws, uint32_t tg) {
  if (!KanSkriveTilbage(ws, tg) || !ws->PlanGitter.Data || !ws->LaSpaerring.Data) return;
  const uint32_t tgId = TgRecNr(tg)->id;
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
    const LapRec *l = LapRecNr(r);
    if (ElevTabAktiv(l->Status) && l->tg_id == tg) DelRec(&tdlap, &tvlap, r);
  }
  // Each block with its own length: blocks that came from elsewhere (an
  // Elevplan answer carries no divisors) keep theirs.
  for (uint32_t c = 1; c <= ws->PpAntal; ++c) {
    const PpRec &p = ElevRef(PpRecNr, ws->PpTab[c]);
    if (!ElevTabAktiv(p.Status)) continue;
    for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
      const uint32_t laengde = PlanBlokLaengde(ws->PlanGitter, a, c);
      if (laengde != 0 && LaLever(ws->LaTab[a]))
        AddLapRec(tgId, LaRecNr(ws->LaTab[a])->id, p.id, laengde);
    }
  }
  for (uint32_t c = 1; c <= ws->PpAntal; ++c) {
    const PpRec &p = ElevRef(PpRecNr, ws->PpTab[c]);
    if (!ElevTabAktiv(p.Status)) continue;
    for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
      if (ws->LaSpaerring(a, c) != 1 || !LaLever(ws->LaTab[a])) continue;
      const LaRec *l = LaRecNr(ws->LaTab[a]);
      if (l->aktiv == 0) continue;
      uint32_t nr = 0;
      AddLapRec(tgId, l->id, p.id, 1, &nr);
      if (LapRec *ny = LapRecNr(nr); ny && nr != 0) {
        ny->blokering = 1;
        MarkerElevRec(&tdlap, &tvlap, nr);
      }
    }
  }
  SortTab(&tdlap, &tvlap);
  GemElevTabel(&tdlap, &tvlap);
}

void GemEv(ElevPlanWS *ws, uint32_t tg) {
  if (!KanSkriveTilbage(ws, tg) || !ws->Placeringer.Data) return;
  const uint32_t tgId = TgRecNr(tg)->id;
  // The placements that a wish record already carries are struck off a copy,
  // so that the workspace itself stays whole; what is left is placed
  // without a record yet.
  ElevMatrix tilbage{};
  if (!NyElevMatrix(&tilbage, ws->LaAntal, ws->ElevAntal)) return;
  memcpy(tilbage.Data, ws->Placeringer.Data,
         (size_t(ws->LaAntal) + 1) * (size_t(ws->ElevAntal) + 1));

  for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
    EvRec *w = EvRecNr(r);
    if (!ElevTabAktiv(w->Status) || w->tg_id != tg) continue;
    const uint32_t s = ElevPosition(ws, w->elev_id);
    const uint32_t e = w->elevplan_onske_la_id;
    if (e == 0 || e >= tvla.wRecCnt) {
      // A placement made here without an Elevplan wish.
      const uint32_t a = LaPosition(ws, w->placerings_la_id);
      if (a == 0 || s == 0) continue;
      if (tilbage(a, s) == PLACERET)
        tilbage(a, s) = 0;
      else
        DelRec(&tdev, &tvev, r);
      continue;
    }
    const uint32_t k = w->konverteret_onske_la;
    const uint32_t a = LaPosition(ws, k);
    if (a == 0 || s == 0) continue;
    const uint32_t placering = tilbage(a, s) == PLACERET ? k : 0;
    if (placering != 0) tilbage(a, s) = 0;
    if (w->placerings_la_id != placering) {
      w->placerings_la_id = placering;
      MarkerElevRec(&tdev, &tvev, r);
    }
  }

  // A wish is valid from and to dates: an activity without them (broken
  // data) takes the group's, else the schedule period's, rather than losing
  // the student's placement to a refused record line.
  const TgRec &t = *TgRecNr(tg);
  auto dato = [](Dato d, Dato tgDato, Dato periode) {
    return GyldigDato(d) ? d : GyldigDato(tgDato) ? tgDato : periode;
  };
  uint32_t id = NaesteEvId();
  for (uint32_t a = 1; a <= ws->LaAntal && id != 0; ++a) {
    const uint32_t laNr = ws->LaTab[a];
    if (!LaLever(laNr)) continue;
    const LaRec &la = *LaRecNr(laNr);
    for (uint32_t s = 1; s <= ws->ElevAntal && id != 0; ++s) {
      if (tilbage(a, s) != PLACERET) continue;
      const ElevRec &elev = ElevRef(ElevRecNr, ws->ElevTab[s]);
      char linje[8 * 11 + 16];
      if (!ElevTabAktiv(elev.Status)) continue;
      snprintf(linje, sizeof linje, "%u;%u;%u;0;%u;%u;%u;;", id, tgId, elev.id,
               PlaceringsArt(ws, a, s), dato(la.fradato, t.fradato, SkemaPeriode.FraDato),
               dato(la.tildato, t.tildato, SkemaPeriode.TilDato));
      const uint32_t nr = AddRecordFromLine(&tdev, &tvev, linje, 'L');
      if (EvRec *ny = EvRecNr(nr); ny && nr != 0) {
        ny->placerings_la_id = laNr;
        ny->ElevPlanStatus = 7;
        MarkerElevRec(&tdev, &tvev, nr);
        id = id == UINT32_MAX ? 0 : id + 1;
      }
    }
  }
  FrigivElevMatrix(&tilbage);
  SortTab(&tdev, &tvev);
  GemElevTabel(&tdev, &tvev);
}

void GemEb(ElevPlanWS *ws, uint32_t tg) {
  if (!KanSkriveTilbage(ws, tg) || !ws->ElevSpaerring.Data) return;
  const uint32_t tgId = TgRecNr(tg)->id;
  for (uint32_t r = 1; r < tveb.wRecCnt; ++r) {
    const EbRec *b = EbRecNr(r);
    if (ElevTabAktiv(b->Status) && b->tg_id == tg) DelRec(&tdeb, &tveb, r);
  }
  for (uint32_t c = 1; c <= ws->PpAntal; ++c) {
    const PpRec &p = ElevRef(PpRecNr, ws->PpTab[c]);
    if (!ElevTabAktiv(p.Status)) continue;
    for (uint32_t s = 1; s <= ws->ElevAntal; ++s) {
      if (ws->ElevSpaerring(s, c) != 1) continue;
      const ElevRec &e = ElevRef(ElevRecNr, ws->ElevTab[s]);
      if (ElevTabAktiv(e.Status)) AddEbRec(tgId, e.id, p.id, 1);
    }
  }
  SortTab(&tdeb, &tveb);
  GemElevTabel(&tdeb, &tveb);
}

void FrigivElevPlanWS(ElevPlanWS *ws) {
  if (ws == nullptr) return;
  if (ws->TgTab && ws->Tg) GemElevPlan(ws, ws->Tg);
  FrigivElevPlanLister(ws);
  free(ws->HuskedeElever);
  free(ws->SorterKnapper);
  free(ws->ens.hwndSwitchButtons);
  delete ws;
}

uint32_t AntalLaMedDubletter(uint32_t laId) {
  uint32_t n = 0;
  for (uint32_t r = 1; r < tvla.wRecCnt; ++r) {
    const LaRec *l = LaRecNr(r);
    if (ElevTabAktiv(l->Status) && (l->id == laId || l->kopi_id == laId)) ++n;
  }
  return n;
}
