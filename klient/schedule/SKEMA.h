// The workspace of one schedule window (SkeStruct): the grid frame's head,
// the view it shows, its visible events with their chains and per-row
// extremes, and the per-cell tables it owns. Every builder, check and
// painter of the schedule works on a workspace alone, so each runs without
// a window; the window keeps one as its window data. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AVS.h"
#include "DATO.h"
#include "ENS.h"
#include "INDSTIL.h"
#include "SKEBEG.h"

struct TabDesc;
struct TabVar;
struct Begivenhed;

// The object kinds of a schedule window.
enum : char {
  SKE_AKTI = 'K',  // object kinds: activities,
  SKE_ANFO = 'M',  // employees (employments),
  SKE_LOKA = 'L',  // rooms
};

// The chosen cells of one week row: 7 days of 577 slot bytes each, at
// (week x 7 + day - 1) x 577 + slot - 1 of BlokTab and PotTab. Bit 8 marks
// a chosen cell, bit 2 a cell marked in the current drag or for moving.
constexpr uint32_t kBlokSlots = 577;
constexpr uint32_t kBlokUgeBytes = 7 * kBlokSlots;
static_assert(kBlokUgeBytes == 4039);
constexpr uint8_t BLOK_VALGT = 8;
constexpr uint8_t BLOK_FLYT = 2;

// The slot map of one day: cells 1..288, index 0 unused.
constexpr uint32_t kOptagBytes = 289;
// Cells of one day in lesson and day mode, and in time mode (5-minute slots).
constexpr uint32_t kLektionerPrDag = 48;
constexpr uint32_t kSlotsPrDag = 288;

// The status-bar panes of a schedule window.
struct SkemaStatBar {
  HWND *hwndStatBar;
  HDC *StatHDC;
  uint32_t SidsteRude;        // number of panes - 1
  uint8_t *statbarWindowNr;   // content number 0..5 of each pane
};

struct SkeStruct {
  ::Ens Ens;
  // The cursor records of the object axis (objects, or the weeks of one
  // object), the time axis (days with their lessons or slots) and a third.
  // The layout points Ens.StyrX and Ens.StyrY at the first two: objects run
  // down the side in layout 'V' and across in layout 'L'.
  GridPos ObjPos;
  GridPos TidPos;
  GridPos TredjePos;

  char ObjektArt;              // SKE_AKTI, SKE_ANFO or SKE_LOKA
  const TabDesc *pObjTd;       // the master table whose records are the rows
  TabVar *pObjTv;
  char Tastet[20];             // digits typed with the digit keys
  uint8_t SkiftAntal;          // switch buttons of the tile layout
  uint8_t BrikLayout;          // chosen field-switch layout of the tiles
  uint8_t EtObjekt;            // opened for a single object
  uint8_t AlleObjekter;        // 1: all objects in one week; 0: one object in every week
  uint32_t ObjFilter;          // bit n: objects of filter class n shown
  uint32_t GemtObjFilter;      // the kind's mask, kept aside while a display forces all

  // Day colours: 7 bytes per row key (object record, or period week index),
  // at key x 7 + weekday - 1.
  uint8_t *FarveDagTab;
  uint32_t FarveDagNoegler;    // row keys the table holds
  // Busy background: (rows + 1) x (cells per row + 7) bytes each.
  uint8_t *FarveTimeTab;
  uint8_t *PrioritetTimeTab;
  uint32_t FarveTimeRaekker;   // rows + 1
  uint32_t FarveTimeBredde;    // cells per row + 7
  // Chosen cells: BlokUger blocks of kBlokUgeBytes, indexed by period week.
  uint8_t *BlokTab;
  uint8_t *PotTab;             // the bit-8 marks of the second cell set (state 'R')
  uint32_t BlokUger;
  uint8_t DelteBlokke;         // BlokTab and PotTab belong to the owner window
  uint32_t TraekTaellere[4];   // the drag counters of choosing cells
  uint8_t TraekVaelger;        // the drag chooses (1) or un-chooses (0)
  // Layers: LagTabNo holds the layer 1..n of each row, parallel to
  // Ens.ObjTab or Ens.UgeTab; LagAntal the layers of each object (by record
  // number) or week (by period week index), 0 hiding it.
  uint32_t *LagTabNo;
  uint32_t *LagAntal;
  uint32_t LagAntalStr;
  uint8_t LagVis;              // "Antal lag (Ctrl+L)"
  // The occupation of one cell's day (kOptagBytes).
  uint8_t *OptagTab;
  // One byte per ring-system record: 1 when it has the lesson times of the
  // ring system shown, over the lessons shown.
  uint8_t *RingeTab;
  uint32_t RingeTabAntal;

