#pragma once
// The property sheet (common controls) under the Windows names. A page's
// template is a registered dialog template by name or id; with
// PSP_DLGINDIRECT, pResource points to a tavo::res::DialogTemplate.

#include "win/dlg.h"
#include "win/types.h"
#include "win/user.h"

struct _PROPSHEETPAGEA;
typedef UINT(CALLBACK *LPFNPSPCALLBACKA)(HWND, UINT, struct _PROPSHEETPAGEA *);
typedef int(CALLBACK *PFNPROPSHEETCALLBACK)(HWND, UINT, LPARAM);

typedef struct _PROPSHEETPAGEA {
  DWORD dwSize;
  DWORD dwFlags;
  HINSTANCE hInstance;
  union {
    LPCSTR pszTemplate;
    const void *pResource;
  };
  union {
    HICON hIcon;
    LPCSTR pszIcon;
  };
  LPCSTR pszTitle;
  DLGPROC pfnDlgProc;
  LPARAM lParam;
  LPFNPSPCALLBACKA pfnCallback;
  UINT *pcRefParent;
} PROPSHEETPAGEA, PROPSHEETPAGE, *LPPROPSHEETPAGEA, *LPPROPSHEETPAGE;
typedef const PROPSHEETPAGEA *LPCPROPSHEETPAGEA, *LPCPROPSHEETPAGE;

typedef struct _PROPSHEETHEADERA {
  DWORD dwSize;
  DWORD dwFlags;
  HWND hwndParent;
  HINSTANCE hInstance;
  union {
    HICON hIcon;
    LPCSTR pszIcon;
  };
  LPCSTR pszCaption;
  UINT nPages;
  union {
    UINT nStartPage;
    LPCSTR pStartPage;
  };
  union {
    LPCPROPSHEETPAGEA ppsp;
    HPROPSHEETPAGE *phpage;
  };
  PFNPROPSHEETCALLBACK pfnCallback;
} PROPSHEETHEADERA, PROPSHEETHEADER, *LPPROPSHEETHEADERA, *LPPROPSHEETHEADER;
typedef const PROPSHEETHEADERA *LPCPROPSHEETHEADERA, *LPCPROPSHEETHEADER;

typedef struct _PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam;
} PSHNOTIFY, *LPPSHNOTIFY;

#define PSP_DEFAULT 0x00000000
#define PSP_DLGINDIRECT 0x00000001
#define PSP_USEHICON 0x00000002
#define PSP_USEICONID 0x00000004
#define PSP_USETITLE 0x00000008
#define PSP_RTLREADING 0x00000010
#define PSP_HASHELP 0x00000020
#define PSP_USEREFPARENT 0x00000040
#define PSP_USECALLBACK 0x00000080
#define PSP_PREMATURE 0x00000400

#define PSH_DEFAULT 0x00000000
#define PSH_PROPTITLE 0x00000001
#define PSH_USEHICON 0x00000002
#define PSH_USEICONID 0x00000004
#define PSH_PROPSHEETPAGE 0x00000008
#define PSH_WIZARDHASFINISH 0x00000010
#define PSH_WIZARD 0x00000020
#define PSH_USEPSTARTPAGE 0x00000040
#define PSH_NOAPPLYNOW 0x00000080
#define PSH_USECALLBACK 0x00000100
#define PSH_HASHELP 0x00000200
#define PSH_MODELESS 0x00000400
#define PSH_RTLREADING 0x00000800

#define PSCB_INITIALIZED 1
#define PSCB_PRECREATE 2

#define PSN_FIRST (0U - 200U)
#define PSN_SETACTIVE (PSN_FIRST - 0)
#define PSN_KILLACTIVE (PSN_FIRST - 1)
#define PSN_APPLY (PSN_FIRST - 2)
#define PSN_RESET (PSN_FIRST - 3)
#define PSN_HELP (PSN_FIRST - 5)
#define PSN_WIZBACK (PSN_FIRST - 6)
#define PSN_WIZNEXT (PSN_FIRST - 7)
#define PSN_WIZFINISH (PSN_FIRST - 8)
#define PSN_QUERYCANCEL (PSN_FIRST - 9)
#define PSNRET_NOERROR 0
#define PSNRET_INVALID 1
#define PSNRET_INVALID_NOCHANGEPAGE 2

#define PSM_SETCURSEL (WM_USER + 101)
#define PSM_REMOVEPAGE (WM_USER + 102)
#define PSM_ADDPAGE (WM_USER + 103)
#define PSM_CHANGED (WM_USER + 104)
#define PSM_CANCELTOCLOSE (WM_USER + 107)
#define PSM_QUERYSIBLINGS (WM_USER + 108)
#define PSM_UNCHANGED (WM_USER + 109)
#define PSM_APPLY (WM_USER + 110)
#define PSM_SETTITLEA (WM_USER + 111)
#define PSM_SETTITLE PSM_SETTITLEA
#define PSM_PRESSBUTTON (WM_USER + 113)
#define PSM_SETCURSELID (WM_USER + 114)
#define PSM_GETTABCONTROL (WM_USER + 116)
#define PSM_ISDIALOGMESSAGE (WM_USER + 117)
#define PSM_GETCURRENTPAGEHWND (WM_USER + 118)

#define PSBTN_BACK 0
#define PSBTN_NEXT 1
#define PSBTN_FINISH 2
#define PSBTN_OK 3
#define PSBTN_APPLYNOW 4
#define PSBTN_CANCEL 5
#define PSBTN_HELP 6

#define PropSheet_SetCurSel(d, hpage, index) SendMessageA(d, PSM_SETCURSEL, (WPARAM)(index), (LPARAM)(hpage))
#define PropSheet_Changed(d, page) SendMessageA(d, PSM_CHANGED, (WPARAM)(page), 0)
#define PropSheet_UnChanged(d, page) SendMessageA(d, PSM_UNCHANGED, (WPARAM)(page), 0)
#define PropSheet_GetCurrentPageHwnd(d) ((HWND)SendMessageA(d, PSM_GETCURRENTPAGEHWND, 0, 0))
#define PropSheet_PressButton(d, b) PostMessageA(d, PSM_PRESSBUTTON, (WPARAM)(b), 0)

HPROPSHEETPAGE CreatePropertySheetPageA(LPCPROPSHEETPAGEA page);
#define CreatePropertySheetPage CreatePropertySheetPageA
BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page);
INT_PTR PropertySheetA(LPCPROPSHEETHEADERA header);
#define PropertySheet PropertySheetA
