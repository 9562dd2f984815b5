// Helpers the student planning's lists and files share: the ";" field
// splitter of its text files, the id of a new wish record, and the sort of a
// list's rows by up to four column texts. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

// One field slot of a split line: at most 99 characters and the terminator.
constexpr int ELEVFELT_LEN = 100;
typedef char ElevFelt[ELEVFELT_LEN];

// Splits the line at every ';' into the slots of felter (kapacitet of them):
// an empty field between two ';' counts, the empty text after a last ';'
// (and an empty line) gives no field; a newline stays in the last field. A
// field longer than 99 characters is cut, and *pAfkortet (when given) is set.
// The number of fields; -1 when the line holds more than kapacitet fields
// (the slots then hold the first kapacitet of them).
int DelSemikolonFelter(ElevFelt *felter, int kapacitet, const char *linje,
                       bool *pAfkortet = nullptr);

// Ids that this installation gives its own wishes and duplicate learning
// activities start here, far above those Elevplan hands out.
constexpr uint32_t EGNE_ID_START = 2137483647u;

// The id for a new ev record: one above the largest own id (EGNE_ID_START
// and up) of any record in the table, whatever its status, else
// EGNE_ID_START; 0 when the ids are used up.
uint32_t NaesteEvId();

// The text of one column of one row: (context, column code, the three
// passed values, one of them the row's position as the row kind letter
// says). Null counts as "".
typedef const char *(*ElevRaekkeTekstFn)(void *ctx, int feltKode, uint32_t v1, uint32_t v2,
                                         uint32_t v3);
// A column's key width in bytes, and in *pTekst whether its text is put into
// Danish letter order.
typedef uint32_t (*ElevRaekkeBreddeFn)(void *ctx, int feltKode, bool *pTekst);

constexpr int ELEVSORT_FELTER = 4;
constexpr int ELEVSORT_FALDENDE = 2;  // sort direction byte: descending

// Sorts raekker[1..antal] (row values, for instance record numbers) by the
// texts of the non-zero column codes in felter, left to right, bytes
// compared unsigned. Row i is asked for as art says: 'X' with i as the
// first passed value, 'Y' as the second, 'Z' as the third. With flag
// ELEVSORT_FALDENDE the order is reversed. Fewer than 2 rows, or no memory
// for the keys, leave the rows as they are.
void SorterElevRaekker(ElevRaekkeTekstFn tekstFn, ElevRaekkeBreddeFn breddeFn, void *ctx,
                       const int felter[ELEVSORT_FELTER], char art, uint32_t v1, uint32_t v2,
                       uint32_t v3, uint32_t *raekker, uint32_t antal, int flag);

// The text colour index that the row painter of the student lists uses on a
// background colour index, given the colour the cell asked for: the light
// backgrounds take black (16), the middle ones 17, the dark ones 19; on
// backgrounds 0 and 42 and on 36 (for a few colours) the cell's own colour
// stands, and 46 keeps 8.
uint8_t ElevRaekkeTekstFarve(uint8_t baggrund, uint8_t kaldersFarve);
