#pragma once
// Pictures drawn as text, one character a pixel, turned into 4-bit
// device-independent bitmaps with the 16 standard colours, as they would sit
// in a resource section (header, colour table, rows bottom-up).

#include <cstdint>
#include <string>
#include <vector>

// Colour indexes of the standard table.
enum : uint8_t {
  kSort = 0, kMoerkRoed = 1, kMoerkGroen = 2, kMoerkGul = 3, kMarine = 4, kLilla = 5, kBlaagroen = 6,
  kSoelv = 7, kGraa = 8, kRoed = 9, kGroen = 10, kGul = 11, kBlaa = 12, kMagenta = 13, kCyan = 14,
  kHvid = 15
};

// The index of a picture character, with the letters the icon pixmaps use
// (K black, W white, g silver, G grey, N navy, B blue, R red, r dark red,
// Y yellow, y dark yellow, L lime, l green, C cyan, c teal, M magenta,
// m purple); '.' and anything else is `baggrund`.
uint8_t TegnFarve(char c, uint8_t baggrund);

// A bitmap of width x height colour indexes, top row first.
std::vector<uint8_t> LavDib4(const std::vector<uint8_t> &px, int bredde, int hoejde);

// Pictures of equal size side by side in one strip.
std::vector<uint8_t> LavStripDib(const std::vector<std::vector<std::string>> &billeder, uint8_t baggrund);
