// Conversion of record files written by an older program version whose
// record layout differs from the current one.
#pragma once

#include <cstdint>

#include "TABREG.h"

// One converter per table name; the table ends with an entry without
// routine. A converter returns true when the file now has the current layout.
struct KonverterEntry {
  char Navn[50];
  bool (*Konverter)();
};
extern const KonverterEntry KonverterTab[];

// 1 when a converter for the table ran and converted its file, else 0.
// Nothing is converted when the last version change ([global] versionskift)
// lies more than 2 below the running version.
int KonverterData(const TabDesc *pTd);
// data/akti.DAT from 402-byte records (Aktivitet of 13 bytes) to the
// current layout. Only a stored record size of 402 (or an old 8-byte header)
// is converted.
bool KonverterAkti();

// The size of an akti record before Aktivitet grew by 3 bytes.
constexpr uint32_t AKTI_GAMMEL_RECSIZE = 402;
