#pragma once
// The hours statement window (MedOpgWndClass): the current employment's
// hours of the current month and of its accounting period, actual beside
// planned, with the differences and the hours account. A small fixed grid of
// relay panes, each drawn through a drawing context kept for the window's
// life; the figures are written anew on every paint and on every change of
// the current date, employment or data.

#include <cstdint>

#include "BESKEDER.h"
#include "ENSDC.h"
#include "windows.h"



// Panes, in the order of the workspace.
enum MedOpgRude : int {
  OPG_TOP = 0,          // the employment's identification line
  OPG_MND = 1,          // the current month: rows, then its total
  OPG_MND_IALT = 2,
  OPG_MND_PLAN = 3,
  OPG_MND_PLAN_IALT = 4,
  OPG_MND_DIFF = 5,
  OPG_MND_DIFF_IALT = 6,
  OPG_PER = 7,          // the accounting period
  OPG_PER_IALT = 8,
  OPG_PER_PLAN = 9,
  OPG_PER_PLAN_IALT = 10,
  OPG_PER_DIFF = 11,
  OPG_PER_DIFF_IALT = 12,
  OPG_REGNSKAB = 13,    // the account rows
  OPG_RESULTAT = 14,
  kMedOpgRuder = 15,
};

struct MedOpgWS {
  HINSTANCE hInstance;
  HWND hwnd;
  HWND hwndParent;
  EnsDC dc;
  HWND hwndRude[kMedOpgRuder];
  EnsDC RudeDC[kMedOpgRuder];
  int32_t TekstOffset;  // y of a number inside its row
  int32_t x, y, Bredde, Hoejde;
  uint32_t Anfo;        // the employment shown
  uint32_t SidstAnfo;   // ... when the figures were last written on a message
  uint32_t Maaned;      // the current month index
  uint32_t SidstMaaned;
  uint8_t Aktiv;        // the active window of its screen cell
  uint8_t IgnorerDato;  // never set here: date changes are always followed
  int32_t X[10];
  int32_t Y[6];
  uint32_t Art;         // kMedOpgArt
};

// Set by each run of FyldMedOpg: the planned hours of the period came from
// the planning module's month table (and are not 0); their cells are then
// on colour 39.
extern uint32_t MedOpgPlanKilde;

// The text height of the program font and the caption columns' widths, as
// the screen measures them. Col1 and Col2 follow [flag] normsystem.
int32_t MedOpgTekstHoejde();
int32_t CalcMedOpgCol1Width();
int32_t CalcMedOpgCol2Width();
// The window's size, each at most the limit.
int32_t CalcMedOpgWidth(int32_t graense);
int32_t CalcMedOpgHeight(int32_t graense);
void CalcMedOpgLayout(MedOpgWS *ws);

// Bits of RydMedOpgRuder.
enum : uint32_t {
  OPG_RYD_TOP = 1,
  OPG_RYD_MND = 2,
  OPG_RYD_MND_PLAN_DIFF = 4,
  OPG_RYD_PER = 8,
  OPG_RYD_PER_PLAN_DIFF = 16,
  OPG_RYD_REGNSKAB = 32,
  OPG_RYD_ALT = 63,
};
// Fills the chosen panes with their background; the "Plan" panes take
// colour 39 while MedOpgPlanKilde is set, all others colour 0.
void RydMedOpgRuder(MedOpgWS *ws, uint32_t dele);
// RoundMilli(vaerdi) right-aligned in five characters at (0, y) of the pane,
// opaque; the pane's colours are set only when they change.
void TegnMedOpgTal(EnsDC *rude, uint8_t tekstFarve, uint8_t bkFarve, int y, int32_t vaerdi);
// Computes and writes every figure for the workspace's employment at the
// current date.
void FyldMedOpg(MedOpgWS *ws);
// The frame: lines, header, captions and the panes' empty rows.
void TegnMedOpg(MedOpgWS *ws);

LRESULT CALLBACK MedOpgWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Registers MedOpgWndClass: its own DC, the program's cursor 104, the brush
// of colour 0. False (logged) when it could not be registered.
bool RegistrerMedOpgKlasse(HINSTANCE inst);
// The statement as the window factory opens it: a zeroed workspace, an
// untitled child of the parent at (x, y), CalcMedOpgCol1Width +
// CalcMedOpgCol2Width + 312 wide and 9 text heights + 20 high, child id
// kMedOpgArt. Not shown. 0 when it cannot be made.
HWND CreateMedOpgWnd(HINSTANCE inst, HWND parent, int x, int y);
