// The plan window's axes: groups, periods, columns and the rows by view.
#include "PLANAKSER.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "DATO.h"
#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "FF_PlanRec.h"
#include "FF_PlanUtil.h"
#include "KATALOG.h"
#include "PLANCSV.h"
#include "RECPRED.h"
#include "SWITCH.h"
#include "VISFELT.h"
#include "tavo/assert.h"

namespace {

uint32_t *NyTabel(uint32_t antal) {
  auto *t = static_cast<uint32_t *>(calloc(static_cast<size_t>(antal) + 1, sizeof(uint32_t)));
  TAVO_ASSERT(t != NULL && "Plan->ObjTab != NULL");
  return t;
}

void Erstat(uint32_t *&felt, uint32_t *ny) {
  free(felt);
  felt = ny;
}

const FfpgRec *Gruppe(uint32_t g) { return g ? TabRec<FfpgRec>(tvffpg, g) : nullptr; }

bool AktiIGruppe(const Plan *plan, uint32_t akti) {
  const AktiRec *a = akti ? TabRec<AktiRec>(tvakti, akti) : nullptr;
  return a && a->Fradato <= plan->Tildato && a->Tildato >= plan->Fradato;
}

bool AktiIPlan(const Plan *plan, uint32_t akti) {
  return plan->PlanAktiTab && akti && akti <= plan->PlanAktiAntal && plan->PlanAktiTab[akti].IPlan;
}


Dato PlusDage(Dato d, uint32_t dage) { return DagNrTilDato(DatoTilDagNr(d) + dage); }

}  // namespace

void SorterPlanGrupper(uint32_t *liste, uint32_t antal) {
  const uint32_t felter[] = {2, 5, 1};  // Fradato, Ejer, Navn
  SorterMarkeredeSidst('+', liste, antal, &tdffpg, &tvffpg, nullptr, 0, 1, nullptr, 0, felter, 3);
}

void BygGruppeListe(Plan *plan) {
  std::vector<uint32_t> liste(1, 0);
  const uint8_t egen = PlanEgenInst();
  for (uint32_t n = 1; n < tvffpg.wRecCnt; ++n) {
    const FfpgRec *g = TabRec<FfpgRec>(tvffpg, n);
    if (g && PlanRecIBrug(g->Status) && g->Ejer == egen) liste.push_back(n);
  }
  const uint32_t antal = static_cast<uint32_t>(liste.size() - 1);
  SorterPlanGrupper(liste.data(), antal);
  uint32_t *tab = NyTabel(antal);
  std::copy(liste.begin(), liste.end(), tab);
  Erstat(plan->StyrZ.ObjTab, tab);
  plan->StyrZ.Pos.Antal = antal;
  plan->StyrZ.Pos.Foerste = antal ? 1 : 0;
  plan->StyrZ.Pos.Synlige = antal;
  if (plan->StyrZ.Pos.Aktuel > antal) plan->StyrZ.Pos.Aktuel = antal;

  Dato fra = 0, til = 0;
  for (uint32_t i = 1; i <= antal; ++i) {
    const FfpgRec *g = Gruppe(liste[i]);
    if (fra == 0 || g->Fradato < fra) fra = g->Fradato;
    if (g->Tildato > til) til = g->Tildato;
  }
  if (antal == 0) {
    const uint32_t aar = DagsDato() / 10000;
    fra = aar * 10000 + 101;
    til = aar * 10000 + 1231;
  }
  fra = std::max(fra, SkemaPeriode.FraDato);
  til = std::min(til, SkemaPeriode.TilDato);
  // A span wholly outside the schedule period is the schedule period's
  // nearest end, never a span that runs backwards.
  if (til < fra) fra = til = (fra > SkemaPeriode.TilDato ? SkemaPeriode.TilDato : SkemaPeriode.FraDato);
  uint8_t dag = 0;
  DatoTilUge(fra, &plan->FoersteUge, &dag);
  DatoTilUge(til, &plan->SidsteUge, &dag);
  plan->FoersteMaaned = fra / 100;
  plan->SidsteMaaned = til / 100;
  plan->FoersteAar = fra / 10000;
  plan->SidsteAar = til / 10000;
  plan->UgeAntal = SkemaPeriode.AntalUger;
}

