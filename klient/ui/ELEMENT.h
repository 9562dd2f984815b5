#pragma once
// The docking layout of the main window: four desks along its edges, each
// with up to two sections of up to five element cells. Three fixed tables
// hold it, laid out byte for byte as ini\skrm.ini stores them; the geometry,
// the fitting and the choice of a section are plain functions over them.
// The element windows frame and title the object windows of the cells and
// carry their caption buttons; the dividers between sections and cells are
// dragged to resize, and a cell is dragged by its band to another place.
// Main thread only.

#include <cstddef>
#include <cstdint>

#include "BESKEDER.h"
#include "ENSDC.h"
#include "windows.h"

static_assert(sizeof(HWND) == 4, "the layout records keep 32-bit window handles");

// Desks: 0 right, 1 bottom, 2 left, 3 top. Desks 0 and 2 are vertical
// (cells stacked from the top), 1 and 3 horizontal (cells from the left).
// Section 0 lies at the edge, section 1 inside it.
constexpr int kAntalDesks = 4;
constexpr int kSektionerPrDesk = 2;
constexpr int kCellerPrSektion = 5;
constexpr int kAntalSektioner = kAntalDesks * kSektionerPrDesk;
constexpr int kAntalCeller = kAntalSektioner * kCellerPrSektion;
constexpr int kTitelLaengde = 50;  // 49 characters and the terminator

constexpr int kDividerTykkelse = 2;
constexpr int kFriBredde = 249;   // the free middle keeps at least this width
constexpr int kFriHoejde = 179;   // ... and this height
constexpr int kMindsteSektion = 18;  // fitting never thins a section below this
// What an object window may want along or across; a cell's length and a
// section's thickness, which add a band and a frame to it, stay below twice
// that. Larger values read from the screen file are damaged.
constexpr int32_t kMaksPixel = 32767;
constexpr int32_t kMaksLaengde = 2 * kMaksPixel;

// The program-wide broadcasts (SendTilAlleVinduer) that an element window
// passes to its object window, which is not in the open-window list: before
// a save, the current date changed, the program closing, data changed,
// another window toggled away, an import reloaded, group names changed.
#define ELEMENT_UDSENDELSER {1027u, 1054u, 1089u, 1122u, 1328u, 1336u, 3025u}

#pragma pack(push, 1)
struct DeskRec {
  int32_t Laengde;         // pixels along the desk
  int32_t AntalSektioner;  // 0, 1 or 2
};
static_assert(sizeof(DeskRec) == 8);

struct SectionRec {
  uint32_t Desk;
  uint32_t Sektion;
  int32_t Tykkelse;  // pixels across; 0 when the section does not exist
  HWND hwndDivider;  // the section divider
  int32_t AntalCeller;
};
static_assert(sizeof(SectionRec) == 20);
static_assert(offsetof(SectionRec, Tykkelse) == 8 && offsetof(SectionRec, hwndDivider) == 12 &&
              offsetof(SectionRec, AntalCeller) == 16);

struct ElementCelle {
  HWND hwndElement;
  uint32_t Desk;
  uint32_t Sektion;
  uint32_t Nr;          // index in the section
  HWND hwndObjekt;      // the object window shown; 0 until it is made
  HWND hwndLuk;         // close button
  HWND hwndStr;         // size button
  uint8_t Aktiv;        // 1 while the object window is the active one
  uint32_t Art;         // the menu command that opened the object window
  int32_t Laengde;      // along the desk
  int32_t IndholdLangs; // what the object window wants along
  int32_t IndholdTvaers;  // ... and across
  HWND hwndDivider;     // the cell divider before this cell
  char Titel[kTitelLaengde];
  EnsDC dc;             // the element window's drawing record
};
static_assert(sizeof(ElementCelle) == 105);
static_assert(offsetof(ElementCelle, Nr) == 12 && offsetof(ElementCelle, hwndObjekt) == 16 &&
              offsetof(ElementCelle, Aktiv) == 28 && offsetof(ElementCelle, Art) == 29 &&
              offsetof(ElementCelle, Laengde) == 33 && offsetof(ElementCelle, IndholdLangs) == 37 &&
              offsetof(ElementCelle, IndholdTvaers) == 41 && offsetof(ElementCelle, hwndDivider) == 45 &&
              offsetof(ElementCelle, Titel) == 49 && offsetof(ElementCelle, dc) == 99);

