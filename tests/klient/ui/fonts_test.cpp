#include <gtest/gtest.h>

#include <string>

#include "FONTE.h"
#include "palette_fixture.h"

namespace {

namespace fs = ui_test::fs;

const char *const kFiler[] = {"Elv11x11.ttf", "Tvo9x6.ttf",   "Tvo11x8Txt.ttf", "Tvo11x8Tgn.ttf",
                              "Blk14x12.ttf", "Blk11x14.ttf", "BS11x3.ttf"};

class Fonts : public ui_test::DataMappe {
 protected:
  void KopierFonte(bool medElev) {
    for (const char *f : kFiler) {
      if (!medElev && std::string(f) == "Elv11x11.ttf") continue;
      fs::copy_file(fs::path(TAVO_BINARY_DIR) / "fonts" / f, mappe_ / "ini" / f,
                    fs::copy_options::overwrite_existing);
    }
  }
  void TearDown() override {
    UnloadFonts();
    DataMappe::TearDown();
  }
};

// What a font draws with: the name only tells what was asked for, so the
// cell says whether the program's own bitmap face was found (every glyph
// the same width, the cell's height) or a proportional substitute.
struct Celle {
  int hoejde, bredde;
  bool fast;
};

Celle Maal(HFONT font) {
  HDC dc = CreateCompatibleDC(0);
  HGDIOBJ gammel = SelectObject(dc, font);
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  SIZE smal = {}, bred = {};
  GetTextExtentPoint32A(dc, "iiii", 4, &smal);
  GetTextExtentPoint32A(dc, "WWWW", 4, &bred);
  SelectObject(dc, gammel);
  DeleteDC(dc);
  return {static_cast<int>(tm.tmHeight), static_cast<int>(bred.cx / 4), smal.cx == bred.cx};
}

TEST_F(Fonts, EachProgramFontLoadsByItsName) {
  KopierFonte(true);
  LoadFonts(0);
  const struct {
    HFONT font;
    const char *navn;
    int hoejde, bredde;  // 0: not checked
  } fonte[] = {
      {TxtFont, "TxtFont", 11, 8},      {TxtFontFed, "TxtFontFed", 11, 0},
      {TgnFont, "TgnFont", 11, 8},      {BlkFontStor, "BlkFontStor", 14, 12},
      {BlkFontLille, "BlkFontLille", 11, 14}, {ElevFont, "ElevFont", 11, 11},
      {BSFont, "BSFont", 11, 3},
  };
  for (const auto &f : fonte) {
    ASSERT_NE(f.font, 0u) << f.navn;
    const Celle c = Maal(f.font);
    EXPECT_TRUE(c.fast) << f.navn << " is not the program's own face";
    EXPECT_EQ(c.hoejde, f.hoejde) << f.navn;
    if (f.bredde) {
      EXPECT_EQ(c.bredde, f.bredde) << f.navn;
    }
  }
  // The shared small font is added too, though the program makes no font of it.
  HFONT lille = CreateFontA(9, 6, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tvo9x6");
  EXPECT_TRUE(Maal(lille).fast);
  EXPECT_EQ(Maal(lille).bredde, 6);
  DeleteObject(lille);

  EXPECT_NE(TxtFontLodret, 0u);
  EXPECT_NE(SansFont, 0u);
  EXPECT_NE(SansFontFed, 0u);
  EXPECT_NE(TitelFontLodret, 0u);
  EXPECT_EQ(StdFont, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  EXPECT_GT(StdFontHoejde, 0);
  EXPECT_GT(StdFontBredde, 0);
  EXPECT_EQ(TitelBaand, TitelBaandFraHoejde(StdFontHoejde));

  UnloadFonts();
  EXPECT_EQ(TxtFont, 0u);
  HFONT igen = CreateFontA(11, 8, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tvo11x8Txt");
  EXPECT_FALSE(Maal(igen).fast) << "the font file stays added";
  DeleteObject(igen);
}

TEST_F(Fonts, StudentFontOnlyWithItsFile) {
  KopierFonte(false);
  LoadFonts(0);
  EXPECT_EQ(ElevFont, 0u);
  EXPECT_TRUE(Maal(TxtFont).fast);
}

TEST_F(Fonts, MissingFilesArePassedOver) {
  LoadFonts(0);
  ASSERT_NE(TxtFont, 0u);
  EXPECT_FALSE(Maal(TxtFont).fast);
  EXPECT_EQ(ElevFont, 0u);
}

TEST(FontBand, TitleBandIsEven) {
  const int baand[][2] = {{13, 14}, {14, 16}, {11, 12}, {16, 18}, {15, 16}};
  for (const auto &b : baand) EXPECT_EQ(TitelBaandFraHoejde(b[0]), b[1]) << b[0];
}

}  // namespace
