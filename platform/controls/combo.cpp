// "COMBOBOX": the drop-down list kind (also standing in for the drop-down
// and simple kinds, whose edit field the programs do not use), sorted and
// owner-drawn fixed, with the list as a pop-up window.

#include <algorithm>
#include <cstring>

#include "ctlint.h"

namespace tavo::controls {

namespace {

struct Combo {
  std::vector<Item> items;
  int selected = -1;
  int hot = -1;  // the highlighted item while the list is down
  int top = 0;
  int fieldHeight = 0;
  int itemHeight = 0;
  int droppedHeight = 0;  // the height given at creation: the list's room
  HWND list = 0;
  int selectedAtDrop = -1;
  HFONT font = 0;
};

DWORD StyleOf(HWND h) { return (DWORD)GetWindowLongA(h, GWL_STYLE); }
bool OwnerDraw(HWND h) { return (StyleOf(h) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
bool HasStrings(HWND h) { return !OwnerDraw(h) || (StyleOf(h) & CBS_HASSTRINGS); }
int Count(const Combo *c) { return (int)c->items.size(); }
bool Valid(const Combo *c, int i) { return i >= 0 && i < Count(c); }

void Notify(HWND h, int code) { NotifyParent(h, code); }

int ButtonWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

void DrawItem(HWND h, Combo *c, HDC dc, int i, RECT r, bool selected, bool field) {
  if (OwnerDraw(h)) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_COMBOBOX;
    dis.CtlID = (UINT)GetDlgCtrlID(h);
    dis.itemID = (UINT)i;  // -1 for an empty field
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (selected ? ODS_SELECTED : 0) | (field ? ODS_COMBOBOXEDIT : 0) |
                    (field && IsFocused(h) ? ODS_FOCUS : 0) | (IsWindowEnabled(h) ? 0 : ODS_DISABLED);
    dis.hwndItem = h;
    dis.hDC = dc;
    dis.rcItem = r;
    dis.itemData = Valid(c, i) ? c->items[(size_t)i].data : 0;
    SendMessageA(GetParent(h), WM_DRAWITEM, dis.CtlID, (LPARAM)&dis);
    return;
  }
  COLORREF old = GetTextColor(dc);
  if (selected) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  if (Valid(c, i)) {
    const std::string &t = c->items[(size_t)i].text;
    SetBkMode(dc, TRANSPARENT);
    RECT tr = r;
    tr.left += 2;
    DrawTextA(dc, t.c_str(), (int)t.size(), &tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  SetTextColor(dc, old);
}

void Paint(HWND h, HDC dc) {
  Combo *c = Data<Combo>(h);
  if (!c) return;
  RECT rc;
  GetClientRect(h, &rc);
  rc.bottom = std::min<LONG>(rc.bottom, c->fieldHeight);
  HBRUSH brush = ParentBrush(h, dc, WM_CTLCOLORLISTBOX);
  HGDIOBJ oldFont = SelectObject(dc, FontOr(c->font));
  RECT in = rc;
  DrawEdge(dc, &in, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(dc, &in, brush);
  RECT button{in.right - ButtonWidth(), in.top, in.right, in.bottom};
  DrawButtonFrame(dc, button, c->list != 0);
  DrawArrow(dc, button, 1, IsWindowEnabled(h) != 0);
  RECT field{in.left + 1, in.top + 1, button.left - 1, in.bottom - 1};
  DrawItem(h, c, dc, c->selected, field, IsFocused(h) && !c->list, true);
  if (IsFocused(h) && !c->list && !OwnerDraw(h)) DrawFocusRect(dc, &field);
  SelectObject(dc, oldFont);
}

void Redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

int ListRows(const Combo *c) {
  int room = std::max(1, (c->droppedHeight - c->fieldHeight - 2) / std::max(1, c->itemHeight));
  return std::clamp(Count(c), 1, std::max(1, room));
}

void PaintList(HWND lw, HDC dc) {
  HWND h = (HWND)(UINT_PTR)GetWindowLongPtrA(lw, 0);
  Combo *c = h ? Data<Combo>(h) : nullptr;
  if (!c) return;
  RECT rc;
  GetClientRect(lw, &rc);
  FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
  HGDIOBJ oldFont = SelectObject(dc, FontOr(c->font));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  for (int i = c->top; i < Count(c); ++i) {
    int y = (i - c->top) * c->itemHeight;
    if (y >= rc.bottom) break;
    DrawItem(h, c, dc, i, RECT{0, y, rc.right, y + c->itemHeight}, i == c->hot, false);
  }
  SelectObject(dc, oldFont);
}

void ShowHot(Combo *c, int hot) {
  if (!Valid(c, hot)) return;
  c->hot = hot;
  int rows = ListRows(c);
  if (hot < c->top) c->top = hot;
  if (hot >= c->top + rows) c->top = hot - rows + 1;
  if (c->list) InvalidateRect(c->list, nullptr, TRUE);
}

void Select(HWND h, Combo *c, int i) {
  c->selected = Valid(c, i) ? i : -1;
  Redraw(h);
}

void DropDown(HWND h, Combo *c) {
  if (c->list || !IsWindowEnabled(h)) return;
  Notify(h, CBN_DROPDOWN);
  if (!IsWindow(h)) return;
  RECT wr;
  GetWindowRect(h, &wr);
  int rows = ListRows(c);
  c->hot = c->selected;
  c->top = 0;
  c->selectedAtDrop = c->selected;
  HWND lw = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TAVO_COMBOLBOX, "", WS_POPUP | WS_BORDER, wr.left,
                            wr.top + c->fieldHeight, wr.right - wr.left, rows * c->itemHeight + 2,
                            GetAncestor(h, GA_ROOT), 0, 0, (LPVOID)(UINT_PTR)h);
  if (!lw) return;
  c->list = lw;
  ShowHot(c, c->hot);
  ShowWindow(lw, SW_SHOWNA);
  SetCapture(lw);
  Redraw(h);
}

// Closes the list; `take` keeps the highlighted item as the selection.
void CloseUp(HWND h, Combo *c, bool take) {
  if (!c->list) return;
  HWND lw = c->list;
  c->list = 0;
  if (GetCapture() == lw) ReleaseCapture();
  DestroyWindow(lw);
  int before = c->selectedAtDrop;
  if (take && Valid(c, c->hot)) Select(h, c, c->hot);
  else Select(h, c, before);
  Notify(h, take ? CBN_SELENDOK : CBN_SELENDCANCEL);
  Notify(h, CBN_CLOSEUP);
  if (take && c->selected != before) Notify(h, CBN_SELCHANGE);
  Redraw(h);
}

// Keys while the combo box has the focus.
bool Key(HWND h, Combo *c, WPARAM vk, bool alt) {
  int n = Count(c);
  if (vk == VK_F4 || (alt && (vk == VK_DOWN || vk == VK_UP))) {
    if (c->list) CloseUp(h, c, true);
    else DropDown(h, c);
    return true;
  }
  if (c->list && (vk == VK_RETURN || vk == VK_ESCAPE)) {
    CloseUp(h, c, vk == VK_RETURN);
    return true;
  }
  int cur = c->list ? c->hot : c->selected;
  int to;
  switch (vk) {
    case VK_UP: case VK_LEFT: to = cur - 1; break;
    case VK_DOWN: case VK_RIGHT: to = cur + 1; break;
    case VK_PRIOR: to = cur - ListRows(c) + 1; break;
    case VK_NEXT: to = cur + ListRows(c) - 1; break;
    case VK_HOME: to = 0; break;
    case VK_END: to = n - 1; break;
    default: return false;
  }
  if (!n) return true;
  if (cur < 0 && (vk == VK_UP || vk == VK_LEFT)) to = 0;
  to = std::clamp(to, 0, n - 1);
  if (c->list) {
    ShowHot(c, to);
    Select(h, c, to);
  } else if (to != c->selected) {
    Select(h, c, to);
    Notify(h, CBN_SELCHANGE);
  }
  return true;
}

LRESULT ComboMessage(HWND h, Combo *c, UINT m, WPARAM wp, LPARAM lp) {
  int i = (int)wp;
  switch (m) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
      Item it;
      if (HasStrings(h)) it.text = lp ? (const char *)lp : "";
      else it.data = (ULONG_PTR)lp;
      int at;
      if (m == CB_ADDSTRING) {
        at = (StyleOf(h) & CBS_SORT) && HasStrings(h) ? (int)SortedPosition(c->items, it.text) : Count(c);
      } else {
        at = i == -1 ? Count(c) : i;
        if (at < 0 || at > Count(c)) return CB_ERR;
      }
      c->items.insert(c->items.begin() + at, it);
      if (c->selected >= at) ++c->selected;
      if (c->list) InvalidateRect(c->list, nullptr, TRUE);
      return at;
    }
    case CB_DELETESTRING:
      if (!Valid(c, i)) return CB_ERR;
      c->items.erase(c->items.begin() + i);
      if (c->selected == i) c->selected = -1;
      else if (c->selected > i) --c->selected;
      Redraw(h);
      return Count(c);
    case CB_RESETCONTENT:
      CloseUp(h, c, false);
      c->items.clear();
      c->selected = -1;
      Redraw(h);
      return CB_OKAY;
    case CB_GETCOUNT:
      return Count(c);
    case CB_GETLBTEXT: {
      if (!Valid(c, i) || !lp) return CB_ERR;
      const Item &it = c->items[(size_t)i];
      if (!HasStrings(h)) {
        std::memcpy((void *)lp, &it.data, sizeof it.data);
        return sizeof it.data;
      }
      std::memcpy((char *)lp, it.text.c_str(), it.text.size() + 1);
      return (LRESULT)it.text.size();
    }
    case CB_GETLBTEXTLEN:
      if (!Valid(c, i)) return CB_ERR;
      return HasStrings(h) ? (LRESULT)c->items[(size_t)i].text.size() : (LRESULT)sizeof(ULONG_PTR);
    case CB_SETCURSEL:
      if (!Valid(c, i)) {
        Select(h, c, -1);
        return CB_ERR;
      }
      Select(h, c, i);
      if (c->list) ShowHot(c, i);
      return i;
    case CB_GETCURSEL:
      return c->selected;
    case CB_SETITEMDATA:
      if (!Valid(c, i)) return CB_ERR;
      c->items[(size_t)i].data = (ULONG_PTR)lp;
      return TRUE;
    case CB_GETITEMDATA:
      if (!Valid(c, i)) return CB_ERR;
      return (LRESULT)c->items[(size_t)i].data;
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
      if (!HasStrings(h)) {
        for (int k = 0; k < Count(c); ++k)
          if (c->items[(size_t)k].data == (ULONG_PTR)lp) return k;
        return CB_ERR;
      }
      return FindItem(c->items, i, (const char *)lp, m == CB_FINDSTRINGEXACT);
    case CB_SELECTSTRING: {
      int found = FindItem(c->items, i, (const char *)lp, false);
      if (found < 0) return CB_ERR;
      Select(h, c, found);
      return found;
    }
    case CB_SHOWDROPDOWN:
      if (wp) DropDown(h, c);
      else CloseUp(h, c, false);
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return c->list != 0;
    case CB_SETITEMHEIGHT: {
      int height = (int)lp;
      if (height <= 0 || height > 255) return CB_ERR;
      if (i == -1) {
        c->fieldHeight = height + 6;
        RECT wr;
        GetWindowRect(h, &wr);
        SetWindowPos(h, 0, 0, 0, wr.right - wr.left, c->fieldHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      } else {
        c->itemHeight = height;
      }
      Redraw(h);
      return CB_OKAY;
    }
    case CB_GETITEMHEIGHT:
      return i == -1 ? c->fieldHeight - 6 : c->itemHeight;
    case CB_GETDROPPEDCONTROLRECT:
      if (lp) {
        RECT wr;
        GetWindowRect(h, &wr);
        wr.bottom = wr.top + c->droppedHeight;
        *(RECT *)lp = wr;
      }
      return TRUE;
    case CB_LIMITTEXT:
    case CB_SETEXTENDEDUI:
      return TRUE;
    case CB_GETEXTENDEDUI:
      return FALSE;
    case CB_GETTOPINDEX:
      return c->top;
    case CB_SETTOPINDEX:
      if (!Valid(c, i)) return CB_ERR;
      c->top = i;
      return 0;
  }
  return 0;
}

}  // namespace

LRESULT CALLBACK ComboProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_NCCREATE: {
      Combo *c = Attach<Combo>(h);
      auto *cs = (CREATESTRUCTA *)lp;
      c->droppedHeight = cs ? cs->cy : 100;
      return DefWindowProcA(h, m, wp, lp);
    }
    case WM_NCDESTROY: {
      Combo *c = Data<Combo>(h);
      if (c && c->list) DestroyWindow(c->list);
      Detach<Combo>(h);
      return DefWindowProcA(h, m, wp, lp);
    }
  }
  Combo *c = Data<Combo>(h);
  if (!c) return DefWindowProcA(h, m, wp, lp);
  if (m >= CB_GETEDITSEL && m <= CB_SETTOPINDEX) return ComboMessage(h, c, m, wp, lp);
  switch (m) {
    case WM_CREATE: {
      int lh = LineHeight(c->font);
      c->itemHeight = lh;
      int fieldItem = lh;
      if (OwnerDraw(h)) {
        // The selection field and the list items are measured apart, as on Windows.
        for (int id : {-1, 0}) {
          MEASUREITEMSTRUCT mis{};
          mis.CtlType = ODT_COMBOBOX;
          mis.CtlID = (UINT)GetDlgCtrlID(h);
          mis.itemID = (UINT)id;
          mis.itemHeight = (UINT)lh;
          RECT rc;
          GetClientRect(h, &rc);
          mis.itemWidth = (UINT)rc.right;
          SendMessageA(GetParent(h), WM_MEASUREITEM, mis.CtlID, (LPARAM)&mis);
          int got = (mis.itemHeight > 0 && mis.itemHeight < 256) ? (int)mis.itemHeight : lh;
          (id == -1 ? fieldItem : c->itemHeight) = got;
        }
      }
      c->fieldHeight = fieldItem + 6;
      // The window is as tall as its field; the height given is the list's room.
      RECT wr;
      GetWindowRect(h, &wr);
      SetWindowPos(h, 0, 0, 0, wr.right - wr.left, c->fieldHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_PAINT:
      PaintMessage(h, wp, Paint);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT:
      c->font = (HFONT)wp;
      if (!OwnerDraw(h)) {
        c->itemHeight = LineHeight(c->font);
        c->fieldHeight = c->itemHeight + 6;
        RECT wr;
        GetWindowRect(h, &wr);
        SetWindowPos(h, 0, 0, 0, wr.right - wr.left, c->fieldHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      if (LOWORD(lp)) Redraw(h);
      return 0;
    case WM_GETFONT:
      return (LRESULT)c->font;
    case WM_GETTEXT: {
      if (!lp || !wp) return 0;
      std::string t = Valid(c, c->selected) && HasStrings(h) ? c->items[(size_t)c->selected].text : "";
      size_t n = std::min(t.size(), (size_t)wp - 1);
      std::memcpy((char *)lp, t.data(), n);
      ((char *)lp)[n] = 0;
      return (LRESULT)n;
    }
    case WM_GETTEXTLENGTH:
      return Valid(c, c->selected) && HasStrings(h) ? (LRESULT)c->items[(size_t)c->selected].text.size() : 0;
    case WM_SETTEXT: {
      int found = lp ? FindItem(c->items, -1, (const char *)lp, true) : -1;
      if (found >= 0) Select(h, c, found);
      return found >= 0 ? TRUE : CB_ERR;
    }
    case WM_SETFOCUS:
      Redraw(h);
      Notify(h, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (c->list) CloseUp(h, c, false);
      Redraw(h);
      Notify(h, CBN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      if (!wp && c->list) CloseUp(h, c, false);
      Redraw(h);
      return 0;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
      auto *msg = (MSG *)lp;
      // While the list is down, Enter and Esc close it rather than the dialog.
      if (c->list && msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(h);
      if (c->list) CloseUp(h, c, true);
      else DropDown(h, c);
      return 0;
    case WM_KEYDOWN:
      if (Key(h, c, wp, false)) return 0;
      return DefWindowProcA(h, m, wp, lp);
    case WM_SYSKEYDOWN:
      if ((wp == VK_DOWN || wp == VK_UP) && Key(h, c, wp, true)) return 0;
      return DefWindowProcA(h, m, wp, lp);
    case WM_CHAR: {
      if ((BYTE)wp < 0x20 || !HasStrings(h)) return 0;
      char s[2] = {(char)wp, 0};
      int found = FindItem(c->items, c->list ? c->hot : c->selected, s, false);
      if (found < 0) return 0;
      if (c->list) {
        ShowHot(c, found);
        Select(h, c, found);
      } else if (found != c->selected) {
        Select(h, c, found);
        Notify(h, CBN_SELCHANGE);
      }
      return 0;
    }
    case WM_MOUSEWHEEL:
      Key(h, c, (short)HIWORD(wp) > 0 ? VK_UP : VK_DOWN, false);
      return 0;
  }
  return DefWindowProcA(h, m, wp, lp);
}

// The pop-up list: it holds the capture while it is down, so a click
// anywhere either picks an item or closes it.
LRESULT CALLBACK ComboListProc(HWND lw, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_NCCREATE) {
    auto *cs = (CREATESTRUCTA *)lp;
    SetWindowLongPtrA(lw, 0, cs ? (LONG_PTR)(UINT_PTR)cs->lpCreateParams : 0);
    return DefWindowProcA(lw, m, wp, lp);
  }
  HWND h = (HWND)(UINT_PTR)GetWindowLongPtrA(lw, 0);
  Combo *c = h && IsWindow(h) && IsClass(h, WC_COMBOBOX) ? Data<Combo>(h) : nullptr;
  auto itemAt = [&](POINT pt) {
    RECT rc;
    GetClientRect(lw, &rc);
    if (!c || !Contains(rc, pt.x, pt.y)) return -1;
    int i = c->top + pt.y / std::max(1, c->itemHeight);
    return Valid(c, i) ? i : -1;
  };
  switch (m) {
    case WM_PAINT:
      PaintMessage(lw, wp, PaintList);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_MOUSEMOVE: {
      int i = itemAt(PointOf(lp));
      if (c && i >= 0 && i != c->hot) ShowHot(c, i);
      return 0;
    }
    case WM_LBUTTONDOWN: {
      if (!c) return 0;
      POINT pt = PointOf(lp);
      RECT rc;
      GetClientRect(lw, &rc);
      if (Contains(rc, pt.x, pt.y)) return 0;  // picked on release
      // A press on the combo box's own field closes the list as a click there would.
      CloseUp(h, c, false);
      return 0;
    }
    case WM_LBUTTONUP: {
      if (!c) return 0;
      int i = itemAt(PointOf(lp));
      if (i >= 0) {
        c->hot = i;
        CloseUp(h, c, true);
      }
      return 0;
    }
    case WM_MOUSEWHEEL:
      if (c) {
        c->top = std::clamp(c->top - (short)HIWORD(wp) / WHEEL_DELTA * 3, 0, std::max(0, Count(c) - ListRows(c)));
        InvalidateRect(lw, nullptr, TRUE);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (c && c->list == lw && (HWND)lp != lw) CloseUp(h, c, false);
      return 0;
  }
  return DefWindowProcA(lw, m, wp, lp);
}

}  // namespace tavo::controls
