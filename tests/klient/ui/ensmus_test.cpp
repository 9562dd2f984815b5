// The grid-window frame's mouse and keys on a test desktop that lies away
// from the screen origin: border zones and cursors, moving and sizing by the
// system's loop with snapping, activation by click, minimising into slots,
// restoring and maximising, the wheel, and the type-ahead search over the
// small school's activities.

#include <filesystem>
#include <string>

#include "../data/pred_tabeller.h"
#include "KATALOG.h"
#include "VISFELT.h"
#include "skrivebord_support.h"
#include "switch_fixture.h"

namespace {

using namespace wfb_test;
using tavo::test::PumpUntilIdle;

RECT R(int x, int y, int b, int h) { return RECT{x, y, x + b, y + h}; }

// ---- border zones and cursors ----

TEST(EnsMusZone, EveryZoneAndTheBoundariesOfEachCorner) {
  struct Tilfaelde {
    int x, y, zone;
  } tilfaelde[] = {
      {150, 100, ZONE_INDE},        {150, 21, ZONE_KAPTION},       {150, 22, ZONE_INDE},
      {150, 4, ZONE_KAPTION},       {3, 12, ZONE_VENSTRE},         {4, 12, ZONE_KAPTION},
      {3, 10, ZONE_VENSTRE},        {3, 9, ZONE_TOPVENSTRE},       {3, 189, ZONE_VENSTRE},
      {3, 190, ZONE_BUNDVENSTRE},   {3, 195, ZONE_BUNDVENSTRE},    {296, 5, ZONE_TOPHOEJRE},
      {296, 9, ZONE_TOPHOEJRE},     {296, 10, ZONE_HOEJRE},        {296, 189, ZONE_HOEJRE},
      {296, 190, ZONE_BUNDHOEJRE},  {295, 100, ZONE_INDE},         {150, 196, ZONE_BUND},
      {150, 195, ZONE_INDE},        {9, 196, ZONE_BUNDVENSTRE},    {10, 196, ZONE_BUND},
      {289, 196, ZONE_BUND},        {290, 196, ZONE_BUNDHOEJRE},   {150, 3, ZONE_TOP},
      {9, 3, ZONE_TOPVENSTRE},      {10, 3, ZONE_TOP},             {289, 3, ZONE_TOP},
      {290, 3, ZONE_TOPHOEJRE},     {0, 0, ZONE_TOPVENSTRE},       {299, 0, ZONE_TOPHOEJRE},
      {0, 199, ZONE_BUNDVENSTRE},   {299, 199, ZONE_BUNDHOEJRE},
  };
  const RECT klient = {0, 0, 300, 200};
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << "(" << t.x << ", " << t.y << ")");
    EXPECT_EQ(EnsHitZone(t.x, t.y, &klient, 19), t.zone);
  }
}

class EnsMus : public SkrivebordTest {};

TEST_F(EnsMus, ClassCursorByZoneAndTheArrowWhenMinimised) {
  HWND a = Vindue(20, 20, 300, 200);
  struct Tilfaelde {
    int x, y;
    LPCSTR cursor;
  } tilfaelde[] = {
      {150, 100, IDC_ARROW},   {150, 10, IDC_ARROW},    {2, 100, IDC_SIZEWE},   {298, 100, IDC_SIZEWE},
      {150, 2, IDC_SIZENS},    {150, 198, IDC_SIZENS},  {2, 2, IDC_SIZENWSE},   {298, 198, IDC_SIZENWSE},
      {298, 2, IDC_SIZENESW},  {2, 198, IDC_SIZENESW},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << "(" << t.x << ", " << t.y << ")");
    SendMessageA(a, WM_MOUSEMOVE, 0, MAKELPARAM(t.x, t.y));
    EXPECT_EQ((HCURSOR)GetClassLongPtrA(a, GCLP_HCURSOR), LoadCursorA(0, t.cursor));
  }
  SendMessageA(a, NYB_KLIK, NYB_MINIMER, 0);
  SendMessageA(a, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ((HCURSOR)GetClassLongPtrA(a, GCLP_HCURSOR), LoadCursorA(0, IDC_ARROW));
}

