// The main window's keys and focus over the test desktop: a window of the
// main window's procedure (its creation and closing left out) with test
// windows of the types a key looks for, each recording the keys and the
// private messages it gets and answering a function key offered to it as
// it is told.
#include <fstream>
#include <functional>
#include <map>
#include <optional>

#include "DATO.h"
#include "HOVEDVIN.h"
#include "IKKETILG.h"
#include "INDSTIL.h"
#include "TASTINFO.h"
#include "objektvindue_support.h"

namespace objvin_test {
namespace {

struct Fik8 {
  HWND h;
  UINT m;
  WPARAM w;
};

std::vector<Fik8> &Log8() {
  static std::vector<Fik8> l;
  return l;
}
// What a window answers when a function key is offered (1363); 1 unless set.
std::map<HWND, LRESULT> &Svar() {
  static std::map<HWND, LRESULT> s;
  return s;
}

LRESULT CALLBACK VindueProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_CREATE:
      if (GetParent(h) == hwndDesktop) VinduesListeTilfoej(h);
      return 0;
    case WM_DESTROY:
      VinduesListeFjern(h);
      return 0;
    case 1024:
      return 250;
    case 1025:
      return 150;
    case TAST_SPOERG:
      Log8().push_back({h, m, w});
      return Svar().count(h) ? Svar()[h] : 1;
  }
  if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN || m == WM_KEYUP || (m >= 1024 && m < 10000)) Log8().push_back({h, m, w});
  return DefWindowProcA(h, m, w, l);
}

// The main window's procedure without what its creation and closing do to
// the whole program.
LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CREATE || m == WM_DESTROY) return DefWindowProcA(h, m, w, l);
  return MainWndProc(h, m, w, l);
}

class Taster : public ObjektvindueTest {
 protected:
  void SetUp() override {
    ObjektvindueTest::SetUp();
    Klasse("S8Hoved", HovedProc);
    Klasse("S8Vindue", VindueProc);
    hovedvindue = CreateWindowExA(0, "S8Hoved", "Tavo", WS_OVERLAPPEDWINDOW, 50, 20, 1000, 760, 0, TestMenu(), 0,
                                  nullptr);
    hwndHoved = hovedvindue;
    for (int t : {40001, 40002, 40003, 40004, 40005, 40006, 40024, 40025, 40026, 40132, 40133, 40134, 40135, 40136,
                  40137, 40146, 40147, 40148, 40151, 40152, 40163, 40164, 40167, 40202, 40212, 40266, 40225, 40226, 40227,
                  40228, 40229, 40268, 40273, 40292, 40009, 40011, 40013, 40139, 40154, 40176, 40177, 40178, 40187,
                  40203, 40223, 40271})
      Test(t);
    gemtElevplan = ElevplanSlaaetTil;
    gemtPlan = ff_plan;
    gemtKroge = HovedKrog;
    Nulstil();
  }
  void TearDown() override {
    Nulstil();
    ElevplanSlaaetTil = gemtElevplan;
    ff_plan = gemtPlan;
    HovedKrog = gemtKroge;
    DestroyWindow(hovedvindue);
    ObjektvindueTest::TearDown();
  }
  void Nulstil() {
    while (VinduesListe.hoved) DestroyWindow(static_cast<HWND>(VinduesListe.hoved->hwnd));
    for (HWND h : egne) DestroyWindow(h);
    egne.clear();
    Tom();
    Log8().clear();
    Svar().clear();
    T() = Tilstand{};
    HovedFokus = HovedFokusRec{0, 0, -1, 0, {}, 0, 0};
    ImportVenter = false;
    HovedKroge tom{};
    HovedKrog = tom;
  }