void BygPeriodeListe(Plan *plan, uint32_t gruppe) { LavPeriodeTab(plan, gruppe); }

void BygKolonner(Plan *plan) {
  if (plan->Visning != 'A' && plan->Visning != 'M' && plan->Visning != 'O') return;
  BygPeriodeListe(plan, plan->AktPlanGruppe);
  uint32_t antal = plan->UnderVisning == 0 ? 1 : 0;
  for (uint32_t p = 1; p <= plan->PeriodeAntal; ++p) antal += 1 + plan->PeriodeTab[p].AntalUger;
  uint32_t *arter = NyTabel(antal), *perioder = NyTabel(antal), *uger = NyTabel(antal), *obj = NyTabel(antal);
  uint32_t k = 0;
  if (plan->UnderVisning == 0) arter[++k] = 31;
  for (uint32_t i = 1; i <= plan->PeriodeAntal; ++i) {
    const uint32_t pos = plan->PeriodeSort ? plan->PeriodeSort[i] : i;
    const PeriodePost &p = plan->PeriodeTab[pos];
    ++k;
    arter[k] = 32;
    perioder[k] = pos;
    uger[k] = p.Frauge;
    const Dato onsdag = UgeDagTilDato(p.Frauge, 3);
    for (uint32_t w = 0; w < p.AntalUger; ++w) {
      ++k;
      arter[k] = 33;
      perioder[k] = pos;
      Uge uge = 0;
      uint8_t dag = 0;
      DatoTilUge(PlusDage(onsdag, 7 * w), &uge, &dag);
      uger[k] = uge;
    }
  }
  for (uint32_t c = 1; c <= antal; ++c) obj[c] = c;
  Erstat(plan->ObjTypeTabX, arter);
  Erstat(plan->PPeriode, perioder);
  Erstat(plan->UgeTab, uger);
  Erstat(plan->ObjTabX, obj);
  plan->KolonneAntal = antal;
  plan->Ens.UgeTab = plan->UgeTab;
}

void BygSynligeKolonner(Plan *plan) {
  const uint32_t antal = plan->KolonneAntal;
  uint32_t *synlige = NyTabel(antal), *rev = NyTabel(antal);
  uint32_t n = 0;
  for (uint32_t c = 1; c <= antal && plan->ObjTypeTabX; ++c) {
    const uint32_t art = plan->ObjTypeTabX[c];
    if (art == 33) {
      const uint32_t pos = plan->PPeriode[c];
      if (pos == 0 || pos > plan->PeriodeAntal || plan->PeriodeTab[pos].Udfold != 1) continue;
    }
    synlige[++n] = c;
    rev[c] = n;
  }
  Erstat(plan->StyrX.ObjTab, synlige);
  Erstat(plan->StyrXRev, rev);
  GridPos &p = plan->StyrX.Pos;
  p.Antal = n;
  if (p.Foerste == 0 || p.Foerste > n) p.Foerste = n ? 1 : 0;
  if (p.Aktuel > n) p.Aktuel = n;
  if (p.Synlige > n) p.Synlige = n;
}

namespace {

void BygTekstKolonner(Plan *plan, const PlanFeltLayout &l, bool kunVenstreFelter, PlanStyr &styr, uint32_t *&arter,
                      uint32_t &antal) {
  const uint32_t felter = ObjSwitchFeltAntal(static_cast<uint32_t>(l.Art), l.Bogstav, l.SwitchNr);
  std::vector<uint32_t> valgt;
  for (uint32_t i = 0; i < felter; ++i) {
    const uint32_t nr = ObjSwitchFeltNr(static_cast<uint32_t>(l.Art), l.Bogstav, l.SwitchNr, i);
    if (kunVenstreFelter && !((nr >= 21 && nr <= 26) || nr == 273)) continue;
    valgt.push_back(nr);
  }
  antal = static_cast<uint32_t>(valgt.size());
  uint32_t *a = NyTabel(antal), *o = NyTabel(antal);
  for (uint32_t n = 1; n <= antal; ++n) a[n] = valgt[n - 1], o[n] = n;
  Erstat(arter, a);
  Erstat(styr.ObjTab, o);
  styr.Pos.Antal = antal;
  if (styr.Pos.Foerste == 0 || styr.Pos.Foerste > antal) styr.Pos.Foerste = antal ? 1 : 0;
  if (styr.Pos.Synlige == 0 || styr.Pos.Synlige > antal) styr.Pos.Synlige = antal;
  if (styr.Pos.Aktuel > antal) styr.Pos.Aktuel = antal;
}

}  // namespace

