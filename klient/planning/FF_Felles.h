#pragma once
// The common subjects and students window ("Fælles fag / elever", class
// PlanFelWndClass, child id 40270) and the recount of the shared students
// of fagelv. The window follows the plan window's current activity and
// only shows: it changes no data. Main thread only.

#include <cstdint>

#include "ENS.h"
#include "windows.h"

// The field-layout kind of the window's left columns, table letter 'K':
// field 1 the row's activity, 2 the subject's Skolefag, 3 its Niveau, 4 its
// Betegnelse, 5 the employment's Initialer.
constexpr uint32_t kFelArt = 114;

struct FelSkfaAnfo {
  uint32_t Skolefag;  // skfa record
  uint32_t Anfo;      // anfo record, 0 when the plan names none
};

// One entry per activity record.
struct FelCntPost {
  uint32_t FaellesFag;     // subject pairs shared with the current activity
  uint32_t FaellesElever;  // Fælles_Elever of the fagelv pair
  FelSkfaAnfo *SkfaAnfoTab;
};

// One row shown: the activity's own row has subject and employment 0.
struct FelObjPost {
  uint32_t Akti;
  uint32_t Skolefag;
  uint32_t Anfo;
};

struct FelWS {
  ::Ens Ens;  // first: the frame reaches the workspace through it
  uint32_t Art;
  uint8_t Bogstav;
  uint32_t LayoutAntal;
  uint32_t Layout;
  HWND hwnd;
  HWND hwndPlan;  // the plan window followed
  int Id;
  FelCntPost *FelCnt;
  uint32_t FelCntAntal;  // entries, record 0 included
  FelObjPost *FelObjTab;  // from entry 1
  uint32_t FelObjAntal;
  uint32_t AktuelAkti;
  uint32_t ByggetAkti;
  HWND *hwndSortButLeft;
  uint32_t SortButLeftAntal;
  HWND hwndSortButGrd;
  GridPos PosX;
  GridPos PosY;
  uint32_t RaekkeFoer;
};

// Makes the window at (x, y) of the desktop within (hoejre, bund), over the
// open plan window; 0 when there is no plan window or it could not be made.
HWND CreatePlanFelWnd(int x, int y, int hoejre, int bund, int id);
LRESULT CALLBACK PlanFelWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The workspace of a window of this class, null for any other.
FelWS *FelVinduesWS(HWND hwnd);

// The plan window's current row as the activity to follow: its record when
// the row's table letter is 'K', else 0. True when it differs from the
// activity the rows were last built for.
bool FelAktivFraPlan(FelWS *ws);
// FelCnt for the current activity: per other activity the subject pairs of
// the current activity whose subject it also has in the current plan group,
// each with the employment of the largest student lessons on the current
// activity's row of that subject (the first of equals).
void ByggFelCnt(FelWS *ws);
// FelCnt and the rows anew: per team activity of status 10..29 ending on or
// after the current group's Fradato that shares subjects or students with
// the current activity, its own row and one row per shared pair; the cursor
// on the first row.
void ByggFelObjTab(FelWS *ws);
// Frees the rows and FelCnt.
void FrigivFelTabeller(FelWS *ws);

// Rebuilds the Fælles_Elever counts of fagelv from the live person/activity
// links of akpl: every count to 0, then per person each pair of distinct
// activities once, keyed (lower, higher); a pair without a record gets one
// through the import's line parser (letter 'C'). fagelv is re-sorted.
void CountFaellesElever();
