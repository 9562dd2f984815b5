#pragma once
// The main window: it routes every key (no accelerator table is installed),
// keeps track of which window has the focus, runs the menu commands, starts
// the background save when the data changed, and ends the program, saving
// or putting the start copies back. Main thread only.

#include <cstdint>
#include <vector>

#include "BESKEDER.h"
#include "HENTGEM.h"
#include "windows.h"

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Beyond the private message numbers: the main window's own note that it got
// the focus back.
constexpr UINT HOVED_FOKUS_IGEN = 100000;

// Who has the focus. At most one of the active window and the focused
// element is set at a time.
struct HovedFokusRec {
  HWND Aktiv;                 // the free window with the focus
  HWND Element;               // the element window with the focus
  int Desk;                   // its desk, -1 = none
  HWND Input;                 // the window that takes keys before all others
  std::vector<HWND> Stak;     // input windows waiting under it
  HWND SidstFokus;            // gets the focus back when the last input window goes
  HWND Cyklus;                // highlighted during Ctrl+Tab
};
extern HovedFokusRec HovedFokus;
// Set when an arriving import file could not be read in at once.
extern bool ImportVenter;

// The background save's block and the handle of its last thread.
extern AutoGemBlok HovedAutoGem;
// Waits until a running background save has ended.
void VentPaaAutoGem();
// Whether a background save thread is running.
bool AutoGemKoerer();

// The main window's own commands, reached through the dispatcher's rows.
void HovedHjaelp(HWND hoved, UINT id, LPARAM lParam);
void HovedArranger(HWND hoved, UINT id, LPARAM lParam);
void HovedNyheder(HWND hoved, UINT id, LPARAM lParam);
void HovedPortal(HWND hoved, UINT id, LPARAM lParam);
void HovedOpdatering(HWND hoved, UINT id, LPARAM lParam);

// The activities' dot schedule asked for by a window (1139): Ctrl+F5 to
// the main window, then, unless the dot schedule of all activities answers
// 1475 with 'A', Ctrl+O.
void AabnPrikSkemaAlleAktiviteter(HWND hoved);

// What the main window reaches of other parts; an empty slot answers
// "not available".
struct HovedKroge {
  // The event entry window for the schedule window, in mode 'L', 'D' or
  // 'T'; the new window or 0 (filled with the entry window's own).
  HWND (*AabnIndtastning)(HWND skema, char mode);
  // The activities' dot schedule asked for by a window.
  void (*AabnPrikSkema)(HWND hoved);
  // Ends the process after an update package was started (a test keeps
  // the process alive).
  void (*AfslutProces)(UINT kode);
};
extern HovedKroge HovedKrog;
