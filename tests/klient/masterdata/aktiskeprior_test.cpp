// The activity schedule priority window over a school made record by
// record on the test desktop.

#include <cstdio>
#include <string>
#include <vector>

#include "AKTILISTE.h"
#include "AktiSkePrior.h"
#include "EXPORT.h"
#include "NYBUTTON.h"
#include "OBJVINDUE.h"
#include "SIDEFIL.h"
#include "relmatrix_support.h"
#include "tavo/test_dialog.h"

namespace {

using reltest::RelTest;

class AspTest : public RelTest {
 protected:
  void SetUp() override {
    RelTest::SetUp();
    ASSERT_TRUE(RegistrerAktiSkePrioritetKlasse(0));
    FrigivAktiPrioritetMinde();
  }
  void TearDown() override {
    FrigivAktiPrioritetMinde();
    UnregisterClassA("AktiSkePrioritetWndClass", 0);
    RelTest::TearDown();
  }

 public:
  static uint32_t Akti(uint32_t id, const char *navn, uint8_t prioritet = 0, uint8_t status = 20,
                       const char *type = "HOLD", uint32_t gruppe = 1) {
    const uint32_t n = RelTest::Akti(id, navn, status, type, gruppe);
    predtest::Rec<AktiRec>(tvakti, n)->Skema_prioritet = prioritet;
    return n;
  }
  static uint8_t Prioritet(uint32_t n) { return predtest::Rec<AktiRec>(tvakti, n)->Skema_prioritet; }
  static int Minde(uint32_t n) {
    return AktiPrioritetMinde && n < AktiPrioritetAntal ? AktiPrioritetMinde[n] : INGEN_AKTI_PRIORITET;
  }

  HWND Aabn() {
    HWND h = OpretObjektVindue(hoved, kAktiSkePriorType, 0, nullptr);
    tavo::test::PumpUntilIdle();
    return h;
  }
  static ASPWS *Ws(HWND h) { return AktiSkePrioritetWS(h); }
  static void Til(HWND h, uint32_t rec, uint32_t kolonne = 1) {
    ASPWS *ws = Ws(h);
    ws->PosY.Aktuel = FindObjIdx(ws->Hoved.ObjTab, ws->Hoved.ObjTabAntal, rec);
    ws->PosX.Aktuel = kolonne;
    ASSERT_NE(ws->PosY.Aktuel, 0u) << "record " << rec << " is not listed";
  }
  static std::vector<int> Maerker(HWND h, const std::vector<uint32_t> &recs) {
    std::vector<int> v;
    for (uint32_t n : recs) v.push_back(Ws(h)->Maerker[n][0] + Ws(h)->Maerker[n][1]);
    return v;
  }
  static void Luk(HWND h) {
    DestroyWindow(h);
    tavo::test::PumpUntilIdle();
  }
  // A click on the header button with the id.
  static void Knap(HWND h, int id) {
    ASPWS *ws = Ws(h);
    HWND knap = id >= kAspKolKnap ? ws->hwndGrundSortBut[id - kAspKolKnap - 1] : ws->FeltKnapper[id - kAspFeltKnap];
    ASSERT_NE(knap, static_cast<HWND>(0));
    const POINT p = tavo::test::ScreenPoint(knap, 4, 4);
    tavo::test::Click(p.x, p.y);
    tavo::test::PumpUntilIdle();
  }
  static LPCSTR Billede(HWND knap) {
    const auto *b = reinterpret_cast<const BWS *>(GetWindowLongPtrA(knap, GWLP_USERDATA));
    return b ? b->pictureName : nullptr;
  }
};

// ==================================================================== rows and sizes

class AktiSkePriorListe : public AspTest {};

TEST_F(AktiSkePriorListe, TheRowsAreTheLiveScheduledActivitiesInNameOrder) {
  const uint32_t c = Akti(1001, "CC"), a = Akti(1002, "AA", 0, 10), b = Akti(1003, "BB", 0, 29);
  Akti(1004, "OV", 0, 20, "OVAK");
  Akti(1005, "*RES");
  Akti(1006, "ARKIV", 0, 20, "HOLD", 0x80000001u);
  Akti(1007, "DOED", 0, 31);
  Akti(1008, "TRE", 0, 30);
  HWND h = Aabn();
  ASSERT_NE(Ws(h), nullptr);
  EXPECT_EQ(Liste(Ws(h)->Hoved), (std::vector<uint32_t>{a, b, c}));
  const char *titel = Ws(h)->Hoved.Titel;
  EXPECT_EQ(std::string(titel, strnlen(titel, sizeof Ws(h)->Hoved.Titel)), "Aktivitets skema prioritering");
  Luk(h);
}

TEST_F(AktiSkePriorListe, TheHeightAndWidthKeepWithinTheirBounds) {
  const int fast = GetSystemMetrics(SM_CYHSCROLL) + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
  for (int i = 0; i < 3; ++i) Akti(1000 + i, "X", 0, 30);
  // No live activity: the list is empty and the height at least 100.
  HWND h = Aabn();
  EXPECT_EQ(uint32_t{Ws(h)->Hoved.ObjTabAntal}, 0u);
  EXPECT_GE(CalcAktivListHeight(&tdakti, &tvakti, 10000), kAktivListMindsteHoejde);
  EXPECT_EQ(SendMessageA(h, ENS_HOEJDE, 10000, 0), CalcAktivListHeight(&tdakti, &tvakti, 10000));
  Luk(h);
  for (int i = 0; i < 20; ++i) Akti(2000 + i, "L", 0, static_cast<uint8_t>(10 + i % 20));
  const int h20 = CalcAktivListHeight(&tdakti, &tvakti, 10000);
  EXPECT_GE(h20, fast + 43 + 12 * 20);
  for (int i = 0; i < 10; ++i) Akti(3000 + i, "L", 0, i % 2 ? 10 : 31);
  EXPECT_EQ(CalcAktivListHeight(&tdakti, &tvakti, 10000) - h20, 12 * 5);
  EXPECT_EQ(CalcAktivListHeight(&tdakti, &tvakti, 200), 200);
  EXPECT_EQ(CalcAktivListHeight(&tdakti, &tvakti, 40), 100);
  const int fastB = GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXFRAME) + 7;
  EXPECT_EQ(CalcAktivListWidth(100, 200, 10000), fastB + 200 + 200);
  EXPECT_EQ(CalcAktivListWidth(100, 200, 300), 300);
  EXPECT_EQ(CalcAktivListWidth(0, 0, 10000), 150);
}

