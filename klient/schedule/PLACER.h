#pragma once
// Whether an event may stand in a cell of a schedule window: the period
// check (are the participants valid on the date, is it a school day inside
// the period and no public holiday), the busy check (does a live row of the
// same day and time hold the same activity, employee or room, or an activity
// that shares students with it) and the tile check that turns a cell into a
// date, day, lesson and times, adapts the event to the cell's object and
// runs both. And the question before work in the locked period.

#include <cstdint>

#include "AVS.h"
#include "DATO.h"
#include "windows.h"

struct SkeStruct;

// Period check results (the first failure).
enum : uint8_t {
  PERIODE_AKTI = 1,
  PERIODE_ANFO = 2,
  PERIODE_LOKA = 4,
  PERIODE_SKOLEFRI = 8,
  PERIODE_FOER = 16,
  PERIODE_EFTER = 32,
  PERIODE_HELLIGDAG = 64,
};

// Busy check results.
enum : uint8_t {
  OPTAGET_AKTI = 1,
  OPTAGET_ANFO = 2,
  OPTAGET_LOKA = 4,
  OPTAGET_INGEN_TIDER = 8,
  OPTAGET_ELEVSAMMENFALD = 16,
};

// Counters a caller hands CheckBrik: index = busy code.
constexpr int kOptagetTaellere = 17;

uint8_t PeriodeCheck(const AVS *avs, Dato dato);
// day 1..7, start and end HHMM. With dropBusy a busy employee or room empties
// that part of avs and the check goes on. The rows of the event whose first
// row is egenForste (in the date's week) are passed over, so an event can be
// checked against everything but itself before it is rewritten.
uint8_t OptagetCheck(AVS *avs, uint8_t dag, Klokkeslaet start, Klokkeslaet slut, Dato dato, bool dropBusy,
                     uint32_t egenForste = 0);
// True when the event may be placed in the cell (column, row) of the window.
// Unless checkOnly, avs then becomes the adapted event. counters (or null)
// has kOptagetTaellere entries.
bool CheckBrik(SkeStruct *ske, HWND ejer, uint32_t kolonne, uint32_t raekke, AVS *avs, bool checkOnly,
               bool visBeskeder, uint32_t *taellere, bool dropBusy);
// 0 go on, -1 refuse: a week up to the lock date asks first.
int8_t LaastPeriodeSpm(const SkeStruct *ske, uint32_t ugeIndeks, bool afvisStille);

// The clock time HHMM at which 5-minute slot s (1 from midnight) starts:
// slot 97 is 08:00.
Klokkeslaet SlotTid(uint32_t slot);
