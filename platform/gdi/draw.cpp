// Lines, rectangles, fills, raster operations and blits, done on the pixels
// with GDI's rules: a line leaves out its end point, a rectangle's right and
// bottom edges are outside it, nothing is antialiased.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>

#include "gdiint.h"

namespace tavo::gdi {

unsigned Rop2Table(int rop2) { return (unsigned)(rop2 - 1) & 0xF; }

// The four-entry table over (pattern, destination) of a ternary raster
// operation that does not use its source.
static unsigned PatRop(DWORD rop) {
  unsigned t = (rop >> 16) & 0xFF, out = 0;
  for (unsigned p = 0; p < 2; ++p)
    for (unsigned d = 0; d < 2; ++d)
      if (t & (1u << (p << 2 | d))) out |= 1u << (p << 1 | d);
  return out;
}

static bool RopUsesSource(DWORD rop) {
  unsigned t = (rop >> 16) & 0xFF;
  return ((t >> 2) & 0x33) != (t & 0x33);
}

static inline uint32_t Op4(unsigned t, uint32_t p, uint32_t d) {
  switch (t) {
    case 0xC: return p;
    case 0xA: return d;
    case 0x5: return ~d & 0xFFFFFF;
    case 0x6: return (p ^ d) & 0xFFFFFF;
    case 0x9: return ~(p ^ d) & 0xFFFFFF;
    case 0x0: return 0;
    case 0xF: return 0xFFFFFF;
  }
  uint32_t r = 0;
  if (t & 8) r |= p & d;
  if (t & 4) r |= p & ~d;
  if (t & 2) r |= ~p & d;
  if (t & 1) r |= ~p & ~d;
  return r & 0xFFFFFF;
}

static inline uint32_t Op8(unsigned t, uint32_t p, uint32_t s, uint32_t d) {
  switch (t) {
    case 0xCC: return s;
    case 0x88: return s & d;
    case 0xEE: return (s | d) & 0xFFFFFF;
    case 0x66: return (s ^ d) & 0xFFFFFF;
    case 0x33: return ~s & 0xFFFFFF;
    case 0xF0: return p;
    case 0x55: return ~d & 0xFFFFFF;
  }
  uint32_t r = 0;
  for (unsigned i = 0; i < 8; ++i)
    if (t & (1u << i)) r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  return r & 0xFFFFFF;
}

static inline int Mod(int a, int m) {
  int r = a % m;
  return r < 0 ? r + m : r;
}

static inline uint32_t PatAt(const Fill &f, int x, int y) {
  if (f.pat.empty()) return f.solid;
  return f.pat[(size_t)Mod(y - f.org_y, f.ph) * f.pw + Mod(x - f.org_x, f.pw)];
}

namespace {

// A run of one pixel value: the C library's wide fill stores it many
// pixels at a time, where a plain loop stores one.
static_assert(sizeof(wchar_t) == sizeof(uint32_t));
inline void FyldPixels(uint32_t *p, int n, uint32_t v) {
  if (n > 0) wmemset(reinterpret_cast<wchar_t *>(p), static_cast<wchar_t>(v), static_cast<size_t>(n));
}

}  // namespace

void FillDev(DCObj &dc, RECT r, const Fill &f, unsigned op4) {
  if (f.none || !dc.surf) return;
  Surface &s = *dc.surf;
  for (const RECT &c : dc.Effective().rects) {
    int l = std::max(r.left, c.left), t = std::max(r.top, c.top);
    int rr = std::min(r.right, c.right), b = std::min(r.bottom, c.bottom);
    if (l >= rr || t >= b) continue;
    for (int y = t; y < b; ++y) {
      uint32_t *row = s.Row(y);
      if (f.pat.empty()) {
        if (op4 == 0xC)
          FyldPixels(row + l, rr - l, f.solid);
        else
          for (int x = l; x < rr; ++x) row[x] = Op4(op4, f.solid, row[x]);
      } else {
        // The pattern's column steps along the row: no division per pixel.
        const uint32_t *prow = &f.pat[(size_t)Mod(y - f.org_y, f.ph) * f.pw];
        int px = Mod(l - f.org_x, f.pw);
        for (int x = l; x < rr; ++x) {
          row[x] = op4 == 0xC ? prow[px] : Op4(op4, prow[px], row[x]);
          if (++px == f.pw) px = 0;
        }
      }
    }
  }
  if (s.mono)
    for (const RECT &c : dc.Effective().rects)
      for (int y = std::max(r.top, c.top); y < std::min(r.bottom, c.bottom); ++y)
        for (int x = std::max(r.left, c.left); x < std::min(r.right, c.right); ++x) {
          uint32_t &p = s.Row(y)[x];
          // A 1-bit bitmap keeps white only where the colour is the brightest.
          p = p == 0xFFFFFF ? 0xFFFFFF : 0;
        }
}

void PlotDev(DCObj &dc, int x, int y, uint32_t p, unsigned op4) {
  if (!dc.surf || !dc.Effective().Contains(x, y)) return;
  uint32_t &d = dc.surf->Row(y)[x];
  d = Op4(op4, p, d);
}

}  // namespace tavo::gdi

