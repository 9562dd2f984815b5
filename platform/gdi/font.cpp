// Fonts and text: faces found through fontconfig (system names mapped to
// the metric-compatible Liberation fonts) or added from font files with
// AddFontResource, glyphs rendered by FreeType without antialiasing and
// cached per font and byte, text drawn bit by bit onto the surface.

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_ADVANCES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

#include "fontint.h"
#include "pathmap.h"
#include "tavo/cp1252.h"
#include "win/kerror.h"

namespace tavo::gdi {

namespace {

const char16_t kCp850High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8,
    0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2,
    0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1,
    0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD,
    0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2,
    0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534,
    0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560,
    0x2550, 0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4,
    0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD,
    0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8, 0x00B0,
    0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

// System face names and the installed faces that stand in for them.
struct Alias {
  const char *name, *family;
  bool oem;
};
const Alias kAliases[] = {
    {"arial", "Liberation Sans", false},
    {"ms sans serif", "Liberation Sans", false},
    {"microsoft sans serif", "Liberation Sans", false},
    {"ms shell dlg", "Liberation Sans", false},
    {"ms shell dlg 2", "Liberation Sans", false},
    {"tahoma", "Liberation Sans", false},
    {"verdana", "Liberation Sans", false},
    {"system", "Liberation Sans", false},
    {"helv", "Liberation Sans", false},
    {"courier new", "Liberation Mono", false},
    {"courier", "Liberation Mono", false},
    {"lucida console", "Liberation Mono", false},
    {"fixedsys", "Liberation Mono", false},
    {"terminal", "Liberation Mono", true},
    {"times new roman", "Liberation Serif", false},
    {"times", "Liberation Serif", false},
    {"ms serif", "Liberation Serif", false},
};

std::string Lower(const char *s) {
  std::string out;
  for (; s && *s; ++s) out += (char)Cp1252Lower((unsigned char)*s);
  return out;
}

struct AddedFace {
  std::string file;  // Linux path
  int index = 0;
  std::string family;  // lower case, Windows-1252
  bool bold = false, italic = false;
  bool priv = false;
  int refs = 1;
};

struct FontState {
  FT_Library ft = nullptr;
  bool fc_ok = false;
  std::vector<AddedFace> added;
  std::map<std::string, std::weak_ptr<FontInst>> insts;
  std::map<std::string, std::pair<std::string, int>> fc_cache;
  std::map<int, HFONT> stock;
};

FontState &F() {
  static FontState *s = [] {
    auto *st = new FontState;
    FT_Init_FreeType(&st->ft);
    st->fc_ok = FcInit();
    // fontconfig keeps its configuration until told to let go; without this
    // every process that drew text would end with it unreleased.
    if (st->fc_ok) std::atexit([] { FcFini(); });
    return st;
  }();
  return *s;
}

// fontconfig's best file for a family and style.
bool FcFind(const std::string &family, bool bold, bool italic, std::string &file, int &index,
            bool exact) {
  FontState &st = F();
  std::string key = family + (bold ? "|b" : "|") + (italic ? "i" : "") + (exact ? "!" : "");
  auto it = st.fc_cache.find(key);
  if (it != st.fc_cache.end()) {
    file = it->second.first;
    index = it->second.second;
    return !file.empty();
  }
  file.clear();
  index = 0;
  if (st.fc_ok) {
    std::string utf8 = ToUtf8(family);
    FcPattern *pat = FcPatternCreate();
    FcPatternAddString(pat, FC_FAMILY, (const FcChar8 *)utf8.c_str());
    FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult res;
    FcPattern *m = FcFontMatch(nullptr, pat, &res);
    if (m) {
      FcChar8 *f = nullptr, *fam = nullptr;
      int idx = 0;
      bool same = true;
      if (exact && FcPatternGetString(m, FC_FAMILY, 0, &fam) == FcResultMatch)
        same = Cp1252EqualNoCase(ToCp1252(std::string((const char *)fam)), family);
      if (same && FcPatternGetString(m, FC_FILE, 0, &f) == FcResultMatch) {
        file = (const char *)f;
        if (FcPatternGetInteger(m, FC_INDEX, 0, &idx) == FcResultMatch) index = idx;
      }
      FcPatternDestroy(m);
    }
    FcPatternDestroy(pat);
  }
  st.fc_cache[key] = {file, index};
  return !file.empty();
}

int Ceil(double v) { return (int)std::ceil(v - 1e-6); }

// Weighted average width of the lower-case letters and the space, in font
// units: how the classic average character width is defined.
double AverageWidth(FT_Face face) {
  static const int weights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6,  35, 20, 56,
                                  56, 17, 4,  49, 56, 71,  31, 10, 18, 3,  18, 2,  166};
  double sum = 0;
  int wsum = 0;
  for (int i = 0; i < 27; ++i) {
    FT_ULong ch = i < 26 ? (FT_ULong)('a' + i) : (FT_ULong)' ';
    FT_UInt g = FT_Get_Char_Index(face, ch);
    if (!g) continue;
    FT_Fixed adv = 0;
    if (FT_Get_Advance(face, g, FT_LOAD_NO_SCALE, &adv)) continue;
    sum += (double)adv * weights[i];
    wsum += weights[i];
  }
  return wsum ? sum / wsum : 0;
}

}  // namespace

