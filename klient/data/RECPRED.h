#pragma once
// Small questions about single records that windows, the figures passes and
// the planning module ask instead of reading fields themselves: placeholder
// and archive marks, activity kinds, relations, competences, subject
// distributions and minute norms at a date. Nothing is cached; every answer
// is read from the tables at the moment of the call. A record number at or
// past its table's count (or in an empty table) answers false.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "DATO.h"
#include "TABREG.h"
#include "win/types.h"

// Record n of a table whose records are laid out as R, or null when n names
// no record.
template <class R>
inline R *TabRec(const TabVar &tv, uint32_t n) {
  if (!tv.pbTab || n >= tv.wRecCnt) return nullptr;
  return reinterpret_cast<R *>(tv.pbTab + static_cast<size_t>(n) * sizeof(R));
}

// A text field of n bytes equals s exactly (the field may lack its
// terminator when it is full).
inline bool FeltErTekst(const char *felt, size_t n, const char *s) {
  const size_t l = strlen(s);
  return l <= n && strncmp(felt, s, n) == 0 && (l == n || felt[l] == '\0');
}
// The same without regard to case (ASCII letters).
bool FeltErTekstI(const char *felt, size_t n, const char *s);

// ---- Object predicates (record numbers) ----
bool IsStjerneLoka(uint32_t loka);
bool IsStjerneMeda(uint32_t anfo);
bool IsHashMeda(uint32_t anfo);
bool IsStjerneAkti(uint32_t akti);
bool IsPlusAkti(uint32_t akti);
bool IsHoldAkti(uint32_t akti);
bool IsOvakAkti(uint32_t akti);
bool HasUvfoAkti(uint32_t akti);
// Record 0 is the placeholder: never inactive, never archived.
bool IsInaktivAkti(uint32_t akti);
bool IsArkivAnfo(uint32_t anfo);
bool IsInaktivAnfo(uint32_t anfo);

// ---- Relations and distributions ----
// The pair in either order.
bool AlrelFindes(uint32_t a, uint32_t b);
bool SkfalokarelFindes(uint32_t a, uint32_t b);
// The smallest position 1..laengde in liste (1-based: liste[1..laengde]) of
// an activity ('K') or room (any other letter) that alrel relates to obj;
// 0 when none.
uint32_t AlrelFoersteIListe(const uint32_t *liste, uint32_t laengde, char bogstav, uint32_t obj);
bool FagfordlFindes(uint32_t anfo, uint32_t skfa, uint32_t akti, Dato dato);
// On a find, *pVaerdi gets the lesson units and *pFlag is set to 1 when the
// record's dates differ from perFra..perTil (left alone when they match).
bool FagfordlLektionsenheder(Dato dato, uint32_t akti, uint32_t skfa, uint32_t anfo, Dato perFra,
                             Dato perTil, float *pVaerdi, uint8_t *pFlag);
// The budget of the planning module's basis records (ffgrund) of the
// activity and subject: the sum of the live records' Budget in whole
// lessons, the derived-value bit 30 masked off. False when no live record
// was found (*pSum is then 0).
constexpr uint32_t FFGRUND_AFLEDT = 0x40000000;
bool FagGrundlagSum(uint32_t akti, uint32_t skfa, int32_t *pSum);
bool AnfoHarKompetence(uint32_t anfo, uint32_t skfa, Dato dato);
// Never waits for the plan mutex: false while another thread holds it.
bool FFFagfordlFindes(uint32_t anfo, uint32_t skfa, uint32_t akti, Dato dato);
// *pPlus is cleared first; a '+' activity gives 60.0 with *pPlus set. With
// pSpan, it is narrowed to the dates that give the same answer.
bool AktiMinutnorm(Dato dato, uint32_t akti, float *pNorm, uint8_t *pPlus, DatoSpan *pSpan = nullptr);
// The plan value of (employment, activity, subject) from the plan-figure
// list; false at once while TalMutex is held elsewhere.
bool PlanTabVaerdi(uint32_t anfo, uint32_t akti, uint32_t skfa, float *pVaerdi);

// The planning module's data mutex; 0 until the plan window has made it.
// FFFagfordlFindes only tries it.
extern HANDLE hPlanMutex;

// What the data store asks of the planning module when it lets hPlanMutex
// go, filled by the wiring.
struct PlanMutexKroge {
  // A recount of the plan asked for while the mutex was held starts now.
  void (*Sluppet)();
};
extern PlanMutexKroge PlanMutexKrog;
// Tries hPlanMutex without waiting: true when taken, and at once while the
// plan window has made none. Each true is matched by SlipPlanMutex, which
// lets a recount that waited for the mutex start.
bool ProevPlanMutex();
void SlipPlanMutex();

// What PlanTabVaerdi reads of one plan-figure entry.
struct PlanTabVaerdiPost {
  uint32_t anfo;
  uint32_t akti;
  uint32_t skfa;
  float Vaerdi;   // the entry's minute norm
  uint8_t Kilde;  // 0 plan line, 1 event, 2 posting
};
// The counting module owns the plan-figure list and TalMutex and hands them
// over here. Without a reader there are no plan figures.
struct PlanTabLaeser {
  HANDLE hMutex;                                        // TalMutex, tried with wait 0
  uint32_t (*Antal)();                                  // entries 1..Antal
  bool (*Post)(uint32_t n, PlanTabVaerdiPost *pPost);   // false: no such entry
  // The walk's answer from an index, when the owner keeps one; null: walk.
  bool (*Vaerdi)(uint32_t anfo, uint32_t akti, uint32_t skfa, float *pVaerdi) = nullptr;
  // The owner's own try and release of hMutex, when it keeps them; null:
  // the mutex is tried with wait 0 and released here.
  bool (*Proev)() = nullptr;
  void (*Slip)() = nullptr;
};
void SaetPlanTabLaeser(const PlanTabLaeser *pLaeser);
