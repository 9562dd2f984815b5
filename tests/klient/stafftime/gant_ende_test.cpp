// The activity Gantt chart on a demo data folder, opened by its menu command
// through the shell's factory, switched to its statement by a digit key and
// back by its switch button.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "../shell/objektvindue_support.h"
#include "../ui/switch_fixture.h"
#include "FARVER.h"
#include "GANT.h"
#include "NYBUTTON.h"
#include "SWITCH.h"
#include "medtime_fixture.h"
#include "tavo/test_gdi.h"

namespace {

using namespace objvin_test;

class GantEndeTilEnde : public ObjektvindueTest {
 protected:
  void TearDown() override {
    FrigivSwitchTab();
    ObjektvindueTest::TearDown();
    storetest::TomAlleTabeller();
    std::error_code ec;
    if (!skole.empty()) std::filesystem::remove_all(skole, ec);
  }
  static void Snapshot(HWND h, const char *navn) {
    if (const char *ud = std::getenv("TAVO_SNAPSHOT_DIR"))
      tavo::test::SaveWindowPng(h, (std::string(ud) + "/" + navn).c_str());
  }
  std::filesystem::path skole;
};

TEST_F(GantEndeTilEnde, TheMenuCommandOpensTheActivityChartAndItsStatement) {
  ASSERT_NO_FATAL_FAILURE(switchtest::LavLilleSkole("gant", &skole));
  LaesSwitchIni();
  farver_intern::InitPaletteDybde(32);
  ASSERT_TRUE(RegistrerGantKlasse(0));
  medtimetest::RammeKlasser();

  HWND h = OpretObjektVindue(hoved, 40146, 0, nullptr);
  ASSERT_NE(h, 0u);
  PumpUntilIdle();
  auto *ws = reinterpret_cast<GANTWS *>(GetWindowLongPtrA(h, GWLP_USERDATA));
  ASSERT_NE(ws, nullptr);
  EXPECT_EQ(GetParent(h), desktop);
  EXPECT_EQ(SendMessageA(h, VINDUE_ART, 0, 0), 40146);
  EXPECT_GT(uint32_t{ws->ens.ObjTabAntal}, 0u);
  EXPECT_STREQ(ws->ens.Titel, "Aktivitets gantkort");
  // Some row of the demo carries a bar.
  bool bjaelke = false;
  for (uint32_t r = 1; r <= ws->ens.ObjTabAntal && !bjaelke; ++r)
    for (uint32_t w = 1; w <= ws->UgeAntal && !bjaelke; ++w) bjaelke = GantTegn(ws, ws->ens.ObjTab[r], w) != 0;
  EXPECT_TRUE(bjaelke);
  Snapshot(h, "gant_kort.png");

  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  SendMessageA(h, WM_KEYDOWN, '6', 0);
  PumpUntilIdle();
  EXPECT_EQ(ws->Switch, 5);
  EXPECT_EQ(ws->Opgoerelse, 1);
  EXPECT_STREQ(ws->ens.Titel, "Aktivitets opgørelse");
  Snapshot(h, "gant_opgoerelse.png");

  SendMessageA(h, NYB_KLIK, ENS_SKIFT_ID + 0, 0);
  PumpUntilIdle();
  EXPECT_EQ(ws->Switch, 0);
  EXPECT_EQ(ws->Opgoerelse, 0);
  EXPECT_STREQ(ws->ens.Titel, "Aktivitets gantkort");
  DestroyWindow(h);
}

}  // namespace
