// The activity Gantt chart in the running program on the made school,
// opened from "Diverse" > "Special vinduer" > "Aktivitets Gantkort
// (Single)" with the mouse on the private X server and photographed; a click
// on an earlier week makes it the highlighted one and leaves the switch
// buttons in place; the Right key then moves the highlighted week column one
// week (8 pixels) further right. The first and the last
// photograph are kept beside the test in the build as gant_vindue.png and
// gant_hoejre.png.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "billede.h"
#include "demo_koersel.h"
#include "windows.h"

namespace fs = std::filesystem;

namespace {

using guitest::KoerDemo;
using guitest::Laes;

// The menu bar's "Diverse", its "Special vinduer" and the chart's entry
// (the thirteenth, below two separators), where the menu draws them at the
// screen's 1280 x 1024; a photograph, a click on an earlier week of the
// current row, another photograph, Right, and a third.
constexpr int kKlikX = 351;  // the x of the steps' click on the cells
constexpr const char *kSkridt = R"(
xdotool mousemove 684 27 click 1
sleep 1
xdotool mousemove 721 68 click 1
sleep 1
xdotool mousemove 836 324 click 1
sleep 4
"$xvindue" foto "$GANT_FOTO1"
xdotool mousemove 351 160 click 1
sleep 2
"$xvindue" foto "$GANT_FOTO2"
xdotool key Right
sleep 3
"$xvindue" foto "$GANT_FOTO3"
)";

// The left edge of the one 8-pixel column on line y whose colour no other
// run of that line has: the current week's cell in a row other than the
// current one. -1 when there is no such column.
int UgeKolonne(const Billede &b, int y) {
  std::map<COLORREF, std::pair<int, int>> foerst;  // colour: first x, count
  for (int x = 0; x < b.w; ++x) {
    auto [it, ny] = foerst.try_emplace(b.Pixel(x, y), x, 0);
    ++it->second.second;
  }
  for (const auto &[farve, fx] : foerst)
    if (fx.second == 8 && b.Antal(y, fx.first, fx.first + 8, farve) == 8) return fx.first;
  return -1;
}

TEST(GantVindueGui, TheChartOpensFromTheMenuAndRightMovesTheHighlightedWeek) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  char skabelon[] = "/tmp/gant_gui_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const fs::path rod = skabelon;
  const fs::path data = rod / "data", foto1 = rod / "gant1.png", foto2 = rod / "gant2.png", foto3 = rod / "gant3.png";
  const std::string lav = "'" TAVO_BINARY_DIR "/tools/mkdata/mkdata' '" + data.string() + "' --size small > '" +
                          (rod / "mkdata.log").string() + "' 2>&1";
  ASSERT_EQ(std::system(lav.c_str()), 0) << Laes(rod / "mkdata.log");

  const int status =
      KoerDemo(server, rod, kSkridt,
               {{"GANT_FOTO1", foto1.string()}, {"GANT_FOTO2", foto2.string()}, {"GANT_FOTO3", foto3.string()}});
  const std::string log = Laes(rod / "demo.log");
  ASSERT_TRUE(WIFEXITED(status)) << log;
  EXPECT_EQ(WEXITSTATUS(status), 0) << log;
  EXPECT_NE(log.find("the main program has ended"), std::string::npos) << log;

  Billede f1(foto1.string()), f2(foto2.string()), f3(foto3.string());
  for (const Billede *f : {&f1, &f2, &f3}) ASSERT_GT(f->w, 0);
  std::error_code ec;
  fs::copy_file(foto1, TAVO_BINARY_DIR "/tests/klient/shell/gui/gant_vindue.png", fs::copy_options::overwrite_existing,
                ec);
  fs::copy_file(foto3, TAVO_BINARY_DIR "/tests/klient/shell/gui/gant_hoejre.png", fs::copy_options::overwrite_existing,
                ec);

  // The window's active caption below the main window's toolbar.
  const COLORREF kaption = GetSysColor(COLOR_ACTIVECAPTION);
  int y = 75;
  while (y < 200 && f1.Antal(y, 0, 600, kaption) < 300) ++y;
  ASSERT_LT(y, 200) << "no caption of the chart";

  // Some line of the cells shows the highlighted week.
  int linje = -1;
  for (int yy = y + 60; yy < f1.h - 40 && linje < 0; ++yy)
    if (UgeKolonne(f1, yy) >= 0) linje = yy;
  ASSERT_GE(linje, 0) << "no highlighted week in the chart";
  // The click made its week current; the repaint it brought left the row
  // headers, the switch buttons below them and the status bar as they were.
  const int x2 = UgeKolonne(f2, linje);
  EXPECT_LE(x2, kKlikX);
  EXPECT_GT(x2 + 8, kKlikX);
  int anderledes = 0;
  for (int yy = y + 70; yy < y + 310 && yy < f1.h; ++yy)
    for (int x = 0; x < 250; ++x) anderledes += f1.Pixel(x, yy) != f2.Pixel(x, yy);
  EXPECT_EQ(anderledes, 0) << "the row headers, switch buttons or status bar changed";

  const int x3 = UgeKolonne(f3, linje);
  EXPECT_EQ(x3, x2 + 8);

  fs::remove_all(rod);
}

}  // namespace
