// The foreign-data reset and the time sections of the import file.
//
// "fremmed" throws away, before the sections that deliver them again, the
// other installations' data and the tables the server always sends whole,
// and ages the provisional master records. "forandringtim" and "timoak"
// bring time postings, "udplatim" and "hontim" the month buckets of their
// side files, "primotal" the opening balances. Every table and month they
// empty or trim has its blocks marked changed and keeps its record 0, so
// the save at the end of the import writes it as it now is (a table left
// without records would keep its old file, and the old records would come
// back at the next start). Main thread only.
#pragma once

#include <cstdint>
#include <cstdio>

#include "IMPORT.h"
#include "TABREG.h"

// "fremmed": no lines of its own; sets FremmedFlag.
void ImporterFremmed();
// Ages the status of one master table: 30, 39, 230 and 130..139 become 0,
// 32..38 go up by one.
void OpdaterStamStatus(const TabDesc *pTd, TabVar *pTv);

// Section readers: the buffer at the next header, or null at the end of
// the file. tid is the status line's time stamp; art 'C' for a section
// under '@', 'F' under '#'.
char *ImporterForandringtim(FILE *fil, char *linje, uint32_t tid);
char *ImporterTimoak(FILE *fil, char *linje, uint32_t tid, char art);
char *ImporterUdplatim(FILE *fil, char *linje);
char *ImporterHontim(FILE *fil, char *linje);
char *ImporterPrimotal(FILE *fil, char *linje);

// aakrel is tidied while a section adds to it once it holds more than this.
constexpr uint32_t kAakrelRydGraense = 55000;
