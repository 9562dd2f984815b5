// The schedule window: its creation over a workspace, its titles, the
// messages it answers and its keys in two phases (a check that may refuse
// with a message, then the action). Keys whose work belongs to the placing,
// copying, marking and deleting of events are rows of a key table that their
// modules fill; an empty row accepts the key and does nothing. Main thread
// only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "BESKEDER.h"
#include "SKEMA.h"
#include "TASTINFO.h"
#include "windows.h"


// Every object of a kind passes the filter.
constexpr uint32_t kAlleObjFilter = 2147483647u;

// The repaint flags SkemaTastUdfoer returns (the SKE_TEGN_* bits of the
// painters) and the rebuild flag.
struct SkemaTastSvar {
  uint32_t tegn = 0;
  bool genbyg = false;
};

// The window's title for its view: layout 'L' or 'V', kind 'K' 'M' 'L', with
// " - [Auto skema mode]" after it in variant 'A'.
void SkemaTitel(const SkeStruct *ske, char *tekst, size_t str);

// The field-switch kinds of a view: the tile kind and the window kinds of
// the row headers, the tiles and the tile texts.
struct SkemaSwitchArter {
  uint32_t brik;
  uint32_t vinduer[3];
};
SkemaSwitchArter SkemaSwitchArterFor(const SkeStruct *ske);

// Sets the display mode ('L', 'T' or 'D'): the mode index and view
// settings, the axes and header widths; clears the block marking.
void SkiftSkemaVisning(SkeStruct *ske, char visning);

// The key phases. In mode KMD_UDFOER the check may show its refusal;
// any other mode only answers and shows nothing.
bool SkemaTastTjek(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode);
SkemaTastSvar SkemaTastUdfoer(HWND hwnd, SkeStruct *ske, const TastInfo &t);

// A row of the key table for the keys of the event operations: a check
// (null: accepted) and an action (null: none). Ctrl, Shift and Alt are
// read from the key record by the functions themselves.
using SkemaTastTjekFn = bool (*)(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode);
using SkemaTastUdfoerFn = SkemaTastSvar (*)(HWND hwnd, SkeStruct *ske, const TastInfo &t);
// Sets the row of a key the event operations own (Enter, D, F, M, P, T, X,
// Y, R, S, Delete, Space, Insert, V, the plus keys); false for another key.
bool SaetSkemaTast(UINT tast, SkemaTastTjekFn tjek, SkemaTastUdfoerFn udfoer);

// The texts of the shared refusals.
extern const char *const kSkemaKopiSuperTavo;
extern const char *const kSkemaKopiLaast;
extern const char *const kSkemaEnStatus;
extern const char *const kSkemaLaastPeriode;

// Creates the schedule window as a child of parent (the desktop, or the
// cell of an element window) with the view the letters name; the window
// or 0.
HWND CreateSkemaWnd(HINSTANCE inst, HWND parent, HWND ejer, char art, int venstre, int top, int hoejre, int bund,
                    uint32_t objekt, const uint32_t *ugeTab, char visning, char layout, char variant,
                    char fjerde, char tilstand, uint8_t etObjekt, uint8_t alleObjekter, uint32_t valg,
                    uint32_t kommando);
LRESULT CALLBACK SkemaWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The workspace of a schedule window, or null.
SkeStruct *SkemaVinduesSke(HWND hwnd);
// The window's height in lesson mode for an offered height (element cells).
int32_t SkemaLektionsHoejde(uint32_t tilbudt);
// The width of a docked schedule of one object of the kind: its tile
// layout's switch width with the frame.
int32_t SkemaElementBredde(char art);

bool RegistrerSkemaKlasse(HINSTANCE inst);
