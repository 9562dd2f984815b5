// The external timetable import: the state of one run (the source code, the
// source name that every caption of the run begins with, and the method
// chosen for lessons that meet existing events). Main thread only.
#pragma once

#include <cstdint>
#include <string>

#include "UNTIS.h"

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
