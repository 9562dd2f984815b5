// The lists of visible events: which rows a week, an object or an
// activity-and-subject list takes, how their chains run, the flags of the
// window's kind; the events of a chain with their cells, lanes and overlap
// marks; the display filter of the status overview; and clock times turned
// into lessons and slots of a ring system.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ske_fixture.h"

namespace {

using namespace sketest;

class SkeVisListeTest : public SkeMappe {
 protected:
  // The week of a case: each case its own week of the period.
  static Uge UgeNr(uint8_t uge) { return 2024 * 100 + uge; }
};

TEST_F(SkeVisListeTest, AWeekListTakesTheRowsItsViewShows) {
  enum Aendring { Intet, DagNul, DagOtte, AktiUdenfor, AktiNul, ForsteUdenfor, ForsteNul };
  struct {
    const char *navn;
    uint32_t status;
    Aendring aendring;
    char variant;
    bool vist;
    uint8_t farve;
  } const tilfaelde[] = {
      {"own row", SKE_EGEN, Intet, 'N', true, 0},
      {"own and known", SKE_EGEN | SKE_KENDT, Intet, 'N', true, 0},
      {"automatic schedule only", SKE_AUTOSKEMA, Intet, 'N', true, FARVE_AUTOSKEMA},
      {"automatic schedule written here", SKE_AUTOSKEMA | SKE_EGEN, Intet, 'N', true, 0},
      {"grid mark without own bit", SKE_MAERKE1 | SKE_AUTOSKEMA, Intet, 'N', true, FARVE_MAERKE1},
      {"grid mark with own bit", SKE_MAERKE1 | SKE_EGEN, Intet, 'N', true, 0},
      {"deleted", SKE_EGEN | SKE_SLETTET, Intet, 'N', false, 0},
      {"deleted automatic", SKE_AUTOSKEMA | SKE_SLETTET | SKE_EGEN, Intet, 'N', false, 0},
      {"known only", SKE_KENDT, Intet, 'N', false, 0},
      {"weekday 0", SKE_EGEN, DagNul, 'N', false, 0},
      {"weekday 8", SKE_EGEN, DagOtte, 'N', false, 0},
      {"activity past the table", SKE_EGEN, AktiUdenfor, 'N', false, 0},
      {"no activity", SKE_EGEN, AktiNul, 'N', false, 0},
      {"first row past the bucket", SKE_EGEN, ForsteUdenfor, 'N', false, 0},
      {"first row 0", SKE_EGEN, ForsteNul, 'N', false, 0},
      {"AutoSkema view: own row", SKE_EGEN, Intet, 'A', false, 0},
      {"AutoSkema view: automatic row", SKE_AUTOSKEMA, Intet, 'A', true, FARVE_AUTOSKEMA},
  };
  uint8_t uge = 31;
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    const uint32_t forste = SkrivRaekker({{.akti = akti[1]}}, {.status = t.status}, kAar, uge);
    SkeRec *s = Raekke(forste, kAar, uge);
    switch (t.aendring) {
      case DagNul: s->Dag = 0; break;
      case DagOtte: s->Dag = 8; break;
      case AktiUdenfor: s->akti_id = tvakti.wRecCnt; break;
      case AktiNul: s->akti_id = 0; break;
      case ForsteUdenfor: s->Forste = BegBucket(kAar, uge)->wRecCnt; break;
      case ForsteNul: s->Forste = 0; break;
      case Intet: break;
    }
    SkeVindue w(SKE_AKTI);
    w->Variant = t.variant;
    ByggeSkeVisListeUge(w.get(), UgeNr(uge));
    ASSERT_EQ(w->SkeVisAntal, t.vist ? 1u : 0u);
    if (t.vist) {
      const SkeVisListe &e = w.Indgang(1);
      EXPECT_EQ(+e.AarIndeks, kAar);
      EXPECT_EQ(+e.Uge, uge);
      EXPECT_EQ(+e.Forste, forste);
      EXPECT_EQ(+e.FarveKode, t.farve);
      EXPECT_EQ(w.Kaede(akti[1], 2), std::vector<uint32_t>{1});
    }
    ++uge;
  }
}