// ---- moving and sizing through the system's loop ----

// The desktop's client area starts at screen (130, 120). A at (20, 20) and B
// at (400, 20) are 300 x 200; C at (180, 300) is 200 x 200. Snap lines while
// A moves: x 130 310 510 530 830 930, y 120 140 340 420 620 720.
class EnsMusFlyt : public SkrivebordTest {
 protected:
  void SetUp() override {
    SkrivebordTest::SetUp();
    GitterOenske graenser{};
    graenser.minB = 150;
    graenser.maksB = 400;
    graenser.minH = 100;
    graenser.maksH = 300;
    a = Vindue(20, 20, 300, 200, graenser);
    b = Vindue(400, 20, 300, 200);
    c = Vindue(180, 300, 200, 200);
  }
  void Traek(HWND h, int x, int y, int dx, int dy, bool ctrl) {
    NytKlik();
    POINT p = tavo::test::ScreenPoint(h, x, y);
    if (ctrl) tavo::test::KeyDown(VK_CONTROL);
    tavo::test::Drag(p.x, p.y, p.x + dx, p.y + dy, 3);
    PumpUntilIdle();
    if (ctrl) tavo::test::KeyUp(VK_CONTROL);
    PumpUntilIdle();
  }
  HWND a = 0, b = 0, c = 0;
};

TEST_F(EnsMusFlyt, CaptionDragMovesAndSnapsWithCtrl) {
  struct Tilfaelde {
    const char *hvad;
    bool ctrl;
    int dx, dy, x, y;
  } tilfaelde[] = {
      {"bottom 10 from C's top snaps", true, 0, 70, 20, 100},
      {"bottom 11 from C's top stays", true, 0, 69, 20, 89},
      {"right edge between 510 and 530 takes the larger", true, 70, 0, 100, 20},
      {"left edge to the desktop's edge", true, -12, 0, 0, 20},
      {"without Ctrl no snapping", false, 70, 70, 90, 90},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    MoveWindow(a, 20, 20, 300, 200, TRUE);
    Traek(a, 100, 10, t.dx, t.dy, t.ctrl);
    EXPECT_EQ(Plads(a), R(t.x, t.y, 300, 200));
  }
  EXPECT_EQ(Skrivebord().aktiv, a);
}

