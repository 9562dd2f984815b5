// "EDIT": single- and multi-line text editing with selection, clipboard,
// password display, limits and the EN_* notifications.

#include <algorithm>
#include <cstring>

#include "ctlint.h"
#include "tavo/cp1252.h"

namespace tavo::controls {

namespace {

const size_t kDefaultLimit = 32767;
const size_t kMaxLimit = 0x7FFFFFFE;

struct Edit {
  std::string text;
  size_t anchor = 0, caret = 0;
  size_t limit = kDefaultLimit;
  char password = 0;
  bool modified = false;
  bool selecting = false;  // mouse drag in progress
  int scrollX = 0;         // pixels, single-line
  int topLine = 0;         // first visible line, multi-line
  HFONT font = 0;
};

DWORD StyleOf(HWND h) { return (DWORD)GetWindowLongA(h, GWL_STYLE); }
bool Multi(HWND h) { return (StyleOf(h) & ES_MULTILINE) != 0; }
size_t SelStart(const Edit *e) { return std::min(e->anchor, e->caret); }
size_t SelEnd(const Edit *e) { return std::max(e->anchor, e->caret); }

// What the user sees of the text: the password character in place of each
// character of a password edit.
std::string Shown(const Edit *e, const std::string &part) {
  if (!e->password) return part;
  return std::string(part.size(), e->password);
}

// Line starts of a multi-line text; lines end at "\r\n" (or a bare "\n").
std::vector<size_t> LineStarts(const std::string &t) {
  std::vector<size_t> starts{0};
  for (size_t i = 0; i < t.size(); ++i)
    if (t[i] == '\n') starts.push_back(i + 1);
  return starts;
}

size_t LineEnd(const std::string &t, size_t start) {
  size_t e = t.find('\n', start);
  if (e == std::string::npos) return t.size();
  return (e > start && t[e - 1] == '\r') ? e - 1 : e;
}

int LineOf(const std::string &t, size_t pos) {
  auto starts = LineStarts(t);
  return (int)(std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin()) - 1;
}

int Width(const Edit *e, const std::string &s) { return TextWidth(e->font, s.c_str(), (int)s.size()); }

// The character index nearest to x within [from, to).
size_t IndexAt(const Edit *e, size_t from, size_t to, int x) {
  std::string shown = Shown(e, e->text.substr(from, to - from));
  if (shown.empty()) return from;
  std::vector<int> dx(shown.size());
  HDC dc = GetDC(0);
  HGDIOBJ old = SelectObject(dc, FontOr(e->font));
  SIZE sz{};
  GetTextExtentExPointA(dc, shown.c_str(), (int)shown.size(), 0, nullptr, dx.data(), &sz);
  SelectObject(dc, old);
  ReleaseDC(0, dc);
  int prev = 0;
  for (size_t i = 0; i < dx.size(); ++i) {
    if (x < (prev + dx[i]) / 2) return from + i;
    prev = dx[i];
  }
  return to;
}

void Notify(HWND h, int code) { NotifyParent(h, code); }

void Redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

void ScrollToCaret(HWND h, Edit *e) {
  RECT rc;
  GetClientRect(h, &rc);
  if (!Multi(h)) {
    int x = Width(e, Shown(e, e->text.substr(0, e->caret)));
    int w = std::max(1, (int)(rc.right - rc.left) - 2);
    if (x < e->scrollX) e->scrollX = std::max(0, x - w / 3);
    if (x > e->scrollX + w) e->scrollX = x - w + w / 3;
    return;
  }
  int lh = LineHeight(e->font);
  int visible = std::max(1, (int)(rc.bottom - rc.top) / lh);
  int line = LineOf(e->text, e->caret);
  if (line < e->topLine) e->topLine = line;
  if (line >= e->topLine + visible) e->topLine = line - visible + 1;
}

void Changed(HWND h, Edit *e) {
  e->modified = true;
  ScrollToCaret(h, e);
  Redraw(h);
  Notify(h, EN_UPDATE);
  Notify(h, EN_CHANGE);
}

// Puts text in place of the selection, as typing, pasting and EM_REPLACESEL
// do: a single-line edit takes the text up to its first line break, and
// whatever passes the limit is cut, with EN_MAXTEXT.
bool Insert(HWND h, Edit *e, std::string in) {
  DWORD style = StyleOf(h);
  if (!(style & ES_MULTILINE)) {
    size_t cut = in.find_first_of("\r\n");
    if (cut != std::string::npos) in.resize(cut);
  }
  if (style & ES_UPPERCASE)
    for (auto &c : in) c = (char)tavo::Cp1252Upper((unsigned char)c);
  if (style & ES_LOWERCASE)
    for (auto &c : in) c = (char)tavo::Cp1252Lower((unsigned char)c);
  if (style & ES_NUMBER) {
    for (char c : in)
      if (c < '0' || c > '9') {
        MessageBeep(MB_OK);
        return false;
      }
  }
  size_t start = SelStart(e), end = SelEnd(e);
  size_t kept = e->text.size() - (end - start);
  size_t room = kept >= e->limit ? 0 : e->limit - kept;
  bool cut = false;
  if (in.size() > room) {
    in.resize(room);
    // Never split a line break.
    if (!in.empty() && in.back() == '\r') in.pop_back();
    cut = true;
  }
  if (in.empty() && start == end) {
    if (cut) Notify(h, EN_MAXTEXT);
    return false;
  }
  e->text.replace(start, end - start, in);
  e->anchor = e->caret = start + in.size();
  Changed(h, e);
  if (cut) Notify(h, EN_MAXTEXT);
  return true;
}

void SetSel(HWND h, Edit *e, long long start, long long end) {
  size_t n = e->text.size();
  if (start < 0) {
    e->anchor = e->caret;  // -1 takes the selection away
  } else {
    size_t s = (size_t)std::min<long long>(start, (long long)n);
    size_t en = end < 0 ? n : (size_t)std::min<long long>(end, (long long)n);
    e->anchor = s;
    e->caret = en;
  }
  ScrollToCaret(h, e);
  Redraw(h);
}

void Copy(HWND h, Edit *e) {
  if (e->password || SelStart(e) == SelEnd(e)) return;
  std::string s = e->text.substr(SelStart(e), SelEnd(e) - SelStart(e));
  if (!OpenClipboard(h)) return;
  EmptyClipboard();
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, s.size() + 1);
  if (g) {
    char *p = (char *)GlobalLock(g);
    if (p) {
      std::memcpy(p, s.c_str(), s.size() + 1);
      GlobalUnlock(g);
      SetClipboardData(CF_TEXT, g);
    }
  }
  CloseClipboard();
}

void Paste(HWND h, Edit *e) {
  if (StyleOf(h) & ES_READONLY) return;
  if (!OpenClipboard(h)) return;
  std::string s;
  HANDLE g = GetClipboardData(CF_TEXT);
  if (g) {
    const char *p = (const char *)GlobalLock(g);
    if (p) {
      size_t n = GlobalSize(g);
      s.assign(p, strnlen(p, n));
      GlobalUnlock(g);
    }
  }
  CloseClipboard();
  if (!Multi(h)) {
    // A single-line edit takes what is before the first CR.
    size_t cr = s.find('\r');
    if (cr != std::string::npos) s.resize(cr);
  }
  Insert(h, e, s);
}

void DrawRun(HDC dc, int x, int y, const std::string &s, bool selected, HBRUSH back, int lh) {
  if (s.empty()) return;
  SIZE sz{};
  GetTextExtentPoint32A(dc, s.c_str(), (int)s.size(), &sz);
  if (selected) {
    COLORREF t = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    RECT r{x, y, x + sz.cx, y + lh};
    FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    TextOutA(dc, x, y, s.c_str(), (int)s.size());
    SetTextColor(dc, t);
  } else {
    TextOutA(dc, x, y, s.c_str(), (int)s.size());
  }
  (void)back;
}

void Paint(HWND h, HDC dc) {
  Edit *e = Data<Edit>(h);
  if (!e) return;
  RECT rc;
  GetClientRect(h, &rc);
  DWORD style = StyleOf(h);
  bool grey = (style & ES_READONLY) || !IsWindowEnabled(h);
  HBRUSH brush = ParentBrush(h, dc, grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  FillRect(dc, &rc, brush);
  HGDIOBJ oldFont = SelectObject(dc, FontOr(e->font));
  SetBkMode(dc, TRANSPARENT);
  int lh = LineHeight(e->font);
  bool focus = IsFocused(h);
  bool showSel = focus || (style & ES_NOHIDESEL);
  size_t s0 = showSel ? SelStart(e) : 0, s1 = showSel ? SelEnd(e) : 0;
  auto drawLine = [&](size_t from, size_t to, int x, int y) {
    size_t a = std::clamp(s0, from, to), b = std::clamp(s1, from, to);
    std::string pre = Shown(e, e->text.substr(from, a - from));
    std::string sel = Shown(e, e->text.substr(a, b - a));
    std::string post = Shown(e, e->text.substr(b, to - b));
    DrawRun(dc, x, y, pre, false, brush, lh);
    x += Width(e, pre);
    DrawRun(dc, x, y, sel, true, brush, lh);
    x += Width(e, sel);
    DrawRun(dc, x, y, post, false, brush, lh);
  };
  int caretX = -1, caretY = 0;
  if (!(style & ES_MULTILINE)) {
    int x = 1 - e->scrollX;
    int total = Width(e, Shown(e, e->text));
    if ((style & ES_RIGHT) && total < rc.right - 2) x = (int)rc.right - 1 - total;
    else if ((style & ES_CENTER) && total < rc.right - 2) x = ((int)rc.right - total) / 2;
    int y = std::max(0, ((int)rc.bottom - lh) / 2);
    if (rc.bottom > 2 * lh) y = 1;
    drawLine(0, e->text.size(), x, y);
    caretX = x + Width(e, Shown(e, e->text.substr(0, e->caret)));
    caretY = y;
  } else {
    auto starts = LineStarts(e->text);
    int caretLine = LineOf(e->text, e->caret);
    for (int i = e->topLine; i < (int)starts.size(); ++i) {
      int y = (i - e->topLine) * lh;
      if (y >= rc.bottom) break;
      size_t from = starts[(size_t)i], to = LineEnd(e->text, from);
      drawLine(from, to, 1, y);
      if (i == caretLine) {
        caretX = 1 + Width(e, Shown(e, e->text.substr(from, e->caret - from)));
        caretY = y;
      }
    }
  }
  if (focus && caretX >= 0) {
    RECT c{caretX, caretY, caretX + 1, caretY + lh};
    FillRect(dc, &c, GetSysColorBrush(COLOR_WINDOWTEXT));
  }
  SelectObject(dc, oldFont);
}

size_t IndexFromPoint(HWND h, Edit *e, POINT pt) {
  if (!Multi(h)) return IndexAt(e, 0, e->text.size(), pt.x - 1 + e->scrollX);
  auto starts = LineStarts(e->text);
  int line = std::clamp(e->topLine + pt.y / LineHeight(e->font), 0, (int)starts.size() - 1);
  size_t from = starts[(size_t)line];
  return IndexAt(e, from, LineEnd(e->text, from), pt.x - 1);
}

void MoveCaret(HWND h, Edit *e, size_t to, bool extend) {
  e->caret = std::min(to, e->text.size());
  if (!extend) e->anchor = e->caret;
  ScrollToCaret(h, e);
  Redraw(h);
}

// One step left or right, over a "\r\n" at once.
size_t StepLeft(const std::string &t, size_t p) {
  if (p == 0) return 0;
  if (p >= 2 && t[p - 1] == '\n' && t[p - 2] == '\r') return p - 2;
  return p - 1;
}
size_t StepRight(const std::string &t, size_t p) {
  if (p >= t.size()) return t.size();
  if (t[p] == '\r' && p + 1 < t.size() && t[p + 1] == '\n') return p + 2;
  return p + 1;
}

bool KeyDown(HWND h, Edit *e, WPARAM vk) {
  bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  bool ro = (StyleOf(h) & ES_READONLY) != 0;
  const std::string &t = e->text;
  switch (vk) {
    case VK_LEFT:
      if (!shift && SelStart(e) != SelEnd(e)) MoveCaret(h, e, SelStart(e), false);
      else MoveCaret(h, e, StepLeft(t, e->caret), shift);
      return true;
    case VK_RIGHT:
      if (!shift && SelStart(e) != SelEnd(e)) MoveCaret(h, e, SelEnd(e), false);
      else MoveCaret(h, e, StepRight(t, e->caret), shift);
      return true;
    case VK_HOME:
      if (Multi(h) && !ctrl) {
        auto starts = LineStarts(t);
        MoveCaret(h, e, starts[(size_t)LineOf(t, e->caret)], shift);
      } else {
        MoveCaret(h, e, 0, shift);
      }
      return true;
    case VK_END:
      if (Multi(h) && !ctrl) {
        auto starts = LineStarts(t);
        MoveCaret(h, e, LineEnd(t, starts[(size_t)LineOf(t, e->caret)]), shift);
      } else {
        MoveCaret(h, e, t.size(), shift);
      }
      return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
      if (!Multi(h)) return true;
      auto starts = LineStarts(t);
      int line = LineOf(t, e->caret);
      RECT rc;
      GetClientRect(h, &rc);
      int page = std::max(1, (int)rc.bottom / LineHeight(e->font));
      int delta = vk == VK_UP ? -1 : vk == VK_DOWN ? 1 : vk == VK_PRIOR ? -page : page;
      int to = std::clamp(line + delta, 0, (int)starts.size() - 1);
      int x = Width(e, Shown(e, t.substr(starts[(size_t)line], e->caret - starts[(size_t)line])));
      size_t from = starts[(size_t)to];
      MoveCaret(h, e, IndexAt(e, from, LineEnd(t, from), x), shift);
      return true;
    }
    case VK_DELETE:
      if (ro) return true;
      if (shift) {
        SendMessageA(h, WM_CUT, 0, 0);
        return true;
      }
      if (SelStart(e) == SelEnd(e)) {
        if (e->caret >= t.size()) return true;
        e->anchor = StepRight(t, e->caret);
      }
      Insert(h, e, "");
      return true;
    case VK_INSERT:
      if (ctrl) SendMessageA(h, WM_COPY, 0, 0);
      else if (shift) SendMessageA(h, WM_PASTE, 0, 0);
      return true;
  }
  return false;
}

void Char(HWND h, Edit *e, BYTE ch) {
  bool ro = (StyleOf(h) & ES_READONLY) != 0;
  switch (ch) {
    case 3:  // Ctrl+C
      SendMessageA(h, WM_COPY, 0, 0);
      return;
    case 22:  // Ctrl+V
      SendMessageA(h, WM_PASTE, 0, 0);
      return;
    case 24:  // Ctrl+X
      SendMessageA(h, WM_CUT, 0, 0);
      return;
    case 1:  // Ctrl+A
      SetSel(h, e, 0, -1);
      return;
    case '\b':
      if (ro) return;
      if (SelStart(e) == SelEnd(e)) {
        if (e->caret == 0) return;
        e->anchor = StepLeft(e->text, e->caret);
      }
      Insert(h, e, "");
      return;
    case '\r':
    case '\n':
      if (!ro && Multi(h)) Insert(h, e, "\r\n");
      return;
  }
  if (ch < 0x20 || ch == 0x7F || ro) return;
  Insert(h, e, std::string(1, (char)ch));
}

}  // namespace

