// The plan window's keys in the running program on the made school, as a
// user types them on the private X server. The first run opens the plan
// (Alt+F2), opens the first activity (Y) and its first period (X), types
// lessons into three school weeks of its first subject row, saves (S) and
// closes the window (Alt+F2). The second run is a fresh start on the same
// folder: Alt+F2, "TAVO plan til CSV" from the menu with the file dialog's
// own choice, Alt+F2. The CSV file, read with Python's csv module, has the
// rows the plan shows and the three weeks' lessons. The photographs are
// kept beside the test in the build as plan_taster_1.png and
// plan_taster_2.png.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "billede.h"
#include "demo_koersel.h"
#include "windows.h"

namespace fs = std::filesystem;

namespace {

using guitest::KoerDemo;
using guitest::Laes;

// From the total column: the first period, its weeks opened, then three
// weeks on (the weeks before are the summer's, without school days).
constexpr const char *kSkridt1 = "xdotool key alt+F2\nsleep 2\n" VENT_HENT
                                 "sleep 2\n"
                                 "xdotool key y\nsleep 0.5\nxdotool key Down\nsleep 0.5\n"
                                 "xdotool key Right\nsleep 0.5\nxdotool key x\nsleep 1\n"
                                 "xdotool key Right Right Right\nsleep 0.5\n"
                                 "xdotool key 3\nsleep 0.5\nxdotool key Return\nsleep 0.5\n"
                                 "xdotool key Right\nsleep 0.3\nxdotool key 2\nsleep 0.5\nxdotool key Return\nsleep 0.5\n"
                                 "xdotool key Right\nsleep 0.3\nxdotool key 4\nsleep 0.5\nxdotool key Return\nsleep 1\n"
                                 "\"$xvindue\" foto \"$FOTO1\"\n"
                                 "xdotool key s\nsleep 1\n" VENT_GEM
                                 "xdotool key alt+F2\nsleep 2\n" VENT_GEM "sleep 1\n";

// The menu bar's "Planlægning" and its "TAVO plan til CSV", where the menu
// draws them at the screen's 1280 x 1024.
constexpr const char *kSkridt2 = "xdotool key alt+F2\nsleep 2\n" VENT_HENT
                                 "sleep 2\n"
                                 "\"$xvindue\" foto \"$FOTO2\"\n"
                                 "xdotool mousemove 748 27 click 1\nsleep 1\n"
                                 "xdotool mousemove 775 171 click 1\n"
                                 "\"$xvindue\" vent \"Gem plan csv fil\" 20\nsleep 0.5\n"
                                 "xdotool key Return\nsleep 2\n"
                                 "xdotool key alt+F2\nsleep 2\n" VENT_GEM "sleep 1\n";

// Prints the number of plan rows (the lines after the column captions) and
// "fundet" when a row holds 3, 2 and 4 in three neighbouring columns.
constexpr const char *kLaeser = R"(import csv, sys
with open(sys.argv[1], newline='', encoding='cp1252') as f:
    linjer = list(csv.reader(f, delimiter='\t'))
i = 0
while i < len(linjer) and linjer[i]:
    i += 1
raekker = [r for r in linjer[i + 2:] if r]
print(len(raekker))
for r in raekker:
    celler = [c.strip() for c in r]
    if any(celler[j:j + 3] == ['3', '2', '4'] for j in range(len(celler))):
        print('fundet')
)";

std::string Koer(const std::string &kommando) {
  std::string ud;
  if (FILE *p = popen(kommando.c_str(), "r")) {
    char buf[256];
    while (fgets(buf, sizeof buf, p)) ud += buf;
    pclose(p);
  }
  return ud;
}

TEST(PlanTastGui, LektionerTastesGemmesOgStaarIPlanensCsvEfterEnNyStart) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  char skabelon[] = "/tmp/plantast_gui_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const fs::path rod = skabelon;
  // The file dialog starts in the home folder, which has no Documents.
  const fs::path hjem = rod / "hjem", foto1 = rod / "plan1.png", foto2 = rod / "plan2.png";
  fs::create_directories(hjem);

  for (int koersel = 1; koersel <= 2; ++koersel) {
    SCOPED_TRACE(koersel);
    const int status = KoerDemo(server, rod, koersel == 1 ? kSkridt1 : kSkridt2,
                                {{"HOME", hjem.string()}, {"FOTO1", foto1.string()}, {"FOTO2", foto2.string()}});
    const std::string log = Laes(rod / "demo.log");
    ASSERT_TRUE(WIFEXITED(status)) << log;
    ASSERT_EQ(WEXITSTATUS(status), 0) << log;
    EXPECT_NE(log.find("the main program has ended"), std::string::npos) << log;
  }
  int n = 1;
  for (const fs::path &foto : {foto1, foto2}) {
    Billede b(foto.string());
    EXPECT_GT(b.w, 0) << foto;
    std::error_code ec;
    fs::copy_file(foto, std::string(TAVO_BINARY_DIR "/tests/klient/shell/gui/plan_taster_") + std::to_string(n++) + ".png",
                  fs::copy_options::overwrite_existing, ec);
  }

  const fs::path csv = hjem / "Plan.csv";
  ASSERT_TRUE(fs::exists(csv)) << Laes(rod / "demo.log");
  const fs::path script = rod / "laes.py";
  std::ofstream(script) << kLaeser;
  const std::string ud = Koer(std::string(TAVO_PYTHON) + " '" + script.string() + "' '" + csv.string() + "'");
  // The six activities and the two subject rows of the one opened.
  EXPECT_EQ(ud.substr(0, ud.find('\n')), "8") << ud << Laes(csv);
  EXPECT_NE(ud.find("fundet"), std::string::npos) << ud << Laes(csv);

  fs::remove_all(rod);
}

}  // namespace
