// Scroll bars, progress bars, trackbars and the toolbar.

#include <algorithm>
#include <chrono>
#include <thread>

#include "controls_support.h"

using namespace ctltest;
using tavo::test::Click;
using tavo::test::PressKey;

namespace {

struct Scroll {
  int code;
  int pos16;
  int track;  // SIF_TRACKPOS as the parent read it while handling the message
};

}  // namespace

TEST_F(ControlsTest, ScrollBarThumbDragGivesThe32BitTrackPosition) {
  std::vector<Scroll> got;
  g_handler = [&](HWND, UINT m, WPARAM w, LPARAM l, LRESULT *) {
    if (m == WM_VSCROLL) {
      SCROLLINFO si{sizeof si, SIF_TRACKPOS};
      GetScrollInfo((HWND)l, SB_CTL, &si);
      got.push_back({LOWORD(w), HIWORD(w), si.nTrackPos});
    }
    return false;
  };
  HWND sb = Make("SCROLLBAR", SBS_VERT, 50, 10, 10, 16, 216);
  EXPECT_TRUE(EnableScrollBar(sb, SB_CTL, ESB_ENABLE_BOTH));
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, 199999, 1000, 0, 0};
  EXPECT_EQ(SetScrollInfo(sb, SB_CTL, &si, TRUE), 0);
  EXPECT_TRUE(IsWindowEnabled(sb));
  POINT down = At(sb, 8, 216 - 8);  // the lower arrow
  Click(down.x, down.y);
  Pump();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].code, SB_LINEDOWN);
  EXPECT_EQ(got[1].code, SB_ENDSCROLL);
  got.clear();
  // The thumb sits just below the upper arrow; drag it three quarters down.
  POINT from = At(sb, 8, 18), to = At(sb, 8, 18 + 150);
  tavo::test::Drag(from.x, from.y, to.x, to.y, 3);
  Pump();
  ASSERT_GE(got.size(), 3u);
  EXPECT_EQ(got.back().code, SB_ENDSCROLL);
  const Scroll &pos = got[got.size() - 2];
  EXPECT_EQ(pos.code, SB_THUMBPOSITION);
  const Scroll &track = got[got.size() - 3];
  EXPECT_EQ(track.code, SB_THUMBTRACK);
  EXPECT_GT(track.track, 65535);
  EXPECT_EQ(track.pos16, track.track & 0xFFFF);
  EXPECT_EQ(pos.track, track.track);
  EXPECT_EQ(GetScrollPos(sb, SB_CTL), 0);  // the parent moves the bar itself
  EXPECT_EQ(SetScrollPos(sb, SB_CTL, track.track, TRUE), 0);
  EXPECT_EQ(GetScrollPos(sb, SB_CTL), track.track);
  g_handler = nullptr;
}

TEST_F(ControlsTest, ScrollBarArrowRepeatsWhileHeld) {
  std::vector<int> codes;
  g_handler = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT *) {
    if (m == WM_HSCROLL) codes.push_back(LOWORD(w));
    return false;
  };
  HWND sb = Make("SCROLLBAR", SBS_HORZ, 53, 10, 10, 200, 16);
  SetScrollRange(sb, SB_CTL, 0, 50, TRUE);
  POINT left = At(sb, 4, 8);
  tavo::test::MouseDown(0, left.x, left.y);
  Pump();
  EXPECT_EQ(GetCapture(), sb);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  Pump();
  tavo::test::MouseUp(0, left.x, left.y);
  Pump();
  ASSERT_GE(codes.size(), 3u);
  EXPECT_TRUE(std::all_of(codes.begin(), codes.end() - 1, [](int c) { return c == SB_LINELEFT; }));
  EXPECT_EQ(codes.back(), SB_ENDSCROLL);
  EXPECT_EQ(GetCapture(), 0u);
  g_handler = nullptr;
}

