// Two import sections that are not tables: "genfejl", the central system's
// refusals of sent events and postings, turned into the readable report
// log\genfejl.log, and "inifil", settings the server writes into
// ini\tavo.ini. Main thread only.
#pragma once

#include <cstdio>

#include "IMPORT.h"

// The report's state over one section: the last error written (events and
// postings share it) and the last event object written.
struct GenfejlTilstand {
  int SidsteFejl = 0;
  int SidsteObjekt = 0;
};

// "genfejl": log\genfejl.log made anew with its header (the central counts
// from the status line, the exported ones from data\exp.dat's first line),
// then one report line per 'S' (event) or 'T' (posting) line; the status
// bar is laid out again after it. A report that cannot be made skips the
// section. The buffer at the next header, or null at the end of the file.
char *ImporterGenfejl(FILE *fil, char *linje, const ImportStatus *pStatus);
// One refused event "year,week,row,error,-,-,object": its date, times,
// activities, subject, employees and rooms, behind a "Skema fejl" header
// when the error or object differs from the last one written. A week
// outside the period or a row outside its bucket writes nothing (logged).
void SkemaFejlLinje(FILE *rapport, const char *tekst, GenfejlTilstand *t);
// One refused posting "year,month,row,error": its date, activity, employee
// and hours, behind a "Post fejl" header when the error differs from the
// last one written.
void PostFejlLinje(FILE *rapport, const char *tekst, GenfejlTilstand *t);

// Longest section, key or value of a settings line; a longer one is cut.
constexpr size_t kInifilDelLaengde = 103;

// "inifil": each line "section.key=value" is written into ini\tavo.ini
// (the key lower-cased, a "B069_Afrunding" date dd-mm-yyyy as YYYYMMDD);
// a line without key or value is skipped. After the section the settings
// the program keeps in memory and the server sets are read again.
char *ImporterInifil(FILE *fil, char *linje);
