// The property sheet: a modal dialog with a row of tabs, one child dialog
// per page made the first time it is shown, and OK, Annuller, Anvend and
// Hjælp buttons.

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "dlgint.h"
#include "userint.h"
#include "win/controls.h"
#include "win/gdi.h"
#include "win/gdi_win.h"
#include "win/prsht.h"

namespace {

struct _PSP {
  PROPSHEETPAGEA page;
  tavo::res::DialogTemplate tmpl;
  bool ok = false;
};

// Page handles are 32-bit like every handle.
std::mutex g_pagesMx;
std::map<HPROPSHEETPAGE, std::unique_ptr<_PSP>> g_pages;
uint32_t g_nextPage = 0x00D00010;

_PSP *PageOf(HPROPSHEETPAGE h) {
  std::lock_guard<std::mutex> g(g_pagesMx);
  auto it = g_pages.find(h);
  return it == g_pages.end() ? nullptr : it->second.get();
}

constexpr int kIdApply = 0x3021;
constexpr int kIdTabs = 0x3020;
constexpr const char *kTabsClass = "TavoPropTabs";

struct Page {
  HPROPSHEETPAGE handle = 0;
  _PSP *psp = nullptr;
  bool own;  // made by us from the header's array
  HWND hwnd = 0;
  std::string title;
};

struct Sheet {
  PROPSHEETHEADERA header{};
  std::vector<Page> pages;
  int current = -1;
  HWND dlg = 0;
  HWND tabs = 0;
  RECT pageArea{};
  bool changed = false;
  bool applied = false;
};

bool LoadTemplate(_PSP *p) {
  const tavo::res::DialogTemplate *t =
      (p->page.dwFlags & PSP_DLGINDIRECT) ? static_cast<const tavo::res::DialogTemplate *>(p->page.pResource)
                                           : tavo::res::FindDialog(p->page.pszTemplate);
  if (!t) return false;
  p->tmpl = *t;
  return true;
}

LRESULT Notify(Sheet *s, int index, UINT code, LPARAM lp = 0) {
  HWND page = s->pages[(size_t)index].hwnd;
  if (!page) return 0;
  PSHNOTIFY n{};
  n.hdr.hwndFrom = s->dlg;
  n.hdr.idFrom = 0;
  n.hdr.code = code;
  n.lParam = lp;
  return SendMessageA(page, WM_NOTIFY, 0, (LPARAM)&n);
}

bool Show(Sheet *s, int index) {
  if (index < 0 || index >= (int)s->pages.size()) return false;
  Page &p = s->pages[(size_t)index];
  if (!p.hwnd) {
    // Made the first time it is shown, so WM_INITDIALOG comes then.
    tavo::res::DialogTemplate t = p.psp->tmpl;
    t.style = (t.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | DS_CENTER |
                           WS_VISIBLE | WS_DISABLED)) |
              WS_CHILD | DS_CONTROL;
    t.exStyle |= WS_EX_CONTROLPARENT;
    t.x = t.y = 0;
    p.hwnd = tavo::user::CreateDialogCore(p.psp->page.hInstance, t, s->dlg, p.psp->page.pfnDlgProc,
                                          (LPARAM)&p.psp->page, false);
    if (!p.hwnd) return false;
    SetWindowPos(p.hwnd, HWND_TOP, s->pageArea.left, s->pageArea.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  }
  int old = s->current;
  s->current = index;
  Notify(s, index, PSN_SETACTIVE);
  ShowWindow(p.hwnd, SW_SHOW);
  if (old >= 0 && old != index && s->pages[(size_t)old].hwnd) ShowWindow(s->pages[(size_t)old].hwnd, SW_HIDE);
  HWND first = GetNextDlgTabItem(p.hwnd, 0, FALSE);
  if (first && IsWindowVisible(s->dlg)) SetFocus(first);
  HWND help = GetDlgItem(s->dlg, IDHELP);
  if (help && !(s->header.dwFlags & PSH_HASHELP)) EnableWindow(help, (p.psp->page.dwFlags & PSP_HASHELP) != 0);
  if (s->tabs) InvalidateRect(s->tabs, nullptr, TRUE);
  return true;
}

// Leaving a page asks it first; a page that answers TRUE stays.
bool Leave(Sheet *s) {
  if (s->current < 0) return true;
  return Notify(s, s->current, PSN_KILLACTIVE) == 0;
}

bool SwitchTo(Sheet *s, int index) {
  if (index == s->current) return true;
  if (index < 0 || index >= (int)s->pages.size()) return false;
  if (!Leave(s)) return false;
  return Show(s, index);
}

// Every page that was shown is asked to apply; an invalid one is shown
// and the sheet stays open.
bool Apply(Sheet *s) {
  if (!Leave(s)) return false;
  for (size_t i = 0; i < s->pages.size(); ++i) {
    if (!s->pages[i].hwnd) continue;
    LRESULT r = Notify(s, (int)i, PSN_APPLY, 0);
    if (r == PSNRET_INVALID || r == PSNRET_INVALID_NOCHANGEPAGE) {
      if ((int)i != s->current) Show(s, (int)i);
      return false;
    }
  }
  s->applied = true;
  s->changed = false;
  if (HWND a = GetDlgItem(s->dlg, kIdApply)) EnableWindow(a, FALSE);
  return true;
}

// ---- the tab row ----

int TabWidth(HDC dc, const std::string &t) {
  SIZE sz{};
  GetTextExtentPoint32A(dc, t.c_str(), (int)t.size(), &sz);
  return sz.cx + 12;
}

int TabAt(Sheet *s, HWND tabs, int x) {
  HDC dc = GetDC(tabs);
  HGDIOBJ old = SelectObject(dc, (HGDIOBJ)SendMessageA(s->dlg, WM_GETFONT, 0, 0));
  int left = 2, hit = -1;
  for (size_t i = 0; i < s->pages.size(); ++i) {
    int w = TabWidth(dc, s->pages[i].title);
    if (x >= left && x < left + w) hit = (int)i;
    left += w;
  }
  SelectObject(dc, old);
  ReleaseDC(tabs, dc);
  return hit;
}

LRESULT CALLBACK TabsProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  Sheet *s = (Sheet *)GetWindowLongPtrA(h, GWLP_USERDATA);
  switch (m) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT rc;
      GetClientRect(h, &rc);
      FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
      if (s) {
        HGDIOBJ old = SelectObject(dc, (HGDIOBJ)SendMessageA(s->dlg, WM_GETFONT, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        int left = 2;
        for (size_t i = 0; i < s->pages.size(); ++i) {
          int w = TabWidth(dc, s->pages[i].title);
          bool sel = (int)i == s->current;
          RECT t{left, sel ? 0 : 2, left + w, rc.bottom + (sel ? 1 : 0)};
          DrawEdge(dc, &t, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
          RECT tx = t;
          DrawTextA(dc, s->pages[i].title.c_str(), -1, &tx, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
          left += w;
        }
        SelectObject(dc, old);
      }
      EndPaint(h, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
      if (s) {
        int i = TabAt(s, h, (short)LOWORD(lp));
        if (i >= 0) SendMessageA(s->dlg, PSM_SETCURSEL, (WPARAM)i, 0);
      }
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (s && (wp == VK_LEFT || wp == VK_RIGHT)) {
        int n = (int)s->pages.size();
        SendMessageA(s->dlg, PSM_SETCURSEL, (WPARAM)((s->current + (wp == VK_RIGHT ? 1 : n - 1)) % n), 0);
      }
      return 0;
  }
  return DefWindowProcA(h, m, wp, lp);
}

void RegisterTabs() {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_GLOBALCLASS;
  wc.lpfnWndProc = TabsProc;
  wc.lpszClassName = kTabsClass;
  tavo::user::RegisterSystemClass(&wc);
}

INT_PTR CALLBACK SheetProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  Sheet *s = (Sheet *)GetWindowLongPtrA(dlg, DWLP_USER);
  switch (msg) {
    case WM_INITDIALOG: {
      s = (Sheet *)lp;
      s->dlg = dlg;
      SetWindowLongPtrA(dlg, DWLP_USER, lp);
      s->tabs = GetDlgItem(dlg, kIdTabs);
      MapDialogRect(dlg, &s->pageArea);
      SetWindowLongPtrA(s->tabs, GWLP_USERDATA, lp);
      if ((s->header.dwFlags & PSH_USECALLBACK) && s->header.pfnCallback)
        s->header.pfnCallback(dlg, PSCB_INITIALIZED, 0);
      int start = (s->header.dwFlags & PSH_USEPSTARTPAGE) ? 0 : (int)s->header.nStartPage;
      if (start < 0 || start >= (int)s->pages.size()) start = 0;
      Show(s, start);
      HWND first = s->pages[(size_t)s->current].hwnd ? GetNextDlgTabItem(s->pages[(size_t)s->current].hwnd, 0, FALSE)
                                                      : 0;
      if (first) {
        SetFocus(first);
        return FALSE;
      }
      return TRUE;
    }
    case WM_COMMAND:
      if (!s) return FALSE;
      switch (LOWORD(wp)) {
        case IDOK:
          if (Apply(s)) EndDialog(dlg, 1);
          return TRUE;
        case IDCANCEL:
          if (s->current >= 0 && Notify(s, s->current, PSN_QUERYCANCEL)) return TRUE;
          for (size_t i = 0; i < s->pages.size(); ++i)
            if (s->pages[i].hwnd) Notify(s, (int)i, PSN_RESET);
          EndDialog(dlg, s->applied ? 1 : 0);
          return TRUE;
        case kIdApply:
          Apply(s);
          return TRUE;
        case IDHELP:
          if (s->current >= 0) Notify(s, s->current, PSN_HELP);
          return TRUE;
      }
      return FALSE;
    case WM_HELP:
      if (s && s->current >= 0) Notify(s, s->current, PSN_HELP);
      return TRUE;
    case PSM_SETCURSEL: {
      if (!s) return FALSE;
      int index = (int)wp;
      if (lp) {
        for (size_t i = 0; i < s->pages.size(); ++i)
          if ((LPARAM)s->pages[i].handle == lp) index = (int)i;
      }
      SetWindowLongPtrA(dlg, DWLP_MSGRESULT, SwitchTo(s, index) ? TRUE : FALSE);
      return TRUE;
    }
    case PSM_CHANGED:
      if (s) {
        s->changed = true;
        if (HWND a = GetDlgItem(dlg, kIdApply)) EnableWindow(a, TRUE);
      }
      return TRUE;
    case PSM_UNCHANGED:
      if (s) {
        s->changed = false;
        if (HWND a = GetDlgItem(dlg, kIdApply)) EnableWindow(a, FALSE);
      }
      return TRUE;
    case PSM_APPLY:
      SetWindowLongPtrA(dlg, DWLP_MSGRESULT, s && Apply(s));
      return TRUE;
    case PSM_PRESSBUTTON: {
      int ids[] = {0, 0, 0, IDOK, kIdApply, IDCANCEL, IDHELP};
      if (wp < 7 && ids[wp]) PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(ids[wp], BN_CLICKED), 0);
      return TRUE;
    }
    case PSM_GETCURRENTPAGEHWND:
      SetWindowLongPtrA(dlg, DWLP_MSGRESULT, s && s->current >= 0 ? (LONG_PTR)s->pages[(size_t)s->current].hwnd : 0);
      return TRUE;
    case PSM_GETTABCONTROL:
      SetWindowLongPtrA(dlg, DWLP_MSGRESULT, s ? (LONG_PTR)s->tabs : 0);
      return TRUE;
    case PSM_SETTITLEA:
      if (lp && !IS_INTRESOURCE(lp)) SetWindowTextA(dlg, (LPCSTR)lp);
      return TRUE;
    case PSM_QUERYSIBLINGS: {
      if (!s) return FALSE;
      for (auto &p : s->pages) {
        if (!p.hwnd) continue;
        LRESULT r = SendMessageA(p.hwnd, PSM_QUERYSIBLINGS, wp, lp);
        if (r) {
          SetWindowLongPtrA(dlg, DWLP_MSGRESULT, r);
          return TRUE;
        }
      }
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace

HPROPSHEETPAGE CreatePropertySheetPageA(LPCPROPSHEETPAGEA page) {
  if (!page) return 0;
  auto p = std::make_unique<_PSP>();
  p->page = *page;
  p->ok = LoadTemplate(p.get());
  if (!p->ok) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  if ((page->dwFlags & PSP_USECALLBACK) && page->pfnCallback) page->pfnCallback(0, 1 /* PSPCB_CREATE */, &p->page);
  std::lock_guard<std::mutex> g(g_pagesMx);
  HPROPSHEETPAGE h = (HPROPSHEETPAGE)g_nextPage++;
  g_pages[h] = std::move(p);
  return h;
}

BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page) {
  std::lock_guard<std::mutex> g(g_pagesMx);
  return g_pages.erase(page) ? TRUE : FALSE;
}

INT_PTR PropertySheetA(LPCPROPSHEETHEADERA h) {
  if (!h || !h->nPages || (h->dwFlags & (PSH_MODELESS | PSH_WIZARD))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  RegisterTabs();
  auto s = std::make_unique<Sheet>();
  s->header = *h;
  for (UINT i = 0; i < h->nPages; ++i) {
    Page p{};
    if (h->dwFlags & PSH_PROPSHEETPAGE) {
      const PROPSHEETPAGEA *src =
          (const PROPSHEETPAGEA *)((const char *)h->ppsp + (size_t)i * std::max<DWORD>(h->ppsp->dwSize, sizeof(PROPSHEETPAGEA)));
      p.handle = CreatePropertySheetPageA(src);
      p.own = true;
    } else {
      p.handle = h->phpage[i];
      p.own = false;
    }
    p.psp = PageOf(p.handle);
    if (!p.psp) {
      for (auto &q : s->pages)
        if (q.own) DestroyPropertySheetPage(q.handle);
      return -1;
    }
    p.title = (p.psp->page.dwFlags & PSP_USETITLE) && p.psp->page.pszTitle && !IS_INTRESOURCE(p.psp->page.pszTitle)
                  ? p.psp->page.pszTitle
                  : p.psp->tmpl.caption;
    s->pages.push_back(p);
  }

  // Room for the largest page under the tabs, the buttons below.
  int cx = 0, cy = 0;
  for (auto &p : s->pages) {
    cx = std::max(cx, p.psp->tmpl.cx);
    cy = std::max(cy, p.psp->tmpl.cy);
  }
  tavo::res::DialogTemplate t;
  t.caption = h->pszCaption && !IS_INTRESOURCE(h->pszCaption) ? h->pszCaption : "";
  if ((h->dwFlags & PSH_PROPTITLE) && !t.caption.empty()) t.caption = "Egenskaber for " + t.caption;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT | DS_3DLOOK;
  t.fontFace = s->pages[0].psp->tmpl.fontFace.empty() ? "MS Sans Serif" : s->pages[0].psp->tmpl.fontFace;
  t.pointSize = 8;
  int margin = 7, tabH = 13, buttonH = 14, buttonW = 50, gap = 4;
  std::vector<std::pair<int, const char *>> buttons{{IDOK, "OK"}, {IDCANCEL, "Annuller"}};
  if (!(h->dwFlags & PSH_NOAPPLYNOW)) buttons.push_back({kIdApply, "&Anvend"});
  bool help = (h->dwFlags & PSH_HASHELP) != 0;
  for (auto &p : s->pages) help = help || (p.psp->page.dwFlags & PSP_HASHELP);
  if (help) buttons.push_back({IDHELP, "Hjælp"});
  int nb = (int)buttons.size();
  t.cx = std::max(cx + 2 * margin + 4, nb * buttonW + (nb - 1) * gap + 2 * margin);
  t.cy = margin + tabH + cy + 4 + margin + buttonH + margin;
  t.items.push_back({kTabsClass, kIdTabs, "", WS_VISIBLE | WS_TABSTOP | WS_GROUP, 0, margin, margin, t.cx - 2 * margin, tabH});
  t.items.push_back({"BUTTON", -1, "", BS_GROUPBOX | WS_VISIBLE, 0, margin, margin + tabH, t.cx - 2 * margin, cy + 4});
  int bx = t.cx - margin - nb * buttonW - (nb - 1) * gap;
  int by = t.cy - margin - buttonH;
  for (int i = 0; i < nb; ++i) {
    DWORD st = WS_VISIBLE | WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON | WS_GROUP : BS_PUSHBUTTON);
    if (buttons[(size_t)i].first == kIdApply) st |= WS_DISABLED;
    t.items.push_back({"BUTTON", buttons[(size_t)i].first, buttons[(size_t)i].second, st, 0,
                       bx + i * (buttonW + gap), by, buttonW, buttonH});
  }
  s->pageArea = RECT{margin + 2, margin + tabH + 2, 0, 0};  // dialog units until the sheet exists
  INT_PTR r = tavo::user::DialogBoxCore(h->hInstance, t, h->hwndParent, SheetProc, (LPARAM)s.get(), nullptr);
  for (auto &p : s->pages)
    if (p.own) DestroyPropertySheetPage(p.handle);
  return r;
}
