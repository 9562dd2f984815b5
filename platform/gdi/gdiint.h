#pragma once
// Inside the drawing layer: objects behind GDI handles, pixel surfaces,
// regions and the device-context record. Only platform/gdi and its tests
// (and later the window layer's attachment) include this.

#include <cairo.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "win/gdi.h"

namespace tavo::gdi {

// One lock for all drawing: a worker thread may paint on a window's own DC
// while the main thread paints elsewhere.
std::recursive_mutex &Lock();
#define TAVO_GDI_LOCK std::lock_guard<std::recursive_mutex> gdi_guard_(::tavo::gdi::Lock())

// ------------------------------------------------------------ surfaces
// 32-bit pixels, 0x00RRGGBB (cairo's RGB24), rows `stride` pixels apart.
struct Surface {
  cairo_surface_t *cs = nullptr;
  uint32_t *px = nullptr;
  int w = 0, h = 0, stride = 0;
  bool mono = false;  // a 1-bit bitmap: only black and white are stored
  uint64_t serial = 0;  // counts drawing calls on window DCs, for the display
  ~Surface();
  uint32_t *Row(int y) { return px + (size_t)y * stride; }
};
using SurfacePtr = std::shared_ptr<Surface>;
SurfacePtr NewSurface(int w, int h);  // filled with black

inline uint32_t ToPixel(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF ToColorRef(uint32_t p) {
  return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

// ------------------------------------------------------------ regions
// Non-overlapping rectangles in y-x bands, sorted by top then left.
struct Region {
  std::vector<RECT> rects;
  bool Empty() const { return rects.empty(); }
  RECT Box() const;
  bool Contains(int x, int y) const;
  void Offset(int dx, int dy);
  int Kind() const;  // NULLREGION, SIMPLEREGION, COMPLEXREGION
  static Region FromRect(int l, int t, int r, int b);
};
Region Combine(const Region &a, const Region &b, int mode);

// ------------------------------------------------------------ objects
enum class Kind { Pen, Brush, Font, Bitmap, Palette, Region, DC, Icon };

struct Obj {
  explicit Obj(Kind k) : kind(k) {}
  virtual ~Obj() = default;
  Kind kind;
  bool stock = false;  // stock and system-colour objects are never deleted
};

struct PenObj : Obj {
  PenObj() : Obj(Kind::Pen) {}
  LOGPEN lp{};
};

struct BrushObj : Obj {
  BrushObj() : Obj(Kind::Brush) {}
  UINT style = BS_SOLID;
  COLORREF color = 0;
  // Pattern brushes: pw x ph colour references, resolved against the DC's
  // palette when used (DIB_PAL_COLORS patterns hold PALETTEINDEX values).
  int pw = 0, ph = 0;
  std::vector<COLORREF> pattern;
};

struct FontInst;
struct FontObj : Obj {
  FontObj() : Obj(Kind::Font) {}
  LOGFONTA lf{};
  std::shared_ptr<FontInst> inst;  // realised on first use
};

struct BitmapObj : Obj {
  BitmapObj() : Obj(Kind::Bitmap) {}
  SurfacePtr surf;
  int bpp = 32;
  HDC selected_in = 0;
};

struct PaletteObj : Obj {
  PaletteObj() : Obj(Kind::Palette) {}
  std::vector<PALETTEENTRY> e;
};

struct RegionObj : Obj {
  RegionObj() : Obj(Kind::Region) {}
  Region r;
};

struct IconObj : Obj {
  IconObj() : Obj(Kind::Icon) {}
  bool cursor = false;
  int w = 0, h = 0, hot_x = 0, hot_y = 0;
  // 0xAARRGGBB; alpha 0 transparent, 0xFF opaque; 0x01xxxxxx inverts.
  std::vector<uint32_t> px;
};

struct DCState {
  HPEN pen = 0;
  HBRUSH brush = 0;
  HFONT font = 0;
  HBITMAP bitmap = 0;
  HPALETTE palette = 0;
  COLORREF text = 0, bk = 0xFFFFFF;
  int bk_mode = OPAQUE;
  int rop2 = R2_COPYPEN;
  UINT align = 0;
  int stretch_mode = BLACKONWHITE;
  POINT cur{0, 0}, brush_org{0, 0}, vp_org{0, 0}, win_org{0, 0};
  COLORREF dc_brush = 0xFFFFFF, dc_pen = 0;
  bool has_clip = false;
  Region clip;  // in device (client) coordinates
};

struct DCObj : Obj {
  DCObj() : Obj(Kind::DC) {}
  DCState st;
  std::vector<DCState> saved;
  bool memory = true;
  HWND hwnd = 0;
  SurfacePtr surf;
  POINT origin{0, 0};  // the DC's device origin within its surface
  Region vis;          // visible part, in surface coordinates
  bool has_paint_clip = false;
  Region paint_clip;   // BeginPaint's update region, device coordinates
  // Window DCs: brings surface, origin and vis up to date before drawing.
  std::function<void(DCObj &)> refresh;

  Region eff;  // vis & clip & surface, in surface coordinates
  bool eff_dirty = true;
  void Invalidate() { eff_dirty = true; }
  const Region &Effective();
  // logical -> surface coordinates
  int Dx() const { return origin.x + st.vp_org.x - st.win_org.x; }
  int Dy() const { return origin.y + st.vp_org.y - st.win_org.y; }
};

HGDIOBJ AddObj(std::shared_ptr<Obj> obj);
// The object owned by the table, shared; takes the drawing lock.
std::shared_ptr<Obj> FindObj(HGDIOBJ h);
// The object without lock or reference: for the thread that uses it, which
// keeps it alive (a pen, brush or font is not deleted while it draws).
Obj *LookObj(HGDIOBJ h);
template <class T>
T *Get(HGDIOBJ h, Kind k) {
  Obj *o = LookObj(h);
  return (o && o->kind == k) ? static_cast<T *>(o) : nullptr;
}
bool RemoveObj(HGDIOBJ h);
DCObj *GetDC_(HDC h);

// The palette selected into the DC (the default palette when none).
const PaletteObj &DCPalette(DCObj &dc);
uint32_t Resolve(DCObj &dc, COLORREF c);  // colour reference -> pixel

// The system colour of a COLOR_* index (the window layer's GetSysColor).
COLORREF ClassicSysColor(int index);
// A brush for a system colour, never deleted (GetSysColorBrush).
HBRUSH SysColorBrush(int index);

// ------------------------------------------------------------ pixel work
// A fill source: a solid pixel or a pattern tiled from the brush origin.
struct Fill {
  bool none = false;
  uint32_t solid = 0;
  int pw = 0, ph = 0;
  std::vector<uint32_t> pat;
  int org_x = 0, org_y = 0;  // pattern origin in surface coordinates
};
Fill BrushFill(DCObj &dc, HBRUSH brush);

// Truth table over (pattern, destination): bit (P << 1 | D).
unsigned Rop2Table(int rop2);
// Fills a surface rectangle through the DC's clip.
void FillDev(DCObj &dc, RECT r, const Fill &f, unsigned op4);
void PlotDev(DCObj &dc, int x, int y, uint32_t p, unsigned op4);

// A DIB's pixels as colour references, top row first (bitmap.cpp). bits
// null: the pixels follow the colour table (a packed DIB).
bool DecodeDib(const BITMAPINFO *bmi, const void *bits, UINT usage, std::vector<COLORREF> &out,
               int &w, int &h, bool *top_down = nullptr);

// ------------------------------------------------------------ text (font.cpp)
struct FontInst;
std::shared_ptr<FontInst> Realize(FontObj &f);
HFONT StockFont(int which);

}  // namespace tavo::gdi
