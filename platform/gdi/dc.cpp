// Device contexts: creation, saved states, coordinates, modes, clipping,
// device capabilities and the bitmaps behind memory DCs.

#include <algorithm>
#include <cstring>

#include "gdiint.h"
#include "win/kerror.h"

namespace tavo::gdi {

HBITMAP DefaultBitmap();  // objects.cpp

const Region &DCObj::Effective() {
  if (!eff_dirty) return eff;
  Region r = vis;
  if (surf) r = Combine(r, Region::FromRect(0, 0, surf->w, surf->h), RGN_AND);
  else r = Region();
  if (has_paint_clip) {
    Region c = paint_clip;
    c.Offset(origin.x, origin.y);
    r = Combine(r, c, RGN_AND);
  }
  if (st.has_clip) {
    Region c = st.clip;
    c.Offset(origin.x, origin.y);
    r = Combine(r, c, RGN_AND);
  }
  eff = std::move(r);
  eff_dirty = false;
  return eff;
}

void SelectBitmapInto(DCObj &dc, HBITMAP h) {
  if (BitmapObj *old = Get<BitmapObj>(dc.st.bitmap, Kind::Bitmap)) old->selected_in = 0;
  BitmapObj *bm = Get<BitmapObj>(h, Kind::Bitmap);
  dc.st.bitmap = h;
  if (!bm) return;
  dc.surf = bm->surf;
  dc.vis = Region::FromRect(0, 0, bm->surf->w, bm->surf->h);
  dc.Invalidate();
}

void InitDC(DCObj &dc) {
  dc.st.pen = GetStockObject(BLACK_PEN);
  dc.st.brush = GetStockObject(WHITE_BRUSH);
  dc.st.font = GetStockObject(SYSTEM_FONT);
  dc.st.palette = 0;
}

HDC NewWindowDC(HWND hwnd, std::function<void(DCObj &)> refresh) {
  TAVO_GDI_LOCK;
  auto dc = std::make_shared<DCObj>();
  dc->memory = false;
  dc->hwnd = hwnd;
  InitDC(*dc);
  dc->refresh = std::move(refresh);
  return AddObj(dc);
}

}  // namespace tavo::gdi

using namespace tavo::gdi;

static void MarkSelected(HDC hdc, DCObj &dc) {
  if (BitmapObj *bm = Get<BitmapObj>(dc.st.bitmap, Kind::Bitmap))
    if (!bm->stock) bm->selected_in = hdc;
}

HDC CreateCompatibleDC(HDC) {
  TAVO_GDI_LOCK;
  auto dc = std::make_shared<DCObj>();
  dc->memory = true;
  InitDC(*dc);
  SelectBitmapInto(*dc, DefaultBitmap());
  return AddObj(dc);
}

BOOL DeleteDC(HDC hdc) {
  TAVO_GDI_LOCK;
  DCObj *dc = Get<DCObj>(hdc, Kind::DC);
  if (!dc) return FALSE;
  if (BitmapObj *bm = Get<BitmapObj>(dc->st.bitmap, Kind::Bitmap)) bm->selected_in = 0;
  for (auto &s : dc->saved)
    if (BitmapObj *bm = Get<BitmapObj>(s.bitmap, Kind::Bitmap)) bm->selected_in = 0;
  RemoveObj(hdc);
  return TRUE;
}

int SaveDC(HDC hdc) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return 0;
  dc->saved.push_back(dc->st);
  return (int)dc->saved.size();
}

BOOL RestoreDC(HDC hdc, int saved) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return FALSE;
  int n = (int)dc->saved.size();
  int level = saved < 0 ? n + saved + 1 : saved;
  if (level < 1 || level > n) return FALSE;
  HBITMAP before = dc->st.bitmap;
  dc->st = dc->saved[level - 1];
  dc->saved.resize(level - 1);
  if (dc->memory && dc->st.bitmap != before) {
    HBITMAP b = dc->st.bitmap;
    dc->st.bitmap = before;
    SelectBitmapInto(*dc, b);
    MarkSelected(hdc, *dc);
  }
  dc->Invalidate();
  return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
  switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return GetSystemMetrics(SM_CXSCREEN) * 254 / 960;  // millimetres at 96 dpi
    case VERTSIZE: return GetSystemMetrics(SM_CYSCREEN) * 254 / 960;
    case HORZRES: return GetSystemMetrics(SM_CXSCREEN);
    case VERTRES: return GetSystemMetrics(SM_CYSCREEN);
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case NUMFONTS: return 0;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
  }
  return 0;
}