char32_t Cp850ToUnicode(unsigned char c) { return c < 0x80 ? c : (char32_t)kCp850High[c - 0x80]; }

FontInst::~FontInst() {
  if (face) FT_Done_Face(face);
}

const Glyph &FontInst::Get(unsigned char b) {
  Glyph &g = glyphs[b];
  if (g.done) return g;
  g.done = true;
  FT_UInt idx = 0;
  switch (mode) {
    case CharMode::Bytes:
      idx = FT_Get_Char_Index(face, b);
      if (!idx && unicode_map) idx = FT_Get_Char_Index(face, Cp1252ToUnicode(b));
      break;
    case CharMode::Oem: idx = FT_Get_Char_Index(face, Cp850ToUnicode(b)); break;
    case CharMode::Symbol:
      idx = FT_Get_Char_Index(face, 0xF000 + b);
      if (!idx) idx = FT_Get_Char_Index(face, b);
      break;
    case CharMode::Ansi: idx = FT_Get_Char_Index(face, Cp1252ToUnicode(b)); break;
  }
  FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME;
  if (FT_Load_Glyph(face, idx, flags) != 0 && FT_Load_Glyph(face, 0, flags) != 0) return g;
  FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
      FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
    return g;
  const FT_Bitmap &bm = slot->bitmap;
  g.advance = (int)((slot->advance.x + 32) >> 6);
  if (!scalable && slot->advance.x == 0) g.advance = (int)bm.width;
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.w = (int)bm.width;
  g.h = (int)bm.rows;
  g.bits.assign((size_t)g.w * g.h, 0);
  for (int y = 0; y < g.h; ++y) {
    const unsigned char *row = bm.buffer + (ptrdiff_t)y * bm.pitch;
    for (int x = 0; x < g.w; ++x) {
      bool on = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1
                : bm.pixel_mode == FT_PIXEL_MODE_GRAY ? row[x] >= 128
                                                      : false;
      g.bits[(size_t)y * g.w + x] = on;
    }
  }
  if (fake_bold) {
    // Bold made from a regular face: each row smeared one pixel right.
    std::vector<uint8_t> wide((size_t)(g.w + 1) * g.h, 0);
    for (int y = 0; y < g.h; ++y)
      for (int x = 0; x < g.w; ++x)
        if (g.bits[(size_t)y * g.w + x]) {
          wide[(size_t)y * (g.w + 1) + x] = 1;
          wide[(size_t)y * (g.w + 1) + x + 1] = 1;
        }
    g.bits.swap(wide);
    ++g.w;
    ++g.advance;
  }
  return g;
}

int FontInst::Width(const unsigned char *s, int n) {
  int w = 0;
  for (int i = 0; i < n; ++i) w += Get(s[i]).advance;
  return w;
}

// ------------------------------------------------------------ realising a LOGFONT

