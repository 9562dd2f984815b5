// A small school built in memory through the store's own record and row
// functions, for the count tests: staff, employments, activities, rooms,
// subjects, roles with their codes, enrolments, and events and postings
// appended to their week and month buckets.
#pragma once

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "FINDREC.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "OPTAEL.h"
#include "PLANIDX.h"
#include "SIDEFIL.h"
#include "TABOPER.h"
#include "TALTAB.h"
#include "RECPRED.h"
#include "pred_tabeller.h"

namespace counttest {

using predtest::Ny;
using predtest::Tekst;

struct Begivenhed {
  uint8_t aarIdx, uge;
  uint32_t forste;
};

inline Dato FastDag() { return 20250115; }

// Appends a row at the end of its bucket so an event's rows stay together.
template <class R>
R *Tilfoej(const TabDesc &td, TabVar *b, uint32_t *pNr) {
  b->FoersteLedige = b->wRecCnt;
  const uint32_t n = NewRec(&td, b);
  if (pNr) *pNr = n;
  return n ? reinterpret_cast<R *>(GetRec(&td, b, n)) : nullptr;
}

struct Skole {
  std::vector<uint32_t> akti, anfo, loka, skfa, rol;
  std::vector<uint32_t> hontity;
  // What the plan group plans: a line's activity, subject, first teacher
  // and one of its weeks.
  struct PlanLinje {
    uint32_t akti, skfa, anfo;
    Uge uge;
  };
  std::vector<PlanLinje> planLinjer;

  // nAkti activities, nAnfo employments (two per employee, one in every five
  // without monthly figures), nLoka rooms, three subjects.
  void Byg(uint32_t nAkti, uint32_t nMeda, uint32_t nLoka, std::mt19937 &rnd) {
    const char *kodeListe[] = {"", "", "11sy", "FF", "O", "sh", "AF"};
    std::vector<uint32_t> loty;
    for (const char *k : kodeListe) {
      LotyRec l{};
      l.id = static_cast<uint32_t>(loty.size() + 1);
      Tekst(l.Aktivitetstype, k);
      l.Status = 10;
      loty.push_back(Ny(tdloty, tvloty, l));
    }
    const char *roller[] = {"L", "F", "SF", "S", "A"};
    for (uint32_t i = 0; i < 5; ++i) {
      SkemarolRec r{};
      r.id = 100 + i;
      Tekst(r.Rolle, roller[i]);
      r.Status = 10;
      r.Genererer_timeposter = 'J';
      r.loty_id = i == 3 ? loty[2] : i == 1 ? loty[3] : i == 4 ? loty[6] : 0;
      rol.push_back(Ny(tdskemarol, tvskemarol, r));
    }
    for (uint32_t i = 0; i < 3; ++i) {
      SkfaRec s{};
      s.id = 200 + i;
      Tekst(s.Skolefag, i == 0 ? "DA" : i == 1 ? "MA" : "EN");
      s.Status = 10;
      skfa.push_back(Ny(tdskfa, tvskfa, s));
    }
    for (uint32_t i = 0; i < nAkti; ++i) {
      AktiRec a{};
      a.id = 1000 + i;
      Tekst(a.Aktivitet, i % 11 == 5 ? "+ekstra" : "hold");
      a.Status = 10;
      Tekst(a.Type, i % 13 == 7 ? "OVAK" : "UV");
      a.Fradato = 20240801;
      a.Tildato = 20250731;
      a.Aflyst = 'N';
      a.loty_id = loty[rnd() % loty.size()];
      akti.push_back(Ny(tdakti, tvakti, a));
    }
    for (uint32_t i = 0; i < nMeda; ++i) {
      MedaRec m{};
      m.id = 5000 + i;
      Tekst(m.Initialer, i % 7 == 3 ? "*XX" : "ABC");
      m.Status = 10;
      const uint32_t mn = Ny(tdmeda, tvmeda, m);
      for (uint32_t k = 0; k < 2; ++k) {
        AnfoRec f{};
        f.id = 6000 + i * 2 + k;
        f.meda_id = mn;
        f.Status = (i * 2 + k) % 5 == 4 ? 20 : (k ? 30 : 10);
        f.Fradato = 20240801;
        f.Tildato = 20250731;
        anfo.push_back(Ny(tdanfo, tvanfo, f));
      }
    }
    for (uint32_t i = 0; i < nLoka; ++i) {
      LokaRec l{};
      l.id = 7000 + i;
      Tekst(l.Lokalenr, "L1");
      l.Status = 10;
      loka.push_back(Ny(tdloka, tvloka, l));
    }
    for (uint32_t i = 0; i < nAkti; i += 2) {
      SkphRec p{};
      p.akti_id = akti[i];
      p.skfa_id = skfa[i % 3];
      p.Status = 10;
      Ny(tdskph, tvskph, p);
    }
    tvskph.fSorter = 1;
    for (uint32_t i = 0; i < nAkti * 3; ++i) {
      AkplRec k{};
      k.pers_id = i + 1;
      k.akti_id = akti[rnd() % akti.size()];
      k.Status = 10;
      k.Startdato = 20240701 + (rnd() % 3) * 10000;
      k.Slutdato = k.Startdato + 10000 - (rnd() % 2) * 300;
      Ny(tdakpl, tvakpl, k);
    }
    const char *typer[] = {"31", "AA", "AF", "A9", "O", "ZZ"};
    for (const char *t : typer) {
      HontityRec h{};
      h.id = static_cast<uint32_t>(hontity.size() + 1);
      memcpy(h.timetype, t, strlen(t) < 3 ? strlen(t) : 3);
      h.Status = 10;
      hontity.push_back(Ny(tdhontity, tvhontity, h));
    }
    for (uint32_t i = 1; i < tvmeda.wRecCnt; i += 2) {
      FerieopgRec f{};
      f.id = i;
      f.meda_id = i;
      f.StartDato = 20240901;
      f.OverfoertFerie = 3;
      f.OptjentFerie = 25;
      f.OptjentFerieFridage = 5;
      f.Status = 10;
      Ny(tdferieopg, tvferieopg, f);
      ArbejdstidRec a{};
      a.meda_id = i;
      a.Dato = 20241015;
      a.Minutter = 600;
      a.Bidrag = 3;
      a.Indbetalt = -2;
      a.Undervisning = 120;
      a.Status = 10;
      Ny(tdarbejdstid, tvarbejdstid, a);
    }
  }

