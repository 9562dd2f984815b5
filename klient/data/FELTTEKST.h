#pragma once
// Widths and plain text forms of stored fields, read from the data
// dictionary alone, and the fixed-width number form of the list cells.

#include <cstddef>
#include <cstdint>

#include "TABREG.h"

// Size of the text FeltTilTekst hands out, terminator included.
constexpr size_t FELTTEKST_LEN = 256;
// Field numbers from here up are computed list fields.
constexpr uint32_t FOERSTE_BEREGNET_FELT = 200;
// Steps a foreign key is followed at most: a table whose field 1 leads
// back would follow itself for ever, and no real chain is this deep.
constexpr int FELT_MAX_FOELG = 8;

// Width in characters of field felt (0-based; field 0 is the key). A
// foreign key (table number 128 and up) is followed to field 1 of its
// table when fFoelg is set; 0 when that table does not exist.
uint32_t FeltBredde(const TabDesc *pTd, uint32_t felt, int fFoelg);

// Width of a computed field (200 and up), from the computed-field module.
uint32_t BeregnetFeltBredde(uint32_t felt);

// The text of field felt of record n in one static 256-byte text that the
// next call overwrites; empty when the record does not exist. A foreign key
// shows field 1 of the record it names, formatted by that field's own
// definition.
const char *FeltTilTekst(const TabDesc *pTd, const TabVar *pTv, uint32_t n, uint8_t felt);

// An element of up to 4 bytes read as an unsigned number (fields lie at odd
// offsets in packed records).
uint32_t FeltElementU32(const uint8_t *el, uint8_t size);

// The text of one element of field f by its data type, into ud (udStr
// bytes, terminator included): a character or flag goes to ud[tegnPos]
// alone; a number or text is written from ud on with its terminator, a
// text left-aligned in tekstBredde characters; types 8, 11 and others
// write nothing.
void FeltElementTekst(const FeltDef *f, const uint8_t *el, char *ud, size_t udStr, uint32_t tegnPos,
                      int tekstBredde);

// v right-aligned in w characters ("%*ld"). For w = 2..9 a value that does
// not fit (above 10^w - 1 or below -(10^(w-1) - 1)) becomes w '#'. The text
// is cut to tekstStr bytes with its terminator; returns tekst.
char *FormatLongFelt(char *tekst, size_t tekstStr, uint32_t w, int32_t v);

// v with d decimals: v x 10^d rounded half away from zero, "%*lld,%0*d"
// with the whole part in w characters, or "%*lld" when d is 0. Cut to
// tekstStr bytes with its terminator; returns tekst.
char *FormatKommaTekst(char *tekst, size_t tekstStr, int w, int d, double v);
// The same rule under the name the list painters and editors use.
inline char *FormatKommaTal(char *tekst, size_t tekstStr, int w, int d, double v) {
  return FormatKommaTekst(tekst, tekstStr, w, d, v);
}
