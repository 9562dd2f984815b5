// The timesheet on a demo data folder, opened by its menu commands through
// the shell's factory: free on the desktop and small in the bottom row of
// the screen layout, both on the selected employment's current month.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "../shell/objektvindue_support.h"
#include "../ui/switch_fixture.h"
#include "FARVER.h"
#include "MEDTIME.h"
#include "medtime_fixture.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "SWITCH.h"
#include "tavo/test_gdi.h"

namespace {

using namespace objvin_test;

class MedTimeEndeTilEnde : public ObjektvindueTest {
 protected:
  void TearDown() override {
    FrigivSwitchTab();
    ObjektvindueTest::TearDown();
    storetest::TomAlleTabeller();
    std::error_code ec;
    if (!skole.empty()) std::filesystem::remove_all(skole, ec);
  }
  // An employment with a live schedule row in a week of the month.
  static uint32_t AnsatMedSkema(Maaned m) {
    Uge u = 0;
    uint8_t wd = 0;
    DatoTilUge(m * 100 + 8, &u, &wd);
    const TabVar *b = SkemabegBucket(u);
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const auto *s = reinterpret_cast<const SkeRec *>(GetRec(&tdske, b, r));
      if (s->anfo_id && SkeRaekkeLever(s->Status)) return s->anfo_id;
    }
    return 0;
  }
  static void Snapshot(HWND h, const char *navn) {
    if (const char *ud = std::getenv("TAVO_SNAPSHOT_DIR"))
      tavo::test::SaveWindowPng(h, (std::string(ud) + "/" + navn).c_str());
  }
  std::filesystem::path skole;
};

TEST_F(MedTimeEndeTilEnde, OpensOnTheSelectedEmploymentsMonthFreeAndSmall) {
  ASSERT_NO_FATAL_FAILURE(switchtest::LavLilleSkole("medtime", &skole));
  LaesSwitchIni();
  farver_intern::InitPaletteDybde(32);
  ASSERT_TRUE(RegistrerMedTimeKlasse(0));
  medtimetest::RammeKlasser();
  SaetAktuelDato(20260915);
  const uint32_t anfo = AnsatMedSkema(202609);
  ASSERT_NE(anfo, 0u) << "the demo schedules its staff in September";
  tvanfo.AktuelRec = anfo;

  HWND h = OpretObjektVindue(hoved, kMedTimeVindue, 0, nullptr);
  ASSERT_NE(h, 0u);
  PumpUntilIdle();
  MedTime *mt = MedTimeVinduesWS(h);
  ASSERT_NE(mt, nullptr);
  EXPECT_EQ(GetParent(h), desktop);
  EXPECT_EQ(MedTimeAnfo(mt), anfo);
  EXPECT_EQ(IndeksTilMaaned(mt->MndTab[mt->AktuelMnd]), 202609u);
  ASSERT_GT(mt->LinieAntal, 2u);
  bool undervisning = false;
  for (uint32_t i = 2; i <= mt->LinieAntal; ++i) undervisning |= mt->LinieTab[i].Art == 'U';
  EXPECT_TRUE(undervisning);
  EXPECT_GT(mt->LinieTab[1].Lektioner, 0.0f);
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  for (char c : {'1', '2', '3'}) {
    SendMessageA(h, WM_KEYDOWN, static_cast<WPARAM>(c), 0);
    PumpUntilIdle();
    EXPECT_EQ(mt->Layout, static_cast<uint32_t>(c - '1'));
    Snapshot(h, (std::string("medtime_layout") + c + ".png").c_str());
  }
  SendMessageA(h, WM_KEYDOWN, '1', 0);

  HWND lille = TilfoejElementVindue(kMedTimeBund, true);
  ASSERT_NE(lille, 0u);
  PumpUntilIdle();
  MedTime *ml = MedTimeVinduesWS(lille);
  ASSERT_NE(ml, nullptr);
  EXPECT_EQ(ml->Lille, 1);
  const ElementCelle *c = CelleAf(kMedTimeBund);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(GetParent(lille), +c->hwndElement);
  EXPECT_EQ(+c->Desk, 1u) << "the bottom row";
  EXPECT_EQ(MedTimeAnfo(ml), anfo);
  EXPECT_EQ(IndeksTilMaaned(ml->MndTab[ml->AktuelMnd]), 202609u);
  EXPECT_EQ(ml->LinieAntal, mt->LinieAntal);
  Snapshot(lille, "medtime_lille.png");
  DestroyWindow(h);
  CloseAllElements();
  PumpUntilIdle();
}

}  // namespace
