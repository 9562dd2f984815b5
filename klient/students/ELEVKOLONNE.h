// The column vocabulary of the two student lists, the activity window and
// the student wish window: the cell text, colours and font of the column
// codes 1-13, their sort attributes and the sort of a list by them, the row
// of sort buttons with its button commands, and the wanted sizes of the
// student windows and of the planning window. A cell is always written
// within the caller's buffer: the text is cut at the column width and at
// the buffer's end. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ELEVLISTE.h"
#include "ELEVPLANWS.h"
#include "ENS.h"
#include "GRIDAKSE.h"
#include "KATALOG.h"
#include "SWITCH.h"
#include "windows.h"

// The two lists, by the byte each writes into the planning workspace's
// last-active-window byte.
enum : uint8_t { ELEVLISTE_HOLD = 2, ELEVLISTE_ONSK = 4 };

// Window kinds of the lists' field layouts (table letter 'K'): the rows and
// the header line of each window.
constexpr uint32_t ELEVHOLD_ART = 99;
constexpr uint32_t ELEVHOLD_HOVED_ART = 101;
constexpr uint32_t ELEVONSK_ART = 97;
constexpr uint32_t ELEVONSK_HOVED_ART = 98;

// The sort-arrow pictures of a sorted column's button.
constexpr int ELEV_BILLEDE_STIGENDE = 111;
constexpr int ELEV_BILLEDE_FALDENDE = 112;

// What the columns, the sort buttons and the button commands of one list
// window keep: part of the window's workspace, which begins with its Ens.
struct ElevListeTilstand {
  Ens *ens;            // the window's frame head
  HWND hwnd;           // the window; its buttons notify it
  ElevPlanWS *PlanWS;  // the planning window's workspace (not owned)
  uint8_t Vindue;      // ELEVLISTE_HOLD or ELEVLISTE_ONSK
  uint8_t Bogstav;     // table letter of the layouts
  uint32_t ListeArt;   // window kind of the rows
  uint32_t ValgtLayout;
  uint32_t AntalLayouts;

  // One slot per column of the chosen layout (malloc); positions 1 and 2
  // have no button and hold 0.
  HWND *SorterKnapper;
  uint32_t SorterKnapAntal;
  uint32_t SortKolonne;  // column position of the sorted column
  uint8_t Sorteret;      // number of sorted columns, 0 or 1
  uint8_t SortRetning;   // 0 ascending, 2 descending
  uint8_t StatusSort;    // 1 while the rows are sorted on code 11

  // The rows: student records (activity window) or learning activity
  // records (student wish window), 1-based; the row axis.
  uint32_t *Raekker;
  uint32_t RaekkeAntal;
  GridPos RaekkePos;
  RECT GemtRect;  // the rectangle before maximising (right 0: none)

  // The window's own list builder and redraw, run after a sort click with
  // Ejer, the window's workspace.
  void (*ByggOgTegn)(void *ejer);
  void *Ejer;
};

// The screen laid out anew after a student window switched its layout: the
// main window's menu command 40248 ("Elevplan") when no saved screen layout
// is shown, else the shown layout restored by its number. The program shell
// fills it; while it is empty a layout switch rebuilds the planning
// workspace and stops there.
struct ElevSkaermKroge {
  void (*OpstilIgen)();
};
extern ElevSkaermKroge ElevSkaermKrog;

// ---- Writing a cell ----

// The record at a position of the workspace's ElevTab, LaTab or PpTab; null
// for a position that names none.
const ElevRec *ElevVedPosition(const ElevPlanWS *ws, uint32_t s);
const LaRec *LaVedPosition(const ElevPlanWS *ws, uint32_t a);
const PpRec *PpVedPosition(const ElevPlanWS *ws, uint32_t c);

// A line of `bredde` blanks, cut at the buffer's end (str bytes with the
// terminator); nothing when str is 0.
void ElevCelleBlank(char *tekst, size_t str, uint32_t bredde);
// The formatted text cut at the column width and at the buffer's end. A
// width of 0 leaves an empty text.
void ElevCelleSkriv(char *tekst, size_t str, uint32_t bredde, const char *fmt, ...)
    __attribute__((format(printf, 4, 5)));

