// The timesheet window driven by keys and messages: month and employment
// moves published to the program, the layout switch and the hold flag.
#include <array>
#include <filesystem>

#include "FARVER.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "ENSMUS.h"
#include "PROGVINDUER.h"
#include "STITAB.h"
#include "SWITCH.h"
#include "VINDUER.h"
#include "medtime_fixture.h"
#include "tavo/test_user.h"

namespace medtimetest {
namespace {

namespace fs = std::filesystem;

struct Besked {
  HWND hwnd;
  UINT msg;
  WPARAM w;
};
std::vector<Besked> Modtaget;

LRESULT CALLBACK VaertProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ENS_MAA_AKTIVERES) return 1;
  return DefWindowProcA(h, m, w, l);
}
LRESULT CALLBACK LytterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m >= 1024 && m < 10000) {
    Modtaget.push_back({h, m, w});
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class MedTimeVindue : public MedTimeSkole {
 protected:
  void SetUp() override {
    MedTimeSkole::SetUp();
    tavo::test::ResetUser();
    farver_intern::InitPaletteDybde(32);
    fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "resources" / "orvane" / "TavoSwt.ini", rod / "ini" / "TavoSwt.ini");
    LaesSwitchIni();
    SaetVisningstider(800, 10, 5);
    RegistrerMedTimeKlasse(hInst);
    RammeKlasser();
    WNDCLASSA wc{};
    wc.lpfnWndProc = VaertProc;
    wc.lpszClassName = "MedTimeVaert";
    RegisterClassA(&wc);
    wc.lpfnWndProc = LytterProc;
    wc.lpszClassName = "MedTimeLytter";
    RegisterClassA(&wc);
    vaert = CreateWindowExA(0, "MedTimeVaert", "", WS_OVERLAPPED, 0, 0, 1600, 900, 0, 0, hInst, nullptr);
    lytter = CreateWindowExA(0, "MedTimeLytter", "", WS_CHILD, 0, 0, 10, 10, vaert, 0, hInst, nullptr);
    hoved = CreateWindowExA(0, "MedTimeLytter", "", WS_OVERLAPPED, 0, 0, 10, 10, 0, 0, hInst, nullptr);
    VinduesListeTilfoej(lytter);
    hwndHoved = hoved;
    anfo2 = Anfo(22);
    TabRec<AnfoRec>(tvanfo, anfo2)->Gruppe = 1;
    Postering(NavngivetAkti("A1"), 20241015, 100, 'A');
    Postering(NavngivetAkti("A2"), 20241022, 100, 'A');
    hwnd = CreateMedTimeWnd(vaert, 0, 0, 1600, 900, false, 0);
    ASSERT_NE(hwnd, 0u);
    w = MedTimeVinduesWS(hwnd);
    ASSERT_NE(w, nullptr);
    Modtaget.clear();
  }
  void TearDown() override {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    hwndHoved = 0;
    VinduesListeFjern(lytter);
    DestroyWindow(hoved);
    DestroyWindow(vaert);
    FrigivSwitchTab();
    tavo::test::ResetUser();
    MedTimeSkole::TearDown();
  }
  void Tast(UINT vk) { SendMessageA(hwnd, WM_KEYDOWN, vk, 0); }
  bool Fik(HWND h, UINT m, WPARAM v) const {
    for (const Besked &b : Modtaget)
      if (b.hwnd == h && b.msg == m && b.w == v) return true;
    return false;
  }
  Maaned AktuelMaaned() const { return IndeksTilMaaned(w->MndTab[w->AktuelMnd]); }

  HWND vaert = 0, lytter = 0, hoved = 0, hwnd = 0;
  MedTime *w = nullptr;
  uint32_t anfo2 = 0;
};

TEST_F(MedTimeVindue, OpensOnTheSelectedEmploymentAndTheProgramsMonth) {
  EXPECT_EQ(MedTimeAnfo(w), anfo);
  EXPECT_EQ(AktuelMaaned(), 202410u);
  EXPECT_EQ(w->MndAntal, 12u);
  EXPECT_EQ(w->LinieAntal, 5u) << "totals, and a line and a subtotal in each of two weeks";
}

TEST_F(MedTimeVindue, RightMovesToTheNextMonthAndPublishesTheDate) {
  // 31 October: November has no 31st and its 30th is a Saturday, which is
  // not shown, so the date goes back to Friday 29 November.
  SendMessageA(hwnd, VINDUE_DEAKTIVER, 0, 0);
  SaetAktuelDato(20241031);
  SendMessageA(hwnd, AKTUEL_AENDRET, 1, 0);
  SendMessageA(hwnd, VINDUE_AKTIVER, 1, 0);
  Modtaget.clear();
  Tast(VK_RIGHT);
  EXPECT_EQ(AktuelMaaned(), 202411u);
  EXPECT_EQ(w->AktuelDato, 20241129u);
  EXPECT_EQ(SkemaPeriode.AktuelDato, 20241129u);
  EXPECT_TRUE(Fik(lytter, AKTUEL_AENDRET, 0));
  EXPECT_TRUE(Fik(hoved, STATUS_DATO_SAET, 20241129));
  EXPECT_EQ(w->LinieAntal, 1u) << "November holds nothing";
  Tast(VK_LEFT);
  EXPECT_EQ(AktuelMaaned(), 202410u);
  EXPECT_EQ(w->LinieAntal, 5u);
  // From Tuesday 29 October down onto week 43's line: Tuesday of that week.
  Modtaget.clear();
  Tast(VK_DOWN);
  Tast(VK_DOWN);
  Tast(VK_DOWN);
  EXPECT_EQ(w->LinieTab[w->PosY.Aktuel].Uge, UgeTilIndeks(kUge43));
  EXPECT_EQ(SkemaPeriode.AktuelDato, 20241022u);
  EXPECT_TRUE(Fik(hoved, STATUS_DATO_SAET, 20241022));
}

