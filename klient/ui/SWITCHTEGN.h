#pragma once
// What the field switches show: the heading and text of a cell, the colour
// rule of a cell's text, and the painters of list rows and schedule tiles.
// Colours are palette indexes (FarveTab); they are set through the EnsDC's
// cache, so a run of cells in one colour costs one colour call. Every
// record number, field and byte offset is checked against the table it is
// applied to (a foreign key's table included): what does not exist draws
// blank.

#include <cstddef>
#include <cstdint>

#include "ENSDC.h"
#include "SKEREC.h"
#include "SWITCH.h"
#include "TABREG.h"
#include "windows.h"

// The heading of a field: its name in the descriptor, a foreign key followed
// to its table's field 1; a computed field's caption. "" when a link fails
// or the field does not exist.
const char *SwitchFeltNavn(const TabDesc *pTd, uint32_t feltNr);

// One value by the field definition's data type into tekst (kSwitchTekstLen
// bytes: 254 blanks with the value written over their start, no terminator
// before the end). vaerdi holds vaerdiStr readable bytes. Types 1 and 3 one
// character; 2, 5 and 7 unsigned, 4, 6 and 8 signed numbers through
// FormatKommaTal in Tegn - decimals whole places; 12 text cut to Tegn
// characters; other types leave the blanks.
void SwitchFeltTekst(const FeltDef *f, const SwitchFelt *sf, const uint8_t *vaerdi, uint32_t vaerdiStr,
                     char *tekst);
// The text of a switch field for record n into tekst (as above). A foreign
// key is followed into the linked record's field 1, recursively. Blank when
// the record, the field or the byte offset is outside its table.
void SwitchFeltTekstPost(const TabDesc *pTd, const TabVar *pTv, const SwitchFelt *sf, char *tekst, uint32_t n);

// What a row painter hands the cells beyond the layout and the record.
struct SwitchRaekkeValg {
  HWND hwnd = 0;             // the window the computed fields may ask
  int32_t Valg1 = 0;         // the caller's values for the computed fields
  int32_t Valg2 = 0;
  int32_t Valg3 = 0;
  uint32_t Hoejde = 11;      // row height in pixels
  uint32_t TopMargen = 0;    // pixels from the row's top to the text
  HFONT Skrift = 0;          // drawn in this font; 0: the DC's own
  uint32_t RestBredde = 0;   // pixels right of the layout filled with brush 0
  uint8_t Ejer = 0;          // owner installation of the row's event; 0 none
  uint32_t Flag = 0;         // status bits of the row's event
};

// The text of one cell of a layout for a record into tekst (kSwitchTekstLen
// bytes, blank-padded). Computed fields come from the data layer with the
// caller's values and the field's Vaerdi as flag byte; plain fields from
// SwitchFeltTekstPost. *pFarve (may be null) gets the caller's colour the
// colour rule takes: the data layer's colour code, else the record's display
// class (16 without a table or for tables 'z', 'x' and '-'). Returns the
// flag byte of a computed field, else 0.
uint32_t SwitchCelleTekst(const SwitchFelt *sf, uint8_t bogstav, const TabDesc *pTd, const TabVar *pTv,
                          uint32_t recnr, const SwitchRaekkeValg *v, char *tekst, uint8_t *pFarve);
// The same for field i of layout (art, bogstav, nr); a missing field is blank.
uint32_t ObjSwitchCelleTekst(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t i, const TabDesc *pTd,
                             const TabVar *pTv, uint32_t recnr, const SwitchRaekkeValg *v, char *tekst,
                             uint8_t *pFarve);

