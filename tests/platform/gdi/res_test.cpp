// Compiled-in resources: bitmaps through FindResource/LoadBitmap, icons and
// cursors from text pixmaps and the system's own.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tavo/test_gdi.h"
#include "win/gdi.h"
#include "win/kerror.h"

namespace {

// A 2 x 2 picture of 4 bits per pixel: bottom row 1 2, top row 3 0.
std::vector<uint8_t> SmallDib() {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = 2;
  h.biHeight = 2;
  h.biPlanes = 1;
  h.biBitCount = 4;
  RGBQUAD t[16]{};
  t[1] = RGBQUAD{0, 0, 255, 0};
  t[2] = RGBQUAD{0, 255, 0, 0};
  t[3] = RGBQUAD{255, 0, 0, 0};
  uint8_t px[8] = {0x12, 0, 0, 0, 0x30, 0, 0, 0};
  std::vector<uint8_t> out(sizeof h + sizeof t + sizeof px);
  std::memcpy(out.data(), &h, sizeof h);
  std::memcpy(out.data() + sizeof h, t, sizeof t);
  std::memcpy(out.data() + sizeof h + sizeof t, px, sizeof px);
  return out;
}

TEST(Resources, BitmapsByNumberAndName) {
  static const std::vector<uint8_t> dib = SmallDib();
  tavo::res::RegisterBitmap("restest", 3117, dib.data(), dib.size());
  tavo::res::RegisterBitmap("restest", "Logo", dib.data(), dib.size());

  HRSRC r = FindResource(0, MAKEINTRESOURCE(3117), RT_BITMAP);
  ASSERT_NE(r, 0u);
  HGLOBAL g = LoadResource(0, r);
  EXPECT_EQ(LockResource(g), (const void *)dib.data());
  EXPECT_EQ(SizeofResource(0, r), dib.size());
  EXPECT_EQ(FindResource(0, MAKEINTRESOURCE(3117), RT_ICON), 0u);
  EXPECT_EQ(FindResource(0, "#3117", RT_BITMAP), r);

  for (HBITMAP bm : {LoadBitmap(0, MAKEINTRESOURCE(3117)), LoadBitmap(0, "LOGO")}) {
    ASSERT_NE(bm, 0u);
    BITMAP info{};
    GetObject(bm, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 2);
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ old = SelectObject(dc, bm);
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bm);
  }

  // An instance bound to another module does not see these.
  tavo::res::BindModule("someone-else", 0x7777);
  SetLastError(0);
  EXPECT_EQ(LoadBitmap(0x7777, MAKEINTRESOURCE(3117)), 0u);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_RESOURCE_NAME_NOT_FOUND);
  EXPECT_EQ(LoadBitmap(0, MAKEINTRESOURCE(3999)), 0u);
}

TEST(Resources, IconsAndCursors) {
  HICON err = LoadIcon(0, IDI_ERROR);
  EXPECT_NE(err, 0u);
  EXPECT_EQ(err, LoadIcon(0, IDI_HAND));
  for (LPCSTR id : {IDI_APPLICATION, IDI_WARNING, IDI_INFORMATION, IDI_QUESTION})
    EXPECT_NE(LoadIcon(0, id), 0u);
  HCURSOR arrow = LoadCursor(0, IDC_ARROW);
  EXPECT_NE(arrow, 0u);
  EXPECT_EQ(arrow, LoadCursor(0, IDC_ARROW));
  for (LPCSTR id : {IDC_IBEAM, IDC_WAIT, IDC_CROSS, IDC_NO, IDC_SIZEWE, IDC_SIZENS, IDC_SIZENWSE,
                    IDC_SIZENESW, IDC_SIZEALL, IDC_HAND}) {
    HCURSOR c = LoadCursor(0, id);
    EXPECT_NE(c, 0u);
    EXPECT_NE(c, arrow) << (uintptr_t)id;
  }

  HDC dc = CreateCompatibleDC(0);
  HBITMAP bm = CreateCompatibleBitmap(dc, 80, 80);
  HGDIOBJ old = SelectObject(dc, bm);
  RECT all{0, 0, 80, 80};
  FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
  // The error icon drawn 64 x 64: red in the middle, the corners untouched.
  EXPECT_TRUE(DrawIconEx(dc, 10, 10, err, 64, 64, 0, 0, DI_NORMAL));
  EXPECT_EQ(GetPixel(dc, 10 + 16, 10 + 16), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 11, 11), RGB(255, 255, 255));

  // A program icon from its text pixmap, drawn at the standard 32 x 32.
  static const char *const rows[] = {"KKKK", "K..K", "K..K", "KKKK"};
  tavo::res::RegisterIcon("restest", 3104, rows, 4);
  HICON own = LoadIcon(0, MAKEINTRESOURCE(3104));
  ASSERT_NE(own, 0u);
  FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(DrawIcon(dc, 0, 0, own));
  EXPECT_EQ(GetPixel(dc, 3, 3), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 16, 16), RGB(255, 255, 255));  // transparent
  EXPECT_EQ(GetPixel(dc, 31, 31), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 32, 32), RGB(255, 255, 255));
  EXPECT_TRUE(DestroyIcon(own));
  EXPECT_EQ(LoadIcon(0, MAKEINTRESOURCE(3104)), own);
  // Icons named by a string are found by that name, in any case.
  tavo::res::RegisterIcon("restest", "IDI_RESTEST", rows, 4);
  HICON navngivet = LoadIcon(0, "idi_restest");
  ASSERT_NE(navngivet, 0u);
  EXPECT_NE(navngivet, own);
  EXPECT_EQ(LoadIcon(0, "IDI_UKENDT"), 0u);

  SelectObject(dc, old);
  DeleteObject(bm);
  DeleteDC(dc);
}

}  // namespace
