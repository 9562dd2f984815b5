#pragma once
// The event entry window (BrikIndWndClass): a popup over the main window in
// which one schedule event is put together from the six selection lists and
// an embedded schedule grid of its own, step by step, and saved, applied or
// given up. At most one exists; the current event is AktuelAVS and, for a
// change, the old event GammelAVS, both filled by the schedule window that
// asks for it.

#include <cstddef>
#include <cstdint>

#include "BESKEDER.h"
#include "BRIKIND.h"
#include "TASTINFO.h"
#include "windows.h"

constexpr const char *kBrikIndKlasse = "BrikIndWndClass";

// The steps: the six lists, the three mark steps, the three buttons.
enum : uint8_t {
  TRIN_AKTI = 0,
  TRIN_SKFA = 1,
  TRIN_ANFO = 2,
  TRIN_LOKA = 3,
  TRIN_RISY = 4,
  TRIN_SPESKE = 5,
  TRIN_LEKTIONER = 6,
  TRIN_DAGE = 7,
  TRIN_TIDER = 8,
  TRIN_OK = 9,
  TRIN_ANVEND = 10,
  TRIN_ANNULLER = 11,
  kAntalTrin = 12,
};

// The buttons' ids.
enum : uint32_t {
  KNAP_OK = 13,
  KNAP_ANVEND = 14,
  KNAP_ANNULLER = 15,
  KNAP_TID = 17,
  KNAP_ELEVCHECK = 18,
  KNAP_SWITCH = 200,  // 200 + n: switch layout n of the current list
};

// The entry window's messages.
constexpr UINT kBrikIndMinBredde = 575;
constexpr UINT kBrikIndMinHoejde = 450;

// The window's rectangle for the main window's rectangle, the monitor's
// work area, the width of the main window's side bar and the window's
// width: centred over the main window when it fits, else at its left edge,
// from the adjusted work area's top to its bottom.
RECT BrikIndPlacering(const RECT &hoved, const RECT &arbejd, int sidebjaelke, int bredde);

// The title of a step for a new event ('B') or a change ('R'), with the
// object kind's suffix on the mark steps of a change; null for a step that
// keeps the title (the special schedule list).
const char *BrikIndTitel(char mode, char objektArt, uint8_t trin, char *buf, size_t n);

// Creates the window in placement 'L', 'D' or 'T' for the schedule window
// that asked; the window or NULL.
HWND CreateBrikIndWnd(char mode, HWND skema);
// The main window's way in for 1124 ('L'), 1137 ('D') and 1138 ('T'):
// creates the window, shows, updates and raises it and registers it with
// 1116 as the input window.
HWND AabnBrikIndVindue(HWND hoved, char mode, HWND skema);
LRESULT CALLBACK BrikIndWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool RegistrerBrikIndKlasse(HINSTANCE inst);
// The workspace of an entry window, or null.
BrikIndStruct *BrikIndWS(HWND hwnd);

// Whether a key is the window's own (udfoer false) or handles it.
bool BrikIndTast(BrikIndStruct *b, const TastInfo &t, bool udfoer);
// Enters a step when it is open; false when it is not.
bool GaaTilTrin(BrikIndStruct *b, uint8_t trin);
// Writes the opening times back into every row of the remembered event
// when the time was changed and the address still holds that event.
void GendanBrikIndTider(BrikIndStruct *b);

// ---- The window's parts, filled by the wiring. Empty: the action answers
// "not available" (the start and end of a whole-day event stay as given).
struct BrikIndKroge {
  // Saving (GemBegivenhed): 0 when the event was saved, else the step the
  // window goes to. anvend: the window stays open.
  uint8_t (*Gem)(BrikIndStruct *b, bool anvend);
  // The keys of the lists ('O', 'R', 'M', 'P', arrows, Space, Esc, Delete,
  // Insert, letters): whether the key is theirs, and with udfoer handles it.
  bool (*ListeTast)(BrikIndStruct *b, const TastInfo &t, bool udfoer);
  // The time dialog (button 17, Alt+G, Alt+I) and the remark dialog (Alt+B).
  void (*Tid)(BrikIndStruct *b);
  void (*Bem)(BrikIndStruct *b);
  // The start, end and hours a new whole-day event opens with.
  void (*DagsTider)(BrikIndStruct *b);
};
extern BrikIndKroge BrikIndKrog;