// ---- Columns 1-13 ----

// One cell: la is the learning activity's position in LaTab, elev the
// student's position in ElevTab (0 none). The text starts as a line of
// blanks of the column width; a column whose record is missing keeps it
// and leaves the colours and font alone. *pFarve is the proposed text
// colour (the caller presets 16), *pBaggrund the background (the caller's
// own unless a column sets one), *pSkrift the student symbol font for the
// glyph columns (when pSkrift is given).
void ElevListeCelleTekst(const ElevListeTilstand *l, uint32_t kode, uint32_t bredde, uint32_t la,
                         uint32_t elev, char *tekst, size_t str, uint8_t *pFarve,
                         uint8_t *pBaggrund, HFONT *pSkrift);
// The same as the row painter's field callback (ElevFeltFn): ctx the
// ElevListeTilstand, v1 the activity's and v2 the student's position, a
// buffer of kSwitchTekstLen bytes.
void ElevListeFeltTekst(void *ctx, uint32_t feltNr, uint32_t tegn, uint32_t v1, uint32_t v2,
                        uint32_t v3, char *tekst, uint8_t *pFarve, uint8_t *pBaggrund,
                        HFONT *pSkrift);
// A column's sort attributes: in *pDansk whether its key is put into Danish
// letter order, in *pBredde the key's width in characters.
void ElevListeFeltSortering(uint32_t kode, bool *pDansk, uint32_t *pBredde);

// The columns of a list as the list sorter asks for them: a cell callback
// of the row painter's shape, the sort attributes of its codes, the
// callback's context, and the text of the cell being keyed. Pass it as the
// context of ElevSortTekst and ElevSortBredde, SorterElevRaekker's two
// callbacks: each cell is written at its key width.
struct ElevSortKilde {
  ElevFeltFn Celle;
  void (*Sortering)(uint32_t kode, bool *pDansk, uint32_t *pBredde);
  void *ctx;
  char Tekst[kSwitchTekstLen];
};
const char *ElevSortTekst(void *kilde, int kode, uint32_t v1, uint32_t v2, uint32_t v3);
uint32_t ElevSortBredde(void *kilde, int kode, bool *pDansk);

// The sort code that the list kind keeps (SortFelt of its switch 0), 0
// when none.
uint32_t ElevListeSortFelt(const ElevListeTilstand *l);
// Sorts l->Raekker[1..RaekkeAntal], fresh copies of ElevTab (activity
// window) or LaTab (student wish window), by the list kind's sort code:
// the activity window by (code, 1, 2) against the activity at LaTab
// position `fast`, the student wish window by (13, code, 7, 12) against
// the student at ElevTab position `fast`. Code 11 sorts as code 9
// ascending and sets StatusSort; any other code sorts in SortRetning.
void SorterElevListe(ElevListeTilstand *l, uint32_t fast);

// ---- Sort buttons and button commands ----

// The sort buttons of the chosen layout's columns (any old ones destroyed
// first), on the column header pane, each with the column position as id
// and value 1, shown at once and of no size until the window lays them
// out.
void OpretSorterKnapperHold(ElevListeTilstand *l);
void OpretSorterKnapperElev(ElevListeTilstand *l);
// Destroys the sort buttons and frees their array.
void SletSorterKnapper(ElevListeTilstand *l);

// Message 2124 from a button of the window: id and value.
void ElevHoldKnapKommando(ElevListeTilstand *l, uint32_t id, uint32_t vaerdi);
void ElevOnskKnapKommando(ElevListeTilstand *l, uint32_t id, uint32_t vaerdi);

// ---- Wanted sizes, never above the caller's limit ----

int ElevHoldBredde(const ElevListeTilstand *l, int graense);
int ElevHoldHoejde(const ElevListeTilstand *l, int graense);
int ElevOnskBredde(const ElevListeTilstand *l, int graense);
int ElevOnskHoejde(const ElevListeTilstand *l, int graense);
int CalcElevPlanWidth(const ElevPlanWS *ws, int graense);
int CalcElevPlanHeight(const ElevPlanWS *ws, int graense);
