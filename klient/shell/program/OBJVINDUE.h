#pragma once
// The object windows the shell opens: the factory of free object windows on
// the desktop, the toggled tool windows, and the windows docked in the
// element cells of the screen layout. Each is one table with a row per
// window type (the menu command that opens it, kept as the window's child
// id). A row names the create function of the window's own module through a
// small adapter; a row whose window is not built yet has none, and asking for
// it gives 0 and a "** Info:" line, no box: the command or key that asked
// shows the one "not available" box. Main thread only.

#include <cstdint>

#include "windows.h"

// What the shell hands a create function.
struct ObjektKald {
  HWND hwndHoved;      // the main window
  HWND hwndForaelder;  // the desktop window, or the element window of a docked one
  int Type;
  LPARAM lParam;
  // Desktop client coordinates; for a docked window (0, 0) to the content
  // size of its cell.
  int Venstre, Top, Hoejre, Bund;
  char Art;             // 'K' 'M' 'L' 'U', a status or panel letter, or a DataView table letter
  char Bogstaver[6];    // a schedule's display mode, layout, variant, fourth letter and state
  uint8_t EtObjekt;     // a schedule of one object
  uint8_t AlleObjekter; // a schedule of all objects in one week
};

using ObjektOpretter = HWND (*)(const ObjektKald &k);

// Conditions a row carries.
enum : uint8_t {
  kRegelPost = 1,        // only while [vinduer] post is "ja"
  kRegelMedopg = 2,      // only while [vinduer] medopg is "ja"
  kRegelSkifter = 4,     // an open window of the type is closed instead
  kRegelEnGang = 8,      // refused while one is open
  kRegelElevplan = 16,   // only beside an open student planning window, one of a type
  kRegelBegPanel = 32,   // refused while an event panel is docked
  kRegelBrikPanel = 64,  // refused while a piece panel is docked
};

struct ObjektRaekke {
  int Type;
  ObjektOpretter Opret;  // null: the window is not built yet
  char Art;
  char Bogstaver[6];
  uint8_t EtObjekt, AlleObjekter;
  uint8_t Regel;
};

struct ElementRaekke {
  int Type;
  const char *Titel;
  int Desk;
  ObjektOpretter Opret;       // the object window in the cell; null: not built yet
  int32_t (*Hoejde)();        // the cell's content height
  int32_t (*Bredde)();        // ... and width
  char Art;
  char Bogstaver[6];
  uint8_t EtObjekt, AlleObjekter;
  uint8_t Regel;
};

// Window types the shell itself names.
constexpr int kElevplanType = 40225;
constexpr int kMedTimeType = 40202;

// Messages.
#define OBJVINDUE_OPRETTET 1090      // to a new object window: it has been made
#define HOVED_INDVINDUE 1116         // to the main window: lParam is the new input window
#define OBJVINDUE_NYT_PANEL 1930     // to the front window after an event panel was docked

// The rows, or null for a type the table does not know.
const ObjektRaekke *FindObjektRaekke(int type);
const ObjektRaekke *FindVaerktoejsRaekke(int type);
const ElementRaekke *FindElementRaekke(int type);
// Every row of the factory, in the order of the table.
int ObjektRaekkeAntal();
const ObjektRaekke &ObjektRaekkeNr(int i);

// Whether asking for the type can make a window: its row has a create
// function. The commands use it to show the "not available" box.
bool ObjektVindueTilgaengeligt(int type);
bool VaerktoejsVindueTilgaengeligt(int type);
bool ElementVindueTilgaengeligt(int type);

// Puts a create function into a row (and sizes into an element row);
// returns the one it replaces. False-y (null) for a type without a row.
ObjektOpretter SaetObjektOpretter(int type, ObjektOpretter opret);
ObjektOpretter SaetVaerktoejsOpretter(int type, ObjektOpretter opret);
ObjektOpretter SaetElementOpretter(int type, ObjektOpretter opret, int32_t (*hoejde)(), int32_t (*bredde)());

// Makes an object window of the type on the desktop within the rectangle
// (left, top, right, bottom in desktop client coordinates; null: the whole
// desktop), shows, updates and raises it, and refits an open plan window.
// 0 when the type has no create function, a condition of its row refuses it,
// a toggled window was closed instead, or the create function failed.
HWND OpretObjektVindue(HWND hwndHoved, int type, LPARAM lParam, const RECT *rekt);

// Opens the tool window of the type, or closes an open one of a toggled
// type (then 0). A new one is shown, updated, raised and announced to the
// main window as its input window (1116).
HWND SkiftVaerktoejsVindue(int type, LPARAM argument);

// The cell for the type on its desk, with its title and the content size of
// ElementHoejde and ElementBredde; 0 when the type has no row or create
// function, a condition refuses it or the desk is full.
HWND OpretElementForType(int type, bool tegn);
// The object window of the type in an element window; 0 when it cannot be
// made.
HWND OpretElementVindue(HWND element, int type);
// Both; the new window is updated, the cell told of it (1035), the window
// told it was made (1090), and after an event panel the front window gets
// 1930. A cell whose window could not be made goes again. The object window
// or 0.
HWND TilfoejElementVindue(int type, bool tegn);
int32_t ElementHoejde(int type);
int32_t ElementBredde(int type);
