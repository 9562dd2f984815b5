// The dialog manager: templates, dialog units, the dialog procedure protocol,
// the keyboard interface, modal loops on any thread, and the scripted-answer
// hooks for tests.

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>

#include "dlgint.h"
#include "menuint.h"
#include "state.h"
#include "tavo/test_dialog.h"
#include "userint.h"
#include "win/dlg.h"

namespace tavo::user {

namespace {

// Button messages and styles the manager needs; the controls own the rest.
constexpr UINT kBmGetCheck = 0x00F0;
constexpr UINT kBmClick = 0x00F5;
constexpr UINT kBmSetStyle = 0x00F4;
constexpr DWORD kBsTypeMask = 0x0F, kBsPush = 0, kBsDefPush = 1, kBsGroupBox = 7;
constexpr DWORD kBsCheckBox = 2, kBsAutoCheckBox = 3, kBs3State = 5, kBsAuto3State = 6;
constexpr DWORD kBsRadio = 4, kBsAutoRadio = 9;
constexpr DWORD kSsNoPrefix = 0x80;

struct DlgInfo {
  DWORD tid = 0;
  bool modal = false;
  bool ended = false;
  INT_PTR result = 0;
  int defId = IDOK;
  HFONT font = 0;
  int baseX = 6, baseY = 13;
  HWND lastFocus = 0;
};

std::mutex g_mx;
std::map<HWND, DlgInfo> g_dialogs;
std::vector<res::DialogTemplate> g_templates;
std::map<UINT, std::string> g_strings;
res::DialogFontProvider g_fontProvider = nullptr;

// ---- the scripted answers ----
struct Script {
  bool on = false;
  int timeoutMs = 3000;
  std::deque<test::DialogHandler> handlers;
  std::vector<test::MessageBoxRecord> boxes;
  std::vector<std::string> failures;
};
Script g_script;

std::string Upper(std::string s) {
  for (char &c : s) c = (char)std::toupper((unsigned char)c);
  return s;
}

std::string TextOf(HWND h) {
  int n = GetWindowTextLengthA(h);
  std::string s((size_t)std::max(n, 0) + 1, '\0');
  int got = GetWindowTextA(h, s.data(), (int)s.size());
  s.resize((size_t)std::max(got, 0));
  return s;
}

std::string ClassOf(HWND h) {
  char buf[128] = {};
  GetClassNameA(h, buf, sizeof buf);
  return buf;
}

bool IsButton(HWND h) { return Upper(ClassOf(h)) == "BUTTON"; }

// The controls in tab order; a visible child that is a control parent (a
// property page) stands for its own controls.
void CollectControls(HWND parent, std::vector<HWND> *out, int depth) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    DWORD st = (DWORD)GetWindowLongA(c, GWL_STYLE);
    if (depth < 8 && (GetWindowLongA(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && (st & WS_VISIBLE)) {
      CollectControls(c, out, depth + 1);
    } else {
      out->push_back(c);
    }
  }
}

std::vector<HWND> Controls(HWND dlg) {
  std::vector<HWND> out;
  CollectControls(dlg, &out, 0);
  return out;
}

std::vector<HWND> DirectChildren(HWND dlg) {
  std::vector<HWND> out;
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
  return out;
}

HWND ItemById(HWND dlg, int id) {
  for (HWND c : DirectChildren(dlg))
    if (GetWindowLongA(c, GWL_ID) == id) return c;
  return 0;
}

// By the control's own styles: a dialog still hidden in WM_INITDIALOG has
// usable controls.
bool Usable(HWND c) {
  DWORD st = (DWORD)GetWindowLongA(c, GWL_STYLE);
  return (st & WS_VISIBLE) && !(st & WS_DISABLED);
}

UINT DlgCode(HWND c, MSG *msg) { return (UINT)SendMessageA(c, WM_GETDLGCODE, msg ? msg->wParam : 0, (LPARAM)msg); }

// The control of a dialog that holds hwnd (hwnd itself or its ancestor
// directly below the dialog).
HWND ControlOf(HWND dlg, HWND h) {
  while (h) {
    HWND p = GetParent(h);
    if (p == dlg || (p && (GetWindowLongA(p, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && IsChild(dlg, p))) return h;
    if (!(GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) return 0;
    h = p;
  }
  return 0;
}

void DefaultUnits(int pointSize, bool setFont, int *bx, int *by) {
  if (!setFont) {
    *bx = 8;
    *by = 16;
    return;
  }
  if (pointSize <= 0) pointSize = 8;
  *bx = std::max(1, (6 * pointSize + 4) / 8);
  *by = std::max(1, (13 * pointSize + 4) / 8);
}

ATOM DialogClass() {
  static std::once_flag once;
  static ATOM atom = 0;
  std::call_once(once, [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_SAVEBITS | CS_GLOBALCLASS;
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hbrBackground = (HBRUSH)(UINT_PTR)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "#32770";
    atom = RegisterSystemClass(&wc);
  });
  return atom;
}

DlgInfo Info(HWND dlg) {
  std::lock_guard<std::mutex> g(g_mx);
  auto it = g_dialogs.find(dlg);
  return it == g_dialogs.end() ? DlgInfo{} : it->second;
}

void SetLastFocus(HWND dlg, HWND c) {
  std::lock_guard<std::mutex> g(g_mx);
  auto it = g_dialogs.find(dlg);
  if (it != g_dialogs.end()) it->second.lastFocus = c;
}

void FocusControl(HWND dlg, HWND c) {
  if (!c) return;
  SetFocus(c);
  SetLastFocus(dlg, c);
  // An edit's whole text is selected when Tab brings the focus to it.
  if (DlgCode(c, nullptr) & DLGC_HASSETSEL) SendMessageA(c, 0x00B1 /* EM_SETSEL */, 0, -1);
}

HWND FirstTabStop(HWND dlg) { return GetNextDlgTabItem(dlg, 0, FALSE); }

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

void PressButton(HWND dlg, HWND c) {
  if (!c || !IsWindowEnabled(c)) return;
  int id = GetWindowLongA(c, GWL_ID);
  if (IsButton(c)) {
    SendMessageA(c, kBmClick, 0, 0);
  } else {
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, 0), (LPARAM)c);
  }
}

}  // namespace

// ---------------------------------------------------------------- templates and strings

}  // namespace tavo::user

namespace tavo::res {

using namespace tavo::user;

void RegisterDialog(const DialogTemplate &tmpl) {
  std::lock_guard<std::mutex> g(g_mx);
  for (auto &t : g_templates) {
    if ((tmpl.name.empty() && t.name.empty() && t.id == tmpl.id) ||
        (!tmpl.name.empty() && Upper(t.name) == Upper(tmpl.name))) {
      t = tmpl;
      return;
    }
  }
  g_templates.push_back(tmpl);
}

const DialogTemplate *FindDialog(LPCSTR name) {
  if (!name) return nullptr;
  std::lock_guard<std::mutex> g(g_mx);
  for (auto &t : g_templates) {
    if (IS_INTRESOURCE(name)) {
      if (t.name.empty() && t.id == (int)(ULONG_PTR)name) return &t;
    } else if (!t.name.empty() && Upper(t.name) == Upper(name)) {
      return &t;
    } else if (name[0] == '#' && t.name.empty() && t.id == std::atoi(name + 1)) {
      return &t;
    }
  }
  return nullptr;
}

void RegisterString(UINT id, const std::string &text) {
  std::lock_guard<std::mutex> g(g_mx);
  g_strings[id] = text;
}

void RegisterStrings(const std::vector<std::pair<UINT, std::string>> &table) {
  std::lock_guard<std::mutex> g(g_mx);
  for (auto &[id, text] : table) g_strings[id] = text;
}

void SetDialogFontProvider(DialogFontProvider provider) {
  std::lock_guard<std::mutex> g(g_mx);
  g_fontProvider = provider;
}

HWND CreateDialogTemplate(HINSTANCE inst, const DialogTemplate &t, HWND owner, DLGPROC proc, LPARAM param) {
  return tavo::user::CreateDialogCore(inst, t, owner, proc, param, false);
}

INT_PTR DialogBoxTemplate(HINSTANCE inst, const DialogTemplate &t, HWND owner, DLGPROC proc, LPARAM param) {
  return tavo::user::DialogBoxCore(inst, t, owner, proc, param, nullptr);
}

}  // namespace tavo::res

namespace tavo::user {

// ---------------------------------------------------------------- creation

HWND CreateDialogCore(HINSTANCE inst, const res::DialogTemplate &t, HWND owner, DLGPROC proc, LPARAM param,
                      bool modal) {
  DialogClass();
  bool setFont = (t.style & DS_SETFONT) != 0;
  int bx = 0, by = 0;
  HFONT font = 0;
  res::DialogFontProvider provider;
  {
    std::lock_guard<std::mutex> g(g_mx);
    provider = g_fontProvider ? g_fontProvider : MappedDialogFont;
  }
  if (!(setFont && provider && provider(t.fontFace.c_str(), t.pointSize, &font, &bx, &by) && bx > 0 && by > 0)) {
    font = 0;
    DefaultUnits(t.pointSize, setFont, &bx, &by);
  }

  // A child given as owner stands for its top-level window; a child dialog
  // (a property page) keeps its parent.
  if (owner && !(t.style & WS_CHILD)) {
    HWND root = GetAncestor(owner, GA_ROOT);
    if (root) owner = root;
  }
  DWORD style = t.style & ~WS_VISIBLE;
  DWORD ex = t.exStyle | WS_EX_CONTROLPARENT;
  if (t.style & DS_MODALFRAME) ex |= WS_EX_DLGMODALFRAME;
  if (modal) style &= ~WS_CHILD;
  RECT r{0, 0, MulDivRound(t.cx, bx, 4), MulDivRound(t.cy, by, 8)};
  int clientW = r.right, clientH = r.bottom;
  AdjustWindowRectEx(&r, style, FALSE, ex);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = MulDivRound(t.x, bx, 4), y = MulDivRound(t.y, by, 8);
  if (!(style & WS_CHILD)) {
    if (t.style & DS_CENTER) {
      RECT wa{};
      SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
      RECT around = wa;
      if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
      x = around.left + (around.right - around.left - w) / 2;
      y = around.top + (around.bottom - around.top - h) / 2;
      x = std::max((int)wa.left, std::min(x, (int)wa.right - w));
      y = std::max((int)wa.top, std::min(y, (int)wa.bottom - h));
    } else if (owner && !(t.style & DS_ABSALIGN)) {
      POINT o{0, 0};
      ClientToScreen(owner, &o);
      x += o.x;
      y += o.y;
    }
  }
  (void)clientW;
  (void)clientH;
  const char *cls = t.className.empty() ? "#32770" : t.className.c_str();
  HWND dlg = CreateWindowExA(ex, cls, t.caption.c_str(), style, x, y, w, h, owner, 0, inst, nullptr);
  if (!dlg) return 0;
  {
    std::lock_guard<std::mutex> g(g_mx);
    DlgInfo &d = g_dialogs[dlg];
    d.tid = GetCurrentThreadId();
    d.modal = modal;
    d.font = font;
    d.baseX = bx;
    d.baseY = by;
  }
  SetWindowLongPtrA(dlg, DWLP_DLGPROC, (LONG_PTR)proc);
  if (font) SendMessageA(dlg, WM_SETFONT, (WPARAM)font, FALSE);

  int defId = 0;
  for (const auto &it : t.items) {
    DWORD cs = it.style | WS_CHILD;
    // Each of position and size is scaled on its own, as the dialog manager does.
    RECT cr{MulDivRound(it.x, bx, 4), MulDivRound(it.y, by, 8), 0, 0};
    cr.right = cr.left + MulDivRound(it.cx, bx, 4);
    cr.bottom = cr.top + MulDivRound(it.cy, by, 8);
    HWND c = CreateWindowExA(it.exStyle, it.className.c_str(), it.text.c_str(), cs, cr.left, cr.top,
                             cr.right - cr.left, cr.bottom - cr.top, dlg, (HMENU)(UINT_PTR)(UINT)it.id, inst, nullptr);
    if (!c) {
      if (!(t.style & DS_NOFAILCREATE)) {
        DestroyWindow(dlg);
        return 0;
      }
      continue;
    }
    // Template order is tab order: each control goes below the ones before it.
    SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (font) SendMessageA(c, WM_SETFONT, (WPARAM)font, FALSE);
    if (!defId && Upper(it.className) == "BUTTON" && (it.style & kBsTypeMask) == kBsDefPush) defId = it.id;
  }
  if (defId) {
    std::lock_guard<std::mutex> g(g_mx);
    g_dialogs[dlg].defId = defId;
  }
  HWND first = FirstTabStop(dlg);
  LRESULT init = proc ? proc(dlg, WM_INITDIALOG, (WPARAM)first, param) : TRUE;
  if (!IsWindow(dlg)) return 0;
  if (init && first) {
    FocusControl(dlg, first);
  } else {
    HWND f = GetFocus();
    if (f && IsChild(dlg, f)) SetLastFocus(dlg, ControlOf(dlg, f));
  }
  if (t.style & WS_VISIBLE) {
    ShowWindow(dlg, SW_SHOWNORMAL);
    if (t.style & DS_SETFOREGROUND) SetForegroundWindow(dlg);
  }
  return dlg;
}

int MulDivRound(int v, int num, int den) {
  long long p = (long long)v * num;
  return (int)(p >= 0 ? (p + den / 2) / den : -((-p + den / 2) / den));
}

// ---------------------------------------------------------------- the modal loop

namespace {

void DisableForModal(HWND owner, bool task, std::vector<HWND> *disabled) {
  if (task) {
    DWORD me = GetCurrentThreadId();
    for (HWND top : ChildrenOf(0)) {
      if (ThreadOf(top) == me && IsWindowEnabled(top)) {
        EnableWindow(top, FALSE);
        disabled->push_back(top);
      }
    }
  } else if (owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    disabled->push_back(owner);
  }
}

}  // namespace

INT_PTR RunModal(HWND dlg, HWND owner, bool taskModal, const ModalHook &hook) {
  std::vector<HWND> disabled;
  DisableForModal(owner, taskModal, &disabled);
  ShowWindow(dlg, SW_SHOWNORMAL);
  SetForegroundWindow(dlg);
  {
    DlgInfo d = Info(dlg);
    if (d.lastFocus && IsWindow(d.lastFocus)) SetFocus(d.lastFocus);
  }

  // The scripted answer, if a script runs.
  bool scripted = false;
  test::DialogHandler handler;
  int timeoutMs = 0;
  {
    std::lock_guard<std::mutex> g(g_mx);
    if (g_script.on) {
      scripted = true;
      timeoutMs = g_script.timeoutMs;
      if (!g_script.handlers.empty()) {
        handler = std::move(g_script.handlers.front());
        g_script.handlers.pop_front();
      }
    }
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  bool waitingForTimeout = false;
  if (scripted) {
    test::ShownDialog shown = test::CaptureDialog(dlg);
    if (hook.describe) hook.describe(&shown);
    if (handler) {
      INT_PTR r = handler(shown);
      if (r && IsWindow(dlg)) EndDialog(dlg, r);
    } else if (hook.defaultAnswer) {
      EndDialog(dlg, hook.defaultAnswer());
    } else {
      waitingForTimeout = true;
    }
  }

  MSG msg;
  bool quit = false;
  int quitCode = 0;
  for (;;) {
    {
      std::lock_guard<std::mutex> g(g_mx);
      auto it = g_dialogs.find(dlg);
      if (it == g_dialogs.end() || it->second.ended) break;
    }
    if (!IsWindow(dlg)) break;
    if (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // The loop that called the dialog must see the quit too.
        quit = true;
        quitCode = (int)msg.wParam;
        std::lock_guard<std::mutex> g(g_mx);
        auto it = g_dialogs.find(dlg);
        if (it != g_dialogs.end()) {
          it->second.ended = true;
          it->second.result = 0;
        }
        break;
      }
      if (!IsDialogMessageA(dlg, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      continue;
    }
    if (waitingForTimeout && std::chrono::steady_clock::now() >= deadline) {
      std::string caption = TextOf(dlg);
      {
        std::lock_guard<std::mutex> g(g_mx);
        g_script.failures.push_back("dialog \"" + caption + "\" was not answered");
      }
      std::fprintf(stderr, "dialog \"%s\" was not answered; ended with IDCANCEL\n", caption.c_str());
      EndDialog(dlg, IDCANCEL);
      continue;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }

  INT_PTR result = 0;
  {
    std::lock_guard<std::mutex> g(g_mx);
    auto it = g_dialogs.find(dlg);
    if (it != g_dialogs.end()) result = it->second.result;
  }
  // The owner comes back before the dialog goes, so activation returns to it.
  for (HWND h : disabled)
    if (IsWindow(h)) EnableWindow(h, TRUE);
  if (IsWindow(dlg)) {
    SetWindowPos(dlg, 0, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (owner && IsWindow(owner) && GetActiveWindow() == dlg) SetActiveWindow(owner);
    DestroyWindow(dlg);
  }
  ForgetDialog(dlg);
  if (quit) PostQuitMessage(quitCode);
  return result;
}

INT_PTR DialogBoxCore(HINSTANCE inst, const res::DialogTemplate &t, HWND owner, DLGPROC proc, LPARAM param,
                      const ModalHook *hook) {
  if (owner) {
    HWND root = GetAncestor(owner, GA_ROOT);
    if (root) owner = root;
  }
  HWND dlg = CreateDialogCore(inst, t, owner, proc, param, true);
  if (!dlg) return -1;
  {
    // EndDialog in WM_INITDIALOG ends it before it is shown.
    DlgInfo d = Info(dlg);
    if (d.ended) {
      DestroyWindow(dlg);
      ForgetDialog(dlg);
      return d.result;
    }
  }
  return RunModal(dlg, owner, false, hook ? *hook : ModalHook{});
}

}  // namespace tavo::user

using namespace tavo::user;

// ---------------------------------------------------------------- the API

INT_PTR DialogBoxParamA(HINSTANCE inst, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  const tavo::res::DialogTemplate *t = tavo::res::FindDialog(name);
  if (!t) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return -1;
  }
  tavo::res::DialogTemplate copy = *t;
  return DialogBoxCore(inst, copy, owner, proc, param, nullptr);
}

HWND CreateDialogParamA(HINSTANCE inst, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  const tavo::res::DialogTemplate *t = tavo::res::FindDialog(name);
  if (!t) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  tavo::res::DialogTemplate copy = *t;
  return CreateDialogCore(inst, copy, owner, proc, param, false);
}

BOOL EndDialog(HWND dlg, INT_PTR result) {
  DWORD tid = 0;
  bool modal = false;
  {
    std::lock_guard<std::mutex> g(g_mx);
    auto it = g_dialogs.find(dlg);
    if (it == g_dialogs.end()) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    it->second.ended = true;
    it->second.result = result;
    tid = it->second.tid;
    modal = it->second.modal;
  }
  // The modal loop runs on the dialog's own thread; wake it wherever we are.
  if (modal) {
    WakeThread(tid);
    PostMessageA(dlg, WM_NULL, 0, 0);
  }
  return TRUE;
}

namespace {

bool ReturnsValueDirectly(UINT msg) {
  switch (msg) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
    case 0x0039 /* WM_COMPAREITEM */: case 0x002E /* WM_VKEYTOITEM */: case 0x002F /* WM_CHARTOITEM */:
    case 0x0037 /* WM_QUERYDRAGICON */: case WM_INITDIALOG:
      return true;
  }
  return false;
}

}  // namespace

LRESULT DefDlgProcA(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  DLGPROC proc = (DLGPROC)GetWindowLongPtrA(dlg, DWLP_DLGPROC);
  if (proc) {
    SetWindowLongPtrA(dlg, DWLP_MSGRESULT, 0);
    INT_PTR r = proc(dlg, msg, wp, lp);
    if (!IsWindow(dlg)) return r;
    if (r) return ReturnsValueDirectly(msg) ? r : GetWindowLongPtrA(dlg, DWLP_MSGRESULT);
  }
  switch (msg) {
    case WM_CLOSE: {
      HWND cancel = ItemById(dlg, IDCANCEL);
      if (!cancel || IsWindowEnabled(cancel)) PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), (LPARAM)cancel);
      return 0;
    }
    case DM_GETDEFID: {
      DlgInfo d = Info(dlg);
      return d.defId ? MAKELONG(d.defId, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID: {
      std::lock_guard<std::mutex> g(g_mx);
      auto it = g_dialogs.find(dlg);
      if (it != g_dialogs.end()) it->second.defId = (int)wp;
      return TRUE;
    }
    case WM_NEXTDLGCTL: {
      HWND target;
      if (LOWORD(lp)) {
        target = (HWND)wp;
      } else {
        HWND f = ControlOf(dlg, GetFocus());
        target = GetNextDlgTabItem(dlg, f, wp != 0);
      }
      if (target) FocusControl(dlg, target);
      return 0;
    }
    case WM_GETFONT:
      return (LRESULT)Info(dlg).font;
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND f = GetFocus();
        if (f && IsChild(dlg, f)) SetLastFocus(dlg, ControlOf(dlg, f));
        return 0;
      }
      [[fallthrough]];
    case WM_SETFOCUS: {
      DlgInfo d = Info(dlg);
      HWND f = d.lastFocus && IsWindow(d.lastFocus) ? d.lastFocus : FirstTabStop(dlg);
      if (f) SetFocus(f);
      else if (msg == WM_ACTIVATE) return DefWindowProcA(dlg, msg, wp, lp);
      return 0;
    }
    case WM_NCDESTROY: {
      {
        std::lock_guard<std::mutex> g(g_mx);
        auto it = g_dialogs.find(dlg);
        // A modal loop still reads its result; it removes the entry itself.
        if (it != g_dialogs.end()) {
          if (!it->second.modal) g_dialogs.erase(it);
          else it->second.ended = true;
        }
      }
      return DefWindowProcA(dlg, msg, wp, lp);
    }
  }
  return DefWindowProcA(dlg, msg, wp, lp);
}

HWND GetNextDlgTabItem(HWND dlg, HWND ctl, BOOL previous) {
  std::vector<HWND> all = Controls(dlg);
  if (all.empty()) return 0;
  int n = (int)all.size();
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (all[i] == ctl) start = i;
  if (start < 0) start = previous ? 0 : n - 1;
  for (int k = 1; k <= n; ++k) {
    int i = previous ? (start - k + n * 2) % n : (start + k) % n;
    HWND c = all[i];
    if ((GetWindowLongA(c, GWL_STYLE) & WS_TABSTOP) && Usable(c)) return c;
  }
  return ctl;
}

HWND GetNextDlgGroupItem(HWND dlg, HWND ctl, BOOL previous) {
  std::vector<HWND> all = Controls(dlg);
  int n = (int)all.size();
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (all[i] == ctl) at = i;
  if (at < 0) return n ? all[0] : 0;
  // The group runs from its WS_GROUP control to the control before the next one.
  int first = at;
  while (first > 0 && !(GetWindowLongA(all[first], GWL_STYLE) & WS_GROUP)) --first;
  int last = at;
  while (last + 1 < n && !(GetWindowLongA(all[last + 1], GWL_STYLE) & WS_GROUP)) ++last;
  int size = last - first + 1;
  for (int k = 1; k < size; ++k) {
    int i = first + (previous ? (at - first - k + size * 2) % size : (at - first + k) % size);
    if (Usable(all[i])) return all[i];
  }
  return ctl;
}

BOOL MapDialogRect(HWND dlg, LPRECT r) {
  if (!r) return FALSE;
  std::lock_guard<std::mutex> g(g_mx);
  auto it = g_dialogs.find(dlg);
  if (it == g_dialogs.end()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  int bx = it->second.baseX, by = it->second.baseY;
  r->left = MulDivRound(r->left, bx, 4);
  r->right = MulDivRound(r->right, bx, 4);
  r->top = MulDivRound(r->top, by, 8);
  r->bottom = MulDivRound(r->bottom, by, 8);
  return TRUE;
}

LONG GetDialogBaseUnits(void) { return MAKELONG(8, 16); }

UINT GetDlgItemTextA(HWND dlg, int id, LPSTR buf, int size) {
  if (!buf || size <= 0) return 0;
  buf[0] = 0;
  HWND c = ItemById(dlg, id);
  if (!c) return 0;
  int n = GetWindowTextA(c, buf, size);
  return n > 0 ? (UINT)n : 0;
}

BOOL SetDlgItemTextA(HWND dlg, int id, LPCSTR text) {
  HWND c = ItemById(dlg, id);
  if (!c) return FALSE;
  return SetWindowTextA(c, text ? text : "");
}

UINT GetDlgItemInt(HWND dlg, int id, BOOL *ok, BOOL isSigned) {
  if (ok) *ok = FALSE;
  char buf[64];
  if (!GetDlgItemTextA(dlg, id, buf, sizeof buf) && !ItemById(dlg, id)) return 0;
  const char *p = buf;
  while (*p == ' ') ++p;
  bool neg = false;
  if (isSigned && *p == '-') {
    neg = true;
    ++p;
  }
  if (!std::isdigit((unsigned char)*p)) return 0;
  unsigned long long v = 0;
  while (std::isdigit((unsigned char)*p)) {
    v = v * 10 + (unsigned)(*p - '0');
    if (v > (isSigned ? 0x80000000ull : 0xFFFFFFFFull)) return 0;  // out of range: not translated
    ++p;
  }
  while (*p == ' ') ++p;
  if (*p) return 0;
  if (isSigned && !neg && v > 0x7FFFFFFFull) return 0;
  if (ok) *ok = TRUE;
  return neg ? (UINT)(-(long long)v) : (UINT)v;
}

BOOL SetDlgItemInt(HWND dlg, int id, UINT value, BOOL isSigned) {
  char buf[32];
  if (isSigned) std::snprintf(buf, sizeof buf, "%d", (int)value);
  else std::snprintf(buf, sizeof buf, "%u", value);
  return SetDlgItemTextA(dlg, id, buf);
}

LRESULT SendDlgItemMessageA(HWND dlg, int id, UINT msg, WPARAM wp, LPARAM lp) {
  HWND c = ItemById(dlg, id);
  return c ? SendMessageA(c, msg, wp, lp) : 0;
}

BOOL IsDialogMessageA(HWND dlg, LPMSG msg) {
  if (!msg || !dlg || !IsWindow(dlg)) return FALSE;
  if (msg->hwnd != dlg && !IsChild(dlg, msg->hwnd)) return FALSE;
  HWND ctl = ControlOf(dlg, msg->hwnd);
  UINT code = msg->hwnd != dlg ? DlgCode(msg->hwnd, msg) : 0;
  if (msg->message == WM_KEYDOWN && !(code & DLGC_WANTALLKEYS)) {
    bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (msg->wParam) {
      case VK_TAB:
        if (code & DLGC_WANTTAB) break;
        if (GetKeyState(VK_CONTROL) < 0) break;
        FocusControl(dlg, GetNextDlgTabItem(dlg, ctl, shift));
        return TRUE;
      case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: {
        if (code & DLGC_WANTARROWS) break;
        HWND next = GetNextDlgGroupItem(dlg, ctl, msg->wParam == VK_LEFT || msg->wParam == VK_UP);
        if (next && next != ctl) {
          FocusControl(dlg, next);
          if (DlgCode(next, nullptr) & DLGC_RADIOBUTTON) SendMessageA(next, kBmClick, 0, 0);
        }
        return TRUE;
      }
      case VK_RETURN: {
        HWND target = 0;
        UINT fc = ctl ? DlgCode(ctl, nullptr) : 0;
        if (ctl && (fc & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && Usable(ctl)) {
          target = ctl;
        }
        int id;
        if (target) {
          id = GetWindowLongA(target, GWL_ID);
        } else {
          LRESULT def = SendMessageA(dlg, DM_GETDEFID, 0, 0);
          id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
          target = ItemById(dlg, id);
        }
        if (target && !IsWindowEnabled(target)) return TRUE;
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, 0), (LPARAM)target);
        return TRUE;
      }
      case VK_F1: {
        HELPINFO hi{};
        hi.cbSize = sizeof hi;
        hi.iContextType = 1;  // HELPINFO_WINDOW
        hi.iCtrlId = ctl ? GetWindowLongA(ctl, GWL_ID) : 0;
        hi.hItemHandle = ctl ? ctl : dlg;
        SendMessageA(dlg, WM_HELP, 0, (LPARAM)&hi);
        return TRUE;
      }
      case VK_ESCAPE: {
        HWND cancel = ItemById(dlg, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) return TRUE;
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), (LPARAM)cancel);
        return TRUE;
      }
    }
  }
  bool sys = msg->message == WM_SYSCHAR;
  if ((sys || (msg->message == WM_CHAR && !(code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)))) && msg->wParam > ' ') {
    char want = Fold((char)msg->wParam);
    std::vector<HWND> all = Controls(dlg);
    for (size_t i = 0; i < all.size(); ++i) {
      HWND c = all[i];
      if (!Usable(c)) continue;
      DWORD st = GetWindowLongA(c, GWL_STYLE);
      std::string cls = Upper(ClassOf(c));
      if (cls == "STATIC" && (st & kSsNoPrefix)) continue;
      if (Fold(MnemonicOf(TextOf(c))) != want || !MnemonicOf(TextOf(c))) continue;
      bool button = cls == "BUTTON" && (st & kBsTypeMask) != kBsGroupBox;
      if (button) {
        DWORD type = st & kBsTypeMask;
        if (type == kBsPush || type == kBsDefPush) {
          PressButton(dlg, c);
        } else {
          FocusControl(dlg, c);
          if (type == kBsCheckBox || type == kBsAutoCheckBox || type == kBs3State || type == kBsAuto3State ||
              type == kBsRadio || type == kBsAutoRadio)
            SendMessageA(c, kBmClick, 0, 0);
        }
      } else {
        // A label gives the focus to the next control that takes it.
        for (size_t j = i + 1; j < all.size(); ++j) {
          if ((GetWindowLongA(all[j], GWL_STYLE) & WS_TABSTOP) && Usable(all[j])) {
            FocusControl(dlg, all[j]);
            break;
          }
        }
      }
      return TRUE;
    }
    if (sys) {
      MessageBeep(0);
      return TRUE;
    }
  }
  TranslateMessage(msg);
  DispatchMessageA(msg);
  return TRUE;
}

