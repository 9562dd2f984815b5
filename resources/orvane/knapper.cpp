// The caption button strips (bitmaps 117 and 115) and the sort column's
// pictures, drawn as text pixmaps and turned into 4-bit device-independent
// bitmaps when they are registered. The colour table is the one that
// DrawSysColBitmap recolours: 0 dark shadow, 7 face, 8 shadow, 15
// highlight.

#include "knapper.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "dib.h"
#include "ressourcer.h"
#include "win/gdi_res.h"

namespace {

// Glyphs, 9 wide and 7 high, by caption picture number - 1: minimise,
// close, restore, maximise; 5 to 12 plain; the toolbar's toggle open (13)
// and locked (14).
const char *const Glyffer[14][7] = {
    {".........", ".........", ".........", ".........", ".........", "..XXXXX..", "..XXXXX.."},
    {".XX...XX.", "..XX.XX..", "...XXX...", "...XXX...", "..XX.XX..", ".XX...XX.", "........."},
    {"...XXXXXX", "...XXXXXX", "...X....X", "XXXXXX..X", "XXXXXX..X", "X....XXXX", "XXXXXX..."},
    {"XXXXXXXXX", "XXXXXXXXX", "X.......X", "X.......X", "X.......X", "X.......X", "XXXXXXXXX"},
    {}, {}, {}, {}, {}, {}, {}, {},
    {".....XXX.", "....X...X", "....X....", ".XXXXXXX.", ".XXX.XXX.", ".XXX.XXX.", ".XXXXXXX."},
    {"...XXX...", "..X...X..", "..X...X..", ".XXXXXXX.", ".XXX.XXX.", ".XXX.XXX.", ".XXXXXXX."},
};
constexpr int kBilleder = 14;

enum : uint8_t { Moerk = 0, Flade = 7, Skygge = 8, Lys = 15 };

// One strip: 4 columns of pictures, rows disabled, pressed, normal.
std::vector<uint8_t> LavStrip(int w, int h) {
  const int W = w * kBilleder, H = h * 3;
  std::vector<uint8_t> px((size_t)W * H, Flade);
  auto saet = [&](int x, int y, uint8_t c) {
    if (x >= 0 && y >= 0 && x < W && y < H) px[(size_t)y * W + x] = c;
  };
  for (int raekke = 0; raekke < 3; ++raekke) {
    bool trykket = raekke == 1;
    for (int kol = 0; kol < kBilleder; ++kol) {
      int ox = kol * w, oy = raekke * h;
      // Raised frame (sunk when pressed): outer and inner ring.
      uint8_t tl1 = trykket ? Moerk : Lys, br1 = trykket ? Lys : Moerk;
      uint8_t tl2 = trykket ? Skygge : Flade, br2 = trykket ? Flade : Skygge;
      for (int x = 0; x < w; ++x) {
        saet(ox + x, oy, tl1);
        saet(ox + x, oy + h - 1, br1);
      }
      for (int y = 0; y < h; ++y) {
        saet(ox, oy + y, tl1);
        saet(ox + w - 1, oy + y, br1);
      }
      for (int x = 1; x < w - 1; ++x) {
        saet(ox + x, oy + 1, tl2);
        saet(ox + x, oy + h - 2, br2);
      }
      for (int y = 1; y < h - 1; ++y) {
        saet(ox + 1, oy + y, tl2);
        saet(ox + w - 2, oy + y, br2);
      }
      int gx = ox + (w - 9) / 2 + (trykket ? 1 : 0), gy = oy + (h - 7) / 2 + (trykket ? 1 : 0);
      for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
          if (!Glyffer[kol][y] || Glyffer[kol][y][x] != 'X') continue;
          if (raekke == 0) {
            saet(gx + x + 1, gy + y + 1, Lys);
            saet(gx + x, gy + y, Skygge);
          } else {
            saet(gx + x, gy + y, Moerk);
          }
        }
    }
  }
  return LavDib4(px, W, H);
}

// A picture drawn in the dark shadow colour on the button face.
std::vector<uint8_t> LavBillede(const char *const *raekker, int h) {
  const int w = (int)std::strlen(raekker[0]);
  std::vector<uint8_t> px((size_t)w * h, Flade);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (raekker[y][x] == 'X') px[(size_t)y * w + x] = Moerk;
  return LavDib4(px, w, h);
}

// The sort column's pictures, 10 x 9: ascending (111) the downward
// triangle, descending (112) the upward one.
const char *const Stigende[] = {"..........", "..........", "XXXXXXXXX.", ".XXXXXXX..", "..XXXXX...",
                                "...XXX....", "....X.....", "..........", ".........."};
const char *const Faldende[] = {"..........", "..........", "....X.....", "...XXX....", "..XXXXX...",
                                ".XXXXXXX..", "XXXXXXXXX.", "..........", ".........."};

}  // namespace

void RegistrerKnapBilleder() {
  static bool gjort = false;
  if (gjort) return;
  gjort = true;
  // The bytes must live as long as the program.
  static const std::vector<uint8_t> stor = LavStrip(16, 14);
  static const std::vector<uint8_t> lille = LavStrip(12, 12);
  tavo::res::RegisterBitmap("orvane", IDB_KAPTION_STOR, stor.data(), stor.size());
  tavo::res::RegisterBitmap("orvane", IDB_KAPTION_LILLE, lille.data(), lille.size());
  static const std::vector<uint8_t> op = LavBillede(Stigende, 9);
  static const std::vector<uint8_t> ned = LavBillede(Faldende, 9);
  tavo::res::RegisterBitmap("orvane", 111, op.data(), op.size());
  tavo::res::RegisterBitmap("orvane", 112, ned.data(), ned.size());
}