void BygVenstreKolonner(Plan *plan) {
  BygTekstKolonner(plan, plan->LayoutVenstre, plan->Visning == 'A', plan->StyrLX, plan->ObjTypeTabLX,
                   plan->VenstreAntal);
}

void BygHoejreKolonner(Plan *plan) {
  BygTekstKolonner(plan, plan->LayoutPlanListe, false, plan->StyrRX, plan->ObjTypeTabRX, plan->HoejreAntal);
}

bool HarTal(const Plan *plan, uint32_t raekke, uint32_t gruppe) {
  if (!plan || !plan->GrundTab || !plan->ObjTypeTab || raekke == 0 || raekke > plan->GrundTabAntal) return false;
  const GrundRaekke &r = plan->GrundTab[raekke];
  if (plan->ObjTypeTab[raekke] == PLAN_OPG_AKTI && r.SumTimer2 != 0.0f) return true;
  const FfpgRec *g = Gruppe(gruppe);
  if (!g || !r.TalTab) return false;
  const uint32_t fra = std::max(PlanUgeIndeks(g->Fradato), 1u);
  const uint32_t til = std::min(PlanUgeIndeks(g->Tildato), plan->UgeAntal);
  for (uint32_t u = fra; u <= til; ++u) {
    const TalPost &t = r.TalTab[u];
    if (t.PostTimer != 0.0f || t.PostTimerFremmed != 0.0f || t.Timer != 0.0f) return true;
  }
  return false;
}

namespace {

// Rows of another group of kind 22 or 23 come into view 'A' when their
// activity has a subject row taught by an employment of the current group.
bool FremmedAktiMedGruppensLaerer(const Plan *plan, uint32_t akti) {
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    const uint32_t art = plan->ObjTypeTab[r];
    const GrundRaekke &g = plan->GrundTab[r];
    if ((art != PLAN_FAG && art != PLAN_FREMMED_FAG) || g.Aktivitet != akti) continue;
    if ((g.Medarbejder1 && FindPgRel(plan->AktPlanGruppe, g.Medarbejder1, 'M')) ||
        (g.Medarbejder2 && FindPgRel(plan->AktPlanGruppe, g.Medarbejder2, 'M')))
      return true;
  }
  return false;
}

bool MedIA(const Plan *plan, uint32_t r) {
  const GrundRaekke &g = plan->GrundTab[r];
  const uint32_t art = plan->ObjTypeTab[r];
  if (g.Skjult) return false;
  if (g.ffpg_id != plan->AktPlanGruppe &&
      !((art == PLAN_FREMMED_AKTI || art == PLAN_FREMMED_FAG) && FremmedAktiMedGruppensLaerer(plan, g.Aktivitet)))
    return false;
  if (!AktiIGruppe(plan, g.Aktivitet)) return false;
  return !(g.Ejer == PlanEgenInst() && !AktiIPlan(plan, g.Aktivitet));
}

bool MedIM(const Plan *plan, uint32_t r) {
  const GrundRaekke &g = plan->GrundTab[r];
  const uint32_t art = plan->ObjTypeTab[r];
  if (art != PLAN_SKEMA && !AktiIGruppe(plan, g.Aktivitet)) return false;
  const bool egen = g.ffpg_id == plan->AktPlanGruppe;
  if (art == PLAN_POST || art == PLAN_FREMMED_OPG_TIMER || !egen) return HarTal(plan, r, plan->AktPlanGruppe);
  return true;
}

