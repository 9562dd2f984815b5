// The posting windows in the running program on the made school, opened as
// a user opens them on the private X server: "Postering" in the menu bar,
// then "Aktivitets postering" (the F12 screen) and, after it, "Medarbejder
// postering" (Shift+F12). Each window stands below the main window's
// toolbar across the desktop, its month pane at its right; the photographs
// are kept beside the test in the build as bog_aktivitet_vindue.png and
// bog_medarbejder_vindue.png.
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

// The menu bar's "Postering" and its two entries, where the menu draws them
// at the screen's 1280 x 1024.
constexpr const char *kSkridt = R"(
xdotool mousemove 220 27 click 1
sleep 1
xdotool mousemove 270 50 click 1
sleep 4
"$xvindue" foto "$BOG_FOTO_K"
xdotool mousemove 220 27 click 1
sleep 1
xdotool mousemove 270 69 click 1
sleep 4
"$xvindue" foto "$BOG_FOTO_M"
)";

TEST(BogVindueGui, BothPostingWindowsOpenFromTheMenuAcrossTheDesktop) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  char skabelon[] = "/tmp/bog_gui_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const fs::path rod = skabelon;
  const fs::path fotoK = rod / "k.png", fotoM = rod / "m.png";

  const int status = KoerDemo(server, rod, kSkridt, {{"BOG_FOTO_K", fotoK.string()}, {"BOG_FOTO_M", fotoM.string()}});
  const std::string log = Laes(rod / "demo.log");
  ASSERT_TRUE(WIFEXITED(status)) << log;
  EXPECT_EQ(WEXITSTATUS(status), 0) << log;
  EXPECT_NE(log.find("the main program has ended"), std::string::npos) << log;

  const COLORREF skrivebord = RGB(210, 210, 255);
  const COLORREF kaptioner[] = {GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_INACTIVECAPTION)};
  uint64_t summer[2] = {};
  int n = 0;
  for (const fs::path &foto : {fotoK, fotoM}) {
    SCOPED_TRACE(foto.filename().string());
    Billede b(foto.string());
    ASSERT_GT(b.w, 0) << foto;
    std::error_code ec;
    fs::copy_file(foto,
                  std::string(TAVO_BINARY_DIR "/tests/klient/shell/gui/") +
                      (n == 0 ? "bog_aktivitet_vindue.png" : "bog_medarbejder_vindue.png"),
                  fs::copy_options::overwrite_existing, ec);
    // The window's caption runs below the main window's toolbar across the
    // screen's width.
    int y = 60;
    while (y < 140 && b.Antal(y, 0, b.w, kaptioner[0]) + b.Antal(y, 0, b.w, kaptioner[1]) < b.w * 3 / 4) ++y;
    ASSERT_LT(y, 140) << "no caption of the posting window";
    // Below it the grid and, at the right, the month pane cover the
    // desktop for a good height.
    for (int dy = 30; dy < 400; dy += 37) EXPECT_EQ(b.Antal(y + dy, 20, b.w - 20, skrivebord), 0) << y + dy;
    for (int yy = y + 40; yy < y + 140; ++yy)
      for (int x = 0; x < b.w; ++x) summer[n] += b.Pixel(x, yy) * static_cast<uint64_t>(x + 1);
    ++n;
  }
  EXPECT_NE(summer[0], summer[1]) << "the staff mode shows other rows than the activity mode";
  fs::remove_all(rod);
}

}  // namespace