TEST_F(SkeVisListeTest, TheWindowsKindSetsTheFlagsOfAnEntry) {
  const uint32_t rolN = Rolle({"N"}), rolAK = Rolle({"ak7"}), rolUT = Rolle({"U"});
  Rec<SkemarolRec>(tvskemarol, rolN)->Check_skemasammenfald = 'N';
  Rec<SkemarolRec>(tvskemarol, rolUT)->Genererer_timeposter = 'N';
  LokrolleRec lr{};
  lr.id = 77;
  lr.Status = 10;
  lr.Check_sammenfald = 'N';
  const uint32_t lokrolleN = Ny(tdlokrolle, tvlokrolle, lr);
  lr.id = 78;
  lr.Check_sammenfald = 'J';
  const uint32_t lokrolleJ = Ny(tdlokrolle, tvlokrolle, lr);
  Tekst(Rec<AktiRec>(tvakti, akti[2])->Type, "OVAK");

  struct {
    const char *navn;
    char art;
    Deltager deltager;
    uint32_t bem;
    uint8_t posterTid, sammenfald, ak, medBem;
  } const tilfaelde[] = {
      {"ordinary teacher", SKE_ANFO, {.anfo = anfo[0], .rol = laerer}, 0, 1, 1, 0, 0},
      {"role exempt from overlaps", SKE_ANFO, {.anfo = anfo[0], .rol = rolN}, 0, 1, 0, 0, 0},
      {"role without time posts", SKE_ANFO, {.anfo = anfo[0], .rol = rolUT}, 0, 0, 1, 0, 0},
      {"AK role in any case", SKE_ANFO, {.anfo = anfo[0], .rol = rolAK}, 0, 1, 1, 1, 0},
      {"role past its table", SKE_ANFO, {.anfo = anfo[0], .rol = 999}, 0, 1, 1, 0, 0},
      {"room role exempt", SKE_LOKA, {.loka = loka[0], .lokrolle = lokrolleN}, 0, 1, 0, 0, 0},
      {"room role checked", SKE_LOKA, {.loka = loka[0], .lokrolle = lokrolleJ}, 0, 1, 1, 0, 0},
      {"absence activity", SKE_AKTI, {.akti = akti[2]}, 0, 1, 0, 0, 0},
      {"teaching activity with a remark", SKE_AKTI, {.akti = akti[0]}, bem, 1, 1, 0, 1},
      // The role's flags belong to the employee's chain only.
      {"exempt role in an activity view", SKE_AKTI, {.akti = akti[0], .anfo = anfo[0], .rol = rolN}, 0, 1, 1, 0, 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    TomSkemabeg();
    SkrivRaekker({t.deltager}, {.bem = t.bem});
    SkeVindue w(t.art);
    ByggeSkeVisListeUge(w.get(), UgeNr(kUge));
    ASSERT_EQ(w->SkeVisAntal, 1u);
    const SkeVisListe &e = w.Indgang(1);
    EXPECT_EQ(+e.PosterTid, t.posterTid);
    EXPECT_EQ(+e.SammenfaldsCheck, t.sammenfald);
    EXPECT_EQ(+e.AKRolle, t.ak);
    EXPECT_EQ(+e.Bem, t.medBem);
  }
}

TEST_F(SkeVisListeTest, ChainsRunInRowOrderPerObjectAndWeekday) {
  // 250 events take the list past its first steps of growth.
  std::vector<std::vector<uint32_t>> forventet(8);
  for (uint32_t i = 0; i < 250; ++i) {
    const uint8_t dag = static_cast<uint8_t>(1 + i % 7);
    const uint32_t objekt = akti[i % 2];
    const uint32_t forste = SkrivRaekker({{.akti = objekt}, {.anfo = anfo[0], .rol = laerer}}, {.dag = dag});
    if (objekt == akti[0]) forventet[dag].push_back(forste);
  }
  SkeVindue w(SKE_AKTI);
  ByggeSkeVisListeUge(w.get(), UgeNr(kUge));
  EXPECT_EQ(w->SkeVisAntal, 250u);
  EXPECT_EQ(w->KaedeRaekker, tvakti.wRecCnt);
  const SkeVisListe nul{};
  EXPECT_EQ(memcmp(&w.Indgang(0), &nul, sizeof nul), 0);
  std::set<uint32_t> set;
  for (uint8_t dag = 1; dag <= 7; ++dag) {
    std::vector<uint32_t> raekker;
    for (uint32_t e : w.Kaede(akti[0], dag)) raekker.push_back(+w.Indgang(e).Forste);
    EXPECT_EQ(raekker, forventet[dag]) << "day " << int(dag);
    for (uint32_t objekt : {akti[0], akti[1]})
      for (uint32_t e : w.Kaede(objekt, dag)) EXPECT_TRUE(set.insert(e).second) << "entry in two chains";
  }
  EXPECT_EQ(set.size(), 250u);
  for (uint32_t r = 0; r < w->KaedeRaekker; ++r)
    EXPECT_EQ(w->KaedeHoveder[r * 8], 0u) << "slot 0 of row " << r;
}

TEST_F(SkeVisListeTest, AnEmptyWeekGivesEntryZeroAndEmptyChains) {
  SkrivRaekker({{.akti = akti[0]}}, {}, kAar, kUge + 1);
  SkeVindue w(SKE_ANFO);
  ByggeSkeVisListeUge(w.get(), UgeNr(kUge));
  ASSERT_NE(w->lpSkeVisListe, nullptr);
  EXPECT_EQ(w->SkeVisAntal, 0u);
  for (uint32_t i = 0; i < w->KaedeRaekker * 8; ++i) EXPECT_EQ(w->KaedeHoveder[i], 0u);
  // A week outside the period the same.
  ByggeSkeVisListeUge(w.get(), 203001);
  EXPECT_EQ(w->SkeVisAntal, 0u);
  EXPECT_NE(w->lpSkeVisListe, nullptr);
}

TEST_F(SkeVisListeTest, AnObjectListRunsOverTheWeeksOfThePeriod) {
  const uint32_t a = SkrivRaekker({{.akti = akti[0]}}, {.dag = 3}, kAar, 35);
  SkrivRaekker({{.akti = akti[1]}}, {.dag = 3}, kAar, 35);
  const uint32_t b = SkrivRaekker({{.akti = akti[0]}}, {.dag = 1}, 1, 2);  // 2025, week 2
  SkrivRaekker({{.akti = akti[0]}}, {.status = SKE_EGEN | SKE_SLETTET}, kAar, 36);

  SkeVindue w(SKE_AKTI, 'L', false);
  ByggeSkeVisListeObjekt(w.get(), akti[0]);
  EXPECT_EQ(w->KaedeRaekker, SkemaPeriode.AntalUger + 1);
  ASSERT_EQ(w->SkeVisAntal, 2u);
  const UgeIndeks i35 = UgeTilIndeks(202435), i2 = UgeTilIndeks(202502);
  ASSERT_EQ(w.Kaede(i35, 3).size(), 1u);
  EXPECT_EQ(+w.Indgang(w.Kaede(i35, 3)[0]).Forste, a);
  ASSERT_EQ(w.Kaede(i2, 1).size(), 1u);
  const SkeVisListe &e = w.Indgang(w.Kaede(i2, 1)[0]);
  EXPECT_EQ(+e.Forste, b);
  EXPECT_EQ(+e.AarIndeks, 1);
  EXPECT_EQ(+e.Uge, 2);

  // A placeholder object shows nothing in the entry window's schedule,
  // unless a change is being marked there.
  Tekst(Rec<AktiRec>(tvakti, akti[0])->Aktivitet, "*ny");
  w->Variant = 'B';
  ByggeSkeVisListeObjekt(w.get(), akti[0]);
  EXPECT_EQ(w->SkeVisAntal, 0u);
  w->Tilstand = 'R';
  ByggeSkeVisListeObjekt(w.get(), akti[0]);
  EXPECT_EQ(w->SkeVisAntal, 2u);
  // An object past its table lists nothing.
  ByggeSkeVisListeObjekt(w.get(), tvakti.wRecCnt);
  EXPECT_EQ(w->SkeVisAntal, 0u);
}

TEST_F(SkeVisListeTest, AnEntryOfTheWindowsListGivesItsEvent) {
  SkrivRaekker({{.akti = akti[0]}}, {.id = 5});
  const uint32_t f = SkrivRaekker({{.akti = akti[1]}, {.anfo = anfo[0], .rol = laerer}}, {.id = 6, .dag = 3});
  SkeVindue w(SKE_ANFO);
  ByggeSkeVisListeUge(w.get(), UgeNr(kUge));
  ASSERT_EQ(w->SkeVisAntal, 1u);
  HentVisAVS(w.get(), &avs, 1, true);
  EXPECT_EQ(+avs.Forste, f);
  EXPECT_EQ(+avs.id, 6u);
  ASSERT_EQ(+avs.aktiAntal, 1u);
  EXPECT_EQ(avs.aktiTab[0], akti[1]);
  for (uint32_t n : {0u, 2u}) {
    HentVisAVS(w.get(), &avs, n, true);
    EXPECT_EQ(+avs.Forste, 0u) << n;
  }
}

TEST_F(SkeVisListeTest, TheActivityAndSubjectListTakesOwnRowsWithBoth) {
  SkfaRec s{};
  s.id = 201;
  s.Status = 10;
  const uint32_t fag2 = Ny(tdskfa, tvskfa, s);
  const uint32_t ja = SkrivRaekker({{.akti = akti[0]}}, {.skfa = skfa}, kAar, 35);
  SkrivRaekker({{.akti = akti[0]}}, {.skfa = fag2}, kAar, 35);
  SkrivRaekker({{.akti = akti[1]}}, {.skfa = skfa}, kAar, 35);
  SkrivRaekker({{.akti = akti[0]}}, {.status = SKE_AUTOSKEMA, .skfa = skfa}, kAar, 35);
  SkrivRaekker({{.akti = akti[0]}}, {.status = SKE_EGEN | SKE_SLETTET, .skfa = skfa}, kAar, 36);
  const uint32_t ja2 = SkrivRaekker({{.akti = akti[0]}}, {.status = SKE_EGEN | SKE_MAERKE1, .skfa = skfa}, kAar, 37);

  SkeVindue w(SKE_AKTI, 'L', false);
  ByggeSkeVisListeAktiFag(w.get(), akti[0], skfa);
  ASSERT_EQ(w->SkeVisAntal, 2u);
  EXPECT_EQ(+w.Indgang(1).Forste, ja);
  EXPECT_EQ(+w.Indgang(2).Forste, ja2);
  EXPECT_EQ(+w.Indgang(2).FarveKode, 0);
  for (auto [a, f] : {std::pair{0u, skfa}, std::pair{akti[0], 0u}}) {
    ByggeSkeVisListeAktiFag(w.get(), a, f);
    EXPECT_EQ(w->SkeVisAntal, 0u);
  }
}

TEST_F(SkeVisListeTest, ActiveObjectsAreThoseOfTheAutomaticScheduleAroundTheWeek) {
  SkrivRaekker({{.akti = akti[0]}}, {.status = SKE_AUTOSKEMA}, kAar, kUge - 1);
  SkrivRaekker({{.anfo = anfo[1], .rol = laerer}}, {.status = SKE_AUTOSKEMA}, kAar, kUge + 1);
  SkrivRaekker({{.loka = loka[2]}}, {.status = SKE_AUTOSKEMA | SKE_SLETTET}, kAar, kUge);
  SkrivRaekker({{.loka = loka[1]}}, {.status = SKE_AUTOSKEMA}, kAar, kUge + 2);
  SkrivRaekker({{.akti = akti[2], .loka = loka[0]}}, {.status = SKE_EGEN}, kAar, kUge);
  SkrivRaekker({{.akti = tvakti.wRecCnt + 5}}, {.status = SKE_AUTOSKEMA}, kAar, kUge);

  SkeVindue w(SKE_AKTI);
  MarkerAktiveObjekter(w.get(), UgeNr(kUge));
  EXPECT_EQ(w->MarkAkti, nullptr);  // only the AutoSkema view marks
  w->Variant = 'A';
  MarkerAktiveObjekter(w.get(), UgeNr(kUge));
  ASSERT_EQ(w->MarkAktiStr, tvakti.wRecCnt + 1);
  auto Markerede = [](const uint8_t *tab, uint32_t n) {
    std::vector<uint32_t> ud;
    for (uint32_t i = 0; i < n; ++i)
      if (tab[i]) ud.push_back(i);
    return ud;
  };
  EXPECT_EQ(Markerede(w->MarkAkti, w->MarkAktiStr), std::vector<uint32_t>{akti[0]});
  EXPECT_EQ(Markerede(w->MarkAnfo, w->MarkAnfoStr), std::vector<uint32_t>{anfo[1]});
  EXPECT_EQ(Markerede(w->MarkLoka, w->MarkLokaStr), std::vector<uint32_t>{});
}

// ---- The events of a chain ----

class SporTest : public SkeMappe {};

// One event of a case: its times and lesson, and what sets it apart.
struct Beg {
  Klokkeslaet start, slut;
  uint8_t lektion = 0;
  bool fremmed = false, kendt = false, undtaget = false, andenRing = false, slettes = false;
};
// What the chain gives for an event that stays in it.
struct Ventet {
  uint32_t spor;
  uint8_t sammenfald;
  uint32_t foerste, sidste;
};

TEST_F(SporTest, LanesAndOverlapsOfOneChain) {
  const uint32_t rolN = Rolle({"N"});
  Rec<SkemarolRec>(tvskemarol, rolN)->Check_skemasammenfald = 'N';
  const uint32_t ringA = Ringesystem({}), ringB = Ringesystem({.start = 815});
  struct {
    const char *navn;
    char visning;
    uint8_t interval;
    std::vector<Beg> beg;
    std::vector<Ventet> ventet;  // the events that stay, in row order
    uint32_t spor;
    uint8_t resultat;
  } const tilfaelde[] = {
      {"two own events overlapping",
       'T', 0, {{800, 845}, {830, 915}}, {{1, 1, 97, 105}, {2, 1, 103, 111}}, 2, 1},
      {"another installation's event moves whatever its row",
       'T', 0, {{800, 845, 0, true}, {830, 915}}, {{2, 1, 97, 105}, {1, 1, 103, 111}}, 2, 1},
      {"an event known to the server moves",
       'T', 0, {{800, 845, 0, false, true}, {830, 915}}, {{2, 1, 97, 105}, {1, 1, 103, 111}}, 2, 1},
      {"an event in another ring system moves",
       'T', 0, {{800, 845, 0, false, false, false, true}, {830, 915}}, {{2, 1, 97, 105}, {1, 1, 103, 111}}, 2, 1},
      {"an event exempt from overlap checks moves and overlaps nothing",
       'T', 0, {{800, 845, 0, false, false, true}, {830, 915}}, {{2, 0, 97, 105}, {1, 0, 103, 111}}, 2, 0},
      {"the gap makes 08:45 and 08:50 overlap",
       'T', 10, {{800, 845}, {850, 930}}, {{1, 1, 97, 105}, {1, 1, 107, 114}}, 1, 1},
      {"without a gap 08:45 and 08:50 do not",
       'T', 0, {{800, 845}, {850, 930}}, {{1, 0, 97, 105}, {1, 0, 107, 114}}, 1, 0},
      {"the gap carries into the hour: 08:55 and 09:00",
       'T', 10, {{800, 855}, {900, 945}}, {{1, 1, 97, 107}, {1, 1, 109, 117}}, 1, 1},
      {"an event of one slot", 'T', 0, {{800, 805}}, {{1, 0, 97, 97}}, 1, 0},
      {"three events, two overlapping",
       'T', 0, {{800, 845}, {830, 915}, {1000, 1045}}, {{1, 1, 97, 105}, {2, 1, 103, 111}, {1, 0, 121, 129}}, 2, 1},
      {"a deleted event is left out",
       'T', 0, {{800, 845}, {830, 915, 0, false, false, false, false, true}}, {{1, 0, 97, 105}}, 1, 0},
      {"events outside the shown cells keep their lane",
       'T', 0, {{600, 645}, {630, 715}}, {{1, 1, 73, 81}, {1, 1, 79, 87}}, 1, 1},
      {"lessons: by their lesson, else by the times",
       'L', 0, {{1000, 1045, 3}, {800, 940}}, {{1, 0, 3, 3}, {1, 0, 1, 2}}, 1, 0},
      {"lessons: one lesson shared",
       'L', 0, {{855, 940, 2}, {800, 940}}, {{1, 1, 2, 2}, {2, 1, 1, 2}}, 2, 1},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    TomSkemabeg();
    GlobalIndstillinger.sammenfaldsinterval = t.interval;
    std::vector<uint32_t> raekker;
    for (const Beg &b : t.beg) {
      Faelles f{.ejer = static_cast<uint8_t>(b.fremmed ? kEgen + 1 : kEgen),
                .risy = b.andenRing ? ringB : ringA,
                .dag = 4,
                .lektion = b.lektion,
                .start = b.start,
                .slut = b.slut};
      if (b.kendt) f.status |= SKE_KENDT;
      raekker.push_back(SkrivRaekker({{.akti = akti[0]}, {.anfo = anfo[0], .rol = b.undtaget ? rolN : laerer}}, f));
    }
    SkeVindue w(SKE_ANFO, t.visning);
    w->RingSystem = ringA;
    IdentiskeRinge(w.get(), w->RingeTab, w->RingeTabAntal, ringA);
    ByggeSkeVisListeUge(w.get(), 202400 + kUge);
    for (size_t i = 0; i < t.beg.size(); ++i)
      if (t.beg[i].slettes) Raekke(raekker[i])->Status |= SKE_SLETTET;

    const uint32_t hoved = w->KaedeHoveder[anfo[0] * 8 + 4];
    uint32_t antal = 0, spor = 0;
    uint8_t optag[kOptagBytes];
    const uint8_t resultat =
        FindCelleBegivenheder(w.get(), &w->lkBegivenhed, &antal, hoved, &spor, optag, &w->BegivenhedKapacitet);
    EXPECT_EQ(+resultat, t.resultat);
    EXPECT_EQ(spor, t.spor);
    ASSERT_EQ(antal, t.ventet.size());
    for (uint32_t i = 0; i < antal; ++i) {
      const Begivenhed &b = w->lkBegivenhed[i];
      SCOPED_TRACE(i);
      EXPECT_EQ(+b.Spor, t.ventet[i].spor);
      EXPECT_EQ(+b.Sammenfald, t.ventet[i].sammenfald);
      EXPECT_EQ(+b.FoersteCelle, t.ventet[i].foerste);
      EXPECT_EQ(+b.SidsteCelle, t.ventet[i].sidste);
      EXPECT_EQ(+b.Indgang, w.Kaede(anfo[0], 4)[i]);
    }
    // The slot map holds the cells of the events that take part in checks.
    for (uint32_t c = 0; c < kOptagBytes; ++c) {
      bool daekket = false;
      for (uint32_t i = 0; i < antal; ++i) {
        const Begivenhed &b = w->lkBegivenhed[i];
        daekket |= b.SammenfaldsCheck && b.FoersteCelle <= c && c <= b.SidsteCelle;
      }
      ASSERT_EQ(optag[c], daekket) << "cell " << c;
    }
  }
}

TEST_F(SporTest, CellsFromBadRowsStayWithinTheDay) {
  struct {
    const char *navn;
    char visning, art;
    uint8_t lektion;
    Klokkeslaet start, slut;
    uint32_t foerste, sidste;
  } const tilfaelde[] = {
      {"time mode past midnight", 'T', SKE_ANFO, 0, 2300, 2600, 277, 288},
      {"time mode far past", 'T', SKE_ANFO, 0, 9900, 9999, 288, 288},
      {"a lesson above 48", 'L', SKE_AKTI, 200, 800, 845, 48, 48},
      {"a lesson above 48 shown by its times", 'L', SKE_ANFO, 200, 800, 845, 1, 1},
  };
  const uint32_t ring = Ringesystem({});
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    TomSkemabeg();
    SkrivRaekker({{.akti = akti[0]}, {.anfo = anfo[0], .rol = laerer}},
                 {.risy = ring, .dag = 1, .lektion = t.lektion, .start = t.start, .slut = t.slut});
    SkeVindue w(t.art, t.visning);
    w->RingSystem = ring;
    ByggeSkeVisListeUge(w.get(), 202400 + kUge);
    const uint32_t objekt = t.art == SKE_AKTI ? akti[0] : anfo[0];
    uint32_t antal = 0, spor = 0;
    uint8_t optag[kOptagBytes];
    FindCelleBegivenheder(w.get(), &w->lkBegivenhed, &antal, w->KaedeHoveder[objekt * 8 + 1], &spor, optag,
                          &w->BegivenhedKapacitet);
    ASSERT_EQ(antal, 1u);
    EXPECT_EQ(+w->lkBegivenhed[0].FoersteCelle, t.foerste);
    EXPECT_EQ(+w->lkBegivenhed[0].SidsteCelle, t.sidste);
    MarkerBegivenheder(w.get());
    EXPECT_EQ(w->SidsteCelleTab[objekt], t.sidste);
  }
}

