// The grid-window frame: layout at several sizes, the panes and buttons it
// makes, scrolling by line, page and thumb, and lists taller than 16 bits.

#include "DATO.h"
#include "TABREG.h"
#include "ens_support.h"

namespace {

using namespace wfb_test;

struct Rekt {
  int x, y, w, h;
  bool operator==(const Rekt &o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};
std::ostream &operator<<(std::ostream &os, const Rekt &r) {
  return os << "(" << r.x << "," << r.y << " " << r.w << "x" << r.h << ")";
}

class EnsTest : public UiTest {
 protected:
  HWND Gitter(int w, int h, size_t raekker, bool egenRamme = false) {
    navne.clear();
    for (size_t i = 0; i < raekker; ++i) navne.push_back("Lærer " + std::to_string(i + 1));
    GitterParam p{&navne, egenRamme, 2};
    HWND g = CreateWindowExA(0, "WfbGitter", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, w, h,
                             vaert, 0, 0, &p);
    tavo::test::PumpUntilIdle();
    return g;
  }
  static GitterVindue *G(HWND h) {
    return reinterpret_cast<GitterVindue *>(GetWindowLongPtrA(h, GWLP_USERDATA));
  }
  static Rekt Placering(HWND barn) {
    RECT rc;
    GetWindowRect(barn, &rc);
    POINT p = {rc.left, rc.top};
    ScreenToClient(GetParent(barn), &p);
    return {p.x, p.y, rc.right - rc.left, rc.bottom - rc.top};
  }
  static Rekt Rude(const Ens &e, int i) { return {e.RudeX[i], e.RudeY[i], e.RudeB[i], e.RudeH[i]}; }

  std::vector<std::string> navne;
};

// Row header 40, column header 16, switch strip 2 x 16, both scroll bars.
TEST_F(EnsTest, LayoutAtThreeSizesPlacesEveryPane) {
  struct Tilfaelde {
    int w, h;
    Rekt raekke, kol, celler, hbar, vbar;
  } tilfaelde[] = {
      {300, 200, {2, 19, 40, 162}, {43, 2, 238, 16}, {43, 19, 238, 162}, {43, 182, 238, 16},
       {282, 19, 16, 162}},
      {500, 400, {2, 19, 40, 362}, {43, 2, 438, 16}, {43, 19, 438, 362}, {43, 382, 438, 16},
       {482, 19, 16, 362}},
      {80, 120, {2, 19, 40, 82}, {43, 2, 18, 16}, {43, 19, 18, 82}, {43, 102, 18, 16},
       {62, 19, 16, 82}},
  };
  HWND g = Gitter(300, 200, 40);
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.w);
    MoveWindow(g, 0, 0, t.w, t.h, TRUE);
    tavo::test::PumpUntilIdle();
    const Ens &e = G(g)->ens;
    EXPECT_EQ(Rude(e, ENS_RAEKKEHOVED), t.raekke);
    EXPECT_EQ(Rude(e, ENS_KOLHOVED), t.kol);
    EXPECT_EQ(Rude(e, ENS_CELLER), t.celler);
    EXPECT_EQ(Rude(e, ENS_HSCROLL), t.hbar);
    EXPECT_EQ(Rude(e, ENS_VSCROLL), t.vbar);
    // The child windows stand where the layout says.
    EXPECT_EQ(Placering(e.hwndRaekkeHoved), t.raekke);
    EXPECT_EQ(Placering(e.hwndKolHoved), t.kol);
    EXPECT_EQ(Placering(e.hwndCeller), t.celler);
    EXPECT_EQ(Placering(e.hwndHScroll), t.hbar);
    EXPECT_EQ(Placering(e.hwndVScroll), t.vbar);
    EXPECT_EQ(Placering(e.hwndHjoerneV), (Rekt{2, 2, 40, 16}));
    // Switch buttons in the strip left of the horizontal bar.
    for (int i = 0; i < 2; ++i)
      EXPECT_EQ(Placering(e.hwndSwitchButtons[i]), (Rekt{2 + 16 * i, t.hbar.y, 16, 16}));
  }
}

TEST_F(EnsTest, TooSmallWindowGetsEmptyPanes) {
  HWND g = Gitter(300, 200, 40);
  Ens &e = G(g)->ens;
  struct {
    int w, h;
    bool tom;
  } tilfaelde[] = {{79, 200, true}, {80, 200, false}, {300, 49, true}, {300, 50, false}};
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(std::to_string(t.w) + "x" + std::to_string(t.h));
    e.Areal[2] = t.w - 1;
    e.Areal[3] = t.h - 1;
    EnsCalcLayout(&e);
    EXPECT_EQ(int(e.RudeB[ENS_CELLER]) == 0 && e.RudeH[ENS_CELLER] == 0 && e.RudeB[ENS_RAEKKEHOVED] == 0,
              t.tom);
  }
}