// ------------------------------------------------------------ coordinates

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->st.vp_org;
  dc->st.vp_org = POINT{x, y};
  return TRUE;
}

BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT old) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->st.vp_org;
  dc->st.vp_org.x += dx;
  dc->st.vp_org.y += dy;
  return TRUE;
}

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->st.win_org;
  dc->st.win_org = POINT{x, y};
  return TRUE;
}

BOOL GetViewportOrgEx(HDC hdc, LPPOINT out) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->st.vp_org;
  return TRUE;
}

BOOL GetWindowOrgEx(HDC hdc, LPPOINT out) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->st.win_org;
  return TRUE;
}

int SetMapMode(HDC hdc, int mode) {
  // Only MM_TEXT is used: one logical unit is one pixel.
  return GetDC_(hdc) ? MM_TEXT : 0;
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT old) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->st.brush_org;
  dc->st.brush_org = POINT{x, y};
  return TRUE;
}

// ------------------------------------------------------------ colours and modes

#define DC_SETTER(type, Name, field, bad)      \
  type Name(HDC hdc, type v) {                 \
    TAVO_GDI_LOCK;                             \
    DCObj *dc = GetDC_(hdc);                   \
    if (!dc) return bad;                       \
    type old = (type)dc->st.field;             \
    dc->st.field = v;                          \
    return old;                                \
  }
#define DC_GETTER(type, Name, field, bad) \
  type Name(HDC hdc) {                    \
    TAVO_GDI_LOCK;                        \
    DCObj *dc = GetDC_(hdc);              \
    return dc ? (type)dc->st.field : bad; \
  }

DC_SETTER(COLORREF, SetTextColor, text, CLR_INVALID)
DC_GETTER(COLORREF, GetTextColor, text, CLR_INVALID)
DC_SETTER(COLORREF, SetBkColor, bk, CLR_INVALID)
DC_GETTER(COLORREF, GetBkColor, bk, CLR_INVALID)
DC_GETTER(int, GetBkMode, bk_mode, 0)
DC_GETTER(int, GetROP2, rop2, 0)
DC_SETTER(UINT, SetTextAlign, align, 0xFFFFFFFFu)
DC_GETTER(UINT, GetTextAlign, align, 0xFFFFFFFFu)
DC_SETTER(COLORREF, SetDCBrushColor, dc_brush, CLR_INVALID)
DC_SETTER(COLORREF, SetDCPenColor, dc_pen, CLR_INVALID)

int SetBkMode(HDC hdc, int mode) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
  int old = dc->st.bk_mode;
  dc->st.bk_mode = mode;
  return old;
}

int SetROP2(HDC hdc, int mode) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || mode < R2_BLACK || mode > R2_WHITE) return 0;
  int old = dc->st.rop2;
  dc->st.rop2 = mode;
  return old;
}

int SetStretchBltMode(HDC hdc, int mode) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return 0;
  int old = dc->st.stretch_mode;
  dc->st.stretch_mode = mode;
  return old;
}

// ------------------------------------------------------------ clipping

static RECT LogicalToDevice(DCObj &dc, int l, int t, int r, int b) {
  int dx = dc.st.vp_org.x - dc.st.win_org.x, dy = dc.st.vp_org.y - dc.st.win_org.y;
  return RECT{l + dx, t + dy, r + dx, b + dy};
}

// The DC's own clip region in device coordinates; without one, everything
// (the visible region is applied when drawing, so a later change of the
// window's place or siblings is not frozen into the clip).
static Region DeviceClip(DCObj &dc) {
  if (dc.st.has_clip) return dc.st.clip;
  return Region::FromRect(-(1 << 28), -(1 << 28), 1 << 28, 1 << 28);
}

int SelectClipRgn(HDC hdc, HRGN rgn) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return ERROR;
  dc->Invalidate();
  if (!rgn) {
    dc->st.has_clip = false;
    dc->st.clip = Region();
    return dc->Effective().Kind();
  }
  RegionObj *g = Get<RegionObj>(rgn, Kind::Region);
  if (!g) return ERROR;
  dc->st.has_clip = true;
  dc->st.clip = g->r;
  return dc->Effective().Kind();
}

int GetClipRgn(HDC hdc, HRGN rgn) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  RegionObj *g = Get<RegionObj>(rgn, Kind::Region);
  if (!dc || !g) return -1;
  if (!dc->st.has_clip) return 0;
  g->r = dc->st.clip;
  return 1;
}

