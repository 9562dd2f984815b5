// The posting windows on a demo data folder, opened by their menu commands
// through the factory: the demo's absence activities with their month sums
// in the activity mode, and an employment's activities in the staff mode;
// hours typed into the month pane are saved and read back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "KROGE.h"
#include "../ui/switch_fixture.h"
#include "BOG.h"
#include "BOGMND.h"
#include "EDITBOX.h"
#include "HENTGEM.h"
#include "ImpTimoak.h"
#include "RECPRED.h"
#include "TIMOAK.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "LISTBOX.h"
#include "INDSTIL.h"
#include "NYBUTTON.h"
#include "RELAY.h"
#include "PROGVINDUER.h"
#include "SKAERM.h"
#include "STITAB.h"
#include "TAVOTB.h"
#include "ressourcer.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace {

namespace fs = std::filesystem;

// The frame's panes and buttons, registered by the shell in the program.
void RammeKlasser() {
  WNDCLASSA wc{};
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = DummyWndProc;
  wc.lpszClassName = "DummyWndClass";
  RegisterClassA(&wc);
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = NyButtonWndProc;
  wc.lpszClassName = "NyButtonWndClass";
  RegisterClassA(&wc);
  RegistrerToolbarKlasser(hInst);
  RegistrerListeKlasser(hInst);
  HentGruppeNavne();
  BeregnGruppeListeBredder();
}
using tavo::test::PumpUntilIdle;

LRESULT CALLBACK VaertProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ENS_MAA_AKTIVERES) return 1;
  if (m >= 1024 && m < 10000) return 0;
  return DefWindowProcA(h, m, w, l);
}

struct Fjern {
  fs::path &p;
  ~Fjern() {
    std::error_code ec;
    if (!p.empty()) fs::remove_all(p, ec);
  }
};

class BogEndeTilEnde : public ::testing::Test {
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

std::string Navn(uint32_t akti) {
  const auto *a = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, akti));
  return std::string(a->Aktivitet, strnlen(a->Aktivitet, sizeof a->Aktivitet));
}

TEST_F(BogEndeTilEnde, BothModesOpenOnTheDemosAbsenceActivities) {
  fs::path skole;
  Fjern fjern{skole};
  ASSERT_NO_FATAL_FAILURE(switchtest::LavLilleSkole("bog", &skole));
  LaesSwitchIni();
  farver_intern::InitPaletteDybde(32);
  GlobalIndstillinger.post = 1;
  SaetAktuelDato(20261015);

  WNDCLASSA wc{};
  wc.lpfnWndProc = VaertProc;
  wc.lpszClassName = "BogEndeVaert";
  RegisterClassA(&wc);
  RammeKlasser();
  ASSERT_TRUE(RegistrerBogKlasse(hInst));
  HWND hoved = CreateWindowExA(0, "BogEndeVaert", "Tavo", WS_POPUP | WS_VISIBLE, 0, 0, 1600, 800, 0, 0, 0, nullptr);
  HWND desktop = CreateWindowExA(0, "BogEndeVaert", "", WS_CHILD | WS_VISIBLE, 0, 0, 1600, 800, hoved, 0, 0, nullptr);
  hwndHoved = hoved;
  hwndDesktop = desktop;
  DesktopRect = RECT{0, 0, 1599, 799};

  HWND k = AabnKaskadeVindue(hoved, kBogAktiType, 0, true);
  ASSERT_NE(k, 0u);
  PumpUntilIdle();
  BOGWS *ws = BogVinduesWS(k);
  ASSERT_NE(ws, nullptr);
  std::set<std::string> navne;
  for (uint32_t i = 1; i <= ws->Hoved.ObjTabAntal; ++i) navne.insert(Navn(ws->Hoved.ObjTab[i]));
  EXPECT_EQ(navne, (std::set<std::string>{"FERIE", "KURSUS", "PULJE", "SYG"}));
  ASSERT_EQ(ws->SubObjTab.size(), 4u) << "three employments per activity";
  int64_t sum = 0;
  for (uint32_t i = 1; i < ws->SubObjTab.size(); ++i) sum += BogPartnerSum(ws, ws->SubObjTab[i]);
  EXPECT_GT(sum, 0);
  if (const char *ud = std::getenv("TAVO_SNAPSHOT_DIR")) tavo::test::SaveWindowPng(k, (std::string(ud) + "/bog_aktivitet.png").c_str());

  // The staff mode opens on the first activity's first employment.
  tvanfo.AktuelRec = ws->SubObjTab[1];
  HWND m = AabnKaskadeVindue(hoved, kBogMedaType, 0, true);
  ASSERT_NE(m, 0u);
  PumpUntilIdle();
  BOGWS *wm = BogVinduesWS(m);
  ASSERT_NE(wm, nullptr);
  EXPECT_EQ(BogHovedRec(wm), tvanfo.AktuelRec);
  bool fravaer = false;
  for (uint32_t i = 1; i < wm->SubObjTab.size(); ++i) fravaer |= wm->SubObjTab[i] == BogHovedRec(ws);
  EXPECT_TRUE(fravaer);
  if (const char *ud = std::getenv("TAVO_SNAPSHOT_DIR")) tavo::test::SaveWindowPng(m, (std::string(ud) + "/bog_medarbejder.png").c_str());
  DestroyWindow(m);
  DestroyWindow(k);
  GlobalIndstillinger.post = 0;
}