TEST_F(EnsMusFlyt, BorderDragSizesWithinTheLimitsAndSnapsWithCtrl) {
  struct Tilfaelde {
    const char *hvad;
    int x, y;  // where in A the drag starts
    bool ctrl;
    int dx, dy;
    RECT rect;
  } tilfaelde[] = {
      {"bottom-right", 298, 198, false, 50, 30, {20, 20, 370, 250}},
      {"bottom-right beyond the largest size", 298, 198, false, 200, 200, {20, 20, 420, 320}},
      {"bottom-right below the smallest size", 298, 198, false, -250, -150, {20, 20, 170, 120}},
      {"right edge snaps to B", 298, 198, true, 75, 0, {20, 20, 400, 220}},
      {"and the bottom to C", 298, 198, true, 75, 85, {20, 20, 400, 300}},
      {"left edge held at the least width", 2, 100, false, 200, 0, {170, 20, 320, 220}},
      {"top-left snaps: left to the desktop, top to the larger of 120 and 140", 1, 1, true, -30, -10,
       {0, 20, 320, 220}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    MoveWindow(a, 20, 20, 300, 200, TRUE);
    PumpUntilIdle();
    Traek(a, t.x, t.y, t.dx, t.dy, t.ctrl);
    EXPECT_EQ(Plads(a), t.rect);
  }
}

TEST_F(EnsMusFlyt, ClickActivatesOnlyWhenTheParentAllows) {
  struct Tilfaelde {
    const char *hvad;
    int knap;  // 0 left, 1 right, 2 middle
    bool tillad;
    bool aktiv;
  } tilfaelde[] = {
      {"left, refused", 0, false, false}, {"left, allowed", 0, true, true},
      {"right, refused", 1, false, false}, {"right, allowed", 1, true, true},
      {"middle, refused", 2, false, false}, {"middle, allowed", 2, true, true},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    SendMessageA(a, VINDUE_AKTIVER, 1, 0);  // A active and in front
    Log().clear();
    Skrivebord().tillad = t.tillad;
    const int spurgt = Skrivebord().spoergsmaal;
    NytKlik();
    POINT p = tavo::test::ScreenPoint(b, 100, 10);
    tavo::test::Click(p.x, p.y, t.knap);
    PumpUntilIdle();
    EXPECT_EQ(Skrivebord().spoergsmaal, spurgt + 1);
    EXPECT_EQ(+G(b)->ens.Aktiv, t.aktiv);
    EXPECT_EQ(+G(a)->ens.Aktiv, !t.aktiv);
    EXPECT_EQ(Skrivebord().aktiv, t.aktiv ? b : a);
    EXPECT_EQ(Liste().front(), t.aktiv ? b : a);
    EXPECT_EQ(Plads(b), R(400, 20, 300, 200));
    // A refused click leaves B untouched: no activation, nothing else.
    bool aktiveret = false;
    for (auto &m : Log())
      if (m.msg == VINDUE_AKTIVER) aktiveret = true;
    EXPECT_EQ(aktiveret, t.aktiv);
    SendMessageA(b, VINDUE_DEAKTIVER, 0, 0);
  }
}

// ---- minimising, restoring and maximising ----

// Bars are 184 x 27 (caption 19, frame 4); the desktop is 800 x 600.
TEST_F(EnsMus, MinimisedWindowsTakeTheFirstFreeSlots) {
  HWND a = Vindue(20, 20, 300, 200), b = Vindue(400, 20, 300, 200), c = Vindue(20, 250, 300, 200),
       d = Vindue(400, 250, 200, 150);
  // A by its own button, the others by the button's command.
  POINT p = tavo::test::ScreenPoint(G(a)->ens.hwndMin, 8, 7);
  tavo::test::Click(p.x, p.y);
  PumpUntilIdle();
  SendMessageA(b, NYB_KLIK, NYB_MINIMER, 0);
  SendMessageA(c, NYB_KLIK, NYB_MINIMER, 0);
  EXPECT_EQ(+G(a)->ens.Tilstand, 2);
  EXPECT_EQ(+G(a)->ens.MinSlot, 1u);
  EXPECT_EQ(+G(b)->ens.MinSlot, 2u);
  EXPECT_EQ(+G(c)->ens.MinSlot, 3u);
  EXPECT_EQ(Plads(a), R(0, 573, 184, 27));
  EXPECT_EQ(Plads(b), R(184, 573, 184, 27));
  EXPECT_EQ(Plads(c), R(368, 573, 184, 27));

  SendMessageA(b, NYB_KLIK, NYB_MINIMER, 0);  // restores B
  EXPECT_EQ(+G(b)->ens.Tilstand, 0);
  EXPECT_EQ(+G(b)->ens.MinSlot, 0u);
  EXPECT_EQ(Plads(b), R(400, 20, 300, 200));
  SendMessageA(d, NYB_KLIK, NYB_MINIMER, 0);
  EXPECT_EQ(+G(d)->ens.MinSlot, 2u);
  EXPECT_EQ(Plads(d), R(184, 573, 184, 27));
}

TEST_F(EnsMus, ShrinkingTheDesktopReparksTheBarsInRows) {
  HWND v[3] = {Vindue(20, 20, 300, 200), Vindue(400, 20, 300, 200), Vindue(20, 250, 300, 200)};
  for (HWND h : v) SendMessageA(h, NYB_KLIK, NYB_MINIMER, 0);
  struct Tilfaelde {
    int b, h;
    POINT slot[3];
  } tilfaelde[] = {
      {400, 300, {{0, 273}, {184, 273}, {0, 246}}},
      {552, 100, {{0, 73}, {184, 73}, {368, 73}}},  // exactly three bars wide
      {551, 100, {{0, 73}, {184, 73}, {0, 46}}},
      {150, 300, {{0, 273}, {0, 246}, {0, 219}}},  // narrower than one bar
      {150, 50, {{0, 23}, {0, 0}, {0, 0}}},        // never above the top
      {800, 600, {{0, 573}, {184, 573}, {368, 573}}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << t.b << " x " << t.h);
    MoveWindow(desktop, kDeskX, kDeskY, t.b, t.h, TRUE);
    PumpUntilIdle();
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Plads(v[i]), R(t.slot[i].x, t.slot[i].y, 184, 27)) << "slot " << i + 1;
      EXPECT_TRUE(IsWindowVisible(v[i]));
    }
  }
}

