#pragma once
// Filling the count tables: the plan list from the plan lines with the
// actual figures of events and postings beside them, the plan sums per week
// and month, the full recount, and the counters that add one event or one
// posting (sign +1) or take it away again (sign -1), so that the tables
// equal a full recount between rebuilds.
//
// Events whose first row has a weekday outside 1..7 or a lesson above the
// ring system's 48 are left out by every counter, as are events and
// postings outside the period's weeks and months: the tables have no cell
// for them and the recount never visits them.

#include <cstdint>

#include "DATO.h"
#include "SIDEFIL.h"
#include "TALTAB.h"

constexpr uint8_t MAX_LEKTION = 48;

#pragma pack(push, 1)
struct AnfoGrundPost {
  uint32_t anfo;
  char Aktivitetstype[5];   // of the employment's schedule role
  uint32_t skemarol;
  float Minutnorm;          // stored in the row
  float Faktor;
  float Beregn;             // computed minute norm
  float Timer;
  uint8_t Hvorfra;          // rule code; 3 when the activities disagree
};

struct AktiGrundPost {
  uint32_t akti;
  float Timer;              // sum over the employments, sickness roles left out
  float Skrab;              // one employment's hours for this activity
  char Aktivitetstype[5];
  char Type[11];
  float Andel;              // share of the event
  float Lektionsvaerdi;
};

struct LokaGrundPost {
  uint32_t loka;
  uint32_t lokrolle;
  float Lektionsvaerdi;
};
#pragma pack(pop)

// The figures of one event.
struct AnfoAktiGrundRec {
  Dato Dato_;
  uint32_t AntalAkti, AntalAnfo, AntalLoka;
  uint32_t skfa;
  uint32_t AntalLaerere;
  uint32_t AntalSyge;
  float Lektionsvaerdi;     // of the first row
  float Minutter;
  AnfoGrundPost *AnfoGrundTab;
  AktiGrundPost *AktiGrundTab;
  LokaGrundPost *LokaGrundTab;
  uint32_t AllokAnfo, AllokAkti, AllokLoka;
};

// The counter's own figures, reused by every event it counts.
extern AnfoAktiGrundRec AnfoAktiGrund;

// 1 when a live plan group of this installation exists; without it postings
// and events add nothing to the plan list.
extern uint32_t HarEgenPlan;

// Today's date for the counters; tests put a fixed day here.
extern Dato (*TalDagsDato)();

void AllokerAnfoAktiGrund(AnfoAktiGrundRec *g);
void FreeAnfoAktiGrund(AnfoAktiGrundRec *g);
// The head of an event's figures; false when the address holds no row, or
// the event has a weekday or lesson the tables cannot hold.
bool SaetAnfoAktiGrundHoved(uint8_t aarIdx, uint8_t uge, uint32_t forste, AnfoAktiGrundRec *g);
void FyldAnfoAktiGrund(uint8_t aarIdx, uint8_t uge, uint32_t forste, AnfoAktiGrundRec *g);
void BeregnAnfoTimer(AnfoAktiGrundRec *g);

// The week bucket of an event address, or null.
TabVar *UgeBucket(uint8_t aarIdx, uint8_t uge);

// Adds (+1) or removes (-1) one event's figures.
void OptaelSkemabeg(uint8_t aarIdx, uint8_t uge, uint32_t forste, int sign);
// True when a live hontim row already registers the same time off (H in
// thousandths of an hour) for the employment on that day.
bool HontimFindes(uint32_t anfo, Dato dato, int32_t H);

// The lists of an event not yet placed; the counter writes each
// employment's computed minute norm and rule code into beregnTab and
// hvorfraTab.
struct AVSLister {
  const uint32_t *aktiTab;
  uint32_t AntalAkti;
  const uint32_t *anfoTab;
  const uint32_t *skemarolTab;
  const float *minutTab;
  float *beregnTab;
  uint8_t *hvorfraTab;
  uint32_t AntalAnfo;
  uint32_t AntalLoka;
  uint32_t skfa_id;
  uint8_t Dag;
  Klokkeslaet Starttid;
  Klokkeslaet Sluttid;
};
void FyldAnfoAktiGrundFraAVS(Dato dato, const AVSLister *avs, AnfoAktiGrundRec *g);
void OptaelAVS(Dato dato, AVSLister *avs, float lektionsvaerdi);

// ---- The plan list ----
// Every operation on the list holds TalMutex while it works (the adders
// too: the planning worker may be rebuilding the list meanwhile).
void CountPlanTal();
void AddPlanTabSkema(uint32_t akti, uint32_t anfo, uint32_t skfa, MaanedIndeks m, UgeIndeks w, uint8_t ugedag,
                     float minutnorm, float vaerdi, uint32_t lektioner);
void AddPlanTabTimoak(uint32_t akti, uint32_t anfo, MaanedIndeks m, UgeIndeks w, uint8_t ugedag, uint8_t type,
                      float timer);
// Both with TalMutex held by the caller.
void CountSkemaTal();
void CountTimoakTal();
void SumPlanTalUge(uint32_t akti, uint32_t skfa);
void FillPlanTalMnd(uint32_t anfo);
void CountPlanTalMnd();

// ---- The recount and the row counters ----
void AllokerMedTalArbejdstid();
void AllokerTalTab();
// The recount part of AllokerTalTab, on the tables AllokerTalTabeller has
// just made (zeroed, the stored counters reset).
void GenoptaelTalTab();
void OptaelTimoak(const TimoakRaekke *row, int sign);
void OptaelUdplatim(const UdplatimRaekke *row, MaanedIndeks m);
void OptaelHontim(const HontimRaekke *row, MaanedIndeks m);

// The plan-list questions of the last full recount, and how many of them
// the answers kept from the recount before it answered.
struct PlanSvarTal {
  uint32_t spurgt, husket;
};
PlanSvarTal SidstePlanSvar();

// A value to 2 decimals in thousandths, as the tables hold lessons and hours.
int32_t Tusindedele(double v);
