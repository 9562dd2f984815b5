// The X11 display: each shown top-level window is an X window without
// decorations (the window layer draws its own frame into the surface). The
// surface is shown on expose and after drawing; X input goes to the window
// layer's input injection; the current cursor is shown with the nearest X
// cursor. Headless (no backend) is the default without DISPLAY.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "gdiwin.h"
#include "tavo/cp1252.h"
#include "userint.h"

namespace U = tavo::user;

namespace tavo::gdi {

namespace {

struct Pending {
  HWND hwnd;
  U::WindowEvent ev;
};

struct X11 {
  bool wanted = false;
  const char *name = "headless";
  std::once_flag started;
  std::thread thread;
  std::atomic<bool> stop{false};
  int wake[2] = {-1, -1};
  std::mutex mx;  // guards pending
  std::vector<Pending> pending;
  // Used on the display thread only:
  Display *dpy = nullptr;
  std::map<HWND, Window> windows;
  std::map<Window, HWND> owners;
  std::map<HWND, bool> mapped;
  std::map<HWND, uint64_t> shown_serial;  // the surface serial last put on screen
  std::map<HWND, std::string> titles;     // the window text last given to X
  std::map<Window, bool> viewable;         // as the server last told (MapNotify, UnmapNotify)
  HWND focused = 0;                        // the window last given the X keyboard focus
  HCURSOR cursor = (HCURSOR)-1;
  uint64_t drawn = 0;
};

X11 &X() {
  static auto *x = new X11;
  return *x;
}

Window Find(HWND h) {
  auto it = X().windows.find(h);
  return it == X().windows.end() ? 0 : it->second;
}

void Show(HWND h, bool only_changed = false) {
  X11 &x = X();
  Window w = Find(h);
  if (!w) return;
  SurfacePtr s = WindowSurface(h);
  if (!s) return;
  TAVO_GDI_LOCK;
  uint64_t &seen = x.shown_serial[h];
  if (only_changed && seen == s->serial) return;
  seen = s->serial;
  XImage img{};
  img.width = s->w;
  img.height = s->h;
  img.format = ZPixmap;
  img.data = reinterpret_cast<char *>(s->px);
  img.byte_order = LSBFirst;
  img.bitmap_unit = 32;
  img.bitmap_bit_order = LSBFirst;
  img.bitmap_pad = 32;
  img.depth = 24;
  img.bytes_per_line = s->stride * 4;
  img.bits_per_pixel = 32;
  img.red_mask = 0xFF0000;
  img.green_mask = 0xFF00;
  img.blue_mask = 0xFF;
  if (!XInitImage(&img)) return;
  XPutImage(x.dpy, w, DefaultGC(x.dpy, DefaultScreen(x.dpy)), &img, 0, 0, 0, 0, s->w, s->h);
}

// The X title follows the window's text; read without asking the window's
// thread, so a busy thread never holds up the display.
void Retitle(HWND h, Window win) {
  X11 &x = X();
  std::string t = U::TitleOf(h);
  auto it = x.titles.find(h);
  if (it != x.titles.end() && it->second == t) return;
  x.titles[h] = t;
  XStoreName(x.dpy, win, t.empty() ? "Tavo" : t.c_str());
}

// Shows or hides the X window as the window is; checked on every round
// too, since a window may become visible without an event of its own.
void MapIfShown(HWND h, Window win) {
  X11 &x = X();
  Retitle(h, win);
  bool shown = U::IsShown(h);
  bool &m = x.mapped[h];
  if (shown == m) return;
  m = shown;
  if (shown) XMapRaised(x.dpy, win);
  else XUnmapWindow(x.dpy, win);
}

void Place(HWND h) {
  X11 &x = X();
  RECT r;
  if (U::ParentOf(h) || !U::WindowRectOnScreen(h, &r)) return;
  int w = std::max<int>(1, r.right - r.left), hh = std::max<int>(1, r.bottom - r.top);
  Window win = Find(h);
  if (!win) {
    XSetWindowAttributes a{};
    a.background_pixel = 0xFFFFFF;
    a.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                   ButtonReleaseMask | PointerMotionMask | StructureNotifyMask;
    win = XCreateWindow(x.dpy, DefaultRootWindow(x.dpy), r.left, r.top, w, hh, 0, CopyFromParent,
                        InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &a);
    // No frame from a window manager: the window layer draws its own.
    struct {
      unsigned long flags, functions, decorations;
      long input_mode;
      unsigned long status;
    } hints{2, 0, 0, 0, 0};
    Atom motif = XInternAtom(x.dpy, "_MOTIF_WM_HINTS", False);
    XChangeProperty(x.dpy, win, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(&hints), 5);
    XSizeHints sh{};
    sh.flags = USPosition | PPosition;
    sh.x = r.left;
    sh.y = r.top;
    XSetWMNormalHints(x.dpy, win, &sh);
    // Closing from the window manager becomes WM_CLOSE, not a lost connection.
    Atom del = XInternAtom(x.dpy, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(x.dpy, win, &del, 1);
    x.windows[h] = win;
    x.owners[win] = h;
  } else {
    XMoveResizeWindow(x.dpy, win, r.left, r.top, w, hh);
  }
  MapIfShown(h, win);
}

// Puts the X windows in the top-level windows' z-order.
void Restack() {
  X11 &x = X();
  std::vector<Window> order;
  for (HWND h : U::ChildrenOf(0))
    if (Window w = Find(h)) order.push_back(w);
  if (order.size() > 1) XRestackWindows(x.dpy, order.data(), (int)order.size());
  else if (order.size() == 1) XRaiseWindow(x.dpy, order[0]);
}

void Drop(HWND h) {
  X11 &x = X();
  Window w = Find(h);
  if (!w) return;
  XDestroyWindow(x.dpy, w);
  x.windows.erase(h);
  x.mapped.erase(h);
  x.shown_serial.erase(h);
  x.titles.erase(h);
  x.owners.erase(w);
  x.viewable.erase(w);
  if (x.focused == h) x.focused = 0;
}

// The X keyboard focus follows the foreground window, as the keyboard
// follows activation on Windows: without a window manager, or under one that
// leaves the focus to the program, the keys would otherwise go to whatever
// window the pointer rests on (or nowhere over the bare desktop). Set only
// once the server has the window on screen, since focusing an unmapped
// window is an error.
void FollowForeground() {
  X11 &x = X();
  HWND fg = GetForegroundWindow();
  if (fg == x.focused) return;
  Window w = Find(fg);
  if (!w || !x.viewable[w]) return;  // again on a later round
  x.focused = fg;
  XSetInputFocus(x.dpy, w, RevertToParent, CurrentTime);
}

// A focus request can still meet a window that a window manager has just
// taken off the screen; that is no reason to end the program, whereas every
// other error goes to the handler that was there before.
XErrorHandler g_previousErrors = nullptr;
constexpr unsigned char kSetInputFocusRequest = 42;  // X_SetInputFocus (Xproto.h's BOOL clashes with ours)

int OnXError(Display *d, XErrorEvent *e) {
  if (e->request_code == kSetInputFocusRequest) return 0;
  return g_previousErrors ? g_previousErrors(d, e) : 0;
}

UINT VirtualKey(KeySym k) {
  if (k >= XK_a && k <= XK_z) return (UINT)('A' + (k - XK_a));
  if (k >= XK_A && k <= XK_Z) return (UINT)k;
  if (k >= XK_0 && k <= XK_9) return (UINT)k;
  if (k >= XK_F1 && k <= XK_F24) return VK_F1 + (UINT)(k - XK_F1);
  if (k >= XK_KP_0 && k <= XK_KP_9) return VK_NUMPAD0 + (UINT)(k - XK_KP_0);
  switch (k) {
    case XK_BackSpace: return VK_BACK;
    case XK_Tab: case XK_ISO_Left_Tab: return VK_TAB;
    case XK_Return: case XK_KP_Enter: return VK_RETURN;
    case XK_Escape: return VK_ESCAPE;
    case XK_space: return VK_SPACE;
    case XK_Prior: case XK_KP_Prior: return VK_PRIOR;
    case XK_Next: case XK_KP_Next: return VK_NEXT;
    case XK_End: case XK_KP_End: return VK_END;
    case XK_Home: case XK_KP_Home: return VK_HOME;
    case XK_Left: case XK_KP_Left: return VK_LEFT;
    case XK_Up: case XK_KP_Up: return VK_UP;
    case XK_Right: case XK_KP_Right: return VK_RIGHT;
    case XK_Down: case XK_KP_Down: return VK_DOWN;
    case XK_Insert: case XK_KP_Insert: return VK_INSERT;
    case XK_Delete: case XK_KP_Delete: return VK_DELETE;
    case XK_Shift_L: case XK_Shift_R: return VK_SHIFT;
    case XK_Control_L: case XK_Control_R: return VK_CONTROL;
    case XK_Alt_L: case XK_Alt_R: case XK_Meta_L: return VK_MENU;
    case XK_Caps_Lock: return VK_CAPITAL;
    case XK_Num_Lock: return VK_NUMLOCK;
    case XK_Pause: return VK_PAUSE;
    case XK_Print: return VK_SNAPSHOT;
    case XK_KP_Multiply: return VK_MULTIPLY;
    case XK_KP_Add: return VK_ADD;
    case XK_KP_Subtract: return VK_SUBTRACT;
    case XK_KP_Decimal: return VK_DECIMAL;
    case XK_KP_Divide: return VK_DIVIDE;
    // The Danish keyboard's own keys.
    case XK_ae: case XK_AE: return VK_OEM_3;
    case XK_oslash: case XK_Ooblique: return VK_OEM_7;
    case XK_aring: case XK_Aring: return VK_OEM_6;
    case XK_onehalf: case XK_section: return VK_OEM_5;
    case XK_plus: case XK_question: return VK_OEM_PLUS;
    case XK_dead_acute: case XK_dead_grave: case XK_acute: return VK_OEM_4;
    case XK_dead_diaeresis: case XK_dead_circumflex: case XK_diaeresis: return VK_OEM_1;
    case XK_apostrophe: case XK_asterisk: return VK_OEM_2;
    case XK_less: case XK_greater: case XK_backslash: return VK_OEM_102;
    case XK_comma: case XK_semicolon: return VK_OEM_COMMA;
    case XK_period: case XK_colon: return VK_OEM_PERIOD;
    case XK_minus: case XK_underscore: return VK_OEM_MINUS;
  }
  return 0;
}

bool Extended(KeySym k) {
  switch (k) {
    case XK_Control_R: case XK_Alt_R: case XK_KP_Enter: case XK_KP_Divide:
      return true;
  }
  return false;
}

void Key(XKeyEvent &e, bool down) {
  KeySym base = XLookupKeysym(&e, 0);
  UINT vk = VirtualKey(base);
  if (vk) {
    U::InjectKey(vk, U::ScanCodeOf(vk), down, Extended(base) || U::IsExtendedKey(vk));
    return;
  }
  if (base == XK_ISO_Level3_Shift || base == XK_Mode_switch) {
    // AltGr is Ctrl + right Alt on Windows.
    U::InjectKey(VK_CONTROL, U::ScanCodeOf(VK_CONTROL), down, false);
    U::InjectKey(VK_MENU, U::ScanCodeOf(VK_MENU), down, true);
    return;
  }
  if (!down) return;
  // A character with no key of its own arrives as the character alone.
  char buf[16];
  KeySym sym;
  int n = XLookupString(&e, buf, sizeof buf - 1, &sym, nullptr);
  if (n == 1 && (unsigned char)buf[0] >= 0x20) {
    int c = UnicodeToCp1252((unsigned char)buf[0]);
    if (c >= 0) U::InjectChar((BYTE)c);
  }
}

unsigned FontCursor(int id) {
  switch (id) {
    case 32513: return XC_xterm;
    case 32514: return XC_watch;
    case 32650: return XC_watch;
    case 32515: return XC_crosshair;
    case 32648: return XC_X_cursor;
    case 32644: return XC_sb_h_double_arrow;
    case 32645: return XC_sb_v_double_arrow;
    case 32642: return XC_bottom_right_corner;
    case 32643: return XC_bottom_left_corner;
    case 32646: case 32640: return XC_fleur;
    case 32649: return XC_hand2;
    case 32651: return XC_question_arrow;
  }
  return XC_left_ptr;
}

void UpdateCursor() {
  X11 &x = X();
  HCURSOR c = U::CurrentCursor();
  if (c == x.cursor) return;
  x.cursor = c;
  Cursor xc = XCreateFontCursor(x.dpy, FontCursor(SystemCursorId(c)));
  for (auto &w : x.windows) XDefineCursor(x.dpy, w.second, xc);
  XFreeCursor(x.dpy, xc);
}

void Loop() {
  X11 &x = X();
  while (!x.stop.load()) {
    std::vector<Pending> todo;
    {
      std::lock_guard<std::mutex> g(x.mx);
      todo.swap(x.pending);
    }
    for (const Pending &p : todo) {
      if (p.ev == U::WindowEvent::Destroyed) {
        Drop(p.hwnd);
      } else if (p.ev != U::WindowEvent::Invalidated) {
        Place(p.hwnd);
      }
    }
    for (const Pending &p : todo)
      if (p.ev == U::WindowEvent::ZOrder || p.ev == U::WindowEvent::Shown) {
        Restack();
        break;
      }
    // Windows the events missed (made before the display started, or not
    // yet placed when their event came) are picked up here.
    for (HWND h : U::ChildrenOf(0))
      if (!Find(h)) Place(h);
    for (auto &w : x.windows) MapIfShown(w.first, w.second);
    uint64_t drawn = g_window_draws.load();
    if (drawn != x.drawn || !todo.empty()) {
      x.drawn = drawn;
      for (auto &w : x.windows) Show(w.first, todo.empty());
    }
    UpdateCursor();
    FollowForeground();
    XFlush(x.dpy);
    while (XPending(x.dpy)) {
      XEvent e;
      XNextEvent(x.dpy, &e);
      auto owner = x.owners.find(e.xany.window);
      if (owner == x.owners.end()) continue;
      switch (e.type) {
        case Expose:
          if (e.xexpose.count == 0) Show(owner->second);
          break;
        case MapNotify: x.viewable[e.xmap.window] = true; break;
        case UnmapNotify:
          x.viewable[e.xunmap.window] = false;
          if (x.focused == owner->second) x.focused = 0;  // focused anew when shown again
          break;
        case ClientMessage:
          if ((Atom)e.xclient.data.l[0] == XInternAtom(x.dpy, "WM_DELETE_WINDOW", False))
            PostMessageA(owner->second, WM_CLOSE, 0, 0);
          break;
        case MotionNotify: U::InjectMouseMove(e.xmotion.x_root, e.xmotion.y_root); break;
        case ButtonPress:
        case ButtonRelease: {
          bool down = e.type == ButtonPress;
          int b = (int)e.xbutton.button, rx = e.xbutton.x_root, ry = e.xbutton.y_root;
          if (b == 4 || b == 5) {
            if (down) U::InjectMouseWheel(b == 4 ? 120 : -120, rx, ry);
          } else if (b >= 1 && b <= 3) {
            U::InjectMouseButton(b == 1 ? 0 : b == 3 ? 1 : 2, down, rx, ry);
          }
          break;
        }
        case KeyPress: Key(e.xkey, true); break;
        case KeyRelease: {
          // X repeats a held key as release + press; Windows sends only
          // the presses.
          if (XEventsQueued(x.dpy, QueuedAfterReading)) {
            XEvent next;
            XPeekEvent(x.dpy, &next);
            if (next.type == KeyPress && next.xkey.time == e.xkey.time &&
                next.xkey.keycode == e.xkey.keycode)
              break;
          }
          Key(e.xkey, false);
          break;
        }
      }
    }
    pollfd fds[2] = {{ConnectionNumber(x.dpy), POLLIN, 0}, {x.wake[0], POLLIN, 0}};
    if (poll(fds, 2, 30) > 0 && (fds[1].revents & POLLIN)) {
      char buf[64];
      while (read(x.wake[0], buf, sizeof buf) == (ssize_t)sizeof buf) {
      }
    }
  }
  for (auto &w : x.windows) XDestroyWindow(x.dpy, w.second);
  XCloseDisplay(x.dpy);
}

void StopAtExit() {
  X11 &x = X();
  x.stop = true;
  if (x.wake[1] >= 0) (void)!write(x.wake[1], "q", 1);
  if (x.thread.joinable()) x.thread.join();
}

void Start() {
  X11 &x = X();
  const char *force = std::getenv("TAVO_DISPLAY");
  const char *display = std::getenv("DISPLAY");
  if (force && *force) x.wanted = std::strcmp(force, "x11") == 0;
  else x.wanted = display && *display;
  x.name = x.wanted ? "x11" : "headless";
  if (!x.wanted) return;
  x.dpy = XOpenDisplay(nullptr);
  if (!x.dpy) {
    x.wanted = false;
    x.name = "headless";
    return;
  }
  if (pipe(x.wake) != 0) {
    XCloseDisplay(x.dpy);
    x.dpy = nullptr;
    x.wanted = false;
    x.name = "headless";
    return;
  }
  for (int fd : x.wake) {
    int fl = fcntl(fd, F_GETFL);
    fcntl(fd, F_SETFL, fl | O_NONBLOCK);
  }
  g_previousErrors = XSetErrorHandler(OnXError);
  x.thread = std::thread(Loop);
  std::atexit(StopAtExit);
}

void OnWindow(HWND hwnd, U::WindowEvent ev, void *) {
  X11 &x = X();
  // The choice is made at the first window, not at start-up, so that a
  // program (or a test) can still set TAVO_DISPLAY in main.
  std::call_once(x.started, Start);
  if (!x.wanted) return;
  Pending p{hwnd, ev};
  if (U::ParentOf(hwnd)) {
    // A child's change only needs its top-level window shown again.
    p.hwnd = U::TopLevelOf(hwnd);
    p.ev = U::WindowEvent::Invalidated;
    if (!p.hwnd) return;
  }
  {
    std::lock_guard<std::mutex> g(x.mx);
    x.pending.push_back(p);
  }
  (void)!write(x.wake[1], "w", 1);
}

}  // namespace

void StartDisplay() { U::AddWindowHook(OnWindow, nullptr); }

const char *DisplayName() { return X().name; }

}  // namespace tavo::gdi