// The create record of a divider window: the divider takes it at WM_CREATE
// and frees it at WM_DESTROY, so its WM_CREATE must not fail.
struct DivideStruct {
  uint32_t Art;  // kDividerSektion or kDividerCelle
  uint32_t Desk;
  uint32_t Sektion;
  uint32_t Nr;   // the cell after a cell divider; 0 for a section divider
  EnsDC dc;
};
#pragma pack(pop)

constexpr uint32_t kDividerSektion = 1;
constexpr uint32_t kDividerCelle = 2;

extern DeskRec DeskTab[kAntalDesks];
extern SectionRec SectionTab[kAntalSektioner];
extern ElementCelle ElementTab[kAntalCeller];

inline bool LodretDesk(int desk) { return desk == 0 || desk == 2; }
inline SectionRec &Sektion(int desk, int sektion) { return SectionTab[desk * kSektionerPrDesk + sektion]; }
inline ElementCelle &Celle(int desk, int sektion, int nr) {
  return ElementTab[(desk * kSektionerPrDesk + sektion) * kCellerPrSektion + nr];
}

// ---- Geometry (main-window client coordinates unless said otherwise) ----

struct Plads {
  int32_t x, y, bredde, hoejde;
};

// Sum of the section thicknesses of the vertical desks (or the horizontal
// ones) with 2 pixels per section for its divider.
int32_t SamletTykkelse(bool lodret);
// Desks 0 and 2 run the layout rectangle's full height; 1 and 3 fit
// between them.
void BeregnDeskLaengder();
// Where the first cell of the desk starts along it.
int32_t DeskStart(int desk);
Plads SektionPlads(int desk, int sektion);
Plads SektionDividerPlads(int desk, int sektion);
// The last cell of a section takes the rest of the desk length.
Plads CellePlads(int desk, int sektion, int nr);
// The 2 pixels before the cell; zero size before cell 0.
Plads CelleDividerPlads(int desk, int sektion, int nr);
// In the element window's client coordinates.
Plads ObjektPlads(int desk, int sektion, int nr);
Plads LukKnapPlads(int desk, int sektion, int nr);
Plads StrKnapPlads(int desk, int sektion, int nr);
// The length and thickness the cell wants.
int32_t OensketLaengde(const ElementCelle &c);
int32_t OensketTykkelse(const ElementCelle &c);

// ---- Fitting ----

// Spreads target - current over the cells first..last, those nearest the
// moved boundary first; none grows beyond what it wants or shrinks below
// B + 5.
void FitCellRange(int desk, int sektion, int foerste, int sidste, int32_t maal);
// Every section's cells fitted to the desk length.
void FitDeskCells(int desk);
// Takes up to `behov` pixels from the section, keeping it at 18 or more;
// returns what is still needed.
int32_t ShrinkSection(int desk, int sektion, int32_t behov);
// The whole layout made to fit the layout rectangle again.
void FitElementsToDesk();
// After a section of the desk grew: thins sections until the free middle
// keeps its least size, and refits the horizontal desks after a vertical one.
void MakeRoomForSection(int desk, int sektion, bool tegn);
// The section a new cell of the wanted length and thickness goes to: an
// existing one, the number of sections for a new one, or -1 when the desk
// cannot take it.
int ChooseSection(int desk, int32_t oensketLaengde, int32_t oensketTykkelse);
// A new empty section with its divider.
void AddSection(int desk, int sektion, int32_t tykkelse);

// ---- Windows ----

// Moves every window of the desk to its place, raises and repaints it, and
// sets each size button's picture.
void PlaceDesk(int desk);
void PlaceAllDesks();
// Sends 1100 to the object window of the first cell of the desk's inner
// section; false when the desk has no section or that cell no object window.
bool ActivateDesk(int desk);
int CountElements();
// The windows of a cell and of the dividers, as the layout makes them;
// children of the main window at (0, 0) with size 0 x 0, shown.
HWND OpretSektionDivider(int desk, int sektion);
HWND OpretCelleDivider(int desk, int sektion, int nr);
HWND OpretElementVindue(ElementCelle *celle);
// The close and size buttons of the cell, in its element window.
void OpretCelleKnapper(ElementCelle *celle);
// The size button's picture: restore when the cell has exactly its full
// length (content + 15), else maximise.
void SaetStrKnapBillede(const ElementCelle &c);

