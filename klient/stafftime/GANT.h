#pragma once
// The Gantt window (GantWndClass): activities, employments or rooms as rows
// against the weeks of the schedule period, each row a bar from the
// object's earliest start to its latest end week with the weeks that have
// schedule events marked on it. The bar table, the bar characters and the
// group flags are sized from the table as it stands at every rebuild, so a
// data-changed message after an import neither reads past them nor leaves
// the new records without bars. Main thread only.

#include <cstddef>
#include <cstdint>

#include "BESKEDER.h"
#include "DATO.h"
#include "ENS.h"
#include "GRIDAKSE.h"
#include "SKEREC.h"
#include "TASTINFO.h"
#include "windows.h"

struct TabDesc;
struct TabVar;

// Window kinds of the field-switch layouts the window uses.
constexpr uint8_t kGantHjoerneArt = 33;
constexpr uint8_t kGantRaekkeArt = 34;
constexpr uint8_t kGantUgeHovedArt = 35;
constexpr uint8_t kGantStatusArt = 71;
constexpr uint8_t kGantOpgArt = 73;
constexpr uint8_t kGantOpgNormArt = 52;


// Characters of a bar row (code page 850 box drawing).
enum : uint8_t {
  GANT_TOM = 0,
  GANT_EN_UGE = 179,      // earliest start and latest end in the same week
  GANT_START = 195,
  GANT_SLUT = 180,
  GANT_MELLEM = 196,
  GANT_SKE_EN_UGE = 186,  // scheduled: both ends
  GANT_SKE_START = 204,
  GANT_SKE_SLUT = 185,
  GANT_SKE = 205,         // any other scheduled week
};

constexpr int kGantKolHovedHoejde = 35;
constexpr int kGantUgeBredde = 8;
constexpr int kGantRaekkeHoejde = 11;
constexpr int kGantOpgRaekkeHoejde = 15;
constexpr int kGantKnapHoejde = 16;
constexpr int kGantStatusHoejde = 20;
constexpr uint32_t kGantSumLaengde = 10;

#pragma pack(push, 1)
// Per record: the four week fields as week indexes of the period (0 before
// its first week, N + 1 after its last).
struct GantBjaelke {
  uint32_t MinStart;
  uint32_t MaxSlut;
  uint32_t Start;
  uint32_t Slut;
};
#pragma pack(pop)
static_assert(sizeof(GantBjaelke) == 16);

// The window's own status bar: one pane per field of the kind-71 layout.
struct GantStatBar {
  HWND *hwndStatBar;
  HDC *StatHDC;
  uint32_t *statbarWindowNr;
  uint32_t Antal;
};

struct GANTWS {
  Ens ens;
  const TabDesc *pTd;
  TabVar *pTv;
  uint8_t Bogstav;        // 'K', 'L' or 'M'
  uint8_t Aktiv;
  uint8_t HarFokus;
  uint8_t MinTilstand;
  char Cifre[8];          // digits typed for the group toolbar
  uint8_t Opgoerelse;     // 1: the view is a statement
  char Titel[40];
  GridPos KolPos;         // the weeks (a statement: its single column)
  GridPos RaekkePos;
  GridPos SidePos;        // kept at 1
  uint32_t ForrigeKol;
  GridAkse UgeAkse;
  GridAkse OpgAkse;
  uint8_t Switch;         // the view: the row-header switch
  uint8_t SwitchAntal;
  uint8_t SwitchArt;
  uint8_t OpgSwitch, OpgFeltAntal, OpgArt;
  uint8_t UgeHovedSwitch, UgeHovedArt;
  uint8_t HjoerneSwitch, HjoerneArt;
  uint32_t GemtScrollX;
  HWND hwnd;
  HWND *SortKnapper;      // one per row-header field
  uint32_t SortKnapAntal;
  HWND *OpgSortKnapper;   // one per statement column
  uint32_t OpgSortKnapAntal;
  GantStatBar StatBar;
  GantBjaelke *Bjaelker;  // BjaelkeAntal records
  uint8_t *Tegn;          // UgeAntal characters per record
  uint32_t BjaelkeAntal;  // records the bar table and characters hold
  uint32_t UgeAntal;      // weeks each record's characters hold
  uint8_t SortMaerke;     // 255 after sorting by date
  uint32_t Identitet;
  uint8_t *GruppeFlag;    // 32 bytes per record
  uint32_t GruppeFlagAntal;
  char (*OpgSummer)[kGantSumLaengde];
  uint8_t UgeAfhaengig;
  uint8_t GrupperEksporteret;
  RECT GemtRect;
  uint8_t UvfoFilter;
  uint8_t DatoFaldende;   // the week header's next click sorts descending
  uint32_t GruppeMaske;   // the table's group selection
  // What the picture shows now: a repaint compares against these, so a
  // change that no caller named still repaints what it moved.
  uint32_t TegnFlag;      // repaint flags asked for since the last repaint
  uint8_t Tegnet;         // painted at least once
  uint8_t TegnetAktiv;
  uint32_t TegnetKol, TegnetRaekke, TegnetUge;
  uint32_t TegnetScrollX, TegnetScrollY;
};