using namespace tavo::gdi;

static RECT Norm(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  return RECT{l, t, r, b};
}

static RECT ToDev(DCObj &dc, const RECT &rc) {
  return RECT{rc.left + dc.Dx(), rc.top + dc.Dy(), rc.right + dc.Dx(), rc.bottom + dc.Dy()};
}

// ------------------------------------------------------------ fills

int FillRect(HDC hdc, const RECT *rc, HBRUSH brush) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !rc) return 0;
  // Windows accepts a system colour index + 1 in place of a brush.
  if (brush >= 1 && brush <= 31) brush = SysColorBrush((int)brush - 1);
  if (rc->left >= rc->right || rc->top >= rc->bottom) return 1;
  FillDev(*dc, ToDev(*dc, *rc), BrushFill(*dc, brush), 0xC);
  return 1;
}

int FrameRect(HDC hdc, const RECT *rc, HBRUSH brush) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !rc) return 0;
  if (rc->left >= rc->right || rc->top >= rc->bottom) return 1;
  RECT d = ToDev(*dc, *rc);
  Fill f = BrushFill(*dc, brush);
  FillDev(*dc, RECT{d.left, d.top, d.right, d.top + 1}, f, 0xC);
  FillDev(*dc, RECT{d.left, d.bottom - 1, d.right, d.bottom}, f, 0xC);
  FillDev(*dc, RECT{d.left, d.top + 1, d.left + 1, d.bottom - 1}, f, 0xC);
  FillDev(*dc, RECT{d.right - 1, d.top + 1, d.right, d.bottom - 1}, f, 0xC);
  return 1;
}

BOOL InvertRect(HDC hdc, const RECT *rc) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !rc) return FALSE;
  Fill f;
  FillDev(*dc, ToDev(*dc, Norm(rc->left, rc->top, rc->right, rc->bottom)), f, 0x5);
  return TRUE;
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || RopUsesSource(rop)) return FALSE;
  RECT r = Norm(x, y, x + w, y + h);
  Fill f = BrushFill(*dc, dc->st.brush);
  unsigned op = PatRop(rop);
  if (f.none) {
    // A null brush leaves the pattern out: only the destination part counts.
    if (op == 0xC || op == 0x6 || op == 0x9) return TRUE;
    f.none = false;
    f.solid = 0;
  }
  FillDev(*dc, ToDev(*dc, r), f, op);
  return TRUE;
}

BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  RegionObj *g = Get<RegionObj>(rgn, Kind::Region);
  if (!dc || !g) return FALSE;
  Fill f = BrushFill(*dc, brush);
  for (const RECT &r : g->r.rects) FillDev(*dc, ToDev(*dc, r), f, 0xC);
  return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return CLR_INVALID;
  int dx = x + dc->Dx(), dy = y + dc->Dy();
  if (!dc->surf || !dc->Effective().Contains(dx, dy)) return CLR_INVALID;
  uint32_t p = Resolve(*dc, color);
  if (dc->surf->mono) p = p == 0xFFFFFF ? p : 0;
  dc->surf->Row(dy)[dx] = p;
  return ToColorRef(p);
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return CLR_INVALID;
  int dx = x + dc->Dx(), dy = y + dc->Dy();
  if (!dc->surf || !dc->Effective().Contains(dx, dy)) return CLR_INVALID;
  return ToColorRef(dc->surf->Row(dy)[dx] & 0xFFFFFF);
}

