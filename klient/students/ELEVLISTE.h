// Helpers the student planning's lists and files share: the ";" field
// splitter of its text files, the id of a new wish record, and the sort of a
// list's rows by up to four column texts. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ENSDC.h"
#include "TABREG.h"
#include "windows.h"

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

// The id for a record this installation makes in a table keyed by a u32 id
// at offset 0: one above the largest own id (EGNE_ID_START and up) of any
// record in the table, whatever its status, else EGNE_ID_START; 0 when the
// ids are used up.
uint32_t NaesteEgetId(const TabDesc *pTd, TabVar *pTv);
// The id for a new ev record.
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
// background colour index, given the colour the cell asked for (the field
// switches' colour rule for a plain cell without a record): the light
// backgrounds take black (16), the middle ones 17, the dark ones 19; on
// backgrounds 0 and 42 and on 36 (for a few colours) the cell's own colour
// stands, and 46 keeps 8.
uint8_t ElevRaekkeTekstFarve(uint8_t baggrund, uint8_t kaldersFarve);

// The pixel rows of a student list's text line.
constexpr int ELEV_TEKSTHOEJDE = 11;

// One cell of a student list row: the column code (the layout's FeltNr),
// its width in characters and the row's three passed values in; the text
// (a zeroed buffer of kSwitchTekstLen bytes; at most `tegn` characters are
// drawn), the text colour (preset 16), the background colour index (preset
// to the row's mode) and a font (preset 0: the DC's own) out.
typedef void (*ElevFeltFn)(void *ctx, uint32_t feltNr, uint32_t tegn, uint32_t v1, uint32_t v2,
                           uint32_t v3, char *tekst, uint8_t *pFarve, uint8_t *pBaggrund,
                           HFONT *pSkrift);

// Draws one row of the layout (art, bogstav, switchNr) of ObjSwitchTab at
// (x, y): the row runs from y to y + linjeAfstand + 11 + hoejdeUnder, its
// text line starting at y + linjeAfstand. Each field, left to right: a
// one-pixel line in the button-text colour when StregVenstre is set, the
// left air and the text cell (Tegn x 8 + 1 pixels) and Ekstra pixels on the
// cell's background, the text in the colour ElevRaekkeTekstFarve gives, and
// the right line when StregHoejre is set. A mode above 2 that is no
// multiple of 3 is a band: the whole layout's width is filled with colour
// `mode` first and the texts drawn transparently on it. restBredde pixels
// after the last field get colour `mode`. Colour indexes of 60 and up fill
// black; colours are set through the EnsDC's cache. Kinds of 116 and up,
// and layouts that do not exist, draw nothing.
void TegnElevRaekke(ElevFeltFn fn, void *ctx, EnsDC *dc, int x, int y, uint8_t mode, uint32_t art,
                    uint8_t bogstav, uint32_t switchNr, uint32_t v1, uint32_t v2, uint32_t v3,
                    int linjeAfstand, int hoejdeUnder, int restBredde);
