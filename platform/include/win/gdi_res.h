#pragma once
// Compiled-in resources (bitmaps, icons, cursors) under the Windows names,
// and the tavo::res calls through which a program registers them.

#include "win/types.h"

#ifndef ERROR_RESOURCE_TYPE_NOT_FOUND
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#endif
#ifndef ERROR_RESOURCE_NAME_NOT_FOUND
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L
#endif

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)

#define IDI_APPLICATION MAKEINTRESOURCE(32512)
#define IDI_HAND MAKEINTRESOURCE(32513)
#define IDI_QUESTION MAKEINTRESOURCE(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCE(32515)
#define IDI_ASTERISK MAKEINTRESOURCE(32516)
#define IDI_WINLOGO MAKEINTRESOURCE(32517)
#define IDI_WARNING IDI_EXCLAMATION
#define IDI_ERROR IDI_HAND
#define IDI_INFORMATION IDI_ASTERISK

#define IDC_ARROW MAKEINTRESOURCE(32512)
#define IDC_IBEAM MAKEINTRESOURCE(32513)
#define IDC_WAIT MAKEINTRESOURCE(32514)
#define IDC_CROSS MAKEINTRESOURCE(32515)
#define IDC_UPARROW MAKEINTRESOURCE(32516)
#define IDC_SIZE MAKEINTRESOURCE(32640)
#define IDC_ICON MAKEINTRESOURCE(32641)
#define IDC_SIZENWSE MAKEINTRESOURCE(32642)
#define IDC_SIZENESW MAKEINTRESOURCE(32643)
#define IDC_SIZEWE MAKEINTRESOURCE(32644)
#define IDC_SIZENS MAKEINTRESOURCE(32645)
#define IDC_SIZEALL MAKEINTRESOURCE(32646)
#define IDC_NO MAKEINTRESOURCE(32648)
#define IDC_HAND MAKEINTRESOURCE(32649)
#define IDC_APPSTARTING MAKEINTRESOURCE(32650)
#define IDC_HELP MAKEINTRESOURCE(32651)

#define DI_MASK 0x0001
#define DI_IMAGE 0x0002
#define DI_NORMAL 0x0003
#define DI_COMPAT 0x0004
#define DI_DEFAULTSIZE 0x0008

#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2
#define LR_DEFAULTCOLOR 0x0000
#define LR_LOADFROMFILE 0x0010
#define LR_DEFAULTSIZE 0x0040
#define LR_SHARED 0x8000

HBITMAP LoadBitmapA(HINSTANCE inst, LPCSTR name);
#define LoadBitmap LoadBitmapA
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
#define FindResource FindResourceA
HGLOBAL LoadResource(HMODULE module, HRSRC res);
LPVOID LockResource(HGLOBAL res);
DWORD SizeofResource(HMODULE module, HRSRC res);
BOOL FreeResource(HGLOBAL res);
HANDLE LoadImageA(HINSTANCE inst, LPCSTR name, UINT type, int cx, int cy, UINT flags);
#define LoadImage LoadImageA

HICON LoadIconA(HINSTANCE inst, LPCSTR name);
#define LoadIcon LoadIconA
HCURSOR LoadCursorA(HINSTANCE inst, LPCSTR name);
#define LoadCursor LoadCursorA
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flicker,
                UINT flags);
BOOL DestroyIcon(HICON icon);
BOOL DestroyCursor(HCURSOR cursor);

namespace tavo::res {

// Registers a device-independent bitmap as it would sit in a resource
// section: a BITMAPINFOHEADER, the colour table and the pixels, no file
// header. The bytes must live for the program's life (they are compiled in).
void RegisterBitmap(const char *module, int id, const uint8_t *dib, size_t n);
void RegisterBitmap(const char *module, const char *name, const uint8_t *dib, size_t n);

// Icons and cursors are small text pixmaps: one string per row, one
// character per pixel. '.' and ' ' are transparent; the other characters
// are colours: K black, W white, g light grey (192), G grey (128),
// D dark grey (64), R red, r dark red, Y yellow, y dark yellow, B blue,
// N navy, C cyan, c teal, L lime, l green, M magenta, m purple,
// '~' inverts what is under it (cursors only).
void RegisterIcon(const char *module, int id, const char *const *rows, int nrows);
void RegisterIcon(const char *module, const char *name, const char *const *rows, int nrows);
void RegisterCursor(const char *module, int id, const char *const *rows, int nrows, int hot_x,
                    int hot_y);

// Which module a given instance handle stands for. Lookups with an
// instance that was never bound search every registered module.
void BindModule(const char *module, HINSTANCE inst);

}  // namespace tavo::res