TEST_F(EnsMus, DoubleClickOnAMinimisedCaptionRestoresItsRectangle) {
  HWND a = Vindue(20, 30, 300, 200);
  Vindue(400, 20, 300, 200);
  SendMessageA(a, NYB_KLIK, NYB_MINIMER, 0);
  ASSERT_EQ(Plads(a), R(0, 573, 184, 27));
  POINT p = tavo::test::ScreenPoint(a, 60, 12);
  tavo::test::DoubleClick(p.x, p.y);
  PumpUntilIdle();
  EXPECT_EQ(+G(a)->ens.Tilstand, 0);
  EXPECT_EQ(+G(a)->ens.MinSlot, 0u);
  EXPECT_EQ(Plads(a), R(20, 30, 300, 200));
  // On a normal window the double click gives it the size it wants for the
  // desktop's work area at the corner.
  p = tavo::test::ScreenPoint(a, 60, 12);
  tavo::test::DoubleClick(p.x, p.y);
  PumpUntilIdle();
  EXPECT_EQ(Plads(a), R(0, 0, 800, 600));
}

TEST_F(EnsMus, MaximiseFillsTheDesktopAtTheSizeTheWindowWants) {
  GitterOenske mindre{};
  mindre.bredde = 500;
  mindre.hoejde = 400;
  HWND a = Vindue(20, 20, 300, 200), b = Vindue(400, 20, 300, 200, mindre);
  POINT p = tavo::test::ScreenPoint(G(a)->ens.hwndMaks, 8, 7);
  tavo::test::Click(p.x, p.y);
  PumpUntilIdle();
  EXPECT_EQ(Plads(a), R(0, 0, 800, 600));
  SendMessageA(b, NYB_KLIK, NYB_MAKSIMER, 0);
  EXPECT_EQ(Plads(b), R(0, 0, 500, 400));
  EXPECT_EQ(+G(b)->ens.GemtPos[0], 400);
  EXPECT_EQ(+G(b)->ens.GemtStr[0], 300);
  // From the minimised state: normal again, its slot given up.
  SendMessageA(b, NYB_KLIK, NYB_MINIMER, 0);
  ASSERT_EQ(+G(b)->ens.Tilstand, 2);
  SendMessageA(b, NYB_KLIK, NYB_MAKSIMER, 0);
  EXPECT_EQ(+G(b)->ens.Tilstand, 0);
  EXPECT_EQ(+G(b)->ens.MinSlot, 0u);
  EXPECT_EQ(Plads(b), R(0, 0, 500, 400));
}

TEST_F(EnsMus, AMinimisedActiveWindowHandsTheActivationOn) {
  HWND a = Vindue(20, 20, 300, 200), b = Vindue(400, 20, 300, 200), c = Vindue(20, 250, 300, 200);
  SendMessageA(c, VINDUE_AKTIVER, 1, 0);
  SendMessageA(b, VINDUE_AKTIVER, 1, 0);
  SendMessageA(a, VINDUE_AKTIVER, 1, 0);  // front to back: A B C
  SendMessageA(b, NYB_KLIK, NYB_MINIMER, 0);
  // B was activated by its own button (B A C), then handed on to A.
  EXPECT_EQ(Skrivebord().aktiv, a);
  EXPECT_FALSE(+G(b)->ens.Aktiv);
  SendMessageA(a, NYB_KLIK, NYB_MINIMER, 0);  // B is minimised: C is next
  EXPECT_EQ(Skrivebord().aktiv, c);
  EXPECT_EQ(Liste().front(), c);
  SendMessageA(c, NYB_KLIK, NYB_MINIMER, 0);  // no window left that is not minimised
  EXPECT_EQ(Skrivebord().aktiv, c);
}

