#pragma once
// Menus under the Windows names: menu bars, pop-ups, the system menu, menu
// help for a status window, and the tavo::res call through which a program
// registers its menu templates.

#include <string>
#include <vector>

#include "win/types.h"
#include "win/user.h"

#ifndef ERROR_INVALID_MENU_HANDLE
#define ERROR_INVALID_MENU_HANDLE 1401L
#endif
#ifndef ERROR_CHILD_WINDOW_MENU
#define ERROR_CHILD_WINDOW_MENU 1436L
#endif

#define MF_INSERT 0x00000000L
#define MF_CHANGE 0x00000080L
#define MF_APPEND 0x00000100L
#define MF_DELETE 0x00000200L
#define MF_REMOVE 0x00001000L
#define MF_BYCOMMAND 0x00000000L
#define MF_BYPOSITION 0x00000400L
#define MF_SEPARATOR 0x00000800L
#define MF_ENABLED 0x00000000L
#define MF_GRAYED 0x00000001L
#define MF_DISABLED 0x00000002L
#define MF_UNCHECKED 0x00000000L
#define MF_CHECKED 0x00000008L
#define MF_USECHECKBITMAPS 0x00000200L
#define MF_STRING 0x00000000L
#define MF_BITMAP 0x00000004L
#define MF_OWNERDRAW 0x00000100L
#define MF_POPUP 0x00000010L
#define MF_MENUBARBREAK 0x00000020L
#define MF_MENUBREAK 0x00000040L
#define MF_UNHILITE 0x00000000L
#define MF_HILITE 0x00000080L
#define MF_DEFAULT 0x00001000L
#define MF_SYSMENU 0x00002000L
#define MF_HELP 0x00004000L
#define MF_RIGHTJUSTIFY 0x00004000L
#define MF_MOUSESELECT 0x00008000L
#define MF_END 0x00000080L

#define MFT_STRING MF_STRING
#define MFT_BITMAP MF_BITMAP
#define MFT_MENUBARBREAK MF_MENUBARBREAK
#define MFT_MENUBREAK MF_MENUBREAK
#define MFT_OWNERDRAW MF_OWNERDRAW
#define MFT_RADIOCHECK 0x00000200L
#define MFT_SEPARATOR MF_SEPARATOR
#define MFT_RIGHTORDER 0x00002000L
#define MFT_RIGHTJUSTIFY MF_RIGHTJUSTIFY
#define MFS_GRAYED 0x00000003L
#define MFS_DISABLED MFS_GRAYED
#define MFS_CHECKED MF_CHECKED
#define MFS_HILITE MF_HILITE
#define MFS_ENABLED MF_ENABLED
#define MFS_UNCHECKED MF_UNCHECKED
#define MFS_UNHILITE MF_UNHILITE
#define MFS_DEFAULT MF_DEFAULT

#define MIIM_STATE 0x00000001
#define MIIM_ID 0x00000002
#define MIIM_SUBMENU 0x00000004
#define MIIM_CHECKMARKS 0x00000008
#define MIIM_TYPE 0x00000010
#define MIIM_DATA 0x00000020
#define MIIM_STRING 0x00000040
#define MIIM_BITMAP 0x00000080
#define MIIM_FTYPE 0x00000100

#define TPM_LEFTBUTTON 0x0000L
#define TPM_RIGHTBUTTON 0x0002L
#define TPM_LEFTALIGN 0x0000L
#define TPM_CENTERALIGN 0x0004L
#define TPM_RIGHTALIGN 0x0008L
#define TPM_TOPALIGN 0x0000L
#define TPM_VCENTERALIGN 0x0010L
#define TPM_BOTTOMALIGN 0x0020L
#define TPM_HORIZONTAL 0x0000L
#define TPM_VERTICAL 0x0040L
#define TPM_NONOTIFY 0x0080L
#define TPM_RETURNCMD 0x0100L

#ifndef WM_ENTERMENULOOP
#define WM_ENTERMENULOOP 0x0211
#define WM_EXITMENULOOP 0x0212
#endif
#ifndef WM_MENUCHAR
#define WM_MENUCHAR 0x0120
#endif
#ifndef WM_UNINITMENUPOPUP
#define WM_UNINITMENUPOPUP 0x0125
#endif
#ifndef SC_MOUSEMENU
#define SC_MOUSEMENU 0xF090
#endif

typedef struct tagMENUITEMINFOA {
  UINT cbSize;
  UINT fMask;
  UINT fType;
  UINT fState;
  UINT wID;
  HMENU hSubMenu;
  HBITMAP hbmpChecked;
  HBITMAP hbmpUnchecked;
  ULONG_PTR dwItemData;
  LPSTR dwTypeData;
  UINT cch;
  HBITMAP hbmpItem;
} MENUITEMINFOA, MENUITEMINFO, *LPMENUITEMINFOA, *LPMENUITEMINFO;
typedef const MENUITEMINFOA *LPCMENUITEMINFOA, *LPCMENUITEMINFO;

typedef struct tagTPMPARAMS {
  UINT cbSize;
  RECT rcExclude;
} TPMPARAMS, *LPTPMPARAMS;

HMENU CreateMenu(void);
HMENU CreatePopupMenu(void);
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
HMENU LoadMenuA(HINSTANCE inst, LPCSTR name);
#define LoadMenu LoadMenuA
BOOL SetMenu(HWND hwnd, HMENU menu);
BOOL DrawMenuBar(HWND hwnd);
HMENU GetSubMenu(HMENU menu, int pos);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int pos);
int GetMenuStringA(HMENU menu, UINT item, LPSTR buf, int size, UINT flags);
#define GetMenuString GetMenuStringA
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text);
#define AppendMenu AppendMenuA
BOOL InsertMenuA(HMENU menu, UINT pos, UINT flags, UINT_PTR id, LPCSTR text);
#define InsertMenu InsertMenuA
BOOL ModifyMenuA(HMENU menu, UINT pos, UINT flags, UINT_PTR id, LPCSTR text);
#define ModifyMenu ModifyMenuA
BOOL InsertMenuItemA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info);
#define InsertMenuItem InsertMenuItemA
BOOL SetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info);
#define SetMenuItemInfo SetMenuItemInfoA
BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOA info);
#define GetMenuItemInfo GetMenuItemInfoA
BOOL DeleteMenu(HMENU menu, UINT pos, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT pos, UINT flags);
BOOL SetMenuItemBitmaps(HMENU menu, UINT pos, UINT flags, HBITMAP unchecked, HBITMAP checked);
HMENU GetSystemMenu(HWND hwnd, BOOL revert);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND hwnd, const RECT *rect);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND hwnd, LPTPMPARAMS params);
BOOL EndMenu(void);
void MenuHelp(UINT msg, WPARAM wParam, LPARAM lParam, HMENU mainMenu, HINSTANCE inst, HWND status, UINT *ids);

namespace tavo::res {

struct MenuItem {
  std::string text;  // with '&' and "\t" before the accelerator text
  UINT id = 0;
  UINT flags = 0;  // MF_GRAYED, MF_CHECKED, MF_SEPARATOR, MF_POPUP, MF_MENUBARBREAK ...
  std::vector<MenuItem> items;  // a pop-up's items
};

struct MenuTemplate {
  int id = 0;        // by number, or
  std::string name;  // by name: "MAIN", "FF_PLAN" ...
  std::vector<MenuItem> items;
};

void RegisterMenu(const MenuTemplate &tmpl);
HMENU BuildMenu(const std::vector<MenuItem> &items, bool popup);

}  // namespace tavo::res
