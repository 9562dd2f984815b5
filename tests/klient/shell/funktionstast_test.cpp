// The function-key screens over the test desktop, with the test kind in
// every window and element row: what each key with its modifiers docks and
// opens, the current week's sharing of the desktop's width, and the five
// windows of the student planning.
#include <climits>
#include <map>

#include "FUNKTAST.h"
#include "IKKETILG.h"
#include "INDSTIL.h"
#include "objektvindue_support.h"

namespace objvin_test {
namespace {

// What a test window of a screen wants, by type: width and height.
std::map<int, std::pair<int, int>> &Oensker() {
  static std::map<int, std::pair<int, int>> o;
  return o;
}
// The lParams each window was asked its width with.
std::map<HWND, std::vector<LPARAM>> &Spurgt() {
  static std::map<HWND, std::vector<LPARAM>> s;
  return s;
}

LRESULT CALLBACK SkaermVinduesProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  const int type = GetWindowLongA(h, GWL_ID);
  switch (m) {
    case 1024:
      Spurgt()[h].push_back(l);
      return Oensker().count(type) ? Oensker()[type].first : 250;
    case 1025:
      return Oensker().count(type) ? Oensker()[type].second : 150;
  }
  return TestObjektProc(h, m, w, l);
}

HWND SkaermOpret(const ObjektKald &k) {
  T().kald.push_back(k);
  return CreateWindowExA(0, "S7Skaerm", "", WS_CHILD | WS_CLIPSIBLINGS, k.Venstre, k.Top, 100, 80, k.hwndForaelder,
                         static_cast<HMENU>(k.Type), 0, nullptr);
}

class Funktionstast : public ObjektvindueTest {
 protected:
  void SetUp() override {
    ObjektvindueTest::SetUp();
    Klasse("S7Skaerm", SkaermVinduesProc);
    Oensker().clear();
    Spurgt().clear();
    gemtElevplan = ElevplanSlaaetTil;
    gemtPlan = ff_plan;
    for (int t : {40001, 40002, 40003, 40004, 40005, 40006, 40132, 40133, 40134, 40135, 40136, 40137, 40146, 40147,
                  40148, 40151, 40152, 40163, 40164, 40167, 40225, 40226, 40227, 40228, 40229, 40268, 40009, 40011,
                  40013, 40139, 40154, 40176, 40177, 40178, 40187, 40203, 40223, 40271}) {
      Test(t);
      if (FindObjektRaekke(t)) SaetObjektOpretter(t, SkaermOpret);
    }
  }
  void TearDown() override {
    ElevplanSlaaetTil = gemtElevplan;
    ff_plan = gemtPlan;
    GlobalIndstillinger.kalender = 0;
    while (VinduesListe.hoved) DestroyWindow(static_cast<HWND>(VinduesListe.hoved->hwnd));
    CloseAllElements();
    ObjektvindueTest::TearDown();
  }
  static TastInfo Tast(UINT vk, bool shift, bool ctrl, bool alt) {
    return TastInfo{shift ? -1 : 0, ctrl ? -1 : 0, alt ? -1 : 0, alt ? UINT{WM_SYSKEYDOWN} : UINT{WM_KEYDOWN}, vk, 0, 0, 0};
  }
  // The element and free windows made since the calls were cleared, each
  // in the order made.
  std::vector<int> Elementer() const {
    std::vector<int> v;
    for (const ObjektKald &k : T().kald)
      if (k.hwndForaelder != desktop) v.push_back(k.Type);
    return v;
  }
  std::vector<int> Vinduer() const {
    std::vector<int> v;
    for (const ObjektKald &k : T().kald)
      if (k.hwndForaelder == desktop) v.push_back(k.Type);
    return v;
  }
  static std::vector<std::string> Bokse() {
    std::vector<std::string> b;
    for (const auto &m : tavo::test::MessageBoxesShown()) b.push_back(m.caption + "|" + m.text);
    return b;
  }
  uint8_t gemtElevplan = 0, gemtPlan = 0;
};

enum M { N, S, C, A, SC };

// The screens of the keys, written out from the description of each key.
TEST_F(Funktionstast, EachKeyDocksItsPanelsAndOpensItsWindowAtTheCorner) {
  struct Tilfaelde {
    UINT tast;
    M mod;
    bool kalender, elevplan;
    std::vector<int> elementer, vinduer;
  };
  const std::vector<int> kant = {40154, 40176};
  const Tilfaelde tilfaelde[] = {
      {VK_F5, N, false, false, kant, {40001}},
      {VK_F5, S, true, false, kant, {40004}},
      {VK_F5, C, false, false, {40009, 40177, 40178}, {40132}},
      {VK_F5, C, true, false, {40009, 40139, 40177, 40178}, {40132}},
      {VK_F5, A, true, false, {40009, 40139, 40177, 40178}, {40135}},
      {VK_F5, SC, true, false, {}, {40001, 40002, 40003}},
      {VK_F6, N, false, false, kant, {40002}},
      {VK_F6, S, false, false, kant, {40005}},
      {VK_F6, C, false, false, {40011, 40177, 40178, 40187, 40203}, {40133}},
      {VK_F6, A, true, false, {40011, 40139, 40177, 40178, 40187, 40203}, {40136}},
      {VK_F6, SC, false, false, {}, {40002, 40001, 40003}},
      {VK_F7, N, false, false, kant, {40003}},
      {VK_F7, S, false, false, kant, {40006}},
      {VK_F7, C, true, false, {40013, 40139, 40177, 40178}, {40134}},
      {VK_F7, A, false, false, {40013, 40177, 40178}, {40137}},
      {VK_F7, SC, false, false, {}, {40003, 40001, 40002}},
      {VK_F9, N, false, false, {40009}, {40146}},
      {VK_F9, N, true, false, {40009, 40139}, {40146}},
      {VK_F9, S, true, false, {40011, 40187, 40203, 40139}, {40147}},
      {VK_F9, C, false, false, {40013}, {40148}},
      {VK_F9, A, false, false, {}, {}},
      {VK_F10, N, true, false, {}, {40163}},
      {VK_F10, S, false, false, {}, {40164}},
      {VK_F10, C, false, false, {}, {40167}},
      {VK_F12, N, false, false, {40187, 40203}, {40151}},
      {VK_F12, S, true, false, {40187, 40203, 40223}, {40152}},
      {VK_F12, C, true, false, {}, {}},  // the Elevplan switch off: closes, opens nothing
      {VK_F12, C, false, true, {}, {40225, 40227, 40228, 40226, 40229}},
      {VK_F2, A, false, false, {40187, 40271}, {40268}},  // the plan's statement under it
      {VK_F2, N, false, false, {}, {}},
      {VK_F3, N, true, false, {}, {}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << "key " << t.tast - VK_F1 + 1 << " mod " << t.mod << " kalender "
                                    << t.kalender << " elevplan " << t.elevplan);
    // Something open and docked beforehand, which every screen removes.
    TilfoejElementVindue(40223, true);
    HWND foer = OpretObjektVindue(hoved, 40148, 0, nullptr);
    ASSERT_NE(foer, 0u);
    T().kald.clear();
    GlobalIndstillinger.kalender = t.kalender;
    ElevplanSlaaetTil = t.elevplan;
    ff_plan = 1;
    FunktionstastSkaerm(hoved, Tast(t.tast, t.mod == S || t.mod == SC, t.mod == C || t.mod == SC, t.mod == A));
    EXPECT_FALSE(IsWindow(foer));
    EXPECT_EQ(Elementer(), t.elementer);
    EXPECT_EQ(Vinduer(), t.vinduer);
    int docket = 0;
    for (const ElementCelle &c : ElementTab) docket += c.hwndElement != 0;
    EXPECT_EQ(docket, static_cast<int>(t.elementer.size()));
    if (t.vinduer.size() == 1) {
      HWND h = FindVindueType(t.vinduer[0]);
      ASSERT_NE(h, 0u);
      EXPECT_EQ(Plads(h).left, 0);
      EXPECT_EQ(Plads(h).top, 0);
    }
    EXPECT_TRUE(Bokse().empty());
    while (VinduesListe.hoved) DestroyWindow(static_cast<HWND>(VinduesListe.hoved->hwnd));
    CloseAllElements();
  }
}

TEST_F(Funktionstast, APlanWindowStaysWithItsStatementDocked) {
  HWND plan = OpretObjektVindue(hoved, 40268, 0, nullptr);
  ASSERT_NE(plan, 0u);
  for (UINT tast : {VK_F5, VK_F10, VK_F4}) {
    SCOPED_TRACE(tast);
    T().kald.clear();
    T().modtaget.clear();
    FunktionstastSkaerm(hoved, Tast(tast, false, false, false));
    EXPECT_TRUE(IsWindow(plan));
    ASSERT_NE(CelleAf(40271), nullptr);
    EXPECT_EQ(+CelleAf(40271)->Desk, 1u);
    EXPECT_EQ(Elementer().back(), 40271);
    // The statement was told it is made.
    const auto fik = Fik(CelleAf(40271)->hwndObjekt);
    EXPECT_NE(std::find(fik.begin(), fik.end(), UINT{OBJVINDUE_OPRETTET}), fik.end());
  }
}

// A screen whose window is not built still closes and docks, then says so.
TEST_F(Funktionstast, AScreenWithoutItsWindowDocksAndSaysNotAvailable) {
  SaetObjektOpretter(40146, nullptr);
  FunktionstastSkaerm(hoved, Tast(VK_F9, false, false, false));
  EXPECT_NE(CelleAf(40009), nullptr);
  EXPECT_EQ(Bokse(), std::vector<std::string>{"Ikke tilgængelig|Denne funktion er endnu ikke tilgængelig i TAVO-skema."});
  EXPECT_NE(Loggen().find("Ikke tilgængelig: kommando 40146"), std::string::npos);
}

// The desktop is 900 wide and 600 high.
TEST_F(Funktionstast, TheCurrentWeekSharesTheDesktopsWidth) {
  struct Tilfaelde {
    const char *navn;
    char art;
    int k, m, l;          // wanted widths
    bool forBred;
    int b1, b2, b3;       // the widths given, the kind's own first
  };
  const Tilfaelde tilfaelde[] = {
      {"both others under half: halves", 'K', 300, 200, 100, false, 300, 300, 300},
      {"the smaller keeps its width", 'K', 300, 400, 150, false, 300, 450, 150},
      {"... either of the two", 'K', 300, 100, 400, false, 300, 100, 500},
      {"employees first", 'M', 200, 500, 100, false, 500, 300, 100},
      {"rooms first, exactly the width", 'L', 300, 300, 300, false, 300, 300, 300},
      {"too wide", 'K', 400, 300, 300, true, 0, 0, 0},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    while (VinduesListe.hoved) DestroyWindow(static_cast<HWND>(VinduesListe.hoved->hwnd));
    Spurgt().clear();
    T().kald.clear();
    T().modtaget.clear();
    Oensker() = {{40001, {t.k, 700}}, {40002, {t.m, 500}}, {40003, {t.l, 400}}};
    AabnAktuelUge(hoved, t.art);
    const int egen = t.art == 'K' ? 40001 : t.art == 'M' ? 40002 : 40003;
    ASSERT_EQ(T().kald.size(), 3u);
    EXPECT_EQ(T().kald[0].Type, egen);
    EXPECT_EQ(T().kald[0].lParam, 1);
    EXPECT_EQ(T().kald[1].lParam, 3);
    EXPECT_EQ(T().kald[2].lParam, 3);
    HWND v[3];
    for (int i = 0; i < 3; ++i) v[i] = FindVindueType(T().kald[i].Type);
    if (t.forBred) {
      const auto bokse = tavo::test::MessageBoxesShown();
      ASSERT_EQ(bokse.size(), 1u);
      EXPECT_EQ(bokse[0].caption, "Vindue problem");
      EXPECT_EQ(bokse[0].text, "TAVO vinduet er for lille til at vise dette skærm vindue.\nMaximer TAVO og prøv igen!");
      EXPECT_EQ(bokse[0].type & MB_ICONMASK, UINT{MB_ICONINFORMATION});
      for (HWND h : v) EXPECT_TRUE(IsWindow(h));
      EXPECT_EQ(Plads(v[0]).right - Plads(v[0]).left, 100);  // where it was made
      continue;
    }
    EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
    const int b[3] = {t.b1, t.b2, t.b3};
    int x = 0;
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(i);
      const RECT p = Plads(v[i]);
      const int oensket = Oensker()[T().kald[i].Type].second;
      EXPECT_EQ(p, (RECT{x, 0, x + b[i], std::min(oensket, kDeskH)}));
      x += b[i];
      EXPECT_EQ(Spurgt()[v[i]], (std::vector<LPARAM>{2, i == 0 ? 2 : 0}));
      const auto fik = Fik(v[i]);
      EXPECT_NE(std::find(fik.begin(), fik.end(), UINT{OBJVINDUE_OPRETTET}), fik.end());
    }
    // The kind's own window is activated.
    bool aktiveret = false;
    for (const Modtaget &m : T().modtaget) aktiveret |= m.hwnd == v[0] && m.msg == 1100 && m.w == 0;
    EXPECT_TRUE(aktiveret);
  }
}

