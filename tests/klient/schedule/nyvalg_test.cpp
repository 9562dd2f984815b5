// The entry window's selection lists: which records each list holds, the
// marks of busy, period, ring-system, sort and school-day, the current entry
// a list proposes, and the colours and legend letters of the drawn rows.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "KROGE.h"
#include "FINDREC.h"
#include "NYVALG.h"
#include "OBJFELT.h"
#include "tavo/test_gdi.h"
#include "ske_fixture.h"

namespace {

using namespace sketest;
using predtest::Rec;

constexpr Uge kUge40 = 202400 + kUge;

class Valglister : public SkeMappe {
 protected:
  void SetUp() override {
    SkeMappe::SetUp();
    kalender = Skolekalender(2024, 2, [](uint32_t, uint32_t, uint8_t d) { return d <= 5; });
    ring = Ringesystem({});  // lesson 3: 09:50-10:35
    Rec<RisyRec>(tvrisy, ring)->Anvendt = 1;
    Rec<RisyRec>(tvrisy, ring)->RingeGruppe = 1;
    for (uint32_t a : akti) {
      AktiRec *r = Rec<AktiRec>(tvakti, a);
      r->skka_id = kalender;
      r->risy_id = ring;
      r->RisyOk = 1;
      r->Gruppe = 1;
      r->StartUge = 202432;
      r->SlutUge = 202530;
    }
    for (uint32_t n : anfo) {
      Rec<AnfoRec>(tvanfo, n)->Gruppe = 1;
      Rec<AnfoRec>(tvanfo, n)->StartUge = 202432;
      Rec<AnfoRec>(tvanfo, n)->SlutUge = 202530;
    }
    for (uint32_t l : loka) {
      LokaRec *r = Rec<LokaRec>(tvloka, l);
      r->Gruppe = 1;
      r->StartUge = 202432;
      r->SlutUge = 202530;
      r->Fradato = 20240801;
      r->Tildato = 20250731;
    }
    rolJ = RolleMed('J');
    rolN = RolleMed('N');
    lokJ = Lokrolle('J');
    lokN = Lokrolle('N');
    GlobalIndstillinger.sammenfaldsinterval = 0;
    GlobalIndstillinger.checkelevsammenfald = 1;
    b = static_cast<BrikIndStruct *>(calloc(1, sizeof(BrikIndStruct)));
    b->Mode = 'B';
    b->UgeNr = kUge40;
    for (auto &a : b->ListeAktiv) a = 1;
    AktuelAVS.Placering = 'L';
    AktuelAVS.Dag = 2;
  }
  void TearDown() override {
    hPlanMutex = 0;
    for (DifValg &v : b->Valg) {
      free(v.ObjTab);
      free(v.Maerker);
    }
    free(b->AnfoRolle);
    free(b->AnfoMinut);
    free(b->AnfoRolleLaast);
    free(b->LokaRolle);
    free(b->FagNiveau);
    free(blok);
    free(b);
    SkeMappe::TearDown();
  }

  uint32_t RolleMed(char optag) {
    const uint32_t r = Rolle({optag == 'J' ? "J" : "N"});
    Rec<SkemarolRec>(tvskemarol, r)->Check_skemasammenfald = optag;
    return r;
  }
  static uint32_t Lokrolle(char optag) {
    LokrolleRec l{};
    l.id = 800 + tvlokrolle.wRecCnt;
    l.Status = 10;
    l.Check_sammenfald = optag;
    return Ny(tdlokrolle, tvlokrolle, l);
  }
  uint32_t NyAkti(const char *navn, uint32_t gruppe = 1) {
    AktiRec a = *Rec<AktiRec>(tvakti, akti[0]);
    a.id = 3000 + tvakti.wRecCnt;
    Tekst(a.Aktivitet, navn);
    a.Gruppe = gruppe;
    return Ny(tdakti, tvakti, a);
  }
  uint32_t NyFag(const char *navn) {
    SkfaRec s = *Rec<SkfaRec>(tvskfa, skfa);
    s.id = 210 + tvskfa.wRecCnt;
    Tekst(s.Skolefag, navn);
    return Ny(tdskfa, tvskfa, s);
  }
  static void Plan(uint32_t a, uint32_t f, uint8_t status = 10) {
    SkphRec p{};
    p.akti_id = a;
    p.skfa_id = f;
    p.Status = status;
    Ny(tdskph, tvskph, p);
  }

