// Event marks and event tests: the per-row tables of a week, the find and
// subject marks, ring systems with the window's lesson times, stepping from
// event to event, the current objects, the participant tests, the period
// and school-day tests, the teaching-course count and the chosen period.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ske_fixture.h"

namespace {

using namespace sketest;

class MarkerTest : public SkeMappe {
 protected:
  static Uge Uge40() { return 202400 + kUge; }
};

TEST_F(MarkerTest, EveryRowGetsItsLanesOverlapAndCellExtremes) {
  const uint32_t ring = Ringesystem({});
  // Tuesday: two events in lesson 3; Thursday: one over lessons 1 and 2.
  const uint32_t a = SkrivRaekker({{.akti = akti[0]}}, {.risy = ring, .dag = 2, .lektion = 3, .start = 950, .slut = 1035});
  const uint32_t b = SkrivRaekker({{.akti = akti[0]}}, {.risy = ring, .dag = 2, .lektion = 3, .start = 950, .slut = 1035});
  const uint32_t c = SkrivRaekker({{.akti = akti[0]}}, {.dag = 4, .start = 800, .slut = 940});
  SkrivRaekker({{.akti = akti[1]}}, {.dag = 7, .start = 800, .slut = 845});

  SkeVindue w(SKE_AKTI, 'L');
  w->RingSystem = ring;
  ByggeSkeVisListeUge(w.get(), Uge40());
  MarkerBegivenheder(w.get());
  ASSERT_EQ(w->MarkRaekker, tvakti.wRecCnt);
  const uint32_t r = akti[0];
  EXPECT_EQ(+w->SammenfaldTab[r], 1);
  EXPECT_EQ(w->SporTab[r], 2u);
  // Positions along the week: 48 cells a day, whatever the view spans.
  EXPECT_EQ(w->FoersteCelleTab[r], 48u + 3);
  EXPECT_EQ(w->SidsteCelleTab[r], 3u * 48 + 2);
  EXPECT_EQ(w->TidligsteCelleTab[r], 1u);
  EXPECT_EQ(w->SenesteCelleTab[r], 3u);
  EXPECT_EQ(w->MaxSpor, 2u);
  std::vector<std::pair<uint32_t, uint8_t>> spor;
  for (uint32_t e = 1; e <= w->SkeVisAntal; ++e) spor.emplace_back(+w.Indgang(e).Forste, +w.Indgang(e).Spor);
  EXPECT_EQ(spor[0], std::make_pair(a, uint8_t{1}));
  EXPECT_EQ(spor[1], std::make_pair(b, uint8_t{2}));
  EXPECT_EQ(spor[2], std::make_pair(c, uint8_t{1}));
  // The other activity: one event on Sunday, no overlap.
  EXPECT_EQ(+w->SammenfaldTab[akti[1]], 0);
  EXPECT_EQ(w->SporTab[akti[1]], 1u);
  EXPECT_EQ(w->FoersteCelleTab[akti[1]], 6u * 48 + 1);
  // A row without events.
  EXPECT_EQ(w->SporTab[akti[2]], 1u);
  EXPECT_EQ(w->FoersteCelleTab[akti[2]], 0u);
  EXPECT_EQ(w->SidsteCelleTab[akti[2]], 0u);
}

TEST_F(MarkerTest, TheFindLettersMarkTheMatchingEvents) {
  const uint32_t rolB = Rolle({"B"});
  // The reference: own, one activity, a teacher of 45 minutes, 08:00-08:45.
  const uint32_t ref = SkrivRaekker({{.akti = akti[0]}, {.anfo = anfo[0], .rol = laerer, .minut = 45}}, {});
  const uint32_t andenTid = SkrivRaekker(
      {{.akti = akti[0]}, {.anfo = anfo[0], .rol = laerer, .minut = 30}, {.loka = loka[0], .lokrolle = 1}},
      {.start = 1000, .slut = 1045});
  const uint32_t fremmed = SkrivRaekker({{.akti = akti[0]}, {.anfo = anfo[0], .rol = laerer, .minut = 45}},
                                        {.ejer = kEgen + 1});
  const uint32_t toAkti = SkrivRaekker({{.akti = akti[0]}, {.akti = akti[1]}}, {});
  const uint32_t andenRolle =
      SkrivRaekker({{.akti = akti[0]}, {.anfo = anfo[0], .rol = rolB, .minut = 45}}, {.start = 1100, .slut = 1145});
  const uint32_t sendt = SkrivRaekker({{.akti = akti[0]}}, {.status = SKE_EGEN | SKE_UROERT});
  const uint32_t medBem = SkrivRaekker({{.akti = akti[0]}}, {.bem = bem});
  struct {
    const char *bogstaver;
    std::set<uint32_t> fundet;
  } const tilfaelde[] = {
      {"KE", {ref, andenTid, andenRolle, medBem}},
      {"F", {fremmed}},
      {"T", {ref, fremmed, toAkti, medBem}},
      {"M", {ref, fremmed}},
      {"O", {ref, andenTid, fremmed}},
      {"B", {ref, andenTid, fremmed, toAkti, andenRolle}},
      {"L", {ref, fremmed, toAkti, andenRolle, medBem}},
      {"KA", {ref, andenTid, fremmed, andenRolle, medBem}},
      {"KMTE", {ref}},
  };
  SkeVindue w(SKE_AKTI, 'L');
  HentAVS(kAar, kUge, ref, &w->SoegAVS, true);
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.bogstaver);
    snprintf(w->Statustekst, sizeof w->Statustekst, "%s", t.bogstaver);
    for (char tilstand : {'V', 'S', 'R'}) {
      w->Tilstand = tilstand;
      ByggeSkeVisListeUge(w.get(), Uge40());
      MarkerBegivenheder(w.get());
      for (uint32_t e = 1; e <= w->SkeVisAntal; ++e) {
        const SkeVisListe &v = w.Indgang(e);
        const bool ventet = tilstand != 'V' && t.fundet.count(+v.Forste);
        EXPECT_EQ(+v.FarveKode, ventet ? FARVE_FUNDET : 0) << "state " << tilstand << ", event " << v.Forste;
      }
    }
  }
  (void)sendt;  // never marked: a sent event is left alone
}