  // The visible events: entries 1..SkeVisAntal in use, entry 0 all zero.
  SkeVisListe *lpSkeVisListe;
  uint32_t SkeVisAntal;
  uint32_t SkeVisKapacitet;
  // Chain heads, 8 per grid row (row x 8 + weekday); grid rows are object
  // record numbers (one week shown) or period week indexes (one object).
  uint32_t *KaedeHoveder;
  uint32_t KaedeRaekker;
  // The events of one chain as the painters and tests need them.
  Begivenhed *lkBegivenhed;
  uint32_t BegivenhedAntal;
  uint32_t BegivenhedKapacitet;
  // Per grid row, rebuilt by MarkerBegivenheder.
  uint8_t *SammenfaldTab;      // 1: a chain of the row has overlapping events
  uint32_t *SporTab;           // highest lane count of the row's chains (at least 1)
  uint32_t *FoersteCelleTab;   // lowest (weekday - 1) x cells per day + first cell, 0 none
  uint32_t *SidsteCelleTab;    // highest (weekday - 1) x cells per day + last cell
  uint32_t *TidligsteCelleTab; // lowest first cell within a day
  uint32_t *SenesteCelleTab;   // highest last cell within a day
  uint32_t MarkRaekker;        // grid rows of the tables above
  uint32_t MaxSpor;            // highest lane count of all rows (at least 1)

  uint32_t RingSystem;         // ring system whose lessons are the steps of a day
  HWND hwndIndlejret;          // the window that owns an embedded schedule
  char Visning;                // 'L' lessons, 'T' 5-minute slots, 'D' whole days
  char Layout;                 // 'L' tile grid, 'V' dot schedule
  char Variant;                // 'N' ordinary, 'B' embedded in the entry window, 'A' AutoSkema
  char FjerdeBogstav;          // the fourth letter of the creation
  char Tilstand;               // 'V' viewing, 'S' marking to delete, 'R' to change
  uint8_t VisIndeks;           // 0 'L', 1 'D', 2 'T' (SkeVisIndeks)
  uint8_t KunAktuelle;         // the "Aktuelle" views
  uint8_t AndetValg;
  uint32_t BlokHjoerner[4];    // start corner (column, row), moving corner
  uint8_t BlokAktiv;
  uint8_t RetStartet;          // a change was started from this window
  char Statustekst[80];        // caption text; the marking's property letters
  uint8_t Tegner;              // a rebuild or repaint is pending
  uint32_t MenuKommando;       // also the child-window id
  const char *TooltipTekst;
  uint32_t HovedGeometri[4];   // 6, 5, 3, 2
  uint8_t HovedBytes[18];
  HWND hwndGenvej;             // the short-cut window

