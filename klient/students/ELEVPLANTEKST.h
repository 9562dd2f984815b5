// The planning window's column vocabulary: the cell text, colours and font
// of the column codes 1-42 of its activity rows, slot columns and group
// line, their sort attributes, and the order of its activity rows. A cell
// is always written within the caller's buffer. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ELEVPLANWS.h"
#include "windows.h"

// One cell: pp is the slot's position in PpTab, la the activity's in
// LaTab, tg the group's in TgTab (0 none). The text starts as a line of
// blanks of the column width; a code whose record is missing keeps it and
// leaves the colours and font alone. *pFarve is the proposed text colour,
// *pSkrift the student symbol font where a slot header is drawn as glyph
// digits (when pSkrift is given); no code sets a background.
void ElevPlanCelleTekst(const ElevPlanWS *ws, uint32_t kode, uint32_t bredde, uint32_t pp,
                        uint32_t la, uint32_t tg, char *tekst, size_t str, uint8_t *pFarve,
                        uint8_t *pBaggrund, HFONT *pSkrift);
// The same as the row painter's field callback (ElevFeltFn): ctx the
// workspace, v1 the slot, v2 the activity, v3 the group position, a buffer
// of kSwitchTekstLen bytes.
void ElevPlanFeltTekst(void *ctx, uint32_t feltNr, uint32_t tegn, uint32_t v1, uint32_t v2,
                       uint32_t v3, char *tekst, uint8_t *pFarve, uint8_t *pBaggrund,
                       HFONT *pSkrift);
// A code's sort attributes: in *pDansk whether its key is put into Danish
// letter order, in *pBredde the key's width in characters.
void ElevPlanFeltSortering(uint32_t kode, bool *pDansk, uint32_t *pBredde);

// LaVisTab[1..LaAntal], a fresh copy of LaTab, in the order of the sort
// field of the activity rows' layout (kind 75) in the direction
// SorterRetning, the archived activities last either way (code 36 first);
// table order while no sort field is stored.
void SorterLaRaekker(ElevPlanWS *ws);