TEST_F(MarkerTest, AnEmbeddedWindowMarksOnlyWhenFindingOrSwitchedOn) {
  const uint32_t f = SkrivRaekker({{.akti = akti[0]}}, {});
  SkeVindue w(SKE_AKTI, 'L');
  HentAVS(kAar, kUge, f, &w->SoegAVS, true);
  snprintf(w->Statustekst, sizeof w->Statustekst, "K");
  w->Tilstand = 'S';
  w->Variant = 'B';
  struct {
    uint8_t soeg, skift;
    uint8_t farve;
  } const tilfaelde[] = {{0, 0, 0}, {1, 0, FARVE_FUNDET}, {0, 1, FARVE_FUNDET}};
  for (const auto &t : tilfaelde) {
    w->SoegFlag = t.soeg;
    w->MarkerSkift = t.skift;
    ByggeSkeVisListeUge(w.get(), Uge40());
    MarkerBegivenheder(w.get());
    EXPECT_EQ(+w.Indgang(1).FarveKode, t.farve) << int(t.soeg) << int(t.skift);
  }
  // With the find flag, the painter's colour of the cells decides.
  struct {
    uint8_t celle;
    uint8_t farve;
  } const celler[] = {{0, FARVE_FUNDET}, {FARVE_MAERKET, FARVE_MAERKET}, {FARVE_FUNDET, FARVE_FUNDET}, {12, 0}};
  static uint8_t celleFarve;
  SkeCelleFarveKrog = [](SkeStruct *, uint32_t, uint32_t, uint8_t, uint32_t) { return celleFarve; };
  w->SoegFlag = 1;
  for (const auto &c : celler) {
    celleFarve = c.celle;
    ByggeSkeVisListeUge(w.get(), Uge40());
    MarkerBegivenheder(w.get());
    EXPECT_EQ(+w.Indgang(1).FarveKode, c.farve) << "cell colour " << int(c.celle);
  }
  SkeCelleFarveKrog = nullptr;
}

