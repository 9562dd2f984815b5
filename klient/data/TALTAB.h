#pragma once
// The count tables: lesson, hour, holiday, working-time and room figures
// derived from the stored tables, the week buckets of events and the month
// buckets of postings. Never saved. Each table is one zeroed block; a null
// table means its allocation failed or has not been made, and every reader
// tests for that first. A cell (record n, period p) of a two-dimensional
// table is n x (periods + 1) + p.
//
// The sizes each table was made with are kept beside it (TalDim and the
// plan sizes), and every counter checks record numbers and period indexes
// against them, so records added or a period changed after an allocation
// can never index past a table.

#include <cstddef>
#include <cstdint>

#include "win/types.h"

#pragma pack(push, 1)
// One entry of the plan list.
struct PlanTabPost {
  uint32_t ffgrund;          // plan line; 0 for entries from events and postings
  uint32_t akti;
  uint32_t skfa;             // 0 for entries from postings
  uint32_t anfo;
  uint32_t UgeIdx;
  uint32_t MndIdx;
  uint32_t SkemaLektioner;   // thousandths
  uint32_t PlanLektioner;    // plan lines of kind 'U'
  float PlanUndervisning;    // hours of the planned lessons
  float PlanTimer;           // kind 'A'
  float PlanRettearbejde;    // kind 'R'
  float PlanEksamen;         // kind 'E'
  float Aktuel;              // summed over the events or postings
  float Minutnorm;           // -1 for posting entries
  uint8_t Art;               // 'U', 'A', 'R', 'E'
  uint8_t Ugedag;
  uint8_t Kilde;             // 0 plan line, 1 event, 2 posting
};

struct PlanTalMndCelle {
  float Undervisning;
  float Timer;
  float Rettearbejde;
  float Eksamen;
};

struct PlanTalUgeCelle {
  uint32_t Lektioner;
  uint32_t Ubrugt;
};

struct MedTalUgeCelle {
  uint32_t Lektioner;  // thousandths
  float Timer;
};

struct MedTalArbejdstidCelle {
  uint32_t Minutter;     // x 1000
  float Bidrag;          // x 1000
  float Fravaer;         // hours of absence and SLS events
  float Indbetalt;       // x 1000
  float Fremtid;         // teaching hours of events from today on
  float Undervisning;    // minutes x 1000 plus the hours of past events
};

// Thousandths of days.
struct MedTalFerieCelle {
  uint32_t Overfoert;
  uint32_t Optjent;
  uint32_t PlanlagtFremad;
  uint32_t Afholdt;
  uint32_t OptjentFridage;
  uint32_t SaerligFremad;
  uint32_t SaerligAfholdt;
};

struct AktiTalCelle {
  uint32_t ElevLektioner;
  uint32_t LaererLektioner;
  float Timer;          // hours of the events
  float TimoakTimer;    // hours of the postings
};
#pragma pack(pop)
static_assert(sizeof(PlanTabPost) == 59);
static_assert(sizeof(MedTalArbejdstidCelle) == 24);
static_assert(sizeof(MedTalFerieCelle) == 28);
static_assert(sizeof(AktiTalCelle) == 16);

// Slots of an employment's monthly figures (MedTal).
constexpr int MEDTAL_SLOTS = 21;
typedef float MedTalMaaned[MEDTAL_SLOTS];

constexpr uint32_t PLANTAB_SKRIDT = 10000;
constexpr uint32_t LOKA_SLOTS_PR_AAR = 53 * 7 * 48;  // 17808
constexpr uint8_t LOKA_OPTALT_MAX = 255;

struct PlanTalRec {
  uint32_t Antal;          // entries in use; entry 0 holds nothing
  PlanTabPost *PlanTab;    // entries 0..Antal
};

// The sizes the count tables were made with.
struct TalDimRec {
  uint32_t W, M, Y, Y1, D;   // weeks, months, years, years with the one before, days
  uint32_t A, F, E, R, S;    // akti, anfo, meda, loka, skph record counts
};

extern PlanTalRec PlanTal;
extern PlanTalMndCelle *PlanTalMndTab;
extern uint32_t PlanTalMndM, PlanTalMndF;
extern PlanTalUgeCelle *PlanTalUgeTab;
extern uint32_t PlanTalUgeW;
extern MedTalUgeCelle *MedTalUgeTab;
extern MedTalArbejdstidCelle *MedTalArbejdstidTab;
extern MedTalFerieCelle *MedTalFerieTab;
extern AktiTalCelle *AktiTalTab;
extern uint16_t *AktiDagTab;
extern uint32_t *AktiAflystTab;
extern uint32_t *skphAkkTab;
extern uint32_t *LokaSumTab;
extern uint8_t *LokaOptalt;
extern uint32_t AflystBegAntal;
extern TalDimRec TalDim;

// The count mutex: unnamed and recursive. The shell makes it at start-up
// and closes it at exit. Making it also hands the plan list to the plan
// value question, which only tries it.
extern HANDLE TalMutex;
void OpretTalMutex();
void LukTalMutex();
// Waits without limit (nothing to wait for before the mutex exists).
void TagTalMutex();
// Takes it only when no other thread holds it; false then.
bool ProevTalMutex();
void SlipTalMutex();

// The current sizes from the period and the tables.
TalDimRec BeregnTalDim();

// The employment's monthly figures (M + 1 months), or null.
MedTalMaaned *MedTalFor(uint32_t anfo);
// The months of the MedTal arrays that exist.
extern uint32_t MedTalM;

// Makes room for entry number PlanTal->Antal; the caller has raised it.
void GrowPlanTab(PlanTalRec *PlanTal);
// Raises the count and makes room: the new entry, zeroed.
PlanTabPost *NyPlanTabPost();
void FreePlanTab();
// Begins the list anew as FreePlanTab does, and keeps its block for the
// entries of the next list (the lists of one school are alike in size).
void BegyndPlanTab();
void AllokerPlanTalMndTab();
void AllokerPlanTalUgeTab();
void FreePlanTalTabeller();

void FreeAktiTalTab();
void AllokerAktiTalTab();
void FreeSkphTalTab();
void AllokerSkphTalTab();
void FreeLokaSumTab();
void AllokerLokaTalTab();
void FreeMedTalArbejdstidTab();
void AllokerMedTalArbejdstidTab();
// Frees each employment's MedTal and makes it anew (status 10 or 30).
void AllokerMedTal();
// The allocation part of the full recount: every table but the plan tables
// and the working-time table (AllokerMedTalArbejdstid makes and fills that),
// the stored counters reset, the holiday figures of ferieopg set.
void AllokerTalTabeller();
// Everything the main window frees when it closes.
void FreeAlleTalTabeller();

// The persons enrolled on the activity on a day of the period; 0 outside.
uint32_t AktiDagElever(uint32_t akti, int32_t dagOffset);

// The allocators behind the tables, replaceable so that tests can make a
// chosen allocation fail.
struct TalAllokatorer {
  void *(*Malloc)(size_t n);
  void *(*Calloc)(size_t antal, size_t size);
  void *(*Realloc)(void *p, size_t n);
};
extern TalAllokatorer TalAlloc;
