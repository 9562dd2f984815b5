#pragma once
// The window layer's inside, for the drawing layer and the display backends.
//
// Everything here is thread-safe. Nothing here calls a window procedure,
// except where a function says so. Coordinates are screen pixels unless a
// name says "client".

#include <string>
#include <vector>

#include "win/user.h"

namespace tavo::user {

// ---- geometry and tree ----
bool WindowRectOnScreen(HWND hwnd, RECT *rect);  // the whole window, screen coordinates
bool ClientRectOnScreen(HWND hwnd, RECT *rect);  // the client area, screen coordinates
bool ClientOrigin(HWND hwnd, POINT *pt);         // top-left of the client area on the screen
DWORD Style(HWND hwnd);                          // 0 for a window that does not exist
DWORD ExStyle(HWND hwnd);
UINT ClassStyle(HWND hwnd);                      // CS_OWNDC ...
HBRUSH ClassBackground(HWND hwnd);
bool IsShown(HWND hwnd);                         // visible, and every parent too
HWND ParentOf(HWND hwnd);                        // the real parent; 0 for top-level windows
HWND TopLevelOf(HWND hwnd);                      // the top-level window holding hwnd (itself when top-level)
std::vector<HWND> ChildrenOf(HWND parent);       // z-order, topmost first; parent 0: the top-level windows
DWORD ThreadOf(HWND hwnd);
// The window's text as last set, without asking its thread (WM_GETTEXT is
// not sent); "" for a window that does not exist.
std::string TitleOf(HWND hwnd);

// ---- painting ----
// The update region in client coordinates, taken and cleared in one step
// (BeginPaint). erase tells whether the background was asked to be erased.
// Returns false when nothing was invalid.
bool TakeUpdateRegion(HWND hwnd, std::vector<RECT> *rects, bool *erase);
bool PeekUpdateRegion(HWND hwnd, std::vector<RECT> *rects);
// Fills the background for WM_ERASEBKGND when a class brush is set; the
// drawing layer provides it. Returns nonzero when it erased.
typedef LRESULT (*EraseHandler)(HWND hwnd, HDC hdc, HBRUSH brush);
void SetEraseHandler(EraseHandler handler);
// Brushes of the system colours; until the drawing layer provides them,
// stable placeholder handles are returned.
typedef HBRUSH (*SysBrushProvider)(int index, COLORREF colour);
void SetSysColorBrushProvider(SysBrushProvider provider);

// ---- per-window slots for the drawing layer and the backends ----
enum Slot { SlotDC = 0, SlotSurface = 1, SlotBackend = 2, SlotSpare = 3, SlotCount = 4 };
void *GetSlot(HWND hwnd, int slot);
bool SetSlot(HWND hwnd, int slot, void *value);

// ---- change hook ----
// Called on the thread that made the change, with no lock held. A window's
// slots are still readable during Destroyed.
enum class WindowEvent { Created, Moved, Sized, Shown, Hidden, Destroyed, ZOrder, Invalidated };
typedef void (*WindowHook)(HWND hwnd, WindowEvent event, void *context);
int AddWindowHook(WindowHook hook, void *context);  // returns an id for RemoveWindowHook
void RemoveWindowHook(int id);

// ---- input ----
// Input as a user gives it: queued to the thread that owns the window under
// the pointer (or the capture window) or the foreground window, and turned
// into messages when that thread takes it from its queue. Key and button
// state follow the events.
void InjectKey(UINT vk, UINT scan, bool down, bool extended);
void InjectChar(BYTE ch);  // a Windows-1252 character without a key: WM_CHAR to the focus window
void InjectMouseMove(int x, int y);
void InjectMouseButton(int button, bool down, int x, int y);  // button 0 left, 1 right, 2 middle
void InjectMouseWheel(int delta, int x, int y);
UINT ScanCodeOf(UINT vk);  // the Danish keyboard's scan code of a virtual key
bool IsExtendedKey(UINT vk);

// ---- screen ----
void SetScreenSize(int width, int height);  // also resets the work area to the screen less the taskbar
void SetWorkArea(const RECT &rect);
HCURSOR CurrentCursor();

// ---- classes that every thread sees (controls) ----
ATOM RegisterSystemClass(const WNDCLASSEXA *wc);

// ---- messages ----
// Wakes the thread's message wait so a backend can feed it from outside.
void WakeThread(DWORD threadId);

}  // namespace tavo::user
