// The maintenance commands on a small set of event and posting rows, their
// questions, and the export count.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "INDSTIL.h"
#include "KATALOG.h"
#include "TABOPER.h"
#include "TALTAB.h"
#include "VEDLIGE.h"
#include "store_fixture.h"
#include "tavo/test_dialog.h"
#include "win/dlg.h"

namespace {

constexpr Uge kUge = 202440;
constexpr Maaned kMnd = 202410;
constexpr uint8_t kEgen = 7, kAnden = 9;

struct Ske {
  uint32_t id, status;
  uint8_t ejer;
  uint32_t forste;
  char fejl = 0;
  uint8_t konflikt = 0;
};

class Vedlige : public storetest::DataMappe {
 protected:
  void SetUp() override {
    DataMappe::SetUp();
    GlobalIndstillinger.insnr = kEgen;
  }
  void TearDown() override {
    GlobalIndstillinger.insnr = 0;
    VedligeKrog = {};
    tavo::test::StopDialogScript();
    DataMappe::TearDown();
  }
  // Rows 1.. of the week bucket as given; status 0 rows are empty.
  void SkeRaekker(std::initializer_list<Ske> raekker) {
    TabVar *b = SkemabegBucket(kUge);
    for (const Ske &r : raekker) {
      b->FoersteLedige = b->wRecCnt;
      uint32_t n = NewRec(&tdske, b);
      SkeRec s{};
      s.id = r.id;
      s.Status = r.status;
      s.Ejer = r.ejer;
      s.Forste = r.forste;
      s.Fejl = static_cast<uint8_t>(r.fejl);
      s.Konflikt = r.konflikt;
      memcpy(GetRec(&tdske, b, n), &s, sizeof s);
    }
  }
  void TimRaekke(uint32_t id, uint8_t status, uint8_t ejer, char fejl = 0, uint8_t konflikt = 0,
                 uint32_t akti = 0, uint32_t anfo = 0) {
    TabVar *b = TimoakBucket(kMnd);
    b->FoersteLedige = b->wRecCnt;
    uint32_t n = NewRec(&tdtimoak, b);
    TimoakRaekke t{};
    t.id = id;
    t.Status = status;
    t.Ejer = ejer;
    t.Fejl = static_cast<uint8_t>(fejl);
    t.Konflikt = konflikt;
    t.akti_id = akti;
    t.anfo_id = anfo;
    memcpy(GetRec(&tdtimoak, b, n), &t, sizeof t);
  }
  SkeRec S(uint32_t r) {
    SkeRec s;
    memcpy(&s, GetRec(&tdske, SkemabegBucket(kUge), r), sizeof s);
    return s;
  }
  TimoakRaekke T(uint32_t r) {
    TimoakRaekke t;
    memcpy(&t, GetRec(&tdtimoak, TimoakBucket(kMnd), r), sizeof t);
    return t;
  }
  uint32_t Antal() { return SkemabegBucket(kUge)->wRecCnt; }
};

TEST_F(Vedlige, CompactionKeepsOrderAndRepointsEvents) {
  SkeRaekker({{1, 64, kEgen, 1}, {0, 0, 0, 0}, {2, 64, kEgen, 3}, {2, 64, kEgen, 3}});  // count 5
  ASSERT_EQ(Antal(), 5u);
  KomprimerSkemabeg();
  EXPECT_EQ(Antal(), 5u);
  EXPECT_EQ(+S(1).id, 1u);
  EXPECT_EQ(+S(1).Forste, 1u);
  EXPECT_EQ(+S(2).id, 2u);
  EXPECT_EQ(+S(2).Forste, 2u);
  EXPECT_EQ(+S(3).id, 2u);
  EXPECT_EQ(+S(3).Forste, 2u);
  EXPECT_EQ(+S(4).Status, 0u);
}

TEST_F(Vedlige, CompactionCountRule) {
  struct {
    const char *navn;
    std::vector<uint8_t> status;  // of rows 1..
    uint32_t antalEfter;
  } const tilfaelde[] = {
      {"no empty rows", {64, 64, 64}, 4},
      {"one empty row at the end", {64, 64, 0}, 4},
      {"two empty rows at the end", {64, 0, 0}, 3},
      {"all empty", {0, 0}, 2},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    storetest::TomAlleTabeller();
    for (uint8_t st : t.status) TimRaekke(1, st, kEgen);
    KomprimerTimoak();
    EXPECT_EQ(TimoakBucket(kMnd)->wRecCnt, t.antalEfter);
  }
}

TEST_F(Vedlige, RestoringTheLockedPeriodAndOwnConflicts) {
  SkeRaekker({{1, 64, kEgen, 1, '<'},
              {2, 64, kEgen, 2, '='},
              {3, 64, kAnden, 3, '<'},
              {4, 64 | 16, kEgen, 4},
              {5, 64, kEgen, 5, '?'}});
  TimRaekke(1, 64, kEgen, '<');
  TimRaekke(2, 64, kEgen, '=');
  TimRaekke(3, 64, kAnden, '=');
  ReetablerLaastPeriode();
  EXPECT_EQ(+S(1).Status, 0u);
  EXPECT_EQ(+S(2).Status, 96u);
  EXPECT_EQ(+S(2).Fejl, 0);
  EXPECT_EQ(+S(3).Status, 64u);  // another installation's
  EXPECT_EQ(+S(4).Status, 80u);
  EXPECT_EQ(+S(5).Status, 64u);
  EXPECT_EQ(T(1).Status, 0);
  EXPECT_EQ(T(2).Status, 96);
  EXPECT_EQ(T(3).Status, 64);
  ReetablerFravaersSletninger();
  EXPECT_EQ(+S(5).Status, 96u);
  EXPECT_EQ(+S(5).Fejl, 0);

  storetest::TomAlleTabeller();
  SkeRaekker({{1, 64, kEgen, 1, 0, kEgen}, {2, 64, kEgen, 2, 0, kAnden}, {3, 64, kAnden, 3, 0, kAnden}});
  TimRaekke(1, 64, kEgen, 0, kEgen);
  SletEgenKonflikt();
  EXPECT_EQ(+S(1).Status, 0u);
  EXPECT_EQ(+S(2).Status, 64u);
  EXPECT_EQ(+S(3).Status, 64u);
  EXPECT_EQ(T(1).Status, 0);
}

// Error 72 takes out only the own live rows marked 'H'; error 62 the live
// rows marked '>' of any owner, counting each off the waiting rows, never
// below 0.
TEST_F(Vedlige, DeletingTheRowsOfErrors72And62) {
  SkeRaekker({{1, 64, kEgen, 1, 'H'},
              {1, 64, kEgen, 1, 'H'},
              {2, 64, kAnden, 3, 'H'},    // another installation's
              {3, 8, kEgen, 4, 'H'},      // not live
              {4, 64 | 16, kEgen, 5, '>'},
              {5, 64, kAnden, 6, '>'},
              {6, 64, kEgen, 7, '?'},
              {7, 8, kAnden, 8, '>'}});
  SletFejl72Begivenheder();
  const struct {
    uint32_t status;
    uint8_t fejl;
  } efter72[] = {{0, 0}, {0, 0}, {64, 'H'}, {8, 'H'}, {80, '>'}, {64, '>'}, {64, '?'}, {8, '>'}};
  for (uint32_t r = 1; r <= 8; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(+S(r).Status, efter72[r - 1].status);
    EXPECT_EQ(+S(r).Fejl, efter72[r - 1].fejl);
  }
  for (uint32_t foer : {5u, 1u, 0u}) {
    SCOPED_TRACE(foer);
    storetest::TomAlleTabeller();
    SkeRaekker({{4, 64 | 16, kEgen, 1, '>'}, {5, 64, kAnden, 2, '>'}, {6, 64, kEgen, 3, '?'}, {7, 8, kAnden, 4, '>'}});
    Fejl62Raekker = foer;
    SletIkkeEjedeBegivenheder();
    EXPECT_EQ(+S(1).Status, 0u);
    EXPECT_EQ(+S(1).Fejl, 0);
    EXPECT_EQ(+S(2).Status, 0u);
    EXPECT_EQ(+S(3).Status, 64u);
    EXPECT_EQ(+S(4).Status, 8u);
    EXPECT_EQ(Fejl62Raekker, foer >= 2 ? foer - 2 : 0u);
  }
  Fejl62Raekker = 0;
}

TEST_F(Vedlige, ExportCount) {
  SkeRaekker({{1, 64, kEgen, 1},
              {1, 64, kEgen, 1},            // second row: not counted
              {2, 64 | 16, kEgen, 3},
              {3, 64 | 8, kEgen, 4},
              {4, 64 | 8 | 16, kEgen, 5},
              {5, 64, kEgen, 6, '<'},
              {6, 96, kEgen, 7},            // exported: nothing to send
              {7, 64, kAnden, 8},
              {8, 8, kEgen, 9}});           // not live
  TimRaekke(1, 64, kEgen);
  TimRaekke(2, 64 | 8 | 16, kEgen);
  TimRaekke(3, 64 | 32, kEgen, 'x');
  SkrivIni("[flag]\nexportermedaskeprior=2\n");
  CountExportChanges();
  std::vector<uint32_t> t(EksportTaellere, EksportTaellere + kAntalEksportTaellere);
  EXPECT_EQ(t, (std::vector<uint32_t>{1, 1, 1, 1, 1, 1, 0, 0, 1, 1}));
  EXPECT_EQ(EksportPlanTal, 2u);
}

TEST_F(Vedlige, QuestionsAndTheRefusedCompaction) {
  struct {
    int id;
    const char *tekst;
    const char *titel;
  } const tilfaelde[] = {
      {40171, "Vil du reetablere låst periode ?", "Låst periode"},
      {40172, "Vil du reetablere sletninger med fraværsregistreringer ?", "Fravær"},
      {40173, "Vil du slette begivenheder og posteringer hvor du har konflikt med dig selv ?", "Egen konflikt"},
      {40174, "Vil du komprimere begivenheder og posteringer ?", "Komprimering"},
      {40175,
       "Vil du gendanne alle medarbejder/aktivitets relationerne?\nBemærk at kun de relationer der findes "
       "timer på vil blive gendannet !",
       "Gendan anfo/akti"},
  };
  SkeRaekker({{1, 64, kEgen, 1, '<', kEgen}, {0, 0, 0, 0}});
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.id);
    tavo::test::StartDialogScript();
    tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDCANCEL}; });
    bool udfoert = true;
    EXPECT_TRUE(VedligeholdKommando(0, t.id, &udfoert));
    EXPECT_FALSE(udfoert);
    auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].text, t.tekst);
    EXPECT_EQ(bokse[0].caption, t.titel);
    EXPECT_EQ(bokse[0].type, UINT{MB_OKCANCEL | MB_ICONEXCLAMATION});
    tavo::test::StopDialogScript();
    EXPECT_EQ(+S(1).Status, 64u);  // Cancel changes nothing
    EXPECT_EQ(Antal(), 3u);
  }
  EXPECT_FALSE(VedligeholdKommando(0, 40176));

  // OK runs the step.
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDOK}; });
  bool udfoert = false;
  VedligeholdKommando(0, 40171, &udfoert);
  tavo::test::StopDialogScript();
  EXPECT_TRUE(udfoert);
  EXPECT_EQ(+S(1).Status, 0u);

  // Sent rows waiting for export refuse the compaction before any question.
  TimRaekke(1, 64 | 16, kEgen);
  tavo::test::StartDialogScript();
  udfoert = true;
  VedligeholdKommando(0, 40174, &udfoert);
  EXPECT_FALSE(udfoert);
  auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].text, "Du kan ikke komprimere når du har udestående begivenheder eller posteringer !");
  EXPECT_EQ(bokse[0].caption, "Fejl");
  EXPECT_EQ(Antal(), 3u);
}

