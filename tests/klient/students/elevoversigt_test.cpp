// The student overview beside the planning window: its column and slot
// header texts, blocking by Ctrl+X as a user presses it, its sizes, the
// kinds that follow the group, and the blocks on disk.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "ELEVLISTEVIN.h"
#include "ELEVVIN.h"
#include "FARVER.h"
#include "elevvindue_fixture.h"

namespace {

using namespace eleventest;

constexpr char kOptaget[] =
    "Elev optaget: Man kan ikke blokere hvor eleven allerede er placeret.\nSkal eleven blokeres her skal eleven "
    "tages af holdet.";

class ElevOversigtTest : public ElevVindueTest {
 protected:
  HWND plan = 0, vin = 0;
  ElevVinWS *w = nullptr;

  void SetUp() override {
    ElevVindueTest::SetUp();
    ASSERT_TRUE(RegistrerElevVinKlasse(0));
  }
  void TearDown() override {
    ElevVindueTest::TearDown();
    AfregistrerElevVinKlasse(0);
  }

  ElevPlanWS *Pw() const { return ElevPlanVinduesWS(plan); }

  // A lesson group of two days of four lessons (slot ids 70001-70004 and
  // 70011-70014) with n students and the activity Alfa on slots 1-2.
  void Gruppe8(uint32_t n, char art = 'L') {
    tg = NyTg(70, art);
    for (uint8_t d = 0; d < 2; ++d)
      for (uint32_t l = 1; l <= 4; ++l)
        pp.push_back(art == 'L' ? NyPp(tg, 70000 + d * 10 + l, 0, d, l) : NyPp(tg, 70000 + d * 10 + l, 202440 + d * 4 + l, 0, 0));
    la.push_back(NyLa(tg, 710, "Alfa"));
    LaRecNr(la[0])->max_elevantal = 100;
    NyLap(tg, 7100, la[0], pp[0], 2);
    char navn[16];
    for (uint32_t i = 0; i < n; ++i) {
      snprintf(navn, sizeof navn, "Elev %03u", i);
      elev.push_back(NyElev(7200 + i, navn));
      NyElti(elev[i], tg);
    }
    tvtg.AktuelRec = tg;
    tvla.AktuelRec = la[0];
    tvpp.AktuelRec = pp[0];
    tvelev.AktuelRec = n ? elev[0] : 0;
  }

  void AabnBegge() {
    plan = Aabn(kElevPlanType);
    ASSERT_NE(plan, 0u);
    vin = Aabn(kElevVinType);
    ASSERT_NE(vin, 0u);
    w = ElevVinVinduesWS(vin);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(gElevAktiv, vin);
  }