// ==================================================================== marks

class AktiSkePriorMaerke : public AspTest {};

TEST_F(AktiSkePriorMaerke, TheMarksAreStoredOnCloseWithTheOldValueInTheMemory) {
  struct Tilfaelde {
    uint8_t foer;
    std::vector<std::pair<UINT, uint32_t>> taster;  // key, then the column it is pressed in
    uint8_t efter;
  } tilfaelde[] = {
      {255, {{VK_SPACE, 1}}, 1},                      // yielding turned prioritised
      {1, {{VK_SPACE, 1}}, 0},                        // one press on the set mark clears it
      {0, {{VK_SPACE, 2}, {VK_SPACE, 2}}, 0},         // twice on one cell: unmarked
      {0, {{VK_INSERT, 2}}, 255},
      {0, {{VK_SPACE, 1}, {VK_SPACE, 2}}, 255},       // a row carries one mark
      {255, {{VK_SPACE, 2}, {VK_SPACE, 2}}, 255},     // back where it began
  };
  for (const auto &t : tilfaelde) {
    FrigivAktiPrioritetMinde();
    predtest::TommeTabeller();
    const uint32_t k = Akti(1001, "H01", t.foer);
    HWND h = Aabn();
    for (const auto &[tast, kolonne] : t.taster) {
      Til(h, k, kolonne);
      Tast(tast);
    }
    Luk(h);
    EXPECT_EQ(Prioritet(k), t.efter) << int(t.foer) << " -> " << int(t.efter);
    EXPECT_EQ(Minde(k), t.efter == t.foer ? INGEN_AKTI_PRIORITET : t.foer) << int(t.foer) << " -> " << int(t.efter);
  }
}