// ---- the wheel ----

TEST_F(EnsMus, WheelScrollsFourLinesByItsKeysAndBars) {
  struct Tilfaelde {
    const char *hvad;
    WORD taster;
    bool hBar, vBar;
    short delta;
    UINT msg;  // 0: nothing
    WPARAM kode;
  } tilfaelde[] = {
      {"Ctrl sideways, down", MK_CONTROL, true, true, -120, WM_HSCROLL, SB_LINEDOWN},
      {"Ctrl sideways, up", MK_CONTROL, true, true, 120, WM_HSCROLL, SB_LINEUP},
      {"Ctrl and Shift down the rows", MK_CONTROL | MK_SHIFT, true, true, -120, WM_VSCROLL, SB_LINEDOWN},
      {"no key down the rows", 0, true, true, -240, WM_VSCROLL, SB_LINEDOWN},
      {"Ctrl without a horizontal bar", MK_CONTROL, false, true, 120, WM_VSCROLL, SB_LINEUP},
      {"Ctrl with only a horizontal bar", MK_CONTROL, true, false, -120, WM_HSCROLL, SB_LINEDOWN},
      {"no key and only a horizontal bar", 0, true, false, -120, 0, 0},
      {"no bars", MK_CONTROL, false, false, -120, 0, 0},
  };
  static std::vector<std::pair<UINT, WPARAM>> rul;
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    HWND h = Vindue(20, 20, 300, 200, {}, [](GitterVindue *, HWND, UINT m, WPARAM w, LPARAM) {
      if (m == WM_HSCROLL || m == WM_VSCROLL) rul.push_back({m, w});
      return false;
    });
    Ens &e = G(h)->ens;
    if (!t.hBar) {
      DestroyWindow(e.hwndHScroll);
      e.hwndHScroll = 0;
    }
    if (!t.vBar) {
      DestroyWindow(e.hwndVScroll);
      e.hwndVScroll = 0;
    }
    rul.clear();
    SendMessageA(h, ENS_HJUL, MAKEWPARAM(t.taster, (WORD)t.delta), 0);
    std::vector<std::pair<UINT, WPARAM>> forventet;
    if (t.msg)
      for (int i = 0; i < 4; ++i) forventet.push_back({t.msg, t.kode});
    EXPECT_EQ(rul, forventet);
    DestroyWindow(h);
  }
}

// ---- type-ahead over the small school's activities ----