TEST_F(SporTest, TheStatusOverviewsFilterLeavesOutTheOtherGroups) {
  struct {
    const char *navn;
    uint32_t status;
    bool fremmed;
    uint8_t fejl;
  } const raekker[] = {
      {"local", SKE_EGEN, false, 0},
      {"central", SKE_EGEN | SKE_KENDT, false, 0},
      {"sent", SKE_EGEN | SKE_UROERT, false, 0},
      {"sent and central", SKE_EGEN | SKE_UROERT | SKE_KENDT, false, 0},
      {"foreign", SKE_EGEN | SKE_KENDT, true, 0},
      {"error 17", SKE_EGEN, false, 17},
      {"automatic schedule", SKE_AUTOSKEMA, false, 0},
  };
  struct {
    const char *navn;
    StatusFilter filter;
    std::set<std::string> vist;
  } const tilfaelde[] = {
      {"no filter", {}, {"local", "central", "sent", "sent and central", "foreign", "error 17", "automatic schedule"}},
      {"central", {1, 0, 0}, {"central", "sent and central", "foreign", "automatic schedule"}},
      {"local", {2, 0, 0}, {"local", "error 17", "automatic schedule"}},
      {"sent", {3, 0, 0}, {"sent", "automatic schedule"}},
      {"foreign", {0, 0, 'd'}, {"foreign"}},
      {"error 17", {0, 17, 0}, {"error 17"}},
  };
  for (const auto &r : raekker) {
    const uint32_t f = SkrivRaekker({{.akti = akti[0]}}, {.status = r.status, .ejer = static_cast<uint8_t>(r.fremmed ? kEgen + 1 : kEgen)});
    Raekke(f)->Fejl = r.fejl;
  }
  SkeVindue w(SKE_AKTI, 'T');
  ByggeSkeVisListeUge(w.get(), 202400 + kUge);
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    BegivenhedsFilter = t.filter;
    uint32_t antal = 0, spor = 0;
    FindCelleBegivenheder(w.get(), &w->lkBegivenhed, &antal, w->KaedeHoveder[akti[0] * 8 + 2], &spor, nullptr,
                          &w->BegivenhedKapacitet);
    std::set<std::string> vist;
    for (uint32_t i = 0; i < antal; ++i) vist.insert(raekker[w->lkBegivenhed[i].Indgang - 1].navn);
    EXPECT_EQ(vist, t.vist);
  }
}