TEST_F(EnsTest, NoRowHeaderPutsCellsAtTheEdgeUnlessSwitchStripIsWider) {
  HWND g = Gitter(300, 200, 40);
  Ens &e = G(g)->ens;
  e.Areal[2] = 299;
  e.Areal[3] = 199;
  e.RaekkeHovedBredde = 0;
  e.SkiftBredde = 0;
  EnsCalcLayout(&e);
  EXPECT_EQ(int(e.RudeX[ENS_CELLER]), 2);
  EXPECT_EQ(int(e.RudeX[ENS_HSCROLL]), 2);
  e.SkiftBredde = 32;
  EnsCalcLayout(&e);
  EXPECT_EQ(int(e.RudeX[ENS_CELLER]), 2);
  EXPECT_EQ(int(e.RudeX[ENS_HSCROLL]), 34);
  EXPECT_EQ(int(e.RudeB[ENS_HSCROLL]), 281 - 34);
}

TEST_F(EnsTest, ScrollingByLineAndPageReturnsTheRepaintMask) {
  HWND g = Gitter(300, 200, 40);  // 40 rows of 16: 640 pixels in a 162-pixel pane
  Ens &e = G(g)->ens;
  struct {
    UINT msg;
    WPARAM kode;
    int maske;
    uint32_t x, y;
  } trin[] = {
      {WM_VSCROLL, SB_LINEUP, 0, 0, 0},       // already at the top: nothing changes
      {WM_VSCROLL, SB_LINEDOWN, 16, 0, 14},   // row 11 comes fully into view
      {WM_VSCROLL, SB_PAGEDOWN, 16, 0, 176},
      {WM_VSCROLL, SB_PAGEDOWN, 16, 0, 338},
      {WM_VSCROLL, SB_PAGEDOWN, 16, 0, 477},  // stops at total - extent - 1
      {WM_VSCROLL, SB_PAGEUP, 16, 0, 315},
      {WM_HSCROLL, SB_LINEDOWN, 8, 2, 315},  // 8 columns of 60 in 238: column 4 ends at the edge
      {WM_HSCROLL, SB_PAGEUP, 8, 0, 315},
      {WM_VSCROLL, SB_ENDSCROLL, 0, 0, 315},
  };
  for (auto &t : trin) {
    SCOPED_TRACE(std::to_string(t.msg) + " " + std::to_string(t.kode));
    EXPECT_EQ(EnsOnScroll(&e, t.msg, t.kode), t.maske);
    EXPECT_EQ(uint32_t(e.ScrollX), t.x);
    EXPECT_EQ(uint32_t(e.ScrollY), t.y);
    EXPECT_EQ(GetScrollPos(e.hwndVScroll, SB_CTL), (int)e.ScrollY);
  }
  EXPECT_EQ(uint32_t(G(g)->y.Foerste), GridPixelTilCelle(&e.AkseY, 315));
}

TEST_F(EnsTest, ThumbDragScrollsATallListToItsEnd) {
  HWND g = Gitter(300, 200, 5000);  // 80,000 pixels, more than 16 bits hold
  Ens &e = G(g)->ens;
  RECT bar;
  GetWindowRect(e.hwndVScroll, &bar);
  // The thumb sits just below the up arrow; drag it past the bottom.
  int x = (bar.left + bar.right) / 2;
  tavo::test::Drag(x, bar.top + 19, x, bar.bottom + 40, 8);
  tavo::test::PumpUntilIdle();
  EXPECT_GT(uint32_t(e.ScrollY), 65535u);
  const GridPos &y = G(g)->y;
  EXPECT_EQ(y.Foerste + y.Synlige - 1, 5000u);
  // The last position of a bar over pixels 0..79998 with a page of the pane.
  EXPECT_EQ(uint32_t(e.ScrollY), 79999u - (uint32_t)e.RudeH[ENS_CELLER]);
}

