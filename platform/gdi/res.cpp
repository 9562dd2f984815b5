// Compiled-in resources: bitmaps registered as DIB bytes, icons and cursors
// registered as text pixmaps, and the system's own icons and cursors drawn
// the same way.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "gdiint.h"
#include "win/kerror.h"

namespace tavo::gdi {
HBITMAP BitmapFromDib(const BITMAPINFO *bmi);  // bitmap.cpp
}

using namespace tavo::gdi;

namespace {

enum ResType { kBitmap = 2, kIcon = 3, kCursor = 1 };

struct Res {
  std::string module;
  int type = 0;
  int id = 0;          // when the name is a number
  std::string name;    // upper case, when it is a string
  const uint8_t *data = nullptr;
  size_t size = 0;
  std::vector<std::string> rows;  // icons and cursors
  int hot_x = 0, hot_y = 0;
};

struct ResState {
  std::vector<Res> res;  // index + 1 is the HRSRC
  std::map<HINSTANCE, std::string> modules;
  std::map<std::pair<int, int>, HANDLE> system;  // (type, id) -> icon or cursor
  std::map<size_t, HANDLE> loaded;               // resource index -> icon or cursor
};

ResState &R() {
  static auto *s = new ResState;
  return *s;
}

std::string Upper(const char *s) {
  std::string o;
  for (; *s; ++s) o += (char)((*s >= 'a' && *s <= 'z') ? *s - 32 : *s);
  return o;
}

// Resource names are numbers (MAKEINTRESOURCE) or strings; "#123" is 123.
bool NameOf(LPCSTR name, int &id, std::string &str) {
  if (!name) return false;
  if (IS_INTRESOURCE(name)) {
    id = (int)(uintptr_t)name;
    return true;
  }
  if (name[0] == '#') {
    id = std::atoi(name + 1);
    return true;
  }
  id = -1;
  str = Upper(name);
  return true;
}

const Res *Find(HINSTANCE inst, LPCSTR name, int type, size_t *index) {
  int id;
  std::string str;
  if (!NameOf(name, id, str)) return nullptr;
  ResState &st = R();
  auto mod = st.modules.find(inst);
  for (size_t i = 0; i < st.res.size(); ++i) {
    const Res &r = st.res[i];
    if (r.type != type) continue;
    if (mod != st.modules.end() && r.module != mod->second) continue;
    if (id >= 0 ? r.id == id : (r.id < 0 && r.name == str)) {
      if (index) *index = i;
      return &r;
    }
  }
  return nullptr;
}

uint32_t LegendColour(char c, bool &ok) {
  ok = true;
  switch (c) {
    case 'K': return 0xFF000000;
    case 'W': return 0xFFFFFFFF;
    case 'g': return 0xFFC0C0C0;
    case 'G': return 0xFF808080;
    case 'D': return 0xFF404040;
    case 'R': return 0xFFFF0000;
    case 'r': return 0xFF800000;
    case 'Y': return 0xFFFFFF00;
    case 'y': return 0xFF808000;
    case 'B': return 0xFF0000FF;
    case 'N': return 0xFF000080;
    case 'C': return 0xFF00FFFF;
    case 'c': return 0xFF008080;
    case 'L': return 0xFF00FF00;
    case 'l': return 0xFF008000;
    case 'M': return 0xFFFF00FF;
    case 'm': return 0xFF800080;
    case '~': return 0x01000000;
  }
  ok = false;
  return 0;  // '.', ' ' and anything unknown: transparent
}

HANDLE MakeIcon(const std::vector<std::string> &rows, bool cursor, int hx, int hy) {
  auto ic = std::make_shared<IconObj>();
  ic->cursor = cursor;
  ic->h = (int)rows.size();
  for (auto &r : rows) ic->w = std::max(ic->w, (int)r.size());
  ic->hot_x = hx;
  ic->hot_y = hy;
  ic->px.assign((size_t)ic->w * ic->h, 0);
  for (int y = 0; y < ic->h; ++y)
    for (int x = 0; x < (int)rows[y].size(); ++x) {
      bool ok;
      ic->px[(size_t)y * ic->w + x] = LegendColour(rows[y][x], ok);
    }
  ic->stock = true;
  return AddObj(ic);
}

// ------------------------------------------------------------ system pictures

std::vector<std::string> Blank(int n) { return std::vector<std::string>(n, std::string(n, '.')); }

// A round badge (error, information, question) with a letter-like mark.
std::vector<std::string> Badge(char fill, char edge, const char *const *mark, int mh) {
  auto p = Blank(32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      double d = std::hypot(x - 15.5, y - 15.5);
      if (d < 13.5) p[y][x] = fill;
      else if (d < 14.5) p[y][x] = edge;
    }
  int mw = (int)std::strlen(mark[0]);
  for (int y = 0; y < mh; ++y)
    for (int x = 0; x < mw; ++x)
      if (mark[y][x] != '.') p[16 - mh / 2 + y][16 - mw / 2 + x] = mark[y][x];
  return p;
}

std::vector<std::string> SystemIcon(int id) {
  static const char *const cross[] = {
      "WW......WW", "WWW....WWW", ".WWW..WWW.", "..WWWWWW..", "...WWWW...",
      "...WWWW...", "..WWWWWW..", ".WWW..WWW.", "WWW....WWW", "WW......WW"};
  static const char *const info[] = {"..BB..", "..BB..", "......", ".BBB..", "..BB..", "..BB..",
                                     "..BB..", "..BB..", "..BB..", ".BBBB."};
  static const char *const quest[] = {".BBBBB.", "BB...BB", ".....BB", "....BB.", "...BB..",
                                      "...BB..", ".......", "...BB..", "...BB.."};
  switch (id) {
    case 32513: return Badge('R', 'r', cross, 10);   // IDI_HAND
    case 32514: return Badge('W', 'K', quest, 9);    // IDI_QUESTION
    case 32516: return Badge('W', 'K', info, 10);    // IDI_ASTERISK
    case 32515: {                                    // IDI_EXCLAMATION
      auto p = Blank(32);
      for (int y = 3; y < 29; ++y) {
        int half = (y - 3) / 2 + 1;
        for (int x = 16 - half; x < 16 + half; ++x) p[y][x] = 'Y';
        p[y][16 - half] = p[y][16 + half - 1] = 'K';
      }
      for (int x = 3; x < 29; ++x) p[28][x] = 'K';
      for (int y = 10; y < 21; ++y) p[y][15] = p[y][16] = 'K';
      for (int y = 23; y < 26; ++y) p[y][15] = p[y][16] = 'K';
      return p;
    }
    default: {  // IDI_APPLICATION and anything unknown: a small window
      auto p = Blank(32);
      for (int y = 4; y < 28; ++y)
        for (int x = 2; x < 30; ++x) {
          bool border = y == 4 || y == 27 || x == 2 || x == 29;
          p[y][x] = border ? 'K' : y < 9 ? 'N' : 'W';
        }
      return p;
    }
  }
}

std::vector<std::string> SystemCursor(int id, int &hx, int &hy) {
  static const char *const arrow[] = {
      "K...........", "KK..........", "KWK.........", "KWWK........", "KWWWK.......",
      "KWWWWK......", "KWWWWWK.....", "KWWWWWWK....", "KWWWWWWWK...", "KWWWWWWWWK..",
      "KWWWWWKKKKK.", "KWWKWWK.....", "KWK.KWWK....", "KK..KWWK....", "K....KWWK...",
      ".....KWWK...", "......KK...."};
  std::vector<std::string> p;
  hx = hy = 0;
  auto sq = [&](int n) { p = std::vector<std::string>(n, std::string(n, '.')); };
  switch (id) {
    case 32513:  // IBEAM
      sq(16);
      for (int y = 1; y < 15; ++y) p[y][7] = 'K';
      for (int x = 5; x < 10; ++x) p[0][x] = p[15][x] = 'K';
      p[0][7] = p[15][7] = '.';
      hx = 7;
      hy = 8;
      break;
    case 32515:  // CROSS
      sq(17);
      for (int i = 0; i < 17; ++i) p[8][i] = p[i][8] = 'K';
      hx = hy = 8;
      break;
    case 32514:  // WAIT: an hourglass
    case 32650:
      sq(16);
      for (int y = 0; y < 16; ++y) {
        int half = y < 8 ? 7 - y : y - 8;
        for (int x = 8 - half - 1; x <= 8 + half; ++x)
          if (x >= 0 && x < 16) p[y][x] = (x == 8 - half - 1 || x == 8 + half) ? 'K' : 'W';
      }
      for (int x = 0; x < 16; ++x) p[0][x] = p[15][x] = 'K';
      hx = hy = 8;
      break;
    case 32648:  // NO: a ring with a bar
      sq(17);
      for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x) {
          double d = std::hypot(x - 8, y - 8);
          if ((d >= 6 && d < 8.5) || (std::abs(x - y) <= 1 && d < 7)) p[y][x] = 'R';
        }
      hx = hy = 8;
      break;
    case 32644:  // SIZEWE
    case 32645:  // SIZENS
    case 32642:  // SIZENWSE
    case 32643:  // SIZENESW
    case 32646:  // SIZEALL
    case 32640:  // SIZE
      sq(17);
      for (int i = 0; i < 17; ++i) {
        if (id == 32644 || id == 32646 || id == 32640) p[8][i] = 'K';
        if (id == 32645 || id == 32646 || id == 32640) p[i][8] = 'K';
        if (id == 32642) p[i][i] = 'K';
        if (id == 32643) p[i][16 - i] = 'K';
      }
      hx = hy = 8;
      break;
    case 32649:  // HAND: the arrow stands in
    default:
      p.assign(arrow, arrow + 17);
      break;
  }
  return p;
}