bool MedIO(const Plan *plan, uint32_t r) {
  const GrundRaekke &g = plan->GrundTab[r];
  return g.Medarbejder1 && FindPgRel(plan->AktPlanGruppe, g.Medarbejder1, 'M') != 0 && AktiIGruppe(plan, g.Aktivitet);
}

}  // namespace

bool OverskriftSummeresIRaekker(const Plan *plan, uint32_t h) {
  if (!plan || !plan->GrundTab || !plan->ObjTypeTab || h == 0 || h > plan->GrundTabAntal) return false;
  const uint32_t art = plan->ObjTypeTab[h];
  const GrundRaekke &hr = plan->GrundTab[h];
  switch (plan->Visning) {
    case 'M':
      return art == PLAN_MEDA && hr.ffpg_id == plan->AktPlanGruppe && hr.Medarbejder1;
    case 'O':
      return (art == PLAN_OPG_AKTI || art == PLAN_FREMMED_OPG_AKTI) && hr.ffpg_id == plan->AktPlanGruppe &&
             AktiIGruppe(plan, hr.Aktivitet);
    default:
      return (art == PLAN_AKTI || art == PLAN_FREMMED_AKTI) && MedIA(plan, h);
  }
}

namespace {

// Lists of rows by a number (an activity, an employment, a row), each in
// the order its rows were added: one array for all lists, cut by the
// numbers' counts, where a map of vectors cost an allocation per list and a
// hash per row.
class Lister {
 public:
  struct Liste {
    const uint32_t *b = nullptr;
    size_t n = 0;
    size_t size() const { return n; }
    uint32_t operator[](size_t i) const { return b[i]; }
    const uint32_t *begin() const { return b; }
    const uint32_t *end() const { return b + n; }
  };
  void Tilfoej(uint32_t noegle, uint32_t r) { par_.push_back({noegle, r}); }
  void Byg() {
    uint32_t maks = 0;
    for (const auto &p : par_) maks = std::max(maks, p.first);
    raekker_.resize(par_.size());
    // Numbers from records are small; a number far past the rows (a
    // damaged field) takes the sorted way rather than a table that long.
    taet_ = size_t(maks) <= 4 * par_.size() + 65536;
    if (taet_) {
      start_.assign(size_t(maks) + 2, 0);
      for (const auto &p : par_) ++start_[size_t(p.first) + 1];
      for (size_t i = 1; i < start_.size(); ++i) start_[i] += start_[i - 1];
      std::vector<uint32_t> plads(start_.begin(), start_.end() - 1);
      for (const auto &p : par_) raekker_[plads[p.first]++] = p.second;
    } else {
      std::stable_sort(par_.begin(), par_.end(),
                       [](const std::pair<uint32_t, uint32_t> &a, const std::pair<uint32_t, uint32_t> &b) {
                         return a.first < b.first;
                       });
      for (size_t i = 0; i < par_.size(); ++i) raekker_[i] = par_[i].second;
    }
  }
  Liste Af(uint32_t noegle) const {
    if (taet_) {
      if (size_t(noegle) + 1 >= start_.size()) return {};
      return {raekker_.data() + start_[noegle], start_[size_t(noegle) + 1] - start_[noegle]};
    }
    const auto fra = std::lower_bound(par_.begin(), par_.end(), noegle,
                                      [](const std::pair<uint32_t, uint32_t> &p, uint32_t k) { return p.first < k; });
    size_t i = static_cast<size_t>(fra - par_.begin()), j = i;
    while (j < par_.size() && par_[j].first == noegle) ++j;
    return {raekker_.data() + i, j - i};
  }