TEST_F(ControlsTest, DisableNoScrollDisablesInsteadOfHiding) {
  HWND sb = Make("SCROLLBAR", SBS_HORZ, 51, 10, 10, 200, 16);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, 4, 10, 3, 0};
  EXPECT_EQ(SetScrollInfo(sb, SB_CTL, &si, TRUE), 0);  // nothing to scroll: the position is held at 0
  EXPECT_TRUE(IsWindowVisible(sb));
  EXPECT_FALSE(IsWindowEnabled(sb));
  si.nMax = 40;
  SetScrollInfo(sb, SB_CTL, &si, TRUE);
  EXPECT_TRUE(IsWindowEnabled(sb));
  si.nMax = -1;  // an empty list: the range 0..-1
  SetScrollInfo(sb, SB_CTL, &si, TRUE);
  EXPECT_FALSE(IsWindowEnabled(sb));
  EXPECT_TRUE(IsWindowVisible(sb));

  // A window's own bar: hidden when nothing scrolls, unless asked to stay disabled.
  HWND w = Make("CtlParent", WS_VSCROLL, 52, 10, 50, 200, 100);
  SCROLLINFO none{sizeof none, SIF_RANGE | SIF_PAGE, 0, 4, 10, 0, 0};
  SetScrollInfo(w, SB_VERT, &none, TRUE);
  EXPECT_EQ(GetWindowLongA(w, GWL_STYLE) & WS_VSCROLL, 0);
  none.fMask |= SIF_DISABLENOSCROLL;
  SetScrollInfo(w, SB_VERT, &none, TRUE);
  EXPECT_NE(GetWindowLongA(w, GWL_STYLE) & WS_VSCROLL, 0);
  EXPECT_EQ(tavo::controls::StandardBarArrows(w, SB_VERT), (UINT)ESB_DISABLE_BOTH);
  SCROLLINFO back{sizeof back, SIF_ALL};
  ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &back));
  EXPECT_EQ(back.nMax, 4);
  EXPECT_EQ(back.nPage, 5u);  // a page never exceeds the range
  int lo = -1, hi = -1;
  EXPECT_TRUE(GetScrollRange(w, SB_HORZ, &lo, &hi));
  EXPECT_EQ(hi, 100);  // a window's bars start at 0..100
  EXPECT_FALSE(GetScrollInfo(w, 7, &back));
}

TEST_F(ControlsTest, WindowsOwnBarDrawsAndTracksItsThumb) {
  std::vector<Scroll> got;
  HWND w = 0;
  g_handler = [&](HWND h, UINT m, WPARAM wp, LPARAM, LRESULT *) {
    if (m == WM_VSCROLL && h == w) {
      SCROLLINFO si{sizeof si, SIF_TRACKPOS};
      GetScrollInfo(w, SB_VERT, &si);
      got.push_back({LOWORD(wp), HIWORD(wp), si.nTrackPos});
    }
    return false;
  };
  w = Make("CtlParent", WS_VSCROLL, 54, 10, 10, 200, 216);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 199999, 1000, 0, 0};
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  RECT r;
  EXPECT_FALSE(tavo::controls::StandardBarRect(w, SB_HORZ, &r));  // it has no horizontal bar
  ASSERT_TRUE(tavo::controls::StandardBarRect(w, SB_VERT, &r));
  EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVSCROLL));
  HDC dc = GetWindowDC(w);
  tavo::controls::PaintStandardBars(w, dc);
  EXPECT_EQ(tavo::test::SurfacePixel(dc, r.left + 3, r.top + 3), GetSysColor(COLOR_BTNFACE));  // the up arrow
  EXPECT_EQ(tavo::test::SurfacePixel(dc, r.left + 8, r.top + 120), GetSysColor(COLOR_SCROLLBAR));
  ReleaseDC(w, dc);

  RECT wr;
  GetWindowRect(w, &wr);
  int x = wr.left + r.left + 8, y = wr.top + r.top + 16 + 3;  // on the thumb, just below the up arrow
  // The press reaches the default procedure as WM_NCLBUTTONDOWN on the
  // bar, which tracks the thumb through the moves that follow.
  tavo::test::MouseDown(0, x, y);
  tavo::test::MouseMove(x, y + 80);
  tavo::test::MouseMove(x, y + 150);
  tavo::test::MouseUp(0, x, y + 150);
  Pump();
  EXPECT_EQ(GetCapture(), 0u);
  ASSERT_GE(got.size(), 4u);
  EXPECT_EQ(got[0].code, SB_THUMBTRACK);
  const Scroll &last = got[got.size() - 3];
  EXPECT_EQ(last.code, SB_THUMBTRACK);
  EXPECT_GT(last.track, 65535);
  EXPECT_EQ(last.pos16, last.track & 0xFFFF);
  EXPECT_EQ(got[got.size() - 2].code, SB_THUMBPOSITION);
  EXPECT_EQ(got.back().code, SB_ENDSCROLL);

  got.clear();
  int ay = wr.top + r.bottom - 8;  // the down arrow
  tavo::test::MouseDown(0, x, ay);
  tavo::test::MouseUp(0, x, ay);
  Pump();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].code, SB_LINEDOWN);
  EXPECT_EQ(got[1].code, SB_ENDSCROLL);
  g_handler = nullptr;
}