  // The view settings of the mode, copied from VisningsTilstand.
  VisningsTilstandRec Vis;
  // Rows and weeks: Ens.ObjTab holds Ens.ObjTabAntal rows after layers.
  uint32_t ObjAntal;           // objects before layer expansion
  uint32_t AktuelObjRaekke;    // index into Ens.ObjTab
  uint32_t UgeAntal;           // rows of Ens.UgeTab
  uint32_t AktuelUgeRaekke;    // index into Ens.UgeTab
  uint32_t *InversInternUgeTab;
  uint8_t IgnorerPeriode;      // objects are shown outside their own weeks
  uint8_t VisTommeRaekker;     // rows without events are shown
  // Marked objects per record number (view variant 'A'), record count + 1
  // bytes each.
  uint8_t *MarkAkti;
  uint8_t *MarkAnfo;
  uint8_t *MarkLoka;
  uint32_t MarkAktiStr, MarkAnfoStr, MarkLokaStr;
  uint8_t FoelgerAVS[2];       // the view follows the event being edited
  SkemaStatBar StatBar;
  uint32_t ForrigeObjPos, ForrigeTidPos;  // the positions at the last refresh

  // Find marking: the find flag, the marking switch, and the reference
  // event the find dialogs set (its letters are Statustekst).
  uint8_t SoegFlag;
  uint8_t MarkerSkift;
  AVS SoegAVS;
  uint8_t SygdomFlag;          // the change is a sickness registration
  uint32_t MaerketObjekt;      // object remembered when a change marking starts
  // Subject marking of the dot schedule.
  uint8_t FagSkift;
  uint32_t ValgtFag;
  // NaesteBegivenhed: the cell it last stood in and the event index there.
  uint32_t NaesteRaekke, NaesteKolonne, NaesteIndeks;
  // A display of one status group (or SuperTavo, locked) in force.
  uint8_t SaerligVisning;
  // The rows before layer expansion: object records (ObjAntal of them) and
  // period weeks (UgeGrundAntal), 1-based.
  uint32_t *ObjGrund;
  uint32_t *UgeGrund;
  uint32_t UgeGrundAntal;
  uint32_t InversInternUgeStr;  // entries of InversInternUgeTab
  // Widths of the head column's parts p1, p2, p3 and, in time mode, t1..t3,
  // set by the header layout.
  uint32_t HovedDele[6];
  UgeIndeks ForrigeUge;         // the week at the last refresh
  HWND hwndSelv;                // the window that holds the workspace, once it has taken it
};

// The mode index of a display-mode letter: 0 'L', 1 'D', 2 'T'.
uint8_t SkeVisIndeks(char visning);

// Fills a zeroed workspace with its view: the object kind with its table,
// the display mode with its index and view settings, the layout (and the
// frame's axes pointed at the cursor records by it), variant
// and state letters, the all-objects flag, the header geometry's starting
// values, an empty reference event and a ring-system table as large as the
// ring-system table is now ("SkeStruct->RingeTab != NULL" when memory
// fails). The window's creation and a workspace without a window start
// alike.
void InitSkeStruct(SkeStruct *ske, char art, char visning, char layout, char variant, char tilstand,
                   uint8_t alleObjekter);

// The master table of an object kind into pTd and pTv (both null for
// another letter), and the kind letter into the workspace.
void SaetSkeObjektArt(SkeStruct *ske, char art);

// The grid row key of a row of the object axis: the object record of that
// row when the window shows all objects in one week, the period week index
// of that row otherwise; 0 outside the axis.
uint32_t SkeRaekkeNoegle(const SkeStruct *ske, uint32_t raekke);
// The object of a row of the object axis: the row's object when the window
// shows all objects in one week, else the window's own object (the current
// row of its object list); 0 when there is none.
uint32_t SkeRaekkeObjekt(const SkeStruct *ske, uint32_t raekke);

// The period week index of the window's current week: that of its current
// week row, or the program's current week when the row names none.
UgeIndeks SkeAktuelUgeIndeks(const SkeStruct *ske);

// The byte of a chosen cell (period week, day 1..7, slot 1..577) in a block
// table of BlokUger weeks; null outside it.
uint8_t *BlokCelle(uint8_t *blokke, uint32_t blokUger, uint32_t uge, uint32_t dag, uint32_t slot);

// Frees every table the workspace owns (the shared block tables only
// forgotten), empties its reference event and zeroes the fields that held
// them. The workspace itself is the caller's.
void FrigivSkeStruct(SkeStruct *ske);
