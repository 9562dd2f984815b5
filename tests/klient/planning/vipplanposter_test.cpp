// Posting planned hours as time postings over a small plan by employee:
// which cells are posted and on which day, the hundredths, the questions
// and boxes the user sees, the second pass over the days of the week, the
// log, and a second run that must not pay anything twice.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../data/tom_datalager.h"
#include "FF_PlanPost.h"
#include "KROGE.h"
#include "LOGVISNING.h"
#include "PROGVINDUER.h"
#include "SIDEFIL.h"
#include "TAVODATA.h"
#include "TIMOAK.h"
#include "VEDLIGE.h"
#include "plan_fixtur.h"
#include "ressourcer.h"
#include "tavo/test_dialog.h"

namespace {

using plantest::PlanFixtur;
namespace tt = tavo::test;

constexpr const char *kSpoerg = "Overfør planposter til EASY";
constexpr const char *kAntal = "Overført planposter til EASY";
constexpr const char *kLog = "Plan post import log!";
constexpr Uge kUge31 = 202431;  // Wednesday 31 July 2024, the day before the group begins
constexpr Uge kUge46 = 202446;  // Monday 11 November 2024

class VipPlanposter : public PlanFixtur {
 protected:
  HWND gemtHoved = 0;
  TimoakKroge gemtTimoak{};
  VedligeKroge gemtVedlige{};
  uint32_t akti = 0, anne = 0, hoved = 0, opg = 0;
  std::vector<std::string> vist, tekster;
  const uint32_t kunRaekke[3] = {1, 0, 0}, alle[3] = {0, 0, 1};

  void SetUp() override {
    PlanFixtur::SetUp();
    gemtHoved = hwndHoved;
    hwndHoved = 0;
    RegistrerOrvaneRessourcer();
    // No Notepad: the log is shown in the program's own dialog.
    std::snprintf(NotepadWindowsMappe, sizeof NotepadWindowsMappe, "%s", (rod / "ingen").c_str());
    gemtTimoak = TimoakKrog;
    gemtVedlige = VedligeKrog;
    InstallerImportKroge();
    EksportPlanTal = 0;
    plan.Visning = 'M';
    akti = NyAkti("Kursus", "K");
    anne = NyAnfo("ABE", "1", "Anne Berg");
    hoved = Raekke(PLAN_MEDA, 0, 0, anne);
    opg = Raekke(PLAN_OPG_TIMER, akti, 0, anne);
    Orden({hoved, opg});
    Kolonner({{31}, {33, 0, kUge31}, {33, 0, kUge46}});
    Celle(opg, kUge31, 7.505f);
    Celle(opg, kUge46, 2.0f);
    tt::StartDialogScript(10000);
  }
  void TearDown() override {
    EXPECT_EQ(tt::DialogFailures(), std::vector<std::string>{});
    tt::StopDialogScript();
    TimoakKrog = gemtTimoak;
    VedligeKrog = gemtVedlige;
    NotepadWindowsMappe[0] = '\0';
    hwndHoved = gemtHoved;
    EksportPlanTal = 0;
    PlanFixtur::TearDown();
  }