// A new cell for an object window of the content size; returns its element
// window, in which the caller makes the object window, or 0 when the desk
// is full. The title is cut to 49 characters, the content size to
// 0..kMaksPixel.
HWND CreateElementWnd(int32_t indholdBredde, int32_t indholdHoejde, int desk, bool tegn,
                      const char *titel, uint32_t art);

// ---- The cells' and dividers' windows and what the user does with them ----

// Registers ElementWndClass, VerDivideWndClass and HorDivideWndClass (own DC,
// double clicks, the background of colour index 0, the program's cursors 104,
// 107 and 108), loads the arrow and no-entry cursors the cell drag shows, and
// fills the open-window list's hooks for the element windows. False when a
// class could not be registered.
bool RegistrerElementVinduer(HINSTANCE inst);
LRESULT CALLBACK ElementWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Both divider classes.
LRESULT CALLBACK DivideWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The cell's windows go and the others close up; the section goes with its
// last cell, the inner one then moving to the edge.
void RemoveElement(int desk, int sektion, int nr);
// The same for a move: the element window stays and nothing is placed.
void TakeOutElement(int desk, int sektion, int nr);
// Moves a cell to index maalNr of another section (of any desk), turning it
// when the desk's orientation differs, and places every desk. False, with
// nothing changed, when the target is the cell's own section, does not
// exist or is full.
bool InsertElement(int maalDesk, int kildeDesk, int maalSektion, int kildeSektion, int kildeNr, int maalNr);
// The cell goes to a new section nySektion (0 at the edge, 1 inside) of
// another desk, or of its own desk. False, with nothing changed, when the
// desk cannot take a section more.
bool MoveElementToNewSection(int kildeDesk, int kildeSektion, int kildeNr, int maalDesk, int nySektion);
bool SplitElementToNewSection(int desk, int kildeSektion, int kildeNr, int nySektion);
// Moves a cell to another index of its own section, the cells between
// shifting by one; the caller places the desk.
void MoveElementInSection(int desk, int sektion, int fra, int til);
// Cells of the inner section move to the end of the outer one while they fit.
void CompactDesk(int desk);
// The size button: the cell takes its full length, or the section's cells
// share the desk again; the mouse cursor moves along with the cell.
void ToggleElementSize(int desk, int sektion, int nr);
// Where a cell dragged from (kildeDesk, kildeSektion) may be dropped on the
// desk, in main-window client coordinates: a band along the desk's edge
// whose five parts across it (from the edge inward) are filled into dele.
// Parts 0, 2 and 4 make a new section, 1 and 3 go into section 0 and 1.
RECT DropZoneRect(int desk, int kildeDesk, int kildeSektion, int32_t dele[5]);
// Removes every cell (1155 to each element window, then 1155 to the main
// window).
void CloseAllElements();
// Calls fn for every element window of the layout (each desk's sections,
// each section's cells), the windows taken first.
void ForHvertElement(void (*fn)(HWND, void *), void *data);
// Closes every cell of the kind as its object window would (1115).
void CloseElementsOfKind(uint32_t art);

// ---- The screen file ----

// Reads layout n of the given ini file into the tables, which the caller
// has emptied, and checks it: damaged records are left out and logged.
// Makes no window. False when nothing was read.
bool LaesSkrmLayout(const char *fil, long n);
// Layout n of ini\skrm.ini: read, fitted to the layout rectangle, and every
// window made; each cell's object window is asked of the main window. The
// caller has emptied the layout (CloseAllElements).
void LoadSkrmLayout(long n);
// Writes the layout's keys into section "skrm<n>" of the given ini file as
// the tables stand.
bool SkrivSkrmLayout(const char *fil, long n);
// Saves layout n in ini\skrm.ini in one replacement: the file is copied
// beside itself, `oevrige` (may be null) writes the caller's own keys into
// the copy, then the layout's keys, and the copy replaces the file. False,
// with the file as it was, when any step fails.
bool GemSkrmLayout(long n, bool (*oevrige)(const char *fil, long n, void *data), void *data);
// Changes ini\skrm.ini in one replacement: the file is copied beside
// itself, `ret` changes the copy, and the copy replaces the file. False,
// with the file as it was, when any step fails.
bool RetSkrmFil(bool (*ret)(const char *fil, void *data), void *data);