class EnsMusSoeg : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(switchtest::LavLilleSkole("ensmus", &rod));
    raekker.push_back(0);
    for (uint32_t n = 1; n < tvakti.wRecCnt; ++n) raekker.push_back(n);
    // Three activities renamed to begin with the Danish letters, in both cases.
    Omdoeb(3, "Ærtehold-1");
    Omdoeb(5, "øvehold-2");
    Omdoeb(7, "åbent værksted");
    GitterParam p{&navne, false, 0, nullptr, nullptr, nullptr, {}};
    vindue = CreateWindowExA(0, "WfbGitter", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, vaert, 0, 0, &p);
    Ens &e = G()->ens;
    e.pTd = &tdakti;
    e.pTv = &tvakti;
    e.ObjTab = raekker.data();
    e.ObjTabAntal = (uint32_t)raekker.size() - 1;
    SetFocus(vindue);
    PumpUntilIdle();
  }
  void TearDown() override {
    UiTest::TearDown();
    storetest::TomAlleTabeller();
    std::filesystem::remove_all(rod);
  }
  void Omdoeb(uint32_t raekke, const char *navn) {
    AktiRec *r = predtest::Rec<AktiRec>(tvakti, raekker[raekke]);
    predtest::Tekst(r->Aktivitet, navn);
  }
  GitterVindue *G() { return reinterpret_cast<GitterVindue *>(GetWindowLongPtrA(vindue, GWLP_USERDATA)); }
  std::string Navn(uint32_t raekke) {
    const AktiRec *r = predtest::Rec<AktiRec>(tvakti, raekker[raekke]);
    return std::string(r->Aktivitet, strnlen(r->Aktivitet, sizeof r->Aktivitet));
  }
  // The first row whose name begins with the prefix, letters alike in
  // either case (the Danish ones by their Windows-1252 pairs); 0 when none.
  uint32_t Forventet(const std::string &praefiks) {
    auto ens = [](unsigned char c) { return (c >= 'a' && c <= 'z') || c >= 0xE0 ? c - 0x20 : c; };
    for (uint32_t i = 1; i < raekker.size(); ++i) {
      const std::string n = Navn(i);
      if (n.size() < praefiks.size()) continue;
      bool ok = true;
      for (size_t k = 0; k < praefiks.size() && ok; ++k)
        ok = ens((unsigned char)n[k]) == ens((unsigned char)praefiks[k]);
      if (ok) return i;
    }
    return 0;
  }
  bool Tast(UINT vk) {
    tavo::test::PressKey(vk);
    PumpUntilIdle();
    return true;
  }

  std::filesystem::path rod;
  std::vector<uint32_t> raekker;
  std::vector<std::string> navne{"x"};
  HWND vindue = 0;
};

