#include <gtest/gtest.h>

#include "ENSDC.h"
#include "FARVER.h"
#include "palette_fixture.h"
#include "tavo/test_user.h"

namespace {

class Ens : public ui_test::DataMappe {
 protected:
  void SetUp() override {
    DataMappe::SetUp();
    tavo::test::ResetUser();
    farver_intern::InitPaletteDybde(32);
    WNDCLASSA wc = {};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "EnsDcTestWnd";
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, "EnsDcTestWnd", "", WS_OVERLAPPED, 0, 0, 100, 80, 0, 0, 0,
                            nullptr);
    ASSERT_NE(hwnd_, 0u);
    ShowWindow(hwnd_, SW_SHOW);
  }
  void TearDown() override {
    DestroyWindow(hwnd_);
    tavo::test::ResetUser();
    DataMappe::TearDown();
  }
  HWND hwnd_ = 0;
};

TEST_F(Ens, FreshDcHasNoColoursAndThePalette) {
  EnsDC ens = {0, 5, 6};
  HFONT font = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
  SelectDCPalette(hwnd_, &ens, font);
  ASSERT_NE(ens.hdc, 0u);
  EXPECT_EQ(ens.TekstFarve, kIngenFarve);
  EXPECT_EQ(ens.BkFarve, kIngenFarve);
  EXPECT_EQ(GetCurrentObject(ens.hdc, OBJ_FONT), font);
  EXPECT_EQ(GetCurrentObject(ens.hdc, OBJ_PAL), TavoPalette);
  // Palette-index colours resolve through the program palette.
  const RECT rc = {0, 0, 2, 2};
  FillRect(ens.hdc, &rc, FarveSolidBrush[30]);
  EXPECT_EQ(GetPixel(ens.hdc, 1, 1), FarveTab[30]);
}

TEST_F(Ens, ScrollBarRangeFromTheCount) {
  const HWND sb = CreateScrollBarCtl(0, hwnd_, WS_CHILD | SBS_VERT, 80, 0, 16, 80);
  ASSERT_NE(sb, 0u);
  EXPECT_TRUE(IsWindowVisible(sb));
  const struct {
    int page, count, pos;
  } tilfaelde[] = {{10, 100, 40}, {20, 50, 30}};
  for (const auto &t : tilfaelde) {
    SetScrollCtl(sb, t.page, t.count, t.pos);
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    ASSERT_TRUE(GetScrollInfo(sb, SB_CTL, &si));
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, t.count - 1);
    EXPECT_EQ(si.nPage, static_cast<UINT>(t.page));
    EXPECT_EQ(si.nPos, t.pos);
  }
  // Nothing to scroll: the bar stays.
  SetScrollCtl(sb, 10, 0, 0);
  EXPECT_TRUE(IsWindowVisible(sb));
}

}  // namespace