HANDLE SystemPicture(int type, int id) {
  ResState &st = R();
  auto key = std::make_pair(type, id);
  auto it = st.system.find(key);
  if (it != st.system.end()) return it->second;
  HANDLE h;
  if (type == kIcon) {
    h = MakeIcon(SystemIcon(id), false, 16, 16);
  } else {
    int hx, hy;
    auto rows = SystemCursor(id, hx, hy);
    h = MakeIcon(rows, true, hx, hy);
  }
  st.system[key] = h;
  return h;
}

HANDLE LoadPicture(HINSTANCE inst, LPCSTR name, int type) {
  TAVO_GDI_LOCK;
  size_t index = 0;
  if (inst || !IS_INTRESOURCE(name) || (uintptr_t)name < 32512) {
    if (const Res *r = Find(inst, name, type, &index)) {
      ResState &st = R();
      auto it = st.loaded.find(index);
      if (it != st.loaded.end()) return it->second;
      HANDLE h = MakeIcon(r->rows, type == kCursor, r->hot_x, r->hot_y);
      st.loaded[index] = h;
      return h;
    }
    if (inst) {
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return 0;
    }
  }
  if (!IS_INTRESOURCE(name)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  return SystemPicture(type, (int)(uintptr_t)name);
}

}  // namespace