TEST_F(ControlsTest, ProgressBarMessages) {
  HWND p = Make(PROGRESS_CLASS, 0, 60, 10, 10, 200, 20);
  struct Step {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    LRESULT result;
    int posAfter;
  };
  const Step steps[] = {
      {PBM_SETRANGE32, 0, 100, MAKELONG(0, 100), 0},
      {PBM_SETSTEP, 10, 0, 10, 0},
      {PBM_STEPIT, 0, 0, 0, 10},
      {PBM_SETPOS, 95, 0, 10, 95},
      {PBM_STEPIT, 0, 0, 95, 5},  // past the end it starts over
      {PBM_DELTAPOS, 30, 0, 5, 35},
      {PBM_SETPOS, 500, 0, 35, 100},
      {PBM_SETRANGE, 0, MAKELPARAM(10, 20), MAKELONG(0, 100), 20},
      {WM_USER + 5, 0, 0, 20, 20},  // the number the plan load sends
  };
  for (const Step &s : steps) {
    EXPECT_EQ(SendMessageA(p, s.msg, s.wp, s.lp), s.result) << std::hex << s.msg;
    EXPECT_EQ(SendMessageA(p, PBM_GETPOS, 0, 0), s.posAfter) << std::hex << s.msg;
  }
  PBRANGE r{};
  EXPECT_EQ(SendMessageA(p, PBM_GETRANGE, TRUE, (LPARAM)&r), 10);
  EXPECT_EQ(r.iHigh, 20);
}

TEST_F(ControlsTest, ProgressBarPaintsAtOnceWhileItsThreadIsBusy) {
  HWND p = Make(PROGRESS_CLASS, PBS_SMOOTH, 61, 10, 10, 202, 20);
  Pump();
  COLORREF bar = GetSysColor(COLOR_HIGHLIGHT);
  SendMessageA(p, PBM_SETRANGE32, 0, 100);
  SendMessageA(p, PBM_SETPOS, 50, 0);
  // No message loop has run since: the bar must already be on the surface.
  EXPECT_EQ(tavo::test::WindowPixel(p, 40, 10), bar);
  EXPECT_NE(tavo::test::WindowPixel(p, 160, 10), bar);

  HWND m = Make(PROGRESS_CLASS, PBS_MARQUEE, 62, 10, 40, 202, 20);
  Pump();
  auto barPixels = [&] {
    std::vector<int> xs;
    for (int x = 0; x < 202; ++x)
      if (tavo::test::WindowPixel(m, x, 10) == bar) xs.push_back(x);
    return xs;
  };
  EXPECT_TRUE(barPixels().empty());
  EXPECT_TRUE(SendMessageA(m, PBM_SETMARQUEE, TRUE, 30));
  auto first = barPixels();
  EXPECT_FALSE(first.empty());
  std::this_thread::sleep_for(std::chrono::milliseconds(80));
  Pump();
  auto later = barPixels();
  EXPECT_FALSE(later.empty());
  EXPECT_NE(first, later);  // the timer moved it along
  SendMessageA(m, PBM_SETMARQUEE, FALSE, 0);
  EXPECT_TRUE(barPixels().empty());
}