namespace {

struct Choice {
  std::string file;
  int index = 0;
  bool own = false;  // a face the program added: bytes map to glyphs one to one
  bool oem = false;
  bool bold_face = false;
};

Choice Choose(const LOGFONTA &lf) {
  FontState &st = F();
  char name[LF_FACESIZE + 1] = {};
  std::memcpy(name, lf.lfFaceName, LF_FACESIZE);
  std::string want = Lower(name);
  bool bold = lf.lfWeight >= FW_SEMIBOLD, italic = lf.lfItalic != 0;
  Choice c;
  if (!want.empty()) {
    // The program's own faces first, the closest style of the family.
    const AddedFace *best = nullptr;
    int best_score = -1;
    for (const AddedFace &a : st.added) {
      if (a.family != want) continue;
      int score = (a.bold == bold ? 2 : 0) + (a.italic == italic ? 1 : 0);
      if (score > best_score) {
        best = &a;
        best_score = score;
      }
    }
    if (best) {
      c.file = best->file;
      c.index = best->index;
      c.own = true;
      c.bold_face = best->bold;
      return c;
    }
    for (const Alias &a : kAliases)
      if (want == a.name) {
        c.oem = a.oem;
        if (FcFind(a.family, bold, italic, c.file, c.index, false)) {
          c.bold_face = bold;
          return c;
        }
      }
    if (FcFind(name, bold, italic, c.file, c.index, true)) {
      c.bold_face = bold;
      return c;
    }
  }
  // No face of that name: the system's substitute by pitch and family.
  int pitch = lf.lfPitchAndFamily & 3, family = lf.lfPitchAndFamily & 0xF0;
  const char *sub = "Liberation Sans";
  if (pitch == FIXED_PITCH || family == FF_MODERN || lf.lfCharSet == OEM_CHARSET)
    sub = "Liberation Mono";
  else if (family == FF_ROMAN)
    sub = "Liberation Serif";
  FcFind(sub, bold, italic, c.file, c.index, false);
  c.bold_face = bold;
  return c;
}

}  // namespace

