// The working-time priority window: the slot times, the employment list,
// setting and removing priorities in the table (own records only, the export
// flag only on a change), and the window driven by mouse and keys.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "../data/pred_tabeller.h"
#include "ENS.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "INDSTIL.h"
#include "MEDSKEPRI.h"
#include "PROGVINDUER.h"
#include "STITAB.h"
#include "ressourcer.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"
#include "windows.h"

namespace {

using namespace predtest;
namespace fs = std::filesystem;
using tavo::test::PumpUntilIdle;

constexpr uint8_t kEgen = 3;
constexpr uint8_t kAnden = 9;
const char kIniStart[] = "[flag]\r\nandet=1\r\n";

// The host's answer to whether a window may become active.
LRESULT MaaAktiveres = 1;

LRESULT CALLBACK VaertProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ENS_MAA_AKTIVERES) return MaaAktiveres;
  if (m >= 1024 && m < 10000) return 0;
  return DefWindowProcA(h, m, w, l);
}

// One medaskeprior record as the tests compare them.
using Post = std::tuple<uint32_t, int, uint32_t, uint32_t, int32_t, int, int>;  // anfo dag start slut prio ejer status

class MedaSkePrior : public ::testing::Test {
 public:
  void SetUp() override {
    tavo::test::ResetUser();
    mappe = fs::temp_directory_path() / ("medskepri_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(mappe);
    fs::create_directories(mappe / "ini");
    fs::create_directories(mappe / "log");
    std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s/", mappe.string().c_str());
    InitStiTab();
    std::ofstream(mappe / "ini" / "tavo.ini", std::ios::binary) << kIniStart;
    farver_intern::InitPaletteDybde(32);
    TommeTabeller();
    GlobalIndstillinger.insnr = kEgen;
    GlobalIndstillinger.skemalaast = 0;
    tvanfo.AktuelRec = 0;
  }

  void TearDown() override {
    BYTE tom[256] = {};
    SetKeyboardState(tom);
    tavo::test::ResetUser();
    hwndHoved = hwndDesktop = 0;
    FrigivAlle();
    std::error_code ec;
    fs::remove_all(mappe, ec);
  }

  static uint32_t Ansaettelse(const char *initialer, const char *loeb, const char *navn, uint8_t status = 10,
                              uint32_t gruppe = 1) {
    MedaRec m{};
    m.id = 100 + tvmeda.wRecCnt;
    m.Status = 10;
    Tekst(m.Initialer, initialer);
    Tekst(m.Navn, navn);
    const uint32_t meda = Ny(tdmeda, tvmeda, m);
    AnfoRec a{};
    a.id = 500 + tvanfo.wRecCnt;
    a.meda_id = meda;
    std::memcpy(a.Loebenummer, loeb, std::min<size_t>(std::strlen(loeb), sizeof a.Loebenummer));
    a.Status = status;
    a.Gruppe = gruppe;
    return Ny(tdanfo, tvanfo, a);
  }

  static uint32_t Prior(uint32_t anfo, uint8_t dag, uint32_t start, uint32_t slut, int32_t p, uint8_t ejer = kEgen,
                        uint8_t status = 64) {
    MedaskepriorRec r{};
    r.anfo_id = anfo;
    r.Ugedag = dag;
    r.Starttid = start;
    r.Sluttid = slut;
    r.prioritet = p;
    r.Ejer = ejer;
    r.Status = status;
    return Ny(tdmedaskeprior, tvmedaskeprior, r);
  }

  static MedaskepriorRec &R(uint32_t n) { return *Rec<MedaskepriorRec>(tvmedaskeprior, n); }

  // Every record that is not free, in record order.
  static std::vector<Post> Poster() {
    std::vector<Post> v;
    for (uint32_t n = 1; n < tvmedaskeprior.wRecCnt; ++n) {
      const MedaskepriorRec &r = R(n);
      if (r.Status)
        v.emplace_back(uint32_t{r.anfo_id}, int{r.Ugedag}, uint32_t{r.Starttid}, uint32_t{r.Sluttid},
                       int32_t{r.prioritet}, int{r.Ejer}, int{r.Status});
    }
    return v;
  }

  std::string Ini() const {
    std::ifstream f(mappe / "ini" / "tavo.ini", std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  static int Flag() { return GetPrivateProfileIntA("flag", "exportermedaskeprior", 0, StiTab.szini); }

  // A workspace without a window, for the table operations.
  struct Ws {
    MedaSkePriorWS ws{};
    Ws() {
      ws.StartTid = 800;
      ws.SlotMinutter = 5;
      ws.Dage = GridPos{5, 1, 5, 1};
      ws.Slots = GridPos{96, 1, 96, 1};
      ByggMedaSkePriorListe(&ws);
    }
    ~Ws() { std::free(ws.Hoved.ObjTab); }
    MedaSkePriorWS *operator->() { return &ws; }
    void Blok(uint32_t d1, uint32_t s1, uint32_t d2, uint32_t s2) {
      ws.BlokDag1 = d1;
      ws.BlokSlot1 = s1;
      ws.BlokDag2 = d2;
      ws.BlokSlot2 = s2;
    }
  };

  fs::path mappe;
};

TEST_F(MedaSkePrior, SlotTimesCarryTheMinutesIntoTheHour) {
  struct Tilfaelde {
    uint32_t start, minutter, slot, fra, til;
  } tabel[] = {
      {800, 5, 1, 800, 805},   {800, 5, 3, 810, 815},  {800, 5, 12, 855, 900},
      {800, 5, 13, 900, 905},  {800, 5, 96, 1555, 1600},
      {855, 5, 1, 855, 900},   {855, 5, 2, 900, 905},  {855, 5, 13, 955, 1000},
      {830, 15, 3, 900, 915},  {1150, 20, 1, 1150, 1210},
  };
  for (const auto &t : tabel) {
    uint32_t fra = 0, til = 0;
    MedaSkePriorSlotTid(t.start, t.minutter, t.slot, &fra, &til);
    EXPECT_EQ(fra, t.fra) << t.start << " +" << t.minutter << " slot " << t.slot;
    EXPECT_EQ(til, t.til) << t.start << " +" << t.minutter << " slot " << t.slot;
  }
}

TEST_F(MedaSkePrior, ListsLiveUnarchivedEmploymentsAndTakesTheCurrentOne) {
  const uint32_t c = Ansaettelse("CARL", "1", "Carl");
  Ansaettelse("DORA", "1", "Dora", 9);
  const uint32_t a = Ansaettelse("ANNA", "2", "Anna", 29);
  Ansaettelse("EVA", "1", "Eva", 30);
  Ansaettelse("FINN", "1", "Finn", 10, 0x80000001u);
  const uint32_t b = Ansaettelse("BENT", "1", "Bent");
  {
    Ws ws;
    const uint32_t antal = ws->Hoved.ObjTabAntal;  // a packed field
    const uint32_t *tab = ws->Hoved.ObjTab;
    ASSERT_EQ(antal, 3u);
    EXPECT_EQ(std::vector<uint32_t>(tab + 1, tab + 4), (std::vector<uint32_t>{a, b, c}));
    EXPECT_EQ(MedaSkePriorAnfo(&ws.ws), a) << "no current employment: the first";
  }
  tvanfo.AktuelRec = c;
  Ws ws;
  EXPECT_EQ(MedaSkePriorAnfo(&ws.ws), c);
}

TEST_F(MedaSkePrior, SettingABlockWritesOneOwnRecordPerSlotAndTheFlag) {
  const uint32_t a = Ansaettelse("ANNA", "1", "Anna");
  Ws ws;
  ws.Blok(1, 1, 2, 3);
  EXPECT_EQ(SaetMedaSkePrior(&ws.ws, 2), 6u);
  EXPECT_EQ(Poster(), (std::vector<Post>{{a, 1, 800, 805, 2, kEgen, 64},
                                         {a, 1, 805, 810, 2, kEgen, 64},
                                         {a, 1, 810, 815, 2, kEgen, 64},
                                         {a, 2, 800, 805, 2, kEgen, 64},
                                         {a, 2, 805, 810, 2, kEgen, 64},
                                         {a, 2, 810, 815, 2, kEgen, 64}}));
  EXPECT_EQ(Flag(), 1);
  EXPECT_EQ(tvmedaskeprior.pfSave[1 / tdmedaskeprior.RecPrBlok], 1);
  EXPECT_NE(FindMedaSkePrior(&ws.ws, 805, 810, 2), 0u);
  EXPECT_EQ(FindMedaSkePrior(&ws.ws, 815, 820, 2), 0u);
}

TEST_F(MedaSkePrior, OwnRecordsAreOverwrittenInPlaceAndOtherInstallationsLeftAlone) {
  const uint32_t a = Ansaettelse("ANNA", "1", "Anna");
  const uint32_t egen = Prior(a, 1, 800, 805, 1);
  const uint32_t anden = Prior(a, 1, 805, 810, -1, kAnden);
  const MedaskepriorRec foer = R(anden);
  Ws ws;
  EXPECT_EQ(FindMedaSkePrior(&ws.ws, 805, 810, 1), 0u) << "another installation's record is not seen";

  ws.Blok(1, 1, 1, 2);
  EXPECT_EQ(SaetMedaSkePrior(&ws.ws, 3), 2u);
  EXPECT_EQ(int32_t{R(egen).prioritet}, 3);
  EXPECT_EQ(FindMedaSkePrior(&ws.ws, 800, 805, 1), egen);
  EXPECT_EQ(std::memcmp(&R(anden), &foer, sizeof foer), 0);
  const uint32_t ny = FindMedaSkePrior(&ws.ws, 805, 810, 1);
  EXPECT_NE(ny, 0u);
  EXPECT_NE(ny, anden);

  EXPECT_EQ(FjernMedaSkePrior(&ws.ws), 2u);
  EXPECT_EQ(std::memcmp(&R(anden), &foer, sizeof foer), 0);
  EXPECT_EQ(Poster(), (std::vector<Post>{{a, 1, 805, 810, -1, kAnden, 64}}));
}

TEST_F(MedaSkePrior, RemovingWhereNothingIsSetChangesNothing) {
  const uint32_t a = Ansaettelse("ANNA", "1", "Anna");
  Prior(a, 1, 800, 805, 1, kAnden);
  Prior(a, 3, 800, 805, 1);  // another day
  const std::vector<Post> foer = Poster();
  Ws ws;
  ws.Blok(1, 1, 2, 4);
  EXPECT_EQ(FjernMedaSkePrior(&ws.ws), 0u);
  EXPECT_EQ(Poster(), foer);
  EXPECT_EQ(Ini(), kIniStart);
}

TEST_F(MedaSkePrior, ARemovedRecordIsFreeAndTakenByTheNextSetting) {
  Ansaettelse("ANNA", "1", "Anna");
  Ws ws;
  ws.Blok(2, 5, 2, 5);
  ASSERT_EQ(SaetMedaSkePrior(&ws.ws, -1), 1u);
  const uint32_t r = FindMedaSkePrior(&ws.ws, 820, 825, 2);
  ASSERT_NE(r, 0u);
  Prior(1, 5, 800, 805, 1);  // a record after it keeps the table from shrinking
  tvmedaskeprior.FoersteLedige = tvmedaskeprior.wRecCnt;

  // Without a block the current cell is removed.
  ws.Blok(0, 0, 0, 0);
  ws->Dage.Aktuel = 2;
  ws->Slots.Aktuel = 5;
  EXPECT_EQ(FjernMedaSkePrior(&ws.ws), 1u);
  const MedaskepriorRec nul{};
  EXPECT_EQ(std::memcmp(&R(r), &nul, sizeof nul), 0);
  EXPECT_LE(tvmedaskeprior.FoersteLedige, r);

  ws.Blok(4, 1, 4, 1);
  ASSERT_EQ(SaetMedaSkePrior(&ws.ws, 2), 1u);
  EXPECT_EQ(FindMedaSkePrior(&ws.ws, 800, 805, 4), r);
}

TEST_F(MedaSkePrior, ADeletedUnsentRecordOfTheCellIsReusedASentOneIsNot) {
  const uint32_t a = Ansaettelse("ANNA", "1", "Anna");
  const uint32_t slettet = Prior(a, 1, 800, 805, 1, kEgen, 64 | 8);
  const uint32_t sendt = Prior(a, 1, 805, 810, 1, kEgen, 64 | 8 | 16);
  Ws ws;
  ws.Blok(1, 1, 1, 2);
  ASSERT_EQ(SaetMedaSkePrior(&ws.ws, -2), 2u);
  EXPECT_EQ(FindMedaSkePrior(&ws.ws, 800, 805, 1), slettet);
  EXPECT_EQ(int{R(slettet).Status}, 64);
  EXPECT_EQ(int{R(sendt).Status}, 64 | 8 | 16);
  EXPECT_NE(FindMedaSkePrior(&ws.ws, 805, 810, 1), sendt);
}

// A record that covers several slots (as the server may send one) keeps the
// priority of the slots that are not changed.
TEST_F(MedaSkePrior, ChangingOneSlotOfAWiderRecordKeepsTheOtherSlots) {
  const uint32_t a = Ansaettelse("ANNA", "1", "Anna");
  Prior(a, 1, 800, 815, 1);
  Prior(a, 2, 800, 815, 2);
  Ws ws;
  ws.Blok(1, 2, 1, 2);
  ASSERT_EQ(SaetMedaSkePrior(&ws.ws, -3), 1u);
  ws.Blok(2, 3, 2, 3);
  ASSERT_EQ(FjernMedaSkePrior(&ws.ws), 1u);
  std::vector<Post> v = Poster();
  std::sort(v.begin(), v.end());
  EXPECT_EQ(v, (std::vector<Post>{{a, 1, 800, 805, 1, kEgen, 64},
                                  {a, 1, 805, 810, -3, kEgen, 64},
                                  {a, 1, 810, 815, 1, kEgen, 64},
                                  {a, 2, 800, 810, 2, kEgen, 64}}));
}

TEST_F(MedaSkePrior, AReadOnlyRunChangesTheTableButWritesNoSettings) {
  Ansaettelse("ANNA", "1", "Anna");
  GlobalIndstillinger.skemalaast = 1;
  Ws ws;
  ws.Blok(1, 1, 1, 1);
  EXPECT_EQ(SaetMedaSkePrior(&ws.ws, 1), 1u);
  EXPECT_EQ(Ini(), kIniStart);
}

// ---------------------------------------------------------------- the window

class MedaSkePriorVindue : public MedaSkePrior {
 public:
  void SetUp() override {
    MedaSkePrior::SetUp();
    MaaAktiveres = 1;
    RegistrerOrvaneRessourcer();
    hInst = kOrvaneInstans;
    WNDCLASSA wc{};
    wc.lpfnWndProc = VaertProc;
    wc.lpszClassName = "MspTestVaert";
    RegisterClassA(&wc);
    ASSERT_TRUE(RegistrerMedaSkePriorKlasse(hInst));
    hoved = CreateWindowExA(0, "MspTestVaert", "Tavo", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 700, 0,
                            0, 0, nullptr);
    desktop = CreateWindowExA(0, "MspTestVaert", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 700,
                              hoved, 0, 0, nullptr);
    hwndHoved = hoved;
    hwndDesktop = desktop;
    a = Ansaettelse("ANNA", "7", "Anna Andersen");
    b = Ansaettelse("BENT", "12", "Bent Berg");
    tvanfo.AktuelRec = a;
  }

  HWND Aabn() {
    HWND h = CreateMedaSkePriorWnd(desktop, 10, 10, 990, 690);
    EXPECT_NE(h, 0u);
    ShowWindow(h, SW_SHOW);
    UpdateWindow(h);
    SetFocus(h);
    PumpUntilIdle();
    return h;
  }
  // The screen point of the middle of a cell (day, slot).
  static POINT Celle(HWND h, int dag, int slot) {
    return tavo::test::ScreenPoint(h, kMspTidBredde + (dag - 1) * kMspDagBredde + kMspDagBredde / 2,
                                   kMspInfoHoejde + kMspHovedHoejde + (slot - 1) * kMspSlotHoejde + 2);
  }
  static std::string Kaption(HWND h) {
    std::string s;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == h && t.y < kMspInfoHoejde) s = t.text;
    return s;
  }
  static std::vector<int> Blok(const MedaSkePriorWS *ws) {
    return {int(ws->BlokDag1), int(ws->BlokSlot1), int(ws->BlokDag2), int(ws->BlokSlot2)};
  }

  HWND hoved = 0, desktop = 0;
  uint32_t a = 0, b = 0;
};

TEST_F(MedaSkePriorVindue, DragMarksABlockTheMenuSetsItAndTheKeysRemoveIt) {
  HWND h = Aabn();
  MedaSkePriorWS *ws = MedaSkePriorVinduesWS(h);
  ASSERT_NE(ws, nullptr);
  EXPECT_EQ(GetDlgCtrlID(h), kMedaSkePriorType);

  const POINT p0 = Celle(h, 1, 1), p1 = Celle(h, 2, 3);
  tavo::test::Drag(p0.x, p0.y, p1.x, p1.y);
  PumpUntilIdle();
  EXPECT_EQ(Blok(ws), (std::vector<int>{1, 1, 2, 3}));
  EXPECT_EQ(GetCapture(), 0u);

  // Enter opens the menu; the second item is "prioritet -2".
  tavo::test::StartMessageLog();
  tavo::test::PressKey(VK_RETURN);
  tavo::test::PressKey(VK_DOWN);
  tavo::test::PressKey(VK_RETURN);
  PumpUntilIdle();
  const auto log = tavo::test::StopMessageLog();
  EXPECT_EQ(tavo::test::MessagesOf(log, h, {WM_INITMENUPOPUP}).size(), 1u);
  std::vector<Post> v = Poster();
  ASSERT_EQ(v.size(), 6u);
  for (const Post &p : v) EXPECT_EQ(std::get<4>(p), -2);
  EXPECT_EQ(Blok(ws), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(Flag(), 1);

  // From Monday 08:00: Space, Shift+Right, Shift+Down twice, Delete.
  ws->Dage.Aktuel = ws->Slots.Aktuel = 1;
  tavo::test::PressKey(VK_SPACE);
  tavo::test::PressKey(VK_RIGHT, tavo::test::ModShift);
  tavo::test::PressKey(VK_DOWN, tavo::test::ModShift);
  tavo::test::PressKey(VK_DOWN, tavo::test::ModShift);
  PumpUntilIdle();
  EXPECT_EQ(Blok(ws), (std::vector<int>{1, 1, 2, 3}));
  tavo::test::PressKey(VK_DELETE);
  PumpUntilIdle();
  EXPECT_TRUE(Poster().empty());
  EXPECT_EQ(Blok(ws), (std::vector<int>{0, 0, 0, 0}));

  // An arrow without Shift drops a block.
  tavo::test::PressKey(VK_SPACE);
  tavo::test::PressKey(VK_DOWN);
  PumpUntilIdle();
  EXPECT_EQ(Blok(ws), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(ws->Slots.Aktuel, 4u);
}

TEST_F(MedaSkePriorVindue, AClickIsSwallowedWhenTheWindowMayNotBecomeActive) {
  HWND h = Aabn();
  MedaSkePriorWS *ws = MedaSkePriorVinduesWS(h);
  MaaAktiveres = 0;
  POINT p = Celle(h, 3, 10);
  tavo::test::Click(p.x, p.y);
  PumpUntilIdle();
  EXPECT_EQ(ws->Dage.Aktuel, 1u);
  EXPECT_EQ(ws->Slots.Aktuel, 1u);
  EXPECT_EQ(GetCapture(), 0u);

  MaaAktiveres = 1;
  tavo::test::Click(p.x, p.y);
  PumpUntilIdle();
  EXPECT_EQ(ws->Dage.Aktuel, 3u);
  EXPECT_EQ(ws->Slots.Aktuel, 10u);
  // The time column moves only the slot, the day heads only the day.
  p = tavo::test::ScreenPoint(h, 5, kMspInfoHoejde + kMspHovedHoejde + 40 * kMspSlotHoejde + 1);
  tavo::test::Click(p.x, p.y);
  p = Celle(h, 5, 1);
  p.y -= kMspHovedHoejde / 2 + 2;
  tavo::test::Click(p.x, p.y);
  PumpUntilIdle();
  EXPECT_EQ(ws->Dage.Aktuel, 5u);
  EXPECT_EQ(ws->Slots.Aktuel, 41u);
}

TEST_F(MedaSkePriorVindue, RemoveFromTheMenuAndEscapeAsItsAnswer) {
  Prior(a, 1, 800, 805, 1);
  HWND h = Aabn();
  MedaSkePriorWS *ws = MedaSkePriorVinduesWS(h);
  const POINT p0 = Celle(h, 1, 1), p1 = Celle(h, 1, 2);
  tavo::test::Drag(p0.x, p0.y, p1.x, p1.y);
  PumpUntilIdle();

  // Escape leaves the menu without a command; the block stays.
  tavo::test::PressKey(VK_RETURN);
  tavo::test::PressKey(VK_ESCAPE);
  PumpUntilIdle();
  EXPECT_EQ(Poster().size(), 1u);
  EXPECT_EQ(Blok(ws), (std::vector<int>{1, 1, 1, 2}));

  // "Fjern proritering" has command 0, and still acts.
  tavo::test::PressKey(VK_RETURN);
  for (int i = 0; i < 3; ++i) tavo::test::PressKey(VK_DOWN);
  tavo::test::PressKey(VK_RETURN);
  PumpUntilIdle();
  EXPECT_TRUE(Poster().empty());
  EXPECT_EQ(Blok(ws), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(MedaSkePriorVindue, PageKeysTypeAheadAndTheBroadcastChooseTheEmployment) {
  HWND h = Aabn();
  MedaSkePriorWS *ws = MedaSkePriorVinduesWS(h);
  EXPECT_EQ(MedaSkePriorAnfo(ws), a);

  tavo::test::ClearDrawnTexts();
  tavo::test::PressKey(VK_NEXT);
  PumpUntilIdle();
  EXPECT_EQ(MedaSkePriorAnfo(ws), b);
  EXPECT_EQ(Kaption(h), "BENT  12  Bent Berg");

  tavo::test::PressKey(VK_PRIOR);
  PumpUntilIdle();
  EXPECT_EQ(MedaSkePriorAnfo(ws), a);

  tavo::test::PressKey('B');
  PumpUntilIdle();
  EXPECT_EQ(MedaSkePriorAnfo(ws), b);

  tvanfo.AktuelRec = a;
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, AKTUEL_AENDRET, 0, 0);
  EXPECT_EQ(MedaSkePriorAnfo(ws), a);
  EXPECT_EQ(Kaption(h), "ANNA  7  Anna Andersen");

  tavo::test::PressKey(VK_ESCAPE);
  PumpUntilIdle();
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(MedaSkePriorVindue, SizeQueriesKeepTheLeastSize) {
  HWND h = Aabn();
  EXPECT_EQ(SendMessageA(h, ENS_BREDDE, 10, 0), kMspTidBredde + kMspMindsteBreddeTillaeg);
  EXPECT_EQ(SendMessageA(h, ENS_HOEJDE, 10, 0), kMspMindsteHoejde);
  EXPECT_GT(SendMessageA(h, ENS_BREDDE, 5000, 0), kMspTidBredde + 5 * kMspDagBredde);
  EXPECT_GT(SendMessageA(h, ENS_HOEJDE, 5000, 0), 96 * kMspSlotHoejde);
}

TEST_F(MedaSkePriorVindue, CellsShowTheSevenPriorityColoursAndTheTimeColumn) {
  for (int p = -3; p <= 3; ++p) Prior(a, 3, 1000 + 5 * (p + 3), 1005 + 5 * (p + 3), p);
  Prior(a, 4, 800, 805, 3, kAnden);
  tavo::test::ClearDrawnTexts();
  HWND h = Aabn();
  for (int p = -3; p <= 3; ++p) {
    const POINT c = Celle(h, 3, 25 + p + 3);
    POINT k = c;
    ScreenToClient(h, &k);
    EXPECT_EQ(tavo::test::WindowPixel(h, k.x, k.y), FarveTab[53 - p]) << "priority " << p;
  }
  POINT k = Celle(h, 4, 1);
  ScreenToClient(h, &k);
  EXPECT_EQ(tavo::test::WindowPixel(h, k.x, k.y), FarveTab[0]) << "another installation's record";
  std::vector<std::string> tider;
  for (const auto &t : tavo::test::DrawnTexts())
    if (t.hwnd == h && t.x < kMspTidBredde && t.y >= kMspInfoHoejde + kMspHovedHoejde) tider.push_back(t.text);
  ASSERT_EQ(tider.size(), 32u);
  EXPECT_EQ(tider[0], "08:00");
  EXPECT_EQ(tider[1], "08:15");
  EXPECT_EQ(tider[31], "15:45");
  if (const char *ud = std::getenv("TAVO_SNAPSHOT_DIR")) {
    HDC dc = GetDC(h);
    tavo::test::SavePng(dc, (std::string(ud) + "/medskepri.png").c_str());
    ReleaseDC(h, dc);
  }
}

}  // namespace
