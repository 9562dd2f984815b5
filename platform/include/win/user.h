#pragma once
// Windows, messages, input, timers, focus, clipboard and system metrics under
// the Windows names. Constants are in win/user_const.h; global memory, which
// the clipboard hands around, in win/kmem.h.

#include "win/types.h"
#include "win/kmem.h"
#include "win/kerror.h"
#include "win/kthread.h"
#include "win/user_const.h"

typedef LRESULT(CALLBACK *WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void(CALLBACK *TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);
typedef BOOL(CALLBACK *WNDENUMPROC)(HWND, LPARAM);
typedef INT_PTR(CALLBACK *DLGPROC)(HWND, UINT, WPARAM, LPARAM);
typedef HANDLE HDWP;

typedef struct tagWNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
} WNDCLASSA, WNDCLASS, *LPWNDCLASSA, *LPWNDCLASS;

typedef struct tagWNDCLASSEXA {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
  HICON hIconSm;
} WNDCLASSEXA, WNDCLASSEX, *LPWNDCLASSEXA, *LPWNDCLASSEX;

typedef struct tagCREATESTRUCTA {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
} CREATESTRUCTA, CREATESTRUCT, *LPCREATESTRUCTA, *LPCREATESTRUCT;

typedef struct tagMSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
} MSG, *PMSG, *LPMSG;

typedef struct tagWINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x;
  int y;
  int cx;
  int cy;
  UINT flags;
} WINDOWPOS, *LPWINDOWPOS, *PWINDOWPOS;

typedef struct tagNCCALCSIZE_PARAMS {
  RECT rgrc[3];
  PWINDOWPOS lppos;
} NCCALCSIZE_PARAMS, *LPNCCALCSIZE_PARAMS;

typedef struct tagMINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
} MINMAXINFO, *PMINMAXINFO, *LPMINMAXINFO;

typedef struct tagTRACKMOUSEEVENT {
  DWORD cbSize;
  DWORD dwFlags;
  HWND hwndTrack;
  DWORD dwHoverTime;
} TRACKMOUSEEVENT, *LPTRACKMOUSEEVENT;

typedef struct tagWINDOWPLACEMENT {
  UINT length;
  UINT flags;
  UINT showCmd;
  POINT ptMinPosition;
  POINT ptMaxPosition;
  RECT rcNormalPosition;
} WINDOWPLACEMENT, *LPWINDOWPLACEMENT;

typedef struct tagPAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
} PAINTSTRUCT, *LPPAINTSTRUCT;

typedef struct tagHELPINFO {
  UINT cbSize;
  int iContextType;
  int iCtrlId;
  HANDLE hItemHandle;
  DWORD_PTR dwContextId;
  POINT MousePos;
} HELPINFO, *LPHELPINFO;

typedef struct tagSTYLESTRUCT {
  DWORD styleOld;
  DWORD styleNew;
} STYLESTRUCT, *LPSTYLESTRUCT;

typedef struct tagNMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
} NMHDR, *LPNMHDR;

// ---- classes ----
ATOM RegisterClassA(const WNDCLASSA *wc);
ATOM RegisterClassExA(const WNDCLASSEXA *wc);
BOOL UnregisterClassA(LPCSTR name, HINSTANCE inst);
BOOL GetClassInfoA(HINSTANCE inst, LPCSTR name, LPWNDCLASSA wc);
BOOL GetClassInfoExA(HINSTANCE inst, LPCSTR name, LPWNDCLASSEXA wc);
DWORD GetClassLongA(HWND hwnd, int index);
DWORD SetClassLongA(HWND hwnd, int index, LONG value);
ULONG_PTR GetClassLongPtrA(HWND hwnd, int index);
ULONG_PTR SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value);
int GetClassNameA(HWND hwnd, LPSTR buf, int size);
#define RegisterClass RegisterClassA
#define RegisterClassEx RegisterClassExA
#define UnregisterClass UnregisterClassA
#define GetClassInfo GetClassInfoA
#define GetClassInfoEx GetClassInfoExA
#define GetClassLong GetClassLongA
#define SetClassLong SetClassLongA
#define GetClassLongPtr GetClassLongPtrA
#define SetClassLongPtr SetClassLongPtrA
#define GetClassName GetClassNameA