TEST_F(Funktionstast, TheStudentPlanningScreenPlacesItsFiveWindowsInsideTheDesktop) {
  const struct {
    const char *navn;
    std::map<int, std::pair<int, int>> oensker;
  } tilfaelde[] = {
      {"small", {}},
      {"large", {{40225, {800, 500}}, {40227, {600, 900}}, {40228, {700, 400}}, {40226, {500, 500}}, {40229, {2000, 2000}}}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    while (VinduesListe.hoved) DestroyWindow(static_cast<HWND>(VinduesListe.hoved->hwnd));
    T().kald.clear();
    T().modtaget.clear();
    Oensker() = t.oensker;
    AabnElevplanSkaerm(hoved);
    ASSERT_EQ(Vinduer(), (std::vector<int>{40225, 40227, 40228, 40226, 40229}));
    std::vector<RECT> r;
    for (int type : {40225, 40227, 40228, 40226, 40229}) {
      SCOPED_TRACE(type);
      HWND h = FindVindueType(type);
      ASSERT_NE(h, 0u);
      const RECT p = Plads(h);
      EXPECT_GE(p.left, 0);
      EXPECT_GE(p.top, 0);
      EXPECT_LE(p.right, kDeskB);
      EXPECT_LE(p.bottom, kDeskH);
      EXPECT_GT(p.right, p.left);
      for (const RECT &o : r) {
        const bool over = p.left < o.right && o.left < p.right && p.top < o.bottom && o.top < p.bottom;
        EXPECT_FALSE(over) << p << " over " << o;
      }
      r.push_back(p);
    }
    // The first row takes at most half the height.
    EXPECT_LE(r[0].bottom, kDeskH / 2);
    EXPECT_LE(r[1].bottom, kDeskH / 2);
    bool aktiveret = false;
    for (const Modtaget &m : T().modtaget)
      aktiveret |= m.hwnd == FindVindueType(40225) && m.msg == 1100 && m.w == 0;
    EXPECT_TRUE(aktiveret);
  }
}

}  // namespace
}  // namespace objvin_test
