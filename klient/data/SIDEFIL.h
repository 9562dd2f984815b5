// The schedule side files: the event rows by week (data/skemabeg.dat) and
// the three kinds of dated postings by month (data/timoak.dat,
// data/udplatim.dat, data/hontim.dat), each kept in memory as one small
// table per week or month of the schedule period; and the activities' local
// schedule priorities (data/aktiprioriteter.dat).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "DATO.h"
#include "SKEREC.h"
#include "TABREG.h"

#pragma pack(push, 1)
struct TimoakRaekke {
  uint32_t id;
  uint8_t Status;
  uint8_t PlanStatus;
  uint32_t Tid;          // change time
  char Type;             // posting kind letter
  uint32_t akti_id;      // akti record
  uint32_t anfo_id;      // anfo record
  uint32_t Dato;         // YYYYMMDD
  int32_t Timer;         // hours x 100
  uint8_t Maaneddag;     // Måneddag: day of month
  uint8_t Ejer;          // owning installation
  uint8_t Fejl;
  uint8_t Konflikt;
};

struct UdplatimRaekke {
  uint32_t id;
  uint8_t Status;
  char Type;
  uint32_t akti_id;
  uint32_t planakt_id;
  uint32_t anfo_id;
  uint32_t skfa_id;
  uint32_t Dato;
  int32_t Timer;         // hours x 100
  uint8_t mnddag;
};

struct HontimRaekke {
  uint32_t id;
  uint8_t Status;
  uint32_t hontity_id;
  uint32_t anfo_id;
  uint32_t Dato;
  int32_t Enheder;       // units x 100
  uint8_t mnddag;
};
#pragma pack(pop)

static_assert(sizeof(TimoakRaekke) == 31);
static_assert(offsetof(TimoakRaekke, Tid) == 6);
static_assert(offsetof(TimoakRaekke, akti_id) == 11);
static_assert(offsetof(TimoakRaekke, Timer) == 23);
static_assert(offsetof(TimoakRaekke, Konflikt) == 30);
static_assert(sizeof(UdplatimRaekke) == 31);
static_assert(offsetof(UdplatimRaekke, akti_id) == 6);
static_assert(offsetof(UdplatimRaekke, Timer) == 26);
static_assert(offsetof(UdplatimRaekke, mnddag) == 30);
static_assert(sizeof(HontimRaekke) == 22);
static_assert(offsetof(HontimRaekke, hontity_id) == 5);
static_assert(offsetof(HontimRaekke, Enheder) == 17);
static_assert(offsetof(HontimRaekke, mnddag) == 21);

// Row descriptors (not in the registry).
extern const TabDesc tdske;
extern const TabDesc tdtimoak;
extern const TabDesc tdudplatim;
extern const TabDesc tdhontim;

// Buckets: week buckets at year index x 54 + ISO week (1..53), month buckets
// at year index x 13 + month (1..12); the year index is the year minus the
// period's first year, as a byte.
constexpr uint32_t UGE_SLOTS = 54;
constexpr uint32_t MND_SLOTS = 13;
constexpr uint32_t ANTAL_UGEBUCKETS = kMaxAarIPeriode * UGE_SLOTS;
constexpr uint32_t ANTAL_MNDBUCKETS = kMaxAarIPeriode * MND_SLOTS;

extern TabVar SkemabegUgeTab[ANTAL_UGEBUCKETS];
extern TabVar TimoakMndTab[ANTAL_MNDBUCKETS];
extern TabVar UdplatimMndTab[ANTAL_MNDBUCKETS];
extern TabVar HontimMndTab[ANTAL_MNDBUCKETS];

// The bucket of a week (YYYYWW) or a month (YYYYMM); null when the week or
// month number is outside 1..53 or 1..12 or the year lies before the
// period's first year or too far after it.
TabVar *SkemabegBucket(Uge uge);
TabVar *TimoakBucket(Maaned maaned);
TabVar *UdplatimBucket(Maaned maaned);
TabVar *HontimBucket(Maaned maaned);

// 0; -1 on a read error, a failed allocation or a header whose row size
// differs and cannot be converted. A missing file gives empty buckets. The
// buckets are emptied first.
int LoadSkemabeg();
int LoadTimoak();
int LoadUdplatim();
int LoadHontim();
// 0, or -1 when the file cannot be written; the old file is then left as
// it was (the file is replaced through the crash-safe save: part of the
// running save, or a save of its own).
int SaveSkemabeg();
int SaveTimoak();
int SaveUdplatim();
int SaveHontim();
// The side file of tdske, tdtimoak, tdudplatim or tdhontim written from the
// buckets that bucket() gives per week or month index of the period (null:
// none); the live writers above and the background save's copies share it.
int SkrivSideFil(const TabDesc *pTd, const std::function<TabVar *(uint32_t indeks)> &bucket);
// Frees every bucket of a kind.
void TomSkemabeg();
void TomTimoak();
void TomUdplatim();
void TomHontim();

// The activities' local schedule priorities: one byte per akti record,
// 254 = no local priority. Null until first needed; it grows with the akti
// table (SikrAktiPrioritetMinde).
constexpr uint8_t INGEN_AKTI_PRIORITET = 254;
extern uint8_t *AktiPrioritetMinde;
extern uint32_t AktiPrioritetAntal;
// Makes room for n activities; false when the memory cannot be had.
bool SikrAktiPrioritetMinde(uint32_t n);
void FrigivAktiPrioritetMinde();
// Gives activity r the schedule priority ny in its record and marks its
// block for the save; the first change remembers the priority the record
// had, which is what the export compares with. False for a record outside
// the table or when the memory cannot be had.
bool SaetAktiSkemaPrioritet(uint32_t r, uint8_t ny);
void LoadAktiPrioriteter();
// Writes data/aktiprioriteter.dat when the memory exists: "id;priority" for
// every activity whose local priority is set, differs from its
// Skema_prioritet, whose status is not 30 and which is not reserved.
// 0, or -1 when the file cannot be written (the old one is then kept).
int GemAktiPrioriteter();