TEST_F(MarkerTest, TheSelectedSubjectIsMarkedInTheDotSchedule) {
  SkfaRec s{};
  s.id = 202;
  s.Status = 10;
  const uint32_t fag2 = Ny(tdskfa, tvskfa, s);
  SkrivRaekker({{.akti = akti[0]}}, {.skfa = skfa});
  SkrivRaekker({{.akti = akti[0]}}, {.skfa = fag2});
  SkrivRaekker({{.akti = akti[0]}}, {.status = SKE_EGEN | SKE_UROERT, .skfa = skfa});
  SkrivRaekker({{.akti = akti[1]}}, {.status = SKE_AUTOSKEMA, .skfa = fag2});
  struct {
    char layout, variant;
    uint8_t skift;
    uint32_t fag;
    std::vector<uint8_t> farver;
  } const tilfaelde[] = {
      // A sent event keeps its code; every other event gets 36 or 0.
      {'V', 'N', 1, skfa, {FARVE_FAG, 0, 0, 0}},
      {'V', 'N', 1, 0, {0, 0, 0, 0}},
      // Only the ordinary dot schedule with the switch on marks.
      {'V', 'N', 0, skfa, {0, 0, 0, FARVE_AUTOSKEMA}},
      {'L', 'N', 1, skfa, {0, 0, 0, FARVE_AUTOSKEMA}},
      {'V', 'A', 1, skfa, {0, 0, 0, FARVE_AUTOSKEMA}},
  };
  for (const auto &t : tilfaelde) {
    SkeVindue w(SKE_AKTI, 'L');
    w->Layout = t.layout;
    ByggeSkeVisListeUge(w.get(), Uge40());
    w->Variant = t.variant;
    w->FagSkift = t.skift;
    w->ValgtFag = t.fag;
    MarkerFag(w.get());
    std::vector<uint8_t> farver;
    for (uint32_t e = 1; e <= w->SkeVisAntal; ++e) farver.push_back(+w.Indgang(e).FarveKode);
    EXPECT_EQ(farver, t.farver) << t.layout << t.variant << int(t.skift) << " subject " << t.fag;
  }
}

TEST_F(MarkerTest, RingSystemsWithTheWindowsTimesOverTheShownLessons) {
  const uint32_t a = Ringesystem({.antal = 10});
  // The same lessons 1..8; lesson 9 ten minutes later.
  const uint32_t b = Ringesystem({.antal = 10});
  Rec<RisyRec>(tvrisy, b)->Starttid[8] += 10;
  // Lesson 3 ends five minutes earlier.
  const uint32_t c = Ringesystem({.antal = 10});
  Rec<RisyRec>(tvrisy, c)->Sluttid[2] -= 5;
  const uint32_t ikkeLevende = Ringesystem({.antal = 10}, 1);
  std::vector<uint8_t> tab(tvrisy.wRecCnt, 9);
  SkeVindue w(SKE_AKTI, 'L');
  auto Lige = [&](uint32_t sidste) {
    VisningsTilstand[VISNING_LEKTION].SidsteSlot = sidste;
    IdentiskeRinge(w.get(), tab.data(), static_cast<uint32_t>(tab.size()), a);
    return std::vector<uint8_t>{tab[a], tab[b], tab[c], tab[ikkeLevende], tab[risy]};
  };
  EXPECT_EQ(Lige(8), (std::vector<uint8_t>{1, 1, 0, 0, 0}));
  EXPECT_EQ(Lige(10), (std::vector<uint8_t>{1, 0, 0, 0, 0}));
  VisningsTilstand[VISNING_LEKTION].FoersteSlot = 4;
  EXPECT_EQ(Lige(8), (std::vector<uint8_t>{1, 1, 1, 0, 0}));
  // No valid reference: nothing has the window's times.
  for (uint32_t ref : {0u, tvrisy.wRecCnt}) {
    IdentiskeRinge(w.get(), tab.data(), static_cast<uint32_t>(tab.size()), ref);
    EXPECT_EQ(std::count(tab.begin(), tab.end(), 0), static_cast<long>(tab.size()));
  }
}

TEST_F(MarkerTest, OneRingSystemAloneHasNoPartners) {
  predtest::TomTabel(&tvrisy);
  const uint32_t a = Ringesystem({});
  std::vector<uint8_t> tab(tvrisy.wRecCnt, 9);
  SkeVindue w(SKE_AKTI, 'L');
  IdentiskeRinge(w.get(), tab.data(), static_cast<uint32_t>(tab.size()), a);
  EXPECT_EQ(std::count(tab.begin(), tab.end(), 0), static_cast<long>(tab.size()));
}

