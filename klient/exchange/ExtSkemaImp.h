// The external timetable import: the state of one run (the source code, the
// source name that every caption of the run begins with, and the method
// chosen for lessons that meet existing events). Main thread only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "ExtPlacer.h"
#include "UNTIS.h"
#include "windows.h"

// The source code of the run (KILDE_*), and its name: "Untis" for Untis
// (also once the method becomes Untis with dates), "Lectio" for Lectio,
// "Extern" for Tabulex and Extern.
extern uint32_t ImportKilde;
extern char ImportKildeNavn[8];

// Sets the source code and the source name for a run.
void SaetImportKilde(uint32_t kilde);

// The source name followed by the suffix (" - Fejl", "-import" ...).
std::string ImportFilSti(const char *suffix);

// How lessons that meet existing events are placed, chosen in the method
// dialog; one of them is set.
struct ImportMetodeData {
  uint8_t Overskriv;     // existing events at the same times are overwritten
  uint8_t Dobbeltskema;  // placed as double schedule beside them
  uint8_t Ignorer;       // the imported lesson is left out
};
extern ImportMetodeData ImportMetode;

// ---- The run ----

// The counters of the check.
struct ImportTaellere {
  uint32_t AktiMangler, AnsatMangler, LokaMangler, FagMangler;
  uint32_t AktiPeriode, AnsatPeriode, LokaPeriode;
  uint32_t SkemaPeriode;  // lessons outside the schedule period
};
extern ImportTaellere ImportTal;
// What each lesson of the run was matched to, parallel to its lessons.
extern TavoSkemaListe TavoSkema;
// The log of the run, <data folder>log\skemaimport.log.
constexpr char kImportLogNavn[] = "skemaimport.log";

// The entry: source KILDE_UNTIS, KILDE_TABULEX, KILDE_LECTIO or KILDE_EXTERN.
// Refuses while a role proposal is missing, asks how to import, runs the
// import and releases the run's tables on every way out.
void StartExtSkemaImport(HWND hovedvindue, uint32_t kilde);
// The import proper with the source already set; ugevis 1 only for Untis by
// week. True when lessons were placed.
bool ExtSkemaImport(HWND hovedvindue, uint32_t ugevis);

// The menu commands and keys of the main window: 40200 Untis, 40296
// Tabulex, 40272 Extern, Ctrl+Alt+L Lectio. Ctrl+Z is FortrydExtImport.
void UntisImportKommando(HWND hovedvindue);
void TabulexImportKommando(HWND hovedvindue);
void ExternImportKommando(HWND hovedvindue);
void LectioImportKommando(HWND hovedvindue);

// The check of the lessons against the school, writing the log (null: no
// log): fills TavoSkema and ImportTal. fra..til is the period of lessons
// without a date. The employment taken when several fit is the one with the
// lowest running number (Loebenummer); the subject taken when several fit
// is the first in SortSkphIdx order.
void TjekImportLektioner(const ImportLektioner &lektioner, Dato fra, Dato til, FILE *log);
// The lessons of found activities whose lesson has no time in the
// activity's ring system (logged); sets the times of the others.
uint32_t TjekRingetider(const ImportLektioner &lektioner, FILE *log);
// The employees with several fitting employments, and the subjects found
// several times on one activity, as the check counted them.
uint32_t FlereAnsaettelser();
uint32_t FlereSkolefag();
// Whether existing schedule lies where the lessons go (logged).
bool FindEksisterendeSkema(const ImportLektioner &lektioner, Dato fra, Dato til, FILE *log);
