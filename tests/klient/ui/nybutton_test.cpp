// The bitmap button's press cycle, disabled state and keys.

#include "ens_support.h"
#include "win/gdi_res.h"

namespace {

using namespace wfb_test;
using tavo::test::ScreenPoint;

class NyButton : public UiTest {
 protected:
  HWND Knap(uint32_t style = 0) {
    HWND k = CreateNyButtonWnd(0, vaert, vaert, 77, 5, style, 20, 20, 60, 24, "Gem", "OK");
    ShowWindow(k, SW_SHOW);
    tavo::test::PumpUntilIdle();
    Log().clear();
    return k;
  }
  // Notifications only, in order; each must carry the id and the value.
  std::vector<UINT> Noter() {
    std::vector<UINT> v;
    for (auto &b : Log())
      if (b.msg >= NYB_KLIK && b.msg <= NYB_SLIP) {
        EXPECT_EQ(b.w, 77u);
        EXPECT_EQ(b.l, 5);
        v.push_back(b.msg);
      }
    return v;
  }
  void Flyt(POINT p) {
    tavo::test::MouseMove(p.x, p.y);
    tavo::test::PumpUntilIdle();
  }
};

TEST_F(NyButton, PressCycleInsideOutsideAndBack) {
  HWND k = Knap();
  POINT inde = ScreenPoint(k, 30, 12), ude = ScreenPoint(k, 200, 200);
  struct Tilfaelde {
    const char *navn;
    std::vector<POINT> vej;  // moves between down and up, up at the last
    std::vector<UINT> forventet;
  } tilfaelde[] = {
      {"click", {inde}, {NYB_TRYK, NYB_SLIP, NYB_KLIK}},
      {"leave and return", {ude, inde}, {NYB_TRYK, NYB_SLIP, NYB_KLIK}},
      {"released outside", {ude}, {NYB_TRYK}},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    Flyt(inde);
    Log().clear();
    tavo::test::MouseDown(0, inde.x, inde.y);
    tavo::test::PumpUntilIdle();
    for (POINT p : t.vej) Flyt(p);
    POINT sidste = t.vej.back();
    tavo::test::MouseUp(0, sidste.x, sidste.y);
    tavo::test::PumpUntilIdle();
    EXPECT_EQ(Noter(), t.forventet);
    EXPECT_NE(GetCapture(), k);
  }
}

TEST_F(NyButton, DisabledIgnoresMouseAndKeysUntilEnabled) {
  HWND k = Knap();
  SendMessageA(k, NYB_FOKUS_TIL, 0, 0);
  SendMessageA(k, NYB_DEAKTIVER, 0, 0);
  POINT p = ScreenPoint(k, 10, 10);
  tavo::test::Click(p.x, p.y);
  SendMessageA(k, WM_KEYDOWN, VK_RETURN, 0);
  SendMessageA(k, WM_KEYUP, VK_RETURN, 0);
  tavo::test::PumpUntilIdle();
  EXPECT_TRUE(Noter().empty());

  SendMessageA(k, NYB_AKTIVER, 0, 0);
  tavo::test::Click(p.x, p.y);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(Noter(), (std::vector<UINT>{NYB_TRYK, NYB_SLIP, NYB_KLIK}));
}

TEST_F(NyButton, EnterAndSpaceOnlyWhenFocused) {
  HWND k = Knap();
  SendMessageA(k, WM_KEYDOWN, VK_RETURN, 0);
  SendMessageA(k, WM_KEYUP, VK_RETURN, 0);
  EXPECT_TRUE(Noter().empty());
  SendMessageA(k, NYB_FOKUS_TIL, 0, 0);
  EXPECT_EQ(SendMessageA(k, NYB_FOKUS, 0, 0), 1);
  for (UINT vk : {VK_RETURN, VK_SPACE}) {
    Log().clear();
    SendMessageA(k, WM_KEYDOWN, vk, 0);
    SendMessageA(k, WM_KEYUP, vk, 0);
    EXPECT_EQ(Noter(), (std::vector<UINT>{NYB_TRYK, NYB_SLIP, NYB_KLIK}));
  }
  EXPECT_EQ(SendMessageA(k, VALG_KAN_SKIFTE, 0, 0), 1);
}

TEST_F(NyButton, TextAndLatchedLookArePainted) {
  HWND k = Knap();
  tavo::test::ClearDrawnTexts();
  SendMessageA(k, NYB_TEKST, NYB_VENSTRE, reinterpret_cast<LPARAM>("Søg"));
  SendMessageA(k, NYB_LAAS_NED, 0, 0);
  bool fundet = false;
  for (auto &t : tavo::test::DrawnTexts())
    if (t.hwnd == k && t.text == "Søg") {
      fundet = true;
      EXPECT_EQ(t.text_color, GetSysColor(COLOR_BTNTEXT));
    }
  EXPECT_TRUE(fundet);
  // Latched: the face is palette colour 2.
  EXPECT_EQ(tavo::test::WindowPixel(k, 50, 20), FarveTab[2]);
}

TEST_F(NyButton, LatchingTwiceRepaintsOnce) {
  HWND k = Knap();
  tavo::test::ClearDrawnTexts();
  SendMessageA(k, NYB_LAAS_NED, 0, 0);
  SendMessageA(k, NYB_LAAS_NED, 0, 0);
  int tegnet = 0;
  for (auto &t : tavo::test::DrawnTexts()) tegnet += t.hwnd == k;
  EXPECT_EQ(tegnet, 1);
}

TEST_F(NyButton, PictureTallerThanTheButtonIsClipped) {
  // A 10 x 30 picture of colour 0 (drawn as the 3-D dark shadow), 4 bits.
  static std::vector<uint8_t> dib = [] {
    const int w = 10, h = 30, stride = 8;
    std::vector<uint8_t> d(40 + 16 * 4 + stride * h, 0);
    BITMAPINFOHEADER bi{};
    bi.biSize = 40;
    bi.biWidth = w;
    bi.biHeight = h;
    bi.biPlanes = 1;
    bi.biBitCount = 4;
    std::memcpy(d.data(), &bi, sizeof bi);
    return d;
  }();
  tavo::res::RegisterBitmap("wfbtest", "TESTBILLEDE", dib.data(), dib.size());
  HWND k = Knap();
  SendMessageA(k, NYB_BILLEDE, 0, reinterpret_cast<LPARAM>("TESTBILLEDE"));
  auto *b = reinterpret_cast<BWS *>(GetWindowLongPtrA(k, GWLP_USERDATA));
  EXPECT_EQ(b->pictureWidth, 10u);
  EXPECT_EQ(b->pictureHeight, 30u);
  const COLORREF moerk = GetSysColor(COLOR_3DDKSHADOW);
  EXPECT_EQ(tavo::test::WindowPixel(k, 5, 1), moerk);
  EXPECT_EQ(tavo::test::WindowPixel(k, 5, 20), moerk);   // height - 4 rows from y = 1
  EXPECT_EQ(tavo::test::WindowPixel(k, 5, 21), FarveTab[0]);
  EXPECT_EQ(tavo::test::WindowPixel(k, 12, 10), FarveTab[0]);
}

}  // namespace