  // A free test window of the type at the front of the list.
  HWND Aabn(int type) {
    return CreateWindowExA(0, "S8Vindue", "", WS_CHILD | WS_VISIBLE, 10, 10, 300, 200, desktop,
                           static_cast<HMENU>(type), 0, nullptr);
  }
  // A window outside the list (an input window, an element cell).
  HWND Egen() {
    HWND h = CreateWindowExA(0, "S8Vindue", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, hovedvindue, 0, 0, nullptr);
    egne.push_back(h);
    return h;
  }

  static std::vector<UINT> Beskeder(HWND h) {
    std::vector<UINT> v;
    for (const Fik8 &f : Log8())
      if (f.h == h) v.push_back(f.m);
    return v;
  }
  // The windows that got the message (with the wParam given, when given).
  static std::vector<HWND> Fik(UINT m, std::optional<WPARAM> w = std::nullopt) {
    std::vector<HWND> v;
    for (const Fik8 &f : Log8())
      if (f.m == m && (!w || f.w == *w)) v.push_back(f.h);
    return v;
  }
  static std::vector<std::string> Bokse(size_t fra) {
    std::vector<std::string> b;
    const auto alle = tavo::test::MessageBoxesShown();
    for (size_t i = fra; i < alle.size(); ++i) b.push_back(alle[i].caption + "|" + alle[i].text);
    return b;
  }
  std::vector<int> Aabnet() const {
    std::vector<int> v;
    for (const ObjektKald &k : T().kald) v.push_back(k.Type);
    return v;
  }

  HWND hovedvindue = 0;
  std::vector<HWND> egne;
  uint8_t gemtElevplan = 0, gemtPlan = 0;
  HovedKroge gemtKroge{};
};

using HovedVindue = Taster;

// ---- The keyboard tables ----

constexpr int kInput = 100, kElement = 101, kIngen = -1;

struct TastFall {
  const char *navn;
  UINT vk;
  bool shift, ctrl, alt;
  std::vector<int> aabne;        // the free windows opened, the last at the front
  int aktiv;                     // the one made active (index), or kIngen
  bool input, element;           // an input window, a focused element cell
  std::function<void(const std::filesystem::path &)> opsaet;
  // What follows.
  int tastTil;                   // the window that got the key (index, kInput, kElement) or kIngen
  UINT somTast;                  // ... as this key (0: the same)
  std::vector<int> spurgt;       // the windows offered the key with 1363
  int aktiveret;                 // the window told to take the focus (1100), or kIngen
  bool skaerm;                   // the function-key screen ran (every window closed)
  std::vector<int> lukket;       // else the windows closed
  std::vector<int> aabnet;       // ... and the window types opened
  std::vector<std::string> bokse;
};

void Spaerret(const std::filesystem::path &rod) {
  snprintf(StiTab.szdisableserverprog, sizeof StiTab.szdisableserverprog, "%s",
           (rod / "disableserver.lck").string().c_str());
  std::ofstream(rod / "disableserver.lck") << "";
}
void Laast(const std::filesystem::path &) { GlobalIndstillinger.skemalaast = 1; }
void UdenPost(const std::filesystem::path &) { GlobalIndstillinger.post = 0; }

const std::string kSpaerret = "Eksport/Kontakt|Der er spærret for server kontakt for denne installation";

