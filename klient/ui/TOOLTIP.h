#pragma once

#include "BESKEDER.h"
// The program's one tooltip window, the tab strip and the main toolbar's
// button list with its tooltip texts.

#include <windows.h>

#pragma pack(push, 1)
struct TooltipInfo {
  uint32_t creator;
  HWND parent;   // bounds the tooltip when set
  char *text;    // the caller's string, shown while it stays valid
  uint32_t reserved[2];
  int32_t width, height;
  HDC dc;
  HFONT font;     // "Lucida Console" while one is made (10025)
  HFONT oldFont;  // selected before the last switch
};
#pragma pack(pop)


extern HWND hwndTooltip;   // made once by the shell
extern BOOL TooltipVises;  // 1 from VisTooltip until SkjulTooltip

LRESULT CALLBACK TooltipWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Creates the shared tooltip window (a disabled pop-up owned by `owner`);
// the window class must be registered.
HWND OpretTooltip(HINSTANCE inst, HWND owner);
void VisTooltip(const char *text, const POINT *pt, int leftOffset);
void SkjulTooltip();

// ---- tab strip ----
struct TabInfo {
  HINSTANCE instance;
  HWND parent;  // receives 2028
  uint32_t id;
  int32_t x, y, width, height;
  int32_t selected;  // count means none
  char **texts;      // the caller's strings
  uint32_t *enabled;
  int32_t *tabX;     // count + 1 positions
  int32_t count;
  HDC dc;
  uint8_t lastText, lastBk;
};


LRESULT CALLBACK TabWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
HWND CreateTabWnd(HINSTANCE inst, HWND parent, uint32_t id, int x, int y, int width, int height,
                  char **texts, int count);

// ---- main toolbar ----
struct ToolbarTip {
  int32_t id;
  const char *text;
  ToolbarTip *next;
};
extern ToolbarTip *ToolbarTips;  // newest first
extern HWND hwndMainToolbar;

void ToolbarTilfoejKnap(int bitmap, int id, const char *tooltip);
void ToolbarTilfoejSeparator();
// The tooltip text of a command, null without a node (TTN_NEEDTEXT).
const char *ToolbarTipTekst(int id);
// Frees the list (at exit).
void ToolbarTipsFrigiv();
