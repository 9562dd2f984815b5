// System metrics and colours of a classic desktop at 96 dpi, the work area,
// global memory, the clipboard and beeps.

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "state.h"

using namespace tavo::user;

namespace {

const COLORREF kColours[] = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25, unnamed
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};
constexpr int kColourCount = (int)(sizeof kColours / sizeof kColours[0]);

constexpr int kTaskbar = 28;

}  // namespace

int GetSystemMetrics(int index) {
  Lock l(S().mx);
  return MetricL(index);
}

// With the lock held (the screen size can change).
int tavo::user::MetricL(int index) {
  int sw = S().screenW, sh = S().screenH;
  RECT wa = S().workArea;
  switch (index) {
    case SM_CXSCREEN: case SM_CXVIRTUALSCREEN: case SM_CXFULLSCREEN: return index == SM_CXFULLSCREEN ? wa.right - wa.left : sw;
    case SM_CYSCREEN: case SM_CYVIRTUALSCREEN: return sh;
    case SM_CYFULLSCREEN: return wa.bottom - wa.top - 19;
    case SM_XVIRTUALSCREEN: case SM_YVIRTUALSCREEN: return 0;
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL: return 16;
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYMENU: return 19;
    case SM_CXSIZE: case SM_CYSIZE: case SM_CXMENUSIZE: case SM_CYMENUSIZE: return 18;
    case SM_CYSMCAPTION: return 15;
    case SM_CXSMSIZE: return 12;
    case SM_CYSMSIZE: return 14;
    case SM_CXMIN: case SM_CXMINTRACK: return 112;
    case SM_CYMIN: case SM_CYMINTRACK: return 27;
    case SM_CXMAXTRACK: return sw + 12;
    case SM_CYMAXTRACK: return sh + 12;
    case SM_CXMAXIMIZED: return wa.right - wa.left + 8;
    case SM_CYMAXIMIZED: return wa.bottom - wa.top + 8;
    case SM_CXMINIMIZED: case SM_CXMINSPACING: return 160;
    case SM_CYMINIMIZED: case SM_CYMINSPACING: return 24;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_CXICONSPACING: case SM_CYICONSPACING: return 75;
    case SM_CXMENUCHECK: case SM_CYMENUCHECK: return 13;
    case SM_MOUSEPRESENT: case SM_MOUSEWHEELPRESENT: case SM_CMONITORS: case SM_SAMEDISPLAYFORMAT: return 1;
    case SM_NETWORK: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_ARRANGE: return 8;
  }
  return 0;
}

DWORD GetSysColor(int index) { return index >= 0 && index < kColourCount ? kColours[index] : 0; }

HBRUSH GetSysColorBrush(int index) {
  if (index < 0 || index >= kColourCount) return 0;
  SysBrushProvider p;
  {
    Lock l(S().mx);
    p = S().brushProvider;
  }
  if (p) return p(index, kColours[index]);
  // Placeholders until the drawing layer gives real brushes.
  return (HBRUSH)(0xFFFF0100u + (unsigned)index);
}

