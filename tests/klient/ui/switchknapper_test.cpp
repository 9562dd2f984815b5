// A row of column-header buttons laid out by a field layout: each as wide as
// its field, the filler after them over the whole pane.

#include <cstdio>
#include <vector>

#include "KATALOG.h"
#include "SWITCH.h"
#include "SWITCHKNAPPER.h"
#include "ens_support.h"

namespace {

class SwitchKnapRaekkeTest : public wfb_test::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    FrigivSwitchTab();
    // Widths 2 + 3 + 10 x 8 + 4 + 1 = 90 and 0 + 2 + 5 x 8 + 0 + 1 = 43.
    const char linjer[] = "[ObjectSwitchField]\n71,K,0,1,2,3,0,0,10,4,1,T,0\n71,K,0,5,0,2,0,0,5,0,1,T,0\n";
    FILE *f = fmemopen(const_cast<char *>(linjer), sizeof linjer - 1, "r");
    ASSERT_NE(f, nullptr);
    int sektion = 0;
    switch_intern::LaesLayoutFil(f, "test.ini", &sektion);
    std::fclose(f);
    wfb_test::Registrer("KnapVaert", DefWindowProcA, 0);
    vaert = CreateWindowExA(0, "KnapVaert", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 100, 0, 0, 0, nullptr);
    ens.hwndKolHoved = CreateWindowExA(0, "KnapVaert", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 16, vaert, 0, 0, nullptr);
    ens.pTd = &tdakti;
    for (HWND &k : knapper) k = CreateWindowExA(0, "KnapVaert", "", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, ens.hwndKolHoved, 0, 0, nullptr);
  }
  void TearDown() override {
    FrigivSwitchTab();
    UiTest::TearDown();
  }
  static bool Samme(const RECT &a, const RECT &b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
  static RECT Sted(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    POINT p{r.left, r.top};
    ScreenToClient(GetParent(h), &p);
    return RECT{p.x, p.y, p.x + r.right - r.left, p.y + r.bottom - r.top};
  }

  HWND vaert = 0;
  Ens ens{};
  HWND knapper[3] = {};
};

TEST_F(SwitchKnapRaekkeTest, ButtonsTakeTheirFieldsWidthsAndTheFillerTheRest) {
  struct Tilfaelde {
    const char *navn;
    uint32_t art;
    std::vector<uint32_t> felter;
    std::vector<RECT> ventet;  // the two field buttons and the filler
  };
  const Tilfaelde tilfaelde[] = {
      {"in layout order", 71, {0, 1}, {{0, 0, 90, 16}, {90, 0, 133, 16}, {133, 0, 433, 16}}},
      {"the second field first", 71, {1, 0}, {{0, 0, 43, 16}, {43, 0, 133, 16}, {133, 0, 433, 16}}},
      {"a field the layout lacks", 71, {0, 7}, {{0, 0, 90, 16}, {90, 0, 90, 16}, {90, 0, 390, 16}}},
      {"a kind past the tables", 116, {0, 1}, {{0, 0, 0, 16}, {0, 0, 0, 16}, {0, 0, 300, 16}}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    std::vector<uint32_t> felter = t.felter;
    SwitchKnapRaekke raekke{knapper, 2, felter.data()};
    LayoutSwitchButtons(&ens, &raekke, t.art);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(Samme(Sted(knapper[i]), t.ventet[i])) << "button " << i;
  }
}

TEST_F(SwitchKnapRaekkeTest, NothingWithoutAColumnHeaderPane) {
  std::vector<uint32_t> felter{0, 1};
  SwitchKnapRaekke raekke{knapper, 2, felter.data()};
  const RECT foer = Sted(knapper[0]);
  Ens uden{};
  uden.pTd = &tdakti;
  LayoutSwitchButtons(&uden, &raekke, 71);
  EXPECT_TRUE(Samme(Sted(knapper[0]), foer));
}

}  // namespace
