// The program's bitmap fonts, read back through FreeType as the drawing
// layer reads them: family names, cell sizes, byte-for-byte glyph mapping
// and the symbol glyphs at the byte codes the programs draw.

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct FontSpec {
  const char *file;
  const char *family;
  int width;
  int height;
  std::vector<int> symbols;  // codes that must show a drawn symbol
};

std::vector<int> Range(int from, int to) {
  std::vector<int> v;
  for (int c = from; c <= to; ++c) v.push_back(c);
  return v;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> v;
  for (const auto &p : parts) v.insert(v.end(), p.begin(), p.end());
  return v;
}

// Lesson-mode tile codes: shapes by lesson and by time, the time shapes
// again for events without a lesson (+56), each with the lane and overlap
// variants (+1, +2), the day strip's free segment, and all with the flag
// (+128).
std::vector<int> LessonTileCodes() {
  std::vector<int> v;
  for (int base : {36, 75, 84})
    for (int k = 0; k < 3; ++k) v.push_back(base + k);
  for (int base : {40, 44, 48, 52, 56, 60, 64, 68})
    for (int cls : {0, 56})
      for (int k = 0; k < 3; ++k) v.push_back(base + cls + k);
  v.push_back('_');
  const size_t n = v.size();
  for (size_t i = 0; i < n; ++i) v.push_back(v[i] + 128);
  return v;
}

std::vector<int> TimeTileCodes() {
  std::vector<int> v = {'!', 254};
  for (int c : std::initializer_list<int>{'@', '%', '&', '#', '5', '3', '$', '6', '4'}) {
    v.push_back(c);
    v.push_back(c + 64);  // with a remark
  }
  return v;
}

const std::vector<FontSpec> &Fonts() {
  static const std::vector<FontSpec> fonts = {
      {"Tvo11x8Txt.ttf", "Tvo11x8Txt", 8, 11, {131, 132, 147, 148, 224, 225, 226, 227, 251}},
      {"Tvo11x8Tgn.ttf", "Tvo11x8Tgn", 8, 11,
       Join({Range(33, 42), {51, 52, 53, 54, ':', ';', '=', 0x82, 0x83, 0x84, 176, 177, 178, 187}})},
      {"Elv11x11.ttf", "Elv11x11", 11, 11, Range(33, 47)},
      {"Blk14x12.ttf", "Blk14x12", 12, 14, LessonTileCodes()},
      {"Blk11x14.ttf", "Blk11x14", 14, 11, LessonTileCodes()},
      {"BS11x3.ttf", "TavoFont BS11x3", 3, 11, TimeTileCodes()},
      {"Tvo9x6.ttf", "Tvo9x6", 6, 9, {}},
  };
  return fonts;
}

// A glyph as rendered: the ink pixels, cropped to their bounding box.
using Ink = std::vector<std::string>;

class FontFile {
 public:
  explicit FontFile(const std::string &file) {
    if (FT_Init_FreeType(&lib_) != 0) return;
    const std::string path = std::string(TAVO_BINARY_DIR) + "/fonts/" + file;
    if (FT_New_Face(lib_, path.c_str(), 0, &face_) != 0) face_ = nullptr;
  }
  ~FontFile() {
    if (face_) FT_Done_Face(face_);
    if (lib_) FT_Done_FreeType(lib_);
  }
  FontFile(const FontFile &) = delete;
  FontFile &operator=(const FontFile &) = delete;

  FT_Face face() const { return face_; }

  // Renders byte `code`; returns false when the byte has no glyph.
  bool Render(int code, Ink *ink, int *advance) const {
    const FT_UInt index = FT_Get_Char_Index(face_, static_cast<FT_ULong>(code));
    if (index == 0) return false;
    if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return false;
    const FT_GlyphSlot slot = face_->glyph;
    *advance = static_cast<int>(slot->advance.x >> 6);
    const FT_Bitmap &bm = slot->bitmap;
    std::vector<std::string> rows;
    for (unsigned y = 0; y < bm.rows; ++y) {
      std::string row;
      const unsigned char *line = bm.buffer + static_cast<long>(y) * bm.pitch;
      for (unsigned x = 0; x < bm.width; ++x) {
        bool on = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (line[x / 8] & (0x80 >> (x % 8))) != 0
                                                       : line[x] >= 128;
        row += on ? '#' : '.';
      }
      rows.push_back(row);
    }
    *ink = Crop(rows);
    return true;
  }

 private:
  static Ink Crop(const std::vector<std::string> &rows) {
    int top = -1, bottom = -1, left = 1 << 30, right = -1;
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
      const auto first = rows[y].find('#');
      if (first == std::string::npos) continue;
      if (top < 0) top = y;
      bottom = y;
      left = std::min(left, static_cast<int>(first));
      right = std::max(right, static_cast<int>(rows[y].rfind('#')));
    }
    Ink ink;
    for (int y = top; top >= 0 && y <= bottom; ++y) ink.push_back(rows[y].substr(left, right - left + 1));
    return ink;
  }

  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
};

