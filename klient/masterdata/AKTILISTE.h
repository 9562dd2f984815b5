#pragma once
// The sizes and the row captions of the object lists that show one row per
// activity: the activity schedule priority window, and beside it the
// grouping window and the window opener.

#include <cstdint>

#include "ENS.h"
#include "TABREG.h"

constexpr int kAktivListMindsteHoejde = 100;
constexpr int kAktivListMindsteBredde = 150;
constexpr uint32_t kAktivListRaekkeArt = 8;  // the row captions' field layouts

// The horizontal scroll bar, the caption, both sizing frames, 12 pixels a
// record whose status is 10..29 (record 0 included) and 43; the maximum when
// that reaches it, and never below 100.
int CalcAktivListHeight(const TabDesc *pTd, const TabVar *pTv, int maks);
// The vertical scroll bar, twice (margin + sizing frame), the content and 7;
// the maximum when that reaches it, and never below 150.
int CalcAktivListWidth(int margin, int indhold, int maks);
// The row captions of rows foerste..sidste of the head's ObjTab in its row
// pane: a one-pixel line of system colour 22 above each row, bredde wide,
// then the row of layout (8, the table's letter, switchNr); the current row
// (the head's StyrY) with mark 1 while the window is active, else 2.
void PaintObjRowCaptions(Ens *ens, uint32_t foerste, uint32_t sidste, int bredde, uint32_t switchNr);
