#pragma once
// The plan list's lookups by key, so that no question walks the whole list:
// the entry a plan line updates, the entry an event or a posting adds its
// actual figure to, the plan value of an employment, activity and subject,
// and the entries of one employment or of one activity and subject. Every
// answer is the one a walk from entry 1 gives: the same first match, the
// same entry among equal keys, the entries in list order.
//
// The index follows the list: it takes in the entries made since its last
// question when the next question comes, and starts afresh when the list
// is freed or begun anew, so growth and reallocation of the list need
// nothing of it. An entry's key fields (plan line, activity, subject,
// employment, week, kind, source, minute norm) are therefore written when
// it is made, before the next question, and never changed. Like the list,
// the index is guarded by TalMutex, and the worker thread and the main
// thread ask the same one.

#include <cstdint>

// The plan list was freed or begun anew; the next question builds afresh.
void PlanIndeksNulstil();
// Frees the index's memory (at exit and in tests).
void PlanIndeksFri();
// Takes in every entry made so far for the questions of the counters (by
// activity, employment and week, and plan values), as after the plan-line
// pass, which makes many at once.
void PlanIndeksIndhent();

// The first entry of plan line ffgrund (not 0) in week uge, or 0; the
// next of the same line and week after entry n, or 0.
uint32_t PlanGrundFoerste(uint32_t ffgrund, uint32_t uge);
uint32_t PlanGrundNaeste(uint32_t n);
// The entries of one employment, in list order.
uint32_t PlanAnfoFoerste(uint32_t anfo);
uint32_t PlanAnfoNaeste(uint32_t n);
// The entries of one activity and subject, in list order.
uint32_t PlanAktiFagFoerste(uint32_t akti, uint32_t skfa);
uint32_t PlanAktiFagNaeste(uint32_t n);
// The first entry with this activity, employment, subject and week, or 0.
uint32_t PlanFindSkema(uint32_t akti, uint32_t anfo, uint32_t skfa, uint32_t uge);
// The first entry with this activity, employment, week and kind, or 0.
uint32_t PlanFindTimoak(uint32_t akti, uint32_t anfo, uint32_t uge, uint8_t art);
// The plan value question's walk: among the entries of (employment,
// activity, subject) whose minute norm is not negative, the first of a plan
// line gives its value and true; without one, the last such entry leaves
// its value in *pVaerdi and the answer is false; without any, *pVaerdi is
// untouched.
bool PlanVaerdiFind(uint32_t anfo, uint32_t akti, uint32_t skfa, float *pVaerdi);
// Bring the slot that PlanFindSkema or PlanFindTimoak would read first
// toward the cache, so that a caller with many questions can ask for the
// next ones while it answers this one. Change and answer nothing.
void PlanForhaandSkema(uint32_t akti, uint32_t anfo, uint32_t skfa, uint32_t uge);
void PlanForhaandTimoak(uint32_t akti, uint32_t anfo, uint32_t uge, uint8_t art);

// ---- The list a recount began with ----
// The key fields of the entries a recount began with are kept, so that the
// next one can tell whether its list begins with the same entries: the
// answers it kept for its questions then hold for those entries. The index
// compares the list with what is kept as it takes the entries in.
//
// Keeps the key fields of entries 1..n; what is kept and still matches the
// list is not read again. Returns the number the keeping is known by.
uint64_t PlanListeHusk(uint32_t n);
// How many entries are kept under which number (0: none kept, or freed
// since), and whether entries 1..that many of the list have them now.
uint32_t PlanListeHusket(uint64_t *pNummer);
bool PlanListeBegynderSomHusket();