const TastFall kTastFald[] = {
    {"F5 taken by an activity Gantt window opens no screen", VK_F5, false, false, false, {40001, 40146}, kIngen,
     false, false, nullptr, kIngen, 0, {1}, kIngen, false, {}, {}, {}},
    {"F5 goes past a Gantt window that does not take it to the next kind", VK_F5, false, false, false,
     {40146, 40147, 40148}, kIngen, false, false, nullptr, kIngen, 0, {0, 1}, kIngen, false, {}, {}, {}},
    {"F6 is not offered to an activity Gantt window", VK_F6, false, false, false, {40146}, kIngen, false, false,
     nullptr, kIngen, 0, {}, kIngen, true, {}, {}, {}},
    {"F9 runs the screens", VK_F9, false, false, false, {40001}, kIngen, false, false, nullptr, kIngen, 0, {}, kIngen,
     true, {}, {}, {}},
    {"F12 without the postings does nothing", VK_F12, false, false, false, {40001}, 0, false, false, UdenPost, kIngen,
     0, {}, kIngen, false, {}, {}, {}},
    {"F12 with the postings runs the screens", VK_F12, false, false, false, {40001}, 0, false, false, nullptr, kIngen,
     0, {}, kIngen, true, {}, {}, {}},
    {"Ctrl+F12 with the student planning runs the screens without the postings", VK_F12, false, true, false, {40001},
     0, false, false,
     [](const std::filesystem::path &r) {
       UdenPost(r);
       ElevplanSlaaetTil = 1;
     },
     kIngen, 0, {}, kIngen, true, {}, {}, {}},
    {"Tab goes to the active window", VK_TAB, false, false, false, {40001, 40002}, 0, false, false, nullptr, 0, 0, {},
     kIngen, false, {}, {}, {}},
    {"a letter goes to the focused element before the input window", 'A', false, false, false, {40001}, kIngen, true,
     true, nullptr, kElement, 0, {}, kIngen, false, {}, {}, {}},
    {"a letter goes to the input window when no window has the focus", 'A', false, false, false, {40001}, kIngen,
     true, false, nullptr, kInput, 0, {}, kIngen, false, {}, {}, {}},
    {"a letter with no window to take it goes nowhere", 'A', false, false, false, {40001}, kIngen, false, false,
     nullptr, kIngen, 0, {}, kIngen, false, {}, {}, {}},
    {"keypad 5 arrives as 5", VK_NUMPAD5, false, false, false, {40001}, 0, false, false, nullptr, 0, '5', {}, kIngen,
     false, {}, {}, {}},
    {"keypad minus arrives as the minus key", VK_SUBTRACT, false, false, false, {40001}, 0, false, false, nullptr, 0,
     VK_OEM_MINUS, {}, kIngen, false, {}, {}, {}},
    {"Esc without an active window goes to the front window, which takes the focus", VK_ESCAPE, false, false, false,
     {40001, 40002}, kIngen, false, false, nullptr, 1, 0, {}, 1, false, {}, {}, {}},
    {"Esc from a focused element gives the front window the focus", VK_ESCAPE, false, false, false, {40001}, kIngen,
     false, true, nullptr, kIngen, 0, {}, 0, false, {}, {}, {}},
    {"F2 with a posting window open goes to the front window", VK_F2, false, false, false, {40151, 40001}, kIngen,
     false, false, nullptr, 1, 0, {}, kIngen, false, {}, {}, {}},
    {"Shift+F2 opens the staff summary", VK_F2, true, false, false, {}, kIngen, false, false, nullptr, kIngen, 0, {},
     kIngen, false, {}, {40202}, {}},
    {"Ctrl+F2 with the planning module opens the plan groups window", VK_F2, false, true, false, {}, kIngen, false,
     false, [](const std::filesystem::path &) { ff_plan = 1; }, kIngen, 0, {}, kIngen, false, {}, {40266}, {}},
    {"F4 opens the schedule priorities", VK_F4, false, false, false, {}, kIngen, false, false, nullptr, kIngen, 0, {},
     kIngen, false, {}, {40292}, {}},
    {"Ctrl+F4 goes on as an ordinary key", VK_F4, false, true, false, {40001}, 0, false, false, nullptr, 0, 0, {},
     kIngen, false, {}, {}, {}},
    {"F8 closes the other grouping windows and opens the activities'", VK_F8, false, false, false, {40025, 40026},
     kIngen, false, false, nullptr, kIngen, 0, {}, kIngen, false, {0, 1}, {40024}, {}},
    {"Shift+F8 gives an open employee grouping window the focus", VK_F8, true, false, false, {40025, 40024}, kIngen,
     false, false, nullptr, kIngen, 0, {}, 0, false, {1}, {}, {}},
    {"Ctrl+Shift+5 does nothing while an input window is open", '5', true, true, false, {40001}, kIngen, true, false,
     nullptr, kIngen, 0, {}, kIngen, false, {}, {}, {}},
    {"F11 is refused while the program folder bars the server", VK_F11, false, false, false, {}, kIngen, false, false,
     Spaerret, kIngen, 0, {}, kIngen, false, {}, {}, {kSpaerret}},
    {"Shift+F11 is refused while the program folder bars the server", VK_F11, true, false, false, {}, kIngen, false,
     false, Spaerret, kIngen, 0, {}, kIngen, false, {}, {}, {kSpaerret}},
    {"Shift+F11 is refused in a locked schedule", VK_F11, true, false, false, {}, kIngen, false, false, Laast, kIngen,
     0, {}, kIngen, false, {}, {}, {"Kontakt|Serveren kan ikke kontaktes fra et låst skema"}},
    {"Ctrl+F11 is refused in a locked schedule", VK_F11, false, true, false, {}, kIngen, false, false, Laast, kIngen,
     0, {}, kIngen, false, {}, {}, {"Import|Der kan ikke importeres i et låst skema"}},
    // With Alt.
    {"Alt+0 without an active window gives the front window the focus", '0', false, false, true, {40001, 40002},
     kIngen, false, false, nullptr, kIngen, 0, {}, 1, false, {}, {}, {}},
    {"Alt+F5 taken by the activity Gantt window", VK_F5, false, false, true, {40001, 40146}, kIngen, false, false,
     nullptr, kIngen, 0, {1}, kIngen, false, {}, {}, {}},
    {"Alt+F9 opens the student overlap window", VK_F9, false, false, true, {}, kIngen, false, false, nullptr, kIngen,
     0, {}, kIngen, false, {}, {40212}, {}},
    {"Alt+arrow goes to the active window", VK_DOWN, false, false, true, {40001}, 0, false, false, nullptr, 0, 0, {},
     kIngen, false, {}, {}, {}},
};