// The show-only filter of the schedule, as the Gantt window applies it to an
// event row when marking scheduled weeks: the program-wide event status
// filter (state, foreign rows, error code). True when the row is shown.
bool VisKunFilter(const SkeRec *r);

// One of the six titles by table letter and row-header switch.
const char *GantTitel(uint8_t bogstav, uint32_t sw);
// The view at creation: switch, statement flag and its layout, the
// week-dependent flag, the week-header and corner switches and the title.
void GantVaelgVisning(GANTWS *ws);

// A week of the period as its index: 0 before the first week (also for 0),
// N + 1 after the last, else 1..N.
uint32_t GantUgeIndeks(uint32_t uge);
// The bar table, the bar characters with the scheduled-week marks, and the
// group flags, sized from the table's record count.
void GantByggBjaelker(GANTWS *ws);
void GantByggGruppeFlag(GANTWS *ws);
// The character of record rec in week index w (1..N); 0 outside the tables.
uint8_t GantTegn(const GANTWS *ws, uint32_t rec, uint32_t w);

// The rows by the filter (status, period, group selection, one row per
// employee in the holiday statement) sorted by the switch-0 sort field; the
// teaching-course rows instead while that filter is on. The current row
// follows the table's current record. Asks the next repaint for everything,
// or for the figures only when the rows came out as they were.
void GantByggRaekker(GANTWS *ws);
// The activities sharing the teaching course of the current row's activity.
void GantByggUvfoRaekker(GANTWS *ws);
// The columns 1..N; the current column is the program's current week.
void GantByggKolonner(GANTWS *ws);
uint32_t GantAktuelRec(const GANTWS *ws);

// Whether the current row and column lie in the object's period; an object
// that overlaps the schedule period moves the program's current week into
// its period and passes. mode KMD_UDFOER shows the refusal.
bool GantPeriodeTjek(GANTWS *ws, int mode);

// Sorting: by field i of the row-header layout (stored as the switch-0 sort
// field), and by "Fradato" from the week header (alternating).
void GantSorterFelt(GANTWS *ws, uint32_t i);
void GantSorterDato(GANTWS *ws);
// A statement sort button: by column i's figures, ascending.
void GantSorterOpg(GANTWS *ws, uint32_t i);

// Status-bar panes: their count and the text of pane i for the current row.
uint32_t GantStatusAntal(const GANTWS *ws);
void GantStatusTekst(const GANTWS *ws, uint32_t i, char *tekst, uint8_t *tekstFarve, uint8_t *bkFarve);

// Sizes for the available width and height.
int GantBredde(const GANTWS *ws, int plads);
int GantHoejde(const GANTWS *ws, int plads);

// The data-changed rebuild (1122, 1336).
void GantGenopbyg(GANTWS *ws);

// The font the bar characters are drawn in (code page 850 box glyphs).
HFONT GantBjaelkeFont();

