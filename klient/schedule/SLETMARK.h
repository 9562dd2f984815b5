// Marking a new block of cells, deleting the event at the cursor, and
// marking events for a common deletion (Ctrl+S), change (Ctrl+R) or
// sickness registration (Ctrl+Y). Main thread only.
#pragma once

#include <cstdint>

#include "BESKEDER.h"
#include "SKEMA.h"
#include "SKEMAVIN.h"
#include "TASTINFO.h"
#include "windows.h"


// The titles of the markings.
extern const char *const kTitelSlet;
extern const char *const kTitelRet;
extern const char *const kTitelSygdom;

// The block-marking check (caption "Opmærkning"); accepted, it starts a
// block at the current cell when none is being marked.
bool BlokTjek(SkeStruct *ske, bool vis);
// The block runs from its start corner to the cell (kolonne, raekke):
// cells entering it get bit 2, cells leaving it lose it.
void UdvidBlok(HWND hwnd, SkeStruct *ske, uint32_t kolonne, uint32_t raekke);
// The start and end time (HHMM) of the block's first and last cell; false
// without a block.
bool BlokTider(const SkeStruct *ske, uint32_t *start, uint32_t *slut);

// The keys: Space, Delete (with Ctrl), Ctrl+S, Ctrl+R, Ctrl+Y.
bool MellemrumTjek(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode);
SkemaTastSvar MellemrumUdfoer(HWND hwnd, SkeStruct *ske, const TastInfo &t);
bool SletTjek(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode);
SkemaTastSvar SletUdfoer(HWND hwnd, SkeStruct *ske, const TastInfo &t);
bool SletMarkTjek(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode);
bool RetMarkTjek(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode);
bool SygdomTjek(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode);