TEST_F(Taster, EachKeyReachesItsRoutineOrWindow) {
  for (const TastFall &f : kTastFald) {
    SCOPED_TRACE(f.navn);
    Nulstil();
    const auto indstil = GlobalIndstillinger;
    const auto sti = StiTab;
    std::vector<HWND> v;
    for (int type : f.aabne) v.push_back(Aabn(type));
    // A window that takes the key when offered: the Gantt cases say which.
    if (f.vk >= VK_F5 && f.vk <= VK_F7 && !f.spurgt.empty()) Svar()[v[f.spurgt.back()]] = 0;
    if (f.aktiv != kIngen) SendMessageA(hovedvindue, HOVED_VINDUE_AKTIV, 0, static_cast<LPARAM>(v[f.aktiv]));
    HWND input = f.input ? Egen() : 0, element = f.element ? Egen() : 0;
    if (input) SendMessageA(hovedvindue, HOVED_INPUT_AABEN, 0, static_cast<LPARAM>(input));
    if (element) SendMessageA(hovedvindue, ELEMENT_DOKKET_AKTIV, 0, static_cast<LPARAM>(element));
    if (f.opsaet) f.opsaet(rod);
    Log8().clear();
    const size_t bokse = tavo::test::MessageBoxesShown().size();

    SendTast(hovedvindue, f.vk, f.shift, f.ctrl, f.alt);
    PumpUntilIdle();

    auto hvem = [&](int i) { return i == kInput ? input : i == kElement ? element : v[i]; };
    const UINT besked = f.alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const std::vector<HWND> fikTast = Fik(besked);
    if (f.tastTil == kIngen) {
      EXPECT_TRUE(fikTast.empty());
    } else {
      EXPECT_EQ(fikTast, std::vector<HWND>{hvem(f.tastTil)});
      for (const Fik8 &x : Log8())
        if (x.m == besked) { EXPECT_EQ(x.w, f.somTast ? f.somTast : f.vk); }
    }
    std::vector<HWND> spurgt;
    for (int i : f.spurgt) spurgt.push_back(v[i]);
    EXPECT_EQ(Fik(TAST_SPOERG), spurgt);
    EXPECT_EQ(Fik(VINDUE_AKTIVER, 1), f.aktiveret == kIngen ? std::vector<HWND>{} : std::vector<HWND>{v[f.aktiveret]});
    if (f.skaerm) {
      for (HWND h : v) EXPECT_FALSE(IsWindow(h));
    } else {
      for (size_t i = 0; i < v.size(); ++i) {
        const bool skalLukkes = std::find(f.lukket.begin(), f.lukket.end(), static_cast<int>(i)) != f.lukket.end();
        EXPECT_EQ(!IsWindow(v[i]), skalLukkes) << "window " << i;
      }
      EXPECT_EQ(Aabnet(), f.aabnet);
    }
    EXPECT_EQ(Bokse(bokse), f.bokse);
    GlobalIndstillinger = indstil;
    StiTab = sti;
    ElevplanSlaaetTil = gemtElevplan;
    ff_plan = gemtPlan;
  }
}

