#pragma once
// The relation matrix: the records of one table as rows against those of
// another (or the same) table as columns, and in each cell whether a
// relation table holds the pair; Space or a double click toggles the current
// cell. The relation windows are this matrix with their differences given
// as a RelArt; each keeps a RelWS, allocated zeroed by its create function
// and freed when the window goes. Main thread only.

#include <cstdint>

#include "BESKEDER.h"
#include "DATO.h"
#include "ENS.h"
#include "GENVEJ.h"
#include "GRIDAKSE.h"
#include "SWITCH.h"
#include "TASTINFO.h"
#include "windows.h"


// Field-layout kinds of the matrix.
constexpr uint32_t kRelKolArt = 65;     // column captions (the column table's letter)
constexpr uint32_t kRelRaekkeArt = 66;  // row captions (the row table's letter)
constexpr uint32_t kRelCelleArt = 67;   // a related cell (the relation table's letter)
constexpr uint32_t kRelInfoArt = 74;    // the info line, switch 2 of both tables' letters
constexpr uint32_t kRelInfoSwitch = 2;

// Every row and column is 16 pixels: 2 + 11 + 2 and the separator line.
constexpr int kRelCelle = 16;
// The least window: rows and columns none, or the desktop too small.
constexpr int kRelMindsteHoejde = 270;
constexpr int kRelMindsteBreddeTillaeg = 190;   // beyond the row captions
constexpr int kRelSizingBreddeTillaeg = 150;    // the least width a drag leaves

// Repaint flags of TegnRelVindue and OpdaterRelVindue.
constexpr uint32_t REL_TEGN_ALT = 1;
constexpr uint32_t REL_TEGN_KOLONNE = 2;   // the cursor moved along the columns
constexpr uint32_t REL_TEGN_RAEKKE = 4;    // the cursor moved along the rows
constexpr uint32_t REL_TEGN_SCROLL_X = 8;  // the columns scrolled
constexpr uint32_t REL_TEGN_SCROLL_Y = 16; // the rows scrolled

struct RelWS;

// What one relation window is: its tables, its lists, its relation and its
// texts. Static data of the window's module.
struct RelArt {
  const char *Modul;   // the source module an assertion names
  const char *Klasse;  // the window class
  const char *Titel;   // the caption
  int VindueType;      // the menu command that opens it; the window's child id
  uint8_t RelBogstav, KolBogstav, RaekkeBogstav;
  // Rebuild the row list and the column list from the tables (the heads'
  // ObjTab and ObjTabAntal).
  void (*ByggRaekker)(RelWS *ws);
  void (*ByggKolonner)(RelWS *ws);
  // The relation record of a pair, 0 when the two are not related.
  uint32_t (*FindRelation)(RelWS *ws, uint32_t raekkeRec, uint32_t kolRec);
  // The toggle of the current cell: mode 1 asks, KMD_UDFOER acts; true when
  // it (would) act.
  bool (*Skift)(RelWS *ws, int mode);
  // A key of the window's own beyond the shared ones (mode as above); null:
  // none.
  bool (*EgenTast)(RelWS *ws, const TastInfo &t, int mode);
  // The keys the pick list offers.
  ShortCutTabel *Genveje;
  // Optional (null: the matrix's own). Both lists, their counts and the
  // cursor, in place of ByggAktiLokaLister's.
  void (*ByggLister)(RelWS *ws);
  // One cell (column c, row r) at (x, y), b x h pixels, in place of the
  // matrix's guide and relation drawing.
  void (*TegnCelle)(RelWS *ws, EnsDC *dc, uint32_t c, uint32_t r, int x, int y, int b, int h);
  // The repaint flags widened before a paint (a change that recolours more
  // than the cells the cursor left and came to).
  uint32_t (*TegnFlag)(RelWS *ws, uint32_t flag);
};

