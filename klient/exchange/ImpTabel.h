// The table sections of an import file and the clean-ups around them: the
// reader of every section named after a table, the plan groups (ffpg), the
// server's log text (logfil), the removal of other installations' plan data
// and rows, the test for rows that wait for the server's answer, and the
// generated student-overlap relations (elvrel2).
//
// A section reader gets the open file and the line buffer (IMPORT_LINJE_LEN
// bytes unless it is told otherwise) holding the section's header; it reads
// up to the next line that begins with '@' or '#', which it leaves in the
// buffer for the caller, and returns the buffer, or null at the end of the
// file.
//
// A table that a section empties keeps its record 0, so that the next save
// writes it empty instead of leaving the old file's records to come back.
// Main thread only.
#pragma once

#include <cstddef>
#include <cstdio>

#include "IMPORT.h"
#include "TABREG.h"
#include "TEKST.h"
#include "VEDLIGE.h"

// Reads one line into linje (n bytes): at most n - 1 characters, the line
// end included. The rest of a longer line is read past and dropped, so that
// it never comes back as a line of its own. False at the end of the file
// (linje is then "").
bool LaesImportLinje(FILE *fil, char *linje, size_t n);

// Each line of a section, trimmed (TrimStr), to fn; lines shorter than two
// characters are passed over. The buffer (IMPORT_LINJE_LEN bytes) at the
// next header, null at the end of the file.
template <class Fn>
char *HverAfsnitLinje(FILE *fil, char *linje, Fn fn) {
  while (LaesImportLinje(fil, linje, IMPORT_LINJE_LEN)) {
    if (linje[0] == '@' || linje[0] == '#') return linje;
    TrimStr(linje);
    if (linje[0] && linje[1]) fn(linje);
  }
  return nullptr;
}

// The records of one table, one record line each. "skka" first empties the
// calendar-day chains (kdagrel), "ret", "alrel" and "skfalokarel" their own
// table, and "arbejdstid" resets its own table. A server error block ("** Fejl"
// up to a line beginning with "**", which is not copied) goes to the log line
// by line. A bad line is removed again and, except in "arbejdstid", written
// to the log as "<header>":<line after the header>.<column>. Lines are read
// with LaesImportLinje into the linjeLen bytes of linje.
char *ImportTabelSektion(FILE *fil, FILE *log, char *linje, char bogstav, const TabDesc *pTd,
                         TabVar *pTv, ImportStatus *pStatus, int fKomma,
                         size_t linjeLen = IMPORT_LINJE_LEN);

// The plan groups. Header "@ffpg": the plan windows are closed and the
// table replaced (letter 'P'); "#ffpg" adds to it (letter 'F'). Bad lines are
// dropped without a word.
char *ImporterFfpg(FILE *fil, char *linje);

// The server's log text, copied trimmed into log/logsrv.txt (made anew).
// When that file cannot be made the section's lines are skipped.
char *ImporterLogfil(FILE *fil, char *linje);

// Removes the plan records (ffpertab, fftaltab, ffgrund, ffpp, ffpgrel,
// ffpg) of other installations and those with status 30.
void SletFremmedePlandata();
// Live event rows and time rows of other installations become free; then
// the relations with status 30 are removed.
void SletFremmedeSkemaraekker();
void SletFremmedeTimoak();

// Whether an event row or a time row was sent and still waits for the
// server's answer (bits 64 and 16).
inline bool HasUnansweredRows() { return HasUnexportedRows(); }

// Rebuilds the generated student-overlap relations from the students'
// activity plans: one elvrel2 record (letter 'C') for every two overlapping
// plans of a student on different activities.
void OpbygElvrel2();
