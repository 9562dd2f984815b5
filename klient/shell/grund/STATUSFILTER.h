// The program-wide display filter of the status overview windows: while a
// status group is switched on, the schedule windows draw only the events,
// and the Gantt charts only the postings, of that group. The overview
// windows set it; every other window only reads it. Main thread only.
#pragma once

#include <cstdint>

struct StatusFilter {
  uint8_t Tilstand;   // 1 central (bit 32), 2 local (neither 16 nor 32), 3 sent (16 without 32); 0 none
  uint32_t FejlKode;  // only rows whose error byte (Fejl) equals it; 0 none
  char Fremmed;       // 'd': only other installations' rows; 0 none
  uint32_t Raekke;    // the group row switched on in the overview of kind RaekkeArt; 0 none
  char RaekkeArt;     // 'S' or 'F' for events, 'B' for postings
};

// Events: the overviews of events and of their errors share it.
extern StatusFilter BegivenhedsFilter;
// Postings: the overview of postings.
extern StatusFilter PosteringsFilter;
