// The priority window on a demo data folder, opened by its menu command
// through the factory: the demo's records as the window sees them, a block
// set through the keys and the menu, the save and a fresh load, and the
// export's "@medaskeprior" section behind its flag.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>

#include "../ui/switch_fixture.h"
#include "ENSMUS.h"
#include "EXPORT.h"
#include "FARVER.h"
#include "HENTGEM.h"
#include "MEDSKEPRI.h"
#include "PROGVINDUER.h"
#include "SKAERM.h"
#include "STITAB.h"
#include "ressourcer.h"
#include "tavo/test_user.h"

namespace {

namespace fs = std::filesystem;
using tavo::test::PumpUntilIdle;

LRESULT CALLBACK VaertProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ENS_MAA_AKTIVERES) return 1;
  if (m >= 1024 && m < 10000) return 0;
  return DefWindowProcA(h, m, w, l);
}

std::string LaesFil(const fs::path &p) {
  std::ifstream f(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

// The "@medaskeprior" section of an export, "" without one.
std::string Afsnit(const std::string &eksport) {
  const size_t a = eksport.find("@medaskeprior\n");
  if (a == std::string::npos) return "";
  const size_t b = eksport.find('@', a + 1);
  return eksport.substr(a, b == std::string::npos ? std::string::npos : b - a);
}

struct Fjern {
  fs::path &p;
  ~Fjern() {
    std::error_code ec;
    if (!p.empty()) fs::remove_all(p, ec);
  }
};

class MedaSkePriorEndeTilEnde : public ::testing::Test {
 public:
  void SetUp() override {
    tavo::test::ResetUser();
    RegistrerOrvaneRessourcer();
    hInst = kOrvaneInstans;
  }
  void TearDown() override {
    tavo::test::ResetUser();
    hwndHoved = hwndDesktop = 0;
    DesktopRect = RECT{};
    FrigivSwitchTab();
    storetest::TomAlleTabeller();
  }
};

TEST_F(MedaSkePriorEndeTilEnde, ABlockSetInTheWindowIsSavedLoadedAndExported) {
  fs::path skole;
  Fjern fjern{skole};
  ASSERT_NO_FATAL_FAILURE(switchtest::LavLilleSkole("medskepri", &skole));
  LaesSwitchIni();
  farver_intern::InitPaletteDybde(32);

  // The demo's first employment has records of its own and one of another
  // installation (Wednesday 10:00).
  uint32_t anfo = 0;
  for (uint32_t r = 1; r < tvmedaskeprior.wRecCnt; ++r) {
    const auto *p = reinterpret_cast<const MedaskepriorRec *>(GetRec(&tdmedaskeprior, &tvmedaskeprior, r));
    if (p->Status && p->Ejer != GlobalIndstillinger.insnr) anfo = p->anfo_id;
  }
  ASSERT_NE(anfo, 0u);
  tvanfo.AktuelRec = anfo;

  WNDCLASSA wc{};
  wc.lpfnWndProc = VaertProc;
  wc.lpszClassName = "MspEndeVaert";
  RegisterClassA(&wc);
  ASSERT_TRUE(RegistrerMedaSkePriorKlasse(hInst));
  HWND hoved = CreateWindowExA(0, "MspEndeVaert", "Tavo", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 700, 0, 0, 0, nullptr);
  HWND desktop = CreateWindowExA(0, "MspEndeVaert", "", WS_CHILD | WS_VISIBLE, 0, 0, 1000, 700, hoved, 0, 0, nullptr);
  hwndHoved = hoved;
  hwndDesktop = desktop;
  DesktopRect = RECT{0, 0, 999, 699};
  // The menu command opens it through the factory, in the cascade.
  HWND h = AabnKaskadeVindue(hoved, kMedaSkePriorType, 0, true);
  ASSERT_NE(h, 0u);
  EXPECT_TRUE(IsWindowVisible(h));
  SetFocus(h);
  PumpUntilIdle();
  MedaSkePriorWS *ws = MedaSkePriorVinduesWS(h);
  ASSERT_EQ(MedaSkePriorAnfo(ws), anfo);
  EXPECT_NE(FindMedaSkePrior(ws, 800, 805, 1), 0u);
  EXPECT_EQ(FindMedaSkePrior(ws, 1000, 1005, 3), 0u);

  // Tuesday 08:00 to 08:15 at priority 2, the sixth item of the menu.
  WritePrivateProfileStringA("flag", "exportermedaskeprior", "0", StiTab.szini);
  tavo::test::PressKey(VK_RIGHT);
  tavo::test::PressKey(VK_SPACE);
  tavo::test::PressKey(VK_DOWN, tavo::test::ModShift);
  tavo::test::PressKey(VK_DOWN, tavo::test::ModShift);
  tavo::test::PressKey(VK_RETURN);
  for (int i = 0; i < 5; ++i) tavo::test::PressKey(VK_DOWN);
  tavo::test::PressKey(VK_RETURN);
  PumpUntilIdle();
  EXPECT_EQ(GetPrivateProfileIntA("flag", "exportermedaskeprior", 0, StiTab.szini), 1);
  tavo::test::PressKey(VK_ESCAPE);
  PumpUntilIdle();
  ASSERT_FALSE(IsWindow(h));

  ASSERT_TRUE(GemAlleData(0, 0));
  storetest::TomAlleTabeller();
  ASSERT_TRUE(SaetSkoleMappe(DataMappeNavn(skole).c_str()));
  ASSERT_EQ(HentAlleData(0), 0);
  std::set<std::tuple<uint32_t, uint32_t, uint32_t, int32_t>> tirsdag;
  uint32_t anden = 0;
  for (uint32_t r = 1; r < tvmedaskeprior.wRecCnt; ++r) {
    const auto *p = reinterpret_cast<const MedaskepriorRec *>(GetRec(&tdmedaskeprior, &tvmedaskeprior, r));
    if (!p->Status || p->anfo_id != anfo) continue;
    if (p->Ejer != GlobalIndstillinger.insnr) ++anden;
    else if (p->Ugedag == 2)
      tirsdag.insert({uint32_t{p->Starttid}, uint32_t{p->Sluttid}, uint32_t{p->Status}, int32_t{p->prioritet}});
  }
  EXPECT_EQ(tirsdag, (std::set<std::tuple<uint32_t, uint32_t, uint32_t, int32_t>>{
                         {800, 805, 64, 2}, {805, 810, 64, 2}, {810, 815, 64, 2}}));
  EXPECT_EQ(anden, 1u);

  const uint32_t id = reinterpret_cast<const AnfoRec *>(GetRec(&tdanfo, &tvanfo, anfo))->id;
  ASSERT_TRUE(EksportSkriv());
  const std::string afsnit = Afsnit(LaesFil(skole / "data" / "exp.dat"));
  for (const char *tid : {"800;805", "805;810", "810;815"})
    EXPECT_NE(afsnit.find(std::to_string(id) + ";2;" + tid + ";2;0;0\n"), std::string::npos) << afsnit;
  EXPECT_EQ(afsnit.find(";3;1000;1005;"), std::string::npos) << "another installation's record is not sent";
  GlemEksportMarker();

  // Without the flag the section is left out.
  WritePrivateProfileStringA("flag", "exportermedaskeprior", "0", StiTab.szini);
  fs::remove(skole / "data" / "exp.dat");
  ASSERT_TRUE(EksportSkriv());
  EXPECT_EQ(Afsnit(LaesFil(skole / "data" / "exp.dat")), "");
  GlemEksportMarker();
}

}  // namespace
