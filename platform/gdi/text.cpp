// Text output: TextOut, ExtTextOut, DrawText and DrawTextEx, and the log of
// drawn text for tests.

#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>

#include "fontint.h"
#include "tavo/test_gdi.h"

namespace tavo::gdi {

namespace {

std::deque<tavo::test::DrawnText> &Log() {
  static auto *log = new std::deque<tavo::test::DrawnText>;
  return *log;
}

// The running program never reads the log: it is kept only once a test
// asks for it, so that drawing text does not pay for copying every string.
std::atomic<bool> g_keep_log{false};

void LogText(DCObj &dc, HDC hdc, int x, int y, const char *s, int n) {
  if (!g_keep_log.load(std::memory_order_relaxed)) return;
  tavo::test::DrawnText t;
  t.hdc = hdc;
  t.hwnd = dc.hwnd;
  t.x = x;
  t.y = y;
  t.text.assign(s, (size_t)n);
  t.text_color = dc.st.text;
  t.bk_color = dc.st.bk;
  t.bk_mode = dc.st.bk_mode;
  if (FontObj *f = Get<FontObj>(dc.st.font, Kind::Font)) t.face = f->lf.lfFaceName;
  t.height = DCFont(dc)->height;
  auto &log = Log();
  log.push_back(std::move(t));
  if (log.size() > 20000) log.pop_front();
}

// Quadrant rotation of pixel (u, v), given relative to the reference point
// in the unrotated text's frame.
inline void MapPx(int esc, int u, int v, int &x, int &y) {
  switch (esc) {
    case 900: x = v; y = -u - 1; break;
    case 1800: x = -u - 1; y = -v - 1; break;
    case 2700: x = -v - 1; y = u; break;
    default: x = u; y = v; break;
  }
}

inline RECT MapRect(int esc, int u0, int v0, int u1, int v1) {
  switch (esc) {
    case 900: return RECT{v0, -u1, v1, -u0};
    case 1800: return RECT{-u1, -v1, -u0, -v0};
    case 2700: return RECT{-v1, u0, -v0, u1};
    default: return RECT{u0, v0, u1, v1};
  }
}

void FillClip(Surface &s, const Region &clip, RECT r, uint32_t p) {
  for (const RECT &c : clip.rects) {
    int l = std::max(r.left, c.left), t = std::max(r.top, c.top);
    int rr = std::min(r.right, c.right), b = std::min(r.bottom, c.bottom);
    for (int y = t; y < b; ++y) std::fill(s.Row(y) + l, s.Row(y) + std::max(l, rr), p);
  }
}

}  // namespace

// Draws n bytes with the text's top-left at (u0, v0) relative to the
// reference point (rx, ry) in surface coordinates.
struct Run {
  DCObj *dc;
  FontInst *fi;
  const Region *clip;
  int rx, ry;
  uint32_t fg, bg;
  bool opaque;

  void Rect(int u0, int v0, int u1, int v1, uint32_t p) {
    if (u0 >= u1 || v0 >= v1) return;
    RECT r = MapRect(fi->escapement, u0, v0, u1, v1);
    r.left += rx;
    r.right += rx;
    r.top += ry;
    r.bottom += ry;
    FillClip(*dc->surf, *clip, r, p);
  }

  void GlyphAt(const Glyph &g, int gu, int gv) {
    if (g.bits.empty()) return;
    Surface &s = *dc->surf;
    if (fi->escapement == 0) {
      int x0 = rx + gu, y0 = ry + gv;
      for (const RECT &c : clip->rects) {
        int l = std::max<int>(x0, c.left), t = std::max<int>(y0, c.top);
        int r = std::min<int>(x0 + g.w, c.right), b = std::min<int>(y0 + g.h, c.bottom);
        for (int y = t; y < b; ++y) {
          const uint8_t *src = g.bits.data() + (size_t)(y - y0) * g.w;
          uint32_t *row = s.Row(y);
          for (int x = l; x < r; ++x)
            if (src[x - x0]) row[x] = fg;
        }
      }
      return;
    }
    for (int j = 0; j < g.h; ++j)
      for (int i = 0; i < g.w; ++i) {
        if (!g.bits[(size_t)j * g.w + i]) continue;
        int x, y;
        MapPx(fi->escapement, gu + i, gv + j, x, y);
        x += rx;
        y += ry;
        if (clip->Contains(x, y)) s.Row(y)[x] = fg;
      }
  }