// ------------------------------------------------------------ lines

namespace {

struct PenDraw {
  DCObj *dc;
  bool none = false;
  int width = 1;
  uint32_t color = 0, bk = 0;
  bool opaque_gaps = false;
  const uint8_t *dashes = nullptr;  // on, off, on, off ... lengths; 0 ends
  int dash_len = 0;
  unsigned op = 0xC;
  int step = 0;  // position within the dash pattern

  void Point(int x, int y) {
    bool on = true;
    if (dashes) {
      int pos = step % dash_len, k = 0;
      while (pos >= dashes[k]) {
        pos -= dashes[k];
        ++k;
        on = !on;
      }
      ++step;
    }
    if (!on && !opaque_gaps) return;
    uint32_t c = on ? color : bk;
    if (width <= 1) {
      PlotDev(*dc, x, y, c, op);
    } else {
      Fill f;
      f.solid = c;
      int h = width / 2;
      FillDev(*dc, RECT{x - h, y - h, x - h + width, y - h + width}, f, op);
    }
  }
};

const uint8_t kDash[] = {18, 6, 0};
const uint8_t kDot[] = {3, 3, 0};
const uint8_t kDashDot[] = {9, 6, 3, 6, 0};
const uint8_t kDashDotDot[] = {9, 3, 3, 3, 3, 3, 0};

PenDraw MakePen(DCObj &dc) {
  PenDraw pd;
  pd.dc = &dc;
  PenObj *p = Get<PenObj>(dc.st.pen, Kind::Pen);
  if (!p || (p->lp.lopnStyle & PS_STYLE_MASK) == PS_NULL) {
    pd.none = true;
    return pd;
  }
  COLORREF c = dc.st.pen == GetStockObject(DC_PEN) ? dc.st.dc_pen : p->lp.lopnColor;
  pd.color = Resolve(dc, c);
  pd.bk = Resolve(dc, dc.st.bk);
  pd.width = std::max<int>(1, p->lp.lopnWidth.x);
  pd.op = Rop2Table(dc.st.rop2);
  pd.opaque_gaps = dc.st.bk_mode == OPAQUE;
  switch (p->lp.lopnStyle & PS_STYLE_MASK) {
    case PS_DASH: pd.dashes = kDash; break;
    case PS_DOT: pd.dashes = kDot; break;
    case PS_DASHDOT: pd.dashes = kDashDot; break;
    case PS_DASHDOTDOT: pd.dashes = kDashDotDot; break;
  }
  if (pd.dashes)
    for (int k = 0; pd.dashes[k]; ++k) pd.dash_len += pd.dashes[k];
  return pd;
}

// Bresenham from (x0, y0) towards (x1, y1), leaving out (x1, y1).
void Line(PenDraw &pd, int x0, int y0, int x1, int y1) {
  if (pd.none) return;
  if (!pd.dashes && pd.width <= 1 && (x0 == x1 || y0 == y1)) {
    // Straight lines are rectangles one pixel wide.
    Fill f;
    f.solid = pd.color;
    RECT r = x0 == x1 ? RECT{x0, std::min(y0, y1 + 1), x0 + 1, std::max(y0 + 1, y1)}
                      : RECT{std::min(x0, x1 + 1), y0, std::max(x0 + 1, x1), y0 + 1};
    FillDev(*pd.dc, r, f, pd.op);
    return;
  }
  long long len = std::max(std::llabs((long long)x1 - x0), std::llabs((long long)y1 - y0));
  if (len > (1 << 16)) {
    // An absurdly long line: only the part near the surface can show.
    RECT b = pd.dc->Effective().Box();
    double t0 = 0, t1 = 1, dx = (double)x1 - x0, dy = (double)y1 - y0;
    double lo[2] = {b.left - 2.0 - x0, b.top - 2.0 - y0}, hi[2] = {b.right + 2.0 - x0, b.bottom + 2.0 - y0};
    double d[2] = {dx, dy};
    for (int k = 0; k < 2; ++k) {
      if (d[k] == 0) {
        if (lo[k] > 0 || hi[k] < 0) return;
        continue;
      }
      double a = lo[k] / d[k], c = hi[k] / d[k];
      if (a > c) std::swap(a, c);
      t0 = std::max(t0, a);
      t1 = std::min(t1, c);
    }
    if (t0 >= t1) return;
    int nx0 = x0 + (int)std::lround(dx * t0), ny0 = y0 + (int)std::lround(dy * t0);
    int nx1 = x0 + (int)std::lround(dx * t1), ny1 = y0 + (int)std::lround(dy * t1);
    x0 = nx0;
    y0 = ny0;
    x1 = nx1;
    y1 = ny1;
  }
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    pd.Point(x0, y0);
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

}  // namespace

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT old) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->st.cur;
  dc->st.cur = POINT{x, y};
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT out) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->st.cur;
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return FALSE;
  PenDraw pd = MakePen(*dc);
  int ox = dc->Dx(), oy = dc->Dy();
  Line(pd, dc->st.cur.x + ox, dc->st.cur.y + oy, x + ox, y + oy);
  dc->st.cur = POINT{x, y};
  return TRUE;
}

