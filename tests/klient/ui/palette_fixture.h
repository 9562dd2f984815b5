#pragma once
// A data folder of its own (with an ini folder) for each test, and a
// 32-bit memory DC to read back what was painted.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "STITAB.h"
#include "../datamappe.h"
#include "windows.h"

namespace ui_test {

namespace fs = std::filesystem;

class DataMappe : public ::testing::Test {
 protected:
  void SetUp() override {
    mappe_ = fs::temp_directory_path() /
             ("klient_ui_" + std::to_string(::getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(mappe_);
    fs::create_directories(mappe_ / "ini");
    fs::create_directories(mappe_ / "log");
    std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", DataMappeNavn(mappe_).c_str());
    InitStiTab();
  }
  void TearDown() override { fs::remove_all(mappe_); }

  void SkrivIni(const char *navn, const std::string &indhold) {
    std::ofstream f(mappe_ / "ini" / navn, std::ios::binary);
    f << indhold;
  }

  fs::path mappe_;
};

// A memory DC with a w x h 32-bit bitmap in one colour (white unless given).
struct MemDC {
  MemDC(int w, int h, COLORREF grund = RGB(255, 255, 255)) {
    dc = CreateCompatibleDC(0);
    bmp = CreateBitmap(w, h, 1, 32, nullptr);
    gammel = SelectObject(dc, bmp);
    const RECT rc = {0, 0, w, h};
    HBRUSH b = CreateSolidBrush(grund);
    FillRect(dc, &rc, b);
    DeleteObject(b);
  }
  ~MemDC() {
    SelectObject(dc, gammel);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  COLORREF Px(int x, int y) const { return GetPixel(dc, x, y); }
  HDC dc;
  HBITMAP bmp;
  HGDIOBJ gammel;
};

}  // namespace ui_test
