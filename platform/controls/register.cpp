// Registration of the control classes, and the dialog-item helpers that
// work on buttons.

#include <mutex>

#include "ctlint.h"
#include "userint.h"

namespace tavo::controls {

namespace {

void Register(const char *name, WNDPROC proc, UINT style, int background) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = style | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = (int)sizeof(void *);
  wc.hbrBackground = background >= 0 ? (HBRUSH)(UINT_PTR)(background + 1) : 0;
  wc.lpszClassName = name;
  tavo::user::RegisterSystemClass(&wc);  // a second call finds the class there already
}

}  // namespace

void RegisterControlClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    Register(WC_BUTTON, ButtonProc, CS_DBLCLKS | CS_PARENTDC, -1);
    Register(WC_EDIT, EditProc, CS_DBLCLKS | CS_PARENTDC, -1);
    Register(WC_STATIC, StaticProc, CS_PARENTDC, -1);
    Register(WC_LISTBOX, ListBoxProc, CS_DBLCLKS | CS_PARENTDC, -1);
    Register(WC_COMBOBOX, ComboProc, CS_DBLCLKS | CS_PARENTDC, -1);
    Register(TAVO_COMBOLBOX, ComboListProc, CS_DBLCLKS | CS_SAVEBITS, -1);
    Register(WC_SCROLLBAR, ScrollBarProc, CS_DBLCLKS | CS_PARENTDC, -1);
    Register(PROGRESS_CLASS, ProgressProc, 0, -1);
    Register(TRACKBAR_CLASS, TrackbarProc, 0, -1);
    Register(TOOLBARCLASSNAME, ToolbarProc, CS_DBLCLKS, -1);
    Register(TOOLTIPS_CLASS, TooltipProc, CS_SAVEBITS, -1);
  });
}

}  // namespace tavo::controls

// Programs create "BUTTON" or "EDIT" without ever calling
// InitCommonControls, as on Windows; the classes are there from the start.
extern "C" {
int tavo_controls_anchor = 0;
}
namespace {
struct AutoRegister {
  AutoRegister() { tavo::controls::RegisterControlClasses(); }
} g_autoRegister;
}  // namespace

void InitCommonControls(void) { tavo::controls::RegisterControlClasses(); }

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX *icc) {
  if (!icc || icc->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  tavo::controls::RegisterControlClasses();
  return TRUE;
}

int GetDlgCtrlID(HWND hwnd) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return (int)GetWindowLongA(hwnd, GWL_ID);
}

HWND GetDlgItem(HWND dialog, int id) {
  if (!IsWindow(dialog)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (GetWindowLongA(c, GWL_ID) == (LONG)id) return c;
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND b = GetDlgItem(dialog, id);
  if (!b) return FALSE;
  SendMessageA(b, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  HWND b = GetDlgItem(dialog, id);
  return b ? (UINT)SendMessageA(b, BM_GETCHECK, 0, 0) : 0;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
  if (!IsWindow(dialog)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  // Over the children rather than the id range, so a wide range costs nothing.
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    int id = (int)GetWindowLongA(c, GWL_ID);
    if (id >= firstId && id <= lastId) SendMessageA(c, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}
