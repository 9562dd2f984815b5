#pragma once
// The selection window (ValgWndClass): a small list of one table's records
// (activities, employees, rooms, subjects, ring times, or students handed in
// as a pre-selection) from which an opener takes the current row and the
// marks through private messages. It changes no data. Its list is rebuilt
// from the table as it stands at every rebuild, so the arrays indexed by
// record number grow with the table first. Main thread only.

#include <cstdint>

#include "BESKEDER.h"
#include "ENS.h"
#include "GRIDAKSE.h"
#include "TASTINFO.h"
#include "windows.h"



// Ids of the header row's sort buttons (100 + field) and of the layout
// buttons (200 + layout), as message 2124 carries them.
constexpr uint32_t kValgSortId = 100;
constexpr uint32_t kValgLayoutId = 200;
// Pictures of the sort column's button: ascending and descending.
constexpr int kValgBilledeStigende = 111;
constexpr int kValgBilledeFaldende = 112;
constexpr int kValgRaekkeHoejde = 12;  // 11 pixels and the line under a row
constexpr int kValgKnapHoejde = 16;    // the header row and its sort buttons
constexpr int kValgMindsteBredde = 150;
constexpr int kValgMindsteHoejde = 100;

// Window kinds of the field switches the window draws with.
constexpr uint32_t kValgMaerkeArt = 14;       // the mark column
constexpr uint32_t kValgTitelArt = 16;        // default title line
constexpr uint32_t kValgListeArt = 46;        // default list
constexpr uint32_t kElevListeArt = 48;        // both student lists
constexpr uint32_t kElevTitelArt = 105;       // " Elever på hold"
constexpr uint32_t kSammenfaldTitelArt = 106; // " Elevsammenfald på hold"
constexpr uint32_t kSkemaSammenfaldArt = 107; // the schedule's overlap list

// Bits of a marks byte: bit 0 marked by the user, bits 1-4 blocked by the
// opener. A record with any of them set cannot be newly marked.
constexpr uint8_t kValgMarkeret = 0x01;
constexpr uint8_t kValgSpaerret = 0x1E;

#pragma pack(push, 1)
// A pre-selection: built by the opener with malloc/calloc, the window's from
// CreateValgWnd on (it frees every array and the record itself).
struct ValgListe {
  uint32_t *ObjTab;     // 1-based record numbers to show
  uint32_t *Vaerdier;   // 1-based, parallel to ObjTab (e.g. the other activity); may be null
  uint32_t Antal;       // entries in ObjTab
  uint8_t *Maerker;     // one byte per record number; not 0: drawn marked; may be null
  uint32_t KildeRec;    // the record the list belongs to, shown in the title line
  uint32_t Ubrugt[2];
  uint32_t ListeArt;    // window kind of the rows
  uint32_t TitelArt;    // window kind of the title line
  uint8_t Bogstav;      // the source record's table letter
  const char *Caption;  // a static text
  uint32_t *SorteretIdx;  // FindFaellesElever's enrolment index, kept between calls
  uint32_t *SorteretKopi; // its working copy
  uint32_t SorteretAntal;
  uint32_t MaerkeAntal;   // bytes in Maerker
};

