// The student planning window in the running program on the made school,
// opened as a user opens it on the private X server. The main menu has no
// entry of its own for the window (the Elevplan menu is only there with the
// Elevplan switch on, which no setting turns on), so the data folder is
// given a saved screen layout that holds it, and the user picks that layout
// from "Diverse" > "Egne vinduer" with the mouse. The window opens for the
// current enrolment group over the desktop; its photograph is kept beside
// the test in the build as elevplan_vindue.png.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "billede.h"
#include "windows.h"

namespace fs = std::filesystem;

namespace {

std::string Laes(const fs::path &fil) {
  std::ifstream f(fil, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// The steps once the main window is up: the menu bar's "Diverse", its
// "Egne vinduer" and the saved screen "&1 . Planlægning" below them, clicked
// where the menu draws them at the screen's 1280 x 1024; then the window is
// photographed.
constexpr const char *kSkridt = R"(
xdotool mousemove 684 27 click 1
sleep 1
xdotool mousemove 721 88 click 1
sleep 1
xdotool mousemove 836 156 click 1
sleep 4
"$xvindue" foto "$ELEVPLAN_FOTO"
)";

TEST(ElevPlanVindueGui, TheSavedScreenChosenFromTheMenuOpensTheWindowOverTheDesktop) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  char skabelon[] = "/tmp/elevplan_gui_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const fs::path rod = skabelon;
  const fs::path prog = rod / "program", data = rod / "data", foto = rod / "elevplan.png", skridt = rod / "skridt.sh";

  // The made school, and screen layout 1 holding the planning window alone.
  const std::string lav = "'" TAVO_BINARY_DIR "/tools/mkdata/mkdata' '" + data.string() + "' --size small > '" +
                          (rod / "mkdata.log").string() + "' 2>&1";
  ASSERT_EQ(std::system(lav.c_str()), 0) << Laes(rod / "mkdata.log");
  const std::string skrm = (data / "ini" / "skrm.ini").string();
  int32_t vaerdi[] = {40225, 1024, 768};
  ASSERT_TRUE(WritePrivateProfileStringA("skrm1", "navn", "Planlægning", skrm.c_str()));
  ASSERT_TRUE(WritePrivateProfileStructA("skrm1", "desk0_id", &vaerdi[0], 4, skrm.c_str()));
  ASSERT_TRUE(WritePrivateProfileStructA("skrm1", "skrm_cx", &vaerdi[1], 4, skrm.c_str()));
  ASSERT_TRUE(WritePrivateProfileStructA("skrm1", "skrm_cy", &vaerdi[2], 4, skrm.c_str()));
  std::ofstream(skridt) << kSkridt;

  const std::string kommando = "DISPLAY='" + std::string(server) + "' ELEVPLAN_FOTO='" + foto.string() + "' bash '" +
                               TAVO_SOURCE_DIR_DEMO "/tools/demo.sh'" + " --build '" TAVO_BINARY_DIR "' --program '" +
                               prog.string() + "' --data '" + data.string() + "' --shot '" +
                               (rod / "skaerm.png").string() + "' --menu-shot '" + (rod / "menu.png").string() +
                               "' --steps '" + skridt.string() + "' > '" + (rod / "demo.log").string() + "' 2>&1";
  const int status = std::system(kommando.c_str());
  const std::string log = Laes(rod / "demo.log");
  ASSERT_TRUE(WIFEXITED(status)) << log;
  EXPECT_EQ(WEXITSTATUS(status), 0) << log;
  EXPECT_NE(log.find("the main program has ended"), std::string::npos) << log;
  EXPECT_FALSE(fs::exists(data / "ini" / "tavo.lck"));

  Billede b(foto.string());
  ASSERT_GT(b.w, 0) << foto;
  std::error_code ec;
  fs::copy_file(foto, TAVO_BINARY_DIR "/tests/klient/shell/gui/elevplan_vindue.png", fs::copy_options::overwrite_existing, ec);
  // Below the main window's toolbar the planning window's active caption
  // runs across the left part of the desktop and stops short of its right
  // part, which shows the desktop still.
  const COLORREF kaption = GetSysColor(COLOR_ACTIVECAPTION), skrivebord = RGB(210, 210, 255);
  int y = 75;
  while (y < 160 && b.Antal(y, 0, 600, kaption) < 400) ++y;
  ASSERT_LT(y, 160) << "no caption of the planning window";
  EXPECT_EQ(b.Antal(y, 700, b.w - 20, kaption), 0);
  EXPECT_GT(b.Antal(y + 400, 700, b.w - 20, skrivebord), 100) << "no desktop beside the window";
  EXPECT_EQ(b.Antal(y + 400, 20, 300, skrivebord), 0) << "the window does not cover the desktop";

  fs::remove_all(rod);
}

}  // namespace
