// A full import file written from the tables, buckets and side files loaded
// in the process: what the server sends an installation that takes its whole
// data set anew. For the import benchmark, the round-trip test and the
// stand-in server's full answer.
//
// The file holds a status line of kind 'G' with the schedule period, every
// registry table whose records travel as record lines as a section of its
// own (a referenced table before the tables that name its records; each
// field in the table's import order, references by the referenced record's
// key), the week buckets as a "skemabeg" section, the time postings as
// "timoak", and the udplatim, hontim and primotal sections.
#pragma once

#include <cstdint>
#include <string>

// Writes the file at sti (a Linux path). 0, or -1 with the reason in *fejl.
int SkrivFuldImport(const char *sti, std::string *fejl);

// A record as its line in the file: every field in the table's import
// order, references by the referenced record's key.
struct TabDesc;
std::string FuldImportLinje(const TabDesc *pTd, const uint8_t *rec);

// Whether a table travels as a section of record lines of its own (the
// calendar tables come with their school-day calendars, primotal in its
// own section).
bool FuldImportTabel(const char *navn);