TEST_F(AktiSkePriorMaerke, ADoubleClickInACellMakesItCurrentAndActsAsSpace) {
  const uint32_t a = Akti(1001, "AA"), b = Akti(1002, "BB");
  HWND h = Aabn();
  const Ens &e = Ws(h)->Hoved;
  const POINT p = tavo::test::ScreenPoint(e.hwndCeller, static_cast<int>(GridCelleStart(&e.AkseX, 2)) + 4,
                                          static_cast<int>(GridCelleStart(&e.AkseY, 2)) + 4);
  tavo::test::DoubleClick(p.x, p.y);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(Ws(h)->PosX.Aktuel, 2u);
  EXPECT_EQ(Ws(h)->PosY.Aktuel, 2u);
  EXPECT_EQ(tvakti.AktuelRec, b);
  EXPECT_EQ(Maerker(h, {a, b}), (std::vector<int>{0, 2}));
  Luk(h);
  EXPECT_EQ(Prioritet(b), 255);
}

// A broadcast keeps the marks the user changed; every other row takes the
// value the change gave it, so closing writes back nothing stale and the
// priority memory records no change the user did not make.
TEST_F(AktiSkePriorMaerke, ABroadcastKeepsOnlyTheMarksTheUserChanged) {
  const uint32_t a = Akti(1001, "AA"), b = Akti(1002, "BB", 255), c = Akti(1003, "CC", 1);
  HWND h = Aabn();
  Til(h, a, 1);
  Tast(VK_SPACE);
  Til(h, b, 1);
  Tast(VK_SPACE);
  // Another window changes the data: b (marked by the user) and c (not)
  // change underneath, and a new activity comes with its own mark.
  predtest::Rec<AktiRec>(tvakti, b)->Skema_prioritet = 0;
  predtest::Rec<AktiRec>(tvakti, c)->Skema_prioritet = 0;
  const uint32_t d = Akti(1004, "DD", 255);
  SendTilAlleVinduer(DATA_AENDRET, 0, 3, 0);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(Liste(Ws(h)->Hoved), (std::vector<uint32_t>{a, b, c, d}));
  EXPECT_EQ(Maerker(h, {a, b, c, d}), (std::vector<int>{1, 1, 0, 2}));
  EXPECT_EQ(Ws(h)->PosX.Aktuel, 1u);
  // A record the table grew by after the window opened gets a mark slot;
  // an import that changes c again is followed too.
  for (int i = 0; i < 40; ++i) Akti(2000 + i, "ZZ", 255);
  predtest::Rec<AktiRec>(tvakti, c)->Skema_prioritet = 255;
  SendTilAlleVinduer(EFTER_IMPORT, 0, 0, 0);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(Maerker(h, {tvakti.wRecCnt - 1, a, b, c}), (std::vector<int>{2, 1, 1, 2}));
  Luk(h);
  EXPECT_EQ(Prioritet(a), 1);
  EXPECT_EQ(Prioritet(b), 1);  // the user's mark stood
  EXPECT_EQ(Prioritet(c), 255);
  EXPECT_EQ(Prioritet(d), 255);
  EXPECT_EQ(Minde(a), 0);
  EXPECT_EQ(Minde(b), 0);
  EXPECT_EQ(Minde(c), INGEN_AKTI_PRIORITET);
  EXPECT_EQ(Minde(d), INGEN_AKTI_PRIORITET);
}