// F3 fits the active window into the desktop's corner at the size it asks
// for; without an active window it does nothing.
TEST_F(Taster, F3FitsTheActiveWindowToTheDesktop) {
  HWND a = Aabn(40001);
  MoveWindow(a, 40, 50, 300, 200, TRUE);
  SendTast(hovedvindue, VK_F3, false, false, false);
  EXPECT_EQ(Plads(a), (RECT{40, 50, 340, 250}));
  SendMessageA(hovedvindue, HOVED_VINDUE_AKTIV, 0, static_cast<LPARAM>(a));
  SendTast(hovedvindue, VK_F3, false, false, false);
  EXPECT_EQ(Plads(a), (RECT{0, 0, 250, 150}));
}

// ---- Focus ----

TEST_F(HovedVindue, FocusFollowsTheWindowsAndTheInputStack) {
  HWND a = Aabn(40001), b = Aabn(40002);
  HWND celle = Egen(), input1 = Egen(), input2 = Egen();
  auto tilstand = [] {
    return std::vector<HWND>{HovedFokus.Aktiv, HovedFokus.Element, HovedFokus.Input, HovedFokus.SidstFokus};
  };

  SendMessageA(hovedvindue, ELEMENT_DOKKET_AKTIV, 2, static_cast<LPARAM>(celle));
  EXPECT_EQ(tilstand(), (std::vector<HWND>{0, celle, 0, 0}));
  EXPECT_EQ(HovedFokus.Desk, 2);

  // A free window takes over: the cell is told and forgotten, the window
  // goes to the front of the list.
  SendMessageA(hovedvindue, HOVED_VINDUE_AKTIV, 0, static_cast<LPARAM>(a));
  EXPECT_EQ(tilstand(), (std::vector<HWND>{a, 0, 0, 0}));
  EXPECT_EQ(HovedFokus.Desk, -1);
  EXPECT_EQ(Beskeder(celle), std::vector<UINT>{VINDUE_DEAKTIVER});
  EXPECT_EQ(VinduesListeForrest(), a);

  // The active window closes: the next front window is told to take the focus.
  Log8().clear();
  SendMessageA(hovedvindue, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(a));
  EXPECT_EQ(HovedFokus.Aktiv, HWND{0});
  EXPECT_EQ(Fik(VINDUE_AKTIVER, 1), std::vector<HWND>{b});
  SendMessageA(hovedvindue, HOVED_VINDUE_AKTIV, 0, static_cast<LPARAM>(b));

  // A cell that is not the focused one closing changes nothing.
  SendMessageA(hovedvindue, ELEMENT_LUKKET, 0, static_cast<LPARAM>(celle));
  EXPECT_EQ(tilstand(), (std::vector<HWND>{b, 0, 0, 0}));

  // Two input windows, the second while a pick list is open: the first
  // waits on the stack; the window that had the focus gets it back last.
  Log8().clear();
  SendMessageA(hovedvindue, HOVED_INPUT_AABEN, 0, static_cast<LPARAM>(input1));
  EXPECT_EQ(tilstand(), (std::vector<HWND>{b, 0, input1, b}));
  EXPECT_EQ(Beskeder(b), std::vector<UINT>{VINDUE_DEAKTIVER});
  HWND pick = Aabn(40267);  // a pick list of the plans
  SendMessageA(hovedvindue, HOVED_INPUT_AABEN, 0, static_cast<LPARAM>(input2));
  DestroyWindow(pick);
  SendMessageA(hovedvindue, HOVED_VINDUE_AKTIV, 0, static_cast<LPARAM>(b));
  EXPECT_EQ(HovedFokus.Input, input2);
  EXPECT_EQ(HovedFokus.Stak, std::vector<HWND>{input1});
  EXPECT_EQ(Beskeder(input1), std::vector<UINT>{VINDUE_DEAKTIVER});

  // An import file arrives meanwhile: it waits for the last input window.
  SendMessageA(hovedvindue, HOVED_IMPORTFIL, 0, 0);
  EXPECT_TRUE(ImportVenter);

  Log8().clear();
  T().hoved.clear();
  SendMessageA(hovedvindue, HOVED_INPUT_LUKKET, 0, 0);
  EXPECT_EQ(HovedFokus.Input, input1);
  EXPECT_TRUE(HovedFokus.Stak.empty());
  EXPECT_EQ(Fik(VINDUE_AKTIVER, 1), std::vector<HWND>{input1});
  EXPECT_TRUE(ImportVenter) << "the import goes on waiting while the stack's window is open";

  // The last input window closes: the focus goes back and the import is
  // tried again (still without autoimport, so it waits again).
  Log8().clear();
  tavo::test::StartMessageLog();
  SendMessageA(hovedvindue, HOVED_INPUT_LUKKET, 0, 0);
  const auto log = tavo::test::StopMessageLog();
  EXPECT_EQ(tilstand(), (std::vector<HWND>{b, 0, 0, 0}));
  EXPECT_EQ(Fik(VINDUE_AKTIVER, 1), std::vector<HWND>{b});
  const auto hovedBeskeder = tavo::test::MessagesOf(log, hovedvindue, {HOVED_IMPORTFIL});
  EXPECT_EQ(hovedBeskeder, std::vector<UINT>{HOVED_IMPORTFIL});
  EXPECT_TRUE(ImportVenter) << "autoimport is off";
}