TEST_F(ControlsTest, TrackbarZeroToTenByKeysAndDrag) {
  std::vector<std::pair<int, int>> got;  // code, position
  g_handler = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT *) {
    if (m == WM_HSCROLL) got.push_back({LOWORD(w), (int)SendMessageA(GetDlgItem(g_test->parent, 70), TBM_GETPOS, 0, 0)});
    return false;
  };
  HWND t = Make(TRACKBAR_CLASS, TBS_AUTOTICKS | TBS_HORZ, 70, 10, 10, 200, 30);
  SendMessageA(t, TBM_SETRANGE, TRUE, MAKELONG(0, 10));
  SendMessageA(t, TBM_SETPOS, TRUE, 4);
  EXPECT_EQ(SendMessageA(t, TBM_GETRANGEMIN, 0, 0), 0);
  EXPECT_EQ(SendMessageA(t, TBM_GETRANGEMAX, 0, 0), 10);
  EXPECT_EQ(SendMessageA(t, TBM_GETPOS, 0, 0), 4);
  SendMessageA(t, TBM_SETPOS, TRUE, 99);
  EXPECT_EQ(SendMessageA(t, TBM_GETPOS, 0, 0), 10);
  SendMessageA(t, TBM_SETPOS, TRUE, 4);
  SetFocus(t);
  PressKey(VK_RIGHT);
  PressKey(VK_END);
  PressKey(VK_HOME);
  Pump();
  std::vector<std::pair<int, int>> keys = {{TB_LINEDOWN, 5}, {TB_ENDTRACK, 5}, {TB_BOTTOM, 10},
                                           {TB_ENDTRACK, 10}, {TB_TOP, 0},      {TB_ENDTRACK, 0}};
  EXPECT_EQ(got, keys);
  got.clear();
  // Drag the thumb from 0 to the far end.
  RECT th{};
  SendMessageA(t, TBM_GETTHUMBRECT, 0, (LPARAM)&th);
  ASSERT_GT(th.right, th.left);
  POINT from = At(t, (th.left + th.right) / 2, (th.top + th.bottom) / 2), to = At(t, 195, (th.top + th.bottom) / 2);
  tavo::test::Drag(from.x, from.y, to.x, to.y, 4);
  Pump();
  EXPECT_EQ(SendMessageA(t, TBM_GETPOS, 0, 0), 10);
  ASSERT_GE(got.size(), 3u);
  EXPECT_EQ(got.front().first, TB_THUMBTRACK);
  EXPECT_EQ(got[got.size() - 2], std::make_pair((int)TB_THUMBPOSITION, 10));
  EXPECT_EQ(got.back().first, TB_ENDTRACK);
  g_handler = nullptr;
}

namespace {

// A 5-image strip of 16 x 16 images, 24 bits, each image one colour.
std::vector<uint8_t> StripDib() {
  const int w = 80, h = 16, stride = w * 3;
  std::vector<uint8_t> dib(sizeof(BITMAPINFOHEADER) + (size_t)stride * h);
  auto *bi = (BITMAPINFOHEADER *)dib.data();
  bi->biSize = sizeof(BITMAPINFOHEADER);
  bi->biWidth = w;
  bi->biHeight = h;
  bi->biPlanes = 1;
  bi->biBitCount = 24;
  const uint8_t colours[5][3] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {0, 255, 255}, {255, 0, 255}};  // B G R
  uint8_t *px = dib.data() + sizeof(BITMAPINFOHEADER);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < 3; ++c) px[(size_t)y * stride + x * 3 + c] = y == h - 1 ? 192 : colours[x / 16][c];
  return dib;
}

}  // namespace

