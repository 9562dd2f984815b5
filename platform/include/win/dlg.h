#pragma once
// Dialogs, message boxes and string tables under the Windows names, and the
// tavo::res calls through which a program registers its dialog templates and
// string tables.

#include <string>
#include <vector>

#include "win/types.h"
#include "win/user.h"

#ifndef ERROR_RESOURCE_NAME_NOT_FOUND
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L
#endif


// ---- dialog styles ----
#define DS_ABSALIGN 0x0001L
#define DS_SYSMODAL 0x0002L
#define DS_LOCALEDIT 0x0020L
#define DS_SETFONT 0x0040L
#define DS_MODALFRAME 0x0080L
#define DS_NOIDLEMSG 0x0100L
#define DS_SETFOREGROUND 0x0200L
#define DS_3DLOOK 0x0004L
#define DS_FIXEDSYS 0x0008L
#define DS_NOFAILCREATE 0x0010L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

// ---- dialog messages and codes ----
#define WM_NEXTDLGCTL 0x0028
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DM_REPOSITION (WM_USER + 2)
#define DC_HASDEFID 0x534B
#define DWL_MSGRESULT 0
#define DWL_DLGPROC 4
#define DWL_USER 8
#ifndef DLGC_WANTARROWS
#define DLGC_WANTARROWS 0x0001
#define DLGC_WANTTAB 0x0002
#define DLGC_WANTALLKEYS 0x0004
#define DLGC_WANTMESSAGE 0x0004
#define DLGC_HASSETSEL 0x0008
#define DLGC_DEFPUSHBUTTON 0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_RADIOBUTTON 0x0040
#define DLGC_WANTCHARS 0x0080
#define DLGC_STATIC 0x0100
#define DLGC_BUTTON 0x2000
#endif
#define WC_DIALOG MAKEINTRESOURCE(0x8002)

// ---- dialog results ----
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9
#define IDTRYAGAIN 10
#define IDCONTINUE 11

// ---- message box types (MB_OK and the icon values are in win/user_const.h) ----
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_CANCELTRYCONTINUE 0x00000006L
#define MB_TYPEMASK 0x0000000FL
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONMASK 0x000000F0L
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L
#define MB_DEFBUTTON4 0x00000300L
#define MB_DEFMASK 0x00000F00L
#define MB_APPLMODAL 0x00000000L
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L
#define MB_HELP 0x00004000L
#define MB_NOFOCUS 0x00008000L
#define MB_SETFOREGROUND 0x00010000L
#define MB_DEFAULT_DESKTOP_ONLY 0x00020000L
#define MB_TOPMOST 0x00040000L
#define MB_RIGHT 0x00080000L
#define MB_RTLREADING 0x00100000L
#define MB_SERVICE_NOTIFICATION 0x00200000L

// ---- dialogs ----
INT_PTR DialogBoxParamA(HINSTANCE inst, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param);
#define DialogBoxParam DialogBoxParamA
#define DialogBoxA(i, n, o, p) DialogBoxParamA(i, n, o, p, 0)
#define DialogBox DialogBoxA
HWND CreateDialogParamA(HINSTANCE inst, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param);
#define CreateDialogParam CreateDialogParamA
#define CreateDialogA(i, n, o, p) CreateDialogParamA(i, n, o, p, 0)
#define CreateDialog CreateDialogA
BOOL EndDialog(HWND dlg, INT_PTR result);
LRESULT DefDlgProcA(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
#define DefDlgProc DefDlgProcA
BOOL IsDialogMessageA(HWND dlg, LPMSG msg);
#define IsDialogMessage IsDialogMessageA
HWND GetNextDlgTabItem(HWND dlg, HWND ctl, BOOL previous);
HWND GetNextDlgGroupItem(HWND dlg, HWND ctl, BOOL previous);
BOOL MapDialogRect(HWND dlg, LPRECT rect);
LONG GetDialogBaseUnits(void);
UINT GetDlgItemTextA(HWND dlg, int id, LPSTR buf, int size);
#define GetDlgItemText GetDlgItemTextA
BOOL SetDlgItemTextA(HWND dlg, int id, LPCSTR text);
#define SetDlgItemText SetDlgItemTextA
UINT GetDlgItemInt(HWND dlg, int id, BOOL *translated, BOOL isSigned);
BOOL SetDlgItemInt(HWND dlg, int id, UINT value, BOOL isSigned);
LRESULT SendDlgItemMessageA(HWND dlg, int id, UINT msg, WPARAM wParam, LPARAM lParam);
#define SendDlgItemMessage SendDlgItemMessageA
// GetDlgItem, GetDlgCtrlID, CheckDlgButton, IsDlgButtonChecked and
// CheckRadioButton are declared with the controls (win/controls.h).
HWND GetDlgItem(HWND dlg, int id);
int GetDlgCtrlID(HWND hwnd);

// ---- message boxes ----
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
#define MessageBox MessageBoxA
int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD language);
#define MessageBoxEx MessageBoxExA

// ---- string tables ----
int LoadStringA(HINSTANCE inst, UINT id, LPSTR buf, int size);
#define LoadString LoadStringA

namespace tavo::res {

struct DialogItem {
  std::string className;  // "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX", "msctls_progress32" ...
  int id = 0;
  std::string text;
  DWORD style = 0;  // WS_CHILD is added
  DWORD exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
};

struct DialogTemplate {
  int id = 0;        // by number, or
  std::string name;  // by name
  std::string caption;
  DWORD style = 0;
  DWORD exStyle = 0;
  std::string fontFace;  // with DS_SETFONT
  int pointSize = 8;
  std::string className;  // empty: the dialog class
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  std::vector<DialogItem> items;
};

// A program's templates and strings; a later one with the same id or name
// replaces an earlier one.
void RegisterDialog(const DialogTemplate &tmpl);
const DialogTemplate *FindDialog(LPCSTR name);  // name or MAKEINTRESOURCE id
void RegisterString(UINT id, const std::string &text);
void RegisterStrings(const std::vector<std::pair<UINT, std::string>> &table);

// A dialog built from a template held by the caller.
INT_PTR DialogBoxTemplate(HINSTANCE inst, const DialogTemplate &tmpl, HWND owner, DLGPROC proc, LPARAM param);
HWND CreateDialogTemplate(HINSTANCE inst, const DialogTemplate &tmpl, HWND owner, DLGPROC proc, LPARAM param);

// The dialog font and its base units. By default the drawing layer maps the
// face and measures it; without the drawing layer a dialog uses the 8-point
// MS Sans Serif cell of 6 by 13 pixels (scaled by point size) and no font.
// A provider set here replaces the default.
typedef bool (*DialogFontProvider)(const char *face, int pointSize, HFONT *font, int *baseX, int *baseY);
void SetDialogFontProvider(DialogFontProvider provider);

}  // namespace tavo::res