  // Returns the width drawn. underline_at: index of a byte to underline
  // (the mnemonic), or -1.
  int Draw(int u0, int v0, const unsigned char *s, int n, const INT *dx, int underline_at,
           bool prefix_only) {
    int w = 0;
    for (int i = 0; i < n; ++i) w += dx ? dx[i] : fi->Get(s[i]).advance;
    if (opaque && !prefix_only) Rect(u0, v0, u0 + w, v0 + fi->height, bg);
    int pen = u0, base = v0 + fi->ascent;
    for (int i = 0; i < n; ++i) {
      const Glyph &g = fi->Get(s[i]);
      int adv = dx ? dx[i] : g.advance;
      if (!prefix_only) GlyphAt(g, pen + g.left, base - g.top);
      if (i == underline_at) Rect(pen, base + fi->ul_pos, pen + adv, base + fi->ul_pos + 1, fg);
      pen += adv;
    }
    if (prefix_only) return w;
    if (fi->underline)
      Rect(u0, base + fi->ul_pos, u0 + w, base + fi->ul_pos + fi->ul_thick, fg);
    if (fi->strike) {
      int sv = base - std::max(1, fi->ascent / 3);
      Rect(u0, sv, u0 + w, sv + fi->ul_thick, fg);
    }
    return w;
  }
};

}  // namespace tavo::gdi

using namespace tavo::gdi;

namespace {

BOOL TextAt(HDC hdc, int x, int y, UINT options, const RECT *rc, const char *text, int n,
            const INT *dx) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || n < 0 || (n > 0 && !text)) return FALSE;
  if (!dc->surf) return TRUE;
  auto fi = DCFont(*dc);
  const unsigned char *s = reinterpret_cast<const unsigned char *>(text);
  const Region *clip = &dc->Effective();
  Region clipped;
  int ox = dc->Dx(), oy = dc->Dy();
  if (rc && (options & ETO_CLIPPED)) {
    clipped = Combine(*clip,
                      Region::FromRect(rc->left + ox, rc->top + oy, rc->right + ox, rc->bottom + oy),
                      RGN_AND);
    clip = &clipped;
  }
  if (rc && (options & ETO_OPAQUE))
    FillClip(*dc->surf, dc->Effective(),
             RECT{rc->left + ox, rc->top + oy, rc->right + ox, rc->bottom + oy},
             Resolve(*dc, dc->st.bk));
  if (n == 0) return TRUE;
  UINT align = dc->st.align;
  if (align & TA_UPDATECP) {
    x = dc->st.cur.x;
    y = dc->st.cur.y;
  }
  int w = 0;
  for (int i = 0; i < n; ++i) w += dx ? dx[i] : fi->Get(s[i]).advance;
  int u0 = 0, v0 = 0;
  if ((align & TA_CENTER) == TA_CENTER) u0 = -w / 2;
  else if (align & TA_RIGHT) u0 = -w;
  if ((align & TA_BASELINE) == TA_BASELINE) v0 = -fi->ascent;
  else if (align & TA_BOTTOM) v0 = -fi->height;
  Run run{dc, fi.get(), clip, x + ox, y + oy, Resolve(*dc, dc->st.text), Resolve(*dc, dc->st.bk),
          dc->st.bk_mode == OPAQUE};
  run.Draw(u0, v0, s, n, dx, -1, false);
  LogText(*dc, hdc, x, y, text, n);
  if (align & TA_UPDATECP) {
    int adv = (align & TA_CENTER) == TA_CENTER ? 0 : (align & TA_RIGHT) ? -w : w;
    int ax, ay;
    MapPx(fi->escapement, adv, 0, ax, ay);
    if (fi->escapement == 900) ay += 1;  // a vector, not a pixel
    if (fi->escapement == 2700) ax += 1;
    if (fi->escapement == 1800) {
      ax += 1;
      ay += 1;
    }
    dc->st.cur.x += ax;
    dc->st.cur.y += ay;
  }
  return TRUE;
}

}  // namespace

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int n) {
  return TextAt(hdc, x, y, 0, nullptr, text, n, nullptr);
}

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT *rc, LPCSTR text, UINT n,
                 const INT *dx) {
  if (n > 0x7FFFFFFF) return FALSE;
  return TextAt(hdc, x, y, options, rc, text, (int)n, dx);
}

