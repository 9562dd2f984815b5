#pragma once
// The main window: it routes every key (no accelerator table is installed),
// keeps track of which window has the focus, runs the menu commands, starts
// the background save when the data changed, and ends the program, saving
// or putting the start copies back. Main thread only.

#include <cstdint>
#include <vector>

#include "HENTGEM.h"
#include "windows.h"

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The private messages the main window takes.
enum : UINT {
  HOVED_ELEMENT_FOKUS = 1096,   // wParam desk, lParam the element window
  HOVED_INGEN_FOKUS = 1097,     // 1 when neither an input nor an active window
  HOVED_VINDUE_AKTIV = 1098,    // wParam 1 = raise, lParam the free window
  HOVED_INTET_INPUT = 1099,     // 1 when no input window
  HOVED_FRI_LUKKER = 1102,      // lParam the free window closing
  HOVED_INTET_INPUT2 = 1104,
  HOVED_CELLE_LUKKER = 1114,    // lParam the element window closing
  HOVED_INPUT_AABEN = 1116,     // lParam the input window, wParam 1 = flash
  HOVED_INPUT_LUKKET = 1117,
  HOVED_INDTAST_LEKTION = 1124, // the event entry window, by lesson
  HOVED_INDTAST_DAG = 1137,     // ... whole day
  HOVED_INDTAST_TID = 1138,     // ... by time
  HOVED_PRIKSKEMA = 1139,       // the activities' dot schedule
  HOVED_DATA_AENDRET = 1140,    // start the background save
  HOVED_CELLE_UD = 1155,
  HOVED_DRAEB_TIMER = 1225,
  HOVED_HJAELP_SAET = 1926,
  HOVED_HJAELP_SLET = 1927,
  HOVED_IMPORTFIL = 1933,
  HOVED_LUK_UDEN_GEM = 1934,
  HOVED_EP_IMPORT = 1938,
  HOVED_FOKUS_IGEN = 100000,
};

// To the other windows.
enum : UINT {
  VINDUE_AKTIVER = 1100,     // wParam 1: take the focus
  VINDUE_DEAKTIVER = 1101,
  VINDUE_CYKLUS = 1118,      // Ctrl+Tab highlight, wParam 1 on
  VINDUE_CYKLUS_SLUT = 1119, // Ctrl+Tab ended on the active window
  VINDUE_FOKUS_IGEN = 1135,  // the main window got the focus back
  VINDUE_HJUL = 1097,        // the mouse wheel, as WM_MOUSEWHEEL came
  VINDUE_LUKKER = 1089,      // broadcast: the program is closing
};

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
