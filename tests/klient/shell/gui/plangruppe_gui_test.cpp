// The plan groups window in the running program on the made school (one
// plan group "Fagplan 2026/27" and its B team: records 1 and 2), used as a
// user does it on the private X server: Ctrl+F2 opens it, a new group is
// typed on the empty row, the type-ahead finds it and Enter chooses it with
// the plan window closed, so the plan groups window closes and the plan
// window opens on the new group. The photographs are kept beside the test
// in the build as plan_grupper.png and plan_grupper_plan.png.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "billede.h"
#include "demo_koersel.h"
#include "windows.h"

namespace fs = std::filesystem;

namespace {

using guitest::KoerDemo;
using guitest::Laes;

constexpr const char *kSkridt = R"(
xdotool key ctrl+F2
sleep 2
xdotool key Down Down Down
sleep 0.5
xdotool key F2
sleep 1
xdotool type --delay 50 'Xtra plan'
xdotool key Return
sleep 2
"$xvindue" foto "$GRUPPE_FOTO"
xdotool key x
sleep 0.5
xdotool key Return
sleep 2
for i in $(seq 300); do "$xvindue" findes "Load data" || break; sleep 0.1; done
sleep 2
"$xvindue" foto "$PLAN_FOTO"
xdotool key alt+F2
sleep 3
)";

TEST(PlanGruppeVindueGui, NyGruppeVaelgesOgPlanvinduetAabnerPaaDen) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  char skabelon[] = "/tmp/plangruppe_gui_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const fs::path rod = skabelon;
  const fs::path data = rod / "data", gruppeFoto = rod / "grupper.png", planFoto = rod / "plan.png";

  const int status =
      KoerDemo(server, rod, kSkridt, {{"GRUPPE_FOTO", gruppeFoto.string()}, {"PLAN_FOTO", planFoto.string()}});
  const std::string log = Laes(rod / "demo.log");
  ASSERT_TRUE(WIFEXITED(status)) << log;
  EXPECT_EQ(WEXITSTATUS(status), 0) << log;
  EXPECT_NE(log.find("the main program has ended"), std::string::npos) << log;

  std::error_code ec;
  fs::copy_file(gruppeFoto, TAVO_BINARY_DIR "/tests/klient/shell/gui/plan_grupper.png",
                fs::copy_options::overwrite_existing, ec);
  fs::copy_file(planFoto, TAVO_BINARY_DIR "/tests/klient/shell/gui/plan_grupper_plan.png",
                fs::copy_options::overwrite_existing, ec);
  Billede b(gruppeFoto.string());
  ASSERT_GT(b.w, 0) << gruppeFoto;

  // The new group is record 3, written as the chosen group; the plan window
  // opened after the plan groups window had closed.
  const std::string ini = Laes(data / "ini" / "tavo.ini");
  EXPECT_NE(ini.find("ffplangruppe=3\r\n"), std::string::npos) << ini;
  const std::string ffpg = Laes(data / "data" / "ffpg.DAT");
  EXPECT_NE(ffpg.find("Xtra plan"), std::string::npos) << "the new group was not saved";
  const std::string tavolog = Laes(data / "log" / "tavo.log");
  EXPECT_NE(tavolog.find("CreatePlan() start"), std::string::npos) << tavolog;

  fs::remove_all(rod);
}

}  // namespace
