#pragma once
// The selection lists of the event entry window: which records each of the
// six lists holds, what the system knows about each candidate at the marked
// time (busy, outside its period, other ring system, no school day, other
// sort), the current entry a list proposes, the row colours and the painting
// of the list and detail panes. The event being built is AktuelAVS; a
// change's old event is GammelAVS.

#include <cstdint>

#include "BRIKIND.h"

// Row colour codes (indexes into FarveTab).
enum : uint8_t {
  VFARVE_AKTUEL_FOKUS = 1,
  VFARVE_AKTUEL = 2,
  VFARVE_DETALJE_AKTUEL = 5,
  VFARVE_FAGFORDL = 6,
  VFARVE_ELEVSAMMENFALD = 33,
  VFARVE_NIVEAU = 36,
  VFARVE_NIVEAU_FOKUS = 37,
  VFARVE_NIVEAU_AKTUEL = 38,
  VFARVE_PLANFORDELING = 39,
  VFARVE_KOMPETENCE = 46,
  VFARVE_RELATION = 47,
};

// The row height of both panes: 11 pixels and a gap of 1.
constexpr uint32_t kDifValgRaekkeHoejde = 12;
// The window kinds of the list pane's and the detail pane's layouts.
constexpr uint32_t kDifValgListeArt = 14;
constexpr uint32_t kDifValgDetaljeArt = 15;

// Sizes each list's mark array from its table (and the per-employment and
// per-room tables) and sets the kind letters. A record number beyond an
// array is never marked.
bool AllokerDifValg(BrikIndStruct *b);

void ByggAktiValg(BrikIndStruct *b);
void ByggSkfaValg(BrikIndStruct *b);
// Builds the list of any kind letter (the activity and subject lists through
// the two above).
void ByggDifValg(BrikIndStruct *b, uint8_t fokus);

void MarkerPeriode(BrikIndStruct *b, Dato fra, Dato til);
bool UgeHarMarkering(const BrikIndStruct *b, uint32_t ugeIndeks);
void MarkerOptagne(BrikIndStruct *b);

// The event's current choice of a kind letter: 'K' first activity, 'L'
// first room, 'M' first employment, 'R' ring system, 'U' subject; else 0.
uint32_t HentDifValg(char art);

void OpdaterDifValg(BrikIndStruct *b, bool spring);
bool RolleTjekkerSammenfald(const BrikIndStruct *b, char art, uint32_t recnr);
bool HarElevSammenfald(uint32_t akti, Dato fra, Dato til);
// The first and the last day with a marked cell in the block; both 0 when
// nothing is marked.
void DifValgMarkeretInterval(const BrikIndStruct *b, Dato *fra, Dato *til);
// The table a list shows; false for an index outside the six.
bool DifValgTabel(uint8_t fokus, const TabDesc **td, TabVar **tv);

// The colour code of row pos (1-based) of a list in the list pane.
uint8_t DifValgRaekkeFarve(const BrikIndStruct *b, uint8_t fokus, uint32_t pos, bool harFokus);
// The mark byte a row is drawn with, and the legend letter that shows it
// (' ' X ÷ U R M S T E).
uint8_t DifValgVistMaerke(const BrikIndStruct *b, uint8_t fokus, uint32_t recnr);
char DifValgMaerkeTegn(uint8_t maerke);
// The date the event's colours and proposals are taken at.
Dato DifValgDato(const BrikIndStruct *b);

void TegnDifValgRaekker(BrikIndStruct *b, uint32_t fra, uint32_t til);
void TegnDifValgDetaljer(BrikIndStruct *b, uint32_t fra, uint32_t til);
void TegnDifValgRaekke(BrikIndStruct *b, uint32_t raekke);
void TegnSynligeRaekker(BrikIndStruct *b);
void OpdaterDifValgVindue(BrikIndStruct *b);
void SkiftDifValgFokus(BrikIndStruct *b, uint8_t fokus);
