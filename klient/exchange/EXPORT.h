// The export file data\exp.dat: this installation's changes for the central
// server, written in one pass over the tables, and the marks that say what
// has been sent. Every mark the export sets is remembered (in memory and in
// data\exp.mrk beside the file), so that withdrawing an export that is not
// sent puts back exactly what that export changed and nothing else.
// Main thread only.
#pragma once

#include <cstdint>
#include <cstdio>

#include "TABREG.h"

// The export options, filled by the export dialog. They keep their values
// between two exports of one run.
struct EksportValgData {
  uint8_t skema;          // "&Skema": send schedule events
  uint8_t posteringer;    // "&Posteringer": send time postings
  uint8_t ubrugt;         // no control in the dialog; always off
  uint8_t fremmedskema;   // "&Fremmed skema": ask for the other installations' schedules
  uint8_t allestamdata;   // "&ALLE stamdata *": ask for all master data
  uint8_t autoimport;     // "Automatisk &import"
};
extern EksportValgData EksportValg;

// Writes data\exp.dat from scratch and marks what it wrote as sent. The file
// is written under a temporary name and put in place only when every write
// and the close succeeded; on any failure the partial file is deleted, every
// mark is put back and the result is false (nothing is left behind).
bool EksportSkriv();

// The first line. The short form (a SuperTavo installation) holds only the
// installation, version and period; the full form also the counts of the
// own events and time rows. True when no own live event or time row carries
// the bit 0x20.
bool EksportHoved(FILE *f, bool kort);

// The sections, each written only when it has an entry (except as noted).
void EksportRetslet(FILE *f);     // @retslet: removed master records (31, 131)
void EksportSkemaSlet(FILE *f);   // @S-: deleted and refused events
void EksportSkema(FILE *f);       // @S+: new and changed events
void EksportTimerSlet(FILE *f);   // @B-: deleted and refused time postings
void EksportTimer(FILE *f);       // @B+: new and changed time postings
// @grupper: its line as soon as one kind has a group in use.
void EksportGrupper(FILE *f);
// The highest group (1-30) set in the group word of an active record
// (status 10-29) of the table; 0 when none.
int HoejesteGruppe(const TabDesc *pTd, const TabVar *pTv);
// The change sections of four of the planning tables; in plan mode each
// starts with its "@<table>" line and an empty line when the table holds
// records, and every considered record is sent again.
void EksportFfpgrel(FILE *f, bool planMode);
void EksportFfgrund(FILE *f, bool planMode);
void EksportFfpertab(FILE *f, bool planMode);
void EksportFftaltab(FILE *f, bool planMode);

// Withdraws the marks of an export that will not be sent. With the list of
// the export (from this run, or data\exp.mrk after a restart) exactly the
// marks it set are put back, each only where the record or row still holds
// what the export left (matched by place and id); without a list every sent
// mark is taken back by the old rule. The list is gone afterwards. The
// caller deletes the export file, recounts and tells the windows.
void FjernEksportMarker();

// Forgets the list of the last export: its marks are final (the export was
// sent, or an import has replaced the data). Called by the server contact
// once the export is packed for sending, and by the import.
void GlemEksportMarker();

// Reads a list of export marks (the format of data\exp.mrk) in place of
// the one held; false when the file is no such list. Lines that do not
// parse are skipped and logged.
bool LaesEksportMaerker(FILE *f);
// The number of entries held (marks and cleared records).
size_t EksportMaerkerAntal();