TEST_F(MarkerTest, NextEventVisitsEveryEventOnceAndWraps) {
  // Lessons of three activities: two events share a cell.
  const uint32_t e1 = SkrivRaekker({{.akti = akti[0], .anfo = anfo[1], .rol = laerer}}, {.dag = 1, .lektion = 2});
  const uint32_t e2 = SkrivRaekker({{.akti = akti[0], .loka = loka[2]}}, {.dag = 1, .lektion = 2});
  const uint32_t e3 = SkrivRaekker({{.akti = akti[0]}}, {.dag = 3, .lektion = 1});
  const uint32_t e4 = SkrivRaekker({{.akti = akti[1]}}, {.dag = 2, .lektion = 5});
  const uint32_t e5 = SkrivRaekker({{.akti = akti[2]}}, {.dag = 1, .lektion = 8});
  // Outside the shown lessons: never visited.
  SkrivRaekker({{.akti = akti[2]}}, {.dag = 1, .lektion = 9});

  SkeVindue w(SKE_AKTI, 'L');
  w.Raekker({akti[0], akti[1], akti[2]});
  w.TidsAkse();
  ASSERT_EQ(+w->TidPos.Antal, 7u * 8);
  ByggeSkeVisListeUge(w.get(), Uge40());
  struct Trin {
    uint32_t forste, raekke, kolonne;
  };
  const std::vector<Trin> ventet = {{e1, 1, 2}, {e2, 1, 2}, {e3, 1, 2 * 8 + 1}, {e4, 2, 8 + 5},
                                    {e5, 3, 8},  {e1, 1, 2}, {e2, 1, 2}};
  std::vector<Trin> set;
  for (size_t i = 0; i < ventet.size(); ++i) {
    ASSERT_EQ(+NaesteBegivenhed(w.get()), 1) << "step " << i;
    // The event under the cursor now: the one the step moved to.
    const uint32_t forste = w.Indgang([&] {
      uint32_t antal = 0, spor = 0;
      const uint32_t noegle = SkeRaekkeNoegle(w.get(), w->ObjPos.Aktuel);
      const uint8_t dag = KolonneUgedag('L', w->TidPos.Aktuel);
      FindCelleBegivenheder(w.get(), &w->lkBegivenhed, &antal, w->KaedeHoveder[noegle * 8 + dag], &spor, nullptr,
                            &w->BegivenhedKapacitet);
      return w->lkBegivenhed[w->NaesteIndeks].Indgang;
    }()).Forste;
    set.push_back({forste, w->ObjPos.Aktuel, w->TidPos.Aktuel});
  }
  for (size_t i = 0; i < ventet.size(); ++i) {
    EXPECT_EQ(set[i].forste, ventet[i].forste) << "step " << i;
    EXPECT_EQ(set[i].raekke, ventet[i].raekke) << "step " << i;
    EXPECT_EQ(set[i].kolonne, ventet[i].kolonne) << "step " << i;
  }
  EXPECT_EQ(w->AktuelObjRaekke, 1u);
  // The step to e2 took its room; e1 its employment.
  EXPECT_EQ(tvloka.AktuelRec, loka[2]);
  EXPECT_EQ(tvanfo.AktuelRec, 0u);
}

TEST_F(MarkerTest, NextEventInAWeekWithoutEventsStays) {
  SkeVindue w(SKE_AKTI, 'L');
  w.Raekker({akti[0], akti[1]});
  w.TidsAkse();
  ByggeSkeVisListeUge(w.get(), Uge40());
  w->TidPos.Aktuel = 5;
  EXPECT_EQ(+NaesteBegivenhed(w.get()), 0);
  EXPECT_EQ(+w->TidPos.Aktuel, 5u);
  // One event alone: from its cell there is no other.
  SkrivRaekker({{.akti = akti[1]}}, {.dag = 1, .lektion = 5});
  ByggeSkeVisListeUge(w.get(), Uge40());
  ASSERT_EQ(+NaesteBegivenhed(w.get()), 1);
  EXPECT_EQ(+w->ObjPos.Aktuel, 2u);
  EXPECT_EQ(+w->TidPos.Aktuel, 5u);
  EXPECT_EQ(+NaesteBegivenhed(w.get()), 0);
}

