// Time rows and activity-employment relations: the writer of a time row into
// its month bucket (with its kind corrected by the activity's type), the hours
// of a pair, and the relation table aakrel. The import's time sections, the
// single postings, the posting checks and the planning module share them.
// Relations are found by a plain scan: aakrel holds one record per pair once
// CleanupAakrel has run, and every writer of the table may add to it.
// Main thread only.
#pragma once

#include <cstdint>

#include "SIDEFIL.h"

// A new zeroed record behind the table's last one (row 1 in an empty table),
// its block marked changed, the table growing by a block when full; 0 when
// it cannot grow. Free slots further down stay known to NewRec.
uint32_t TilfoejSidst(const TabDesc *pTd, TabVar *pTv);

// Appends a time row to the bucket of its date's month and fills it; the
// kind letters 'A' and 'a' are corrected by the activity's type. Nothing is
// written for a date outside the schedule period. The new row, or null.
// The row is not counted: callers that keep the figures up to date count it
// (OptaelTimoak); the import recounts everything afterwards.
TimoakRaekke *AddTimoak(char type, uint8_t ejer, uint32_t id, uint8_t status, uint8_t planStatus,
                        uint32_t akti, uint32_t anfo, uint32_t dato, int32_t timer, uint32_t tid);

// The kind letter a row of this kind gets on the activity (record number).
char TimoakType(char type, uint32_t akti);

// The hours x 100 of the pair's live rows in the months both records and the
// period share; 0 when a record does not exist.
int32_t SumTimoak(uint32_t akti, uint32_t anfo);

// Every relation record of the pair takes the status; whether there was one.
bool SetAakrel(uint32_t akti, uint32_t anfo, uint8_t status);
// SetAakrel, or a new record at the end of the table when the pair has none.
void AddAakrel(uint32_t akti, uint32_t anfo, uint8_t status);
// Keeps one record of each pair whose numbers lie inside the activity and
// employment tables, and moves the records with status 10 to 30 down to the
// lowest places. No other table holds aakrel record numbers.
void CleanupAakrel();
// Empties aakrel (its record 0 stays, so that a save writes it empty).
void FrigivAakrel();
// Records of aakrel, record 0 included.
uint32_t AakrelAntal();

// The data store's posting writer (TimoakKrog.AddTimoak): the new row
// counted in the figures, as SletTimoak takes a row out of them; false when
// it could not be added.
bool AddTimoakOgTael(uint32_t akti, uint32_t anfo, uint32_t dato, int32_t timer, uint8_t kilde, uint8_t ejer,
                     char type, uint8_t status);
