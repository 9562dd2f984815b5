// A main window of the test's own with the status row and the server-contact
// pane as the program lays them out, over the test's data folder; the
// job-server stand-in named by its [kontakt] settings and the services
// override.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "../../standins/jobserver_proces.h"
#include "FARVER.h"
#include "FONTE.h"
#include "KONTAKT.h"
#include "PROGVINDUER.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "TOOLTIP.h"
#include "WCSERVER.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"

namespace serverrudetest {

struct HovedMedRude {
  HWND hoved = 0, rude = 0;

  // The window of the class (procedure proc) with its status row and pane,
  // shown; the program's fonts copied into the data folder's ini.
  void Opret(WNDPROC proc, const char *klasse, const std::filesystem::path &rod) {
    namespace fs = std::filesystem;
    InitPalette();
    std::strcpy(StatusStandardTekst, "Klar");
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = klasse;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    RegisterClassA(&wc);
    WNDCLASSA tip{};
    tip.style = CS_OWNDC;
    tip.lpfnWndProc = TooltipWndProc;
    tip.lpszClassName = "TooltipWndClass";
    RegisterClassA(&tip);
    hoved = CreateWindowExA(0, klasse, "Tavo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 900, 200, 0, 0, 0,
                            nullptr);
    ASSERT_NE(hoved, 0u);
    hwndHoved = hoved;
    for (const char *f : {"Tvo11x8Txt.ttf", "Tvo11x8Tgn.ttf"})
      fs::copy_file(fs::path(TAVO_BINARY_DIR) / "fonts" / f, rod / "ini" / f, fs::copy_options::overwrite_existing);
    LoadFonts(hoved);
    OpretTooltip(0, hoved);
    CreateMainStatusBar(hoved);
    rude = OpretServerFelt(hoved);
    ASSERT_NE(rude, 0u);
    StatusFelter.Server = rude;
    ShowWindow(hoved, SW_SHOWNORMAL);
    tavo::test::PumpUntilIdle();
  }

  void Luk() {
    if (hoved && IsWindow(hoved)) DestroyWindow(hoved);
    hoved = 0;
    if (hwndTooltip) DestroyWindow(hwndTooltip);
    hwndTooltip = 0;
    UnloadFonts();
    hwndHoved = 0;
    StatusFelter = {};
  }
};

// [kontakt] of the data folder naming the stand-in's login (user "bruger"
// of database "skole" on 127.0.0.1), the program version of the export.
inline void KontaktIndstillinger() {
  WritePrivateProfileStringA("kontakt", "server", "127.0.0.1", StiTab.szini);
  WritePrivateProfileStringA("kontakt", "database", "skole", StiTab.szini);
  WritePrivateProfileStringA("kontakt", "bruger", "bruger", StiTab.szini);
  WritePrivateProfileStringA("global", "version", "10413", StiTab.szini);
}

// The export dialog's choices as they stand, then "Skal serveren
// kontaktes?" answered OK.
inline void SvarEksport() {
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) {
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return INT_PTR{0};
  });
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) {
    EXPECT_EQ(d.text, "Eksportfil oprettet. Skal serveren kontaktes?");
    return INT_PTR{IDOK};
  });
}

// Handles messages until the condition holds; false after the time.
inline bool Indtil(const std::function<bool()> &betingelse, int ms = 20000) {
  const auto frist = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!betingelse()) {
    if (std::chrono::steady_clock::now() > frist) return false;
    MSG m;
    while (PeekMessageA(&m, 0, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// Starts the stand-in and points the services override at its port.
inline bool StartServer(jobtest::JobServer *js, const std::vector<std::string> &ekstra = {}) {
  if (!js->Start(ekstra)) return false;
  setenv("TAVO_SERVICES", ("tavo/tcp=" + std::to_string(js->Port())).c_str(), 1);
  return true;
}

}  // namespace serverrudetest
