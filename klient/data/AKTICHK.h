#pragma once
// Small decisions about activities and their budgets that the schedule
// entry, the posting checks and the list columns share: may an object be
// scheduled, may hours be added under a budget lock, budget and used hours,
// the planned lessons of the plan tables, the pupils of an activity on a
// day, and whether two events' remarks differ. Missing records give the
// neutral answer (may be scheduled, no budget, not locked, 0 pupils).

#include <cstdint>

#include "DATO.h"
#include "win/types.h"

// The date window of the status bar (answers 1931 with its date). The shell
// sets it; without it, or when it answers 0, the period's current date is
// the budget date.
extern HWND hDatoVindue;
Dato BudgetDato();

// 1 may be scheduled, 0 not: an activity ('K') whose Aktivitet begins with
// '+' is refused. Mode 2 tells the user about a refusal.
int KanSkemalaegges(uint8_t typeBogstav, uint32_t recnr, int mode);

// 1 allowed, 0 refused (and the user told): the activity is budget-locked
// and used + tilfoej (hundredths of an hour) would pass its budget.
int CheckBudgetLaas(uint32_t akti, int32_t tilfoej);

// Budget of the activity in whole hours at the budget date: the applying
// budt records, else the activity's own BudgetLererTimer.
int32_t AktiBudgetTimer(uint32_t akti);
// Hours used by the activity over its figures period, in hundredths.
int32_t AktiTimerBrugt(uint32_t akti);
// First budt record applying at the budget date: 1 and its dates, else 0.
int FindBudtPeriode(uint32_t akti, Dato *pFra, Dato *pTil);

// Planned lessons (whole) and plan budget of an activity, subject and
// employment (0 = any activity or employment). Each non-zero sum is stored
// through its pointer (either may be null); 1 when their total is above 0.
int PlanLektioner(uint32_t akti, uint32_t skfa, uint32_t anfo, uint32_t *pLektioner, uint32_t *pBudget);

// Persons enrolled on the activity on the date; 0 outside the period.
uint32_t GetAktiDatoElever(uint32_t akti, Dato dato);

// The remark lines of one event's property set.
struct BemaerkningsLinjer {
  const char *const *Linje;
  uint32_t Antal;
};
// True when the two remark texts (lines joined, at most 254 characters)
// differ.
bool ObjListeDiffer(BemaerkningsLinjer a, BemaerkningsLinjer b);

// One time posting of the hub's reply: the sign ('+' or '-'), the value
// (kept as it was for a '-'), the magnitude and the first number.
struct TidspostRec {
  uint32_t Fortegn;
  uint32_t Vaerdi;
  uint32_t Stoerrelse;
  uint32_t Tal;
};
// What the checks reach above the data store, filled by the wiring.
struct AktiChkKroge {
  // The user-visible warnings (owner the main window or none, the text,
  // the caption): an exclamation message box. Empty, nothing is shown.
  void (*Advarsel)(bool fHovedvindue, const char *tekst, const char *titel);
  // The web's time-post check (employee id, first and last date, records
  // and their room, out status '0' after a good reply): the data store
  // does not reach the network itself. Empty, there is no answer.
  int (*TidspostCheck)(int meda_id, int fradato, int tildato, TidspostRec *poster, unsigned antal, char *status);
};
extern AktiChkKroge AktiChkKrog;

// True when the hub answered the time-post query of the employment's
// employee for the period; false without the employment, its employee or
// an installed check.
bool AnfoTidspostCheck(uint32_t anfo, Dato fradato, Dato tildato, TidspostRec *poster, unsigned antal);
