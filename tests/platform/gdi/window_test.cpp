// Drawing on windows: visible regions, own DCs, BeginPaint's clip, and the
// window snapshots.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "tavo/test_gdi.h"
#include "win/gdi.h"
#include "win/user.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

const char *Class(UINT style) {
  static char name[32];
  std::snprintf(name, sizeof name, "GdiTest%u", style);
  WNDCLASSA wc{};
  wc.style = style;
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = name;
  RegisterClassA(&wc);  // a second registration fails harmlessly
  return name;
}

HWND Top(UINT class_style = 0, DWORD style = 0) {
  return CreateWindowExA(0, Class(class_style), "", WS_POPUP | WS_VISIBLE | style, 100, 100, 200,
                         100, 0, 0, 0, nullptr);
}

HWND Child(HWND parent, int x, int y, int w, int h, DWORD style = 0, UINT class_style = 0) {
  return CreateWindowExA(0, Class(class_style), "", WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                         parent, 0, 0, nullptr);
}

void Fill(HWND hwnd, COLORREF c) {
  HDC dc = GetDC(hwnd);
  HBRUSH b = CreateSolidBrush(c);
  RECT r{0, 0, 1000, 1000};
  FillRect(dc, &r, b);
  DeleteObject(b);
  ReleaseDC(hwnd, dc);
}

TEST(Windows, SiblingsAboveAndChildrenAreCutOut) {
  struct Case {
    DWORD lower_style;
    bool covers_upper;
  } cases[] = {{WS_CLIPSIBLINGS, false}, {0, true}};
  for (const Case &k : cases) {
    HWND top = Top();
    HWND upper = Child(top, 50, 0, 100, 50, WS_CLIPSIBLINGS);  // made first: above
    HWND lower = Child(top, 0, 0, 100, 50, k.lower_style);
    Fill(top, RGB(255, 255, 255));
    Fill(upper, RGB(0, 0, 255));
    Fill(lower, kBlack);
    EXPECT_EQ(tavo::test::WindowPixel(top, 25, 10), kBlack);
    EXPECT_EQ(tavo::test::WindowPixel(top, 75, 10) == kBlack, k.covers_upper);
    EXPECT_EQ(tavo::test::WindowPixel(top, 25, 60), RGB(255, 255, 255));  // outside the child
    DestroyWindow(top);
  }

  // WS_CLIPCHILDREN keeps the parent's painting off its children.
  HWND top = Top(0, WS_CLIPCHILDREN);
  HWND child = Child(top, 10, 10, 20, 20);
  Fill(child, RGB(0, 255, 0));
  Fill(top, kBlack);
  EXPECT_EQ(tavo::test::WindowPixel(top, 15, 15), RGB(0, 255, 0));
  EXPECT_EQ(tavo::test::WindowPixel(top, 5, 5), kBlack);
  EXPECT_EQ(tavo::test::WindowPixel(child, 0, 0), RGB(0, 255, 0));
  // A hidden window draws nothing.
  ShowWindow(child, SW_HIDE);
  Fill(child, RGB(255, 0, 0));
  EXPECT_EQ(tavo::test::WindowPixel(top, 15, 15), RGB(0, 255, 0));
  DestroyWindow(top);
}

// A child painting itself in the colour kept with it.
LRESULT CALLBACK FarveProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m != WM_PAINT) return DefWindowProcA(h, m, w, l);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(h, GWLP_USERDATA)));
  RECT r{0, 0, 1000, 1000};
  FillRect(dc, &r, b);
  DeleteObject(b);
  EndPaint(h, &ps);
  return 0;
}

