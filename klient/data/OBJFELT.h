#pragma once
// The computed columns of the list windows (field numbers 203-386): their
// captions, widths and the text of one cell, worked out from several tables
// and from the figures layer on every repaint, and the display class of a
// record's row. Nothing is cached here.

#include <cstddef>
#include <cstdint>

#include "TABREG.h"
#include "win/types.h"

constexpr uint32_t FOERSTE_OBJFELT = 203;
constexpr uint32_t SIDSTE_OBJFELT = 386;
// The caller's cell text: 254 characters and the terminator.
constexpr size_t OBJFELT_TEKST_LEN = 255;

// Caption of a computed column; empty for numbers without one.
const char *BeregnetFeltNavn(uint32_t felt);
// Width in characters; 0 for numbers without one.
uint32_t BeregnetFeltBredde(uint32_t felt);

// The text of one cell of column felt for record recnr of the list's table
// (type letter: 'K' activity, 'M' employment, 'L' room; some columns serve
// other tables). valg1..valg3 are the calling window's selection values;
// on rows of employments and rooms the role columns (217, 219) show the role
// given as valg1 and the minutes column (218) the minutes given in
// hundredths as valg2 (none when below 0), as the entry window's lists hand
// them over.
// The text (OBJFELT_TEKST_LEN bytes) starts as 254 blanks and stays so when
// there is nothing to show. pFarveKode gets a display class for some
// columns; pFlag is read by the week ruler (221). Any out pointer may be
// null.
void ObjFeltTekst(HWND hwnd, uint32_t felt, uint32_t bredde, uint32_t recnr, int32_t valg1, int32_t valg2,
                  int32_t valg3, char *tekst, uint32_t *pFarve, uint8_t *pFarveKode, uint8_t *pFlag,
                  uint32_t reserve, char typeBogstav);

// Display class of a record's row: 5 for an archived record (Gruppe bit 31)
// and, with [farver] fremmedarkivfarve on, for a foreign or status-1
// record; else the table's default class.
uint8_t RecVisKlasse(const TabDesc *pTd, const TabVar *pTv, uint32_t n);

// What the cells ask of the windows above the data store; an empty slot
// leaves its columns blank.
struct ObjFeltKroge {
  // The current choice of the entry window's selection list of a kind.
  uint32_t (*HentDifValg)(char art);
  // The weekday 1..7 of a column of a window in a display mode.
  uint8_t (*KolonneUgedag)(char visning, uint32_t kolonne);
};
extern ObjFeltKroge ObjFeltKrog;

// The values the cells read of the windows above the data store, each
// written by its owner when it changes.
struct ObjFeltKilderRec {
  // The ring-group names, 27 bytes each, indexed by group number.
  const char (*RingeGrupper)[27];
  uint32_t RingeGruppeAntal;
  // The schedule's event counts per employment and per room record.
  const uint32_t *AntalSkeAnfo;
  uint32_t AntalSkeAnfoAntal;
  const uint32_t *AntalSkeLoka;
  uint32_t AntalSkeLokaAntal;
  // The colour code of the week column 245 (4 or 16).
  uint8_t UgeFarveKode;
};
extern ObjFeltKilderRec ObjFeltKilder;
