#pragma once
// The status overview windows (StatusWndClass): per week (postings: per
// month) of the schedule period and per status group, how many of the
// installation's event first rows or time postings stand in that group
// towards the central server. A group can be switched on as the
// program-wide display filter (STATUSFILTER.h). Main thread only.

#include <cstdint>

#include "AVSHJAELP.h"
#include "ENS.h"
#include "GRIDAKSE.h"
#include "STATUSFILTER.h"
#include "windows.h"

// The menu commands that open the three kinds.
constexpr int kStatusBegivenheder = 40163;  // 'S'
constexpr int kStatusFejl = 40167;          // 'F'
constexpr int kStatusPosteringer = 40164;   // 'B'

constexpr uint32_t kStatusKoder = 100;       // counts per column: codes 0..99
constexpr uint32_t kStatusFejlGruppe = 4;    // the "errors" group of the events overview
constexpr uint32_t kStatusMindsteBredde = 150;
constexpr uint32_t kStatusMindsteHoejde = 100;

#define STATUS_TOOLBAR 2124      // from the toolbar: 8192 close, 16384 maximise, 4096 minimise, 0 freeze
#define STATUS_DATA_AENDRET 1122 // broadcast: data or the filter changed
#define STATUS_VINDUE_KOMMANDO 1133

// The events overview's own groups; the error and posting tables are
// StatusKodeTabF and StatusKodeTabB.
extern const StatusKode StatusKodeTabS[];

struct STATUSWS {
  alignas(8) Ens Hoved;  // UgeTab: the columns (weeks YYYYWW, months YYYYMM), 1-based
  HWND hwnd;
  char Art;            // 'S', 'F', 'B'
  char HjoerneArt;     // ',' (window kind 44): the corner caption's layout
  char KolonneArt;     // '-' (window kind 45): the column captions' layout
  const StatusKode *Grupper;
  uint32_t AntalGrupper;
  uint32_t AntalKolonner;
  alignas(4) GridPos PosX;  // columns
  alignas(4) GridPos PosY;  // group rows
  uint32_t *Tal;            // (AntalKolonner + 1) x 100; column 0 the totals
  uint32_t Foerste[kStatusKoder];  // first and last column with a count, 0 none
  uint32_t Sidste[kStatusKoder];
  StatusFilter *Filter;     // BegivenhedsFilter ('S', 'F') or PosteringsFilter ('B')
  int Kommando;             // the menu command that opened the window
  uint8_t Tilstand;
  uint8_t Frossen;          // set: the window does not follow the current week
  int HjoerneMargen;
  uint32_t Maaneddag;       // postings: the current date's day of month at opening
  uint32_t KolonneBredde;
  uint32_t TekstHoejde;
};

// The group table of a kind; null for another letter. antal gets the
// number of groups.
const StatusKode *StatusGrupper(char art, uint32_t *antal);

// The count of a code in a column (0 = the total); 0 out of range.
uint32_t StatusTal(const STATUSWS *ws, uint32_t kolonne, uint32_t kode);

// Builds the columns of the kind: the weeks ('S', 'F') or months ('B') of
// the schedule period. Asserts when memory fails.
void ByggStatusKolonner(STATUSWS *ws);
// Frees and re-allocates the counts and counts the buckets.
void TaelStatus(STATUSWS *ws);
// The last column holding the week (postings: the month); 1 when none.
uint32_t FindStatusKolonne(const STATUSWS *ws, uint32_t uge);
// Which schedule to open for the current group in the program's current
// week: 1 activity, 2 employment, 3 room, 0 none.
uint32_t FindFoersteIStatusGruppe(const STATUSWS *ws);

// Redraw flags.
enum : uint32_t { kStatusTegnAlt = 1, kStatusTegnRaekke = 2, kStatusTegnKolonne = 4 };
// Enter, Insert, Delete, Escape and the arrows on the current group; the
// redraw flags wanted are or-ed into *tegn.
void StatusGruppeTast(STATUSWS *ws, UINT tast, uint32_t *tegn);
// mode 1: offered by the main window, 2: the window's own key. 0 when
// handled, 1 when not.
int StatusFunktionsTast(STATUSWS *ws, UINT tast, LPARAM lParam, int ctrl, int shift, int alt, int mode);

// The group row's arrow for counts beyond the visible columns: "=" before
// and after, ":" only after, ";" only before, " " none.
const char *StatusPil(const STATUSWS *ws, uint32_t kode);

// Sizes.
uint32_t StatusGruppeTekstBredde(char art);
int StatusVinduesBredde(char art, int tilraadighed);
int StatusVinduesHoejde(char art, int tilraadighed);

// The window of a status-group filter follows the current column: the
// program's current week (postings: the date of the column's month and
// the day of opening, clamped into the month and the period) and the date
// pane. Only when active and not frozen.
void StatusFoelgUge(STATUSWS *ws);

LRESULT CALLBACK StatusWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool RegistrerStatusKlasse(HINSTANCE inst);
// A status window of the kind for the command on the desktop at (x, y), at
// the size it wants within (hoejre, bund). 0 when it could not be made.
HWND CreateStatusWnd(HWND desktop, int kommando, char art, int x, int y, int hoejre, int bund);
STATUSWS *StatusWS(HWND hwnd);

// The F10, Ctrl+F10 and Shift+F10 keys and the three menu commands open the
// overview through the object-window factory.
HWND AabnStatusOversigt(HWND hovedvindue, int kommando);