// The workspace: three grid heads one after the other, then the cursor and
// the window's choices. The heads and cursor records are packed types; each
// starts aligned, so the frame's code that reads their words by reference
// reads them aligned.
struct RelWS {
  // The window's panes, drawing contexts, scroll bars, switch buttons and
  // caption; pTd and pTv the relation table; AkseX and AkseY the cells;
  // ScrollX and ScrollY; Aktiv.
  alignas(8) Ens Matrix;
  // The column table (pTd, pTv) and list (ObjTab 1-based, ObjTabAntal).
  alignas(8) Ens Kol;
  // The row table and list; the type-ahead searches it.
  alignas(8) Ens Raekke;
  const RelArt *Art;
  HWND hwnd;
  uint8_t RelBogstav, KolBogstav, RaekkeBogstav;
  uint8_t KolSwitch;      // layout of the column captions
  uint8_t RaekkeSwitch;   // layout of the row captions
  uint8_t CelleSwitch;    // layout of a related cell
  uint8_t AntalSwitch;    // switch buttons: the row letter's layouts
  uint8_t Deaktiveret;    // the window is disabled
  uint8_t Diagonal;       // which side of the diagonal the cursor is on (one list on both axes)
  alignas(4) GridPos PosX;           // columns; Aktuel the current column (0 none)
  alignas(4) GridPos PosY;           // rows; Aktuel the current row (0 none)
  uint32_t ForrigeKol, ForrigeRaekke;  // the cursor at the last paint
  uint32_t RaekkeGruppeMaske;          // all 31 low bits: all groups
  HFONT KolSkrift;                     // the column captions run downward
  char Tooltip[64];                    // field 1 of the current column's object
};

// ---- geometry

// Forkant 2, CelleBredde 11, CellerPrGruppe 1, Bagkant 2, Mellemrum 1.
void InitRelAkser(GridAkse *a, GridAkse *b);
// The width wanted: the row captions, 16 pixels a column, 5, the frame's
// borders and vertical scroll bar; the room when that reaches it, else at
// least the row captions + 190.
int RelVinduesBredde(const Ens *kol, uint32_t raekkeHovedBredde, uint32_t plads);
// The height wanted: the column captions, 16 pixels a row, 27, the frame's
// borders, caption and horizontal scroll bar; the room when that reaches
// it, else at least 270.
int RelVinduesHoejde(const Ens *raekke, uint32_t kolHovedHoejde, uint32_t plads);
// The height of the column captions: the column letter's layout of its
// switch, or layout 0 (the one TegnRelationRaekke draws) when that switch
// has none.
uint32_t RelKolHovedHoejde(const RelWS *ws);

// ---- lists

// The weeks the lists cover: the program's current week, or with the plan
// window open the current plan group's Fradato..Tildato.
void HentRelUgeInterval(Uge *foerste, Uge *sidste);
// The planning module tells the current plan group (an ffpg record number)
// of the state its window answers to REL_PLAN_TILSTAND. Until it fills this
// slot an open plan window counts as no plan group.
struct RelMatrixKroge {
  uint32_t (*RelPlanGruppe)(const void *planTilstand);
};
extern RelMatrixKroge RelMatrixKrog;

// The records of a head's table with status 10..29, within the weeks and
// sharing a group bit with the mask (or Gruppe 0), in record order, sorted
// by the table's sort field and field 1. ByggHoldListe also wants Type
// "HOLD". A list that cannot grow stops the program, naming `modul`.
// The sort field is the one chosen on switch 0 of the layout kind given.
void ByggRelObjListe(Ens *hoved, uint32_t maske, uint32_t sorteringsArt, const char *modul);
void ByggHoldListe(Ens *hoved, uint32_t maske, uint32_t sorteringsArt, const char *modul);
// Sorts a head's list by the table's sort field chosen on switch 0 of the
// layout kind given, then field 1 (fewer than two entries stay).
void SorterRelListe(Ens *hoved, uint32_t sorteringsArt);
// The columns as the room windows have them: ByggRelObjListe over the
// column table with its group selection.
void ByggRelKolonner(RelWS *ws);
// Both lists of the window (rows with the row mask, columns with the column
// table's group selection), their counts into the cursor records, the cursor
// on row 1 and column 1 when neither list is empty, else none.
void ByggAktiLokaLister(RelWS *ws);
// The table's group selection: the remembered mask of activities,
// employments and rooms; all groups for the other tables.
uint32_t RelGruppeValg(uint8_t bogstav);
void SaetRelGruppeValg(uint8_t bogstav, uint32_t maske);