BOOL Polyline(HDC hdc, const POINT *pts, int n) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !pts || n < 2) return FALSE;
  PenDraw pd = MakePen(*dc);
  int ox = dc->Dx(), oy = dc->Dy();
  for (int i = 0; i + 1 < n; ++i)
    Line(pd, pts[i].x + ox, pts[i].y + oy, pts[i + 1].x + ox, pts[i + 1].y + oy);
  return TRUE;
}

BOOL Rectangle(HDC hdc, int l, int t, int r, int b) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return FALSE;
  RECT d = ToDev(*dc, Norm(l, t, r, b));
  PenDraw pd = MakePen(*dc);
  unsigned op = Rop2Table(dc->st.rop2);
  Fill brush = BrushFill(*dc, dc->st.brush);
  if (pd.none) {
    // Without a pen the fill is one pixel smaller on the right and bottom.
    FillDev(*dc, RECT{d.left, d.top, d.right - 1, d.bottom - 1}, brush, op);
    return TRUE;
  }
  int w = pd.width;
  PenObj *p = Get<PenObj>(dc->st.pen, Kind::Pen);
  RECT outer = d;
  if (w > 1 && (p->lp.lopnStyle & PS_STYLE_MASK) != PS_INSIDEFRAME) {
    outer.left -= w / 2;
    outer.top -= w / 2;
    outer.right = d.right - 1 - w / 2 + w;
    outer.bottom = d.bottom - 1 - w / 2 + w;
  }
  RECT inner{outer.left + w, outer.top + w, outer.right - w, outer.bottom - w};
  if (inner.left < inner.right && inner.top < inner.bottom) FillDev(*dc, inner, brush, op);
  if (!pd.dashes) {
    Fill f;
    f.solid = pd.color;
    FillDev(*dc, RECT{outer.left, outer.top, outer.right, std::min(outer.top + w, outer.bottom)},
            f, op);
    if (outer.bottom - w > outer.top + w)
      FillDev(*dc, RECT{outer.left, outer.bottom - w, outer.right, outer.bottom}, f, op);
    else if (outer.bottom > outer.top + w)
      FillDev(*dc, RECT{outer.left, outer.top + w, outer.right, outer.bottom}, f, op);
    FillDev(*dc, RECT{outer.left, inner.top, std::min(outer.left + w, outer.right), inner.bottom},
            f, op);
    if (outer.right - w >= outer.left + w)
      FillDev(*dc, RECT{outer.right - w, inner.top, outer.right, inner.bottom}, f, op);
  } else {
    int x0 = d.left, y0 = d.top, x1 = d.right - 1, y1 = d.bottom - 1;
    Line(pd, x0, y0, x1, y0);
    Line(pd, x1, y0, x1, y1);
    Line(pd, x1, y1, x0, y1);
    Line(pd, x0, y1, x0, y0);
  }
  return TRUE;
}

// ------------------------------------------------------------ 3-D edges and focus

static void Band(DCObj &dc, int l, int t, int r, int b, COLORREF c) {
  if (l >= r || t >= b) return;
  Fill f;
  f.solid = ToPixel(c);
  FillDev(dc, RECT{l, t, r, b}, f, 0xC);
}