 private:
  std::vector<std::pair<uint32_t, uint32_t>> par_;
  std::vector<uint32_t> raekker_;
  std::vector<size_t> start_;
  bool taet_ = true;
};

// With `raekkerRegnet` the caller (the load) has worked out every row's own
// totals and left the headings summed here as they were made, clean: only
// the headings' figures are built here.
void BygRaekker(Plan *plan, bool sort, bool summer, bool raekkerRegnet = false) {
  RaekkeSumPas pas;
  const uint32_t n = plan->GrundTabAntal;
  // The order the headings and their rows are taken in.
  uint32_t *orden = NyTabel(n);
  for (uint32_t r = 1; r <= n; ++r) orden[r] = r;
  free(plan->Ens.ObjTab);  // Ens is packed: no reference to its fields
  plan->Ens.ObjTab = orden;
  plan->Ens.ObjTabAntal = n;
  if (sort) {
    if (plan->Visning == 'M')
      SorterPlanMedarbejder(plan);
    else if (plan->Visning == 'O')
      SorterPlanOpgave(plan);
    else
      SorterPlanAktivitet(plan);
  }
  const std::vector<uint32_t> kandidater(plan->Ens.ObjTab + 1, plan->Ens.ObjTab + 1 + n);
  // The rows under a heading, found by its activity (views 'A' and 'O') or
  // employee ('M'), and the copies of each row, each list in the order of
  // the candidates: a walk over all rows for every heading made the layout
  // grow with the square of the rows.
  Lister underRaekker, kopier;
  for (uint32_t r : kandidater) {
    const GrundRaekke &g = plan->GrundTab[r];
    if (plan->Visning == 'M') {
      if (g.Medarbejder1) underRaekker.Tilfoej(g.Medarbejder1, r);
      if (g.Medarbejder2 && g.Medarbejder2 != g.Medarbejder1) underRaekker.Tilfoej(g.Medarbejder2, r);
    } else {
      underRaekker.Tilfoej(g.Aktivitet, r);
    }
    if (g.KopiAf) kopier.Tilfoej(g.KopiAf, r);
  }
  underRaekker.Byg();
  kopier.Byg();
  auto under = [&](uint32_t noegle) { return underRaekker.Af(noegle); };
  std::vector<uint32_t> vist;
  // The load's headings are summed on threads after the walk, each heading
  // by one thread taking its rows in the order the walk met them: the sums
  // of one heading feed nothing the walk asks, nor another heading.
  const bool udsat = summer && raekkerRegnet && PlanArbejdere(n) > 1;
  // The rows under a heading are walked in the order shown, each ahead of
  // the next asked for where the walk sums it; the threads' sums read their
  // own rows, and fetching every row's weeks here only cost the walk.
  auto forhent = [&](const Lister::Liste &liste, size_t i) {
    if (summer && !udsat && i + 1 < liste.size()) ForhentRaekkeUger(plan, liste[i + 1]);
  };
  std::vector<uint32_t> udsatHoveder, udsatStart, udsatRaekker;
  auto flyt = [&](uint32_t h, uint32_t r) {
    if (!summer) return;
    if (udsat)
      udsatRaekker.push_back(r);
    else if (raekkerRegnet)
      FlytUgeTal(plan, h, r, 1);
    else
      FlytTal(plan, h, r, 1);
  };
  auto tilfoej = [&](uint32_t hoved, uint32_t r) {
    vist.push_back(r);
    if (hoved) flyt(hoved, r);
  };
  // The load's headings that are summed here hold nothing yet: they come
  // clean from the row store and no pass of the load adds into them.
  auto nulstil = [&](uint32_t h) {
    if (summer && !raekkerRegnet) NulstilPlanUgeTal(plan, h);
  };
  for (uint32_t h : kandidater) {
    GrundRaekke &hr = plan->GrundTab[h];
    // Which headings take rows is asked where the load asks it too: the
    // load leaves exactly these headings to be summed here.
    if (!OverskriftSummeresIRaekker(plan, h)) continue;
    if (udsat) udsatStart.push_back(static_cast<uint32_t>(udsatRaekker.size()));
    switch (plan->Visning) {
      case 'M': {
        nulstil(h);
        vist.push_back(h);
        const Lister::Liste liste = under(hr.Medarbejder1);
        for (size_t i = 0; i < liste.size(); ++i) {
          const uint32_t r = liste[i];
          forhent(liste, i);
          const uint32_t ra = plan->ObjTypeTab[r];
          const GrundRaekke &g = plan->GrundTab[r];
          if (ra != PLAN_FAG && ra != PLAN_FREMMED_FAG && ra != PLAN_OPG_TIMER && ra != PLAN_POST &&
              ra != PLAN_FREMMED_OPG_TIMER && ra != PLAN_SKEMA)
            continue;
          if (g.Medarbejder1 != hr.Medarbejder1 && g.Medarbejder2 != hr.Medarbejder1) continue;
          if (g.KopiAf || !MedIM(plan, r)) continue;
          if (hr.Udfoldet)
            tilfoej(h, r);
          else
            flyt(h, r);
        }
        break;
      }
      case 'O': {
        nulstil(h);
        vist.push_back(h);
        const Lister::Liste liste = under(hr.Aktivitet);
        for (size_t i = 0; i < liste.size(); ++i) {
          const uint32_t r = liste[i];
          forhent(liste, i);
          const uint32_t ra = plan->ObjTypeTab[r];
          if (ra != PLAN_OPG_TIMER && ra != PLAN_POST && ra != PLAN_FREMMED_OPG_TIMER) continue;
          if (plan->GrundTab[r].Aktivitet != hr.Aktivitet || !MedIO(plan, r)) continue;
          if (hr.Udfoldet)
            tilfoej(h, r);
          else
            flyt(h, r);
        }
        break;
      }
      default: {
        nulstil(h);
        vist.push_back(h);
        const Lister::Liste liste = under(hr.Aktivitet);
        for (size_t i = 0; i < liste.size(); ++i) {
          const uint32_t r = liste[i];
          forhent(liste, i);
          const uint32_t ra = plan->ObjTypeTab[r];
          const GrundRaekke &g = plan->GrundTab[r];
          if ((ra != PLAN_FAG && ra != PLAN_FREMMED_FAG) || g.KopiAf || g.Aktivitet != hr.Aktivitet ||
              g.ffpg_id != hr.ffpg_id || !MedIA(plan, r))
            continue;
          if (hr.Udfoldet)
            tilfoej(h, r);
          else
            flyt(h, r);
          // The display copies of the row follow it; they feed no heading.
          for (uint32_t k : kopier.Af(r))
            if (!plan->GrundTab[k].Skjult && hr.Udfoldet) vist.push_back(k);
        }
        break;
      }
    }
    if (udsat)
      udsatHoveder.push_back(h);
    else if (summer)
      BeregnRaekke(plan, h);
  }
  if (udsat) {
    udsatStart.push_back(static_cast<uint32_t>(udsatRaekker.size()));
    SummerOverskrifterPaaTraade(plan, udsatHoveder, udsatStart, udsatRaekker);
  }
  const uint32_t antal = static_cast<uint32_t>(vist.size());
  uint32_t *ny = NyTabel(antal), *rev = NyTabel(n);
  for (uint32_t i = 0; i < antal; ++i) {
    ny[i + 1] = vist[i];
    rev[vist[i]] = i + 1;
  }
  free(plan->Ens.ObjTab);
  plan->Ens.ObjTab = ny;
  Erstat(plan->StyrYRev, rev);
  plan->Ens.ObjTabAntal = antal;
  GridPos &p = plan->StyrY.Pos;
  p.Antal = antal;
  if (p.Foerste == 0 || p.Foerste > antal) p.Foerste = antal ? 1 : 0;
  if (p.Aktuel > antal) p.Aktuel = antal;
  if (p.Aktuel == 0 && antal) p.Aktuel = 1;
}

}  // namespace