// ---- cells

// The relation record of (row record, column record) in the relation
// table's own key order; 0 when none.
uint32_t FindRelPar(RelWS *ws, uint32_t raekkeRec, uint32_t kolRec);
// The same for a relation stored in either order (one list on both axes).
uint32_t FindRelParBegge(RelWS *ws, uint32_t raekkeRec, uint32_t kolRec);
// Field-text callback of a related cell (SwitchCelleFn): field n of the
// relation record (arg: a RelCelle) by its definition; blank for a
// computed field.
struct RelCelle {
  const RelWS *ws;
  uint32_t rec;
};
uint32_t AlrelCelleTekst(void *arg, const SwitchFelt *sf, uint32_t i, char *tekst, uint8_t *pMoenster,
                         uint8_t *pFarve);
// The palette slot of a cell: 1 or 2 the current cell (active or not), 5
// the guide from the headers to the cursor, else 0.
uint8_t RelCelleFarve(const RelWS *ws, uint32_t kol, uint32_t raekke);
// The generic toggle: the current row's and column's records paired with
// the object-status letter 'L', or their record deleted; re-sorts the
// relation table, repaints the cell and writes [flag] flagNoegle = "1".
// False when there is no current cell, a key is 0 or the line is refused.
bool SkiftRelation(RelWS *ws, int mode, const char *flagNoegle);

// The brush of a palette slot (the button face while the slot has none).
HBRUSH RelBrush(uint8_t slot);
// The record of a table, or null for 0 and numbers beyond it.
const uint8_t *RelPost(const TabDesc *pTd, const TabVar *pTv, uint32_t n);

// ---- painting

// Repaints one cell where it is in view.
void TegnRelCelle(RelWS *ws, uint32_t c, uint32_t r);

// With resize: rebuilds the lists and fits the window to the desktop,
// keeping its place. Then, when any flag is given, scrolls the current cell
// into view (adding 8 and 16 for what scrolled), sets the scroll bars and
// paints by the flags.
void OpdaterRelVindue(RelWS *ws, bool resize, uint32_t flag);
// Paints the info line, the captions and the cells by the flags and
// remembers the cursor; an active, enabled window makes its current objects
// the current records of their tables and shows the current column's name
// in the tooltip.
void TegnRelVindue(RelWS *ws, uint32_t flag);

// ---- keys and window

// The shared key command (mode 1 asks, KMD_UDFOER acts): Esc, Space, Page
// Up/Down (the week), the arrows, digits, A, the context key, F4, and the
// window's own keys. True when it (would) act.
bool RelTast(RelWS *ws, const TastInfo &t, int mode);
// The week step: the program's current week index one down (-1) or up,
// within the period; the lists follow, the other windows hear 1054 and the
// date pane the new date. False at either end.
bool RelUgeSkift(RelWS *ws, int retning, int mode);

// Allocates the workspace, finds the tables, builds the lists and makes the
// window at (venstre, top) of the desktop at the size it wants for the room
// up to (hoejre, bund); shown and, when the desktop allows, active. 0 when
// it could not be made (nothing is left behind).
HWND CreateRelVindue(const RelArt *art, HWND desktop, int venstre, int top, int hoejre, int bund);
// The body of every relation window's procedure.
LRESULT RelVindueProc(const RelArt *art, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Registers a relation window class (its own DC, double clicks).
bool RegistrerRelKlasse(HINSTANCE inst, const char *klasse, WNDPROC proc);
// The workspace of a relation window, or null.
RelWS *RelVinduesWS(HWND hwnd);