  // A live plan group of this installation with plan lines of every kind
  // the plan count reads (and one it leaves out), on the school's
  // activities, subjects and employments, and their weekly figures: some
  // weeks twice, some rows deleted or empty.
  void PlanGruppe(std::mt19937 &rnd, uint32_t antalLinjer) {
    FfpgRec pg{};
    pg.id = 1;
    pg.Fradato = 20240801;
    pg.Tildato = 20250731;
    pg.Ejer = GlobalIndstillinger.insnr;
    pg.Status = 0x40;
    const uint32_t gruppe = Ny(tdffpg, tvffpg, pg);
    const uint32_t objTyper[] = {2, 14, 23, 35, 1};
    const float normer[] = {45.0f, 50.0f, -1.0f, 45.0f};
    for (uint32_t i = 0; i < antalLinjer; ++i) {
      FfgrundRec g{};
      g.Id = i + 1;
      g.ffpg_id = gruppe;
      g.Aktivitet = akti[rnd() % akti.size()];
      g.Skolefag = rnd() % 4 ? skfa[rnd() % skfa.size()] : 0;
      g.Medarbejder1 = rnd() % 6 ? anfo[rnd() % anfo.size()] : 0;
      g.Medarbejder2 = rnd() % 3 ? 0 : anfo[rnd() % anfo.size()];
      g.ObjType = objTyper[rnd() % 5];
      g.Minutnorm1 = normer[rnd() % 4];
      g.Minutnorm2 = normer[rnd() % 4];
      g.Ejer = GlobalIndstillinger.insnr;
      g.Status = 0x40;
      const uint32_t linje = Ny(tdffgrund, tvffgrund, g);
      for (uint32_t k = 0, n = 2 + rnd() % 10; k < n; ++k) {
        FftaltabRec t{};
        t.ffgrund_id = linje;
        t.Uge = IndeksTilUge(1 + rnd() % SkemaPeriode.AntalUger);
        t.Lektioner = rnd() % 3 ? 10 * (1 + rnd() % 4) : 0;
        t.Timer = rnd() % 2 ? 0.75f * static_cast<float>(rnd() % 4) : 0.0f;
        t.Rettearbejd = rnd() % 4 ? 0.0f : 0.5f;
        t.Eksametid = rnd() % 5 ? 0.0f : 1.5f;
        t.Ejer = GlobalIndstillinger.insnr;
        t.Status = rnd() % 8 ? 0x40 : (rnd() % 2 ? 0x48 : 0);
        Ny(tdfftaltab, tvfftaltab, t);
        planLinjer.push_back({g.Aktivitet, g.Skolefag, g.Medarbejder1, t.Uge});
        // The same week again, now and then, with other figures.
        if (rnd() % 4 == 0) {
          t.Lektioner += 10;
          t.Timer += 0.25f;
          Ny(tdfftaltab, tvfftaltab, t);
        }
      }
    }
  }