std::shared_ptr<FontInst> Realize(FontObj &fo) {
  TAVO_GDI_LOCK;
  if (fo.inst) return fo.inst;
  FontState &st = F();
  const LOGFONTA &lf = fo.lf;
  Choice c = Choose(lf);
  CharMode mode = c.own                               ? CharMode::Bytes
                  : (c.oem || lf.lfCharSet == OEM_CHARSET) ? CharMode::Oem
                  : lf.lfCharSet == SYMBOL_CHARSET        ? CharMode::Symbol
                                                          : CharMode::Ansi;
  int esc = ((lf.lfEscapement % 3600) + 3600) % 3600;
  esc = ((esc + 450) / 900 % 4) * 900;
  bool want_bold = lf.lfWeight >= FW_SEMIBOLD;
  char key[600];
  std::snprintf(key, sizeof key, "%s|%d|%d|%d|%d|%d|%d|%d|%d|%d", c.file.c_str(), c.index,
                (int)lf.lfHeight, (int)lf.lfWidth, want_bold, lf.lfItalic != 0,
                lf.lfUnderline != 0, lf.lfStrikeOut != 0, esc, (int)mode);
  auto it = st.insts.find(key);
  if (it != st.insts.end())
    if (auto sp = it->second.lock()) return fo.inst = sp;

  auto fi = std::make_shared<FontInst>();
  fi->mode = mode;
  fi->escapement = esc;
  fi->underline = lf.lfUnderline != 0;
  fi->strike = lf.lfStrikeOut != 0;
  fi->weight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
  fi->italic = lf.lfItalic != 0;
  fi->charset = lf.lfCharSet;
  if (c.file.empty() || FT_New_Face(st.ft, c.file.c_str(), c.index, &fi->face) != 0) {
    fi->face = nullptr;
    FT_New_Face(st.ft, "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", 0,
                &fi->face);
  }
  FT_Face face = fi->face;
  if (!face) {
    fi->height = 1;
    return fo.inst = fi;
  }
  if (face->family_name) fi->face_name = ToCp1252(std::string(face->family_name));
  if (fi->face_name.empty()) fi->face_name = "?";
  fi->scalable = FT_IS_SCALABLE(face);
  fi->unicode_map = false;
  if (mode == CharMode::Symbol) FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL);
  if (mode != CharMode::Symbol || !face->charmap) FT_Select_Charmap(face, FT_ENCODING_UNICODE);
  if (!face->charmap && face->num_charmaps > 0) FT_Set_Charmap(face, face->charmaps[0]);
  fi->unicode_map = face->charmap && face->charmap->encoding == FT_ENCODING_UNICODE;
  fi->fake_bold = want_bold && !(face->style_flags & FT_STYLE_FLAG_BOLD);
  fi->fixed_pitch = FT_IS_FIXED_WIDTH(face);

  if (fi->scalable) {
    TT_OS2 *os2 = (TT_OS2 *)FT_Get_Sfnt_Table(face, FT_SFNT_OS2);
    double upem = face->units_per_EM;
    double asc = os2 && os2->usWinAscent ? os2->usWinAscent : face->ascender;
    double desc = os2 && os2->usWinAscent ? os2->usWinDescent : -face->descender;
    int h = lf.lfHeight;
    int ppem = h < 0 ? -h : h > 0 ? (int)std::lround(h * upem / (asc + desc)) : 12;
    if (ppem < 1) ppem = 1;
    if (ppem > 1000) ppem = 1000;
    double avg = AverageWidth(face);
    int xppem = ppem;
    if (lf.lfWidth > 0 && avg > 0) xppem = std::max(1, (int)std::lround(lf.lfWidth * upem / avg));
    if (xppem > 1000) xppem = 1000;
    FT_Set_Pixel_Sizes(face, xppem, ppem);
    fi->ascent = Ceil(asc * ppem / upem);
    fi->descent = Ceil(desc * ppem / upem);
    fi->height = fi->ascent + fi->descent;
    fi->internal_leading = fi->height - ppem;
    TT_HoriHeader *hhea = (TT_HoriHeader *)FT_Get_Sfnt_Table(face, FT_SFNT_HHEA);
    if (hhea) {
      double gap = (hhea->Ascender - hhea->Descender + hhea->Line_Gap) - (asc + desc);
      fi->external_leading = std::max(0, (int)std::lround(gap * ppem / upem));
    }
    fi->ave_width = std::max(1, (int)std::lround(avg * xppem / upem)) + (fi->fake_bold ? 1 : 0);
    fi->max_width = (int)((face->size->metrics.max_advance + 63) >> 6) + (fi->fake_bold ? 1 : 0);
    fi->ul_pos = std::max(1, (int)std::lround(-face->underline_position * ppem / upem));
    fi->ul_thick = std::max(1, (int)std::lround(face->underline_thickness * ppem / upem));
  } else {
    // A bitmap face: the strike nearest the height asked for.
    int want = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    int best = 0, bestd = 1 << 30;
    for (int i = 0; i < face->num_fixed_sizes; ++i) {
      int hh = face->available_sizes[i].height;
      int d = want ? std::abs(hh - want) : 0;
      if (d < bestd) {
        bestd = d;
        best = i;
      }
    }
    if (face->num_fixed_sizes > 0) FT_Select_Size(face, best);
    fi->ascent = (int)((face->size->metrics.ascender + 63) >> 6);
    fi->descent = (int)((-face->size->metrics.descender + 63) >> 6);
    fi->height = fi->ascent + fi->descent;
    if (face->num_fixed_sizes > 0 && fi->height <= 0) {
      fi->height = face->available_sizes[best].height;
      fi->ascent = fi->height;
    }
    fi->internal_leading = 0;
    fi->external_leading = 0;
    fi->ave_width = std::max(1, fi->Get('x').advance);
    fi->max_width = std::max(fi->ave_width, (int)((face->size->metrics.max_advance + 63) >> 6) +
                                                (fi->fake_bold ? 1 : 0));
    fi->ul_pos = 1;
    fi->ul_thick = 1;
  }
  st.insts[key] = fi;
  return fo.inst = fi;
}