  void Celle(uint32_t r, Uge uge, float timer) {
    T(r, uge).Timer = timer;
    T(r, uge).PlanStatus = PS_UGE;
  }
  // The answers to the boxes and dialogs to come, in order; each one's
  // caption and text are noted.
  void Svar(std::initializer_list<INT_PTR> svar) {
    for (INT_PTR s : svar)
      tt::AnswerNextDialog([this, s](const tt::ShownDialog &d) -> INT_PTR {
        vist.push_back(d.caption);
        tekster.push_back(d.text);
        return s;
      });
  }
  void Koer(const uint32_t valg[3], uint32_t raekkePos, std::initializer_list<INT_PTR> svar) {
    vist.clear();
    tekster.clear();
    Svar(svar);
    plan.StyrY.Pos.Aktuel = raekkePos;
    plan.StyrX.Pos.Aktuel = 2;
    ::VipPlanposter(&plan, valg);
  }
  int32_t Postet(uint32_t m, Dato dato) {
    const TimoakRaekke *t = FindTimoak(akti, m, dato);
    return t ? t->Timer : -1;
  }
  std::string Log() {
    std::ifstream f(rod / "log" / "FF_Post.log", std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
};

TEST_F(VipPlanposter, NejEllerIngenTimeraekkerPosterIntet) {
  Koer(alle, 1, {IDNO});
  EXPECT_EQ(vist, std::vector<std::string>{kSpoerg});
  EXPECT_NE(tekster[0].find("Vil du vippe disse plan poster til EASY?"), std::string::npos);
  EXPECT_EQ(Postet(anne, 20240801), -1);

  // The heading row alone holds no hours row: no posting and no count box.
  Koer(kunRaekke, 1, {IDYES});
  EXPECT_EQ(vist, std::vector<std::string>{kSpoerg});
  EXPECT_EQ(Postet(anne, 20240801), -1);
  EXPECT_EQ(Postet(anne, 20241113), -1);
  EXPECT_EQ(EksportPlanTal, 0u);

  // Without a log the run ends after the question, posting nothing.
  std::filesystem::remove_all(rod / "log");
  std::ofstream(rod / "log") << "not a folder";
  Koer(alle, 1, {IDYES});
  EXPECT_EQ(vist, std::vector<std::string>{kSpoerg});
  EXPECT_EQ(Postet(anne, 20240801), -1);
  EXPECT_EQ(Postet(anne, 20241113), -1);
  std::filesystem::remove(rod / "log");
  std::filesystem::create_directories(rod / "log");
}

TEST_F(VipPlanposter, OnsdagIGruppensDatoerHundrededeleOgIngenDobbeltPostering) {
  ASSERT_NE(GemRaekke(&plan, opg, true), 0u);
  Koer(alle, 1, {IDYES, IDOK});
  EXPECT_EQ(vist, (std::vector<std::string>{kSpoerg, kAntal}));
  ASSERT_EQ(tekster.size(), 2u);
  EXPECT_EQ(tekster[1], "Antal plan poster, der blev vippet: 2 ");
  // Week 31's Wednesday lies before the group's first day: posted on it.
  EXPECT_EQ(Postet(anne, 20240731), -1);
  EXPECT_EQ(Postet(anne, 20240801), 751);  // 7.505 hours
  EXPECT_EQ(Postet(anne, 20241113), 200);
  // The plan's status byte with bit 2 goes in as the posting's source.
  EXPECT_EQ(FindTimoak(akti, anne, 20241113)->PlanStatus, PS_UGE | PS_POSTERET);
  EXPECT_EQ(EksportPlanTal, 1u);
  // The plan's cells keep their hours, marked as posted.
  EXPECT_FLOAT_EQ(T(opg, kUge46).Timer, 2.0f);
  EXPECT_TRUE(T(opg, kUge46).PlanStatus & PS_POSTERET);
  // So is the week's record, which the plan's next save stores.
  const FftaltabRec *rec = predtest::Rec<FftaltabRec>(tvfftaltab, T(opg, kUge46).TalRec);
  ASSERT_NE(rec, nullptr);
  EXPECT_EQ(rec->PlanStatus, PS_UGE | PS_POSTERET);
  const std::string log = Log();
  EXPECT_EQ(log.rfind("Logfil:\r\n", 0), 0u);
  EXPECT_EQ(log.find("Postering fundet"), std::string::npos);
  // The postings and the marks of them are on the disk together at once,
  // whatever save comes next.
  {
    TabVar gemt{};
    ASSERT_EQ(LoadTab(&tdfftaltab, &gemt), 0);
    const uint32_t n = T(opg, kUge46).TalRec;
    ASSERT_LT(n, gemt.wRecCnt);
    EXPECT_EQ(reinterpret_cast<const FftaltabRec *>(GetRec(&tdfftaltab, &gemt, n))->PlanStatus, PS_UGE | PS_POSTERET);
    storetest::FrigivTabel(&gemt);
    TomTimoak();
    ASSERT_EQ(LoadTimoak(), 0);
    EXPECT_EQ(Postet(anne, 20240801), 751);
    EXPECT_EQ(Postet(anne, 20241113), 200);
  }

  // A second run over the same cells pays nothing twice: no failure, no
  // second question, no count box.
  Koer(alle, 1, {IDYES});
  EXPECT_EQ(vist, std::vector<std::string>{kSpoerg});
  EXPECT_EQ(Postet(anne, 20241111), -1);
  EXPECT_EQ(Postet(anne, 20241113), 200);
}

TEST_F(VipPlanposter, FejlPaaOnsdagenProevesPaaUgensAndreDage) {
  const struct {
    const char *navn;
    std::vector<Dato> optaget;  // days of week 46 the pair has postings on
    INT_PTR svar;               // to the second question
    uint32_t id;                // the cell record's central id
    Dato dag;                   // posted on, 0 for none
  } tilfaelde[] = {
      {"Monday", {20241113}, IDYES, 0, 20241111},
      {"Thursday after Monday and Tuesday", {20241111, 20241112, 20241113}, IDYES, 0, 20241114},
      {"record known centrally is marked", {20241113}, IDYES, 4711, 20241111},
      {"No to the second question", {20241113}, IDNO, 0, 0},
      {"the whole week taken", {20241111, 20241112, 20241113, 20241114, 20241115}, IDYES, 0, 0},
  };
  uint32_t n = 0;
  for (const auto &c : tilfaelde) {
    SCOPED_TRACE(c.navn);
    // An employee of its own, with one hours cell in week 46.
    char ini[4] = {'M', static_cast<char>('A' + n++), 0, 0};
    const uint32_t m = NyAnfo(ini, "1", ini);
    const uint32_t r = Raekke(PLAN_OPG_TIMER, akti, 0, m);
    Orden({hoved, r});
    Celle(r, kUge46, 3.0f);
    ASSERT_NE(GemRaekke(&plan, r, true), 0u);
    const uint32_t rec = T(r, kUge46).TalRec;
    ASSERT_NE(rec, 0u);
    predtest::Rec<FftaltabRec>(tvfftaltab, rec)->Id = c.id;
    for (Dato d : c.optaget) ASSERT_EQ(AddTimoakPost(akti, m, d, 100, 0), 1);

    std::vector<std::string> forventet{kSpoerg, kSpoerg};
    if (c.dag) forventet.push_back(kAntal);
    else forventet.push_back(kLog);
    Koer(kunRaekke, 2, {IDYES, c.svar, c.dag ? IDOK : IDCANCEL});
    EXPECT_EQ(vist, forventet);
    ASSERT_GE(tekster.size(), 2u);
    EXPECT_EQ(tekster[1].rfind("Antal plan poster, der blev vippet: 0\nAntal plan poster, der ikke kunne vippes: 1\n", 0),
              0u);
    const std::string linje = std::string("Postering fundet på aktivitet,medarbejder,dato : Kursus, ") + ini + ", ";
    if (c.dag) {
      EXPECT_EQ(tekster[2], "Antal plan poster, der blev vippet: 1 ");
      EXPECT_EQ(Postet(m, c.dag), 300);
      // Cleared in the plan: its record freed, or marked for the export
      // when the central system knows it.
      EXPECT_EQ(T(r, kUge46).Timer, 0.0f);
      EXPECT_EQ(T(r, kUge46).PlanStatus, 0u);
      EXPECT_EQ(T(r, kUge46).TalRec, c.id ? rec : 0u);
      if (c.id) {
        EXPECT_EQ(predtest::Rec<FftaltabRec>(tvfftaltab, rec)->Id, c.id);
      }
      // The log of the second pass holds only the cells that still failed.
      EXPECT_EQ(Log().find("Postering fundet"), std::string::npos);
    } else {
      EXPECT_FLOAT_EQ(T(r, kUge46).Timer, 3.0f);
      EXPECT_EQ(T(r, kUge46).TalRec, rec);
      EXPECT_NE(Log().find(linje), std::string::npos) << Log();
    }
  }
}

}  // namespace

namespace {

// Which cells a run takes, by the selection flags, the view's block
// heading and the cursor.
class VipPlanposterCeller : public plantest::PlanFixtur {};

TEST_F(VipPlanposterCeller, FlagBlokOgMarkoer) {
  const uint32_t a = NyAkti("Kursus", "K"), m = NyAnfo("ABE", "1", "Anne");
  // Positions 1..6: heading, two hours rows, heading, an hours row, and an
  // activity heading of view 'A'.
  const uint32_t typer[] = {PLAN_MEDA, PLAN_OPG_TIMER, PLAN_OPG_TIMER, PLAN_MEDA, PLAN_OPG_TIMER, PLAN_AKTI};
  std::vector<uint32_t> r;
  for (uint32_t t : typer) r.push_back(Raekke(t, a, 0, m));
  Orden({r[0], r[1], r[2], r[3], r[4], r[5]});
  Kolonner({{31}, {33, 0, 202446}, {33, 0, 202447}});
  plan.StyrX.Pos.Aktuel = 3;
  const struct {
    char visning;
    uint32_t valg[3];
    uint32_t markoer;
    PlanPostUdvalg ud;
  } tilfaelde[] = {
      {'M', {0, 0, 0}, 3, {3, 3, 3, 3}},  // the cursor cell
      {'M', {1, 0, 0}, 3, {1, 3, 3, 3}},  // the cursor row, every column
      {'M', {1, 1, 1}, 3, {1, 3, 3, 3}},  // the first flag decides
      {'M', {0, 1, 0}, 3, {1, 3, 2, 3}},  // the block under the heading above
      {'M', {0, 1, 0}, 4, {1, 3, 5, 6}},  // on the heading: the rows below it, to the last
      {'M', {0, 1, 0}, 1, {1, 3, 2, 3}},
      {'A', {0, 1, 0}, 6, {1, 3, 6, 6}},  // a heading on the last row is its own block
      {'A', {0, 1, 0}, 2, {1, 3, 1, 5}},  // no heading above: from the first row
      {'O', {0, 1, 0}, 5, {1, 3, 1, 6}},  // the view's heading type is 13: none here
      {'M', {0, 0, 1}, 3, {1, 3, 2, 6}},  // all rows but the first
  };
  for (const auto &c : tilfaelde) {
    SCOPED_TRACE(testing::Message() << c.visning << " " << c.valg[0] << c.valg[1] << c.valg[2] << " row "
                                    << c.markoer);
    plan.Visning = static_cast<uint8_t>(c.visning);
    plan.StyrY.Pos.Aktuel = c.markoer;
    const PlanPostUdvalg u = PlanPostCeller(&plan, c.valg);
    EXPECT_EQ(u.FraKol, c.ud.FraKol);
    EXPECT_EQ(u.TilKol, c.ud.TilKol);
    EXPECT_EQ(u.FraRaekke, c.ud.FraRaekke);
    EXPECT_EQ(u.TilRaekke, c.ud.TilRaekke);
  }
}

}  // namespace