// Loads a font, checks what FreeType reports about it and renders every
// byte 32..255.
struct LoadedFont {
  std::map<int, Ink> glyphs;
};

void LoadAndCheck(const FontSpec &spec, LoadedFont *out) {
  SCOPED_TRACE(spec.file);
  FontFile font(spec.file);
  FT_Face face = font.face();
  ASSERT_NE(face, nullptr) << "FreeType cannot open the file";
  ASSERT_NE(face->family_name, nullptr);
  EXPECT_STREQ(face->family_name, spec.family);
  EXPECT_TRUE(FT_IS_FIXED_WIDTH(face));
  ASSERT_EQ(face->num_fixed_sizes, 1);
  EXPECT_EQ(face->available_sizes[0].height, spec.height);
  EXPECT_EQ(face->available_sizes[0].width, spec.width);
  EXPECT_EQ(face->available_sizes[0].y_ppem >> 6, spec.height);
  ASSERT_EQ(FT_Select_Size(face, 0), 0);
  ASSERT_EQ(FT_Select_Charmap(face, FT_ENCODING_UNICODE), 0);
  EXPECT_EQ(face->size->metrics.ascender - face->size->metrics.descender, spec.height * 64);

  std::set<FT_UInt> indexes;
  for (int code = 32; code <= 255; ++code) {
    SCOPED_TRACE(code);
    indexes.insert(FT_Get_Char_Index(face, static_cast<FT_ULong>(code)));
    Ink ink;
    int advance = 0;
    ASSERT_TRUE(font.Render(code, &ink, &advance));
    EXPECT_EQ(advance, spec.width) << "every byte must fill exactly one cell";
    ASSERT_LE(ink.empty() ? 0 : static_cast<int>(ink.size()), spec.height);
    out->glyphs[code] = ink;
  }
  EXPECT_EQ(indexes.size(), 224u) << "each byte must have a glyph of its own";
}

// Every font, loaded once per test process; loading checks what FreeType
// reports, so any test that uses a font also fails when the font is wrong.
const std::map<std::string, LoadedFont> &AllFonts() {
  static std::map<std::string, LoadedFont> *all = [] {
    auto *m = new std::map<std::string, LoadedFont>;
    for (const auto &spec : Fonts()) LoadAndCheck(spec, &(*m)[spec.file]);
    return m;
  }();
  return *all;
}

const Ink &Glyph(const char *file, int code) { return AllFonts().at(file).glyphs.at(code); }

TEST(FontsTest, EveryFontLoadsWithItsFaceNameCellAndByteMapping) {
  for (const auto &spec : Fonts()) {
    LoadedFont font;
    LoadAndCheck(spec, &font);
    EXPECT_EQ(font.glyphs.size(), 224u) << spec.file;
  }
}

TEST(FontsTest, TextFontsHoldTheWindows1252Letters) {
  // Bytes 0x80..0x9F are letters in Windows-1252 (control codes in
  // Latin-1): the euro sign, S with caron, oe; and the Danish letters.
  for (const char *file : {"Tvo11x8Txt.ttf", "Tvo9x6.ttf", "Elv11x11.ttf"}) {
    SCOPED_TRACE(file);
    for (int code : std::initializer_list<int>{0x80, 0x8A, 0x9C, 0xC6, 0xD8, 0xC5, 0xE6, 0xF8, 0xE5, 'A', 'z', '0'})
      EXPECT_FALSE(Glyph(file, code).empty()) << code;
    EXPECT_TRUE(Glyph(file, ' ').empty());
    EXPECT_NE(Glyph(file, 0xC6), Glyph(file, 0xE6));
    EXPECT_NE(Glyph(file, 0xD8), Glyph(file, '0'));
  }
}

TEST(FontsTest, SymbolCodesShowDrawnGlyphsNotLetters) {
  for (const auto &spec : Fonts()) {
    SCOPED_TRACE(spec.file);
    // The plain letter at the same byte: the student font and the grid text
    // font take their letters from the same source and have no symbols in
    // common, so one of them shows the letter.
    std::map<Ink, int> seen;
    for (int code : spec.symbols) {
      SCOPED_TRACE(code);
      const Ink &ink = Glyph(spec.file, code);
      EXPECT_FALSE(ink.empty());
      const char *letters = code >= 33 && code <= 47 ? "Tvo11x8Txt.ttf" : "Elv11x11.ttf";
      EXPECT_NE(ink, Glyph(letters, code));
      // Every code stands for a different state, so no two may look alike.
      const auto [it, fresh] = seen.emplace(ink, code);
      EXPECT_TRUE(fresh) << "looks like code " << it->second;
    }
  }
}

}  // namespace
