// Placing imported lessons: the merging of lessons into events, the weeks
// an event is written in by source, the handling of existing events by
// method, and the undo of an import.
#include "placer_fixture.h"

namespace {

using namespace placertest;

class PlacerImportTest : public Placer {};
class ImportKonfliktTest : public Placer {};
class FortrydExtImportTest : public Placer {};

// ---- Merging ----

TEST_F(PlacerImportTest, FletToLaerereOgToLokalerGiverEnBegivenhed) {
  // One class, day and lesson with two teachers and two rooms.
  Tilfoej({.akti = akti[0], .anfo = anfo[0], .loka = loka[0]});
  Tilfoej({.akti = akti[0], .anfo = anfo[1], .loka = loka[1]});
  // Two classes sharing subject, time and teacher fold into one event.
  Tilfoej({.akti = akti[1], .anfo = anfo[2], .dag = 3});
  Tilfoej({.akti = akti[2], .anfo = anfo[2], .dag = 3});
  // Same time and teacher, another subject: an event of its own.
  Tilfoej({.akti = akti[2], .anfo = anfo[2], .dag = 3, .fag = "MA"});
  PlacerUntis(lek, match, 20241001, 20241002, KILDE_UNTIS, false);
  const std::vector<Beg> ventet = {
      {202440, 2, {akti[0]}, {anfo[0], anfo[1]}, {laerer, xrolle}, {loka[0], loka[1]}},
      {202440, 3, {akti[1], akti[2]}, {anfo[2]}, {laerer}, {}},
      {202440, 3, {akti[2]}, {anfo[2]}, {laerer}, {}},
  };
  EXPECT_EQ(Importerede(), ventet);
}

TEST_F(PlacerImportTest, FletIkkeLektionerUdenFaellesTidEllerLaerer) {
  // Another lesson, and two classes with different teachers: three events.
  Tilfoej({.akti = akti[0], .anfo = anfo[0]});
  Tilfoej({.akti = akti[0], .anfo = anfo[1], .lektion = 4});
  Tilfoej({.akti = akti[1], .anfo = anfo[1]});
  PlacerUntis(lek, match, 20241001, 20241001, KILDE_UNTIS, false);
  EXPECT_EQ(Importerede().size(), 3u);
}

// ---- Weeks ----

TEST_F(PlacerImportTest, UgevisFoersteOgSidsteUge) {
  // Wednesday 2 October to Tuesday 15 October: weeks 40, 41 and 42.
  const struct {
    uint8_t dag;
    std::vector<Uge> uger;
  } tilfaelde[] = {
      {1, {202441, 202442}},          // Monday: not in the first week
      {2, {202441, 202442}},          // Tuesday: the last week's last day
      {3, {202440, 202441}},          // Wednesday: from the first day, not in the last week
      {5, {202440, 202441}},
      {6, {}},                        // Saturday is no school day
  };
  for (const auto &t : tilfaelde) {
    TomSkemabeg();
    AVS a{};
    CleanupAVS(&a);
    a.Placering = 'L';
    a.Art = 'S';
    a.Ejer = kEgen;
    AddAVSEgenskab(&a, 'K', akti[0], 0, 0);
    a.Dag = t.dag;
    a.Starttid = 800;
    a.Sluttid = 845;
    EXPECT_EQ(PlacerUgevis(&a, 20241002, 20241015), t.uger.size()) << int(t.dag);
    EXPECT_EQ(Uger(Importerede()), t.uger) << int(t.dag);
    CleanupAVS(&a);
  }
}

TEST_F(PlacerImportTest, UgevisSkoledageOgPeriode) {
  // Week 41 is a holiday of the second class; the third one ends on 13 October.
  Rec<AktiRec>(tvakti, akti[1])->skka_id =
      Skolekalender(2024, 2, [](uint32_t, uint32_t u, uint8_t d) { return d <= 5 && u != 41; });
  Rec<AktiRec>(tvakti, akti[2])->Tildato = 20241013;
  Tilfoej({.akti = akti[0]});
  Tilfoej({.akti = akti[1], .anfo = anfo[1]});
  Tilfoej({.akti = akti[2], .anfo = anfo[2]});
  Tilfoej({.loka = loka[0], .dag = 4});  // no activity: a room will do
  Tilfoej({.dag = 5});                   // nothing at all: never written
  PlacerUntis(lek, match, 20240930, 20241018, KILDE_UNTIS, false);
  std::map<uint32_t, std::vector<Uge>> pr;
  for (const Beg &b : Importerede()) pr[b.akti.empty() ? 0 : b.akti[0]].push_back(b.uge);
  EXPECT_EQ(pr[akti[0]], (std::vector<Uge>{202440, 202441, 202442}));
  EXPECT_EQ(pr[akti[1]], (std::vector<Uge>{202440, 202442}));
  EXPECT_EQ(pr[akti[2]], (std::vector<Uge>{202440, 202441}));
  EXPECT_EQ(pr[0], (std::vector<Uge>{202440, 202441, 202442}));
  EXPECT_EQ(Importerede().size(), 10u);
}

TEST_F(PlacerImportTest, TabulexCyklus) {
  // A two-week file over five weeks from Monday 7 October.
  TabulexAntalUger = 2;
  Tilfoej({.akti = akti[0], .dag = 2});  // Tuesday of the cycle's first week
  Tilfoej({.akti = akti[1], .dag = 7});  // Tuesday of its second week
  Tilfoej({.akti = akti[2], .dag = 10}); // Friday of its second week
  PlacerTabulex(lek, match, 20241007, 20241108, 2, false);
  std::map<uint32_t, std::vector<std::pair<Uge, int>>> pr;
  for (const Beg &b : Importerede()) pr[b.akti[0]].push_back({b.uge, b.dag});
  using V = std::vector<std::pair<Uge, int>>;
  EXPECT_EQ(pr[akti[0]], (V{{202441, 2}, {202443, 2}, {202445, 2}}));
  EXPECT_EQ(pr[akti[1]], (V{{202442, 2}, {202444, 2}}));
  EXPECT_EQ(pr[akti[2]], (V{{202442, 5}, {202444, 5}}));
}

TEST_F(PlacerImportTest, LectioEnBegivenhedPrLektionsIdOverNytaar) {
  SaetImportKilde(KILDE_LECTIO);
  // Lesson 5: two rows, one event in week 51 of 2024.
  Tilfoej({.akti = akti[0], .anfo = anfo[0], .dag = 3, .dato = 20241218, .id = 5, .uge = 51});
  Tilfoej({.akti = akti[1], .anfo = anfo[1], .loka = loka[0], .dag = 3, .dato = 20241218, .id = 5, .uge = 51});
  // Lesson 6 lies after New Year: its year is that of its own date.
  Tilfoej({.akti = akti[2], .dag = 2, .dato = 20250107, .id = 6, .uge = 2});
  PlacerLectio(lek, match, 20241216);
  const std::vector<Beg> ventet = {
      {202451, 3, {akti[0], akti[1]}, {anfo[0], anfo[1]}, {laerer, xrolle}, {loka[0]}},
      {202502, 2, {akti[2]}, {}, {}, {}},
  };
  EXPECT_EQ(Importerede(), ventet);
}

// ---- Existing events ----

TEST_F(ImportKonfliktTest, HuskImportObjSletterKunDeNaevnteObjekters) {
  const uint32_t egen = Raekke(202441, 2, 0x40, kEgen, {.akti = akti[0]});
  const uint32_t tidligere = Raekke(202441, 4, 0x240, kEgen, {.anfo = anfo[0]});
  const uint32_t andenKlasse = Raekke(202441, 2, 0x40, kEgen, {.akti = akti[2]});
  const uint32_t bekraeftet = Raekke(202441, 2, 0x60, kEgen, {.akti = akti[0]});
  const uint32_t andenIns = Raekke(202441, 2, 0x40, 9, {.akti = akti[0]});
  const uint32_t foer = Raekke(202440, 2, 0x40, kEgen, {.akti = akti[0]});  // before the period
  Tilfoej({.akti = akti[0], .anfo = anfo[0]});
  HuskImportObj(lek, match, 20241007, 20241011);
  EXPECT_TRUE(HuskAktiObj(akti[0]));
  EXPECT_TRUE(HuskAnfoObj(anfo[0]));
  EXPECT_FALSE(HuskAktiObj(akti[2]));
  EXPECT_FALSE(HuskLokaObj(loka[0]));
  EXPECT_EQ(Ske(202441, egen).Status + 0, 0u);
  EXPECT_EQ(Ske(202441, tidligere).Status + 0, 0u);
  EXPECT_EQ(Ske(202441, andenKlasse).Status + 0, 0x40u);
  EXPECT_EQ(Ske(202441, bekraeftet).Status + 0, 0x60u);
  EXPECT_EQ(Ske(202441, andenIns).Status + 0, 0x40u);
  EXPECT_EQ(Ske(202440, foer).Status + 0, 0x40u);
}

TEST_F(ImportKonfliktTest, Metoder) {
  // Untis with dates: a lesson of the first class on Tuesday 8 October, an
  // own and another installation's event there at the same time.
  SaetImportKilde(KILDE_UNTIS_DATO);
  const struct {
    const char *navn;
    ImportMetodeData metode;
    uint32_t egenStatus, andenStatus;  // of the existing rows after placing
    size_t importerede;
  } tilfaelde[] = {
      // The own row is known to the server: its deletion waits to be sent.
      {"overskriv", {1, 0, 0}, 0x68, 0x60, 0},  // the other installation's row still conflicts
      {"ignorer", {0, 0, 1}, 0x60, 0x60, 0},
      {"dobbelt", {0, 1, 0}, 0x60, 0x60, 1},
  };
  for (const auto &t : tilfaelde) {
    TomSkemabeg();
    lek.clear();
    match.clear();
    ImportMetode = t.metode;
    const uint32_t egen = Raekke(202441, 2, 0x60, kEgen, {.akti = akti[0]});
    const uint32_t anden = Raekke(202441, 2, 0x60, 9, {.loka = loka[0]});
    Tilfoej({.akti = akti[0], .loka = loka[0], .dag = 2, .dato = 20241008});
    LoesKonflikter(lek, match, 20241007, 20241011, t.metode.Overskriv);
    PlacerUntis(lek, match, 20241007, 20241011, KILDE_UNTIS_DATO, t.metode.Dobbeltskema);
    EXPECT_EQ(Ske(202441, egen).Status + 0, t.egenStatus) << t.navn;
    EXPECT_EQ(Ske(202441, anden).Status + 0, t.andenStatus) << t.navn;
    EXPECT_EQ(Importerede().size(), t.importerede) << t.navn;
  }
  // Without the other installation's row, overwrite places the lesson.
  TomSkemabeg();
  ImportMetode = {1, 0, 0};
  Raekke(202441, 2, 0x60, kEgen, {.akti = akti[0]});
  LoesKonflikter(lek, match, 20241007, 20241011, true);
  PlacerUntis(lek, match, 20241007, 20241011, KILDE_UNTIS_DATO, false);
  EXPECT_EQ(Importerede().size(), 1u);
}

TEST_F(ImportKonfliktTest, DatoerUdenforPeriodenRammerIkkeTabellen) {
  SaetImportKilde(KILDE_EXTERN);
  Raekke(202431, 4, 0x60, 9, {.akti = akti[0]});
  Tilfoej({.akti = akti[0], .dag = 4, .dato = 20240725});  // before the period
  Tilfoej({.akti = akti[0], .dag = 4, .dato = 20250807});  // after it
  Tilfoej({.akti = akti[0], .dag = 4, .dato = 20241010});
  LoesKonflikter(lek, match, 20240701, 20250831, false);
  for (uint32_t i = 0; i < 4; ++i)
    for (UgeIndeks w : {UgeIndeks{0}, SkemaPeriode.AntalUger + 1, SkemaPeriode.AntalUger + 50})
      EXPECT_FALSE(ImportKonflikt(i, w)) << i << ' ' << w;
  PlacerExtSkema(lek, match, false);
  EXPECT_EQ(Uger(Importerede()), (std::vector<Uge>{202441}));
}

TEST_F(ImportKonfliktTest, ExternIgnorerSpringerOverAktivitetensSkema) {
  SaetImportKilde(KILDE_EXTERN);
  Raekke(202441, 2, 0x60, 9, {.akti = akti[0]});
  Tilfoej({.akti = akti[0], .dag = 2, .dato = 20241008});
  Tilfoej({.akti = akti[1], .dag = 2, .dato = 20241008});
  PlacerExtSkema(lek, match, true);
  const std::vector<Beg> b = Importerede();
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0].akti, std::vector<uint32_t>{akti[1]});
}

