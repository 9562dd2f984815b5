// Menus: the menu objects, menu templates, the system menu, the keyboard
// menu loop behind SC_KEYMENU and TrackPopupMenu, and menu help.

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "dlgint.h"
#include "menuint.h"
#include "state.h"
#include "win/menu.h"

namespace tavo::user {

namespace {

constexpr UINT kTypeBits = MF_SEPARATOR | MF_POPUP | MF_BITMAP | MF_OWNERDRAW | MF_MENUBARBREAK | MF_MENUBREAK |
                           MF_RIGHTJUSTIFY | MFT_RADIOCHECK;
constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;

struct Item {
  UINT type = 0;
  UINT state = 0;
  UINT id = 0;
  HMENU sub = 0;
  std::string text;
  HBITMAP bmp = 0, bmpChecked = 0, bmpUnchecked = 0;
  ULONG_PTR data = 0;
};

struct Menu {
  bool popup = false;
  std::vector<Item> items;
};

std::recursive_mutex g_mx;
std::map<HMENU, Menu> g_menus;
std::map<HWND, HMENU> g_systemMenus;
std::vector<res::MenuTemplate> g_templates;
uint32_t g_next = 0x00E00010;
std::atomic<bool> g_endMenu{false};
// Whether the last menu loop of this thread ended by choosing an item, so
// that an item whose id is 0 still reaches its window.
thread_local bool t_picked = false;

using Guard = std::lock_guard<std::recursive_mutex>;

Menu *M(HMENU h) {
  auto it = g_menus.find(h);
  return it == g_menus.end() ? nullptr : &it->second;
}

std::string Upper(std::string s) {
  for (char &c : s) c = (char)std::toupper((unsigned char)c);
  return s;
}

// The item an id or position names; by command the search goes into pop-ups.
Item *FindL(HMENU h, UINT item, UINT flags, HMENU *owner = nullptr, int *index = nullptr, int depth = 0) {
  Menu *m = M(h);
  if (!m || depth > 16) return nullptr;
  if (flags & MF_BYPOSITION) {
    if (item >= m->items.size()) return nullptr;
    if (owner) *owner = h;
    if (index) *index = (int)item;
    return &m->items[item];
  }
  for (size_t i = 0; i < m->items.size(); ++i) {
    Item &it = m->items[i];
    if (it.sub) {
      if (Item *r = FindL(it.sub, item, flags, owner, index, depth + 1)) return r;
      // A pop-up can be named by its handle too.
      if ((UINT_PTR)it.sub == item) {
        if (owner) *owner = h;
        if (index) *index = (int)i;
        return &it;
      }
    } else if (it.id == item && !(it.type & MF_SEPARATOR)) {
      if (owner) *owner = h;
      if (index) *index = (int)i;
      return &it;
    }
  }
  return nullptr;
}

HMENU NewMenuL(bool popup) {
  HMENU h = (HMENU)g_next++;
  g_menus[h].popup = popup;
  return h;
}

void DestroyL(HMENU h, int depth = 0) {
  Menu *m = M(h);
  if (!m || depth > 16) return;
  std::vector<HMENU> subs;
  for (auto &it : m->items)
    if (it.sub) subs.push_back(it.sub);
  g_menus.erase(h);
  for (HMENU s : subs) DestroyL(s, depth + 1);
}

bool MakeItem(UINT flags, UINT_PTR id, LPCSTR text, Item *it) {
  it->type = flags & kTypeBits;
  it->state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
  if (flags & MF_POPUP) {
    if (!M((HMENU)id)) return false;
    it->sub = (HMENU)id;
    it->id = (UINT)id;
  } else {
    it->id = (UINT)id;
  }
  if (flags & MF_BITMAP) it->bmp = (HBITMAP)(UINT_PTR)text;
  else if (!(flags & (MF_SEPARATOR | MF_OWNERDRAW)) && text) it->text = text;
  else if ((flags & MF_OWNERDRAW)) it->data = (ULONG_PTR)text;
  return true;
}

char MnemonicOf(const std::string &text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '&') {
      if (text[i + 1] == '&') {
        ++i;
        continue;
      }
      return text[i + 1];
    }
  }
  return 0;
}