HFONT StockFont(int which) {
  TAVO_GDI_LOCK;
  FontState &st = F();
  auto it = st.stock.find(which);
  if (it != st.stock.end()) return it->second;
  auto f = std::make_shared<FontObj>();
  f->stock = true;
  LOGFONTA &lf = f->lf;
  const char *face = "MS Sans Serif";
  switch (which) {
    case DEFAULT_GUI_FONT: lf.lfHeight = -11; face = "MS Shell Dlg"; break;
    case ANSI_VAR_FONT: lf.lfHeight = 12; lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS; break;
    case ANSI_FIXED_FONT:
      lf.lfHeight = 12;
      face = "Courier";
      lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
      break;
    case OEM_FIXED_FONT:
      lf.lfHeight = 12;
      face = "Terminal";
      lf.lfCharSet = OEM_CHARSET;
      lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
      break;
    case SYSTEM_FIXED_FONT:
      lf.lfHeight = 15;
      face = "Fixedsys";
      lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
      break;
    default:  // SYSTEM_FONT, DEVICE_DEFAULT_FONT
      lf.lfHeight = 16;
      lf.lfWeight = FW_BOLD;
      face = "System";
      lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
      break;
  }
  if (!lf.lfWeight) lf.lfWeight = FW_NORMAL;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  HFONT h = AddObj(f);
  st.stock[which] = h;
  return h;
}

std::shared_ptr<FontInst> DCFont(DCObj &dc) {
  FontObj *f = Get<FontObj>(dc.st.font, Kind::Font);
  if (!f) f = Get<FontObj>(StockFont(SYSTEM_FONT), Kind::Font);
  return Realize(*f);
}

}  // namespace tavo::gdi

using namespace tavo::gdi;

HFONT CreateFontIndirectA(const LOGFONTA *lf) {
  if (!lf) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto f = std::make_shared<FontObj>();
  f->lf = *lf;
  f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
  return AddObj(f);
}

HFONT CreateFontA(int height, int width, int esc, int orient, int weight, DWORD italic,
                  DWORD underline, DWORD strike, DWORD charset, DWORD outp, DWORD clipp,
                  DWORD quality, DWORD pitch, LPCSTR face) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = esc;
  lf.lfOrientation = orient;
  lf.lfWeight = weight;
  lf.lfItalic = (BYTE)italic;
  lf.lfUnderline = (BYTE)underline;
  lf.lfStrikeOut = (BYTE)strike;
  lf.lfCharSet = (BYTE)charset;
  lf.lfOutPrecision = (BYTE)outp;
  lf.lfClipPrecision = (BYTE)clipp;
  lf.lfQuality = (BYTE)quality;
  lf.lfPitchAndFamily = (BYTE)pitch;
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectA(&lf);
}

// ------------------------------------------------------------ font files

static bool LinuxPath(LPCSTR path, std::string &out) {
  if (!path || !*path) return false;
  return tavo::MapPath(path, out);
}

int AddFontResourceExA(LPCSTR path, DWORD flags, void *) {
  TAVO_GDI_LOCK;
  std::string file;
  if (!LinuxPath(path, file)) return 0;
  FontState &st = F();
  for (AddedFace &a : st.added)
    if (a.file == file) {
      // Adding a file again only counts; it is removed after as many removals.
      int n = 0;
      for (AddedFace &b : st.added)
        if (b.file == file) {
          ++b.refs;
          ++n;
        }
      return n;
    }
  FT_Face face;
  if (FT_New_Face(st.ft, file.c_str(), -1, &face) != 0) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  long n = face->num_faces;
  FT_Done_Face(face);
  int added = 0;
  for (long i = 0; i < n && i < 64; ++i) {
    if (FT_New_Face(st.ft, file.c_str(), i, &face) != 0) continue;
    AddedFace a;
    a.file = file;
    a.index = (int)i;
    a.family = Lower(tavo::ToCp1252(std::string(face->family_name ? face->family_name : "")).c_str());
    a.bold = face->style_flags & FT_STYLE_FLAG_BOLD;
    a.italic = face->style_flags & FT_STYLE_FLAG_ITALIC;
    a.priv = flags & FR_PRIVATE;
    FT_Done_Face(face);
    if (a.family.empty()) continue;
    st.added.push_back(a);
    ++added;
  }
  st.insts.clear();
  return added;
}

