// The busy background of a schedule window: per cell, where the
// participants of the event being built are busy already, and where
// activities that share students with its activities have events. Rebuilt
// after every change of the rows or of the event. Main thread only.
#pragma once

#include <cstdint>

#include "DATO.h"
#include "SKEMA.h"

// Colour indexes of the background.
enum : uint8_t {
  BAGGRUND_AKTI = 12,        // an activity of the event has an event here
  BAGGRUND_FAELLES = 33,     // an activity sharing students has an event here
  BAGGRUND_ANFO = 18,        // an employee of the event is busy here
  BAGGRUND_LOKA = 24,        // a room of the event is busy here
  BAGGRUND_PRIORITET = 35,   // a partner activity of another group (lesson and day mode)
  BAGGRUND_PRIORITET_T = 107,  // the same in time mode
};

// Set by a rebuild when a chosen cell lies on a cell coloured 33.
extern uint8_t ValgtPaaElevsammenfald;

// The cells of one day: 288 in time mode, 48 otherwise.
uint32_t BaggrundCellerPrDag(const SkeStruct *ske);
// The byte of a cell (row key, weekday 1..7, slot) in a table of the
// window's background; null outside it. The row key is the object record
// (all objects in one week) or the period week index.
uint8_t *BaggrundCelle(const SkeStruct *ske, uint8_t *tab, uint32_t noegle, uint8_t ugedag, uint32_t slot);

// Rebuilds FarveTimeTab and PrioritetTimeTab.
void ByggFarveTimeTab(SkeStruct *ske);
// Colours the cells where object id of kind art ('K', 'M', 'L') has events;
// with both dates only between them.
void MarkerOptaget(SkeStruct *ske, char art, uint32_t id, uint8_t farve, Dato fra, Dato til);
// Writes the priority index where the activity has events and the cell has
// no colour, and turns a 12 into 33.
void MarkerPrioritet(SkeStruct *ske, uint32_t akti, Dato fra, Dato til);