TEST_F(EnsMusSoeg, TypedPrefixesFindTheFirstMatchingRow) {
  struct Tilfaelde {
    const char *hvad;
    std::vector<UINT> taster;
    std::string tekst;  // the search text after the keys
    std::string fundet;   // the prefix whose first row is current; "" for a miss
  } tilfaelde[] = {
      {"letters and digits", {'G', 'F', '2'}, "GF2", "GF2"},
      {"a minus sign", {'H', '2', 0xBD}, "H2-", "H2-"},
      {"Æ by its key", {0xC0, 'R'}, "\xC6R", "\xC6R"},
      {"Ø by its key finds a lower-case ø", {0xDE, 'V'}, "\xD8V", "\xD8V"},
      {"Å by its key", {0xDD}, "\xC5", "\xC5"},
      {"a miss restarts with the new letter", {0xC0, 0xDE}, "\xD8", "\xD8"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    Ens &e = G()->ens;
    e.SoegTekst[0] = 0;
    G()->y.Aktuel = 0;
    for (UINT k : t.taster) Tast(k);
    EXPECT_EQ(std::string(e.SoegTekst), t.tekst);
    const uint32_t forventet = Forventet(t.fundet);
    ASSERT_NE(forventet, 0u);
    EXPECT_EQ(+G()->y.Aktuel, forventet) << Navn(G()->y.Aktuel);
  }
}

TEST_F(EnsMusSoeg, AMissEmptiesTheTextAndLeavesTheRow) {
  Ens &e = G()->ens;
  ASSERT_EQ(Forventet("X"), 0u);
  ASSERT_EQ(Forventet("Q"), 0u);
  Tast('G');
  const uint32_t raekke = G()->y.Aktuel;
  ASSERT_EQ(+raekke, Forventet("G"));
  EXPECT_FALSE(EnsTypeAhead(&e, &G()->y, 'X'));  // "GX" and then "X" miss
  EXPECT_EQ(+e.SoegTekst[0], 0);
  EXPECT_EQ(+G()->y.Aktuel, raekke);
  EXPECT_FALSE(EnsTypeAhead(&e, &G()->y, 'Q'));
  EXPECT_EQ(+G()->y.Aktuel, raekke);
}

TEST_F(EnsMusSoeg, OnlySearchKeysWithoutCtrlOrShift) {
  Ens &e = G()->ens;
  for (UINT k : {(UINT)VK_F5, (UINT)VK_SPACE, (UINT)VK_LEFT, 0xBBu}) {
    EXPECT_FALSE(IsSearchKey(k)) << k;
    EXPECT_FALSE(EnsTypeAhead(&e, &G()->y, k)) << k;
  }
  for (UINT k : {(UINT)'A', (UINT)'Z', (UINT)'0', (UINT)'9', 0xBDu, 0xBEu, 0xBFu, 0xC0u, 0xDDu, 0xDEu})
    EXPECT_TRUE(IsSearchKey(k)) << k;
  for (UINT mod : {(UINT)VK_CONTROL, (UINT)VK_SHIFT}) {
    e.SoegTekst[0] = 0;
    tavo::test::KeyDown(mod);
    PumpUntilIdle();
    EXPECT_FALSE(EnsTypeAhead(&e, &G()->y, 'G'));
    EXPECT_EQ(+e.SoegTekst[0], 0);
    tavo::test::KeyUp(mod);
    PumpUntilIdle();
  }
  EXPECT_TRUE(EnsTypeAhead(&e, &G()->y, 'G'));
}

// A record number beyond the table is skipped; the search length limit
// restarts the text, and a limit above what the text holds is taken as 19.
TEST_F(EnsMusSoeg, LimitsAndRowsBeyondTheTable) {
  Ens &e = G()->ens;
  raekker.insert(raekker.begin() + 1, tvakti.wRecCnt + 5);
  e.ObjTab = raekker.data();
  e.ObjTabAntal = (uint32_t)raekker.size() - 1;
  EXPECT_TRUE(EnsTypeAhead(&e, &G()->y, 'G'));
  EXPECT_EQ(+G()->y.Aktuel, Forventet("G"));

  e.SoegMaks = 3;
  e.SoegTekst[0] = 0;
  for (UINT k : {'G', 'F', '1'}) EnsTypeAhead(&e, &G()->y, k);
  EXPECT_EQ(std::string(e.SoegTekst), "GF1");
  EnsTypeAhead(&e, &G()->y, 'H');
  EXPECT_EQ(std::string(e.SoegTekst), "H");

  // A long name in a table whose first field holds 29 characters.
  const uint32_t nr = NewRec(&tdnormsystem, &tvnormsystem);
  ASSERT_NE(nr, 0u);
  auto *ns = reinterpret_cast<NormsystemRec *>(GetRec(&tdnormsystem, &tvnormsystem, nr));
  // 29 characters: the 19 that fill the text, then its start again.
  const std::string navn = "1234567890123456789" "1234567890";
  predtest::Tekst(ns->Navn, navn.c_str());
  std::vector<uint32_t> en = {0, nr};
  e.pTd = &tdnormsystem;
  e.pTv = &tvnormsystem;
  e.ObjTab = en.data();
  e.ObjTabAntal = 1;
  e.SoegMaks = 50;
  e.SoegTekst[0] = 0;
  for (size_t i = 0; i < navn.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(EnsTypeAhead(&e, &G()->y, (UINT)navn[i]));
    const size_t laengde = strnlen(e.SoegTekst, sizeof e.SoegTekst);
    ASSERT_LT(laengde, sizeof e.SoegTekst);
    EXPECT_EQ(std::string(e.SoegTekst), navn.substr(i - i % 19, i % 19 + 1));
    EXPECT_EQ(+e.SoegMaks, 50);  // the field after the text is untouched
  }
}

// ---- LowBitNo ----

TEST(EnsMusBit, LowestSetBitAmongBitsOneToThirty) {
  struct Tilfaelde {
    uint32_t vaerdi, bit;
  };
  std::vector<Tilfaelde> tilfaelde = {{0, 0}, {1, 0}, {3, 1}, {0x80000000u, 0}, {0x80000001u, 0},
                                      {2147483647u, 31}, {0x7FFFFFFEu, 1}, {0xFFFFFFFFu, 1}};
  for (uint32_t b = 1; b <= 30; ++b) {
    tilfaelde.push_back({1u << b, b});
    tilfaelde.push_back({(1u << b) | 0x80000001u, b});
  }
  for (const auto &t : tilfaelde) EXPECT_EQ(LowBitNo(t.vaerdi), t.bit) << std::hex << t.vaerdi;
}

}  // namespace