// ---- Drawing.
// Repaint flags: 1 everything, 2 the current column moved, 4 the current
// row moved, 8 scrolled horizontally, 16 scrolled vertically (also every
// row of a week-dependent view), 32 the row headers.
enum : uint32_t {
  GANT_TEGN_ALT = 1,
  GANT_TEGN_KOLONNE = 2,
  GANT_TEGN_RAEKKER = 4,
  GANT_TEGN_SCROLL = 8,
  GANT_TEGN_SCROLL_Y = 16,
  GANT_TEGN_RAEKKEHOVEDER = 32,
  // Our own: the rows were worked out again as they stood, so every
  // statement line and the totals, but not the row headers.
  GANT_TEGN_TAL = 64,
};
// Rebuild flags of the refresh: any rebuilds the rows (and a statement's
// totals); 4 first makes the next row's record (the previous row's on the
// last row) the table's current record, for a record about to leave.
enum : uint32_t { GANT_BYG_SUMMER = 1, GANT_BYG_NAESTE = 4 };
// The picture by the flags: the active window first makes the program's
// current record, week and date its own; then the caption and corner, the
// header, the row headers, the cells, the status bar and the totals, each
// only as far as the flags reach.
void TegnGantVindue(GANTWS *ws, uint32_t flag);
// Rebuilds by the rebuild flags, scrolls the current cell into view, sets
// the scroll bars and repaints by the flags given together with those of
// every change since the last repaint (column, row, week, scroll, active
// state, the flags the rebuilds asked for).
void GantOpfrisk(GANTWS *ws, uint32_t byg, uint32_t flag);

// ---- Keys.
// The key table: mode KMD_UDFOER acts, any other mode only asks.
bool GantTast(GANTWS *ws, const TastInfo *t, int mode);
// A key-down: the type-ahead search first, else the key record to the key
// table in execute mode. True when the key was taken.
bool GantTastNed(GANTWS *ws, UINT msg, WPARAM wParam, LPARAM lParam);
// The main window asks whether a key is available (1363): the key table in
// test mode, but F5, F6 and F7 in execute mode.
LRESULT GantTastSpoerg(GANTWS *ws, const TastInfo *t);
// After a key or a click: the current record, week and date follow the
// window; the repaint flags.
uint32_t GantEfterTast(GANTWS *ws, uint32_t forrigeRec);
// F3 to the main window, which fits the active window to the size it wants
// (after the rows or the view changed).
void GantTilpasVindue();
// Switch button n (a view): an employee statement view is refused without
// [vinduer] medopg; refused with "OBS!" when its row header is wider than
// the desktop; either way the previous button is pressed again.
void GantSkiftVisning(GANTWS *ws, uint32_t n);

// ---- Statements.
// 7 (sums per calendar year) under [global] anfosumperaar, else 0; handed
// to the statement cells as their second value.
uint8_t GantSumMode();
// A column's total into its slot (kGantSumLaengde bytes): one decimal with
// a comma (the holiday columns), else cut to a signed integer right-aligned
// in tegn characters, '#' when it does not fit.
void GantSumTekst(float sum, uint32_t tegn, bool enDecimal, char *slot);
// A column text as a number: its first ',' read as '.', 0 when it does not
// start with one.
float GantTekstTal(const char *tekst);
// Every column's total over the rows.
void GantBeregnSummer(GANTWS *ws);
// The holiday year (1 May to 30 April) of a date.
void GantFerieAar(Dato d, Dato *fra, Dato *til);
// The program's current date as the status bar's date pane shows it.
Dato GantAktuelDato();
// The caption naming the period the statement's figures cover.
void GantOpgTekst(const GANTWS *ws, Dato d, char *tekst, size_t n);
// The date of a week column: the weekday of the program's current date in
// that week.
Dato GantKolonneDato(uint32_t w);
// The repaint flags of a column move that recomputes nothing: 2, with 16
// for a week-dependent view and 32 for activity view 4.
uint32_t GantKolonneTegnFlag(const GANTWS *ws);
// After the current column moved: rows and totals again where the rules
// ask for it; the repaint flags.
uint32_t GantKolonneSkift(GANTWS *ws, uint32_t forrige, uint32_t ny);
// Left or Right in a statement: true when the view scrolled; at an edge the
// program's current week (and date) moves one column instead.
bool GantOpgVandret(GANTWS *ws, bool hoejre, int ctrl, int alt);

// Opens the Gantt window of a table letter as a child of the desktop (or
// the given parent) at (venstre, top) within the room to (hoejre, bund);
// identitet is the menu command (also the child id). 0 on failure.
HWND CreateGantWnd(char bogstav, int venstre, int top, int hoejre, int bund, const TabDesc *pTd, TabVar *pTv,
                   uint32_t identitet, HWND parent = 0);
LRESULT CALLBACK GantWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool RegistrerGantKlasse(HINSTANCE inst);
