#pragma once
// The staff timesheet (MedTimeWndClass): one employment's schedule lessons,
// postings and registered working time of one month, line by line under the
// week they fall in, with week subtotals and a grand total on top. Rebuilt
// whole from the tables on every refresh; nothing is cached. The module also
// holds the split of a schedule event over its activities by the persons
// enrolled on each that day. Main thread only.

#include <cstddef>
#include <cstdint>

#include "BESKEDER.h"
#include "DATO.h"
#include "ENS.h"
#include "windows.h"


// Field-layout kinds (all for the employment letter 'M'): the employment
// list, the lines and the head row.
constexpr uint32_t kMedTimeListeArt = '9';
constexpr uint32_t kMedTimeLinieArt = ':';
constexpr uint32_t kMedTimeHovedArt = '8';


// ---- Event split by enrolment ----

// Activity rows of the event the row belongs to (rows of the event in its
// week's bucket that carry an activity).
uint32_t CountBegRows(UgeIndeks uge, uint32_t raekke);
// Persons enrolled on the activity on that weekday (1..7) of the week; 0
// outside the period or the table.
uint32_t GetAktiDagElever(UgeIndeks uge, uint32_t akti, uint8_t ugedag);
// Persons on all the event's activities on its day; '+' activities do not
// count.
uint32_t SumBegElever(UgeIndeks uge, uint32_t raekke);
// The same over a list of activities on a weekday (an event not placed yet).
uint32_t SumAktiListElever(UgeIndeks uge, const uint32_t *akti, uint32_t antal, uint8_t ugedag);
// part / whole; 0 when whole is 0.
double CalcElevAndel(UgeIndeks uge, uint32_t del, uint32_t hel);
// The event's activity with the most persons (a later one wins a tie), 0
// when nobody is enrolled; *pRest the share the activities leave uncovered,
// to hundredths (0 when they cover the whole).
uint32_t SplitBegByElever(UgeIndeks uge, uint32_t raekke, float *pRest);

// ---- The lines ----

struct MedTimeLinie {
  uint32_t Uge;      // UgeIndeks; 0 on the totals line
  uint32_t akti;
  uint32_t skfa;
  uint32_t skemarol; // only on kind 'S'
  uint8_t Art;       // kind letter; ' ' week subtotal; 0 totals and working time
  uint8_t Art2;      // painted beside the kind; always 0 here
  float Lektioner;
  float Timer;
  float ArbTimer;
};

struct MedTime {
  alignas(8) Ens Hoved;  // ObjTab/ObjTabAntal: the employments listed
  uint8_t ObjBogstav;    // 'M'
  uint32_t ListeValg, LinieValg, HovedValg;  // chosen layouts of '9', ':' and '8'
  uint8_t Lille;         // small mode
  uint32_t AktuelObj;    // index into ObjTab, 0 none
  uint32_t GruppeMaske;
  MaanedIndeks *MndTab;  // 1-based
  uint32_t MndAntal;
  uint32_t AktuelMnd;    // index into MndTab, 0 none
  Dato AktuelDato;
  uint8_t Hold;          // the window does not follow the program's date
  MedTimeLinie *LinieTab;  // 1-based
  uint32_t LinieAntal;
  uint32_t Layout;       // 0, 1 or 2
  GridPos PosX, PosY;    // months and lines
  HWND hwnd;
  uint8_t AntalSkift;
};

// The current employment's record, or 0.
uint32_t MedTimeAnfo(const MedTime *mt);
// Employment list, months and lines from the tables at the window's date.
void ByggMedTimeListe(MedTime *mt);
void ByggMedTimeMaaneder(MedTime *mt);
void ByggMedTimeLinier(MedTime *mt);
void GenopbygMedTime(MedTime *mt);
// The 27-byte sort key of a line.
constexpr size_t kMedTimeNoegle = 27;
void MedTimeSortNoegle(const MedTimeLinie &l, uint8_t noegle[kMedTimeNoegle]);
// Frees the lists (the workspace itself is the caller's).
void FrigivMedTime(MedTime *mt);

// ---- The window ----

LRESULT CALLBACK MedTimeWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool RegistrerMedTimeKlasse(HINSTANCE inst);
// The timesheet at (x, y) in the parent within bredde x hoejde, in small
// mode when lille; child id kMedTimeVindue or kMedTimeBund. Not shown. 0
// when it could not be made.
HWND CreateMedTimeWnd(HWND parent, int x, int y, int bredde, int hoejde, bool lille, LPARAM data);
MedTime *MedTimeVinduesWS(HWND hwnd);
// Wanted size within the room offered.
int MedTimeBredde(const MedTime *mt, int plads);
int MedTimeHoejde(const MedTime *mt, int plads);
// The width of the small timesheet in a cell of the bottom row, by the
// chosen layouts.
int32_t MedTimeLilleBredde();
