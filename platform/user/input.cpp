// Keyboard and mouse: the Danish keyboard, key state, input turned into
// messages, focus, activation, capture, the cursor and mouse tracking.

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "state.h"

namespace tavo::user {

namespace {

struct KeyDef {
  BYTE vk;
  BYTE scan;
  bool ext;
  BYTE normal, shift, altgr;
  const char *name;  // nullptr: the name is the key's character in capitals
};

// The Danish keyboard. Dead keys (´ ` ¨ ^ ~) give their spacing character.
const KeyDef kKeys[] = {
    {VK_ESCAPE, 0x01, false, 0x1B, 0x1B, 0, "ESC"},
    {'1', 0x02, false, '1', '!', 0, nullptr},
    {'2', 0x03, false, '2', '"', '@', nullptr},
    {'3', 0x04, false, '3', '#', 0xA3, nullptr},
    {'4', 0x05, false, '4', 0xA4, '$', nullptr},
    {'5', 0x06, false, '5', '%', 0x80, nullptr},
    {'6', 0x07, false, '6', '&', 0, nullptr},
    {'7', 0x08, false, '7', '/', '{', nullptr},
    {'8', 0x09, false, '8', '(', '[', nullptr},
    {'9', 0x0A, false, '9', ')', ']', nullptr},
    {'0', 0x0B, false, '0', '=', '}', nullptr},
    {VK_OEM_PLUS, 0x0C, false, '+', '?', 0, nullptr},
    {VK_OEM_4, 0x0D, false, 0xB4, '`', '|', nullptr},
    {VK_BACK, 0x0E, false, 0x08, 0x08, 0, "TILBAGE"},
    {VK_TAB, 0x0F, false, '\t', '\t', 0, "TAB"},
    {'Q', 0x10, false, 'q', 'Q', 0, nullptr},
    {'W', 0x11, false, 'w', 'W', 0, nullptr},
    {'E', 0x12, false, 'e', 'E', 0x80, nullptr},
    {'R', 0x13, false, 'r', 'R', 0, nullptr},
    {'T', 0x14, false, 't', 'T', 0, nullptr},
    {'Y', 0x15, false, 'y', 'Y', 0, nullptr},
    {'U', 0x16, false, 'u', 'U', 0, nullptr},
    {'I', 0x17, false, 'i', 'I', 0, nullptr},
    {'O', 0x18, false, 'o', 'O', 0, nullptr},
    {'P', 0x19, false, 'p', 'P', 0, nullptr},
    {VK_OEM_6, 0x1A, false, 0xE5, 0xC5, 0, nullptr},
    {VK_OEM_1, 0x1B, false, 0xA8, '^', '~', nullptr},
    {VK_RETURN, 0x1C, false, '\r', '\r', 0, "ENTER"},
    {VK_CONTROL, 0x1D, false, 0, 0, 0, "CTRL"},
    {'A', 0x1E, false, 'a', 'A', 0, nullptr},
    {'S', 0x1F, false, 's', 'S', 0, nullptr},
    {'D', 0x20, false, 'd', 'D', 0, nullptr},
    {'F', 0x21, false, 'f', 'F', 0, nullptr},
    {'G', 0x22, false, 'g', 'G', 0, nullptr},
    {'H', 0x23, false, 'h', 'H', 0, nullptr},
    {'J', 0x24, false, 'j', 'J', 0, nullptr},
    {'K', 0x25, false, 'k', 'K', 0, nullptr},
    {'L', 0x26, false, 'l', 'L', 0, nullptr},
    {VK_OEM_3, 0x27, false, 0xE6, 0xC6, 0, nullptr},
    {VK_OEM_7, 0x28, false, 0xF8, 0xD8, 0, nullptr},
    {VK_OEM_5, 0x29, false, 0xBD, 0xA7, 0, nullptr},
    {VK_SHIFT, 0x2A, false, 0, 0, 0, "SKIFT"},
    {VK_OEM_2, 0x2B, false, '\'', '*', 0, nullptr},
    {'Z', 0x2C, false, 'z', 'Z', 0, nullptr},
    {'X', 0x2D, false, 'x', 'X', 0, nullptr},
    {'C', 0x2E, false, 'c', 'C', 0, nullptr},
    {'V', 0x2F, false, 'v', 'V', 0, nullptr},
    {'B', 0x30, false, 'b', 'B', 0, nullptr},
    {'N', 0x31, false, 'n', 'N', 0, nullptr},
    {'M', 0x32, false, 'm', 'M', 0xB5, nullptr},
    {VK_OEM_COMMA, 0x33, false, ',', ';', 0, nullptr},
    {VK_OEM_PERIOD, 0x34, false, '.', ':', 0, nullptr},
    {VK_OEM_MINUS, 0x35, false, '-', '_', 0, nullptr},
    {VK_RSHIFT, 0x36, false, 0, 0, 0, "H\xD8JRE SKIFT"},
    {VK_MULTIPLY, 0x37, false, '*', '*', 0, "NUM *"},
    {VK_MENU, 0x38, false, 0, 0, 0, "ALT"},
    {VK_SPACE, 0x39, false, ' ', ' ', 0, "MELLEMRUM"},
    {VK_CAPITAL, 0x3A, false, 0, 0, 0, "CAPS LOCK"},
    {VK_F1, 0x3B, false, 0, 0, 0, "F1"},
    {VK_F2, 0x3C, false, 0, 0, 0, "F2"},
    {VK_F3, 0x3D, false, 0, 0, 0, "F3"},
    {VK_F4, 0x3E, false, 0, 0, 0, "F4"},
    {VK_F5, 0x3F, false, 0, 0, 0, "F5"},
    {VK_F6, 0x40, false, 0, 0, 0, "F6"},
    {VK_F7, 0x41, false, 0, 0, 0, "F7"},
    {VK_F8, 0x42, false, 0, 0, 0, "F8"},
    {VK_F9, 0x43, false, 0, 0, 0, "F9"},
    {VK_F10, 0x44, false, 0, 0, 0, "F10"},
    {VK_PAUSE, 0x45, false, 0, 0, 0, "PAUSE"},
    {VK_NUMLOCK, 0x45, true, 0, 0, 0, "NUM LOCK"},
    {VK_SCROLL, 0x46, false, 0, 0, 0, "SCROLL LOCK"},
    {VK_NUMPAD7, 0x47, false, '7', '7', 0, "NUM 7"},
    {VK_NUMPAD8, 0x48, false, '8', '8', 0, "NUM 8"},
    {VK_NUMPAD9, 0x49, false, '9', '9', 0, "NUM 9"},
    {VK_SUBTRACT, 0x4A, false, '-', '-', 0, "NUM -"},
    {VK_NUMPAD4, 0x4B, false, '4', '4', 0, "NUM 4"},
    {VK_NUMPAD5, 0x4C, false, '5', '5', 0, "NUM 5"},
    {VK_NUMPAD6, 0x4D, false, '6', '6', 0, "NUM 6"},
    {VK_ADD, 0x4E, false, '+', '+', 0, "NUM +"},
    {VK_NUMPAD1, 0x4F, false, '1', '1', 0, "NUM 1"},
    {VK_NUMPAD2, 0x50, false, '2', '2', 0, "NUM 2"},
    {VK_NUMPAD3, 0x51, false, '3', '3', 0, "NUM 3"},
    {VK_NUMPAD0, 0x52, false, '0', '0', 0, "NUM 0"},
    {VK_DECIMAL, 0x53, false, ',', ',', 0, "NUM DEL"},
    {VK_OEM_102, 0x56, false, '<', '>', '\\', nullptr},
    {VK_F11, 0x57, false, 0, 0, 0, "F11"},
    {VK_F12, 0x58, false, 0, 0, 0, "F12"},
    {VK_F13, 0x64, false, 0, 0, 0, "F13"},
    {VK_F14, 0x65, false, 0, 0, 0, "F14"},
    {VK_F15, 0x66, false, 0, 0, 0, "F15"},
    {VK_F16, 0x67, false, 0, 0, 0, "F16"},
    {VK_F17, 0x68, false, 0, 0, 0, "F17"},
    {VK_F18, 0x69, false, 0, 0, 0, "F18"},
    {VK_F19, 0x6A, false, 0, 0, 0, "F19"},
    {VK_F20, 0x6B, false, 0, 0, 0, "F20"},
    {VK_F21, 0x6C, false, 0, 0, 0, "F21"},
    {VK_F22, 0x6D, false, 0, 0, 0, "F22"},
    {VK_F23, 0x6E, false, 0, 0, 0, "F23"},
    {VK_F24, 0x76, false, 0, 0, 0, "F24"},
    // extended keys
    {VK_RETURN, 0x1C, true, '\r', '\r', 0, "NUM ENTER"},
    {VK_RCONTROL, 0x1D, true, 0, 0, 0, "H\xD8JRE CTRL"},
    {VK_DIVIDE, 0x35, true, '/', '/', 0, "NUM /"},
    {VK_SNAPSHOT, 0x37, true, 0, 0, 0, "PRINT SCREEN"},
    {VK_RMENU, 0x38, true, 0, 0, 0, "ALT GR"},
    {VK_HOME, 0x47, true, 0, 0, 0, "HOME"},
    {VK_UP, 0x48, true, 0, 0, 0, "PIL OP"},
    {VK_PRIOR, 0x49, true, 0, 0, 0, "PAGE UP"},
    {VK_LEFT, 0x4B, true, 0, 0, 0, "PIL VENSTRE"},
    {VK_RIGHT, 0x4D, true, 0, 0, 0, "PIL H\xD8JRE"},
    {VK_END, 0x4F, true, 0, 0, 0, "END"},
    {VK_DOWN, 0x50, true, 0, 0, 0, "PIL NED"},
    {VK_NEXT, 0x51, true, 0, 0, 0, "PAGE DOWN"},
    {VK_INSERT, 0x52, true, 0, 0, 0, "INSERT"},
    {VK_DELETE, 0x53, true, 0, 0, 0, "DELETE"},
    {VK_LWIN, 0x5B, true, 0, 0, 0, "VENSTRE WINDOWS"},
    {VK_RWIN, 0x5C, true, 0, 0, 0, "H\xD8JRE WINDOWS"},
    {VK_APPS, 0x5D, true, 0, 0, 0, "PROGRAM"},
};

const KeyDef *ByVk(UINT vk) {
  if (vk == VK_LSHIFT) vk = VK_SHIFT;
  if (vk == VK_LCONTROL) vk = VK_CONTROL;
  if (vk == VK_LMENU) vk = VK_MENU;
  for (auto &k : kKeys)
    if (k.vk == vk) return &k;
  return nullptr;
}

const KeyDef *ByScan(UINT scan, bool ext) {
  for (auto &k : kKeys)
    if (k.scan == scan && k.ext == ext) return &k;
  return nullptr;
}

bool IsLetter(BYTE c) { return (c >= 'a' && c <= 'z') || c == 0xE6 || c == 0xF8 || c == 0xE5; }

BYTE Upper(BYTE c) { return (c >= 'a' && c <= 'z') ? c - 32 : (c == 0xE6 || c == 0xF8 || c == 0xE5) ? c - 32 : c; }

// Generic key for messages, and the side-specific one the state also keeps.
void Sides(UINT vk, UINT scan, bool ext, UINT *generic, UINT *side) {
  *generic = vk;
  *side = 0;
  switch (vk) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT:
      *generic = VK_SHIFT;
      *side = (vk == VK_RSHIFT || scan == 0x36) ? VK_RSHIFT : VK_LSHIFT;
      break;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
      *generic = VK_CONTROL;
      *side = (vk == VK_RCONTROL || ext) ? VK_RCONTROL : VK_LCONTROL;
      break;
    case VK_MENU: case VK_LMENU: case VK_RMENU:
      *generic = VK_MENU;
      *side = (vk == VK_RMENU || ext) ? VK_RMENU : VK_LMENU;
      break;
  }
}

void SetKey(BYTE *keys, UINT generic, UINT side, bool down) {
  auto set = [&](UINT k) {
    if (down) {
      if (!(keys[k] & 0x80)) keys[k] ^= 0x01;
      keys[k] |= 0x80;
    } else {
      keys[k] &= (BYTE)~0x80;
    }
  };
  if (side) {
    set(side);
    UINT other = side == VK_LSHIFT ? VK_RSHIFT : side == VK_RSHIFT ? VK_LSHIFT
               : side == VK_LCONTROL ? VK_RCONTROL : side == VK_RCONTROL ? VK_LCONTROL
               : side == VK_LMENU ? VK_RMENU : VK_LMENU;
    bool any = down || (keys[other] & 0x80);
    if (any) {
      if (!(keys[generic] & 0x80)) keys[generic] ^= 0x01;
      keys[generic] |= 0x80;
    } else {
      keys[generic] &= (BYTE)~0x80;
    }
  } else {
    set(generic);
  }
}

WPARAM MouseKeys(const BYTE *k) {
  WPARAM r = 0;
  if (k[VK_LBUTTON] & 0x80) r |= MK_LBUTTON;
  if (k[VK_RBUTTON] & 0x80) r |= MK_RBUTTON;
  if (k[VK_MBUTTON] & 0x80) r |= MK_MBUTTON;
  if (k[VK_SHIFT] & 0x80) r |= MK_SHIFT;
  if (k[VK_CONTROL] & 0x80) r |= MK_CONTROL;
  return r;
}

POINT ClipPoint(POINT p) {
  State &s = S();
  p.x = std::clamp(p.x, 0, s.screenW - 1);
  p.y = std::clamp(p.y, 0, s.screenH - 1);
  if (s.clipping) {
    p.x = std::clamp(p.x, s.clip.left, std::max(s.clip.left, s.clip.right - 1));
    p.y = std::clamp(p.y, s.clip.top, std::max(s.clip.top, s.clip.bottom - 1));
  }
  return p;
}

bool InClientL(const Wnd *w, POINT pt) {
  POINT o = ClientOriginL(w);
  return pt.x >= o.x && pt.y >= o.y && pt.x < o.x + (w->client.right - w->client.left) &&
         pt.y < o.y + (w->client.bottom - w->client.top);
}

void PushRaw(HWND h, const RawInput &ev) {
  Wnd *w = W(h);
  if (!w) return;
  Queue *q = QueueOf(w->tid);
  if (!q || q->dead) return;
  q->raw.push_back(ev);
  WakeL(q);
}

// A pointer that left the tracked window (or moved between its client and
// frame) ends the tracking with one WM_MOUSELEAVE.
void CheckLeaveL(HWND target, POINT pt) {
  Track &t = S().track;
  if (!t.hwnd) return;
  Wnd *tw = W(t.hwnd);
  if (!tw) {
    t = Track{};
    return;
  }
  bool wantClient = !(t.flags & TME_NONCLIENT);
  bool inside = target == t.hwnd && InClientL(tw, pt) == wantClient;
  if (inside) {
    if (t.hoverArmed && (std::abs(pt.x - t.hoverPt.x) > 2 || std::abs(pt.y - t.hoverPt.y) > 2)) {
      t.hoverPt = pt;
      t.hoverDue = Clock::now() + std::chrono::milliseconds(t.hoverTime);
    }
    return;
  }
  if (t.flags & TME_LEAVE) {
    RawInput ev{RawKind::Leave};
    ev.hwnd = t.hwnd;
    ev.pt = pt;
    ev.time = NowMs();
    ev.button = (t.flags & TME_NONCLIENT) ? 1 : 0;
    PushRaw(t.hwnd, ev);
  }
  t = Track{};
}

HWND MouseTargetL(POINT pt, bool *captured) {
  *captured = false;
  if (S().capture && W(S().capture)) {
    *captured = true;
    return S().capture;
  }
  return WindowFromPointL(pt);
}

Queue *ForegroundQueueL() {
  Wnd *f = W(S().foreground);
  if (f) return QueueOf(f->tid);
  return nullptr;
}

}  // namespace