TEST_F(EnsTest, OwnFrameMakesCaptionButtonsAndPaintsTheCaption) {
  HWND g = Gitter(300, 220, 40, true);
  Ens &e = G(g)->ens;
  ASSERT_NE(e.hwndLuk, 0u);
  int y = (GetSystemMetrics(SM_CYCAPTION) - 14) / 2 + GetSystemMetrics(SM_CYFRAME);
  EXPECT_EQ(Placering(e.hwndLuk), (Rekt{e.Areal[2] - 18, y, 16, 14}));
  EXPECT_EQ(Placering(e.hwndMaks), (Rekt{e.Areal[2] - 36, y, 16, 14}));
  EXPECT_EQ(Placering(e.hwndMin), (Rekt{e.Areal[2] - 52, y, 16, 14}));
  tavo::test::ClearDrawnTexts();
  e.CaptionAktiv = 1;
  EnsPaintFrame(&e);
  bool titel = false;
  for (auto &t : tavo::test::DrawnTexts())
    if (t.hwnd == g && t.text == "Lærere") {
      titel = true;
      EXPECT_EQ(t.text_color, GetSysColor(COLOR_CAPTIONTEXT));
      EXPECT_EQ(t.x, GetSystemMetrics(SM_CXFRAME) + 6);
    }
  EXPECT_TRUE(titel);
  EXPECT_EQ(tavo::test::WindowPixel(g, 20, GetSystemMetrics(SM_CYFRAME) + 2),
            GetSysColor(COLOR_ACTIVECAPTION));
  // A click on the close button reaches the window as 2124 with its id.
  Log().clear();
  POINT p = tavo::test::ScreenPoint(e.hwndLuk, 8, 7);
  tavo::test::Click(p.x, p.y);
  tavo::test::PumpUntilIdle();
  bool klik = false;
  for (auto &b : Log())
    if (b.msg == NYB_KLIK && b.w == NYB_LUK) klik = true;
  EXPECT_TRUE(klik);
}

TEST_F(EnsTest, ObjectTableHelpers) {
  const uint32_t tab[] = {0, 7, 9, 7};
  EXPECT_EQ(FindObjIdx(tab, 3, 7), 1u);
  EXPECT_EQ(FindObjIdx(tab, 3, 9), 2u);
  EXPECT_EQ(FindObjIdx(tab, 3, 0), 0u);  // entry 0 is not used
  EXPECT_EQ(FindObjIdx(tab, 1, 9), 0u);
  const uint32_t a[] = {1, 2}, b[] = {1, 3};
  EXPECT_TRUE(SameU32Tab(2, 2, a, a));
  EXPECT_FALSE(SameU32Tab(2, 2, a, b));
  EXPECT_FALSE(SameU32Tab(1, 2, a, a));
  const float f[] = {1.5f}, f2[] = {2.5f};
  EXPECT_TRUE(SameF32Tab(1, 1, f, f));
  EXPECT_FALSE(SameF32Tab(1, 1, f, f2));
}

TEST_F(EnsTest, MostActiveRecordsInAnyWeek) {
  InitPeriode(20170801, 20171231, 20170901);
  ASSERT_GE(SkemaPeriode.AntalUger, 5u);
  // status u8, StartUge u32, SlutUge u32, Gruppe u32
  static TabDesc td{};
  td.StatusFelt = 1;
  td.FeltTab[1].Offset = 0;
  td.FeltTab[2].Offset = 1;
  td.FeltTab[3].Offset = 5;
  td.FeltTab[4].Offset = 9;
  td.PeriodeFelter[PF_STARTUGE] = 2;
  td.PeriodeFelter[PF_SLUTUGE] = 3;
  td.PeriodeFelter[PF_GRUPPE] = 4;
  td.RecSize = 13;
  struct {
    uint8_t status;
    uint32_t fra, til, gruppe;  // week indexes
  } rk[] = {{0, 0, 0, 0},      {10, 1, 3, 1},   {29, 2, 2, 2},
            {50, 1, 5, 1},     {20, 2, 4, 4},   {12, 3, 3, 0x80000001u}};
  std::vector<uint8_t> data(sizeof rk / sizeof rk[0] * 13);
  for (size_t n = 0; n < sizeof rk / sizeof rk[0]; ++n) {
    uint8_t *r = data.data() + n * 13;
    r[0] = rk[n].status;
    uint32_t a = n ? IndeksTilUge(rk[n].fra) : 0, b = n ? IndeksTilUge(rk[n].til) : 0;
    std::memcpy(r + 1, &a, 4);
    std::memcpy(r + 5, &b, 4);
    std::memcpy(r + 9, &rk[n].gruppe, 4);
  }
  TabVar tv{};
  tv.pbTab = data.data();
  tv.wRecCnt = 6;
  EXPECT_EQ(MaxAktivePrUge(&td, &tv, 3), 2u);  // weeks 2 and 3; record 3 is not active, 4 not in the mask
  EXPECT_EQ(MaxAktivePrUge(&td, &tv, 2), 1u);
  EXPECT_EQ(MaxAktivePrUge(&td, &tv, 0x7FFFFFFF), 3u);
  EXPECT_EQ(MaxAktivePrUge(&td, &tv, 8), 0u);
  tv.wRecCnt = 1;  // only the placeholder
  EXPECT_EQ(MaxAktivePrUge(&td, &tv, 0x7FFFFFFF), 0u);
}

}  // namespace