// ---- Clock times into lessons and slots ----

class FindLektionTest : public SkeMappe {};

TEST_F(FindLektionTest, TimesOfARingSystemOfFortyFiveMinuteLessons) {
  // 08:00-08:45, 08:55-09:40, 09:50-10:35 ... 14:25-15:10.
  const uint32_t ring = Ringesystem({});
  struct {
    char visning;
    uint8_t interval;
    Klokkeslaet tid;
    uint32_t start;
    uint8_t startNaer;
    uint32_t slut;
    uint8_t slutNaer;
  } const tilfaelde[] = {
      // Lesson mode.
      {'L', 0, 700, 1, 0, 1, 0},
      {'L', 0, 800, 1, 0, 1, 0},
      {'L', 0, 830, 1, 0, 1, 0},
      {'L', 0, 845, 2, 0, 1, 0},
      {'L', 0, 850, 2, 0, 1, 0},
      {'L', 0, 900, 2, 0, 2, 0},
      {'L', 0, 917, 2, 0, 2, 0},
      {'L', 0, 918, 2, 1, 2, 0},
      {'L', 0, 940, 3, 0, 2, 0},
      {'L', 0, 1510, 9, 0, 8, 1},
      {'L', 0, 1600, 9, 0, 8, 1},
      // Day mode counts lessons the same way.
      {'D', 0, 918, 2, 1, 2, 0},
      // A gap of 10: the lesson ends 10 minutes later, the next begins
      // 10 minutes sooner; 09:35 lies 5 minutes before the 09:40 end.
      {'L', 10, 850, 1, 0, 2, 0},
      {'L', 10, 855, 2, 0, 2, 0},
      {'L', 10, 935, 2, 1, 2, 0},
      {'L', 10, 1500, 8, 1, 8, 1},
      // Time mode: 5-minute slots, the start's slot and the end rounded up.
      {'T', 0, 0, 1, 0, 0, 0},
      {'T', 0, 800, 97, 0, 96, 0},
      {'T', 0, 804, 97, 0, 97, 0},
      {'T', 0, 805, 98, 0, 97, 0},
      {'T', 0, 845, 106, 0, 105, 0},
      {'T', 10, 845, 106, 0, 105, 0},
      {'T', 0, 2355, 288, 0, 287, 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(::testing::Message() << t.visning << " gap " << int(t.interval) << " at " << t.tid);
    GlobalIndstillinger.sammenfaldsinterval = t.interval;
    uint32_t lektion = 99;
    uint8_t naer = 9;
    FindLektionForTid(t.visning, &lektion, &naer, t.tid, ring);
    EXPECT_EQ(lektion, t.start);
    EXPECT_EQ(+naer, t.startNaer);
    FindLektionForSluttid(t.visning, &lektion, &naer, t.tid, ring);
    EXPECT_EQ(lektion, t.slut);
    EXPECT_EQ(+naer, t.slutNaer);
  }
}

TEST_F(FindLektionTest, WithoutARingSystemEveryTimeIsTheFirstLesson) {
  for (uint32_t risy : {0u, tvrisy.wRecCnt, 0xFFFFFFFFu}) {
    uint32_t lektion = 0;
    uint8_t naer = 1;
    FindLektionForTid('L', &lektion, &naer, 1300, risy);
    EXPECT_EQ(lektion, 1u);
    EXPECT_EQ(+naer, 0);
    FindLektionForSluttid('L', &lektion, &naer, 1300, risy);
    EXPECT_EQ(lektion, 1u);
  }
}

TEST_F(FindLektionTest, ATimeAfterAllFortyEightLessonsStaysInTheDay) {
  // 48 lessons of 10 minutes with 5-minute breaks: 08:00 to 19:55.
  const uint32_t ring = Ringesystem({.antal = 48, .laengde = 10, .pause = 5});
  uint32_t lektion = 0;
  uint8_t naer = 0;
  FindLektionForTid('L', &lektion, &naer, 2300, ring);
  EXPECT_EQ(lektion, 48u);
  FindLektionForSluttid('L', &lektion, &naer, 2300, ring);
  EXPECT_EQ(lektion, 48u);
}

TEST_F(FindLektionTest, AnEndBeforeTheStartCountsStandardLessons) {
  const uint32_t ring = Ringesystem({});
  SkeVindue w(SKE_AKTI, 'L');
  struct {
    int32_t laengde;
    Klokkeslaet start, slut;
    uint32_t foerste, sidste;
  } const tilfaelde[] = {
      {45, 1000, 1045, 3, 3},
      {45, 1000, 900, 3, 4},   // 60 minutes back, one standard lesson
      {30, 1000, 900, 3, 5},
      {0, 1000, 900, 3, 3},
  };
  for (const auto &t : tilfaelde) {
    GlobalIndstillinger.standardlektionslengde = t.laengde;
    uint32_t foerste = 0, sidste = 0;
    uint8_t a = 0, b = 0;
    FindCeller(w.get(), &foerste, &sidste, &a, &b, t.start, t.slut, ring);
    EXPECT_EQ(foerste, t.foerste) << t.laengde << " " << t.slut;
    EXPECT_EQ(sidste, t.sidste) << t.laengde << " " << t.slut;
  }
}

}  // namespace