char Fold(char c) {
  unsigned char u = (unsigned char)c;
  if (u >= 'a' && u <= 'z') return (char)(u - 32);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return (char)(u - 32);
  return c;
}

}  // namespace

// ---------------------------------------------------------------- for the painter

std::map<HWND, int> g_hot;

std::vector<std::string> MenuItemTexts(HMENU menu) {
  Guard g(g_mx);
  std::vector<std::string> out;
  if (Menu *m = M(menu))
    for (auto &it : m->items) out.push_back(it.text);
  return out;
}

std::vector<UINT> MenuItemStates(HMENU menu) {
  Guard g(g_mx);
  std::vector<UINT> out;
  if (Menu *m = M(menu))
    for (auto &it : m->items) out.push_back(it.type | it.state | (it.sub ? MF_POPUP : 0));
  return out;
}

int MenuBarHot(HWND hwnd) {
  Guard g(g_mx);
  auto it = g_hot.find(hwnd);
  return it == g_hot.end() ? -1 : it->second;
}

namespace {

void SetHot(HWND hwnd, int index) {
  {
    Guard g(g_mx);
    if (index < 0) g_hot.erase(hwnd);
    else g_hot[hwnd] = index;
  }
  Send(hwnd, WM_NCPAINT, 1, 0);
}

}  // namespace

// ---------------------------------------------------------------- the menu loop

namespace {

struct Level {
  HMENU menu;
  int sel;
  HWND wnd = 0;  // the pop-up's window; 0 for the bar
  std::unique_ptr<PopupState> state;
};

struct Loop {
  HWND hwnd;
  bool system;
  bool popupOnly;
  bool notify = true;
  std::vector<Level> levels;
  UINT chosen = 0;
  bool picked = false;  // an item was chosen, whatever its id (0 included)
  bool done = false;
  POINT origin{0, 0};  // where a tracked pop-up opens

  void Push(HMENU menu, int x, int y) {
    Level l{menu, -1};
    l.state = std::make_unique<PopupState>(PopupState{menu, -1});
    l.wnd = CreatePopupWindow(l.state.get(), x, y);
    levels.push_back(std::move(l));
  }

  void Pop() {
    if (levels.back().wnd) DestroyWindow(levels.back().wnd);
    levels.pop_back();
  }

  void CloseAll() {
    while (levels.size() > 1) Pop();
    if (levels.size() == 1 && levels[0].wnd) DestroyWindow(levels[0].wnd);
    if (!popupOnly) SetHot(hwnd, -1);
  }

  std::vector<Item> ItemsOf(HMENU m) {
    Guard g(g_mx);
    Menu *mm = M(m);
    return mm ? mm->items : std::vector<Item>{};
  }

  void Select(size_t level, int index) {
    levels[level].sel = index;
    if (levels[level].state) {
      levels[level].state->sel = index;
      if (levels[level].wnd) InvalidateRect(levels[level].wnd, nullptr, FALSE);
    } else if (!popupOnly && level == 0) {
      SetHot(hwnd, index);
    }
    std::vector<Item> items = ItemsOf(levels[level].menu);
    if (index < 0 || index >= (int)items.size() || !notify) return;
    const Item &it = items[(size_t)index];
    UINT flags = it.type | it.state | MF_HILITE | (system ? MF_SYSMENU : 0);
    WPARAM wp = MAKEWPARAM(it.sub ? (UINT)index : it.id, flags & 0xFFFF);
    Send(hwnd, WM_MENUSELECT, wp, (LPARAM)levels[level].menu);
  }

  int Step(HMENU m, int from, int dir) {
    std::vector<Item> items = ItemsOf(m);
    int n = (int)items.size();
    if (!n) return -1;
    int i = from;
    for (int k = 0; k < n; ++k) {
      i = ((i + dir) % n + n) % n;
      if (!(items[(size_t)i].type & MF_SEPARATOR)) return i;
    }
    return -1;
  }

