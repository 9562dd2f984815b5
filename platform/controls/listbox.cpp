// "LISTBOX": single, multiple and extended selection, sorted lists, tab
// stops, item data and owner-drawn fixed items.

#include <algorithm>
#include <cstring>

#include "ctlint.h"

namespace tavo::controls {

namespace {

struct List {
  std::vector<Item> items;
  int selected = -1;  // single selection
  int caret = 0;      // the focus item
  int anchor = 0;     // extended selection: the fixed end of a range
  int top = 0;
  int itemHeight = 0;
  int hextent = 0;
  int scrollX = 0;
  std::vector<int> stops;  // pixels
  bool customStops = false;
  bool tracking = false;
  HFONT font = 0;
};

DWORD StyleOf(HWND h) { return (DWORD)GetWindowLongA(h, GWL_STYLE); }
bool MultiSel(HWND h) { return (StyleOf(h) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
bool HasStrings(HWND h) {
  DWORD s = StyleOf(h);
  return !(s & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (s & LBS_HASSTRINGS);
}
int Count(const List *l) { return (int)l->items.size(); }
bool Valid(const List *l, int i) { return i >= 0 && i < Count(l); }

int Visible(HWND h, const List *l) {
  RECT rc;
  GetClientRect(h, &rc);
  return std::max(1, (int)(rc.bottom - rc.top) / std::max(1, l->itemHeight));
}

void UpdateScroll(HWND h, List *l) {
  int maxTop = std::max(0, Count(l) - Visible(h, l));
  l->top = std::clamp(l->top, 0, maxTop);
  if (StyleOf(h) & WS_VSCROLL) {
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | ((StyleOf(h) & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0u),
                  0, std::max(0, Count(l) - 1), (UINT)Visible(h, l), l->top, 0};
    SetScrollInfo(h, SB_VERT, &si, TRUE);
  }
  if ((StyleOf(h) & WS_HSCROLL) && l->hextent > 0) {
    RECT rc;
    GetClientRect(h, &rc);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, l->hextent - 1, (UINT)std::max(0, (int)rc.right), l->scrollX, 0};
    SetScrollInfo(h, SB_HORZ, &si, TRUE);
  }
}

void Redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

void EnsureVisible(HWND h, List *l, int i) {
  if (!Valid(l, i)) return;
  int vis = Visible(h, l);
  if (i < l->top) l->top = i;
  if (i >= l->top + vis) l->top = i - vis + 1;
  UpdateScroll(h, l);
}

void Notify(HWND h, int code) {
  if (StyleOf(h) & LBS_NOTIFY) NotifyParent(h, code);
}

void Paint(HWND h, HDC dc) {
  List *l = Data<List>(h);
  if (!l) return;
  RECT rc;
  GetClientRect(h, &rc);
  HBRUSH brush = ParentBrush(h, dc, WM_CTLCOLORLISTBOX);
  COLORREF text = GetTextColor(dc);
  FillRect(dc, &rc, brush);
  HGDIOBJ oldFont = SelectObject(dc, FontOr(l->font));
  SetBkMode(dc, TRANSPARENT);
  DWORD style = StyleOf(h);
  bool owner = (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
  bool focus = IsFocused(h);
  int defaultStop = DialogBaseX(l->font) * 8;  // 32 dialog units
  for (int i = l->top; i < Count(l); ++i) {
    int y = (i - l->top) * l->itemHeight;
    if (y >= rc.bottom) break;
    RECT ir{0, y, rc.right, y + l->itemHeight};
    const Item &it = l->items[(size_t)i];
    bool sel = MultiSel(h) ? it.sel : i == l->selected;
    if (owner) {
      DRAWITEMSTRUCT dis{};
      dis.CtlType = ODT_LISTBOX;
      dis.CtlID = (UINT)GetDlgCtrlID(h);
      dis.itemID = (UINT)i;
      dis.itemAction = ODA_DRAWENTIRE;
      dis.itemState = (sel ? ODS_SELECTED : 0) | (focus && i == l->caret ? ODS_FOCUS : 0) |
                      (IsWindowEnabled(h) ? 0 : ODS_DISABLED);
      dis.hwndItem = h;
      dis.hDC = dc;
      dis.rcItem = ir;
      dis.itemData = it.data;
      SendMessageA(GetParent(h), WM_DRAWITEM, dis.CtlID, (LPARAM)&dis);
      continue;
    }
    if (sel) FillRect(dc, &ir, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, sel ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
    if (style & LBS_USETABSTOPS)
      DrawTabbed(dc, 2 - l->scrollX, y, it.text, l->stops, defaultStop);
    else
      TextOutA(dc, 2 - l->scrollX, y, it.text.c_str(), (int)it.text.size());
    if (focus && i == l->caret) DrawFocusRect(dc, &ir);
  }
  SetTextColor(dc, text);
  SelectObject(dc, oldFont);
}

int Add(HWND h, List *l, int at, LPARAM lp) {
  Item it;
  if (HasStrings(h)) {
    it.text = lp ? (const char *)lp : "";
  } else {
    it.data = (ULONG_PTR)lp;
  }
  if (at < 0) at = (StyleOf(h) & LBS_SORT) && HasStrings(h) ? (int)SortedPosition(l->items, it.text) : Count(l);
  l->items.insert(l->items.begin() + at, it);
  if (l->selected >= at) ++l->selected;
  if (l->caret >= at && Count(l) > 1) ++l->caret;
  UpdateScroll(h, l);
  Redraw(h);
  return at;
}

// Selects i the way a user does: alone in single and extended lists,
// toggled in multiple-selection lists (only on `toggle`).
bool UserSelect(HWND h, List *l, int i, bool toggle, bool range, bool add) {
  if (!Valid(l, i)) return false;
  DWORD style = StyleOf(h);
  bool changed = false;
  if (!MultiSel(h)) {
    changed = l->selected != i;
    l->selected = i;
  } else if (style & LBS_EXTENDEDSEL) {
    if (!range) l->anchor = i;
    int a = std::min(l->anchor, i), b = std::max(l->anchor, i);
    for (int k = 0; k < Count(l); ++k) {
      bool want = (k >= a && k <= b) || (add && l->items[(size_t)k].sel && !(toggle && k == i));
      if (toggle && k == i && !range) want = !l->items[(size_t)k].sel;
      if (want != l->items[(size_t)k].sel) {
        l->items[(size_t)k].sel = want;
        changed = true;
      }
    }
  } else if (toggle) {
    l->items[(size_t)i].sel = !l->items[(size_t)i].sel;
    changed = true;
  }
  l->caret = i;
  EnsureVisible(h, l, i);
  Redraw(h);
  return changed;
}

int ItemAt(HWND h, List *l, POINT pt) {
  if (pt.y < 0) return -1;
  int i = l->top + pt.y / std::max(1, l->itemHeight);
  return Valid(l, i) ? i : -1;
}

LRESULT ListMessage(HWND h, List *l, UINT m, WPARAM wp, LPARAM lp) {
  int i = (int)wp;
  switch (m) {
    case LB_ADDSTRING:
      return Add(h, l, -1, lp);
    case LB_INSERTSTRING:
      if (i == -1) i = Count(l);
      if (i < 0 || i > Count(l)) return LB_ERR;
      return Add(h, l, i, lp);
    case LB_DELETESTRING:
      if (!Valid(l, i)) return LB_ERR;
      l->items.erase(l->items.begin() + i);
      if (l->selected == i) l->selected = -1;
      else if (l->selected > i) --l->selected;
      if (l->caret >= Count(l)) l->caret = std::max(0, Count(l) - 1);
      UpdateScroll(h, l);
      Redraw(h);
      return Count(l);
    case LB_RESETCONTENT:
      l->items.clear();
      l->selected = -1;
      l->caret = l->anchor = l->top = 0;
      UpdateScroll(h, l);
      Redraw(h);
      return 0;
    case LB_GETCOUNT:
      return Count(l);
    case LB_GETTEXT: {
      if (!Valid(l, i) || !lp) return LB_ERR;
      const Item &it = l->items[(size_t)i];
      if (!HasStrings(h)) {
        std::memcpy((void *)lp, &it.data, sizeof it.data);
        return sizeof it.data;
      }
      std::memcpy((char *)lp, it.text.c_str(), it.text.size() + 1);
      return (LRESULT)it.text.size();
    }
    case LB_GETTEXTLEN:
      if (!Valid(l, i)) return LB_ERR;
      return HasStrings(h) ? (LRESULT)l->items[(size_t)i].text.size() : (LRESULT)sizeof(ULONG_PTR);
    case LB_SETCURSEL:
      if (MultiSel(h)) return LB_ERR;
      if (i == -1) {
        l->selected = -1;
        Redraw(h);
        return LB_ERR;  // as Windows answers a cleared selection
      }
      if (!Valid(l, i)) return LB_ERR;
      l->selected = l->caret = i;
      EnsureVisible(h, l, i);
      Redraw(h);
      return i;
    case LB_GETCURSEL:
      if (MultiSel(h)) return Count(l) ? l->caret : LB_ERR;
      return l->selected;
    case LB_SETSEL:
      if (!MultiSel(h)) return LB_ERR;
      if ((int)lp == -1) {
        for (auto &it : l->items) it.sel = wp != 0;
      } else {
        if (!Valid(l, (int)lp)) return LB_ERR;
        l->items[(size_t)lp].sel = wp != 0;
        l->caret = (int)lp;
      }
      Redraw(h);
      return 0;
    case LB_GETSEL:
      if (!Valid(l, i)) return LB_ERR;
      return MultiSel(h) ? (l->items[(size_t)i].sel ? 1 : 0) : (i == l->selected ? 1 : 0);
    case LB_GETSELCOUNT: {
      if (!MultiSel(h)) return LB_ERR;
      return std::count_if(l->items.begin(), l->items.end(), [](const Item &it) { return it.sel; });
    }
    case LB_GETSELITEMS: {
      if (!MultiSel(h)) return LB_ERR;
      if (!lp) return 0;
      int *out = (int *)lp;
      int n = 0;
      for (int k = 0; k < Count(l) && n < i; ++k)
        if (l->items[(size_t)k].sel) out[n++] = k;
      return n;
    }
    case LB_SELITEMRANGE: {
      if (!MultiSel(h)) return LB_ERR;
      int a = LOWORD(lp), b = HIWORD(lp);
      for (int k = std::max(0, std::min(a, b)); k <= std::max(a, b) && k < Count(l); ++k) l->items[(size_t)k].sel = wp != 0;
      Redraw(h);
      return 0;
    }
    case LB_SETITEMDATA:
      if (!Valid(l, i)) return LB_ERR;
      l->items[(size_t)i].data = (ULONG_PTR)lp;
      return TRUE;
    case LB_GETITEMDATA:
      if (!Valid(l, i)) return LB_ERR;
      return (LRESULT)l->items[(size_t)i].data;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      if (!HasStrings(h)) {
        for (int k = 0; k < Count(l); ++k)
          if (l->items[(size_t)k].data == (ULONG_PTR)lp) return k;
        return LB_ERR;
      }
      return FindItem(l->items, i, (const char *)lp, m == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: {
      int found = FindItem(l->items, i, (const char *)lp, false);
      if (found < 0 || MultiSel(h)) return LB_ERR;
      l->selected = l->caret = found;
      EnsureVisible(h, l, found);
      Redraw(h);
      return found;
    }
    case LB_SETTOPINDEX:
      if (!Valid(l, i) && !(i == 0 && Count(l) == 0)) return LB_ERR;
      l->top = i;
      UpdateScroll(h, l);
      Redraw(h);
      return 0;
    case LB_GETTOPINDEX:
      return l->top;
    case LB_SETCARETINDEX:
      if (!Valid(l, i)) return LB_ERR;
      l->caret = i;
      EnsureVisible(h, l, i);
      Redraw(h);
      return 0;
    case LB_GETCARETINDEX:
      return l->caret;
    case LB_SETANCHORINDEX:
      if (!Valid(l, i)) return LB_ERR;
      l->anchor = i;
      return 0;
    case LB_GETANCHORINDEX:
      return l->anchor;
    case LB_GETITEMHEIGHT:
      return l->itemHeight;
    case LB_SETITEMHEIGHT:
      if (LOWORD(lp) == 0 || LOWORD(lp) > 255) return LB_ERR;
      l->itemHeight = LOWORD(lp);
      UpdateScroll(h, l);
      Redraw(h);
      return 0;
    case LB_GETITEMRECT: {
      if (!lp || (!Valid(l, i) && i != 0)) return LB_ERR;
      RECT rc;
      GetClientRect(h, &rc);
      *(RECT *)lp = RECT{0, (i - l->top) * l->itemHeight, rc.right, (i - l->top + 1) * l->itemHeight};
      return 1;
    }
    case LB_ITEMFROMPOINT: {
      POINT pt = PointOf(lp);
      int n = Count(l);
      if (!n) return MAKELONG(0, 1);
      int at = l->top + std::max(0, (int)pt.y) / std::max(1, l->itemHeight);
      bool outside = at >= n || pt.y < 0;
      return MAKELONG(std::min(at, n - 1), outside ? 1 : 0);
    }
    case LB_SETTABSTOPS: {
      int base = DialogBaseX(l->font);
      l->stops.clear();
      const int *du = (const int *)lp;
      if (i == 0 || !du) {
        l->customStops = false;
      } else if (i == 1) {
        int every = std::max(1, du[0] * base / 4);
        for (int x = every; x < 4096; x += every) l->stops.push_back(x);
        l->customStops = true;
      } else {
        for (int k = 0; k < std::min(i, 256); ++k) l->stops.push_back(du[k] * base / 4);
        std::sort(l->stops.begin(), l->stops.end());
        l->customStops = true;
      }
      Redraw(h);
      return TRUE;
    }
    case LB_SETHORIZONTALEXTENT:
      l->hextent = std::max(0, i);
      UpdateScroll(h, l);
      return 0;
    case LB_GETHORIZONTALEXTENT:
      return l->hextent;
  }
  return 0;
}

}  // namespace

LRESULT CALLBACK ListBoxProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  List *l = ControlData<List>(h, m);
  if (!l) return DefWindowProcA(h, m, wp, lp);
  if (m >= LB_ADDSTRING && m <= LB_ITEMFROMPOINT) return ListMessage(h, l, m, wp, lp);
  switch (m) {
    case WM_CREATE: {
      l->itemHeight = LineHeight(l->font);
      if (StyleOf(h) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) {
        MEASUREITEMSTRUCT mis{};
        mis.CtlType = ODT_LISTBOX;
        mis.CtlID = (UINT)GetDlgCtrlID(h);
        mis.itemHeight = (UINT)l->itemHeight;
        RECT rc;
        GetClientRect(h, &rc);
        mis.itemWidth = (UINT)rc.right;
        SendMessageA(GetParent(h), WM_MEASUREITEM, mis.CtlID, (LPARAM)&mis);
        if (mis.itemHeight > 0 && mis.itemHeight < 256) l->itemHeight = (int)mis.itemHeight;
      }
      UpdateScroll(h, l);
      return 0;
    }
    case WM_PAINT:
      PaintMessage(h, wp, Paint);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT:
      l->font = (HFONT)wp;
      if (!(StyleOf(h) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) l->itemHeight = LineHeight(l->font);
      UpdateScroll(h, l);
      if (LOWORD(lp)) Redraw(h);
      return 0;
    case WM_GETFONT:
      return (LRESULT)l->font;
    case WM_SIZE:
      UpdateScroll(h, l);
      return 0;
    case WM_SETFOCUS:
      Redraw(h);
      Notify(h, LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      Redraw(h);
      Notify(h, LBN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      Redraw(h);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN: {
      SetFocus(h);
      int i = ItemAt(h, l, PointOf(lp));
      if (i < 0) return 0;
      bool ext = (StyleOf(h) & LBS_EXTENDEDSEL) != 0;
      bool changed = UserSelect(h, l, i, !ext || (wp & MK_CONTROL), ext && (wp & MK_SHIFT), ext && (wp & MK_CONTROL));
      l->tracking = true;
      SetCapture(h);
      if (changed) Notify(h, LBN_SELCHANGE);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (l->tracking && GetCapture() == h && !(StyleOf(h) & LBS_MULTIPLESEL)) {
        int i = ItemAt(h, l, PointOf(lp));
        if (i >= 0 && i != l->caret && UserSelect(h, l, i, false, (StyleOf(h) & LBS_EXTENDEDSEL) != 0, false))
          Notify(h, LBN_SELCHANGE);
      }
      return 0;
    case WM_LBUTTONUP:
      if (l->tracking) {
        l->tracking = false;
        if (GetCapture() == h) ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      l->tracking = false;
      return 0;
    case WM_LBUTTONDBLCLK:
      if (ItemAt(h, l, PointOf(lp)) >= 0) Notify(h, LBN_DBLCLK);
      return 0;
    case WM_MOUSEWHEEL: {
      int lines = -(short)HIWORD(wp) / WHEEL_DELTA * 3;
      l->top += lines;
      UpdateScroll(h, l);
      Redraw(h);
      return 0;
    }
    case WM_VSCROLL: {
      int vis = Visible(h, l);
      switch (LOWORD(wp)) {
        case SB_LINEUP: --l->top; break;
        case SB_LINEDOWN: ++l->top; break;
        case SB_PAGEUP: l->top -= vis; break;
        case SB_PAGEDOWN: l->top += vis; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
          SCROLLINFO si{sizeof si, SIF_TRACKPOS};
          GetScrollInfo(h, SB_VERT, &si);
          l->top = si.nTrackPos;
          break;
        }
        case SB_TOP: l->top = 0; break;
        case SB_BOTTOM: l->top = Count(l); break;
      }
      UpdateScroll(h, l);
      Redraw(h);
      return 0;
    }
    case WM_KEYDOWN: {
      int n = Count(l);
      if (!n) return 0;
      int vis = Visible(h, l);
      int to = -1;
      switch (wp) {
        case VK_UP: case VK_LEFT: to = l->caret - 1; break;
        case VK_DOWN: case VK_RIGHT: to = l->caret + 1; break;
        case VK_PRIOR: to = l->caret - (vis - 1); break;
        case VK_NEXT: to = l->caret + (vis - 1); break;
        case VK_HOME: to = 0; break;
        case VK_END: to = n - 1; break;
        case VK_SPACE:
          if (StyleOf(h) & LBS_MULTIPLESEL) {
            if (UserSelect(h, l, l->caret, true, false, false)) Notify(h, LBN_SELCHANGE);
          }
          return 0;
        default:
          return DefWindowProcA(h, m, wp, lp);
      }
      if (!MultiSel(h) && l->selected < 0 && (wp == VK_DOWN || wp == VK_UP)) to = std::max(0, l->caret);
      to = std::clamp(to, 0, n - 1);
      if (StyleOf(h) & LBS_MULTIPLESEL) {
        l->caret = to;
        EnsureVisible(h, l, to);
        Redraw(h);
      } else if (UserSelect(h, l, to, false, (StyleOf(h) & LBS_EXTENDEDSEL) && GetKeyState(VK_SHIFT) < 0, false)) {
        Notify(h, LBN_SELCHANGE);
      }
      return 0;
    }
    case WM_CHAR: {
      if ((BYTE)wp < 0x20 || !HasStrings(h)) return 0;
      char s[2] = {(char)wp, 0};
      int found = FindItem(l->items, l->caret, s, false);
      if (found >= 0 && !(StyleOf(h) & LBS_MULTIPLESEL) && UserSelect(h, l, found, false, false, false))
        Notify(h, LBN_SELCHANGE);
      return 0;
    }
  }
  return DefWindowProcA(h, m, wp, lp);
}

}  // namespace tavo::controls