TEST_F(Vedlige, RelationsRebuiltFromLivePostings) {
  static std::vector<std::vector<uint32_t>> kald;
  kald.clear();
  VedligeKrog.FrigivAakrel = [] { kald.push_back({0}); };
  VedligeKrog.AddAakrel = [](uint32_t a, uint32_t m, uint8_t st) { kald.push_back({a, m, st}); };
  VedligeKrog.CleanupAakrel = [] { kald.push_back({1}); };
  TimRaekke(1, 64, kEgen, 0, 0, 11, 21);
  TimRaekke(2, 64 | 8, kAnden, 0, 0, 12, 22);
  TimRaekke(3, 8, kEgen, 0, 0, 13, 23);
  GendanAnfoAktiRel();
  EXPECT_EQ(kald, (std::vector<std::vector<uint32_t>>{{0}, {11, 21, 10}, {12, 22, 30}, {1}}));
}

}  // namespace

namespace {

class Aflyst : public Vedlige {
 protected:
  void TearDown() override {
    free(AktiAflystTab);
    AktiAflystTab = nullptr;
    AflystBegAntal = 0;
    TalDim.A = 0;
    Vedlige::TearDown();
  }
};

TEST_F(Aflyst, QuestionByCountsAndDeletionOnOk) {
  TalDim.A = 4;
  AktiAflystTab = static_cast<uint32_t *>(calloc(5, sizeof(uint32_t)));
  static std::vector<uint32_t> fjernet;
  fjernet.clear();
  VedligeKrog.FjernAktiFraSkema = [](uint32_t a) { fjernet.push_back(a); };
  struct {
    std::vector<uint32_t> taeller;  // records 1..4
    uint32_t begivenheder;
    const char *tekst;
  } const tilfaelde[] = {
      {{0, 2, 0, 3}, 5, "Der er 5 skemabegivenheder på 2 aflyste aktiviteter!\nVil du slette disse begivenheder?"},
      {{0, 2, 0, 0}, 2, "Der er 2 skemabegivenheder på 1 aflyst aktivitet!\nVil du slette disse begivenheder?"},
      {{1, 0, 0, 0}, 1, "Der er 1 skemabegivenhed på 1 aflyst aktivitet!\nVil du slette begivenheden?"},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.tekst);
    for (uint32_t r = 1; r <= 4; ++r) AktiAflystTab[r] = t.taeller[r - 1];
    AflystBegAntal = t.begivenheder;
    tavo::test::StartDialogScript();
    tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDCANCEL}; });
    AflystAktiSkemaCheck(0);
    auto bokse = tavo::test::MessageBoxesShown();
    tavo::test::StopDialogScript();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].text, t.tekst);
    EXPECT_EQ(bokse[0].caption, "Skema på aflyst aktivitet");
    EXPECT_EQ(AflystBegAntal, t.begivenheder);  // Cancel keeps everything
    EXPECT_TRUE(fjernet.empty());
  }
  for (uint32_t r = 1; r <= 4; ++r) AktiAflystTab[r] = r % 2;
  AflystBegAntal = 3;
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDOK}; });
  AflystAktiSkemaCheck(0);
  tavo::test::StopDialogScript();
  EXPECT_EQ(AflystBegAntal, 0u);
  EXPECT_EQ(fjernet, (std::vector<uint32_t>{1, 3}));

  tavo::test::StartDialogScript();  // nothing cancelled: no question
  AflystAktiSkemaCheck(0);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
}

}  // namespace
