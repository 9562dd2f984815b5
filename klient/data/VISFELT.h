#pragma once
// The text of one field of one record as the grid windows show it, and the
// sorters that order a list of record numbers by such texts: numbers in
// numeric order with negative figures first, letters in Danish order. Every
// sorter builds one fixed-width key per list entry and sorts with SortIdx.

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "TABREG.h"
#include "win/types.h"

// The display text: 254 characters and the terminator.
constexpr size_t VISFELT_LEN = 255;

// What a computed field (200 and up) needs of the calling window: the
// window and its selection values, passed on to ObjFeltTekst.
struct VisFeltKontekst {
  HWND hwnd;
  int32_t valg1;
  int32_t valg2;
  int32_t valg3;
};

// The text of field felt of record recnr, in one static buffer that the
// next call overwrites. A computed field is ObjFeltTekst's text at its own
// width. A stored field starts as 254 blanks; its elements are written one
// character apart (a repeated character field reads as a string of its
// characters), a character or flag as the byte alone, a number or text by
// its type with a terminator. With fFoelg a foreign key (table number 128
// and up) shows field 1 of the record it names. A record at or beyond the
// table's count, or an empty table, gives the empty text. pKontekst may be
// null.
const char *VisFeltTekst(char typeBogstav, const TabDesc *pTd, const TabVar *pTv, uint32_t felt, uint32_t recnr,
                         const VisFeltKontekst *pKontekst, int fFoelg);

// The computed fields whose text may carry a minus sign.
bool FeltMedFortegn(uint32_t felt);

// Options of SorterPaaFelter and SorterMarkeredeSidst.
constexpr uint32_t SORT_IKKE_DANSK = 1;  // no Danish letter order
constexpr uint32_t SORT_FALDENDE = 2;    // descending
// Danish letter order for text and flag fields and for fields whose flag
// byte has its high bit, instead of for foreign keys.
constexpr uint32_t SORT_DANSK_FLAGBIT = 4;

// Sorts liste[1..antal] in place by the texts of the fields, in the order
// given: each text upper-cased, cut to the field's width, text, flag and
// foreign-key fields in Danish letter order unless SORT_IKKE_DANSK. A list
// of fewer than two entries is left alone.
void SorterPaaFelter(char typeBogstav, uint32_t *liste, uint32_t antal, const TabDesc *pTd, const TabVar *pTv,
                     const VisFeltKontekst *pKontekst, uint32_t option, int fFoelg, const uint32_t *felter,
                     uint32_t antalFelter);
inline void SorterPaaFelter(char typeBogstav, uint32_t *liste, uint32_t antal, const TabDesc *pTd,
                            const TabVar *pTv, const VisFeltKontekst *pKontekst, uint32_t option, int fFoelg,
                            std::initializer_list<uint32_t> felter) {
  SorterPaaFelter(typeBogstav, liste, antal, pTd, pTv, pKontekst, option, fFoelg, felter.begin(),
                  static_cast<uint32_t>(felter.size()));
}

// The planning module's variant: each text as it stands (not upper-cased)
// in the field's whole width, text and flag fields always in Danish letter
// order, foreign keys by their stored number (records that differ never
// interleave because their targets share a name), ascending.
void SorterPaaFeltListe(uint32_t *liste, uint32_t antal, const TabDesc *pTd, const TabVar *pTv,
                        const uint32_t *felter, uint32_t antalFelter);

// Exactly two fields, ascending, Danish letter order always.
void SorterPaaToFelter(char typeBogstav, uint32_t *liste, uint32_t antal, const TabDesc *pTd, const TabVar *pTv,
                       const VisFeltKontekst *pKontekst, int fFoelg, uint32_t felt1, uint32_t felt2);

// As SorterPaaFelter, with the records whose byte in maerker (maerkeAntal
// bytes, one per record number) is not 0 after all others; a record beyond
// the array counts as unmarked. SORT_FALDENDE reverses the whole result.
void SorterMarkeredeSidst(char typeBogstav, uint32_t *liste, uint32_t antal, const TabDesc *pTd, const TabVar *pTv,
                          const VisFeltKontekst *pKontekst, uint32_t option, int fFoelg, const uint8_t *maerker,
                          uint32_t maerkeAntal, const uint32_t *felter, uint32_t antalFelter);
