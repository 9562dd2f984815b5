// The plan group assignment window in a real X window under the private X
// server: a few memberships marked, the cursor on one of them; the screen
// is kept in the build folder as tildel_plangruppe.png to be looked at.
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "../tildel_fixtur.h"
#include "pump.h"

namespace {

using namespace tildeltest;

using plangui::Pump;

class TildelPlanGruppeGui : public TildelVindueTest {
 protected:
  void SetUp() override {
    const char *server = std::getenv("TAVO_XVFB_DISPLAY");
    if (!server || !*server) GTEST_SKIP() << "no private X server";
    setenv("DISPLAY", server, 1);
    setenv("TAVO_DISPLAY", "x11", 1);
    TildelVindueTest::SetUp();
  }
};

TEST_F(TildelPlanGruppeGui, TheMatrixWithItsMembersReachesTheScreen) {
  Skole();
  Gruppe("Hele året", 20240801, 20250731);
  for (const char *navn : {"1a Dansk", "1b Dansk", "2a Matematik", "2b Engelsk", "3a Fysik"})
    Hold(navn, 20240801, 20250731);
  AddPgRel(g1, a1, 'K');
  AddPgRel(g2, a1, 'K');
  AddPgRel(g1, a2, 'K');
  HWND h = Aabn();
  ASSERT_NE(h, 0u);
  Pump(200);
  RelWS *ws = Ws(h);
  EXPECT_EQ(ws->Kol.ObjTabAntal, 3u);
  EXPECT_GE(ws->Raekke.ObjTabAntal, 7u);
  const std::string fil = std::string(TAVO_BINARY_DIR) + "/tildel_plangruppe.png";
  EXPECT_TRUE(tavo::test::SaveWindowPng(h, fil.c_str()));
  DestroyWindow(h);
  Pump(50);
}

}  // namespace