// Ctrl+Tab over three free windows: forwards and back with wrap-around, the
// cycle window highlighted; the release of Ctrl gives it the focus.
TEST_F(Taster, CtrlTabCyclesTheFreeWindows) {
  HWND c = Aabn(40003), b = Aabn(40002), a = Aabn(40001);  // a at the front, then b, c
  SendMessageA(hovedvindue, HOVED_VINDUE_AKTIV, 0, static_cast<LPARAM>(a));
  const struct {
    bool tilbage;
    HWND fra, til;
  } skridt[] = {{false, a, b}, {false, b, c}, {false, c, a}, {true, a, c}, {true, c, b}};
  for (const auto &s : skridt) {
    Log8().clear();
    SendTast(hovedvindue, VK_TAB, s.tilbage, true, false);
    EXPECT_EQ(HovedFokus.Cyklus, s.til);
    EXPECT_EQ(Fik(VINDUE_TEGN_MED, 0), std::vector<HWND>{s.fra});
    EXPECT_EQ(Fik(VINDUE_TEGN_MED, 1), std::vector<HWND>{s.til});
  }
  Log8().clear();
  SendMessageA(hovedvindue, WM_KEYUP, VK_CONTROL, 0);
  EXPECT_EQ(HovedFokus.Cyklus, HWND{0});
  EXPECT_EQ(Fik(VINDUE_AKTIVER, 1), std::vector<HWND>{b});

  // A cycle that comes back to the active window ends with 1119 to it.
  SendTast(hovedvindue, VK_TAB, false, true, false);
  SendTast(hovedvindue, VK_TAB, false, true, false);
  SendTast(hovedvindue, VK_TAB, false, true, false);
  ASSERT_EQ(HovedFokus.Cyklus, a);
  Log8().clear();
  SendMessageA(hovedvindue, WM_KEYUP, VK_CONTROL, 0);
  EXPECT_EQ(Fik(VINDUE_SAET_AKTIV), std::vector<HWND>{a});
  EXPECT_TRUE(Fik(VINDUE_AKTIVER).empty());

  // One window alone: nothing to cycle.
  DestroyWindow(b);
  DestroyWindow(c);
  Log8().clear();
  SendTast(hovedvindue, VK_TAB, false, true, false);
  EXPECT_EQ(HovedFokus.Cyklus, HWND{0});
  EXPECT_TRUE(Log8().empty());
}

