// The README's demo command against a fresh program and data folder on the
// private X server: the starter starts the start menu, whose maximised
// window with its headings and dialog 102 is in the first screenshot; Enter
// starts the main program from the program folder; its main window comes
// up (found by its title), the screenshot shows its menu bar, toolbar and
// desktop, and closing the window ends the program without a lock file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "billede.h"
#include "windows.h"

namespace fs = std::filesystem;

namespace {

TEST(DemoGui, StartMenuStartsTheMainWindowWhichIsPhotographedAndCloses) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  char skabelon[] = "/tmp/demo_gui_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const fs::path rod = skabelon;
  const fs::path prog = rod / "program", data = rod / "data", foto = rod / "skaerm.png", menu = rod / "menu.png";

  const std::string kommando = "DISPLAY='" + std::string(server) + "' bash '" TAVO_SOURCE_DIR_DEMO "/tools/demo.sh'" +
                               " --build '" TAVO_BINARY_DIR "' --program '" + prog.string() + "' --data '" +
                               data.string() + "' --size small --shot '" + foto.string() + "' --menu-shot '" + menu.string() + "' > '" +
                               (rod / "demo.log").string() + "' 2>&1";
  const int status = std::system(kommando.c_str());
  std::ifstream logFil(rod / "demo.log");
  std::stringstream log;
  log << logFil.rdbuf();
  ASSERT_TRUE(WIFEXITED(status)) << log.str();
  EXPECT_EQ(WEXITSTATUS(status), 0) << log.str();
  EXPECT_NE(log.str().find("the main program has ended"), std::string::npos) << log.str();
  for (const char *fil : {"Tavo.exe", "TavoMenu.exe"}) EXPECT_TRUE(fs::exists(prog / fil)) << fil;

  {
    // The start menu: its background, the yellow headings in its upper
    // part, and dialog 102 (button face) in the middle.
    Billede m(menu.string());
    ASSERT_GT(m.w, 0) << menu;
    int gule = 0;
    for (int y = 0; y < m.h / 3; ++y) gule += m.Antal(y, 0, m.w, RGB(255, 255, 0));
    EXPECT_GT(gule, 200) << "no headings";
    EXPECT_GT(m.Antal(m.h - 60, 0, m.w, RGB(70, 50, 180)), m.w / 2) << "no menu background";
    // Dialog 102: the middle of the screen is covered, and its active
    // caption crosses the middle column.
    EXPECT_LT(m.Antal(m.h / 2, m.w / 2 - 100, m.w / 2 + 100, RGB(70, 50, 180)), 20) << "no dialog";
    int tekstlinje = 0;
    for (int y = m.h / 4; y < 3 * m.h / 4; ++y) tekstlinje += m.Pixel(m.w / 2, y) == GetSysColor(COLOR_ACTIVECAPTION);
    EXPECT_GT(tekstlinje, 10) << "no dialog caption";
  }

  EXPECT_FALSE(fs::exists(data / "ini" / "tavo.lck"));
  // The job server's stand-in ran beside it, named by the data folder.
  EXPECT_NE(log.str().find("demo: the job server on 127.0.0.1:"), std::string::npos) << log.str();
  {
    std::ifstream iniFil(data / "ini" / "tavo.ini", std::ios::binary);
    std::stringstream ini;
    ini << iniFil.rdbuf();
    const std::string t = ini.str(), kontakt = t.substr(std::min(t.find("[kontakt]"), t.size()));
    for (const char *k : {"server=127.0.0.1", "database=demo", "bruger=demo", "autoimport=ja"})
      EXPECT_NE(kontakt.substr(0, kontakt.find("\n[")).find(k), std::string::npos) << k << "\n" << t;
  }
  std::ifstream startLog(prog / "START.LOG");
  std::string linje;
  ASSERT_TRUE(std::getline(startLog, linje));
  EXPECT_EQ(linje.substr(linje.size() - 2), ";\r");  // closed

  // The screen: the title bar at the top, then the menu bar with its
  // texts, the toolbar with its pictures, and the desktop below.
  Billede b(foto.string());
  ASSERT_GT(b.w, 0) << foto;
  const int midt = b.w / 2;
  int y = 0;
  while (y < 60 && b.Pixel(midt, y) != GetSysColor(COLOR_ACTIVECAPTION)) ++y;
  ASSERT_LT(y, 60) << "no title bar";
  while (y < 100 && b.Pixel(midt, y) == GetSysColor(COLOR_ACTIVECAPTION)) ++y;
  int menuTekst = 0, menuBund = y;
  for (; menuBund < y + GetSystemMetrics(SM_CYMENU) + 4; ++menuBund)
    menuTekst += b.Antal(menuBund, 0, 700, RGB(0, 0, 0));
  EXPECT_GT(menuTekst, 100) << "no menu texts";
  EXPECT_EQ(b.Pixel(midt, y + 2), GetSysColor(COLOR_MENU));
  // The toolbar: its buttons' pictures at the left, plain face to the right.
  int billedPunkter = 0;
  for (int ty = menuBund; ty < menuBund + 28; ++ty)
    billedPunkter += b.Antal(ty, 0, 140, RGB(0, 0, 128)) + b.Antal(ty, 0, 140, RGB(0, 0, 255));
  EXPECT_GT(billedPunkter, 20) << "no toolbar pictures";
  EXPECT_EQ(b.Pixel(midt, menuBund + 10), GetSysColor(COLOR_BTNFACE));
  // The desktop fills the middle of the window with its logo: light blue
  // above and below the two words, which are drawn a shade darker.
  const COLORREF skrivebord = RGB(210, 210, 255);
  for (int dy : {menuBund + 40, b.h - 60}) EXPECT_EQ(b.Antal(dy, 20, b.w - 20, skrivebord), b.w - 40) << dy;
  int logoPunkter = 0;
  for (int dy = b.h / 4; dy < 3 * b.h / 4; ++dy) logoPunkter += b.Antal(dy, 20, b.w - 20, RGB(200, 200, 245));
  EXPECT_GT(logoPunkter, 1000) << "no logo";

  fs::remove_all(rod);
}

}  // namespace
