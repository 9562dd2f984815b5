// A new event entered in the running program on the made school as a user
// enters it on the private X server: F5 opens the activities of one week,
// the arrows go to an activity and a lesson, Enter opens the entry window,
// a teacher and a room are chosen with Down and Space, the lesson is marked
// on the entry window's schedule with Alt+E and Space, Alt+O
// and Enter save the event and the System menu's "Gem data" writes the
// schedule file. The entry window is photographed beside the test in the
// build as indtastning.png, and data\skemabeg.dat must hold a new event on
// the first day's second lesson with a teacher and a room. A click on an
// employee's role in the entry window opens the role dialog over the cell
// (photographed as indtastning_rolle.png).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "../skemabeg_fil.h"
#include "billede.h"
#include "demo_koersel.h"
#include "windows.h"

namespace fs = std::filesystem;

namespace {

using guitest::KoerDemo;
using guitest::Laes;

// The steps once the main window is up, at the screen's 1280 x 1024. The
// System menu is clicked where the menu bar draws it.
constexpr const char *kSkridt = R"(
xdotool mousemove 640 500 click 1
sleep 1
xdotool key F5
sleep 2
"$xvindue" vent "- TAVO-skema" 30 >/dev/null
xdotool key Down Right Right
sleep 1
xdotool key Return
"$xvindue" vent "Ny skemabegivenhed" 30 >/dev/null
sleep 2
xdotool key alt+m Down space
sleep 1
xdotool key alt+l Down space
sleep 1
xdotool key alt+e space
sleep 1
"$xvindue" foto "$INDTAST_FOTO"
xdotool key alt+o Return
for _ in $(seq 100); do
  "$xvindue" findes "Ny skemabegivenhed" >/dev/null || break
  sleep 0.2
done
if "$xvindue" findes "Ny skemabegivenhed" >/dev/null; then return 1; fi
xdotool mousemove 469 27 click 1
sleep 1
xdotool mousemove 500 134 click 1
sleep 3
)";

TEST(IndtastningGui, AnEventEnteredFromF5IsSavedToTheScheduleFile) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  char skabelon[] = "/tmp/indtast_gui_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const fs::path rod = skabelon;
  const fs::path data = rod / "data", foto = rod / "indtastning.png";

  const std::string lav = "'" TAVO_BINARY_DIR "/tools/mkdata/mkdata' '" + data.string() + "' --size small > '" +
                          (rod / "mkdata.log").string() + "' 2>&1";
  ASSERT_EQ(std::system(lav.c_str()), 0) << Laes(rod / "mkdata.log");
  const fs::path skemabeg = data / "data" / "skemabeg.dat";
  const auto foer = SkemabegFoersteRaekker(LaesSkemabegFil(skemabeg.string()), 1, 2);

  const int status = KoerDemo(server, rod, kSkridt, {{"INDTAST_FOTO", foto.string()}});
  const std::string log = Laes(rod / "demo.log");
  ASSERT_TRUE(WIFEXITED(status)) << log;
  EXPECT_EQ(WEXITSTATUS(status), 0) << log;
  EXPECT_NE(log.find("the main program has ended"), std::string::npos) << log;

  Billede b(foto.string());
  ASSERT_GT(b.w, 0) << foto;
  std::error_code ec;
  fs::copy_file(foto, TAVO_BINARY_DIR "/tests/klient/shell/gui/indtastning.png", fs::copy_options::overwrite_existing,
                ec);
  // The saved event is in the schedule file, with a teacher and a room.
  const auto raekker = LaesSkemabegFil(skemabeg.string());
  std::vector<std::pair<uint32_t, uint32_t>> nye;
  for (const auto &f : SkemabegFoersteRaekker(raekker, 1, 2))
    if (std::find(foer.begin(), foer.end(), f) == foer.end()) nye.push_back(f);
  ASSERT_FALSE(nye.empty()) << "no new event in the schedule file\n" << log;
  bool laererOgLokale = false;
  for (const auto &f : nye) {
    bool laerer = false, lokale = false;
    for (const SkemabegFilRaekke &r : raekker)
      if (r.uge == f.first && r.rec.Forste == f.second && r.rec.Status) {
        laerer |= r.rec.anfo_id != 0 && r.rec.skemarol_id != 0;
        lokale |= r.rec.loka_id != 0 && r.rec.lokrolle_id != 0;
      }
    laererOgLokale |= laerer && lokale;
  }
  EXPECT_TRUE(laererOgLokale) << "the new event has no teacher or no room";

  fs::remove_all(rod);
}

// The entry window opened as above, the employee list taken with Alt+M and
// the second employee's role clicked with the mouse: the role dialog opens
// over the cell. The point is the window's client origin (a frame of 4 and
// a caption of 19 pixels) plus the list's place in the window: the lists
// start 56 pixels down and 10 in, after a mark column of 13 pixels, and the
// role column follows the initials (35 pixels) and the number (27) in the
// employees' detail layout; the point lies inside the column and inside
// the second row, 12 pixels a row.
constexpr const char *kRolleSkridt = R"(
xdotool mousemove 640 500 click 1
sleep 1
xdotool key F5
sleep 2
"$xvindue" vent "- TAVO-skema" 30 >/dev/null
xdotool key Down Right Right
sleep 1
xdotool key Return
"$xvindue" vent "Ny skemabegivenhed" 30 >/dev/null
sleep 2
xdotool key alt+m
sleep 1
read -r wx wy _ _ < <("$xvindue" sted "Ny skemabegivenhed")
kx=$((wx + 4 + 10 + 13 + 35 + 27 + 30))
ky=$((wy + 23 + 56 + 12 + 6))
xdotool mousemove "$kx" "$ky" click 1
sleep 2
ved=$("$xvindue" ved "$kx" "$ky" || true)
"$xvindue" foto "$ROLLE_FOTO"
echo "over the role cell: $ved"
case "$ved" in
  ""|*"Ny skemabegivenhed"*) echo "no dialog over the role cell" >&2; return 1 ;;
esac
xdotool key Escape
sleep 1
xdotool key alt+n Return
for _ in $(seq 50); do
  "$xvindue" findes "Ny skemabegivenhed" >/dev/null || break
  sleep 0.2
done
)";

TEST(IndtastningGui, AClickOnAnEmployeesRoleOpensTheRoleDialog) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  char skabelon[] = "/tmp/indtast_rolle_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const fs::path rod = skabelon;
  const fs::path data = rod / "data", foto = rod / "rolle.png";
  const std::string lav = "'" TAVO_BINARY_DIR "/tools/mkdata/mkdata' '" + data.string() + "' --size small > '" +
                          (rod / "mkdata.log").string() + "' 2>&1";
  ASSERT_EQ(std::system(lav.c_str()), 0) << Laes(rod / "mkdata.log");

  const int status = KoerDemo(server, rod, kRolleSkridt, {{"ROLLE_FOTO", foto.string()}});
  const std::string log = Laes(rod / "demo.log");
  ASSERT_TRUE(WIFEXITED(status)) << log;
  EXPECT_EQ(WEXITSTATUS(status), 0) << log;
  EXPECT_NE(log.find("the main program has ended"), std::string::npos) << log;
  Billede b(foto.string());
  ASSERT_GT(b.w, 0) << foto;
  std::error_code ec;
  fs::copy_file(foto, TAVO_BINARY_DIR "/tests/klient/shell/gui/indtastning_rolle.png",
                fs::copy_options::overwrite_existing, ec);
  fs::remove_all(rod);
}

}  // namespace