  void Open() {
    Level &top = levels.back();
    std::vector<Item> items = ItemsOf(top.menu);
    if (top.sel < 0 || top.sel >= (int)items.size()) return;
    HMENU sub = items[(size_t)top.sel].sub;
    if (!sub || (items[(size_t)top.sel].state & (MF_GRAYED | MF_DISABLED))) return;
    if (notify) Send(hwnd, WM_INITMENUPOPUP, (WPARAM)sub, MAKELPARAM(top.sel, system ? 1 : 0));
    // Below the bar item, or beside the pop-up's item.
    int x = origin.x, y = origin.y;
    RECT wr{};
    if (top.wnd && GetWindowRect(top.wnd, &wr)) {
      x = wr.right - 3;
      y = wr.top + 3 + top.sel * 19;
    } else if (!popupOnly && GetWindowRect(hwnd, &wr)) {
      std::vector<RECT> bar = MenuBarRects(hwnd, 0);
      if (top.sel < (int)bar.size()) {
        x = wr.left + bar[(size_t)top.sel].left;
        y = wr.top + bar[(size_t)top.sel].bottom + 1;
      }
    }
    Push(sub, x, y);
    int first = Step(sub, -1, 1);
    if (first >= 0) Select(levels.size() - 1, first);
  }

  void Activate() {
    Level &top = levels.back();
    std::vector<Item> items = ItemsOf(top.menu);
    if (top.sel < 0 || top.sel >= (int)items.size()) return;
    const Item &it = items[(size_t)top.sel];
    if (it.sub) {
      Open();
      return;
    }
    if (it.state & (MF_GRAYED | MF_DISABLED)) return;  // a greyed item does nothing
    chosen = it.id;
    picked = true;
    done = true;
  }

  bool OnBar() const { return !popupOnly && levels.size() == 1; }

  void MoveAcross(int dir) {
    // Across the bar, keeping a pop-up open when one was.
    bool wasOpen = levels.size() > 1;
    while (levels.size() > 1) Pop();
    int next = Step(levels[0].menu, levels[0].sel, dir);
    if (next < 0) return;
    Select(0, next);
    if (wasOpen) Open();
  }

  void Key(UINT vk) {
    switch (vk) {
      case VK_ESCAPE:
        if (levels.size() > 1) {
          Pop();
          Select(levels.size() - 1, levels.back().sel);
        } else {
          done = true;
        }
        return;
      case VK_LEFT:
        if (levels.size() > 2 || (popupOnly && levels.size() > 1)) {
          Pop();
        } else if (!popupOnly) {
          MoveAcross(-1);
        }
        return;
      case VK_RIGHT: {
        std::vector<Item> items = ItemsOf(levels.back().menu);
        int sel = levels.back().sel;
        if (!OnBar() && sel >= 0 && sel < (int)items.size() && items[(size_t)sel].sub) {
          Open();
        } else if (!popupOnly) {
          MoveAcross(1);
        }
        return;
      }
      case VK_UP: case VK_DOWN:
        if (OnBar()) {
          Open();
        } else {
          int next = Step(levels.back().menu, levels.back().sel, vk == VK_DOWN ? 1 : -1);
          if (next >= 0) Select(levels.size() - 1, next);
        }
        return;
      case VK_RETURN:
        if (OnBar()) Open();
        else Activate();
        return;
    }
  }

  void Char(char ch) {
    char want = Fold(ch);
    std::vector<Item> items = ItemsOf(levels.back().menu);
    for (size_t i = 0; i < items.size(); ++i) {
      char m = MnemonicOf(items[i].text);
      if (m && Fold(m) == want) {
        Select(levels.size() - 1, (int)i);
        if (items[i].sub) Open();
        else Activate();
        return;
      }
    }
    MessageBeep(0);
  }

