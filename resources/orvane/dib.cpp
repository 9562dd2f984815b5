#include "dib.h"

#include <algorithm>
#include <cstring>

#include "win/gdi.h"

uint8_t TegnFarve(char c, uint8_t baggrund) {
  switch (c) {
    case 'K': return kSort;
    case 'W': return kHvid;
    case 'g': return kSoelv;
    case 'G': return kGraa;
    case 'N': return kMarine;
    case 'B': return kBlaa;
    case 'R': return kRoed;
    case 'r': return kMoerkRoed;
    case 'Y': return kGul;
    case 'y': return kMoerkGul;
    case 'L': return kGroen;
    case 'l': return kMoerkGroen;
    case 'C': return kCyan;
    case 'c': return kBlaagroen;
    case 'M': return kMagenta;
    case 'm': return kLilla;
  }
  return baggrund;
}

std::vector<uint8_t> LavDib4(const std::vector<uint8_t> &px, int bredde, int hoejde) {
  const int stride = ((bredde * 4 + 31) / 32) * 4;
  std::vector<uint8_t> dib(sizeof(BITMAPINFOHEADER) + 16 * 4 + (size_t)stride * hoejde, 0);
  BITMAPINFOHEADER bi;
  std::memset(&bi, 0, sizeof bi);
  bi.biSize = sizeof bi;
  bi.biWidth = bredde;
  bi.biHeight = hoejde;
  bi.biPlanes = 1;
  bi.biBitCount = 4;
  bi.biCompression = BI_RGB;
  bi.biSizeImage = (DWORD)(stride * hoejde);
  std::memcpy(dib.data(), &bi, sizeof bi);
  static const uint8_t farver[16][3] = {
      {0, 0, 0},       {128, 0, 0},     {0, 128, 0}, {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
      {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
      {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}};
  uint8_t *tab = dib.data() + sizeof bi;
  for (int i = 0; i < 16; ++i) {
    tab[i * 4 + 0] = farver[i][2];
    tab[i * 4 + 1] = farver[i][1];
    tab[i * 4 + 2] = farver[i][0];
  }
  uint8_t *bits = tab + 16 * 4;
  for (int y = 0; y < hoejde; ++y) {
    uint8_t *linje = bits + (size_t)(hoejde - 1 - y) * stride;
    for (int x = 0; x < bredde; ++x) {
      uint8_t c = px[(size_t)y * bredde + x] & 0x0F;
      linje[x / 2] |= (x % 2) ? c : (uint8_t)(c << 4);
    }
  }
  return dib;
}

std::vector<uint8_t> LavStripDib(const std::vector<std::vector<std::string>> &billeder, uint8_t baggrund) {
  int b = 0, h = 0;
  for (const auto &bil : billeder) {
    h = std::max<int>(h, (int)bil.size());
    for (const auto &r : bil) b = std::max<int>(b, (int)r.size());
  }
  const int W = b * (int)billeder.size();
  std::vector<uint8_t> px((size_t)W * h, baggrund);
  for (size_t i = 0; i < billeder.size(); ++i)
    for (size_t y = 0; y < billeder[i].size(); ++y)
      for (size_t x = 0; x < billeder[i][y].size(); ++x)
        px[y * W + i * b + x] = TegnFarve(billeder[i][y][x], baggrund);
  return LavDib4(px, W, h);
}