void BygRaekker(Plan *plan, bool sort) { BygRaekker(plan, sort, true); }

void BygRaekkeOrden(Plan *plan) { BygRaekker(plan, true, false); }

void BygRaekkerOverRegnedeRaekker(Plan *plan) { BygRaekker(plan, true, true, true); }

int32_t PlanBredde(const Plan *plan, int32_t tilbudt) {
  int64_t b = 0;
  for (uint32_t c = 1; c <= plan->VenstreAntal; ++c) b += PlanKolonneBredde(plan, c, PLAN_OMR_VENSTRE) + 1;
  // The number columns shown: a folded period's weeks take no room.
  if (plan->StyrX.ObjTab) {
    for (uint32_t i = 1; i <= plan->StyrX.Pos.Antal; ++i)
      b += PlanKolonneBredde(plan, plan->StyrX.ObjTab[i], PLAN_OMR_UGER) + 1;
  } else {
    for (uint32_t c = 1; c <= plan->KolonneAntal; ++c) b += PlanKolonneBredde(plan, c, PLAN_OMR_UGER) + 1;
  }
  for (uint32_t c = 1; c <= plan->HoejreAntal; ++c) b += PlanKolonneBredde(plan, c, PLAN_OMR_HOEJRE) + 1;
  // The frame's fixed parts: the borders, the vertical bar, and the lines
  // and separators around the three panes.
  b += GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXFRAME) + 2 * int64_t{plan->Ens.SepBredde} + 7;
  b = std::max<int64_t>(b, 400);
  return static_cast<int32_t>(std::min<int64_t>(b, tilbudt));
}

