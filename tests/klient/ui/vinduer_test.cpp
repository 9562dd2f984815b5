// The open-window list: order, lookup by type, broadcast and closing.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "PROGVINDUER.h"
#include "VINDUER.h"
#include "tavo/test_user.h"
#include "windows.h"

namespace {

std::vector<std::pair<HWND, UINT>> &Modtaget() {
  static std::vector<std::pair<HWND, UINT>> v;
  return v;
}

constexpr UINT kTestBesked = 5001;

LRESULT CALLBACK ListeVindueProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == kTestBesked || m == 1034) {
    Modtaget().push_back({h, m});
    return static_cast<LRESULT>(h);
  }
  if (m == WM_DESTROY) {
    Modtaget().push_back({h, m});
    VinduesListeFjern(h);
  }
  return DefWindowProcA(h, m, w, l);
}

class Vinduer : public ::testing::Test {
 protected:
  void SetUp() override {
    tavo::test::ResetUser();
    Modtaget().clear();
    WNDCLASSA wc;
    std::memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = ListeVindueProc;
    wc.lpszClassName = "VinduesListeTest";
    RegisterClassA(&wc);
    desktop = CreateWindowExA(0, "VinduesListeTest", "", WS_OVERLAPPED, 0, 0, 400, 300, 0, 0, 0,
                              nullptr);
  }
  void TearDown() override {
    while (VinduesListe.hoved) VinduesListeFjern(VinduesListe.hoved->hwnd);
    VinduesKrog = {};
    hwndDesktop = 0;
    tavo::test::ResetUser();
  }
  // A child window of the given type that joins the list as a grid window does.
  HWND Nyt(int type) {
    HWND h = CreateWindowExA(0, "VinduesListeTest", "", WS_CHILD, 0, 0, 50, 50, desktop,
                             static_cast<HMENU>(type), 0, nullptr);
    EXPECT_EQ(VinduesListeTilfoej(h), 0);
    return h;
  }
  // Front to back, checking the back links on the way.
  std::vector<HWND> Orden() {
    std::vector<HWND> v;
    VinduesNode *forrige = nullptr;
    for (VinduesNode *n = VinduesListe.hoved; n; n = n->naeste) {
      VinduesNode *tilbage = n->forrige;  // the node is packed: no reference to its fields
      EXPECT_EQ(tilbage, forrige);
      v.push_back(n->hwnd);
      forrige = n;
    }
    EXPECT_EQ(VinduesListe.hale, forrige);
    return v;
  }
  HWND desktop = 0;
};

TEST_F(Vinduer, AddRemoveAndMoveToFront) {
  HWND a = Nyt(40257), b = Nyt(40258), c = Nyt(40259);
  EXPECT_EQ(Orden(), (std::vector<HWND>{c, b, a}));
  EXPECT_EQ(VinduesListeForrest(), c);
  EXPECT_EQ(VinduesListeAntal(), 3);

  EXPECT_EQ(VinduesListeTilTop(a), 0);  // the tail to the front: b becomes the tail
  EXPECT_EQ(Orden(), (std::vector<HWND>{a, c, b}));
  EXPECT_EQ(VinduesListeTilTop(a), 0);  // already the head
  EXPECT_EQ(Orden(), (std::vector<HWND>{a, c, b}));

  EXPECT_EQ(VinduesListeFjern(a), 0);  // the head: the next one leads
  EXPECT_EQ(Orden(), (std::vector<HWND>{c, b}));
  EXPECT_EQ(VinduesListeFjern(b), 0);  // the tail
  EXPECT_EQ(Orden(), (std::vector<HWND>{c}));
  EXPECT_EQ(VinduesListeFjern(b), -1);
  EXPECT_EQ(VinduesListeTilTop(b), -1);
  EXPECT_EQ(VinduesListeFjern(c), 0);  // the only one
  EXPECT_EQ(VinduesListe.hoved, nullptr);
  EXPECT_EQ(VinduesListe.hale, nullptr);
  EXPECT_EQ(VinduesListeForrest(), 0u);
  EXPECT_EQ(VinduesListeAntal(), 0);
}

TEST_F(Vinduer, FindByTypeFromTheFront) {
  HWND a = Nyt(40257);
  Nyt(40268);
  HWND c = Nyt(40257);
  EXPECT_EQ(FindVindueType(40257), c);
  VinduesListeTilTop(a);
  EXPECT_EQ(FindVindueType(40257), a);
  EXPECT_EQ(FindVindueType(40999), 0u);
}

HWND gElement = 0;

TEST_F(Vinduer, BroadcastReachesElementsThenBackToFrontWithoutTheException) {
  gElement = CreateWindowExA(0, "VinduesListeTest", "", WS_CHILD, 0, 0, 5, 5, desktop, 0, 0, nullptr);
  VinduesKrog.ForHvertElement = [](void (*fn)(HWND, void *), void *data) { fn(gElement, data); };
  HWND a = Nyt(1), b = Nyt(2), c = Nyt(3);  // front to back: c, b, a
  Modtaget().clear();
  EXPECT_EQ(SendTilAlleVinduer(kTestBesked, 0, 0, b), static_cast<LRESULT>(c));
  std::vector<std::pair<HWND, UINT>> forventet = {{gElement, kTestBesked}, {a, kTestBesked}, {c, kTestBesked}};
  EXPECT_EQ(Modtaget(), forventet);
}

TEST_F(Vinduer, ClosingAllButThePlanWindowBackFirst) {
  HWND a = Nyt(1);
  HWND plan = Nyt(kPlanVindueType);
  HWND c = Nyt(3);  // front to back: c, plan, a
  static int nulstillet;
  nulstillet = 0;
  VinduesKrog.NulstilGenaabning = [] { ++nulstillet; };
  Modtaget().clear();
  LukVinduerUndtagPlan();
  std::vector<std::pair<HWND, UINT>> forventet = {{a, WM_DESTROY}, {c, WM_DESTROY}};
  EXPECT_EQ(Modtaget(), forventet);
  EXPECT_EQ(Orden(), (std::vector<HWND>{plan}));
  EXPECT_EQ(nulstillet, 1);
  EXPECT_EQ(LukkerAlleVinduer, 0);
}

TEST_F(Vinduer, CloseAllTakesThePlanWindowFirstAndRefreshesTheDesktop) {
  HWND plan = Nyt(kPlanVindueType);
  HWND b = Nyt(2);
  static int tomt;
  tomt = 0;
  VinduesKrog.CloseAllElements = [] { ++tomt; };
  hwndDesktop = desktop;
  Modtaget().clear();
  LukAlleVinduer();
  std::vector<std::pair<HWND, UINT>> forventet = {{plan, WM_DESTROY}, {b, WM_DESTROY}, {desktop, 1034}};
  EXPECT_EQ(Modtaget(), forventet);
  EXPECT_EQ(VinduesListeAntal(), 0);
  EXPECT_EQ(tomt, 1);
}

// A window that does not take itself off the list leaves no dead handle.
TEST_F(Vinduer, ClosingDropsWindowsThatStayListed) {
  Nyt(1);
  HWND b = Nyt(2);
  EXPECT_EQ(VinduesListeTilfoej(b), 0);  // listed twice, taken off once by its own destroy
  LukVinduerUndtagPlan();
  EXPECT_EQ(VinduesListeAntal(), 0);
}

}  // namespace