// What the colour rule reads of one cell.
struct CelleFarveData {
  uint8_t Moenster = 0;           // pattern code: the colour index of the cell's background
  bool Beregnet = false;          // a computed field
  uint8_t KaldFarve = 16;         // the caller's colour
  uint8_t Ejer = 0;               // owner installation of the cell's event; 0 none
  uint32_t Flag = 0;              // the cell's status bits
  const TabDesc *pTd = nullptr;   // plain fields: the record's table (null: none)
  const TabVar *pTv = nullptr;
  uint32_t RecNr = 0;
  bool FoersteFelt = false;       // the row's first field
  const char *Tekst = nullptr;    // the cell's text
};
// The colour index of a cell's text.
uint8_t CelleTekstFarveKode(const CelleFarveData &c);
// Sets the text colour the rule gives (through the cache); returns it.
uint8_t SaetCelleTekstFarve(EnsDC *dc, const CelleFarveData &c);

// Text in colour indexes; mode 1 transparent, 2 opaque. SetTextColor and
// SetBkColor are skipped when the DC holds the index already; an index of
// 60 or more is black.
void TegnFarvetTekst(EnsDC *dc, int x, int y, uint8_t tekstFarve, uint8_t bkFarve, const char *tekst,
                     int laengde, int mode);
// One character on background colour `kode`, opaque, its text colour by the
// colour rule in its computed-field form (code 36 gives 5).
void TegnFarvetTegn(EnsDC *dc, int x, int y, uint8_t kode, uint8_t tegn, uint8_t ejer, uint32_t flag);
// A text cell: the rectangle from (x, y) over the text's width plus both
// pads and the text's height filled with brush bkFarve, the text at x +
// pad1 in colour tekstFarve, transparent.
void TegnTekstCelle(EnsDC *dc, int x, int y, uint8_t bkFarve, uint8_t tekstFarve, const char *tekst,
                    int pad1, int pad2);
// A figure with two decimals ("%*d,%02d" with three whole places), rounded
// half away from zero, drawn opaque.
void TegnTal2Dec(EnsDC *dc, int x, int y, uint8_t tekstFarve, uint8_t bkFarve, double vaerdi);

// ---- Cells of a list row; each answers the field's width.
// A cell given its text: background brush bkFarve over the field width and
// the row height (none when bkFarve is 60 or more), the left and right
// lines in COLOR_3DDKSHADOW, exactly Tegn characters of the text.
uint32_t TegnSwitchTekstCelle(EnsDC *dc, int x, int y, const SwitchFelt *sf, uint8_t bkFarve,
                              uint8_t tekstFarve, const char *tekst, const SwitchRaekkeValg *v);
uint32_t TegnSwitchPostCelle(EnsDC *dc, int x, int y, const SwitchFelt *sf, uint8_t farve, uint8_t bogstav,
                             const TabDesc *pTd, const TabVar *pTv, uint32_t recnr, bool foersteFelt,
                             const SwitchRaekkeValg *v);
uint32_t TegnSwitchBeregnetCelle(EnsDC *dc, int x, int y, const SwitchFelt *sf, uint8_t farve, uint8_t bogstav,
                                 const TabDesc *pTd, const TabVar *pTv, uint32_t recnr,
                                 const SwitchRaekkeValg *v);
// A cell of a row on a brush the row painter laid: no background of its
// own, the lines in COLOR_BTNTEXT.
uint32_t TegnSwitchCelleBund(EnsDC *dc, int x, int y, const SwitchFelt *sf, uint8_t tekstFarve,
                             const char *tekst, const SwitchRaekkeValg *v);

// ---- Rows.
// One record's row of layout (art, bogstav, nr) at (x, y) on colour farve
// (background and pattern code: 0 plain, 1 and 2 the current row of an
// active and an inactive window, 36..38 marked). Nothing for a kind above
// 115 or a missing layout. Activity rows of a cancelled activity are struck
// through in colour 14, of one deleted in EASY in colour 16.
void TegnObjSwitchRaekke(EnsDC *dc, int x, int y, uint8_t farve, uint32_t art, uint8_t bogstav, uint32_t nr,
                         const TabDesc *pTd, const TabVar *pTv, uint32_t recnr, const SwitchRaekkeValg *v);