BOOL SystemParametersInfoA(UINT action, UINT, LPVOID param, UINT) {
  Lock l(S().mx);
  switch (action) {
    case SPI_GETWORKAREA:
      if (!param) return FALSE;
      *(RECT *)param = S().workArea;
      return TRUE;
    case SPI_SETWORKAREA:
      if (!param) return FALSE;
      S().workArea = *(RECT *)param;
      return TRUE;
    case SPI_GETWHEELSCROLLLINES:
      if (param) *(UINT *)param = 3;
      return param != nullptr;
    case SPI_GETMOUSEHOVERTIME:
      if (param) *(UINT *)param = 400;
      return param != nullptr;
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT:
      if (param) *(UINT *)param = 4;
      return param != nullptr;
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETBEEP:
      if (param) *(BOOL *)param = TRUE;
      return param != nullptr;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

namespace tavo::user {

void SetScreenSize(int width, int height) {
  Lock l(S().mx);
  S().screenW = std::max(1, width);
  S().screenH = std::max(1, height);
  S().workArea = RECT{0, 0, S().screenW, std::max(1, S().screenH - kTaskbar)};
  if (Wnd *d = W(S().desktop)) {
    d->rect = RECT{0, 0, S().screenW, S().screenH};
    d->client = d->rect;
  }
}

void SetWorkArea(const RECT &r) {
  Lock l(S().mx);
  S().workArea = r;
}

void SetSysColorBrushProvider(SysBrushProvider provider) {
  Lock l(S().mx);
  S().brushProvider = provider;
}

}  // namespace tavo::user

// ---------------------------------------------------------------- global memory

namespace {

struct Block {
  std::vector<unsigned char> bytes;
  UINT flags = 0;
  int locks = 0;
};

std::mutex g_memMx;
std::unordered_map<HGLOBAL, Block> g_blocks;
uint32_t g_nextMem = 0x6B000004;

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  if (bytes > ((SIZE_T)1 << 31)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  std::lock_guard<std::mutex> g(g_memMx);
  HGLOBAL h = g_nextMem;
  g_nextMem += 4;
  Block &b = g_blocks[h];
  // Always zeroed: a block is never handed out with another block's old bytes.
  b.bytes.assign(bytes, 0);
  b.flags = flags;
  return h;
}

HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags) {
  std::lock_guard<std::mutex> g(g_memMx);
  auto it = g_blocks.find(mem);
  if (it == g_blocks.end() || bytes > ((SIZE_T)1 << 31)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (flags & GMEM_MODIFY) {
    it->second.flags = flags & ~GMEM_MODIFY;
    return mem;
  }
  // The handle stays the same, so locked pointers would dangle: refuse while locked.
  if (it->second.locks > 0) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  it->second.bytes.resize(bytes, 0);
  return mem;
}

LPVOID GlobalLock(HGLOBAL mem) {
  std::lock_guard<std::mutex> g(g_memMx);
  auto it = g_blocks.find(mem);
  if (it == g_blocks.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  it->second.locks++;
  static unsigned char empty = 0;
  return it->second.bytes.empty() ? &empty : it->second.bytes.data();
}

BOOL GlobalUnlock(HGLOBAL mem) {
  std::lock_guard<std::mutex> g(g_memMx);
  auto it = g_blocks.find(mem);
  if (it == g_blocks.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (it->second.locks > 0) it->second.locks--;
  if (it->second.locks == 0) {
    SetLastError(NO_ERROR);
    return FALSE;
  }
  return TRUE;
}

HGLOBAL GlobalFree(HGLOBAL mem) {
  std::lock_guard<std::mutex> g(g_memMx);
  if (!g_blocks.erase(mem)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return mem;
  }
  return 0;
}

SIZE_T GlobalSize(HGLOBAL mem) {
  std::lock_guard<std::mutex> g(g_memMx);
  auto it = g_blocks.find(mem);
  return it == g_blocks.end() ? 0 : it->second.bytes.size();
}

UINT GlobalFlags(HGLOBAL mem) {
  std::lock_guard<std::mutex> g(g_memMx);
  auto it = g_blocks.find(mem);
  if (it == g_blocks.end()) return 0x8000;  // GMEM_INVALID_HANDLE
  return (UINT)std::min(it->second.locks, 0xFF);
}

// ---------------------------------------------------------------- clipboard

namespace {

struct Clipboard {
  std::mutex mx;
  bool open = false;
  DWORD openThread = 0;
  HWND openWindow = 0;
  HWND owner = 0;
  std::map<UINT, HANDLE> data;
};

Clipboard &Clip() {
  static Clipboard *c = new Clipboard;
  return *c;
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  Clipboard &c = Clip();
  std::lock_guard<std::mutex> g(c.mx);
  DWORD tid = GetCurrentThreadId();
  // Only the opener may open it again: another window, even one of the
  // same thread, waits until it is closed.
  if (c.open && (c.openThread != tid || c.openWindow != owner)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  c.open = true;
  c.openThread = tid;
  c.openWindow = owner;
  return TRUE;
}

BOOL CloseClipboard(void) {
  Clipboard &c = Clip();
  std::lock_guard<std::mutex> g(c.mx);
  if (!c.open || c.openThread != GetCurrentThreadId()) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  c.open = false;
  c.openThread = 0;
  return TRUE;
}

BOOL EmptyClipboard(void) {
  Clipboard &c = Clip();
  std::map<UINT, HANDLE> old;
  {
    std::lock_guard<std::mutex> g(c.mx);
    if (!c.open || c.openThread != GetCurrentThreadId()) {
      SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
      return FALSE;
    }
    old.swap(c.data);
    c.owner = c.openWindow;
  }
  for (auto &kv : old) GlobalFree(kv.second);
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  Clipboard &c = Clip();
  HANDLE old = 0;
  {
    std::lock_guard<std::mutex> g(c.mx);
    if (!c.open || c.openThread != GetCurrentThreadId()) {
      SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
      return 0;
    }
    auto it = c.data.find(format);
    if (it != c.data.end() && it->second != data) old = it->second;
    c.data[format] = data;
  }
  if (old) GlobalFree(old);
  return data;
}

HANDLE GetClipboardData(UINT format) {
  Clipboard &c = Clip();
  std::lock_guard<std::mutex> g(c.mx);
  if (!c.open || c.openThread != GetCurrentThreadId()) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return 0;
  }
  auto it = c.data.find(format);
  return it == c.data.end() ? 0 : it->second;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  Clipboard &c = Clip();
  std::lock_guard<std::mutex> g(c.mx);
  auto it = c.data.find(format);
  return it != c.data.end() && it->second != 0;
}

HWND GetClipboardOwner(void) {
  Clipboard &c = Clip();
  std::lock_guard<std::mutex> g(c.mx);
  return c.owner;
}

namespace tavo::user {
void ResetClipboard() {
  Clipboard &c = Clip();
  std::map<UINT, HANDLE> old;
  {
    std::lock_guard<std::mutex> g(c.mx);
    old.swap(c.data);
    c.open = false;
    c.openThread = 0;
    c.owner = 0;
  }
  for (auto &kv : old) GlobalFree(kv.second);
}
}  // namespace tavo::user

// ---------------------------------------------------------------- sound

BOOL MessageBeep(UINT) {
  g_beeps++;
  return TRUE;
}

BOOL Beep(DWORD, DWORD) {
  g_beeps++;
  return TRUE;
}
