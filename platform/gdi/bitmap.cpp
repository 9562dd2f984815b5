// Device-independent bitmaps: reading 1, 4, 8, 16, 24 and 32-bit DIBs with
// their colour tables (RGB or palette indexes), SetDIBitsToDevice and
// StretchDIBits.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gdiint.h"
#include "win/kerror.h"

namespace tavo::gdi {

namespace {

// What a BITMAPINFO says about its pixels.
struct Dib {
  int w = 0, h = 0;  // h positive
  bool top_down = false;
  int bpp = 0;
  size_t stride = 0;
  std::vector<COLORREF> table;
  const uint8_t *bits = nullptr;
  uint32_t masks[3] = {0, 0, 0};

  bool Open(const BITMAPINFO *bmi, const void *pixels, UINT usage) {
    if (!bmi) return false;
    BITMAPINFOHEADER hd{};
    DWORD size;
    std::memcpy(&size, bmi, sizeof size);
    bool core = size == 12;
    if (core) {
      // The older core header: 16-bit sizes, three-byte colour entries.
      uint16_t f[4];
      std::memcpy(f, reinterpret_cast<const uint8_t *>(bmi) + 4, sizeof f);
      hd.biSize = 12;
      hd.biWidth = f[0];
      hd.biHeight = f[1];
      hd.biPlanes = f[2];
      hd.biBitCount = f[3];
      hd.biCompression = BI_RGB;
    } else {
      std::memcpy(&hd, &bmi->bmiHeader, sizeof hd);
      if (hd.biSize < sizeof(BITMAPINFOHEADER)) return false;
    }
    if (hd.biWidth <= 0 || hd.biWidth > 16384 || hd.biHeight == 0 || hd.biHeight > 16384 ||
        hd.biHeight < -16384)
      return false;
    bpp = hd.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
    if (hd.biCompression != BI_RGB &&
        !(hd.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32)))
      return false;
    w = hd.biWidth;
    top_down = hd.biHeight < 0;
    h = top_down ? -hd.biHeight : hd.biHeight;
    if ((int64_t)w * h > (1 << 26)) return false;
    stride = ((size_t)w * bpp + 31) / 32 * 4;
    const uint8_t *after = reinterpret_cast<const uint8_t *>(bmi) + hd.biSize;
    size_t n = hd.biClrUsed;
    if (bpp <= 8) {
      size_t full = (size_t)1 << bpp;
      if (n == 0 || n > full) n = full;
    } else {
      n = 0;
    }
    if (hd.biCompression == BI_BITFIELDS) {
      std::memcpy(masks, after, sizeof masks);
      after += sizeof masks;
    } else if (bpp == 16) {
      masks[0] = 0x7C00;
      masks[1] = 0x03E0;
      masks[2] = 0x001F;
    } else if (bpp == 32) {
      masks[0] = 0xFF0000;
      masks[1] = 0xFF00;
      masks[2] = 0xFF;
    }
    table.resize(n);
    for (size_t i = 0; i < n; ++i) {
      if (core && usage != DIB_PAL_COLORS) {
        const uint8_t *q = after + 3 * i;  // blue, green, red
        table[i] = RGB(q[2], q[1], q[0]);
      } else if (usage == DIB_PAL_COLORS) {
        WORD idx;
        std::memcpy(&idx, after + 2 * i, 2);
        table[i] = PALETTEINDEX(idx);
      } else {
        RGBQUAD q;
        std::memcpy(&q, after + 4 * i, 4);
        table[i] = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
      }
    }
    size_t tsize = usage == DIB_PAL_COLORS ? 2 * n : core ? 3 * n : 4 * n;
    bits = pixels ? static_cast<const uint8_t *>(pixels) : after + tsize;
    return true;
  }

  static COLORREF Masked(uint32_t v, const uint32_t m[3]) {
    BYTE c[3];
    for (int k = 0; k < 3; ++k) {
      uint32_t mk = m[k];
      if (!mk) {
        c[k] = 0;
        continue;
      }
      int shift = __builtin_ctz(mk);
      uint32_t max = mk >> shift, val = (v & mk) >> shift;
      c[k] = (BYTE)(val * 255 / max);
    }
    return RGB(c[0], c[1], c[2]);
  }

  // Pixel x of a stored row (row 0 is the first row in memory).
  COLORREF At(const uint8_t *row, int x) const {
    size_t i;
    switch (bpp) {
      case 1: i = (row[x >> 3] >> (7 - (x & 7))) & 1; break;
      case 4: i = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF; break;
      case 8: i = row[x]; break;
      case 16: {
        uint16_t v;
        std::memcpy(&v, row + 2 * x, 2);
        return Masked(v, masks);
      }
      case 24: return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
      default: {
        uint32_t v;
        std::memcpy(&v, row + 4 * x, 4);
        return Masked(v, masks);
      }
    }
    // An index past the colour table reads as black.
    return i < table.size() ? table[i] : 0;
  }
};

}  // namespace

