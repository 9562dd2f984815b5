// The plan painted in a real X window under the private X server, by
// activity and by employee, in lessons and in hours: it reaches the screen,
// and a snapshot of each is kept in the build folder to be looked at.
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "../plantegning_fixtur.h"
#include "pump.h"

namespace {

using namespace plantest;

using plangui::Pump;

class PlanTegningGui : public PlanTegningFixtur {
 protected:
  void SetUp() override {
    const char *server = std::getenv("TAVO_XVFB_DISPLAY");
    if (!server || !*server) GTEST_SKIP() << "no private X server";
    setenv("DISPLAY", server, 1);
    setenv("TAVO_DISPLAY", "x11", 1);
    PlanTegningFixtur::SetUp();
  }
};

TEST_F(PlanTegningGui, ThePlanByActivityAndByEmployeeInLessonsAndHours) {
  const struct {
    const char *navn;
    char visning;
    bool timer;
  } visninger[] = {{"A_lektion", 'A', false}, {"A_timer", 'A', true}, {"M_lektion", 'M', false}, {"M_timer", 'M', true}};
  bool mVist = false;
  for (const auto &v : visninger) {
    SCOPED_TRACE(v.navn);
    if (v.visning == 'M' && !mVist) {
      VisningM();
      mVist = true;
    }
    plan.MedaVisning = 0;
    plan.DetaljeNiveau = 0;
    if (v.timer) Timer();
    plan.StyrY.Pos.Aktuel = 2;
    plan.StyrX.Pos.Aktuel = 6;
    Aabn();
    E().Aktiv = 1;
    E().CaptionAktiv = 1;
    // The panes' own paint messages come while the window is mapped; the
    // whole paint follows them.
    Pump(200);
    TegnPlan(&plan, PLAN_TEGN_ALT);
    Pump(100);
    EXPECT_EQ(CellePixel(E().hwndCeller, PLAN_OMR_UGER, 6, 2, 1, 0), FarveTab[1]);
    const std::string fil = std::string(TAVO_BINARY_DIR) + "/plan_" + v.navn + ".png";
    EXPECT_TRUE(tavo::test::SaveWindowPng(vindue, fil.c_str()));
    DestroyWindow(vindue);
    vindue = 0;
    Pump(50);
  }
}

}  // namespace
