// The student planning window in the running program on the made school,
// opened and driven as a user does it on the private X server. The main
// menu has no entry of its own for the window, so the user picks the made
// school's saved screen layout that holds it from "Diverse" > "Egne vinduer"
// with the mouse; the window opens for the current enrolment group over the
// desktop. Ctrl+K then asks dialog 151 for the number of runs, answered on
// the keyboard with 5 and Enter; when the runs are over the window shows the
// best plan with its students placed. Both photographs are kept beside the
// test in the build as elevplan_vindue.png and elevplan_placeret.png.
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

// The steps once the main window is up: the menu bar's "Diverse", its
// "Egne vinduer" and the saved screen "&1 . Planlægning" below them, clicked
// where the menu draws them at the screen's 1280 x 1024, and the window is
// photographed once its picture has settled; then Ctrl+K, the dialog's
// number field (focused, its text selected) gets 5 and Enter takes the
// dialog's OK; once the dialog is gone and the picture settled again, the
// planned window is photographed.
constexpr const char *kSkridt = R"(
xdotool mousemove 684 27 click 1
sleep 1
xdotool mousemove 721 88 click 1
sleep 1
xdotool mousemove 836 156 click 1
sleep 2
"$xvindue" vent "- TAVO-skema" 30
"$xvindue" foto "$ELEVPLAN_FOER"
xdotool key ctrl+k
"$xvindue" vent "Automatisk placering" 30 || return 1
xdotool type 5
xdotool key Return
for i in $(seq 300); do "$xvindue" findes "Automatisk placering" || break; sleep 0.1; done
! "$xvindue" findes "Automatisk placering" || return 1
"$xvindue" vent "- TAVO-skema" 60
"$xvindue" foto "$ELEVPLAN_EFTER"
)";

// The planning window's frame on a photograph: its active caption below the
// main window's toolbar, across the left part of the desktop only.
int Kaptionslinje(const Billede &b) {
  const COLORREF kaption = GetSysColor(COLOR_ACTIVECAPTION), inaktiv = GetSysColor(COLOR_INACTIVECAPTION);
  for (int y = 75; y < 160; ++y)
    if (b.Antal(y, 0, 600, kaption) + b.Antal(y, 0, 600, inaktiv) >= 400) return y;
  return -1;
}

// Pixels that differ between two photographs in the window's rows below
// its current (first) one, from its caption line, between x0 and x1.
int Forskel(const Billede &a, const Billede &b, int kaption, int x0, int x1) {
  int n = 0;
  for (int y = kaption + 110; y < kaption + 245; ++y)
    for (int x = x0; x < x1; ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
  return n;
}

TEST(ElevPlanVindueGui, OpenedFromTheMenuAndPlannedWithCtrlKShowsTheBestPlan) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  char skabelon[] = "/tmp/elevplan_gui_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const fs::path rod = skabelon;
  const fs::path data = rod / "data", foer = rod / "foer.png", efter = rod / "efter.png";

  const int status =
      KoerDemo(server, rod, kSkridt, {{"ELEVPLAN_FOER", foer.string()}, {"ELEVPLAN_EFTER", efter.string()}});
  const std::string log = Laes(rod / "demo.log");
  ASSERT_TRUE(WIFEXITED(status)) << log;
  EXPECT_EQ(WEXITSTATUS(status), 0) << log;
  EXPECT_NE(log.find("the main program has ended"), std::string::npos) << log;
  EXPECT_FALSE(fs::exists(data / "ini" / "tavo.lck"));

  Billede b(foer.string()), e(efter.string());
  ASSERT_GT(b.w, 0) << foer;
  ASSERT_GT(e.w, 0) << efter;
  std::error_code ec;
  fs::copy_file(foer, TAVO_BINARY_DIR "/tests/klient/shell/gui/elevplan_vindue.png",
                fs::copy_options::overwrite_existing, ec);
  fs::copy_file(efter, TAVO_BINARY_DIR "/tests/klient/shell/gui/elevplan_placeret.png",
                fs::copy_options::overwrite_existing, ec);
  // The window covers the left part of the desktop, which shows beside it.
  const COLORREF skrivebord = RGB(210, 210, 255);
  const int y = Kaptionslinje(b);
  ASSERT_GE(y, 0) << "no caption of the planning window";
  EXPECT_EQ(b.Antal(y, 700, b.w - 20, GetSysColor(COLOR_ACTIVECAPTION)), 0);
  EXPECT_GT(b.Antal(y + 400, 700, b.w - 20, skrivebord), 100) << "no desktop beside the window";
  EXPECT_EQ(b.Antal(y + 400, 20, 300, skrivebord), 0) << "the window does not cover the desktop";
  // After the runs the same window shows the activities' blocks laid anew
  // in its plan cells, and students placed in its counts of placed students
  // (columns A, A1 and A2), where the made school had none; no dialog is
  // left.
  EXPECT_EQ(Kaptionslinje(e), y);
  EXPECT_GT(Forskel(b, e, y, 360, 636), 200) << "the plan is as it was";
  EXPECT_GT(Forskel(b, e, y, 172, 252), 200) << "no students placed";
  EXPECT_GT(e.Antal(e.h / 2, 700, e.w - 20, skrivebord), 300) << "a dialog is left over the desktop";

  fs::remove_all(rod);
}

}  // namespace
