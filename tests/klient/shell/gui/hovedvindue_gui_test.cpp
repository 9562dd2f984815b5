// The main window of the running program on the made school, driven on the
// private X server as a user drives it: the week schedule of F5 moved three
// columns on moves the program's date away from today and Ctrl+F4 closes it;
// Ctrl+Shift+D makes today the date again, as the date pane shows; the
// toolbar's "Gem data" button saves the tables (the program log says so for
// each); and Alt+F4 ends the program, with no question, as nothing is left
// unsaved. The photographs of the date pane are compared; the last one is
// kept beside the test in the build as hovedvindue_dato.png.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "billede.h"
#include "demo_koersel.h"
#include "windows.h"

namespace fs = std::filesystem;

namespace {

using guitest::KoerDemo;
using guitest::Laes;

// The steps once the main window is up. The log lines of saved tables are
// counted before and after the click on the toolbar's first button (the
// disk, "Gem data", at the screen's 1280 x 1024); the program is gone once
// Alt+F4 has been given, or the steps fail.
constexpr const char *kSkridt = R"(
log="$HOVED_DATA/log/tavo.log"
"$xvindue" foto "$HOVED_FOTO/start.png"
xdotool key F5
sleep 2
"$xvindue" vent "- TAVO-skema" 30
xdotool key Right Right Right
sleep 1
xdotool key ctrl+F4
sleep 1
"$xvindue" vent "- TAVO-skema" 30
"$xvindue" foto "$HOVED_FOTO/flyttet.png"
xdotool key ctrl+shift+d
sleep 1
"$xvindue" vent "- TAVO-skema" 30
"$xvindue" foto "$HOVED_FOTO/idag.png"
grep -a -c "Data gemmes" "$log" > "$HOVED_FOTO/foer.txt" || true
xdotool mousemove 19 51 click 1
sleep 2
"$xvindue" vent "- TAVO-skema" 30
grep -a -c "Data gemmes" "$log" > "$HOVED_FOTO/efter.txt" || true
xdotool key alt+F4
for i in $(seq 100); do "$xvindue" findes "- TAVO-skema" || break; sleep 0.1; done
! "$xvindue" findes "- TAVO-skema"
)";

// The date pane: the status row's pane right of the open/locked pane.
bool SammeDato(const Billede &a, const Billede &b) {
  for (int y = a.h - 40; y < a.h - 22; ++y)
    for (int x = 945; x < 1030; ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

TEST(HovedvindueGui, CtrlShiftDGemDataAndAltF4AsAUserGivesThem) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  char skabelon[] = "/tmp/hovedvindue_gui_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const fs::path rod = skabelon;
  const fs::path data = rod / "data";

  const int status = KoerDemo(server, rod, kSkridt, {{"HOVED_FOTO", rod.string()}, {"HOVED_DATA", data.string()}});
  const std::string log = Laes(rod / "demo.log");
  ASSERT_TRUE(WIFEXITED(status)) << log;
  EXPECT_EQ(WEXITSTATUS(status), 0) << log;
  EXPECT_NE(log.find("the main program has ended"), std::string::npos) << log;
  EXPECT_FALSE(fs::exists(data / "ini" / "tavo.lck"));

  // The date moved with the schedule's columns and came back to today's.
  Billede start((rod / "start.png").string()), flyttet((rod / "flyttet.png").string()),
      idag((rod / "idag.png").string());
  ASSERT_GT(start.w, 0);
  ASSERT_GT(flyttet.w, 0);
  ASSERT_GT(idag.w, 0);
  std::error_code ec;
  fs::copy_file(rod / "idag.png", TAVO_BINARY_DIR "/tests/klient/shell/gui/hovedvindue_dato.png",
                fs::copy_options::overwrite_existing, ec);
  EXPECT_FALSE(SammeDato(start, flyttet)) << "the date did not move";
  EXPECT_TRUE(SammeDato(start, idag)) << "the date is not today's again";

  // "Gem data" saved the tables.
  const int foer = std::atoi(Laes(rod / "foer.txt").c_str()), efter = std::atoi(Laes(rod / "efter.txt").c_str());
  EXPECT_GT(efter, foer) << "nothing saved";

  fs::remove_all(rod);
}

}  // namespace
