// The central system's receipts of an export, read from the import file:
// "B-" and "B+" for the time postings, "S-" and "S+" for the schedule
// events, and "ffxxx-" / "ffxxx+" for the six planning tables. Each reader
// takes the open import file and its line buffer (holding the header) and
// returns the buffer with the next header, or null at the end of the file.
// A place (year, week or month, row; record number) that lies outside the
// period's buckets or beyond the table is skipped and logged to log\tavo.log.
// Main thread only.
#pragma once

#include <cstdio>

char *timoakSletRetur(FILE *fil, char *linje);
char *timoakNewRetur(FILE *fil, char *linje);
char *skemaSletRetur(FILE *fil, char *linje);
char *skemaNewRetur(FILE *fil, char *linje);

// The plan receipts of one table: navn the section name ("ffpg-" ..
// "fftaltab+"); a name of no plan table reads past the section. A record a
// receipt changes marks its block changed, so that the save writes it even
// when the receipt comes in a later run than its export.
char *PlanRetur(const char *navn, FILE *fil, char *linje);

// The reader of a receipt section by its name (without the marker), or
// null for a name that is not a receipt section.
using ReturLaeser = char *(*)(const char *navn, FILE *fil, char *linje);
ReturLaeser FindReturLaeser(const char *navn);
