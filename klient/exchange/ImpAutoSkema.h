#pragma once
// The AutoSkema import: the answer data/as_imp.json placed as new events of
// the AutoSkema kind (status 128), the plan lessons that found no place
// listed in log\AutoSkemaIkkePlaceret.log, and both exchange files removed
// in the same crash-safe save that holds the placed events. Main thread
// only.

#include <cstdint>
#include <vector>

#include "json.h"

// One run of consecutive unplaced elements with the same activities.
struct IkkePlaceret {
  std::vector<uint32_t> akti;  // akti record numbers, in the element's order
  uint32_t skfa = 0;           // skfa record number
  std::vector<uint32_t> anfo;  // anfo record numbers
  uint32_t lektioner = 0;      // the lessons of the run's first element
  uint32_t antal = 0;          // elements of the run
};

// The command (menu 40281, and the plan window's Shift+Ctrl+I).
void ImpAutoSkema();

// Places the events of the answer's root object when the timetable was
// found and collects its unplaced elements; the number of events added.
int json_behandl_input(const json_node *rod, std::vector<IkkePlaceret> *ikkePlaceret);

// Writes log\AutoSkemaIkkePlaceret.log of the data folder anew.
void SkrivIkkePlaceretLog(const std::vector<IkkePlaceret> &ikkePlaceret);

// Whether the answer found a timetable: a missing member or the value true
// (or the text "true"); anything else is not found.
bool SkemaFundet(const json_node *rod);
