#pragma once
// A row of column-header buttons over a grid window's column-header pane,
// one button per field of a field layout and a filler after them; the
// master-data window, the schedule window and the Gantt window share it.

#include <cstdint>

#include "ENS.h"
#include "windows.h"

// The buttons of one row: Knapper holds Antal + 1 windows (the last is the
// filler), FeltIndeks the 0-based field index in the layout of each of the
// Antal field buttons.
struct SwitchKnapRaekke {
  HWND *Knapper;
  uint32_t Antal;
  uint32_t *FeltIndeks;
};

// Moves the buttons along the column-header pane of the workspace's head
// from x = 0, each as wide as its field in layout 0 of window kind art and
// the head's table letter (0 for a kind of 116 and above or a field the
// layout lacks), as high as the pane; the filler follows them as wide as
// the whole pane. Nothing when the head has no column-header pane.
void LayoutSwitchButtons(Ens *ens, SwitchKnapRaekke *raekke, uint32_t art);
