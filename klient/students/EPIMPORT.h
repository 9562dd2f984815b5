// The Elevplan answer file data\ep_imp.dat and the test file
// ini\ep_imp_test.dat: the answers to a request (copies of learning
// activities, new enrolments, deleted, accepted and rejected wishes), the
// table sections that the generic importer reads, the students' enrolments
// taken from the elev sections in a second pass, the log LOG\EP_IMPORT.LOG
// of the error answers, and the numbered copies of the exchanged files.
// Main thread only.
//
// An answer file is read line by line into a buffer of EP_LINJE_LEN bytes
// (the table sections too): a longer line is read to its end and used cut
// at 511 characters. A line beginning with '@' starts a section; a section
// ends at the next line beginning with '@' or '#'.
#pragma once

#include <cstdint>
#include <cstdio>

#include "IMPORT.h"

constexpr int EP_LINJE_LEN = 512;
// Error texts are built in a buffer of this size and cut to fit it.
constexpr int EP_FEJLTEKST_LEN = 200;

// The error answers logged since the last Elevplan export command, which
// alone resets it. While it is 0 the next error answer is preceded by the
// log's header line. The Elevplan status pane shows it.
extern uint32_t EpFejlAntal;

// What the import calls in other parts of the exchange; an empty slot is
// skipped.
struct EpImportKroge {
  // The exchange's continuation after an imported answer (EpEfterImport):
  // called only when the answer was read, never when it was kept unread.
  void (*EpEfterImport)();
};
extern EpImportKroge EpImportKrog;

// Imports data\ep_imp.dat. Nothing happens in a read-only run, or when
// neither data\ep_imp.dat nor data\ep_imp.dat.gz exists; a .gz without the
// plain file is unpacked into it first (the .gz deleted only when that
// succeeded). The old log moves to its numbered copy and a new one is made;
// the file is read in two passes; data\ep_imp.dat and data\ep_exp.dat move
// to their numbered copies and the copy number ([elevplan] ep_filnummer)
// steps on, wrapping to 0 at ep_maxnummer; every table is re-sorted, elti
// saved, the exchange continues and all data is saved behind the wait
// dialog. When the .gz cannot be unpacked, the log cannot be made or the
// answer cannot be opened, the user is told, the files stay where they are
// and nothing else happens: the exchange stays at its step.
// The main window runs it on message 1938; the start-up load runs it after
// all tables are loaded (HentGemKrog.ImportElevplan), as does a period
// change.
void ImportElevplan();

// Imports <data folder>ini\ep_imp_test.dat as an answer without answer
// sections (their headers are logged as unknown sections) into a new log,
// re-sorts every table and saves elti and all data. No copies; the copy
// number and the exchange step stay. A missing test file imports nothing
// and still saves. In a read-only run the records are imported into memory
// only: no log, no saves.
void ImportElevplanTest();

// The section handlers of the answers. Each gets the open file and the line
// buffer (EP_LINJE_LEN bytes) holding the section's header, reads the
// section's lines and returns the buffer holding the next header, or null
// at the end of the file. Lines shorter than 2 characters are passed by; a
// line with a field count other than the section's is logged and passed
// by. The records an answer names are found through an index built once
// per section, the first match in record order winning.
char *ImportEpKopierAktivitet(FILE *fil, char *linje);
char *ImportEpNyTilmelding(FILE *fil, char *linje);
char *ImportEpSletTilmelding(FILE *fil, char *linje);
// "@AccepterTilmelding" and "@AfvisTilmelding".
char *ImportEpSvarTilmelding(FILE *fil, char *linje);
// The second pass over an elev section: the enrolments (elti) that the
// group named by the section's first line had before this import are
// removed, then every line enrols its student in the group it names. An
// enrolment that this import has already brought is neither removed nor
// added twice.
char *ImportEpTilmeldinger(FILE *fil, char *linje);

// When linje begins an error block ("** Fej"), the block's lines up to one
// beginning with "**" are logged as error answers and counted; the closing
// line is read past and the line after it is left in linje ("" at the end
// of the file). A header line ends an unclosed block and is left in linje.
// Whether linje began a block.
bool EpFejlBlok(FILE *fil, char *linje);

// Both passes over an open answer (svar set) or test file, from its start,
// with the log (may be null) and this run's import counters. The first pass
// hands each section to its answer handler or, by its name, to the generic
// section importer with the object-status letter 'C'; a name that is no
// table is logged as an unknown section. The second pass enrols the
// students of the elev sections. No re-sort, no saves.
void EpLaesFil(FILE *fil, FILE *log, bool svar, ImportStatus *pStatus);

// Every table of the data store re-sorted (each marks all its blocks
// changed, so the next save writes it whole).
void SorterAlleTabeller();