TEST_F(MarkerTest, TheCurrentObjectsComeFromTheEventsFirstRow) {
  const uint32_t f = SkrivRaekker({{.akti = akti[1], .anfo = anfo[2], .rol = laerer, .loka = loka[1]}}, {});
  struct {
    char art;
    uint32_t akti, anfo, loka;
  } const tilfaelde[] = {
      {SKE_AKTI, 77, anfo[2], loka[1]},
      {SKE_ANFO, akti[1], 77, loka[1]},
      {SKE_LOKA, akti[1], anfo[2], 77},
  };
  for (const auto &t : tilfaelde) {
    tvakti.AktuelRec = tvanfo.AktuelRec = tvloka.AktuelRec = 77;
    SaetAktuelleObjekter(t.art, kAar, kUge, f);
    EXPECT_EQ(tvakti.AktuelRec, t.akti) << t.art;
    EXPECT_EQ(tvanfo.AktuelRec, t.anfo) << t.art;
    EXPECT_EQ(tvloka.AktuelRec, t.loka) << t.art;
    SaetAktuelleObjekter(t.art, kAar, kUge, 0);
    EXPECT_EQ(tvakti.AktuelRec, t.art == SKE_AKTI ? 77u : 0u);
    EXPECT_EQ(tvanfo.AktuelRec, t.art == SKE_ANFO ? 77u : 0u);
    EXPECT_EQ(tvloka.AktuelRec, t.art == SKE_LOKA ? 77u : 0u);
  }
  // An address that names no event changes nothing.
  tvakti.AktuelRec = 5;
  SaetAktuelleObjekter(SKE_ANFO, kAar, kUge, f + 1);
  EXPECT_EQ(tvakti.AktuelRec, 5u);
}

// ---- Participant, period and school-day tests ----

class BegivenhedsTest : public SkeMappe {};

TEST_F(BegivenhedsTest, CommonParticipantsThatCheckOverlaps) {
  const uint32_t rolJ = Rolle({"J"}), rolN = Rolle({"N"});
  Rec<SkemarolRec>(tvskemarol, rolJ)->Check_skemasammenfald = 'J';
  Rec<SkemarolRec>(tvskemarol, rolN)->Check_skemasammenfald = 'N';
  LokrolleRec lr{};
  lr.Status = 10;
  lr.Check_sammenfald = 'J';
  const uint32_t lrJ = Ny(tdlokrolle, tvlokrolle, lr);
  lr.Check_sammenfald = 'N';
  const uint32_t lrN = Ny(tdlokrolle, tvlokrolle, lr);

  struct Saet {
    std::vector<uint32_t> anfo, rol, loka, lokrolle;
  };
  auto AVSAf = [](Saet &s) {
    AVS a{};
    CleanupAVS(&a);
    a.anfoTab = s.anfo.data();
    a.skemarolTab = s.rol.data();
    a.anfoAntal = static_cast<uint32_t>(s.anfo.size());
    a.lokaTab = s.loka.data();
    a.lokrolleTab = s.lokrolle.data();
    a.lokaAntal = static_cast<uint32_t>(s.loka.size());
    return a;  // borrows the vectors: never emptied
  };
  struct {
    const char *navn;
    Saet a, b;
    bool medarbejder, lokale;
  } tilfaelde[] = {
      {"same employee, both checking", {{anfo[0]}, {rolJ}}, {{anfo[0]}, {rolJ}}, true, false},
      {"same employee, one exempt", {{anfo[0]}, {rolJ}}, {{anfo[0]}, {rolN}}, false, false},
      {"other employees", {{anfo[0]}, {rolJ}}, {{anfo[1]}, {rolJ}}, false, false},
      {"second employee common", {{anfo[0], anfo[1]}, {rolN, rolJ}}, {{anfo[2], anfo[1]}, {rolJ, rolJ}}, true, false},
      {"role past its table", {{anfo[0]}, {999}}, {{anfo[0]}, {rolJ}}, false, false},
      {"same room, both checking", {{}, {}, {loka[0]}, {lrJ}}, {{}, {}, {loka[0]}, {lrJ}}, false, true},
      {"same room, one exempt", {{}, {}, {loka[0]}, {lrN}}, {{}, {}, {loka[0]}, {lrJ}}, false, false},
      {"empty sets", {}, {}, false, false},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    const AVS a = AVSAf(t.a), b = AVSAf(t.b);
    EXPECT_EQ(FaellesMedarbejderSammenfald(&a, &b), t.medarbejder);
    EXPECT_EQ(FaellesMedarbejderSammenfald(&b, &a), t.medarbejder);
    EXPECT_EQ(FaellesLokaleSammenfald(&a, &b), t.lokale);
  }
  Saet s{{anfo[0], anfo[1]}, {rolN, rolJ}};
  const AVS a = AVSAf(s);
  EXPECT_TRUE(HarSammenfaldsRolle(&a, 0));
  EXPECT_TRUE(HarSammenfaldsRolle(&a, anfo[1]));
  EXPECT_FALSE(HarSammenfaldsRolle(&a, anfo[0]));
  EXPECT_FALSE(HarSammenfaldsRolle(&a, anfo[2]));
}