UINT ScanCodeOf(UINT vk) {
  const KeyDef *k = ByVk(vk);
  if (vk == VK_RSHIFT) return 0x36;
  return k ? k->scan : 0;
}

bool IsExtendedKey(UINT vk) {
  if (vk == VK_RETURN) return false;
  const KeyDef *k = ByVk(vk);
  return k && k->ext;
}

// ---------------------------------------------------------------- injection

void InjectKey(UINT vk, UINT scan, bool down, bool extended) {
  Lock l(S().mx);
  if (!vk && scan) {
    const KeyDef *k = ByScan(scan, extended);
    if (!k) return;
    vk = k->vk;
  }
  if (!vk || vk > 0xFF) return;
  if (!scan) {
    scan = ScanCodeOf(vk);
    extended = extended || IsExtendedKey(vk);
  }
  UINT generic, side;
  Sides(vk, scan, extended, &generic, &side);
  SetKey(S().async, generic, side, down);
  Queue *q = ForegroundQueueL();
  if (!q) return;
  RawInput ev{RawKind::Key};
  ev.vk = vk;
  ev.scan = scan;
  ev.down = down;
  ev.extended = extended;
  ev.time = NowMs();
  ev.pt = S().cursor;
  q->raw.push_back(ev);
  WakeL(q);
}

