// The shared tooltip: where it opens, its size, one at a time, and hiding
// when the mouse leaves a pane. The main toolbar's tooltip list.

#include <chrono>
#include <thread>

#include "ens_support.h"

namespace {

using namespace wfb_test;

class Tooltip : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ASSERT_NE(OpretTooltip(0, vaert), 0u);
    HDC dc = GetDC(hwndTooltip);
    SIZE a = {0, 0};
    GetTextExtentPoint32A(dc, "Lokale", 6, &a);
    lokale = a;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &arbejde, 0);
  }
  void TearDown() override {
    SkjulTooltip();
    UiTest::TearDown();
  }
  static RECT Sted() {
    RECT rc;
    GetWindowRect(hwndTooltip, &rc);
    return rc;
  }
  SIZE lokale;
  RECT arbejde;
};

TEST_F(Tooltip, OpensAtThePointOrBesideTheWorkAreaEdges) {
  const int w = lokale.cx, h = lokale.cy;
  struct {
    const char *navn;
    POINT p;
    int venstre;
    int x, y;
  } tilfaelde[] = {
      {"free", {100, 100}, 0, 100, 100},
      {"right edge", {arbejde.right - 10, 100}, 7, arbejde.right - 10 - 5 - w - 7, 100},
      {"bottom edge", {100, arbejde.bottom - 3}, 0, 100, arbejde.bottom - 3 - 22 - h},
      {"left of the work area", {arbejde.left + 2, 100}, 400, arbejde.left + 2, 100},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    VisTooltip("Lokale", &t.p, t.venstre);
    EXPECT_TRUE(IsWindowVisible(hwndTooltip));
    RECT rc = Sted();
    EXPECT_EQ(rc.left, t.x);
    EXPECT_EQ(rc.top, t.y);
    EXPECT_EQ(rc.right - rc.left, w + 5);
    EXPECT_EQ(rc.bottom - rc.top, h + 5);
    SkjulTooltip();
    EXPECT_FALSE(IsWindowVisible(hwndTooltip));
  }
}

TEST_F(Tooltip, OneAtATimeAndTwoLinesSizedByTheLongerLine) {
  POINT p = {50, 50};
  VisTooltip("Lokale", &p, 0);
  VisTooltip("Andet\nLokale nr. 12", &p, 0);  // refused: one is shown
  RECT rc = Sted();
  EXPECT_EQ(rc.right - rc.left, lokale.cx + 5);
  SkjulTooltip();
  rc = Sted();
  EXPECT_EQ(rc.right - rc.left, 0);  // hidden and shrunk to nothing

  VisTooltip("Ens\nLokale nr. 12", &p, 0);
  HDC dc = GetDC(hwndTooltip);
  SIZE lang = {0, 0};
  GetTextExtentPoint32A(dc, "Lokale nr. 12", 13, &lang);
  rc = Sted();
  EXPECT_EQ(rc.right - rc.left, lang.cx + 5);
  EXPECT_EQ(rc.bottom - rc.top, 2 * lang.cy + 5);
  SkjulTooltip();

  VisTooltip("", &p, 0);
  VisTooltip(nullptr, &p, 0);
  EXPECT_FALSE(TooltipVises);
}

TEST_F(Tooltip, PaneShowsItsTipBelowTheMouseOnHoverAndHidesOnLeave) {
  auto *d = static_cast<DummyInfo *>(std::calloc(1, sizeof(DummyInfo)));
  *d = DummyInfo{const_cast<char *>("Lokale"), vaert, 1080, 1047, 1048, 1049, 1081, 1082};
  HWND rude = CreateWindowExA(0, "DummyWndClass", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 60, vaert,
                              0, 0, d);
  tavo::test::PumpUntilIdle();
  POINT inde = tavo::test::ScreenPoint(rude, 30, 20);
  tavo::test::MouseMove(inde.x, inde.y);
  for (int i = 0; i < 50 && !TooltipVises; ++i) {
    tavo::test::PumpUntilIdle();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(TooltipVises);
  RECT rc = Sted();
  EXPECT_EQ(rc.left, inde.x);
  EXPECT_EQ(rc.top, inde.y + 17);
  POINT ude = tavo::test::ScreenPoint(vaert, 400, 300);
  tavo::test::MouseMove(ude.x, ude.y);
  tavo::test::PumpUntilIdle();
  EXPECT_FALSE(TooltipVises);
  EXPECT_FALSE(IsWindowVisible(hwndTooltip));
  // The owner heard the move, the hover and the leave under its numbers.
  std::vector<UINT> v = Beskeder();
  for (UINT m : {1053u, 1047u, 1049u, 1048u})
    EXPECT_NE(std::find(v.begin(), v.end(), m), v.end()) << m;
}

TEST_F(Tooltip, ToolbarListKeepsOneNodePerCommand) {
  ToolbarTipsFrigiv();
  ToolbarTilfoejKnap(0, 40100, "Grupper");
  ToolbarTilfoejKnap(1, 40100, "Andet");
  ToolbarTilfoejKnap(2, 40078, "Version");
  EXPECT_STREQ(ToolbarTipTekst(40100), "Grupper");
  EXPECT_STREQ(ToolbarTipTekst(40078), "Version");
  EXPECT_EQ(ToolbarTipTekst(1), nullptr);
  int noder = 0;
  for (ToolbarTip *n = ToolbarTips; n; n = n->next) ++noder;
  EXPECT_EQ(noder, 2);
  EXPECT_EQ(ToolbarTips->id, 40078);  // newest first
  ToolbarTipsFrigiv();
}

}  // namespace