TEST_F(AktiSkePriorMaerke, ALockedScheduleRefusesSpaceAndInsert) {
  const uint32_t k = Akti(1001, "H01");
  HWND h = Aabn();
  GlobalIndstillinger.skemalaast = 1;
  for (UINT tast : {VK_SPACE, VK_INSERT}) {
    Til(h, k, 2);
    tavo::test::StartDialogScript();
    Tast(tast);
    const auto bokse = tavo::test::MessageBoxesShown();
    tavo::test::StopDialogScript();
    ASSERT_EQ(bokse.size(), 1u) << tast;
    EXPECT_EQ(bokse[0].text, "Der kan ikke grupperes i et låst skema");
    EXPECT_EQ(bokse[0].caption, "Gruppering");
    EXPECT_EQ(bokse[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  }
  EXPECT_EQ(Maerker(h, {k}), std::vector<int>{0});
  GlobalIndstillinger.skemalaast = 0;
  Luk(h);
  EXPECT_EQ(Prioritet(k), 0);
  EXPECT_EQ(AktiPrioritetMinde, nullptr);
}

// ==================================================================== sorting

class AktiSkePriorSorter : public AspTest {};

TEST_F(AktiSkePriorSorter, AFieldButtonSortsUpThenDownAndAColumnButtonPutsItsMarksFirst) {
  const uint32_t b = Akti(1001, "BB", 1), a = Akti(1002, "AA"), d = Akti(1003, "DD", 255), c = Akti(1004, "CC", 1);
  HWND h = Aabn();
  ASPWS *ws = Ws(h);
  ASSERT_GE(ws->AntalFeltKnapper, 1u);
  Til(h, c);
  Knap(h, kAspFeltKnap);
  EXPECT_EQ(Liste(ws->Hoved), (std::vector<uint32_t>{a, b, c, d}));
  EXPECT_EQ(Billede(ws->FeltKnapper[0]), MAKEINTRESOURCE(kAspStigendeBillede));
  Knap(h, kAspFeltKnap);
  EXPECT_EQ(Liste(ws->Hoved), (std::vector<uint32_t>{d, c, b, a}));
  EXPECT_EQ(Billede(ws->FeltKnapper[0]), MAKEINTRESOURCE(kAspFaldendeBillede));
  EXPECT_EQ(ws->Hoved.ObjTab[ws->PosY.Aktuel], c);  // the current activity stays current
  EXPECT_EQ(uint32_t{ObjSwitchLayout(kAktivListRaekkeArt, 'K', 0)->SortFelt}, 1u);
  if (ws->AntalFeltKnapper > 1) {
    Knap(h, kAspFeltKnap + 1);
    EXPECT_EQ(Billede(ws->FeltKnapper[0]), nullptr);
  }
  Knap(h, kAspKolKnap + 1);
  EXPECT_EQ(Liste(ws->Hoved), (std::vector<uint32_t>{b, c, a, d}));
  EXPECT_EQ(ws->PosX.Aktuel, 1u);
  EXPECT_EQ(ws->PosY.Aktuel, 1u);
  Til(h, d, 1);
  Knap(h, kAspKolKnap + 2);
  EXPECT_EQ(Liste(ws->Hoved), (std::vector<uint32_t>{d, a, b, c}));
  EXPECT_EQ(ws->PosX.Aktuel, 2u);
  EXPECT_EQ(ws->PosY.Aktuel, 1u);
  Luk(h);
}

// ==================================================================== end to end

class AktiSkePriorEnde : public AspTest {};

TEST_F(AktiSkePriorEnde, TwoMarksByKeysAreStoredSavedAndExported) {
  const uint32_t a = Akti(1001, "AA", 0), b = Akti(1002, "BB", 1);
  Akti(1003, "CC", 0);
  HWND h = Aabn();
  ASSERT_NE(Ws(h), nullptr);
  ASSERT_EQ(Ws(h)->PosY.Aktuel, 1u);
  Tast(VK_SPACE);
  Tast(VK_DOWN);
  Tast(VK_RIGHT);
  Tast(VK_SPACE);
  EXPECT_EQ(tvakti.AktuelRec, b);
  Tast(VK_F4);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(Prioritet(a), 1);
  EXPECT_EQ(Prioritet(b), 255);
  EXPECT_EQ(Minde(a), 0);
  EXPECT_EQ(Minde(b), 1);
  ASSERT_EQ(GemAktiPrioriteter(), 0);
  std::string fil;
  if (FILE *f = std::fopen((rod / "data" / "aktiprioriteter.dat").c_str(), "rb")) {
    char buf[256];
    fil.assign(buf, std::fread(buf, 1, sizeof buf, f));
    std::fclose(f);
  }
  EXPECT_EQ(fil, "1001;0\r\n1002;1\r\n");
  EksportSkriv();
  std::string eksport;
  if (FILE *l = std::fopen((rod / "data" / "exp.dat").c_str(), "rb")) {
    char buf[4096];
    eksport.assign(buf, std::fread(buf, 1, sizeof buf, l));
    std::fclose(l);
  }
  EXPECT_NE(eksport.find("@aktiprioritet\n1001;1\n1002;255\n"), std::string::npos) << eksport;
}

}  // namespace