// ---- Undo ----

TEST_F(FortrydExtImportTest, UgerOgDatoer) {
  const struct {
    const char *fra, *til;
    std::vector<std::pair<Uge, uint8_t>> slettes, bliver;
  } tilfaelde[] = {
      // Weeks: Monday of the first to Friday of the last.
      {"202441", "202442", {{202441, 1}, {202442, 5}}, {{202440, 5}, {202442, 6}, {202443, 1}}},
      // Dates: Wednesday 9 October to Wednesday 16 October.
      {"20241009", "20241016", {{202441, 3}, {202442, 3}}, {{202441, 2}, {202442, 4}}},
  };
  for (const auto &t : tilfaelde) {
    TomSkemabeg();
    WritePrivateProfileStringA("untis", "fradato", t.fra, StiTab.szini);
    WritePrivateProfileStringA("untis", "tildato", t.til, StiTab.szini);
    std::vector<std::pair<Uge, uint32_t>> slet, bliv;
    for (auto [u, d] : t.slettes) slet.push_back({u, Raekke(u, d, 0x240, kEgen, {.akti = akti[0]})});
    for (auto [u, d] : t.bliver) bliv.push_back({u, Raekke(u, d, 0x240, kEgen, {.akti = akti[0]})});
    const uint32_t anden = Raekke(202441, 3, 0x240, 9, {.akti = akti[1]});
    const uint32_t slettet = Raekke(202441, 3, 0x68, kEgen, {.akti = akti[2]});
    tavo::test::StartDialogScript();
    tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDYES; });
    SidsteUdsendelse = 0;
    FortrydExtImport(0);
    const auto bokse = tavo::test::MessageBoxesShown();
    tavo::test::StopDialogScript();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].caption, "Untis-import");
    EXPECT_EQ(bokse[0].text, std::string("Vil du fortryde extern import af skemadata for perioden: ") + t.fra + " - " +
                                 t.til + "?\n");
    EXPECT_EQ(bokse[0].type, UINT(MB_YESNO | MB_DEFBUTTON2 | MB_ICONINFORMATION));
    for (auto [u, r] : slet) EXPECT_EQ(Ske(u, r).Status + 0, 0u) << t.fra << ' ' << u;
    for (auto [u, r] : bliv) EXPECT_EQ(Ske(u, r).Status + 0, 0x240u) << t.fra << ' ' << u;
    EXPECT_EQ(Ske(202441, anden).Status + 0, 0x240u);
    EXPECT_EQ(Ske(202441, slettet).Status + 0, 0x60u);
    EXPECT_EQ(SidsteUdsendelse, 1122u);
  }
}

TEST_F(FortrydExtImportTest, NejRoererIntet) {
  WritePrivateProfileStringA("untis", "fradato", "202441", StiTab.szini);
  WritePrivateProfileStringA("untis", "tildato", "202441", StiTab.szini);
  const uint32_t r = Raekke(202441, 2, 0x240, kEgen, {.akti = akti[0]});
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDNO; });
  FortrydExtImport(0);
  tavo::test::StopDialogScript();
  EXPECT_EQ(Ske(202441, r).Status + 0, 0x240u);
  EXPECT_EQ(SidsteUdsendelse, 0u);
}

}  // namespace