int LoadStringA(HINSTANCE, UINT id, LPSTR buf, int size) {
  if (!buf || size <= 0) return 0;
  std::lock_guard<std::mutex> g(g_mx);
  auto it = g_strings.find(id);
  if (it == g_strings.end()) {
    buf[0] = 0;
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  size_t n = std::min(it->second.size(), (size_t)size - 1);
  std::memcpy(buf, it->second.data(), n);
  buf[n] = 0;
  return (int)n;
}

// ---------------------------------------------------------------- test hooks

namespace tavo::test {

const DialogControl *ShownDialog::Control(int id) const {
  for (auto &c : controls)
    if (c.id == id) return &c;
  return nullptr;
}

const DialogControl *ShownDialog::ControlByText(const std::string &t) const {
  for (auto &c : controls)
    if (c.text == t) return &c;
  return nullptr;
}

ShownDialog CaptureDialog(HWND dlg) {
  ShownDialog s;
  s.hwnd = dlg;
  s.caption = TextOf(dlg);
  for (HWND c : Controls(dlg)) {
    DialogControl dc;
    dc.hwnd = c;
    dc.className = ClassOf(c);
    dc.id = GetWindowLongA(c, GWL_ID);
    dc.text = TextOf(c);
    dc.style = (DWORD)GetWindowLongA(c, GWL_STYLE);
    if (Upper(dc.className) == "BUTTON") dc.checked = (int)SendMessageA(c, kBmGetCheck, 0, 0);
    s.controls.push_back(dc);
  }
  return s;
}

void StartDialogScript(int timeoutMs) {
  std::lock_guard<std::mutex> g(g_mx);
  g_script = Script{};
  g_script.on = true;
  g_script.timeoutMs = timeoutMs;
}

void AnswerNextDialog(DialogHandler handler) {
  std::lock_guard<std::mutex> g(g_mx);
  g_script.handlers.push_back(std::move(handler));
}

std::vector<MessageBoxRecord> MessageBoxesShown() {
  std::lock_guard<std::mutex> g(g_mx);
  return g_script.boxes;
}

std::vector<std::string> DialogFailures() {
  std::lock_guard<std::mutex> g(g_mx);
  auto f = g_script.failures;
  if (!g_script.handlers.empty())
    f.push_back(std::to_string(g_script.handlers.size()) + " scripted answer(s) were never used");
  return f;
}

void StopDialogScript() {
  std::lock_guard<std::mutex> g(g_mx);
  g_script = Script{};
}

}  // namespace tavo::test

namespace tavo::user {

void RecordMessageBox(const std::string &caption, const std::string &text, UINT type, int result) {
  std::lock_guard<std::mutex> g(g_mx);
  if (g_script.on) g_script.boxes.push_back({caption, text, type, result});
}

void ForgetDialog(HWND dlg) {
  std::lock_guard<std::mutex> g(g_mx);
  g_dialogs.erase(dlg);
}

}  // namespace tavo::user
