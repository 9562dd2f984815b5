#pragma once
// Figures for the list windows and statements, computed on demand from the
// schedule rows, the postings, the working-time records and the count
// tables: lessons and hours of an employment, activity or room over a week
// or a period, posting hours, time-off balances and room occupation.
// Lessons are in thousandths unless a function says whole; hours are f32.
// The window argument is asked for its display mode (message 1474); 0 means
// the lesson view.

#include <cstdint>

#include "DATO.h"
#include "win/types.h"

// Period kinds.
enum : int {
  TALPER_UGE = 1,        // Monday to Sunday of the week
  TALPER_AKK = 2,        // lower bound to the Sunday of the week
  TALPER_DAG = 3,        // lower bound to the shown weekday of the week
  TALPER_IALT = 4,       // lower to upper bound
  TALPER_FOER = 5,       // lower bound to the Sunday before the week
  TALPER_EFTER = 6,      // Monday of the week to the upper bound
  TALPER_PERIODE = 7,    // lower to upper bound
};

struct TalPeriodeRec {
  Dato Fra, Til;
  UgeIndeks FraIdx, TilIdx;   // 0 before the period, weeks + 1 after it
  uint32_t CellerPrDag;
};

// Asks a window a question by message (the list window its display mode,
// the date window its date) through ListeTalKrog.Spoerg: the data store does
// not link the window layer. Without it every answer is 0.
LRESULT TalSpoerg(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
struct ListeTalKroge {
  // SendMessage, filled by the wiring.
  LRESULT (*Spoerg)(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};
extern ListeTalKroge ListeTalKrog;

// The window's display-mode letter: 'D', 'T' or 'L' (lesson view).
char VisningsBogstav(HWND hwnd);

void TalPeriode(HWND hwnd, int art, UgeIndeks w, Dato nedre, Dato oevre, TalPeriodeRec *p);

// One line per role: the lessons (thousandths) and hours counted for it.
struct RolleTal {
  uint32_t rolle;      // skemarol, or lokrolle for a room
  int32_t Lektioner;
  float Timer;
};
constexpr uint32_t MAX_ROLLETAL = 64;
struct RolleTalListe {
  uint32_t Antal;
  RolleTal Post[MAX_ROLLETAL];   // roles past the last slot are not listed
};

// Adds the figures of the event whose row raekke lies in the bucket of
// (aarIdx, uge) for one object: kind 'M' employment, 'K' activity, 'L'
// room. Every result pointer may be null; results are added to. True.
bool SkemabegObjektTal(uint8_t aarIdx, uint8_t uge, uint32_t raekke, char art, uint32_t objekt,
                       float *pTimer, int32_t *pLektioner, int32_t *pLaererLektioner,
                       RolleTalListe *pRoller, bool fFlag);

// Lessons (thousandths) of the employment's live teaching rows in week w.
int32_t AnfoUgeLektioner(HWND hwnd, uint32_t anfo, UgeIndeks w);
// Teaching hours of the weeks w - 2 .. w; false (no value) below week 2.
bool AnfoTreUgerTimer(HWND hwnd, uint32_t anfo, UgeIndeks w, float *pTimer);

// The employment's event figures over the period of kind art inside its
// statement period; results are added to. False when the statement period
// lies outside the schedule period.
bool AnfoPeriodeTal(HWND hwnd, uint32_t anfo, UgeIndeks w, float *pTimer, int32_t *pLektioner, int art,
                    RolleTalListe *pRoller = nullptr);
// The activity's figures over the period of kind art; results are added to.
void AktiPeriodeTal(HWND hwnd, uint32_t akti, float *pPostTimer, float *pBegTimer, int32_t *pLaererLektioner,
                    int32_t *pElevLektioner, int art);
// Hours of the employment's postings in the period, added to *pResultat.
void AnfoPostTimer(HWND hwnd, uint32_t anfo, UgeIndeks w, float *pResultat, int art);
// Contribution of the employee's working-time records in the period:
// whole hours x 1000.
int32_t AnfoArbejdstidBidrag(HWND hwnd, uint32_t anfo, UgeIndeks w, int art);
// Occupied lessons of the room in the period, whole lessons.
int32_t LokaBelaegning(HWND hwnd, uint32_t loka, int art);
// Opening value x 10 of the employment's primotal record of the hour type
// (for "AA" only one dated dato); 0 when none.
int32_t PrimotalVaerdi(uint32_t anfo, const char *kode, Dato dato);
// Opening balance and period total, whole units; kind 1 time off in lieu
// ("AA"), 2 care days ("O"). False when nothing could be computed.
bool AnfoFravaerSaldo(HWND hwnd, uint32_t anfo, UgeIndeks w, int32_t *pPrimo, int32_t *pIalt, int art);
// Sum of MedTal slot 19 (kind 1) or 20 (kind 2) over the statement period,
// whole units.
bool AnfoMedTalAarSum(HWND hwnd, uint32_t anfo, UgeIndeks w, int32_t *pSum, int art);