// ---- windows ----
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE inst, LPVOID param);
#define CreateWindowEx CreateWindowExA
#define CreateWindowA(c, n, s, x, y, w, h, p, m, i, lp) CreateWindowExA(0, c, n, s, x, y, w, h, p, m, i, lp)
#define CreateWindow CreateWindowA
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND newParent);
HWND GetWindow(HWND hwnd, UINT cmd);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetTopWindow(HWND hwnd);
HWND GetDesktopWindow(void);
HWND GetNextWindow(HWND hwnd, UINT cmd);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);
BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam);
HWND FindWindowA(LPCSTR className, LPCSTR windowName);
#define FindWindow FindWindowA
LONG GetWindowLongA(HWND hwnd, int index);
LONG SetWindowLongA(HWND hwnd, int index, LONG value);
LONG_PTR GetWindowLongPtrA(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);
#define GetWindowLong GetWindowLongA
#define SetWindowLong SetWindowLongA
#define GetWindowLongPtr GetWindowLongPtrA
#define SetWindowLongPtr SetWindowLongPtrA
WORD GetWindowWord(HWND hwnd, int index);
LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
#define CallWindowProc CallWindowProcA
BOOL SetPropA(HWND hwnd, LPCSTR name, HANDLE data);
HANDLE GetPropA(HWND hwnd, LPCSTR name);
HANDLE RemovePropA(HWND hwnd, LPCSTR name);
#define SetProp SetPropA
#define GetProp GetPropA
#define RemoveProp RemovePropA
BOOL ShowWindow(HWND hwnd, int cmd);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
HDWP BeginDeferWindowPos(int count);
HDWP DeferWindowPos(HDWP info, HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL EndDeferWindowPos(HDWP info);
BOOL BringWindowToTop(HWND hwnd);
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT *wp);
BOOL GetWindowRect(HWND hwnd, LPRECT rect);
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL ClientToScreen(HWND hwnd, LPPOINT pt);
BOOL ScreenToClient(HWND hwnd, LPPOINT pt);
int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count);
HWND WindowFromPoint(POINT pt);
HWND ChildWindowFromPoint(HWND parent, POINT pt);
HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags);
BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
int GetWindowTextA(HWND hwnd, LPSTR buf, int size);
int GetWindowTextLengthA(HWND hwnd);
#define SetWindowText SetWindowTextA
#define GetWindowText GetWindowTextA
#define GetWindowTextLength GetWindowTextLengthA
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId);
HMENU GetMenu(HWND hwnd);
BOOL FlashWindow(HWND hwnd, BOOL invert);

// ---- messages ----
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
#define SendMessage SendMessageA
LRESULT SendMessageTimeoutA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeout,
                            DWORD_PTR *result);
#define SendMessageTimeout SendMessageTimeoutA
BOOL SendNotifyMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
#define SendNotifyMessage SendNotifyMessageA
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
#define PostMessage PostMessageA
BOOL PostThreadMessageA(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
#define PostThreadMessage PostThreadMessageA
void PostQuitMessage(int exitCode);
BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax);
#define GetMessage GetMessageA
BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove);
#define PeekMessage PeekMessageA
BOOL WaitMessage(void);
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE *handles, BOOL waitAll, DWORD ms, DWORD wakeMask);
BOOL TranslateMessage(const MSG *msg);
LRESULT DispatchMessageA(const MSG *msg);
#define DispatchMessage DispatchMessageA
LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
#define DefWindowProc DefWindowProcA
BOOL InSendMessage(void);
BOOL ReplyMessage(LRESULT result);
DWORD GetMessagePos(void);
LONG GetMessageTime(void);
DWORD GetQueueStatus(UINT flags);
UINT RegisterWindowMessageA(LPCSTR name);
#define RegisterWindowMessage RegisterWindowMessageA

// ---- painting (the update region; drawing is in win/gdi.h) ----
BOOL InvalidateRect(HWND hwnd, const RECT *rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT *rect);
BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT *rect, HRGN region, UINT flags);

// ---- timers ----
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// ---- focus, activation, capture, cursor ----
HWND SetFocus(HWND hwnd);
HWND GetFocus(void);
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow(void);
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow(void);
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture(void);
HWND GetCapture(void);
BOOL ClipCursor(const RECT *rect);
BOOL GetClipCursor(LPRECT rect);
BOOL GetCursorPos(LPPOINT pt);
BOOL SetCursorPos(int x, int y);
int ShowCursor(BOOL show);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor(void);
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT tme);
BOOL _TrackMouseEvent(LPTRACKMOUSEEVENT tme);
UINT GetDoubleClickTime(void);

// ---- keyboard ----
SHORT GetKeyState(int vk);
SHORT GetAsyncKeyState(int vk);
BOOL GetKeyboardState(PBYTE state);
BOOL SetKeyboardState(PBYTE state);
int GetKeyNameTextA(LONG lParam, LPSTR buf, int size);
#define GetKeyNameText GetKeyNameTextA
UINT MapVirtualKeyA(UINT code, UINT mapType);
#define MapVirtualKey MapVirtualKeyA
SHORT VkKeyScanA(CHAR ch);
#define VkKeyScan VkKeyScanA

// ---- system metrics, colours, parameters ----
int GetSystemMetrics(int index);
DWORD GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);
BOOL SystemParametersInfoA(UINT action, UINT uiParam, LPVOID pvParam, UINT winIni);
#define SystemParametersInfo SystemParametersInfoA

// ---- clipboard ----
// Fails (ERROR_ACCESS_DENIED) while another window, or another thread, has
// the clipboard open; the window that has it open may open it again.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard(void);
BOOL EmptyClipboard(void);
HANDLE SetClipboardData(UINT format, HANDLE data);
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
HWND GetClipboardOwner(void);

// ---- sound ----
BOOL MessageBeep(UINT type);
BOOL Beep(DWORD freq, DWORD duration);

// Dialogs, message boxes, string tables and menus.
#include "win/dlg.h"
#include "win/menu.h"
#include "win/prsht.h"
#include "win/shellapi.h"