namespace tavo::gdi {

int SystemCursorId(HCURSOR cursor) {
  TAVO_GDI_LOCK;
  for (auto &e : R().system)
    if (e.second == cursor && e.first.first == kCursor) return e.first.second;
  return 0;
}

}  // namespace tavo::gdi

namespace tavo::res {

static void Add(Res r) {
  TAVO_GDI_LOCK;
  R().res.push_back(std::move(r));
}

void RegisterBitmap(const char *module, int id, const uint8_t *dib, size_t n) {
  Res r;
  r.module = module ? module : "";
  r.type = kBitmap;
  r.id = id;
  r.data = dib;
  r.size = n;
  Add(std::move(r));
}

void RegisterBitmap(const char *module, const char *name, const uint8_t *dib, size_t n) {
  Res r;
  r.module = module ? module : "";
  r.type = kBitmap;
  r.id = -1;
  r.name = Upper(name ? name : "");
  r.data = dib;
  r.size = n;
  Add(std::move(r));
}

static void AddPicture(const char *module, int type, int id, const char *const *rows, int nrows,
                       int hx, int hy, const char *name = nullptr) {
  Res r;
  r.module = module ? module : "";
  r.type = type;
  r.id = name ? -1 : id;
  if (name) r.name = Upper(name);
  for (int i = 0; i < nrows && rows; ++i) r.rows.push_back(rows[i] ? rows[i] : "");
  r.hot_x = hx;
  r.hot_y = hy;
  Add(std::move(r));
}

void RegisterIcon(const char *module, int id, const char *const *rows, int nrows) {
  AddPicture(module, kIcon, id, rows, nrows, 0, 0);
}

void RegisterIcon(const char *module, const char *name, const char *const *rows, int nrows) {
  AddPicture(module, kIcon, -1, rows, nrows, 0, 0, name ? name : "");
}

void RegisterCursor(const char *module, int id, const char *const *rows, int nrows, int hx,
                    int hy) {
  AddPicture(module, kCursor, id, rows, nrows, hx, hy);
}

void BindModule(const char *module, HINSTANCE inst) {
  TAVO_GDI_LOCK;
  R().modules[inst] = module ? module : "";
}

}  // namespace tavo::res