// Ctrl+Tab over the cells of a desk with two sections: along a section,
// on into the other one and round.
TEST_F(Taster, CtrlTabMovesOverTheCellsOfTheDesk) {
  HWND c00 = Egen(), c01 = Egen(), c10 = Egen();
  DeskTab[1].AntalSektioner = 2;
  Sektion(1, 0).AntalCeller = 2;
  Sektion(1, 1).AntalCeller = 1;
  Celle(1, 0, 0).hwndElement = c00;
  Celle(1, 0, 1).hwndElement = c01;
  Celle(1, 1, 0).hwndElement = c10;
  const struct {
    HWND fra;
    bool tilbage;
    HWND til;
  } skridt[] = {{c00, false, c01}, {c01, false, c10}, {c10, false, c00}, {c00, true, c10}, {c10, true, c01}};
  for (const auto &s : skridt) {
    SendMessageA(hovedvindue, ELEMENT_DOKKET_AKTIV, 1, static_cast<LPARAM>(s.fra));
    Log8().clear();
    SendTast(hovedvindue, VK_TAB, s.tilbage, true, false);
    EXPECT_EQ(Fik(VINDUE_AKTIVER, 1), std::vector<HWND>{s.til});
  }
  Tom();
}

// The entry window and the dot schedule asked for without their parts
// answer "not available"; a filled slot opens the entry window in the
// request's mode and registers it as the input window.
TEST_F(HovedVindue, TheEntryWindowRequestsReachTheirHook) {
  const size_t foer = tavo::test::MessageBoxesShown().size();
  SendMessageA(hovedvindue, HOVED_INDTAST_LEKTION, 0, 0);
  SendMessageA(hovedvindue, HOVED_PRIKSKEMA, 0, 0);
  EXPECT_EQ(Bokse(foer).size(), 2u);
  static HWND ny;
  static char mode;
  ny = Egen();
  HovedKrog.AabnIndtastning = [](HWND, char m) {
    mode = m;
    return ny;
  };
  SendMessageA(hovedvindue, HOVED_INDTAST_TID, 0, 0);
  EXPECT_EQ(mode, 'T');
  EXPECT_EQ(HovedFokus.Input, ny);
}

// The window keeps its least size and has no greatest.
TEST_F(HovedVindue, SizingKeepsTheLeastSize) {
  RECT r{0, 0, 300, 200};
  SendMessageA(hovedvindue, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, (RECT{0, 0, 540, 430}));
  r = RECT{0, 0, 3000, 2000};
  SendMessageA(hovedvindue, WM_SIZING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, (RECT{0, 0, 3000, 2000}));
}

}  // namespace
}  // namespace objvin_test