void InjectChar(BYTE ch) {
  Lock l(S().mx);
  Queue *q = ForegroundQueueL();
  if (!q) return;
  RawInput ev{RawKind::Char};
  ev.vk = ch;
  ev.time = NowMs();
  ev.pt = S().cursor;
  q->raw.push_back(ev);
  WakeL(q);
}

namespace {
void InjectMouse(RawKind kind, int button, bool down, int delta, int x, int y) {
  Lock l(S().mx);
  POINT pt = ClipPoint(POINT{x, y});
  S().cursor = pt;
  if (kind == RawKind::Button) {
    static const UINT vks[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    if (button < 0 || button > 2) return;
    SetKey(S().async, vks[button], 0, down);
  }
  bool captured;
  HWND target = MouseTargetL(pt, &captured);
  CheckLeaveL(target, pt);
  RawInput ev{kind};
  ev.pt = pt;
  ev.button = button;
  ev.down = down;
  ev.delta = delta;
  ev.time = NowMs();
  ev.capture = captured;
  if (kind == RawKind::Wheel) {
    // The wheel goes to the focus window of the foreground thread.
    Queue *q = ForegroundQueueL();
    if (!q) return;
    q->raw.push_back(ev);
    WakeL(q);
    return;
  }
  ev.hwnd = target;
  if (target) {
    PushRaw(target, ev);
    return;
  }
  // Over no window of ours: a capture taken before the event is looked at may
  // still want it, so the foreground thread gets it.
  if (Queue *q = ForegroundQueueL()) {
    q->raw.push_back(ev);
    WakeL(q);
  }
}
}  // namespace

void InjectMouseMove(int x, int y) { InjectMouse(RawKind::Move, 0, false, 0, x, y); }
void InjectMouseButton(int button, bool down, int x, int y) { InjectMouse(RawKind::Button, button, down, 0, x, y); }
void InjectMouseWheel(int delta, int x, int y) { InjectMouse(RawKind::Wheel, 0, false, delta, x, y); }

// ---------------------------------------------------------------- cooking

void CookInput(Queue *q, RawInput &ev, Lock &l) {
  auto push = [&](HWND h, UINT m, WPARAM wp, LPARAM lp) {
    q->cooked.push_back(MSG{h, m, wp, lp, ev.time, ev.pt});
  };
  switch (ev.kind) {
    case RawKind::Key: {
      UINT generic, side;
      Sides(ev.vk, ev.scan, ev.extended, &generic, &side);
      bool prev = (q->keys[generic] & 0x80) != 0;
      bool altBefore = (q->keys[VK_MENU] & 0x80) != 0;
      SetKey(q->keys, generic, side, ev.down);
      bool alt = (q->keys[VK_MENU] & 0x80) != 0;
      bool ctrl = (q->keys[VK_CONTROL] & 0x80) != 0;
      if (ev.down) q->altAlone = generic == VK_MENU ? (!prev || q->altAlone) : false;
      bool altNow = ev.down ? alt : altBefore;
      bool sys = (altNow && !ctrl) || generic == VK_F10;
      UINT msg = ev.down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
      LPARAM lp = 1 | ((LPARAM)(ev.scan & 0xFF) << 16) | (ev.extended ? (1L << 24) : 0) |
                  (altNow && !ctrl ? (1L << 29) : 0) | ((prev || !ev.down) ? (1L << 30) : 0) |
                  (ev.down ? 0 : (LPARAM)(1UL << 31));
      lp = (LPARAM)(DWORD)lp;
      HWND target = W(q->focus) ? q->focus : 0;
      if (!target && W(q->active)) {
        // Without a focus window the active window hears the keys as system keys.
        target = q->active;
        if (msg == WM_KEYDOWN) msg = WM_SYSKEYDOWN;
        else if (msg == WM_KEYUP) msg = WM_SYSKEYUP;
      }
      if (target) push(target, msg, generic, lp);
      break;
    }
    case RawKind::Char: {
      HWND target = W(q->focus) ? q->focus : W(q->active) ? q->active : 0;
      if (target) push(target, WM_CHAR, ev.vk, 1);
      break;
    }
    case RawKind::Leave:
      if (W(ev.hwnd)) push(ev.hwnd, ev.button ? 0x02A2 /* WM_NCMOUSELEAVE */ : WM_MOUSELEAVE, 0, 0);
      break;
    case RawKind::Hover: {
      Wnd *w = W(ev.hwnd);
      Track &t = S().track;
      if (!w || t.hwnd != ev.hwnd || !(t.flags & TME_HOVER)) break;
      t.flags &= ~TME_HOVER;
      t.hoverArmed = false;
      if (!t.flags) t = Track{};
      POINT o = ClientOriginL(w);
      push(ev.hwnd, WM_MOUSEHOVER, MouseKeys(q->keys),
           MAKELPARAM((WORD)(SHORT)(ev.pt.x - o.x), (WORD)(SHORT)(ev.pt.y - o.y)));
      break;
    }
    case RawKind::Wheel: {
      HWND target = W(q->focus) ? q->focus : W(q->active) ? q->active : 0;
      if (target)
        push(target, WM_MOUSEWHEEL, MAKEWPARAM(MouseKeys(q->keys), (WORD)(SHORT)ev.delta),
             MAKELPARAM((WORD)(SHORT)ev.pt.x, (WORD)(SHORT)ev.pt.y));
      break;
    }
    case RawKind::Move:
    case RawKind::Button: {
      static const UINT downMsg[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
      static const UINT upMsg[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
      static const UINT vks[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
      UINT msg = WM_MOUSEMOVE;
      if (ev.kind == RawKind::Button) {
        SetKey(q->keys, vks[ev.button], 0, ev.down);
        msg = ev.down ? downMsg[ev.button] : upMsg[ev.button];
      }
      // The capture is looked at now, not when the event was made: a move/size
      // loop may have started in between.
      HWND target;
      bool captured = false;
      if (W(S().capture)) {
        target = S().capture;
        captured = true;
      } else {
        target = WindowFromPointL(ev.pt);
        Wnd *tw = W(target);
        if (!tw || tw->tid != q->tid) target = ev.hwnd;
      }
      if (!W(target)) break;
      LRESULT hit = HTCLIENT;
      if (!captured) {
        // A transparent window (a group box) passes the hit to the window
        // beneath it: a sibling lower down, else its parent.
        std::vector<HWND> passedOver;
        for (int depth = 0; depth < 64; ++depth) {
          l.unlock();
          hit = Send(target, WM_NCHITTEST, 0, MAKELPARAM((WORD)(SHORT)ev.pt.x, (WORD)(SHORT)ev.pt.y));
          l.lock();
          Wnd *w = W(target);
          if (!w) return;
          if (hit != HTTRANSPARENT) break;
          if (!(w->style & WS_CHILD)) return;
          passedOver.push_back(target);
          HWND beneath = WindowFromPointL(ev.pt, &passedOver);
          Wnd *bw = W(beneath);
          bool sibling = bw && bw->tid == q->tid && beneath != w->parent && IsDescendantL(w->parent, beneath) &&
                         std::find(passedOver.begin(), passedOver.end(), beneath) == passedOver.end();
          target = sibling ? beneath : w->parent;
        }
        if (hit == HTTRANSPARENT) return;
      }
      bool eat = false;
      if (ev.kind == RawKind::Button && ev.down && !captured) {
        HWND top = RootL(target);
        Wnd *tw = W(top);
        if (tw && top != q->active && !(tw->exStyle & WS_EX_NOACTIVATE)) {
          l.unlock();
          LRESULT r = Send(target, WM_MOUSEACTIVATE, top, MAKELPARAM((WORD)hit, (WORD)msg));
          if (r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT || r == 0) ActivateWindow(top, WA_CLICKACTIVE);
          l.lock();
          eat = r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT;
        }
      }
      if (!captured) {
        l.unlock();
        Send(target, WM_SETCURSOR, target, MAKELPARAM((WORD)hit, (WORD)msg));
        l.lock();
      }
      Wnd *w = W(target);
      if (!w || eat) return;
      if ((w->style & WS_DISABLED) && !captured) return;
      if (ev.kind == RawKind::Button && ev.down) {
        State &s = S();
        int dx = MetricL(SM_CXDOUBLECLK) / 2, dy = MetricL(SM_CYDOUBLECLK) / 2;
        bool dbl = s.lastClickArmed && s.lastClickHwnd == target && s.lastClickMsg == msg &&
                   ev.time - s.lastClickTime <= GetDoubleClickTime() && std::abs(ev.pt.x - s.lastClickPt.x) <= dx &&
                   std::abs(ev.pt.y - s.lastClickPt.y) <= dy;
        bool classWants = hit != HTCLIENT || (w->cls && (w->cls->style & CS_DBLCLKS));
        if (dbl && classWants) {
          msg += 2;  // WM_xBUTTONDBLCLK follows WM_xBUTTONDOWN and WM_xBUTTONUP
          s.lastClickArmed = false;
        } else {
          s.lastClickArmed = true;
          s.lastClickHwnd = target;
          s.lastClickMsg = msg;
          s.lastClickTime = ev.time;
          s.lastClickPt = ev.pt;
        }
      }
      if (hit == HTCLIENT) {
        POINT o = ClientOriginL(w);
        push(target, msg, MouseKeys(q->keys),
             MAKELPARAM((WORD)(SHORT)(ev.pt.x - o.x), (WORD)(SHORT)(ev.pt.y - o.y)));
      } else {
        push(target, msg - (WM_MOUSEMOVE - WM_NCMOUSEMOVE), (WPARAM)hit,
             MAKELPARAM((WORD)(SHORT)ev.pt.x, (WORD)(SHORT)ev.pt.y));
      }
      break;
    }
  }
}

// ---------------------------------------------------------------- activation

void OnWindowGone(HWND h) {
  State &s = S();
  for (auto &kv : s.queues) {
    if (kv.second->focus == h) kv.second->focus = 0;
    if (kv.second->active == h) kv.second->active = 0;
  }
  if (s.foreground == h) s.foreground = 0;
  if (s.capture == h) s.capture = 0;
  if (s.track.hwnd == h) s.track = Track{};
  if (s.lastClickHwnd == h) s.lastClickArmed = false;
}

void ActivateWindow(HWND h, int how) {
  HWND old, oldFg = 0;
  DWORD self, oldFgThread = 0;
  std::vector<HWND> mine, theirs;
  {
    Lock l(S().mx);
    Queue *q = SelfQueue();
    self = q->tid;
    if (h) {
      if (!W(h)) return;
      h = RootL(h);
      Wnd *w = W(h);
      if (!w || w->tid != self) return;
    }
    old = W(q->active) ? q->active : 0;
    Wnd *fg = W(S().foreground);
    oldFgThread = fg ? fg->tid : 0;
    // Already active, and the foreground: nothing changes. Active but behind
    // another thread's window: it comes back to the front with its messages.
    if (old == h && (!h || S().foreground == h || oldFgThread == self)) {
      if (h) S().foreground = h;
      return;
    }
    if (old == h) old = 0;
    if (fg && fg->tid != self) oldFg = S().foreground;
    q->active = h;
    if (Wnd *d = W(S().desktop))
      for (HWND t : d->children) {
        Wnd *o = W(t);
        if (!o) continue;
        if (o->tid == self) mine.push_back(t);
        else if (oldFgThread && o->tid == oldFgThread) theirs.push_back(t);
      }
  }
  if (old) {
    Send(old, WM_NCACTIVATE, FALSE, 0);
    Send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), (LPARAM)h);
  }
  if (h && oldFgThread != self) {
    // The other thread hears of it without this one waiting for its answer.
    if (oldFg) {
      Notify(oldFg, WM_NCACTIVATE, FALSE, 0);
      Notify(oldFg, WM_ACTIVATE, WA_INACTIVE, (LPARAM)h);
    }
    for (HWND t : theirs) Notify(t, WM_ACTIVATEAPP, FALSE, (LPARAM)self);
    for (HWND t : mine) Send(t, WM_ACTIVATEAPP, TRUE, (LPARAM)oldFgThread);
  } else if (!h && old) {
    for (HWND t : mine)
      if (IsWindow(t)) Send(t, WM_ACTIVATEAPP, FALSE, 0);
  }
  {
    Lock l(S().mx);
    Queue *q = SelfQueue();
    if (q->active != h) return;  // someone activated another window meanwhile
    if (h) {
      S().foreground = h;
      BringToTopL(h);
    } else if (S().foreground == old) {
      S().foreground = 0;
    }
  }
  if (h && IsWindow(h)) {
    Send(h, WM_NCACTIVATE, TRUE, 0);
    Send(h, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(h) ? 1 : 0), (LPARAM)old);
  }
  // The focus stays inside the active window.
  HWND f = GetFocus();
  if (f && (!h || (f != h && !IsChild(h, f)))) SetFocus(0);
}

namespace {
bool CanTakeActivationL(const Wnd *o, HWND leaving) {
  return o && o->h != leaving && (o->style & WS_VISIBLE) && !(o->style & WS_DISABLED) &&
         !(o->exStyle & WS_EX_NOACTIVATE) && !o->destroying && !o->iconic;
}
}  // namespace

void ActivateAfter(HWND h) {
  HWND next = 0;
  bool heldForeground;
  DWORD self = GetCurrentThreadId(), nextThread = 0;
  {
    Lock l(S().mx);
    heldForeground = S().foreground == h || !W(S().foreground);
    Wnd *w = W(h), *d = W(S().desktop);
    // The owner first, then the front-most window of this thread; when the
    // thread has none left, the front-most of another thread, so that a
    // dialog of a worker thread hands the keyboard back to the main window
    // when it goes (the system does the same when a thread's last window
    // closes).
    if (w && w->owner && CanTakeActivationL(W(w->owner), h)) next = w->owner;
    for (int pass = 0; d && !next && pass < 2; ++pass)
      for (HWND t : d->children) {
        Wnd *o = W(t);
        if (CanTakeActivationL(o, h) && (pass == 1 || o->tid == self)) {
          next = t;
          break;
        }
      }
    if (Wnd *n = W(next)) nextThread = n->tid;
  }
  if (!next || nextThread == self) {
    ActivateWindow(next, WA_ACTIVE);
    return;
  }
  ActivateWindow(0, WA_ACTIVE);
  // A thread that was behind another's window gives no foreground away.
  if (heldForeground) SetForegroundWindow(next);
}

}  // namespace tavo::user