// ------------------------------------------------------------ the Windows calls

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  TAVO_GDI_LOCK;
  if (!IS_INTRESOURCE(type)) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return 0;
  }
  size_t index;
  if (!Find(module, name, (int)(uintptr_t)type, &index)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  return (HRSRC)(index + 1);
}

HGLOBAL LoadResource(HMODULE, HRSRC res) {
  TAVO_GDI_LOCK;
  if (res == 0 || res > R().res.size()) return 0;
  return res;  // resources stay where they were compiled in
}

LPVOID LockResource(HGLOBAL res) {
  TAVO_GDI_LOCK;
  if (res == 0 || res > R().res.size()) return nullptr;
  return const_cast<uint8_t *>(R().res[res - 1].data);
}

DWORD SizeofResource(HMODULE, HRSRC res) {
  TAVO_GDI_LOCK;
  if (res == 0 || res > R().res.size()) return 0;
  return (DWORD)R().res[res - 1].size;
}

BOOL FreeResource(HGLOBAL) { return FALSE; }

HBITMAP LoadBitmapA(HINSTANCE inst, LPCSTR name) {
  TAVO_GDI_LOCK;
  const Res *r = Find(inst, name, kBitmap, nullptr);
  if (!r || r->size < 12) {  // the smallest header is the core header
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  return BitmapFromDib(reinterpret_cast<const BITMAPINFO *>(r->data));
}

HICON LoadIconA(HINSTANCE inst, LPCSTR name) { return LoadPicture(inst, name, kIcon); }
HCURSOR LoadCursorA(HINSTANCE inst, LPCSTR name) { return LoadPicture(inst, name, kCursor); }

HANDLE LoadImageA(HINSTANCE inst, LPCSTR name, UINT type, int, int, UINT flags) {
  if (flags & LR_LOADFROMFILE) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  switch (type) {
    case IMAGE_BITMAP: return LoadBitmapA(inst, name);
    case IMAGE_ICON: return LoadIconA(inst, name);
    case IMAGE_CURSOR: return LoadCursorA(inst, name);
  }
  return 0;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH flicker,
                UINT flags) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  IconObj *ic = Get<IconObj>(icon, Kind::Icon);
  if (!dc || !ic) return FALSE;
  if (cx == 0) cx = (flags & DI_DEFAULTSIZE) ? 32 : ic->w;
  if (cy == 0) cy = (flags & DI_DEFAULTSIZE) ? 32 : ic->h;
  if (cx <= 0 || cy <= 0 || ic->w == 0 || ic->h == 0 || !dc->surf) return TRUE;
  if (flicker) {
    RECT rc{x, y, x + cx, y + cy};
    FillRect(hdc, &rc, flicker);
  }
  int ox = x + dc->Dx(), oy = y + dc->Dy();
  const Region &clip = dc->Effective();
  RECT box = clip.Box();
  for (int j = std::max(0, (int)box.top - oy); j < std::min(cy, (int)box.bottom - oy); ++j)
    for (int i = std::max(0, (int)box.left - ox); i < std::min(cx, (int)box.right - ox); ++i) {
      uint32_t p = ic->px[(size_t)((long long)j * ic->h / cy) * ic->w + (size_t)((long long)i * ic->w / cx)];
      if (!(p >> 24)) continue;
      int px = ox + i, py = oy + j;
      if (!clip.Contains(px, py)) continue;
      uint32_t &d = dc->surf->Row(py)[px];
      d = (p >> 24) == 0x01 ? (~d & 0xFFFFFF) : (p & 0xFFFFFF);
    }
  return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
  return DrawIconEx(hdc, x, y, icon, 32, 32, 0, 0, DI_NORMAL);
}

// Icons and cursors are shared, loaded once from their resource: destroying
// one is accepted and changes nothing.
BOOL DestroyIcon(HICON icon) { return Get<IconObj>(icon, Kind::Icon) ? TRUE : FALSE; }
BOOL DestroyCursor(HCURSOR cursor) { return Get<IconObj>(cursor, Kind::Icon) ? TRUE : FALSE; }