TEST_F(MedTimeVindue, PageDownMakesTheNextEmploymentCurrentAndSelected) {
  ASSERT_EQ(+w->Hoved.ObjTabAntal, 2u);
  const uint32_t foer = MedTimeAnfo(w);
  const uint32_t naeste = w->Hoved.ObjTab[w->AktuelObj == 1 ? 2 : 1];
  if (w->AktuelObj == 2) Tast(VK_PRIOR);
  Tast(w->AktuelObj == 1 ? VK_NEXT : VK_PRIOR);
  EXPECT_NE(MedTimeAnfo(w), foer);
  EXPECT_EQ(MedTimeAnfo(w), naeste);
  EXPECT_EQ(tvanfo.AktuelRec, naeste);
  EXPECT_TRUE(Fik(lytter, AKTUEL_AENDRET, 0));
}

TEST_F(MedTimeVindue, DigitThreeSelectsLayoutTwoForAllThreeKindsAndResizes) {
  RECT foer;
  GetWindowRect(hwnd, &foer);
  Tast('3');
  EXPECT_EQ(w->Layout, 2u);
  for (uint32_t art : {kMedTimeListeArt, kMedTimeLinieArt, kMedTimeHovedArt}) EXPECT_EQ(ObjSwitchValgt(art, 'M'), 2u) << art;
  RECT efter;
  GetWindowRect(hwnd, &efter);
  EXPECT_LT(efter.right - efter.left, foer.right - foer.left);
  EXPECT_EQ(efter.right - efter.left, MedTimeBredde(w, 1600));
  EXPECT_EQ(w->LinieAntal, 3u) << "the totals and two week subtotals";
  Tast('1');
  EXPECT_EQ(w->Layout, 0u);
  EXPECT_EQ(ObjSwitchValgt(kMedTimeHovedArt, 'M'), 0u);
}

TEST_F(MedTimeVindue, TheHoldFlagAndTheActiveWindowRuleKeepTheDate) {
  SaetAktuelDato(20241120);
  SendMessageA(hwnd, AKTUEL_AENDRET, 0, 0);
  EXPECT_EQ(w->AktuelDato, 20241015u) << "the active window takes only an insisting message";
  SendMessageA(hwnd, NYB_KLIK, 0, 0);
  ASSERT_EQ(w->Hold, 1);
  SendMessageA(hwnd, AKTUEL_AENDRET, 1, 0);
  SendMessageA(hwnd, VINDUE_DEAKTIVER, 0, 0);
  SendMessageA(hwnd, AKTUEL_AENDRET, 0, 0);
  EXPECT_EQ(w->AktuelDato, 20241015u) << "held";
  EXPECT_EQ(AktuelMaaned(), 202410u);
  Tast('H');  // the window's command toggles it too, activating the window first
  ASSERT_EQ(w->Hold, 0);
  EXPECT_EQ(w->Hoved.Aktiv, 1);
  SendMessageA(hwnd, VINDUE_DEAKTIVER, 0, 0);
  SendMessageA(hwnd, AKTUEL_AENDRET, 0, 0);
  EXPECT_EQ(w->AktuelDato, 20241120u);
  EXPECT_EQ(AktuelMaaned(), 202411u);
}

TEST_F(MedTimeVindue, GroupChoiceNarrowsTheListAndTheSharedSelection) {
  TabRec<AnfoRec>(tvanfo, anfo2)->Gruppe = 4;
  SendMessageA(hwnd, GRUPPE_VALGT, 2, 0);
  ASSERT_EQ(+w->Hoved.ObjTabAntal, 1u);
  EXPECT_EQ(+w->Hoved.ObjTab[1], anfo2);
  EXPECT_EQ(HuskGruppe[GruppeArtIndeks('M')], 4u);
  EXPECT_EQ(MedTimeAnfo(w), 0u) << "the selected employment is not listed: the timesheet is empty";
  EXPECT_EQ(w->LinieAntal, 1u);
  SendMessageA(hwnd, GRUPPE_VALGT, 31, 0);
  EXPECT_EQ(+w->Hoved.ObjTabAntal, 2u);
  HuskGruppe[GruppeArtIndeks('M')] = 0;
}

TEST_F(MedTimeVindue, EscapeAndSCloseTheWindowAndLeaveTheWindowList) {
  for (UINT tast : {static_cast<UINT>(VK_ESCAPE), static_cast<UINT>('S')}) {
    SCOPED_TRACE(tast);
    if (!IsWindow(hwnd)) hwnd = CreateMedTimeWnd(vaert, 0, 0, 1600, 900, false, 0);
    ASSERT_NE(FindVindueType(kMedTimeVindue), (HWND)0);
    Tast(tast);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(FindVindueType(kMedTimeVindue), (HWND)0);
  }
}

}  // namespace
}  // namespace medtimetest