  // The event being built.
  static void Event(const std::vector<uint32_t> &ak, const std::vector<uint32_t> &an, const std::vector<uint32_t> &lo,
                    uint32_t fag = 0, uint32_t risy_ = 0) {
    auto kopi = [](const std::vector<uint32_t> &v) {
      auto *p = static_cast<uint32_t *>(malloc((v.size() + 1) * sizeof(uint32_t)));
      std::copy(v.begin(), v.end(), p);
      return p;
    };
    for (AVS *a : {&AktuelAVS}) {
      const char placering = a->Placering;
      const uint8_t dag = a->Dag;
      CleanupAVS(a);
      a->Placering = placering;
      a->Dag = dag;
      a->aktiTab = kopi(ak);
      a->aktiAntal = static_cast<uint32_t>(ak.size());
      a->anfoTab = kopi(an);
      a->skemarolTab = static_cast<uint32_t *>(calloc(an.size() + 1, sizeof(uint32_t)));
      a->anfoAntal = static_cast<uint32_t>(an.size());
      a->lokaTab = kopi(lo);
      a->lokrolleTab = static_cast<uint32_t *>(calloc(lo.size() + 1, sizeof(uint32_t)));
      a->lokaAntal = static_cast<uint32_t>(lo.size());
      a->skfa_id = fag;
      a->risy_id = risy_;
    }
  }

  void Alloker() {
    ASSERT_TRUE(AllokerDifValg(b));
    b->BlokUger = SkemaPeriode.AntalUger + 1;
    blok = static_cast<uint8_t *>(calloc(b->BlokUger, kBlokUgeBytes));
    b->BlokTab = blok;
  }
  // Marks cells 1-based of a weekday of week 40.
  void Marker(uint8_t dag, uint32_t fra, uint32_t til) {
    for (uint32_t c = fra; c <= til; ++c) *BlokCelle(blok, b->BlokUger, UgeTilIndeks(kUge40), dag, c) = BLOK_VALGT;
  }
  // A time cell of a clock time in time placement.
  static uint32_t TidCelle(Klokkeslaet t) { return (t / 100 * 60 + t % 100) / 5 + 1; }

  std::vector<uint32_t> Liste(uint8_t fokus) {
    const DifValg &v = b->Valg[fokus];
    return v.ObjTab ? std::vector<uint32_t>(v.ObjTab + 1, v.ObjTab + 1 + v.Antal) : std::vector<uint32_t>();
  }
  uint8_t M(uint8_t fokus, uint32_t n) const { return b->Valg[fokus].Maerker[n]; }

  // Subject-room and activity-room relations, live and in key order.
  static void Relationer(const std::vector<std::pair<uint32_t, uint32_t>> &fagRum,
                         const std::vector<std::pair<uint32_t, uint32_t>> &aktiRum) {
    for (auto [f, l] : fagRum) Ny(tdskfalokarel, tvskfalokarel, SkfalokarelRec{f, l, 10});
    for (auto [a, l] : aktiRum) Ny(tdalrel, tvalrel, AlrelRec{a, l, 10});
    SortTab(&tdskfalokarel, &tvskfalokarel);
    SortTab(&tdalrel, &tvalrel);
  }

  // A busy participant: its row on Tuesday, with the roles given.
  void Optaget(Deltager d, Klokkeslaet start, Klokkeslaet slut, uint8_t dag = 2) {
    Faelles f;
    f.dag = dag;
    f.start = start;
    f.slut = slut;
    SkrivRaekker({d}, f);
  }

