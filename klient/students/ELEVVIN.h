// The student overview (" Elevoversigt"): every student of the planning
// window's group as a row against every slot of the group as a column; a
// cell shows the block of the activity that holds the student there, a
// block of the student (not available) or nothing. Ctrl+X blocks a student
// at a slot or lifts the block. It lives only beside the planning window,
// whose workspace it reads and changes. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "BESKEDER.h"
#include "ELEVPLANWS.h"
#include "ENS.h"
#include "ENSDC.h"
#include "GRIDAKSE.h"
#include "TASTINFO.h"
#include "windows.h"


// The overview's window kinds: the student columns (row header), the slot
// header in week and lesson groups, the cells, and the corner header line
// in week and lesson groups.
constexpr uint32_t ELEVVIN_RAEKKE_ART = 85;
constexpr uint32_t ELEVVIN_PP_UGE_ART = 86;
constexpr uint32_t ELEVVIN_PP_LEKTION_ART = 87;
constexpr uint32_t ELEVVIN_CELLE_ART = 90;
constexpr uint32_t ELEVVIN_HJOERNE_UGE_ART = 95;
constexpr uint32_t ELEVVIN_HJOERNE_LEKTION_ART = 94;
enum { ELEVVIN_RAEKKE = 0, ELEVVIN_PP = 1, ELEVVIN_CELLE = 2, ELEVVIN_HJOERNE = 3, ELEVVIN_ARTER = 4 };

struct ElevVinWS {
  Ens ens;  // the grid frame's head comes first
  alignas(4) GridPos PpPos;    // columns: slots
  alignas(4) GridPos ElevPos;  // rows: students in ElevVisTab order
  alignas(4) GridPos Tredje;   // the third axis, one entry
  uint32_t PpFoer;             // the previous-current values
  uint32_t ElevFoer;
  HWND hwnd;
  int Type;
  uint8_t Bogstav;
  HWND PlanVindue;
  ElevPlanWS *Plan;  // the planning window's workspace (not owned)
  uint32_t Art[ELEVVIN_ARTER];
  uint32_t Valgt[ELEVVIN_ARTER];
  uint32_t Antal[ELEVVIN_ARTER];
  uint32_t *Kolonner;  // ElevVinKolonner: a copy of PpTab, 1-based
  uint32_t KolonneAntal;
  uint32_t ByggetTg;  // the group of the last rebuild
  uint8_t FremElever;  // the advance axis: 1 students, 0 slots
  HWND *SorterKnapper;
  uint32_t SorterKnapAntal;
  uint32_t SortKolonne;
  uint8_t Sorteret;
  uint8_t SortRetning;  // 0 ascending, 2 descending
  RECT GemtRect;
  uint8_t ElementTegning;
  EnsDC RammeDC;
};

// ---- Columns, texts, buttons and sizes ----
void ElevKolonneSortering(uint32_t kode, bool *pDansk, uint32_t *pBredde);
// The cell text of a column code for the student at position elev of
// ElevTab and the slot at position pp of PpTab, written within str bytes;
// the colour and font out only when the code sets them.
void ElevCelleTekst(const ElevVinWS *ws, uint32_t kode, uint32_t bredde, uint32_t pp, uint32_t elev, char *tekst,
                    size_t str, uint8_t *pFarve, HFONT *pSkrift);
void OpretSorterKnapperElevVin(ElevVinWS *ws);
void ElevVinKnapKommando(ElevVinWS *ws, uint32_t id, uint32_t vaerdi);
int ElevVinBredde(const ElevVinWS *ws, int graense);
int ElevVinHoejde(const ElevVinWS *ws, int graense);

// ---- The window ----
HWND CreateElevVinWnd(HWND desktop, int venstre, int top, int hoejre, int bund, int type = kElevVinType);
LRESULT CALLBACK ElevVinWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
ElevVinWS *ElevVinVinduesWS(HWND hwnd);
// The kinds of the slot header and corner follow the group's
// UgeLektionsGruppe.
void ElevVinArter(ElevVinWS *ws);
// The slot list from PpTab; current on the pp table's current record, or
// the first slot (which then becomes the table's current record).
void ElevVinByggKolonner(ElevVinWS *ws);
// The student rows sorted on the overview's sort column.
void ElevVinByggRaekker(ElevVinWS *ws);
void TegnElevVin(ElevVinWS *ws, int flag);
void ElevVinScroll(ElevVinWS *ws, int flag);
// Keys: mode 1 asks, mode 2 carries out; *pFlag what to paint.
int ElevVinTast(ElevVinWS *ws, const TastInfo &tast, int mode, int *pFlag);

bool RegistrerElevVinKlasse(HINSTANCE inst);
void AfregistrerElevVinKlasse(HINSTANCE inst);