TEST_F(ControlsTest, ToolbarInsertsPastTheEndClicksAndAsksForTipTexts) {
  static std::vector<uint8_t> dib = StripDib();
  tavo::res::RegisterBitmap("ctltest", 120, dib.data(), dib.size());
  HINSTANCE inst = (HINSTANCE)0x4242;
  tavo::res::BindModule("ctltest", inst);
  std::vector<UINT_PTR> asked;
  g_handler = [&](HWND, UINT m, WPARAM, LPARAM lp, LRESULT *) {
    if (m == WM_NOTIFY && ((NMHDR *)lp)->code == TTN_NEEDTEXTA) {
      auto *tt = (TOOLTIPTEXTA *)lp;
      asked.push_back(tt->hdr.idFrom);
      strcpy(tt->szText, "Gem skema");
    }
    return false;
  };
  HWND tb = CreateWindowExA(0, TOOLBARCLASSNAME, "", WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT, 0, 0, 0,
                            0, parent, (HMENU)1, inst, nullptr);
  ASSERT_NE(tb, 0u);
  SendMessageA(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(tb, TB_SETBITMAPSIZE, 0, MAKELONG(16, 16));
  SendMessageA(tb, TB_SETBUTTONSIZE, 0, MAKELONG(24, 24));
  TBADDBITMAP ab{inst, 120};
  EXPECT_EQ(SendMessageA(tb, TB_ADDBITMAP, 5, (LPARAM)&ab), 0);
  const TBBUTTON buttons[] = {
      {0, 301, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
      {2, 302, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
      {3, 303, 0, TBSTYLE_BUTTON, {}, 0, 0},
      {4, 304, TBSTATE_ENABLED, TBSTYLE_CHECK, {}, 0, 0},
  };
  for (const TBBUTTON &b : buttons) EXPECT_TRUE(SendMessageA(tb, TB_INSERTBUTTON, 99, (LPARAM)&b));
  EXPECT_EQ(SendMessageA(tb, TB_BUTTONCOUNT, 0, 0), 5);
  SendMessageA(tb, TB_AUTOSIZE, 0, 0);
  RECT pc, tr;
  GetClientRect(parent, &pc);
  GetWindowRect(tb, &tr);
  EXPECT_EQ(tr.right - tr.left, pc.right);  // docked at the top, full width
  POINT origin{0, 0};
  ClientToScreen(parent, &origin);
  EXPECT_EQ(tr.top, origin.y);
  Pump();

  RECT r2;
  ASSERT_TRUE(SendMessageA(tb, TB_GETITEMRECT, 2, (LPARAM)&r2));
  EXPECT_EQ(r2.left, 24 + 8);
  // A button size below the picture and its frame is raised to them.
  HWND lille = CreateToolbarEx(parent, WS_CHILD | TBSTYLE_TOOLTIPS, 2, 5, inst, 120, buttons, 1, 16, 16, 16, 16,
                               sizeof(TBBUTTON));
  ASSERT_NE(lille, 0u);
  RECT r0;
  ASSERT_TRUE(SendMessageA(lille, TB_GETITEMRECT, 0, (LPARAM)&r0));
  EXPECT_EQ(r0.right - r0.left, 16 + 7);
  EXPECT_EQ(r0.bottom - r0.top, 16 + 7);
  DestroyWindow(lille);
  EXPECT_EQ(tavo::test::WindowPixel(tb, (r2.left + r2.right) / 2, (r2.top + r2.bottom) / 2), RGB(0, 0, 255));  // image 2
  // The picture's silver top row became the button face it sits on.
  EXPECT_EQ(tavo::test::WindowPixel(tb, (r2.left + r2.right) / 2, r2.top + (r2.bottom - r2.top - 16) / 2),
            GetSysColor(COLOR_BTNFACE));

  // Clicks: the disabled one says nothing, the check button stays down.
  RECT r;
  for (int i : {2, 3, 4}) {
    SendMessageA(tb, TB_GETITEMRECT, i, (LPARAM)&r);
    POINT p = At(tb, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Click(p.x, p.y);
    Pump();
  }
  std::vector<int> ids;
  for (auto &h : heard)
    if (h.msg == WM_COMMAND && (HWND)h.lp == tb) ids.push_back(LOWORD(h.wp));
  EXPECT_EQ(ids, (std::vector<int>{302, 304}));
  EXPECT_TRUE(SendMessageA(tb, TB_ISBUTTONCHECKED, 304, 0));
  EXPECT_FALSE(SendMessageA(tb, TB_ISBUTTONENABLED, 303, 0));
  EXPECT_TRUE(SendMessageA(tb, TB_ENABLEBUTTON, 303, TRUE));
  EXPECT_EQ(SendMessageA(tb, TB_GETSTATE, 303, 0), TBSTATE_ENABLED);
  EXPECT_EQ(SendMessageA(tb, TB_GETSTATE, 999, 0), -1);

  // Resting on the first button asks the parent for its tip.
  SendMessageA(tb, TB_GETITEMRECT, 0, (LPARAM)&r);
  POINT p = At(tb, 10, 10);
  tavo::test::MouseMove(p.x - 1, p.y);
  tavo::test::MouseMove(p.x, p.y);
  Pump();
  std::this_thread::sleep_for(std::chrono::milliseconds(450));
  Pump();
  EXPECT_EQ(asked, std::vector<UINT_PTR>{301});
  HWND tip = (HWND)SendMessageA(tb, TB_GETTOOLTIPS, 0, 0);
  ASSERT_NE(tip, 0u);
  EXPECT_TRUE(IsWindowVisible(tip));
  char text[32] = {};
  GetWindowTextA(tip, text, sizeof text);
  EXPECT_STREQ(text, "Gem skema");

  EXPECT_TRUE(SendMessageA(tb, TB_DELETEBUTTON, 1, 0));
  EXPECT_FALSE(SendMessageA(tb, TB_DELETEBUTTON, 7, 0));
  EXPECT_EQ(SendMessageA(tb, TB_BUTTONCOUNT, 0, 0), 4);
  g_handler = nullptr;
}