// Siblings share their parent's surface: a child raised over another gets
// painted again, so what the other drew over it goes; one that was already
// on top is not.
TEST(Windows, ARaisedChildPaintsOverTheSiblingThatCoveredIt) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = FarveProc;
  wc.lpszClassName = "GdiFarve";
  RegisterClassA(&wc);
  HWND top = Top(0, WS_CLIPCHILDREN);
  auto barn = [&](int x, COLORREF c) {
    HWND h = CreateWindowExA(0, "GdiFarve", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, 0, 100, 50, top, 0, 0,
                             nullptr);
    SetWindowLongPtrA(h, GWLP_USERDATA, static_cast<LONG_PTR>(c));
    return h;
  };
  HWND blaa = barn(0, RGB(0, 0, 255));  // made first: above
  HWND groen = barn(50, RGB(0, 255, 0));
  auto pump = [] {
    MSG msg;
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  };
  pump();
  EXPECT_EQ(tavo::test::WindowPixel(top, 75, 10), RGB(0, 0, 255));
  SetWindowPos(groen, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  pump();
  EXPECT_EQ(tavo::test::WindowPixel(top, 75, 10), RGB(0, 255, 0));
  EXPECT_EQ(tavo::test::WindowPixel(top, 25, 10), RGB(0, 0, 255));
  RECT r{};
  SetWindowPos(groen, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_FALSE(GetUpdateRect(groen, &r, FALSE)) << "already on top: nothing to paint";
  BringWindowToTop(blaa);
  EXPECT_TRUE(GetUpdateRect(blaa, &r, FALSE));
  pump();
  EXPECT_EQ(tavo::test::WindowPixel(top, 75, 10), RGB(0, 0, 255));
  DestroyWindow(top);
}

// A child window with a caption (a window standing on a desktop window)
// gets its frame and caption painted as a top-level one does, inactive; a
// child without a caption keeps what its parent drew under its border.
TEST(Windows, ACaptionedChildGetsItsFrameAndCaptionPainted) {
  HWND top = Top(0, WS_CLIPCHILDREN);
  MoveWindow(top, 100, 100, 400, 200, FALSE);
  Fill(top, kBlack);
  const int ramme = GetSystemMetrics(SM_CXFRAME), titel = GetSystemMetrics(SM_CYCAPTION);
  tavo::test::ClearDrawnTexts();
  HWND medTitel = CreateWindowExA(0, Class(0), "Kalender", WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                  WS_THICKFRAME, 10, 10, 150, 100, top, 0, 0, nullptr);
  HWND kant = Child(top, 200, 10, 150, 100, WS_BORDER);
  const COLORREF inaktiv = GetSysColor(COLOR_INACTIVECAPTION), flade = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(tavo::test::WindowPixel(top, 10 + ramme + 20, 10 + ramme + titel / 2), inaktiv);
  EXPECT_EQ(tavo::test::WindowPixel(top, 10 + 2, 10 + 50), flade);  // the sizing frame
  EXPECT_EQ(tavo::test::WindowPixel(top, 200, 10 + 50), kBlack);   // a plain border is left alone
  bool titelTegnet = false;
  for (const auto &t : tavo::test::DrawnTexts()) titelTegnet |= t.hwnd == medTitel && t.text == "Kalender";
  EXPECT_TRUE(titelTegnet);
  // A new title is painted at once.
  tavo::test::ClearDrawnTexts();
  SetWindowTextA(medTitel, "Ny titel");
  titelTegnet = false;
  for (const auto &t : tavo::test::DrawnTexts()) titelTegnet |= t.hwnd == medTitel && t.text == "Ny titel";
  EXPECT_TRUE(titelTegnet);
  DestroyWindow(kant);
  DestroyWindow(top);
}

TEST(Windows, OwnDCKeepsItsStateAndCommonDCsStartAfresh) {
  HWND own = Top(CS_OWNDC);
  HDC a = GetDC(own);
  HFONT f = CreateFont(-10, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  SelectObject(a, f);
  SetTextColor(a, RGB(1, 2, 3));
  SetBkMode(a, TRANSPARENT);
  ReleaseDC(own, a);
  HDC b = GetDC(own);
  EXPECT_EQ(a, b);
  EXPECT_EQ(GetCurrentObject(b, OBJ_FONT), f);
  EXPECT_EQ(GetTextColor(b), RGB(1, 2, 3));
  EXPECT_EQ(GetBkMode(b), TRANSPARENT);
  EXPECT_EQ(WindowFromDC(b), own);
  // BeginPaint hands out the same DC.
  PAINTSTRUCT ps;
  EXPECT_EQ(BeginPaint(own, &ps), a);
  EndPaint(own, &ps);
  EXPECT_EQ(GetTextColor(a), RGB(1, 2, 3));
  DestroyWindow(own);
  DeleteObject(f);

  HWND common = Top();
  HDC c = GetDC(common);
  SetTextColor(c, RGB(1, 2, 3));
  ReleaseDC(common, c);
  HDC d = GetDC(common);
  EXPECT_EQ(GetTextColor(d), kBlack);
  ReleaseDC(common, d);
  DestroyWindow(common);
}

TEST(Windows, BeginPaintClipsToTheUpdateRegion) {
  HWND w = Top();
  Fill(w, RGB(255, 255, 255));
  ValidateRect(w, nullptr);
  RECT inv{10, 10, 20, 20};
  InvalidateRect(w, &inv, FALSE);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  ASSERT_NE(dc, 0u);
  EXPECT_EQ(ps.rcPaint.left, 10);
  EXPECT_EQ(ps.rcPaint.bottom, 20);
  RECT all{0, 0, 200, 100};
  FillRect(dc, &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
  EndPaint(w, &ps);
  EXPECT_EQ(tavo::test::WindowPixel(w, 10, 10), kBlack);
  EXPECT_EQ(tavo::test::WindowPixel(w, 19, 19), kBlack);
  EXPECT_EQ(tavo::test::WindowPixel(w, 20, 20), RGB(255, 255, 255));
  EXPECT_EQ(tavo::test::WindowPixel(w, 5, 5), RGB(255, 255, 255));
  RECT upd;
  EXPECT_FALSE(GetUpdateRect(w, &upd, FALSE));  // validated

  // Sent WM_PAINT with nothing invalid still paints the whole client area.
  dc = BeginPaint(w, &ps);
  EXPECT_EQ(ps.rcPaint.right, 200);
  FillRect(dc, &all, (HBRUSH)GetStockObject(GRAY_BRUSH));
  EndPaint(w, &ps);
  EXPECT_EQ(tavo::test::WindowPixel(w, 5, 5), RGB(128, 128, 128));
  DestroyWindow(w);
}

TEST(Windows, SnapshotsAndScreenDC) {
  HWND w = Top();
  Fill(w, RGB(0, 0, 255));
  std::string path = std::string(TAVO_BINARY_DIR) + "/gdi_window.png";
  std::string screen = std::string(TAVO_BINARY_DIR) + "/gdi_screen.png";
  EXPECT_TRUE(tavo::test::SaveWindowPng(w, path.c_str()));
  EXPECT_TRUE(tavo::test::SaveScreenPng(screen.c_str()));
  std::FILE *f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_EQ(tavo::test::WindowPixel(w, 200, 0), CLR_INVALID);
  DestroyWindow(w);
  EXPECT_EQ(tavo::test::WindowPixel(w, 0, 0), CLR_INVALID);
  EXPECT_EQ(GetDC(w), 0u);

  // The screen DC measures text.
  HDC dc = GetDC(0);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE sz;
  EXPECT_TRUE(GetTextExtentPoint32(dc, "Tavo", 4, &sz));
  EXPECT_GT(sz.cx, 10);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
  ReleaseDC(0, dc);
}

}  // namespace

namespace {
// These tests draw in memory whatever display the machine has.
const int kHeadless = setenv("TAVO_DISPLAY", "headless", 1);
}  // namespace

namespace {

// A worker paints on a window's own DC while the main thread paints on the
// same window and measures text: every call takes the layer's lock, so both
// finish and the pixels are one painter's or the other's.
TEST(Windows, WorkerPaintsOnTheOwnDCWhileTheMainThreadPaints) {
  HWND w = Top(CS_OWNDC);
  HDC own = GetDC(w);
  HFONT f = CreateFont(-11, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  SelectObject(own, f);
  std::thread worker([own] {
    HBRUSH b = CreateSolidBrush(RGB(0, 0, 255));
    for (int i = 0; i < 200; ++i) {
      RECT r{100, 0, 200, 50};
      FillRect(own, &r, b);
      TextOut(own, 100, 0, "Sum 12", 6);
    }
    DeleteObject(b);
  });
  HDC mem = CreateCompatibleDC(0);
  SelectObject(mem, f);
  for (int i = 0; i < 200; ++i) {
    RECT r{0, 0, 100, 50};
    FillRect(own, &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SIZE sz;
    GetTextExtentPoint32(mem, "Plan", 4, &sz);
    TextOut(own, 0, 0, "Plan", 4);
  }
  worker.join();
  EXPECT_EQ(tavo::test::WindowPixel(w, 199, 49), RGB(0, 0, 255));
  EXPECT_EQ(tavo::test::WindowPixel(w, 99, 49), RGB(255, 255, 255));
  DeleteDC(mem);
  DestroyWindow(w);
  DeleteObject(f);
}

}  // namespace