LRESULT CALLBACK EditProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_NCCREATE: {
      Edit *e = Attach<Edit>(h);
      auto *cs = (CREATESTRUCTA *)lp;
      if (cs && cs->lpszName) e->text = cs->lpszName;
      if (!(cs && (cs->style & ES_MULTILINE))) {
        size_t cut = e->text.find_first_of("\r\n");
        if (cut != std::string::npos) e->text.resize(cut);
      }
      if (cs && (cs->style & ES_PASSWORD)) e->password = '*';
      return DefWindowProcA(h, m, wp, lp);
    }
    case WM_NCDESTROY:
      Detach<Edit>(h);
      return DefWindowProcA(h, m, wp, lp);
  }
  Edit *e = Data<Edit>(h);
  if (!e) return DefWindowProcA(h, m, wp, lp);
  switch (m) {
    case WM_PAINT:
      PaintMessage(h, wp, Paint);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT:
      e->font = (HFONT)wp;
      if (LOWORD(lp)) Redraw(h);
      return 0;
    case WM_GETFONT:
      return (LRESULT)e->font;
    case WM_SETTEXT: {
      std::string s = lp ? (const char *)lp : "";
      if (!Multi(h)) {
        size_t cut = s.find_first_of("\r\n");
        if (cut != std::string::npos) s.resize(cut);
      }
      e->text = s;
      e->anchor = e->caret = 0;
      e->scrollX = 0;
      e->topLine = 0;
      e->modified = false;
      DefWindowProcA(h, m, wp, lp);
      Redraw(h);
      if (!Multi(h)) {
        Notify(h, EN_UPDATE);
        Notify(h, EN_CHANGE);
      }
      return TRUE;
    }
    case WM_GETTEXT: {
      if (!lp || wp == 0) return 0;
      size_t n = std::min(e->text.size(), (size_t)wp - 1);
      std::memcpy((char *)lp, e->text.data(), n);
      ((char *)lp)[n] = 0;
      return (LRESULT)n;
    }
    case WM_GETTEXTLENGTH:
      return (LRESULT)e->text.size();
    case WM_ENABLE:
      Redraw(h);
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        SetCursor(LoadCursorA(0, IDC_IBEAM));
        return TRUE;
      }
      return DefWindowProcA(h, m, wp, lp);
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      if (Multi(h)) {
        code |= DLGC_WANTALLKEYS;
        auto *msg = (MSG *)lp;
        if (msg && msg->message == WM_KEYDOWN &&
            (msg->wParam == VK_TAB || msg->wParam == VK_ESCAPE ||
             (msg->wParam == VK_RETURN && !(StyleOf(h) & ES_WANTRETURN))))
          code &= ~DLGC_WANTALLKEYS;
      }
      return code;
    }
    case WM_SETFOCUS:
      Redraw(h);
      Notify(h, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      Redraw(h);
      Notify(h, EN_KILLFOCUS);
      return 0;
    case WM_KEYDOWN:
      if (KeyDown(h, e, wp)) return 0;
      return DefWindowProcA(h, m, wp, lp);
    case WM_CHAR:
      Char(h, e, (BYTE)wp);
      return 0;
    case WM_LBUTTONDOWN: {
      SetFocus(h);
      size_t at = IndexFromPoint(h, e, PointOf(lp));
      MoveCaret(h, e, at, (wp & MK_SHIFT) != 0);
      e->selecting = true;
      SetCapture(h);
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      size_t at = IndexFromPoint(h, e, PointOf(lp));
      size_t a = at, b = at;
      auto word = [](char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; };
      while (a > 0 && word(e->text[a - 1])) --a;
      while (b < e->text.size() && word(e->text[b])) ++b;
      e->anchor = a;
      MoveCaret(h, e, b, true);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (e->selecting && GetCapture() == h) MoveCaret(h, e, IndexFromPoint(h, e, PointOf(lp)), true);
      return 0;
    case WM_LBUTTONUP:
      if (e->selecting) {
        e->selecting = false;
        if (GetCapture() == h) ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      e->selecting = false;
      return 0;
    case WM_COPY:
      Copy(h, e);
      return 0;
    case WM_CUT:
      if (e->password || (StyleOf(h) & ES_READONLY)) return 0;
      Copy(h, e);
      Insert(h, e, "");
      return 0;
    case WM_PASTE:
      Paste(h, e);
      return 0;
    case WM_CLEAR:
      if (!(StyleOf(h) & ES_READONLY)) Insert(h, e, "");
      return 0;
    case EM_GETSEL:
      if (wp) *(DWORD *)wp = (DWORD)SelStart(e);
      if (lp) *(DWORD *)lp = (DWORD)SelEnd(e);
      return MAKELONG((WORD)std::min<size_t>(SelStart(e), 0xFFFF), (WORD)std::min<size_t>(SelEnd(e), 0xFFFF));
    case EM_SETSEL:
      SetSel(h, e, (long long)(int)wp, (long long)(int)lp);
      return 0;
    case EM_REPLACESEL:
      Insert(h, e, lp ? (const char *)lp : "");
      return 0;
    case EM_LIMITTEXT:
      e->limit = wp ? std::min<size_t>((size_t)wp, kMaxLimit) : kMaxLimit;
      return 0;
    case EM_GETLIMITTEXT:
      return (LRESULT)e->limit;
    case EM_GETLINECOUNT:
      return Multi(h) ? (LRESULT)LineStarts(e->text).size() : 1;
    case EM_LINEINDEX: {
      if (!Multi(h)) return ((int)wp == -1 || wp == 0) ? 0 : -1;
      auto starts = LineStarts(e->text);
      int line = (int)wp == -1 ? LineOf(e->text, e->caret) : (int)wp;
      if (line < 0 || line >= (int)starts.size()) return -1;
      return (LRESULT)starts[(size_t)line];
    }
    case EM_LINEFROMCHAR: {
      size_t at = (int)wp == -1 ? e->caret : std::min((size_t)wp, e->text.size());
      return Multi(h) ? LineOf(e->text, at) : 0;
    }
    case EM_LINELENGTH: {
      if ((int)wp == -1) return (LRESULT)(e->text.size() - (SelEnd(e) - SelStart(e)));
      size_t at = std::min((size_t)wp, e->text.size());
      if (!Multi(h)) return (LRESULT)e->text.size();
      auto starts = LineStarts(e->text);
      size_t from = starts[(size_t)LineOf(e->text, at)];
      return (LRESULT)(LineEnd(e->text, from) - from);
    }
    case EM_GETLINE: {
      if (!lp) return 0;
      WORD size;
      std::memcpy(&size, (void *)lp, sizeof size);
      auto starts = LineStarts(e->text);
      int line = Multi(h) ? (int)wp : 0;
      if (line < 0 || line >= (int)starts.size()) return 0;
      size_t from = starts[(size_t)line];
      size_t n = std::min<size_t>(LineEnd(e->text, from) - from, size);
      std::memcpy((char *)lp, e->text.data() + from, n);
      return (LRESULT)n;
    }
    case EM_SETPASSWORDCHAR: {
      e->password = (char)(BYTE)wp;
      LONG s = GetWindowLongA(h, GWL_STYLE);
      SetWindowLongA(h, GWL_STYLE, e->password ? (s | ES_PASSWORD) : (s & ~ES_PASSWORD));
      Redraw(h);
      return 0;
    }
    case EM_GETPASSWORDCHAR:
      return (BYTE)e->password;
    case EM_SETREADONLY: {
      LONG s = GetWindowLongA(h, GWL_STYLE);
      SetWindowLongA(h, GWL_STYLE, wp ? (s | ES_READONLY) : (s & ~ES_READONLY));
      Redraw(h);
      return TRUE;
    }
    case EM_GETMODIFY:
      return e->modified;
    case EM_SETMODIFY:
      e->modified = wp != 0;
      return 0;
    case EM_SCROLLCARET:
      ScrollToCaret(h, e);
      Redraw(h);
      return TRUE;
    case EM_GETFIRSTVISIBLELINE:
      return Multi(h) ? e->topLine : 0;
    case EM_CANUNDO:
    case EM_UNDO:
      return FALSE;
    case EM_EMPTYUNDOBUFFER:
      return 0;
  }
  return DefWindowProcA(h, m, wp, lp);
}

}  // namespace tavo::controls