int AddFontResourceA(LPCSTR path) { return AddFontResourceExA(path, 0, nullptr); }

BOOL RemoveFontResourceExA(LPCSTR path, DWORD, void *) {
  TAVO_GDI_LOCK;
  std::string file;
  if (!LinuxPath(path, file)) return FALSE;
  FontState &st = F();
  bool found = false;
  for (auto it = st.added.begin(); it != st.added.end();) {
    if (it->file == file) {
      found = true;
      if (--it->refs <= 0) {
        it = st.added.erase(it);
        continue;
      }
    }
    ++it;
  }
  // Fonts already created keep the face they realised.
  if (found) st.insts.clear();
  return found ? TRUE : FALSE;
}

BOOL RemoveFontResourceA(LPCSTR path) { return RemoveFontResourceExA(path, 0, nullptr); }

// ------------------------------------------------------------ metrics

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA tm) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !tm) return FALSE;
  auto fi = DCFont(*dc);
  std::memset(tm, 0, sizeof *tm);
  tm->tmHeight = fi->height;
  tm->tmAscent = fi->ascent;
  tm->tmDescent = fi->descent;
  tm->tmInternalLeading = fi->internal_leading;
  tm->tmExternalLeading = fi->external_leading;
  tm->tmAveCharWidth = fi->ave_width;
  tm->tmMaxCharWidth = fi->max_width;
  tm->tmWeight = fi->weight;
  tm->tmOverhang = 0;
  tm->tmDigitizedAspectX = 96;
  tm->tmDigitizedAspectY = 96;
  tm->tmFirstChar = 0x1E;
  tm->tmLastChar = 0xFF;
  tm->tmDefaultChar = 0x1F;
  tm->tmBreakChar = 0x20;
  tm->tmItalic = fi->italic;
  tm->tmUnderlined = fi->underline;
  tm->tmStruckOut = fi->strike;
  // The "fixed pitch" bit is set for variable-pitch fonts, as Windows has it.
  tm->tmPitchAndFamily = (BYTE)((fi->fixed_pitch ? 0 : TMPF_FIXED_PITCH) |
                                (fi->scalable ? TMPF_VECTOR | TMPF_TRUETYPE : 0));
  tm->tmCharSet = fi->charset == DEFAULT_CHARSET ? ANSI_CHARSET : fi->charset;
  return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int n, LPSIZE size) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !size || n < 0 || (n > 0 && !text)) return FALSE;
  auto fi = DCFont(*dc);
  size->cx = fi->Width(reinterpret_cast<const unsigned char *>(text), n);
  size->cy = fi->height;
  return TRUE;
}

BOOL GetTextExtentExPointA(HDC hdc, LPCSTR text, int n, int max_extent, LPINT fit, LPINT dx,
                           LPSIZE size) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !size || n < 0 || (n > 0 && !text)) return FALSE;
  auto fi = DCFont(*dc);
  int w = 0, k = 0;
  for (int i = 0; i < n; ++i) {
    w += fi->Get((unsigned char)text[i]).advance;
    if (dx) dx[i] = w;
    if (w <= max_extent) k = i + 1;
  }
  if (fit) *fit = k;
  size->cx = w;
  size->cy = fi->height;
  return TRUE;
}

BOOL GetCharWidth32A(HDC hdc, UINT first, UINT last, LPINT widths) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !widths || first > last || last > 255) return FALSE;
  auto fi = DCFont(*dc);
  for (UINT c = first; c <= last; ++c) widths[c - first] = fi->Get((unsigned char)c).advance;
  return TRUE;
}

int GetTextFaceA(HDC hdc, int n, LPSTR out) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return 0;
  FontObj *f = Get<FontObj>(dc->st.font, Kind::Font);
  std::string name = f ? std::string(f->lf.lfFaceName) : std::string();
  if (!out) return (int)name.size() + 1;
  if (n <= 0) return 0;
  size_t k = std::min(name.size(), (size_t)n - 1);
  std::memcpy(out, name.data(), k);
  out[k] = 0;
  return (int)k;
}
