// Pictures of a bitmap strip drawn in the current system colours.
#include "SYSBMP.h"

#include <cstring>
#include <vector>

#include "FARVER.h"

namespace {

RGBQUAD Quad(COLORREF c) { return {GetBValue(c), GetGValue(c), GetRValue(c), 0}; }

}  // namespace

void DrawSysColBitmap(HDC hdc, const SysBmpStrip *strip, int kolonne, int raekke) {
  if (strip == nullptr || strip->res == 0) return;
  const void *res = LockResource(strip->res);
  const size_t stoerrelse = strip->stoerrelse;
  if (res == nullptr || stoerrelse < sizeof(BITMAPINFOHEADER)) return;

  // The resource stays as it is; the colours are patched in a copy.
  std::vector<uint8_t> kopi(stoerrelse, 0);
  std::memcpy(kopi.data(), res, stoerrelse);
  BITMAPINFOHEADER hdr;
  std::memcpy(&hdr, kopi.data(), sizeof hdr);
  if (hdr.biSize < sizeof hdr || hdr.biSize > stoerrelse || hdr.biCompression != BI_RGB) return;

  size_t farver;
  switch (hdr.biBitCount) {
    case 1: farver = 2; break;
    case 4: farver = 16; break;
    case 8: farver = 256; break;
    case 24: farver = 0; break;
    default: return;
  }
  if (hdr.biClrUsed != 0) farver = hdr.biClrUsed;
  const size_t tabel = hdr.biSize;
  if (farver > (stoerrelse - tabel) / sizeof(RGBQUAD)) return;
  const size_t pixels = tabel + farver * sizeof(RGBQUAD);
  const int64_t bredde = hdr.biWidth;
  const int64_t hoejde = hdr.biHeight < 0 ? -int64_t{hdr.biHeight} : hdr.biHeight;
  if (bredde <= 0 || hoejde <= 0) return;
  const int64_t linie = ((bredde * hdr.biBitCount + 31) / 32) * 4;
  if (linie * hoejde > static_cast<int64_t>(stoerrelse - pixels)) return;

  // Only entries the table holds are patched: a 1-bit picture has two, a
  // 24-bit picture none, and writing past the table would recolour pixels.
  const struct {
    size_t indeks;
    COLORREF farve;
  } patch[] = {
      {0, GetSysColor(COLOR_3DDKSHADOW)},
      {7, FarveTab[30] != 0 || TavoPalette ? FarveTab[30] : GetSysColor(COLOR_WINDOW)},
      {8, GetSysColor(COLOR_BTNSHADOW)},
      {15, GetSysColor(COLOR_BTNHIGHLIGHT)},
  };
  for (const auto &p : patch) {
    if (p.indeks >= farver) continue;
    const RGBQUAD q = Quad(p.farve);
    std::memcpy(kopi.data() + tabel + p.indeks * sizeof(RGBQUAD), &q, sizeof q);
  }

  SetDIBitsToDevice(hdc, 0, 0, strip->bredde, strip->hoejde,
                    static_cast<int>(strip->bredde * static_cast<uint32_t>(kolonne)),
                    static_cast<int>(strip->hoejde * static_cast<uint32_t>(raekke)), 0,
                    static_cast<UINT>(hoejde), kopi.data() + pixels,
                    reinterpret_cast<const BITMAPINFO *>(kopi.data()), DIB_RGB_COLORS);
}