// The workspace of one window: allocated zeroed by CreateValgWnd, freed on
// WM_DESTROY.
struct VWS {
  HWND hwnd;
  HWND hwndMaal;   // every notification goes here
  HWND hwndFokus;  // had the focus before; gets it back on WM_DESTROY
  Ens ens;
  uint8_t MaerkeValgt, MaerkeLayoutAntal;  // kind 14
  uint8_t ListeValgt, ListeLayoutAntal;    // the list kind
  uint8_t TitelValgt, TitelLayoutAntal;    // the title kind
  uint8_t *Maerker;                        // one byte per record of the table
  uint8_t Rammet;                          // always 1
  uint8_t Forvalgt;                        // 1 with a ValgListe
  uint32_t GruppeMaske;
  HWND *hwndSortBut;                       // one sort button per field of the chosen layout
  uint8_t SortKolonne;
  uint8_t Faldende;                        // 1: the next click on the sort column sorts descending
  uint32_t MarkeretAntal;
  uint32_t MaerkeGraense;                  // 0 no marking; 1 single choice; n at most n
  uint32_t TitelArt;
  uint32_t ListeArt;
  uint32_t OpenerVaerdi;
  ValgListe *pValgListe;
  // Beyond the record the Parts share: the table letter, the cursor state of
  // both axes, and the room of the two arrays indexed by record number.
  uint8_t Bogstav;
  GridPos PosX;
  GridPos PosY;
  uint32_t ObjTabPladser;  // entries allocated in ens.ObjTab (whole-table lists)
  uint32_t MaerkeAntal;    // bytes allocated in Maerker
  uint32_t SortButAntal;   // buttons in hwndSortBut
};
#pragma pack(pop)

// ---- opening

// Opens a selection window as a child of `maal`, which gets every
// notification. (venstre, top) is its place; the room to the right and
// bottom edge offers its size. With forvalgt and a list, that list is shown
// (and freed by the window, also when no window could be made). The window
// is shown, raised and announced to the main window (1116). 0 on failure.
HWND CreateValgWnd(HINSTANCE inst, HWND maal, uint8_t bogstav, int venstre, int top, int hoejre, int bund,
                   uint32_t maerkeGraense, uint32_t ubrugt, uint8_t forvalgt, ValgListe *liste,
                   uint32_t openerVaerdi);

// The size the window wants within `plads`: the list layout (and the mark
// column with a mark limit), the scroll bar and the frame; all rows, at least
// five. Never below 150 x 100 unless the room is smaller; never above the
// room; a room of 0 sets no limit.
int ValgVinduesBredde(const VWS *vws, uint32_t plads);
int ValgVinduesHoejde(const VWS *vws, uint32_t plads);

// " Elever på hold": the students enrolled on the activity (akpl, any
// status), opened over the main window at the calling window's top-left
// corner. The students not enrolled on the current date are marked and come
// after the others; each part by CPR number. 0 (and nothing allocated) for
// activity 0 or one beyond the table.
HWND VisEleverPaaHold(HWND kalder, uint32_t akti);

// Fills the list with the students that have an enrolment of status 30 on
// both activities whose periods overlap (and both cover the date, unless it
// is 0), in student-record order, each with activity B as its value. The
// enrolment index is built into the list on the first call and reused by
// later calls on the same list; ObjTab and Vaerdier are made anew each time.
void FindFaellesElever(ValgListe *liste, uint32_t aktiA, uint32_t aktiB, uint32_t dato);
// Frees a list with every array it holds; null does nothing.
void FrigivValgListe(ValgListe *liste);
// Opens a student list (the window's from here on) over the main window at
// the calling window's top-left corner (each at least 0), as large as the
// main window allows below it; shown, activated and on top. The window, or
// 0 (the list freed).
HWND AabnElevListe(HWND kalder, ValgListe *liste);

// ---- the list

// Builds the rows: a pre-selection as it stands; a whole-table list from
// the table: status 10..29, the month (YYYYMM, 0 none) within the record's
// Fradato..Tildato months and a group bit in common with the mask where the
// table has those fields; activities of absence and '*' names left out;
// sorted on fields 1 and 0. The current row is the table's current record's
// row, else row 1 (0 for an empty list).
void ByggValgListe(VWS *vws, uint32_t maaned);
// Builds for the month, scrolls the current row into view and sets the
// vertical scroll bar.
void ValgGenopbyg(VWS *vws, uint32_t maaned);
// The same for the month of the current week's current weekday and, when
// the window is active, tells the opener the current record (1229).
void OpdaterValgListe(VWS *vws);

