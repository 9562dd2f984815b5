// The plan window in the running program on the made school, opened and
// closed as a user does it on the private X server: Alt+F2 opens it behind
// its load dialog with the school's plan, under the main window's toolbar
// with the hours statement docked below it; Alt+F2 again closes it, and the
// close saves the plan tables. The photograph is kept beside the test in
// the build as plan_vindue.png.
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

// Once the main window is up: Alt+F2, the photograph once the load dialog
// is gone and the picture has settled, then Alt+F2 again and a moment for
// the save.
constexpr const char *kSkridt = R"(
xdotool key alt+F2
sleep 2
for i in $(seq 300); do "$xvindue" findes "Load data" || break; sleep 0.1; done
sleep 2
"$xvindue" foto "$PLAN_FOTO"
xdotool key alt+F2
sleep 3
)";

TEST(PlanVindueGui, AltF2AabnerPlanenOgLukkerOgGemmerDen) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  char skabelon[] = "/tmp/planvindue_gui_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const fs::path rod = skabelon;
  const fs::path data = rod / "data", foto = rod / "plan.png";

  const int status = KoerDemo(server, rod, kSkridt, {{"PLAN_FOTO", foto.string()}});
  const std::string log = Laes(rod / "demo.log");
  ASSERT_TRUE(WIFEXITED(status)) << log;
  EXPECT_EQ(WEXITSTATUS(status), 0) << log;
  EXPECT_NE(log.find("the main program has ended"), std::string::npos) << log;

  Billede b(foto.string());
  ASSERT_GT(b.w, 0) << foto;
  std::error_code ec;
  fs::copy_file(foto, TAVO_BINARY_DIR "/tests/klient/shell/gui/plan_vindue.png", fs::copy_options::overwrite_existing,
                ec);
  // The plan window's active caption runs across most of the screen below
  // the toolbar, and its rows fill the area under it.
  const COLORREF kaption = GetSysColor(COLOR_ACTIVECAPTION);
  int y = -1;
  for (int r = 60; r < 120 && y < 0; ++r)
    if (b.Antal(r, 0, b.w, kaption) > b.w / 2) y = r;
  ASSERT_GE(y, 0) << "no caption of the plan window";
  const COLORREF hvid = RGB(255, 255, 255);
  EXPECT_LT(b.Antal(y + 300, 0, b.w / 2, hvid), b.w / 4) << "no rows in the plan window";

  // Closing saved the plan: the log says the window went, and the plan
  // tables are in the data folder.
  const std::string tavolog = Laes(data / "log" / "tavo.log");
  EXPECT_NE(tavolog.find("CreatePlan() start"), std::string::npos) << tavolog;
  EXPECT_NE(tavolog.find("PlanWndProc() WM_DESTROY slut"), std::string::npos) << tavolog;
  EXPECT_TRUE(fs::exists(data / "data" / "ffgrund.dat") || fs::exists(data / "data" / "ffgrund.DAT"));

  fs::remove_all(rod);
}

}  // namespace