TEST_F(BegivenhedsTest, AnActivityOutsideItsModulesOrSubjectPeriods) {
  SkfaRec s{};
  s.id = 203;
  s.Status = 10;
  const uint32_t fag2 = Ny(tdskfa, tvskfa, s);
  auto Modul = [](uint32_t a, Dato fra, Dato til) {
    AmmRec m{};
    m.id = 700 + tvamm.wRecCnt;
    m.akti_id = a;
    m.Status = 10;
    m.Startdato = fra;
    m.Slutdato = til;
    Ny(tdamm, tvamm, m);
  };
  auto Periode = [](uint32_t a, uint32_t f, Dato fra, Dato til) {
    SphpRec p{};
    p.id = 800 + tvsphp.wRecCnt;
    p.akti_id = a;
    p.skfa_id = f;
    p.Status = 10;
    p.Startdato = fra;
    p.Slutdato = til;
    Ny(tdsphp, tvsphp, p);
  };
  // akti[0]: modules in the autumn and the spring; periods of the subject
  // in October only. akti[1]: only another activity's module covers.
  Modul(akti[0], 20240901, 20241130);
  Modul(akti[0], 20250201, 20250430);
  Periode(akti[0], skfa, 20241001, 20241031);
  Periode(akti[0], fag2, 20240901, 20240930);
  Modul(akti[2], 20240801, 20250731);
  struct {
    const char *navn;
    Dato dato;
    uint32_t akti, skfa;
    bool udenfor;
  } const tilfaelde[] = {
      {"no modules, no periods", 20241015, akti[1], skfa, false},
      {"inside a module and a period", 20241015, akti[0], skfa, false},
      {"first and last day count", 20241001, akti[0], skfa, false},
      {"inside a module, outside the period", 20241115, akti[0], skfa, true},
      {"outside every module", 20241215, akti[0], skfa, true},
      {"inside the second module, no period of that subject", 20250301, akti[0], 0, false},
      {"another subject's period", 20240915, akti[0], fag2, false},
      {"another subject's period, outside", 20241015, akti[0], fag2, true},
      {"module only", 20241015, akti[2], skfa, false},
      {"outside the module only", 20250801, akti[2], skfa, true},
  };
  for (const auto &t : tilfaelde) EXPECT_EQ(AktiUdenforPeriode(t.dato, t.akti, t.skfa), t.udenfor) << t.navn;
}

TEST_F(BegivenhedsTest, SchoolDaysOfACalendar) {
  // 2024-2025: Monday to Friday, except the autumn holiday of week 42.
  const uint32_t kal = Skolekalender(2024, 2, [](uint32_t, uint32_t uge, uint8_t dag) { return dag <= 5 && uge != 42; });
  // 2026 has a week 53; this calendar never sets it.
  const uint32_t kal26 = Skolekalender(2026, 1, [](uint32_t, uint32_t uge, uint8_t dag) { return dag <= 5 && uge <= 52; });
  // A calendar that claims more years than it has day records.
  SkkaRec lang = *Rec<SkkaRec>(tvskka, kal);
  lang.AntalAr = 50;
  const uint32_t kalLang = Ny(tdskka, tvskka, lang);
  struct {
    const char *navn;
    Dato dato;
    uint32_t kal;
    uint8_t skoledag;
  } const tilfaelde[] = {
      {"a Monday", 20240930, kal, 1},
      {"a Friday", 20241004, kal, 1},
      {"a Saturday", 20241005, kal, 0},
      {"the autumn holiday", 20241016, kal, 0},
      {"the second year", 20250107, kal, 1},
      {"1 January in week 1", 20250101, kal, 1},
      {"a year before the calendar", 20231002, kal, 0},
      {"a year after the calendar", 20260105, kal, 0},
      {"week 53 unset", 20261228, kal26, 0},
      {"week 52 of that year", 20261221, kal26, 1},
      {"no calendar", 20240930, 0, 0},
      {"a calendar past its table", 20240930, tvskka.wRecCnt, 0},
      {"years past the day records", 20300107, kalLang, 0},
      {"not a date", 20241345, kal, 0},
  };
  for (const auto &t : tilfaelde) EXPECT_EQ(+IsSkoledag(t.dato, t.kal), t.skoledag) << t.navn;
}

