// GDI objects behind 32-bit handles: the table, stock objects, regions,
// pens, brushes, palettes, and SelectObject/DeleteObject/GetObject.

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <unordered_map>

#include "gdiint.h"
#include "gdiwin.h"
#include "win/kerror.h"

namespace tavo::gdi {

std::recursive_mutex &Lock() {
  static std::recursive_mutex m;
  return m;
}

// ------------------------------------------------------------ surfaces

Surface::~Surface() {
  if (cs) cairo_surface_destroy(cs);
}

SurfacePtr NewSurface(int w, int h) {
  auto s = std::make_shared<Surface>();
  w = std::max(w, 1);
  h = std::max(h, 1);
  s->cs = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  if (cairo_surface_status(s->cs) != CAIRO_STATUS_SUCCESS) return nullptr;
  s->w = w;
  s->h = h;
  s->stride = cairo_image_surface_get_stride(s->cs) / 4;
  s->px = reinterpret_cast<uint32_t *>(cairo_image_surface_get_data(s->cs));
  std::fill(s->px, s->px + (size_t)s->stride * h, 0u);
  cairo_surface_mark_dirty(s->cs);
  return s;
}

// ------------------------------------------------------------ regions

RECT Region::Box() const {
  if (rects.empty()) return RECT{0, 0, 0, 0};
  RECT b = rects[0];
  for (const RECT &r : rects) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

bool Region::Contains(int x, int y) const {
  for (const RECT &r : rects)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

void Region::Offset(int dx, int dy) {
  for (RECT &r : rects) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
  }
}

int Region::Kind() const {
  return rects.empty() ? NULLREGION : rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

Region Region::FromRect(int l, int t, int r, int b) {
  Region g;
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  if (l < r && t < b) g.rects.push_back(RECT{l, t, r, b});
  return g;
}

namespace {

// The x-intervals a region covers within the band [y0, y1).
void BandSpans(const Region &g, int y0, int y1, std::vector<std::pair<int, int>> &out) {
  out.clear();
  for (const RECT &r : g.rects)
    if (r.top <= y0 && r.bottom >= y1) out.push_back({r.left, r.right});
  std::sort(out.begin(), out.end());
  // merge touching intervals
  size_t k = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    if (k > 0 && out[i].first <= out[k - 1].second)
      out[k - 1].second = std::max(out[k - 1].second, out[i].second);
    else
      out[k++] = out[i];
  }
  out.resize(k);
}

bool InSpans(const std::vector<std::pair<int, int>> &s, int x) {
  for (auto &p : s)
    if (x >= p.first && x < p.second) return true;
  return false;
}

}  // namespace

Region Combine(const Region &a, const Region &b, int mode) {
  if (mode == RGN_COPY) return a;
  std::vector<int> ys;
  for (const RECT &r : a.rects) ys.insert(ys.end(), {(int)r.top, (int)r.bottom});
  for (const RECT &r : b.rects) ys.insert(ys.end(), {(int)r.top, (int)r.bottom});
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  Region out;
  std::vector<std::pair<int, int>> sa, sb, res, prev;
  size_t prev_start = 0;
  int prev_bottom = INT32_MIN;
  for (size_t i = 0; i + 1 < ys.size(); ++i) {
    int y0 = ys[i], y1 = ys[i + 1];
    BandSpans(a, y0, y1, sa);
    BandSpans(b, y0, y1, sb);
    std::vector<int> xs;
    for (auto &p : sa) xs.insert(xs.end(), {p.first, p.second});
    for (auto &p : sb) xs.insert(xs.end(), {p.first, p.second});
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    res.clear();
    for (size_t j = 0; j + 1 < xs.size(); ++j) {
      bool ia = InSpans(sa, xs[j]), ib = InSpans(sb, xs[j]);
      bool in = mode == RGN_AND ? (ia && ib)
                : mode == RGN_OR ? (ia || ib)
                : mode == RGN_XOR ? (ia != ib)
                                  : (ia && !ib);
      if (!in) continue;
      if (!res.empty() && res.back().second == xs[j])
        res.back().second = xs[j + 1];
      else
        res.push_back({xs[j], xs[j + 1]});
    }
    if (res.empty()) {
      prev.clear();
      continue;
    }
    // A band equal to the one just above it extends those rectangles.
    if (prev_bottom == y0 && res == prev) {
      for (size_t k = prev_start; k < out.rects.size(); ++k) out.rects[k].bottom = y1;
    } else {
      prev_start = out.rects.size();
      for (auto &p : res) out.rects.push_back(RECT{p.first, y0, p.second, y1});
      prev = res;
    }
    prev_bottom = y1;
  }
  return out;
}

// ------------------------------------------------------------ handle table
//
// The map owns the objects and is changed under the drawing lock. Beside
// it, every handle's object is reachable without the lock through a
// two-level table (the handle's high 16 bits pick a page of 65536 slots),
// as painting looks up its DC, pens, brushes and fonts on every call: the
// objects a thread paints with are its own, so a lookup needs no more than
// the slot. Pages are never freed while the process runs.

namespace {

constexpr uint32_t kSideBits = 16;
constexpr uint32_t kSideSlots = 1u << kSideBits;
struct Side {
  std::atomic<Obj *> slot[kSideSlots] = {};
};

struct Table {
  std::unordered_map<uint32_t, std::shared_ptr<Obj>> objs;
  uint32_t next = 0x00A10000;
  std::atomic<Side *> sider[1u << (32 - kSideBits)] = {};
};

Table &T() {
  static Table *t = new Table;  // outlives static destructors of callers
  return *t;
}

std::atomic<Obj *> *Slot(Table &t, uint32_t h, bool opret) {
  std::atomic<Side *> &s = t.sider[h >> kSideBits];
  Side *side = s.load(std::memory_order_acquire);
  if (!side) {
    if (!opret) return nullptr;
    side = new Side;
    s.store(side, std::memory_order_release);
  }
  return &side->slot[h & (kSideSlots - 1)];
}

}  // namespace

HGDIOBJ AddObj(std::shared_ptr<Obj> obj) {
  TAVO_GDI_LOCK;
  Table &t = T();
  for (;;) {
    uint32_t h = t.next++;
    if (t.next == 0xFFFFFFF0u) t.next = 0x00A10000;
    if (h == 0 || t.objs.count(h)) continue;
    Obj *raw = obj.get();
    t.objs.emplace(h, std::move(obj));
    Slot(t, h, true)->store(raw, std::memory_order_release);
    return h;
  }
}

std::shared_ptr<Obj> FindObj(HGDIOBJ h) {
  TAVO_GDI_LOCK;
  auto &m = T().objs;
  auto it = m.find(h);
  return it == m.end() ? nullptr : it->second;
}

Obj *LookObj(HGDIOBJ h) {
  std::atomic<Obj *> *s = Slot(T(), h, false);
  return s ? s->load(std::memory_order_acquire) : nullptr;
}

bool RemoveObj(HGDIOBJ h) {
  TAVO_GDI_LOCK;
  Table &t = T();
  if (std::atomic<Obj *> *s = Slot(t, h, false)) s->store(nullptr, std::memory_order_release);
  return t.objs.erase(h) > 0;
}

std::atomic<uint64_t> g_window_draws{0};

DCObj *GetDC_(HDC h) {
  Obj *o = LookObj(h);
  if (!o || o->kind != Kind::DC) return nullptr;
  DCObj *dc = static_cast<DCObj *>(o);
  if (dc->refresh) {
    dc->refresh(*dc);
    if (dc->surf) ++dc->surf->serial;
    g_window_draws.fetch_add(1, std::memory_order_relaxed);
  }
  return dc;
}

// ------------------------------------------------------------ system colours

COLORREF ClassicSysColor(int index) { return GetSysColor(index); }

HBRUSH SysColorBrush(int index) {
  TAVO_GDI_LOCK;
  static std::map<int, HBRUSH> brushes;
  if (index < 0 || index > 30) return 0;
  auto it = brushes.find(index);
  if (it != brushes.end()) return it->second;
  auto b = std::make_shared<BrushObj>();
  b->stock = true;
  b->color = ClassicSysColor(index);
  HBRUSH h = AddObj(b);
  brushes[index] = h;
  return h;
}

// ------------------------------------------------------------ stock objects

namespace {

const PALETTEENTRY kDefaultPalette[20] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
    {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
    {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0}, {160, 160, 164, 0},
    {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},     {255, 255, 0, 0},
    {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};

struct Stock {
  HGDIOBJ obj[20] = {};
  HBITMAP default_bitmap = 0;
};

HBRUSH MakeStockBrush(UINT style, COLORREF c) {
  auto b = std::make_shared<BrushObj>();
  b->stock = true;
  b->style = style;
  b->color = c;
  return AddObj(b);
}

HPEN MakeStockPen(UINT style, COLORREF c) {
  auto p = std::make_shared<PenObj>();
  p->stock = true;
  p->lp.lopnStyle = style;
  p->lp.lopnWidth.x = 1;
  p->lp.lopnColor = c;
  return AddObj(p);
}

Stock &S() {
  static Stock *s = [] {
    auto *st = new Stock;
    st->obj[WHITE_BRUSH] = MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
    st->obj[LTGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(192, 192, 192));
    st->obj[GRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(128, 128, 128));
    st->obj[DKGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(64, 64, 64));
    st->obj[BLACK_BRUSH] = MakeStockBrush(BS_SOLID, RGB(0, 0, 0));
    st->obj[NULL_BRUSH] = MakeStockBrush(BS_NULL, 0);
    st->obj[WHITE_PEN] = MakeStockPen(PS_SOLID, RGB(255, 255, 255));
    st->obj[BLACK_PEN] = MakeStockPen(PS_SOLID, RGB(0, 0, 0));
    st->obj[NULL_PEN] = MakeStockPen(PS_NULL, 0);
    auto pal = std::make_shared<PaletteObj>();
    pal->stock = true;
    pal->e.assign(kDefaultPalette, kDefaultPalette + 20);
    st->obj[DEFAULT_PALETTE] = AddObj(pal);
    st->obj[DC_BRUSH] = MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
    st->obj[DC_PEN] = MakeStockPen(PS_SOLID, 0);
    auto bm = std::make_shared<BitmapObj>();
    bm->stock = true;
    bm->surf = NewSurface(1, 1);
    bm->surf->mono = true;
    bm->bpp = 1;
    st->default_bitmap = AddObj(bm);
    return st;
  }();
  return *s;
}

}  // namespace

HBITMAP DefaultBitmap() { return S().default_bitmap; }

const PaletteObj &DCPalette(DCObj &dc) {
  if (auto *p = Get<PaletteObj>(dc.st.palette, Kind::Palette)) return *p;
  return *Get<PaletteObj>(S().obj[DEFAULT_PALETTE], Kind::Palette);
}

uint32_t Resolve(DCObj &dc, COLORREF c) {
  switch (c >> 24) {
    case 0x01: {
      const PaletteObj &p = DCPalette(dc);
      unsigned i = c & 0xFFFF;
      if (i >= p.e.size()) i = 0;
      if (p.e.empty()) return 0;
      const PALETTEENTRY &e = p.e[i];
      return ((uint32_t)e.peRed << 16) | ((uint32_t)e.peGreen << 8) | e.peBlue;
    }
    default:  // plain RGB, and PALETTERGB, which on a true-colour surface is the colour itself
      return ToPixel(c & 0xFFFFFF);
  }
}

Fill BrushFill(DCObj &dc, HBRUSH brush) {
  Fill f;
  BrushObj *b = Get<BrushObj>(brush, Kind::Brush);
  if (!b || b->style == BS_NULL) {
    f.none = true;
    return f;
  }
  if (brush == S().obj[DC_BRUSH]) {
    f.solid = Resolve(dc, dc.st.dc_brush);
    return f;
  }
  if (b->pattern.empty()) {
    f.solid = Resolve(dc, b->color);
    return f;
  }
  // A pattern of one colour fills as that colour does, and the solid path
  // stores whole runs at once.
  if (std::all_of(b->pattern.begin(), b->pattern.end(), [&](auto v) { return v == b->pattern.front(); })) {
    f.solid = Resolve(dc, b->pattern.front());
    return f;
  }
  f.pw = b->pw;
  f.ph = b->ph;
  f.pat.resize(b->pattern.size());
  for (size_t i = 0; i < b->pattern.size(); ++i) f.pat[i] = Resolve(dc, b->pattern[i]);
  f.org_x = dc.origin.x + dc.st.brush_org.x;
  f.org_y = dc.origin.y + dc.st.brush_org.y;
  return f;
}

}  // namespace tavo::gdi

using namespace tavo::gdi;

HGDIOBJ GetStockObject(int which) {
  TAVO_GDI_LOCK;
  if (which < 0 || which >= 20) return 0;
  if (which == OEM_FIXED_FONT || which == ANSI_FIXED_FONT || which == ANSI_VAR_FONT ||
      which == SYSTEM_FONT || which == DEVICE_DEFAULT_FONT || which == SYSTEM_FIXED_FONT ||
      which == DEFAULT_GUI_FONT)
    return StockFont(which);
  return S().obj[which];
}

DWORD GetObjectType(HGDIOBJ h) {
  auto o = FindObj(h);
  if (!o) return 0;
  switch (o->kind) {
    case Kind::Pen: return OBJ_PEN;
    case Kind::Brush: return OBJ_BRUSH;
    case Kind::Font: return OBJ_FONT;
    case Kind::Bitmap: return OBJ_BITMAP;
    case Kind::Palette: return OBJ_PAL;
    case Kind::Region: return OBJ_REGION;
    case Kind::DC: return static_cast<DCObj *>(o.get())->memory ? OBJ_MEMDC : OBJ_DC;
    case Kind::Icon: return 0;
  }
  return 0;
}

// ------------------------------------------------------------ pens and brushes

HPEN CreatePenIndirect(const LOGPEN *lp) {
  if (!lp) return 0;
  auto p = std::make_shared<PenObj>();
  p->lp = *lp;
  if ((p->lp.lopnStyle & PS_STYLE_MASK) > PS_INSIDEFRAME) p->lp.lopnStyle = PS_SOLID;
  if (p->lp.lopnWidth.x < 1) p->lp.lopnWidth.x = 1;
  // Wide pens are always solid.
  if (p->lp.lopnWidth.x > 1 && (p->lp.lopnStyle & PS_STYLE_MASK) >= PS_DASH &&
      (p->lp.lopnStyle & PS_STYLE_MASK) <= PS_DASHDOTDOT)
    p->lp.lopnStyle = PS_SOLID;
  return AddObj(p);
}

HPEN CreatePen(int style, int width, COLORREF color) {
  LOGPEN lp{};
  lp.lopnStyle = (UINT)style;
  lp.lopnWidth.x = width;
  lp.lopnColor = color;
  return CreatePenIndirect(&lp);
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto b = std::make_shared<BrushObj>();
  b->color = color;
  return AddObj(b);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH *lb) {
  if (!lb) return 0;
  if (lb->lbStyle == BS_SOLID) return CreateSolidBrush(lb->lbColor);
  if (lb->lbStyle == BS_NULL) return GetStockObject(NULL_BRUSH);
  if (lb->lbStyle == BS_PATTERN) return CreatePatternBrush((HBITMAP)lb->lbHatch);
  if (lb->lbStyle == BS_DIBPATTERNPT)
    return CreateDIBPatternBrushPt((const void *)lb->lbHatch, LOWORD(lb->lbColor));
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  TAVO_GDI_LOCK;
  BitmapObj *bm = Get<BitmapObj>(bitmap, Kind::Bitmap);
  if (!bm || !bm->surf) return 0;
  auto b = std::make_shared<BrushObj>();
  b->style = BS_PATTERN;
  b->pw = bm->surf->w;
  b->ph = bm->surf->h;
  for (int y = 0; y < b->ph; ++y)
    for (int x = 0; x < b->pw; ++x) b->pattern.push_back(ToColorRef(bm->surf->Row(y)[x]));
  return AddObj(b);
}

HBRUSH CreateDIBPatternBrushPt(const void *packed, UINT usage) {
  if (!packed) return 0;
  const BITMAPINFO *bmi = static_cast<const BITMAPINFO *>(packed);
  auto b = std::make_shared<BrushObj>();
  b->style = BS_DIBPATTERNPT;
  int w = 0, h = 0;
  if (!DecodeDib(bmi, nullptr, usage, b->pattern, w, h)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  b->pw = w;
  b->ph = h;
  return AddObj(b);
}

// ------------------------------------------------------------ palettes

HPALETTE CreatePalette(const LOGPALETTE *lp) {
  if (!lp || lp->palNumEntries == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto p = std::make_shared<PaletteObj>();
  p->e.assign(lp->palPalEntry, lp->palPalEntry + lp->palNumEntries);
  return AddObj(p);
}

UINT SetPaletteEntries(HPALETTE pal, UINT start, UINT n, const PALETTEENTRY *entries) {
  TAVO_GDI_LOCK;
  PaletteObj *p = Get<PaletteObj>(pal, Kind::Palette);
  if (!p || p->stock || !entries || start >= p->e.size()) return 0;
  n = std::min<UINT>(n, (UINT)p->e.size() - start);
  std::copy(entries, entries + n, p->e.begin() + start);
  return n;
}

UINT GetPaletteEntries(HPALETTE pal, UINT start, UINT n, LPPALETTEENTRY out) {
  TAVO_GDI_LOCK;
  PaletteObj *p = Get<PaletteObj>(pal, Kind::Palette);
  if (!p) return 0;
  if (!out) return (UINT)p->e.size();
  if (start >= p->e.size()) return 0;
  n = std::min<UINT>(n, (UINT)p->e.size() - start);
  std::copy(p->e.begin() + start, p->e.begin() + start + n, out);
  return n;
}

BOOL AnimatePalette(HPALETTE pal, UINT start, UINT n, const PALETTEENTRY *entries) {
  TAVO_GDI_LOCK;
  PaletteObj *p = Get<PaletteObj>(pal, Kind::Palette);
  if (!p || p->stock || !entries) return FALSE;
  // Only PC_RESERVED entries may be animated.
  for (UINT i = 0; i < n && start + i < p->e.size(); ++i)
    if (p->e[start + i].peFlags & PC_RESERVED) {
      BYTE flags = p->e[start + i].peFlags;
      p->e[start + i] = entries[i];
      p->e[start + i].peFlags = flags;
    }
  return TRUE;
}

UINT GetNearestPaletteIndex(HPALETTE pal, COLORREF c) {
  TAVO_GDI_LOCK;
  PaletteObj *p = Get<PaletteObj>(pal, Kind::Palette);
  if (!p) return CLR_INVALID;
  UINT best = 0;
  long bestd = -1;
  for (UINT i = 0; i < p->e.size(); ++i) {
    long dr = (long)p->e[i].peRed - GetRValue(c), dg = (long)p->e[i].peGreen - GetGValue(c),
         db = (long)p->e[i].peBlue - GetBValue(c);
    long d = dr * dr + dg * dg + db * db;
    if (bestd < 0 || d < bestd) {
      bestd = d;
      best = i;
    }
  }
  return best;
}

// ------------------------------------------------------------ regions

static RegionObj *Rgn(HRGN h) { return Get<RegionObj>(h, Kind::Region); }

HRGN CreateRectRgn(int l, int t, int r, int b) {
  auto g = std::make_shared<RegionObj>();
  g->r = Region::FromRect(l, t, r, b);
  return AddObj(g);
}

HRGN CreateRectRgnIndirect(const RECT *rc) {
  if (!rc) return 0;
  return CreateRectRgn(rc->left, rc->top, rc->right, rc->bottom);
}

BOOL SetRectRgn(HRGN h, int l, int t, int r, int b) {
  TAVO_GDI_LOCK;
  RegionObj *g = Rgn(h);
  if (!g) return FALSE;
  g->r = Region::FromRect(l, t, r, b);
  return TRUE;
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode) {
  TAVO_GDI_LOCK;
  RegionObj *d = Rgn(dest), *ra = Rgn(a), *rb = Rgn(b);
  if (!d || !ra || (mode != RGN_COPY && !rb) || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  d->r = Combine(ra->r, mode == RGN_COPY ? ra->r : rb->r, mode);
  return d->r.Kind();
}

int OffsetRgn(HRGN h, int dx, int dy) {
  TAVO_GDI_LOCK;
  RegionObj *g = Rgn(h);
  if (!g) return ERROR;
  g->r.Offset(dx, dy);
  return g->r.Kind();
}

BOOL PtInRegion(HRGN h, int x, int y) {
  TAVO_GDI_LOCK;
  RegionObj *g = Rgn(h);
  return g && g->r.Contains(x, y);
}

BOOL RectInRegion(HRGN h, const RECT *rc) {
  TAVO_GDI_LOCK;
  RegionObj *g = Rgn(h);
  if (!g || !rc) return FALSE;
  return !Combine(g->r, Region::FromRect(rc->left, rc->top, rc->right, rc->bottom), RGN_AND)
              .Empty();
}

int GetRgnBox(HRGN h, LPRECT out) {
  TAVO_GDI_LOCK;
  RegionObj *g = Rgn(h);
  if (!g || !out) return ERROR;
  *out = g->r.Box();
  return g->r.Kind();
}

BOOL EqualRgn(HRGN a, HRGN b) {
  TAVO_GDI_LOCK;
  RegionObj *ra = Rgn(a), *rb = Rgn(b);
  if (!ra || !rb) return FALSE;
  return Combine(ra->r, rb->r, RGN_XOR).Empty();
}

// ------------------------------------------------------------ select / delete / get

namespace tavo::gdi {
void SelectBitmapInto(DCObj &dc, HBITMAP h);  // dc.cpp
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  auto o = FindObj(obj);
  if (!dc || !o) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  HGDIOBJ old = 0;
  switch (o->kind) {
    case Kind::Pen: old = dc->st.pen; dc->st.pen = obj; break;
    case Kind::Brush: old = dc->st.brush; dc->st.brush = obj; break;
    case Kind::Font: old = dc->st.font; dc->st.font = obj; break;
    case Kind::Bitmap: {
      if (!dc->memory) return 0;
      BitmapObj *bm = static_cast<BitmapObj *>(o.get());
      if (bm->selected_in && bm->selected_in != hdc && !bm->stock) return 0;
      old = dc->st.bitmap;
      SelectBitmapInto(*dc, obj);
      if (!bm->stock) bm->selected_in = hdc;
      break;
    }
    case Kind::Region: {
      RegionObj *g = static_cast<RegionObj *>(o.get());
      dc->st.has_clip = true;
      dc->st.clip = g->r;
      dc->Invalidate();
      return (HGDIOBJ)(uintptr_t)g->r.Kind();
    }
    default: return 0;
  }
  return old;
}

namespace tavo::gdi {
// Whether a pen, brush or font is the current object of any device context
// or of a state saved in one (RestoreDC would bring it back).
static bool ValgtIEnDC(HGDIOBJ h) {
  for (const auto &[handle, obj] : T().objs) {
    if (obj->kind != Kind::DC) continue;
    const DCObj *dc = static_cast<const DCObj *>(obj.get());
    auto bruger = [h](const DCState &st) { return st.pen == h || st.brush == h || st.font == h; };
    if (bruger(dc->st)) return true;
    for (const DCState &st : dc->saved)
      if (bruger(st)) return true;
  }
  return false;
}
}  // namespace tavo::gdi

// An object still selected into a device context is not deleted: the call
// fails and the object keeps working, so a window's own DC never draws with
// a dead pen or font.
BOOL DeleteObject(HGDIOBJ h) {
  TAVO_GDI_LOCK;
  auto o = FindObj(h);
  if (!o || o->kind == Kind::DC || o->kind == Kind::Icon) return FALSE;
  if (o->stock) return TRUE;  // deleting a stock object is harmless
  if (o->kind == Kind::Bitmap && static_cast<BitmapObj *>(o.get())->selected_in) return FALSE;
  if ((o->kind == Kind::Pen || o->kind == Kind::Brush || o->kind == Kind::Font) && ValgtIEnDC(h))
    return FALSE;
  RemoveObj(h);
  return TRUE;
}

int GetObjectA(HGDIOBJ h, int size, LPVOID out) {
  TAVO_GDI_LOCK;
  auto o = FindObj(h);
  if (!o) return 0;
  switch (o->kind) {
    case Kind::Pen: {
      if (!out) return sizeof(LOGPEN);
      if (size < (int)sizeof(LOGPEN)) return 0;
      std::memcpy(out, &static_cast<PenObj *>(o.get())->lp, sizeof(LOGPEN));
      return sizeof(LOGPEN);
    }
    case Kind::Brush: {
      if (!out) return sizeof(LOGBRUSH);
      if (size < (int)sizeof(LOGBRUSH)) return 0;
      BrushObj *b = static_cast<BrushObj *>(o.get());
      LOGBRUSH lb{};
      lb.lbStyle = b->style;
      lb.lbColor = b->color;
      std::memcpy(out, &lb, sizeof lb);
      return sizeof lb;
    }
    case Kind::Font: {
      if (!out) return sizeof(LOGFONTA);
      int n = std::min<int>(size, sizeof(LOGFONTA));
      std::memcpy(out, &static_cast<FontObj *>(o.get())->lf, n);
      return n;
    }
    case Kind::Bitmap: {
      if (!out) return sizeof(BITMAP);
      if (size < (int)sizeof(BITMAP)) return 0;
      BitmapObj *bm = static_cast<BitmapObj *>(o.get());
      BITMAP b{};
      b.bmWidth = bm->surf->w;
      b.bmHeight = bm->surf->h;
      b.bmBitsPixel = (WORD)bm->bpp;
      b.bmPlanes = 1;
      b.bmWidthBytes = ((bm->surf->w * bm->bpp + 15) / 16) * 2;
      std::memcpy(out, &b, sizeof b);
      return sizeof b;
    }
    case Kind::Palette: {
      if (!out || size < (int)sizeof(WORD)) return out ? 0 : (int)sizeof(WORD);
      WORD n = (WORD)static_cast<PaletteObj *>(o.get())->e.size();
      std::memcpy(out, &n, sizeof n);
      return sizeof n;
    }
    default: return 0;
  }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc) return 0;
  switch (type) {
    case OBJ_PEN: return dc->st.pen;
    case OBJ_BRUSH: return dc->st.brush;
    case OBJ_FONT: return dc->st.font;
    case OBJ_BITMAP: return dc->st.bitmap;
    case OBJ_PAL: return dc->st.palette ? dc->st.palette : S().obj[DEFAULT_PALETTE];
  }
  return 0;
}
