// The subject/room relation window beside the plan window, and the subject
// marks file ini\skph.ini across loads, shutdown, failures and read-only
// runs.

#include <fstream>
#include <iterator>

#include "RECPRED.h"
#include "SkfaLokaRel.h"
#include "relmatrix_support.h"
#include "tavo/test_dialog.h"
#include "tavo/test_file.h"

namespace {

using namespace reltest;

// The plan rows of the stand-in plan window: the activities it plans.
std::set<uint32_t> &PlanAktiviteter() {
  static std::set<uint32_t> s;
  return s;
}
uint32_t GrundAktiRow(const void *, uint32_t gruppe, uint32_t akti) {
  return gruppe && PlanAktiviteter().count(akti) ? akti : 0;
}

class SkfaTest : public RelTest {
 protected:
  void SetUp() override {
    RelTest::SetUp();
    ASSERT_TRUE(RegistrerSkfaLokaRelKlasse(0));
    SkfaLokaRelKrog.FindGrundAktiRow = nullptr;
    PlanAktiviteter().clear();
  }
  void TearDown() override {
    SkfaLokaRelKrog.FindGrundAktiRow = nullptr;
    PlanAktiviteter().clear();
    RelTest::TearDown();
  }

 public:
  static uint32_t Skfa(uint32_t id, const char *navn, uint8_t status = 20) {
    SkfaRec s{};
    s.id = id;
    s.Status = status;
    predtest::Tekst(s.Skolefag, navn);
    return predtest::Ny(tdskfa, tvskfa, s);
  }
  static uint32_t Skph(uint32_t akti, uint32_t skfa) {
    SkphRec s{};
    s.akti_id = akti;
    s.skfa_id = skfa;
    s.Status = 20;
    return predtest::Ny(tdskph, tvskph, s);
  }
  static void SorterAlle() {
    Sorter();
    SortTab(&tdskfa, &tvskfa);
    SortTab(&tdskph, &tvskph);
    SortTab(&tdskfalokarel, &tvskfalokarel);
  }
  static uint8_t Maerke(uint32_t skph) { return static_cast<uint8_t>(TabRec<SkphRec>(tvskph, skph)->SkygFaget); }
  static void SaetMaerke(uint32_t skph, uint8_t m) { TabRec<SkphRec>(tvskph, skph)->SkygFaget = static_cast<char>(m); }

  // The live pairs of skfalokarel as (subject id, room id).
  static std::set<std::pair<uint32_t, uint32_t>> Par() {
    std::set<std::pair<uint32_t, uint32_t>> s;
    for (uint32_t r = 1; r < tvskfalokarel.wRecCnt; ++r) {
      const auto *p = reinterpret_cast<const SkfalokarelRec *>(GetRec(&tdskfalokarel, &tvskfalokarel, r));
      if (!p || p->Status == 0) continue;
      s.insert({+TabRec<SkfaRec>(tvskfa, p->skfa_id)->id, +TabRec<LokaRec>(tvloka, p->loka_id)->id});
    }
    return s;
  }

  // The stand-in plan window on the open-window list, in plan group 1 of
  // the school year.
  void AabnPlan() {
    FfpgRec g{};
    g.id = 77;
    g.Status = 20;
    g.Fradato = 20240801;
    g.Tildato = 20250731;
    tilstand.gruppe = predtest::Ny(tdffpg, tvffpg, g);
    plan = CreateWindowExA(0, "RelPlan", "", WS_CHILD, 0, 0, 10, 10, desktop, static_cast<HMENU>(kPlanVindueType),
                           0, nullptr);
    SetWindowLongPtrA(plan, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&tilstand));
    ASSERT_EQ(VinduesListeTilfoej(plan), 0);
    RelMatrixKrog.RelPlanGruppe = PlanGruppe;
    SkfaLokaRelKrog.FindGrundAktiRow = GrundAktiRow;
  }
  void LukPlan() {
    VinduesListeFjern(plan);
    DestroyWindow(plan);
    plan = 0;
  }
  HWND AabnSkfa() {
    HWND h = CreateSkfaLokaRelWnd(desktop, 0, 0, kDeskB, kDeskH);
    if (h) {
      ShowWindow(h, SW_SHOWNORMAL);
      UpdateWindow(h);
    }
    tavo::test::PumpUntilIdle();
    return h;
  }

