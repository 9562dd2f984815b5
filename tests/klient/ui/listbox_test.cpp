// The drop-down pick list driven as a user drives it: dropped down over its
// owner with the mouse captured, the hot row following the mouse, picks by
// click and Enter, the arrow keys, the scroll bar, and entries removed
// while it is open.

#include <string>
#include <vector>

#include "FARVER.h"
#include "FONTE.h"
#include "liste_support.h"
#include "tavo/test_gdi.h"

namespace {

using liste_test::Hoert;

const char *const kNavne[] = {"Alle", "Bygning", "Elektriker", "Frisør", "Gartner", "Håndværk", "Industri",
                              "Jern", "Kok", "Lager", "Maler", "Murer", "Noder", "Optik", "Plast",
                              "Renhandlinging", "Smed", "Tømrer", "Ur", "Væv"};

class ListeBokseDropDown : public liste_test::ListeTest {
 protected:
  // A list of n of the names at (100, 80) of the screen, 120 x hoejde,
  // dropped down as its owner does it: shown, with the focus and the mouse.
  HWND Aabn(uint32_t n, bool skrollBar, int hoejde = 145) {
    HWND l = CreateListBoxWnd(0, ejer, skrollBar);
    EXPECT_NE(l, 0u);
    for (uint32_t i = 0; i < n; ++i)
      SendMessageA(l, LISTBOX_TILFOEJ, 0, reinterpret_cast<LPARAM>(kNavne[i]));
    SetWindowPos(l, HWND_TOP, 100, 80, 120, hoejde, SWP_SHOWWINDOW);
    SetFocus(l);
    SetCapture(l);
    tavo::test::PumpUntilIdle();
    Hoerte().clear();
    return l;
  }
  static std::vector<Hoert> &Hoerte() { return liste_test::Hoerte(); }
  static LBWS *Ws(HWND l) { return reinterpret_cast<LBWS *>(GetWindowLongPtrA(l, GWLP_USERDATA)); }
  static void Flyt(HWND l, int x, int y) {
    const POINT p = tavo::test::ScreenPoint(l, x, y);
    tavo::test::MouseMove(p.x, p.y);
    tavo::test::PumpUntilIdle();
  }
  static void Klik(HWND l, int x, int y) {
    const POINT p = tavo::test::ScreenPoint(l, x, y);
    tavo::test::Click(p.x, p.y);
    tavo::test::PumpUntilIdle();
  }
  static void Tast(UINT vk) {
    tavo::test::PressKey(vk);
    tavo::test::PumpUntilIdle();
  }
  // The 2228 the owner heard, as 0-based indexes.
  std::vector<int> Valg() const {
    std::vector<int> v;
    for (const Hoert &h : HoertAf(ejer))
      if (h.msg == LISTBOX_VALGT) v.push_back(static_cast<int>(h.w));
    return v;
  }
  // The middle of row i (1-based) at scroll 0.
  static int RaekkeY(uint32_t i) { return 13 * static_cast<int>(i - 1) + 7; }
};

TEST_F(ListeBokseDropDown, BelowTheLastEntryNothingIsHotAndAClickPicksNothing) {
  HWND l = Aabn(3, false);
  for (uint32_t i : {1u, 3u, 2u}) {
    Flyt(l, 40, RaekkeY(i));
    EXPECT_EQ(Ws(l)->hot, i);
    EXPECT_EQ(Ws(l)->current, i);
  }
  EXPECT_EQ(tavo::test::WindowPixel(l, 60, RaekkeY(2)), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(tavo::test::WindowPixel(l, 60, RaekkeY(3)), GetSysColor(COLOR_WINDOW));

  // The list is 145 high and its entries end at 40.
  for (int y : {45, 100, 142}) {
    Flyt(l, 40, y);
    EXPECT_EQ(Ws(l)->hot, 0u) << y;
    EXPECT_EQ(Ws(l)->current, 0u) << y;
    EXPECT_EQ(tavo::test::WindowPixel(l, 60, RaekkeY(2)), GetSysColor(COLOR_WINDOW)) << y;
    EXPECT_EQ(tavo::test::WindowPixel(l, 60, y), GetSysColor(COLOR_WINDOW)) << y;
    Klik(l, 40, y);
    EXPECT_TRUE(Valg().empty()) << y;
    EXPECT_TRUE(IsWindowVisible(l)) << y;
  }
}

TEST_F(ListeBokseDropDown, PicksAndCancelsTellTheOwnerOnlyOfAPick) {
  struct Tilfaelde {
    const char *navn;
    void (*handling)(HWND l);
    std::vector<int> valg;
  } tabel[] = {
      {"click on row 2", [](HWND l) { Klik(l, 40, RaekkeY(2)); }, {1}},
      {"Enter on row 3",
       [](HWND l) {
         Flyt(l, 40, RaekkeY(3));
         Tast(VK_RETURN);
       },
       {2}},
      {"Enter with no current row", [](HWND) { Tast(VK_RETURN); }, {-1}},
      {"Esc on row 1",
       [](HWND l) {
         Flyt(l, 40, RaekkeY(1));
         Tast(VK_ESCAPE);
       },
       {}},
      {"click outside",
       [](HWND l) {
         Flyt(l, 40, RaekkeY(1));
         Klik(l, 200, 60);
       },
       {}},
      {"click left of the list", [](HWND l) { Klik(l, -3, RaekkeY(1)); }, {}},
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.navn);
    HWND l = Aabn(3, false);
    t.handling(l);
    EXPECT_EQ(Valg(), t.valg);
    EXPECT_FALSE(IsWindowVisible(l));
    EXPECT_NE(GetCapture(), l);
    DestroyWindow(l);
  }
}

TEST_F(ListeBokseDropDown, LosingTheFocusHidesWithoutAPick) {
  HWND l = Aabn(3, false);
  Flyt(l, 40, RaekkeY(2));
  SetFocus(ejer);
  tavo::test::PumpUntilIdle();
  EXPECT_FALSE(IsWindowVisible(l));
  EXPECT_NE(GetCapture(), l);
  EXPECT_TRUE(Valg().empty());
}

TEST_F(ListeBokseDropDown, RowsFrameAndTextsInTheSystemColoursAndTheStandardFont) {
  HFONT gammel = StdFont;
  StdFont = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Liberation Serif");
  HWND l = Aabn(4, false, 45);
  SendMessageA(l, LISTBOX_AKTUEL, 2, 0);
  tavo::test::ClearDrawnTexts();
  UpdateWindow(l);
  ASSERT_TRUE(tavo::test::SaveWindowPng(l, TAVO_BINARY_DIR "/listbokse_dropdown.png"));
  EXPECT_EQ(tavo::test::WindowPixel(l, 0, 0), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(tavo::test::WindowPixel(l, 119, 44), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(tavo::test::WindowPixel(l, 100, RaekkeY(1)), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(tavo::test::WindowPixel(l, 100, RaekkeY(2)), GetSysColor(COLOR_HIGHLIGHT));
  // The list is 45 high: the fourth row shows its top, cut off at the frame.
  EXPECT_EQ(tavo::test::WindowPixel(l, 100, 43), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(tavo::test::WindowPixel(l, 100, 44), GetSysColor(COLOR_3DDKSHADOW));
  std::vector<std::string> set;
  for (const auto &d : tavo::test::DrawnTexts()) {
    if (d.hwnd != l) continue;
    set.push_back(d.text);
    EXPECT_EQ(d.x, 2) << d.text;
    EXPECT_EQ(d.face, "Liberation Serif") << d.text;
    EXPECT_EQ(d.text_color, GetSysColor(d.text == "Bygning" ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT)) << d.text;
    EXPECT_EQ(d.bk_mode, TRANSPARENT);
  }
  EXPECT_EQ(set, (std::vector<std::string>{"Alle", "Bygning", "Elektriker", "Frisør"}));
  DestroyWindow(l);
  DeleteObject(StdFont);
  StdFont = gammel;
}

TEST_F(ListeBokseDropDown, ArrowKeysStopAtTheEndsAndScrollALineWhenTheRowLeavesTheList) {
  HWND l = Aabn(20, true);
  struct Trin {
    UINT tast;
    int gange;
    uint32_t aktuel;
    int scroll;
  } trin[] = {
      {VK_UP, 1, 1, 0},   {VK_DOWN, 1, 2, 0},    {VK_DOWN, 9, 11, 0},   {VK_DOWN, 1, 12, 13},
      {VK_DOWN, 1, 13, 26}, {VK_DOWN, 9, 20, 117}, {VK_DOWN, 1, 20, 117}, {VK_UP, 8, 12, 117},
      {VK_UP, 1, 11, 117},  {VK_UP, 2, 9, 104},   {VK_UP, 8, 1, 0},      {VK_UP, 1, 1, 0},
  };
  for (const Trin &t : trin) {
    for (int i = 0; i < t.gange; ++i) Tast(t.tast);
    SCOPED_TRACE(std::to_string(t.aktuel));
    EXPECT_EQ(Ws(l)->current, t.aktuel);
    EXPECT_EQ(Ws(l)->scroll, t.scroll);
    EXPECT_EQ(GetScrollPos(Ws(l)->scrollBar, SB_CTL), t.scroll);
  }
  // Row 1 shows at the top again, highlighted.
  EXPECT_EQ(tavo::test::WindowPixel(l, 60, RaekkeY(1)), GetSysColor(COLOR_HIGHLIGHT));
  ASSERT_TRUE(tavo::test::SaveWindowPng(l, TAVO_BINARY_DIR "/listbokse_dropdown_skroll.png"));
  EXPECT_TRUE(Valg().empty());
}

TEST_F(ListeBokseDropDown, ScrollingByLinePageAndThumb) {
  HWND l = Aabn(20, true);
  LBWS *ws = Ws(l);
  // 20 entries: 262 pixels with the frame, 145 shown, so 117 at most.
  struct Trin {
    int fra;
    UINT kode;
    int til;
  } trin[] = {
      {0, SB_LINEDOWN, 13},  {104, SB_LINEDOWN, 117}, {117, SB_LINEDOWN, 117}, {0, SB_LINEUP, 0},
      {20, SB_LINEUP, 7},    {0, SB_PAGEDOWN, 117},   {50, SB_PAGEDOWN, 117},  {117, SB_PAGEUP, 0},
      {13, SB_PAGEUP, 0},
  };
  for (const Trin &t : trin) {
    ws->scroll = t.fra;
    SendMessageA(l, WM_VSCROLL, t.kode, static_cast<LPARAM>(ws->scrollBar));
    EXPECT_EQ(ws->scroll, t.til) << t.fra << " " << t.kode;
  }

  // As the user does it: the arrow of the bar, then dragging its thumb.
  ws->scroll = 0;
  SetScrollPos(ws->scrollBar, SB_CTL, 0, TRUE);
  RECT rb;
  GetClientRect(ws->scrollBar, &rb);
  const POINT pil = tavo::test::ScreenPoint(ws->scrollBar, rb.right / 2, rb.bottom - 4);
  tavo::test::MouseMove(pil.x, pil.y);
  tavo::test::PumpUntilIdle();
  EXPECT_NE(GetCapture(), l) << "over its scroll bar the list lets the mouse go";
  tavo::test::Click(pil.x, pil.y);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(ws->scroll, 13);
  // Back over the rows, the row under the mouse is the one drawn there.
  Flyt(l, 40, RaekkeY(1));
  EXPECT_EQ(ws->hot, 2u);
  EXPECT_EQ(GetCapture(), l);
  const POINT tommel = tavo::test::ScreenPoint(ws->scrollBar, rb.right / 2, 24);
  tavo::test::ClearDrawnTexts();
  tavo::test::Drag(tommel.x, tommel.y, tommel.x, tommel.y + 60, 6);
  tavo::test::PumpUntilIdle();
  EXPECT_GT(ws->scroll, 13);
  EXPECT_EQ(ws->scroll, GetScrollPos(ws->scrollBar, SB_CTL));
  // The row at the top is the one the position gives.
  const uint32_t oeverst = static_cast<uint32_t>(ws->scroll / 13);
  bool fundet = false;
  for (const auto &d : tavo::test::DrawnTexts())
    if (d.hwnd == l && d.text == kNavne[oeverst]) fundet = true;
  EXPECT_TRUE(fundet) << oeverst;
  EXPECT_TRUE(Valg().empty());
  EXPECT_TRUE(IsWindowVisible(l));
}

TEST_F(ListeBokseDropDown, RemovingEntriesMovesTheLaterOnesUpAndClearsRowsPastTheEnd) {
  HWND l = Aabn(3, false);
  LBWS *ws = Ws(l);
  auto Post = [&](WPARAM n) {
    auto *p = reinterpret_cast<char **>(SendMessageA(l, LISTBOX_POST, n, 0));
    return p ? std::string(*p) : std::string("-");
  };
  EXPECT_EQ(Post(0), "-");
  EXPECT_EQ(Post(1), "Alle");
  EXPECT_EQ(Post(3), "Elektriker");
  EXPECT_EQ(Post(4), "-");

  // Removing the current entry: no entry is current; the later ones move up.
  SendMessageA(l, LISTBOX_AKTUEL, 2, 0);
  EXPECT_EQ(ws->current, 2u);
  SendMessageA(l, LISTBOX_AKTUEL, 4, 0);  // past the end: refused
  EXPECT_EQ(ws->current, 2u);
  SendMessageA(l, LISTBOX_FJERN, 2, 0);
  EXPECT_EQ(ws->count, 2u);
  EXPECT_EQ(ws->current, 0u);
  EXPECT_EQ(Post(2), "Elektriker");
  for (WPARAM n : {0u, 3u, 99u}) SendMessageA(l, LISTBOX_FJERN, n, 0);
  EXPECT_EQ(ws->count, 2u);

  // Removing an entry above the hot last row leaves the row past the end:
  // it is not hot, not current, and not painted.
  SendMessageA(l, LISTBOX_TILFOEJ, 0, reinterpret_cast<LPARAM>("Gartner"));
  Flyt(l, 40, RaekkeY(3));
  EXPECT_EQ(ws->hot, 3u);
  EXPECT_EQ(ws->current, 3u);
  SendMessageA(l, LISTBOX_FJERN, 1, 0);
  EXPECT_EQ(ws->hot, 0u);
  EXPECT_EQ(ws->current, 0u);
  tavo::test::ClearDrawnTexts();
  tavo::test::PumpUntilIdle();
  std::vector<std::string> set;
  for (const auto &d : tavo::test::DrawnTexts())
    if (d.hwnd == l) set.push_back(d.text);
  EXPECT_EQ(set, (std::vector<std::string>{"Elektriker", "Gartner"}));
  EXPECT_EQ(tavo::test::WindowPixel(l, 60, RaekkeY(3)), GetSysColor(COLOR_WINDOW));
  Tast(VK_RETURN);
  EXPECT_EQ(Valg(), (std::vector<int>{-1}));
}

}  // namespace