// The current row's record, 0 for none.
uint32_t ValgAktuelRec(const VWS *vws);
// Whether the current record may be toggled now (message 1331).
bool ValgKanSkifte(const VWS *vws);
// Ends the window as Enter (13) or Esc (27) does: Enter tells the opener
// (1241) on a whole-table list; Esc, with a mark limit, clears every mark
// (1227 with the current record when one was set) and tells the opener
// (1241). Then the window is destroyed.
void ValgAfslut(VWS *vws, UINT tast, LPARAM lParam);

// ---- drawing, sorting and layouts

// The whole window: frame and caption, title line, header row with the
// sort buttons, mark column (with a mark limit) and rows. An active
// whole-table list then publishes its current record: into the table's
// current-record word and to every window (1054).
void TegnValgVindue(VWS *vws);
// The panes one at a time, as their relays ask.
void TegnValgTitel(VWS *vws);
void TegnValgHoved(VWS *vws);
void TegnValgMaerker(VWS *vws);
void TegnValgRaekker(VWS *vws);
// Scrolls the current row and column into view, sets both scroll bars and
// redraws the window.
void OpdaterValgVisning(VWS *vws);
// Keeps the current row and column in view; sets both scroll bars.
void ValgScrollTilAktuel(VWS *vws);

// One sort button per field of the chosen layout, in the header row, the
// buttons of an earlier layout destroyed.
void OpretSorterKnapper(VWS *vws);
// Sort button `kolonne` clicked: a new column sorts ascending, the sort
// column again alternates descending and ascending (the button shows
// picture 111 or 112). A pre-selection with marks keeps the marked records
// last; the schedule's overlap list (kind 107) keeps its order. The current
// record stays current and in view.
void ValgSorterKolonne(VWS *vws, uint32_t kolonne);
// Layout n of the list chosen (not the chosen one already): its button
// latched, the choice remembered for the kind and letter, the window as
// wide as the layout wants, the sort buttons made anew.
void ValgSkiftLayout(VWS *vws, uint32_t n);

// ---- keys, marking and mouse

// The key command of one key record: mode 2 acts, any other mode only asks.
// True when the window takes the key (every key from 13 to 115 but the
// marking keys, which are taken only when they would act).
bool ValgTast(VWS *vws, const TastInfo *tast, int mode);
// Space: the current record's mark toggled, within the mark limit (limit 1
// clears the other marks first). Insert marks, Delete unmarks. The opener
// is told of every change. True when the key acts (mode 2) or would act.
bool ValgSkiftMaerke(VWS *vws, int mode);
bool ValgSaetMaerke(VWS *vws, int mode);
bool ValgFjernMaerke(VWS *vws, int mode);
// WM_KEYDOWN, WM_SYSKEYDOWN and TAST_MODTAG: keypad digits as digits, the
// type-ahead first, then the key command and what follows it. False when
// the window does not take the key.
bool ValgTastNed(VWS *vws, UINT msg, WPARAM wParam, LPARAM lParam);
// TAST_SPOERG: whether the window would take the key now.
bool ValgTastSpoerg(VWS *vws, const TastInfo *tast);
// WM_KEYUP, WM_SYSKEYUP: Ctrl released after digits typed with it chooses
// that group through the toolbar (up to 30); Up or Down released tells the
// opener the current record.
void ValgTastOp(VWS *vws, WPARAM tast);
// The panes' clicks and double clicks (the relay's message tells the pane).
void ValgKlik(VWS *vws, UINT msg, LPARAM lParam);
void ValgDobbeltKlik(VWS *vws, UINT msg, LPARAM lParam);
// The right button: activation, then the pick list of the window's keys at
// the cursor.
void ValgHoejreklik(VWS *vws);
// A click outside the panes' client area of an inactive window.
void ValgIkkeKlientKlik(VWS *vws);

LRESULT CALLBACK ValgWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Registers ValgWndClass (a DC of its own, double clicks). False when it
// could not be registered.
bool RegistrerValgKlasse(HINSTANCE inst);
void AfregistrerValgKlasse(HINSTANCE inst);