using namespace tavo::user;

HWND SetActiveWindow(HWND h) {
  HWND old = GetActiveWindow();
  if (h) {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w || w->tid != GetCurrentThreadId()) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
  }
  ActivateWindow(h, WA_ACTIVE);
  return old;
}

HWND GetActiveWindow(void) {
  Lock l(S().mx);
  Queue *q = SelfQueue();
  return W(q->active) ? q->active : 0;
}

BOOL SetForegroundWindow(HWND h) {
  DWORD tid;
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w) return FALSE;
    h = RootL(h);
    tid = W(h)->tid;
    if (tid != GetCurrentThreadId()) {
      // The other thread activates it when it next looks at its queue.
      Queue *q = QueueOf(tid);
      if (!q || q->dead) return FALSE;
      q->posted.push_front(MSG{h, kActivate, WA_ACTIVE, 0, NowMs(), S().cursor});
      S().foreground = h;
      WakeL(q);
      return TRUE;
    }
  }
  ActivateWindow(h, WA_ACTIVE);
  return TRUE;
}

HWND GetForegroundWindow(void) {
  Lock l(S().mx);
  return W(S().foreground) ? S().foreground : 0;
}

HWND SetFocus(HWND h) {
  HWND old, top = 0;
  {
    Lock l(S().mx);
    Queue *q = SelfQueue();
    if (h) {
      Wnd *w = W(h);
      if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
      }
      if (w->tid != q->tid) return 0;
      // A disabled window, or one inside a disabled window, takes no focus.
      for (Wnd *x = w; x && x->h != S().desktop; x = W(x->parent)) {
        if (x->style & WS_DISABLED) return 0;
        if (!(x->style & WS_CHILD)) break;
      }
      top = RootL(h);
    }
    old = W(q->focus) ? q->focus : 0;
    if (old == h) return old;
    if (h && top != q->active) {
      l.unlock();
      ActivateWindow(top, WA_ACTIVE);
      l.lock();
      if (!W(h)) return 0;
      old = W(q->focus) ? q->focus : 0;
      if (old == h) return old;
    }
  }
  if (old) Send(old, WM_KILLFOCUS, (WPARAM)h, 0);
  {
    Lock l(S().mx);
    Queue *q = SelfQueue();
    if (h && !W(h)) {
      q->focus = 0;
      return old;
    }
    q->focus = h;
  }
  if (h) Send(h, WM_SETFOCUS, (WPARAM)old, 0);
  return old;
}