// ------------------------------------------------------------ DrawText

namespace {

struct Line {
  std::string text;      // what is drawn, prefixes removed, tabs kept
  int underline = -1;    // index of the mnemonic letter
  int width = 0;
};

int TabbedWidth(FontInst &fi, const std::string &s, int tab, bool expand) {
  int w = 0;
  for (unsigned char c : s) {
    if (c == '\t' && expand)
      w = tab > 0 ? (w / tab + 1) * tab : w;
    else
      w += fi.Get(c).advance;
  }
  return w;
}

// Takes '&' prefixes out of a line: "&&" is one '&', "&x" underlines x.
void StripPrefix(Line &l, bool keep) {
  if (keep) return;
  std::string out;
  for (size_t i = 0; i < l.text.size(); ++i) {
    if (l.text[i] == '&') {
      if (i + 1 < l.text.size()) {
        if (l.text[i + 1] != '&') l.underline = (int)out.size();
        out += l.text[++i];
      }
      continue;
    }
    out += l.text[i];
  }
  l.text = out;
  if (l.underline >= (int)l.text.size()) l.underline = -1;
}

int DrawTextImpl(HDC hdc, const char *text, int n, RECT *rc, UINT fmt, DRAWTEXTPARAMS *p) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !rc || (n != -1 && n < 0)) return 0;
  if (!text) n = 0;
  if (n == -1) n = (int)std::strlen(text);
  auto fi = DCFont(*dc);
  std::string s(text ? text : "", (size_t)n);
  int left = rc->left + (p ? p->iLeftMargin : 0);
  int right = rc->right - (p ? p->iRightMargin : 0);
  int avail = right - left;
  int tab = 8 * fi->ave_width;
  if ((fmt & DT_TABSTOP) && ((fmt >> 8) & 0xFF)) tab = (int)((fmt >> 8) & 0xFF) * fi->ave_width;
  if (p && p->iTabLength > 0) tab = p->iTabLength * fi->ave_width;
  bool expand = fmt & DT_EXPANDTABS;
  bool single = fmt & DT_SINGLELINE;
  bool noprefix = fmt & DT_NOPREFIX;
  int line_h = fi->height + ((fmt & DT_EXTERNALLEADING) ? fi->external_leading : 0);

  // Split into lines at line ends (unless single line) and at word breaks.
  std::vector<std::string> raw;
  if (single) {
    std::string one;
    for (char c : s)
      if (c != '\r' && c != '\n') one += c;
    raw.push_back(one);
  } else {
    std::string cur;
    for (size_t i = 0; i < s.size(); ++i) {
      if (s[i] == '\r' || s[i] == '\n') {
        raw.push_back(cur);
        cur.clear();
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
      } else {
        cur += s[i];
      }
    }
    raw.push_back(cur);
  }
  std::vector<Line> lines;
  for (std::string &r : raw) {
    Line whole;
    whole.text = r;
    StripPrefix(whole, noprefix);
    if (!(fmt & DT_WORDBREAK) || single || (fmt & DT_CALCRECT && avail <= 0)) {
      lines.push_back(whole);
      continue;
    }
    // Word wrap on the prefix-stripped text; a word wider than the line
    // stands alone on its line.
    const std::string &t = whole.text;
    size_t start = 0;
    while (true) {
      size_t end = start, last_fit = std::string::npos;
      while (end < t.size()) {
        size_t word_end = t.find(' ', end);
        if (word_end == std::string::npos) word_end = t.size();
        int w = TabbedWidth(*fi, t.substr(start, word_end - start), tab, expand);
        if (w > avail && last_fit != std::string::npos) break;
        last_fit = word_end;
        end = word_end;
        if (end < t.size()) ++end;  // past the space
      }
      if (last_fit == std::string::npos) last_fit = t.size();
      Line l;
      l.text = t.substr(start, last_fit - start);
      if (whole.underline >= (int)start && whole.underline < (int)last_fit)
        l.underline = whole.underline - (int)start;
      lines.push_back(l);
      start = last_fit;
      while (start < t.size() && t[start] == ' ') ++start;
      if (start >= t.size()) break;
    }
  }
  for (Line &l : lines) {
    if ((fmt & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) &&
        TabbedWidth(*fi, l.text, tab, expand) > avail) {
      int dots = fi->Width(reinterpret_cast<const unsigned char *>("..."), 3);
      std::string t = l.text;
      while (!t.empty() && TabbedWidth(*fi, t, tab, expand) + dots > avail) t.pop_back();
      l.text = t + "...";
      if (l.underline >= (int)t.size()) l.underline = -1;
    }
    l.width = TabbedWidth(*fi, l.text, tab, expand);
  }

  int total_h = line_h * (int)lines.size();
  int maxw = 0;
  for (Line &l : lines) maxw = std::max(maxw, l.width);
  if (p) p->uiLengthDrawn = (UINT)n;
  if (fmt & DT_CALCRECT) {
    rc->right = rc->left + maxw + (p ? p->iLeftMargin + p->iRightMargin : 0);
    if (!(fmt & DT_SINGLELINE) || !(fmt & (DT_VCENTER | DT_BOTTOM))) rc->bottom = rc->top + total_h;
    else rc->bottom = rc->top + line_h;
    return total_h;
  }
  int y = rc->top;
  if (single && (fmt & DT_VCENTER)) y = rc->top + (rc->bottom - rc->top - line_h) / 2;
  else if (single && (fmt & DT_BOTTOM)) y = rc->bottom - line_h;

  if (!dc->surf) return (y - rc->top) + total_h;
  int ox = dc->Dx(), oy = dc->Dy();
  Region clip = dc->Effective();
  if (!(fmt & DT_NOCLIP))
    clip = Combine(clip, Region::FromRect(rc->left + ox, rc->top + oy, rc->right + ox,
                                          rc->bottom + oy),
                   RGN_AND);
  Run run{dc, fi.get(), &clip, ox, oy, Resolve(*dc, dc->st.text), Resolve(*dc, dc->st.bk),
          dc->st.bk_mode == OPAQUE};
  int ly = y;
  for (Line &l : lines) {
    int x = left;
    if (fmt & DT_CENTER) x = left + (avail - l.width) / 2;
    else if (fmt & DT_RIGHT) x = right - l.width;
    // Tabs: draw the pieces between them at their stops.
    const unsigned char *t = reinterpret_cast<const unsigned char *>(l.text.data());
    int ul = (fmt & DT_HIDEPREFIX) ? -1 : l.underline;
    bool prefix_only = fmt & DT_PREFIXONLY;
    int pos = 0, seg = 0;
    for (int i = 0; i <= (int)l.text.size(); ++i) {
      if (i == (int)l.text.size() || (t[i] == '\t' && expand)) {
        int k = ul >= seg && ul < i ? ul - seg : -1;
        pos += run.Draw(x + pos, ly, t + seg, i - seg, nullptr, k, prefix_only);
        if (i < (int)l.text.size()) pos = tab > 0 ? (pos / tab + 1) * tab : pos;
        seg = i + 1;
      }
    }
    if (!l.text.empty()) LogText(*dc, hdc, x, ly, l.text.data(), (int)l.text.size());
    ly += line_h;
  }
  return (y - rc->top) + total_h;
}

}  // namespace

int DrawTextA(HDC hdc, LPCSTR text, int n, LPRECT rc, UINT fmt) {
  return DrawTextImpl(hdc, text, n, rc, fmt, nullptr);
}

int DrawTextExA(HDC hdc, LPSTR text, int n, LPRECT rc, UINT fmt, LPDRAWTEXTPARAMS p) {
  if (p && p->cbSize != sizeof(DRAWTEXTPARAMS)) return 0;
  return DrawTextImpl(hdc, text, n, rc, fmt, p);
}

// ------------------------------------------------------------ test hooks

namespace tavo::test {

std::vector<DrawnText> DrawnTexts() {
  TAVO_GDI_LOCK;
  return std::vector<DrawnText>(gdi::Log().begin(), gdi::Log().end());
}

void ClearDrawnTexts() {
  TAVO_GDI_LOCK;
  gdi::Log().clear();
}

void KeepDrawnTexts(bool keep) {
  TAVO_GDI_LOCK;
  gdi::g_keep_log.store(keep, std::memory_order_relaxed);
  if (!keep) gdi::Log().clear();
}

}  // namespace tavo::test