  std::string Tekst(uint32_t kode, uint32_t bredde, uint32_t slot, uint32_t s) const {
    char t[kSwitchTekstLen] = {};
    ElevCelleTekst(w, kode, bredde, slot, s, t, sizeof t, nullptr, nullptr);
    return t;
  }
  uint8_t Blok(uint32_t e, uint32_t slot) const {
    return Pw()->ElevSpaerring(ElevPosition(Pw(), e), PpPosition(Pw(), slot));
  }
  // The student of row r.
  uint32_t ElevPaa(uint32_t r) const { return Pw()->ElevVisTab[r]; }
  void Flyt(uint32_t raekke, uint32_t kolonne) {
    while (w->PpPos.Aktuel > kolonne) Tast(VK_LEFT);
    while (w->PpPos.Aktuel < kolonne) Tast(VK_RIGHT);
    while (w->ElevPos.Aktuel > raekke) Tast(VK_UP);
    while (w->ElevPos.Aktuel < raekke) Tast(VK_DOWN);
    ASSERT_EQ(w->PpPos.Aktuel, kolonne);
    ASSERT_EQ(w->ElevPos.Aktuel, raekke);
  }
  uint32_t SlotPaa(uint32_t c) const { return w->Kolonner[c]; }
};

// ==================================================================== texts

class ElevOversigtTekster : public ElevOversigtTest {};

TEST_F(ElevOversigtTekster, MissingAndM2FromFreeSlotsPlacementsAndWishes) {
  Gruppe8(1);
  AabnBegge();
  ElevRec *e = ElevRecNr(elev[0]);
  const uint32_t s = ElevPosition(Pw(), elev[0]);
  struct Tilfaelde {
    const char *hvad;
    uint32_t blokeret, placeret, oensket;
    const char *mangler, *m2;
  } tilfaelde[] = {
      {"6 free, 4 placed, 8 wished", 2, 4, 8, "    2", "    2"},
      {"6 free, 4 placed, 3 wished", 2, 4, 3, "    2", "    0"},
      {"no free slot and placements", 8, 3, 5, "    0", "    0"},
      {"all free, nothing placed", 0, 0, 5, "    8", "    5"},
  };
  for (const Tilfaelde &t : tilfaelde) {
    for (uint32_t c = 1; c <= 8; ++c) Pw()->ElevSpaerring(s, c) = c <= t.blokeret;
    e->akt_prio_1 = t.placeret;
    e->akt_prio_2 = e->akt_prio_3 = 0;
    e->onske_prio_1 = t.oensket;
    e->onske_prio_2 = 0;
    EXPECT_EQ(Tekst(2, 5, 0, s), t.mangler) << t.hvad;
    EXPECT_EQ(Tekst(19, 5, 0, s), t.m2) << t.hvad;
    EXPECT_EQ(Tekst(1, 5, 0, s), "    " + std::to_string(t.placeret)) << t.hvad;
  }
}

TEST_F(ElevOversigtTekster, WeekdayOnTheFirstSlotOfADayAndWeeksAfterTheLockAsGlyphs) {
  Gruppe8(1);
  AabnBegge();
  std::vector<std::string> dage;
  for (uint32_t c = 1; c <= 8; ++c) dage.push_back(Tekst(27, 2, PpPosition(Pw(), SlotPaa(c)), 0));
  EXPECT_EQ(dage, (std::vector<std::string>{"Ma", "  ", "  ", "  ", "Ti", "  ", "  ", "  "}));
  // The lock date lies in week 2024-40.
  PpRec *p = PpRecNr(pp[0]);
  const uint32_t c = PpPosition(Pw(), pp[0]);
  p->ugenr = 202440;
  EXPECT_EQ(Tekst(25, 2, c, 0), "40");
  p->ugenr = 202441;
  EXPECT_EQ(Tekst(25, 2, c, 0), G(33 + 4) + G(33 + 1));
  p->ugenr = 202509;
  EXPECT_EQ(Tekst(25, 2, c, 0), G(33 + 0) + G(33 + 9));
  EXPECT_EQ(Tekst(31, 4, c, 0), "2025");
}

// ==================================================================== Ctrl+X

class ElevOversigtBlokering : public ElevOversigtTest {};

TEST_F(ElevOversigtBlokering, TwiceOnStudentsBlocksTwoUnblockAdvancesAndTheLastCellStays) {
  Gruppe8(3);
  AabnBegge();
  ASSERT_EQ(w->ElevPos.Antal, 3u);
  Flyt(2, 4);
  Flyt(1, 4);  // the last arrow was Up: the advance axis is the students
  Tast('X', tavo::test::ModCtrl);
  Tast('X', tavo::test::ModCtrl);
  EXPECT_EQ(Blok(ElevPaa(1), SlotPaa(4)), 1);
  EXPECT_EQ(Blok(ElevPaa(2), SlotPaa(4)), 1);
  EXPECT_EQ(Blok(ElevPaa(3), SlotPaa(4)), 0);
  EXPECT_EQ(w->ElevPos.Aktuel, 3u);
  EXPECT_TRUE(Pw()->SpaerringAendret);

  Tast(VK_UP);
  Tast('X', tavo::test::ModCtrl);
  EXPECT_EQ(Blok(ElevPaa(2), SlotPaa(4)), 0) << "a blocked cell is unblocked";
  EXPECT_EQ(w->ElevPos.Aktuel, 3u) << "and the cursor advances";

  Tast('X', tavo::test::ModCtrl);
  EXPECT_EQ(Blok(ElevPaa(3), SlotPaa(4)), 1) << "the last cell changes";
  EXPECT_EQ(w->ElevPos.Aktuel, 3u) << "and the cursor stays";

  // Along the slots from the last arrow Right.
  Flyt(3, 6);
  Tast(VK_LEFT);
  Tast(VK_RIGHT);
  Tast('X', tavo::test::ModCtrl);
  EXPECT_EQ(Blok(ElevPaa(3), SlotPaa(6)), 1);
  EXPECT_EQ(w->PpPos.Aktuel, 7u);
  EXPECT_TRUE(Bokse().empty());
}

TEST_F(ElevOversigtBlokering, APlacedSlotAndALockedGroupRefuse) {
  Gruppe8(2);
  AabnBegge();
  const uint32_t s = ElevPosition(Pw(), ElevPaa(1));
  PlacerElevPaaLa(Pw(), la[0], ElevPaa(1), 3);
  ASSERT_EQ(ElevStatusVedPp(Pw(), SlotPaa(2), ElevPaa(1), nullptr), 3);
  Flyt(1, 2);
  Tast('X', tavo::test::ModCtrl);
  EXPECT_EQ(Bokse(), (std::vector<std::string>{kOptaget}));
  EXPECT_EQ(Pw()->ElevSpaerring(s, PpPosition(Pw(), SlotPaa(2))), 0);
  EXPECT_EQ(w->ElevPos.Aktuel, 1u);

  Flyt(1, 5);
  TgRecNr(tg)->Laast = 1;
  TgRecNr(tg)->ExportLaast = 1;
  Tast('X', tavo::test::ModCtrl);
  EXPECT_EQ(Bokse(), (std::vector<std::string>{"Plads ikke blokeret: Tilmeldingsgruppen er låst for redigering.\n"
                                               "Tilmeldingsgruppen er blevet eksporteret til ElevPlan!"}));
  EXPECT_EQ(Pw()->ElevSpaerring(s, PpPosition(Pw(), SlotPaa(5))), 0);
  EXPECT_EQ(w->PpPos.Aktuel, 5u);
  Tast('X');
  EXPECT_TRUE(Bokse().empty()) << "X without Ctrl is no command";
}

// ==================================================================== sizes, group

class ElevOversigtStoerrelse : public ElevOversigtTest {};

TEST_F(ElevOversigtStoerrelse, HeightsByStudentsAndWidthsByTheRule) {
  const int ramme = 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYHSCROLL) + GetSystemMetrics(SM_CYCAPTION) + 55;
  Gruppe8(50);
  AabnBegge();
  EXPECT_EQ(ElevVinHoejde(w, 100000), ramme + 550);
  for (uint32_t i = 50; i < 60; ++i) NyElti(NyElev(7200 + i, "Ny"), tg);
  BuildElevPlanData(Pw());
  EXPECT_EQ(Pw()->ElevAntal, 60u);
  EXPECT_EQ(ElevVinHoejde(w, 100000), ramme + 660);
  EXPECT_EQ(ElevVinHoejde(w, 300), 300);