  // A click on a pop-up's item chooses it; on the bar it opens that item;
  // anywhere else it closes the menu.
  void Mouse(const MSG &msg) {
    POINT pt = msg.pt;
    for (size_t i = levels.size(); i-- > 0;) {
      RECT wr;
      if (!levels[i].wnd || !GetWindowRect(levels[i].wnd, &wr)) continue;
      if (pt.x < wr.left || pt.x >= wr.right || pt.y < wr.top || pt.y >= wr.bottom) continue;
      if (msg.message != WM_LBUTTONUP) return;
      int index = PopupItemAt(levels[i].menu, wr.right - wr.left, POINT{pt.x - wr.left, pt.y - wr.top});
      if (index < 0) return;
      while (levels.size() > i + 1) Pop();
      Select(i, index);
      Activate();
      return;
    }
    if (msg.message == WM_LBUTTONUP) return;
    if (!popupOnly) {
      RECT wr;
      GetWindowRect(hwnd, &wr);
      std::vector<RECT> bar = MenuBarRects(hwnd, 0);
      for (size_t i = 0; i < bar.size(); ++i) {
        RECT r = bar[i];
        if (pt.x >= wr.left + r.left && pt.x < wr.left + r.right && pt.y >= wr.top + r.top &&
            pt.y < wr.top + r.bottom) {
          while (levels.size() > 1) Pop();
          Select(0, (int)i);
          Open();
          return;
        }
      }
    }
    done = true;
  }

  void Run() {
    MSG msg;
    while (!done && !g_endMenu.load() && IsWindow(hwnd)) {
      if (!PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        continue;
      }
      switch (msg.message) {
        case WM_QUIT:
          PostQuitMessage((int)msg.wParam);
          done = true;
          break;
        case WM_KEYDOWN: case WM_SYSKEYDOWN:
          if (msg.wParam == VK_F10 || msg.wParam == VK_MENU) {
            if (msg.wParam == VK_F10) done = true;
            break;
          }
          if (msg.wParam == VK_ESCAPE || msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT || msg.wParam == VK_UP ||
              msg.wParam == VK_DOWN || msg.wParam == VK_RETURN) {
            Key((UINT)msg.wParam);
          } else {
            TranslateMessage(&msg);
          }
          break;
        case WM_SYSKEYUP:
          // Alt released alone closes the menu as it opened it.
          if (msg.wParam == VK_MENU && levels.size() <= 1 && !popupOnly) done = true;
          break;
        case WM_KEYUP:
          break;
        case WM_CHAR: case WM_SYSCHAR:
          if (msg.wParam > ' ') Char((char)msg.wParam);
          break;
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN: case WM_LBUTTONUP:
          Mouse(msg);
          break;
        case WM_MOUSEMOVE:
          break;
        default:
          TranslateMessage(&msg);
          DispatchMessageA(&msg);
      }
    }
  }
};

UINT RunLoop(HWND hwnd, HMENU menu, bool system, bool popupOnly, LPARAM key, bool notify, POINT origin = {0, 0},
             int openIndex = -1) {
  Loop loop{hwnd, system, popupOnly};
  loop.notify = notify;
  loop.origin = origin;
  g_endMenu = false;
  if (notify) {
    Send(hwnd, WM_ENTERMENULOOP, popupOnly ? TRUE : FALSE, 0);
    Send(hwnd, WM_INITMENU, (WPARAM)menu, 0);
  }
  if (popupOnly) {
    if (notify) Send(hwnd, WM_INITMENUPOPUP, (WPARAM)menu, MAKELPARAM(0, system ? 1 : 0));
    loop.Push(menu, origin.x, origin.y);
    int first = loop.Step(menu, -1, 1);
    if (first >= 0) loop.Select(0, first);
  } else {
    loop.levels.push_back({menu, -1});
  }
  if (popupOnly) {
  } else if (openIndex >= 0) {
    loop.Select(0, openIndex);
    loop.Open();
  } else if (key > 0 && key != ' ') {
    loop.Char((char)key);
  } else {
    int first = loop.Step(menu, -1, 1);
    if (first >= 0) loop.Select(0, first);
    else loop.done = true;
  }
  loop.Run();
  loop.CloseAll();
  if (notify) {
    Send(hwnd, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    Send(hwnd, WM_EXITMENULOOP, popupOnly ? TRUE : FALSE, 0);
  }
  t_picked = loop.picked;
  return loop.chosen;
}

}  // namespace

void MenuMouseLoop(HWND hwnd, POINT screen) {
  HMENU bar = GetMenu(hwnd);
  RECT wr;
  if (!bar || !GetWindowRect(hwnd, &wr)) return;
  std::vector<RECT> rects = MenuBarRects(hwnd, 0);
  for (size_t i = 0; i < rects.size(); ++i) {
    const RECT &r = rects[i];
    if (screen.x >= wr.left + r.left && screen.x < wr.left + r.right) {
      UINT cmd = RunLoop(hwnd, bar, false, false, 0, true, POINT{0, 0}, (int)i);
      if (cmd) PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(cmd, 0), 0);
      return;
    }
  }
}