  BrikIndStruct *b = nullptr;
  uint8_t *blok = nullptr;
  uint32_t kalender = 0, ring = 0, rolJ = 0, rolN = 0, lokJ = 0, lokN = 0;
};

// ==================================================================== building

TEST_F(Valglister, TheListsHoldTheCandidatesTheirFiltersLetThrough) {
  const uint32_t fag2 = NyFag("MA"), fag3 = NyFag("EN");
  // akti[0] has DA and MA, akti[1] DA and EN; an inactive plan row counts
  // for nothing.
  Plan(akti[0], skfa), Plan(akti[0], fag2), Plan(akti[1], skfa), Plan(akti[1], fag3), Plan(akti[1], fag2, 1);
  const uint32_t stjerne = NyAkti("*fri", 2), plus = NyAkti("+ekstra"), udenfor = NyAkti("hold", 2);
  Rec<AktiRec>(tvakti, akti[2])->RisyOk = 0;
  Rec<AnfoRec>(tvanfo, anfo[1])->Gruppe = 2;
  Rec<AnfoRec>(tvanfo, anfo[2])->SlutUge = 202439;
  Rec<MedaRec>(tvmeda, Rec<AnfoRec>(tvanfo, anfo[0])->meda_id)->Initialer[0] = '#';
  Rec<AnfoRec>(tvanfo, anfo[0])->Gruppe = 2;
  Tekst(Rec<LokaRec>(tvloka, loka[0])->Lokalenr, "*ude");
  Rec<LokaRec>(tvloka, loka[0])->Gruppe = 2;
  Rec<LokaRec>(tvloka, loka[1])->Gruppe = 2;
  Rec<LokaRec>(tvloka, loka[2])->StartUge = 202441;
  RisyRec r2 = *Rec<RisyRec>(tvrisy, ring);
  r2.Anvendt = 0;
  const uint32_t ubrugt = Ny(tdrisy, tvrisy, r2);
  r2.Anvendt = 1;
  r2.Status = 11;
  Ny(tdrisy, tvrisy, r2);
  Sls_koderRec k{};
  k.Status = 10;
  k.Anvendes = 'J';
  const uint32_t sls = Ny(tdsls_koder, tvsls_koder, k);
  k.Anvendes = 'N';
  Ny(tdsls_koder, tvsls_koder, k);
  (void)ubrugt;
  Alloker();
  for (DifValg &v : b->Valg) v.GruppeMaske = 1;

  Event({}, {}, {});
  for (uint8_t k = 0; k < kAntalDifValg; ++k) ByggDifValg(b, k);
  EXPECT_EQ(Liste(FOCUS_AKTI), (std::vector<uint32_t>{akti[0], akti[1], stjerne}));
  // Without activities every planned subject.
  EXPECT_EQ(Liste(FOCUS_SKFA), (std::vector<uint32_t>{skfa, fag2, fag3}));
  EXPECT_EQ(Liste(FOCUS_ANFO), (std::vector<uint32_t>{anfo[0]}));
  EXPECT_EQ(Liste(FOCUS_LOKA), (std::vector<uint32_t>{loka[0]}));
  EXPECT_EQ(Liste(FOCUS_RISY), (std::vector<uint32_t>{ring}));
  EXPECT_EQ(Liste(FOCUS_SPESKE), (std::vector<uint32_t>{sls}));

  // With a subject: only the activities that have it, the '*' one outside
  // the groups no more; '+' never.
  Event({}, {}, {}, skfa);
  ByggAktiValg(b);
  EXPECT_EQ(Liste(FOCUS_AKTI), (std::vector<uint32_t>{akti[0], akti[1]}));
  Plan(plus, skfa), Plan(udenfor, skfa), Plan(stjerne, skfa);
  ByggAktiValg(b);
  EXPECT_EQ(Liste(FOCUS_AKTI), (std::vector<uint32_t>{akti[0], akti[1]}));

  // Two activities: the subjects both have.
  Event({akti[0], akti[1]}, {}, {});
  ByggSkfaValg(b);
  EXPECT_EQ(Liste(FOCUS_SKFA), (std::vector<uint32_t>{skfa}));
  Event({akti[0]}, {}, {});
  ByggSkfaValg(b);
  EXPECT_EQ(Liste(FOCUS_SKFA), (std::vector<uint32_t>{skfa, fag2}));
}

// ==================================================================== marks

TEST_F(Valglister, BusyMarksFollowThePlacementAndTheRoles) {
  struct Tilfaelde {
    const char *navn;
    char placering;
    uint32_t risy;            // the event's ring system
    std::vector<std::pair<uint32_t, uint32_t>> celler;  // Tuesday cells
    Klokkeslaet rStart, rSlut;  // the other event's row
    uint8_t gab;
    bool optaget;
  };
  const Tilfaelde tilfaelde[] = {
      {"lesson 3 by the ring system", 'L', 1, {{3, 3}}, 1000, 1030, 0, true},
      {"lesson 4 by the ring system", 'L', 1, {{4, 4}}, 1000, 1030, 0, false},
      {"lesson 3 by the shown events", 'L', 0, {{3, 3}}, 950, 1035, 0, true},
      {"whole day", 'D', 0, {{1, 1}}, 1500, 1530, 0, true},
      {"whole day past its end", 'D', 0, {{1, 1}}, 1700, 1730, 0, false},
      {"time slots", 'T', 0, {{TidCelle(1000), TidCelle(1005)}}, 950, 1005, 0, true},
      {"ends where the span starts, gap 0", 'T', 0, {{TidCelle(1000), TidCelle(1040)}}, 900, 1000, 0, false},
      {"ends where the span starts, gap 5", 'T', 0, {{TidCelle(1000), TidCelle(1040)}}, 900, 1000, 5, true},
      {"the gap carries over the hour", 'T', 0, {{TidCelle(1000), TidCelle(1040)}}, 900, 955, 10, true},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    // The rows of the case before are freed.
    for (uint32_t r = 1; r < BegBucket(kAar, kUge)->wRecCnt; ++r) Raekke(r)->Status = 0;
    // The other event: activity, checked and unchecked employee and room.
    Faelles f;
    f.dag = 2;
    f.start = t.rStart;
    f.slut = t.rSlut;
    f.risy = ring;
    f.lektion = 3;
    SkrivRaekker({{.akti = akti[1]}, {.anfo = anfo[1], .rol = rolJ}, {.anfo = anfo[2], .rol = rolN},
                  {.loka = loka[1], .lokrolle = lokJ}, {.loka = loka[2], .lokrolle = lokN}},
                 f);
    // A deleted row and a row of another day never count.
    SkrivRaekker({{.akti = akti[0]}}, {.status = SKE_EGEN | SKE_SLETTET, .dag = 2, .start = 800, .slut = 2300});
    SkrivRaekker({{.akti = akti[0]}}, {.dag = 3, .start = 800, .slut = 2300});
    SkeVindue w(SKE_AKTI, 'L');
    w->RingSystem = ring;
    ByggeSkeVisListeUge(w.get(), kUge40);
    b->SkemaSke = w.get();
    AktuelAVS.Placering = t.placering;
    Event({}, {}, {}, 0, t.risy ? ring : 0);
    b->Starttid = 800;
    b->Sluttid = 1600;
    GlobalIndstillinger.sammenfaldsinterval = t.gab;
    free(blok);
    for (DifValg &v : b->Valg) free(v.Maerker), v.Maerker = nullptr;
    Alloker();
    for (auto [fra, til] : t.celler) Marker(2, fra, til);
    MarkerOptagne(b);
    EXPECT_EQ(M(FOCUS_AKTI, akti[1]) & MAERKE_OPTAGET, t.optaget ? MAERKE_OPTAGET : 0);
    EXPECT_EQ(M(FOCUS_ANFO, anfo[1]) & MAERKE_OPTAGET, t.optaget ? MAERKE_OPTAGET : 0);
    EXPECT_EQ(M(FOCUS_LOKA, loka[1]) & MAERKE_OPTAGET, t.optaget ? MAERKE_OPTAGET : 0);
    // Roles that do not check overlaps, and the rows that do not count.
    EXPECT_EQ(M(FOCUS_ANFO, anfo[2]) & MAERKE_OPTAGET, 0);
    EXPECT_EQ(M(FOCUS_LOKA, loka[2]) & MAERKE_OPTAGET, 0);
    EXPECT_EQ(M(FOCUS_AKTI, akti[0]) & MAERKE_OPTAGET, 0);
    b->SkemaSke = nullptr;
  }
}

TEST_F(Valglister, TheEditedEventAndTheChosenMarksSurviveAndNoCellMarksNothing) {
  Optaget({.akti = akti[1]}, 950, 1035);
  Optaget({.anfo = anfo[1], .rol = rolJ}, 950, 1035);
  Optaget({.loka = loka[1], .lokrolle = lokJ}, 950, 1035);
  // An activity outside its period and one on a calendar without Tuesday.
  Rec<AktiRec>(tvakti, akti[2])->Tildato = 20240930;
  Rec<AktiRec>(tvakti, akti[0])->skka_id = Skolekalender(2024, 2, [](uint32_t, uint32_t, uint8_t d) { return d != 2; });
  Alloker();
  Event({}, {}, {}, 0, ring);

  // No marked cell: no busy, period or school-day mark.
  b->Valg[FOCUS_AKTI].Maerker[akti[1]] = MAERKE_VALGT | MAERKE_OPTAGET | MAERKE_PERIODE;
  MarkerOptagne(b);
  for (uint32_t a : akti) EXPECT_EQ(M(FOCUS_AKTI, a) & ~MAERKE_VALGT, 0) << a;
  EXPECT_EQ(M(FOCUS_AKTI, akti[1]), MAERKE_VALGT);

  Marker(2, 3, 3);
  MarkerOptagne(b);
  EXPECT_EQ(M(FOCUS_AKTI, akti[1]), MAERKE_VALGT | MAERKE_OPTAGET);
  EXPECT_EQ(M(FOCUS_AKTI, akti[2]) & MAERKE_PERIODE, MAERKE_PERIODE);
  EXPECT_EQ(M(FOCUS_AKTI, akti[0]) & MAERKE_SKOLEFRI, MAERKE_SKOLEFRI);
  EXPECT_EQ(M(FOCUS_AKTI, akti[1]) & MAERKE_SKOLEFRI, 0);

  // A change: the old event's own participants are not busy with itself.
  b->Mode = 'R';
  CleanupAVS(&GammelAVS);
  GammelAVS.aktiTab = static_cast<uint32_t *>(malloc(sizeof(uint32_t)));
  GammelAVS.aktiTab[0] = akti[1];
  GammelAVS.aktiAntal = 1;
  GammelAVS.anfoTab = static_cast<uint32_t *>(malloc(sizeof(uint32_t)));
  GammelAVS.skemarolTab = static_cast<uint32_t *>(malloc(sizeof(uint32_t)));
  GammelAVS.anfoTab[0] = anfo[1];
  GammelAVS.skemarolTab[0] = rolJ;
  GammelAVS.anfoAntal = 1;
  GammelAVS.lokaTab = static_cast<uint32_t *>(malloc(sizeof(uint32_t)));
  GammelAVS.lokaTab[0] = loka[1];
  GammelAVS.lokaAntal = 1;
  MarkerOptagne(b);
  EXPECT_EQ(M(FOCUS_AKTI, akti[1]), MAERKE_VALGT);
  EXPECT_EQ(M(FOCUS_ANFO, anfo[1]), 0);
  EXPECT_EQ(M(FOCUS_LOKA, loka[1]), 0);
}

TEST_F(Valglister, RingSortAndPeriodMarks) {
  const uint32_t ring2 = Ringesystem({.start = 815});
  Rec<RisyRec>(tvrisy, ring2)->RingeGruppe = 2;
  Rec<RisyRec>(tvrisy, ring2)->Anvendt = 0;
  const uint32_t ring3 = Ringesystem({.start = 830});
  Rec<RisyRec>(tvrisy, ring3)->RingeGruppe = 1;
  Rec<AktiRec>(tvakti, akti[1])->risy_id = ring2;
  Tekst(Rec<AktiRec>(tvakti, akti[2])->Type, "OVAK");
  Rec<AnfoRec>(tvanfo, anfo[0])->Tildato = 20241001;  // ends on the marked Tuesday
  Rec<AnfoRec>(tvanfo, anfo[1])->Tildato = 20240930;
  Rec<LokaRec>(tvloka, loka[1])->Fradato = 20241002;
  Alloker();
  Marker(2, 3, 3);

  // An event of akti[0] on its own ring system.
  Event({akti[0]}, {}, {}, 0, ring);
  MarkerOptagne(b);
  EXPECT_EQ(M(FOCUS_AKTI, akti[1]) & (MAERKE_RINGSYSTEM | MAERKE_RING_UBRUGT),
            MAERKE_RINGSYSTEM | MAERKE_RING_UBRUGT);
  EXPECT_EQ(M(FOCUS_AKTI, akti[0]) & MAERKE_RINGSYSTEM, 0);
  EXPECT_EQ(M(FOCUS_AKTI, akti[2]) & MAERKE_ANDEN_SORT, MAERKE_ANDEN_SORT);
  EXPECT_EQ(M(FOCUS_AKTI, akti[0]) & MAERKE_ANDEN_SORT, 0);
  EXPECT_EQ(M(FOCUS_ANFO, anfo[0]) & MAERKE_PERIODE, 0);
  EXPECT_EQ(M(FOCUS_ANFO, anfo[1]) & MAERKE_PERIODE, MAERKE_PERIODE);
  EXPECT_EQ(M(FOCUS_LOKA, loka[1]) & MAERKE_PERIODE, MAERKE_PERIODE);
  EXPECT_EQ(M(FOCUS_LOKA, loka[0]) & MAERKE_PERIODE, 0);

  // An absence event: the ordinary activities are the other sort.
  Event({akti[2]}, {}, {}, 0, ring);
  MarkerOptagne(b);
  EXPECT_EQ(M(FOCUS_AKTI, akti[0]) & MAERKE_ANDEN_SORT, MAERKE_ANDEN_SORT);
  EXPECT_EQ(M(FOCUS_AKTI, akti[2]) & MAERKE_ANDEN_SORT, 0);

  // A ring system without activities: by ring group, the ring systems too.
  Event({}, {}, {}, 0, ring);
  MarkerOptagne(b);
  EXPECT_EQ(M(FOCUS_AKTI, akti[1]) & MAERKE_RINGSYSTEM, MAERKE_RINGSYSTEM);
  EXPECT_EQ(M(FOCUS_AKTI, akti[0]) & MAERKE_RINGSYSTEM, 0);
  EXPECT_EQ(M(FOCUS_RISY, ring2) & MAERKE_RINGSYSTEM, MAERKE_RINGSYSTEM);
  EXPECT_EQ(M(FOCUS_RISY, ring3) & MAERKE_RINGSYSTEM, 0);
  EXPECT_EQ(M(FOCUS_RISY, ring) & MAERKE_RINGSYSTEM, 0);
  // A record beyond the mark arrays is never marked nor read.
  EXPECT_EQ(DifValgVistMaerke(b, FOCUS_AKTI, tvakti.wRecCnt + 10), 0);
}

// ==================================================================== current entry

TEST_F(Valglister, TheCurrentEntryFollowsTheRulesInOrder) {
  const uint32_t fag2 = NyFag("MA");
  Plan(akti[0], skfa), Plan(akti[0], fag2), Plan(akti[1], skfa);
  Sls_koderRec k{};
  k.Status = 10;
  k.Anvendes = 'J';
  const uint32_t sls1 = Ny(tdsls_koder, tvsls_koder, k), sls2 = Ny(tdsls_koder, tvsls_koder, k);
  auto ff = [](uint32_t an, uint32_t ak, uint32_t f, uint32_t elev, Dato fra = 20240801) {
    FffagfordlRec r{};
    r.anfo_id = an, r.akti_id = ak, r.skfa_id = f, r.Elevlektioner = elev, r.Fradato = fra, r.Tildato = 20250731;
    Ny(tdfffagfordl, tvfffagfordl, r);
  };
  ff(anfo[0], akti[0], skfa, 5);
  ff(anfo[0], akti[0], fag2, 9);
  ff(anfo[0], akti[0], skfa, 20, 20241002);  // starts the day after the event
  ff(anfo[2], akti[1], skfa, 3);
  ff(anfo[1], akti[1], skfa, 3);  // a tie: the later row
  FagfordlRec fd{};
  fd.Status = 10, fd.Fradato = 20240801, fd.Tildato = 20250731, fd.anfo_id = anfo[2], fd.akti_id = akti[2];
  fd.skfa_id = skfa;
  Rec<SkfaRec>(tvskfa, skfa)->forste_fagfordl = Ny(tdfagfordl, tvfagfordl, fd);
  Relationer({{skfa, loka[2]}}, {{akti[1], loka[1]}});
  Alloker();
  b->Valg[FOCUS_SPESKE].Maerker[sls2] = MAERKE_VALGT;
  (void)sls1;

  struct Tilfaelde {
    const char *navn;
    uint8_t fokus;
    std::vector<uint32_t> ak, an, lo;
    uint32_t fag;
    uint32_t rec;  // the record of the current row, 0 none
  };
  const Tilfaelde tilfaelde[] = {
      {"the event's own choice", FOCUS_AKTI, {akti[1]}, {}, {}, 0, akti[1]},
      {"special schedule: the first chosen", FOCUS_SPESKE, {}, {}, {}, 0, sls2},
      {"subject: the largest planned distribution", FOCUS_SKFA, {akti[0]}, {anfo[0]}, {}, 0, fag2},
      {"subject: the first row", FOCUS_SKFA, {akti[0]}, {anfo[1]}, {}, 0, skfa},
      {"subject: no activity, no proposal", FOCUS_SKFA, {}, {}, {}, 0, 0},
      {"employee: planned distribution, a tie goes to the later", FOCUS_ANFO, {akti[1]}, {}, {}, skfa, anfo[1]},
      {"employee: the subject's distribution chain", FOCUS_ANFO, {akti[2]}, {}, {}, skfa, anfo[2]},
      {"room: the subject's room", FOCUS_LOKA, {akti[0]}, {}, {}, skfa, loka[2]},
      {"room: the activity's room", FOCUS_LOKA, {akti[1]}, {}, {}, 0, loka[1]},
      {"activity: the room's activity", FOCUS_AKTI, {}, {}, {loka[1]}, 0, akti[1]},
      {"activity: nothing to go by", FOCUS_AKTI, {}, {}, {}, 0, 0},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    Event(t.ak, t.an, t.lo, t.fag);
    // The employee and room rules key on the event's single participant,
    // which rule 1 would otherwise take.
    b->AktuelListe = t.fokus;
    OpdaterDifValg(b, false);
    const DifValg &v = b->Valg[t.fokus];
    EXPECT_EQ(v.Aktuel ? v.ObjTab[v.Aktuel] : 0, t.rec);
    EXPECT_EQ(v.ForrigeAktuel, v.Aktuel);
    EXPECT_EQ(v.Bygget, 1);
  }

  // The planning module's mutex held by another thread: the look-up is
  // skipped at once and the next rule answers.
  hPlanMutex = CreateMutexA(nullptr, FALSE, nullptr);
  std::promise<void> holdt, slip;
  std::thread holder([&] {
    WaitForSingleObject(hPlanMutex, INFINITE);
    holdt.set_value();
    slip.get_future().wait();
    ReleaseMutex(hPlanMutex);
  });
  holdt.get_future().wait();
  Event({akti[0]}, {anfo[0]}, {});
  b->AktuelListe = FOCUS_SKFA;
  const auto start = std::chrono::steady_clock::now();
  OpdaterDifValg(b, false);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(b->Valg[FOCUS_SKFA].ObjTab[b->Valg[FOCUS_SKFA].Aktuel], skfa);
  slip.set_value();
  holder.join();
  // Free again: the plan decides, and the mutex was given back.
  OpdaterDifValg(b, false);
  EXPECT_EQ(b->Valg[FOCUS_SKFA].ObjTab[b->Valg[FOCUS_SKFA].Aktuel], fag2);
  EXPECT_EQ(WaitForSingleObject(hPlanMutex, 0), WAIT_OBJECT_0);
  ReleaseMutex(hPlanMutex);
  CloseHandle(hPlanMutex);
  hPlanMutex = 0;

  // The data store's list cells read the same choice, once the program is
  // wired.
  const ObjFeltKroge gemt = ObjFeltKrog;
  InstallerObjFeltKroge();
  ASSERT_NE(ObjFeltKrog.HentDifValg, nullptr);
  EXPECT_EQ(ObjFeltKrog.HentDifValg('M'), anfo[0]);
  EXPECT_EQ(ObjFeltKrog.HentDifValg('/'), 0u);
  ObjFeltKrog = gemt;
}

// ==================================================================== colours and legend

TEST_F(Valglister, RowColoursAndDrawnMarks) {
  Plan(akti[0], skfa), Plan(akti[1], skfa), Plan(akti[2], skfa);
  Elvrel2Rec par{akti[0], akti[2], 20240801, 20250731, 10};
  Ny(tdelvrel2, tvelvrel2, par);
  Elvrel2Rec gammel{akti[2], akti[0], 20230801, 20240731, 10};  // expired, read after the live pair
  Ny(tdelvrel2, tvelvrel2, gammel);
  Elvrel2Rec udloebet{akti[1], akti[2], 20230801, 20240731, 10};
  Ny(tdelvrel2, tvelvrel2, udloebet);
  Relationer({{skfa, loka[0]}}, {{akti[1], loka[0]}});
  FffagfordlRec ff{};
  ff.anfo_id = anfo[0], ff.akti_id = akti[0], ff.skfa_id = skfa, ff.Fradato = 20240801, ff.Tildato = 20250731;
  Ny(tdfffagfordl, tvfffagfordl, ff);
  FagfordlRec fd{};
  fd.Status = 10, fd.Fradato = 20240801, fd.Tildato = 20250731, fd.anfo_id = anfo[1], fd.akti_id = akti[0];
  fd.skfa_id = skfa;
  Rec<SkfaRec>(tvskfa, skfa)->forste_fagfordl = Ny(tdfagfordl, tvfagfordl, fd);
  UnkoRec u{};
  u.meda_id = Rec<AnfoRec>(tvanfo, anfo[2])->meda_id;
  u.skfa_id = skfa;
  u.Gyldig_fra = 20240101;
  u.Haves_Kompetence = 'J';
  Ny(tdunko, tvunko, u);
  Alloker();
  Marker(2, 3, 3);
  auto farve = [&](uint8_t fokus, uint32_t rec, bool harFokus = false) {
    b->AktuelListe = fokus;
    ByggDifValg(b, fokus);
    DifValg &v = b->Valg[fokus];
    uint32_t pos = 0;
    for (uint32_t i = 1; i <= v.Antal; ++i)
      if (v.ObjTab[i] == rec) pos = i;
    EXPECT_NE(pos, 0u) << rec;
    return DifValgRaekkeFarve(b, fokus, pos, harFokus);
  };

  Event({akti[2]}, {}, {});
  EXPECT_EQ(farve(FOCUS_AKTI, akti[0]), VFARVE_ELEVSAMMENFALD);
  EXPECT_EQ(farve(FOCUS_AKTI, akti[1]), 0);
  GlobalIndstillinger.checkelevsammenfald = 0;
  EXPECT_EQ(farve(FOCUS_AKTI, akti[0]), 0);
  GlobalIndstillinger.checkelevsammenfald = 1;
  // A related room overrides the overlap.
  Event({akti[2]}, {}, {loka[0]});
  EXPECT_EQ(farve(FOCUS_AKTI, akti[1]), VFARVE_RELATION);
  EXPECT_EQ(farve(FOCUS_SKFA, skfa), VFARVE_RELATION);

  Event({akti[0]}, {}, {}, skfa);
  EXPECT_EQ(farve(FOCUS_ANFO, anfo[0]), VFARVE_PLANFORDELING);
  EXPECT_EQ(farve(FOCUS_ANFO, anfo[1]), VFARVE_FAGFORDL);
  EXPECT_EQ(farve(FOCUS_ANFO, anfo[2]), VFARVE_KOMPETENCE);
  EXPECT_EQ(farve(FOCUS_LOKA, loka[0]), VFARVE_RELATION);
  EXPECT_EQ(farve(FOCUS_LOKA, loka[1]), 0);
  Event({akti[0]}, {anfo[1]}, {});
  EXPECT_EQ(farve(FOCUS_SKFA, skfa), VFARVE_FAGFORDL);

  // The current row: 1 with the keyboard focus, 2 without; a relation
  // colour replaces it.
  Event({akti[2]}, {}, {});
  b->Valg[FOCUS_LOKA].Aktuel = 0;
  ByggDifValg(b, FOCUS_LOKA);
  b->Valg[FOCUS_LOKA].Aktuel = 2;
  EXPECT_EQ(DifValgRaekkeFarve(b, FOCUS_LOKA, 2, true), VFARVE_AKTUEL_FOKUS);
  EXPECT_EQ(DifValgRaekkeFarve(b, FOCUS_LOKA, 2, false), VFARVE_AKTUEL);
  EXPECT_EQ(DifValgRaekkeFarve(b, FOCUS_LOKA, 1, false), 0);

  // The legend letters, most telling first; busy is not drawn for a chosen
  // role that does not check overlaps.
  const std::pair<uint8_t, char> legende[] = {
      {0, ' '}, {MAERKE_VALGT | MAERKE_OPTAGET, 'X'}, {MAERKE_OPTAGET | MAERKE_PERIODE, '\xF7'},
      {MAERKE_PERIODE, 'U'}, {MAERKE_RINGSYSTEM, 'R'}, {MAERKE_RING_UBRUGT, 'M'},
      {MAERKE_SKOLEFRI, 'S'}, {MAERKE_ANDEN_SORT, 'T'}, {MAERKE_GAMMEL, ' '}};
  for (auto [m, c] : legende) EXPECT_EQ(DifValgMaerkeTegn(m), c) << int(m);
  b->Valg[FOCUS_LOKA].Maerker[loka[0]] = MAERKE_OPTAGET;
  b->Valg[FOCUS_LOKA].Maerker[loka[1]] = MAERKE_OPTAGET;
  b->LokaRolle[loka[1]] = lokN;
  b->LokaRolle[loka[0]] = lokJ;

  // Drawn: the list pane's rows carry the letters.
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "NyvalgRude";
  RegisterClassA(&wc);
  b->hwndListe[0] = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 200, 200, 0, 0, 0, nullptr);
  b->BoernRekt[BARN_LISTE] = {0, 0, 200, 200};
  b->AktuelListe = FOCUS_LOKA;
  tavo::test::ClearDrawnTexts();
  TegnSynligeRaekker(b);
  std::vector<std::string> bogstaver;
  for (const auto &t : tavo::test::DrawnTexts())
    if (t.x == 1) bogstaver.push_back(t.text);
  EXPECT_EQ(bogstaver, (std::vector<std::string>{"\xF7", " ", " "}));
  DestroyWindow(b->hwndListe[0]);
}

TEST_F(Valglister, OnlyALivePairMakesAStudentOverlap) {
  Elvrel2Rec par{akti[2], akti[0], 20240801, 20250731, 10};
  const uint32_t r = Ny(tdelvrel2, tvelvrel2, par);
  Event({akti[2]}, {}, {});
  const struct {
    const char *navn;
    uint8_t status;
    Dato fra, til;  // the marked days, 0 for none
    bool sammenfald;
  } sager[] = {
      {"a live pair, nothing marked", 10, 0, 0, true},
      {"a live pair over the marked days", 10, 20241001, 20241002, true},
      {"a live pair of another school year", 10, 20250901, 20250902, false},
      {"a deleted pair, nothing marked", 0, 0, 0, false},
      {"a deleted pair over the marked days", 0, 20241001, 20241002, false},
  };
  for (const auto &s : sager) {
    Rec<Elvrel2Rec>(tvelvrel2, r)->Status = s.status;
    EXPECT_EQ(HarElevSammenfald(akti[0], s.fra, s.til), s.sammenfald) << s.navn;
  }
}

}  // namespace