int IntersectClipRect(HDC hdc, int l, int t, int r, int b) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return ERROR;
  RECT d = LogicalToDevice(*dc, l, t, r, b);
  Region cur = DeviceClip(*dc);
  dc->st.clip = Combine(cur, Region::FromRect(d.left, d.top, d.right, d.bottom), RGN_AND);
  dc->st.has_clip = true;
  dc->Invalidate();
  return dc->Effective().Kind();
}

int ExcludeClipRect(HDC hdc, int l, int t, int r, int b) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return ERROR;
  RECT d = LogicalToDevice(*dc, l, t, r, b);
  Region cur = DeviceClip(*dc);
  dc->st.clip = Combine(cur, Region::FromRect(d.left, d.top, d.right, d.bottom), RGN_DIFF);
  dc->st.has_clip = true;
  dc->Invalidate();
  return dc->Effective().Kind();
}

int GetClipBox(HDC hdc, LPRECT out) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !out) return ERROR;
  const Region &e = dc->Effective();
  RECT b = e.Box();
  int dx = dc->Dx(), dy = dc->Dy();
  *out = RECT{b.left - dx, b.top - dy, b.right - dx, b.bottom - dy};
  if (e.Empty()) *out = RECT{0, 0, 0, 0};
  return e.Kind();
}

BOOL PtVisible(HDC hdc, int x, int y) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  return dc && dc->Effective().Contains(x + dc->Dx(), y + dc->Dy());
}

BOOL RectVisible(HDC hdc, const RECT *rc) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !rc) return FALSE;
  Region r = Region::FromRect(rc->left + dc->Dx(), rc->top + dc->Dy(), rc->right + dc->Dx(),
                              rc->bottom + dc->Dy());
  return !Combine(dc->Effective(), r, RGN_AND).Empty();
}

// ------------------------------------------------------------ bitmaps

HBITMAP CreateCompatibleBitmap(HDC hdc, int w, int h) {
  if (w <= 0 || h <= 0 || w > 16384 || h > 16384 || (int64_t)w * h > (1 << 26)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto bm = std::make_shared<BitmapObj>();
  bm->surf = NewSurface(w, h);
  if (!bm->surf) return 0;
  return AddObj(bm);
}

HBITMAP CreateBitmap(int w, int h, UINT planes, UINT bpp, const void *bits) {
  if (w <= 0 || h <= 0 || w > 16384 || h > 16384 || (int64_t)w * h > (1 << 26) || planes != 1 ||
      (bpp != 1 && bpp != 32 && bpp != 24)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto bm = std::make_shared<BitmapObj>();
  bm->surf = NewSurface(w, h);
  if (!bm->surf) return 0;
  bm->bpp = (int)bpp;
  bm->surf->mono = bpp == 1;
  if (bits) {
    // Rows are padded to 16 bits, as for device-dependent bitmaps.
    const uint8_t *p = static_cast<const uint8_t *>(bits);
    size_t stride = ((size_t)w * bpp + 15) / 16 * 2;
    for (int y = 0; y < h; ++y) {
      const uint8_t *row = p + stride * y;
      uint32_t *out = bm->surf->Row(y);
      for (int x = 0; x < w; ++x) {
        if (bpp == 1)
          out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 0xFFFFFF : 0;
        else if (bpp == 24)
          out[x] = (uint32_t)row[x * 3] | ((uint32_t)row[x * 3 + 1] << 8) |
                   ((uint32_t)row[x * 3 + 2] << 16);
        else
          out[x] = (uint32_t)row[x * 4] | ((uint32_t)row[x * 4 + 1] << 8) |
                   ((uint32_t)row[x * 4 + 2] << 16);
      }
    }
    cairo_surface_mark_dirty(bm->surf->cs);
  }
  return AddObj(bm);
}

// ------------------------------------------------------------ palettes in DCs

HPALETTE SelectPalette(HDC hdc, HPALETTE pal, BOOL) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !Get<PaletteObj>(pal, Kind::Palette)) return 0;
  HPALETTE old = dc->st.palette ? dc->st.palette : GetStockObject(DEFAULT_PALETTE);
  dc->st.palette = pal;
  return old;
}

UINT RealizePalette(HDC hdc) {
  // A true-colour surface needs no mapping: the entries are used as they are.
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return (UINT)-1;
  return (UINT)DCPalette(*dc).e.size();
}

BOOL UpdateColors(HDC hdc) {
  // Pixels hold colours, not palette indexes, so there is nothing to remap.
  return GetDC_(hdc) ? TRUE : FALSE;
}