TEST_F(BegivenhedsTest, ActivitiesOfTheSameTeachingCourse) {
  auto Akti = [](uint32_t n) { return Rec<AktiRec>(tvakti, n); };
  Akti(akti[0])->uvfo_id = 5;
  Akti(akti[1])->uvfo_id = 5;
  Akti(akti[2])->uvfo_id = 6;
  AktiRec a = *Akti(akti[0]);
  a.id = 1010;
  a.Status = 40;  // not live
  Ny(tdakti, tvakti, a);
  SkeVindue w(SKE_AKTI);
  w.Raekker({akti[0], akti[1], akti[2]});
  EXPECT_EQ(CountUvfoAkti(w.get(), 1), 2u);
  EXPECT_EQ(CountUvfoAkti(w.get(), 3), 1u);
  EXPECT_EQ(CountUvfoAkti(w.get(), 4), 0u);  // past the rows
  Akti(akti[1])->uvfo_id = 0;
  EXPECT_EQ(CountUvfoAkti(w.get(), 2), 0u);
  // The one-object view counts for its own activity.
  SkeVindue en(SKE_AKTI, 'L', false);
  en->Ens.ObjTab = static_cast<uint32_t *>(calloc(3, sizeof(uint32_t)));
  en->Ens.ObjTab[1] = akti[0];
  en->Ens.ObjTabAntal = 1;
  en->AktuelObjRaekke = 1;
  EXPECT_EQ(CountUvfoAkti(en.get(), 7), 1u);
  SkeVindue m(SKE_ANFO);
  m.Raekker({anfo[0]});
  EXPECT_EQ(CountUvfoAkti(m.get(), 1), 0u);
}

TEST_F(BegivenhedsTest, TheChosenPeriodOfTheBlockTable) {
  SkeVindue w(SKE_AKTI, 'L', false);
  Dato fra = 1, til = 1;
  BlokeredePeriode(w.get(), &fra, &til);
  EXPECT_EQ(fra, 0u);
  EXPECT_EQ(til, 0u);
  w->BlokUger = SkemaPeriode.AntalUger + 1;
  w->BlokTab = static_cast<uint8_t *>(calloc(w->BlokUger, kBlokUgeBytes));
  BlokeredePeriode(w.get(), &fra, &til);
  EXPECT_EQ(fra, 0u);
  *BlokCelle(w->BlokTab, w->BlokUger, 5, 4, 577) = BLOK_VALGT;
  *BlokCelle(w->BlokTab, w->BlokUger, 3, 2, 10) = BLOK_VALGT | BLOK_FLYT;
  *BlokCelle(w->BlokTab, w->BlokUger, 9, 1, 3) = BLOK_FLYT;  // moving only, not chosen
  BlokeredePeriode(w.get(), &fra, &til);
  EXPECT_EQ(fra, UgeDagTilDato(IndeksTilUge(3), 2));
  EXPECT_EQ(til, UgeDagTilDato(IndeksTilUge(5), 4));
  EXPECT_EQ(BlokCelle(w->BlokTab, w->BlokUger, w->BlokUger, 1, 1), nullptr);
  EXPECT_EQ(BlokCelle(w->BlokTab, w->BlokUger, 1, 8, 1), nullptr);
  EXPECT_EQ(BlokCelle(w->BlokTab, w->BlokUger, 1, 1, 578), nullptr);
}

}  // namespace