  struct Del {
    uint32_t akti, anfo, rol, loka;
  };

  // An event on a random week and day of the period with a few participants.
  Begivenhed NyBegivenhed(std::mt19937 &rnd, uint32_t uge = 0, int dag = -1, int lektion = -1) {
    const uint32_t fag = rnd() % 2 ? skfa[rnd() % skfa.size()] : 0;
    std::vector<Del> dele;
    const uint32_t nAkti = rnd() % 3, nAnfo = 1 + rnd() % 2, nLoka = rnd() % 3;
    for (uint32_t i = 0; i < nAkti; ++i) dele.push_back({akti[rnd() % akti.size()], 0, 0, 0});
    for (uint32_t i = 0; i < nAnfo; ++i) dele.push_back({0, anfo[rnd() % anfo.size()], rol[rnd() % rol.size()], 0});
    for (uint32_t i = 0; i < nLoka; ++i) dele.push_back({0, 0, 0, loka[rnd() % loka.size()]});
    return Skriv(rnd, uge, dag, lektion, fag, dele);
  }

  // An event that a plan line plans: its activity, subject, teacher and week.
  Begivenhed NyBegivenhedPaaPlan(std::mt19937 &rnd) {
    const PlanLinje &l = planLinjer[rnd() % planLinjer.size()];
    std::vector<Del> dele = {{l.akti, 0, 0, 0}, {0, l.anfo, rol[rnd() % rol.size()], 0}};
    return Skriv(rnd, l.uge, -1, -1, l.skfa, dele);
  }

  // A posting on a plan line's activity and teacher in its week.
  TimoakRaekke *NyPostPaaPlan(std::mt19937 &rnd) {
    const PlanLinje &l = planLinjer[rnd() % planLinjer.size()];
    const Dato dato = UgeDagTilDato(l.uge, static_cast<uint8_t>(1 + rnd() % 5));
    TimoakRaekke *t = Tilfoej<TimoakRaekke>(tdtimoak, TimoakBucket(dato / 100), nullptr);
    t->id = rnd();
    t->Status = 0x40;
    t->Type = "kAre"[rnd() % 4];
    t->akti_id = l.akti;
    t->anfo_id = l.anfo;
    t->Dato = dato;
    t->Timer = 25 * static_cast<int32_t>(1 + rnd() % 8);
    return t;
  }