void MenuKeyLoop(HWND hwnd, LPARAM key) {
  if (key == ' ') {
    HMENU sys = GetSystemMenu(hwnd, FALSE);
    if (!sys) return;
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    UINT cmd = RunLoop(hwnd, sys, true, true, 0, true, POINT{wr.left + 4, wr.top + GetSystemMetrics(SM_CYCAPTION) + 4});
    if (cmd) PostMessageA(hwnd, WM_SYSCOMMAND, cmd, 0);
    return;
  }
  HMENU bar = GetMenu(hwnd);
  if (!bar) return;
  UINT cmd = RunLoop(hwnd, bar, false, false, key, true);
  if (cmd) PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(cmd, 0), 0);
}

}  // namespace tavo::user

using namespace tavo::user;

// ---------------------------------------------------------------- the API

HMENU CreateMenu(void) {
  Guard g(g_mx);
  return NewMenuL(false);
}

HMENU CreatePopupMenu(void) {
  Guard g(g_mx);
  return NewMenuL(true);
}

BOOL IsMenu(HMENU menu) {
  Guard g(g_mx);
  return M(menu) != nullptr;
}

BOOL DestroyMenu(HMENU menu) {
  Guard g(g_mx);
  if (!M(menu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  DestroyL(menu);
  return TRUE;
}

namespace tavo::res {

void RegisterMenu(const MenuTemplate &tmpl) {
  Guard g(g_mx);
  for (auto &t : g_templates) {
    if ((tmpl.name.empty() && t.name.empty() && t.id == tmpl.id) ||
        (!tmpl.name.empty() && Upper(t.name) == Upper(tmpl.name))) {
      t = tmpl;
      return;
    }
  }
  g_templates.push_back(tmpl);
}

namespace {
HMENU BuildL(const std::vector<MenuItem> &items, bool popup, int depth) {
  HMENU h = NewMenuL(popup);
  for (const auto &mi : items) {
    Item it;
    it.type = mi.flags & kTypeBits;
    it.state = mi.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    it.id = mi.id;
    it.text = mi.text;
    if ((mi.flags & MF_POPUP) && depth < 16) {
      it.sub = BuildL(mi.items, true, depth + 1);
      it.type |= MF_POPUP;
    }
    M(h)->items.push_back(it);
  }
  return h;
}
}  // namespace

HMENU BuildMenu(const std::vector<MenuItem> &items, bool popup) {
  Guard g(g_mx);
  return BuildL(items, popup, 0);
}

}  // namespace tavo::res

HMENU LoadMenuA(HINSTANCE, LPCSTR name) {
  if (!name) return 0;
  Guard g(g_mx);
  for (auto &t : g_templates) {
    bool match = IS_INTRESOURCE(name) ? (t.name.empty() && t.id == (int)(ULONG_PTR)name)
                 : name[0] == '#'     ? (t.name.empty() && t.id == std::atoi(name + 1))
                                      : (!t.name.empty() && Upper(t.name) == Upper(name));
    if (match) return tavo::res::BuildMenu(t.items, false);
  }
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return 0;
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
  {
    Guard g(g_mx);
    if (menu && !M(menu)) {
      SetLastError(ERROR_INVALID_MENU_HANDLE);
      return FALSE;
    }
  }
  {
    Lock l(S().mx);
    Wnd *w = W(hwnd);
    if (!w) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    if (w->style & WS_CHILD) {
      SetLastError(ERROR_CHILD_WINDOW_MENU);
      return FALSE;
    }
    w->menu = menu;
  }
  // The client area gives up or takes back the menu bar's row.
  SetWindowPos(hwnd, 0, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

BOOL DrawMenuBar(HWND hwnd) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  Send(hwnd, WM_NCPAINT, 1, 0);
  return TRUE;
}

HMENU GetSubMenu(HMENU menu, int pos) {
  Guard g(g_mx);
  Menu *m = M(menu);
  if (!m || pos < 0 || pos >= (int)m->items.size()) return 0;
  return m->items[(size_t)pos].sub;
}

int GetMenuItemCount(HMENU menu) {
  Guard g(g_mx);
  Menu *m = M(menu);
  if (!m) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return -1;
  }
  return (int)m->items.size();
}

UINT GetMenuItemID(HMENU menu, int pos) {
  Guard g(g_mx);
  Menu *m = M(menu);
  if (!m || pos < 0 || pos >= (int)m->items.size()) return (UINT)-1;
  const Item &it = m->items[(size_t)pos];
  return it.sub ? (UINT)-1 : it.id;
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR buf, int size, UINT flags) {
  Guard g(g_mx);
  Item *it = FindL(menu, item, flags);
  if (!it) {
    if (buf && size > 0) buf[0] = 0;
    return 0;
  }
  if (!buf || size <= 0) return (int)it->text.size();
  size_t n = std::min(it->text.size(), (size_t)size - 1);
  std::memcpy(buf, it->text.data(), n);
  buf[n] = 0;
  return (int)n;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  Guard g(g_mx);
  Item *it = FindL(menu, item, flags);
  if (!it) return (UINT)-1;
  if (it->sub) {
    Menu *s = M(it->sub);
    return ((UINT)(s ? s->items.size() : 0) << 8) | ((it->type | it->state) & 0xFF) | MF_POPUP;
  }
  return it->type | it->state;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  Guard g(g_mx);
  Item *it = FindL(menu, item, flags);
  if (!it) return (BOOL)-1;
  UINT old = it->state & (MF_GRAYED | MF_DISABLED);
  it->state = (it->state & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return (BOOL)old;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
  Guard g(g_mx);
  Item *it = FindL(menu, item, flags);
  if (!it) return (DWORD)-1;
  DWORD old = it->state & MF_CHECKED;
  it->state = (it->state & ~MF_CHECKED) | (flags & MF_CHECKED);
  return old;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text) {
  Guard g(g_mx);
  Menu *m = M(menu);
  Item it;
  if (!m || !MakeItem(flags, id, text, &it)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  m->items.push_back(it);
  return TRUE;
}

BOOL InsertMenuA(HMENU menu, UINT pos, UINT flags, UINT_PTR id, LPCSTR text) {
  Guard g(g_mx);
  Menu *target = M(menu);
  Item it;
  if (!target || !MakeItem(flags, id, text, &it)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  size_t at;
  if (flags & MF_BYPOSITION) {
    at = pos == (UINT)-1 ? target->items.size() : std::min((size_t)pos, target->items.size());
  } else {
    HMENU owner = 0;
    int index = 0;
    if (!FindL(menu, pos, MF_BYCOMMAND, &owner, &index)) {
      // No such item: appended, as on Windows.
      target->items.push_back(it);
      return TRUE;
    }
    target = M(owner);
    at = (size_t)index;
  }
  target->items.insert(target->items.begin() + (long)at, it);
  return TRUE;
}

BOOL ModifyMenuA(HMENU menu, UINT pos, UINT flags, UINT_PTR id, LPCSTR text) {
  Guard g(g_mx);
  Item *old = FindL(menu, pos, flags);
  Item it;
  if (!old || !MakeItem(flags, id, text, &it)) return FALSE;
  *old = it;
  return TRUE;
}

namespace {
BOOL Remove(HMENU menu, UINT pos, UINT flags, bool destroy) {
  Guard g(g_mx);
  HMENU owner = 0;
  int index = 0;
  Item *it = FindL(menu, pos, flags, &owner, &index);
  if (!it) return FALSE;
  HMENU sub = it->sub;
  Menu *m = M(owner);
  m->items.erase(m->items.begin() + index);
  if (destroy && sub) DestroyL(sub);
  return TRUE;
}
}  // namespace

BOOL DeleteMenu(HMENU menu, UINT pos, UINT flags) { return Remove(menu, pos, flags, true); }
BOOL RemoveMenu(HMENU menu, UINT pos, UINT flags) { return Remove(menu, pos, flags, false); }

BOOL SetMenuItemBitmaps(HMENU menu, UINT pos, UINT flags, HBITMAP unchecked, HBITMAP checked) {
  Guard g(g_mx);
  Item *it = FindL(menu, pos, flags);
  if (!it) return FALSE;
  it->bmpUnchecked = unchecked;
  it->bmpChecked = checked;
  return TRUE;
}

namespace {
bool ApplyInfo(Item *it, const MENUITEMINFOA *mi) {
  if (mi->fMask & MIIM_TYPE) {
    it->type = mi->fType & kTypeBits & ~MF_POPUP;
    if (mi->fType & (MFT_BITMAP)) it->bmp = (HBITMAP)(UINT_PTR)mi->dwTypeData;
    else if (!(mi->fType & (MFT_SEPARATOR | MFT_OWNERDRAW))) it->text = mi->dwTypeData ? mi->dwTypeData : "";
  }
  if (mi->fMask & MIIM_FTYPE) it->type = (it->type & MF_POPUP) | (mi->fType & kTypeBits & ~MF_POPUP);
  if (mi->fMask & MIIM_STRING) it->text = mi->dwTypeData ? mi->dwTypeData : "";
  if (mi->fMask & MIIM_STATE) it->state = mi->fState & kStateBits;
  if (mi->fMask & MIIM_ID) it->id = mi->wID;
  if (mi->fMask & MIIM_SUBMENU) {
    if (mi->hSubMenu && !M(mi->hSubMenu)) return false;
    it->sub = mi->hSubMenu;
    it->type = mi->hSubMenu ? (it->type | MF_POPUP) : (it->type & ~MF_POPUP);
  }
  if (mi->fMask & MIIM_CHECKMARKS) {
    it->bmpChecked = mi->hbmpChecked;
    it->bmpUnchecked = mi->hbmpUnchecked;
  }
  if (mi->fMask & MIIM_DATA) it->data = mi->dwItemData;
  if (mi->fMask & MIIM_BITMAP) it->bmp = mi->hbmpItem;
  return true;
}
}  // namespace

BOOL InsertMenuItemA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA mi) {
  if (!mi) return FALSE;
  Guard g(g_mx);
  Item it;
  if (!ApplyInfo(&it, mi)) return FALSE;
  Menu *target = M(menu);
  if (!target) return FALSE;
  size_t at = target->items.size();
  if (byPosition) {
    if (item != (UINT)-1) at = std::min((size_t)item, target->items.size());
  } else {
    HMENU owner = 0;
    int index = 0;
    if (FindL(menu, item, MF_BYCOMMAND, &owner, &index)) {
      target = M(owner);
      at = (size_t)index;
    }
  }
  target->items.insert(target->items.begin() + (long)at, it);
  return TRUE;
}

BOOL SetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA mi) {
  if (!mi) return FALSE;
  Guard g(g_mx);
  Item *it = FindL(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
  if (!it) return FALSE;
  Item copy = *it;
  if (!ApplyInfo(&copy, mi)) return FALSE;
  *it = copy;
  return TRUE;
}

BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOA mi) {
  if (!mi) return FALSE;
  Guard g(g_mx);
  Item *it = FindL(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
  if (!it) return FALSE;
  if (mi->fMask & (MIIM_TYPE | MIIM_FTYPE)) mi->fType = it->type & ~MF_POPUP;
  if (mi->fMask & MIIM_STATE) mi->fState = it->state;
  if (mi->fMask & MIIM_ID) mi->wID = it->id;
  if (mi->fMask & MIIM_SUBMENU) mi->hSubMenu = it->sub;
  if (mi->fMask & MIIM_CHECKMARKS) {
    mi->hbmpChecked = it->bmpChecked;
    mi->hbmpUnchecked = it->bmpUnchecked;
  }
  if (mi->fMask & MIIM_DATA) mi->dwItemData = it->data;
  if (mi->fMask & MIIM_BITMAP) mi->hbmpItem = it->bmp;
  if (mi->fMask & (MIIM_TYPE | MIIM_STRING)) {
    if (mi->dwTypeData && mi->cch > 0) {
      size_t n = std::min(it->text.size(), (size_t)mi->cch - 1);
      std::memcpy(mi->dwTypeData, it->text.data(), n);
      mi->dwTypeData[n] = 0;
      mi->cch = (UINT)n;
    } else {
      mi->cch = (UINT)it->text.size();
    }
  }
  return TRUE;
}

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
  if (!IsWindow(hwnd)) return 0;
  Guard g(g_mx);
  auto found = g_systemMenus.find(hwnd);
  if (revert) {
    if (found != g_systemMenus.end()) {
      DestroyL(found->second);
      g_systemMenus.erase(found);
    }
    return 0;
  }
  if (found != g_systemMenus.end() && M(found->second)) return found->second;
  HMENU h = NewMenuL(true);
  Menu *m = M(h);
  auto add = [&](UINT id, const char *text) {
    Item it;
    it.id = id;
    if (text) it.text = text;
    else it.type = MF_SEPARATOR;
    m->items.push_back(it);
  };
  add(SC_RESTORE, "&Gendan");
  add(SC_MOVE, "&Flyt");
  add(SC_SIZE, "&Tilpas størrelse");
  add(SC_MINIMIZE, "Mi&nimer");
  add(SC_MAXIMIZE, "Ma&ksimer");
  add(0, nullptr);
  add(SC_CLOSE, "&Luk\tAlt+F4");
  g_systemMenus[hwnd] = h;
  return h;
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND hwnd, LPTPMPARAMS) {
  {
    Guard g(g_mx);
    if (!M(menu)) {
      SetLastError(ERROR_INVALID_MENU_HANDLE);
      return FALSE;
    }
  }
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  UINT cmd = RunLoop(hwnd, menu, false, true, 0, !(flags & TPM_NONOTIFY), POINT{x, y});
  if (flags & TPM_RETURNCMD) return (BOOL)cmd;
  if (t_picked) PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(cmd, 0), 0);
  return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND hwnd, const RECT *) {
  return TrackPopupMenuEx(menu, flags, x, y, hwnd, nullptr);
}

BOOL EndMenu(void) {
  g_endMenu = true;
  return TRUE;
}

void MenuHelp(UINT msg, WPARAM wp, LPARAM lp, HMENU, HINSTANCE inst, HWND status, UINT *ids) {
  if (msg != WM_MENUSELECT || !status) return;
  UINT flags = HIWORD(wp);
  HMENU menu = (HMENU)lp;
  char text[512] = "";
  if (!(flags == 0xFFFF && !menu) && !(flags & (MF_SEPARATOR | MF_SYSMENU)) && ids) {
    // The table: a first pair for the commands, then (menu, string base)
    // pairs in either order up to a pair of zeros.
    auto baseOf = [&](HMENU h, UINT *base) {
      for (int i = 2; i < 64 && (ids[i] || ids[i + 1]); i += 2) {
        if (ids[i] == (UINT)h) {
          *base = ids[i + 1];
          return true;
        }
        if (ids[i + 1] == (UINT)h) {
          *base = ids[i];
          return true;
        }
      }
      return false;
    };
    UINT stringId = 0;
    bool have = false;
    if (flags & MF_POPUP) {
      HMENU sub = GetSubMenu(menu, LOWORD(wp));
      UINT base = 0;
      if (sub && baseOf(sub, &base)) {
        stringId = base;
        have = true;
      }
    } else {
      // Help strings are keyed by the command itself.
      stringId = LOWORD(wp);
      have = true;
    }
    if (have) LoadStringA(inst, stringId, text, sizeof text);
  }
  char cls[64] = "";
  GetClassNameA(status, cls, sizeof cls);
  if (Upper(cls) == "MSCTLS_STATUSBAR32") {
    SendMessageA(status, WM_USER + 1 /* SB_SETTEXTA */, 255 /* SB_SIMPLEID */, (LPARAM)text);
  } else {
    SetWindowTextA(status, text);
  }
}
