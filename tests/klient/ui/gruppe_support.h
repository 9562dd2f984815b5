#pragma once
// Shared set-up of the group button and toolbar strip tests: a data folder
// named as the command line names it (so its paths end in '\'), the default
// group names with their list widths, employees, activities and rooms in a
// few groups, the classes registered as the start-up registers them, and a
// main window that logs the keys it is sent.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../data/store_fixture.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LISTBOX.h"
#include "PROGVINDUER.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "TAVOTB.h"
#include "ens_support.h"

namespace gruppe_test {

// Members: employees in groups 1 and 2, activities in 1 and 3, rooms in 1;
// no kind has a member of group 6.
class GruppeData {
 public:
  std::filesystem::path rod;

  void Opret() {
    std::string skabelon = (std::filesystem::temp_directory_path() / "grpXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
    for (const char *m : {"data", "ini", "log"}) std::filesystem::create_directories(rod / m);
    const std::string d = "-d" + rod.string();
    const char *argv[] = {"/prog/Orvane", d.c_str()};
    LaesKommandolinje(2, argv);
    InitStiTab();
    storetest::TomAlleTabeller();
    SetInitTabFn(InitTab);
    InitPeriode(20240801, 20250731, 20240801);
    GlobalIndstillinger.skemalaast = 0;
    GruppeBegivenhedsArt = nullptr;
    StandardGruppeNavne();
    BeregnGruppeListeBredder();
    Medlem(tdanfo, tvanfo, offsetof(AnfoRec, Gruppe), offsetof(AnfoRec, Status), 1u << 1);
    Medlem(tdanfo, tvanfo, offsetof(AnfoRec, Gruppe), offsetof(AnfoRec, Status), 1u << 2);
    Medlem(tdakti, tvakti, offsetof(AktiRec, Gruppe), offsetof(AktiRec, Status), (1u << 1) | (1u << 3));
    Medlem(tdloka, tvloka, offsetof(LokaRec, Gruppe), offsetof(LokaRec, Status), 1u << 1);
  }

  void Fjern() {
    storetest::TomAlleTabeller();
    GruppeBegivenhedsArt = nullptr;
    GlobalIndstillinger.skemalaast = 0;
    std::error_code ec;
    std::filesystem::remove_all(rod, ec);
    StiTab.szdata[0] = StiTab.szini[0] = '\0';
  }

  std::string IniTekst(const char *navn) const {
    std::ifstream i(rod / "ini" / navn, std::ios::binary);
    std::stringstream s;
    s << i.rdbuf();
    return s.str();
  }

 private:
  static void Medlem(const TabDesc &td, TabVar &tv, size_t gruppeOff, size_t statusOff, uint32_t ord) {
    const uint32_t r = NewRec(&td, &tv);
    ASSERT_NE(r, 0u);
    uint8_t *rec = GetRec(&td, &tv, r);
    rec[statusOff] = 10;
    std::memcpy(rec + gruppeOff, &ord, 4);
  }
};

// The keys the main window was sent.
inline std::vector<WPARAM> &HovedTaster() {
  static std::vector<WPARAM> v;
  return v;
}
inline LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KEYDOWN) {
    HovedTaster().push_back(w);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

inline size_t F3Antal() {
  size_t n = 0;
  for (WPARAM w : HovedTaster()) n += w == VK_F3;
  return n;
}

// The window layer with the program's classes, on a data folder of its own.
class GruppeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    data.Opret();
    wfb_test::RegistrerUiKlasser();
    ASSERT_TRUE(RegistrerListeKlasser(0));
    ASSERT_TRUE(RegistrerToolbarKlasser(0));
    wfb_test::Registrer("GrpHoved", HovedProc, 0);
    HovedTaster().clear();
    hwndHoved = CreateWindowExA(0, "GrpHoved", "Tavo", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 50, 0, 0,
                                0, nullptr);
    SkaermGendannes = 0;
    vaert = CreateWindowExA(0, "WfbVaert", "Vært", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 60, 700, 400, 0, 0,
                            0, nullptr);
    tavo::test::PumpUntilIdle();
  }
  void TearDown() override {
    tavo::test::ResetUser();
    hwndHoved = 0;
    SkaermGendannes = 0;
    data.Fjern();
  }

  // The private messages the host heard, as (message, wParam).
  static std::vector<std::pair<UINT, WPARAM>> Hoert(std::initializer_list<UINT> kun) {
    std::vector<std::pair<UINT, WPARAM>> v;
    for (const auto &b : wfb_test::Log())
      for (UINT m : kun)
        if (b.msg == m) v.emplace_back(b.msg, b.w);
    return v;
  }

  static void Klik(HWND h, int x, int y) {
    const POINT p = tavo::test::ScreenPoint(h, x, y);
    tavo::test::Click(p.x, p.y);
    tavo::test::PumpUntilIdle();
  }

  GruppeData data;
  HWND vaert = 0;
};

}  // namespace gruppe_test