  const int bredde = int(ObjSwitchBredde(ELEVVIN_RAEKKE_ART, 'K', w->Valgt[ELEVVIN_RAEKKE])) + 16 +
                     (int(ObjSwitchBredde(ELEVVIN_CELLE_ART, 'K', w->Valgt[ELEVVIN_CELLE])) + 1) * 8 +
                     2 * GetSystemMetrics(SM_CXFRAME) + 5;
  EXPECT_EQ(ElevVinBredde(w, 100000), bredde);
  EXPECT_EQ(ElevVinBredde(w, bredde), bredde);
  EXPECT_EQ(ElevVinBredde(w, bredde - 1), bredde - 1);
  EXPECT_EQ(SendMessageA(vin, ENS_BREDDE, 120, 0), 120);
  RECT r;
  GetWindowRect(vin, &r);
  EXPECT_EQ(r.bottom - r.top, std::min(ramme + 550, kDeskH));
}

TEST_F(ElevOversigtStoerrelse, AWeekGroupAndBackRebuildOnTheNext1054WithoutDayLinesInWeeks) {
  Gruppe8(2);
  const uint32_t lektion = tg;
  std::vector<uint32_t> lpp = pp;
  pp.clear();
  la.clear();
  elev.clear();
  tg = NyTg(80, 'U');
  for (uint32_t u = 0; u < 5; ++u) pp.push_back(NyPp(tg, 80000 + u, 202442 + u, 0, 0));
  elev.push_back(NyElev(8200, "Uge elev"));
  NyElti(elev[0], tg);
  tvtg.AktuelRec = lektion;
  tvpp.AktuelRec = lpp[0];
  AabnBegge();
  EXPECT_EQ(w->Art[ELEVVIN_PP], ELEVVIN_PP_LEKTION_ART);
  EXPECT_EQ(w->Art[ELEVVIN_HJOERNE], ELEVVIN_HJOERNE_LEKTION_ART);
  EXPECT_EQ(w->KolonneAntal, 8u);
  const Ens &e = w->ens;
  const int kol = int(e.AkseX.CelleBredde) + 1;
  // The day line at the right edge of slot 4.
  auto dagLinje = [&](uint32_t c) {
    return (tavo::test::WindowPixel(e.hwndCeller, int(c) * kol - 2, 5) & 0xFFFFFF) ==
           (GetSysColor(COLOR_3DDKSHADOW) & 0xFFFFFF);
  };
  SendMessageA(vin, ENS_CELLER_TEGN, 0, 0);
  EXPECT_TRUE(dagLinje(4));
  EXPECT_FALSE(dagLinje(3));

  auto skift = [&](uint32_t g) {
    tvtg.AktuelRec = g;
    Pw()->TgPos.Aktuel = FindObjIdx(Pw()->TgTab, Pw()->TgAntal, g);
    BuildElevPlanData(Pw());
    SendMessageA(vin, AKTUEL_AENDRET, 1, 0);
    tavo::test::PumpUntilIdle();
  };
  skift(tg);
  EXPECT_EQ(w->Art[ELEVVIN_PP], ELEVVIN_PP_UGE_ART);
  EXPECT_EQ(w->Art[ELEVVIN_HJOERNE], ELEVVIN_HJOERNE_UGE_ART);
  EXPECT_EQ(w->KolonneAntal, 5u);
  EXPECT_EQ(w->ElevPos.Antal, 1u);
  EXPECT_EQ(w->ByggetTg, tg);
  SendMessageA(vin, ENS_CELLER_TEGN, 0, 0);
  for (uint32_t c = 1; c < 5; ++c) EXPECT_FALSE(dagLinje(c)) << c;

  skift(lektion);
  EXPECT_EQ(w->Art[ELEVVIN_PP], ELEVVIN_PP_LEKTION_ART);
  EXPECT_EQ(w->KolonneAntal, 8u);
  EXPECT_EQ(w->ElevPos.Antal, 2u);
}