bool DecodeDib(const BITMAPINFO *bmi, const void *bits, UINT usage, std::vector<COLORREF> &out,
               int &w, int &h, bool *top_down) {
  Dib d;
  if (!d.Open(bmi, bits, usage)) return false;
  if (top_down) *top_down = d.top_down;
  w = d.w;
  h = d.h;
  out.resize((size_t)w * h);
  for (int y = 0; y < h; ++y) {
    const uint8_t *row = d.bits + d.stride * (d.top_down ? y : h - 1 - y);
    for (int x = 0; x < w; ++x) out[(size_t)y * w + x] = d.At(row, x);
  }
  return true;
}

// A DIB as a new 32-bit bitmap (LoadBitmap).
HBITMAP BitmapFromDib(const BITMAPINFO *bmi) {
  std::vector<COLORREF> px;
  int w = 0, h = 0;
  if (!DecodeDib(bmi, nullptr, DIB_RGB_COLORS, px, w, h)) return 0;
  auto bm = std::make_shared<BitmapObj>();
  bm->surf = NewSurface(w, h);
  if (!bm->surf) return 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bm->surf->Row(y)[x] = ToPixel(px[(size_t)y * w + x]);
  cairo_surface_mark_dirty(bm->surf->cs);
  return AddObj(bm);
}

}  // namespace tavo::gdi

using namespace tavo::gdi;

int SetDIBitsToDevice(HDC hdc, int x, int y, DWORD w, DWORD h, int sx, int sy, UINT start,
                      UINT lines, const void *bits, const BITMAPINFO *bmi, UINT usage) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  Dib d;
  if (!dc || !bits || !d.Open(bmi, bits, usage) || !dc->surf) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (w > 16384 || h > 16384) return 0;
  const Region &clip = dc->Effective();
  int ox = x + dc->Dx(), oy = y + dc->Dy();
  std::vector<uint32_t> lut(d.table.size());
  for (size_t i = 0; i < lut.size(); ++i) lut[i] = Resolve(*dc, d.table[i]);
  for (int j = 0; j < (int)h; ++j) {
    // Rows count from the bottom in a bottom-up DIB (ySrc is its lower-left
    // corner), from the top in a top-down one.
    long r = d.top_down ? (long)sy + j : (long)sy + ((long)h - 1 - j);
    if (r < 0 || r >= d.h || r < (long)start || r >= (long)start + (long)lines) continue;
    const uint8_t *row = d.bits + d.stride * (size_t)(r - start);
    int py = oy + j;
    for (int i = 0; i < (int)w; ++i) {
      int c = sx + i;
      if (c < 0 || c >= d.w) continue;
      int px = ox + i;
      if (!clip.Contains(px, py)) continue;
      uint32_t v;
      if (d.bpp <= 8) {
        size_t k = d.bpp == 8 ? row[c]
                   : d.bpp == 4 ? (row[c >> 1] >> ((c & 1) ? 0 : 4)) & 0xF
                                : (row[c >> 3] >> (7 - (c & 7))) & 1;
        v = k < lut.size() ? lut[k] : 0;
      } else {
        v = ToPixel(d.At(row, c));
      }
      dc->surf->Row(py)[px] = v;
    }
  }
  return (int)lines;
}

int StretchDIBits(HDC hdc, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                  const void *bits, const BITMAPINFO *bmi, UINT usage, DWORD rop) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  std::vector<COLORREF> px;
  int dw = 0, dh = 0;
  bool top_down = false;
  if (!dc || !bits || !DecodeDib(bmi, bits, usage, px, dw, dh, &top_down) || w == 0 || h == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // The source as a temporary memory DC, so the raster operation and the
  // stretching are BitBlt's.
  HDC mem = CreateCompatibleDC(0);
  HBITMAP bm = CreateCompatibleBitmap(0, dw, dh);
  HGDIOBJ old = SelectObject(mem, bm);
  DCObj *m = GetDC_(mem);
  m->st.palette = dc->st.palette;
  for (int r = 0; r < dh; ++r)
    for (int c = 0; c < dw; ++c) m->surf->Row(r)[c] = Resolve(*m, px[(size_t)r * dw + c]);
  int top = top_down ? sy : dh - sy - sh;  // source rows counted from the bottom
  StretchBlt(hdc, x, y, w, h, mem, sx, top, sw, sh, rop);
  SelectObject(mem, old);
  DeleteObject(bm);
  DeleteDC(mem);
  return std::abs(h);
}
