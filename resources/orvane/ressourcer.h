#pragma once
// The main program's resources: its menus, icons, cursors and bitmaps,
// registered under the module "orvane" by the numbers and names the
// program loads them by.

#include "win/types.h"

// Cursors: the program's own arrow, and the two divider cursors.
constexpr int IDC_TAVO = 104;
constexpr int IDC_LODRET_DELER = 107;   // a vertical divider, dragged sideways
constexpr int IDC_VANDRET_DELER = 108;  // a horizontal divider, dragged up or down

// Bitmaps: the caption strips (12 x 12 and 16 x 14 pictures) and the five
// 16 x 16 pictures of the main toolbar (cascade, rows, columns, the window
// with the focus, save).
constexpr int IDB_KAPTION_LILLE = 115;
constexpr int IDB_KAPTION_STOR = 117;
constexpr int IDB_VAERKTOEJSLINJE = 120;
// The working-time priority menu's pictures: 168..173 for -3..-1, 1..3.
constexpr int IDB_PRIORITET_FOERSTE = 168;
constexpr int kVaerktoejsBilleder = 5;

// Icons by name.
#define IDI_AAMAIN "IDI_AAMAIN"
#define IDI_SUPER "IDI_SUPER"

// The instance handle the main program runs with; resources registered for
// "orvane" are found through it.
constexpr HINSTANCE kOrvaneInstans = 0x00400000u;

// Registers every resource once and binds kOrvaneInstans to them; later
// calls do nothing.
void RegistrerOrvaneRessourcer();

// The status row's pictures: the news pane's two 26 x 12 frames, the
// Elevplan pane's four 16 x 12 frames (red, yellow, green, plain) and the
// restore-error pane's 16 x 16 icon.
constexpr int IDB_NYHEDER = 149;
constexpr int IDB_EPSTATUS = 157;
constexpr int IDI_GENFEJL = 163;

// The log viewers' dialogs: the log dialog (list 1119, "Luk") and the error
// list (list 40075, "OK").
constexpr int IDD_LOGVISNING = 140;
constexpr int IDD_FEJLLISTE = 113;