BOOL DrawEdge(HDC hdc, LPRECT rc, UINT edge, UINT flags) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !rc) return FALSE;
  RECT d = ToDev(*dc, *rc);
  auto sys = ClassicSysColor;
  enum { kLight = 22, kDark = 21, kHigh = 20, kShadow = 16, kFace = 15, kFrame = 6, kWin = 5 };
  struct Ring {
    bool on;
    COLORREF tl, br;
  } rings[2] = {};
  // outer ring, then inner ring
  if (edge & BDR_RAISEDOUTER) rings[0] = {true, sys(kLight), sys(kDark)};
  else if (edge & BDR_SUNKENOUTER) rings[0] = {true, sys(kShadow), sys(kHigh)};
  if (edge & BDR_RAISEDINNER) rings[1] = {true, sys(kHigh), sys(kShadow)};
  else if (edge & BDR_SUNKENINNER) rings[1] = {true, sys(kDark), sys(kLight)};
  if (flags & BF_SOFT) {
    if (edge & BDR_RAISEDOUTER) rings[0].tl = sys(kHigh);
    if (edge & BDR_SUNKENINNER) rings[1].tl = sys(kShadow);
  }
  if (flags & BF_MONO) {
    for (Ring &g : rings) g.tl = g.br = sys(kFrame);
    rings[1].tl = rings[1].br = sys(kWin);
  } else if (flags & BF_FLAT) {
    for (Ring &g : rings) g.tl = g.br = sys(kShadow);
    rings[1].tl = rings[1].br = sys(kFace);
  }
  for (const Ring &g : rings) {
    if (!g.on) continue;
    if (flags & BF_TOP) Band(*dc, d.left, d.top, d.right - 1, d.top + 1, g.tl);
    if (flags & BF_LEFT) Band(*dc, d.left, d.top, d.left + 1, d.bottom - 1, g.tl);
    if (flags & BF_BOTTOM) Band(*dc, d.left, d.bottom - 1, d.right, d.bottom, g.br);
    if (flags & BF_RIGHT) Band(*dc, d.right - 1, d.top, d.right, d.bottom, g.br);
    if (flags & BF_LEFT) ++d.left;
    if (flags & BF_TOP) ++d.top;
    if (flags & BF_RIGHT) --d.right;
    if (flags & BF_BOTTOM) --d.bottom;
  }
  if (flags & BF_MIDDLE)
    Band(*dc, d.left, d.top, d.right, d.bottom, sys((flags & BF_MONO) ? kWin : kFace));
  if (flags & BF_ADJUST) {
    rc->left = d.left - dc->Dx();
    rc->top = d.top - dc->Dy();
    rc->right = d.right - dc->Dx();
    rc->bottom = d.bottom - dc->Dy();
  }
  return TRUE;
}

BOOL DrawFocusRect(HDC hdc, const RECT *rc) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !rc) return FALSE;
  RECT d = ToDev(*dc, *rc);
  if (d.left >= d.right || d.top >= d.bottom) return TRUE;
  // Every other pixel of the one-pixel frame, inverted: a second call undoes it.
  auto dot = [&](int x, int y) {
    if (((x + y) & 1) == 0) PlotDev(*dc, x, y, 0xFFFFFF, 0x6);
  };
  for (int x = d.left; x < d.right; ++x) {
    dot(x, d.top);
    if (d.bottom - 1 > d.top) dot(x, d.bottom - 1);
  }
  for (int y = d.top + 1; y < d.bottom - 1; ++y) {
    dot(d.left, y);
    if (d.right - 1 > d.left) dot(d.right - 1, y);
  }
  return TRUE;
}

// ------------------------------------------------------------ blits

