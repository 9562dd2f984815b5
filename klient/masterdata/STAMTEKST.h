#pragma once
// The master-data window's texts: the value of every header item of an
// activity, employment or room, the toolbar's object line, the captions of
// the subjects and schedulers panes and the employee's footnote. Every item
// text is cut to its field's width. Main thread only.

#include <cstddef>
#include <cstdint>

#include "STAMOPL.h"

// The value text of item kode (art: the toolbar's kind for its object line,
// any other for the header) over the blanks of tekst (kSwitchTekstLen
// bytes), cut to bredde characters; *farve gets the item's colour. False
// when the item shows nothing (the cell stays blank).
bool StamVaerdiTekst(StamWS *ws, uint32_t art, uint32_t kode, uint32_t bredde, char *tekst, uint8_t *farve);

// Line linje (from 0) of the caption of a list pane for the object shown,
// "" when the pane's caption has no such line or no object is shown (the
// counts pane's caption is its buttons).
void StamRudeKaption(StamWS *ws, int rude, int linje, char *tekst, size_t stoerrelse);

// Formats over the start of the blanks of tekst, cut to bredde characters
// (and to the field's most); false when the format fails.
bool StamUd(char *tekst, uint32_t bredde, const char *fmt, ...) __attribute__((format(printf, 3, 4)));

// The footnote under an employee's subjects.
extern const char *const kStamFodnote;

// The frame's footnote and a list pane's caption (slots of StamKrog).
void TegnStamRamme(StamWS *ws);
void TegnStamKaption(StamWS *ws, int rude);