HWND GetFocus(void) {
  Lock l(S().mx);
  Queue *q = SelfQueue();
  return W(q->focus) ? q->focus : 0;
}

HWND SetCapture(HWND h) {
  HWND old;
  {
    Lock l(S().mx);
    if (!W(h)) return 0;
    old = W(S().capture) ? S().capture : 0;
    S().capture = h;
  }
  if (old && old != h) Notify(old, WM_CAPTURECHANGED, 0, (LPARAM)h);
  return old;
}

BOOL ReleaseCapture(void) {
  HWND old;
  {
    Lock l(S().mx);
    old = S().capture;
    S().capture = 0;
  }
  if (old && IsWindow(old)) Notify(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture(void) {
  Lock l(S().mx);
  Wnd *w = W(S().capture);
  return w && w->tid == GetCurrentThreadId() ? S().capture : 0;
}

BOOL ClipCursor(const RECT *r) {
  Lock l(S().mx);
  if (!r) {
    S().clipping = false;
    return TRUE;
  }
  RECT c{std::max(0, r->left), std::max(0, r->top), std::min(S().screenW, r->right), std::min(S().screenH, r->bottom)};
  if (c.right <= c.left || c.bottom <= c.top) c = RECT{r->left, r->top, r->left + 1, r->top + 1};
  S().clip = c;
  S().clipping = true;
  S().cursor = ClipPoint(S().cursor);
  return TRUE;
}

BOOL GetClipCursor(LPRECT r) {
  if (!r) return FALSE;
  Lock l(S().mx);
  *r = S().clipping ? S().clip : RECT{0, 0, S().screenW, S().screenH};
  return TRUE;
}

BOOL GetCursorPos(LPPOINT p) {
  if (!p) return FALSE;
  Lock l(S().mx);
  *p = S().cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  InjectMouseMove(x, y);
  return TRUE;
}

int ShowCursor(BOOL show) {
  Lock l(S().mx);
  return show ? ++S().cursorCount : --S().cursorCount;
}

HCURSOR SetCursor(HCURSOR c) {
  Lock l(S().mx);
  HCURSOR old = S().currentCursor;
  S().currentCursor = c;
  return old;
}

HCURSOR GetCursor(void) {
  Lock l(S().mx);
  return S().currentCursor;
}

HCURSOR tavo::user::CurrentCursor() { return GetCursor(); }

UINT GetDoubleClickTime(void) { return 500; }

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT tme) {
  if (!tme || tme->cbSize != sizeof *tme) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Lock l(S().mx);
  Track &t = S().track;
  if (tme->dwFlags & TME_QUERY) {
    tme->dwFlags = t.hwnd ? t.flags : 0;
    tme->hwndTrack = t.hwnd;
    tme->dwHoverTime = t.hoverTime;
    return TRUE;
  }
  Wnd *w = W(tme->hwndTrack);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  DWORD kinds = tme->dwFlags & (TME_HOVER | TME_LEAVE);
  if (tme->dwFlags & TME_CANCEL) {
    if (t.hwnd == tme->hwndTrack) {
      t.flags &= ~kinds;
      if (!(t.flags & TME_HOVER)) t.hoverArmed = false;
      if (!(t.flags & (TME_HOVER | TME_LEAVE))) t = Track{};
    }
    return TRUE;
  }
  POINT pt = S().cursor;
  bool captured;
  HWND under = MouseTargetL(pt, &captured);
  bool wantClient = !(tme->dwFlags & TME_NONCLIENT);
  if (under != tme->hwndTrack || InClientL(w, pt) != wantClient) {
    // Not over the window: the leave is due at once.
    if (tme->dwFlags & TME_LEAVE) {
      RawInput ev{RawKind::Leave};
      ev.hwnd = tme->hwndTrack;
      ev.pt = pt;
      ev.time = NowMs();
      ev.button = wantClient ? 0 : 1;
      PushRaw(tme->hwndTrack, ev);
    }
    return TRUE;
  }
  if (t.hwnd != tme->hwndTrack) t = Track{};
  t.hwnd = tme->hwndTrack;
  t.flags |= kinds | (tme->dwFlags & TME_NONCLIENT);
  if (tme->dwFlags & TME_HOVER) {
    DWORD ht = tme->dwHoverTime == HOVER_DEFAULT ? 400 : tme->dwHoverTime;
    t.hoverTime = ht;
    t.hoverPt = pt;
    if (ht == 0) {
      t.hoverArmed = false;
      RawInput ev{RawKind::Hover};
      ev.hwnd = t.hwnd;
      ev.pt = pt;
      ev.time = NowMs();
      PushRaw(t.hwnd, ev);
    } else {
      t.hoverArmed = true;
      t.hoverDue = Clock::now() + std::chrono::milliseconds(ht);
      WakeL(QueueOf(w->tid));
    }
  }
  return TRUE;
}

BOOL _TrackMouseEvent(LPTRACKMOUSEEVENT tme) { return TrackMouseEvent(tme); }

// ---------------------------------------------------------------- keyboard state

SHORT GetKeyState(int vk) {
  Lock l(S().mx);
  BYTE k = SelfQueue()->keys[vk & 0xFF];
  return (SHORT)(((k & 0x80) ? 0xFF80 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int vk) {
  Lock l(S().mx);
  return (S().async[vk & 0xFF] & 0x80) ? (SHORT)0x8000 : 0;
}

BOOL GetKeyboardState(PBYTE state) {
  if (!state) return FALSE;
  Lock l(S().mx);
  std::memcpy(state, SelfQueue()->keys, 256);
  return TRUE;
}

BOOL SetKeyboardState(PBYTE state) {
  if (!state) return FALSE;
  Lock l(S().mx);
  std::memcpy(SelfQueue()->keys, state, 256);
  return TRUE;
}

namespace {
// The character a key gives with the thread's current modifiers; 0 for none.
BYTE CharOf(UINT vk, const BYTE *keys, bool *sys) {
  const KeyDef *k = ByVk(vk);
  *sys = false;
  if (!k) return 0;
  bool shift = keys[VK_SHIFT] & 0x80, ctrl = keys[VK_CONTROL] & 0x80, alt = keys[VK_MENU] & 0x80;
  bool caps = keys[VK_CAPITAL] & 0x01;
  if (ctrl && alt) return k->altgr;
  if (ctrl) {
    if (vk >= 'A' && vk <= 'Z') return (BYTE)(vk - 'A' + 1);
    if (vk == VK_BACK) return 0x7F;
    if (vk == VK_RETURN) return '\n';
    if (vk == VK_SPACE) return ' ';
    if (vk == VK_ESCAPE) return 0x1B;
    return 0;
  }
  BYTE c = shift ? k->shift : k->normal;
  if (caps && IsLetter(k->normal)) c = shift ? k->normal : Upper(k->normal);
  *sys = alt;
  return c;
}
}  // namespace

BOOL TranslateMessage(const MSG *m) {
  if (!m) return FALSE;
  if (m->message == WM_KEYUP || m->message == WM_SYSKEYUP) return TRUE;
  if (m->message != WM_KEYDOWN && m->message != WM_SYSKEYDOWN) return FALSE;
  Lock l(S().mx);
  Queue *q = SelfQueue();
  bool sys;
  BYTE c = CharOf((UINT)m->wParam, q->keys, &sys);
  if (!c) return TRUE;
  UINT msg = (m->message == WM_SYSKEYDOWN && sys) ? WM_SYSCHAR : WM_CHAR;
  // The character comes next, before anything posted later.
  q->posted.push_front(MSG{m->hwnd, msg, c, m->lParam, m->time, m->pt});
  WakeL(q);
  return TRUE;
}

int GetKeyNameTextA(LONG lParam, LPSTR buf, int size) {
  if (!buf || size <= 0) return 0;
  buf[0] = 0;
  UINT scan = (lParam >> 16) & 0xFF;
  bool ext = (lParam >> 24) & 1;
  const KeyDef *k = ByScan(scan, ext);
  if (!k && ext) k = ByScan(scan, false);
  if (!k) return 0;
  std::string name;
  if (k->name) {
    name = k->name;
  } else {
    BYTE c = k->normal;
    if (IsLetter(c)) c = Upper(c);
    name = std::string(1, (char)c);
  }
  size_t n = std::min(name.size(), (size_t)size - 1);
  std::memcpy(buf, name.data(), n);
  buf[n] = 0;
  return (int)n;
}

UINT MapVirtualKeyA(UINT code, UINT type) {
  switch (type) {
    case MAPVK_VK_TO_VSC: return ScanCodeOf(code);
    case MAPVK_VSC_TO_VK:
    case MAPVK_VSC_TO_VK_EX: {
      const KeyDef *k = ByScan(code, false);
      if (!k) return 0;
      if (type == MAPVK_VSC_TO_VK_EX) {
        if (k->vk == VK_SHIFT) return VK_LSHIFT;
        if (k->vk == VK_CONTROL) return VK_LCONTROL;
        if (k->vk == VK_MENU) return VK_LMENU;
      }
      if (k->vk == VK_RSHIFT) return VK_SHIFT;
      return k->vk;
    }
    case MAPVK_VK_TO_CHAR: {
      const KeyDef *k = ByVk(code);
      if (!k) return 0;
      BYTE c = k->normal;
      if (IsLetter(c)) c = Upper(c);
      if (code == VK_OEM_4 || code == VK_OEM_1) return 0x80000000u | c;  // dead keys
      return c;
    }
  }
  return 0;
}

SHORT VkKeyScanA(CHAR ch) {
  BYTE c = (BYTE)ch;
  if (c >= 1 && c <= 26 && c != '\b' && c != '\t' && c != '\r' && c != '\n') return (SHORT)(0x200 | ('A' + c - 1));
  if (c == '\n') return (SHORT)(0x200 | VK_RETURN);
  for (auto &k : kKeys) {
    if (k.ext) continue;
    if (k.vk >= VK_NUMPAD0 && k.vk <= VK_DIVIDE) continue;  // the main block first
    if (k.normal == c) return k.vk;
    if (k.shift == c && k.shift != k.normal) return (SHORT)(0x100 | k.vk);
    if (k.altgr == c) return (SHORT)(0x600 | k.vk);
  }
  return -1;
}