// The same with each cell's text, pattern code and colour from the caller:
// fn gets the field and its index, a blank text buffer (kSwitchTekstLen),
// the pattern code (preset to farve) and the colour (preset to 16), and
// answers the cell's status bits.
typedef uint32_t (*SwitchCelleFn)(void *arg, const SwitchFelt *sf, uint32_t i, char *tekst, uint8_t *pMoenster,
                                  uint8_t *pFarve);
void TegnObjSwitchRaekkeCb(EnsDC *dc, int x, int y, uint8_t farve, uint32_t art, uint8_t bogstav, uint32_t nr,
                           SwitchCelleFn fn, void *arg, const SwitchRaekkeValg *v);
// A row on a given brush over the layout's width (or bredde when not 0):
// the cells get pattern code 1 on palette brush 1, 2 on palette brush 2,
// else 0.
void TegnObjSwitchRaekkeBund(EnsDC *dc, int x, int y, HBRUSH brush, uint32_t art, uint8_t bogstav, uint32_t nr,
                             const TabDesc *pTd, const TabVar *pTv, uint32_t recnr, uint32_t bredde,
                             const SwitchRaekkeValg *v);
// The relation windows' column caption: layout 0 of window kind 65 for the
// table, running down from (x, y) in a column v->Hoejde wide (its length is
// ObjSwitchBredde), on colour farve. The text is drawn for a font written
// downward (escapement 2700), whose glyphs' tops face right.
void TegnRelationRaekke(EnsDC *dc, int x, int y, uint8_t farve, uint8_t bogstav, const TabDesc *pTd,
                        const TabVar *pTv, uint32_t recnr, const SwitchRaekkeValg *v);
uint32_t TegnRelationCelle(EnsDC *dc, int x, int y, const SwitchFelt *sf, uint8_t bkFarve, uint8_t tekstFarve,
                           const char *tekst, const SwitchRaekkeValg *v);
constexpr uint32_t kRelationArt = 65;

// ---- Schedule tiles (BrkSwitchTab). A year index, week and row outside
// the buckets draw nothing; an empty row draws nothing.
// Row `raekke` of the bucket of (aarIndeks, uge), or null.
const SkeRec *BrikRaekke(uint32_t aarIndeks, uint32_t uge, uint32_t raekke);
// The record of a row a layout letter names: K the activity, L the room,
// M the employment, U the subject; 0 for other letters.
uint32_t BrikRecNr(const SkeRec *r, uint8_t bogstav);
// One tile line for one event row: background farve over BrkSwitchBredde,
// then each field of layout (brikArt, bogstav, nr) for the row's record of
// the letter, BrkTegnBredde pixels a character. False when nothing was
// drawn.
bool TegnBrikLinie(EnsDC *dc, int x, int y, uint8_t farve, uint32_t brikArt, uint8_t bogstav, uint32_t nr,
                   uint32_t aarIndeks, uint32_t uge, uint32_t raekke, const SwitchRaekkeValg *v);
// The fields of every row of one event (the rows from foersteRaekke whose
// Forste is it) that has a record of the letter, along one line on brush
// farve. The width drawn.
uint32_t TegnBrikPoster(EnsDC *dc, int x, int y, uint8_t farve, uint32_t brikArt, uint8_t bogstav, uint32_t nr,
                        uint32_t aarIndeks, uint32_t uge, uint32_t foersteRaekke, const SwitchRaekkeValg *v);
// A text line of a tile in its own text colour, transparent.
void TegnBrikTekst(EnsDC *dc, int x, int y, uint8_t tekstFarve, const char *tekst, int laengde);
// A line of single-character marks, mark i at x + i x tegnBredde through
// TegnFarvetTegn with colour code koder[i].
void TegnBrikTegn(EnsDC *dc, int x, int y, const uint8_t *tegn, const uint8_t *koder, uint32_t antal,
                  uint32_t tegnBredde, uint8_t ejer, uint32_t flag);