TEST_F(BogEndeTilEnde, HoursTypedInTheMonthPaneAreSavedAndReadBack) {
  fs::path skole;
  Fjern fjern{skole};
  ASSERT_NO_FATAL_FAILURE(switchtest::LavLilleSkole("bogmnd", &skole));
  LaesSwitchIni();
  farver_intern::InitPaletteDybde(32);
  InstallerImportKroge();
  GlobalIndstillinger.post = 1;
  SaetAktuelDato(20261015);
  ASSERT_GT(SkemaPeriode.AktuelDato, SkemaPeriode.LaasDato) << "the day lies outside the locked period";

  // An employment of the demo's first absence activity.
  uint32_t akti = 0, anfo = 0;
  for (uint32_t r = 1; r < AakrelAntal() && !anfo; ++r) {
    const auto *a = reinterpret_cast<const AakrelRec *>(GetRec(&tdaakrel, &tvaakrel, r));
    if (a->Status && IsOvakAkti(a->akti_id)) akti = a->akti_id, anfo = a->anfo_id;
  }
  ASSERT_NE(anfo, 0u);
  tvanfo.AktuelRec = anfo;
  tvakti.AktuelRec = akti;

  WNDCLASSA wc{};
  wc.lpfnWndProc = VaertProc;
  wc.lpszClassName = "BogMndVaert";
  RegisterClassA(&wc);
  wc.lpfnWndProc = EditIntWndProc;
  wc.lpszClassName = "EditIntWndClass";
  RegisterClassA(&wc);
  RammeKlasser();
  ASSERT_TRUE(RegistrerBogKlasse(hInst));
  HWND hoved = CreateWindowExA(0, "BogMndVaert", "Tavo", WS_POPUP | WS_VISIBLE, 0, 0, 1600, 800, 0, 0, 0, nullptr);
  HWND desktop = CreateWindowExA(0, "BogMndVaert", "", WS_CHILD | WS_VISIBLE, 0, 0, 1600, 800, hoved, 0, 0, nullptr);
  hwndHoved = hoved;
  hwndDesktop = desktop;
  DesktopRect = RECT{0, 0, 1599, 799};

  HWND m = AabnKaskadeVindue(hoved, kBogMedaType, 0, true);
  ASSERT_NE(m, 0u);
  BOGWS *ws = BogVinduesWS(m);
  ASSERT_NE(ws, nullptr);
  ASSERT_EQ(BogHovedRec(ws), anfo);
  ASSERT_EQ(BogPartnerRec(ws), akti);
  // Inside the cells, clear of the frame's caption and borders.
  SendMessageA(m, WM_LBUTTONDOWN, 0, MAKELPARAM(ws->Hoved.RudeX[ENS_CELLER] + 5, ws->Hoved.RudeY[ENS_CELLER] + 5));
  SetFocus(m);
  PumpUntilIdle();
  auto tast = [](UINT vk) {
    tavo::test::PressKey(vk);
    PumpUntilIdle();
  };
  tast(VK_TAB);
  ASSERT_EQ(ws->MndRude, 1);
  // The first free day after the current one.
  for (int i = 0; i < 10 && (i == 0 || SendMessageA(ws->hwndMnd, MND_TIMER, 0, 0) != 0); ++i) tast(VK_DOWN);
  ASSERT_EQ(SendMessageA(ws->hwndMnd, MND_TIMER, 0, 0), 0);
  const Dato dag = ws->Aktuel.Dato;
  tast(VK_RETURN);
  ASSERT_NE(ws->hwndRet, HWND{});
  tavo::test::TypeText("3,25");
  PumpUntilIdle();
  tast(VK_RETURN);
  ASSERT_EQ(SendMessageA(ws->hwndMnd, MND_TIMER, 0, 0), 325);
  DestroyWindow(m);
  const uint8_t insnr = GlobalIndstillinger.insnr;

  ASSERT_TRUE(GemAlleData(0, 0));
  storetest::TomAlleTabeller();
  ASSERT_TRUE(SaetSkoleMappe(DataMappeNavn(skole).c_str()));
  ASSERT_EQ(HentAlleData(0), 0);
  const TimoakRaekke *t = FindTimoak(akti, anfo, dag);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->Timer, 325);
  EXPECT_EQ(t->Status, 64);
  EXPECT_EQ(t->Ejer, insnr);
  GlobalIndstillinger.post = 0;
}

}  // namespace
