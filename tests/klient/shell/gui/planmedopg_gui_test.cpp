// The plan's staff summary tile in the running program on the made school:
// Alt+F2 opens the plan window, and the function-key screen docks the
// "PlanOpg" tile beside the hours statement under it. The photograph is
// kept beside the test in the build as plan_opg.png.
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
xdotool key alt+F2
sleep 2
for i in $(seq 300); do "$xvindue" findes "Load data" || break; sleep 0.1; done
sleep 2
"$xvindue" foto "$PLAN_FOTO"
xdotool key alt+F2
sleep 3
)";

TEST(PlanMedOpgGui, AltF2DokkerOpgoerelsenAfPlanen) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  char skabelon[] = "/tmp/planmedopg_gui_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const fs::path rod = skabelon;
  const fs::path foto = rod / "plan.png";

  const int status = KoerDemo(server, rod, kSkridt, {{"PLAN_FOTO", foto.string()}});
  const std::string log = Laes(rod / "demo.log");
  ASSERT_TRUE(WIFEXITED(status)) << log;
  EXPECT_EQ(WEXITSTATUS(status), 0) << log;

  Billede b(foto.string());
  ASSERT_GT(b.w, 0) << foto;
  std::error_code ec;
  fs::copy_file(foto, TAVO_BINARY_DIR "/tests/klient/shell/gui/plan_opg.png", fs::copy_options::overwrite_existing,
                ec);
  // Under the plan window, in the middle third of the screen beside the
  // hours statement, the tile's grid: its six lines across the figures, in
  // the 3-D dark colour. Without the tile that strip is the desktop's.
  const COLORREF streg = GetSysColor(COLOR_3DDKSHADOW);
  int linjer = 0;
  for (int y = b.h * 82 / 100; y < b.h * 97 / 100; ++y)
    if (b.Antal(y, b.w / 3, b.w * 2 / 3, streg) >= 150) ++linjer;
  EXPECT_GE(linjer, 5) << "no summary tile under the plan window";

  fs::remove_all(rod);
}

}  // namespace
