// Record lines of the import file: the status line at its head, the
// conversion of key texts, the parser that fills a record of any table from
// a ';'-separated line, the wrappers that add a record from a line, the
// school-day calendar field and the error text of a bad line. The student,
// Elevplan and relation modules read their own files with the same parser.
// Main thread only: the key conversion and the lookups keep static state.
#pragma once

#include <cstdint>
#include <cstdio>

#include "TABREG.h"

// Every line of an import file, the status line included, is read with
// this limit.
constexpr int IMPORT_LINJE_LEN = 2560;

// The parsed status line of an import file. The import driver keeps it for
// the whole import; the parser takes the time stamp from it and counts the
// records it adds per table type letter.
struct ImportStatus {
  char Art;              // kind letter ('G' empties the data set first)
  uint32_t lasdato;      // Dato
  uint32_t fradato;      // Dato
  uint32_t tildato;      // Dato
  uint32_t Tidsstempel;  // seconds since 1 January 1970
  uint8_t Nummer;
  char Bogstav;
  uint32_t Antal[256];   // records imported, by table type letter
  uint32_t Tal1;
  uint32_t Tal2;
};

// Set when a status line of kind 'G' is read; the import entry clears it
// before it reads the line.
extern int GFlag;

// Error code of a line: the kind in the low byte, the 0-based position of
// the failing field on the line (its place in the import order) above it.
enum : int {
  IMPFEJL_AFSNIT = 1,          // section name that names no table
  IMPFEJL_KORT = 2,            // line shorter than 2 characters
  IMPFEJL_OBJEKTSTATUS = 3,    // letter outside "ABCFLSUP"
  IMPFEJL_LILLE = 4,           // below the field's low limit
  IMPFEJL_STOR = 5,            // above the field's high limit
  IMPFEJL_TVUNGET = 6,         // forced field left empty
  IMPFEJL_MANGLER = 7,         // forced fields missing at the end
  IMPFEJL_FREMMED = 8,         // foreign key names no record
  IMPFEJL_DATO = 100,          // not a valid date
  IMPFEJL_VAERDI = 101,        // value not allowed for the field
  IMPFEJL_OVERLOEB = 110,      // no record could be taken
  IMPFEJL_ALLOKERING = 120,    // memory could not be had
};

inline int ImpFejlArt(int fejl) { return fejl & 0xFF; }
inline int ImpFejlFelt(int fejl) { return (fejl >> 8) & 0xFF; }
inline int ImpFejlKode(int art, int felt) { return art | (felt << 8); }

// Reads the status line (at most IMPORT_LINJE_LEN bytes) into linje and
// pStatus, which is zeroed first. 0, or -1 when the line holds fewer than
// 4 fields (written to LOG\IMPORT.LOG).
int LaesImportStatus(FILE *fil, char *linje, ImportStatus *pStatus);

// The error text of one bad line, to the log the caller holds open:
// place "name":line.column, a marker under the failing field, the message
// with the field and table names, and a line of dashes.
void ImportFejlTekst(FILE *log, uint32_t linjeNr, const char *navn, const char *linje,
                     int fejl, const TabDesc *pTd);
// The message of an error kind (the low byte of a code).
const char *ImportFejlBesked(int art);

// The binary key of a text, converted by the type of the table's first
// field, ready for FindRec. Static storage per type, overwritten by the
// next call; always at least 256 bytes readable, zero behind the value.
const void *ParseFeltVaerdi(const TabDesc *pTd, const char *tekst);

// Fills record recnr (which must exist) from the line. With fKomma set a
// ',' also separates the repeated values of one field. The object-status
// letter sets the status fields. 0 or an error code; the caller removes a
// record whose line failed.
int ParseRecordLine(const TabDesc *pTd, TabVar *pTv, const char *linje, char bogstav,
                    uint32_t recnr, ImportStatus *pStatus, int fKomma);

// A new record filled from the line. On success with a status: the table's
// FilOrd takes the status's time stamp and the counter of the table's type
// letter goes up. On an error the record is removed again and the code
// returned; 110 when no record could be taken.
int ImportRecordLine(const char *linje, char bogstav, const TabDesc *pTd, TabVar *pTv,
                     ImportStatus *pStatus, int fKomma);
// A new record from the line without status or comma rule: its number, or 0
// when no record could be taken or the line failed (nothing is left).
uint32_t AddRecordFromLine(const TabDesc *pTd, TabVar *pTv, const char *linje, char bogstav);
// A new remark whose id is its own record number and whose text is tekst
// (cut to the field); its record number, or 0.
uint32_t AddBemTekst(TabVar *pTvBem, const char *tekst);

// The school-day calendar value of a skka record: AntalAr pieces of 53
// week characters, one per year. Each year gets a kaldag record (an equal
// one is shared) and the years a kdagrel chain (an equal one is shared).
// 0 with the chain's first record in *pKdagrel; 101 when the text is
// shorter than the years need; 120 when a table cannot grow.
int ImportKaldagrel(const TabDesc *pTd, const uint8_t *rec, const char *tekst,
                    uint32_t *pKdagrel);
// The first record of the kdagrel chain over these kaldag records, made at
// the table's end when no equal chain exists; 0 when it cannot be made.
uint32_t FindEllerOpretKdagrel(const uint32_t *kaldag, uint32_t antal);

// Weeks of one year in a school-day calendar value.
constexpr int KALDAG_UGER = 53;