namespace {

// Copies the source pixels (surface coordinates) so that a blit within one
// surface reads what was there before it started.
struct SourceCopy {
  int x0 = 0, y0 = 0, w = 0, h = 0;
  std::vector<uint32_t> px;
  bool mono = false;
  bool Take(Surface &s, int x, int y, int cw, int ch) {
    x0 = std::max(0, x);
    y0 = std::max(0, y);
    int x1 = std::min(s.w, x + cw), y1 = std::min(s.h, y + ch);
    if (x0 >= x1 || y0 >= y1) return false;
    w = x1 - x0;
    h = y1 - y0;
    px.resize((size_t)w * h);
    for (int r = 0; r < h; ++r)
      std::memcpy(&px[(size_t)r * w], s.Row(y0 + r) + x0, (size_t)w * 4);
    mono = s.mono;
    return true;
  }
  bool At(int x, int y, uint32_t &out) const {
    x -= x0;
    y -= y0;
    if (x < 0 || y < 0 || x >= w || y >= h) return false;
    out = px[(size_t)y * w + x];
    return true;
  }
};

BOOL Blit(DCObj &dst, int x, int y, int w, int h, DCObj *src, int sx, int sy, int sw, int sh,
          DWORD rop) {
  if (!dst.surf) return FALSE;
  unsigned t = (rop >> 16) & 0xFF;
  bool use_src = RopUsesSource(rop);
  if (use_src && (!src || !src->surf)) return FALSE;
  Fill pat = BrushFill(dst, dst.st.brush);
  if (pat.none) pat = Fill{};
  int dx0 = x + dst.Dx(), dy0 = y + dst.Dy();
  SourceCopy sc;
  int ssx = 0, ssy = 0;
  uint32_t text = 0, bk = 0xFFFFFF, src_bk = 0xFFFFFF;
  if (use_src) {
    ssx = sx + src->Dx();
    ssy = sy + src->Dy();
    int lx = std::min(ssx, ssx + sw), ly = std::min(ssy, ssy + sh);
    if (!sc.Take(*src->surf, lx, ly, std::abs(sw), std::abs(sh))) return TRUE;
    text = Resolve(dst, dst.st.text);
    bk = Resolve(dst, dst.st.bk);
    src_bk = Resolve(*src, src->st.bk);
  }
  bool mono_to_colour = use_src && sc.mono && !dst.surf->mono;
  bool colour_to_mono = use_src && !sc.mono && dst.surf->mono;
  RECT dr = Norm(dx0, dy0, dx0 + w, dy0 + h);
  for (const RECT &c : dst.Effective().rects) {
    int l = std::max(dr.left, c.left), tp = std::max(dr.top, c.top);
    int r = std::min(dr.right, c.right), b = std::min(dr.bottom, c.bottom);
    for (int py = tp; py < b; ++py) {
      uint32_t *row = dst.surf->Row(py);
      int sy_ = 0;
      if (use_src) {
        if (sh == h)
          sy_ = ssy + (py - dy0);
        else
          sy_ = ssy + (int)std::floor(((py - dr.top) + 0.5) * sh / (double)std::abs(h));
      }
      for (int px = l; px < r; ++px) {
        uint32_t s = 0;
        if (use_src) {
          int sx_ = sw == w ? ssx + (px - dx0)
                            : ssx + (int)std::floor(((px - dr.left) + 0.5) * sw /
                                                    (double)std::abs(w));
          if (!sc.At(sx_, sy_, s)) continue;
          if (mono_to_colour) s = s == 0xFFFFFF ? bk : text;
          else if (colour_to_mono) s = s == src_bk ? 0xFFFFFF : 0;
        }
        uint32_t v = Op8(t, PatAt(pat, px, py), s, row[px]);
        if (dst.surf->mono) v = v == 0xFFFFFF ? v : 0;
        row[px] = v;
      }
    }
  }
  return TRUE;
}

}  // namespace

BOOL BitBlt(HDC hdst, int x, int y, int w, int h, HDC hsrc, int sx, int sy, DWORD rop) {
  TAVO_GDI_LOCK;
  DCObj *dst = GetDC_(hdst);
  DCObj *src = hsrc ? GetDC_(hsrc) : nullptr;
  if (!dst) return FALSE;
  return Blit(*dst, x, y, w, h, src, sx, sy, w, h, rop);
}

BOOL StretchBlt(HDC hdst, int x, int y, int w, int h, HDC hsrc, int sx, int sy, int sw, int sh,
                DWORD rop) {
  TAVO_GDI_LOCK;
  DCObj *dst = GetDC_(hdst);
  DCObj *src = hsrc ? GetDC_(hsrc) : nullptr;
  if (!dst || w == 0 || h == 0) return FALSE;
  // A mirrored destination becomes a mirrored source.
  if (w < 0) {
    x += w;
    w = -w;
    sx += sw;
    sw = -sw;
  }
  if (h < 0) {
    y += h;
    h = -h;
    sy += sh;
    sh = -sh;
  }
  return Blit(*dst, x, y, w, h, src, sx, sy, sw, sh, rop);
}