// ==================================================================== end to end

class ElevOversigtHelhed : public ElevOversigtTest {};

TEST_F(ElevOversigtHelhed, ThreeBlocksReachEbOnDiskAndAReloadedWorkspace) {
  Gruppe8(3);
  const uint32_t lektion = tg;
  const uint32_t anden = NyTg(90, 'L');
  NyPp(anden, 90001, 0, 0, 1);
  GemElevTabeller();
  AabnBegge();
  Flyt(1, 3);
  Flyt(1, 3);
  Tast(VK_DOWN);
  Tast(VK_UP);
  Tast('X', tavo::test::ModCtrl);  // row 1, slot 3
  Tast('X', tavo::test::ModCtrl);  // row 2, slot 3
  Flyt(3, 7);
  Tast(VK_UP);
  Tast(VK_DOWN);
  Tast('X', tavo::test::ModCtrl);  // row 3, slot 7
  EXPECT_TRUE(Bokse().empty());
  // Records are packed: their ids are read by value.
  auto par = [](uint32_t e, uint32_t p) { return std::pair<uint32_t, uint32_t>(+ElevRecNr(e)->id, +PpRecNr(p)->id); };
  std::vector<std::pair<uint32_t, uint32_t>> blokke = {par(ElevPaa(1), SlotPaa(3)), par(ElevPaa(2), SlotPaa(3)),
                                                       par(ElevPaa(3), SlotPaa(7))};
  const auto ebFil = rod / "data" / "eb.DAT";
  const auto foer = std::filesystem::exists(ebFil) ? std::filesystem::file_size(ebFil) : 0;
  for (uint32_t g : {anden, lektion}) {
    tvtg.AktuelRec = g;
    Pw()->TgPos.Aktuel = FindObjIdx(Pw()->TgTab, Pw()->TgAntal, g);
    BuildElevPlanData(Pw());
    SendMessageA(vin, AKTUEL_AENDRET, 1, 0);
  }
  ASSERT_TRUE(std::filesystem::exists(ebFil));
  EXPECT_GT(std::filesystem::file_size(ebFil), foer);

  DestroyWindow(vin);
  DestroyWindow(plan);
  LaesElevTabeller();
  FrigivElevPlanWS(ws);
  ws = NytElevPlanWS('K', 1);
  tvtg.AktuelRec = FindElevRec(&tdtg, &tvtg, 70);
  BuildElevPlanData(ws);
  std::vector<std::pair<uint32_t, uint32_t>> fundet;
  for (uint32_t s = 1; s <= ws->ElevAntal; ++s)
    for (uint32_t c = 1; c <= ws->PpAntal; ++c)
      if (ws->ElevSpaerring(s, c)) fundet.push_back(par(ws->ElevTab[s], ws->PpTab[c]));
  std::sort(fundet.begin(), fundet.end());
  std::sort(blokke.begin(), blokke.end());
  EXPECT_EQ(fundet, blokke);
}

}  // namespace