  Begivenhed Skriv(std::mt19937 &rnd, uint32_t uge, int dag, int lektion, uint32_t fag, const std::vector<Del> &dele) {
    if (uge == 0) uge = IndeksTilUge(1 + rnd() % SkemaPeriode.AntalUger);
    Begivenhed b{static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar), static_cast<uint8_t>(uge % 100), 0};
    TabVar *bucket = UgeBucket(b.aarIdx, b.uge);
    const uint8_t d = static_cast<uint8_t>(dag >= 0 ? dag : 1 + rnd() % 7);
    const uint8_t lek = static_cast<uint8_t>(lektion >= 0 ? lektion : rnd() % 6);
    const uint32_t start = 800 + (rnd() % 8) * 100 + (rnd() % 4) * 15;
    const float std = (rnd() % 3 == 0) ? 0.0f : (rnd() % 2 ? 1.0f : 1.5f);
    for (const Del &del : dele) {
      uint32_t nr = 0;
      SkeRec *s = Tilfoej<SkeRec>(tdske, bucket, &nr);
      if (!b.forste) b.forste = nr;
      s->id = 900000 + b.forste;
      s->Status = SKE_EGEN;
      s->akti_id = del.akti;
      s->anfo_id = del.anfo;
      s->skemarol_id = del.rol;
      s->Minutnorm = rnd() % 4 == 0 ? 45.0f : 0.0f;
      s->loka_id = del.loka;
      s->skfa_id = fag;
      s->Dag = d;
      s->Lektion = lek;
      s->Starttid = start;
      s->Sluttid = start + 45 + (rnd() % 2) * 55;
      s->Antal_std_lektioner = std;
      s->Forste = b.forste;
    }
    return b;
  }

  TimoakRaekke *NyPost(std::mt19937 &rnd) {
    const Dato dato = DagNrTilDato(DatoTilDagNr(SkemaPeriode.FraDato) + rnd() % 360);
    TimoakRaekke *t = Tilfoej<TimoakRaekke>(tdtimoak, TimoakBucket(dato / 100), nullptr);
    const char *typer = "kuFHPAabefhprxO";
    t->id = rnd();
    t->Status = 0x40;
    t->Type = typer[rnd() % strlen(typer)];
    t->akti_id = akti[rnd() % akti.size()];
    t->anfo_id = anfo[rnd() % anfo.size()];
    t->Dato = dato;
    t->Timer = static_cast<int32_t>(rnd() % 800) - 100;
    return t;
  }

  HontimRaekke *NyHontim(std::mt19937 &rnd) {
    const Dato dato = DagNrTilDato(DatoTilDagNr(SkemaPeriode.FraDato) + rnd() % 360);
    HontimRaekke *h = Tilfoej<HontimRaekke>(tdhontim, HontimBucket(dato / 100), nullptr);
    h->id = rnd();
    h->Status = 0x40;
    h->hontity_id = hontity[rnd() % hontity.size()];
    h->anfo_id = anfo[rnd() % anfo.size()];
    h->Dato = dato;
    h->Enheder = static_cast<int32_t>(rnd() % 600) - 200;
    return h;
  }

  UdplatimRaekke *NyUdplatim(std::mt19937 &rnd) {
    const Dato dato = DagNrTilDato(DatoTilDagNr(SkemaPeriode.FraDato) + rnd() % 360);
    UdplatimRaekke *u = Tilfoej<UdplatimRaekke>(tdudplatim, UdplatimBucket(dato / 100), nullptr);
    u->id = rnd();
    u->Status = 0x40;
    u->Type = "aefhkuprz"[rnd() % 9];
    u->anfo_id = anfo[rnd() % anfo.size()];
    u->Dato = dato;
    u->Timer = static_cast<int32_t>(rnd() % 500);
    return u;
  }
};

// The count tests' school: every table empty, one school year, the fixed
// day and the count mutex; whether the school keeps its own plan is the
// suite's choice. Everything is emptied again after each test.
class TalSkoleTest : public ::testing::Test {
 protected:
  explicit TalSkoleTest(uint32_t egenPlan) : egenPlan_(egenPlan) {}
  void SetUp() override {
    predtest::TommeTabeller();
    TomSkemabeg();
    TomTimoak();
    TomUdplatim();
    TomHontim();
    InitPeriode(20240801, 20250731, 20240801);
    StandardIndstillinger();
    TalDagsDato = FastDag;
    HarEgenPlan = egenPlan_;
    OpretTalMutex();
  }
  void TearDown() override {
    LukTalMutex();
    FreeAlleTalTabeller();
    FreeAnfoAktiGrund(&AnfoAktiGrund);
    PlanIndeksFri();
    TomSkemabeg();
    TomTimoak();
    TomUdplatim();
    TomHontim();
    predtest::FrigivAlle();
    StandardIndstillinger();
    TalDagsDato = DagsDato;
    HarEgenPlan = 0;
  }

 private:
  uint32_t egenPlan_;
};

}  // namespace counttest