int32_t PlanHoejde(const Plan *plan, int32_t tilbudt) {
  const GridAkse &y = plan->Ens.AkseY;
  const int64_t raekke = y.Forkant + y.CelleBredde + y.Bagkant;
  const uint32_t raekker = plan->Ens.ObjTabAntal;  // Ens is packed: read by value
  int64_t h = raekke * std::max<uint32_t>(raekker, 15);
  h += (plan->LayoutPlanListe.Knapper ? 22 : 0) + plan->Ens.KolHovedHoejde + GetSystemMetrics(SM_CYHSCROLL) +
       GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
  h = std::max<int64_t>(h, 100);
  return static_cast<int32_t>(std::min<int64_t>(h, tilbudt));
}

void GenbygKolonner(Plan *plan) {
  const uint32_t aktuelPos = plan->StyrX.Pos.Aktuel;
  const uint32_t aktuel = plan->StyrX.ObjTab && aktuelPos && aktuelPos <= plan->StyrX.Pos.Antal
                              ? plan->StyrX.ObjTab[aktuelPos] : 0;
  const Uge aktuelUge = aktuel && plan->UgeTab ? plan->UgeTab[aktuel] : 0;
  const uint32_t aktuelArt = aktuel && plan->ObjTypeTabX ? plan->ObjTypeTabX[aktuel] : 0;
  BygHoejreKolonner(plan);
  BygKolonner(plan);
  BygSynligeKolonner(plan);
  GridPos &p = plan->StyrX.Pos;
  // The cursor stays on the column of the same kind and week when it is
  // still shown, else on the first column shown.
  p.Aktuel = p.Antal ? 1 : 0;
  for (uint32_t i = 1; i <= p.Antal && aktuel; ++i) {
    const uint32_t c = plan->StyrX.ObjTab[i];
    if (plan->ObjTypeTabX[c] == aktuelArt && plan->UgeTab[c] == aktuelUge) {
      p.Aktuel = i;
      break;
    }
  }
  if (plan->UnderVisning != 0 && p.Aktuel > 2 && p.Foerste > 1)
    --p.Foerste;
  else if (plan->UnderVisning == 0 && p.Aktuel < p.Antal && p.Foerste < p.Antal)
    ++p.Foerste;
}

void FrigivPlanAkser(Plan *plan) {
  for (uint32_t **t : {&plan->StyrZ.ObjTab, &plan->ObjTypeTabX, &plan->PPeriode, &plan->UgeTab, &plan->ObjTabX,
                       &plan->StyrX.ObjTab, &plan->StyrXRev, &plan->ObjTypeTabLX, &plan->StyrLX.ObjTab,
                       &plan->ObjTypeTabRX, &plan->StyrRX.ObjTab, &plan->StyrYRev})
    Erstat(*t, nullptr);
  plan->Ens.UgeTab = nullptr;
  plan->KolonneAntal = plan->VenstreAntal = plan->HoejreAntal = 0;
}
