#pragma once
// A realised font: one FreeType face at one size, with its metrics and the
// glyph bitmaps of the 256 byte values, made on first use.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <string>
#include <vector>

#include "gdiint.h"

namespace tavo::gdi {

// How a byte of text finds its glyph.
enum class CharMode {
  Ansi,    // Windows-1252 -> Unicode
  Oem,     // code page 850 -> Unicode
  Symbol,  // the symbol range of the face
  Bytes,   // a face the program added: the byte is the glyph's code
};

struct Glyph {
  bool done = false;
  int w = 0, h = 0, left = 0, top = 0, advance = 0;
  std::vector<uint8_t> bits;  // w x h, 1 = ink
};

struct FontInst {
  ~FontInst();
  FT_Face face = nullptr;
  CharMode mode = CharMode::Ansi;
  bool scalable = true, unicode_map = true, fake_bold = false, fixed_pitch = false;
  bool underline = false, strike = false, italic = false;
  int escapement = 0;  // 0, 900, 1800 or 2700
  int weight = FW_NORMAL;
  BYTE charset = 0;
  int height = 0, ascent = 0, descent = 0, internal_leading = 0, external_leading = 0;
  int ave_width = 0, max_width = 0;
  int ul_pos = 1, ul_thick = 1;  // underline below the baseline
  std::string face_name;         // the face actually used (Windows-1252)
  Glyph glyphs[256];

  const Glyph &Get(unsigned char b);
  int Width(const unsigned char *s, int n);
};

std::shared_ptr<FontInst> DCFont(DCObj &dc);
char32_t Cp850ToUnicode(unsigned char c);

}  // namespace tavo::gdi