  // ---- the marks file

  fs::path SkphSti() const { return rod / "ini" / "skph.ini"; }
  void SkrivSkph(const std::string &tekst) const {
    std::ofstream f(SkphSti(), std::ios::binary);
    f << tekst;
  }
  // The file with its line ends as LF.
  std::string LaesSkph() const {
    std::ifstream f(SkphSti(), std::ios::binary);
    std::string t((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::string u;
    for (char c : t)
      if (c != '\r') u += c;
    return u;
  }
  std::string LaesSkphRaa() const {
    std::ifstream f(SkphSti(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  }

  // Activities 1001 and 1002, subjects 5, 6 and 7; skph holds (1001, 5)
  // and (1002, 6).
  void Fag() {
    a1 = Akti(1001, "H01");
    a2 = Akti(1002, "H02");
    f5 = Skfa(5, "DA");
    f6 = Skfa(6, "MA");
    f7 = Skfa(7, "EN");
    p15 = Skph(a1, f5);
    p26 = Skph(a2, f6);
    SorterAlle();
  }

  PlanTilstand tilstand{0};
  HWND plan = 0;
  uint32_t a1 = 0, a2 = 0, f5 = 0, f6 = 0, f7 = 0, p15 = 0, p26 = 0;
};

// ==================================================================== the window

class SkfaLokaRelVindue : public SkfaTest {};

TEST_F(SkfaLokaRelVindue, WithoutThePlanWindowTheBoxAndNoWindow) {
  Skole(2, 2);
  tavo::test::StartDialogScript();
  EXPECT_EQ(AabnSkfa(), static_cast<HWND>(0));
  const auto bokse = tavo::test::MessageBoxesShown();
  tavo::test::StopDialogScript();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Planmodul ikke åbent!");
  EXPECT_EQ(bokse[0].text, "Planmodul skal være åbent for at afgrænse skolefag til en plangruppe!");
  EXPECT_EQ(bokse[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(FindVindueType(kSkfaLokaRelType), static_cast<HWND>(0));
}

TEST_F(SkfaLokaRelVindue, TheRowsAreTheLiveSubjectsOfThePlanGroupUntilThePlanWindowCloses) {
  Skole(3, 2);
  const uint32_t da = Skfa(5, "DA"), ma = Skfa(6, "MA"), bi = Skfa(8, "BI");
  Skfa(7, "EN");                          // on no activity
  const uint32_t gl = Skfa(9, "GL", 31);  // removed
  Skph(akti[0], ma);
  Skph(akti[1], da);
  Skph(akti[1], gl);
  Skph(akti[2], bi);  // its activity is not in the plan group
  SorterAlle();
  AabnPlan();
  PlanAktiviteter() = {akti[0], akti[1]};
  HWND h = AabnSkfa();
  ASSERT_NE(h, static_cast<HWND>(0));
  EXPECT_EQ(GetWindowLongA(h, GWL_ID), kSkfaLokaRelType);
  EXPECT_STREQ(Ws(h)->Matrix.Titel, " Relation mellem Skolefag og Lokale");
  // By Skolefag: DA before MA.
  EXPECT_EQ(Liste(Ws(h)->Raekke), (std::vector<uint32_t>{da, ma}));
  EXPECT_EQ(Liste(Ws(h)->Kol), loka);

  // The rows stay until the next rebuild after the plan window went.
  LukPlan();
  EXPECT_EQ(Liste(Ws(h)->Raekke), (std::vector<uint32_t>{da, ma}));
  Tast(VK_NEXT);
  EXPECT_TRUE(Liste(Ws(h)->Raekke).empty());
  EXPECT_EQ(Ws(h)->PosY.Aktuel, 0u);
  DestroyWindow(h);

  // Until the planning module tells the plan rows, no subject is taught.
  AabnPlan();
  SkfaLokaRelKrog.FindGrundAktiRow = nullptr;
  h = AabnSkfa();
  ASSERT_NE(h, static_cast<HWND>(0));
  EXPECT_TRUE(Liste(Ws(h)->Raekke).empty());
}

TEST_F(SkfaLokaRelVindue, SpaceRelatesTheSubjectToTheRoomAndSetsTheExportFlag) {
  Skole(1, 3);
  const uint32_t da = Skfa(5, "DA");
  Skph(akti[0], da);
  SorterAlle();
  WritePrivateProfileStringA("flag", "exporterskfalokarel", "0", StiTab.szini);
  AabnPlan();
  PlanAktiviteter() = {akti[0]};
  HWND h = AabnSkfa();
  ASSERT_NE(h, static_cast<HWND>(0));
  KlikCelle(h, 2, 1);
  Tast(VK_SPACE);
  EXPECT_EQ(Par(), (std::set<std::pair<uint32_t, uint32_t>>{{5, 2002}}));
  EXPECT_EQ(Flag("exporterskfalokarel"), "1");
  const auto *rec = reinterpret_cast<const SkfalokarelRec *>(GetRec(&tdskfalokarel, &tvskfalokarel, 1));
  EXPECT_EQ(+rec->skfa_id, da);
  EXPECT_EQ(+rec->loka_id, loka[1]);
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, ENS_CELLER_TEGN, 0, 0);
  EXPECT_EQ(TegnedeCeller(h), (std::set<std::pair<uint32_t, uint32_t>>{{2, 1}}));

  WritePrivateProfileStringA("flag", "exporterskfalokarel", "0", StiTab.szini);
  Tast(VK_SPACE);
  EXPECT_TRUE(Par().empty());
  EXPECT_EQ(Flag("exporterskfalokarel"), "1");
}

// ==================================================================== ini\skph.ini

class SkphIniLoad : public SkfaTest {};

TEST_F(SkphIniLoad, AMissingPairCountsItsLoadsAndGoesAtTheSeventh) {
  Fag();
  // (1001, 6) is not in skph.
  SkrivSkph("1001,6,0\n");
  for (int load = 1; load <= 6; ++load) {
    SCOPED_TRACE(load);
    LoadSkphIni();
    EXPECT_EQ(LaesSkph(), "1001,6," + std::to_string(load) + "\n");
  }
  LoadSkphIni();
  EXPECT_EQ(LaesSkph(), "");
  EXPECT_FALSE(fs::exists(rod / "ini" / "kopiskph.ini"));
}

TEST_F(SkphIniLoad, AListedPairMarksItsRecordAndItsCountReturnsToZero) {
  Fag();
  SaetMaerke(p26, 1);  // a mark the file does not list goes
  SkrivSkph("1001,5,4\r\n1001,6,2\r\n");
  LoadSkphIni();
  EXPECT_EQ(Maerke(p15), 1);
  EXPECT_EQ(Maerke(p26), 0);
  EXPECT_EQ(LaesSkph(), "1001,5,0\n1001,6,3\n");
  // Written as the program writes text files.
  EXPECT_EQ(LaesSkphRaa(), "1001,5,0\r\n1001,6,3\r\n");
  EXPECT_TRUE(SkphIniLaest());
}

TEST_F(SkphIniLoad, ALineWithoutCountOrWithAKeyLongerThanAKeyIsDropped) {
  Fag();
  const std::string lang(32, '1');
  SkrivSkph("1001,5\n" + lang + ",5,0\n1002," + lang + ",0\n\n1002,6,0\n" + "1001,5,-3\n");
  LoadSkphIni();
  EXPECT_EQ(LaesSkph(), "1002,6,0\n1001,5,0\n");
  EXPECT_EQ(Maerke(p15), 1);
  EXPECT_EQ(Maerke(p26), 1);
}

TEST_F(SkphIniLoad, ACopyThatCannotBeWrittenLeavesTheFileAndTheMarksApplied) {
  Fag();
  SkrivSkph("1001,5,3\n1002,6,0\n");
  tavo::test::FileFault fejl;
  fejl.kinds = tavo::test::kFileOpenForWrite;
  fejl.nth = 1;
  fejl.error = ERROR_ACCESS_DENIED;
  tavo::test::SetFileFault(fejl);
  LoadSkphIni();
  const bool ramt = tavo::test::LastFileFaultHit().kind != 0;
  tavo::test::ClearFileFault();
  EXPECT_TRUE(ramt);
  EXPECT_EQ(LaesSkph(), "1001,5,3\n1002,6,0\n");
  EXPECT_EQ(Maerke(p15), 1);
  EXPECT_EQ(Maerke(p26), 1);
  // The marks were read: shutdown keeps what is still marked.
  SaetMaerke(p26, 0);
  SyncSkphIni();
  EXPECT_EQ(LaesSkph(), "1001,5,0\n");
}

class SkphIniSync : public SkfaTest {};

TEST_F(SkphIniSync, MarksKeptAreListedMarksTakenAwayGoAndNewMarksAreAppended) {
  Fag();
  const uint32_t p17 = Skph(a1, f7);
  SortTab(&tdskph, &tvskph);
  SkrivSkph("1001,5,0\n1002,6,0\n1002,7,4\n");
  LoadSkphIni();
  ASSERT_EQ(Maerke(p15), 1);
  ASSERT_EQ(Maerke(p26), 1);
  SaetMaerke(p26, 0);  // taken away during the run
  SaetMaerke(p17, 1);  // set during the run
  SyncSkphIni();
  // The missing pair keeps the count its load gave it.
  EXPECT_EQ(LaesSkph(), "1001,5,0\n1002,7,5\n1001,7,0\n");
  EXPECT_EQ(Maerke(p15), 255);
  EXPECT_EQ(Maerke(p17), 1);
}

TEST_F(SkphIniSync, WithoutAFileTheMarksOfTheRunMakeIt) {
  Fag();
  LoadSkphIni();
  EXPECT_FALSE(fs::exists(SkphSti()));
  SyncSkphIni();
  EXPECT_FALSE(fs::exists(SkphSti()));
  SaetMaerke(p26, 1);
  SyncSkphIni();
  EXPECT_EQ(LaesSkph(), "1002,6,0\n");
}

TEST_F(SkphIniSync, ARunThatCouldNotReadTheFileKeepsItsLinesAtShutdown) {
  Fag();
  const std::string tekst = "1001,5,0\r\n1002,6,3\r\n";
  // A folder where the file should be cannot be read as one.
  fs::create_directory(SkphSti());
  LoadSkphIni();
  EXPECT_FALSE(SkphIniLaest());
  EXPECT_EQ(Maerke(p15), 0);
  fs::remove(SkphSti());
  SkrivSkph(tekst);
  SyncSkphIni();
  EXPECT_EQ(LaesSkphRaa(), tekst);
  // A mark set during the run is added behind the lines.
  SaetMaerke(p26, 1);
  SyncSkphIni();
  EXPECT_EQ(LaesSkph(), "1001,5,0\n1002,6,3\n1002,6,0\n");
}

TEST_F(SkphIniSync, AReadOnlyRunAppliesTheMarksAndWritesNothing) {
  Fag();
  const std::string tekst = "1001,5,2\n1001,6,1\n";
  SkrivSkph(tekst);
  GlobalIndstillinger.skemalaast = 1;
  LoadSkphIni();
  EXPECT_EQ(Maerke(p15), 1);
  SaetMaerke(p26, 1);
  SyncSkphIni();
  EXPECT_EQ(LaesSkphRaa(), tekst);
  EXPECT_FALSE(fs::exists(rod / "ini" / "kopiskph.ini"));
}

}  // namespace
